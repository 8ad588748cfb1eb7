#include "recalc/KeisanText.h"

#include "platform/text/Number.h"

namespace kiv::recalc {

using kiv::text::cformat;
using kiv::text::dropRight;
using kiv::text::leftChars;
using kiv::text::parseDecimal;

bool AmountFits(const Decimal& v) {
    static const Decimal kMax(999999999999LL);
    static const Decimal kMin(-99999999999LL);
    return v <= kMax && v >= kMin;
}

std::string AmountText(const Decimal& v) { return leftChars(cformat("%14.1f", v), 12); }

std::string ModeAmountText(const Decimal& v, int fukugouMarume) {
    return fukugouMarume == 3 ? cformat("%12.f", v) : AmountText(v);
}

Decimal ShareRounded(const Decimal& v, int fukugouMarume) {
    if (fukugouMarume == 3)
        return parseDecimal(cformat("%10.f", v));
    return parseDecimal(dropRight(cformat("%12.1f", v), 2));
}

Decimal TenthsRoundedInteger(const Decimal& v) { return v.rounded(1).truncated(0); }

long long PowerOfTen(int digits) { return digits == 1 ? 10 : digits == 2 ? 100 : 1000; }

int LastDigits(const Decimal& v, int digits) {
    long long whole = TenthsRoundedInteger(v).toLong();
    if (whole < 0)
        whole = -whole;
    return static_cast<int>(whole % PowerOfTen(digits));
}

} // namespace kiv::recalc
