// The totals window's 編集 and メニュー commands and the right button. The work itself is done on
// this window's document by TotalCommands, and the cell commands by the grid base's routines;
// here only the dialogs, the questions and the redrawing.
#include <algorithm>

#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "grid/GridEditRules.h"
#include "grid/TankaDialogs.h"
#include "grid/TanniDialog.h"
#include "platform/ui/Keys.h"
#include "totals/SyuMoveDialog.h"
#include "totals/TotalDoc.h"
#include "totals/TotalTree.h"
#include "totals/TotalView.h"

using namespace kiv::ui;

void CTotalView::ConnectEditCommands() {
    onCommandId(ID_GYOU_INSERT, [this] { OnGyouInsert(); });
    onCommandId(ID_GYOU_DELETE, [this] { OnGyouDelete(); });
    onCommandId(ID_GYOU_COPY, [] {});     // 行複写 does nothing in the totals
    onCommandId(cmd::EditCopy, [this] { OnEditCopy(); });
    onCommandId(cmd::EditCut, [this] { OnEditCut(); });
    onCommandId(cmd::EditPaste, [this] { OnEditPaste(); });
    onCommandId(cmd::EditUndo, [this] { OnEditUndo(); });
    onCommandId(ID_KOUMOKU_IDOU, [this] { OnKoumokuMove(); });
    onCommandId(ID_KOUMOKU_DELETE, [this] { OnKoumokuDelete(); });
    onCommandId(ID_KOUMOKU_INSERT, [this] { OnKoumokuInsert(); });
    onCommandId(ID_TANKA_COPY, [this] { OnTankaCopy(); });
    onCommandId(ID_TANKA_HENKAN, [this] { OnTankaHenkan(); });
    onCommandId(ID_INSATU_FONT, [] {});   // 印刷フォント指定 does nothing in the totals
    onCommandId(ID_SYOUSAI, [this] { OnSyousai(); });
    onCommandId(ID_FONT_SIZE, [this] { OnFontSize(); });
}

void CTotalView::BeforeCommand() {
    hideCaret();
    StoreCursorGyou();
}

void CTotalView::AfterCommand() {
    CTotalDoc* d = GetDocument();
    if (d) {
        d->SetCurGyou(std::clamp(d->CurGyou(), 1, std::max(1, d->GyouCount())));
        if (d->IsTreeDirty())
            d->updateAllViews(this);
    }
    LoadGyou();
    CalcFieldPos();
    invalidate();
    SetCaretToField();
    showCaret();
}

// ---------------------------------------------------------------------------------------------
// Rows and cells

void CTotalView::OnGyouInsert() {
    if (CTotalDoc* d = GetDocument()) {
        BeforeCommand();
        totalcmd::InsertGyou(*d);
        AfterCommand();
    }
}

void CTotalView::OnGyouDelete() {
    if (CTotalDoc* d = GetDocument()) {
        BeforeCommand();
        totalcmd::DeleteGyou(*d);
        AfterCommand();
    }
}

void CTotalView::OnEditPaste() {
    CTotalDoc* d = GetDocument();
    if (!d)
        return;
    if (g_TotalTankaPastePending == 1) {
        BeforeCommand();
        totalcmd::CellBuffers unused;
        totalcmd::Paste(*d, m_CurField[0], unused);   // the collected unit prices
        AfterCommand();
        return;
    }
    hideCaret();
    PasteCell();
    g_TotalRowPastePending = 0;
    g_TotalTankaPastePending = 0;
    RedrawGyou();
    SetCaretToField();
    showCaret();
}

void CTotalView::OnEditUndo() {
    hideCaret();
    UndoCell();
    RedrawGyou();
    SetCaretToField();
    showCaret();
}

// ---------------------------------------------------------------------------------------------
// Category pages

void CTotalView::ChooseKoumoku(int preset) {
    CTotalDoc* d = GetDocument();
    if (!d)
        return;
    BeforeCommand();
    const int curGyou = d->CurGyou();
    // The titles are brought up to date so that the list shows the pages as they stand.
    d->RebuildKoumokuList();
    d->SetCurGyou(std::clamp(curGyou, 1, std::max(1, d->GyouCount())));
    CSyuMoveDialog dlg(d, this);
    dlg.m_Bun = preset;
    if (dlg.doModal() == IDOK && totalcmd::GoToKoumoku(*d, dlg.m_Bun))
        m_CurField[0] = m_Desc.FirstField;
    AfterCommand();
}

