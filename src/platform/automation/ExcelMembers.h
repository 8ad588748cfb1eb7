#pragma once
// The member ids (DISPIDs) of the spreadsheet application's type library that the program
// calls; the stand-in answers exactly these, and the export wrappers send them.
namespace kiv::automation::dispid {

// Application
constexpr int Workbooks = 0x23C;        // get
constexpr int UserControl = 0x4BA;      // put BOOL
constexpr int Quit = 0x12E;             // method
// Workbooks
constexpr int WorkbooksAdd = 0xB5;      // method (Template)
constexpr int WorkbooksClose = 0x115;   // method
// Workbook
constexpr int Worksheets = 0x1EE;       // get
constexpr int SaveAs = 0x11C;           // method, 11 arguments
// Worksheets
constexpr int Count = 0x76;             // get
constexpr int Item = 0xAA;              // get (Index); also Borders.Item
constexpr int WorksheetsAdd = 0xB5;     // method (Before, After, Count, Type)
// Worksheet
constexpr int Name = 0x6E;              // put string
constexpr int PageSetup = 0x3E6;        // get
constexpr int Range = 0xC5;             // get (Cell1, Cell2)
// Range
constexpr int Value2 = 0x56C;
constexpr int NumberFormat = 0xC1;
constexpr int HorizontalAlignment = 0x88;
constexpr int ColumnWidth = 0xF2;
constexpr int RowHeight = 0x110;
constexpr int BorderAround = 0xAD3;     // method (LineStyle, Weight, ColorIndex, Color, ThemeColor)
constexpr int Font = 0x92;              // get
constexpr int Borders = 0x1B3;          // get
// Font
constexpr int Size = 0x68;
// PageSetup
constexpr int Orientation = 0x86;
constexpr int PaperSize = 0x3EF;
constexpr int Zoom = 0x297;
constexpr int FitToPagesWide = 0x3F6;
constexpr int FitToPagesTall = 0x3F5;
constexpr int PrintTitleRows = 0x400;
constexpr int CenterHeader = 0x3F3;
constexpr int CenterFooter = 0x3F2;
constexpr int TopMargin = 0x3E9;
constexpr int BottomMargin = 0x3EA;
constexpr int LeftMargin = 0x3E7;
constexpr int RightMargin = 0x3E8;
// Border
constexpr int Weight = 0x78;

} // namespace kiv::automation::dispid

namespace kiv::automation::xl {
constexpr int Center = -4108;          // HorizontalAlignment
constexpr int Continuous = 1;          // LineStyle
constexpr int Hairline = 1;            // Weight
constexpr int Thin = 2;                // Weight
constexpr int EdgeTop = 8;             // Borders.Item
constexpr int Portrait = 1, Landscape = 2;
constexpr int PaperA4 = 9;
} // namespace kiv::automation::xl
