// The grid's caret and field moves (focus, IME, NextField / PrevField) and its scrolling:
// the one-row steps, the vertical bar, the wheel and the sideways pairs.
#include "grid/GridViewBase.h"

#include <algorithm>

#include "estimate/GyouStore.h"
#include "platform/ui/Keys.h"

namespace kiv::grid {

int HScrollPairsAfter(int code, int pos, int pairs, int maxPairs) {
    using namespace kiv::ui;
    switch (code) {
    case SB_LINELEFT:
    case SB_PAGELEFT: --pairs; break;
    case SB_LINERIGHT:
    case SB_PAGERIGHT: ++pairs; break;
    // The bar's positions count pairs, so the thumb lands on a whole step.
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pairs = pos; break;
    default: break;
    }
    return std::clamp(pairs, 0, std::max(0, maxPairs));
}

bool HScrollNeeded(const FieldTable& table, int lastField, int pairs, int charWidth, int clientWidth) {
    if (pairs > 0)
        return true;
    int lastCell = 0;
    for (int f = 1; f <= lastField; ++f) {
        const FieldPos pos = CalcTitleFieldPos(table, f, pairs).Pos;
        if (pos.Visible)
            lastCell = std::max(lastCell, pos.X1);
    }
    // The right edge of the rightmost box, as DrawFieldBox draws it.
    const GridGeometry g{0, 0, charWidth, 0};
    return g.x(lastCell + 1) + 4 > clientWidth;
}

} // namespace kiv::grid

// ---------------------------------------------------------------------------------------------
// Caret and field navigation

void GridViewBase::onSetFocus() {
    View::onSetFocus();
    const int lineHeight = m_LineHeight;
    MeasureFont();
    if (lineHeight > 0)
        m_LineHeight = lineHeight;
    createSolidCaret(kCaretWidth, m_CharHeight);
    CalcFieldPos();
    SetCaretToField();
    showCaret();
}

void GridViewBase::onKillFocus() {
    View::onKillFocus();
    hideCaret();
    destroyCaret();
}

void GridViewBase::SetImeForField() { setImeOpen(m_FieldPos.IsText == 1 && m_CurField[0] > 4); }

void GridViewBase::NextField() {
    GyouStore* d = Store();
    if (!d)
        return;
    m_FieldFull = 0;
    const int last = m_Desc.LastField;
    const int left = std::clamp(m_CurField[0], 1, last);
    if (CommaCellsOf(left) != 0)
        DrawCurFieldFormatted();
    for (int f = left + 1; f <= last; ++f) {
        if (IsCursorField(f)) {
            m_CurField[0] = f;
            CalcFieldPos();
            return;
        }
    }
    // The row is finished: it goes back to the document and the cursor moves to the next row,
    // which is appended when the row left was the category's last.
    StoreGyou();
    DrawCurGyou();
    const int cur = d->CurGyou();
    const bool append = cur >= d->GyouCount();
    if (append) {
        // The cursor stood on the row after the last: that row joins the category first, so the
        // cursor never goes further below the category than one row.
        if (cur > d->GyouCount() && !JoinCursorGyou()) {
            CalcFieldPos();
            return;
        }
        // Nothing moves when the category or the store has no room for one more row.
        if (!AddGyou()) {
            CalcFieldPos();
            return;
        }
    }
    const int next = d->CurGyou() + 1;
    if (d->ScreenGyou() >= m_VisibleGyou) {
        ScrollGridRows(1, m_VisibleGyou - 1, -1);
        if (m_VisibleGyou > 1) {
            d->SetScreenGyou(m_VisibleGyou - 1);
            DrawCurGyou();
        }
        d->SetScreenGyou(m_VisibleGyou);
        d->SetTopGyou(d->TopGyou() + 1);
    } else {
        d->SetScreenGyou(d->ScreenGyou() + 1);
    }
    d->SetCurGyou(next);
    if (append)
        RenumberStoreGyou();
    else
        LoadGyou();
    m_CurField[0] = m_Desc.FirstField;
    CalcFieldPos();
    DrawCurGyou();
}

void GridViewBase::PrevField() {
    // The previous field the cursor can enter, over the hidden and skipped ones; the first field
    // of a row stays.
    const int first = m_Desc.FirstField;
    const int from = std::clamp(m_CurField[0], first, m_Desc.LastField);
    m_CurField[0] = first;
    for (int f = from - 1; f >= first; --f) {
        if (IsCursorField(f)) {
            m_CurField[0] = f;
            break;
        }
    }
    CalcFieldPos();
}

// ---------------------------------------------------------------------------------------------
// Scrolling

