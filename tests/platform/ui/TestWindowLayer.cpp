// The window layer on the headless backend: start-up, templates and the document manager, the
// recent files, command routing and accelerators, frames and splitters, view events, painting
// through the device context, caret, scroll bars, timers and the status bar.
#include "platform/files/Files.h"
#include "platform/profile/Profile.h"
#include "platform/text/Cp932.h"
#include "platform/ui/App.h"
#include "platform/ui/Frame.h"
#include "platform/ui/MessageBox.h"
#include "support/HeadlessUi.h"
#include "support/UiTestViews.h"

#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::ui;
using kiv::text::sj;
using kiv::test::GridTestView;
using kiv::test::LineDocument;

namespace {

const Menu kMenu{128, {MenuItem::popup("ﾌｧｲﾙ(&F)", {MenuItem::command("開く(&O)...\tCtrl+O", cmd::FileOpen),
                                                     MenuItem::separator(),
                                                     MenuItem::command("最新のﾌｧｲﾙ", cmd::FileMruFirst),
                                                     MenuItem::command("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", cmd::AppExit)})}};
const AcceleratorTable kAccel{128,
                              {{'C', ModCtrl, cmd::EditCopy},
                               {VK_INSERT, ModCtrl, cmd::EditCopy},
                               {VK_F6, ModNone, cmd::NextPane},
                               {VK_F6, ModShift, cmd::PrevPane}}};

class TestMainFrame : public MainFrame {
public:
    int onCreate() override {
        addToolbar({128, {{cmd::FileNew, "新規作成"}, {}, {cmd::EditCopy, "ｺﾋﾟｰ"}}});
        statusBar().setIndicators({{0, ""}, {59147, "　　　　"}, {cmd::IndicatorKana, "ｶﾅ"}, {cmd::IndicatorCaps, "CAP"}});
        dragAcceptFiles();
        return 0;
    }
    void preCreateWindow(Rect& r) override { r = Rect::fromSize(10, 20, 700, 500); }
};

class TestApp : public App {
public:
    DocTemplate* plain = nullptr;
    DocTemplate* split = nullptr;
    std::vector<std::string> appLog;
    bool initInstance() override {
        loadStdProfileSettings(5);
        plain = addDocTemplate(std::make_unique<DocTemplate>(
            129, "\nテスト\nテスト\nTest Files (*.tst)\n.TST\nTest.Document\nTest Document", factoryOf<LineDocument>(),
            factoryOf<ChildFrame>(), factoryOf<GridTestView>()));
        split = addDocTemplate(std::make_unique<DocTemplate>(141, "\n分割\n分割\nSplit Files (*.spl)\n.SPL\nS\nS",
                                                             factoryOf<LineDocument>(),
                                                             factoryOf<kiv::test::SplitTestFrame>()));
        auto* main = setMainFrame(std::make_unique<TestMainFrame>());
        if (!main->loadFrame(&kMenu, &kAccel, "Kiv"))
            return false;
        main->show(true);
        onCommandId(cmd::EditCut, [this] { appLog.push_back("app cut"); });
        return true;
    }
};

class WindowLayer : public ::testing::Test {
protected:
    kiv::test::HeadlessUi ui;
    TestApp app;
    void SetUp() override {
        ASSERT_EQ(runApplication(app, ui.backend, {"kiv"}), 0);
        ASSERT_NE(app.mainFrame(), nullptr);
    }
    headless::HeadlessBackend& hb() { return ui.backend; }
    GridTestView* activeGrid() { return dynamic_cast<GridTestView*>(app.activeView()); }
    std::filesystem::path writeDoc(const std::string& name, const std::string& line) {
        archive::ArchiveWriter w;
        w.writeString(line);
        auto p = ui.profile.path() / name;
        EXPECT_TRUE(files::writeFileAtomically(p, w.bytes()));
        return p;
    }
};

TEST(DeviceContext, LaysTextOutCellByCellAndFillsTheBackground) {
    headless::Recorder rec;
    headless::RecorderDc dc(rec, nullptr);
    dc.selectFont({"ＭＳ ゴシック", 14, 400});
    int cw = dc.textMetrics().aveCharWidth;
    ASSERT_EQ(cw, 7);
    dc.setTextColor(rgb(0, 0, 205));
    dc.setBkColor(rgb(211, 211, 211));
    dc.textOut(10, 5, sj("A漢ｶ B"));
    EXPECT_EQ(rec.textAt(10, 5, 6, cw), sj("A漢ｶ B"));
    // The double-byte character takes exactly cells 1 and 2, whatever the face's advances.
    EXPECT_EQ(rec.cellAt(10 + cw, 5)->byte, static_cast<unsigned char>(sj("漢")[0]));
    EXPECT_EQ(rec.cellAt(10 + 2 * cw, 5)->byte, static_cast<unsigned char>(sj("漢")[1]));
    EXPECT_EQ(rec.cellAt(10 + 3 * cw, 5)->byte, static_cast<unsigned char>(sj("ｶ")[0]));
    EXPECT_EQ(rec.cellAt(10, 5)->text, rgb(0, 0, 205));
    EXPECT_EQ(rec.fillColorAt({10 + 4 * cw, 6}), rgb(211, 211, 211));   // the blank is opaque too
    EXPECT_EQ(dc.textExtent(sj("A漢")).cx, 3 * cw);
    ASSERT_EQ(rec.find(sj("ｶ B")), (Point{10 + 3 * cw, 5}));

    // A fill erases what it covers; a hollow rectangle draws only its outline.
    dc.fillSolidRect(Rect::fromSize(10, 5, cw, 14), kWhite);
    EXPECT_EQ(rec.textAt(10, 5, 2, cw)[0], ' ');
    std::size_t before = rec.ops().size();
    dc.selectBrush(Brush::hollowBrush());
    dc.selectPen({PenStyle::Dot, 2, rgb(1, 2, 3)});
    dc.rectangle({0, 0, 50, 40});
    ASSERT_EQ(rec.ops().size(), before + 1);
    EXPECT_EQ(rec.ops().back().kind, headless::DrawOp::Frame);
    EXPECT_EQ(rec.ops().back().pen.style, PenStyle::Dot);
    EXPECT_EQ(rec.ops().back().pen.width, 2);
}

TEST(Region, SubtractsAndMovesRectangles) {
    Region r;
    r.add({0, 0, 100, 100});
    r.subtract({0, 20, 100, 40});
    EXPECT_TRUE(r.contains({50, 10}));
    EXPECT_FALSE(r.contains({50, 30}));
    EXPECT_TRUE(r.contains({50, 60}));
    r.offset(0, -20);
    EXPECT_TRUE(r.contains({50, 25}));
    r.subtract({0, -100, 100, 200});
    EXPECT_TRUE(r.isEmpty());
}

TEST_F(WindowLayer, StartsWithTheMainFrameAndNoDocument) {
    MainFrame& main = *app.mainFrame();
    EXPECT_EQ(main.geometry(), Rect::fromSize(10, 20, 700, 500));
    EXPECT_EQ(main.title(), "Kiv");
    EXPECT_TRUE(main.mdiChildren().empty());
    EXPECT_EQ(main.currentMenu(), &kMenu);
    EXPECT_EQ(app.activeView(), nullptr);
    EXPECT_EQ(main.statusBar().commandToIndex(59147), 1);
    EXPECT_FALSE(app.commandState(cmd::FileOpen).enabled);   // nobody handles it
    EXPECT_TRUE(app.commandState(cmd::AppExit).enabled);
    EXPECT_TRUE(app.commandState(cmd::EditCut).enabled);
}

TEST_F(WindowLayer, CreatesAnUntitledDocumentWithItsFrameAndView) {
    Document* doc = app.plain->openDocumentFile({});
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->title(), "テスト1");
    EXPECT_EQ(static_cast<LineDocument*>(doc)->deleted, 1);
    ASSERT_EQ(app.mainFrame()->mdiChildren().size(), 1u);
    ChildFrame* frame = app.mainFrame()->activeChild();
    EXPECT_EQ(frame->title(), "テスト1");
    GridTestView* v = activeGrid();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->document(), doc);
    hb().processPending();
    // Created, updated, shown, focused, then painted.
    std::vector<std::string> first(v->log.begin(), v->log.begin() + 4);
    EXPECT_EQ(first, (std::vector<std::string>{"create", "initialUpdate", "show", "setFocus"}));
    EXPECT_GE(v->paints, 1);
    EXPECT_EQ(app.plain->openDocumentFile({})->title(), "テスト2");
}

