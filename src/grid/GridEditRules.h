#pragma once
// Editing rules every grid view (estimate, master, totals) follows when it writes a cell outside
// typing: the 30-character cell buffers of ｺﾋﾟｰ/切り取り/元に戻す, a paste into a text or a number
// cell, the unit chosen in the unit dialog and the screen font size taken from a font dialog.
// Each view keeps its own buffers and rows; the rules are here once.
#include <optional>
#include <string>

namespace kiv::ui {
class Window;
}

namespace gridedit {

constexpr int kCellBufLength = 30;

// The cell's bytes (at most kCellBufLength of them) into `buf`, padded with blanks.
void CopyCellText(std::string& row, int offset, int width, std::string& buf);
// `buf` back over the cell (the row is padded first).
void RestoreCellText(std::string& row, int offset, int width, const std::string& buf);
// A paste of `buf` into `field`: into a text field cut on a character boundary; into a number
// field parsed and right-aligned, refused with a message when it is no number or too wide.
// False (row unchanged) when the buffer is blank or the paste is refused.
bool PasteCellText(std::string& row, int field, bool isText, const std::string& buf);

// The unit dialog's text over the four unit bytes of fields 11 and 12, blanked first so that a
// shorter unit leaves no half of the old one.
void WriteTanniText(std::string& row, const std::string& text);

// The grid font size of a font dialog's height: three quarters of the pixel height, at least 1.
int FontSizeFromHeight(int height);

// 画面フォントサイズ指定, the same for every grid: Yes picks a font (its size is kept), No returns
// to `defaultSize`; either writes the profile integer `section`/`key` (by default
// "Font_Size_Section"/"Font_Size", which all grids read; the master keeps its own) and gives the
// new size. Cancel, or a font dialog closed with Cancel, changes nothing (nullopt).
std::optional<int> AskFontSize(kiv::ui::Window* owner, int defaultSize, const char* section = "Font_Size_Section",
                               const char* key = "Font_Size");

} // namespace gridedit
