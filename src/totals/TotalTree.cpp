#include "totals/TotalTree.h"

#include <algorithm>

#include "estimate/KivTree.h"
#include "platform/profile/Profile.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"
#include "totals/TotalDoc.h"

CTotalTree::CTotalTree() {
    setBkColor(kBackColor);
    setTextColor(kTextColor);
    setLinesAtRoot(true);
    setShowSelectionAlways(true);
}

CTotalDoc* CTotalTree::GetDocument() const { return dynamic_cast<CTotalDoc*>(document()); }

void CTotalTree::ReadFontSize() {
    m_FontSize = kiv::profile::Profile::user().getInt("TFont_Size_Section", "TFont_Size", kDefaultFontSize);
    if (m_FontSize < 1)
        m_FontSize = kDefaultFontSize;
}

void CTotalTree::FillKoumokuTree() {
    deleteAllItems();
    m_hRoot = 0;
    CTotalDoc* d = GetDocument();
    if (!d)
        return;
    d->RebuildKoumokuList();
    ReadFontSize();
    setTextColor(kTextColor);
    setFont(LabelFont());
    const std::string path = d->GetPathName();
    m_ItemText = path.empty() ? kiv::text::sj("分類集計") : kiv::text::utf8ToCp932(path).value_or(path);
    m_hRoot = insertItem(m_ItemText, kRoot, kLast);
    const int count = std::min(d->m_KoumokuCount, CTotalDoc::kKoumokuMax);
    for (int k = 1; k <= count; ++k)
        insertItem(d->m_KoumokuName[static_cast<std::size_t>(k - 1)].substr(0, kLabelLength), m_hRoot, kLast);
    expand(m_hRoot, Expand::Expand);
}

void CTotalTree::onInitialUpdate() {
    TreeView::onInitialUpdate();
    setBkColor(kBackColor);
    FillKoumokuTree();
    if (CTotalDoc* d = GetDocument())
        d->m_TreeDirty = 0;
}

void CTotalTree::onUpdate(kiv::ui::View*, long) {
    setBkColor(kBackColor);
    CTotalDoc* d = GetDocument();
    if (!d || d->m_TreeDirty != 1)
        return;
    FillKoumokuTree();
    d->m_TreeDirty = 0;
}

void CTotalTree::SelectKoumoku() {
    CTotalDoc* d = GetDocument();
    if (!d)
        return;
    // A category's label starts with its number; the root's does not.
    m_ItemText = itemText(selectedItem());
    const int number =
        kiv::text::parseInt(std::string_view(m_ItemText).substr(0, std::min<std::size_t>(4, m_ItemText.size())));
    if (number != 0)
        m_CurKoumoku = number;
    if (m_CurKoumoku < 1 || m_CurKoumoku > d->m_KoumokuCount)
        m_CurKoumoku = 1;
    d->StoreGridGyou();
    d->StoreKoumokuGyou();
    d->m_TreeDirty = 0;
    d->m_CurKoumoku[0] = m_CurKoumoku;
    d->LoadKoumokuGyou();
    d->m_CurGyou[0] = 1;
    d->m_TopGyou[0] = 0;
    d->m_ScreenGyou[0] = 1;
}

void CTotalTree::onReturn() {
    SelectKoumoku();
    if (CTotalDoc* d = GetDocument())
        d->updateAllViews(this);
}

void CTotalTree::onLButtonDblClk(unsigned flags, kiv::ui::Point p) {
    SelectKoumoku();
    if (CTotalDoc* d = GetDocument())
        d->updateAllViews(this);
    TreeView::onLButtonDblClk(flags, p);
}

void CTotalTree::onDraw(kiv::ui::Dc& dc) {
    ReadFontSize();
    TreeView::onDraw(dc);
    if (m_FontSize != kDefaultFontSize)
        RedrawTreeLabels(*this, dc, LabelFont(), kBackColor);
}
