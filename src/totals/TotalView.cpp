#include "totals/TotalView.h"

#include <algorithm>

#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "estimate/KivMessagePass.h"
#include "grid/FieldTable.h"
#include "grid/GridCell.h"
#include "grid/KivViewLinks.h"
#include "platform/ui/Keys.h"
#include "totals/TotalDoc.h"
#include "totals/TotalPrint.h"

CTotalView* g_pTotalView = nullptr;

namespace {

// The totals grid: rows of 36 fields, light-blue cells on a grey client area, dark-blue
// captions. The row rule runs to the last shown field (分類/ＮＯ), so it spans the whole row.
kiv::grid::GridDesc totalsGrid() {
    using kiv::ui::rgb;
    kiv::grid::GridDesc g;
    g.Table = &g_TotalFieldTable;
    g.TitleText = &g_TotalTitleText;
    g.FirstField = CTotalView::m_FirstField;
    g.LastField = CTotalView::m_LastField;
    g.RuleFirstField = GyouRecord::GyouNo;
    g.RuleLastField = CTotalView::m_LastField;
    g.GyouLen = CTotalView::m_GyouLen;
    g.MaxGyou = CTotalDoc::kKoumokuGyouMax;
    g.HScrollRange = 6;   // pairs 0-5: quantity, unit, unit price, amount, remark
    g.PageStep = 5;
    g.Colors.ClientPen = rgb(200, 200, 200);
    g.Colors.ClientFill = rgb(200, 200, 200);
    g.Colors.CellPen = rgb(100, 100, 100);
    g.Colors.CaptionFill = rgb(230, 250, 255);
    g.Colors.CaptionText = rgb(24, 24, 120);
    g.Colors.CaptionRule = rgb(180, 200, 150);
    g.Colors.RowFill = rgb(230, 250, 255);
    g.Colors.RowText = kiv::ui::kBlack;
    g.Colors.RulePen = rgb(180, 200, 150);
    return g;
}

} // namespace

CTotalView::CTotalView() : GridViewBase(totalsGrid()) {
    g_pTotalView = this;
    onCommandId(kiv::ui::cmd::FilePrint, [this] { OnFilePrint(); });
    onCommandId(kiv::ui::cmd::FilePrintPreview, [this] { OnFilePrintPreview(); });
    onCommandId(ID_TEXT_OUT, [this] { OnTextOut(); });
    onCommandId(ID_EXCEL_OUT, [this] { OnExcelOut(); });
    ConnectEditCommands();
}

CTotalView::~CTotalView() {
    if (g_pTotalView == this)
        g_pTotalView = nullptr;
}

CTotalDoc* CTotalView::GetDocument() const {
    if (m_pDoc)
        return m_pDoc;
    return dynamic_cast<CTotalDoc*>(document());
}

GyouStore* CTotalView::Store() const { return GetDocument(); }

void CTotalView::RecalcGyou() {
    CTotalDoc* d = GetDocument();
    if (!d)
        return;
    std::vector<std::string> messages;
    d->CalcGyou(m_EditGyou, messages);
    GyouRecord::fitLength(m_EditGyou);
    StoreGyou();
    // The quantity message can come twice (both tracks): each text once.
    std::vector<std::string> shown;
    for (const std::string& m : messages)
        if (std::find(shown.begin(), shown.end(), m) == shown.end()) {
            shown.push_back(m);
            KivMessage(m);
        }
}

void CTotalView::RecalcKoumoku() {
    CTotalDoc* d = GetDocument();
    if (!d || d->GyouCount() < 1)
        return;
    constexpr int kSlot = 4;
    SavePosition(kSlot);
    KivMessagePass pass;
    const int koumoku = d->CurKoumoku();
    const int last = d->GyouCount();
    std::vector<std::string> messages;
    auto report = [&](int gyou) {
        for (const std::string& m : messages)
            KivRowMessage(m, RowPlace{koumoku, gyou, true});
        messages.clear();
    };
    std::vector<const std::string*> items;
    for (int g = 1; g < last; ++g) {
        d->SetCurGyou(g);
        LoadGyou();
        d->CalcGyou(m_EditGyou, messages);
        StoreGyou();
        report(g);
        items.push_back(&d->WorkGyouAt(g));
    }
    d->SetCurGyou(last);
    LoadGyou();
    d->CalcKoumokuKei(items, m_EditGyou, messages);
    StoreGyou();
    report(last);
    RestorePosition(kSlot);
    LoadGyou();
}

void CTotalView::StoreCursorGyou() {
    CTotalDoc* d = GetDocument();
    if (!d || d->CurGyou() < 1 || d->CurGyou() > d->GyouCount())
        return;
    // Only a buffer that holds the cursor row (its key) goes back: a grid that never loaded the
    // page, or loaded another, writes nothing.
    std::string stored;
    d->GetCurrentGyou(stored);
    const bool keyed = stored.find_first_not_of(' ', 0) < 8;
    if (keyed && m_EditGyou.compare(0, 8, stored, 0, 8) == 0)
        StoreGyou();
}

void CTotalView::UpdateStatusPane() {
    if (CTotalDoc* d = GetDocument())
        kiv::grid::SetStatusPaneText(kPaneFileName, kiv::grid::FileNameOf(d->GetPathName()));
}

void CTotalView::onUpdate(kiv::ui::View* sender, long hint) {
    GridViewBase::onUpdate(sender, hint);
    if (GetDocument()) {
        CalcFieldPos();
        LoadGyou();
    }
}

void CTotalView::onLButtonDblClk(unsigned flags, kiv::ui::Point p) {
    // A number cell: the calculator without an operator.
    if (m_FieldPos.IsText == 0)
        CalcOnDoubleClick();
    GridViewBase::onLButtonDblClk(flags, p);
}

void CTotalView::OnFunctionKey(int vk) {
    using namespace kiv::ui;
    switch (vk) {
    case VK_F1: sendCommand(ID_KOUMOKU_IDOU); break;
    case VK_F2: sendCommand(ID_GYOU_COPY); break;
    case VK_F3: sendCommand(ID_GYOU_INSERT); break;
    case VK_F4: sendCommand(ID_GYOU_DELETE); break;
    case VK_F5: sendCommand(ID_KOUMOKU_INSERT); break;
    case VK_F6: sendCommand(ID_KOUMOKU_DELETE); break;
    case VK_F9: sendCommand(ID_SYOUSAI); break;
    default: break;
    }
}

void CTotalView::onRButtonDown(unsigned flags, kiv::ui::Point p) {
    OnRightButton();
    GridViewBase::onRButtonDown(flags, p);
}