TEST_F(WindowLayer, OpensFilesThroughTheTemplateOfTheirExtensionOnce) {
    auto a = writeDoc("a.spl", sj("一行"));
    auto b = writeDoc("b.tst", "x");
    auto c = writeDoc("c.other", "y");
    Document* da = app.openDocumentFile(a);
    ASSERT_NE(da, nullptr);
    EXPECT_EQ(da->docTemplate(), app.split);   // ".spl" matches ".SPL" without regard to case
    EXPECT_EQ(static_cast<LineDocument*>(da)->line, sj("一行"));
    EXPECT_EQ(da->title(), "a.spl");
    EXPECT_EQ(app.openDocumentFile(b)->docTemplate(), app.plain);
    EXPECT_EQ(app.openDocumentFile(c)->docTemplate(), app.plain);   // any other extension: the first template
    EXPECT_EQ(app.mainFrame()->activeChild()->document()->pathName(), c);
    // Opening an open file activates its window instead of opening it again.
    EXPECT_EQ(app.openDocumentFile(a), da);
    EXPECT_EQ(app.mainFrame()->activeChild()->document(), da);
    EXPECT_EQ(app.documents().size(), 3u);
    EXPECT_EQ(app.findOpenDocument(b)->pathName(), b);

    // The recent files, newest first, with their menu texts, kept in the profile.
    ASSERT_EQ(app.recentFiles().entries().size(), 3u);
    EXPECT_EQ(app.recentFiles().entries()[0], c);
    EXPECT_EQ(app.recentFiles().menuText(2), "&3 " + a.string());
    auto items = app.mainFrame()->displayItems(kMenu.bar[0]);
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[3].id, cmd::FileMruFirst + 1);
    EXPECT_EQ(profile::Profile::user().getString("Recent File List", "File1"), c.string());
    RecentFileList again;
    again.load();
    EXPECT_EQ(again.entries(), app.recentFiles().entries());
}

