// Command 32884 of the totals view: every category page into the sheet "内訳書", read back by
// an independent reader (python3-openpyxl); the overwrite question, 参照, and a failing call.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "estimate/GyouRecord.h"
#include "export/ExcelCallText.h"
#include "export/OpenpyxlReader.h"
#include "platform/automation/Dispatch.h"
#include "platform/text/Cp932.h"
#include "totals/TExcelDialog.h"
#include "totals/TotalViewFixture.h"

namespace kivtest {
namespace {

namespace fs = std::filesystem;
using G = GyouRecord;
using kiv::text::sj;

// Prints "key=value" lines: sheets, page settings, widths, the last row, and every cell of the
// totals sheet as value|format|alignment|top edge|bottom edge, with row heights.
constexpr const char* kReader = R"PY(
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
print("sheets=" + ",".join(wb.sheetnames))
ws = wb["内訳書"]
m = ws.page_margins
print(f"margins={m.top * 72:.0f},{m.bottom * 72:.0f},{m.left * 72:.0f},{m.right * 72:.0f}")
h = ws.oddHeader.center
print(f"header={h.text}|{h.size}")
print(f"footer={ws.oddFooter.center.text}")
ps = ws.page_setup
print(f"page={ps.orientation},{ps.paperSize},{ps.fitToWidth},{ps.fitToHeight},{ws.sheet_properties.pageSetUpPr.fitToPage}")
print(f"titles={ws.print_title_rows}")
print(f"max_row={ws.max_row}")
for col in "ABCDEFG":
    print(f"width.{col}={ws.column_dimensions[col].width}")
for row in ws.iter_rows(min_row=1, max_row=ws.max_row, max_col=8):
    for c in row:
        b = c.border
        v = c.value
        v = "'" + v + "'" if isinstance(v, str) else repr(v)
        print(f"{c.coordinate}={v}|{c.number_format}|{c.alignment.horizontal}|{b.top.style}|{b.bottom.style}")
    print(f"height.{row[0].row}={ws.row_dimensions[row[0].row].height}")
)PY";

// A 30-byte text cell as the reader shows it: the text and its blanks to 30 CP932 bytes, quoted.
std::string text30(const char* utf8) {
    return "'" + std::string(utf8) + std::string(30 - sj(utf8).size(), ' ') + "'";
}

class TotalWorkbookTest : public TotalViewFixture {
protected:
    void excelOut(const fs::path& path, bool ok = true) {
        runExport(ID_EXCEL_OUT, CTExcelDialog::IDD, CTExcelDialog::IDC_PATH, path, ok);
    }
    std::map<std::string, std::string> readBack(const fs::path& xlsx) {
        return readWorkbookWithOpenpyxl(exeDir.path(), kReader, xlsx);
    }
    // A row of category `k`, row `g`, with the given fields.
    static std::string totalRow(int k, int g, const std::vector<std::pair<int, std::string>>& fields) {
        std::string r = G::blankRow();
        G::writeKey(r, k, g);
        for (const auto& [f, t] : fields)
            EXPECT_TRUE(G::layout(f).IsText ? G::putText(r, f, t) : G::putNumber(r, f, t));
        return r;
    }
};

TEST_F(TotalWorkbookTest, EveryCategoryOnItsOwnPagesWithCaptionsAndPageSetup) {
    // A fractional quantity on page 2 (the grid's loaded page is 1, so the store is edited).
    for (int j = 0; j < doc->PoolGyouCount(); ++j) {
        std::string& r = doc->EditPoolGyou(j);
        if (G::koumokuOf(r) == 2 && G::toInt(r, G::GyouNo) == 2) {
            ASSERT_TRUE(G::putNumber(r, G::SekisanSuu2, "2.5"));
        }
    }
    doc->m_NeedRecalc = 0;
    placeCursor(3, 2, 0, 2);
    const fs::path out = data / "t.xlsx";
    excelOut(out);
    EXPECT_EQ(proposed, (exeDir / "集計表.XLSX").string());
    expectCursor(3, 2, 0, 2);
    auto kv = readBack(out);

    const std::map<std::string, std::string> expected = {
        {"sheets", "Sheet1,内訳書"},
        {"margins", "80,48,60,48"},
        {"header", "集  計  表|20"},
        {"footer", "&P ページ"},
        {"page", "portrait,9,None,0,True"},
        {"titles", "$1:$2"},
        {"height.298", "13.0"},
        {"max_row", "298"},   // nothing written, framed or styled below the last page
        // Captions: framed, centred, row 2 with a hairline between the two caption lines.
        {"A1", "'分類'|General|center|thin|hair"},
        {"A2", "'NO'|General|center|hair|thin"},
        {"B1", "'品　　　　　名'|General|center|thin|hair"},
        {"B2", "'規　　　　　格'|General|center|hair|thin"},
        {"C1", "'積 算 数 量'|General|center|thin|hair"},
        {"D2", "'位'|General|center|hair|thin"},
        {"F2", "'実 行 金 額'|General|center|hair|thin"},
        {"G1", "'備　　　　考1'|General|center|thin|hair"},
        {"height.1", "13.0"},
        {"height.2", "13.0"},
        // Category 1 (the summary) at rows 3-12: the heading's empty quantity is 0 with "#,###".
        {"B3", text30("分類集計") + "|General|None|thin|hair"},
        {"C3", "0|#,###|None|thin|hair"},
        {"A5", "'0003'|General|center|thin|hair"},
        {"B5", text30("配管") + "|General|None|thin|hair"},
        {"C5", "1|#,###|None|thin|hair"},
        {"D5", "'式  '|General|center|thin|hair"},
        {"E5", "5000|#,###|None|thin|hair"},
        {"F5", "5000|#,###|None|thin|hair"},
        {"G5", text30("") + "|General|None|thin|hair"},
        {"A6", "None|General|center|hair|thin"},
        {"C6", "1|#,###|None|hair|thin"},
        {"E6", "4500|#,###|None|hair|thin"},
        {"F6", "4500|#,###|None|hair|thin"},
        {"G6", "None|General|None|hair|thin"},
        {"height.6", "13.0"},
        {"B11", text30("　計") + "|General|None|thin|hair"},
        {"F11", "5600|#,###|None|thin|hair"},
        // Filler rows 13-76, then category 2 at 77: its item with 2.5 on the lower line.
        {"A13", "None|General|center|thin|hair"},
        {"C14", "None|#,###|None|hair|thin"},
        {"E76", "None|#,###|center|hair|thin"},
        {"height.76", "13.0"},
        {"B77", text30("配管") + "|General|None|thin|hair"},
        {"C79", "5|#,###|None|thin|hair"},
        {"C80", "2.5|#,##0.##|None|hair|thin"},
        {"F80", "4500|#,###|None|hair|thin"},
        {"B151", text30("電線") + "|General|None|thin|hair"},
        {"B225", text30("分類ＮＯなし") + "|General|None|thin|hair"},
        {"G298", "None|General|None|hair|thin"},
    };
    for (const auto& [k, v] : expected)
        EXPECT_EQ(kv[k], v) << k;
    const char* widths[] = {"6", "28", "15", "4", "15", "15", "28"};
    for (int c = 0; c < 7; ++c) {
        const std::string w = kv[std::string("width.") + static_cast<char>('A' + c)];
        // Excel's width in characters, as the stand-in writes it (the padding of the font).
        EXPECT_EQ(w.substr(0, w.find('.')), widths[c]) << c;
    }
}

TEST_F(TotalWorkbookTest, CategoryNineNineNineFollowsTheOthersAndNothingStrayIsStyled) {
    replaceRows({totalRow(1, 1, {{G::Hinmei, "SUM"}}), totalRow(2, 1, {{G::Hinmei, "TWO"}}),
                 totalRow(999, 1, {{G::Hinmei, "NINES"}}), totalRow(999, 2, {{G::Hinmei, "NINES2"}})});
    const fs::path out = data / "n.xlsx";
    excelOut(out);
    auto kv = readBack(out);
    EXPECT_EQ(kv["B3"], text30("SUM") + "|General|None|thin|hair");
    EXPECT_EQ(kv["B77"], text30("TWO") + "|General|None|thin|hair");
    EXPECT_EQ(kv["B151"], text30("NINES") + "|General|None|thin|hair");
    EXPECT_EQ(kv["B153"], text30("NINES2") + "|General|None|thin|hair");
    EXPECT_EQ(kv["max_row"], "224");
    const auto stray = strayEdgeCells(exeDir.path(), out);
    EXPECT_EQ(stray.at("内訳書"), "0");
}

TEST_F(TotalWorkbookTest, PageFillAtTheBoundaryAndTrimmingOfTexts) {
    // Category 1 of 36 rows, category 2 of 37 rows (a page exactly), category 3 of one row.
    std::vector<std::string> rows;
    for (int g = 1; g <= 36; ++g)
        rows.push_back(totalRow(1, g, {{G::Hinmei, "A"}, {G::Bikou1, sj("備考")}, {G::Bikou2, "x"}, {G::Kikaku, "k"}}));
    for (int g = 1; g <= 37; ++g)
        rows.push_back(totalRow(2, g, {{G::SekisanSuu1, "3"}, {G::Tanka1, "12.75"}, {G::Kingaku1, "38.25"}}));
    rows.push_back(totalRow(3, 1, {{G::Hinmei, "Z"}}));
    replaceRows(rows);
    const fs::path out = data / "fill.xlsx";
    excelOut(out);
    auto kv = readBack(out);
    const std::map<std::string, std::string> expected = {
        {"height.224", "13.0"},
        {"max_row", "224"},
        // Upper 品名 and 備考1 and lower 規格 keep their blanks; lower 備考2 is trimmed.
        {"B3", text30("A") + "|General|None|thin|hair"},
        {"G3", text30("備考") + "|General|None|thin|hair"},
        {"B4", text30("k") + "|General|None|hair|thin"},
        {"G4", "'x'|General|None|hair|thin"},
        // Two filler rows: 75 with a thin top edge, 76 with a hairline (75's bottom reads hair).
        {"A75", "None|General|center|thin|hair"},
        {"F75", "None|#,###|None|thin|hair"},
        {"A76", "None|General|center|hair|thin"},
        // Category 2 fills rows 77-150 exactly: no filler; category 3 starts at 151.
        {"C77", "3|#,###|None|thin|hair"},
        {"E77", "12.75|#,##0.##|None|thin|hair"},
        {"F77", "38.25|#,###|None|thin|hair"},
        {"B151", text30("Z") + "|General|None|thin|hair"},
        {"A153", "None|General|center|thin|hair"},
    };
    for (const auto& [k, v] : expected)
        EXPECT_EQ(kv[k], v) << k;
}

TEST_F(TotalWorkbookTest, OverwriteQuestionBrowseAndFailingCall) {
    placeCursor(2, 3, 1, 2);
    const fs::path out = data / "old.xlsx";
    ASSERT_TRUE(kiv::files::writeFileAtomically(out, "old"));
    // Declined: nothing stored, nothing written.
    backend.expectMessageBox(kiv::ui::IDCANCEL, "既に同じ名前のファイルがあります。上書きしますか？");
    excelOut(out);
    EXPECT_EQ(kiv::files::readFile(out).value_or(""), "old");

    // A call that fails midway: one message, the old file kept, no temporary file, the
    // position back.
    kiv::automation::setCallHooks({nullptr, [n = 0](const kiv::automation::Call&) mutable { return ++n == 200; }});
    backend.expectMessageBox(kiv::ui::IDOK, "既に同じ名前のファイルがあります。上書きしますか？");
    backend.expectMessageBox(kiv::ui::IDOK, "ファイルが作成できません。");
    excelOut(out);
    kiv::automation::setCallHooks({});
    EXPECT_EQ(kiv::files::readFile(out).value_or(""), "old");
    for (const auto& e : fs::directory_iterator(data.path()))
        EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
    expectCursor(2, 3, 1, 2);

    // 参照 picks the file and has asked its own question: the workbook replaces it unasked.
    backend.expectFile(out);
    backend.expectMessageBox(kiv::ui::IDYES, "上書きしますか");
    backend.expectDialog(
        [&](kiv::ui::headless::DialogDriver& d) {
            d.click(CTExcelDialog::IDC_BROWSE);
            EXPECT_EQ(d.textUtf8(CTExcelDialog::IDC_PATH), out.string());
            d.click(kiv::ui::IDOK);
        },
        CTExcelDialog::IDD);
    view->onCommand(ID_EXCEL_OUT);
    backend.processPending();
    const auto& prompts = backend.prompts();
    EXPECT_TRUE(std::any_of(prompts.begin(), prompts.end(),
                            [](const auto& p) { return p.kind == "file" && p.caption == "EXCEL2007(*.XLSX)|*.XLSX||"; }));
    EXPECT_EQ(readBack(out)["sheets"], "Sheet1,内訳書");
    expectCursor(2, 3, 1, 2);
}

TEST_F(TotalWorkbookTest, EachCellTakesItsSettingsInOrder) {
    std::vector<std::string> calls;
    kiv::automation::setCallHooks({[&](const kiv::automation::Call& c) { calls.push_back(callText(c)); }, nullptr});
    doc->m_NeedRecalc = 0;
    excelOut(data / "calls.xlsx");
    kiv::automation::setCallHooks({});
    // The calls from the selection of `cell` on, `n` of them.
    auto from = [&](const std::string& cell, std::size_t n) {
        const std::string first = "Worksheet.C5 get | BSTR \"" + cell + "\" | BSTR \"" + cell + "\"";
        auto it = std::find(calls.begin(), calls.end(), first);
        std::vector<std::string> out;
        for (; it != calls.end() && out.size() < n; ++it)
            out.push_back(*it);
        return out;
    };
    const std::string frame = "Range.AD3 call | UI4 1 | I4 2 | I4 1 | UI4 1 | UI4 1";
    const std::vector<std::string> hairline = {"Range.1B3 get", "Borders.AA get | I4 8", "Border.78 put | I2 1"};
    const std::string centre = "Range.88 put | I2 -4108";
    auto seq = [](std::vector<std::vector<std::string>> parts) {
        std::vector<std::string> all;
        for (auto& p : parts)
            all.insert(all.end(), p.begin(), p.end());
        return all;
    };
    // Captions: text, width, (A) row height, frame, (row 2) hairline, centring.
    EXPECT_EQ(from("A1", 6), seq({{"Worksheet.C5 get | BSTR \"A1\" | BSTR \"A1\"", "Range.56C put | ARRAY 1x10 \"分類\"",
                                   "Range.F2 put | UI4 6", "Range.110 put | UI4 13", frame, centre}}));
    EXPECT_EQ(from("B2", 8), seq({{"Worksheet.C5 get | BSTR \"B2\" | BSTR \"B2\"",
                                   "Range.56C put | ARRAY 1x10 \"規　　　　　格\"", "Range.F2 put | UI4 28", frame},
                                  hairline, {centre}}));
    // A record's lower line: value, format or row height, frame, hairline, centring.
    EXPECT_EQ(from("A6", 8), seq({{"Worksheet.C5 get | BSTR \"A6\" | BSTR \"A6\"", "Range.56C put | ARRAY 1x10 \"\"",
                                   "Range.110 put | UI4 13", frame},
                                  hairline, {centre}}));
    EXPECT_EQ(from("F6", 7), seq({{"Worksheet.C5 get | BSTR \"F6\" | BSTR \"F6\"", "Range.56C put | R8 4500",
                                   "Range.C1 put | BSTR \"#,###\"", frame},
                                  hairline}));
    // The upper line has no top edge of its own.
    EXPECT_EQ(from("C5", 5), (std::vector<std::string>{"Worksheet.C5 get | BSTR \"C5\" | BSTR \"C5\"", "Range.56C put | R8 1",
                                                       "Range.C1 put | BSTR \"#,###\"", frame,
                                                       "Worksheet.C5 get | BSTR \"D5\" | BSTR \"D5\""}));
    // A filler row: row height, format, frame, hairline on even rows, centring in A and E.
    EXPECT_EQ(from("E14", 7), seq({{"Worksheet.C5 get | BSTR \"E14\" | BSTR \"E14\"", "Range.C1 put | BSTR \"#,###\"", frame},
                                   hairline, {centre}}));
}

} // namespace
} // namespace kivtest
