// Tests that break the suite's rules on purpose, one per run: each must make its run fail. They
// are run one at a time by CTest, which passes when the run reports the broken rule.
#include <cstdlib>

#include <gtest/gtest.h>

#include "estimate/KivMessage.h"

TEST(BrokenRule, SkipsWithoutAnAcceptedReason) { GTEST_SKIP() << "root ignores folder permissions"; }

TEST(BrokenRule, AsksWithNoAnswerQueued) {
    EXPECT_FALSE(KivAsk("上書き保存しますか？"));
}

TEST(BrokenRule, LeavesAnAnswerUnused) {
    QueueKivAnswer(true);
    QueueKivSaveFileAnswer(std::string("/tmp/x.KIV"));
}

TEST(BrokenRule, SaveDialogWithNoAnswerQueued) {
    EXPECT_FALSE(KivChooseSaveFile({"KIV", "/data/job.KIV", "KIV(*.KIV)|*.KIV|"}));
}

TEST(BrokenRule, EndsTheProgramWithZeroInTheMiddle) { std::exit(0); }

TEST(BrokenRule, QuickExitWithZeroInTheMiddle) { std::quick_exit(0); }
