// The behaviour the three character grids (estimate, master, totals) share, run once for each:
// each grid is opened through the application on a file in its own format, and typing, field
// order, Enter, arrows, Delete/Esc/Backspace, scrolling, the mouse and the calculator are driven
// through the view's handlers. Each grid names its field table, its first and last field and the
// cells the cases type into; what a grid does beyond this stays in its own tests.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "estimate/KivFile.h"
#include "grid/CalcDialog.h"
#include "grid/FieldTable.h"
#include "estimate/GyouRecord.h"
#include "grid/KivView.h"
#include "master/MstDoc.h"
#include "master/MstFixture.h"
#include "master/MstView.h"
#include "platform/headless/DialogDriver.h"
#include "platform/text/Cp932.h"
#include "platform/ui/Keys.h"
#include "shell/MSplitFrame.h"
#include "shell/ShellFixture.h"
#include "shell/SplitFrame.h"
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

// Rows 1..n of category (item) 1 named "R1".."Rn", row 1's unit price 1000.
std::vector<std::string> namedRows(int n) {
    std::vector<std::string> rows;
    for (int k = 1; k <= n; ++k) {
        std::vector<std::pair<int, std::string>> fields{{G::Hinmei, "R" + std::to_string(k)}};
        if (k == 1)
            fields.push_back({G::Tanka1, "1000"});
        rows.push_back(mstLine(1, k, fields));
    }
    return rows;
}

template <class Frame, class View>
View* gridOf(ui::Document* d) {
    if (!d || d->frames().empty())
        return nullptr;
    auto* frame = dynamic_cast<Frame*>(d->frames().front());
    return frame ? dynamic_cast<View*>(frame->m_wndSplitter->pane(0, 1)) : nullptr;
}

// --- The three grids

struct EstimateGrid {
    using View = CKivView;
    static const FieldTable& table() { return g_KivFieldTable; }
    static constexpr int kFirstField = CKivView::m_FirstField;
    static constexpr int kLastField = CKivView::m_LastField;
    static constexpr bool kMinusCalcWhileTyping = true;
    static constexpr bool kRuleClickLowerRow = true;
    static GyouStore* store(View& v) { return v.GetDocument(); }
    static fs::path write(const fs::path& dir, const std::vector<std::string>& rows) {
        std::array<std::string, kKivHyousiCount> covers;
        const fs::path p = dir / "g.KIV";
        EXPECT_TRUE(files::writeFileAtomically(p, WriteKivFile(covers, rows)));
        return p;
    }
    static View* grid(ui::Document* d, ui::headless::HeadlessBackend&) { return gridOf<CSplitFrame, View>(d); }
};

struct MasterGrid {
    using View = CMstView;
    static const FieldTable& table() { return g_MstFieldTable; }
    static constexpr int kFirstField = 5;
    static constexpr int kLastField = 34;
    static constexpr bool kMinusCalcWhileTyping = false;
    static constexpr bool kRuleClickLowerRow = false;
    static GyouStore* store(View& v) { return v.Store(); }
    static fs::path write(const fs::path& dir, const std::vector<std::string>& rows) {
        const fs::path p = dir / "g.MST";
        EXPECT_TRUE(files::writeFileAtomically(p, kivtest::mstBytes(rows)));
        return p;
    }
    static View* grid(ui::Document* d, ui::headless::HeadlessBackend&) { return gridOf<CMSplitFrame, View>(d); }
};

