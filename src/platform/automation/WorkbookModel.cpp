// The stand-in's workbook model: cells, edges between cells, sheet names.
#include "platform/automation/WorkbookModel.h"

#include <cctype>

namespace kiv::automation {

std::optional<std::pair<int, int>> parseCellName(const std::string& name) {
    std::size_t i = 0;
    if (i < name.size() && name[i] == '$')
        ++i;
    long col = 0;
    std::size_t letters = 0;
    while (i < name.size() && std::isalpha(static_cast<unsigned char>(name[i]))) {
        col = col * 26 + (std::toupper(static_cast<unsigned char>(name[i])) - 'A' + 1);
        ++i;
        if (++letters > 3)
            return std::nullopt;
    }
    if (i < name.size() && name[i] == '$')
        ++i;
    long row = 0;
    std::size_t digits = 0;
    while (i < name.size() && std::isdigit(static_cast<unsigned char>(name[i]))) {
        row = row * 10 + (name[i] - '0');
        ++i;
        if (++digits > 7)
            return std::nullopt;
    }
    if (i != name.size() || letters == 0 || digits == 0 || row < 1 || row > 1048576 || col < 1 || col > 16384)
        return std::nullopt;
    return std::make_pair(static_cast<int>(row), static_cast<int>(col));
}

const CellModel* SheetModel::find(int row, int col) const {
    auto it = m_Cells.find({row, col});
    return it == m_Cells.end() ? nullptr : &it->second;
}

CellModel& SheetModel::cell(int row, int col) { return m_Cells[{row, col}]; }

EdgeStyle SheetModel::top(int row, int col) const {
    auto it = m_Horizontal.find({row, col});
    return it == m_Horizontal.end() ? EdgeStyle::None : it->second;
}

EdgeStyle SheetModel::left(int row, int col) const {
    auto it = m_Vertical.find({row, col});
    return it == m_Vertical.end() ? EdgeStyle::None : it->second;
}

// A line between two cells belongs to both: both are kept so that the file shows it on each.
void SheetModel::setTop(int row, int col, EdgeStyle s) {
    m_Horizontal[{row, col}] = s;
    cell(row, col);
    if (row > 1)
        cell(row - 1, col);
}

void SheetModel::setLeft(int row, int col, EdgeStyle s) {
    m_Vertical[{row, col}] = s;
    cell(row, col);
    if (col > 1)
        cell(row, col - 1);
}

void SheetModel::around(const CellRect& r, EdgeStyle s) {
    for (int c = r.col1; c <= r.col2; ++c) {
        setTop(r.row1, c, s);
        setTop(r.row2 + 1, c, s);
    }
    for (int row = r.row1; row <= r.row2; ++row) {
        setLeft(row, r.col1, s);
        setLeft(row, r.col2 + 1, s);
    }
}

std::shared_ptr<SheetModel> WorkbookModel::addSheet(std::size_t at) {
    auto s = std::make_shared<SheetModel>();
    // Excel's own numbering: the next number not yet given, skipping a name that is in use.
    for (;;) {
        s->name = "Sheet" + std::to_string(++sheetsMade);
        bool used = false;
        for (const auto& o : sheets)
            used = used || o->name == s->name;
        if (!used)
            break;
    }
    if (at > sheets.size())
        at = sheets.size();
    sheets.insert(sheets.begin() + static_cast<std::ptrdiff_t>(at), s);
    return s;
}

} // namespace kiv::automation
