// The estimate view's members, editing positions, row path, life cycle, backup timer and the old
// electrical conversion command.
#include "grid/KivView.h"

#include <algorithm>

#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "grid/BlockSelect.h"
#include "grid/MojiDialog.h"
#include "grid/PrintedRow.h"
#include "grid/RowClipboard.h"
#include "platform/print/PrintView.h"
#include "platform/ui/App.h"
#include "platform/ui/Document.h"
#include "platform/ui/Frame.h"
#include "resources/CommandIds.h"

namespace {


// Every estimate view in creation order, so that g_pKivView can fall back on the one created
// before the view that goes away.
std::vector<CKivView*>& liveViews() {
    static std::vector<CKivView*> views;
    return views;
}

// The estimate's grid: its field table and caption, fields 3-36, nine column pairs to scroll.
kiv::grid::GridDesc estimateGrid() {
    kiv::grid::GridDesc g;
    g.Table = &g_KivFieldTable;
    g.TitleText = &g_KivTitleText;
    g.FirstField = CKivView::m_FirstField;
    g.LastField = CKivView::m_LastField;
    g.RuleFirstField = GyouRecord::GyouNo;
    g.RuleLastField = CKivView::m_LastField;
    g.GyouLen = CKivView::m_GyouLen;
    g.MaxGyou = CKivView::m_MaxGyou;
    g.HScrollRange = CKivView::m_HScrollRange;
    g.PageStep = 3;
    g.HScrollMovesCursor = false;
    g.CommitsRowAfterLast = true;
    g.StoresAfterDelete = false;
    g.MinusSignOnlyOnBlankCell = true;
    g.CaretOnEveryKey = false;
    g.ClickOnRuleHitsLowerRow = true;
    g.EnterAppendsBlankRow = true;
    g.EnterFramesRow = false;
    g.ShowKeepsCursorRow = true;
    g.BarRangeIsVisibleRows = true;
    g.Colors.ClientPen = kiv::ui::rgb(200, 200, 200);
    g.Colors.CaptionText = kiv::ui::rgb(0, 0, 205);
    g.Colors.RowFill = kiv::ui::kWhite;
    return g;
}

} // namespace

CKivView* g_pKivView = nullptr;
bool g_KivTransferFocus = false;
int g_LastThumbPos = 0;

