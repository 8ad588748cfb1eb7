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

