#include "support/TestRules.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

#include "estimate/KivMessage.h"

namespace kiv::test {
namespace {

bool g_Running = false;

void endedEarly() {
    if (!g_Running)
        return;
    const testing::TestInfo* t = testing::UnitTest::GetInstance()->current_test_info();
    std::fprintf(stderr, "\nThe test program ended before its tests had finished%s%s%s: counted as a failure.\n",
                 t ? " (in " : "", t ? (std::string(t->test_suite_name()) + "." + t->name()).c_str() : "", t ? ")" : "");
    std::fflush(stderr);
    ::_exit(3);
}

std::string skipMessage(const testing::TestResult& r) {
    for (int i = 0; i < r.total_part_count(); ++i)
        if (r.GetTestPartResult(i).skipped())
            return r.GetTestPartResult(i).message();
    return {};
}

class Rules : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { ClearKivPrompts(); }

    // Called before the result is printed, while failures still count for the test.
    void OnTestEnd(const testing::TestInfo& info) override {
        const testing::TestResult& r = *info.result();
        if (r.Skipped()) {
            const std::string why = skipMessage(r);
            if (!isAcceptedSkip(why))
                ADD_FAILURE() << "skipped without a reason the runs accept: \"" << why << "\"";
        }
        const KivPromptLeftovers left = KivLeftoverPrompts();
        for (const std::string& q : left.unanswered)
            ADD_FAILURE() << "asked with no answer queued: " << q;
        if (left.unusedAnswers != 0)
            ADD_FAILURE() << left.unusedAnswers << " queued answer(s) left unused";
        ClearKivPrompts();
    }
};

} // namespace

bool isAcceptedSkip(std::string_view message, std::span<const std::string_view> accepted) {
    for (std::string_view reason : accepted)
        if (!reason.empty() && message.substr(0, reason.size()) == reason)
            return true;
    return false;
}

void installTestRules() {
    testing::UnitTest::GetInstance()->listeners().Append(new Rules);
    g_Running = true;
    std::atexit(endedEarly);
    std::at_quick_exit(endedEarly);
}

void testsFinished() { g_Running = false; }

} // namespace kiv::test
