// Scrolling of the estimate grid: the pixels of the visible rows moved by one grid row, the
// one-row steps, the scroll bars, the wheel and the pan gesture.
#include <algorithm>

#include "grid/GridViewBase.h"
#include "grid/KivView.h"
#include "platform/ui/Keys.h"

using namespace kiv::ui;

void CKivView::ScrollGyouUp() {
    StoreGyou();
    SavePosition1();
    // Rows 2 .. V-1 move to rows 1 .. V-2; the caller draws the rows that come into view.
    if (m_VisibleGyou >= 2)
        ScrollGridRows(1, m_VisibleGyou - 1, -1);
    RestorePosition1();
    CalcFieldPos();
}

void CKivView::ScrollGyouDown() {
    StoreGyou();
    SavePosition1();
    // Rows 1 .. V-1 move to rows 2 .. V; the caller draws row 1.
    if (m_VisibleGyou >= 2)
        ScrollGridRows(1, m_VisibleGyou, 1);
    RestorePosition1();
    CalcFieldPos();
}

bool CKivView::ScrollStepUp() {
    CKivDoc* d = GetDocument();
    if (!d || d->m_TopGyou[0] < 1)
        return false;
    const int top = d->m_TopGyou[0];
    ScrollGyouDown();
    DrawGyouAt(top, 1);
    RestorePosition1();
    CalcFieldPos();
    --d->m_CurGyou[0];
    --d->m_TopGyou[0];
    LoadGyou();
    return true;
}

bool CKivView::ScrollStepDown() {
    CKivDoc* d = GetDocument();
    if (!d)
        return false;
    const int top = d->m_TopGyou[0];
    const int v = m_VisibleGyou;
    // The cursor keeps its screen row, so its row moves one down: never past the row after the
    // item's last, nor past the most rows an item can have.
    if (d->m_GyouCount - top < v || d->m_CurGyou[0] >= m_MaxGyou)
        return false;
    ScrollGyouUp();
    DrawGyouAt(top + v, v - 1);
    // A row that does not exist shows as empty cells, not as what the screen row held.
    DrawGyouAt(top + v + 1, v);
    RestorePosition1();
    CalcFieldPos();
    ++d->m_CurGyou[0];
    ++d->m_TopGyou[0];
    LoadGyou();
    return true;
}

void CKivView::onVScroll(int code, int pos) {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    auto step = [&](bool up) {
        hideCaret();
        SavePosition1();
        const bool moved = up ? ScrollStepUp() : ScrollStepDown();
        SetCaretToField();
        showCaret();
        return moved;
    };
    switch (code) {
    case SB_LINEUP:
        step(true);
        break;
    case SB_LINEDOWN:
        step(false);
        break;
    case SB_PAGEUP:
        for (int i = 0; i < 3; ++i)
            step(true);
        break;
    case SB_PAGEDOWN:
        for (int i = 0; i < 3; ++i)
            step(false);
        break;
    case SB_THUMBTRACK:
        // The position is unsigned to the scroll bar: an unchanged position steps up.
        if (static_cast<unsigned>(g_LastThumbPos) >= static_cast<unsigned>(pos) && g_LastThumbPos >= 0)
            step(true);
        else if (g_LastThumbPos < pos && g_LastThumbPos < d->m_GyouCount)
            step(false);
        g_LastThumbPos = pos;
        break;
    default:
        break;
    }
    ResetScrollBarsToRows(d->m_GyouCount);
    View::onVScroll(code, pos);
}

bool CKivView::onMouseWheel(unsigned flags, int delta, Point p) {
    CKivDoc* d = GetDocument();
    if (!d)
        return View::onMouseWheel(flags, delta, p);
    hideCaret();
    SavePosition1();
    if (delta > 0)
        ScrollStepUp();
    else if (delta < 0)
        ScrollStepDown();
    ResetScrollBarsToRows(d->m_GyouCount);
    SetCaretToField();
    showCaret();
    View::onMouseWheel(flags, delta, p);
    return true;
}

bool CKivView::OnGesturePan(Point from, Point to) {
    CKivDoc* d = GetDocument();
    const int distance = to.y - from.y;
    if (!d || distance == 0)
        return true;
    hideCaret();
    SavePosition1();
    if (distance > 0)
        ScrollStepUp();
    else
        ScrollStepDown();
    SetCaretToField();
    showCaret();
    ResetScrollBarsToRows(m_VisibleGyou);
    return true;
}

void CKivView::onHScroll(int code, int pos) {
    const int before = m_HScrollPairs;
    m_HScrollPairs = kiv::grid::HScrollPairsAfter(code, pos, m_HScrollPairs, m_HScrollRange - 1);
    if (m_HScrollPairs != before)
        invalidate();
    ResetHScroll();
    View::onHScroll(code, pos);
}
