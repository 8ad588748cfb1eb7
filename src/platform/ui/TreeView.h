#pragma once
// A tree control as a view: items with CP932 labels under invisible top level, expanded or
// collapsed, one selected item, keyboard and mouse handling as a tree control has it, and
// Enter reported through onReturn. It draws itself through the device context, so an owner
// that paints labels in its own font calls the base paint and then draws over the item
// rectangles it gets from firstVisibleItem / nextVisibleItem / itemTextRect.
#include "platform/ui/Dc.h"
#include "platform/ui/View.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kiv::ui {

using TreeItem = int;   // 0: no item

class TreeView : public View {
public:
    static constexpr TreeItem kRoot = 0;    // parent of the top-level items
    static constexpr TreeItem kLast = -1;   // insert after the last child
    static constexpr TreeItem kFirst = -2;  // insert before the first child
    enum class Expand { Expand, Collapse, Toggle };

    TreeView();

    TreeItem insertItem(const std::string& cp932, TreeItem parent = kRoot, TreeItem after = kLast);
    bool deleteItem(TreeItem item);
    void deleteAllItems();
    bool expand(TreeItem item, Expand how = Expand::Expand);
    bool isExpanded(TreeItem item) const;
    std::string itemText(TreeItem item) const;
    bool setItemText(TreeItem item, const std::string& cp932);
    int count() const { return static_cast<int>(m_Items.size()); }

    TreeItem rootItem() const { return m_Top.empty() ? 0 : m_Top.front(); }
    TreeItem parentItem(TreeItem item) const;
    TreeItem childItem(TreeItem item) const;
    TreeItem nextSiblingItem(TreeItem item) const;
    TreeItem selectedItem() const { return m_Selected; }
    bool selectItem(TreeItem item);

    // Items on screen, top to bottom, and where their labels are.
    TreeItem firstVisibleItem() const;
    TreeItem nextVisibleItem(TreeItem item) const;
    std::optional<Rect> itemTextRect(TreeItem item) const;
    TreeItem hitTest(Point p) const;

    // The colours a label is drawn in: the selection's while the item is selected and shown so.
    struct LabelColors {
        Color back;
        Color text;
    };
    LabelColors labelColors(TreeItem item) const;

    void setBkColor(Color c);
    Color bkColor() const { return m_Back; }
    void setTextColor(Color c);
    Color textColor() const { return m_Text; }
    void setFont(const Font& f);
    const Font& font() const { return m_Font; }
    // Lines and buttons at the top level (as well as below it).
    void setLinesAtRoot(bool on) { m_LinesAtRoot = on; invalidate(); }
    void setShowSelectionAlways(bool on) { m_ShowSelAlways = on; invalidate(); }

    // Enter on the control (the tree's return notification).
    virtual void onReturn() {}
    // The selected item changed; an item is about to expand or collapse.
    virtual void onSelChanged() {}
    virtual void onItemExpanding(TreeItem item) { (void)item; }

    void onDraw(Dc& dc) override;
    void onKeyDown(int vk, int repeat, unsigned flags) override;
    void onLButtonDown(unsigned flags, Point p) override;
    // Default: expands or collapses the item under the point.
    void onLButtonDblClk(unsigned flags, Point p) override;
    void onVScroll(int code, int pos) override;
    bool onMouseWheel(unsigned flags, int delta, Point p) override;
    void onSize(int cx, int cy) override;
    void onSetFocus() override { invalidate(); }
    void onKillFocus() override { invalidate(); }

private:
    struct Node {
        TreeItem parent = 0;
        std::string text;
        std::vector<TreeItem> children;
        bool expanded = false;
    };
    std::vector<TreeItem>& childrenOf(TreeItem parent);
    const std::vector<TreeItem>* childrenOf(TreeItem parent) const;
    std::vector<TreeItem> visibleItems() const;
    int levelOf(TreeItem item) const;
    void measure();
    int rowsPerPage() const;
    void updateScroll();
    void ensureVisible(TreeItem item);

    std::map<TreeItem, Node> m_Items;
    std::vector<TreeItem> m_Top;
    TreeItem m_Selected = 0;
    TreeItem m_Next = 1;
    int m_TopRow = 0;
    int m_ItemHeight = 18, m_CharWidth = 7;
    Color m_Back = kWhite, m_Text = kBlack;
    Font m_Font{"ＭＳ ゴシック", 14, 400};
    bool m_LinesAtRoot = true, m_ShowSelAlways = true;
    static constexpr int kIndent = 19;
};

} // namespace kiv::ui
