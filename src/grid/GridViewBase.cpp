// The grid view's construction, geometry of the current field, font measures and life cycle;
// the rest of the grid is in GridViewRows.cpp (positions, row path), GridViewPaint.cpp,
// GridViewCaret.cpp (caret, field moves, scrolling), GridViewInput.cpp (typing and keys) and
// GridViewMouse.cpp (the mouse, the calculator and the one-cell copy).
#include "grid/GridViewBase.h"

#include <algorithm>
#include <memory>

#include "estimate/GyouStore.h"
#include "grid/GridCell.h"
#include "platform/profile/Profile.h"
#include "platform/ui/Keys.h"

static_assert(GridViewBase::kPositionSlots == GyouStore::kPositionSlots);

using kiv::grid::FontScope;
using kiv::ui::Dc;

GridViewBase::GridViewBase(const kiv::grid::GridDesc& desc)
    : m_EditGyou(static_cast<std::size_t>(desc.GyouLen), ' '), m_Desc(desc) {
    m_CurField[0] = desc.FirstField;
}

// ---------------------------------------------------------------------------------------------
// Geometry

void GridViewBase::CalcFieldPos() {
    GyouStore* d = Store();
    m_TypedCount = 0;
    m_PointTyped = 0;
    m_HScrollPairs = std::clamp(m_HScrollPairs, 0, std::max(0, m_Desc.HScrollRange - 1));
    const int field = std::clamp(m_CurField[0], 1, FieldTable::Size);
    const int screenRow = std::clamp(d ? d->ScreenGyou() : 1, 1, kMaxVisibleGyou);
    const FieldGeometry g = ::CalcFieldPos(*m_Desc.Table, field, screenRow, m_HScrollPairs);
    m_FieldPos = g.Pos;
    m_CaretOfs = g.CaretOfs;
    m_HScrollCells = g.HScrollCells;
}

void GridViewBase::CalcTitleFieldPos() {
    const int field = std::clamp(m_CurField[0], 1, FieldTable::Size);
    const FieldGeometry g = ::CalcTitleFieldPos(*m_Desc.Table, field, m_HScrollPairs);
    m_FieldPos = g.Pos;
    m_CaretOfs = g.CaretOfs;
    m_HScrollCells = g.HScrollCells;
}

void GridViewBase::SetCaretToField() {
    setCaretPos({(m_FieldPos.X0 + m_CaretOfs) * m_CharWidth, m_FieldPos.Line * m_LineHeight});
}

kiv::ui::Font GridViewBase::GridFont() const { return {"ＭＳ ゴシック", m_FontSize, 400}; }

void GridViewBase::MeasureFont() {
    std::unique_ptr<Dc> dc = getDc();
    if (!dc)
        return;
    FontScope font(*dc, GridFont());
    const kiv::ui::TextMetrics tm = dc->textMetrics();
    m_CharWidth = tm.aveCharWidth;
    m_CharHeight = tm.height;
    m_LineHeight = tm.height + 4;
}

int GridViewBase::VisibleGyouFor(int clientHeight) const {
    // The two caption lines stay on screen; at least one row, at most the table's rows.
    const int lines = m_LineHeight > 0 ? clientHeight / m_LineHeight : 0;
    return std::clamp((lines - 2) / 2, 1, kMaxVisibleGyou);
}

bool GridViewBase::KeepCursorOnScreen() {
    GyouStore* d = Store();
    if (!d || d->ScreenGyou() <= m_VisibleGyou)
        return false;
    d->SetTopGyou(d->TopGyou() + (d->ScreenGyou() - m_VisibleGyou));
    d->SetScreenGyou(m_VisibleGyou);
    return true;
}

int GridViewBase::CommaCellsOf(int field) const {
    return m_Desc.Table->CommaCells[static_cast<std::size_t>(std::clamp(field, 1, FieldTable::Size) - 1)];
}

bool GridViewBase::IsCursorField(int field) const {
    return IsFieldShown(*m_Desc.Table, field, m_HScrollPairs) &&
           m_Desc.Table->Skip[static_cast<std::size_t>(field - 1)] == 0;
}

// ---------------------------------------------------------------------------------------------
// Life cycle

int GridViewBase::onCreate() {
    if (View::onCreate() == -1)
        return -1;
    // The grids open at the estimate's font size.
    m_FontSize = kiv::profile::Profile::user().getInt("Font_Size_Section", "Font_Size", kDefaultFontSize);
    if (m_FontSize < 1)
        m_FontSize = kDefaultFontSize;
    showScrollBar(kiv::ui::SB_BOTH);
    MeasureFont();
    m_VisibleGyou = VisibleGyouFor(clientRect().height());
    ResetHScroll();
    return 0;
}

void GridViewBase::onShowWindow(bool show) {
    View::onShowWindow(show);
    m_FieldCopyBuf.assign(kFieldBufLength, ' ');
    m_FieldUndoBuf.assign(kFieldBufLength, ' ');
    m_FieldUndoCell = {};
    GyouStore* d = Store();
    if (!d || !show)
        return;
    if (m_Desc.ShowKeepsCursorRow) {
        d->SetCurGyou(std::max(1, d->CurGyou()));
        d->SetTopGyou(d->CurGyou() - 1);
    } else {
        d->SetTopGyou(0);
        d->SetCurGyou(1);
    }
    d->SetScreenGyou(1);
    CalcFieldPos();
    SetCaretToField();
    showCaret();
}

void GridViewBase::onUpdate(kiv::ui::View*, long) {
    if (!Store())
        return;
    hideCaret();
    OnUpdateCursor();
    RedrawGyou();
    ResetVScroll(m_VisibleGyou);
    SetCaretToField();
    showCaret();
}
