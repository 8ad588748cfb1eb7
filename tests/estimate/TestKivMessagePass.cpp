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
    // One box, each text once in the order it first came.
    EXPECT_EQ(KivRecordedMessages(), (std::vector<std::string>{
                                         "A\n（3件。最初は項目 3 の 0007行目）\n\n"
                                         "B\n（1件。最初は分類 2 の 0001行目）",
                                     }));
    // A note about the pass joins the box once, as it is, after what came before it; outside a
    // pass it is shown at once.
    ClearKivRecordedMessages();
    {
        KivMessagePass pass;
        KivPassNote("N");
        EXPECT_FALSE(KivRowMessage("N", {1, 2}));
        KivPassNote("N");
    }
    EXPECT_EQ(KivRecordedMessages(), std::vector<std::string>{"N\n\nN\n（1件。最初は項目 1 の 0002行目）"});
    ClearKivRecordedMessages();
    KivPassNote("alone");
    EXPECT_EQ(KivRecordedMessages(), std::vector<std::string>{"alone"});
    // A second pass starts empty.
    ClearKivRecordedMessages();
    { KivMessagePass again; }
    EXPECT_TRUE(KivRecordedMessages().empty());
}

// A pass that goes over a row more than once (opening an estimate recalculates it several
// times) counts the rows the message was said of.
TEST_F(KivMessagePassTest, ARowSaidTwiceCountsOnce) {
    {
        KivMessagePass pass;
        for (int time = 0; time < 3; ++time)
            for (int gyou : {4, 5})
                KivRowMessage("A", {1, gyou});
        KivRowMessage("A", {2, 4});
        KivRowMessage("A", {1, 4, true});
    }
    EXPECT_EQ(KivRecordedMessages(), std::vector<std::string>{"A\n（4件。最初は項目 1 の 0004行目）"});
}

} // namespace
