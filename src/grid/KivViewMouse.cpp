// The mouse in the estimate grid: a click moves the cursor (and appends the row after the item's
// last), a double click opens the calculator on a numeric cell, the right button opens the unit
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

namespace {


// The unit's four bytes: the two halves 11 and 12.

} // namespace

void CKivView::onLButtonDown(unsigned flags, Point p) {
    CKivDoc* d = GetDocument();
    if (!d) {
        View::onLButtonDown(flags, p);
        return;
    }
    m_PendingLead = -1;
    TypedNumCountHere();
    SavePosition1();
    CheckGyouTankaHenkan();
    StoreGyou();
    hideCaret();

    // A later screen row that is hit as well (a point on the line between two rows) wins.
    int hitRow = 0;
    int hitField = 0;
    for (int s = 1; s <= m_VisibleGyou && d->m_TopGyou[0] + s <= d->m_GyouCount + 1; ++s) {
        if (const int f = HitField(s, p)) {
            hitRow = s;
            hitField = f;
        }
    }
    if (hitRow > 0) {
        const int gyou = d->m_TopGyou[0] + hitRow;
        bool take = true;
        d->m_CurGyou[0] = gyou;
        d->m_ScreenGyou[0] = hitRow;
        m_CurField[0] = hitField;
        if (gyou > d->m_GyouCount) {
            // A click on the row after the item's last appends an empty row, cursor on its 記号.
            if (AddGyou()) {
                RenumberStoreGyou();
                MarkChanged();
                CalcFieldPos();
                DrawCurGyou();
                m_CurField[0] = m_FirstField;
            } else {
                take = false;   // the limit message was shown: the cursor stays where it was
            }
        }
        if (take) {
            CalcFieldPos();
            if (m_FieldPos.IsText == 0) {
                LoadGyou();
                m_RecalcAfterClick = true;
                RecalcKoumoku();
                m_RecalcAfterClick = false;
                RedrawGyou();
            }
            LoadGyou();
            SavePosition1();
        }
    }
    RestorePosition1();
    if (hitRow == 0 || d->m_CurGyou[0] != d->m_CurGyou[1])
        LoadGyou();
    CalcFieldPos();
    ResetScrollBarsToRows(m_VisibleGyou);
    SetCaretToField();
    showCaret();
    SetImeForField();
    if (BlockSelectIn(*this))
        BlockSelectStep();
    TypedNumCountHere();
    View::onLButtonDown(flags, p);
}

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
            ResetScrollBarsToRows(m_VisibleGyou);
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
        ResetScrollBarsToRows(m_VisibleGyou);
        SetCaretToField();
        showCaret();
    }
    View::onRButtonDown(flags, p);
}

// ---------------------------------------------------------------------------------------------
// The two-click row range

void CKivView::BlockSelectStep() { BlockSelectStepIn(*this, 9); }
