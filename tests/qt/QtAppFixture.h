#pragma once
// The start-up world of a test that runs the real application on Qt's offscreen platform: a
// profile of its own, a program folder holding the four reference files (empty), the electrical
// mode, a data folder (with a helper that writes a small estimate into it) and the Qt backend;
// all of it undone after the test.
#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "estimate/KivFile.h"
#include "platform/files/Files.h"
#include "platform/profile/Profile.h"
#include "platform/qt/QtBackend.h"
#include "platform/ui/Backend.h"
#include "qt/QtTestApp.h"
#include "support/TempDir.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

namespace kiv::test {

template <class Base = ::testing::Test>
class QtAppFixture : public Base {
protected:
    QApplication& qapp = qtApp();   // before the backend, which watches its events
    ScopedProfileHome home;
    TempDir exeDir, data;
    qt::QtBackend backend;

    // The world without the backend, for a test that writes its files before the backend is set.
    void SetUpWorld() {
        for (const char* name : {"労務単価.rab", "電気設定.ett", "ヘッダー.hdr", "表紙.frm"})
            ASSERT_TRUE(files::writeFileAtomically(exeDir / name, ""));
        CKivDoc::SetProgramDirectory(exeDir.path());
        CKivDoc::s_BackupWriter = [](CKivDoc&) {};
        profile::Profile::user().writeString("Select_Section", "Select", "1");
    }
    void SetUp() override {
        SetUpWorld();
        ui::setBackend(&backend);
    }
    // An estimate of one blank row in the data folder.
    std::filesystem::path writeEstimate(const std::string& name) {
        std::array<std::string, kKivHyousiCount> covers;
        std::string row = GyouRecord::blankRow();
        GyouRecord::writeKey(row, 1, 1);
        const std::filesystem::path p = data / name;
        EXPECT_TRUE(files::writeFileAtomically(p, WriteKivFile(covers, {row})));
        return p;
    }
    void TearDown() override {
        settle();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ui::setBackend(nullptr);
        CKivDoc::s_BackupWriter = nullptr;
        CKivDoc::SetProgramDirectory({});
        CKivDoc::SetRunMode("");
    }
};

} // namespace kiv::test
