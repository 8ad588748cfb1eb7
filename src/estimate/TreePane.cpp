#include "estimate/TreePane.h"

#include <algorithm>

#include "estimate/GyouStore.h"
#include "platform/profile/Profile.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"

TreePane::TreePane(const Style& style) : m_Style(style) {
    setBkColor(m_Style.back);
    setTextColor(m_Style.text);
    setLinesAtRoot(true);
    setShowSelectionAlways(true);
}

void TreePane::ReadFontSize() {
    m_FontSize = kiv::profile::Profile::user().getInt(m_Style.fontSection, m_Style.fontKey, kDefaultFontSize);
    if (m_FontSize < 1)
        m_FontSize = kDefaultFontSize;
}

kiv::ui::Font TreePane::LabelFont() const { return {"ＭＳ ゴシック", m_FontSize, 400}; }

std::string TreePane::PathLabel(std::string_view utf8) { return kiv::text::toCp932Replacing(utf8, "?"); }

void TreePane::onPathNameChanged() {
    if (!m_hRoot)
        return;
    m_Text = RootLabel();
    setItemText(m_hRoot, m_Text);
}

void TreePane::FillKoumokuTree() {
    deleteAllItems();
    m_hRoot = 0;
    if (!Rows())
        return;
    RebuildTitles();
    ReadFontSize();
    setTextColor(m_Style.text);
    // Rows as high as the labels drawn over them, whatever the grid font size.
    setFont(LabelFont());
    m_Text = RootLabel();
    m_hRoot = insertItem(m_Text, kRoot, kLast);
    InsertTitles();
    expand(m_hRoot, Expand::Expand);
}

void TreePane::onInitialUpdate() {
    TreeView::onInitialUpdate();
    setBkColor(m_Style.back);
    if (m_Style.scrollBars)
        showScrollBar(kiv::ui::SB_BOTH);
    FillKoumokuTree();
    AfterFirstFill();
    if (int* dirty = TreeDirty())
        *dirty = 0;
}

void TreePane::onUpdate(kiv::ui::View*, long) {
    setBkColor(m_Style.back);
    int* dirty = TreeDirty();
    if (!dirty || *dirty != 1)
        return;
    FillKoumokuTree();
    *dirty = 0;
}

void TreePane::SelectKoumoku() {
    GyouStore* d = Rows();
    if (!d)
        return;
    // A group's label starts with its number; the root's and a heading's do not, and keep the
    // last one.
    m_Text = itemText(selectedItem());
    const int number = kiv::text::parseInt(std::string_view(m_Text).substr(0, std::min<std::size_t>(4, m_Text.size())));
    if (number != 0)
        m_SelKoumoku = number;
    if (m_SelKoumoku > d->m_KoumokuCount || m_SelKoumoku <= 0)
        m_SelKoumoku = 1;
    // What is being edited goes back first, so nothing typed is lost in the switch.
    StoreBeforeSwitch();
    *TreeDirty() = 0;
    d->m_CurKoumoku[0] = m_SelKoumoku;
    d->LoadKoumokuGyou();
    d->m_CurGyou[0] = 1;
    d->m_TopGyou[0] = 0;
    d->m_ScreenGyou[0] = 1;
}

void TreePane::ScrollHome() {
    onVScroll(kiv::ui::SB_TOP, 0);
    setScrollPos(kiv::ui::SB_HORZ, 0);
}

void TreePane::onReturn() {
    SelectKoumoku();
    ShowPicked(false);
    if (m_Style.scrollHomeOnPick)
        ScrollHome();
}

void TreePane::onLButtonDblClk(unsigned flags, kiv::ui::Point p) {
    SelectKoumoku();
    ShowPicked(true);
    TreeView::onLButtonDblClk(flags, p);
    if (m_Style.scrollHomeOnPick)
        ScrollHome();
}

void RedrawTreeLabels(kiv::ui::TreeView& tree, kiv::ui::Dc& dc, const kiv::ui::Font& font, kiv::ui::Color back) {
    const kiv::ui::Font old = dc.selectFont(font);
    const int right = tree.clientRect().right;
    for (kiv::ui::TreeItem item = tree.firstVisibleItem(); item; item = tree.nextVisibleItem(item)) {
        const auto r = tree.itemTextRect(item);
        if (!r)
            continue;
        dc.fillSolidRect({r->left + 2, r->top, std::max(right, r->right), r->bottom}, back);
        const kiv::ui::TreeView::LabelColors colors = tree.labelColors(item);
        dc.setBkColor(colors.back);
        dc.setTextColor(colors.text);
        dc.textOut(r->left + 2, r->top + 1, tree.itemText(item));
    }
    dc.selectFont(old);
}

void TreePane::onDraw(kiv::ui::Dc& dc) {
    ReadFontSize();
    TreeView::onDraw(dc);
    if (m_FontSize != kDefaultFontSize)
        RedrawTreeLabels(*this, dc, LabelFont(), m_Style.back);
}
