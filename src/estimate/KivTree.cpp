#include "estimate/KivTree.h"

#include <algorithm>

#include "estimate/KivDoc.h"
#include "grid/KivView.h"
#include "grid/KivViewLinks.h"
#include "platform/text/Cp932.h"
#include "platform/ui/Frame.h"

template class TreePaneOf<CKivDoc>;

CKivTree::CKivTree()
    : TreePaneOf({.back = kBackColor, .text = kTextColor,
                  .fontSection = "Font_Size_Section", .fontKey = "Font_Size",
                  .scrollBars = true}) {
    onCommandId(ID_NEW_KOUMOKU, [this] { OnNewKoumoku(); });
    onCommandId(ID_KOUMOKU_TOROKU, [this] { OnKoumokuToroku(); });
    kiv::grid::SetTreeRebuildHook(&CKivTree::RebuildTreesBeside);
}

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
    return PathLabel(d->GetPathName());
}

void CKivTree::RebuildTitles() {
    if (CKivView* grid = GridView())
        grid->CallRebuildKoumokuList();
}

void CKivTree::InsertTitles() {
    const CKivDoc* d = GetDocument();
    const int count = std::min(d->m_KoumokuCount, static_cast<int>(d->m_KoumokuName.size()));
    for (int k = 1; k <= count; ++k) {
        m_Text = KoumokuLabel(d->m_KoumokuName[static_cast<std::size_t>(k - 1)]);
        insertItem(m_Text, m_hRoot, kLast);
    }
}

void CKivTree::AfterFirstFill() { OnKoumokuToroku(); }

void CKivTree::OnNewKoumoku() {
    if (CKivView* grid = GridView())
        grid->CallNewKoumoku();
}

void CKivTree::OnKoumokuToroku() {
    if (CKivView* grid = GridView())
        grid->CallKoumokuToroku();
}

void CKivTree::StoreBeforeSwitch() {
    GetDocument()->StoreKoumokuGyou();
    OnKoumokuToroku();
}

void CKivTree::ShowPicked(bool byClick) {
    if (byClick) {
        if (CKivView* grid = GridView())
            grid->CallRedrawGyou();
    } else if (CKivDoc* d = GetDocument()) {
        d->UpdateAllViews();
    }
}
