#pragma once
// The run every workbook export shares: a new workbook in the spreadsheet application, the
// export's sheets added after the last one with their page settings, the cells written one at a
// time through one range, and the end (save, hand the application back, quit, release).
//
// The cell operations work on the session's one range, which holds the current cell or cells:
// SetCellText and SetCellNumber select a cell and write it; the other settings act on whatever
// range the last operation left; ReleaseRange ends the cell.
//
// Any failed call throws ExcelCallError. Abandon() then hands the application back without
// saving; nothing is written.
#include <cstdint>
#include <string>

#include "export/excel/ExcelWrappers.h"

namespace kiv::excel {

// The page settings of one added sheet. The exports send them in one of two orders: the
// breakdown's sheet sends its footer right after the first five settings; the others after the
// header (see ExcelSession::SetupPage).
struct SheetPage {
    int orientation = 1;            // 1 portrait, 2 landscape
    std::string printTitleRows;     // CP932; empty: not sent
    std::string header;             // CP932; empty: not sent
    std::string footer;             // CP932; empty: not sent
    bool margins = false;
    double top = 0, bottom = 0, left = 0, right = 0;   // points
    bool footerFirst = false;       // the breakdown's order
};

// The unit-price sheet "代価表" and the totals sheet "内訳書" (their exports come later).
SheetPage unitPriceSheetPage();
SheetPage totalsSheetPage();

class ExcelSession {
public:
    ExcelSession();
    ~ExcelSession();
    ExcelSession(const ExcelSession&) = delete;
    ExcelSession& operator=(const ExcelSession&) = delete;

    // The application, UserControl off, a new workbook and its worksheets.
    void Start();
    // A sheet after the last one; a non-empty name is sent. It becomes the current sheet, its
    // page setup attached.
    void AddSheet(const std::string& nameCp932);
    // The first five page settings: orientation, A4, no zoom, one page wide, any pages tall.
    void SetupPageBase(int orientation);
    void SetFooter(const std::string& cp932);
    void SetPrintTitleRows(const std::string& cp932);
    void SetHeader(const std::string& cp932);
    void SetMargins(double top, double bottom, double left, double right);
    // Every setting of `page` in its order.
    void SetupPage(const SheetPage& page);

    // Saves under `pathCp932`, hands the application back (UserControl on), closes the
    // workbooks when asked (the breakdown does), quits and releases every object.
    void End(const std::string& pathCp932, bool closeWorkbooks);
    // After a failure: UserControl on and Quit, each tried once, failures ignored; every object
    // released. Nothing is saved.
    void Abandon() noexcept;

    // --- Cell operations
    // The cell's range: Worksheet.Range(name, name); `name2` empty means one cell.
    void SelectRange(const std::string& name1, const std::string& name2 = {});
    void SetCellText(const std::string& cell, const std::string& textCp932);
    // The text read as a number into the cell, with "#,###" when it is whole (any size), else
    // `fractionFormat`.
    void SetCellNumber(const std::string& cell, const std::string& text, const char* fractionFormat);
    // The text read as a number into the cell, without a number format.
    void SetCellValue(const std::string& cell, const std::string& text);
    // The number format the whole-number rule picks for the text, on the current range.
    void NumberFormatByRule(const std::string& text, const char* fractionFormat);
    void SetNumberFormat(const std::string& format);
    void FrameCell();
    void ColumnWidth(std::uint32_t characters);
    void RowHeight(std::uint32_t points);
    void Centre();
    void FontSize(int points);
    // A hairline along the top edge of every cell of the range.
    void TopEdgeHairline();
    void ReleaseRange() { m_Range.ReleaseDispatch(); }

    bool started() const { return m_App.attached(); }

private:
    void ReleaseAll() noexcept;
    CExcelApplication m_App;
    CExcelWorkbooks m_Workbooks;
    CExcelWorkbook m_Workbook;
    CExcelWorksheets m_Worksheets;
    CExcelWorksheet m_Worksheet;
    CExcelPageSetup m_PageSetup;
    CExcelRange m_Range;
    Variant m_SizeValue;   // VT_UI4, set before each use
    Variant m_TextArray;   // one row of ten texts; element (0, 0) carries each cell's text
};

// Whether a field's text reads as a whole number (no fractional digits other than 0).
bool IsWholeNumberText(const std::string& text);
// The text read as a number: leading blanks, a sign, digits and one point; empty is 0.
double NumberOfText(const std::string& text);
// "A" and the row: "A12".
std::string CellName(char column, int row);

} // namespace kiv::excel
