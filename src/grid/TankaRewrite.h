#pragma once
// The unit prices of a row and how a factor rewrites them, shared by the price commands of the
// estimate, the master and the totals. A price field is ten characters: a product is rounded to tenths and
// its tenths dropped ("%12.1f" cut to ten characters); a product that needs more than ten
// characters is never cut into another number.
#include <array>
#include <optional>
#include <string>

#include "platform/text/Decimal.h"

// Unit prices 1 and 2 of the row, then those of material lines 1 to 7.
inline constexpr std::array<int, 16> kTankaFields = {13, 14, 42, 43, 50, 51, 58, 59,
                                                     66, 67, 74, 75, 82, 83, 90, 91};

// The ten characters a price field takes for `x`; nullopt when it needs more.
std::optional<std::string> PriceText(const kiv::text::Decimal& x);

// Every unit price of `row` multiplied by `factor`: a product of 0 blanks its field (a factor of
// 0 therefore clears every price), a blank field stays blank. When any product does not fit its
// field the row is left wholly unchanged and false is returned.
bool RewriteTankaFields(std::string& row, const kiv::text::Decimal& factor);
