// The shared workbook session and cell operations of the exports.
#include "export/excel/ExcelSession.h"

#include "platform/automation/ExcelMembers.h"
#include "platform/automation/SpreadsheetApp.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"
#include "platform/files/Files.h"

namespace kiv::excel {

namespace xl = automation::xl;

SheetPage unitPriceSheetPage() {
    SheetPage p;
    p.orientation = xl::Portrait;
    p.printTitleRows = "$1:$1";
    p.header = text::sj("&20単　価　表");
    p.footer = text::sj("&P ページ");
    p.margins = true;
    p.top = 80, p.bottom = 60, p.left = 60, p.right = 48;
    return p;
}

SheetPage totalsSheetPage() {
    SheetPage p;
    p.orientation = xl::Portrait;
    p.printTitleRows = "$1:$2";
    p.header = text::sj("&20集  計  表");
    p.footer = text::sj("&P ページ");
    p.margins = true;
    p.top = 80, p.bottom = 48, p.left = 60, p.right = 48;
    return p;
}

bool IsWholeNumberText(const std::string& t) {
    const text::Decimal d = text::parseDecimal(t);
    return d.truncated(0) == d;
}

double NumberOfText(const std::string& t) { return text::parseDecimal(t).toDouble(); }

std::string CellName(char column, int row) { return column + std::to_string(row); }

ExcelSession::ExcelSession() {
    m_SizeValue.vt = automation::VT_UI4;
    m_TextArray = Variant::textArray(1, 10);
}

ExcelSession::~ExcelSession() { ReleaseAll(); }

void ExcelSession::Start() {
    m_App.AttachDispatch(automation::createSpreadsheetApplication());
    m_App.SetUserControl(false);
    m_Workbooks.AttachDispatch(m_App.GetWorkbooks());
    m_Workbook.AttachDispatch(m_Workbooks.Add(Variant::missing()));
    m_Worksheets.AttachDispatch(m_Workbook.GetWorksheets());
}

void ExcelSession::AddSheet(const std::string& nameCp932) {
    const std::int32_t count = m_Worksheets.GetCount();
    CExcelWorksheet last;
    last.AttachDispatch(m_Worksheets.GetItem(Variant::i4(count)));
    m_Worksheet.AttachDispatch(
        m_Worksheets.Add(Variant::missing(), Variant::dispatch(last.dispatch()), Variant::i4(1), Variant::missing()));
    if (!nameCp932.empty())
        m_Worksheet.SetName(nameCp932);
    m_PageSetup.AttachDispatch(m_Worksheet.GetPageSetup());
}

void ExcelSession::SetupPageBase(int orientation) {
    m_PageSetup.SetOrientation(orientation);
    m_PageSetup.SetPaperSize(xl::PaperA4);
    m_PageSetup.SetZoom(Variant::boolean(false));
    m_PageSetup.SetFitToPagesWide(Variant::i2(1));
    m_PageSetup.SetFitToPagesTall(Variant::boolean(false));
}

void ExcelSession::SetFooter(const std::string& cp932) { m_PageSetup.SetCenterFooter(cp932); }
void ExcelSession::SetPrintTitleRows(const std::string& cp932) { m_PageSetup.SetPrintTitleRows(cp932); }
void ExcelSession::SetHeader(const std::string& cp932) { m_PageSetup.SetCenterHeader(cp932); }

void ExcelSession::SetMargins(double top, double bottom, double left, double right) {
    m_PageSetup.SetTopMargin(top);
    m_PageSetup.SetBottomMargin(bottom);
    m_PageSetup.SetLeftMargin(left);
    m_PageSetup.SetRightMargin(right);
}

void ExcelSession::SetupPage(const SheetPage& p) {
    SetupPageBase(p.orientation);
    if (p.footerFirst && !p.footer.empty())
        SetFooter(p.footer);
    if (!p.printTitleRows.empty())
        SetPrintTitleRows(p.printTitleRows);
    if (!p.header.empty())
        SetHeader(p.header);
    if (!p.footerFirst && !p.footer.empty())
        SetFooter(p.footer);
    if (p.margins)
        SetMargins(p.top, p.bottom, p.left, p.right);
}

void ExcelSession::End(const std::string& pathCp932, bool closeWorkbooks) {
    ReleaseRange();
    const Variant m = Variant::missing();
    try {
        m_Workbook.SaveAs(Variant::bstr(pathCp932), m, m, m, m, m, 0, m, m, m, m);
    } catch (const ExcelCallError& e) {
        // "Workbook: <path>\n<reason>": the interface's name goes, the save's words stay.
        const std::string what = e.what();
        const std::size_t colon = what.find(": ");
        throw ExcelSaveError(kiv::files::cannotCreateMessage(colon == std::string::npos ? "" : what.substr(colon + 2)));
    }
    m_App.SetUserControl(true);
    if (closeWorkbooks)
        m_Workbooks.Close();
    m_App.Quit();
    ReleaseAll();
}

void ExcelSession::Abandon() noexcept {
    if (m_App.attached()) {
        try {
            m_App.SetUserControl(true);
        } catch (...) {
        }
        try {
            m_App.Quit();
        } catch (...) {
        }
    }
    ReleaseAll();
}

void ExcelSession::ReleaseAll() noexcept {
    m_Range.ReleaseDispatch();
    m_PageSetup.ReleaseDispatch();
    m_Worksheet.ReleaseDispatch();
    m_Worksheets.ReleaseDispatch();
    m_Workbook.ReleaseDispatch();
    m_Workbooks.ReleaseDispatch();
    m_App.ReleaseDispatch();
}

void ExcelSession::SelectRange(const std::string& name1, const std::string& name2) {
    const std::string& second = name2.empty() ? name1 : name2;
    m_Range.AttachDispatch(m_Worksheet.GetRange(Variant::bstr(name1), Variant::bstr(second)));
}

void ExcelSession::SetCellText(const std::string& cell, const std::string& textCp932) {
    m_TextArray.elements[0] = textCp932;
    SelectRange(cell);
    m_Range.SetValue2(m_TextArray);
}

void ExcelSession::SetCellNumber(const std::string& cell, const std::string& t, const char* fractionFormat) {
    SetCellValue(cell, t);
    NumberFormatByRule(t, fractionFormat);
}

void ExcelSession::SetCellValue(const std::string& cell, const std::string& t) {
    SelectRange(cell);
    m_Range.SetValue2(Variant::r8(NumberOfText(t)));
}

void ExcelSession::NumberFormatByRule(const std::string& t, const char* fractionFormat) {
    SetNumberFormat(IsWholeNumberText(t) ? "#,###" : fractionFormat);
}

void ExcelSession::SetNumberFormat(const std::string& format) { m_Range.SetNumberFormat(Variant::bstr(format)); }

void ExcelSession::FrameCell() {
    m_SizeValue.integer = 1;
    m_Range.BorderAround(m_SizeValue, xl::Thin, 1, m_SizeValue, m_SizeValue);
}

void ExcelSession::ColumnWidth(std::uint32_t characters) {
    m_SizeValue.integer = characters;
    m_Range.SetColumnWidth(m_SizeValue);
}

void ExcelSession::RowHeight(std::uint32_t points) {
    m_SizeValue.integer = points;
    m_Range.SetRowHeight(m_SizeValue);
}

void ExcelSession::Centre() { m_Range.SetHorizontalAlignment(Variant::i2(xl::Center)); }

void ExcelSession::FontSize(int points) {
    CExcelFont font;
    font.AttachDispatch(m_Range.GetFont());
    font.SetSize(Variant::i2(points));
}

void ExcelSession::TopEdgeHairline() {
    CExcelBorders borders;
    borders.AttachDispatch(m_Range.GetBorders());
    CExcelBorder border;
    border.AttachDispatch(borders.GetItem(xl::EdgeTop));
    border.SetWeight(Variant::i2(xl::Hairline));
}

} // namespace kiv::excel
