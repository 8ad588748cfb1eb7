#pragma once
// What every character grid (the estimate's, the master's) does the same way to one cell of the
// row buffer: the caret's steps over single- and double-byte characters, a typed character put in
// at the caret, a character taken out, digits typed into a numeric cell right-aligned; and the
// small drawing helpers the grids share.
#include <string>
#include <string_view>

#include "grid/FieldTable.h"
#include "platform/ui/Dc.h"

namespace kiv::grid {

// Selects a font for a drawing and puts the previous one back when the drawing ends.
class FontScope {
public:
    FontScope(ui::Dc& dc, const ui::Font& f) : m_Dc(dc), m_Old(dc.selectFont(f)) {}
    ~FontScope() { m_Dc.selectFont(m_Old); }
    FontScope(const FontScope&) = delete;
    FontScope& operator=(const FontScope&) = delete;

private:
    ui::Dc& m_Dc;
    ui::Font m_Old;
};

// The characters after the last path separator: the file name a status pane shows.
std::string FileNameOf(const std::string& path);

// The cell's bytes in the row.
std::string_view CellOf(const std::string& row, const FieldPos& pos);
// 2 when a whole double-byte character starts at `pos` of the cell, else 1.
int CellCharBytesAt(std::string_view cell, int pos);
// The caret one character back (over both bytes of a double-byte character).
int CellCaretBack(std::string_view cell, int caret);
// The caret one character forward, not past `width`; `isDbcs` tells whether it passed a
// double-byte character.
int CellCaretForward(std::string_view cell, int caret, int width, int& isDbcs);
// `typed` (a byte, or lead << 8 | trail) put in at the caret, the cell's end giving way (a
// double-byte character pushed half out leaves a blank); the caret moves past it. False, the
// cell unchanged, when it does not fit before the cell's end.
bool CellInsertChar(std::string& row, const FieldPos& pos, int& caret, int typed);
// The character at the caret (both bytes of a double-byte one) out; blanks fill the end.
void CellDeleteChar(std::string& row, const FieldPos& pos, int caret);
// The typed characters of a numeric cell written right-aligned over the cell (the last ones when
// more were typed than it holds).
void CellAlignNumeric(std::string& row, const FieldPos& pos, const std::string& typed);


} // namespace kiv::grid