struct TotalsGrid {
    using View = CTotalView;
    static const FieldTable& table() { return g_TotalFieldTable; }
    static constexpr int kFirstField = 5;
    static constexpr int kLastField = 36;
    static constexpr bool kMinusCalcWhileTyping = false;
    static constexpr bool kRuleClickLowerRow = false;
    static GyouStore* store(View& v) { return v.Store(); }
    static fs::path write(const fs::path& dir, const std::vector<std::string>& rows) {
        const fs::path p = dir / "g.TTL";
        EXPECT_TRUE(files::writeFileAtomically(p, WriteTotalFile(rows, static_cast<int>(rows.size()))));
        return p;
    }
    static View* grid(ui::Document* d, ui::headless::HeadlessBackend& hb) {
        View* v = gridOf<CTSplitFrame, View>(d);
        // The totals window opens on its tree: category 1 is chosen there.
        auto* frame = d ? dynamic_cast<CTSplitFrame*>(d->frames().front()) : nullptr;
        auto* tree = frame ? dynamic_cast<CTotalTree*>(frame->m_wndSplitter->pane(0, 0)) : nullptr;
        if (tree) {
            tree->selectItem(tree->childItem(tree->rootItem()));
            hb.sendKeyDown(*tree, ui::VK_RETURN);
            hb.processPending();
        }
        return v;
    }
};

template <class Grid>
class GridViewSuite : public ShellTest {
protected:
    using View = typename Grid::View;

    void SetUp() override {
        ShellTest::SetUp();
        ASSERT_EQ(start("1"), 0);
    }

    // The grid on rows 1..n of category 1, `visibleRows` grid rows high, focused.
    View& open(int n = 3, int visibleRows = 6) {
        ui::Document* d = app->OpenFile(Grid::write(data.path(), namedRows(n)));
        hb().processPending();
        view = Grid::grid(d, hb());
        EXPECT_NE(view, nullptr);
        if (!view)
            throw std::runtime_error("no grid");
        hb().resize(*view, {1000, (2 + 2 * visibleRows) * kLineHeight});
        hb().processPending();
        hb().focus(*view);
        return *view;
    }

    GyouStore& store() { return *Grid::store(*view); }
    int row() { return store().m_CurGyou[0]; }
    int top() { return store().m_TopGyou[0]; }
    int field() const { return view->m_CurField[0]; }
    std::string cell(int f) const { return std::string(G::raw(view->m_EditGyou, f)); }
    std::string stored(int gyou, int f) {
        return std::string(G::raw(store().WorkGyouAt(gyou), f));
    }
    static std::string rightAligned(int f, const std::string& s) {
        return std::string(static_cast<std::size_t>(G::layout(f).Width) - s.size(), ' ') + s;
    }
    static std::string leftAligned(int f, const std::string& s) {
        std::string out = s;
        out.resize(static_cast<std::size_t>(G::layout(f).Width), ' ');
        return out;
    }

    // A point `dx` cells into field `f` of grid row `screenRow`.
    ui::Point pointIn(int f, int screenRow, int dx = 0) const {
        const FieldGeometry g = CalcFieldPos(Grid::table(), f, screenRow, view->m_HScrollPairs);
        return {(g.Pos.X0 + dx) * kCharWidth + 2, g.Pos.Line * kLineHeight + kLineHeight / 2};
    }
    void click(int f, int screenRow, int dx = 0) {
        hb().sendClick(*view, pointIn(f, screenRow, dx));
        hb().processPending();
    }
    void type(const std::string& bytes) {
        for (const char c : bytes)
            hb().sendChar(*view, static_cast<unsigned char>(c));
    }
    void key(int vk) { hb().sendKeyDown(*view, vk); }

    // The stops of NextField in a row: the shown fields whose skip flag is clear.
    static std::vector<int> stops() {
        std::vector<int> out;
        for (int f = Grid::kFirstField; f <= Grid::kLastField; ++f)
            if (IsFieldShown(Grid::table(), f, 0) && Grid::table().Skip[static_cast<std::size_t>(f - 1)] == 0)
                out.push_back(f);
        return out;
    }

    View* view = nullptr;
};

using Grids = testing::Types<EstimateGrid, MasterGrid, TotalsGrid>;
class GridName {
public:
    template <class T>
    static std::string GetName(int) {
        if constexpr (std::is_same_v<T, EstimateGrid>)
            return "Estimate";
        else if constexpr (std::is_same_v<T, MasterGrid>)
            return "Master";
        else
            return "Totals";
    }
};
TYPED_TEST_SUITE(GridViewSuite, Grids, GridName);

