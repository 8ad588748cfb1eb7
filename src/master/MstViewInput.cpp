// Typing, keys and the mouse in the master grid: text and numbers into the row buffer, Enter,
// the arrows, a click (which appends the row after the category's last), the calculator and the
// unit list, and the one-cell copy and cut.
#include <algorithm>

#include "estimate/KivMessage.h"
#include "grid/CalcDialog.h"
#include "grid/GridCell.h"
#include "grid/GyouRecord.h"
#include "grid/TanniDialog.h"
#include "master/MstDoc.h"
#include "master/MstView.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"
#include "platform/ui/Keys.h"

using namespace kiv::ui;

namespace {

// Commands the function keys start in this view (the menus send the same ids).
constexpr int ID_BUN_IDOU = 32793;     // F1 分類移動
constexpr int ID_GYOU_COPY = 32794;    // F2 行複写
constexpr int ID_GYOU_INSERT = 32786;  // F3 行挿入
constexpr int ID_GYOU_DELETE = 32787;  // F4 行削除
constexpr int ID_BUN_INSERT = 32788;   // F5 分類挿入
constexpr int ID_BUN_DELETE = 32789;   // F6 分類削除

constexpr int kTanniBytes = 4;

const char* const kMsgFukuHyouji = "常時複合単価表示になっています。詳細で入力してください。";
const char* const kMsgZaiGoukei = "複数の材料が登録されています。詳細で入力してください。";   // the unit's two halves, fields 11 and 12

bool isDigit(unsigned c) { return c >= '0' && c <= '9'; }

} // namespace

void CMstView::ClearField() {
    GyouRecord::fitLength(m_EditGyou);
    m_EditGyou.replace(static_cast<std::size_t>(m_FieldPos.Offset), static_cast<std::size_t>(m_FieldPos.Width),
                       static_cast<std::size_t>(m_FieldPos.Width), ' ');
}

bool CMstView::EnsureCursorGyou() {
    MstDoc* d = GetDocument();
    if (!d)
        return false;
    if (d->m_CurGyou[0] <= d->m_GyouCount)
        return true;
    if (!AddGyou())
        return false;
    d->m_CurGyou[0] = d->m_GyouCount;
    std::string edited = m_EditGyou;
    RenumberStoreGyou();
    edited.replace(0, 8, m_EditGyou, 0, 8);
    GyouRecord::fitLength(edited);
    if (GyouRecord::isBlank(edited, GyouRecord::Hokyuu))
        GyouRecord::fillBlankHokyuu(edited);
    m_EditGyou = edited;
    StoreGyou();
    return true;
}

void CMstView::CommitGyou() {
    MstDoc* d = GetDocument();
    if (!d || d->m_CurGyou[0] > d->m_GyouCount)
        return;   // the empty row after the last belongs to no row yet
    StoreGyou();
    SavePosition(1);
    RecalcGyou();
    RestorePosition(1);
}

void CMstView::CheckDbcsAtCaret() {
    const auto pos = static_cast<std::size_t>(m_FieldPos.Offset + m_CaretOfs);
    if (pos >= m_EditGyou.size())
        return;
    const auto c = static_cast<unsigned char>(m_EditGyou[pos]);
    if (c < 0x80 || kiv::text::isHalfKana(c))
        m_IsDbcs = 0;
    else if (kiv::text::isLeadByte(c))
        m_IsDbcs = 1;
}

void CMstView::MoveCaretBackOneChar() {
    m_CaretOfs = kiv::grid::CellCaretBack(kiv::grid::CellOf(m_EditGyou, m_FieldPos), m_CaretOfs);
}

void CMstView::MoveCaretForwardOneChar() {
    m_CaretOfs = kiv::grid::CellCaretForward(kiv::grid::CellOf(m_EditGyou, m_FieldPos), m_CaretOfs, m_FieldPos.Width,
                                             m_IsDbcs);
}

void CMstView::InsertCharAtCaret() {
    if (!kiv::grid::CellInsertChar(m_EditGyou, m_FieldPos, m_CaretOfs, m_TypedChar))
        m_FieldFull = 1;
}

void CMstView::DeleteCharAtCaret() {
    kiv::grid::CellDeleteChar(m_EditGyou, m_FieldPos, m_CaretOfs);
}

