#pragma once
// The application started on the headless backend with a profile, a program folder holding the
// reference files every estimate reads, and backups recorded instead of written.
#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "estimate/KivFile.h"
#include "estimate/KivMessage.h"
#include "platform/files/Files.h"
#include "platform/print/PrintView.h"
#include "platform/profile/Profile.h"
#include "platform/ui/Frame.h"
#include "shell/KivApp.h"
#include "support/HeadlessUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kiv::test {

class ShellTest : public ::testing::Test {
protected:
    HeadlessUi ui;
    TempDir exeDir;
    TempDir data;
    std::unique_ptr<CKivApp> app;
    std::vector<std::string> backups;   // paths of the estimates whose backup was due

    void SetUp() override {
        ClearKivPrompts();
        for (const char* name : {"労務単価.rab", "電気設定.ett", "機械設定.mtt", "ヘッダー.hdr", "表紙.frm"})
            ASSERT_TRUE(files::writeFileAtomically(exeDir / name, ""));
        CKivDoc::SetProgramDirectory(exeDir.path());
        CKivDoc::s_BackupWriter = [this](CKivDoc& d) { backups.push_back(d.GetPathName()); };
    }
    void TearDown() override {
        app.reset();
        CKivDoc::s_BackupWriter = nullptr;
        CKivDoc::SetProgramDirectory({});
        CKivDoc::SetRunMode("");
    }

    ui::headless::HeadlessBackend& hb() { return ui.backend; }
    profile::Profile& profile() { return profile::Profile::user(); }

    void storeMode(const std::string& mode) { profile().writeString("Select_Section", "Select", mode); }

    // Starts the application as `kiv args...` with the stored mode; returns the exit code of a
    // start that ended (or 0 once the main window is up).
    int start(const std::string& mode, std::vector<std::string> args = {}) {
        if (!mode.empty())
            storeMode(mode);
        app = std::make_unique<CKivApp>();
        args.insert(args.begin(), "kiv");
        return ui::runApplication(*app, hb(), std::move(args));
    }

    // An estimate file with `items` items of two rows each.
    std::filesystem::path writeEstimate(const std::string& name, int items = 1) {
        std::array<std::string, kKivHyousiCount> covers;
        std::vector<std::string> rows;
        for (int k = 1; k <= items; ++k)
            for (int g = 1; g <= 2; ++g) {
                std::string row = GyouRecord::blankRow();
                GyouRecord::writeKey(row, k, g);
                rows.push_back(row);
            }
        auto path = data / name;
        EXPECT_TRUE(files::writeFileAtomically(path, WriteKivFile(covers, rows)));
        return path;
    }
    std::filesystem::path writeFile(const std::string& name, const std::string& bytes = "x") {
        auto path = data / name;
        EXPECT_TRUE(files::writeFileAtomically(path, bytes));
        return path;
    }

    std::vector<ui::Document*> documents() const { return app->documents(); }
    ui::MainFrame& main() { return *app->mainFrame(); }
    std::string modePane() { return main().statusBar().paneTextById(59147); }
};

// The application started in the electrical mode for a printing test: every job starts from the
// run's default print settings (the system printer, A4), and leaves them so.
class ShellPrintTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        print::resetRunSettings();
        ASSERT_EQ(start("1"), 0);
    }
    void TearDown() override {
        print::resetRunSettings();
        ShellTest::TearDown();
    }
};

} // namespace kiv::test
