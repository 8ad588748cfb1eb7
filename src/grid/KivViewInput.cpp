// Typing into the estimate grid and its keys: text and numeric cells, Enter, Backspace, Esc,
// Delete, the arrow keys and the function keys that start row and item commands.
#include <algorithm>

#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "grid/BlockSelect.h"
#include "grid/CalcDialog.h"
#include "grid/GridCell.h"
#include "grid/KivView.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"
#include "platform/ui/Keys.h"

using namespace kiv::ui;

namespace {

const char* const kMsgFukuHyouji = "常時複合単価表示になっています。詳細で入力してください。";
const char* const kMsgZaiGoukei = "複数の材料が登録されています。詳細で入力してください。";

bool isDigit(unsigned c) { return c >= '0' && c <= '9'; }

} // namespace

// ---------------------------------------------------------------------------------------------
// The cell under the caret

CKivView::TypedCell CKivView::CursorCell() const {
    const CKivDoc* d = GetDocument();
    if (!d)
        return {};
    return {d->m_CurKoumoku[0], d->m_CurGyou[0], m_CurField[0]};
}

int CKivView::TypedNumCountHere() {
    if (!(m_TypedNumCell == CursorCell()))
        m_TypedNumCount = 0;
    return m_TypedNumCount;
}

void CKivView::NoteTypedNum() {
    TypedNumCountHere();
    m_TypedNumCell = CursorCell();
    ++m_TypedNumCount;
}

void CKivView::OnNumberTyped() { NoteTypedNum(); }

void CKivView::MarkChanged() {
    if (CKivDoc* d = GetDocument())
        d->m_NeedRecalc = 1;
}

// ---------------------------------------------------------------------------------------------
// Characters of a text cell. Boundaries come from a scan from the cell's first byte, so a
// double-byte character is always moved over, deleted and cut as a whole.


void CKivView::ShiftFieldRight() {
    const int width = m_FieldPos.Width;
    if (m_CaretOfs < 0 || m_CaretOfs >= width)
        return;
    char* cell = m_EditGyou.data() + m_FieldPos.Offset;
    std::copy_backward(cell + m_CaretOfs, cell + width - 1, cell + width);
    cell[m_CaretOfs] = ' ';
}

// ---------------------------------------------------------------------------------------------
// Numeric cells

// ---------------------------------------------------------------------------------------------
// Enter

void CKivView::EnterRules() {
    CKivDoc* d = GetDocument();
    CheckGyouTankaHenkan();
    StoreGyou();
    if (BlockSelectIn(*this)) {
        BlockSelectStep();
        return;
    }
    hideCaret();
    if (m_FieldPos.IsText == 0) {
        SavePosition1();
        if (m_CurField[0] == GyouRecord::Tanka1 || m_CurField[0] == GyouRecord::Tanka2) {
            // A price made by the detail lines is entered there.
            if (GyouRecord::text(m_EditGyou, GyouRecord::FukuHyouji) == "1") {
                KivMessage(kMsgFukuHyouji);
                ShowSyousai();
            }
            if (GyouRecord::text(m_EditGyou, GyouRecord::ZaiGoukei) == "1") {
                KivMessage(kMsgZaiGoukei);
                ShowSyousai();
            }
        }
        if (d->m_TopGyou[0] + d->m_ScreenGyou[0] > d->m_GyouCount && AddGyou()) {
            // Enter on the row after the item's last appends an empty row.
            RenumberStoreGyou();
            MarkChanged();
            DrawCurGyou();
            m_CurField[0] = m_FirstField;
        }
        RecalcKoumoku();
        RedrawGyou();
        RestorePosition1();
        CalcFieldPos();
        SetCaretToField();
        showCaret();
    }
    NextField();
    SetImeForField();
}

// ---------------------------------------------------------------------------------------------
// The handlers

void CKivView::onChar(unsigned ch, int repeat, unsigned flags) {
    CKivDoc* d = GetDocument();
    if (!d) {
        View::onChar(ch, repeat, flags);
        return;
    }
    TypedNumCountHere();
    hideCaret();
    const auto c = static_cast<unsigned char>(ch);
    const bool text = m_FieldPos.IsText == 1;
    if (m_PendingLead >= 0 && !(text && kiv::text::isTrailByte(c)))
        m_PendingLead = -1;   // a lead byte without its trail is no character
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
            }
            break;
        case 13:
            EnterRules();
            break;
        case 27:  // Esc
            if (!text) {
                ClearField();
                m_TypedCount = 0;
                m_PointTyped = 0;
                DrawCurField();
            }
            break;
        default:
            if (text)
                break;
            if (isDigit(c) || c == '.') {
                if (TypeNumericChar()) {
                    DrawCurField();
                    MarkChanged();
                }
            } else if (c == '-') {
                const std::string_view cell = kiv::grid::CellOf(m_EditGyou, m_FieldPos);
                if (m_TypedCount == 0 && !cell.empty() && cell.back() == ' ' && kiv::text::trimBlanks(cell).empty()) {
                    if (TypeNumericChar()) {
                        DrawCurField();
                        MarkChanged();
                    }
                } else {
                    OpenCalcFromCell('-');
                }
            } else if (c == '+' || c == '*' || c == '/') {
                OpenCalcFromCell(static_cast<char>(c));
            }
            break;
        }
    }
    TypedNumCountHere();
    SetCaretToField();
    showCaret();
    View::onChar(ch, repeat, flags);
}

