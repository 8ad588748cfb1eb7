#pragma once
// The text forms in which the recalculation writes its numbers into a row's fixed-width fields,
// and the roundings it applies by formatting a value and reading the text back. Each form is the
// printf format the estimate has always written, so that amounts match to the yen.
#include <string>
#include <string_view>

#include "platform/text/Decimal.h"

namespace kiv::recalc {

using kiv::text::Decimal;

// A 12-character amount field holds -99,999,999,999 to 999,999,999,999; outside that range the
// value is refused with the step's message and the field left blank.
bool AmountFits(const Decimal& v);

// Amount text: "%14.1f" cut to its first 12 characters (the value rounded to tenths, the point
// and the tenths digit dropped). Only for a value that fits.
std::string AmountText(const Decimal& v);
// Mode amount text: "%12.f" (rounded to a whole number) when the composite rounding mode is 3,
// otherwise the amount text.
std::string ModeAmountText(const Decimal& v, int fukugouMarume);

// Share rounding of a row's share before it is added to a computed row's sum: "%10.f" read back
// in mode 3, otherwise "%12.1f" without its point and tenths digit (a value too long for twelve
// characters loses only its tenths too).
Decimal ShareRounded(const Decimal& v, int fukugouMarume);

// The amount text of a value rounded to tenths and written as a whole number: its text before
// the point, as the "%14.1f" amount text takes it.
Decimal TenthsRoundedInteger(const Decimal& v);

// The integer part's last `digits` digits (1-3) of a value rounded to tenths, as "%14.1f" shows
// them: 456.0 with 2 digits gives 56.
int LastDigits(const Decimal& v, int digits);

// 10, 100 or 1000 for 1, 2 or 3.
long long PowerOfTen(int digits);

} // namespace kiv::recalc
