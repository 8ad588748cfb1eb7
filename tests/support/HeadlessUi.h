#pragma once
// The headless window backend installed for one test, with a profile of its own; a prompt the
// test did not queue an answer for fails the test, and so does an answer left unused.
#include "platform/headless/HeadlessBackend.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kiv::test {

class HeadlessUi {
public:
    HeadlessUi() {
        ui::setBackend(&backend);
        backend.onUnexpectedPrompt = [](const std::string& what) { ADD_FAILURE() << what; };
    }
    ~HeadlessUi() {
        EXPECT_EQ(backend.pendingAnswers(), 0u) << "prompt answers left unused";
        ui::setBackend(nullptr);
    }
    HeadlessUi(const HeadlessUi&) = delete;
    HeadlessUi& operator=(const HeadlessUi&) = delete;

    ScopedProfileHome profile;
    ui::headless::HeadlessBackend backend;
};

} // namespace kiv::test