void CMstView::TypeTextByte(unsigned char c) {
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
}

void CMstView::AlignNumericInput() {
    m_TypeBuf.push_back(static_cast<char>(m_TypedChar));
    kiv::grid::CellAlignNumeric(m_EditGyou, m_FieldPos, m_TypeBuf);
}

bool CMstView::TypeNumericChar() {
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
        m_TypedChar = '.';
    }
    AlignNumericInput();
    ++m_TypedCount;
    if (typed == '.')
        m_PointTyped = 1;
    return true;
}

bool CMstView::PutCalcResult(const std::string& result) {
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
    return true;
}

void CMstView::OpenCalcFromCell(char op) {
    CCalcDialog calc(this);
    calc.m_Display = std::string(kiv::text::trimBlanks(kiv::grid::CellOf(m_EditGyou, m_FieldPos)));
    calc.m_Value = kiv::text::parseDecimal(calc.m_Display);
    calc.m_Op = op;
    if (calc.doModal() != IDOK)
        return;
    if (!PutCalcResult(calc.m_Display))
        return;
    StoreGyou();
    RecalcGyou();
    RedrawGyou();
    NextField();
    SetImeForField();
}

void CMstView::EnterRules() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    // The empty row after the last becomes a row when something was typed into it.
    if (d->m_CurGyou[0] <= d->m_GyouCount)
        StoreGyou();
    hideCaret();
    if (m_FieldPos.IsText == 0) {
        if ((m_CurField[0] == GyouRecord::Tanka1 || m_CurField[0] == GyouRecord::Tanka2) && IsMasterGyou()) {
            // A unit price the composite or the material total writes is edited in the detail.
            SavePosition(1);
            bool detail = false;
            if (kiv::text::trimBlanks(GyouRecord::text(m_EditGyou, GyouRecord::FukuHyouji)) == "1") {
                KivMessage(kMsgFukuHyouji);
                detail = true;
            }
            if (kiv::text::trimBlanks(GyouRecord::text(m_EditGyou, GyouRecord::ZaiGoukei)) == "1") {
                KivMessage(kMsgZaiGoukei);
                detail = true;
            }
            if (detail) {
                ShowSyousai();
                LoadGyou();
            }
            RestorePosition(1);
        }
        SavePosition(1);
        if (d->m_TopGyou[0] + d->m_ScreenGyou[0] > d->m_GyouCount && AddGyou()) {
            std::string edited = m_EditGyou;
            d->m_CurGyou[0] = d->m_GyouCount;
            RenumberStoreGyou();
            edited.replace(0, 8, m_EditGyou, 0, 8);
            m_EditGyou = edited;
            StoreGyou();
            DrawCurGyou();
        }
        // The row alone: the master has no group pass.
        if (d->m_CurGyou[0] <= d->m_GyouCount)
            RecalcGyou();
        RedrawGyou();
        RestorePosition(1);
        CalcFieldPos();
        SetCaretToField();
        showCaret();
    }
    DrawGyouFramed();
    NextField();
    SetImeForField();
}

void CMstView::onChar(unsigned ch, int repeat, unsigned flags) {
    MstDoc* d = GetDocument();
    if (!d) {
        View::onChar(ch, repeat, flags);
        return;
    }
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
                if (d->m_CurGyou[0] <= d->m_GyouCount)
                    StoreGyou();
            }
            break;
        case 9:   // Tab: the row to the current estimate (転送)
            OnTensou();
            break;
        case 13:
            if (!BlockSelectStep())
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
            if (isDigit(c) || c == '.') {
                if (TypeNumericChar())
                    DrawCurField();
            } else if (c == '-') {
                const std::string_view cell = kiv::grid::CellOf(m_EditGyou, m_FieldPos);
                if (m_TypedCount == 0 && !cell.empty() && cell.back() == ' ') {
                    if (TypeNumericChar())
                        DrawCurField();
                } else if (m_TypedCount == 0) {
                    OpenCalcFromCell('-');
                }
            } else if (c == '+' || c == '*' || c == '/') {
                OpenCalcFromCell(static_cast<char>(c));
            }
            break;
        }
    }
    SetCaretToField();
    showCaret();
    View::onChar(ch, repeat, flags);
}

