// The main window's title names the active document after every open, switch and close, with
// the document windows side by side and maximised alike.
#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "estimate/KivFile.h"
#include "platform/files/Files.h"
#include "platform/profile/Profile.h"
#include "platform/qt/QtBackend.h"
#include "platform/ui/Frame.h"
#include "qt/QtAppFixture.h"
#include "qt/QtTestApp.h"
#include "shell/KivApp.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

#include <gtest/gtest.h>

using namespace kiv;
namespace fs = std::filesystem;

namespace {

using QtMainTitle = test::QtAppFixture<>;

// Opened, created, maximised, switched by a click on another window and closed: after each
// step the main window's title is "Kiv - " and the title of the window that is active both for
// the user (Qt's active window) and for the program (the frame's active document).
TEST_F(QtMainTitle, NamesTheActiveDocumentAfterEveryOpenSwitchAndClose) {
    CKivApp app;
    app.setArguments({"kiv", writeEstimate("テスト見積.KIV").string()});
    ASSERT_TRUE(app.initInstance());
    test::settle();
    ui::MainFrame* main = app.mainFrame();
    QWidget* window = qt::QtBackend::widgetOf(*main);
    auto* mdi = window->findChild<QMdiArea*>();
    ASSERT_NE(mdi, nullptr);
    auto expectTitle = [&](const std::string& document, const char* step) {
        SCOPED_TRACE(step);
        ASSERT_NE(main->activeChild(), nullptr);
        ASSERT_NE(mdi->activeSubWindow(), nullptr);
        EXPECT_EQ(main->activeChild()->document()->title(), document);
        EXPECT_EQ(mdi->activeSubWindow()->windowTitle().toStdString(), document);
        EXPECT_EQ(window->windowTitle().toStdString(), "Kiv - " + document);
    };
    expectTitle("テスト見積.KIV", "start");
    app.openDocumentFile(writeEstimate("B.KIV"));
    test::settle();
    expectTitle("B.KIV", "open B");

    // Maximised: the title keeps naming the active document, once.
    mdi->activeSubWindow()->showMaximized();
    test::settle();
    expectTitle("B.KIV", "maximised");
    main->sendCommand(57600);   // 新規作成
    test::settle();
    expectTitle("内訳書1", "new 1");
    main->sendCommand(57600);
    test::settle();
    expectTitle("内訳書2", "new 2");
    for (QMdiSubWindow* sub : mdi->subWindowList())
        if (sub->windowTitle() == QString::fromUtf8("テスト見積.KIV"))
            mdi->setActiveSubWindow(sub);   // the user's click on the first window
    test::settle();
    expectTitle("テスト見積.KIV", "switch");
    main->activeChild()->sendCommand(57602);   // 閉じる
    test::settle();
    const std::string next = main->activeChild()->document()->title();
    EXPECT_NE(next, "テスト見積.KIV");
    expectTitle(next, "close");
    mdi->activeSubWindow()->showNormal();
    test::settle();
    expectTitle(next, "restored");
    while (!main->mdiChildren().empty()) {
        main->activeChild()->sendCommand(57602);
        test::settle();
    }
    EXPECT_EQ(window->windowTitle().toStdString(), "Kiv");
}

} // namespace
