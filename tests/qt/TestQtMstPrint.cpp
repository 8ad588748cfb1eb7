// A master printed end to end on the Qt backend: 印刷 of the master window to a PDF file that
// poppler's tools read back (page count, paper, the index and a category page's texts).
#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "estimate/MstFile.h"
#include "master/MstView.h"
#include "platform/files/Files.h"
#include "platform/print/PrintView.h"
#include "platform/profile/Profile.h"
#include "platform/qt/QtBackend.h"
#include "platform/text/Cp932.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Keys.h"
#include "qt/QtTestApp.h"
#include "shell/KivApp.h"
#include "shell/MSplitFrame.h"
#include "support/TempDir.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>

using namespace kiv;
namespace fs = std::filesystem;

namespace {

std::string run(const std::string& command) {
    std::string out;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
            out.append(buf, n);
        ::pclose(p);
    }
    return out;
}

TEST(QtMstPrint, MasterToPdfReadBackByPoppler) {
    test::qtApp();
    test::ScopedProfileHome home;
    test::TempDir exeDir, data;
    qt::QtBackend backend;
    for (const char* name : {"労務単価.rab", "電気設定.ett", "ヘッダー.hdr", "表紙.frm"})
        ASSERT_TRUE(files::writeFileAtomically(exeDir / name, ""));
    CKivDoc::SetProgramDirectory(exeDir.path());
    CKivDoc::s_BackupWriter = [](CKivDoc&) {};
    profile::Profile::user().writeString("Select_Section", "Select", "1");
    print::resetRunSettings();
    // Three categories; category 2 of 30 rows takes two pages.
    std::vector<std::string> rows;
    for (int bun = 1; bun <= 3; ++bun)
        for (int g = 1; g <= (bun == 2 ? 30 : 1); ++g) {
            std::string row = GyouRecord::blankRow();
            GyouRecord::writeKey(row, bun, g);
            GyouRecord::putText(row, GyouRecord::Hinmei, text::sj("配管") + std::to_string(bun) + "-" + std::to_string(g));
            GyouRecord::putNumber(row, GyouRecord::Tanka1, "1234567");
            rows.push_back(row);
        }
    const fs::path master = data / "m.MST";
    ASSERT_TRUE(files::writeFileAtomically(master, WriteMstFile(rows)));
    const fs::path pdf = data / "master.pdf";
    ui::setBackend(&backend);
    {
        CKivApp app;
        app.setArguments({"kiv", master.string()});
        ASSERT_TRUE(app.initInstance());
        test::settle();
        ui::MainFrame* main = app.mainFrame();
        ASSERT_NE(main, nullptr);
        ASSERT_EQ(main->mdiChildren().size(), 1u);
        auto* frame = dynamic_cast<CMSplitFrame*>(main->mdiChildren()[0]);
        ASSERT_NE(frame, nullptr);
        auto* view = dynamic_cast<CMstView*>(frame->m_wndSplitter->pane(0, 1));
        ASSERT_NE(view, nullptr);
        print::PrintSettings s;
        s.target = print::PrintSettings::Target::File;
        s.file = pdf;
        print::setRunSettings(s);
        // Direct printing: straight to the file chosen earlier in the run.
        view->onCommand(ui::cmd::FilePrintDirect);
        test::settle();
    }
    ASSERT_TRUE(fs::exists(pdf));
    const std::string info = run("pdfinfo '" + pdf.string() + "' 2>&1");
    // One index page, then 1 + 2 + 1 category pages.
    EXPECT_TRUE(std::regex_search(info, std::regex("Pages: +5\n"))) << info;
    EXPECT_TRUE(std::regex_search(info, std::regex("Page size: +595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)"))) << info;
    const std::string index = run("pdftotext -f 1 -l 1 -layout '" + pdf.string() + "' - 2>&1");
    for (const char* t : {"複合単価", "配管1-1", "配管2-1", "配管3-1", "1,234,567", "-1-"})
        EXPECT_NE(index.find(t), std::string::npos) << t << "\n" << index;
    const std::string page4 = run("pdftotext -f 4 -l 4 -layout '" + pdf.string() + "' - 2>&1");
    for (const char* t : {"配管2-29", "配管2-30", "-4-"})
        EXPECT_NE(page4.find(t), std::string::npos) << t << "\n" << page4;
    EXPECT_EQ(page4.find("配管2-28"), std::string::npos);
    test::settle();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ui::setBackend(nullptr);
    print::resetRunSettings();
    CKivDoc::s_BackupWriter = nullptr;
    CKivDoc::SetProgramDirectory({});
    CKivDoc::SetRunMode("");
}

} // namespace
