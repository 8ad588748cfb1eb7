// A dialog the program runs modally blocks the main window on the real backend: while it is up it
// is the application's active modal widget, and clicks on the main window's menu bar and toolbar
// (delivered as the window system delivers them, so Qt's modality applies) do nothing. One
// dialog opened by a key in the estimate grid, one from a menu.
#include "estimate/KivDoc.h"
#include "estimate/KivFile.h"
#include "grid/KivView.h"
#include "platform/files/Files.h"
#include "platform/profile/Profile.h"
#include "platform/qt/QtBackend.h"
#include "platform/text/Cp932.h"
#include "platform/ui/Frame.h"
#include "print/AdressBook.h"
#include "qt/QtAppFixture.h"
#include "qt/QtTestApp.h"
#include "resources/CommandIds.h"
#include "shell/KivApp.h"
#include "shell/SplitFrame.h"

#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

using namespace kiv;
namespace fs = std::filesystem;

namespace {

class QtModalDialog : public test::QtAppFixture<> {
protected:
    fs::path job;

    void SetUp() override {
        SetUpWorld();
        std::array<std::string, kKivHyousiCount> covers;
        std::string row = GyouRecord::blankRow();
        GyouRecord::writeKey(row, 1, 1);
        job = data / "job.KIV";
        ASSERT_TRUE(files::writeFileAtomically(job, WriteKivFile(covers, {row})));
        const fs::path book = data / "book.adr";
        ASSERT_TRUE(files::writeFileAtomically(
            book, adress::formatAdressRecord({"0001", text::sj("東西商事"), "", "", "", "", "", ""})));
        profile::Profile::user().writeString("Adress_Section", "Adress_Data", book.string());
        ui::setBackend(&backend);
    }
};

// A click as the window system delivers it, at a point of a widget of the main window.
void clickAt(QWidget* top, QWidget* w, QPoint p) {
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, w->mapTo(top, p));
}

TEST_F(QtModalDialog, ARunningDialogIsModalAndTheMainWindowTakesNoClicks) {
    CKivApp app;
    app.setArguments({"kiv", job.string()});
    ASSERT_TRUE(app.initInstance());
    test::settle();
    ui::MainFrame* main = app.mainFrame();
    ASSERT_NE(main, nullptr);
    auto* mw = qobject_cast<QMainWindow*>(qt::QtBackend::widgetOf(*main));
    ASSERT_NE(mw, nullptr);
    mw->resize(1000, 700);
    test::settle();
    ASSERT_EQ(main->mdiChildren().size(), 1u);
    auto* frame = dynamic_cast<CSplitFrame*>(main->mdiChildren()[0]);
    ASSERT_NE(frame, nullptr);
    auto* view = dynamic_cast<CKivView*>(frame->m_wndSplitter->pane(0, 1));
    ASSERT_NE(view, nullptr);

    QAction* fileMenu = mw->menuBar()->actions().value(0);
    ASSERT_NE(fileMenu, nullptr);
    ASSERT_EQ(fileMenu->text(), QString("ﾌｧｲﾙ(&F)"));
    QToolButton* newButton = nullptr;
    for (QToolButton* b : mw->findChildren<QToolButton*>())
        if (b->property("kivCommand").toInt() == ui::cmd::FileNew && b->isVisible())
            newButton = b;
    ASSERT_NE(newButton, nullptr);
    QAction* marume = nullptr;
    std::function<void(QMenu*)> findIn = [&](QMenu* m) {
        for (QAction* a : m->actions()) {
            if (a->menu())
                findIn(a->menu());
            else if (a->data().toInt() == ID_MARUME)
                marume = a;
        }
    };
    for (QAction* a : mw->menuBar()->actions())
        if (a->menu())
            findIn(a->menu());
    ASSERT_NE(marume, nullptr);

    struct Case {
        const char* what;
        const char* title;
        std::function<void()> open;
    };
    const Case cases[] = {
        {"Home in the estimate grid", "相手先登録、宛先印刷",
         [&] {
             view->setFocus();
             test::settle();
             QTest::keyClick(mw->windowHandle(), Qt::Key_Home);
         }},
        {"設定 → 桁の丸め", "桁の丸め", [&] { marume->trigger(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Once the dialog is on the screen (a menu command runs after the menu has closed, so
        // the dialog comes up some events later):
        bool checked = false;
        QTimer whileUp;
        whileUp.setInterval(5);
        QObject::connect(&whileUp, &QTimer::timeout, [&] {
            QDialog* dialog = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible() && d->windowTitle() == QString::fromUtf8(c.title))
                    dialog = d;
            if (!dialog || checked)
                return;
            checked = true;
            whileUp.stop();
            EXPECT_EQ(QApplication::activeModalWidget(), dialog);

            // ﾌｧｲﾙ on the menu bar drops nothing down; 新規作成 on the toolbar opens nothing.
            clickAt(mw, mw->menuBar(), mw->menuBar()->actionGeometry(fileMenu).center());
            EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
            clickAt(mw, newButton, newButton->rect().center());
            test::settle();
            EXPECT_EQ(app.documents().size(), 1u);
            dialog->reject();
        });
        whileUp.start();
        c.open();
        for (int i = 0; i < 400 && !checked; ++i)
            QTest::qWait(5);
        whileUp.stop();
        EXPECT_TRUE(checked);
        test::settle();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_EQ(app.documents().size(), 1u);
    }
}

} // namespace
