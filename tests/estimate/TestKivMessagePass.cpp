// Row messages in and out of a pass over many rows.
#include <gtest/gtest.h>

#include "estimate/KivMessage.h"
#include "estimate/KivMessagePass.h"

namespace {

class KivMessagePassTest : public testing::Test {
protected:
    void SetUp() override { ClearKivPrompts(); }
    void TearDown() override { ClearKivPrompts(); }
};

TEST_F(KivMessagePassTest, OutsideAPassTheMessageIsShownAtOnce) {
    EXPECT_FALSE(KivMessagePass::Active());
    EXPECT_TRUE(KivRowMessage("A", {1, 2}));
    EXPECT_EQ(KivRecordedMessages(), std::vector<std::string>{"A"});
}

TEST_F(KivMessagePassTest, NestedPassesReportOnceEachTextWithCountAndFirstPlace) {
    {
        KivMessagePass outer;
        EXPECT_FALSE(KivRowMessage("A", {3, 7}));
        {
            KivMessagePass inner;
            EXPECT_TRUE(KivMessagePass::Active());
            EXPECT_FALSE(KivRowMessage("B", {2, 1, true}));
            EXPECT_FALSE(KivRowMessage("A: row 9", {1, 9}, "A"));
        }
        EXPECT_TRUE(KivRecordedMessages().empty());   // the inner pass joined the outer one
        EXPECT_FALSE(KivRowMessage("A", {1, 10}));
    }
    EXPECT_FALSE(KivMessagePass::Active());
    EXPECT_EQ(KivRecordedMessages(), (std::vector<std::string>{
                                         "A\n（3件。最初は項目 3 の 0007行目）",
                                         "B\n（1件。最初は分類 2 の 0001行目）",
                                     }));
    // A second pass starts empty.
    ClearKivRecordedMessages();
    { KivMessagePass again; }
    EXPECT_TRUE(KivRecordedMessages().empty());
}

} // namespace
