#include "platform/ui/TreeView.h"

#include "platform/ui/Keys.h"

#include <algorithm>

namespace kiv::ui {

TreeView::TreeView() { setBackgroundColor(m_Back); }

std::vector<TreeItem>& TreeView::childrenOf(TreeItem parent) {
    return parent == kRoot ? m_Top : m_Items.at(parent).children;
}

const std::vector<TreeItem>* TreeView::childrenOf(TreeItem parent) const {
    if (parent == kRoot)
        return &m_Top;
    auto it = m_Items.find(parent);
    return it == m_Items.end() ? nullptr : &it->second.children;
}

TreeItem TreeView::insertItem(const std::string& cp932, TreeItem parent, TreeItem after) {
    if (parent != kRoot && !m_Items.count(parent))
        return 0;
    TreeItem id = m_Next++;
    m_Items[id] = Node{parent, cp932, {}, false};
    auto& kids = childrenOf(parent);
    if (after == kFirst) {
        kids.insert(kids.begin(), id);
    } else {
        auto it = std::find(kids.begin(), kids.end(), after);
        kids.insert(it == kids.end() ? kids.end() : it + 1, id);
    }
    updateScroll();
    invalidate();
    return id;
}

bool TreeView::deleteItem(TreeItem item) {
    auto it = m_Items.find(item);
    if (it == m_Items.end())
        return false;
    std::vector<TreeItem> kids = it->second.children;
    for (TreeItem k : kids)
        deleteItem(k);
    std::erase(childrenOf(it->second.parent), item);
    if (m_Selected == item)
        m_Selected = 0;
    m_Items.erase(item);
    updateScroll();
    invalidate();
    return true;
}

void TreeView::deleteAllItems() {
    m_Items.clear();
    m_Top.clear();
    m_Selected = 0;
    m_TopRow = 0;
    updateScroll();
    invalidate();
}

bool TreeView::expand(TreeItem item, Expand how) {
    auto it = m_Items.find(item);
    if (it == m_Items.end())
        return false;
    bool on = how == Expand::Expand ? true : how == Expand::Collapse ? false : !it->second.expanded;
    if (on != it->second.expanded && !it->second.children.empty())
        onItemExpanding(item);
    it = m_Items.find(item);
    if (it == m_Items.end())
        return false;
    it->second.expanded = on;
    // A collapsed branch cannot keep the selection inside it.
    if (!on && m_Selected) {
        for (TreeItem p = parentItem(m_Selected); p; p = parentItem(p))
            if (p == item) {
                m_Selected = item;
                break;
            }
    }
    updateScroll();
    invalidate();
    return true;
}

bool TreeView::isExpanded(TreeItem item) const {
    auto it = m_Items.find(item);
    return it != m_Items.end() && it->second.expanded;
}

std::string TreeView::itemText(TreeItem item) const {
    auto it = m_Items.find(item);
    return it == m_Items.end() ? std::string() : it->second.text;
}

bool TreeView::setItemText(TreeItem item, const std::string& cp932) {
    auto it = m_Items.find(item);
    if (it == m_Items.end())
        return false;
    it->second.text = cp932;
    invalidate();
    return true;
}

TreeItem TreeView::parentItem(TreeItem item) const {
    auto it = m_Items.find(item);
    return it == m_Items.end() ? 0 : it->second.parent;
}

TreeItem TreeView::childItem(TreeItem item) const {
    const auto* kids = childrenOf(item);
    return kids && !kids->empty() ? kids->front() : 0;
}

TreeItem TreeView::nextSiblingItem(TreeItem item) const {
    const auto* kids = childrenOf(parentItem(item));
    if (!kids)
        return 0;
    auto it = std::find(kids->begin(), kids->end(), item);
    return it == kids->end() || it + 1 == kids->end() ? 0 : *(it + 1);
}

bool TreeView::selectItem(TreeItem item) {
    if (item != 0 && !m_Items.count(item))
        return false;
    for (TreeItem p = parentItem(item); p; p = parentItem(p))
        m_Items[p].expanded = true;   // selecting shows the item
    bool changed = m_Selected != item;
    m_Selected = item;
    updateScroll();
    ensureVisible(item);
    invalidate();
    if (changed)
        onSelChanged();
    return true;
}

std::vector<TreeItem> TreeView::visibleItems() const {
    std::vector<TreeItem> out;
    std::vector<TreeItem> stack(m_Top.rbegin(), m_Top.rend());
    while (!stack.empty()) {
        TreeItem t = stack.back();
        stack.pop_back();
        out.push_back(t);
        const Node& n = m_Items.at(t);
        if (n.expanded)
            stack.insert(stack.end(), n.children.rbegin(), n.children.rend());
    }
    return out;
}

int TreeView::levelOf(TreeItem item) const {
    int level = 0;
    for (TreeItem p = parentItem(item); p; p = parentItem(p))
        ++level;
    return level;
}

void TreeView::measure() {
    if (auto dc = getDc()) {
        dc->selectFont(m_Font);
        TextMetrics tm = dc->textMetrics();
        m_ItemHeight = tm.height + 4;
        m_CharWidth = tm.aveCharWidth;
    }
}

int TreeView::rowsPerPage() const { return std::max(1, clientRect().height() / std::max(1, m_ItemHeight)); }

void TreeView::updateScroll() {
    int n = static_cast<int>(visibleItems().size());
    int maxTop = std::max(0, n - rowsPerPage());
    m_TopRow = std::clamp(m_TopRow, 0, maxTop);
    setScrollRange(SB_VERT, 0, maxTop);
    setScrollPos(SB_VERT, m_TopRow);
}

void TreeView::ensureVisible(TreeItem item) {
    std::vector<TreeItem> vis = visibleItems();
    auto it = std::find(vis.begin(), vis.end(), item);
    if (it == vis.end())
        return;
    int row = static_cast<int>(it - vis.begin());
    if (row < m_TopRow)
        m_TopRow = row;
    else if (row >= m_TopRow + rowsPerPage())
        m_TopRow = row - rowsPerPage() + 1;
    updateScroll();
}

TreeItem TreeView::firstVisibleItem() const {
    std::vector<TreeItem> vis = visibleItems();
    return m_TopRow < static_cast<int>(vis.size()) ? vis[static_cast<std::size_t>(m_TopRow)] : 0;
}

TreeItem TreeView::nextVisibleItem(TreeItem item) const {
    std::vector<TreeItem> vis = visibleItems();
    auto it = std::find(vis.begin(), vis.end(), item);
    if (it == vis.end() || it + 1 == vis.end())
        return 0;
    int row = static_cast<int>(it - vis.begin()) + 1;
    return row - m_TopRow < rowsPerPage() + 1 ? *(it + 1) : 0;
}

std::optional<Rect> TreeView::itemTextRect(TreeItem item) const {
    std::vector<TreeItem> vis = visibleItems();
    auto it = std::find(vis.begin(), vis.end(), item);
    if (it == vis.end())
        return std::nullopt;
    int row = static_cast<int>(it - vis.begin()) - m_TopRow;
    if (row < 0)
        return std::nullopt;
    int level = levelOf(item) + (m_LinesAtRoot ? 1 : 0);
    int left = level * kIndent + 3;
    int width = static_cast<int>(m_Items.at(item).text.size()) * m_CharWidth + 4;
    return Rect{left, row * m_ItemHeight, left + width, (row + 1) * m_ItemHeight};
}

TreeItem TreeView::hitTest(Point p) const {
    if (p.y < 0)
        return 0;
    std::vector<TreeItem> vis = visibleItems();
    int row = p.y / std::max(1, m_ItemHeight) + m_TopRow;
    return row < static_cast<int>(vis.size()) ? vis[static_cast<std::size_t>(row)] : 0;
}

TreeView::LabelColors TreeView::labelColors(TreeItem item) const {
    const bool selected = item != 0 && item == m_Selected && (hasFocus() || m_ShowSelAlways);
    if (!selected)
        return {m_Back, m_Text};
    return hasFocus() ? LabelColors{rgb(0, 120, 215), kWhite} : LabelColors{rgb(200, 200, 200), m_Text};
}

void TreeView::setBkColor(Color c) {
    m_Back = c;
    setBackgroundColor(c);
    invalidate();
}

void TreeView::setTextColor(Color c) {
    m_Text = c;
    invalidate();
}

void TreeView::setFont(const Font& f) {
    m_Font = f;
    measure();
    updateScroll();
    invalidate();
}

void TreeView::onDraw(Dc& dc) {
    Font oldFont = dc.selectFont(m_Font);
    TextMetrics tm = dc.textMetrics();
    m_ItemHeight = tm.height + 4;
    m_CharWidth = tm.aveCharWidth;
    dc.fillSolidRect(clientRect(), m_Back);
    Pen oldPen = dc.selectPen({PenStyle::Dot, 1, rgb(128, 128, 128)});
    Brush oldBrush = dc.selectBrush(Brush::solid(kWhite));
    std::vector<TreeItem> vis = visibleItems();
    int rows = rowsPerPage() + 1;
    for (int i = m_TopRow; i < static_cast<int>(vis.size()) && i - m_TopRow < rows; ++i) {
        TreeItem item = vis[static_cast<std::size_t>(i)];
        const Node& n = m_Items.at(item);
        Rect label = *itemTextRect(item);
        int level = levelOf(item) + (m_LinesAtRoot ? 1 : 0);
        int midY = label.top + m_ItemHeight / 2;
        if (level > 0) {
            int x = (level - 1) * kIndent + kIndent / 2;
            dc.selectPen({PenStyle::Dot, 1, rgb(128, 128, 128)});
            dc.moveTo(x, label.top);
            dc.lineTo(x, nextSiblingItem(item) ? label.bottom : midY);
            dc.moveTo(x, midY);
            dc.lineTo(label.left - 2, midY);
            if (!n.children.empty()) {
                // The expand button: a box with a minus, or a plus when collapsed.
                dc.selectPen({PenStyle::Solid, 1, rgb(128, 128, 128)});
                dc.rectangle({x - 4, midY - 4, x + 5, midY + 5});
                dc.selectPen({PenStyle::Solid, 1, kBlack});
                dc.moveTo(x - 2, midY);
                dc.lineTo(x + 3, midY);
                if (!n.expanded) {
                    dc.moveTo(x, midY - 2);
                    dc.lineTo(x, midY + 3);
                }
            }
        }
        const LabelColors colors = labelColors(item);
        dc.fillSolidRect(label, colors.back);
        dc.setBkColor(colors.back);
        dc.setTextColor(colors.text);
        dc.textOut(label.left + 2, label.top + 2, n.text);
    }
    dc.selectBrush(oldBrush);
    dc.selectPen(oldPen);
    dc.selectFont(oldFont);
}

void TreeView::onKeyDown(int vk, int, unsigned) {
    std::vector<TreeItem> vis = visibleItems();
    auto it = std::find(vis.begin(), vis.end(), m_Selected);
    int row = it == vis.end() ? -1 : static_cast<int>(it - vis.begin());
    switch (vk) {
    case VK_RETURN: onReturn(); return;
    case VK_UP:
        if (row > 0)
            selectItem(vis[static_cast<std::size_t>(row - 1)]);
        else if (row < 0 && !vis.empty())
            selectItem(vis.front());
        return;
    case VK_DOWN:
        if (row + 1 < static_cast<int>(vis.size()))
            selectItem(vis[static_cast<std::size_t>(row + 1)]);
        return;
    case VK_HOME:
        if (!vis.empty())
            selectItem(vis.front());
        return;
    case VK_END:
        if (!vis.empty())
            selectItem(vis.back());
        return;
    case VK_LEFT:
        if (m_Selected && isExpanded(m_Selected))
            expand(m_Selected, Expand::Collapse);
        else if (parentItem(m_Selected))
            selectItem(parentItem(m_Selected));
        return;
    case VK_RIGHT:
        if (m_Selected && childItem(m_Selected)) {
            if (!isExpanded(m_Selected))
                expand(m_Selected, Expand::Expand);
            else
                selectItem(childItem(m_Selected));
        }
        return;
    default: return;
    }
}

void TreeView::onLButtonDown(unsigned, Point p) {
    TreeItem item = hitTest(p);
    if (!item)
        return;
    auto r = itemTextRect(item);
    int level = levelOf(item) + (m_LinesAtRoot ? 1 : 0);
    int buttonX = (level - 1) * kIndent + kIndent / 2;
    if (level > 0 && childItem(item) && p.x >= buttonX - 6 && p.x <= buttonX + 6 && r) {
        expand(item, Expand::Toggle);
        return;
    }
    selectItem(item);
}

void TreeView::onLButtonDblClk(unsigned, Point p) {
    TreeItem item = hitTest(p);
    if (item && childItem(item))
        expand(item, Expand::Toggle);
}

void TreeView::onVScroll(int code, int pos) {
    int n = static_cast<int>(visibleItems().size());
    int page = rowsPerPage();
    switch (code) {
    case SB_LINEUP: --m_TopRow; break;
    case SB_LINEDOWN: ++m_TopRow; break;
    case SB_PAGEUP: m_TopRow -= page; break;
    case SB_PAGEDOWN: m_TopRow += page; break;
    case SB_THUMBTRACK: case SB_THUMBPOSITION: m_TopRow = pos; break;
    case SB_TOP: m_TopRow = 0; break;
    case SB_BOTTOM: m_TopRow = n; break;
    default: return;
    }
    updateScroll();
    invalidate();
}

bool TreeView::onMouseWheel(unsigned, int delta, Point) {
    onVScroll(delta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    onVScroll(delta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    onVScroll(delta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    return true;
}

void TreeView::onSize(int, int) { updateScroll(); }

} // namespace kiv::ui
