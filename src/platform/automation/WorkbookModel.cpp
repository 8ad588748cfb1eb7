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

EdgeStyle SheetModel::edge(int row, int col, Side side) const {
    auto it = m_Edges.find({row, col});
    return it == m_Edges.end() ? EdgeStyle::None : it->second[side];
}

void SheetModel::setEdge(int row, int col, Side side, EdgeStyle s) {
    cell(row, col);
    m_Edges[{row, col}][side] = s;
    // The cell across the line, and its edge on the same line.
    static constexpr int kDr[] = {-1, 1, 0, 0};
    static constexpr int kDc[] = {0, 0, -1, 1};
    static constexpr Side kOpposite[] = {Bottom, Top, Right, Left};
    auto it = m_Edges.find({row + kDr[side], col + kDc[side]});
    if (it != m_Edges.end() && it->second[kOpposite[side]] != EdgeStyle::None)
        it->second[kOpposite[side]] = s;
}

void SheetModel::around(const CellRect& r, EdgeStyle s) {
    for (int c = r.col1; c <= r.col2; ++c) {
        setEdge(r.row1, c, Top, s);
        setEdge(r.row2, c, Bottom, s);
    }
    for (int row = r.row1; row <= r.row2; ++row) {
        setEdge(row, r.col1, Left, s);
        setEdge(row, r.col2, Right, s);
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