// Text goes in at the caret, a double-byte character whole; the cell's last character gives way.
TYPED_TEST(GridViewSuite, TextTypedAtTheCaretDoubleByteWhole) {
    this->open();
    this->click(G::Hinmei, 1);
    ASSERT_EQ(this->field(), G::Hinmei);
    this->view->m_CaretOfs = 1;
    this->type("A" + sj("漢") + "B");
    EXPECT_EQ(this->cell(G::Hinmei), this->leftAligned(G::Hinmei, "RA" + sj("漢") + "B1"));
    EXPECT_EQ(this->view->m_CaretOfs, 5);
    EXPECT_EQ(this->stored(1, G::Hinmei), this->cell(G::Hinmei)) << "each keystroke stores the row";
}

// Numbers grow from the right as on a calculator: the first key blanks the cell, a sign only
// in front, one decimal point.
TYPED_TEST(GridViewSuite, NumbersRightAlignedSignedWithOnePoint) {
    this->open();
    this->click(G::Tanka1, 2);
    ASSERT_EQ(this->field(), G::Tanka1);
    this->type("-12.5.");
    EXPECT_EQ(this->cell(G::Tanka1), this->rightAligned(G::Tanka1, "-12.5"));
    EXPECT_EQ(this->view->m_FieldFull, 0) << "a second point is ignored, not a full cell";

    // On a cell holding a number the first digit starts it afresh; "." alone becomes "0.".
    this->click(G::Tanka1, 1);
    this->type(".5");
    EXPECT_EQ(this->cell(G::Tanka1), this->rightAligned(G::Tanka1, "0.5"));
}

// NextField stops at every shown field whose skip flag is clear, in order; PrevField walks back.
TYPED_TEST(GridViewSuite, NextAndPrevFieldOrder) {
    this->open();
    const std::vector<int> expected = this->stops();
    ASSERT_GE(expected.size(), 3u);
    this->click(expected.front(), 1);
    std::vector<int> forward{this->field()};
    while (this->row() == 1 && forward.size() <= expected.size()) {
        this->view->NextField();
        if (this->row() == 1)
            forward.push_back(this->field());
    }
    EXPECT_EQ(forward, expected);
    EXPECT_EQ(this->row(), 2) << "after the row's last stop the next row's first";
    EXPECT_EQ(this->field(), expected.front());

    this->click(expected.back(), 1);
    std::vector<int> backward{this->field()};
    for (std::size_t k = 1; k < expected.size(); ++k) {
        this->view->PrevField();
        backward.push_back(this->field());
    }
    EXPECT_EQ(std::vector<int>(backward.rbegin(), backward.rend()), expected);
}

// Enter on a text cell goes to the next stop; the arrows move between rows keeping the field
// and between fields at a text cell's ends.
TYPED_TEST(GridViewSuite, EnterAndArrows) {
    this->open();
    const std::vector<int> s = this->stops();
    const auto at = std::find(s.begin(), s.end(), G::Hinmei);
    ASSERT_NE(at, s.end());
    this->click(G::Hinmei, 1);
    this->type("X");
    this->hb().sendChar(*this->view, '\r');
    EXPECT_EQ(this->stored(1, G::Hinmei), this->leftAligned(G::Hinmei, "XR1"));
    EXPECT_EQ(this->row(), 1);
    EXPECT_EQ(this->field(), *(at + 1));

    this->key(ui::VK_DOWN);
    EXPECT_EQ(this->row(), 2);
    EXPECT_EQ(this->field(), *(at + 1));
    this->key(ui::VK_UP);
    EXPECT_EQ(this->row(), 1);

    this->click(G::Hinmei, 1);   // caret at the cell's start
    this->key(ui::VK_RIGHT);
    EXPECT_EQ(this->view->m_CaretOfs, 1);
    EXPECT_EQ(this->field(), G::Hinmei);
    this->click(*(at + 1), 1);
    this->key(ui::VK_LEFT);
    EXPECT_EQ(this->field(), G::Hinmei);
}

