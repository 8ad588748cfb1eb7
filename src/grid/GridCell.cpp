#include "grid/GridCell.h"

#include <algorithm>

#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "platform/text/Cp932.h"

namespace kiv::grid {

std::string FileNameOf(const std::string& path) {
    const auto cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string_view CellOf(const std::string& row, const FieldPos& pos) {
    return std::string_view(row).substr(static_cast<std::size_t>(pos.Offset), static_cast<std::size_t>(pos.Width));
}

int CellCharBytesAt(std::string_view cell, int pos) {
    const auto p = static_cast<std::size_t>(pos);
    if (p + 1 < cell.size() && text::isLeadByte(static_cast<unsigned char>(cell[p])) && text::isCharBoundary(cell, p))
        return 2;
    return 1;
}

int CellCaretBack(std::string_view cell, int caret) {
    if (caret <= 0)
        return caret;
    const auto target = std::min<std::size_t>(static_cast<std::size_t>(caret - 1), cell.size());
    return static_cast<int>(text::boundaryAtOrBefore(cell, target));
}

int CellCaretForward(std::string_view cell, int caret, int width, int& isDbcs) {
    if (caret >= static_cast<int>(cell.size()))
        return caret;
    const int n = CellCharBytesAt(cell, caret);
    isDbcs = n == 2 ? 1 : 0;
    return std::min(caret + n, width);
}

bool CellInsertChar(std::string& row, const FieldPos& pos, int& caret, int typed) {
    const bool pair = typed > 0xFF;
    const int n = pair ? 2 : 1;
    const int width = pos.Width;
    if (caret < 0 || caret + n > width)
        return false;
    char* cell = row.data() + pos.Offset;
    std::copy_backward(cell + caret, cell + width - n, cell + width);
    if (pair) {
        cell[caret] = static_cast<char>(typed >> 8);
        cell[caret + 1] = static_cast<char>(typed & 0xFF);
    } else {
        cell[caret] = static_cast<char>(typed);
    }
    caret += n;
    const std::string_view shifted = CellOf(row, pos);
    const std::size_t last = shifted.size() - 1;
    if (text::isLeadByte(static_cast<unsigned char>(shifted[last])) && text::isCharBoundary(shifted, last))
        cell[last] = ' ';
    return true;
}

void CellDeleteChar(std::string& row, const FieldPos& pos, int caret) {
    const int width = pos.Width;
    if (caret < 0 || caret >= width)
        return;
    const int n = CellCharBytesAt(CellOf(row, pos), caret);
    char* cell = row.data() + pos.Offset;
    std::copy(cell + caret + n, cell + width, cell + caret);
    std::fill(cell + width - n, cell + width, ' ');
}

void CellAlignNumeric(std::string& row, const FieldPos& pos, const std::string& typed) {
    const auto width = static_cast<std::size_t>(pos.Width);
    std::string cell(width, ' ');
    const std::size_t n = std::min(width, typed.size());
    cell.replace(width - n, n, typed, typed.size() - n, n);
    row.replace(static_cast<std::size_t>(pos.Offset), width, cell);
}


} // namespace kiv::grid
