// Scrolling of the estimate grid beyond the grid's bars, wheel and keys: the pan gesture.
#include <algorithm>

#include "grid/GridViewBase.h"
#include "grid/KivView.h"
#include "platform/ui/Keys.h"

using namespace kiv::ui;

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
    ResetVScroll(m_VisibleGyou);
    return true;
}