TEST_F(WindowLayer, ReportsAFileThatCannotBeReadAndOpensNothing) {
    auto bad = ui.profile.path() / "bad.tst";
    ASSERT_TRUE(files::writeFileAtomically(bad, std::string("\xFF\xFF\xFF\x10", 4)));
    hb().expectMessageBox(IDOK, bad.string());
    EXPECT_EQ(app.openDocumentFile(bad), nullptr);
    hb().processPending();
    EXPECT_TRUE(app.documents().empty());
    EXPECT_TRUE(app.mainFrame()->mdiChildren().empty());
    hb().expectMessageBox(IDOK, "開けません");
    EXPECT_EQ(app.openDocumentFile(ui.profile.path() / "missing.tst"), nullptr);
}

TEST_F(WindowLayer, RecentFileCommandsOpenTheirEntry) {
    auto a = writeDoc("a.tst", "1");
    auto b = writeDoc("b.tst", "2");
    app.openDocumentFile(a);
    app.openDocumentFile(b);
    app.closeAllDocuments();
    hb().processPending();
    EXPECT_TRUE(app.documents().empty());
    EXPECT_TRUE(app.commandState(cmd::FileMruFirst + 1).enabled);
    EXPECT_FALSE(app.commandState(cmd::FileMruFirst + 2).enabled);
    hb().sendCommand(cmd::FileMruFirst + 1);
    ASSERT_EQ(app.documents().size(), 1u);
    EXPECT_EQ(app.documents()[0]->pathName(), a);
    EXPECT_EQ(app.recentFiles().entries()[0], a);
}