// Delete takes the character at the caret, Backspace the one before it; on a number cell
// Delete and Esc blank it. What the keys left is stored when the cursor leaves the row.
TYPED_TEST(GridViewSuite, DeleteEscBackspace) {
    this->open();
    this->click(G::Hinmei, 2);   // "R2"
    this->key(ui::VK_RIGHT);      // the caret on "2"
    ASSERT_EQ(this->view->m_CaretOfs, 1);
    this->key(ui::VK_DELETE);
    EXPECT_EQ(this->cell(G::Hinmei), this->leftAligned(G::Hinmei, "R"));
    this->type("7");
    this->hb().sendChar(*this->view, 8);
    EXPECT_EQ(this->cell(G::Hinmei), this->leftAligned(G::Hinmei, "R"));
    this->hb().sendChar(*this->view, 8);
    EXPECT_EQ(this->cell(G::Hinmei), this->leftAligned(G::Hinmei, ""));
    this->hb().sendChar(*this->view, 8);   // nothing before the caret: nothing happens
    EXPECT_EQ(this->view->m_CaretOfs, 0);

    this->click(G::Tanka1, 1);
    EXPECT_EQ(this->stored(2, G::Hinmei), this->leftAligned(G::Hinmei, ""));
    this->hb().sendChar(*this->view, 27);
    EXPECT_EQ(this->cell(G::Tanka1), this->leftAligned(G::Tanka1, ""));
    this->type("9");
    EXPECT_EQ(this->cell(G::Tanka1), this->rightAligned(G::Tanka1, "9"));
    this->key(ui::VK_DELETE);
    EXPECT_EQ(this->cell(G::Tanka1), this->leftAligned(G::Tanka1, ""));
    this->key(ui::VK_DOWN);
    EXPECT_EQ(this->stored(1, G::Tanka1), this->leftAligned(G::Tanka1, ""));
}

// A number typed past the cell's width marks the cell full; Delete and Esc
// after it blank the cell, and the screen shows the blank cell at once.
TYPED_TEST(GridViewSuite, KeysAfterACellTypedFullRedrawIt) {
    this->open();
    auto screenCell = [&] {
        const FieldPos& pos = this->view->m_FieldPos;
        return this->hb().screen(*this->view).textAt(pos.X0 * kCharWidth, pos.Line * kLineHeight, pos.Width,
                                                     kCharWidth);
    };
    const int width = G::layout(G::Tanka1).Width;
    struct Case {
        const char* name;
        std::function<void()> press;
    };
    const std::vector<Case> cases{
        {"Delete", [&] { this->key(ui::VK_DELETE); }},
        {"Esc", [&] { this->hb().sendChar(*this->view, 27); }},
    };
    for (const Case& c : cases) {
        this->click(G::Tanka1, 2);
        this->type(std::string(static_cast<std::size_t>(width) + 1, '7'));
        ASSERT_EQ(this->view->m_FieldFull, 1) << c.name;
        ASSERT_EQ(screenCell(), std::string(static_cast<std::size_t>(width), '7')) << c.name;
        c.press();
        EXPECT_EQ(this->cell(G::Tanka1), this->leftAligned(G::Tanka1, "")) << c.name;
        EXPECT_EQ(screenCell(), std::string(static_cast<std::size_t>(width), ' ')) << c.name << ": the screen shows the blank cell";
    }
}

// The vertical bar, the wheel and the arrow key at the last screen row scroll the rows; the
// cursor keeps its screen row on a bar step.
TYPED_TEST(GridViewSuite, ScrollingByBarWheelAndKeys) {
    auto& v = this->open(40, 6);
    const int visible = v.m_VisibleGyou;
    ASSERT_GT(visible, 1);
    ASSERT_LT(visible, 40);
    this->click(G::Hinmei, 1);

    v.onVScroll(ui::SB_LINEDOWN, 0);
    EXPECT_EQ(this->top(), 1);
    v.onVScroll(ui::SB_LINEUP, 0);
    EXPECT_EQ(this->top(), 0);

    this->hb().sendWheel(v, -120);
    const int wheeled = this->top();
    EXPECT_GT(wheeled, 0);
    this->hb().sendWheel(v, 120);
    EXPECT_EQ(this->top(), 0);

    this->click(G::Hinmei, visible);
    ASSERT_EQ(this->row(), visible);
    this->key(ui::VK_DOWN);
    EXPECT_EQ(this->top(), 1);
    EXPECT_EQ(this->row(), visible + 1);
    EXPECT_EQ(this->store().m_ScreenGyou[0], visible);
}

