// Typing into the grid: text at the caret (a double-byte character whole), numbers right-
// aligned as on a calculator, Enter, Backspace, Esc, Delete, the arrows and the keys a grid
// hands to its view.
#include "grid/GridViewBase.h"

#include <algorithm>

#include "estimate/GyouRecord.h"
#include "estimate/GyouStore.h"
#include "grid/GridCell.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"
#include "platform/ui/Keys.h"

void GridViewBase::CheckDbcsAtCaret() {
    const auto pos = static_cast<std::size_t>(m_FieldPos.Offset + m_CaretOfs);
    if (pos >= m_EditGyou.size())
        return;
    const auto c = static_cast<unsigned char>(m_EditGyou[pos]);
    if (c < 0x80 || kiv::text::isHalfKana(c))
        m_IsDbcs = 0;
    else if (kiv::text::isLeadByte(c))
        m_IsDbcs = 1;
}

void GridViewBase::MoveCaretBackOneChar() {
    m_CaretOfs = kiv::grid::CellCaretBack(kiv::grid::CellOf(m_EditGyou, m_FieldPos), m_CaretOfs);
}

void GridViewBase::MoveCaretForwardOneChar() {
    CheckDbcsAtCaret();
    m_CaretOfs = kiv::grid::CellCaretForward(kiv::grid::CellOf(m_EditGyou, m_FieldPos), m_CaretOfs, m_FieldPos.Width,
                                             m_IsDbcs);
}

void GridViewBase::InsertCharAtCaret() {
    if (!kiv::grid::CellInsertChar(m_EditGyou, m_FieldPos, m_CaretOfs, m_TypedChar))
        m_FieldFull = 1;
}

void GridViewBase::DeleteCharAtCaret() {
    CheckDbcsAtCaret();
    kiv::grid::CellDeleteChar(m_EditGyou, m_FieldPos, m_CaretOfs);
}

void GridViewBase::TypeTextByte(unsigned char c) {
    if (m_PendingLead < 0 && kiv::text::isLeadByte(c)) {
        m_PendingLead = c;
        return;
    }
    if (m_PendingLead >= 0) {
        m_TypedChar = (m_PendingLead << 8) | c;
        m_PendingLead = -1;
    } else {
        m_TypedChar = c;
    }
    if (m_CaretOfs + (m_TypedChar > 0xFF ? 2 : 1) > m_FieldPos.Width) {
        m_FieldFull = 1;
        return;
    }
    if (!EnsureCursorGyou())
        return;
    m_FieldFull = 0;
    InsertCharAtCaret();
    DrawCurField();
    StoreGyou();
    MarkChanged();
}

void GridViewBase::AlignNumericInput() {
    m_TypeBuf.push_back(static_cast<char>(m_TypedChar));
    kiv::grid::CellAlignNumeric(m_EditGyou, m_FieldPos, m_TypeBuf);
}

bool GridViewBase::TypeNumericChar() {
    const int typed = m_TypedChar;
    if (typed == '.' && m_PointTyped == 1)
        return false;   // a number has one decimal point
    if (m_TypedCount == 0) {
        if (!EnsureCursorGyou())
            return false;
        ClearField();
        m_TypeBuf.clear();
        DrawCurGyou();
    }
    if (m_TypedCount >= m_FieldPos.Width || (typed == '.' && m_TypedCount == 0 && m_FieldPos.Width < 2)) {
        m_FieldFull = 1;
        return false;
    }
    m_FieldFull = 0;
    if (typed == '.' && m_TypedCount == 0) {
        m_TypedChar = '0';
        AlignNumericInput();
        ++m_TypedCount;
        OnNumberTyped();
        m_TypedChar = '.';
    }
    AlignNumericInput();
    ++m_TypedCount;
    OnNumberTyped();
    if (typed == '.')
        m_PointTyped = 1;
    return true;
}

