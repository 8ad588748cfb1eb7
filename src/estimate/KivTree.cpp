#include "estimate/KivTree.h"

#include <algorithm>

#include "estimate/KivDoc.h"
#include "grid/KivView.h"
#include "grid/KivViewLinks.h"
#include "platform/profile/Profile.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"
#include "platform/ui/Frame.h"

namespace {

// The number of bytes of the UTF-8 sequence that starts with c (1 for a stray byte).
std::size_t utf8Length(unsigned char c) {
    if (c >= 0xF0 && c < 0xF8)
        return 4;
    if (c >= 0xE0)
        return c < 0xF0 ? 3 : 1;
    return c >= 0xC0 ? 2 : 1;
}

// A UTF-8 text as CP932 for a label; a character CP932 cannot hold shows as "?".
std::string labelText(std::string_view utf8) {
    if (auto whole = kiv::text::utf8ToCp932(utf8))
        return *whole;
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = std::min(utf8Length(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
        const auto ch = kiv::text::utf8ToCp932(utf8.substr(i, n));
        out += ch ? *ch : "?";
        i += n;
    }
    return out;
}

} // namespace

CKivTree::CKivTree() {
    setBkColor(kBackColor);
    setTextColor(kTextColor);
    setLinesAtRoot(true);
    setShowSelectionAlways(true);
    onCommandId(ID_NEW_KOUMOKU, [this] { OnNewKoumoku(); });
    onCommandId(ID_KOUMOKU_TOROKU, [this] { OnKoumokuToroku(); });
    kiv::grid::SetTreeRebuildHook(&CKivTree::RebuildTreesBeside);
}

CKivDoc* CKivTree::GetDocument() const { return dynamic_cast<CKivDoc*>(document()); }

CKivView* CKivTree::GridView() const {
    if (kiv::ui::ChildFrame* frame = parentFrame())
        for (kiv::ui::View* v : frame->views())
            if (auto* grid = dynamic_cast<CKivView*>(v))
                return grid;
    CKivDoc* d = GetDocument();
    return d ? dynamic_cast<CKivView*>(d->GetView()) : nullptr;
}

void CKivTree::RebuildTreesBeside(kiv::ui::View& gridView) {
    kiv::ui::ChildFrame* frame = gridView.parentFrame();
    if (!frame)
        return;
    for (kiv::ui::View* v : frame->views())
        if (auto* tree = dynamic_cast<CKivTree*>(v))
            tree->Rebuild();
}

std::string CKivTree::KoumokuLabel(std::string_view title) {
    // The head is whole fields; only 規格 may end in the middle of a character.
    if (title.size() <= kLabelHeadLength)
        return kiv::text::fitBytes(title, kLabelLength);
    return std::string(title.substr(0, kLabelHeadLength)) +
           kiv::text::fitBytes(title.substr(kLabelHeadLength), kLabelLength - kLabelHeadLength);
}

std::string CKivTree::RootLabel() const {
    const CKivDoc* d = GetDocument();
    if (!d || d->GetPathName().empty())
        return kiv::text::sj("新規内訳書");
    return labelText(d->GetPathName());
}

void CKivTree::ReadFontSize() {
    m_FontSize = kiv::profile::Profile::user().getInt("Font_Size_Section", "Font_Size", kDefaultFontSize);
    if (m_FontSize < 1)
        m_FontSize = kDefaultFontSize;
}

kiv::ui::Font CKivTree::LabelFont() const { return {"ＭＳ ゴシック", m_FontSize, 400}; }

void CKivTree::FillKoumokuTree() {
    deleteAllItems();
    m_hRoot = 0;
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    if (CKivView* grid = GridView())
        grid->CallRebuildKoumokuList();
    ReadFontSize();
    setTextColor(kTextColor);
    // Rows as high as the labels drawn over them, whatever the grid font size.
    setFont(LabelFont());
    m_Text = RootLabel();
    m_hRoot = insertItem(m_Text, kRoot, kLast);
    const int count = std::min(d->m_KoumokuCount, static_cast<int>(d->m_KoumokuName.size()));
    for (int k = 1; k <= count; ++k) {
        m_Text = KoumokuLabel(d->m_KoumokuName[static_cast<std::size_t>(k - 1)]);
        insertItem(m_Text, m_hRoot, kLast);
    }
    expand(m_hRoot, Expand::Expand);
}

void CKivTree::onInitialUpdate() {
    TreeView::onInitialUpdate();
    setBkColor(kBackColor);
    showScrollBar(kiv::ui::SB_BOTH);
    FillKoumokuTree();
    // 項目名登録 recalculates the current item and refills the tree with fresh titles.
    if (CKivView* grid = GridView())
        grid->CallKoumokuToroku();
    if (CKivDoc* d = GetDocument())
        d->m_TreeDirty = 0;
}

void CKivTree::onUpdate(kiv::ui::View*, long) {
    setBkColor(kBackColor);
    CKivDoc* d = GetDocument();
    if (!d || d->m_TreeDirty != 1)
        return;
    FillKoumokuTree();
    d->m_TreeDirty = 0;
}

void CKivTree::OnNewKoumoku() {
    if (CKivView* grid = GridView())
        grid->CallNewKoumoku();
}

void CKivTree::OnKoumokuToroku() {
    if (CKivView* grid = GridView())
        grid->CallKoumokuToroku();
}

void CKivTree::SelectKoumoku() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    // A child's label starts with its item number; the root's does not, and keeps the last one.
    m_Text = itemText(selectedItem());
    const int number = kiv::text::parseInt(std::string_view(m_Text).substr(0, std::min<std::size_t>(4, m_Text.size())));
    if (number != 0)
        m_SelKoumoku = number;
    if (m_SelKoumoku > d->m_KoumokuCount || m_SelKoumoku <= 0)
        m_SelKoumoku = 1;
    d->StoreKoumokuGyou();
    if (CKivView* grid = GridView())
        grid->CallKoumokuToroku();
    d->m_TreeDirty = 0;
    d->m_CurKoumoku[0] = m_SelKoumoku;
    d->LoadKoumokuGyou();
    d->m_CurGyou[0] = 1;
    d->m_TopGyou[0] = 0;
    d->m_ScreenGyou[0] = 1;
}

void CKivTree::onReturn() {
    SelectKoumoku();
    if (CKivDoc* d = GetDocument())
        d->UpdateAllViews();
    onVScroll(kiv::ui::SB_TOP, 0);
    setScrollPos(kiv::ui::SB_HORZ, 0);
}

void CKivTree::onLButtonDblClk(unsigned flags, kiv::ui::Point p) {
    SelectKoumoku();
    if (CKivView* grid = GridView())
        grid->CallRedrawGyou();
    TreeView::onLButtonDblClk(flags, p);
    onVScroll(kiv::ui::SB_TOP, 0);
    setScrollPos(kiv::ui::SB_HORZ, 0);
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

void CKivTree::onDraw(kiv::ui::Dc& dc) {
    ReadFontSize();
    TreeView::onDraw(dc);
    if (m_FontSize != kDefaultFontSize)
        RedrawTreeLabels(*this, dc, LabelFont(), kBackColor);
}
