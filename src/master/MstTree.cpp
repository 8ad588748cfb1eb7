#include "master/MstTree.h"

#include <algorithm>

#include "estimate/KivTree.h"
#include "master/MstDoc.h"
#include "master/MstView.h"
#include "platform/profile/Profile.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"
#include "platform/ui/Frame.h"
#include "resources/CommandIds.h"

CMstTree* g_pMstTree = nullptr;

CMstTree::CMstTree() {
    setBkColor(kBackColor);
    setTextColor(kTextColor);
    setLinesAtRoot(true);
    setShowSelectionAlways(true);
    // 新分類追加 and 分類名登録 chosen while the tree has the focus run on the grid beside it.
    onCommandId(ID_NEW_BUN, [this] { if (CMstView* g = GridView()) g->OnNewBun(); });
    onCommandId(ID_BUN_TOROKU, [this] { if (CMstView* g = GridView()) g->OnBunToroku(); });
    g_pMstTree = this;
}

CMstTree::~CMstTree() {
    if (g_pMstTree == this)
        g_pMstTree = nullptr;
}

MstDoc* CMstTree::GetDocument() const { return dynamic_cast<MstDoc*>(document()); }

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
    auto cp932 = kiv::text::utf8ToCp932(d->GetPathName());
    return cp932 ? *cp932 : d->GetPathName();
}

void CMstTree::ReadFontSize() {
    m_FontSize = kiv::profile::Profile::user().getInt("MFont_Size_Section", "MFont_Size", kDefaultFontSize);
    if (m_FontSize < 1)
        m_FontSize = kDefaultFontSize;
}

kiv::ui::Font CMstTree::LabelFont() const { return {"ＭＳ ゴシック", m_FontSize, 400}; }

void CMstTree::FillKoumokuTree() {
    deleteAllItems();
    m_hRoot = 0;
    MstDoc* d = GetDocument();
    if (!d)
        return;
    m_Mode = kiv::profile::Profile::user().getString("Select_Section", "Select", "");
    if (CMstView* grid = GridView())
        grid->CallRebuildBunList();
    d->m_MasterPath = kiv::profile::Profile::user().getString(m_Mode == "2" ? "Mmaster_Section" : "Emaster_Section",
                                                             m_Mode == "2" ? "Mmaster_Dat" : "Emaster_Dat", "");
    ReadFontSize();
    setTextColor(kTextColor);
    setFont(LabelFont());
    m_ItemText = RootLabel();
    m_hRoot = insertItem(m_ItemText, kRoot, kLast);
    kiv::ui::TreeItem group = m_hRoot;
    const int count = std::min(d->m_KoumokuCount + d->m_BunListExtra, static_cast<int>(d->m_KoumokuName.size()));
    for (int i = 0; i < count; ++i) {
        m_ItemText = d->m_KoumokuName[static_cast<std::size_t>(i)];
        if (m_ItemText.size() == kHeadingLength)
            group = insertItem(m_ItemText, m_hRoot, kLast);
        else
            insertItem(m_ItemText, group, kLast);
    }
    expand(m_hRoot, Expand::Expand);
}

void CMstTree::onInitialUpdate() {
    TreeView::onInitialUpdate();
    setBkColor(kBackColor);
    FillKoumokuTree();
    if (MstDoc* d = GetDocument())
        d->m_TreeDirty = 0;
}

void CMstTree::onUpdate(kiv::ui::View*, long) {
    setBkColor(kBackColor);
    MstDoc* d = GetDocument();
    if (!d || d->m_TreeDirty != 1)
        return;
    FillKoumokuTree();
    d->m_TreeDirty = 0;
}

void CMstTree::SelectBun() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    // A category's label starts with its number; a heading's and the root's do not.
    m_ItemText = itemText(selectedItem());
    const int number =
        kiv::text::parseInt(std::string_view(m_ItemText).substr(0, std::min<std::size_t>(4, m_ItemText.size())));
    if (number != 0)
        m_SelBun = number;
    if (m_SelBun > d->m_KoumokuCount || m_SelBun <= 0)
        m_SelBun = 1;
    // The row being edited goes back first, so nothing typed is lost in the switch.
    CMstView* grid = GridView();
    if (grid && d->m_CurGyou[0] <= d->m_GyouCount)
        grid->StoreGyou();
    d->StoreKoumokuGyou();
    d->m_TreeDirty = 0;
    d->m_CurKoumoku[0] = m_SelBun;
    d->LoadKoumokuGyou();
    d->m_CurGyou[0] = 1;
    d->m_TopGyou[0] = 0;
    d->m_ScreenGyou[0] = 1;
    if (grid)
        grid->LoadGyou();
}

void CMstTree::onReturn() {
    SelectBun();
    if (MstDoc* d = GetDocument())
        d->UpdateAllViews();
    onVScroll(kiv::ui::SB_TOP, 0);
    setScrollPos(kiv::ui::SB_HORZ, 0);
}

void CMstTree::onLButtonDblClk(unsigned flags, kiv::ui::Point p) {
    SelectBun();
    if (CMstView* grid = GridView())
        grid->CallRedrawGyou();
    TreeView::onLButtonDblClk(flags, p);
    onVScroll(kiv::ui::SB_TOP, 0);
    setScrollPos(kiv::ui::SB_HORZ, 0);
}

void CMstTree::onDraw(kiv::ui::Dc& dc) {
    ReadFontSize();
    TreeView::onDraw(dc);
    if (m_FontSize != kDefaultFontSize)
        RedrawTreeLabels(*this, dc, LabelFont(), kBackColor);
}