void GridViewBase::RecalcEnteredNumber() {
    if (GyouStore* d = Store(); d && d->m_CurGyou[0] <= d->m_GyouCount)
        RecalcGyou();
}

void GridViewBase::EnterRules() {
    GyouStore* d = Store();
    if (!d)
        return;
    OnLeaveCell();
    // The empty row after the last becomes a row when something was typed into it.
    if (m_Desc.CommitsRowAfterLast || d->m_CurGyou[0] <= d->m_GyouCount)
        StoreGyou();
    if (TakeRangeStep())
        return;
    hideCaret();
    if (m_FieldPos.IsText == 0) {
        SavePosition(1);
        OnEnterNumber();
        if (d->m_TopGyou[0] + d->m_ScreenGyou[0] > d->m_GyouCount && AddGyou()) {
            std::string edited = m_EditGyou;
            d->m_CurGyou[0] = d->m_GyouCount;
            RenumberStoreGyou();
            if (!m_Desc.EnterAppendsBlankRow) {
                edited.replace(0, 8, m_EditGyou, 0, 8);
                m_EditGyou = edited;
                StoreGyou();
            }
            MarkChanged();
            DrawCurGyou();
        }
        RecalcEnteredNumber();
        RedrawGyou();
        RestorePosition(1);
        CalcFieldPos();
        SetCaretToField();
        showCaret();
    }
    if (m_Desc.EnterFramesRow)
        DrawGyouFramed();
    NextField();
    SetImeForField();
}

void GridViewBase::onChar(unsigned ch, int repeat, unsigned flags) {
    GyouStore* d = Store();
    if (!d) {
        View::onChar(ch, repeat, flags);
        return;
    }
    CheckTypingCell();
    hideCaret();
    const auto c = static_cast<unsigned char>(ch);
    const bool text = m_FieldPos.IsText == 1;
    if (m_PendingLead >= 0 && !(text && kiv::text::isTrailByte(c)))
        m_PendingLead = -1;
    if (text && (m_PendingLead >= 0 || (c >= 0x20 && c != 0x7F))) {
        TypeTextByte(c);
    } else {
        m_TypedChar = c;
        switch (c) {
        case 8:   // Backspace
            if (text && m_CaretOfs > 0) {
                MoveCaretBackOneChar();
                DeleteCharAtCaret();
                m_FieldFull = 0;
                DrawCurField();
                if (m_Desc.StoresAfterDelete && d->CurGyou() <= d->GyouCount())
                    StoreGyou();
            }
            break;
        case 9:
            // Never typed into a text cell: a TAB in a totals row would split a field of its TAB-separated export.
            OnTabKey();
            break;
        case 13:
            EnterRules();
            break;
        case 27:  // Esc
            if (!text) {
                ClearField();
                m_TypedCount = 0;
                m_PointTyped = 0;
                m_FieldFull = 0;
                DrawCurField();
            }
            break;
        default:
            if (text)
                break;
            if ((c >= '0' && c <= '9') || c == '.' || (c == '-' && MinusIsSign())) {
                if (TypeNumericChar()) {
                    DrawCurField();
                    MarkChanged();
                }
            } else if (c == '-') {
                if (m_Desc.MinusSignOnlyOnBlankCell || m_TypedCount == 0)
                    OpenCalcFromCell('-');
            } else if (c == '+' || c == '*' || c == '/') {
                OpenCalcFromCell(static_cast<char>(c));
            }
            break;
        }
    }
    CheckTypingCell();
    SetCaretToField();
    showCaret();
    View::onChar(ch, repeat, flags);
}

bool GridViewBase::MinusIsSign() const {
    if (m_TypedCount != 0)
        return false;
    const std::string_view cell = kiv::grid::CellOf(m_EditGyou, m_FieldPos);
    if (cell.empty() || cell.back() != ' ')
        return false;
    return !m_Desc.MinusSignOnlyOnBlankCell || kiv::text::trimBlanks(cell).empty();
}

