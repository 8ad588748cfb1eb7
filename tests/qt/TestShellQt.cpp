// The real application on Qt's offscreen platform: started with an estimate named on the
// command line, it shows the main window with the estimate in its split frame, rendered to a PNG
// under the build folder; the status bar's message pane follows the menus and toolbar buttons.
#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "estimate/KivFile.h"
#include "grid/KivView.h"
#include "platform/files/Files.h"
#include "platform/profile/Profile.h"
#include "platform/qt/QtBackend.h"
#include "platform/ui/Frame.h"
#include "qt/QtAppFixture.h"
#include "qt/QtTestApp.h"
#include "shell/KivApp.h"
#include "shell/SplitFrame.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusBar>
#include <QToolBar>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace kiv;
namespace fs = std::filesystem;

namespace {

// The application's start-up world and an estimate file of two items.
class ShellQt : public test::QtAppFixture<> {
protected:
    fs::path job;

    void SetUp() override {
        SetUpWorld();

        std::array<std::string, kKivHyousiCount> covers;
        std::vector<std::string> rows;
        for (int k = 1; k <= 2; ++k) {
            std::string row = GyouRecord::blankRow();
            GyouRecord::writeKey(row, k, 1);
            rows.push_back(row);
        }
        job = data / "job.KIV";
        ASSERT_TRUE(files::writeFileAtomically(job, WriteKivFile(covers, rows)));
        ui::setBackend(&backend);
    }
};

TEST_F(ShellQt, StartsWithTheCommandLineEstimateInItsSplitFrame) {
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
}

// The 編集 menu open, the pointer on 行複写, then 切り取り highlighted: the message pane of the
// status bar shows each one's prompt, and the idle text again once the menu closes; a toolbar
// button's prompt shows while the pointer rests on it.
TEST_F(ShellQt, HighlightedMenuItemShowsItsPromptInTheStatusBar) {
    CKivApp app;
    app.setArguments({"kiv", job.string()});
    ASSERT_TRUE(app.initInstance());
    kiv::test::settle();
    ui::MainFrame* main = app.mainFrame();
    ASSERT_NE(main, nullptr);
    auto* mw = qobject_cast<QMainWindow*>(qt::QtBackend::widgetOf(*main));
    ASSERT_NE(mw, nullptr);
    mw->resize(1200, 700);   // room beside the fixed panes for the longer prompts
    kiv::test::settle();

    // The message pane is the status bar's first label.
    auto messageLabel = [&]() -> QLabel* {
        for (QLabel* l : mw->statusBar()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
            if (l->x() < mw->statusBar()->width() / 3)
                return l;
        return nullptr;
    };
    ASSERT_NE(messageLabel(), nullptr);
    EXPECT_EQ(messageLabel()->text(), QString("ﾚﾃﾞｨ"));

    QMenu* edit = nullptr;
    for (QAction* a : mw->menuBar()->actions())
        if (a->text() == QString("編集(&E)"))
            edit = a->menu();
    ASSERT_NE(edit, nullptr);
    edit->popup(mw->mapToGlobal(mw->menuBar()->actionGeometry(edit->menuAction()).bottomLeft()));
    kiv::test::settle();
    ASSERT_TRUE(edit->isVisible());
    QAction* gyouCopy = nullptr;
    for (QAction* a : edit->actions())
        if (a->data().toInt() == 32794)
            gyouCopy = a;
    ASSERT_NE(gyouCopy, nullptr);
    EXPECT_EQ(gyouCopy->text(), QString("行複写"));
    // The pointer comes to rest on the item (greyed or not, as the command may be).
    const QPoint onItem = edit->actionGeometry(gyouCopy).center();
    QMouseEvent move(QEvent::MouseMove, QPointF(onItem), QPointF(edit->mapToGlobal(onItem)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(edit, &move);
    kiv::test::settle();
    EXPECT_EQ(main->statusBar().paneText(0), "指定した行を他の場所に複写します");
    EXPECT_EQ(messageLabel()->text(), QString("指定した行を他の場所に複写します"));
    // The arrow key highlights the next item, 行挿入.
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(edit, &down);
    kiv::test::settle();
    ASSERT_NE(edit->activeAction(), nullptr);
    EXPECT_EQ(edit->activeAction()->data().toInt(), 32786);
    EXPECT_EQ(messageLabel()->text(), QString("編集中の行を１行下にずらし新たな行を挿入します"));

    // The picture: the window with the open menu laid over it where it stands on the screen.
    QImage picture = mw->grab().toImage();
    {
        QPainter painter(&picture);
        painter.drawPixmap(mw->mapFromGlobal(edit->mapToGlobal(QPoint(0, 0))), edit->grab());
    }
    auto png = kiv::test::outputFolder() / "kiv-menu-prompt.png";
    ASSERT_TRUE(picture.save(QString::fromStdString(png.string())));
    const QRect pane(messageLabel()->mapTo(mw, QPoint(0, 0)), messageLabel()->size());
    EXPECT_TRUE(kiv::test::inkIn(picture, pane.left(), pane.right(), pane.top(), pane.bottom()));

    edit->hide();
    kiv::test::settle();
    EXPECT_EQ(messageLabel()->text(), QString("ﾚﾃﾞｨ"));

    // Toolbar buttons: the prompt while the pointer rests on one, the tooltip after its line
    // break or else the button's own text.
    auto buttonOf = [&](int id) -> QWidget* {
        for (QToolBar* tb : mw->findChildren<QToolBar*>())
            for (QAction* a : tb->actions())
                if (QWidget* w = tb->widgetForAction(a); w && w->property("kivCommand").toInt() == id)
                    return w;
        return nullptr;
    };
    QWidget* copy = buttonOf(57634);
    QWidget* gyou = buttonOf(32794);
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(gyou, nullptr);
    EXPECT_EQ(copy->toolTip(), QString("ｺﾋﾟ-"));
    EXPECT_EQ(gyou->toolTip(), QString("行複写"));
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(copy->mapToGlobal(QPoint(2, 2))));
    QApplication::sendEvent(copy, &enter);
    EXPECT_EQ(messageLabel()->text(), QString("選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(copy, &leave);
    EXPECT_EQ(messageLabel()->text(), QString("ﾚﾃﾞｨ"));
}

} // namespace
