// Dispatch of automation calls: the call hooks of the tests, then the object's own answer.
#include "platform/automation/Dispatch.h"

#include <cstdio>

namespace kiv::automation {

namespace {
CallHooks& hooks() {
    static CallHooks h;
    return h;
}
} // namespace

void setCallHooks(CallHooks h) { hooks() = std::move(h); }
const CallHooks& callHooks() { return hooks(); }

std::string describe(const Variant& v) {
    switch (v.vt) {
    case VT_EMPTY: return "empty";
    case VT_I2: return "I2 " + std::to_string(v.integer);
    case VT_I4: return "I4 " + std::to_string(v.integer);
    case VT_UI4: return "UI4 " + std::to_string(v.integer);
    case VT_BOOL: return v.integer ? "BOOL TRUE" : "BOOL FALSE";
    case VT_R8: {
        char buf[64];
        std::snprintf(buf, sizeof buf, "R8 %.17g", v.real);
        return buf;
    }
    case VT_BSTR: return "BSTR \"" + v.text + "\"";
    case VT_DISPATCH: return std::string("DISPATCH ") + (v.object ? v.object->interfaceName() : "null");
    case VT_ERROR: return v.isMissing() ? "missing" : "ERROR " + std::to_string(v.integer);
    case VT_ARRAY | VT_BSTR:
        return "ARRAY " + std::to_string(v.rows) + "x" + std::to_string(v.columns) + " \"" +
               (v.elements.empty() ? std::string() : v.elements.front()) + "\"";
    default: return "VT " + std::to_string(v.vt);
    }
}

bool argsAre(const std::vector<Variant>& args, std::initializer_list<unsigned short> types) {
    if (args.size() != types.size())
        return false;
    std::size_t i = 0;
    for (unsigned short t : types) {
        const Variant& a = args[i++];
        if (a.vt != t || (t == VT_ERROR && !a.isMissing()) || (t == VT_DISPATCH && !a.object))
            return false;
    }
    return true;
}

bool Dispatch::invoke(int dispid, InvokeKind kind, const std::vector<Variant>& args, Variant* result, std::string* error) {
    const CallHooks& h = hooks();
    if (h.record || h.fail) {
        Call c{interfaceName(), dispid, kind, args};
        if (h.record)
            h.record(c);
        if (h.fail && h.fail(c)) {
            if (error)
                *error = "the call was made to fail";
            return false;
        }
    }
    Variant r;
    std::string why;
    if (!doInvoke(dispid, kind, args, r, why)) {
        if (error)
            *error = why.empty() ? "unknown member or wrong arguments" : why;
        return false;
    }
    if (result)
        *result = std::move(r);
    return true;
}

} // namespace kiv::automation
