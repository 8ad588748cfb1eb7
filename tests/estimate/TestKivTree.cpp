// The estimate tree pane with the application started headless: labels of the items by title,
// selection by Enter and double click on the grid of the pane's own window with two estimates
// open, 項目名登録 and 新項目追加 from the grid and from the pane, the item titles with their
// amounts and the recalculation before them, and the labels in the grid font size.
#include "estimate/KivTree.h"
#include "estimate/RecalcSeams.h"
#include "grid/KivView.h"
#include "grid/KivViewLinks.h"
#include "platform/text/Cp932.h"
#include "shell/ShellFixture.h"
#include "shell/SplitFrame.h"

using namespace kiv;
using kiv::text::sj;
namespace fs = std::filesystem;

namespace {

constexpr int kSyoukei = 30, kTyuukei = 31, kHyousiKei = 32;

struct RowFields {
    int item;
    int gyou;
    std::string kigou, hinmei, kikaku;   // CP932
    std::string kingaku1, kingaku2;
    int bunNo = 0;
};

std::string makeRow(const RowFields& r) {
    std::string row = GyouRecord::blankRow();
    GyouRecord::writeKey(row, r.item, r.gyou);
    GyouRecord::putNumber(row, GyouRecord::Hokyuu, "1.0");
    EXPECT_TRUE(GyouRecord::putText(row, GyouRecord::Kigou, r.kigou));
    EXPECT_TRUE(GyouRecord::putText(row, GyouRecord::Hinmei, r.hinmei));
    EXPECT_TRUE(GyouRecord::putText(row, GyouRecord::Kikaku, r.kikaku));
    EXPECT_TRUE(GyouRecord::putNumber(row, GyouRecord::Kingaku1, r.kingaku1));
    EXPECT_TRUE(GyouRecord::putNumber(row, GyouRecord::Kingaku2, r.kingaku2));
    if (r.bunNo) {
        EXPECT_TRUE(GyouRecord::putNumber(row, GyouRecord::BunNo, std::to_string(r.bunNo)));
    }
    return row;
}

// A text padded with blanks (or cut) to n bytes.
std::string pad(std::string s, std::size_t n) {
    s.resize(n, ' ');
    return s;
}

// 規格 of item 2: 21 letters, then a double-byte character across the label's 60th byte.
std::string cutKikaku() { return std::string(21, 'x') + sj("漢字"); }

std::vector<RowFields> threeItems(const std::string& tag) {
    return {
        {1, 1, "A1", sj("配管") + tag, sj("ＶＰ２０"), "1000", "2000"},
        {1, 2, "", sj("継手"), "", "300", "400"},
        {2, 1, "B", sj("電線") + tag, cutKikaku(), "5", "6"},
        {3, 1, "C", sj("照明器具") + tag, "FL40", "7", "8"},
        {3, 2, "", sj("小計"), "", "107", "108", kSyoukei},
    };
}

class KivTreeTest : public test::ShellTest {
protected:
    struct Window {
        CKivDoc* doc = nullptr;
        CSplitFrame* frame = nullptr;
        CKivTree* tree = nullptr;
        CKivView* grid = nullptr;
    };

    void TearDown() override {
        recalcSeams() = RecalcSeams();
        ShellTest::TearDown();
    }

    fs::path writeRows(const std::string& name, const std::vector<RowFields>& fields) {
        std::array<std::string, kKivHyousiCount> covers;
        std::vector<std::string> rows;
        for (const RowFields& s : fields)
            rows.push_back(makeRow(s));
        fs::path path = data / name;
        EXPECT_TRUE(files::writeFileAtomically(path, WriteKivFile(covers, rows)));
        return path;
    }

    Window windowOf(ui::Document* d) {
        Window w;
        w.doc = dynamic_cast<CKivDoc*>(d);
        if (!w.doc || w.doc->frames().empty())
            return w;
        w.frame = dynamic_cast<CSplitFrame*>(w.doc->frames().front());
        if (!w.frame)
            return w;
        w.tree = dynamic_cast<CKivTree*>(w.frame->m_wndSplitter->pane(0, 0));
        w.grid = dynamic_cast<CKivView*>(w.frame->m_wndSplitter->pane(0, 1));
        return w;
    }