void GridViewBase::ScrollGridRows(int fromRow, int toRow, int rows) {
    const int lh = m_LineHeight;
    const int saved = m_CurField[0];
    m_CurField[0] = m_Desc.LastField;
    CalcFieldPos();
    const int right = (m_FieldPos.X1 + 1) * m_CharWidth + 4;
    m_CurField[0] = saved;
    CalcFieldPos();
    const kiv::ui::Rect area{3, 2 * fromRow * lh - 2, right + 1, 2 * (toRow + 1) * lh - 2};
    if (area.isEmpty())
        return;
    scrollWindow(0, 2 * rows * lh, area);
    validateRect(area);
}

bool GridViewBase::ScrollStepUp() {
    GyouStore* d = Store();
    if (!d || d->TopGyou() < 1)
        return false;
    StoreGyou();
    SavePosition(1);
    const int top = d->TopGyou();
    if (m_VisibleGyou >= 2)
        ScrollGridRows(1, m_VisibleGyou, 1);
    DrawGyouAt(top, 1);
    RestorePosition(1);
    CalcFieldPos();
    d->SetCurGyou(d->CurGyou() - 1);
    d->SetTopGyou(d->TopGyou() - 1);
    LoadGyou();
    return true;
}

bool GridViewBase::ScrollStepDown() {
    GyouStore* d = Store();
    if (!d)
        return false;
    const int top = d->TopGyou();
    const int v = m_VisibleGyou;
    if (d->GyouCount() - top < v || d->CurGyou() >= m_Desc.MaxGyou)
        return false;
    StoreGyou();
    SavePosition(1);
    if (v >= 2)
        ScrollGridRows(1, v - 1, -1);
    DrawGyouAt(top + v, v - 1);
    DrawGyouAt(top + v + 1, v);
    RestorePosition(1);
    CalcFieldPos();
    d->SetCurGyou(d->CurGyou() + 1);
    d->SetTopGyou(d->TopGyou() + 1);
    LoadGyou();
    return true;
}

void GridViewBase::ResetVScroll(int max) {
    GyouStore* d = Store();
    setScrollRange(kiv::ui::SB_VERT, 0, max);
    setScrollPos(kiv::ui::SB_VERT, d ? d->CurGyou() : 0);
}

void GridViewBase::onVScroll(int code, int pos) {
    using namespace kiv::ui;
    GyouStore* d = Store();
    if (!d)
        return;
    auto step = [&](bool up) {
        hideCaret();
        const bool moved = up ? ScrollStepUp() : ScrollStepDown();
        SetCaretToField();
        showCaret();
        return moved;
    };
    switch (code) {
    case SB_LINEUP: step(true); break;
    case SB_LINEDOWN: step(false); break;
    case SB_PAGEUP:
        for (int i = 0; i < m_Desc.PageStep; ++i)
            step(true);
        break;
    case SB_PAGEDOWN:
        for (int i = 0; i < m_Desc.PageStep; ++i)
            step(false);
        break;
    case SB_THUMBTRACK: {
        int& last = LastThumbPos();
        // The position is unsigned to the scroll bar: an unchanged position steps up.
        if (static_cast<unsigned>(last) >= static_cast<unsigned>(pos) && last >= 0)
            step(true);
        else if (last < pos && last < d->GyouCount())
            step(false);
        last = pos;
        break;
    }
    default: break;
    }
    ResetVScroll(d->GyouCount());
    View::onVScroll(code, pos);
}

bool GridViewBase::onMouseWheel(unsigned flags, int delta, kiv::ui::Point p) {
    GyouStore* d = Store();
    if (!d)
        return View::onMouseWheel(flags, delta, p);
    hideCaret();
    if (delta > 0)
        ScrollStepUp();
    else if (delta < 0)
        ScrollStepDown();
    SetCaretToField();
    showCaret();
    ResetVScroll(d->GyouCount());
    View::onMouseWheel(flags, delta, p);
    return true;
}

void GridViewBase::ResetHScroll() {
    using namespace kiv::ui;
    const bool needed = m_Desc.HScrollRange > 0 &&
                        kiv::grid::HScrollNeeded(*m_Desc.Table, m_Desc.LastField, m_HScrollPairs, m_CharWidth,
                                                 clientRect().width());
    setScrollRange(SB_HORZ, 0, needed ? m_Desc.HScrollRange : 0);
    setScrollPos(SB_HORZ, m_HScrollPairs);
}

void GridViewBase::onSize(int cx, int cy) {
    View::onSize(cx, cy);
    ResetHScroll();
}

void GridViewBase::onHScroll(int code, int pos) {
    const int before = m_HScrollPairs;
    m_HScrollPairs = kiv::grid::HScrollPairsAfter(code, pos, m_HScrollPairs, m_Desc.HScrollRange - 1);
    if (m_HScrollPairs != before) {
        if (m_Desc.HScrollMovesCursor) {
            // The cursor may stand on a field that scrolled away: it goes to the first one left.
            if (!IsCursorField(std::clamp(m_CurField[0], 1, m_Desc.LastField)))
                m_CurField[0] = m_Desc.FirstField;
            CalcFieldPos();
        }
        invalidate();
    }
    ResetHScroll();
    View::onHScroll(code, pos);
}
