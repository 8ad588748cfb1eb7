#include "master/MstTree.h"

#include <algorithm>

#include "master/MstDoc.h"
#include "master/MstView.h"
#include "platform/profile/Profile.h"
#include "platform/text/Cp932.h"
#include "platform/ui/Frame.h"
#include "resources/CommandIds.h"

CMstTree* g_pMstTree = nullptr;

template class TreePaneOf<MstDoc>;

CMstTree::CMstTree()
    : TreePaneOf({.back = kBackColor, .text = kTextColor,
                  .fontSection = "MFont_Size_Section", .fontKey = "MFont_Size"}) {
    // 新分類追加 and 分類名登録 chosen while the tree has the focus run on the grid beside it.
    onCommandId(ID_NEW_BUN, [this] { if (CMstView* g = GridView()) g->OnNewBun(); });
    onCommandId(ID_BUN_TOROKU, [this] { if (CMstView* g = GridView()) g->OnBunToroku(); });
    g_pMstTree = this;
}

CMstTree::~CMstTree() {
    if (g_pMstTree == this)
        g_pMstTree = nullptr;
}

CMstView* CMstTree::GridView() const {
    if (kiv::ui::ChildFrame* frame = parentFrame())
        for (kiv::ui::View* v : frame->views())
            if (auto* grid = dynamic_cast<CMstView*>(v))
                return grid;
    MstDoc* d = GetDocument();
    return d ? d->GetView() : nullptr;
}

std::string CMstTree::RootLabel() const {
    const MstDoc* d = GetDocument();
    if (!d)
        return {};
    return PathLabel(d->GetPathName());
}

void CMstTree::RebuildTitles() {
    MstDoc* d = GetDocument();
    m_Mode = kiv::profile::Profile::user().getString("Select_Section", "Select", "");
    if (CMstView* grid = GridView())
        grid->CallRebuildBunList();
    d->SetMasterPath(kiv::profile::Profile::user().getString(m_Mode == "2" ? "Mmaster_Section" : "Emaster_Section",
                                                             m_Mode == "2" ? "Mmaster_Dat" : "Emaster_Dat", ""));
}

void CMstTree::InsertTitles() {
    const MstDoc* d = GetDocument();
    kiv::ui::TreeItem group = m_hRoot;
    const int count = std::min(d->KoumokuCount() + d->BunListExtra(), static_cast<int>(d->KoumokuNames().size()));
    for (int i = 0; i < count; ++i) {
        m_Text = d->KoumokuNames()[static_cast<std::size_t>(i)];
        if (m_Text.size() == kHeadingLength)
            group = insertItem(m_Text, m_hRoot, kLast);
        else
            insertItem(m_Text, group, kLast);
    }
}

void CMstTree::StoreBeforeSwitch() {
    MstDoc* d = GetDocument();
    CMstView* grid = GridView();
    if (grid && d->CurGyou() <= d->GyouCount())
        grid->StoreGyou();
    d->StoreKoumokuGyou();
}

void CMstTree::ShowPicked(bool byClick) {
    MstDoc* d = GetDocument();
    CMstView* grid = GridView();
    if (d && grid)
        grid->LoadGyou();
    if (byClick) {
        if (grid)
            grid->CallRedrawGyou();
    } else if (d) {
        d->UpdateAllViews();
    }
}
