#include "master/MstView.h"

#include "estimate/GyouRecord.h"
#include "grid/GridCell.h"
#include "grid/KivViewLinks.h"
#include "master/MstDoc.h"
#include "master/MstFind.h"
#include "master/MstPrint.h"
#include "platform/profile/Profile.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Keys.h"

CMstView* g_pMstView = nullptr;

namespace {

// The master grid: the quantity, amount and symbol columns hidden, horizontal scrolling over
// the remark and rate pairs, cells on pale yellow under a grey caption.
kiv::grid::GridDesc masterGrid() {
    kiv::grid::GridDesc g;
    g.Table = &g_MstFieldTable;
    g.TitleText = &g_MstTitleText;
    g.FirstField = CMstView::m_FirstField;
    g.LastField = CMstView::m_LastField;
    g.RuleFirstField = GyouRecord::GyouNo;
    g.RuleLastField = CMstView::m_LastField;
    g.GyouLen = CMstView::m_GyouLen;
    g.MaxGyou = CMstView::m_MaxGyou;
    g.HScrollRange = CMstView::m_HScrollRange;
    g.PageStep = CMstView::kPageStep;
    return g;   // the default colours are the master's
}

} // namespace

CMstView::CMstView() : GridViewBase(masterGrid()) {
    onCommandId(ID_EDIT_COPY, [this] { OnEditCopy(); });
    onCommandId(ID_EDIT_CUT, [this] { OnEditCut(); NoteCutCell(); });
    onCommandId(ID_SYOUSAI, [this] { OnSyousai(); });
    onCommandId(ID_TENSOU, [this] { OnTensou(); });
    onCommandId(ID_BUBUN_TENSOU, [this] { OnBubunTensou(); });
    m_Print = std::make_unique<CMstPrint>(*this);
    onCommandId(kiv::ui::cmd::FilePrint, [this] { kiv::print::runPrintCommand(Print(), kiv::print::PrintCommand::Print); });
    onCommandId(kiv::ui::cmd::FilePrintDirect, [this] { kiv::print::runPrintCommand(Print(), kiv::print::PrintCommand::Direct); });
    onCommandId(kiv::ui::cmd::FilePrintPreview, [this] { kiv::print::runPrintCommand(Print(), kiv::print::PrintCommand::Preview); });
    onCommandId(ID_INSATU_FONT, [this] { Print().OnInsatuFont(); });
    onCommandId(ID_TANKA_HENKAN, [this] { OnTankaHenkan(); });
    onCommandId(ID_SONOTA_HENKAN, [this] { OnSonotaHenkan(); });
    onCommandId(ID_OLD_DENKI_MASTER, [this] { OnOldDenkiMaster(); });
    onCommandId(ID_BUKAKE_SELECT, [this] { OnBukakeSelect(); });
    onCommandId(ID_TANKA_COPY, [this] { OnTankaCopy(); });
    onCommandId(ID_GYOU_TANKA_HENKAN, [this] { OnGyouTankaHenkan(); });
    onCommandId(ID_MST_CSV_READ, [this] { OnCsvRead(); });
    AddRowCommands();
    g_pMstView = this;
}

CMstView::~CMstView() {
    MstFindViewGone(this);
    ForgetRowCommands();
    Detach();
    if (g_pMstView == this)
        g_pMstView = g_pMstDoc ? g_pMstDoc->GetView() : nullptr;
}

MstDoc* CMstView::GetDocument() const {
    if (m_pDoc)
        return m_pDoc;
    return dynamic_cast<MstDoc*>(document());
}

void CMstView::SetDocument(MstDoc* doc) {
    if (!doc)
        Detach();
    m_pDoc = doc;
    if (doc)
        Attach(doc);
}

void CMstView::Attach(MstDoc* doc) {
    if (m_pAttached != doc)
        Detach();
    m_pAttached = doc;
    doc->SetView(this);
}

void CMstView::Detach() {
    if (m_pAttached && m_pAttached->GetView() == this)
        m_pAttached->SetView(nullptr);
    m_pAttached = nullptr;
}

void CMstView::ForgetDocument(const MstDoc* doc) {
    if (m_pAttached == doc)
        m_pAttached = nullptr;
    if (m_pDoc == doc)
        m_pDoc = nullptr;
}

GyouStore* CMstView::Store() const { return GetDocument(); }

void CMstView::NewGyouDefaults(std::string& row) { GyouRecord::fillBlankHokyuu(row); }

void CMstView::UpdateStatusPane() {
    if (MstDoc* d = GetDocument())
        kiv::grid::SetStatusPaneText(kPaneFileName, kiv::grid::FileNameOf(d->GetPathName()));
}

void CMstView::RecalcGyou() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    {
        // What the row buffer brings is the caller's change; the composite price and the
        // quantities blanked are derived from it (GyouStore::ChangeCount).
        if (d->CurGyou() >= 1 && d->CurGyou() <= d->GyouCount())
            StoreGyou();
        GyouStore::RecalcScope recalc(*d);
        CalcFukugouTanka();
        SavePosition(3);
        // The master keeps no quantities: they are blanked whenever its row is recalculated.
        for (int f = GyouRecord::HiroidasiSuu1; f <= GyouRecord::SekisanSuu2; ++f)
            GyouRecord::blank(m_EditGyou, f);
        StoreGyou();
        RestorePosition(3);
    }
    // A category chosen in the detail dialog that the labour check opened: the row moves now
    // that it is stored; the buffer takes the row that came into its place.
    if (m_PendingBun > 0) {
        const int bun = m_PendingBun;
        m_PendingBun = 0;
        SavePosition(3);
        MoveGyouToBun(bun);
        RestorePosition(3);
        LoadGyou();
    }
}

void CMstView::ReadBunNo() { m_BunNo = GyouRecord::toInt(m_EditGyou, m_BunField); }

// ---------------------------------------------------------------------------------------------
// Life cycle

int CMstView::onCreate() {
    // The grid opens at the estimate's font size (the base reads it); the master's own size is
    // the tree's.
    if (GridViewBase::onCreate() == -1)
        return -1;
    if (MstDoc* d = GetDocument())
        Attach(d);
    return 0;
}

void CMstView::onDestroy() {
    GridViewBase::onDestroy();
    MstDoc* d = GetDocument();
    if (d)
        m_DocPath = d->GetPathName();
    // The master's bulk commands and the estimate's price conversion read the last master here.
    // A window whose master never opened (a damaged file) leaves the entry as it was.
    if (!m_DocPath.empty())
        kiv::profile::Profile::user().writeString("Master_Section", "Master_Dat", m_DocPath);
    Detach();
}

void CMstView::onInitialUpdate() {
    GridViewBase::onInitialUpdate();
    if (kiv::ui::ChildFrame* frame = parentFrame())
        if (kiv::ui::Window* client = frame->parent())
            frame->setGeometry(client->clientRect());
}

void CMstView::onActivateView(bool activate, kiv::ui::View* activated, kiv::ui::View* deactivated) {
    if (MstDoc* d = GetDocument())
        d->NoteKoumokuCountSeen();
    GridViewBase::onActivateView(activate, activated, deactivated);
}