    Window open(const std::string& name, const std::vector<RowFields>& fields) {
        // The titles are the subject here: the rows hold amounts without quantities or prices,
        // which the application's recalculation would blank, so it stays out of these tests.
        recalcSeams() = RecalcSeams();
        ui::Document* d = app->OpenFile(writeRows(name, fields));
        hb().processPending();
        Window w = windowOf(d);
        EXPECT_NE(w.tree, nullptr);
        EXPECT_NE(w.grid, nullptr);
        return w;
    }

    static std::vector<std::string> childLabels(const CKivTree& tree) {
        std::vector<std::string> out;
        for (ui::TreeItem c = tree.childItem(tree.rootItem()); c; c = tree.nextSiblingItem(c))
            out.push_back(tree.itemText(c));
        return out;
    }
    static ui::TreeItem child(const CKivTree& tree, int k) {
        ui::TreeItem c = tree.childItem(tree.rootItem());
        for (int i = 1; i < k && c; ++i)
            c = tree.nextSiblingItem(c);
        return c;
    }
    static std::string hinmei(const std::string& row) { return std::string(GyouRecord::text(row, GyouRecord::Hinmei)); }
    static void expectAtTopOfItem(const Window& w, int item) {
        EXPECT_EQ(w.doc->m_CurKoumoku[0], item);
        EXPECT_EQ(w.doc->m_CurGyou[0], 1);
        EXPECT_EQ(w.doc->m_TopGyou[0], 0);
        EXPECT_EQ(w.doc->m_ScreenGyou[0], 1);
        EXPECT_EQ(w.grid->m_CurField[0], CKivView::m_FirstField);
    }
};

TEST_F(KivTreeTest, LabelsAreTheRootPathAndTheStartOfEachItemTitle) {
    ASSERT_EQ(start("1"), 0);
    Window w = open("job.KIV", threeItems(""));
    ASSERT_NE(w.tree, nullptr);

    EXPECT_EQ(w.tree->count(), 4);
    EXPECT_EQ(w.tree->itemText(w.tree->rootItem()), *files::toCp932(data / "job.KIV"));
    EXPECT_EQ(w.tree->m_hRoot, w.tree->rootItem());
    EXPECT_TRUE(w.tree->isExpanded(w.tree->rootItem()));
    const std::string head2 = "0002" + pad("B", 4) + pad(sj("電線"), 30);
    EXPECT_EQ(childLabels(*w.tree),
              (std::vector<std::string>{"0001" + pad("A1", 4) + pad(sj("配管"), 30) + pad(sj("ＶＰ２０"), 22),
                                        // The character across byte 60 is not cut in half.
                                        head2 + std::string(21, 'x') + " ",
                                        "0003" + pad("C", 4) + pad(sj("照明器具"), 30) + pad("FL40", 22)}));
    EXPECT_EQ(CKivTree::KoumokuLabel(" "), " ");
    EXPECT_EQ(w.tree->bkColor(), CKivTree::kBackColor);
    EXPECT_EQ(w.tree->textColor(), CKivTree::kTextColor);
    EXPECT_FALSE(w.doc->IsModified());
    EXPECT_EQ(w.doc->m_TreeDirty, 0);
    // The grid shows item 1 with the cursor at its top; the tree itself is painted.
    expectAtTopOfItem(w, 1);
    EXPECT_TRUE(hb().screen(*w.tree).find(sj("照明器具")).has_value());
}

TEST_F(KivTreeTest, TitlesTakeTheAmountsOfTheLastTotalRowOrOfRow1) {
    ASSERT_EQ(start("1"), 0);
    std::vector<RowFields> rows = threeItems("");
    rows.push_back({4, 1, "D", sj("ダクト"), "", "10", "20"});
    rows.push_back({4, 2, "", sj("中計"), "", "110", "120", kTyuukei});
    rows.push_back({4, 3, "", sj("表紙計"), "", "210", "220", kHyousiKei});
    rows.push_back({4, 4, "", sj("備考"), "", "310", "320"});
    Window w = open("amounts.KIV", rows);
    ASSERT_NE(w.grid, nullptr);
    w.doc->m_SetteiValues.codes[static_cast<std::size_t>(EnzanCode::Syoukei)] = kSyoukei;
    w.doc->m_SetteiValues.codes[static_cast<std::size_t>(EnzanCode::Tyuukei)] = kTyuukei;
    w.doc->m_SetteiValues.codes[static_cast<std::size_t>(EnzanCode::HyousiKei)] = kHyousiKei;
    hb().sendCommand(ID_KOUMOKU_TOROKU);

    // Right-aligned in their 12 bytes, as the rows hold them.
    auto amounts = [](std::string a, std::string b) {
        return std::string(12 - a.size(), ' ') + a + std::string(12 - b.size(), ' ') + b;
    };
    const auto& names = w.doc->m_KoumokuName;
    ASSERT_EQ(names.size(), static_cast<std::size_t>(CKivDoc::kKoumokuMax));
    EXPECT_EQ(names[0], "0001" + pad("A1", 4) + pad(sj("配管"), 30) + pad(sj("ＶＰ２０"), 30) + amounts("1000", "2000"));
    EXPECT_EQ(names[2], "0003" + pad("C", 4) + pad(sj("照明器具"), 30) + pad("FL40", 30) + amounts("107", "108"));
    // Of a 中計 and a later 表紙計 row, the later one; a plain row after them does not count.
    EXPECT_EQ(names[3], "0004" + pad("D", 4) + pad(sj("ダクト"), 30) + pad("", 30) + amounts("210", "220"));
    for (const std::string& t : {names[0], names[1], names[2], names[3]})
        EXPECT_EQ(t.size(), static_cast<std::size_t>(CKivView::kKoumokuTitleLength));
    EXPECT_EQ(names[4], " ");
    EXPECT_EQ(names.back(), " ");
}

// Two estimates open: the tree of the first acts on the grid of the first, though the grid
// created last is the second's.
TEST_F(KivTreeTest, EnterAndDoubleClickLoadTheItemIntoTheGridOfTheSameWindow) {
    ASSERT_EQ(start("1"), 0);
    Window a = open("a.KIV", threeItems("A"));
    Window b = open("b.KIV", threeItems("B"));
    ASSERT_NE(a.tree, nullptr);
    ASSERT_NE(b.grid, nullptr);
    ASSERT_EQ(g_pKivView, b.grid);
    const std::string bWork = b.doc->WorkGyouAt(1);

    // An edit left in the grid's row buffer goes back to the estimate with the switch.
    ASSERT_TRUE(GyouRecord::putText(a.grid->m_EditGyou, GyouRecord::Bikou1, sj("変更")));
    a.doc->m_CurGyou[0] = 1;
    a.doc->m_ScreenGyou[0] = 1;

    // Enter on item 3, chosen with the arrow keys (the first selects the root).
    hb().focus(*a.tree);
    for (int i = 0; i < 4; ++i)
        hb().sendKeyDown(*a.tree, ui::VK_DOWN);
    EXPECT_EQ(a.tree->itemText(a.tree->selectedItem()).substr(0, 4), "0003");
    hb().sendKeyDown(*a.tree, ui::VK_RETURN);
    EXPECT_EQ(a.tree->m_SelKoumoku, 3);
    expectAtTopOfItem(a, 3);
    EXPECT_EQ(hinmei(a.grid->m_EditGyou), sj("照明器具A"));
    EXPECT_TRUE(hb().screen(*a.grid).find(sj("照明器具A")).has_value());
    EXPECT_EQ(a.grid->scrollPos(ui::SB_VERT), 1);
    EXPECT_EQ(a.tree->scrollPos(ui::SB_VERT), 0);
    EXPECT_EQ(a.tree->scrollPos(ui::SB_HORZ), 0);

    // A double click on item 2.
    const auto r = a.tree->itemTextRect(child(*a.tree, 2));
    ASSERT_TRUE(r.has_value());
    hb().sendDoubleClick(*a.tree, {r->left + 4, r->top + 2});
    EXPECT_EQ(a.tree->m_SelKoumoku, 2);
    expectAtTopOfItem(a, 2);
    EXPECT_EQ(hinmei(a.grid->m_EditGyou), sj("電線A"));
    EXPECT_TRUE(hb().screen(*a.grid).find(sj("電線A")).has_value());

    // Enter on the root keeps the item chosen last.
    a.tree->selectItem(a.tree->rootItem());
    hb().sendKeyDown(*a.tree, ui::VK_RETURN);
    expectAtTopOfItem(a, 2);

    // Back on item 1, the edit made before the first switch is there.
    a.tree->selectItem(child(*a.tree, 1));
    hb().sendKeyDown(*a.tree, ui::VK_RETURN);
    expectAtTopOfItem(a, 1);
    EXPECT_EQ(GyouRecord::text(a.grid->m_EditGyou, GyouRecord::Bikou1), sj("変更"));

    // The other estimate did not move.
    EXPECT_EQ(b.doc->m_CurKoumoku[0], 1);
    EXPECT_EQ(b.doc->WorkGyouAt(1), bWork);
    EXPECT_EQ(hinmei(b.grid->m_EditGyou), sj("配管B"));
    EXPECT_EQ(b.tree->m_SelKoumoku, 0);
}

TEST_F(KivTreeTest, EnterBeforeAnySelectionShowsItem1) {
    ASSERT_EQ(start("1"), 0);
    Window w = open("a.KIV", threeItems(""));
    ASSERT_NE(w.tree, nullptr);
    w.doc->m_CurKoumoku[0] = 3;
    w.doc->LoadKoumokuGyou();
    hb().sendKeyDown(*w.tree, ui::VK_RETURN);
    EXPECT_EQ(w.tree->m_SelKoumoku, 1);
    expectAtTopOfItem(w, 1);
}

TEST_F(KivTreeTest, KoumokuTorokuAfterEditingRow1ShowsTheNewTitle) {
    ASSERT_EQ(start("1"), 0);
    Window a = open("a.KIV", threeItems("A"));
    Window b = open("b.KIV", threeItems("B"));
    ASSERT_NE(a.grid, nullptr);
    ASSERT_NE(b.grid, nullptr);

    // Row 2 of item 1 is being edited in the grid of a; row 1 was changed before.
    a.doc->EditWorkGyou(1) = makeRow({1, 1, "Z9", sj("新しい名前"), "", "", ""});
    a.doc->m_CurGyou[0] = 2;
    a.doc->m_ScreenGyou[0] = 2;
    a.grid->LoadGyou();
    a.grid->m_CurField[0] = GyouRecord::Kikaku;
    a.frame->activateFrame();
    hb().processPending();
    ASSERT_EQ(main().activeChild(), a.frame);
    hb().sendCommand(ID_KOUMOKU_TOROKU);

    EXPECT_EQ(childLabels(*a.tree).at(0), "0001" + pad("Z9", 4) + pad(sj("新しい名前"), 30) + pad("", 22));
    EXPECT_EQ(a.doc->m_KoumokuName[0].substr(8, 30), pad(sj("新しい名前"), 30));
    expectAtTopOfItem(a, 1);
    EXPECT_EQ(hinmei(a.grid->m_EditGyou), sj("新しい名前"));
    EXPECT_EQ(a.doc->m_TreeDirty, 0);
    EXPECT_EQ(childLabels(*b.tree).at(0).substr(8, 30), pad(sj("配管B"), 30));

    // From the tree pane of a, the command runs on a's grid, not on the grid created last.
    a.grid->m_EditGyou = makeRow({1, 1, "Y", sj("別の名前"), "", "", ""});
    hb().focus(*a.tree);
    ASSERT_EQ(a.frame->activeView(), a.tree);
    hb().sendCommand(ID_KOUMOKU_TOROKU);
    EXPECT_EQ(childLabels(*a.tree).at(0).substr(8, 30), pad(sj("別の名前"), 30));
    EXPECT_EQ(childLabels(*b.tree).at(0).substr(8, 30), pad(sj("配管B"), 30));
    EXPECT_EQ(hinmei(b.grid->m_EditGyou), sj("配管B"));
}

TEST_F(KivTreeTest, NewKoumokuAddsAnEmptyLastItemAfterOk) {
    ASSERT_EQ(start("1"), 0);
    Window a = open("a.KIV", threeItems("A"));
    Window b = open("b.KIV", threeItems("B"));
    ASSERT_NE(a.grid, nullptr);
    a.frame->activateFrame();
    hb().processPending();

    // Cancel: nothing changes.
    hb().expectMessageBox(ui::IDCANCEL, "新しい項目を追加します。よろしいですか？");
    hb().sendCommand(ID_NEW_KOUMOKU);
    EXPECT_EQ(a.doc->m_KoumokuCount, 3);
    EXPECT_EQ(a.tree->count(), 4);
    EXPECT_FALSE(a.doc->IsModified());

    hb().expectMessageBox(ui::IDOK, "新しい項目を追加します。よろしいですか？");
    hb().sendCommand(ID_NEW_KOUMOKU);
    EXPECT_EQ(hb().prompts().back().style, static_cast<unsigned>(ui::MB_OKCANCEL));
    EXPECT_EQ(a.doc->m_KoumokuCount, 4);
    expectAtTopOfItem(a, 4);
    EXPECT_EQ(a.doc->m_GyouCount, 1);
    EXPECT_EQ(a.grid->m_EditGyou.substr(0, 8), "00040001");
    EXPECT_EQ(GyouRecord::raw(a.grid->m_EditGyou, GyouRecord::Hokyuu), "  1.0");
    EXPECT_TRUE(a.doc->IsModified());
    EXPECT_EQ(a.tree->count(), 5);
    EXPECT_EQ(childLabels(*a.tree).back(), "0004" + pad("", 56));
    // The new row is in the file's rows, after the others.
    const std::string file = a.doc->SerializeKivFile();
    EXPECT_NE(file.find("00040001"), std::string::npos);
    EXPECT_EQ(b.doc->m_KoumokuCount, 3);

    // From the tree pane of a, on its own estimate.
    hb().focus(*a.tree);
    ASSERT_EQ(a.frame->activeView(), a.tree);
    hb().expectMessageBox(ui::IDOK, "新しい項目を追加します。");
    hb().sendCommand(ID_NEW_KOUMOKU);
    EXPECT_EQ(a.doc->m_KoumokuCount, 5);
    EXPECT_EQ(a.tree->count(), 6);
    expectAtTopOfItem(a, 5);
    EXPECT_EQ(b.doc->m_KoumokuCount, 3);
    EXPECT_EQ(b.tree->count(), 4);
}

TEST_F(KivTreeTest, NewKoumokuInAFullEstimateShowsTheLimitAndChangesNothing) {
    ASSERT_EQ(start("1"), 0);
    hb().sendCommand(ui::cmd::FileNew);
    Window w = windowOf(documents().at(0));
    ASSERT_NE(w.grid, nullptr);
    for (int g = 1; g <= CKivDoc::kGyouMax; ++g) {
        std::string row = GyouRecord::blankRow();
        GyouRecord::writeKey(row, 1, g);
        w.doc->SetPoolGyou(g - 1, row);
    }
    w.doc->SetPoolGyouCount(CKivDoc::kGyouMax);
    w.doc->RebuildGyouIndex();
    w.doc->LoadKoumokuGyou();
    w.grid->LoadGyou();
    const std::vector<std::string> pool(w.doc->AllPoolSlots().begin(), w.doc->AllPoolSlots().end());

    hb().expectMessageBox(ui::IDOK, "新しい項目を追加します。");
    hb().expectMessageBox(ui::IDOK, "データ数が最大値を超えました。");
    hb().sendCommand(ID_NEW_KOUMOKU);
    EXPECT_EQ(w.doc->m_KoumokuCount, 1);
    EXPECT_EQ(w.doc->m_CurKoumoku[0], 1);
    EXPECT_EQ(w.doc->PoolGyouCount(), CKivDoc::kGyouMax);
    EXPECT_EQ(w.doc->m_GyouCount, CKivDoc::kGyouMax);
    EXPECT_EQ(std::vector<std::string>(w.doc->AllPoolSlots().begin(), w.doc->AllPoolSlots().end()), pool);
}

TEST_F(KivTreeTest, AnUntitledEstimateShowsItsPathAfterSaveAs) {
    ASSERT_EQ(start("1"), 0);
    hb().sendCommand(ui::cmd::FileNew);
    Window w = windowOf(documents().at(0));
    ASSERT_NE(w.tree, nullptr);
    EXPECT_EQ(w.tree->itemText(w.tree->rootItem()), sj("新規内訳書"));
    EXPECT_EQ(childLabels(*w.tree), std::vector<std::string>{"0001" + pad("", 56)});

    // The root names the file at once, and keeps it through the next refill.
    const fs::path saved = data / "見積.KIV";
    hb().expectFile(saved);
    hb().sendCommand(ui::cmd::FileSaveAs);
    EXPECT_EQ(w.tree->itemText(w.tree->rootItem()), *files::toCp932(saved));
    hb().sendCommand(ID_KOUMOKU_TOROKU);
    EXPECT_EQ(w.tree->itemText(w.tree->rootItem()), *files::toCp932(saved));
}

// The rows changed since the last recalculation: the current item and those before it are
// recalculated before the titles are read.
TEST_F(KivTreeTest, TitlesFollowTheRecalculationOfTheCurrentItemAndTheOnesBefore) {
    ASSERT_EQ(start("1"), 0);
    Window w = open("a.KIV", threeItems(""));
    ASSERT_NE(w.grid, nullptr);
    std::vector<int> recalculated;
    int checks = 0;
    recalcSeams().recalcKoumoku = [&](CKivView& v) {
        CKivDoc* d = v.GetDocument();
        recalculated.push_back(d->m_CurKoumoku[0]);
        // The recalculation writes the item's amount into its row 1.
        GyouRecord::putNumber(d->EditWorkGyou(1), GyouRecord::Kingaku1, std::to_string(100 * d->m_CurKoumoku[0]));
    };
    recalcSeams().checkKeisanGyou = [&](CKivView&) { ++checks; };
    w.doc->m_CurKoumoku[0] = 2;
    w.doc->LoadKoumokuGyou();
    w.doc->m_NeedRecalc = 1;
    hb().sendCommand(ID_KOUMOKU_TOROKU);

    EXPECT_EQ(recalculated, (std::vector<int>{2, 2, 2, 1}));
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(w.doc->m_NeedRecalc, 0);
    EXPECT_EQ(w.doc->m_KoumokuName[0].substr(68, 12), "         100");
    EXPECT_EQ(w.doc->m_KoumokuName[1].substr(68, 12), "         200");
    EXPECT_EQ(w.doc->m_KoumokuName[2].substr(68, 12), "           7");
    expectAtTopOfItem(w, 2);

    // Nothing changed since: no recalculation but the command's own.
    recalculated.clear();
    hb().sendCommand(ID_KOUMOKU_TOROKU);
    EXPECT_EQ(recalculated, std::vector<int>{2});
}

TEST_F(KivTreeTest, LabelsAreDrawnInTheGridFontSizeWhenItIsNot14) {
    profile().writeInt("Font_Size_Section", "Font_Size", 20);
    ASSERT_EQ(start("1"), 0);
    Window w = open("a.KIV", threeItems(""));
    ASSERT_NE(w.tree, nullptr);
    w.tree->selectItem(child(*w.tree, 2));
    w.tree->invalidate();
    hb().processPending();
    EXPECT_EQ(w.tree->m_FontSize, 20);

    auto& screen = hb().screen(*w.tree);
    for (int k : {1, 3}) {
        const auto r = w.tree->itemTextRect(child(*w.tree, k));
        ASSERT_TRUE(r.has_value());
        const auto cell = screen.cellAt(r->left + 2, r->top + 1);
        ASSERT_TRUE(cell.has_value()) << k;
        EXPECT_EQ(cell->byte, '0');
        EXPECT_EQ(cell->font.height, 20);
        EXPECT_EQ(cell->font.face, "ＭＳ ゴシック");
        EXPECT_EQ(cell->text, CKivTree::kTextColor);
        EXPECT_EQ(cell->back, CKivTree::kBackColor);
        EXPECT_EQ(screen.textAt(r->left + 2, r->top + 1, 4, cell->width), "000" + std::to_string(k));
    }
    // The selected label keeps the selection's colours.
    const auto sel = w.tree->itemTextRect(child(*w.tree, 2));
    const auto cell = screen.cellAt(sel->left + 2, sel->top + 1);
    ASSERT_TRUE(cell.has_value());
    EXPECT_EQ(cell->font.height, 20);
    // The tree does not have the focus: the selection it keeps shown is the inactive grey, with
    // the labels' own text colour.
    ASSERT_FALSE(w.tree->hasFocus());
    EXPECT_EQ(cell->back, ui::rgb(200, 200, 200));
    EXPECT_EQ(cell->text, CKivTree::kTextColor);
    EXPECT_EQ(screen.textAt(sel->left + 2, sel->top + 1, 4, cell->width), "0002");

    // 画面フォントサイズ指定 back to the default size rebuilds the tree: the control's own
    // drawing in 14 again.
    w.frame->activateFrame();
    hb().processPending();
    hb().expectMessageBox(ui::IDNO, "フォントサイズ");
    hb().sendCommand(ID_FONT_SIZE);
    EXPECT_EQ(w.tree->m_FontSize, 14);
    EXPECT_EQ(w.tree->font().height, 14);
    EXPECT_EQ(w.tree->count(), 4);
    w.tree->invalidate();
    hb().processPending();
    const auto r1 = w.tree->itemTextRect(child(*w.tree, 1));
    const auto drawn = screen.cellAt(r1->left + 2, r1->top + 2);
    ASSERT_TRUE(drawn.has_value());
    EXPECT_EQ(drawn->font.height, 14);
    EXPECT_EQ(drawn->text, CKivTree::kTextColor);
}

} // namespace

