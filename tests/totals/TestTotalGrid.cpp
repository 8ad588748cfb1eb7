// The totals grid on the headless backend: a .TTL opened through the application, its tree and
// grid driven as a user would, and what the grid draws read back.
#include <gtest/gtest.h>

#include "grid/CalcDialog.h"
#include "grid/FieldTable.h"
#include "master/MstFixture.h"
#include "platform/headless/DialogDriver.h"
#include "platform/ui/Keys.h"
#include "shell/ShellFixture.h"
#include "shell/TSplitFrame.h"
#include "totals/TotalDoc.h"
#include "totals/TotalFile.h"
#include "totals/TotalTree.h"
#include "totals/TotalView.h"

namespace kiv::test {
namespace {

namespace fs = std::filesystem;
using kivtest::mstLine;
using text::sj;
using G = GyouRecord;

constexpr int kLineHeight = 18;   // the headless 14-pixel font: 14 high, 4 between lines
constexpr int kCharWidth = 7;

class TotalGridTest : public ShellTest {
protected:
    struct Window {
        CTotalDoc* doc = nullptr;
        CTotalTree* tree = nullptr;
        CTotalView* grid = nullptr;
    };

    void SetUp() override {
        ShellTest::SetUp();
        ASSERT_EQ(start("1"), 0);
    }

    // Category 1: the summary row and 　計; category 2: VP管 2 x 1000, IV 1 x 1234567, 　小計.
    static std::vector<std::string> pages() {
        return {mstLine(1, 1, {{G::Hinmei, "配管"}, {G::Tanni, "式"}}),
                mstLine(1, 2, {{G::Hinmei, "　計"}}),
                mstLine(2, 1, {{G::Hinmei, "VP管"}, {G::SekisanSuu1, "2"}, {G::Tanka1, "1000"}, {G::Kingaku1, "2000"}}),
                mstLine(2, 2, {{G::Hinmei, "IV"}, {G::SekisanSuu1, "1"}, {G::Tanka1, "1234567"}}),
                mstLine(2, 3, {{G::Hinmei, "　小計"}})};
    }

