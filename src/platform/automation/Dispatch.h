#pragma once
// An automation object: answers calls addressed by member id (DISPID) and kind (method,
// property get, property put) with typed arguments. A call that the object does not know, of the
// wrong kind, or with arguments of other types than the member takes, fails; so does a call the
// object cannot carry out. Callers turn a failure into their own error handling.
//
// Tests can watch every call (object, member, kind, arguments) and make a chosen call fail
// through the process-wide call hooks.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/Variant.h"

namespace kiv::automation {

enum class InvokeKind { Method, Get, Put };

struct Call {
    std::string object;      // interface name: "Application", "Range", ...
    int dispid = 0;
    InvokeKind kind = InvokeKind::Method;
    std::vector<Variant> args;
};

// Tests only: `record` sees every call before it runs; `fail` makes the call fail when it
// returns true (the object is not reached).
struct CallHooks {
    std::function<void(const Call&)> record;
    std::function<bool(const Call&)> fail;
};
void setCallHooks(CallHooks hooks);
const CallHooks& callHooks();

class Dispatch : public std::enable_shared_from_this<Dispatch> {
public:
    virtual ~Dispatch() = default;
    virtual const char* interfaceName() const = 0;
    // False when the call failed; `error` (when given) then says why. `result` receives the
    // value of a get or of a method that returns one.
    bool invoke(int dispid, InvokeKind kind, const std::vector<Variant>& args, Variant* result = nullptr,
                std::string* error = nullptr);

protected:
    // The object's own answer; false with a reason on failure.
    virtual bool doInvoke(int dispid, InvokeKind kind, const std::vector<Variant>& args, Variant& result,
                          std::string& error) = 0;
};

// Whether the arguments have exactly these types, in order (missing: VT_ERROR with
// DISP_E_PARAMNOTFOUND, written here as VT_ERROR).
bool argsAre(const std::vector<Variant>& args, std::initializer_list<unsigned short> types);

} // namespace kiv::automation
