// The text forms the recalculation writes numbers in, and the roundings done through them.
#include <gtest/gtest.h>

#include "platform/text/Number.h"
#include "recalc/KeisanText.h"

using namespace kiv::recalc;
using kiv::text::parseDecimal;

namespace {

TEST(KeisanText, AmountTextsRoundToTenthsOrWholeNumbers) {
    struct Case {
        const char* value;
        const char* amount;   // "%14.1f", first 12
        const char* mode3;    // "%12.f"
    };
    const Case cases[] = {
        {"12.96", "          13", "          13"},
        {"12.94", "          12", "          13"},
        {"928.75", "         928", "         929"},
        {"0.5", "           0", "           1"},
        {"999999999999", "999999999999", "999999999999"},
        {"-99999999999", "-99999999999", "-99999999999"},
        {"-3520.4", "       -3520", "       -3520"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(AmountText(parseDecimal(c.value)), c.amount);
        EXPECT_EQ(ModeAmountText(parseDecimal(c.value), 3), c.mode3);
        EXPECT_EQ(ModeAmountText(parseDecimal(c.value), 1), c.amount);
    }
}

TEST(KeisanText, AmountsFitFromMinusElevenToTwelveDigits) {
    EXPECT_TRUE(AmountFits(parseDecimal("999999999999")));
    EXPECT_FALSE(AmountFits(parseDecimal("999999999999.5")));
    EXPECT_TRUE(AmountFits(parseDecimal("-99999999999")));
    EXPECT_FALSE(AmountFits(parseDecimal("-99999999999.5")));
}

TEST(KeisanText, SharesLoseTheirTenthsOrAreRoundedInModeThree) {
    struct Case {
        const char* value;
        int marume;
        const char* share;
    };
    const Case cases[] = {
        {"12.96", 1, "13"},   {"12.94", 1, "12"},   {"116.55", 2, "116"},  {"12.6", 3, "13"},
        {"12.4", 3, "12"},    {"307.4", 1, "307"},
        // Too long for twelve characters: only the tenths go, never leading digits.
        {"123456789012.34", 1, "123456789012"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(ShareRounded(parseDecimal(c.value), c.marume), parseDecimal(c.share));
    }
}

TEST(KeisanText, LastDigitsAreTakenFromTheValueRoundedToTenths) {
    EXPECT_EQ(LastDigits(parseDecimal("456"), 2), 56);
    EXPECT_EQ(LastDigits(parseDecimal("1235.5"), 1), 5);
    EXPECT_EQ(LastDigits(parseDecimal("1239.96"), 1), 0);
    EXPECT_EQ(LastDigits(parseDecimal("3518.4"), 3), 518);
}

} // namespace
