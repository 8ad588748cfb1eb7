// The breakdown workbook of command 32884: rows, spacing, page padding, the cover sheet, the
// path checks and a failing call.
#include "export/ExcelExportFixture.h"

#include "export/ExportPath.h"
#include "platform/automation/ExcelMembers.h"

namespace kivtest {
namespace {

using T = ExcelDialog;

class UtiwakeWorkbookTest : public ExcelExportFixture {};

TEST_F(UtiwakeWorkbookTest, SingleSpacingLandscapeRowsFormatsAndPadding) {
    openEstimate();
    exportWith({});
    ASSERT_EQ(saves, 1);
    EXPECT_EQ(sheetNames(), (std::vector<std::string>{"Sheet1", "Sheet2", "内訳書"}));
    EXPECT_TRUE(saved.sheets[1]->cells().empty());
    const SheetModel& s = sheet("内訳書");
    EXPECT_EQ(textOf(s, "B1"), "品       名");
    EXPECT_EQ(s.columnWidths.at(2), 25);
    // Row 2: 電線.
    EXPECT_EQ(textOf(s, "A2"), "A1  ");
    EXPECT_TRUE(at(s, "A2").centred);
    EXPECT_EQ(textOf(s, "E2"), "m   ");
    EXPECT_TRUE(at(s, "E2").centred);
    EXPECT_EQ(textOf(s, "B2"), "電線");
    EXPECT_EQ(textOf(s, "H2"), "備考A");
    for (const char* c : {"B2", "C2", "H2"})
        EXPECT_EQ(at(s, c).fontSize, 9) << c;
    EXPECT_EQ(at(s, "A2").fontSize, 0);
    EXPECT_EQ(at(s, "C2").kind, CellModel::Kind::Text);
    EXPECT_EQ(at(s, "C2").text, "");
    const struct {
        const char* cell;
        double value;
    } numbers[] = {{"D2", 12}, {"F2", 50}, {"G2", 600}, {"D3", 1}, {"F3", 50000}, {"G3", 50000}, {"F4", 3000}, {"G4", 3000}};
    for (const auto& n : numbers) {
        EXPECT_EQ(at(s, n.cell).kind, CellModel::Kind::Number) << n.cell;
        EXPECT_EQ(at(s, n.cell).number, n.value) << n.cell;
        EXPECT_EQ(at(s, n.cell).numberFormat, "#,###") << n.cell;
    }
    for (int c = 1; c <= 8; ++c)
        EXPECT_TRUE(framed(s, 2, c)) << c;
    EXPECT_EQ(s.rowHeights.at(2), 25);
    // The labour row as a lump sum: 1 式.
    EXPECT_EQ(textOf(s, "E3"), "式  ");
    // Framed blank rows to the page end, item 2 on the next page, then padding again.
    for (int r = 5; r <= 37; ++r) {
        EXPECT_TRUE(framed(s, r, 1) && framed(s, r, 8)) << r;
        EXPECT_EQ(at(s, "A" + std::to_string(r)).kind, CellModel::Kind::Empty) << r;
        EXPECT_EQ(at(s, "G" + std::to_string(r)).numberFormat, "#,###") << r;
    }
    EXPECT_EQ(textOf(s, "B38"), "電線");
    EXPECT_TRUE(framed(s, 73, 4));
    EXPECT_EQ(at(s, "A73").kind, CellModel::Kind::Empty);
    EXPECT_FALSE(s.find(74, 1) && s.find(74, 1)->kind != CellModel::Kind::Empty);
    EXPECT_EQ(s.page.orientation, 2);
    EXPECT_EQ(s.page.centerFooter, sj("&P ページ"));
    // The run leaves no progress window and the view where it was.
    EXPECT_EQ(CProgressDlg::s_Made, madeBefore + 1);
    EXPECT_EQ(kiv::ui::App::instance()->waitCursorDepth(), 0);
    EXPECT_TRUE(view->caret().visible);
}

TEST_F(UtiwakeWorkbookTest, LabourByHeadCountAndFractionalAmounts) {
    auto rows = fixtureRows();
    rows[0] = keyedRow(1, 1, densenFields("12.50"));
    openEstimate(rows);
    exportWith({T::IDC_ROUMU_NINZUU});
    const SheetModel& s = sheet("内訳書");
    EXPECT_EQ(at(s, "D3").number, 2.5);
    EXPECT_EQ(at(s, "D3").numberFormat, "#,##0.##");
    EXPECT_EQ(textOf(s, "E3"), "人  ");
    EXPECT_EQ(at(s, "F3").number, 20000);
    // Single spacing: the amount column is "#,###" whatever the value.
    EXPECT_EQ(at(s, "G2").number, 12.5);
    EXPECT_EQ(at(s, "G2").numberFormat, "#,###");

    exportWith({T::IDC_DOUBLE_SPACING}, out("double.xlsx"));
    const SheetModel& d = sheet("内訳書");
    EXPECT_EQ(at(d, "G3").number, 12.5);
    EXPECT_EQ(at(d, "G3").numberFormat, "#,##0.##");
}

TEST_F(UtiwakeWorkbookTest, DoubleSpacingBoxesAndPortraitPages) {
    openEstimate();
    exportWith({T::IDC_DOUBLE_SPACING});
    const SheetModel& s = sheet("内訳書");
    for (int c = 1; c <= 8; ++c) {
        EXPECT_EQ(s.top(2, c), EdgeStyle::Thin) << c;
        EXPECT_EQ(s.bottom(2, c), EdgeStyle::None) << c;   // no line inside the box
        EXPECT_EQ(s.bottom(3, c), EdgeStyle::Thin) << c;
        EXPECT_EQ(s.left(2, c), EdgeStyle::Thin) << c;
        EXPECT_EQ(s.left(3, c), EdgeStyle::Thin) << c;
    }
    EXPECT_EQ(at(s, "A2").kind, CellModel::Kind::Empty);
    EXPECT_EQ(textOf(s, "A3"), "A1  ");
    EXPECT_EQ(at(s, "D3").number, 12);
    EXPECT_EQ(textOf(s, "B3"), "電線");
    EXPECT_EQ(at(s, "B3").fontSize, 0);
    EXPECT_EQ(at(s, "H3").fontSize, 0);
    EXPECT_EQ(s.rowHeights.at(2), 13);
    EXPECT_EQ(s.rowHeights.at(3), 13);
    EXPECT_EQ(textOf(s, "E5"), "式  ");
    EXPECT_EQ(at(s, "G7").number, 3000);
    EXPECT_EQ(textOf(s, "B39"), "電線");   // item 2 on the second page (row 38 empty above it)

    exportWith({T::IDC_TATE}, out("tate.xlsx"));
    const SheetModel& p = sheet("内訳書");
    EXPECT_EQ(p.page.orientation, 1);
    EXPECT_EQ(textOf(p, "B86"), "電線");
    EXPECT_TRUE(framed(p, 85, 2));
}

TEST_F(UtiwakeWorkbookTest, CoverSheetWithTheFirstRowsOfItem1) {
    openEstimate();
    doc->m_HyousiLayout = HyousiLayout{};
    doc->m_HyousiLayout.kingaku.text = sj("金額") + std::string(8, ' ');
    doc->m_HyousiData[17] = "        5000";
    const int before = CProgressDlg::s_Made;
    exportWith({T::IDC_HYOUSI});
    EXPECT_EQ(sheetNames(), (std::vector<std::string>{"Sheet1", "表紙", "内訳書"}));
    const SheetModel& c = sheet("表紙");
    EXPECT_EQ(textOf(c, "B5"), "金額5,000-");
    EXPECT_EQ(at(c, "B5").fontSize, 18);
    EXPECT_EQ(at(c, "B3").text, "");
    EXPECT_EQ(textOf(c, "H2"), std::string(12, ' '));
    EXPECT_TRUE(at(c, "H2").centred);
    EXPECT_EQ(c.rowHeights.at(11), 25);
    EXPECT_EQ(c.rowHeights.count(12), 0u);
    EXPECT_EQ(c.page.centerFooter, sj("&P ページ"));
    EXPECT_TRUE(c.page.centerHeader.empty());
    EXPECT_FALSE(c.page.topMargin.has_value());
    EXPECT_EQ(textOf(c, "B13"), "品       名");
    EXPECT_EQ(textOf(c, "B14"), "電線");
    EXPECT_EQ(at(c, "G16").number, 3000);
    for (int r = 17; r <= 20; ++r) {
        EXPECT_TRUE(framed(c, r, 2)) << r;
        EXPECT_EQ(at(c, "D" + std::to_string(r)).number, 0) << r;
        EXPECT_EQ(at(c, "A" + std::to_string(r)).text, "") << r;
    }
    EXPECT_FALSE(c.find(21, 1) && c.find(21, 1)->kind != CellModel::Kind::Empty);
    EXPECT_EQ(doc->m_KingakuText, "5,000");
    const SheetModel& u = sheet("内訳書");
    EXPECT_EQ(u.page.centerFooter, sj("&P+1 ページ"));
    EXPECT_EQ(textOf(u, "A2"), "A1  ");   // item 2 starts the sheet
    EXPECT_EQ(textOf(u, "B2"), "電線");
    EXPECT_EQ(CProgressDlg::s_Made, before + 1);
}

TEST_F(UtiwakeWorkbookTest, CoverSheetPortraitContinuesItem1OrStandsAlone) {
    std::vector<std::string> rows;
    for (int g = 1; g <= 40; ++g)
        rows.push_back(keyedRow(1, g, {{GyouRecord::Hinmei, "R" + std::to_string(g)}}));
    openEstimate(rows);
    exportWith({T::IDC_HYOUSI, T::IDC_TATE});
    EXPECT_EQ(textOf(sheet("表紙"), "B45"), "R32");
    EXPECT_EQ(textOf(sheet("内訳書"), "B2"), "R33");
    EXPECT_EQ(textOf(sheet("内訳書"), "B9"), "R40");

    // One item of at most C rows (C = 7 across, 32 down): the cover only, no progress window.
    struct Case {
        std::size_t rows;
        std::vector<int> clicks;
    };
    const Case cases[] = {{32, {T::IDC_HYOUSI, T::IDC_TATE}}, {7, {T::IDC_HYOUSI}}, {3, {T::IDC_HYOUSI}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows);
        rows.resize(c.rows);
        openEstimate(rows);
        const int before = CProgressDlg::s_Made;
        exportWith(c.clicks, out("cover-only-" + std::to_string(c.rows) + ".xlsx"));
        EXPECT_EQ(sheetNames(), (std::vector<std::string>{"Sheet1", "表紙"}));
        EXPECT_EQ(CProgressDlg::s_Made, before);
    }
}

TEST_F(UtiwakeWorkbookTest, CoverConditionCellsJoinEachConditionWithItsOwnDatum) {
    openEstimate();
    doc->m_HyousiLayout = HyousiLayout{};
    for (std::size_t i = 0; i < 5; ++i)
        doc->m_HyousiLayout.jouken[i].text = "Condition-0" + std::to_string(i + 1);   // the full 12 columns
    for (std::size_t i = 12; i <= 16; ++i)
        doc->m_HyousiData[i] = "D" + std::to_string(i);
    exportWith({T::IDC_HYOUSI});
    const SheetModel& c = sheet("表紙");
    // 納入場所, 有効期限, 支払条件, 納期, 受渡場所.
    const std::pair<const char*, const char*> cells[] = {
        {"B6", "Condition-01 D14"}, {"B7", "Condition-02 D16"}, {"B8", "Condition-03 D13"},
        {"B9", "Condition-04 D12"}, {"B10", "Condition-05 D15"}};
    for (const auto& [cell, text] : cells)
        EXPECT_EQ(textOf(c, cell), text) << cell;
}

TEST_F(UtiwakeWorkbookTest, PathProblemsStopBeforeAnythingIsStored) {
    openEstimate();
    placeCursor(2, 1, 5);
    const struct {
        std::filesystem::path path;
        const char* message;
    } cases[] = {
        {exeDir / "missing" / "x.xlsx", "ファイルが作成できません。"},
        {exeDir.path(), "ファイルが作成できません。"},
        {{}, "ファイルが作成できません。"},
    };
    for (const auto& c : cases) {
        backend.expectMessageBox(kiv::ui::IDOK, c.message);
        if (c.path.empty()) {
            backend.expectDialog([](kiv::ui::headless::DialogDriver& d) { d.type(T::IDC_PATH, "").click(kiv::ui::IDOK); }, T::IDD);
            view->onCommand(ID_EXCEL_OUT);
            backend.processPending();
        } else {
            exportWith({}, c.path);
        }
    }
    // The estimate's own file.
    doc->setPathName(exeDir / "est.KIV", false);
    backend.expectMessageBox(kiv::ui::IDOK, "開いている内訳書のファイルには出力できません。");
    exportWith({}, exeDir / "est.KIV");
    // Cancel at the question before an existing file is replaced: no message, nothing stored.
    ASSERT_TRUE(kiv::files::writeFileAtomically(out(), "old"));
    backend.expectMessageBox(kiv::ui::IDCANCEL, "既に同じ名前のファイルがあります。上書きしますか？");
    exportWith({});
    EXPECT_EQ(saves, 0);
    EXPECT_FALSE(doc->isModified());
    EXPECT_EQ(*kiv::files::readFile(out()), "old");
    EXPECT_EQ(cursorRow(), 2);
    // OK replaces it.
    backend.expectMessageBox(kiv::ui::IDOK, "上書きしますか");
    exportWith({});
    EXPECT_EQ(saves, 1);
    EXPECT_NE(*kiv::files::readFile(out()), "old");
}

TEST_F(UtiwakeWorkbookTest, AFailingCallEndsTheRunWithTheViewBackAndNoFile) {
    openEstimate();
    placeCursor(3, 2, 9);
    ASSERT_TRUE(kiv::files::writeFileAtomically(out(), "old"));
    int values = 0;
    kiv::automation::setCallHooks({nullptr, [&](const kiv::automation::Call& c) {
                                       return c.dispid == kiv::automation::dispid::Value2 && ++values == 30;
                                   }});
    backend.expectMessageBox(kiv::ui::IDOK, "上書きしますか");
    backend.expectMessageBox(kiv::ui::IDOK, "ファイルが作成できません。");
    exportWith({});
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(*kiv::files::readFile(out()), "old");
    EXPECT_EQ(cursorRow(), 3);
    EXPECT_EQ(screenRow(), 2);
    EXPECT_EQ(field(), 9);
    EXPECT_EQ(doc->m_CurKoumoku[0], 1);
    EXPECT_TRUE(view->caret().visible);
    EXPECT_EQ(kiv::ui::App::instance()->waitCursorDepth(), 0);
    for (const auto& e : std::filesystem::directory_iterator(exeDir.path()))
        EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
    // The export's rewrites never reach the rows: the labour row is stored as it was.
    EXPECT_EQ(GyouRecord::text(doc->WorkGyouAt(2), GyouRecord::SekisanSuu1), "     2.5");
}

TEST(ExportPath, ProposalsKeepFoldersAndReplaceOnlyTheLastExtension) {
    const struct {
        const char* doc;
        const char* proposed;
    } cases[] = {
        {"a.kiv", "a.XLSX"},
        {"GAMES/a.MES", "GAMES/a.XLSX"},
        {"/data/KIV/工事.Kiv", "/data/KIV/工事.XLSX"},
        {"a", "a.XLSX"},
        {"a.txt", "a.txt.XLSX"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kiv::text::toUtf8(kiv::exporting::ProposeExportPath(c.doc, "XLSX", "内訳書")), c.proposed) << c.doc;
    kiv::test::TempDir dir;
    CKivDoc::SetProgramDirectory(dir.path());
    EXPECT_EQ(kiv::text::toUtf8(kiv::exporting::ProposeExportPath({}, "XLSX", "内訳書")), (dir / "内訳書.XLSX").string());
    CKivDoc::SetProgramDirectory({});
}

} // namespace
} // namespace kivtest