CKivView::CKivView()
    : GridViewBase(estimateGrid()),
      m_EditGyou2(m_GyouLen, ' '),
      m_DaikaKeys(kDaikaKeyCount),
      m_GroupDigitsBuf(kGroupDigitsBufLength, ' ') {
    m_pMojiDialog = std::make_unique<CMojiDialog>();
    m_Print = MakeKivPrint(*this);
    liveViews().push_back(this);
    g_pKivView = this;
    onCommandId(ID_OLD_DENKI_HENKAN, [this] { OnOldDenkiHenkan(); });
    onCommandId(ID_FONT_SIZE, [this] { OnFontSize(); });
    onCommandId(ID_INSATU_FONT, [this] { OnInsatuFont(); });
    onCommandId(ID_NEW_KOUMOKU, [this] { OnNewKoumoku(); });
    onCommandId(ID_SYOUSAI, [this] { OnSyousai(); });
    onCommandId(ID_KOUMOKU_TOROKU, [this] { OnKoumokuToroku(); });
    onCommandId(ID_KOUMOKU_IDOU, [this] { OnKoumokuMove(); });
    onCommandId(ID_KOUMOKU_INSERT, [this] { OnKoumokuInsert(); });
    onCommandId(ID_KOUMOKU_DELETE, [this] { OnKoumokuDelete(); });
    onCommandId(ID_KOUMOKU_SYUUKEI, [this] { OnKoumokuSyuukei(); });
    onCommandId(ID_GOUKEI_INPUT, [this] { OnGoukeiInput(); });
    onCommandId(ID_EXCEL_OUT, [this] { OnExcelOut(); });
    onCommandId(ID_TEXT_OUT, [this] { OnTextOut(); });
    onCommandId(ID_DAIKA_TEXT_OUT, [this] { OnDaikaTextOut(); });
    onCommandId(ID_DAIKA_EXCEL, [this] { OnDaikaExcel(); });
    onCommandId(ID_BUKAKE_FILE, [this] { OnBukakeFile(); });
    onCommandId(ID_BUKAKE_SELECT, [this] { OnBukakeSelect(); });
    onCommandId(ID_ENZAN, [this] { OnEnzan(); });
    onCommandId(ID_MARUME, [this] { OnMarume(); });
    onCommandId(ID_FUKU_KIRISUTE, [this] { OnFukuKirisute(); });
    onCommandId(ID_ROUMU, [this] { OnRoumu(); });
    onCommandId(ID_FUKUGOU, [this] { OnFukugou(); });
    onCommandId(ID_HYOUSI_FILE, [this] { OnHyousiFile(); });
    onCommandId(ID_HEADDER_FILE, [this] { OnHeadderFile(); });
    onCommandId(ID_SETTEI_FILE, [this] { OnSetteiFile(); });
    onCommandId(ID_ROUMU_FILE, [this] { OnRoumuFile(); });
    onCommandId(ID_ROUMU_YOUSHIKI, [this] { OnRoumuYoushiki(); });
    onCommandId(ID_FUKUGOU_YOUSHIKI, [this] { OnFukugouYoushiki(); });
    onCommandId(kiv::ui::cmd::FilePrint, [this] { OnFilePrint(); });
    onCommandId(kiv::ui::cmd::FilePrintDirect, [this] { OnFilePrintDirect(); });
    onCommandId(kiv::ui::cmd::FilePrintPreview, [this] { OnFilePrintPreview(); });
    onCommandId(ID_GYOU_INSERT, [this] { OnGyouInsert(); });
    onCommandId(ID_GYOU_DELETE, [this] { OnGyouDelete(); });
    onCommandId(ID_GYOU_COPY, [this] { OnGyouCopy(); });
    onCommandId(ID_EDIT_COPY, [this] { OnEditCopy(); });
    onCommandId(ID_EDIT_CUT, [this] { OnEditCut(); });
    onCommandId(ID_EDIT_PASTE, [this] { OnEditPaste(); });
    onCommandId(ID_EDIT_UNDO, [this] { OnEditUndo(); });
    onCommandId(ID_TANKA_COPY, [this] { OnTankaCopy(); });
    onCommandId(ID_TANKA_IREKAE, [this] { OnTankaIrekae(); });
    onCommandId(ID_GYOU_TANKA_HENKAN, [this] { OnGyouTankaHenkan(); });
    onCommandId(ID_TANKA_NO, [this] { OnTankaNo(); });
    onCommandId(ID_HYOUSI, [this] { OnHyousi(); });
    onCommandId(ID_ADRESS, [this] { OnAdress(); });
    onCommandId(ID_HYOUSI_FORM, [this] { OnHyousiForm(); });
    onCommandId(ID_HEDDER, [this] { OnHedder(); });
    onCommandId(ID_ADRESS_FILE, [this] { OnAdressFile(); });
    onCommandId(ID_HYOUSI_CHANGE, [this] { OnHyousiChange(); });
    onCommandId(ID_ADRESS_PRINT_FILE, [this] { OnAdressPrintFile(); });
    onCommandId(ID_SONOTA_ROUMU_DELETE, [this] { OnSonotaRoumuDelete(); });
    onCommandId(ID_BIKOU2_DELETE, [this] { OnBikou2Delete(); });
    onCommandId(ID_HATURI_DELETE, [this] { OnHaturiDelete(); });
    onCommandId(ID_BUKAKE_BIKOU2_DELETE, [this] { OnBukakeBikou2Delete(); });
    onCommandId(ID_SUU_HENKAN, [this] { OnSuuHenkan(); });
    onCommandId(ID_TEKKYO_BUKAKE, [this] { OnTekkyoBukake(); });
    onCommandId(ID_CSV_READ, [this] { OnCsvRead(); });
}

CKivView::~CKivView() {
    ForgetBlockSelectView(*this);
    g_RowClipboard.ForgetView(*this);
    SetDocument(nullptr);
    auto& views = liveViews();
    std::erase(views, this);
    if (g_pKivView == this)
        g_pKivView = views.empty() ? nullptr : views.back();
}

// ---------------------------------------------------------------------------------------------
// The document

CKivDoc* CKivView::GetDocument() const {
    if (m_pDoc)
        return m_pDoc;
    return dynamic_cast<CKivDoc*>(document());
}

void CKivView::SetDocument(CKivDoc* doc) {
    if (m_pDoc && m_pDoc->GetView() == this)
        m_pDoc->SetView(nullptr);
    m_pDoc = doc;
    if (doc)
        doc->SetView(this);
}

