// The mouse in the estimate grid (a click is the grid's): a double click opens the calculator on a numeric cell, the right button opens the unit
// list or the row's detail dialog; and the two-click row range of the range commands.
#include <algorithm>

#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "grid/BlockSelect.h"
#include "grid/CalcDialog.h"
#include "grid/GridEditRules.h"
#include "grid/KivView.h"
#include "grid/TanniDialog.h"

using namespace kiv::ui;

void CKivView::onLButtonDblClk(unsigned flags, Point p) {
    CKivDoc* d = GetDocument();
    if (d && !BlockSelectIn(*this) && m_FieldPos.IsText == 0) {
        CCalcDialog calc(this);
        if (calc.doModal() == IDOK && PutCalcResult(calc.m_Display)) {
            hideCaret();
            StoreGyou();
            SavePosition1();
            RecalcKoumoku();
            RedrawGyou();
            ResetVScroll(m_VisibleGyou);
            RestorePosition1();
            CalcFieldPos();
            SetCaretToField();
            showCaret();
        }
    }
    View::onLButtonDblClk(flags, p);
}

void CKivView::onRButtonDown(unsigned flags, Point p) {
    CKivDoc* d = GetDocument();
    if (!d) {
        View::onRButtonDown(flags, p);
        return;
    }
    m_PendingLead = -1;
    if (m_CurField[0] == m_FieldNo[4]) {
        CTanniDialog tanni(this);
        if (tanni.doModal() == IDOK && EnsureCursorGyou()) {
            gridedit::WriteTanniText(m_EditGyou, tanni.m_Tanni);
            StoreGyou();
            hideCaret();
            DrawCurGyou();
            MarkChanged();
            NextField();
            SetImeForField();
            SetCaretToField();
            showCaret();
        }
    } else {
        hideCaret();
        SavePosition1();
        StoreGyou();
        // The breakdown given on the row after the item's last is kept: that row joins the item.
        if (EnsureCursorGyou())
            ShowSyousai();
        RecalcKoumoku();
        RedrawGyou();
        RestorePosition1();
        NextField();
        ResetVScroll(m_VisibleGyou);
        SetCaretToField();
        showCaret();
    }
    View::onRButtonDown(flags, p);
}

// ---------------------------------------------------------------------------------------------
// The two-click row range

void CKivView::BlockSelectStep() { BlockSelectStepIn(*this, 9); }
