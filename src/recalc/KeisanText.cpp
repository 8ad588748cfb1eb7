#include "recalc/KeisanText.h"

#include "platform/text/Number.h"

namespace kiv::recalc {

using kiv::text::cformat;
using kiv::text::leftChars;

bool AmountFits(const Decimal& v) {
    static const Decimal kMax(999999999999LL);
    static const Decimal kMin(-99999999999LL);
    return v <= kMax && v >= kMin;
}

std::string AmountText(const Decimal& v) { return leftChars(cformat("%14.1f", v), 12); }

std::string ModeAmountText(const Decimal& v, int fukugouMarume) {
    return fukugouMarume == 3 ? cformat("%12.f", v) : AmountText(v);
}

// The texts read back are the value rounded half away from zero ("%10.f"), or rounded to tenths
// with the point and the tenths digit dropped: the same numbers are had without the texts, which
// matters as shares are rounded for every row a computed row covers.
Decimal ShareRounded(const Decimal& v, int fukugouMarume) {
    if (fukugouMarume == 3)
        return v.rounded(0);
    return v.rounded(1).truncated(0);
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
