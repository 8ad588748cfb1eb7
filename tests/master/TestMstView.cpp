// The master window on the headless backend: opened through the application, its tree and grid
// driven as a user would, and what the grid draws read back.
#include <gtest/gtest.h>

#include "estimate/RecalcSeams.h"
#include "grid/CalcDialog.h"
#include "grid/TanniDialog.h"
#include "master/MstDoc.h"
#include "master/MstFixture.h"
#include "master/MstTree.h"
#include "master/MstView.h"
#include "platform/text/Number.h"
#include "estimate/KivDoc.h"
#include "estimate/RoumuDialog.h"
#include "grid/KivView.h"
#include "pricing/RowPricing.h"
#include "resources/KivDialogResources.h"
#include "grid/KivViewLinks.h"
#include "platform/headless/DialogDriver.h"
#include "platform/ui/Keys.h"
#include "shell/MSplitFrame.h"
#include "shell/ShellFixture.h"

namespace kiv::test {
namespace {

namespace fs = std::filesystem;
using kivtest::mstBytes;
using kivtest::mstLine;
using kivtest::threeCategories;
using text::sj;
using G = GyouRecord;

constexpr int kLineHeight = 18;   // the headless 14-pixel font: 14 high, 4 between lines
constexpr int kCharWidth = 7;

class MstViewTest : public ShellTest {
protected:
    struct Window {
        MstDoc* doc = nullptr;
        CMSplitFrame* frame = nullptr;
        CMstTree* tree = nullptr;
        CMstView* grid = nullptr;
    };

    void SetUp() override {
        ShellTest::SetUp();
        ASSERT_EQ(start("1"), 0);
    }

    fs::path writeMaster(const std::string& name, const std::vector<std::string>& rows) {
        fs::path p = data / name;
        EXPECT_TRUE(files::writeFileAtomically(p, mstBytes(rows)));
        return p;
    }

    Window open(const std::string& name, const std::vector<std::string>& rows, int visibleRows = 0) {
        ui::Document* d = app->OpenFile(writeMaster(name, rows));
        hb().processPending();
        Window w;
        w.doc = dynamic_cast<MstDoc*>(d);
        EXPECT_NE(w.doc, nullptr);
        if (!w.doc || w.doc->frames().empty())
            return w;
        w.frame = dynamic_cast<CMSplitFrame*>(w.doc->frames().front());
        EXPECT_NE(w.frame, nullptr);
        if (!w.frame)
            return w;
        w.tree = dynamic_cast<CMstTree*>(w.frame->m_wndSplitter->pane(0, 0));
        w.grid = dynamic_cast<CMstView*>(w.frame->m_wndSplitter->pane(0, 1));
        EXPECT_NE(w.tree, nullptr);
        EXPECT_NE(w.grid, nullptr);
        if (w.grid && visibleRows > 0) {
            hb().resize(*w.grid, {1000, (2 + 2 * visibleRows) * kLineHeight});
            hb().processPending();
        }
        if (w.grid)
            hb().focus(*w.grid);
        return w;
    }

