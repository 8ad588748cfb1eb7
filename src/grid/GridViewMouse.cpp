// The mouse on the grid (the click's hit and the row after the last), the calculator hand-off
// and the one-cell copy, cut, paste and undo.
#include "grid/GridViewBase.h"

#include "estimate/GyouStore.h"
#include "estimate/KivMessage.h"
#include "grid/CalcDialog.h"
#include "grid/GridCell.h"
#include "grid/GridEditRules.h"
#include "platform/text/Number.h"
#include "platform/ui/Keys.h"

// ---------------------------------------------------------------------------------------------
// The mouse and the one-cell copy

int GridViewBase::HitField(int screenRow, kiv::ui::Point p) const {
    const int cw = m_CharWidth;
    const int lh = m_LineHeight;
    for (int f = m_Desc.FirstField; f <= m_Desc.LastField; ++f) {
        if (!IsCursorField(f))
            continue;
        const FieldPos pos = ::CalcFieldPos(*m_Desc.Table, f, screenRow, m_HScrollPairs).Pos;
        if ((pos.X0 - 1) * cw <= p.x && p.x <= (pos.X1 + 1) * cw && pos.Line * lh <= p.y && p.y <= (pos.Line + 1) * lh)
            return f;
    }
    return 0;
}

void GridViewBase::OnNumberCellClicked() {
    LoadGyou();
    RecalcNumberCell();
    RedrawGyou();
    ResetVScroll(m_VisibleGyou);
}

void GridViewBase::onLButtonDown(unsigned flags, kiv::ui::Point p) {
    GyouStore* d = Store();
    if (!d) {
        View::onLButtonDown(flags, p);
        return;
    }
    m_PendingLead = -1;
    CheckTypingCell();
    SavePosition(1);
    OnLeaveCell();
    if (m_Desc.CommitsRowAfterLast || d->CurGyou() <= d->GyouCount())
        StoreGyou();
    hideCaret();
    // A point on the line between two rows hits both: the first one hit wins, or the last.
    int hitRow = 0;
    int hitField = 0;
    for (int s = 1; s <= m_VisibleGyou && d->TopGyou() + s <= d->GyouCount() + 1 &&
                    (hitRow == 0 || m_Desc.ClickOnRuleHitsLowerRow);
         ++s)
        if (const int f = HitField(s, p)) {
            hitRow = s;
            hitField = f;
        }
    if (hitRow > 0) {
        const int gyou = d->TopGyou() + hitRow;
        bool take = true;
        d->SetCurGyou(gyou);
        d->SetScreenGyou(hitRow);
        m_CurField[0] = hitField;
        if (gyou > d->GyouCount()) {
            // A click on the row after the category's last appends an empty row, cursor on the
            // row's first field.
            if (AddGyou()) {
                d->SetCurGyou(d->GyouCount());
                RenumberStoreGyou();
                MarkChanged();
                CalcFieldPos();
                DrawCurGyou();
                m_CurField[0] = m_Desc.FirstField;
            } else {
                take = false;
            }
        }
        if (take) {
            CalcFieldPos();
            if (m_FieldPos.IsText == 0)
                OnNumberCellClicked();
            LoadGyou();
            SavePosition(1);
        }
    }
    RestorePosition(1);
    LoadGyou();
    CalcFieldPos();
    if (m_Desc.BarRangeIsVisibleRows)
        ResetVScroll(m_VisibleGyou);
    SetCaretToField();
    showCaret();
    SetImeForField();
    TakeRangeStep();
    CheckTypingCell();
    View::onLButtonDown(flags, p);
}

void GridViewBase::OnEditCopy() {
    if (!Store())
        return;
    gridedit::CopyCellText(m_EditGyou, m_FieldPos.Offset, m_FieldPos.Width, m_FieldCopyBuf);
}

void GridViewBase::OnEditCut() {
    GyouStore* d = Store();
    if (!d)
        return;
    hideCaret();
    if (!CellEditRefused()) {
        OnEditCopy();
        m_FieldUndoBuf = m_FieldCopyBuf;
        m_FieldUndoCell = CurrentCell();
        ClearField();
        if (m_Desc.CommitsRowAfterLast || d->CurGyou() <= d->GyouCount())
            StoreGyou();
    }
    RedrawGyou();
    CalcFieldPos();
    SetCaretToField();
    showCaret();
}

std::uint64_t GridViewBase::StoreId() const { return reinterpret_cast<std::uintptr_t>(Store()); }

GridViewBase::CellRef GridViewBase::CurrentCell() const {
    const GyouStore* d = Store();
    return {d ? StoreId() : 0, d ? d->CurKoumoku() : 0, d ? d->CurGyou() : 0, m_CurField[0]};
}

bool GridViewBase::PasteCell() {
    if (!gridedit::PasteCellText(m_EditGyou, m_CurField[0], m_FieldPos.IsText != 0, m_FieldCopyBuf))
        return false;
    if (!EnsureCursorGyou())
        return false;
    StoreGyou();
    return true;
}

bool GridViewBase::UndoCell() {
    // Only the cell the text was cut from takes it back.
    if (!(CurrentCell() == m_FieldUndoCell) || m_FieldUndoBuf.find_first_not_of(' ') == std::string::npos)
        return false;
    gridedit::RestoreCellText(m_EditGyou, m_FieldPos.Offset, m_FieldPos.Width, m_FieldUndoBuf);
    StoreGyou();
    return true;
}

// ---------------------------------------------------------------------------------------------
// The calculator

bool GridViewBase::PutCalcResult(const std::string& result) {
    const std::string_view digits = kiv::text::trimBlanks(result);
    if (static_cast<int>(digits.size()) > m_FieldPos.Width) {
        KivMessage("計算結果 " + std::string(digits) + " はこの欄に入りきりません。");
        return false;
    }
    if (!EnsureCursorGyou())
        return false;
    ClearField();
    m_EditGyou.replace(static_cast<std::size_t>(m_FieldPos.Offset + m_FieldPos.Width) - digits.size(), digits.size(),
                       digits);
    MarkChanged();
    return true;
}

void GridViewBase::OpenCalcFromCell(char op) {
    CCalcDialog calc(this);
    calc.m_Display = std::string(kiv::text::trimBlanks(kiv::grid::CellOf(m_EditGyou, m_FieldPos)));
    calc.m_Value = kiv::text::parseDecimal(calc.m_Display);
    calc.m_Op = op;
    if (calc.doModal() != kiv::ui::IDOK)
        return;
    if (!PutCalcResult(calc.m_Display))
        return;
    StoreGyou();
    RecalcNumberCell();
    RedrawGyou();
    NextField();
    SetImeForField();
}

void GridViewBase::CalcOnDoubleClick() {
    GyouStore* d = Store();
    if (!d || m_FieldPos.IsText != 0 || d->CurGyou() > d->GyouCount())
        return;
    CCalcDialog calc(this);
    if (calc.doModal() != kiv::ui::IDOK || !PutCalcResult(calc.m_Display))
        return;
    StoreGyou();
    SavePosition(1);
    RecalcNumberCell();
    RedrawGyou();
    ResetVScroll(m_VisibleGyou);
    SetCaretToField();
    showCaret();
    RestorePosition(1);
}
