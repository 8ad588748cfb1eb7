#pragma once
// What the tests of the settings and labour dialogs share: the headless window backend with a
// profile of its own, a program folder holding the reference files an estimate reads when it is
// created, and the estimates of the test.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "estimate/KivDoc.h"
#include "estimate/KivMessage.h"
#include "estimate/RecalcSeams.h"
#include "platform/files/Files.h"
#include "support/HeadlessUi.h"
#include "support/TempDir.h"

namespace kiv::test {

class EstimateDialogTest : public ::testing::Test {
protected:
    EstimateDialogTest() {
        CKivDoc::SetRunMode("1");
        CKivDoc::SetProgramDirectory(exe.path());
    }
    ~EstimateDialogTest() override {
        docs.clear();
        CKivDoc::SetProgramDirectory({});
        CKivDoc::SetRunMode("");
        recalcSeams() = RecalcSeams();
        ClearKivPrompts();
    }

    // A new estimate, current from now on; it reads the files of the program folder.
    CKivDoc& openEstimate() {
        docs.push_back(std::make_unique<CKivDoc>());
        return *docs.back();
    }

    void writeFile(const std::filesystem::path& path, const std::string& bytes) {
        ASSERT_TRUE(files::writeFileAtomically(path, bytes));
    }
    static std::string fileBytes(const std::filesystem::path& path) {
        return files::readFile(path).value_or("<unreadable>");
    }

    ui::headless::HeadlessBackend& hb() { return ui.backend; }

    HeadlessUi ui;
    TempDir exe;
    std::vector<std::unique_ptr<CKivDoc>> docs;
};

} // namespace kiv::test
