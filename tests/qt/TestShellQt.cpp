// The real application on Qt's offscreen platform: started with an estimate named on the
// command line, it shows the main window with the estimate in its split frame, rendered to a PNG
// under the build folder.
#include "estimate/KivDoc.h"
#include "estimate/KivFile.h"
#include "grid/GyouRecord.h"
#include "grid/KivView.h"
#include "platform/files/Files.h"
#include "platform/profile/Profile.h"
#include "platform/qt/QtBackend.h"
#include "platform/ui/Frame.h"
#include "qt/QtTestApp.h"
#include "shell/KivApp.h"
#include "shell/SplitFrame.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QToolBar>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace kiv;
namespace fs = std::filesystem;

namespace {

TEST(ShellQt, StartsWithTheCommandLineEstimateInItsSplitFrame) {
    test::qtApp();
    test::ScopedProfileHome home;
    test::TempDir exeDir, data;
    for (const char* name : {"労務単価.rab", "電気設定.ett", "ヘッダー.hdr", "表紙.frm"})
        ASSERT_TRUE(files::writeFileAtomically(exeDir / name, ""));
    CKivDoc::SetProgramDirectory(exeDir.path());
    CKivDoc::s_BackupWriter = [](CKivDoc&) {};
    profile::Profile::user().writeString("Select_Section", "Select", "1");

    std::array<std::string, kKivHyousiCount> covers;
    std::vector<std::string> rows;
    for (int k = 1; k <= 2; ++k) {
        std::string row = GyouRecord::blankRow();
        GyouRecord::writeKey(row, k, 1);
        rows.push_back(row);
    }
    fs::path job = data / "job.KIV";
    ASSERT_TRUE(files::writeFileAtomically(job, WriteKivFile(covers, rows)));

    qt::QtBackend backend;
    ui::setBackend(&backend);
    {
        CKivApp app;
        app.setArguments({"kiv", job.string()});
        ASSERT_TRUE(app.initInstance());
        kiv::test::settle();

        ui::MainFrame* main = app.mainFrame();
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(main->statusBar().paneTextById(59147), "電気設備積算");
        ASSERT_EQ(main->mdiChildren().size(), 1u);
        auto* frame = dynamic_cast<CSplitFrame*>(main->mdiChildren()[0]);
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->document()->title(), "job.KIV");
        EXPECT_EQ(main->currentMenu()->id, 141);
        // Both panes are on screen, side by side, the tree the narrower.
        QWidget* tree = qt::QtBackend::widgetOf(*frame->m_wndSplitter->pane(0, 0));
        QWidget* grid = qt::QtBackend::widgetOf(*frame->m_wndSplitter->pane(0, 1));
        ASSERT_NE(tree, nullptr);
        ASSERT_NE(grid, nullptr);
        EXPECT_TRUE(tree->isVisible());
        EXPECT_TRUE(grid->isVisible());
        EXPECT_LT(tree->width(), grid->width());
        EXPECT_GT(tree->width(), 0);

        QWidget* window = qt::QtBackend::widgetOf(*main);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(kiv::test::savePicture(window, "kiv-main-window.png"));

        // What only the grid's own drawing puts there: the captions in their blue on grey, the
        // rule between a row's two lines in its green-grey, the item numbers in black; and the
        // tree's labels.
        auto* view = dynamic_cast<CKivView*>(frame->m_wndSplitter->pane(0, 1));
        ASSERT_NE(view, nullptr);
        const QImage img = grid->grab().toImage();
        const int cw = view->m_CharWidth, lh = view->m_LineHeight;
        ASSERT_GT(cw, 0);
        ASSERT_GT(lh, 0);
        EXPECT_EQ(QColor(img.pixel(12 * cw, 3)), QColor(211, 211, 211));
        EXPECT_TRUE(kiv::test::colourIn(img, 11 * cw, 41 * cw, 0, lh, QColor(0, 0, 205), 24));        // 品名
        EXPECT_FALSE(kiv::test::colourIn(img, 11 * cw, 41 * cw, 2 * lh, 4 * lh, QColor(0, 0, 205), 24));
        EXPECT_TRUE(kiv::test::colourIn(img, 11 * cw, 41 * cw, 2 * lh, 4 * lh, QColor(180, 200, 150)));
        EXPECT_TRUE(kiv::test::inkIn(img, 1 * cw, 5 * cw, 2 * lh, 3 * lh - 2));                           // "0001"
        EXPECT_FALSE(kiv::test::inkIn(img, 11 * cw + 2, 40 * cw, 2 * lh + 2, 3 * lh - 2));                  // no name
        const QImage treeImg = tree->grab().toImage();
        EXPECT_TRUE(kiv::test::inkIn(treeImg, 0, treeImg.width(), 0, 3 * lh));

        // The user moves and resizes the window: the placement kept for the profile follows;
        // maximising keeps the last restored rectangle.
        window->move(140, 90);
        window->resize(700, 500);
        kiv::test::settle();
        EXPECT_EQ(main->windowRect().width(), 700);
        EXPECT_EQ(main->windowRect().height(), 500);
        EXPECT_EQ(main->windowRect().left, window->pos().x());
        window->showMaximized();
        kiv::test::settle();
        EXPECT_EQ(main->windowRect().width(), 700);

        // Where the user docked a toolbar is kept in the profile and put back, and survives the
        // bars being made anew (as hiding another bar does).
        auto* mw = qobject_cast<QMainWindow*>(window);
        ASSERT_NE(mw, nullptr);
        auto toolbar = [&](const char* name) { return mw->findChild<QToolBar*>(name); };
        ASSERT_NE(toolbar("toolbar166"), nullptr);
        mw->addToolBar(Qt::LeftToolBarArea, toolbar("toolbar166"));
        main->saveBarState("MainFrameBarState");
        EXPECT_FALSE(profile::Profile::user().getString("MainFrameBarState", "Layout").empty());
        main->showToolbar(128, false);
        kiv::test::settle();
        EXPECT_EQ(mw->toolBarArea(toolbar("toolbar166")), Qt::LeftToolBarArea);
        EXPECT_FALSE(toolbar("toolbar128")->isVisibleTo(mw));
        mw->addToolBar(Qt::TopToolBarArea, toolbar("toolbar166"));
        main->loadBarState("MainFrameBarState");
        kiv::test::settle();
        EXPECT_EQ(mw->toolBarArea(toolbar("toolbar166")), Qt::LeftToolBarArea);
        EXPECT_TRUE(toolbar("toolbar128")->isVisibleTo(mw));   // saved while it was shown
    }
    kiv::test::settle();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ui::setBackend(nullptr);
    CKivDoc::s_BackupWriter = nullptr;
    CKivDoc::SetProgramDirectory({});
    CKivDoc::SetRunMode("");
}

} // namespace
