// The caret of the estimate grid and the moves of the cursor from field to field and from row
// to row.
#include <algorithm>

#include "estimate/GyouRecord.h"
#include "grid/KivView.h"

void CKivView::NextField() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    m_FieldFull = 0;
    const int left = std::clamp(m_CurField[0], 1, m_LastField);
    if (g_KivFieldTable.CommaCells[static_cast<std::size_t>(left - 1)] != 0)
        DrawCurFieldFormatted();
    for (int f = left + 1; f <= m_LastField; ++f) {
        if (IsCursorField(f)) {
            m_CurField[0] = f;
            CalcFieldPos();
            return;
        }
    }

    // The row is finished: it goes back to the document and the cursor moves to the next row,
    // which is appended when the row left was the item's last.
    StoreGyou();
    DrawCurGyou();
    const int cur = d->m_CurGyou[0];
    const bool append = cur >= d->m_GyouCount;
    if (append) {
        if (cur > d->m_GyouCount) {
            // The cursor stood on the row after the item's last: that row joins the item first,
            // so the cursor never goes further below the item than one row.
            if (!AddGyou()) {
                CalcFieldPos();
                return;
            }
            d->m_CurGyou[0] = d->m_GyouCount;
            RenumberGyou();
            StoreGyou();
        }
        // Nothing moves when the item or the estimate has no room for one more row.
        if (!AddGyou()) {
            CalcFieldPos();
            return;
        }
    }
    const int next = d->m_CurGyou[0] + 1;
    if (d->m_ScreenGyou[0] >= m_VisibleGyou) {
        ScrollGyouUp();
        // The row just left, one screen row higher; the cursor keeps the last screen row.
        if (m_VisibleGyou > 1) {
            d->m_ScreenGyou[0] = m_VisibleGyou - 1;
            DrawCurGyou();
        }
        d->m_ScreenGyou[0] = m_VisibleGyou;
        ++d->m_TopGyou[0];
    } else {
        ++d->m_ScreenGyou[0];
    }
    d->m_CurGyou[0] = next;
    if (append)
        RenumberStoreGyou();
    else
        LoadGyou();
    m_CurField[0] = m_FirstField;
    CalcFieldPos();
    DrawCurGyou();
}

void CKivView::PrevField() {
    const int from = std::clamp(m_CurField[0], m_FirstField, m_LastField);
    m_CurField[0] = m_FirstField;
    for (int f = from - 1; f >= m_FirstField; --f) {
        if (IsCursorField(f)) {
            m_CurField[0] = f;
            break;
        }
    }
    CalcFieldPos();
}

void CKivView::SkipKeisanField() {
    while (m_FieldPos.Skip == 1 && m_CurField[0] < m_LastField) {
        ++m_CurField[0];
        CalcFieldPos();
    }
}

void CKivView::ReadBunNo() {
    m_BunNo = 0;
    m_CurField[0] = m_BunNoField;
    CalcFieldPos();
    m_BunNo = GyouRecord::toInt(m_EditGyou, m_BunNoField);
}