// A click lands on the field and row under the pointer, the caret at the field's start.
TYPED_TEST(GridViewSuite, MouseHitsFieldAndRow) {
    this->open();
    this->click(G::Tanka1, 2);
    EXPECT_EQ(this->row(), 2);
    EXPECT_EQ(this->field(), G::Tanka1);
    this->click(G::Hinmei, 3, 2);
    EXPECT_EQ(this->row(), 3);
    EXPECT_EQ(this->field(), G::Hinmei);
    EXPECT_EQ(this->view->m_CaretOfs, 0);
    EXPECT_EQ(this->cell(G::Hinmei), this->leftAligned(G::Hinmei, "R3"));
}

// An operator key on a number cell hands the cell to the calculator; its result comes back
// right-aligned and stored.
TYPED_TEST(GridViewSuite, CalculatorHandOff) {
    this->open();
    this->click(G::Tanka1, 1);
    this->hb().expectDialog(
        [](ui::headless::DialogDriver& dd) {
            EXPECT_EQ(dd.text(CCalcDialog::kDisplay), "1000");
            dd.type(CCalcDialog::kDisplay, "3").key(ui::VK_RETURN);
        },
        CCalcDialog::kDialogId);
    this->hb().sendChar(*this->view, '*');
    this->hb().processPending();
    EXPECT_EQ(this->stored(1, G::Tanka1), this->rightAligned(G::Tanka1, "3000"));
}

// Where the grids part: '-' typed after digits hands the cell to the calculator in the estimate
// and does nothing in the others; a click on the line between a row's lower line and the next
// row's upper line takes the lower row in the estimate and the upper one in the others.
TYPED_TEST(GridViewSuite, MinusWhileTypingAndAClickOnTheLineBetweenRows) {
    this->open();
    this->click(G::Tanka1, 2);
    this->type("5");
    if (TypeParam::kMinusCalcWhileTyping)
        this->hb().expectDialog(
            [](ui::headless::DialogDriver& dd) {
                EXPECT_EQ(dd.text(CCalcDialog::kDisplay), "5");
                dd.type(CCalcDialog::kDisplay, "3").key(ui::VK_RETURN);
            },
            CCalcDialog::kDialogId);
    this->hb().sendChar(*this->view, '-');
    this->hb().processPending();
    EXPECT_EQ(this->hb().pendingAnswers(), 0u);
    EXPECT_EQ(this->cell(G::Tanka1), this->rightAligned(G::Tanka1, TypeParam::kMinusCalcWhileTyping ? "2" : "5"));

    // 品名 of row 2 stands on the line below 規格 of row 1, in the same columns.
    const FieldPos upper = CalcFieldPos(TypeParam::table(), G::Kikaku, 1, 0).Pos;
    const FieldPos lower = CalcFieldPos(TypeParam::table(), G::Hinmei, 2, 0).Pos;
    ASSERT_EQ(upper.Line + 1, lower.Line);
    ASSERT_LE(lower.X0, upper.X1);
    this->hb().sendClick(*this->view, {lower.X0 * kCharWidth + 2, lower.Line * kLineHeight});
    this->hb().processPending();
    if (TypeParam::kRuleClickLowerRow) {
        EXPECT_EQ(this->row(), 2);
        EXPECT_EQ(this->field(), G::Hinmei);
    } else {
        EXPECT_EQ(this->row(), 1);
        EXPECT_EQ(this->field(), G::Kikaku);
    }
}

} // namespace
} // namespace kiv::test
