#pragma once
// What the spreadsheet stand-in keeps of a workbook: sheets in order, and per sheet its cells
// (value, number format, centring, font size), the cell edges, row heights, column widths and
// page setup. Rows and columns are 1-based.
//
// Edges are kept on the cell they were set on, as the spreadsheet keeps them: a frame styles the
// framed cells alone, never the cell below or to the right of it. Where the neighbour across a
// line already carries its own edge on that line, setting the line changes that edge too, so
// that the line the last setting drew is the one both cells show.
#include <array>
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

    enum Side : std::uint8_t { Top, Bottom, Left, Right };
    EdgeStyle edge(int row, int col, Side side) const;
    EdgeStyle top(int row, int col) const { return edge(row, col, Top); }
    EdgeStyle bottom(int row, int col) const { return edge(row, col, Bottom); }
    EdgeStyle left(int row, int col) const { return edge(row, col, Left); }
    EdgeStyle right(int row, int col) const { return edge(row, col, Right); }
    // One edge of one cell (the cell is made when it did not exist).
    void setEdge(int row, int col, Side side, EdgeStyle s);
    // The four outer edges of the rectangle, each on the rectangle's own cells (inner lines
    // untouched).
    void around(const CellRect& r, EdgeStyle s);

private:
    std::map<std::pair<int, int>, CellModel> m_Cells;
    std::map<std::pair<int, int>, std::array<EdgeStyle, 4>> m_Edges;   // by Side
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

// CP932 as UTF-8 for the saved file; a byte that is no CP932 character becomes U+FFFD.
std::string cp932ToUtf8Lenient(const std::string& cp932);

} // namespace kiv::automation