void CKivView::onKeyDown(int vk, int repeat, unsigned flags) {
    CKivDoc* d = GetDocument();
    if (!d) {
        View::onKeyDown(vk, repeat, flags);
        return;
    }
    m_PendingLead = -1;
    TypedNumCountHere();
    CheckDbcsAtCaret();
    // While a range waits for its end row, Up and Down leave the start row as it is drawn.
    const bool picking = BlockSelectIn(*this) && g_BlockSelectState == 2;
    switch (vk) {
    case VK_HOME:
        sendCommand(ID_ADRESS);
        break;
    case VK_LEFT:
        hideCaret();
        if (m_FieldPos.IsText == 1 && m_CaretOfs > 0) {
            MoveCaretBackOneChar();
        } else {
            CheckGyouTankaHenkan();
            CommitGyou();
            DrawCurGyou();
            PrevField();
            SetImeForField();
        }
        SetCaretToField();
        showCaret();
        break;
    case VK_RIGHT:
        hideCaret();
        if (m_FieldPos.IsText == 1 && m_FieldPos.X0 + m_CaretOfs <= m_FieldPos.X1) {
            MoveCaretForwardOneChar();
        } else {
            CheckGyouTankaHenkan();
            CommitGyou();
            DrawCurGyou();
            NextField();
            SetImeForField();
        }
        SetCaretToField();
        showCaret();
        break;
    case VK_UP:
        hideCaret();
        if (d->m_ScreenGyou[0] > 1) {
            if (picking) {
                StoreGyou();
            } else {
                CheckGyouTankaHenkan();
                CommitGyou();
                DrawGyouFramed();
            }
            --d->m_ScreenGyou[0];
            --d->m_CurGyou[0];
            SavePosition1();
            LoadGyou();
        } else if (d->m_TopGyou[0] > 0) {
            if (picking) {
                StoreGyou();
            } else {
                CheckGyouTankaHenkan();
                CommitGyou();
                DrawGyouFramed();
            }
            ScrollGyouDown();
            --d->m_CurGyou[0];
            --d->m_TopGyou[0];
            SavePosition1();
            LoadGyou();
            DrawGyouFramed();
        }
        ResetScrollBarsToRows(m_VisibleGyou);
        CalcFieldPos();
        SetCaretToField();
        showCaret();
        break;
    case VK_DOWN:
        hideCaret();
        if (d->m_ScreenGyou[0] < m_VisibleGyou && d->m_CurGyou[0] < d->m_GyouCount) {
            if (picking) {
                StoreGyou();
            } else {
                CheckGyouTankaHenkan();
                CommitGyou();
                DrawGyouFramed();
            }
            ++d->m_ScreenGyou[0];
            ++d->m_CurGyou[0];
            SavePosition1();
            LoadGyou();
        } else if (d->m_ScreenGyou[0] >= m_VisibleGyou && d->m_CurGyou[0] <= d->m_GyouCount) {
            if (picking) {
                StoreGyou();
            } else {
                CheckGyouTankaHenkan();
                CommitGyou();
                DrawCurGyou();
            }
            SavePosition1();
            ScrollStepDown();
        }
        ResetScrollBarsToRows(m_VisibleGyou);
        CalcFieldPos();
        SetCaretToField();
        showCaret();
        break;
    case VK_DELETE:
        hideCaret();
        if (m_FieldPos.IsText == 0) {
            ClearField();
            m_TypedCount = 0;
            m_PointTyped = 0;
            DrawCurField();
            CheckGyouTankaHenkan2();
        } else {
            DeleteCharAtCaret();
            DrawCurField();
        }
        SetCaretToField();
        showCaret();
        break;
    case VK_F1: sendCommand(ID_KOUMOKU_IDOU); break;
    case VK_F2: sendCommand(ID_GYOU_COPY); break;
    case VK_F3: sendCommand(ID_GYOU_INSERT); break;
    case VK_F4: sendCommand(ID_GYOU_DELETE); break;
    case VK_F5: sendCommand(ID_KOUMOKU_INSERT); break;
    // In a window the frame's pane keys take F6 first; its key-up below starts the command.
    case VK_F6: sendCommand(ID_KOUMOKU_DELETE); break;
    default:
        break;
    }
    TypedNumCountHere();
    View::onKeyDown(vk, repeat, flags);
}

void CKivView::onKeyUp(int vk, int repeat, unsigned flags) {
    // F6 released on the grid starts 項目削除 too, which asks before it deletes: the frame turns
    // the key-down into the pane switch, so the key-up is how F6 reaches the item command.
    if (vk == kiv::ui::VK_F6)
        sendCommand(ID_KOUMOKU_DELETE);
    View::onKeyUp(vk, repeat, flags);
}
