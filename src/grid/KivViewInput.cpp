// Keys of the estimate grid: the arrow keys and Enter move the cursor between fields and rows.
#include <algorithm>

#include "grid/KivView.h"
#include "platform/text/Cp932.h"
#include "platform/ui/Keys.h"

using namespace kiv::ui;

void CKivView::CheckDbcsAtCaret() {
    const auto pos = static_cast<std::size_t>(m_FieldPos.Offset + m_CaretOfs);
    if (pos >= m_EditGyou.size())
        return;
    const auto c = static_cast<unsigned char>(m_EditGyou[pos]);
    if (c < 0x80 || kiv::text::isHalfKana(c))
        m_IsDbcs = 0;
    else if (kiv::text::isLeadByte(c))
        m_IsDbcs = 1;
}

void CKivView::MoveCaretBackOneChar() {
    // Back over a double-byte character whole: find the lead byte the caret follows.
    int lastLead = 0;
    bool found = false;
    const int saved = m_CaretOfs;
    for (int p = 0; p < saved; ++p) {
        m_CaretOfs = p;
        CheckDbcsAtCaret();
        if (m_IsDbcs == 1) {
            found = true;
            if (p - lastLead != 1)
                lastLead = p;
            else if (p == 1)
                lastLead = 1;
        }
    }
    m_CaretOfs = saved;
    m_CaretOfs -= (found && saved - lastLead < 3) ? 2 : 1;
    m_CaretOfs = std::max(0, m_CaretOfs);
}

void CKivView::onKeyDown(int vk, int repeat, unsigned flags) {
    CKivDoc* d = GetDocument();
    if (!d) {
        View::onKeyDown(vk, repeat, flags);
        return;
    }
    CheckDbcsAtCaret();
    switch (vk) {
    case VK_LEFT:
        hideCaret();
        if (m_FieldPos.IsText == 1 && m_CaretOfs > 0) {
            MoveCaretBackOneChar();
        } else {
            StoreGyou();
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
            CheckDbcsAtCaret();
            m_CaretOfs += m_IsDbcs == 1 ? 2 : 1;
        } else {
            StoreGyou();
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
            StoreGyou();
            DrawGyouFramed();
            --d->m_ScreenGyou[0];
            --d->m_CurGyou[0];
            SavePosition1();
            LoadGyou();
        } else if (d->m_TopGyou[0] > 0) {
            StoreGyou();
            DrawGyouFramed();
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
            StoreGyou();
            DrawGyouFramed();
            ++d->m_ScreenGyou[0];
            ++d->m_CurGyou[0];
            SavePosition1();
            LoadGyou();
        } else if (d->m_ScreenGyou[0] >= m_VisibleGyou && d->m_CurGyou[0] <= d->m_GyouCount) {
            StoreGyou();
            DrawCurGyou();
            SavePosition1();
            ScrollStepDown();
        }
        ResetScrollBarsToRows(m_VisibleGyou);
        CalcFieldPos();
        SetCaretToField();
        showCaret();
        break;
    default:
        break;
    }
    View::onKeyDown(vk, repeat, flags);
}

void CKivView::onChar(unsigned ch, int repeat, unsigned flags) {
    if (ch == VK_RETURN && GetDocument()) {
        StoreGyou();
        hideCaret();
        NextField();
        SetImeForField();
        SetCaretToField();
        showCaret();
    }
    View::onChar(ch, repeat, flags);
}
