// The main frame: placement kept in the profile and put back on the screen, bars and status
// panes, the master-file change, the address book, the edit updates, and the split frames'
// panes.
#include "ShellFixture.h"

#include "estimate/MstFile.h"
#include "estimate/RecalcSeams.h"
#include "master/MstDoc.h"
#include "resources/MainFrameResources.h"
#include "shell/MainFrame.h"
#include "shell/SplitFrame.h"

using namespace kiv;
using namespace kiv::ui;
using kiv::test::ShellTest;
namespace fs = std::filesystem;

namespace {

// A file that is no master (these fixtures hold one byte) opens nothing, with a message naming it.
const char* const kMstCannotOpen = "を開けません";

class MainFrameTest : public ShellTest {};

TEST_F(MainFrameTest, BarsAndStatusPanes) {
    ASSERT_EQ(start("2"), 0);
    ASSERT_EQ(g_pMainFrame, app->mainFrame());
    ASSERT_EQ(g_pStatusBar, &main().statusBar());
    ASSERT_EQ(main().toolbars().size(), 2u);
    EXPECT_EQ(main().toolbars()[0].id, 128);
    EXPECT_EQ(main().toolbars()[1].id, 166);
    const auto& panes = main().statusBar().indicators();
    const int ids[] = {0, 59147, 59146, 59144, 59145, 59142, 59137, 59138, 59139};
    ASSERT_EQ(panes.size(), 9u);
    for (std::size_t i = 0; i < 9; ++i)
        EXPECT_EQ(panes[i].id, ids[i]);
    EXPECT_EQ(main().statusBar().paneText(1), "機械設備積算");
    EXPECT_EQ(main().statusBar().paneText(2), "");
    // A resize keeps the run's mode even when the profile says otherwise.
    storeMode("1");
    hb().resize(main(), {640, 480});
    EXPECT_EQ(modePane(), "機械設備積算");
}

TEST_F(MainFrameTest, PlacementDefaultsStoresOnCloseAndComesBack) {
    ASSERT_EQ(start("1"), 0);
    EXPECT_EQ(main().windowRect(), Rect::fromSize(100, 100, 800, 600));
    main().setGeometry(Rect::fromSize(40, 60, 1000, 700));
    main().showToolbar(166, false);
    hb().sendCommand(cmd::AppExit);
    EXPECT_TRUE(hb().quitRequested());
    EXPECT_EQ(profile().getInt("General", "WindowX", 0), 40);
    EXPECT_EQ(profile().getInt("General", "WindowY", 0), 60);
    EXPECT_EQ(profile().getInt("General", "WindowW", 0), 1000);
    EXPECT_EQ(profile().getInt("General", "WindowH", 0), 700);
    EXPECT_EQ(profile().getInt("MainFrameBarState", "Bar166Visible", 1), 0);
    app.reset();

    ASSERT_EQ(start("1"), 0);
    EXPECT_EQ(main().windowRect(), Rect::fromSize(40, 60, 1000, 700));
    EXPECT_FALSE(main().isToolbarVisible(166));
    EXPECT_TRUE(main().isToolbarVisible(128));
}

TEST_F(MainFrameTest, StoredPlacementIsPutBackOnTheScreen) {
    const Rect screen{0, 0, 1920, 1080};
    struct Case {
        Rect stored, placed;
    } cases[] = {
        {Rect::fromSize(100, 100, 800, 600), Rect::fromSize(100, 100, 800, 600)},
        {Rect::fromSize(3000, 2000, 800, 600), Rect::fromSize(1120, 480, 800, 600)},   // another monitor
        {Rect::fromSize(-32000, -32000, 160, 24), Rect::fromSize(0, 0, 200, 150)},     // a minimised window
        {Rect::fromSize(-8, -8, 4000, 3000), Rect::fromSize(0, 0, 1920, 1080)},
        {Rect::fromSize(10, 10, 0, -5), Rect::fromSize(10, 10, 800, 600)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceOnScreen(c.stored, screen), c.placed);

    profile().writeInt("General", "WindowX", 5000);
    profile().writeInt("General", "WindowY", 100);
    ASSERT_EQ(start("1"), 0);
    EXPECT_EQ(main().windowRect(), Rect::fromSize(1120, 100, 800, 600));
}

TEST_F(MainFrameTest, MasterChangeStoresTheChosenFileAndOpensIt) {
    for (const char* mode : {"1", "2"}) {
        SCOPED_TRACE(mode);
        const bool denki = mode == std::string("1");
        ASSERT_EQ(start(mode), 0);
        hb().expectFile(std::nullopt);
        hb().sendCommand(32852);
        EXPECT_EQ(hb().prompts().back().text, denki ? "*.MST" : "*.MMS");
        EXPECT_EQ(hb().prompts().back().caption, denki ? "MST(*.MST)|*.MST|全て(*.*)|*.*|" : "MMS(*.MMS)|*.MMS|全て(*.*)|*.*|");
        EXPECT_FALSE(profile().has(denki ? "Emaster_Section" : "Mmaster_Section", denki ? "Emaster_Dat" : "Mmaster_Dat"));

        fs::path chosen = writeFile(denki ? "new.MST" : "new.MMS");
        hb().expectFile(chosen);
        hb().expectMessageBox(IDOK, kMstCannotOpen);
        hb().sendCommand(32852);
        // Written under one spelling, read under another: the profile ignores case.
        EXPECT_EQ(profile().getString(denki ? "EMaster_Section" : "MMaster_Section", denki ? "EMaster_Dat" : "MMaster_Dat"),
                  chosen.string());
        EXPECT_EQ(app->m_MasterPath, chosen.string());
        EXPECT_TRUE(documents().empty());
        // A master chosen under "全て(*.*)" still goes to the master.
        fs::path other = writeFile("prices.dat");
        hb().expectFile(other);
        hb().expectMessageBox(IDOK, kMstCannotOpen);
        hb().sendCommand(32852);
        EXPECT_EQ(app->m_MasterPath, other.string());
        app.reset();
    }
}

// A master name that does not exist, chosen in ﾏｽﾀｰﾌｧｲﾙ切替 or named by the profile for
// ﾏｽﾀｰﾌｧｲﾙ呼出, is offered for creation: いいえ writes nothing and leaves the profile as it was;
// はい writes a new master of the current layout, which opens without a question about an old
// layout (the backend fails the test on one), saves and opens again, and which the profile names
// from then on.
TEST_F(MainFrameTest, AMissingMasterIsOfferedForCreation) {
    std::string newLine = GyouRecord::blankRow();
    GyouRecord::writeKey(newLine, 1, 1);
    GyouRecord::fillBlankHokyuu(newLine);
    auto mstOpen = [&]() -> MstDoc* {
        return documents().size() == 1 ? dynamic_cast<MstDoc*>(documents()[0]) : nullptr;
    };
    auto createdAndOpened = [&](const fs::path& path) {
        EXPECT_EQ(ReadMstFile(*files::readFile(path)).rows, std::vector<std::string>{newLine});
        MstDoc* m = mstOpen();
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(m->GetPathName(), path.string());
        EXPECT_EQ(m->m_KoumokuCount, 1);
        EXPECT_EQ(profile().getString("Emaster_Section", "Emaster_Dat"), path.string());
        EXPECT_EQ(app->m_MasterPath, path.string());
    };
    ASSERT_EQ(start("1"), 0);

    // ﾏｽﾀｰﾌｧｲﾙ切替 to a new name.
    const fs::path chosen = data / "new.MST";
    hb().expectFile(chosen);
    hb().expectMessageBox(IDNO, chosen.string() + "ファイルが存在しません。新しくファイルを作成しますか？");
    hb().sendCommand(32852);
    EXPECT_EQ(hb().prompts().back().style & 0xF, static_cast<unsigned>(MB_YESNO));
    EXPECT_FALSE(fs::exists(chosen));
    EXPECT_FALSE(profile().has("Emaster_Section", "Emaster_Dat"));
    EXPECT_TRUE(documents().empty());

    hb().expectFile(chosen);
    hb().expectMessageBox(IDYES, "新しくファイルを作成しますか？");
    hb().sendCommand(32852);
    createdAndOpened(chosen);
    // It saves and opens again as it was, still without a question.
    mstOpen()->SetModifiedFlag();
    hb().sendCommand(cmd::FileSave);
    EXPECT_FALSE(mstOpen()->IsModified());
    hb().sendCommand(cmd::FileClose);
    ASSERT_TRUE(documents().empty());
    hb().sendCommand(32796);
    createdAndOpened(chosen);
    hb().sendCommand(cmd::FileClose);
    ASSERT_TRUE(documents().empty());

    // ﾏｽﾀｰﾌｧｲﾙ呼出 of a master the profile names and that has gone.
    const fs::path gone = data / "gone.MST";
    profile().writeString("Emaster_Section", "Emaster_Dat", gone.string());
    const std::string before = app->m_MasterPath;
    hb().expectMessageBox(IDNO, gone.string() + "ファイルが存在しません。");
    hb().sendCommand(32796);
    EXPECT_FALSE(fs::exists(gone));
    EXPECT_EQ(profile().getString("Emaster_Section", "Emaster_Dat"), gone.string());
    EXPECT_EQ(app->m_MasterPath, before);
    EXPECT_TRUE(documents().empty());
    hb().expectMessageBox(IDYES, "新しくファイルを作成しますか？");
    hb().sendCommand(32796);
    createdAndOpened(gone);

    // A name that cannot be made (its folder is missing): the message, nothing written.
    const fs::path nowhere = data / "no-such-folder" / "m.MST";
    hb().expectFile(nowhere);
    hb().expectMessageBox(IDYES, "新しくファイルを作成しますか？");
    hb().expectMessageBox(IDOK, "ファイルが作成できません。");
    hb().sendCommand(32852);
    EXPECT_FALSE(fs::exists(nowhere));
    EXPECT_EQ(profile().getString("Emaster_Section", "Emaster_Dat"), gone.string());
}

TEST_F(MainFrameTest, AddressBookOpensThroughItsHookAndEditUpdatesRunNothing) {
    ASSERT_EQ(start("1"), 0);
    // The command opens the address book (no address file yet: its create question, answered
    // ｷｬﾝｾﾙ, creates nothing).
    hb().expectMessageBox(IDCANCEL, "相手先");
    hb().expectDialog([](kiv::ui::headless::DialogDriver& d) { d.click(IDCANCEL); }, 135);
    hb().sendCommand(32779);
    // Whatever hook is connected, the same command runs it.
    int opened = 0;
    recalcSeams().formDialogs[32779] = [&] { ++opened; };
    hb().sendCommand(32779);
    recalcSeams().formDialogs.erase(32779);
    EXPECT_EQ(opened, 1);
    // Updating the edit items (as every menu opening does) shows nothing and runs nothing.
    for (int id : {cmd::EditCut, cmd::EditCopy, cmd::EditPaste})
        EXPECT_TRUE(app->commandState(id).enabled);
    hb().sendCommand(cmd::FileNew);
    for (int id : {cmd::EditCut, cmd::EditCopy, cmd::EditPaste})
        EXPECT_TRUE(app->commandState(id).enabled);
    hb().sendCommand(cmd::EditCut);
    EXPECT_EQ(hb().prompts().size(), 2u);
}

TEST_F(MainFrameTest, SplitFramePanesTakeTwoSeventhsAndFiveSevenths) {
    EXPECT_EQ(CSplitterFrame::TreePaneWidth(700), 200);
    EXPECT_EQ(CSplitterFrame::ViewPaneWidth(700), 500);
    EXPECT_EQ(CSplitterFrame::TreePaneWidth(701), 200);
    EXPECT_EQ(CSplitterFrame::ViewPaneWidth(701), 500);

    ASSERT_EQ(start("1"), 0);
    // New document windows are three quarters of the document area: 700 pixels here.
    hb().resize(main(), {934, 600});
    hb().sendCommand(cmd::FileNew);
    auto* frame = dynamic_cast<CSplitFrame*>(main().mdiChildren().at(0));
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(frame->m_wndSplitter, nullptr);
    EXPECT_EQ(frame->m_wndSplitter->rows(), 1);
    EXPECT_EQ(frame->m_wndSplitter->cols(), 2);
    EXPECT_EQ(frame->m_wndSplitter->columnWidth(0), 200);
    // Tiled to the full width afterwards: the grid takes the rest.
    EXPECT_EQ(frame->geometry().width(), 934);
    EXPECT_EQ(frame->m_wndSplitter->columnWidth(1), 934 - 200 - Splitter::kBarWidth);
    // Both panes show the new estimate; the grid is the active view.
    for (View* v : frame->views())
        EXPECT_EQ(v->document(), documents()[0]);
    EXPECT_EQ(frame->activeView(), frame->m_wndSplitter->pane(0, 1));
}

TEST_F(MainFrameTest, SingleFrameTemplatesShowOneView) {
    ASSERT_EQ(start("1"), 0);
    fs::path job = writeEstimate("single.MES");
    Document* doc = app->m_pKivTemplate->openDocumentFile(job);
    ASSERT_NE(doc, nullptr);
    hb().processPending();
    ASSERT_EQ(doc->frames().size(), 1u);
    EXPECT_EQ(doc->frames()[0]->views().size(), 1u);
    EXPECT_EQ(dynamic_cast<CSplitFrame*>(doc->frames()[0]), nullptr);
    EXPECT_EQ(main().currentMenu()->id, 130);
}

} // namespace
