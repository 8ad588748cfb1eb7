#pragma once
// The correction that turns the rate calculator's running total S into the corrected rate
// (歩掛修正), by table kind. S is exact decimal, so a step boundary such as 8.5 is met exactly.
#include <optional>

#include "platform/text/Decimal.h"

// Kind 1 and 2: their step tables (each step includes its lower bound and excludes its upper
// one); kind 3: (S - M) x 0.5 + M, M being the largest single rate added; kinds 4 and 5: S.
// nullopt where the kind defines no value: kind 1 from 48 on.
std::optional<kiv::text::Decimal> bukakeSyuusei(int kind, const kiv::text::Decimal& goukei,
                                                const kiv::text::Decimal& largest);

// The number a rate, total or quantity of the calculator shows: the shortest decimal text that
// reads back as the same double, which is the text its edit holds. Sums and products are done on
// these exactly.
kiv::text::Decimal bukakeShown(double value);