void GridViewBase::onKeyDown(int vk, int repeat, unsigned flags) {
    using namespace kiv::ui;
    GyouStore* d = Store();
    if (!d) {
        View::onKeyDown(vk, repeat, flags);
        return;
    }
    m_PendingLead = -1;
    CheckTypingCell();
    CheckDbcsAtCaret();
    const bool picking = PickingRangeEnd();
    // The row the cursor leaves by Up or Down: recalculated and framed again, or, while a
    // range waits for its end row, only stored so that its start row stays drawn as it is.
    auto leaveRow = [&](bool framed) {
        if (picking) {
            StoreGyou();
            return;
        }
        OnLeaveCell();
        CommitGyou();
        if (framed)
            DrawGyouFramed();
        else
            DrawCurGyou();
    };
    bool caret = true;
    switch (vk) {
    case VK_HOME:
        OnHomeKey();
        caret = m_Desc.CaretOnEveryKey;
        break;
    case VK_LEFT:
        hideCaret();
        if (m_FieldPos.IsText == 1 && m_CaretOfs > 0) {
            MoveCaretBackOneChar();
        } else {
            OnLeaveCell();
            CommitGyou();
            DrawCurGyou();
            PrevField();
            SetImeForField();
        }
        break;
    case VK_RIGHT:
        hideCaret();
        if (m_FieldPos.IsText == 1 && m_FieldPos.X0 + m_CaretOfs <= m_FieldPos.X1) {
            MoveCaretForwardOneChar();
        } else {
            OnLeaveCell();
            CommitGyou();
            DrawCurGyou();
            NextField();
            SetImeForField();
        }
        break;
    case VK_UP:
        hideCaret();
        if (d->ScreenGyou() > 1) {
            leaveRow(true);
            d->SetScreenGyou(d->ScreenGyou() - 1);
            d->SetCurGyou(d->CurGyou() - 1);
            SavePosition(1);
            LoadGyou();
        } else if (d->TopGyou() > 0) {
            leaveRow(true);
            ScrollStepUp();
            SavePosition(1);
        }
        ResetVScroll(m_Desc.BarRangeIsVisibleRows ? m_VisibleGyou : d->GyouCount());
        CalcFieldPos();
        break;
    case VK_DOWN:
        hideCaret();
        if (d->ScreenGyou() < m_VisibleGyou && d->CurGyou() < d->GyouCount()) {
            leaveRow(true);
            d->SetScreenGyou(d->ScreenGyou() + 1);
            d->SetCurGyou(d->CurGyou() + 1);
            SavePosition(1);
            LoadGyou();
        } else if (d->ScreenGyou() >= m_VisibleGyou && d->CurGyou() <= d->GyouCount()) {
            // On the last screen row the grid steps on, the cursor keeping its screen row: from
            // the category's last row that is the empty row after it, which text typed there
            // makes a row.
            leaveRow(false);
            SavePosition(1);
            ScrollStepDown();
        }
        ResetVScroll(m_Desc.BarRangeIsVisibleRows ? m_VisibleGyou : d->GyouCount());
        CalcFieldPos();
        break;
    case VK_DELETE:
        hideCaret();
        if (m_FieldPos.IsText == 0) {
            ClearField();
            m_TypedCount = 0;
            m_PointTyped = 0;
            DrawCurField();
            OnNumberCellCleared();
        } else {
            DeleteCharAtCaret();
            DrawCurField();
        }
        if (m_Desc.StoresAfterDelete && d->CurGyou() <= d->GyouCount())
            StoreGyou();
        break;
    default:
        if (vk >= VK_F1 && vk <= VK_F12)
            OnFunctionKey(vk);
        caret = m_Desc.CaretOnEveryKey;
        break;
    }
    if (caret) {
        SetCaretToField();
        showCaret();
    }
    CheckTypingCell();
    View::onKeyDown(vk, repeat, flags);
}
