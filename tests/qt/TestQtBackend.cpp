// The Qt backend on Qt's offscreen platform: the main window with a document window whose view
// draws Japanese and ASCII text in the grid font, rendered to a PNG under the build folder.
#include "platform/qt/QtBackend.h"
#include "platform/qt/QtDc.h"
#include "platform/ui/App.h"
#include "platform/ui/Frame.h"
#include "resources/MainFrameResources.h"
#include "support/TempDir.h"
#include "qt/QtTestApp.h"
#include "support/UiTestViews.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QMessageBox>
#include <QTimer>
#include <QFontMetricsF>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

using namespace kiv;
using namespace kiv::ui;

namespace {

class GridMainFrame : public MainFrame {
public:
    int onCreate() override {
        addToolbar(res::standardToolbar());
        statusBar().setIndicators(res::statusIndicators());
        statusBar().setPaneText(statusBar().commandToIndex(res::ID_INDICATOR_MODE), "電気設備積算");
        return 0;
    }
};

class GridApp : public App {
public:
    DocTemplate* grid = nullptr;
    bool initInstance() override {
        grid = addDocTemplate(std::make_unique<DocTemplate>(129, "\n内訳書\n内訳書\n\n.MES\n\n",
                                                            factoryOf<kiv::test::LineDocument>(),
                                                            factoryOf<ChildFrame>(), factoryOf<kiv::test::GridTestView>()));
        auto* main = setMainFrame(std::make_unique<GridMainFrame>());
        if (!main->loadFrame(&res::mainFrameMenu(), &res::mainFrameAccelerators(), "Kiv"))
            return false;
        main->show(true);
        return true;
    }
};

TEST(QtBackend, RendersTheGridFontCellByCell) {
    kiv::test::qtApp();
    kiv::test::ScopedProfileHome profile;
    qt::QtBackend backend;
    GridApp app;
    setBackend(&backend);
    ASSERT_TRUE(app.initInstance());
    app.mainFrame()->setGeometry(Rect::fromSize(0, 0, 900, 600));
    ASSERT_NE(app.grid->openDocumentFile({}), nullptr);
    app.mainFrame()->sendCommand(cmd::WindowTileHorz);
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();

    auto* view = dynamic_cast<kiv::test::GridTestView*>(app.activeView());
    ASSERT_NE(view, nullptr);
    EXPECT_GE(view->paints, 1);
    QWidget* surface = qt::QtBackend::widgetOf(*view);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->width(), view->clientRect().width());
    QImage img = surface->grab().toImage();

    // The grid font is the monospaced Japanese face: a full-width character is two cells.
    Font gridFont = view->gridFont();
    TextMetrics tm = qt::qtMetricsOf(gridFont);
    int cw = tm.aveCharWidth;
    ASSERT_EQ(cw, view->cw);
    EXPECT_EQ(cw, 7);
    QFontMetricsF fm(qt::qtFontOf(gridFont));
    EXPECT_NEAR(fm.horizontalAdvance(QString::fromUtf8("漢")), 2.0 * cw, 0.5);
    EXPECT_EQ(QFontInfo(qt::qtFontOf(gridFont)).family(), "IPAGothic");

    // Row 1 holds "漢字ABCｶﾅ" from cell 1: both halves of 漢 and 字 carry ink, "A" stands in
    // cell 5, "ﾅ" in cell 9, and cell 10 is empty.
    int y0 = view->lh + 2, y1 = y0 + tm.height;
    for (int cell : {1, 2, 3, 4, 5, 8, 9})
        EXPECT_TRUE(kiv::test::inkIn(img, cell * cw, (cell + 1) * cw, y0, y1)) << "cell " << cell;
    EXPECT_FALSE(kiv::test::inkIn(img, 10 * cw + 1, 11 * cw, y0, y1));
    // The caption's grey background and blue text.
    EXPECT_EQ(QColor(img.pixel(9 * cw, 3)), QColor(211, 211, 211));

    QWidget* window = qt::QtBackend::widgetOf(*app.mainFrame());
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(kiv::test::savePicture(window, "qt-grid-window.png"));

    app.mainFrame()->destroyWindow();
    collectGarbage();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    setBackend(nullptr);
}

// An exception that leaves a command, or any other handler of an event, is said in a message
// naming the command, and the program goes on: the next command runs.
TEST(QtBackend, AnExceptionLeavingACommandIsReportedAndTheProgramGoesOn) {
    kiv::test::qtApp();
    qt::QtBackend backend;
    setBackend(&backend);
    struct ThrowingApp : App {
        bool handlesCommand(int id) const override { return id == 1234 || id == 1235; }
        bool onCommand(int id) override {
            if (id == 1234)
                throw std::runtime_error("boom");
            ran = id;
            return true;
        }
        int ran = 0;
    } app;
    std::vector<std::string> shown;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                shown.push_back(box->text().toStdString());
                box->done(0);
            }
    });
    answer.start(20);
    const auto runLater = [](std::function<void()> f) {
        bool done = false;
        QTimer::singleShot(0, [&, f] {
            done = true;
            f();
        });
        for (int i = 0; i < 200 && (!done || QApplication::activeModalWidget()); ++i)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        kiv::test::settle();
    };
    runLater([&] { app.routeCommand(1234); });
    EXPECT_EQ(shown, (std::vector<std::string>{"内部エラーが発生しました。\nコマンド: (1234)\nboom"}));
    EXPECT_FALSE(app.isBusy());   // timers and backups are not held back for ever
    runLater([&] { app.routeCommand(1235); });
    EXPECT_EQ(app.ran, 1235);
    // Outside any command: the reason alone.
    runLater([] { throw std::logic_error("paint"); });
    EXPECT_EQ(shown.back(), "内部エラーが発生しました。\npaint");
    EXPECT_EQ(shown.size(), 2u);
    setBackend(nullptr);
}

// Return in a message box presses its default button: OK, or ｷｬﾝｾﾙ when the second button is
// asked to be the default.
TEST(QtBackend, ReturnInAMessageBoxPressesItsDefaultButton) {
    kiv::test::qtApp();
    qt::QtBackend backend;
    setBackend(&backend);
    struct Case {
        unsigned style;
        std::string defaultButton;
        int answer;
    };
    for (const Case& c : {Case{MB_OKCANCEL, "OK", IDOK}, Case{MB_OKCANCEL | MB_DEFBUTTON2, "キャンセル", IDCANCEL},
                          Case{MB_YESNO | MB_DEFBUTTON2, "いいえ(&N)", IDNO}}) {
        SCOPED_TRACE(c.defaultButton);
        std::string shownDefault;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            if (QPushButton* b = box->defaultButton())
                shownDefault = b->text().toStdString();
            QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(box, &key);
        });
        MessageBoxRequest req;
        req.text = "上書き保存しますか？";
        req.style = c.style;
        EXPECT_EQ(backend.messageBox(req), c.answer);
        EXPECT_EQ(shownDefault, c.defaultButton);
    }
    setBackend(nullptr);
}

} // namespace
