// The document windows on Qt: Ctrl+F6 and Ctrl+Tab (with Shift backwards) pressed in a view
// switch the active window for the program and for Qt alike, and the ｳｨﾝﾄﾞｳ menu of the menu
// bar lists the windows with the active one checked.
#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "estimate/KivFile.h"
#include "estimate/KivMessage.h"
#include "master/MstFixture.h"
#include "platform/files/Files.h"
#include "platform/qt/QtBackend.h"
#include "platform/ui/Frame.h"
#include "platform/ui/View.h"
#include "qt/QtAppFixture.h"
#include "qt/QtTestApp.h"
#include "shell/KivApp.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

using namespace kiv;
namespace fs = std::filesystem;

namespace {

using QtWindowSwitch = test::QtAppFixture<>;

// A key pressed and released in the widget, through the application as the user's keys go.
void pressIn(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    test::settle();
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : w, &release);
    test::settle();
}

TEST_F(QtWindowSwitch, KeysSwitchTheWindowsAndTheMenuListsThem) {
    CKivApp app;
    app.setArguments({"kiv", writeEstimate("A.KIV").string()});
    ASSERT_TRUE(app.initInstance());
    test::settle();
    std::vector<std::string> asked;
    SetKivAskHook([&](const std::string& q, KivAskDefault) {
        asked.push_back(q);
        return false;
    });
    app.openDocumentFile(writeEstimate("B.KIV"));
    const fs::path master = data / "M.MST";
    ASSERT_TRUE(files::writeFileAtomically(master, kivtest::mstBytes(kivtest::threeCategories())));
    app.OpenFile(master);
    test::settle();
    ui::MainFrame* main = app.mainFrame();
    const std::vector<ui::ChildFrame*> frames = main->mdiChildren();
    ASSERT_EQ(frames.size(), 3u);
    auto* window = qobject_cast<QMainWindow*>(qt::QtBackend::widgetOf(*main));
    ASSERT_NE(window, nullptr);
    auto* mdi = window->findChild<QMdiArea*>();
    ASSERT_NE(mdi, nullptr);
    auto* a = dynamic_cast<CKivDoc*>(frames[0]->document());
    ASSERT_NE(a, nullptr);
    const int rows = a->PoolGyouCount();

    struct Press {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int expected;   // index of the window opened so
    } presses[] = {
        {Qt::Key_F6, Qt::ControlModifier, 0},
        {Qt::Key_Tab, Qt::ControlModifier, 1},
        {Qt::Key_Tab, Qt::ControlModifier, 2},
        {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 1},
        {Qt::Key_F6, Qt::ControlModifier | Qt::ShiftModifier, 0},
        {Qt::Key_F6, Qt::ControlModifier | Qt::ShiftModifier, 2},
    };
    for (const Press& p : presses) {
        SCOPED_TRACE(testing::Message() << "key " << p.key << " to window " << p.expected);
        ui::View* view = main->activeChild()->activeView();
        ASSERT_NE(view, nullptr);
        QWidget* target = qt::QtBackend::widgetOf(*view);
        ASSERT_NE(target, nullptr);
        pressIn(target, p.key, p.mods, p.key == Qt::Key_F6 ? QString() : QString("\t"));
        EXPECT_EQ(main->activeChild(), frames[static_cast<std::size_t>(p.expected)]);
        ASSERT_NE(mdi->activeSubWindow(), nullptr);
        EXPECT_EQ(mdi->activeSubWindow()->windowTitle().toStdString(), frames[static_cast<std::size_t>(p.expected)]->title());
        EXPECT_TRUE(asked.empty());   // no 項目削除 from an F6 release
        EXPECT_EQ(a->PoolGyouCount(), rows);   // no row sent from the master by its Tab
    }

    // The ｳｨﾝﾄﾞｳ menu, as it opens: its own four items, a separator, the three windows.
    QMenu* windowMenu = nullptr;
    for (QAction* top : window->menuBar()->actions())
        if (top->text() == QString::fromUtf8("ｳｨﾝﾄﾞｳ(&W)"))
            windowMenu = top->menu();
    ASSERT_NE(windowMenu, nullptr);
    emit windowMenu->aboutToShow();
    std::vector<std::string> texts;
    for (QAction* act : windowMenu->actions())
        texts.push_back((act->isChecked() ? "*" : "") + (act->isSeparator() ? std::string("-") : act->text().toStdString()));
    const std::vector<std::string> expected{"新しいｳｨﾝﾄﾞｳを開く(&N)", "重ねて表示(&C)", "並べて表示(&T)", "ｱｲｺﾝの整列(&A)", "-",
                                            "&1 A.KIV", "&2 B.KIV", "*&3 M.MST"};
    EXPECT_EQ(texts, expected);
    // Choosing an entry activates its window (the command runs once the menu has closed).
    windowMenu->actions()[5]->trigger();
    test::settle();
    EXPECT_EQ(main->activeChild(), frames[0]);
    EXPECT_EQ(mdi->activeSubWindow()->windowTitle().toStdString(), "A.KIV");

    SetKivAskHook({});
    while (!main->mdiChildren().empty()) {
        main->activeChild()->sendCommand(57602);
        test::settle();
    }
}

} // namespace
