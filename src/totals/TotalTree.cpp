#include "totals/TotalTree.h"

#include <algorithm>

#include "platform/text/Cp932.h"
#include "totals/TotalDoc.h"

template class TreePaneOf<CTotalDoc>;

CTotalTree::CTotalTree()
    : TreePaneOf({.back = kBackColor, .text = kTextColor,
                  .fontSection = "TFont_Size_Section", .fontKey = "TFont_Size",
                  .scrollHomeOnPick = false}) {}

void CTotalTree::RebuildTitles() { GetDocument()->RebuildKoumokuList(); }

std::string CTotalTree::RootLabel() const {
    const CTotalDoc* d = GetDocument();
    const std::string path = d ? d->GetPathName() : std::string();
    return path.empty() ? kiv::text::sj("分類集計") : PathLabel(path);
}

void CTotalTree::InsertTitles() {
    const CTotalDoc* d = GetDocument();
    const int count = std::min(d->KoumokuCount(), CTotalDoc::kKoumokuMax);
    for (int k = 1; k <= count; ++k)
        insertItem(d->KoumokuNames()[static_cast<std::size_t>(k - 1)].substr(0, kLabelLength), m_hRoot, kLast);
}

void CTotalTree::StoreBeforeSwitch() {
    CTotalDoc* d = GetDocument();
    d->StoreGridGyou();
    d->StoreKoumokuGyou();
}

void CTotalTree::ShowPicked(bool) {
    if (CTotalDoc* d = GetDocument())
        d->updateAllViews(this);
}
