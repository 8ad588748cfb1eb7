// The saved breakdown workbook read back by an independent reader (python3-openpyxl): what a
// spreadsheet program will show of it.
#include "export/ExcelExportFixture.h"

#include <map>

namespace kivtest {
namespace {

using UtiwakeWorkbookFileTest = ExcelExportFixture;

TEST_F(UtiwakeWorkbookFileTest, AnIndependentReaderSeesTheSheetsCellsAndPageSetup) {
    openEstimate();
    doc->m_HyousiLayout = HyousiLayout{};
    doc->m_HyousiLayout.kingaku.text = sj("金額");
    doc->m_HyousiData[17] = "        5000";
    exportWith({ExcelDialog::IDC_HYOUSI}, out("cover.xlsx"));
    exportWith({}, out("plain.xlsx"));

    auto kv = readWorkbook(out("plain.xlsx"));
    const std::map<std::string, std::string> plain = {
        {"sheets", "Sheet1,Sheet2,内訳書"},
        {"内訳書.merged", "0"},
        {"内訳書.width.A", "6.7109375"},
        {"内訳書.width.B", "25.7109375"},
        {"内訳書.width.E", "4.7109375"},
        {"内訳書.margins", "1.111111,0.666667,0.833333,0.666667"},
        {"内訳書.header", "内　訳　書|20"},
        {"内訳書.footer", "&P ページ"},
        {"内訳書.page", "landscape,9,None,0,True"},
        {"内訳書.titles", "$1:$1"},
        {"内訳書.height.1", "25.0"},
        {"内訳書.height.2", "25.0"},
        {"内訳書!A1", "'項目'|General|11.0|center|tttt|str"},
        {"内訳書!A2", "'A1  '|General|11.0|center|tttt|str"},
        {"内訳書!B2", "'電線'|General|9.0|None|tttt|str"},
        {"内訳書!C2", "None|General|9.0|None|tttt|NoneType"},
        {"内訳書!D2", "12|#,###|11.0|None|tttt|int"},
        {"内訳書!E3", "'式  '|General|11.0|center|tttt|str"},
        {"内訳書!F3", "50000|#,###|11.0|None|tttt|int"},
        {"内訳書!G4", "3000|#,###|11.0|None|tttt|int"},
        {"内訳書!H2", "'備考A'|General|9.0|None|tttt|str"},
        {"内訳書!A20", "None|General|11.0|center|tttt|NoneType"},
        {"内訳書!G20", "None|#,###|11.0|None|tttt|NoneType"},
        {"Sheet2.page", "landscape,9,None,0,True"},
        {"Sheet2.footer", "None"},
    };
    for (const auto& [k, v] : plain)
        EXPECT_EQ(kv[k], v) << k;

    kv = readWorkbook(out("cover.xlsx"));
    const std::map<std::string, std::string> cover = {
        {"sheets", "Sheet1,表紙,内訳書"},
        {"表紙.footer", "&P ページ"},
        {"表紙.header", "None|None"},
        {"表紙!B5", "'金額5,000-'|General|18.0|None|----|str"},
        {"表紙!B3", "None|General|16.0|None|----|NoneType"},
        {"表紙!D2", "None|General|25.0|center|----|NoneType"},
        {"表紙!B14", "'電線'|General|9.0|None|tttt|str"},
        {"表紙!D20", "0|#,###|11.0|None|tttt|int"},
        {"表紙.height.12", "None"},
        {"表紙.height.14", "25.0"},
        {"内訳書.footer", "&P+1 ページ"},
        {"内訳書!B2", "'電線'|General|9.0|None|tttt|str"},
        {"内訳書!A3", "None|General|11.0|center|tttt|NoneType"},
    };
    for (const auto& [k, v] : cover)
        EXPECT_EQ(kv[k], v) << k;

    // Nothing styled outside what was written: no cell below or right of a frame carries its line.
    for (const char* file : {"plain.xlsx", "cover.xlsx"}) {
        const auto stray = strayEdgeCells(exeDir.path(), out(file));
        ASSERT_FALSE(stray.empty()) << file;
        for (const auto& [sheet, count] : stray)
            EXPECT_EQ(count, "0") << file << " " << sheet;
    }
}

// A workbook too large to hold twice is written a row at a time: a reader sees the same sheets,
// cells, formats, edges, heights and page setup as in the file written whole (the cover sheet
// and the padded pages of a portrait, double-spaced breakdown).
TEST_F(UtiwakeWorkbookFileTest, WrittenRowByRowTheFileReadsTheSame) {
    openEstimate();
    doc->m_HyousiLayout = HyousiLayout{};
    doc->m_HyousiLayout.kingaku.text = sj("金額");
    for (const auto& [name, clicks] : std::vector<std::pair<std::string, std::vector<int>>>{
             {"cover", {ExcelDialog::IDC_HYOUSI}},
             {"tate", {ExcelDialog::IDC_TATE, ExcelDialog::IDC_DOUBLE_SPACING}}}) {
        SCOPED_TRACE(name);
        exportWith(clicks, out(name + "-whole.xlsx"));
        kiv::automation::setRowByRowCells(0);
        exportWith(clicks, out(name + "-rows.xlsx"));
        kiv::automation::setRowByRowCells(kiv::automation::kRowByRowCells);
        const auto whole = readWorkbook(out(name + "-whole.xlsx"), 90);
        EXPECT_GT(whole.size(), 500u);
        EXPECT_EQ(readWorkbook(out(name + "-rows.xlsx"), 90), whole);
    }
}

} // namespace
} // namespace kivtest