void CTotalView::OnKoumokuMove() { ChooseKoumoku(1); }

void CTotalView::OnKoumokuDelete() {
    CTotalDoc* d = GetDocument();
    if (!d)
        return;
    BeforeCommand();
    if (KivAsk(totalcmd::kAskKoumokuDelete)) {
        totalcmd::DeleteKoumokuHere(*d);
        m_CurField[0] = m_Desc.FirstField;
    }
    AfterCommand();
}

void CTotalView::OnKoumokuInsert() {
    CTotalDoc* d = GetDocument();
    if (!d)
        return;
    BeforeCommand();
    if (KivAsk(totalcmd::kAskKoumokuInsert) && totalcmd::InsertKoumokuHere(*d))
        m_CurField[0] = m_Desc.FirstField;
    AfterCommand();
}

// ---------------------------------------------------------------------------------------------
// Unit prices

void CTotalView::OnTankaCopy() {
    CTotalDoc* d = GetDocument();
    if (!d)
        return;
    BeforeCommand();
    g_TotalTankaPastePending = 0;
    CTankaCopyDialog dlg(this);
    dlg.m_StartGyou = d->CurGyou();
    dlg.m_EndGyou = d->CurGyou();
    dlg.m_Bikou2 = 1;
    if (dlg.doModal() == IDOK)
        totalcmd::CollectTanka(*d, dlg.m_StartGyou, dlg.m_EndGyou, dlg.m_Bikou2);
    AfterCommand();
}

void CTotalView::OnTankaHenkan() {
    CTotalDoc* d = GetDocument();
    if (!d)
        return;
    BeforeCommand();
    CTankaHenkanDialog dlg(this);
    dlg.m_StartBun = d->CurKoumoku();
    dlg.m_Koumoku = d->CurKoumoku();
    dlg.m_AllKoumoku = 0;
    dlg.m_Kakeritu = 1.0;
    dlg.m_OfferEstimateItem = false;
    if (dlg.doModal() == IDOK) {
        g_TotalHenkanBun = dlg.m_StartBun;
        g_TotalHenkanKoumoku = dlg.m_Koumoku;
        g_TotalHenkanAll = dlg.m_AllKoumoku;
        g_TotalHenkanFactor = dlg.m_Kakeritu;
        if (g_TotalHenkanBun < 1)
            KivMessage(totalcmd::kMsgTooSmall);
        else if (KivAsk(totalcmd::kAskHenkan))
            totalcmd::TankaHenkan(*d, g_TotalHenkanBun, g_TotalHenkanKoumoku, g_TotalHenkanAll != 0,
                                  g_TotalHenkanFactor);
    }
    AfterCommand();
}

// ---------------------------------------------------------------------------------------------
// Detail, font and the right button

void CTotalView::OnSyousai() {
    if (CTotalDoc* d = GetDocument()) {
        BeforeCommand();
        totalcmd::ShowSyousai(*d, this);
        AfterCommand();
    }
}

void CTotalView::OnFontSize() {
    if (const std::optional<int> size = gridedit::AskFontSize(this, kDefaultFontSize)) {
        m_FontSize = *size;
        MeasureFont();
    }
    invalidate();
    if (hasFocus()) {
        createSolidCaret(kCaretWidth, m_CharHeight);
        CalcFieldPos();
        SetCaretToField();
        showCaret();
    }
    if (CTotalDoc* d = GetDocument())
        for (View* v : d->views())
            if (auto* tree = dynamic_cast<CTotalTree*>(v))
                tree->Rebuild();
}

void CTotalView::OnRightButton() {
    CTotalDoc* d = GetDocument();
    if (!d)
        return;
    const int field = m_CurField[0];
    if (field == GyouRecord::Tanni) {
        CTanniDialog tanni(this);
        if (tanni.doModal() == IDOK && EnsureCursorGyou()) {
            gridedit::WriteTanniText(m_EditGyou, tanni.m_Tanni);
            StoreGyou();
            hideCaret();
            DrawCurGyou();
            NextField();
            SetCaretToField();
            showCaret();
        }
    } else if (GyouRecord::layout(field).IsText) {
        ChooseKoumoku(d->CurKoumoku());
    } else {
        OnSyousai();
        NextField();
        SetCaretToField();
    }
}
