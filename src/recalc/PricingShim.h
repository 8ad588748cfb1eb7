#pragma once
// TEMPORARY: stands in for row pricing and the message pass until they are merged.
#include <array>
#include <string>

#include "estimate/KivMessage.h"
#include "grid/KivView.h"
#include "platform/text/Decimal.h"
#include "platform/text/Number.h"
#include "grid/GyouRecord.h"

struct FukugouKekka {
    std::array<kiv::text::Decimal, 2> Tanka{};
    std::array<kiv::text::Decimal, 2> ZairyouKei{};
    std::array<kiv::text::Decimal, 2> Tugite{};
    std::array<kiv::text::Decimal, 2> Setugou{};
    std::array<kiv::text::Decimal, 2> Siji{};
    std::array<kiv::text::Decimal, 2> Haturi{};
};
struct RowPlace {
    int no = 0;
    int gyou = 0;
    bool master = false;
};
inline int& ShimDepth() { static int d = 0; return d; }
class KivMessagePass {
public:
    KivMessagePass() { ++ShimDepth(); }
    ~KivMessagePass() { --ShimDepth(); }
    static bool Active() { return ShimDepth() > 0; }
};
inline bool KivRowMessage(const std::string& t, const RowPlace&, const std::string& = {}) {
    KivMessage(t);
    return true;
}
namespace shim {
inline FukugouKekka& Kekka(CKivView&) { static FukugouKekka k; return k; }
inline int& NeedSleeve(CKivView&) { static int n = 0; return n; }
inline std::array<int, 3>& RoumuNo(CKivView&) { static std::array<int, 3> r{}; return r; }
inline void CalcFukugouTanka(CKivView&) {}
inline void ClearSuuAmount(CKivView& v) {
    for (int f : {7, 9, 17, 18}) GyouRecord::blank(v.m_EditGyou, f);
}
inline void ClearSuuAmount2(CKivView& v) {
    for (int f : {7, 8, 17, 18}) GyouRecord::blank(v.m_EditGyou, f);
}
} // namespace shim
namespace shim {
inline kiv::text::Decimal FukugouRound(const kiv::text::Decimal& v, int marume) {
    using namespace kiv::text;
    if (marume == 3)
        return parseDecimal(cformat("%13.2f", v));
    return parseDecimal(dropRight(cformat("%12.1f", v), 2));
}
} // namespace shim