    // What the grid draws in field `field` of grid row `screenRow`.
    std::string shown(CMstView& grid, int field, int screenRow) {
        const FieldGeometry g = CalcFieldPos(g_MstFieldTable, field, screenRow, grid.m_HScrollPairs);
        return hb().screen(grid).textAt(g.Pos.X0 * kCharWidth, g.Pos.Line * kLineHeight, g.Pos.Width, kCharWidth);
    }
    static std::string padded(int field, const std::string& utf8) {
        std::string s = sj(utf8.c_str());
        s.resize(static_cast<std::size_t>(G::layout(field).Width), ' ');
        return s;
    }
    // The centre of field `field` on grid row `screenRow`.
    static ui::Point cell(CMstView& grid, int field, int screenRow) {
        const FieldGeometry g = CalcFieldPos(g_MstFieldTable, field, screenRow, grid.m_HScrollPairs);
        return {(g.Pos.X0 + 1) * kCharWidth, g.Pos.Line * kLineHeight + kLineHeight / 2};
    }
    static std::string fieldOf(const std::string& row, int field) { return std::string(G::raw(row, field)); }
    static std::string workRow(const MstDoc& d, int gyou) { return d.WorkGyouAt(gyou); }
    static ui::TreeItem child(const CMstTree& tree, ui::TreeItem parent, int k) {
        ui::TreeItem c = tree.childItem(parent);
        for (int i = 1; i < k && c; ++i)
            c = tree.nextSiblingItem(c);
        return c;
    }
    void choose(CMstTree& tree, ui::TreeItem item) {
        tree.selectItem(item);
        hb().sendKeyDown(tree, ui::VK_RETURN);
    }
};

TEST_F(MstViewTest, OpensShowsCategoryOneTakesTypingAndSaves) {
    const fs::path path = data / "m.MST";
    Window w = open("m.MST", threeCategories());
    ASSERT_NE(w.grid, nullptr);
    EXPECT_EQ(g_pMstDoc, w.doc);
    EXPECT_EQ(g_pMstView, w.grid);
    EXPECT_EQ(w.doc->GetPathName(), path.string());
    EXPECT_FALSE(w.doc->IsModified());
    // The caption and category 1's two rows; the first column shows category and row number.
    EXPECT_EQ(hb().screen(*w.grid).textAt(1 * kCharWidth, 0, 4, kCharWidth), sj("分類"));
    EXPECT_EQ(shown(*w.grid, G::Hinmei, 1), padded(G::Hinmei, "配管用炭素鋼鋼管"));
    EXPECT_EQ(shown(*w.grid, G::Hinmei, 2), padded(G::Hinmei, "エルボ"));
    EXPECT_EQ(shown(*w.grid, G::KoumokuNo, 2), "0001");
    EXPECT_EQ(shown(*w.grid, G::GyouNo, 2), "0002");
    EXPECT_EQ(kiv::grid::StatusPaneText(CMstView::kPaneFileName), "m.MST");

    // Typing into 品名 of row 1 goes into the row at once; 上書き保存 writes it.
    EXPECT_EQ(w.grid->m_CurField[0], G::Hinmei);
    hb().sendText(*w.grid, "新");
    EXPECT_EQ(fieldOf(workRow(*w.doc, 1), G::Hinmei).substr(0, 4), sj("新配"));
    EXPECT_TRUE(w.doc->IsModified());
    ASSERT_TRUE(w.doc->doFileSave());
    EXPECT_FALSE(w.doc->IsModified());
    MstFileContent saved = ReadMstFile(*files::readFile(path));
    ASSERT_EQ(saved.rows.size(), 5u);
    EXPECT_EQ(fieldOf(saved.rows[0], G::Hinmei).substr(0, 4), sj("新配"));
    EXPECT_EQ(saved.rows[2], threeCategories()[2]);
}

TEST_F(MstViewTest, BaseCellPasteAndUndoFollowTheSharedRules) {
    Window w = open("m.MST", threeCategories());
    ASSERT_NE(w.grid, nullptr);
    CMstView& g = *w.grid;
    // Cut 品名 of row 1; the undo puts it back only there.
    g.OnEditCut();
    EXPECT_EQ(fieldOf(workRow(*w.doc, 1), G::Hinmei), padded(G::Hinmei, ""));
    hb().sendKeyDown(g, ui::VK_DOWN);
    ASSERT_EQ(w.doc->m_CurGyou[0], 2);
    const std::string row2 = workRow(*w.doc, 2);
    EXPECT_FALSE(g.UndoCell());
    EXPECT_EQ(workRow(*w.doc, 2), row2);
    hb().sendKeyDown(g, ui::VK_UP);
    ASSERT_EQ(w.doc->m_CurGyou[0], 1);
    EXPECT_TRUE(g.UndoCell());
    EXPECT_EQ(fieldOf(workRow(*w.doc, 1), G::Hinmei), padded(G::Hinmei, "配管用炭素鋼鋼管"));
    // Into a number cell: parsed and right-aligned, or refused with a message.
    g.m_CurField[0] = G::Tanka1;
    g.CalcFieldPos();
    g.m_FieldCopyBuf = std::string("1234") + std::string(26, ' ');
    EXPECT_TRUE(g.PasteCell());
    EXPECT_EQ(fieldOf(workRow(*w.doc, 1), G::Tanka1), "      1234");
    g.m_FieldCopyBuf = sj("配管") + std::string(26, ' ');
    hb().expectMessageBox(ui::IDOK, "数値ではない");
    EXPECT_FALSE(g.PasteCell());
    EXPECT_EQ(fieldOf(workRow(*w.doc, 1), G::Tanka1), "      1234");
}

TEST_F(MstViewTest, CursorWalksTheEnterableFieldsInOrder) {
    Window w = open("m.MST", threeCategories());
    ASSERT_NE(w.grid, nullptr);
    CMstView& g = *w.grid;
    std::vector<int> order;
    for (int i = 0; i < 20; ++i) {
        order.push_back(g.m_CurField[0]);
        hb().sendKeyDown(g, ui::VK_RIGHT);
        // Text cells take the caret through their characters first.
        while (g.m_CurField[0] == order.back() && g.m_FieldPos.IsText == 1 && w.doc->m_CurGyou[0] == 1)
            hb().sendKeyDown(g, ui::VK_RIGHT);
    }
    const std::vector<int> expected = {5, 6, 11, 12, 13, 14, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32};
    EXPECT_EQ(order, expected);
    // 33 is the last: the next field is 品名 of the next row.
    g.m_CurField[0] = 33;
    g.CalcFieldPos();
    g.NextField();
    EXPECT_EQ(g.m_CurField[0], G::Hinmei);
    EXPECT_EQ(w.doc->m_CurGyou[0], 2);
    // Back over the hidden columns: from 11 to 6, from 19 to 14.
    for (auto [from, to] : {std::pair{11, 6}, std::pair{19, 14}, std::pair{5, 5}}) {
        g.m_CurField[0] = from;
        g.CalcFieldPos();
        g.PrevField();
        EXPECT_EQ(g.m_CurField[0], to) << from;
    }
}

TEST_F(MstViewTest, AppendsPastTheLastRowByEnterAndByAClickBelowIt) {
    Window w = open("m.MST", threeCategories());
    ASSERT_NE(w.grid, nullptr);
    CMstView& g = *w.grid;
    // Enter on 掛率 (33) of the last row appends a numbered row with 補給 "  1.0".
    w.doc->m_CurGyou[0] = 2;
    w.doc->m_ScreenGyou[0] = 2;
    g.m_CurField[0] = 33;
    g.LoadGyou();
    g.CalcFieldPos();
    hb().sendChar(g, '\r');
    EXPECT_EQ(w.doc->m_GyouCount, 3);
    EXPECT_EQ(w.doc->m_CurGyou[0], 3);
    EXPECT_EQ(g.m_CurField[0], G::Hinmei);
    EXPECT_EQ(workRow(*w.doc, 3).substr(0, 8), "00010003");
    EXPECT_EQ(fieldOf(workRow(*w.doc, 3), G::Hokyuu), "  1.0");

    // A click on the empty row just below appends one more; two rows below does nothing.
    hb().sendClick(g, cell(g, G::Kikaku, 5));
    EXPECT_EQ(w.doc->m_GyouCount, 3);
    hb().sendClick(g, cell(g, G::Kikaku, 4));
    EXPECT_EQ(w.doc->m_GyouCount, 4);
    EXPECT_EQ(w.doc->m_CurGyou[0], 4);
    EXPECT_EQ(g.m_CurField[0], G::Hinmei);
    EXPECT_EQ(workRow(*w.doc, 4).substr(0, 8), "00010004");
    // The lines are in the master: a category switch and back keeps them.
    w.doc->StoreKoumokuGyou();
    w.doc->m_CurKoumoku[0] = 1;
    w.doc->LoadKoumokuGyou();
    EXPECT_EQ(w.doc->m_GyouCount, 4);
}

TEST_F(MstViewTest, EnterOnANumberRecalculatesItsRowAlone) {
    std::vector<std::string> rows = threeCategories();
    G::putNumber(rows[0], G::HiroidasiSuu1, "5");
    G::putNumber(rows[1], G::HiroidasiSuu1, "7");
    Window w = open("m.MST", rows);
    ASSERT_NE(w.grid, nullptr);
    CMstView& g = *w.grid;
    g.m_CurField[0] = G::Tanka1;
    g.CalcFieldPos();
    hb().sendText(g, "980");
    hb().sendChar(g, '\r');
    EXPECT_EQ(fieldOf(workRow(*w.doc, 1), G::Tanka1), "       980");
    EXPECT_EQ(fieldOf(workRow(*w.doc, 1), G::HiroidasiSuu1), "        ");
    EXPECT_EQ(fieldOf(workRow(*w.doc, 2), G::HiroidasiSuu1), "       7");
    EXPECT_EQ(g.m_CurField[0], G::Tanka2);
}

TEST_F(MstViewTest, HorizontalStepsHideTheRemarksThenTheRates) {
    Window w = open("m.MST", threeCategories());
    ASSERT_NE(w.grid, nullptr);
    CMstView& g = *w.grid;
    auto x0 = [&](int field) { return CalcFieldPos(g_MstFieldTable, field, 1, g.m_HScrollPairs).Pos.X0; };
    hb().sendScroll(g, ui::SB_HORZ, ui::SB_LINERIGHT);
    EXPECT_EQ(g.m_HScrollPairs, 1);
    EXPECT_EQ(x0(G::Bukake1), 68);
    EXPECT_FALSE(IsFieldShown(g_MstFieldTable, G::Bikou1, g.m_HScrollPairs));
    hb().sendScroll(g, ui::SB_HORZ, ui::SB_LINERIGHT);
    EXPECT_EQ(x0(G::TugiteRitu), 68);
    hb().sendScroll(g, ui::SB_HORZ, ui::SB_LINERIGHT);
    EXPECT_EQ(g.m_HScrollPairs, 2);
    EXPECT_EQ(x0(G::TugiteRitu), 68);
    hb().processPending();
    EXPECT_EQ(hb().screen(g).textAt(68 * kCharWidth, 0, 4, kCharWidth), sj("継手"));
}

TEST_F(MstViewTest, PagingStopsWithTheLastRowsOnScreen) {
    std::vector<std::string> rows;
    for (int k = 1; k <= 40; ++k)
        rows.push_back(mstLine(1, k, {{G::Hinmei, "R" + std::to_string(k)}}));
    Window w = open("m.MST", rows, 30);
    ASSERT_NE(w.grid, nullptr);
    CMstView& g = *w.grid;
    EXPECT_EQ(g.m_VisibleGyou, 30);
    hb().sendScroll(g, ui::SB_VERT, ui::SB_PAGEDOWN);
    EXPECT_EQ(w.doc->m_TopGyou[0], 5);
    for (int i = 0; i < 4; ++i)
        hb().sendScroll(g, ui::SB_VERT, ui::SB_PAGEDOWN);
    EXPECT_EQ(w.doc->m_TopGyou[0], 11);
    hb().processPending();
    EXPECT_EQ(shown(g, G::Hinmei, 1), padded(G::Hinmei, "R12"));
    EXPECT_EQ(shown(g, G::Hinmei, 29), padded(G::Hinmei, "R40"));
    EXPECT_EQ(shown(g, G::Hinmei, 30), padded(G::Hinmei, ""));
}

TEST_F(MstViewTest, TreeGroupsCategoriesUnderTheirHeadings) {
    Window w = open("m.MST", threeCategories());
    ASSERT_NE(w.tree, nullptr);
    CMstTree& t = *w.tree;
    EXPECT_EQ(t.itemText(t.rootItem()), (data / "m.MST").string());
    const ui::TreeItem first = child(t, t.rootItem(), 1);
    const ui::TreeItem heading = child(t, t.rootItem(), 2);
    EXPECT_EQ(t.itemText(first).substr(0, 4), "0001");
    EXPECT_EQ(t.itemText(heading), padded(G::Bikou1, "電気設備"));
    EXPECT_EQ(child(t, t.rootItem(), 3), 0);
    EXPECT_EQ(t.itemText(child(t, heading, 1)).substr(0, 4), "0002");
    EXPECT_EQ(t.itemText(child(t, heading, 2)).substr(0, 4), "0003");
    EXPECT_EQ(t.itemText(child(t, heading, 1)).size(), static_cast<std::size_t>(MstDoc::kTitleLength));
    EXPECT_EQ(w.doc->m_BunListExtra, 1);

    // Choosing category 3 moves the grid there; the heading keeps the category chosen before.
    choose(t, child(t, heading, 2));
    EXPECT_EQ(w.doc->m_CurKoumoku[0], 3);
    EXPECT_EQ(shown(*w.grid, G::Hinmei, 1), padded(G::Hinmei, "照明器具"));
    choose(t, heading);
    EXPECT_EQ(w.doc->m_CurKoumoku[0], 3);
}

TEST_F(MstViewTest, TypedRowSurvivesATreeSwitch) {
    Window w = open("m.MST", threeCategories());
    ASSERT_NE(w.grid, nullptr);
    CMstView& g = *w.grid;
    g.m_CurField[0] = G::Tanka1;
    g.CalcFieldPos();
    hb().sendText(g, "42");   // digits stay in the row buffer until the cell is left
    CMstTree& t = *w.tree;
    choose(t, child(t, child(t, t.rootItem(), 2), 1));
    EXPECT_EQ(w.doc->m_CurKoumoku[0], 2);
    choose(t, child(t, t.rootItem(), 1));
    EXPECT_EQ(w.doc->m_CurKoumoku[0], 1);
    EXPECT_EQ(fieldOf(workRow(*w.doc, 1), G::Tanka1), "        42");
}

TEST_F(MstViewTest, TreeTakesTheMasterFontSizeAndTheGridTheEstimates) {
    profile().writeInt("MFont_Size_Section", "MFont_Size", 20);
    profile().writeInt("Font_Size_Section", "Font_Size", 16);
    Window w = open("m.MST", threeCategories());
    ASSERT_NE(w.grid, nullptr);
    EXPECT_EQ(w.tree->m_FontSize, 20);
    EXPECT_EQ(w.grid->m_FontSize, 16);
}

TEST_F(MstViewTest, TwoMastersEachTreeMovesItsOwnGrid) {
    Window a = open("a.MST", threeCategories());
    Window b = open("b.MST", threeCategories());
    ASSERT_NE(a.grid, nullptr);
    ASSERT_NE(b.grid, nullptr);
    EXPECT_EQ(g_pMstDoc, b.doc);
    EXPECT_EQ(g_pMstView, b.grid);
    // A's tree makes a's master current (its title list is rebuilt) and moves a's grid alone.
    choose(*a.tree, child(*a.tree, child(*a.tree, a.tree->rootItem(), 2), 2));
    EXPECT_EQ(a.doc->m_CurKoumoku[0], 3);
    EXPECT_EQ(b.doc->m_CurKoumoku[0], 1);
    a.tree->FillKoumokuTree();
    EXPECT_EQ(g_pMstDoc, a.doc);
    EXPECT_EQ(g_pMstView, a.grid);

    // Closing a writes its path to the profile and makes b current.
    const std::string aPath = a.doc->GetPathName();
    a.frame->activateFrame();
    hb().sendCommand(ui::cmd::FileClose);
    hb().processPending();
    EXPECT_EQ(profile().getString("Master_Section", "Master_Dat"), aPath);
    EXPECT_EQ(g_pMstDoc, b.doc);
    EXPECT_EQ(g_pMstView, b.grid);
    const std::string bPath = b.doc->GetPathName();
    b.frame->activateFrame();
    hb().sendCommand(ui::cmd::FileClose);
    hb().processPending();
    EXPECT_EQ(g_pMstDoc, nullptr);
    EXPECT_EQ(g_pMstView, nullptr);

    // A damaged master opens nothing and leaves the last master's path in the profile.
    const fs::path bad = data / "bad.MST";
    ASSERT_TRUE(files::writeFileAtomically(bad, "xx"));
    hb().expectMessageBox(ui::IDOK, "bad.MST");
    EXPECT_EQ(app->OpenFile(bad), nullptr);
    hb().processPending();
    EXPECT_EQ(profile().getString("Master_Section", "Master_Dat"), bPath);
    EXPECT_TRUE(main().mdiChildren().empty());
}


// The master window's menu: its commands are enabled.
TEST_F(MstViewTest, MenuOffersTheMastersCommands) {
    Window w = open("m.MST", threeCategories());
    ASSERT_NE(w.frame, nullptr);
    const ui::Menu* menu = w.doc->docTemplate()->menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->id, 140);
    EXPECT_TRUE(app->commandState(ui::cmd::FileSave).enabled);
    EXPECT_TRUE(app->commandState(ui::cmd::FileSaveAs).enabled);
    EXPECT_TRUE(app->commandState(ui::cmd::EditCopy).enabled);
    EXPECT_TRUE(app->commandState(32852).enabled);         // ﾏｽﾀｰﾌｧｲﾙ切替, the main frame's
    EXPECT_TRUE(app->commandState(ui::cmd::FileSendMail).enabled);   // 送信
    EXPECT_TRUE(app->commandState(32870).enabled);         // 新分類追加
    EXPECT_TRUE(app->commandState(32812).enabled);         // 単価変換、削除
}


// Down from the last row on the bottom screen row steps the grid on to the empty row after it,
// without appending it; text typed there makes it a numbered row.
TEST_F(MstViewTest, DownPastTheLastRowAppendsOnlyWhenTyping) {
    std::vector<std::string> rows;
    for (int k = 1; k <= 3; ++k)
        rows.push_back(mstLine(1, k, {{G::Hinmei, "R" + std::to_string(k)}}));
    Window w = open("m.MST", rows, 3);
    ASSERT_NE(w.grid, nullptr);
    CMstView& g = *w.grid;
    ASSERT_EQ(g.m_VisibleGyou, 3);
    hb().sendKeyDown(g, ui::VK_DOWN);
    hb().sendKeyDown(g, ui::VK_DOWN);
    EXPECT_EQ(w.doc->m_CurGyou[0], 3);
    hb().sendKeyDown(g, ui::VK_DOWN);
    EXPECT_EQ(w.doc->m_CurGyou[0], 4);
    EXPECT_EQ(w.doc->m_TopGyou[0], 1);
    EXPECT_EQ(w.doc->m_GyouCount, 3);
    hb().sendKeyDown(g, ui::VK_DOWN);   // no further
    EXPECT_EQ(w.doc->m_CurGyou[0], 4);
    hb().sendText(g, "N");
    EXPECT_EQ(w.doc->m_GyouCount, 4);
    EXPECT_EQ(workRow(*w.doc, 4).substr(0, 8), "00010004");
    EXPECT_EQ(fieldOf(workRow(*w.doc, 4), G::Hinmei), padded(G::Hinmei, "N"));
    EXPECT_EQ(fieldOf(workRow(*w.doc, 4), G::Hokyuu), "  1.0");
    hb().sendKeyDown(g, ui::VK_UP);
    EXPECT_EQ(w.doc->m_CurGyou[0], 3);
}


// The calculator from an operator key on 単価 and the unit list from the right button: both write
// into the row, the calculator's result recalculating the row alone.
TEST_F(MstViewTest, CalculatorAndUnitListWriteIntoTheRow) {
    std::vector<std::string> rows = threeCategories();
    G::putNumber(rows[0], G::HiroidasiSuu1, "5");
    G::putNumber(rows[1], G::HiroidasiSuu1, "7");
    Window w = open("m.MST", rows);
    ASSERT_NE(w.grid, nullptr);
    CMstView& g = *w.grid;
    g.m_CurField[0] = G::Tanka1;
    g.CalcFieldPos();
    hb().expectDialog([](ui::headless::DialogDriver& dd) {
        EXPECT_EQ(dd.text(CCalcDialog::kDisplay), "1200");
        dd.type(CCalcDialog::kDisplay, "2").key(ui::VK_RETURN);
    }, CCalcDialog::kDialogId);
    hb().sendChar(g, '*');
    EXPECT_EQ(fieldOf(workRow(*w.doc, 1), G::Tanka1), "      2400");
    EXPECT_EQ(fieldOf(workRow(*w.doc, 1), G::HiroidasiSuu1), "        ");
    EXPECT_EQ(fieldOf(workRow(*w.doc, 2), G::HiroidasiSuu1), "       7");
    EXPECT_EQ(g.m_CurField[0], G::Tanka2);

    g.m_CurField[0] = G::Tanni;
    g.CalcFieldPos();
    hb().expectDialog([](ui::headless::DialogDriver& dd) { dd.select(CTanniDialog::kTanni, 3).click(ui::IDOK); },
                      CTanniDialog::kDialogId);
    hb().sendMouse(g, ui::MouseEvent::RButtonDown, {0, 0});
    EXPECT_EQ(fieldOf(workRow(*w.doc, 1), G::Tanni) + fieldOf(workRow(*w.doc, 1), G::TanniTail), sj("本") + "  ");
    EXPECT_EQ(g.m_CurField[0], G::TanniTail);
}

// The labels of the category range dialog: the title of line 1 and the amounts of the last row
// whose category is the code of 運搬費, 表紙計 or 中計 (of line 1 otherwise).
TEST_F(MstViewTest, CategoryLabelsTakeTheAmountsOfTheTotalRow) {
    std::vector<std::string> rows = threeCategories();
    G::putNumber(rows[0], G::Kingaku1, "11");
    G::putNumber(rows[1], G::Kingaku1, "12");
    G::putNumber(rows[2], G::Kingaku1, "21");
    G::putNumber(rows[3], G::Kingaku1, "22");
    Window w = open("m.MST", rows);
    ASSERT_NE(w.grid, nullptr);
    w.doc->m_SetteiValues.codes[static_cast<std::size_t>(EnzanCode::Tyuukei)] = 2;
    const int before = w.doc->m_CurKoumoku[0];
    w.grid->RebuildKoumokuListNoCalc();
    EXPECT_EQ(w.doc->m_CurKoumoku[0], before);
    const auto& list = w.doc->m_BunSelectList;
    ASSERT_GE(list.size(), 3u);
    EXPECT_EQ(list[0].size(), static_cast<std::size_t>(MstDoc::kBunSelectLength));
    EXPECT_EQ(list[0].substr(0, 4), "0001");
    EXPECT_EQ(list[0].substr(68, 12), "          11");
    EXPECT_EQ(list[1].substr(68, 12), "          22");
    EXPECT_EQ(list[2].substr(8, 30), padded(G::Hinmei, "照明器具"));
}
} // namespace
} // namespace kiv::test