TEST_F(WindowLayer, RoutesCommandsFromTheActiveViewToTheApplication) {
    struct RoutedView : GridTestView {
        RoutedView() {
            onCommandId(cmd::EditCopy, [this] { log.push_back("view copy"); });
            onUpdateCommandId(cmd::EditPaste, [](CommandState& s) { s.enable(false); });
            onCommandId(cmd::EditPaste, [this] { log.push_back("view paste"); });
        }
    };
    app.plain->openDocumentFile({});   // a plain view first: the routed one must be the active one
    DocTemplate* t = app.addDocTemplate(std::make_unique<DocTemplate>(
        200, "\nR\nR\n\n.R\n\n", factoryOf<LineDocument>(), factoryOf<ChildFrame>(), factoryOf<RoutedView>()));
    Document* doc = t->openDocumentFile({});
    auto* v = static_cast<RoutedView*>(app.activeView());
    ASSERT_EQ(v->document(), doc);
    hb().sendCommand(cmd::EditCopy);
    EXPECT_EQ(v->log.back(), "view copy");
    // A disabled command does not run; one that only the application handles reaches it.
    EXPECT_FALSE(app.commandState(cmd::EditPaste).enabled);
    EXPECT_FALSE(app.routeCommand(cmd::EditPaste));
    hb().sendCommand(cmd::EditCut);
    EXPECT_EQ(app.appLog, (std::vector<std::string>{"app cut"}));
    // The document's own save-as (a framework command) asks for a name through the file dialog.
    auto target = ui.profile.path() / "saved.r";
    hb().expectFile(target);
    hb().sendCommand(cmd::FileSaveAs);
    EXPECT_EQ(doc->pathName(), target);
    EXPECT_TRUE(files::isRegularFile(target));
    EXPECT_EQ(app.mainFrame()->activeChild()->title(), "saved.r");
}

TEST_F(WindowLayer, TranslatesAcceleratorsBeforeTheViewSeesTheKey) {
    struct CopyView : GridTestView {
        CopyView() { onCommandId(cmd::EditCopy, [this] { log.push_back("copy"); }); }
    };
    DocTemplate* t = app.addDocTemplate(std::make_unique<DocTemplate>(
        201, "\nC\nC\n\n.C\n\n", factoryOf<LineDocument>(), factoryOf<ChildFrame>(), factoryOf<CopyView>()));
    t->openDocumentFile({});
    auto* v = static_cast<CopyView*>(app.activeView());
    v->log.clear();
    hb().sendKey(*v, 'C', 3, ModCtrl);
    // The key-down became the command: no key-down handler, no character; the key-up arrives.
    EXPECT_EQ(v->log, (std::vector<std::string>{"copy", "keyUp 67"}));
    EXPECT_TRUE(v->chars.empty());
    hb().sendKeyDown(*v, VK_INSERT, ModCtrl);
    EXPECT_EQ(v->log.back(), "copy");
    hb().sendKeyDown(*v, 'C', ModNone);
    EXPECT_EQ(v->log.back(), "keyDown 67");
}

TEST_F(WindowLayer, SplitterFrameSizesItsPanesAndMovesBetweenThem) {
    app.mainFrame()->dispatchSize({1000, 900});   // document windows are 3/4 of the client: 750 wide
    Document* doc = app.split->openDocumentFile({});
    ChildFrame* frame = app.mainFrame()->activeChild();
    ASSERT_EQ(frame->clientRect().width(), 750);
    auto* split = static_cast<kiv::test::SplitTestFrame*>(frame)->splitter;
    auto* left = static_cast<GridTestView*>(split->pane(0, 0));
    auto* right = static_cast<GridTestView*>(split->pane(0, 1));
    EXPECT_EQ(left->clientRect().width(), 214);   // 750 / 3.5, truncated
    EXPECT_EQ(right->geometry().left, 214 + Splitter::kBarWidth);
    EXPECT_EQ(right->geometry().right, 750);
    EXPECT_EQ(doc->views().size(), 2u);
    EXPECT_EQ(app.activeView(), right);
    // F6 and Shift+F6 move between the panes through the accelerators.
    hb().sendKeyDown(*right, VK_F6);
    EXPECT_EQ(app.activeView(), left);
    EXPECT_TRUE(left->hasFocus());
    EXPECT_EQ(right->log.back(), "killFocus");
    hb().sendKeyDown(*left, VK_F6, ModShift);
    EXPECT_EQ(app.activeView(), right);
    // Dragging the bar widens the left pane.
    hb().sendMouse(*split, MouseEvent::LButtonDown, {216, 50});
    hb().sendMouse(*split, MouseEvent::Move, {300, 50}, MK_LBUTTON);
    hb().sendMouse(*split, MouseEvent::LButtonUp, {300, 50});
    EXPECT_EQ(left->clientRect().width(), 298);
    // Resizing the frame keeps the left pane and gives the rest to the right one.
    frame->setGeometry(Rect::fromSize(0, 0, 900, 400));
    EXPECT_EQ(right->geometry().right, 900);
    EXPECT_EQ(right->clientRect().height(), 400);
}

