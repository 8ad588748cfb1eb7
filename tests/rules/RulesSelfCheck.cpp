// Tests that break the suite's rules on purpose, one per run: each must make its run fail. They
// are run one at a time by CTest, which passes when the run reports the broken rule.
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "estimate/KivMessage.h"
#include "rules/IncludeOrder.h"
#include "support/TempDir.h"

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

// The include rule over a copy of src/ with one include added that goes upward: the estimate
// document reaching the application shell.
TEST(BrokenRule, IncludesUpward) {
    namespace fs = std::filesystem;
    const kiv::test::TempDir dir;
    const fs::path root = dir.path() / "src";
    fs::copy(fs::path(KIV_SOURCE_DIR) / "src", root, fs::copy_options::recursive);
    std::ofstream(root / "estimate" / "KivDoc.h", std::ios::app) << "#include \"shell/KivApp.h\"\n";
    kiv::test::ExpectIncludesGoDownward(root);
}