void CMstView::onKeyDown(int vk, int repeat, unsigned flags) {
    MstDoc* d = GetDocument();
    if (!d) {
        View::onKeyDown(vk, repeat, flags);
        return;
    }
    m_PendingLead = -1;
    CheckDbcsAtCaret();
    switch (vk) {
    case VK_HOME:
        sendCommand(ID_ADRESS);
        break;
    case VK_LEFT:
        hideCaret();
        if (m_FieldPos.IsText == 1 && m_CaretOfs > 0) {
            MoveCaretBackOneChar();
        } else {
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
            CommitGyou();
            DrawCurGyou();
            NextField();
            SetImeForField();
        }
        break;
    case VK_UP:
        hideCaret();
        if (d->m_ScreenGyou[0] > 1) {
            CommitGyou();
            DrawGyouFramed();
            --d->m_ScreenGyou[0];
            --d->m_CurGyou[0];
            SavePosition(1);
            LoadGyou();
        } else if (d->m_TopGyou[0] > 0) {
            CommitGyou();
            DrawGyouFramed();
            ScrollStepUp();
        }
        ResetVScroll(d->m_GyouCount);
        CalcFieldPos();
        break;
    case VK_DOWN:
        hideCaret();
        if (d->m_ScreenGyou[0] < m_VisibleGyou && d->m_CurGyou[0] < d->m_GyouCount) {
            CommitGyou();
            DrawGyouFramed();
            ++d->m_ScreenGyou[0];
            ++d->m_CurGyou[0];
            SavePosition(1);
            LoadGyou();
        } else if (d->m_ScreenGyou[0] >= m_VisibleGyou && d->m_CurGyou[0] <= d->m_GyouCount) {
            // On the last screen row the grid steps on, the cursor keeping its screen row: from
            // the category's last row that is the empty row after it, which text typed there
            // makes a row.
            CommitGyou();
            DrawCurGyou();
            ScrollStepDown();
        }
        ResetVScroll(d->m_GyouCount);
        CalcFieldPos();
        break;
    case VK_DELETE:
        hideCaret();
        if (m_FieldPos.IsText == 0) {
            ClearField();
            m_TypedCount = 0;
            m_PointTyped = 0;
        } else {
            DeleteCharAtCaret();
        }
        DrawCurField();
        if (d->m_CurGyou[0] <= d->m_GyouCount)
            StoreGyou();
        break;
    case VK_F1: onCommand(ID_BUN_IDOU); break;
    case VK_F2: onCommand(ID_GYOU_COPY); break;
    case VK_F3: onCommand(ID_GYOU_INSERT); break;
    case VK_F4: onCommand(ID_GYOU_DELETE); break;
    case VK_F5: onCommand(ID_BUN_INSERT); break;
    case VK_F6: onCommand(ID_BUN_DELETE); break;
    default: break;
    }
    SetCaretToField();
    showCaret();
    View::onKeyDown(vk, repeat, flags);
}

int CMstView::HitField(int screenRow, Point p) const {
    const int cw = m_CharWidth;
    const int lh = m_LineHeight;
    for (int f = m_FirstField; f <= m_LastField; ++f) {
        if (!IsFieldShown(g_MstFieldTable, f, m_HScrollPairs) ||
            g_MstFieldTable.Skip[static_cast<std::size_t>(f - 1)] != 0)
            continue;
        const FieldPos pos = ::CalcFieldPos(g_MstFieldTable, f, screenRow, m_HScrollPairs).Pos;
        if ((pos.X0 - 1) * cw <= p.x && p.x <= (pos.X1 + 1) * cw && pos.Line * lh <= p.y && p.y <= (pos.Line + 1) * lh)
            return f;
    }
    return 0;
}