TEST_F(WindowLayer, WindowCommandsTileAndOpenFurtherWindows) {
    app.mainFrame()->dispatchSize({600, 400});
    Document* d1 = app.plain->openDocumentFile({});
    app.plain->openDocumentFile({});
    hb().sendCommand(cmd::WindowTileHorz);
    auto& kids = app.mainFrame()->mdiChildren();
    ASSERT_EQ(kids.size(), 2u);
    // The active window on top, each as wide as the client and half as high.
    EXPECT_EQ(app.mainFrame()->activeChild()->geometry(), (Rect{0, 0, 600, 200}));
    EXPECT_EQ(kids[0]->geometry(), (Rect{0, 200, 600, 400}));
    hb().sendCommand(cmd::WindowCascade);
    EXPECT_EQ(kids[1]->geometry().left, 24);

    // A new window on the first document: both its frames carry a number.
    kids[0]->activateFrame();
    hb().sendCommand(cmd::WindowNew);
    ASSERT_EQ(d1->frames().size(), 2u);
    EXPECT_EQ(d1->frames()[0]->title(), "テスト1:1");
    EXPECT_EQ(d1->frames()[1]->title(), "テスト1:2");
    EXPECT_EQ(d1->views().size(), 2u);
    // Closing one of them keeps the document; closing the last closes it.
    d1->frames()[1]->dispatchClose();
    hb().processPending();
    ASSERT_EQ(d1->frames().size(), 1u);
    EXPECT_EQ(d1->frames()[0]->title(), "テスト1");
    d1->frames()[0]->dispatchClose();
    hb().processPending();
    EXPECT_EQ(app.documents().size(), 1u);
}

TEST_F(WindowLayer, ClosingAModifiedDocumentAsksFirst) {
    Document* doc = app.plain->openDocumentFile({});
    doc->setModifiedFlag();
    hb().expectMessageBox(IDCANCEL, "テスト1");
    hb().sendCommand(cmd::FileClose);
    EXPECT_EQ(app.documents().size(), 1u);
    hb().expectMessageBox(IDNO, "変更を保存");
    hb().sendCommand(cmd::FileClose);
    EXPECT_TRUE(app.documents().empty());
    EXPECT_EQ(app.activeView(), nullptr);
    EXPECT_EQ(app.mainFrame()->currentMenu(), &kMenu);
}

TEST_F(WindowLayer, DroppedFilesOpenAndExitClosesTheProgram) {
    auto a = writeDoc("drop.tst", "d");
    app.mainFrame()->dispatchDropFiles({a});
    ASSERT_EQ(app.documents().size(), 1u);
    hb().sendCommand(cmd::AppExit);
    EXPECT_TRUE(hb().quitRequested());
    // The main window is gone with the documents; the frame object lives on until the program's.
    ASSERT_NE(app.mainFrame(), nullptr);
    EXPECT_FALSE(app.mainFrame()->isCreated());
    EXPECT_TRUE(app.documents().empty());
}

