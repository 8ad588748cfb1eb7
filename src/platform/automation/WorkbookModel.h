#pragma once
// What the spreadsheet stand-in keeps of a workbook: sheets in order, and per sheet its cells
// (value, number format, centring, font size), the cell edges, row heights, column widths and
// page setup. Rows and columns are 1-based.
//
// Edges are kept as lines between cells, not per cell: the bottom of A1 and the top of A2 are
// one line, so the last setting of either wins and both cells show it.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kiv::automation {

enum class EdgeStyle : std::uint8_t { None, Thin, Hair };

struct CellModel {
    enum class Kind : std::uint8_t { Empty, Text, Number };
    Kind kind = Kind::Empty;
    std::string text;      // CP932
    double number = 0;
    std::string numberFormat;
    bool centred = false;
    int fontSize = 0;      // 0: the workbook's default
};

struct PageSetupModel {
    int orientation = 0;   // 0 not set, 1 portrait, 2 landscape
    int paperSize = 0;     // 0 not set, 9 A4
    bool zoomOff = false;
    int fitToPagesWide = -1;   // -1 not set
    bool fitToPagesTallOff = false;
    std::string printTitleRows;   // "$1:$1" (CP932 as sent)
    std::string centerHeader;
    std::string centerFooter;
    std::optional<double> topMargin, bottomMargin, leftMargin, rightMargin;   // points
};

struct CellRect {
    int row1 = 1, col1 = 1, row2 = 1, col2 = 1;
};

// "A1" (letters, then digits; "$" allowed before either) as row and column; nullopt when not a
// cell name of the sheet's range (columns A..XFD, rows 1..1048576).
std::optional<std::pair<int, int>> parseCellName(const std::string& name);

class SheetModel {
public:
    std::string name;
    PageSetupModel page;
    std::map<int, double> rowHeights;     // points
    std::map<int, double> columnWidths;   // characters

    const std::map<std::pair<int, int>, CellModel>& cells() const { return m_Cells; }
    const CellModel* find(int row, int col) const;
    // The cell, made when it did not exist.
    CellModel& cell(int row, int col);

    EdgeStyle top(int row, int col) const;
    EdgeStyle bottom(int row, int col) const { return top(row + 1, col); }
    EdgeStyle left(int row, int col) const;
    EdgeStyle right(int row, int col) const { return left(row, col + 1); }
    void setTop(int row, int col, EdgeStyle s);
    void setLeft(int row, int col, EdgeStyle s);
    // The four outer edges of the rectangle (inner lines untouched).
    void around(const CellRect& r, EdgeStyle s);

private:
    std::map<std::pair<int, int>, CellModel> m_Cells;
    std::map<std::pair<int, int>, EdgeStyle> m_Horizontal;   // (row, col): the top edge of the cell
    std::map<std::pair<int, int>, EdgeStyle> m_Vertical;     // (row, col): the left edge of the cell
};

struct WorkbookModel {
    std::vector<std::shared_ptr<SheetModel>> sheets;
    int sheetsMade = 0;   // for the names "Sheet<n>" of unnamed sheets
    std::shared_ptr<SheetModel> addSheet(std::size_t at);
};

// Writes the workbook as .xlsx: to a temporary file beside `target`, renamed over it, so a
// failure leaves an old file whole and no partial file. False with `error` on failure.
bool saveXlsx(const WorkbookModel& wb, const std::string& targetCp932, std::string* error = nullptr);

// Tests only: sees every workbook after it was saved.
void setSaveObserver(std::function<void(const WorkbookModel&, const std::string& targetCp932)> observer);

} // namespace kiv::automation
