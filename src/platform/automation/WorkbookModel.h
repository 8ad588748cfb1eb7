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
#include <ostream>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

namespace kiv::automation {

enum class EdgeStyle : std::uint8_t { None, Thin, Hair };

class SheetModel;

// A cell's text or number format (CP932). The texts live in their sheet's pool, each distinct
// text once, and a cell holds a pointer: a breakdown of 9,999 items is millions of framed cells
// that mostly share a handful of formats and carry no text. Reads like the std::string it holds.
class SheetText {
public:
    SheetText() = default;
    const std::string& str() const { return m_Text ? *m_Text : none(); }
    operator const std::string&() const { return str(); }
    operator std::string_view() const { return str(); }
    bool empty() const { return !m_Text || m_Text->empty(); }
    std::size_t size() const { return str().size(); }

    friend bool operator==(const SheetText& a, std::string_view b) { return std::string_view(a.str()) == b; }
    friend bool operator==(const SheetText& a, const SheetText& b) { return a.str() == b.str(); }
    friend std::string operator+(std::string a, const SheetText& b) { return a += b.str(); }
    friend std::ostream& operator<<(std::ostream& o, const SheetText& t) { return o << t.str(); }

private:
    friend class SheetModel;
    explicit SheetText(const std::string* text) : m_Text(text) {}
    static const std::string& none();
    const std::string* m_Text = nullptr;
};

struct CellModel {
    enum class Kind : std::uint8_t { Empty, Text, Number };
    Kind kind = Kind::Empty;
    bool centred = false;
    int fontSize = 0;      // 0: the workbook's default
    double number = 0;
    SheetText text;        // CP932
    SheetText numberFormat;
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

    // The cells made, for iterating row by row and in each row by column.
    class Cells {
    public:
        bool empty() const { return m_Sheet->m_CellCount == 0; }
        std::size_t size() const { return m_Sheet->m_CellCount; }
        // f(row, col, cell) for every cell, in row order and in each row in column order.
        template <class F>
        void forEach(F f) const {
            const auto& rows = m_Sheet->m_Rows;
            for (std::size_t i = 0; i < rows.size(); ++i)
                if (rows[i])
                    for (const Slot& s : *rows[i])
                        f(static_cast<int>(i) + 1, s.col, s.cell);
        }

    private:
        friend class SheetModel;
        explicit Cells(const SheetModel* s) : m_Sheet(s) {}
        const SheetModel* m_Sheet;
    };
    Cells cells() const { return Cells(this); }
    const CellModel* find(int row, int col) const;
    // The cell, made when it did not exist. The reference (and a pointer find() gave) holds
    // until the next cell is made.
    CellModel& cell(int row, int col);
    // `text` as a cell's text or number format: the sheet's one copy of it.
    SheetText keep(const std::string& text);

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
    // A cell with its four edges (by Side).
    struct Slot {
        CellModel cell;
        int col = 0;
        std::array<EdgeStyle, 4> edges{};
    };
    using Row = std::vector<Slot>;   // sorted by column
    const Slot* findSlot(int row, int col) const;
    // The slot to change, made when missing; a row shared with others is copied first.
    Slot& slot(int row, int col);
    // The cell made when missing, nothing changed.
    void make(int row, int col);
    // A row equal to one of the last distinct rows is made to share it.
    void shareRow(std::size_t index);
    // Row r at index r - 1 (a sheet's rows are numbered from 1 and mostly all used); null for a
    // row without cells. Equal rows share one copy: the page padding of a breakdown is hundreds
    // of thousands of rows that look alike.
    std::vector<std::shared_ptr<Row>> m_Rows;
    std::array<std::shared_ptr<Row>, 8> m_Recent;   // the last distinct rows, to share
    std::size_t m_RecentNext = 0;
    std::size_t m_CellCount = 0;
    std::size_t m_Width = 0;   // the most cells a row has held: room made for each new row
    // The texts the cells point to; shared by copies of the sheet, so their cells stay valid.
    std::shared_ptr<std::unordered_set<std::string>> m_Texts = std::make_shared<std::unordered_set<std::string>>();
};

struct WorkbookModel {
    std::vector<std::shared_ptr<SheetModel>> sheets;
    int sheetsMade = 0;   // for the names "Sheet<n>" of unnamed sheets
    std::shared_ptr<SheetModel> addSheet(std::size_t at);
};

// Writes the workbook as .xlsx: to a temporary file beside `target`, renamed over it, so a
// failure leaves an old file whole and no partial file. False with `error` on failure.
// A workbook of more than `kRowByRowCells` cells is written a row at a time (libxlsxwriter's
// constant-memory mode, its texts stored in the cells rather than in one shared table), so a
// breakdown of thousands of pages is not held twice in memory; smaller ones as they always were.
inline constexpr std::size_t kRowByRowCells = 500000;
bool saveXlsx(const WorkbookModel& wb, const std::string& targetCp932, std::string* error = nullptr);
// Tests only: the cell count above which workbooks are written a row at a time.
void setRowByRowCells(std::size_t cells);

// Tests only: sees every workbook after it was saved.
void setSaveObserver(std::function<void(const WorkbookModel&, const std::string& targetCp932)> observer);

} // namespace kiv::automation
