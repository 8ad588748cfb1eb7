#pragma once
// The argument and result values of automation calls, typed as the spreadsheet application's
// calls type them: small integers, 32-bit integers and unsigned values, doubles, booleans,
// strings, objects, the "missing" marker of an optional argument and a two-dimensional array of
// strings. Strings hold the program's CP932 bytes; the stand-in converts them only when it saves.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kiv::automation {

class Dispatch;

enum VarType : unsigned short {
    VT_EMPTY = 0,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R8 = 5,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_UI4 = 19,
    VT_ARRAY = 0x2000,
};

// The code an optional argument that is not given carries.
constexpr std::int32_t DISP_E_PARAMNOTFOUND = static_cast<std::int32_t>(0x80020004u);

struct Variant {
    unsigned short vt = VT_EMPTY;
    std::int64_t integer = 0;             // I2, I4, UI4, BOOL (0 or -1), ERROR (the code)
    double real = 0;                      // R8
    std::string text;                     // BSTR (CP932)
    std::shared_ptr<Dispatch> object;     // DISPATCH
    int rows = 0, columns = 0;            // ARRAY | BSTR: rows x columns, row-major
    std::vector<std::string> elements;

    static Variant i2(int v) { Variant x; x.vt = VT_I2; x.integer = static_cast<std::int16_t>(v); return x; }
    static Variant i4(std::int32_t v) { Variant x; x.vt = VT_I4; x.integer = v; return x; }
    static Variant ui4(std::uint32_t v) { Variant x; x.vt = VT_UI4; x.integer = v; return x; }
    static Variant r8(double v) { Variant x; x.vt = VT_R8; x.real = v; return x; }
    static Variant boolean(bool v) { Variant x; x.vt = VT_BOOL; x.integer = v ? -1 : 0; return x; }
    static Variant bstr(std::string cp932) { Variant x; x.vt = VT_BSTR; x.text = std::move(cp932); return x; }
    static Variant dispatch(std::shared_ptr<Dispatch> p) { Variant x; x.vt = VT_DISPATCH; x.object = std::move(p); return x; }
    static Variant missing() { Variant x; x.vt = VT_ERROR; x.integer = DISP_E_PARAMNOTFOUND; return x; }
    // An array of empty strings, rows x columns.
    static Variant textArray(int rows, int columns) {
        Variant x;
        x.vt = VT_ARRAY | VT_BSTR;
        x.rows = rows;
        x.columns = columns;
        x.elements.assign(static_cast<std::size_t>(rows * columns), std::string());
        return x;
    }
    bool isMissing() const { return vt == VT_ERROR && integer == DISP_E_PARAMNOTFOUND; }
};

// A short readable form for call records and messages: "I4 1", "BSTR \"A1\"", "missing".
std::string describe(const Variant& v);

} // namespace kiv::automation
