#include "pricing/BukakeRate.h"

#include <charconv>
#include <string_view>
#include <vector>

#include "platform/text/Number.h"

using kiv::text::Decimal;

namespace {

// One step: from `from` (included) up to the next step's `from`, the value is `value`, or S
// times `factor` when the factor is set.
struct Step {
    Decimal from;
    Decimal value;
    Decimal factor;
};

Decimal d(long long mantissa, int scale) { return Decimal::fromScaled(mantissa, scale); }

const std::vector<Step>& banSteps() {
    static const std::vector<Step> steps = {
        {3, 3, 0},         {4, 4, 0},         {5, 5, 0},   {6, 6, 0},   {7, 7, 0},   {d(85, 1), 8, 0},
        {10, 10, 0},       {13, 11, 0},       {16, 12, 0}, {19, 15, 0}, {22, 18, 0}, {26, 21, 0},
        {30, 24, 0},       {35, 28, 0},       {41, 33, 0},
    };
    return steps;
}

const std::vector<Step>& seigyoSteps() {
    static const std::vector<Step> steps = {
        {d(25, 1), 3, 0},  {d(35, 1), 4, 0}, {d(45, 1), 5, 0},  {d(55, 1), 6, 0}, {7, 7, 0},
        {d(85, 1), 8, 0},  {10, 9, 0},       {d(115, 1), 10, 0}, {13, 11, 0},      {15, 12, 0},
        {17, 13, 0},       {19, 14, 0},      {24, 0, d(6, 1)},   {40, 24, 0},      {44, 0, d(55, 2)},
        {69, 38, 0},       {76, 0, d(5, 1)},
    };
    return steps;
}

// Below the first step the value is S itself.
Decimal stepValue(const std::vector<Step>& steps, const Decimal& s) {
    const Step* hit = nullptr;
    for (const Step& st : steps)
        if (s >= st.from)
            hit = &st;
    if (!hit)
        return s;
    return hit->factor.isZero() ? hit->value : s * hit->factor;
}

} // namespace

std::optional<Decimal> bukakeSyuusei(int kind, const Decimal& goukei, const Decimal& largest) {
    switch (kind) {
    case 1:
        if (goukei >= Decimal(48))
            return std::nullopt;
        return stepValue(banSteps(), goukei);
    case 2:
        return stepValue(seigyoSteps(), goukei);
    case 3:
        return (goukei - largest) * Decimal::fromScaled(5, 1) + largest;
    default:
        return goukei;
    }
}

Decimal bukakeShown(double value) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    return kiv::text::parseDecimal(std::string_view(buf, static_cast<std::size_t>(r.ptr - buf)));
}