TEST_F(WindowLayer, ViewReceivesKeysCharactersMouseScrollWheelAndTimers) {
    app.plain->openDocumentFile({});
    GridTestView& v = *activeGrid();
    v.log.clear();
    hb().sendKey(v, VK_RETURN, 13);
    hb().sendKeyDown(v, VK_ADD);
    hb().sendKeyDown(v, VK_F1);
    hb().sendText(v, "漢aｶ😀");   // the emoji has no CP932 form and is dropped
    const std::string kan = sj("漢"), kana = sj("ｶ");
    std::vector<unsigned> expected{13, static_cast<unsigned char>(kan[0]), static_cast<unsigned char>(kan[1]), 'a',
                                   static_cast<unsigned char>(kana[0])};
    EXPECT_EQ(v.chars, expected);
    hb().sendClick(v, {15, 30});
    hb().sendDoubleClick(v, {15, 30});
    hb().sendMouse(v, MouseEvent::RButtonDown, {1, 2});
    hb().sendScroll(v, SB_VERT, SB_THUMBTRACK, 7);
    hb().sendScroll(v, SB_HORZ, SB_LINERIGHT);
    hb().sendWheel(v, -120);
    hb().sendWheel(v, 3);
    v.setTimer(1, 600000);
    EXPECT_EQ(v.timerInterval(1), 600000);
    EXPECT_TRUE(hb().fireTimer(v, 1));
    v.killTimer(1);
    EXPECT_FALSE(hb().fireTimer(v, 1));
    std::vector<std::string> want{"keyDown 13", "keyUp 13",     "keyDown 107",   "keyDown 112",  "lDown 15,30",
                                  "lDown 15,30", "lDbl 15,30", "rDown 1,2",     "v 5 7",        "h 1 0",
                                  "wheel down",  "wheel up",    "timer 1"};
    EXPECT_EQ(v.log, want);
}

TEST_F(WindowLayer, TimersWaitWhileACommandRuns) {
    app.plain->openDocumentFile({});
    GridTestView& v = *activeGrid();
    v.setTimer(1, 1000);
    struct Busy : CommandTarget {};
    v.log.clear();
    {
        App::BusyScope busy;
        v.dispatchTimer(1);
        v.dispatchTimer(1);
        EXPECT_TRUE(v.log.empty());
    }
    hb().processPending();
    EXPECT_EQ(v.log, (std::vector<std::string>{"timer 1"}));   // one tick, after the command
}

TEST_F(WindowLayer, PaintsOnlyWhatIsInvalidAndScrollsPixels) {
    app.plain->openDocumentFile({});
    GridTestView& v = *activeGrid();
    hb().processPending();
    headless::Recorder& screen = hb().screen(v);
    int cw = v.cw, lh = v.lh;
    ASSERT_EQ(cw, 7);
    EXPECT_EQ(screen.textAt(cw, 2, 2, cw), sj("品名").substr(0, 2));
    EXPECT_EQ(screen.cellAt(cw, 2)->text, GridTestView::kCaptionText);
    EXPECT_EQ(screen.fillColorAt({3 * cw, 3}), GridTestView::kCaptionBack);
    EXPECT_EQ(screen.rowText(lh + 2, cw), " " + sj("漢字ABCｶﾅ"));
    EXPECT_EQ(screen.find("12345"), (Point{cw, 2 * lh + 2}));
    ASSERT_FALSE(screen.opsOf(headless::DrawOp::Line).empty());
    EXPECT_EQ(screen.opsOf(headless::DrawOp::Line).back().pen.style, PenStyle::Dot);

    // Nothing invalid: nothing painted.
    int paints = v.paints;
    hb().processPending();
    EXPECT_EQ(v.paints, paints);
    // Scrolling moves the drawn rows; validating the area keeps them from being repainted.
    Rect area{0, lh, 12 * cw, 3 * lh};
    v.scrollWindow(0, -lh, area);
    v.validateRect(area);
    hb().processPending();
    EXPECT_EQ(v.paints, paints);
    EXPECT_EQ(screen.find("12345"), (Point{cw, lh + 2}));
    EXPECT_EQ(screen.rowText(lh + 2, cw), " 12345");
    // An own device context draws at once.
    int fixedCw = headless::RecorderDc::metricsFor(Font::systemFixed()).aveCharWidth;
    v.getDc()->textOut(0, 100, "now");
    EXPECT_EQ(screen.textAt(0, 100, 3, fixedCw), "now");
    // Invalidate and update at once repaints before returning.
    v.invalidate();
    v.updateWindow();
    EXPECT_EQ(v.paints, paints + 1);
    EXPECT_EQ(screen.find("12345"), (Point{cw, 2 * lh + 2}));
    EXPECT_EQ(screen.textAt(0, 100, 3, fixedCw), "   ");   // the paint erased the background first
}