    // Opens the rows as a .TTL and shows category `koumoku` through the tree.
    Window open(const std::vector<std::string>& rows, int koumoku, int visibleRows = 0) {
        const fs::path p = data / "t.TTL";
        EXPECT_TRUE(files::writeFileAtomically(p, WriteTotalFile(rows, static_cast<int>(rows.size()))));
        ui::Document* d = app->OpenFile(p);
        hb().processPending();
        Window w;
        w.doc = dynamic_cast<CTotalDoc*>(d);
        EXPECT_NE(w.doc, nullptr);
        if (!w.doc || w.doc->frames().empty())
            return w;
        auto* frame = dynamic_cast<CTSplitFrame*>(w.doc->frames().front());
        EXPECT_NE(frame, nullptr);
        if (!frame)
            return w;
        w.tree = dynamic_cast<CTotalTree*>(frame->m_wndSplitter->pane(0, 0));
        w.grid = dynamic_cast<CTotalView*>(frame->m_wndSplitter->pane(0, 1));
        if (!w.tree || !w.grid)
            return w;
        if (visibleRows > 0)
            hb().resize(*w.grid, {1000, (2 + 2 * visibleRows) * kLineHeight});
        choose(w, koumoku);
        hb().focus(*w.grid);
        return w;
    }
    void choose(Window& w, int koumoku) {
        ui::TreeItem item = w.tree->childItem(w.tree->rootItem());
        for (int k = 1; k < koumoku && item; ++k)
            item = w.tree->nextSiblingItem(item);
        w.tree->selectItem(item);
        hb().sendKeyDown(*w.tree, ui::VK_RETURN);
        hb().processPending();
    }
    void toField(CTotalView& g, int field) {
        g.m_CurField[0] = field;
        g.CalcFieldPos();
    }
    // What the grid draws in `cells` cells from field `field`'s first cell - `left`.
    std::string shown(CTotalView& grid, int field, int screenRow, int left = 0, int cells = 0) {
        const FieldGeometry g = CalcFieldPos(g_TotalFieldTable, field, screenRow, 0);
        return hb().screen(grid).textAt((g.Pos.X0 - left) * kCharWidth, g.Pos.Line * kLineHeight,
                                        cells ? cells : g.Pos.Width, kCharWidth);
    }
    static std::string fieldOf(const CTotalDoc& d, int gyou, int field) {
        return std::string(G::raw(d.WorkGyouAt(gyou), field));
    }
};

// Digits grow from the right; Enter stores the cell, recomputes the row and moves to 実行数量;
// a second "." is not taken; the amounts follow the quantity as written.
TEST_F(TotalGridTest, NumbersTypeFromTheRightAndEnterRecalculatesTheRow) {
    Window w = open(pages(), 2);
    ASSERT_NE(w.grid, nullptr);
    CTotalView& g = *w.grid;
    EXPECT_EQ(g.m_CurField[0], 5);
    hb().sendChar(g, '\r');   // 品名 → 規格 → 積算数量
    hb().sendChar(g, '\r');
    ASSERT_EQ(g.m_CurField[0], G::SekisanSuu1);
    const char* const expected[] = {"       1", "      12", "     123"};
    for (int i = 0; i < 3; ++i) {
        hb().sendChar(g, static_cast<unsigned char>('1' + i));
        EXPECT_EQ(shown(g, G::SekisanSuu1, 1), expected[i]);
    }
    hb().sendChar(g, '\r');
    EXPECT_EQ(g.m_CurField[0], G::SekisanSuu2);
    EXPECT_EQ(fieldOf(*w.doc, 1, G::SekisanSuu1), "     123");
    EXPECT_EQ(fieldOf(*w.doc, 1, G::Kingaku1), "      123000");
    EXPECT_EQ(w.doc->m_NeedRecalc, 1);

    for (char c : std::string("1..5"))
        hb().sendChar(g, static_cast<unsigned char>(c));
    EXPECT_EQ(shown(g, G::SekisanSuu2, 1), "     1.5");
    hb().sendChar(g, '\r');
    EXPECT_EQ(fieldOf(*w.doc, 1, G::SekisanSuu2), "    1.50");
}

// The stop order of a row: PrevField over hidden and skipped fields, 品名 stays; Enter on 分類ＮＯ
// of the last row appends a numbered row and goes to its 品名.
TEST_F(TotalGridTest, FieldMovesFollowTheStopOrderAndEnterPastTheLastRowAppends) {
    Window w = open(pages(), 2);
    ASSERT_NE(w.grid, nullptr);
    CTotalView& g = *w.grid;
    const std::pair<int, int> back[] = {{9, 6}, {35, 20}, {19, 14}, {10, 9}, {5, 5}};
    for (auto [from, to] : back) {
        toField(g, from);
        hb().sendKeyDown(g, ui::VK_LEFT);
        EXPECT_EQ(g.m_CurField[0], to) << "from " << from;
    }
    toField(g, 20);
    hb().sendChar(g, '\r');
    EXPECT_EQ(g.m_CurField[0], 35);
    hb().sendChar(g, '\r');
    EXPECT_EQ(g.m_CurField[0], 36);

    hb().sendKeyDown(g, ui::VK_DOWN);
    hb().sendKeyDown(g, ui::VK_DOWN);
    ASSERT_EQ(w.doc->m_CurGyou[0], 3);
    toField(g, 36);
    hb().sendChar(g, '\r');
    EXPECT_EQ(w.doc->m_GyouCount, 4);
    EXPECT_EQ(w.doc->m_CurGyou[0], 4);
    EXPECT_EQ(g.m_CurField[0], 5);
    EXPECT_EQ(w.doc->WorkGyouAt(4).substr(0, 8), "00020004");
}

// A unit price of 1234567 is drawn with two separators over 13 cells, 3 cells left of its field.
TEST_F(TotalGridTest, GroupedNumbersTakeTheCellsLeftOfTheField) {
    Window w = open(pages(), 2);
    ASSERT_NE(w.grid, nullptr);
    EXPECT_EQ(shown(*w.grid, G::Tanka1, 2, 3, 13), "    1,234,567");
    EXPECT_EQ(shown(*w.grid, G::Hinmei, 2).substr(0, 2), "IV");
    EXPECT_EQ(shown(*w.grid, G::Hinmei, 3).substr(0, 6), sj("　小計"));
}

// A value typed but not entered survives a tree choice and a save: the grid's row goes back to
// the page first.
TEST_F(TotalGridTest, ATreeChoiceAndASaveKeepATypedValue) {
    Window w = open(pages(), 2);
    ASSERT_NE(w.grid, nullptr);
    CTotalView& g = *w.grid;
    toField(g, G::SekisanSuu1);
    hb().sendChar(g, '7');
    choose(w, 1);
    EXPECT_EQ(w.doc->m_CurKoumoku[0], 1);
    choose(w, 2);
    EXPECT_EQ(fieldOf(*w.doc, 1, G::SekisanSuu1), "       7");

    toField(g, G::SekisanSuu2);
    hb().sendChar(g, '4');
    hb().sendCommand(ui::cmd::FileSave);
    const std::vector<std::string> saved = ReadTotalFile(files::readFile(data / "t.TTL").value_or(""));
    ASSERT_EQ(saved.size(), 5u);
    EXPECT_EQ(std::string(G::raw(saved[2], G::SekisanSuu2)), "       4");
}

// Tab typed in a text cell is dropped, not inserted: a TAB byte in a totals row would split a
// field of the TAB-separated text export.
TEST_F(TotalGridTest, TabInATextCellIsDropped) {
    Window w = open(pages(), 2);
    ASSERT_NE(w.grid, nullptr);
    CTotalView& g = *w.grid;
    ASSERT_EQ(g.m_CurField[0], G::Hinmei);
    hb().sendChar(g, 'X');
    hb().sendKeyDown(g, ui::VK_TAB);
    hb().sendChar(g, '\t');
    hb().sendChar(g, 'Y');
    EXPECT_EQ(g.m_CurField[0], G::Hinmei);
    EXPECT_EQ(G::text(w.doc->WorkGyouAt(1), G::Hinmei), sj("XYVP管"));
    EXPECT_EQ(w.doc->WorkGyouAt(1).find('\t'), std::string::npos);
}

// The row after the last: typing there appends it first; Up from the last grid row stores the
// typed number; Right steps one byte over half-width katakana and two over a double-byte
// character.
TEST_F(TotalGridTest, RowAfterTheLastUpFromTheLastGridRowAndCaretSteps) {
    std::vector<std::string> rows = pages();
    rows[2] = mstLine(2, 1, {{G::Hinmei, "ｱｲ管"}});
    Window w = open(rows, 2, 3);
    ASSERT_NE(w.grid, nullptr);
    CTotalView& g = *w.grid;
    ASSERT_EQ(g.m_VisibleGyou, 3);

    const int steps[] = {1, 2, 4};   // ｱ, ｲ one byte each; 管 two
    for (int caret : steps) {
        hb().sendKeyDown(g, ui::VK_RIGHT);
        EXPECT_EQ(g.m_CaretOfs, caret);
    }

    hb().sendKeyDown(g, ui::VK_DOWN);
    hb().sendKeyDown(g, ui::VK_DOWN);
    ASSERT_EQ(w.doc->m_ScreenGyou[0], 3);
    toField(g, G::SekisanSuu1);
    hb().sendChar(g, '5');
    hb().sendKeyDown(g, ui::VK_UP);
    EXPECT_EQ(w.doc->m_CurGyou[0], 2);
    EXPECT_EQ(fieldOf(*w.doc, 3, G::SekisanSuu1), "       5");

    hb().sendKeyDown(g, ui::VK_DOWN);
    hb().sendKeyDown(g, ui::VK_DOWN);   // the grid steps on to the empty row after the last
    EXPECT_EQ(w.doc->m_CurGyou[0], 4);
    EXPECT_EQ(w.doc->m_GyouCount, 3);
    toField(g, G::SekisanSuu1);
    hb().sendChar(g, '8');
    EXPECT_EQ(w.doc->m_GyouCount, 4);
    EXPECT_EQ(w.doc->WorkGyouAt(4).substr(0, 8), "00020004");
}

// The calculator from an operator key writes its result; a result wider than the cell is
// refused with a message and the cell keeps its value.
TEST_F(TotalGridTest, CalculatorResultsFitTheCellOrAreRefused) {
    Window w = open(pages(), 2);
    ASSERT_NE(w.grid, nullptr);
    CTotalView& g = *w.grid;
    toField(g, G::Tanka1);
    hb().expectDialog([](ui::headless::DialogDriver& dd) {
        EXPECT_EQ(dd.text(CCalcDialog::kDisplay), "1000");
        dd.type(CCalcDialog::kDisplay, "3").key(ui::VK_RETURN);
    }, CCalcDialog::kDialogId);
    hb().sendChar(g, '*');
    EXPECT_EQ(fieldOf(*w.doc, 1, G::Tanka1), "      3000");
    EXPECT_EQ(fieldOf(*w.doc, 1, G::Kingaku1), "        6000");

    toField(g, G::SekisanSuu1);
    hb().expectDialog([](ui::headless::DialogDriver& dd) {
        dd.type(CCalcDialog::kDisplay, "100000000").key(ui::VK_RETURN);
    }, CCalcDialog::kDialogId);
    hb().expectMessageBox(ui::IDOK, "入りきりません");
    hb().sendChar(g, '*');
    EXPECT_EQ(fieldOf(*w.doc, 1, G::SekisanSuu1), "       2");
}

// A click on a number cell, a calculator result from an operator key and one from a double
// click recalculate the whole category: the 小計 row sums the rows as they now stand, and the
// cursor stays on the cell the user was on.
TEST_F(TotalGridTest, NumberCellClickAndCalculatorRecalculateTheCategory) {
    enum class Act { Click, OperatorKey, DoubleClick };
    struct Case {
        Act act;
        int gyou, field;
        const char* typed;   // into the calculator
        const char* total;   // 積算金額 of 　小計
        const char* shownTotal;
    };
    const Case cases[] = {
        {Act::Click, 1, G::SekisanSuu1, "", "     1236567", "      1,236,567"},
        {Act::OperatorKey, 1, G::Tanka1, "3", "     1240567", "      1,240,567"},
        {Act::DoubleClick, 2, G::SekisanSuu1, "2", "     2471134", "      2,471,134"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.act));
        Window w = open(pages(), 2);
        ASSERT_NE(w.grid, nullptr);
        CTotalView& g = *w.grid;
        ASSERT_EQ(fieldOf(*w.doc, 3, G::Kingaku1), std::string(12, ' '));   // stale until recalculated
        const FieldGeometry geo = CalcFieldPos(g_TotalFieldTable, c.field, c.gyou, 0);
        const ui::Point p{geo.Pos.X0 * kCharWidth + 3, geo.Pos.Line * kLineHeight + 5};
        const std::string typed = c.typed;
        if (c.act != Act::Click)
            hb().expectDialog([typed](ui::headless::DialogDriver& dd) { dd.type(CCalcDialog::kDisplay, typed).key(ui::VK_RETURN); },
                              CCalcDialog::kDialogId);
        switch (c.act) {
        case Act::Click: hb().sendClick(g, p); break;
        case Act::OperatorKey:
            toField(g, c.field);
            hb().sendChar(g, '*');
            break;
        case Act::DoubleClick: hb().sendDoubleClick(g, p); break;
        }
        EXPECT_EQ(fieldOf(*w.doc, 3, G::Kingaku1), c.total);
        hb().processPending();
        EXPECT_EQ(shown(g, G::Kingaku1, 3, 3, 15), c.shownTotal);
        EXPECT_EQ(w.doc->m_CurGyou[0], c.gyou);
        hb().expectMessageBox(ui::IDNO);
        hb().sendCommand(ui::cmd::FileClose);
    }
}

// The totals window's one menu (its commands have their own tests); エクセルファイル出力 is greyed.
TEST_F(TotalGridTest, TheOneMenu) {
    Window w = open(pages(), 2);
    ASSERT_NE(w.grid, nullptr);
    const ui::Menu* menu = w.doc->docTemplate()->menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->id, 143);
    std::vector<std::string> bar;
    for (const ui::MenuItem& item : menu->bar)
        bar.push_back(item.text);
    EXPECT_EQ(bar, (std::vector<std::string>{"ﾌｧｲﾙ(&F)", "編集(&E)", "メニュー", "分類名登録", "表示(&V)",
                                             "ｳｨﾝﾄﾞｳ(&W)", "ﾍﾙﾌﾟ(&H)"}));
    EXPECT_TRUE(app->commandState(32815).enabled);
    EXPECT_TRUE(app->commandState(32873).enabled);
    EXPECT_FALSE(app->commandState(32887).enabled);

    EXPECT_FALSE(w.doc->IsModified());
}

} // namespace
} // namespace kiv::test
