#pragma once
// The layout of GyouRecord on a character grid: per field its width, screen cells, line, offset,
// kind and flags, one static table per grid view; and the geometry of one field on one screen row
// under horizontal scrolling, which every grid view, the caption drawing and printing compute the
// same way.
//
// Screen lines 0 and 1 are the caption lines; grid row r (from 1) occupies screen lines 2r and
// 2r + 1. Cells are character cells counted from 1.
#include <array>
#include <string>

struct FieldTable {
    // Parallel arrays indexed by field number - 1 (BaseLine by screen row - 1); entries past the
    // last field are zero.
    static constexpr int Size = 108;
    using Column = std::array<int, Size>;

    Column Width{};
    Column XFrom{};       // first cell on screen (0 for hidden fields)
    Column XTo{};         // last cell on screen
    Column Line{};        // 0 upper, 1 lower line of a grid row
    Column BaseLine{};    // first screen line of grid row r at entry r - 1
    Column Offset{};      // byte offset in GyouRecord
    Column IsText{};      // 1 text, 0 number
    Column Shown{};       // 1 shown on the grid when nothing is scrolled away
    Column Skip{};        // 1 the cursor never stops on the field
    Column CommaCells{};  // cells left of a number where its thousands separators are drawn

    // Horizontal scrolling hides pairs of fields from HScrollFirstField on: the run's pairs are
    // fields HScrollFirstField + 2(j - 1) and the one after it, up to HScrollEndField - 1; pair j
    // (from 1) of the scrolling is the j-th of them that the grid shows (a pair the table never
    // shows is passed over, so every step hides something). The fields from HScrollFirstField on
    // move left by the cells the hidden pairs occupied.
    int HScrollFirstField = 0;
    int HScrollEndField = 0;

    // Most pairs that can be scrolled away.
    int maxHScrollPairs() const {
        int pairs = 0;
        for (int f = HScrollFirstField; f > 0 && f + 1 < HScrollEndField; f += 2)
            pairs += Shown[static_cast<std::size_t>(f - 1)] != 0 ? 1 : 0;
        return pairs;
    }
};

// The geometry of the current field on the cursor's screen row.
struct FieldPos {
    int X0 = 0;       // first cell, after horizontal scrolling
    int X1 = 0;       // last cell, after horizontal scrolling
    int Line = 0;     // screen line
    int Line2 = 0;    // copy of Line
    int Width = 0;
    int Offset = 0;   // byte offset in the row
    int IsText = 0;
    int Visible = 0;  // shown under the current horizontal scrolling
    int Skip = 0;
};

// What a view takes over from one geometry computation. Resetting the typing state of the cell
// stays with the view.
struct FieldGeometry {
    FieldPos Pos;
    int CaretOfs = 0;      // caret inside the field in bytes: 0 for text, the width for a number
    int HScrollCells = 0;  // cells freed by the scrolled-away pairs
};

// Whether a field is shown with `hscrollPairs` pairs scrolled away.
bool IsFieldShown(const FieldTable& table, int field, int hscrollPairs);
// Cells freed by `hscrollPairs` scrolled-away pairs.
int HScrollCellsOf(const FieldTable& table, int hscrollPairs);

// The geometry of `field` (1-108) on grid row `screenRow` (1-108) with `hscrollPairs` pairs
// scrolled away (clamped to 0..maxHScrollPairs). Throws std::out_of_range for a field or a screen
// row outside the table.
FieldGeometry CalcFieldPos(const FieldTable& table, int field, int screenRow, int hscrollPairs);
// The same for the caption lines: the line is the field's caption line 0 or 1, every field counts
// as text, and the caret offset stays 0.
FieldGeometry CalcTitleFieldPos(const FieldTable& table, int field, int hscrollPairs);

// The estimate view's table.
extern const FieldTable g_KivFieldTable;
// The 310-byte caption lines of the estimate grid and of the printed estimate, laid out like bytes
// 0-309 of a row: a field's caption is the line's bytes at the field's offset and width. CP932.
// Built during static initialisation: not for use by other static initialisers.
extern const std::string g_KivTitleText;
extern const std::string g_KivPrintTitleText;
// The master view's table: the quantity, amount and symbol columns hidden, the category and row
// number in the first column; and its 310-byte caption line (begins "分類ＮＯ記号"). CP932.
extern const FieldTable g_MstFieldTable;
extern const std::string g_MstTitleText;
// The totals view's table (horizontal scrolling over fields 9-14; fields 33 and 34 five wide) and its
// 310-byte caption line. CP932.
extern const FieldTable g_TotalFieldTable;
extern const std::string g_TotalTitleText;
