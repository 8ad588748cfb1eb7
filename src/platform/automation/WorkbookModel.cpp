// The stand-in's workbook model: cells, edges between cells, sheet names.
#include "platform/automation/WorkbookModel.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <stdexcept>

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

const std::string& SheetText::none() {
    static const std::string none;
    return none;
}

namespace {

bool sameCell(const CellModel& a, const CellModel& b) {
    // Texts and formats live once in the sheet's pool: the same text is the same string.
    return a.kind == b.kind && a.centred == b.centred && a.fontSize == b.fontSize &&
           std::bit_cast<std::uint64_t>(a.number) == std::bit_cast<std::uint64_t>(b.number) &&
           &a.text.str() == &b.text.str() && &a.numberFormat.str() == &b.numberFormat.str();
}

} // namespace

const SheetModel::Slot* SheetModel::findSlot(int row, int col) const {
    if (row < 1 || static_cast<std::size_t>(row) > m_Rows.size() || !m_Rows[static_cast<std::size_t>(row) - 1])
        return nullptr;
    const Row& slots = *m_Rows[static_cast<std::size_t>(row) - 1];
    auto it = std::lower_bound(slots.begin(), slots.end(), col, [](const Slot& s, int c) { return s.col < c; });
    return it != slots.end() && it->col == col ? &*it : nullptr;
}

SheetModel::Slot& SheetModel::slot(int row, int col) {
    if (row < 1)
        throw std::out_of_range("a sheet's rows are numbered from 1");
    const auto index = static_cast<std::size_t>(row) - 1;
    if (index >= m_Rows.size())
        m_Rows.resize(index + 1);
    std::shared_ptr<Row>& ptr = m_Rows[index];
    if (!ptr) {
        // Rows are mostly written top to bottom, a frame making the row below it: the one three
        // above is done by now, as far as anything is ever done (a change later copies it).
        if (index >= 3)
            shareRow(index - 3);
        ptr = std::make_shared<Row>();
        // Rows of a sheet mostly have the same cells: a new row gets room for the widest so
        // far rather than doubling its way there.
        ptr->reserve(m_Width);
    } else if (ptr.use_count() > 1) {
        ptr = std::make_shared<Row>(*ptr);
    }
    Row& slots = *ptr;
    // The cells of a row are mostly made left to right: the end is looked at first.
    auto it = slots.end();
    if (!slots.empty() && slots.back().col >= col) {
        it = std::lower_bound(slots.begin(), slots.end(), col, [](const Slot& s, int c) { return s.col < c; });
        if (it->col == col)
            return *it;
    }
    it = slots.insert(it, Slot{{}, col});
    ++m_CellCount;
    m_Width = std::max(m_Width, slots.size());
    return *it;
}

void SheetModel::make(int row, int col) {
    if (!findSlot(row, col))
        slot(row, col);
}

void SheetModel::shareRow(std::size_t index) {
    std::shared_ptr<Row>& ptr = m_Rows[index];
    if (!ptr || ptr.use_count() > 1)
        return;
    for (const std::shared_ptr<Row>& other : m_Recent) {
        if (!other || other->size() != ptr->size())
            continue;
        const bool same = std::equal(ptr->begin(), ptr->end(), other->begin(), [](const Slot& a, const Slot& b) {
            return a.col == b.col && a.edges == b.edges && sameCell(a.cell, b.cell);
        });
        if (same) {
            ptr = other;
            return;
        }
    }
    ptr->shrink_to_fit();
    m_Recent[m_RecentNext] = ptr;
    m_RecentNext = (m_RecentNext + 1) % m_Recent.size();
}

const CellModel* SheetModel::find(int row, int col) const {
    const Slot* s = findSlot(row, col);
    return s ? &s->cell : nullptr;
}

CellModel& SheetModel::cell(int row, int col) { return slot(row, col).cell; }

SheetText SheetModel::keep(const std::string& text) {
    if (text.empty())
        return SheetText();
    return SheetText(&*m_Texts->insert(text).first);
}

EdgeStyle SheetModel::edge(int row, int col, Side side) const {
    const Slot* s = findSlot(row, col);
    return s ? s->edges[side] : EdgeStyle::None;
}

void SheetModel::setEdge(int row, int col, Side side, EdgeStyle s) {
    slot(row, col).edges[side] = s;
    // The cell across the line, and its edge on the same line.
    static constexpr int kDr[] = {-1, 1, 0, 0};
    static constexpr int kDc[] = {0, 0, -1, 1};
    static constexpr Side kOpposite[] = {Bottom, Top, Right, Left};
    const int r = row + kDr[side], c = col + kDc[side];
    const Slot* across = findSlot(r, c);
    if (across && across->edges[kOpposite[side]] != EdgeStyle::None)
        slot(r, c).edges[kOpposite[side]] = s;
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