void CKivView::CloseDocumentWithoutPrompt() {
    if (kiv::ui::Document* d = document()) {
        d->onCloseDocument();
        return;
    }
    if (CKivDoc* doc = GetDocument()) {
        SetDocument(nullptr);
        doc->OnCloseDocument();
    }
}

// ---------------------------------------------------------------------------------------------
// Row path

void CKivView::RenumberGyou() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    GyouRecord::fitLength(m_EditGyou);
    GyouRecord::writeKey(m_EditGyou, d->CurKoumoku(), d->CurGyou());
    GyouRecord::fillBlankHokyuu(m_EditGyou);
}

void CKivView::Serialize(bool storing) {
    if (storing)
        StoreGyou();
}

// ---------------------------------------------------------------------------------------------
// Life cycle

int CKivView::onCreate() {
    // The grid's font, scroll bars and visible rows are the base's; the estimate adds its
    // document link and the backup timer.
    if (GridViewBase::onCreate() == -1)
        return -1;
    if (CKivDoc* d = GetDocument())
        d->SetView(this);
    setTimer(kBackupTimerId, kBackupIntervalMs);
    return 0;
}

void CKivView::onDestroy() {
    if (CKivDoc* d = GetDocument(); d && d->GetView() == this)
        d->SetView(nullptr);
    View::onDestroy();
}

void CKivView::onShowWindow(bool show) {
    // The grid blanks the cell buffers and, shown, puts the cursor's row at the top of the
    // screen. The text-entry window exists from the first show on; the estimate view never
    // shows it.
    GridViewBase::onShowWindow(show);
    if (show && m_pMojiDialog && !m_pMojiDialog->isCreated())
        m_pMojiDialog->Create();
}

void CKivView::onInitialUpdate() {
    View::onInitialUpdate();
    // The estimate's window fills the main window's client area until the windows are tiled.
    if (kiv::ui::ChildFrame* frame = parentFrame())
        if (kiv::ui::Window* client = frame->parent())
            frame->setGeometry(client->clientRect());
}

void CKivView::onActivateView(bool activate, kiv::ui::View* activated, kiv::ui::View* deactivated) {
    CKivDoc* d = GetDocument();
    // Only the user's own activation starts the next transfer at the cursor again: the focus a
    // transfer gives and the switch back to the master keep transfers in a row in order.
    if (d && activate && !g_KivTransferFocus && m_InsertStarted == 1 && d->CurGyou() > 1) {
        CalcFieldPos();
        LoadGyou();
        m_InsertStarted = 0;
    }
    View::onActivateView(activate, activated, deactivated);
}

void CKivView::OnUpdateCursor() {
    // After a transfer the cursor waits on the quantity of the row it inserted.
    m_CurField[0] = m_InsertStarted == 1 ? GyouRecord::HiroidasiSuu1 : m_FirstField;
    CalcFieldPos();
    SetImeForField();
}

void CKivView::onTimer(int id) {
    // The window layer holds the tick back while a command or a modal dialog runs, so the
    // backup never catches a command half way; it arrives once the program is idle again.
    if (CKivDoc* d = GetDocument())
        d->SaveBkUp();
    View::onTimer(id);
}

// ---------------------------------------------------------------------------------------------
// Printing

CKivPrint& CKivView::Print() { return *m_Print; }

void CKivView::OnFilePrint() { RunKivPrintCommand(Print(), kiv::print::PrintCommand::Print); }

void CKivView::OnFilePrintDirect() { RunKivPrintCommand(Print(), kiv::print::PrintCommand::Direct); }

void CKivView::OnFilePrintPreview() { RunKivPrintCommand(Print(), kiv::print::PrintCommand::Preview); }

void CKivView::BlankTankaIfSuuOne() { ::BlankTankaIfSuuOne(m_EditGyou); }

// ---------------------------------------------------------------------------------------------
// 旧電気積算内訳書を変換

void CKivView::OnOldDenkiHenkan() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    hideCaret();
    SavePosition9();
    switch (d->OldDenkiHenkan()) {
    case KivDenkiHenkan::Cancelled:
        showCaret();
        return;
    case KivDenkiHenkan::Closing:
        CloseDocumentWithoutPrompt();
        return;
    case KivDenkiHenkan::Converted:
        break;
    }
    // The conversion keeps every row in its place: the cursor goes back where it was.
    RestorePosition9();
    d->SetCurGyou(std::clamp(d->CurGyou(), 1, std::max(1, d->GyouCount())));
    CalcFieldPos();
    LoadGyou();
    invalidate();
    updateWindow();
    SetCaretToField();
    showCaret();
}
