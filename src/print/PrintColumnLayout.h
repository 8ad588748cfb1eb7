#pragma once
// The printed estimate's table: which row fields print in which columns (character cells of the
// body font), in the landscape and A4 portrait layouts and in the two estimate styles, and the
// geometry of a field on a printed row line or on the caption line.
//
// A printed page is a caption line and a fixed number of row lines (20 landscape, 36 A4
// portrait); line L stands at L x pitch, its text top at trunc(L x pitch + 0.35 x pitch).
// The caption is line 3 and row line k is line 3 + k; on the first page of a job with the cover
// block every line moves down 12 lines (A4: 16).
#include <array>

#include "grid/FieldTable.h"

struct PrintColumnLayout {
    static constexpr int Size = 106;   // fields 1-106, at index field - 1
    using Column = std::array<int, Size>;
    Column Length{};          // characters printed (field 11 prints 4: the whole unit)
    Column XFrom{};           // first and last cell of the column; 0 for fields not printed
    Column XTo{};
    Column ShownRoumu{};      // landscape, labour-posting style
    Column ShownFukugou{};    // landscape, composite-price style
    Column ShownRoumuA4{};
    Column ShownFukugouA4{};
};

extern const PrintColumnLayout g_PrintColumnLayout;

// What the geometry depends on besides the field and the line.
struct PrintLayoutChoice {
    bool a4 = false;            // A4 portrait layout
    bool fukugouStyle = false;  // SekisanYousiki 1
    bool bikou2 = false;        // remarks 2 in the remarks column (landscape)
    bool coverShift = false;    // the cover block stands above the table on this page
};

// Cells of left margin before every column.
constexpr int kPrintLeftMargin = 4;
// The caption's line, without the cover shift.
constexpr int kPrintCaptionLine = 3;

// The field on printed row line `printLine` (1..): cells X0..X1 (margin included), Line, the
// printed Width, Offset, IsText and Skip of the grid's table, Visible from the layout's shown set.
FieldPos CalcPrintFieldPos(int field, int printLine, const PrintLayoutChoice& c);
// The field on the caption line: every field counts as text, and the shown set is always the
// labour-posting set of the layout.
FieldPos CalcPrintTitleFieldPos(int field, const PrintLayoutChoice& c);
// The text top of a printed line.
int PrintTextTop(int line, int pitch);