namespace kiv::test {
namespace {

// 単価入替 of an estimate reads the current master's rows, in file order, through its hook.
TEST_F(MstViewTest, TheCurrentMastersRowsReachTheEstimateSide) {
    EXPECT_FALSE(CurrentMasterLines().has_value());
    const auto rows = threeCategories();
    Window w = open("lines.MST", rows);
    ASSERT_NE(w.doc, nullptr);
    auto lines = CurrentMasterLines();
    ASSERT_TRUE(lines.has_value());
    ASSERT_EQ(lines->size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(std::string((*lines)[i]).substr(0, 8), rows[i].substr(0, 8)) << i;
    // The first row as the load priced it: its composite unit price from 単価1.
    std::string priced = rows[0];
    G::putNumber(priced, G::FukugouTanka1, "1200");
    EXPECT_EQ(std::string((*lines)[0]), priced);
}


// ---------------------------------------------------------------------------------------------
// Prices of master rows, the detail dialog on them and the transfer into the estimate.

using ui::IDOK;
using ui::headless::DialogDriver;

class MstPricingTest : public MstViewTest {
protected:
    // Line 18 配管工 20000, line 19 a price that must never be taken for 18.
    static RoumuList labourList() {
        std::vector<RoumuRecord> lines;
        for (int i = 1; i <= 19; ++i) {
            const std::string no = text::cformat("%02d", i);
            if (i == 18)
                lines.push_back(*RoumuRecord::build(no, sj("配管工"), "20000", "20000"));
            else if (i == 19)
                lines.push_back(*RoumuRecord::build(no, sj("他"), "99999", "99999"));
            else
                lines.push_back(*RoumuRecord::build(no, "", "", ""));
        }
        return RoumuList(lines);
    }
    Window openPriced(const std::vector<std::string>& rows, int style = 1) {
        Window w = open("p.MST", rows);
        if (w.doc) {
            w.doc->m_Roumu = labourList();
            w.doc->m_SetteiValues.FukugouMarume = 1;
            w.doc->m_SetteiValues.SekisanYousiki = style;
        }
        return w;
    }
    // Category 1's row `gyou` recalculated as a commit does; the stored row.
    static std::string recalc(Window& w, int gyou) {
        w.doc->m_CurGyou[0] = gyou;
        w.grid->LoadGyou();
        w.grid->RecalcGyou();
        return workRow(*w.doc, gyou);
    }
    static std::string trimmedField(const std::string& row, int field) {
        return std::string(text::trimBlanks(G::raw(row, field)));
    }
    // The estimate's own pricing of the same row.
    static std::string estimatePrice(std::string row) {
        PriceKivGyou(row, labourList(), 1, RowPricingReport{});
        return trimmedField(row, G::FukugouTanka1);
    }
    std::size_t messageCount(const std::string& part) {
        std::size_t n = 0;
        for (const std::string& m : hb().messageTexts())
            if (m.find(part) != std::string::npos)
                ++n;
        return n;
    }
};

TEST_F(MstPricingTest, MasterBaseDiffersFromTheEstimatesOnlyThroughSonota2) {
    const std::string material =
        mstLine(1, 1, {{G::Tanka1, "1000"}, {G::TugiteRitu, "0.1"}, {G::Sonota2Ritu, "0.1"}});
    const std::string labour = mstLine(1, 2, {{G::Bukake1, "1"}, {G::Roumu1No, "18"}, {G::HaturiRitu, "0.5"},
                                              {G::Sonota2Ritu, "0.1"}});
    Window w = openPriced({material, labour});
    ASSERT_NE(w.grid, nullptr);
    const std::string r1 = recalc(w, 1);
    EXPECT_EQ(std::string(G::raw(r1, G::FukugouTanka1)), "      1210");   // 材料費計 1100 + その他２ 110
    EXPECT_TRUE(G::isBlank(r1, G::FukugouTanka2));
    EXPECT_EQ(estimatePrice(material), "1200");
    const std::string r2 = recalc(w, 2);
    EXPECT_EQ(trimmedField(r2, G::FukugouTanka1), "32000");   // その他２ 2000 on the master's base
    EXPECT_EQ(estimatePrice(labour), "33000");
    EXPECT_EQ(r2.find("99999"), std::string::npos);
    EXPECT_EQ(w.grid->m_LabourNo[0], 18);
}

TEST_F(MstPricingTest, RegistrationOutsideTheListIsNoLabourLine) {
    for (const char* no : {"0", "-1", "20"}) {
        Window w = openPriced({mstLine(1, 1, {{G::Bukake1, "1"}, {G::Roumu1No, no}, {G::Tanka1, "500"}})}, 0);
        ASSERT_NE(w.grid, nullptr);
        EXPECT_EQ(trimmedField(recalc(w, 1), G::FukugouTanka1), "500") << no;
        w.doc->SetModifiedFlag(false);
        w.doc->onCloseDocument();
    }
}

TEST_F(MstPricingTest, LabourCheckOnlyInTheCompositeStyleAndPricesOnceAfterTheDialog) {
    const auto rows = std::vector<std::string>{mstLine(1, 1), mstLine(1, 2), mstLine(1, 3, {{G::Bukake1, "1"}})};
    {
        Window w = openPriced(rows, 0);
        ASSERT_NE(w.grid, nullptr);
        recalc(w, 3);
        EXPECT_EQ(messageCount("労務単価1"), 0u);
        EXPECT_EQ(hb().pendingAnswers(), 0u);
        w.doc->SetModifiedFlag(false);
        w.doc->onCloseDocument();
    }
    Window w = openPriced(rows, 1);
    ASSERT_NE(w.grid, nullptr);
    // OK after entering registration 18: the dialog's price stays.
    hb().expectMessageBox(IDOK, "0003");
    hb().expectDialog([this](DialogDriver& dd) {
        // Labour line 1's NO opens the labour-price list: line 18 is sent to the detail.
        hb().expectDialog([](DialogDriver& list) {
            list.select(CRoumuDialog::kList, 17);
            list.click(CRoumuDialog::kSyousaiOkuru);
        }, CRoumuDialog::kDialogId);
        dd.focus(res::IDC_ROUMUNO[0]);
        dd.click(IDOK);
    }, res::IDD_KIVDIALOG);
    std::string row = recalc(w, 3);
    EXPECT_EQ(trimmedField(row, G::FukugouTanka1), "20000");
    EXPECT_EQ(trimmedField(row, G::Roumu1No), "18");
    EXPECT_EQ(hb().pendingAnswers(), 0u);
    // OK without one: priced once, no second message.
    const std::size_t before = messageCount("編集中の行に労務単価1が入力されていません。0003");
    G::blank(w.doc->EditWorkGyou(3), G::Roumu1No);
    hb().expectMessageBox(IDOK, "0003");
    hb().expectDialog([](DialogDriver& dd) { dd.click(IDOK); }, res::IDD_KIVDIALOG);
    row = recalc(w, 3);
    EXPECT_EQ(messageCount("編集中の行に労務単価1が入力されていません。0003"), before + 1);
    EXPECT_TRUE(G::isBlank(row, G::FukugouTanka1));
    EXPECT_EQ(hb().pendingAnswers(), 0u);
}

TEST_F(MstPricingTest, DetailDialogShowsTheRowsCompositeAndPricesOnOk) {
    Window w = openPriced({mstLine(1, 1, {{G::Tanka1, "1000"}, {G::TugiteRitu, "0.1"}, {G::Sonota2Ritu, "0.1"}}),
                           mstLine(1, 2, {{G::ZaiGoukei, "1"}, {G::Zai1Suu, "1"}, {G::Zai1Tanka1, "1000"},
                                          {G::Zai2Suu, "1"}, {G::Zai2Tanka1, "500"}, {G::TugiteRitu, "0.1"}})});
    ASSERT_NE(w.grid, nullptr);
    std::string composite;
    hb().expectDialog([&](DialogDriver& dd) {
        composite = dd.text(res::IDC_FUKUGOUTANKA1);
        dd.click(IDOK);
    }, res::IDD_KIVDIALOG);
    w.doc->m_CurGyou[0] = 1;
    w.grid->LoadGyou();
    w.grid->OnSyousai();
    EXPECT_EQ(std::string(text::trimBlanks(composite)), "1210");
    EXPECT_EQ(trimmedField(workRow(*w.doc, 1), G::FukugouTanka1), "1210");

    // 材料を合計して表示: 単価1 takes the material total, the composite adds the 継手.
    hb().expectDialog([](DialogDriver& dd) { dd.click(IDOK); }, res::IDD_KIVDIALOG);
    w.doc->m_CurGyou[0] = 2;
    w.grid->LoadGyou();
    w.grid->OnSyousai();
    EXPECT_EQ(std::string(G::raw(workRow(*w.doc, 2), G::Tanka1)), "      1500");
    EXPECT_EQ(trimmedField(workRow(*w.doc, 2), G::FukugouTanka1), "1650");
    EXPECT_EQ(hb().pendingAnswers(), 0u);
}

TEST_F(MstPricingTest, DetailDialogsBunMovesTheRowAndRefusesBadNumbers) {
    Window w = openPriced({mstLine(1, 1, {{G::Hinmei, "一"}}), mstLine(2, 1), mstLine(3, 1, {{G::Hinmei, "甲"}}),
                           mstLine(3, 2, {{G::Hinmei, "乙"}}), mstLine(3, 3, {{G::Hinmei, "丙"}})});
    ASSERT_NE(w.grid, nullptr);
    w.doc->m_CurKoumoku[0] = 3;
    w.doc->LoadKoumokuGyou();
    w.doc->m_CurGyou[0] = 2;
    w.grid->LoadGyou();
    int refusals = 0;
    hb().expectDialog([&](DialogDriver& dd) {
        for (const char* bad : {"0", "4", "", "x"}) {
            dd.type(res::IDC_BUNNO, bad);
            dd.click(IDOK);
            if (!dd.ended())
                ++refusals;
        }
        dd.type(res::IDC_BUNNO, "1");
        dd.click(IDOK);
    }, res::IDD_KIVDIALOG);
    for (int i = 0; i < 4; ++i)
        hb().expectMessageBox(IDOK, "分類番号が正しくありません");
    EXPECT_TRUE(w.grid->ShowSyousai());
    EXPECT_EQ(refusals, 4);
    EXPECT_EQ(hb().pendingAnswers(), 0u);
    // Category 3 closed up, renumbered.
    ASSERT_EQ(w.doc->m_GyouCount, 2);
    EXPECT_EQ(workRow(*w.doc, 2).substr(0, 8), "00030002");
    EXPECT_EQ(fieldOf(workRow(*w.doc, 2), G::Hinmei).substr(0, 2), sj("丙"));
    // The row is category 1's last.
    w.doc->m_CurKoumoku[0] = 1;
    w.doc->LoadKoumokuGyou();
    ASSERT_EQ(w.doc->m_GyouCount, 2);
    EXPECT_EQ(workRow(*w.doc, 2).substr(0, 8), "00010002");
    EXPECT_EQ(fieldOf(workRow(*w.doc, 2), G::Hinmei).substr(0, 2), sj("乙"));
    EXPECT_EQ(w.doc->PoolGyouCount(), 5);
}

TEST_F(MstPricingTest, BunChangedInTheLabourChecksDialogMovesTheRowWithoutOverwritingAnother) {
    Window w = openPriced({mstLine(1, 1, {{G::Hinmei, "甲"}}), mstLine(1, 2, {{G::Hinmei, "乙"}, {G::Bukake1, "1"}}),
                           mstLine(1, 3, {{G::Hinmei, "丙"}}), mstLine(2, 1, {{G::Hinmei, "丁"}})});
    ASSERT_NE(w.grid, nullptr);
    hb().expectMessageBox(IDOK, "0002");
    hb().expectDialog([](DialogDriver& dd) {
        dd.type(res::IDC_BUNNO, "2");
        dd.click(IDOK);
    }, res::IDD_KIVDIALOG);
    recalc(w, 2);
    EXPECT_EQ(hb().pendingAnswers(), 0u);
    ASSERT_EQ(w.doc->m_GyouCount, 2);
    EXPECT_EQ(workRow(*w.doc, 2).substr(0, 8), "00010002");
    EXPECT_EQ(fieldOf(workRow(*w.doc, 2), G::Hinmei).substr(0, 2), sj("丙"));
    EXPECT_TRUE(G::isBlank(workRow(*w.doc, 2), G::Bukake1));
    w.doc->m_CurKoumoku[0] = 2;
    w.doc->LoadKoumokuGyou();
    ASSERT_EQ(w.doc->m_GyouCount, 2);
    EXPECT_EQ(workRow(*w.doc, 2).substr(0, 8), "00020002");
    EXPECT_EQ(fieldOf(workRow(*w.doc, 2), G::Hinmei).substr(0, 2), sj("乙"));
}

TEST_F(MstPricingTest, RecalcGyouBlanksQuantitiesAndRefusesTooWideComposites) {
    // Opening the master prices its first row already.
    hb().expectMessageBox(IDOK, "複合単価が10桁を越ています");
    Window w = openPriced({mstLine(1, 1, {{G::HiroidasiSuu1, "5"}, {G::HiroidasiSuu2, "6"}, {G::SekisanSuu1, "7"},
                                          {G::SekisanSuu2, "8"}, {G::Kingaku1, "123"}, {G::Kingaku2, "456"},
                                          {G::Tanka1, "9999999999"}, {G::Sonota2Ritu, "0.1"}})});
    ASSERT_NE(w.grid, nullptr);
    hb().expectMessageBox(IDOK, "複合単価が10桁を越ています");
    const std::string row = recalc(w, 1);
    for (int f : {G::HiroidasiSuu1, G::HiroidasiSuu2, G::SekisanSuu1, G::SekisanSuu2})
        EXPECT_TRUE(G::isBlank(row, f)) << f;
    EXPECT_EQ(trimmedField(row, G::Kingaku1), "123");
    EXPECT_EQ(trimmedField(row, G::Kingaku2), "456");
    EXPECT_TRUE(G::isBlank(row, G::FukugouTanka1));
    EXPECT_EQ(hb().pendingAnswers(), 0u);
}

TEST_F(MstPricingTest, RecalcAllGyouPricesEveryCategoryAsOnePass) {
    Window w = openPriced({mstLine(1, 1, {{G::Tanka1, "100"}}), mstLine(1, 2, {{G::Bukake1, "1"}}),
                           mstLine(2, 1, {{G::Bukake1, "1"}, {G::Roumu1No, "18"}}),
                           mstLine(3, 1, {{G::Tanka1, "300"}}), mstLine(3, 2, {{G::Bukake1, "2"}})});
    ASSERT_NE(w.grid, nullptr);
    w.doc->m_CurKoumoku[0] = 2;
    w.doc->LoadKoumokuGyou();
    w.doc->m_CurGyou[0] = 1;
    w.grid->m_CurField[0] = G::Kikaku;
    // One message for both rows without labour price, naming the first (category 1, row 2).
    hb().expectMessageBox(IDOK, "労務単価1が入力されていない行があります");
    RunRecalcAllGyou();   // as 登録 in the labour-price dialog runs it
    EXPECT_EQ(hb().pendingAnswers(), 0u);
    ASSERT_FALSE(hb().messageTexts().empty());
    const std::string summary = hb().messageTexts().back();
    EXPECT_NE(summary.find("2"), std::string::npos);
    EXPECT_EQ(w.doc->m_CurKoumoku[0], 2);
    EXPECT_EQ(w.doc->m_CurGyou[0], 1);
    EXPECT_EQ(w.grid->m_CurField[0], G::Kikaku);
    EXPECT_EQ(trimmedField(workRow(*w.doc, 1), G::FukugouTanka1), "20000");
    auto lines = CurrentMasterLines();
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(trimmedField(std::string((*lines)[3]), G::FukugouTanka1), "300");
    EXPECT_EQ(CurrentMasterRoumu(), &w.doc->m_Roumu);
}

TEST_F(MstPricingTest, EnterOnUnitPriceWithItsFlagsGivesEachMessageThenTheDetailOnce) {
    Window w = openPriced({mstLine(1, 1, {{G::FukuHyouji, "1"}, {G::ZaiGoukei, "1"}, {G::Zai1Suu, "1"},
                                          {G::Zai1Tanka1, "800"}})});
    ASSERT_NE(w.grid, nullptr);
    hb().sendMouse(*w.grid, ui::MouseEvent::LButtonDown, cell(*w.grid, G::Tanka1, 1));
    hb().sendMouse(*w.grid, ui::MouseEvent::LButtonUp, cell(*w.grid, G::Tanka1, 1));
    ASSERT_EQ(w.grid->m_CurField[0], G::Tanka1);
    hb().expectMessageBox(IDOK, "常時複合単価表示になっています。詳細で入力してください。");
    hb().expectMessageBox(IDOK, "複数の材料が登録されています。詳細で入力してください。");
    int dialogs = 0;
    hb().expectDialog([&](DialogDriver& dd) {
        ++dialogs;
        dd.click(IDOK);
    }, res::IDD_KIVDIALOG);
    hb().sendKey(*w.grid, ui::VK_RETURN, '\r');
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(hb().pendingAnswers(), 0u);
    EXPECT_EQ(trimmedField(workRow(*w.doc, 1), G::FukugouTanka1), "800");
}

TEST_F(MstPricingTest, TransfersLandAtTheCurrentEstimatesCursorInOrder) {
    Window w = openPriced({mstLine(1, 1, {{G::Hinmei, "甲"}}), mstLine(1, 2, {{G::Hinmei, "乙"}}),
                           mstLine(1, 3, {{G::Hinmei, "丙"}}), mstLine(12, 1), mstLine(12, 2),
                           mstLine(12, 3, {{G::Hinmei, "丁"}, {G::Bukake1, "2"}, {G::TugiteRitu, "0.2"},
                                           {G::Roumu1No, "18"}, {G::Tanka1, "777"}})});
    ASSERT_NE(w.grid, nullptr);
    // Without an estimate: the message for 転送, Tab, the double click and 部分転送; nothing sent.
    if (!g_pKivDoc) {
        for (int i = 0; i < 4; ++i)
            hb().expectMessageBox(IDOK, "内訳作成用ウィンドウがないか最終のウィンドウを破棄したため転送できません。");
        w.grid->OnTensou();
        hb().focus(*w.grid);
        hb().sendChar(*w.grid, '\t');
        hb().sendDoubleClick(*w.grid, cell(*w.grid, G::Hinmei, 1));
        w.grid->OnBubunTensou();
        EXPECT_EQ(hb().pendingAnswers(), 0u);
    }
    ui::Document* a = app->OpenFile(writeEstimate("a.KIV"));
    hb().processPending();
    ASSERT_NE(a, nullptr);
    CKivDoc* est = g_pKivDoc;
    ASSERT_NE(est, nullptr);
    const int before = est->m_GyouCount;

    // 転送 by the command, by Tab and by a double click on a text cell: rows 1-3 in order.
    w.doc->m_CurGyou[0] = 1;
    w.grid->LoadGyou();
    w.grid->OnTensou();
    w.doc->m_CurGyou[0] = 2;
    w.grid->LoadGyou();
    hb().focus(*w.grid);
    hb().sendChar(*w.grid, '\t');
    w.doc->m_CurGyou[0] = 3;
    w.doc->m_ScreenGyou[0] = 3;
    w.grid->LoadGyou();
    hb().focus(*w.grid);
    hb().sendDoubleClick(*w.grid, cell(*w.grid, G::Hinmei, 3));
    ASSERT_EQ(est->m_GyouCount, before + 3);
    for (int i = 0; i < 3; ++i) {
        const std::string& row = est->WorkGyouAt(i + 1);
        EXPECT_EQ(fieldOf(row, G::Hinmei).substr(0, 2), sj(i == 0 ? "甲" : i == 1 ? "乙" : "丙")) << i;
        EXPECT_EQ(row.substr(302, 8), kiv::text::cformat("0001%04d", i + 1)) << i;
        EXPECT_EQ(row.substr(0, 8), kiv::text::cformat("0001%04d", i + 1)) << i;
    }
    // The master is unchanged by them.
    EXPECT_EQ(w.doc->m_CurKoumoku[0], 1);

    // Category 12, row 3 arrives with its key at 302-309.
    w.doc->m_CurKoumoku[0] = 12;
    w.doc->LoadKoumokuGyou();
    w.doc->m_CurGyou[0] = 3;
    w.grid->LoadGyou();
    w.grid->OnTensou();
    ASSERT_EQ(est->m_GyouCount, before + 4);
    EXPECT_EQ(est->WorkGyouAt(4).substr(302, 8), "00120003");

    // 部分転送 changes only the key, rate and labour-number fields of the estimate's current row.
    est->m_CurGyou[0] = 1;
    std::string target = est->WorkGyouAt(1);
    G::putNumber(target, G::Tanka1, "55");
    est->SetCurrentGyou(target);
    if (auto* ev = dynamic_cast<CKivView*>(est->GetView()))
        ev->LoadGyou();
    hb().expectDialog([](DialogDriver& dd) { dd.click(ui::IDCANCEL); }, res::IDD_KIVDIALOG);
    w.grid->OnBubunTensou();
    EXPECT_EQ(hb().pendingAnswers(), 0u);
    const std::string applied = est->WorkGyouAt(1);
    EXPECT_EQ(applied.substr(302, 8), "00120003");
    EXPECT_EQ(trimmedField(applied, G::Bukake1), "2");
    EXPECT_EQ(trimmedField(applied, G::TugiteRitu), "0.2");
    EXPECT_EQ(trimmedField(applied, G::Roumu1No), "18");
    EXPECT_EQ(trimmedField(applied, G::Tanka1), "55");
    EXPECT_EQ(fieldOf(applied, G::Hinmei).substr(0, 2), sj("甲"));
    for (std::size_t i = 0; i < applied.size(); ++i) {
        if (i >= 302 && i < 310)
            continue;
        bool inChanged = false;
        for (int f = G::Bukake1; f <= G::Sonota2Ritu; ++f) {
            const auto& l = G::layout(f);
            inChanged |= i >= static_cast<std::size_t>(l.Offset) && i < static_cast<std::size_t>(l.Offset + l.Width);
        }
        for (int f : {G::Roumu1No, G::Roumu2No, G::Roumu3No}) {
            const auto& l = G::layout(f);
            inChanged |= i >= static_cast<std::size_t>(l.Offset) && i < static_cast<std::size_t>(l.Offset + l.Width);
        }
        if (!inChanged)
            ASSERT_EQ(applied[i], target[i]) << "byte " << i;
    }

    // With two estimates open, the row goes to the current one's grid only.
    ui::Document* b = app->OpenFile(writeEstimate("b.KIV"));
    hb().processPending();
    ASSERT_NE(b, nullptr);
    CKivDoc* second = g_pKivDoc;
    ASSERT_NE(second, est);
    const int firstCount = est->m_GyouCount;
    const int secondCount = second->m_GyouCount;
    w.grid->OnTensou();
    EXPECT_EQ(second->m_GyouCount, secondCount + 1);
    EXPECT_EQ(est->m_GyouCount, firstCount);
}

} // namespace
} // namespace kiv::test
