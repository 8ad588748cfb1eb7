// The calls the workbook exports send, in order and with their argument types: the breakdown's
// session, caption and row cells, the page settings of the three workbooks and the hairline of
// the totals workbook.
#include "export/ExcelCallText.h"
#include "export/ExcelExportFixture.h"

#include <algorithm>

#include "export/excel/ExcelSession.h"
#include "platform/automation/ExcelMembers.h"

namespace kivtest {
namespace {

using kiv::automation::Call;

class ExcelCallsTest : public ExcelExportFixture {
protected:
    void record() {
        kiv::automation::setCallHooks({[this](const Call& c) { calls.push_back(callText(c)); }, nullptr});
    }
    // The calls from the first that begins with `first`, `n` of them.
    std::vector<std::string> from(const std::string& first, std::size_t n) const {
        auto it = std::find_if(calls.begin(), calls.end(), [&](const std::string& s) { return s.rfind(first, 0) == 0; });
        std::vector<std::string> out;
        for (; it != calls.end() && out.size() < n; ++it)
            out.push_back(*it);
        return out;
    }
    std::vector<std::string> calls;
};

TEST_F(ExcelCallsTest, BreakdownSessionPageCaptionAndRowCells) {
    openEstimate();
    record();
    exportWith({});
    const std::string path = out().string();
    const std::vector<std::string> start = {
        "Application.4BA put | BOOL FALSE",
        "Application.23C get",
        "Workbooks.B5 call | missing",
        "Workbook.1EE get",
        "Worksheets.76 get",
        "Worksheets.AA get | I4 1",
        "Worksheets.B5 call | missing | DISPATCH Worksheet | I4 1 | missing",
        "Worksheet.3E6 get",
        "PageSetup.86 put | I4 2",
        "PageSetup.3EF put | I4 9",
        "PageSetup.297 put | BOOL FALSE",
        "PageSetup.3F6 put | I2 1",
        "PageSetup.3F5 put | BOOL FALSE",
        "Worksheets.76 get",
        "Worksheets.AA get | I4 2",
        "Worksheets.B5 call | missing | DISPATCH Worksheet | I4 1 | missing",
        "Worksheet.6E put | BSTR \"内訳書\"",
        "Worksheet.3E6 get",
        "PageSetup.86 put | I4 2",
        "PageSetup.3EF put | I4 9",
        "PageSetup.297 put | BOOL FALSE",
        "PageSetup.3F6 put | I2 1",
        "PageSetup.3F5 put | BOOL FALSE",
        "PageSetup.3F2 put | BSTR \"&P ページ\"",
        "PageSetup.400 put | BSTR \"$1:$1\"",
        "PageSetup.3F3 put | BSTR \"&20内　訳　書\"",
        "PageSetup.3E9 put | R8 80",
        "PageSetup.3EA put | R8 48",
        "PageSetup.3E7 put | R8 60",
        "PageSetup.3E8 put | R8 48",
        "Worksheet.C5 get | BSTR \"A1\" | BSTR \"A1\"",
        "Range.56C put | ARRAY 1x10 \"項目\"",
        "Range.110 put | UI4 25",
        "Range.F2 put | UI4 6",
        "Range.AD3 call | UI4 1 | I4 2 | I4 1 | UI4 1 | UI4 1",
        "Range.88 put | I2 -4108",
    };
    EXPECT_EQ(from("Application.4BA", start.size()), start);
    EXPECT_EQ(from("Worksheet.C5 get | BSTR \"B2\"", 5), (std::vector<std::string>{
                                                            "Worksheet.C5 get | BSTR \"B2\" | BSTR \"B2\"",
                                                            "Range.56C put | ARRAY 1x10 \"電線\"",
                                                            "Range.92 get",
                                                            "Font.68 put | I2 9",
                                                            "Range.AD3 call | UI4 1 | I4 2 | I4 1 | UI4 1 | UI4 1",
                                                        }));
    EXPECT_EQ(from("Worksheet.C5 get | BSTR \"G2\"", 4), (std::vector<std::string>{
                                                            "Worksheet.C5 get | BSTR \"G2\" | BSTR \"G2\"",
                                                            "Range.56C put | R8 600",
                                                            "Range.C1 put | BSTR \"#,###\"",
                                                            "Range.AD3 call | UI4 1 | I4 2 | I4 1 | UI4 1 | UI4 1",
                                                        }));
    const std::vector<std::string> end = {
        "Workbook.11C call | BSTR \"" + path + "\" | missing | missing | missing | missing | missing | I4 0 | missing | "
                                                "missing | missing | missing",
        "Application.4BA put | BOOL TRUE",
        "Workbooks.115 call",
        "Application.12E call",
    };
    EXPECT_EQ(std::vector<std::string>(calls.end() - 4, calls.end()), end);
}

TEST_F(ExcelCallsTest, UnitPriceAndTotalsPagesAndTheTopHairline) {
    record();
    kiv::excel::ExcelSession s;
    s.Start();
    s.AddSheet(sj("代価表"));
    calls.clear();
    s.SetupPage(kiv::excel::unitPriceSheetPage());
    EXPECT_EQ(calls, (std::vector<std::string>{
                         "PageSetup.86 put | I4 1", "PageSetup.3EF put | I4 9", "PageSetup.297 put | BOOL FALSE",
                         "PageSetup.3F6 put | I2 1", "PageSetup.3F5 put | BOOL FALSE", "PageSetup.400 put | BSTR \"$1:$1\"",
                         "PageSetup.3F3 put | BSTR \"&20単　価　表\"", "PageSetup.3F2 put | BSTR \"&P ページ\"",
                         "PageSetup.3E9 put | R8 80", "PageSetup.3EA put | R8 60", "PageSetup.3E7 put | R8 60",
                         "PageSetup.3E8 put | R8 48"}));
    s.AddSheet(sj("内訳書"));
    calls.clear();
    s.SetupPage(kiv::excel::totalsSheetPage());
    EXPECT_EQ(calls.at(5), "PageSetup.400 put | BSTR \"$1:$2\"");
    EXPECT_EQ(calls.at(6), "PageSetup.3F3 put | BSTR \"&20集  計  表\"");
    EXPECT_EQ(calls.at(9), "PageSetup.3EA put | R8 48");
    calls.clear();
    s.SetCellNumber("C3", "    1234.5", "#,##0.##");
    s.TopEdgeHairline();
    EXPECT_EQ(calls, (std::vector<std::string>{"Worksheet.C5 get | BSTR \"C3\" | BSTR \"C3\"", "Range.56C put | R8 1234.5",
                                               "Range.C1 put | BSTR \"#,##0.##\"", "Range.1B3 get",
                                               "Borders.AA get | I4 8", "Border.78 put | I2 1"}));
    // The whole-number rule on the decimal value, of any size.
    EXPECT_TRUE(kiv::excel::IsWholeNumberText("  123456789012"));
    EXPECT_TRUE(kiv::excel::IsWholeNumberText("   12.00"));
    EXPECT_TRUE(kiv::excel::IsWholeNumberText(""));
    EXPECT_FALSE(kiv::excel::IsWholeNumberText("99999999999.01"));
    s.End((exeDir / "t.xlsx").string(), false);
    EXPECT_EQ(saved.sheets.back()->top(3, 3), EdgeStyle::Hair);
    // The edge is C3's own: the cell above, never written, is not made for it.
    EXPECT_FALSE(saved.sheets.back()->find(2, 3));
}

TEST_F(ExcelCallsTest, DialogProposesFromTheExportedEstimate) {
    openEstimate();
    doc->setPathName(exeDir / "工事.mes", false);
    std::string shown;
    backend.expectDialog([&](kiv::ui::headless::DialogDriver& d) {
        shown = d.textUtf8(ExcelDialog::IDC_PATH);
        EXPECT_EQ(d.dialog().isChecked(ExcelDialog::IDC_BIKOU1), 1);
        EXPECT_EQ(d.dialog().isChecked(ExcelDialog::IDC_YOKO), 1);
        d.click(kiv::ui::IDCANCEL);
    }, ExcelDialog::IDD);
    view->onCommand(ID_EXCEL_OUT);
    EXPECT_EQ(shown, (exeDir / "工事.XLSX").string());
    EXPECT_EQ(saves, 0);
    EXPECT_FALSE(doc->isModified());
}

TEST_F(ExcelCallsTest, BrowseChoosesTheFileWithoutAskingAgain) {
    openEstimate();
    ASSERT_TRUE(kiv::files::writeFileAtomically(out("chosen.xlsx"), "old"));
    backend.expectFile(out("chosen.xlsx"));
    backend.expectMessageBox(kiv::ui::IDYES, "上書きしますか");   // the file dialog's own question
    backend.expectDialog([](kiv::ui::headless::DialogDriver& d) { d.click(ExcelDialog::IDC_BROWSE).click(kiv::ui::IDOK); },
                         ExcelDialog::IDD);
    view->onCommand(ID_EXCEL_OUT);
    backend.processPending();
    EXPECT_EQ(saves, 1);
    EXPECT_NE(*kiv::files::readFile(out("chosen.xlsx")), "old");
}

} // namespace
} // namespace kivtest
