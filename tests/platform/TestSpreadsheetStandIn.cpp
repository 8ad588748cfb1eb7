// The spreadsheet stand-in: calls answered by member, kind and argument types; the workbook
// model (range settings, outer frames, shared edges, sheet names); saving through a temporary
// file; the call hooks.
#include <gtest/gtest.h>

#include "export/excel/ExcelSession.h"
#include "platform/automation/ExcelMembers.h"
#include "platform/automation/SpreadsheetApp.h"
#include "platform/automation/WorkbookModel.h"
#include "platform/files/Files.h"
#include "platform/text/Cp932.h"
#include "support/TempDir.h"

namespace {

using namespace kiv::automation;
using kiv::excel::ExcelSession;
using kiv::text::sj;

// Keeps the workbook the stand-in saved last; clears the hooks afterwards.
class StandInTest : public testing::Test {
protected:
    void SetUp() override {
        setSaveObserver([this](const WorkbookModel& m, const std::string&) { saved = m; });
    }
    void TearDown() override {
        setSaveObserver({});
        setCallHooks({});
    }
    std::string path(const std::string& name) { return *kiv::files::toCp932(dir / name); }
    const SheetModel& sheet(std::size_t i) { return *saved.sheets.at(i); }

    kiv::test::TempDir dir;
    WorkbookModel saved;
};

std::shared_ptr<Dispatch> get(const std::shared_ptr<Dispatch>& o, int id, std::vector<Variant> args = {}) {
    Variant r;
    EXPECT_TRUE(o->invoke(id, InvokeKind::Get, args, &r));
    return r.object;
}

TEST_F(StandInTest, AnswersOnlyTheMembersKindsAndTypesItKnows) {
    auto app = createSpreadsheetApplication();
    auto books = get(app, dispid::Workbooks);
    ASSERT_TRUE(books);
    Variant r;
    std::string error;
    // Workbooks.Add with the template given as a string, and as a property get: both fail.
    EXPECT_FALSE(books->invoke(dispid::WorkbooksAdd, InvokeKind::Method, {Variant::bstr("x")}, &r, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(books->invoke(dispid::WorkbooksAdd, InvokeKind::Get, {Variant::missing()}, &r));
    ASSERT_TRUE(books->invoke(dispid::WorkbooksAdd, InvokeKind::Method, {Variant::missing()}, &r));
    auto sheets = get(r.object, dispid::Worksheets);
    auto ws = get(sheets, dispid::Item, {Variant::i4(1)});
    auto range = get(ws, dispid::Range, {Variant::bstr("A1"), Variant::bstr("A1")});
    ASSERT_TRUE(range);
    const struct {
        int id;
        InvokeKind kind;
        Variant arg;
    } wrong[] = {
        {dispid::ColumnWidth, InvokeKind::Put, Variant::i4(6)},          // a size value is VT_UI4
        {dispid::HorizontalAlignment, InvokeKind::Put, Variant::i4(-4108)},
        {dispid::Value2, InvokeKind::Put, Variant::bstr("text")},       // texts come as the array
        {dispid::NumberFormat, InvokeKind::Get, Variant::bstr("#,###")},
        {0x9999, InvokeKind::Put, Variant::i2(1)},
    };
    for (const auto& w : wrong)
        EXPECT_FALSE(range->invoke(w.id, w.kind, {w.arg})) << w.id;
    EXPECT_FALSE(ws->invoke(dispid::Range, InvokeKind::Get, {Variant::bstr("A1"), Variant::i4(1)}, &r));
    EXPECT_FALSE(ws->invoke(dispid::Range, InvokeKind::Get, {Variant::bstr("1A"), Variant::bstr("A1")}, &r));
    EXPECT_FALSE(sheets->invoke(dispid::Item, InvokeKind::Get, {Variant::i4(2)}, &r));
}

TEST_F(StandInTest, RangeSettingsReachEveryCellAndFramesOnlyTheOuterEdges) {
    ExcelSession s;
    s.Start();
    s.AddSheet(sj("内訳書"));
    s.SelectRange("B2", "C4");
    s.SetNumberFormat("#,###");
    s.Centre();
    s.FontSize(9);
    s.RowHeight(13);
    s.ColumnWidth(15);
    s.FrameCell();
    // A line between two framed cells is one line: the hairline on C5 below the box changes C4's
    // bottom too.
    s.SelectRange("A1", "A1");
    s.FrameCell();
    s.SelectRange("C5", "C5");
    s.TopEdgeHairline();
    s.End(path("a.xlsx"), true);

    ASSERT_EQ(saved.sheets.size(), 2u);
    const SheetModel& sh = sheet(1);
    for (int r = 2; r <= 4; ++r)
        for (int c = 2; c <= 3; ++c) {
            const CellModel* cell = sh.find(r, c);
            ASSERT_TRUE(cell) << r << "," << c;
            EXPECT_EQ(cell->numberFormat, "#,###");
            EXPECT_TRUE(cell->centred);
            EXPECT_EQ(cell->fontSize, 9);
            EXPECT_EQ(sh.rowHeights.at(r), 13);
            EXPECT_EQ(sh.columnWidths.at(c), 15);
        }
    // Outer edges only.
    EXPECT_EQ(sh.top(2, 2), EdgeStyle::Thin);
    EXPECT_EQ(sh.bottom(2, 2), EdgeStyle::None);
    EXPECT_EQ(sh.right(3, 2), EdgeStyle::None);
    EXPECT_EQ(sh.left(3, 2), EdgeStyle::Thin);
    EXPECT_EQ(sh.right(3, 3), EdgeStyle::Thin);
    // The bottom line of the box is C4's bottom and C5's top: the hairline written last wins on both.
    EXPECT_EQ(sh.bottom(4, 3), EdgeStyle::Hair);
    EXPECT_EQ(sh.top(5, 3), EdgeStyle::Hair);
    EXPECT_EQ(sh.bottom(4, 2), EdgeStyle::Thin);
    // A frame is kept on the framed cells alone: A1's right edge is its own, and neither B1 nor
    // the cells below and right of the box are made.
    EXPECT_EQ(sh.right(1, 1), EdgeStyle::Thin);
    EXPECT_EQ(sh.top(1, 1), EdgeStyle::Thin);
    EXPECT_FALSE(sh.find(1, 2));
    EXPECT_EQ(sh.left(1, 2), EdgeStyle::None);
    EXPECT_FALSE(sh.find(5, 2));
    EXPECT_EQ(sh.top(5, 2), EdgeStyle::None);
    EXPECT_FALSE(sh.find(2, 4));
    EXPECT_EQ(sh.left(2, 4), EdgeStyle::None);
}

TEST_F(StandInTest, NewWorkbookKeepsSheet1InFrontAndNamesUnnamedSheets) {
    ExcelSession s;
    s.Start();
    s.AddSheet({});
    s.AddSheet(sj("表紙"));
    s.AddSheet({});
    s.End(path("b.xlsx"), false);
    // Names are checked character by character: the second byte of 表 is a backslash.
    EXPECT_EQ(sj("表").substr(1), "\\");
    ASSERT_EQ(saved.sheets.size(), 4u);
    EXPECT_EQ(sheet(0).name, "Sheet1");
    EXPECT_EQ(sheet(1).name, "Sheet2");
    EXPECT_EQ(sheet(2).name, sj("表紙"));
    EXPECT_EQ(sheet(3).name, "Sheet4");

    ExcelSession dup;
    dup.Start();
    dup.AddSheet(sj("表紙"));
    EXPECT_THROW(dup.AddSheet(sj("表紙")), kiv::excel::ExcelCallError);
    dup.Abandon();
}

TEST_F(StandInTest, SaveFailureLeavesTheOldFileWholeAndNoTemporaryFile) {
    const auto target = dir / "old.xlsx";
    ASSERT_TRUE(kiv::files::writeFileAtomically(target, "old contents"));
    WorkbookModel wb;
    wb.addSheet(0);
    wb.sheets[0]->cell(1, 1).kind = CellModel::Kind::Text;
    // A sheet name libxlsxwriter refuses makes the save fail after the writing began.
    wb.sheets[0]->name = std::string(40, 'x');
    std::string error;
    EXPECT_FALSE(saveXlsx(wb, path("old.xlsx"), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(*kiv::files::readFile(target), "old contents");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    // Into a missing folder: fails, nothing made.
    EXPECT_FALSE(saveXlsx(wb, path("missing/x.xlsx")));
    wb.sheets[0]->name = "ok";
    EXPECT_TRUE(saveXlsx(wb, path("old.xlsx")));
    EXPECT_NE(*kiv::files::readFile(target), "old contents");
}

TEST_F(StandInTest, HooksRecordEveryCallAndFailTheChosenOne) {
    std::vector<Call> calls;
    setCallHooks({[&](const Call& c) { calls.push_back(c); },
                  [](const Call& c) { return c.object == "Range" && c.dispid == dispid::BorderAround; }});
    ExcelSession s;
    s.Start();
    s.AddSheet({});
    s.SetCellText("A1", "x");
    EXPECT_THROW(s.FrameCell(), kiv::excel::ExcelCallError);
    s.Abandon();
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[0].object, "Application");
    EXPECT_EQ(calls[0].dispid, dispid::UserControl);
    EXPECT_EQ(describe(calls[0].args.at(0)), "BOOL FALSE");
    // Abandon hands the application back: UserControl on, then Quit.
    EXPECT_EQ(calls[calls.size() - 2].dispid, dispid::UserControl);
    EXPECT_EQ(describe(calls[calls.size() - 2].args.at(0)), "BOOL TRUE");
    EXPECT_EQ(calls.back().dispid, dispid::Quit);
}

} // namespace

namespace {

// Cells made in any order (a cover sheet writes D2 before B3 and F10 before B10) are found and
// come out row by row and column by column; an edge makes its own cell and no other; a copy of the
// sheet keeps its cells' texts after the original is gone.
TEST(SheetModelCells, AnyOrderComesOutSortedAndCopiesKeepTheirTexts) {
    auto sh = std::make_shared<SheetModel>();
    const std::vector<std::pair<int, int>> made = {{10, 6}, {10, 2}, {2, 4}, {1, 8}, {10, 4}, {2, 1}, {10, 1}};
    for (const auto& [r, c] : made) {
        CellModel& cell = sh->cell(r, c);
        cell.kind = CellModel::Kind::Text;
        cell.text = sh->keep(std::to_string(r) + ":" + std::to_string(c));
    }
    sh->cell(2, 1).numberFormat = sh->keep("#,###");
    sh->setEdge(5, 3, SheetModel::Top, EdgeStyle::Hair);   // makes C5 alone
    sh->setEdge(7, 2, SheetModel::Left, EdgeStyle::Thin);  // makes B7 alone
    EXPECT_EQ(sh->top(5, 3), EdgeStyle::Hair);
    EXPECT_EQ(sh->left(7, 2), EdgeStyle::Thin);
    EXPECT_EQ(sh->bottom(4, 3), EdgeStyle::None);
    EXPECT_EQ(sh->right(7, 1), EdgeStyle::None);

    SheetModel copy = *sh;
    sh.reset();
    std::vector<std::string> order;
    copy.cells().forEach([&](int r, int c, const CellModel& cell) {
        order.push_back(std::to_string(r) + "," + std::to_string(c) + "=" + cell.text.str());
    });
    EXPECT_EQ(order, (std::vector<std::string>{"1,8=1:8", "2,1=2:1", "2,4=2:4", "5,3=", "7,2=", "10,1=10:1",
                                               "10,2=10:2", "10,4=10:4", "10,6=10:6"}));
    EXPECT_EQ(copy.cells().size(), order.size());
    EXPECT_EQ(copy.find(2, 1)->numberFormat, "#,###");
    EXPECT_EQ(copy.find(3, 1), nullptr);
    EXPECT_EQ(copy.find(2000, 1), nullptr);
}

// Rows that look alike share their cells; changing one cell of such a row changes that row only.
TEST(SheetModelCells, AChangedRowLeavesTheRowsThatLookedLikeItAlone) {
    SheetModel sh;
    const SheetText format = sh.keep("#,###");
    for (int r = 1; r <= 12; ++r)
        for (int c = 1; c <= 3; ++c) {
            sh.cell(r, c).numberFormat = format;
            sh.around({r, c, r, c}, EdgeStyle::Thin);
        }
    sh.cell(2, 1).fontSize = 20;
    sh.setEdge(6, 2, SheetModel::Top, EdgeStyle::Hair);
    for (int r = 1; r <= 12; ++r) {
        EXPECT_EQ(sh.find(r, 1)->fontSize, r == 2 ? 20 : 0) << r;
        EXPECT_EQ(sh.top(r, 2), r == 6 ? EdgeStyle::Hair : EdgeStyle::Thin) << r;
        EXPECT_EQ(sh.bottom(r, 2), r == 5 ? EdgeStyle::Hair : EdgeStyle::Thin) << r;
        EXPECT_EQ(sh.find(r, 3)->numberFormat, "#,###") << r;
    }
    EXPECT_EQ(sh.cells().size(), 12u * 3);   // the frames make no cell outside the framed ones
}

} // namespace