// F6 in an estimate window: the frame takes its key-down for the next pane, and its key-up on
// the grid starts 項目削除, which asks first. Each key goes to the pane that has the focus: from
// the grid F6 moves to the tree (whose key-up does nothing); pressed there it moves back to the
// grid, and its key-up there asks about deleting the current item.
TEST_F(KivTreeTest, F6SwitchesPanesOnKeyDownAndDeletesTheItemOnKeyUpInTheGrid) {
    ASSERT_EQ(start("1"), 0);
    Window w = open("job.KIV", threeItems(""));
    ASSERT_NE(w.grid, nullptr);
    hb().focus(*w.grid);
    auto pressF6 = [this] {
        hb().sendKeyDown(*ui::Window::focusWindow(), ui::VK_F6);
        hb().sendKeyUp(*ui::Window::focusWindow(), ui::VK_F6);
    };

    pressF6();
    EXPECT_EQ(ui::Window::focusWindow(), w.tree);
    EXPECT_EQ(w.doc->m_KoumokuCount, 3);
    EXPECT_FALSE(w.doc->IsModified());

    struct Case {
        int answer;
        int itemsAfter;
    };
    for (const Case c : {Case{ui::IDCANCEL, 3}, Case{ui::IDOK, 2}}) {
        hb().focus(*w.tree);
        hb().expectMessageBox(c.answer, "項目の削除を行います。復活できません。よろしいですか？");
        pressF6();
        EXPECT_EQ(ui::Window::focusWindow(), w.grid);
        EXPECT_EQ(w.doc->m_KoumokuCount, c.itemsAfter);
    }
    EXPECT_TRUE(w.doc->IsModified());
    EXPECT_EQ(hb().pendingAnswers(), 0u);
}