void CMstView::onLButtonDown(unsigned flags, Point p) {
    MstDoc* d = GetDocument();
    if (!d) {
        View::onLButtonDown(flags, p);
        return;
    }
    m_PendingLead = -1;
    SavePosition(1);
    if (d->m_CurGyou[0] <= d->m_GyouCount)
        StoreGyou();
    hideCaret();
    int hitRow = 0;
    int hitField = 0;
    for (int s = 1; s <= m_VisibleGyou && d->m_TopGyou[0] + s <= d->m_GyouCount + 1 && hitRow == 0; ++s)
        if (const int f = HitField(s, p)) {
            hitRow = s;
            hitField = f;
        }
    if (hitRow > 0) {
        const int gyou = d->m_TopGyou[0] + hitRow;
        bool take = true;
        d->m_CurGyou[0] = gyou;
        d->m_ScreenGyou[0] = hitRow;
        m_CurField[0] = hitField;
        if (gyou > d->m_GyouCount) {
            // A click on the row after the category's last appends an empty row, cursor on 品名.
            if (AddGyou()) {
                d->m_CurGyou[0] = d->m_GyouCount;
                RenumberStoreGyou();
                CalcFieldPos();
                DrawCurGyou();
                m_CurField[0] = m_FirstField;
            } else {
                take = false;
            }
        }
        if (take) {
            CalcFieldPos();
            if (m_FieldPos.IsText == 0) {
                // A click on a number recalculates the clicked row alone.
                LoadGyou();
                RecalcGyou();
                RedrawGyou();
                ResetVScroll(m_VisibleGyou);
            }
            LoadGyou();
            SavePosition(1);
        }
    }
    RestorePosition(1);
    LoadGyou();
    CalcFieldPos();
    SetCaretToField();
    showCaret();
    SetImeForField();
    BlockSelectStep();
    View::onLButtonDown(flags, p);
}

void CMstView::onLButtonDblClk(unsigned flags, Point p) {
    MstDoc* d = GetDocument();
    if (d && IsBlockSelecting()) {
        // A range being picked takes the clicks; nothing is sent or calculated.
    } else if (d && m_FieldPos.IsText == 1) {
        OnTensou();   // a text cell sends the row to the current estimate
    } else if (d && m_FieldPos.IsText == 0 && d->m_CurGyou[0] <= d->m_GyouCount) {
        CCalcDialog calc(this);
        if (calc.doModal() == IDOK && PutCalcResult(calc.m_Display)) {
            StoreGyou();
            SavePosition(1);
            RecalcGyou();
            RedrawGyou();
            ResetVScroll(m_VisibleGyou);
            SetCaretToField();
            showCaret();
            RestorePosition(1);
        }
    }
    View::onLButtonDblClk(flags, p);
}

void CMstView::onRButtonDown(unsigned flags, Point p) {
    const bool unit = m_CurField[0] == GyouRecord::Tanni;
    if ((m_FieldPos.IsText == 0 || (IsBlockSelecting() && !unit)) && IsMasterGyou()) {
        // A number: the row's breakdown, with what was typed into the cell.
        hideCaret();
        StoreGyou();
        ShowSyousai();
        LoadGyou();
        RecalcGyou();
        RedrawGyou();
        RestorePosition(1);
        NextField();
        ResetVScroll(m_VisibleGyou);
        CalcFieldPos();
        SetCaretToField();
        showCaret();
    } else if (unit) {
        CTanniDialog tanni(this);
        if (tanni.doModal() == IDOK && EnsureCursorGyou()) {
            // The unit's four bytes are blanked first: "本" over "ヶ所" leaves no half of it.
            const int offset = GyouRecord::layout(GyouRecord::Tanni).Offset;
            const std::string unit = tanni.m_Tanni.substr(0, kTanniBytes);
            m_EditGyou.replace(static_cast<std::size_t>(offset), kTanniBytes, kTanniBytes, ' ');
            m_EditGyou.replace(static_cast<std::size_t>(offset), unit.size(), unit);
            StoreGyou();
            hideCaret();
            DrawCurGyou();
            NextField();
            SetImeForField();
            SetCaretToField();
            showCaret();
        }
    } else if (m_FieldPos.IsText == 1) {
        OpenFindDialog();
    }
    View::onRButtonDown(flags, p);
}

void CMstView::OnEditCopy() { kiv::grid::CellToBuffer(m_FieldCopyBuf, m_EditGyou, m_FieldPos); }

void CMstView::OnEditCut() {
    hideCaret();
    OnEditCopy();
    m_FieldUndoBuf = m_FieldCopyBuf;
    NoteCutCell();
    ClearField();
    if (MstDoc* d = GetDocument(); d && d->m_CurGyou[0] <= d->m_GyouCount)
        StoreGyou();
    RedrawGyou();
    SetCaretToField();
    showCaret();
}
