#include <gtest/gtest.h>

#include <array>
#include <string_view>

#include "support/TestRules.h"

using kiv::test::isAcceptedSkip;

TEST(TestRules, ASkipPassesOnlyWhenItsMessageStartsWithAnAcceptedReason) {
    const std::array<std::string_view, 2> accepted = {"needs a printer", "needs IPv6"};
    struct Case {
        const char* message;
        bool accepted;
    };
    const Case cases[] = {
        {"needs a printer", true},
        {"needs IPv6: none configured", true},
        {"root ignores folder permissions", false},
        {"", false},
        {"it needs a printer", false},   // the reason must lead, not merely appear
        {"needs a print", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isAcceptedSkip(c.message, accepted), c.accepted) << c.message;
    // Running as root is never a reason: the checks that once skipped themselves there run.
    EXPECT_FALSE(isAcceptedSkip("root ignores folder permissions"));
}
