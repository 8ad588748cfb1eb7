// Moving between document windows from the keyboard (Ctrl+F6 / Ctrl+Tab, with Shift backwards)
// and through the window list at the end of the ｳｨﾝﾄﾞｳ menu, with estimates, a master and a
// totals window open.
#include "ShellFixture.h"

#include "estimate/GyouRecord.h"
#include "master/MstDoc.h"
#include "master/MstFixture.h"
#include "platform/ui/View.h"
#include "totals/TotalDoc.h"

using namespace kiv;
using namespace kiv::ui;
using kiv::test::ShellTest;
namespace fs = std::filesystem;

namespace {

class WindowSwitchTest : public ShellTest {
protected:
    ChildFrame* openEstimate(const std::string& name, int items = 1) {
        app->OpenFile(writeEstimate(name, items));
        hb().processPending();
        return main().activeChild();
    }
    ChildFrame* openMaster(const std::string& name) {
        const fs::path p = data / name;
        EXPECT_TRUE(files::writeFileAtomically(p, kivtest::mstBytes(kivtest::threeCategories())));
        app->OpenFile(p);
        hb().processPending();
        return main().activeChild();
    }
    ChildFrame* newTotals() {
        hb().sendCommand(32814);
        return main().activeChild();
    }

    // The ｳｨﾝﾄﾞｳ menu of the active window's menu bar, as it is shown.
    std::vector<MenuItem> windowMenu() {
        const Menu* menu = main().currentMenu();
        EXPECT_NE(menu, nullptr);
        for (const MenuItem& top : menu ? menu->bar : std::vector<MenuItem>{})
            if (top.text == "ｳｨﾝﾄﾞｳ(&W)")
                return main().displayItems(top);
        ADD_FAILURE() << "no window menu";
        return {};
    }
    // The listed windows' texts, "*" before the checked one.
    std::vector<std::string> listed() {
        std::vector<MenuItem> items = windowMenu();
        std::vector<std::string> out;
        if (items.size() < 4)
            return out;
        EXPECT_EQ(items[0].id, cmd::WindowNew);
        EXPECT_EQ(items[3].id, cmd::WindowArrange);
        if (items.size() == 4)
            return out;
        EXPECT_TRUE(items[4].isSeparator());
        for (std::size_t i = 5; i < items.size(); ++i) {
            EXPECT_EQ(items[i].id, cmd::WindowChildFirst + static_cast<int>(i - 5));
            const CommandState st = app->commandState(items[i].id);
            EXPECT_TRUE(st.enabled);
            out.push_back((st.checked ? "*" : "") + items[i].text);
        }
        return out;
    }
};

// Each of the four keys, pressed in a grid or a tree of an estimate, a master or a totals
// window, makes the next (previous) window active, in the order opened and round the end, and
// nothing of the key reaches a view: no question (the estimate's F6 key-up would ask to delete
// the item, the master's Tab would send a row to the estimate), no change to any document, and
// the view's position where it was. Plain F6 still moves between the panes.
TEST_F(WindowSwitchTest, CtrlF6AndCtrlTabCycleTheWindowsAndReachNoView) {
    ASSERT_EQ(start("1"), 0);
    ChildFrame* a = openEstimate("a.KIV", 2);
    ChildFrame* b = openEstimate("b.KIV");
    ChildFrame* m = openMaster("m.MST");
    ChildFrame* t = newTotals();
    ASSERT_TRUE(a && b && m && t);
    ASSERT_EQ(main().mdiChildren(), (std::vector<ChildFrame*>{a, b, m, t}));
    ASSERT_EQ(main().activeChild(), t);

    auto* estimate = dynamic_cast<CKivDoc*>(a->document());
    auto* master = dynamic_cast<MstDoc*>(m->document());
    auto* totals = dynamic_cast<CTotalDoc*>(t->document());
    ASSERT_TRUE(estimate && master && totals);
    // Each window's cursor somewhere past its start.
    estimate->m_CurKoumoku[0] = 2;
    estimate->LoadKoumokuGyou();
    estimate->m_CurGyou[0] = 2;
    master->m_CurGyou[0] = 2;
    struct Position {
        int koumoku, gyou, rows;
        bool operator==(const Position&) const = default;
    };
    auto positions = [&] {
        return std::vector<Position>{{estimate->m_CurKoumoku[0], estimate->m_CurGyou[0], estimate->PoolGyouCount()},
                                     {master->m_CurKoumoku[0], master->m_CurGyou[0], master->PoolGyouCount()},
                                     {totals->m_CurKoumoku[0], totals->m_CurGyou[0], totals->PoolGyouCount()}};
    };
    const std::vector<Position> before = positions();
    const std::size_t prompts = hb().prompts().size();

    struct Press {
        int vk;
        unsigned mods;
        bool ctrlReleasedFirst;   // the key's release comes without Ctrl
        ChildFrame* expected;
    } presses[] = {
        {VK_F6, ModCtrl, false, a},               // round the end: the first window
        {VK_TAB, ModCtrl, false, b},
        {VK_F6, ModCtrl, true, m},
        {VK_TAB, ModCtrl, true, t},               // Tab in a totals cell would type into it
        {VK_TAB, ModCtrl | ModShift, false, m},   // Tab in the master would send a row
        {VK_F6, ModCtrl | ModShift, true, b},
        {VK_TAB, ModCtrl | ModShift, false, a},   // the estimate's F6 release would ask to delete
        {VK_F6, ModCtrl | ModShift, true, t},     // round the start: the last window
        {VK_F6, ModCtrl, true, a},
    };
    bool inTree = false;
    for (const Press& p : presses) {
        SCOPED_TRACE(testing::Message() << "vk " << p.vk << " mods " << p.mods << " to " << p.expected->title());
        // Alternately from the grid and from the tree pane of the active window.
        std::vector<View*> views = main().activeChild()->views();
        ASSERT_EQ(views.size(), 2u);
        View* from = views[inTree ? 0 : 1];
        inTree = !inTree;
        hb().focus(*from);
        ASSERT_EQ(main().activeChild()->activeView(), from);
        if (p.vk == VK_TAB)
            hb().sendKey(*from, VK_TAB, '\t', p.mods);
        else
            EXPECT_TRUE(hb().sendKeyDown(*from, VK_F6, p.mods));
        // The release reaches the window that has the focus now.
        if (p.vk == VK_F6)
            hb().sendKeyUp(*Window::focusWindow(), VK_F6, p.ctrlReleasedFirst ? ModNone : p.mods);
        EXPECT_EQ(main().activeChild(), p.expected);
        ASSERT_NE(Window::focusWindow(), nullptr);
        EXPECT_TRUE(Window::focusWindow()->isDescendantOf(p.expected));
        EXPECT_EQ(hb().prompts().size(), prompts);
        EXPECT_TRUE(positions() == before);
        for (Document* d : documents())
            EXPECT_FALSE(d->isModified()) << d->title();
    }

    // F6 alone still moves between the grid and the tree of the window; its release in the
    // estimate's grid still starts 項目削除 (only the switch's own release was the frame's).
    View* grid = a->views()[1];
    hb().focus(*grid);
    EXPECT_TRUE(hb().sendKeyDown(*grid, VK_F6));
    EXPECT_EQ(main().activeChild(), a);
    EXPECT_EQ(a->activeView(), a->views()[0]);
    hb().focus(*grid);
    hb().expectMessageBox(IDCANCEL, "項目の削除を行います。");
    hb().sendKeyUp(*grid, VK_F6);
    EXPECT_EQ(hb().pendingAnswers(), 0u);
}

// The window list follows every open, activation, 新しいｳｨﾝﾄﾞｳを開く, close and choice, lists
// the first nine windows only, and choosing an entry activates its window.
TEST_F(WindowSwitchTest, WindowMenuListsTheOpenWindowsInOrderWithTheActiveOneChecked) {
    ASSERT_EQ(start("1"), 0);
    ChildFrame* a = openEstimate("a.KIV");
    EXPECT_EQ(listed(), (std::vector<std::string>{"*&1 a.KIV"}));
    ChildFrame* b = openEstimate("b.KIV");
    EXPECT_EQ(listed(), (std::vector<std::string>{"&1 a.KIV", "*&2 b.KIV"}));
    ChildFrame* t = newTotals();
    const std::string totalsTitle = t->title();
    EXPECT_EQ(listed(), (std::vector<std::string>{"&1 a.KIV", "&2 b.KIV", "*&3 " + totalsTitle}));

    // A second window of b: both windows of b show their number, in the title and the list.
    b->activateFrame();
    hb().sendCommand(cmd::WindowNew);
    ChildFrame* b2 = main().activeChild();
    ASSERT_NE(b2, b);
    EXPECT_EQ(b2->title(), "b.KIV:2");
    EXPECT_EQ(listed(), (std::vector<std::string>{"&1 a.KIV", "&2 b.KIV:1", "&3 " + totalsTitle, "*&4 b.KIV:2"}));

    // Choosing an entry activates its window.
    hb().sendCommand(cmd::WindowChildFirst);
    EXPECT_EQ(main().activeChild(), a);
    EXPECT_EQ(listed(), (std::vector<std::string>{"*&1 a.KIV", "&2 b.KIV:1", "&3 " + totalsTitle, "&4 b.KIV:2"}));
    EXPECT_FALSE(app->commandState(cmd::WindowChildFirst + 4).enabled);

    // Closing a window takes it off the list; the other window of b loses its number.
    hb().sendCommand(cmd::FileClose);
    b2->dispatchClose();   // its close box: b stays open in its first window
    hb().processPending();
    EXPECT_EQ(main().mdiChildren(), (std::vector<ChildFrame*>{b, t}));
    b->activateFrame();
    EXPECT_EQ(listed(), (std::vector<std::string>{"*&1 b.KIV", "&2 " + totalsTitle}));

    // Ten windows: the first nine are listed; the tenth is still reached by the keys.
    std::vector<ChildFrame*> more;
    for (int i = 3; i <= 10; ++i)
        more.push_back(openEstimate("e" + std::to_string(i) + ".KIV"));
    ASSERT_EQ(main().mdiChildren().size(), 10u);
    std::vector<std::string> nine{"&1 b.KIV", "&2 " + totalsTitle};
    for (int i = 3; i <= 9; ++i)
        nine.push_back("&" + std::to_string(i) + " e" + std::to_string(i) + ".KIV");
    EXPECT_EQ(listed(), nine);   // the active tenth is not among them: nothing checked
    EXPECT_FALSE(app->commandState(cmd::WindowChildLast + 1).enabled);
    hb().sendCommand(cmd::WindowChildLast);
    EXPECT_EQ(main().activeChild(), more[6]);
    EXPECT_TRUE(hb().sendKeyDown(*Window::focusWindow(), VK_TAB, ModCtrl));
    EXPECT_EQ(main().activeChild(), more[7]);

    // Closing one of the nine brings the tenth into the list.
    hb().sendCommand(cmd::WindowChildFirst + 1);
    hb().sendCommand(cmd::FileClose);
    hb().processPending();
    more[7]->activateFrame();
    nine.erase(nine.begin() + 1);
    for (std::size_t i = 1; i < nine.size(); ++i)
        nine[i] = "&" + std::to_string(i + 1) + nine[i].substr(2);
    nine.push_back("*&9 e10.KIV");
    EXPECT_EQ(listed(), nine);
}

} // namespace
