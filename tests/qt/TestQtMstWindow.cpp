// A master opened by the real application on Qt's offscreen platform: its split window with the
// category tree and the master grid, rendered to a PNG under the build folder.
#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "estimate/MstFile.h"
#include "master/MstDoc.h"
#include "master/MstView.h"
#include "platform/files/Files.h"
#include "platform/profile/Profile.h"
#include "platform/qt/QtBackend.h"
#include "platform/text/Cp932.h"
#include "platform/ui/Frame.h"
#include "qt/QtTestApp.h"
#include "shell/KivApp.h"
#include "shell/MSplitFrame.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

using namespace kiv;
namespace fs = std::filesystem;

namespace {

TEST(QtMstWindow, MasterOpensInItsSplitWindowAndPaints) {
    QApplication& qapp = test::qtApp();
    (void)qapp;
    test::ScopedProfileHome home;
    test::TempDir exeDir, data;
    qt::QtBackend backend;
    for (const char* name : {"労務単価.rab", "電気設定.ett", "ヘッダー.hdr", "表紙.frm"})
        ASSERT_TRUE(files::writeFileAtomically(exeDir / name, ""));
    CKivDoc::SetProgramDirectory(exeDir.path());
    CKivDoc::s_BackupWriter = [](CKivDoc&) {};
    profile::Profile::user().writeString("Select_Section", "Select", "1");
    std::vector<std::string> rows;
    for (int bun = 1; bun <= 3; ++bun)
        for (int g = 1; g <= 2; ++g) {
            std::string row = GyouRecord::blankRow();
            GyouRecord::writeKey(row, bun, g);
            GyouRecord::putText(row, GyouRecord::Hinmei, text::sj("配管") + std::to_string(bun));
            GyouRecord::putNumber(row, GyouRecord::Tanka1, "1200");
            if (bun == 2 && g == 1)
                GyouRecord::putText(row, GyouRecord::Bikou1, text::sj("見出し"));
            rows.push_back(row);
        }
    const fs::path master = data / "m.MST";
    ASSERT_TRUE(files::writeFileAtomically(master, WriteMstFile(rows)));
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
        QWidget* tree = qt::QtBackend::widgetOf(*frame->m_wndSplitter->pane(0, 0));
        QWidget* grid = qt::QtBackend::widgetOf(*frame->m_wndSplitter->pane(0, 1));
        ASSERT_NE(tree, nullptr);
        ASSERT_NE(grid, nullptr);
        EXPECT_LT(tree->width(), grid->width());
        QWidget* window = qt::QtBackend::widgetOf(*main);
        ASSERT_TRUE(test::savePicture(window, "kiv-master-window.png"));

        // The captions green on grey, the rows' cells light yellow, 品名 of row 1 in ink.
        auto* view = dynamic_cast<CMstView*>(frame->m_wndSplitter->pane(0, 1));
        ASSERT_NE(view, nullptr);
        const QImage img = grid->grab().toImage();
        const int cw = view->m_CharWidth, lh = view->m_LineHeight;
        ASSERT_GT(cw, 0);
        EXPECT_TRUE(test::colourIn(img, 6 * cw, 36 * cw, 0, lh, QColor(0, 123, 67), 24));
        EXPECT_TRUE(test::colourIn(img, 6 * cw, 36 * cw, 2 * lh, 3 * lh, QColor(255, 255, 200)));
        EXPECT_TRUE(test::inkIn(img, 6 * cw, 12 * cw, 2 * lh + 2, 3 * lh - 2));
        const QImage treeImg = tree->grab().toImage();
        EXPECT_TRUE(test::colourIn(treeImg, 0, treeImg.width(), 0, treeImg.height(), QColor(0, 123, 67), 24));
    }
    test::settle();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ui::setBackend(nullptr);
    CKivDoc::s_BackupWriter = nullptr;
    CKivDoc::SetProgramDirectory({});
    CKivDoc::SetRunMode("");
}

} // namespace