TEST_F(WindowLayer, KeepsCaretScrollBarsAndInputMethodState) {
    app.plain->openDocumentFile({});
    GridTestView& v = *activeGrid();
    v.showCaret();
    EXPECT_FALSE(v.caret().exists);
    v.createSolidCaret(2, 14);
    EXPECT_FALSE(v.caret().visible);   // a new caret starts hidden
    v.setCaretPos({21, 36});
    v.hideCaret();
    v.hideCaret();
    v.showCaret();   // one show after two hides shows it: a switch, not a counter
    EXPECT_TRUE(v.caret().visible);
    EXPECT_EQ(v.caret().pos, (Point{21, 36}));
    EXPECT_EQ(v.caret().height, 14);
    v.destroyCaret();
    EXPECT_FALSE(v.caret().exists);

    v.showScrollBar(SB_BOTH);
    v.setScrollRange(SB_VERT, 0, 30);
    EXPECT_EQ(v.setScrollPos(SB_VERT, 45), 0);
    EXPECT_EQ(v.scrollPos(SB_VERT), 30);   // kept inside the range
    v.setScrollRange(SB_VERT, 0, 5);
    EXPECT_EQ(v.scrollPos(SB_VERT), 5);
    v.setScrollRange(SB_HORZ, 0, 9);
    v.setScrollPos(SB_HORZ, -1);
    EXPECT_EQ(v.scrollPos(SB_HORZ), 0);
    EXPECT_TRUE(v.scrollBar(SB_HORZ).shown);

    v.setImeOpen(false);
    EXPECT_FALSE(v.imeOpen());
    v.setImeOpen(true);
    EXPECT_TRUE(v.imeOpen());
}

TEST_F(WindowLayer, StatusBarPanesByIdLockIndicatorsAndBarState) {
    MainFrame& main = *app.mainFrame();
    StatusBar& sb = main.statusBar();
    EXPECT_TRUE(sb.setPaneText(sb.commandToIndex(59147), "電気設備積算"));
    EXPECT_EQ(sb.paneTextById(59147), "電気設備積算");
    EXPECT_FALSE(sb.setPaneText(sb.commandToIndex(59999), "x"));
    EXPECT_EQ(sb.paneTextById(cmd::IndicatorCaps), "");
    hb().setLockKey(VK_CAPITAL, true);
    sb.refreshLockIndicators();
    EXPECT_EQ(sb.paneTextById(cmd::IndicatorCaps), "CAP");
    EXPECT_EQ(sb.paneTextById(cmd::IndicatorKana), "");

    hb().sendCommand(cmd::ViewToolbar);
    EXPECT_FALSE(main.isToolbarVisible(128));
    EXPECT_FALSE(app.commandState(cmd::ViewToolbar).checked);
    main.saveBarState("MainFrameBarState");
    main.showToolbar(128, true);
    main.loadBarState("MainFrameBarState");
    EXPECT_FALSE(main.isToolbarVisible(128));
    EXPECT_TRUE(sb.isVisible());
}

TEST_F(WindowLayer, WaitCursorNestsAndMessageBoxesUseTheProgramName) {
    app.beginWaitCursor();
    app.beginWaitCursor();
    app.endWaitCursor();
    EXPECT_TRUE(hb().waitCursorShown());
    app.endWaitCursor();
    app.endWaitCursor();   // one end too many does not go below zero
    EXPECT_FALSE(hb().waitCursorShown());
    app.beginWaitCursor();
    EXPECT_TRUE(hb().waitCursorShown());
    app.endWaitCursor();

    hb().expectMessageBox(IDYES);
    EXPECT_EQ(messageBox("よろしいですか？", MB_YESNO), IDYES);
    ASSERT_EQ(hb().prompts().size(), 1u);
    EXPECT_EQ(hb().prompts()[0].caption, "kiv");
    EXPECT_EQ(hb().prompts()[0].style, static_cast<unsigned>(MB_YESNO));
}

TEST(AppCommandLine, FindsTheFileAmongTheArguments) {
    App app;
    app.setArguments({"kiv", "-style", "/tmp/x.MES"});
    EXPECT_EQ(app.commandLine(), "-style /tmp/x.MES");
    EXPECT_EQ(app.commandLineFile(), "/tmp/x.MES");
    app.setArguments({"kiv"});
    EXPECT_EQ(app.commandLine(), "");
    EXPECT_TRUE(app.commandLineFile().empty());
}

} // namespace
