#include "grid/GridViewBase.h"

#include <algorithm>
#include <memory>

#include "estimate/GyouRecord.h"
#include "estimate/GyouStore.h"
#include "estimate/KivMessage.h"
#include "grid/CalcDialog.h"
#include "grid/GridCell.h"
#include "grid/GridEditRules.h"
#include "grid/GroupDigits.h"
#include "platform/profile/Profile.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"
#include "platform/ui/Keys.h"

static_assert(GridViewBase::kPositionSlots == GyouStore::kPositionSlots);

using kiv::ui::Brush;
using kiv::ui::Color;
using kiv::ui::Dc;
using kiv::ui::Pen;
using kiv::ui::PenStyle;

namespace kiv::grid {

namespace {

int commaCells(const GridDesc& desc, int field) {
    return desc.Table->CommaCells[static_cast<std::size_t>(field - 1)];
}

} // namespace

void DrawFieldBox(Dc& dc, const GridGeometry& g, const FieldPos& pos, int commaCells) {
    dc.rectangle({g.x(pos.X0 - commaCells - 1) + 3, g.y(pos.Line) + g.BoxTop, g.x(pos.X1 + 1) + 4,
                  g.y(pos.Line + 1) + g.BoxBottom});
}

void DrawFieldText(Dc& dc, const GridGeometry& g, const FieldPos& pos, std::string_view row, int commaCells,
                   bool grouped) {
    const auto offset = static_cast<std::size_t>(pos.Offset);
    std::string text(offset < row.size() ? row.substr(offset, static_cast<std::size_t>(pos.Width)) : std::string_view());
    text.resize(static_cast<std::size_t>(pos.Width), ' ');
    int x = g.x(pos.X0);
    if (grouped && pos.IsText == 0 && commaCells != 0 && pos.Width <= GroupedDigits::MaxWidth) {
        // Thousands separators take cells to the left of the number.
        const GroupedDigits gd = GroupDigits(text);
        text = std::string(gd.Text(pos.Width));
        x = g.x(pos.X0 - gd.Spare) + g.GroupedShift;
    }
    dc.textOut(x, g.y(pos.Line) + g.TextTop, text);
}

void DrawLineRule(Dc& dc, const GridGeometry& g, const FieldPos& from, const FieldPos& to, int line, Color pen,
                  PenStyle style) {
    const Pen old = dc.selectPen({style, 1, pen});
    dc.moveTo(g.x(from.X0 + g.RuleFromCells) + 3, g.y(line) + g.RuleTop);
    dc.lineTo(g.x(to.X1 + g.RuleToCells) + 4, g.y(line) + g.RuleTop);
    dc.selectPen(old);
}

void DrawCaption(Dc& dc, const GridGeometry& g, const GridDesc& desc, int hscrollPairs) {
    const FieldTable& t = *desc.Table;
    const Pen oldPen = dc.selectPen({PenStyle::Solid, 1, desc.Colors.CellPen});
    const Brush oldBrush = dc.selectBrush(Brush::solid(desc.Colors.CaptionFill));
    for (int f = 1; f <= desc.LastField; ++f) {
        const FieldPos pos = CalcTitleFieldPos(t, f, hscrollPairs).Pos;
        if (pos.Visible)
            DrawFieldBox(dc, g, pos, commaCells(desc, f));
    }
    dc.selectPen(oldPen);
    dc.selectBrush(oldBrush);
    // The rule between the two caption lines.
    const FieldPos from = CalcTitleFieldPos(t, desc.RuleFirstField, hscrollPairs).Pos;
    const FieldPos to = CalcTitleFieldPos(t, desc.RuleLastField, hscrollPairs).Pos;
    DrawLineRule(dc, g, from, to, from.Line, desc.Colors.CaptionRule, desc.Colors.RuleStyle);

    const Color oldText = dc.setTextColor(desc.Colors.CaptionText);
    const Color oldBack = dc.setBkColor(desc.Colors.CaptionFill);
    for (int f = 1; f <= desc.LastField; ++f) {
        const FieldPos pos = CalcTitleFieldPos(t, f, hscrollPairs).Pos;
        if (!pos.Visible)
            continue;
        const std::string_view caption = std::string_view(*desc.TitleText)
                                             .substr(static_cast<std::size_t>(pos.Offset),
                                                     static_cast<std::size_t>(pos.Width));
        dc.textOut(g.x(pos.X0), g.y(pos.Line) + g.TextTop, caption);
    }
    dc.setTextColor(oldText);
    dc.setBkColor(oldBack);
}

void DrawGridRow(Dc& dc, const GridGeometry& g, const GridDesc& desc, std::string_view row, int screenRow,
                 int hscrollPairs, bool boxes, bool texts, bool rule, bool selected) {
    const FieldTable& t = *desc.Table;
    const Color fill = selected ? desc.Colors.SelectedFill : desc.Colors.RowFill;
    if (boxes) {
        const Pen oldPen = dc.selectPen({PenStyle::Solid, 1, selected ? desc.Colors.SelectedPen : desc.Colors.CellPen});
        const Brush oldBrush = dc.selectBrush(Brush::solid(fill));
        for (int f = 1; f <= desc.LastField; ++f) {
            const FieldPos pos = CalcFieldPos(t, f, screenRow, hscrollPairs).Pos;
            if (pos.Visible)
                DrawFieldBox(dc, g, pos, commaCells(desc, f));
        }
        dc.selectPen(oldPen);
        dc.selectBrush(oldBrush);
    }
    if (texts) {
        const Color oldText = dc.setTextColor(desc.Colors.RowText);
        const Color oldBack = dc.setBkColor(fill);
        for (int f = 1; f <= desc.LastField; ++f) {
            const FieldPos pos = CalcFieldPos(t, f, screenRow, hscrollPairs).Pos;
            if (pos.Visible)
                DrawFieldText(dc, g, pos, row, commaCells(desc, f), true);
        }
        dc.setTextColor(oldText);
        dc.setBkColor(oldBack);
    }
    if (rule) {
        const FieldPos from = CalcFieldPos(t, desc.RuleFirstField, screenRow, hscrollPairs).Pos;
        const FieldPos to = CalcFieldPos(t, desc.RuleLastField, screenRow, hscrollPairs).Pos;
        DrawLineRule(dc, g, from, to, from.Line, desc.Colors.RulePen, desc.Colors.RuleStyle);
    }
}

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

using kiv::grid::FontScope;

GridViewBase::GridViewBase(const kiv::grid::GridDesc& desc)
    : m_EditGyou(static_cast<std::size_t>(desc.GyouLen), ' '), m_Desc(desc) {
    m_CurField[0] = desc.FirstField;
}

// ---------------------------------------------------------------------------------------------
// Positions and the row path

void GridViewBase::SavePosition(int slot) {
    GyouStore* d = Store();
    if (!d || slot < 1 || slot >= kPositionSlots)
        return;
    const auto k = static_cast<std::size_t>(slot);
    m_CurField[k] = m_CurField[0];
    d->m_CurGyou[k] = d->m_CurGyou[0];
    d->m_TopGyou[k] = d->m_TopGyou[0];
    d->m_ScreenGyou[k] = d->m_ScreenGyou[0];
    m_SavedVisibleGyou[k] = m_VisibleGyou;
    d->m_CurKoumoku[k] = d->m_CurKoumoku[0];
}

void GridViewBase::RestorePosition(int slot) {
    GyouStore* d = Store();
    if (!d || slot < 1 || slot >= kPositionSlots)
        return;
    const auto k = static_cast<std::size_t>(slot);
    m_CurField[0] = m_CurField[k];
    d->m_CurGyou[0] = d->m_CurGyou[k];
    d->m_TopGyou[0] = d->m_TopGyou[k];
    d->m_ScreenGyou[0] = d->m_ScreenGyou[k];
    m_VisibleGyou = m_SavedVisibleGyou[k];
    d->m_CurKoumoku[0] = d->m_CurKoumoku[k];
}

void GridViewBase::LoadGyou() {
    if (GyouStore* d = Store())
        d->GetCurrentGyou(m_EditGyou);
    GyouRecord::fitLength(m_EditGyou);
}

void GridViewBase::StoreGyou() {
    GyouStore* d = Store();
    if (!d)
        return;
    GyouRecord::fitLength(m_EditGyou);
    // Storing a row as it stands is no change: a document only opened and looked at closes
    // without the save question. The row is compared as LoadGyou gives it, so a work row never
    // filled (the row after the last) counts as the blanks it loads as. Rows are stored for every
    // row of every recalculation, so the stored row is read into a buffer kept between calls.
    d->GetCurrentGyou(m_StoredGyou);
    if (m_StoredGyou.compare(0, m_EditGyou.size(), m_EditGyou) != 0)
        d->SetCurrentGyou(m_EditGyou);
}

bool GridViewBase::AddGyou() {
    GyouStore* d = Store();
    if (!d || !d->AddGyou())
        return false;
    ++d->m_GyouCount;
    return true;
}

void GridViewBase::RenumberStoreGyou() {
    GyouStore* d = Store();
    if (!d)
        return;
    ClearGyouBuffer();
    GyouRecord::writeKey(m_EditGyou, d->m_CurKoumoku[0], d->m_CurGyou[0]);
    NewGyouDefaults(m_EditGyou);
    StoreGyou();
}

// ---------------------------------------------------------------------------------------------
// Geometry

void GridViewBase::CalcFieldPos() {
    GyouStore* d = Store();
    m_TypedCount = 0;
    m_PointTyped = 0;
    m_HScrollPairs = std::clamp(m_HScrollPairs, 0, std::max(0, m_Desc.HScrollRange - 1));
    const int field = std::clamp(m_CurField[0], 1, FieldTable::Size);
    const int screenRow = std::clamp(d ? d->m_ScreenGyou[0] : 1, 1, kMaxVisibleGyou);
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
    if (!d || d->m_ScreenGyou[0] <= m_VisibleGyou)
        return false;
    d->m_TopGyou[0] += d->m_ScreenGyou[0] - m_VisibleGyou;
    d->m_ScreenGyou[0] = m_VisibleGyou;
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
// Painting

void GridViewBase::DrawRow(Dc& dc, bool boxes, RowLook look, bool texts, bool rule) {
    GyouStore* d = Store();
    const int screenRow = std::clamp(d ? d->m_ScreenGyou[0] : 1, 1, kMaxVisibleGyou);
    kiv::grid::DrawGridRow(dc, ScreenGeometry(), m_Desc, m_EditGyou, screenRow, m_HScrollPairs, boxes, texts, rule,
                           look == RowLook::Selected);
    // Drawing ends on the current field with a fresh geometry, as every caller expects.
    CalcFieldPos();
}

void GridViewBase::DrawRowOwnDc(bool boxes, RowLook look, bool texts, bool rule) {
    std::unique_ptr<Dc> dc = getDc();
    if (!dc)
        return;
    FontScope font(*dc, GridFont());
    DrawRow(*dc, boxes, look, texts, rule);
}

void GridViewBase::DrawCurFieldOwnDc(bool grouped) {
    std::unique_ptr<Dc> dc = getDc();
    if (!dc)
        return;
    FontScope font(*dc, GridFont());
    dc->setTextColor(m_Desc.Colors.RowText);
    dc->setBkColor(m_Desc.Colors.RowFill);
    kiv::grid::DrawFieldText(*dc, ScreenGeometry(), m_FieldPos, m_EditGyou, CommaCellsOf(m_CurField[0]), grouped);
}

// Drawn whether or not the cell is marked full: Esc, Delete and Backspace on a cell typed full
// change it, and the screen must show what the buffer holds.
void GridViewBase::DrawCurField() { DrawCurFieldOwnDc(false); }

void GridViewBase::DrawCurFieldFormatted() { DrawCurFieldOwnDc(true); }

void GridViewBase::DrawCurGyou() { DrawRowOwnDc(false, RowLook::Normal, true, false); }

void GridViewBase::DrawGyouFramed() { DrawRowOwnDc(true, RowLook::Normal, true, true); }

void GridViewBase::DrawTitle(Dc& dc) {
    const Pen oldPen = dc.selectPen({PenStyle::Solid, 1, m_Desc.Colors.ClientPen});
    const Brush oldBrush = dc.selectBrush(Brush::solid(m_Desc.Colors.ClientFill));
    dc.rectangle(clientRect());
    dc.selectPen(oldPen);
    dc.selectBrush(oldBrush);
    kiv::grid::DrawCaption(dc, ScreenGeometry(), m_Desc, m_HScrollPairs);
}

void GridViewBase::DrawGyouAt(int gyou, int screenRow) {
    GyouStore* d = Store();
    if (!d || screenRow < 1 || screenRow > m_VisibleGyou)
        return;
    d->m_CurGyou[0] = gyou;
    d->m_ScreenGyou[0] = screenRow;
    if (gyou >= 1 && gyou <= d->m_GyouCount)
        LoadGyou();
    else
        ClearGyouBuffer();
    DrawGyouFramed();
}

void GridViewBase::RedrawVisibleGyou(bool framed) {
    GyouStore* d = Store();
    std::unique_ptr<Dc> dc = d ? getDc() : nullptr;
    if (!dc)
        return;
    KeepCursorOnScreen();
    SavePosition(2);
    {
        FontScope font(*dc, GridFont());
        int gyou = d->m_TopGyou[0] + 1;
        for (int s = 1; s <= m_VisibleGyou; ++s, ++gyou) {
            d->m_CurGyou[0] = gyou;
            d->m_ScreenGyou[0] = s;
            LoadGyou();
            if (gyou > d->m_GyouCount)
                ClearGyouBuffer();
            DrawRow(*dc, framed, RowLook::Normal, true, framed);
        }
    }
    RestorePosition(2);
    CalcFieldPos();
    LoadGyou();
}

void GridViewBase::RedrawGyou() { RedrawVisibleGyou(true); }

void GridViewBase::RedrawGyou2() { RedrawVisibleGyou(false); }

void GridViewBase::onDraw(Dc& dc) {
    GyouStore* d = Store();
    UpdateStatusPane();
    if (dc.isPrinting())
        return;
    FontScope font(dc, GridFont());
    const kiv::ui::TextMetrics tm = dc.textMetrics();
    m_CharWidth = tm.aveCharWidth;
    m_CharHeight = tm.height;
    m_LineHeight = tm.height + 4;
    m_VisibleGyou = VisibleGyouFor(clientRect().height());
    const bool cursorMoved = KeepCursorOnScreen();
    if (!d) {
        DrawTitle(dc);
        return;
    }
    // A paint may come between two keystrokes: the cell being typed and the caret survive it.
    const int typedCount = m_TypedCount;
    const int pointTyped = m_PointTyped;
    const int caretOfs = m_CaretOfs;
    const bool typing = m_TypedCount > 0;
    const std::string editing = m_EditGyou;
    const int cursorGyou = d->m_CurGyou[0];
    SavePosition(2);
    DrawTitle(dc);
    int gyou = d->m_TopGyou[0] + 1;
    for (int s = 1; s <= m_VisibleGyou; ++s) {
        d->m_CurGyou[0] = gyou;
        d->m_ScreenGyou[0] = s;
        DrawRow(dc, true, RowLook::Normal, false, true);
        if (gyou <= d->m_GyouCount) {
            if (typing && gyou == cursorGyou)
                m_EditGyou = editing;
            else
                LoadGyou();
            DrawRow(dc, false, RowLook::Normal, true, false);
            ++gyou;
        }
    }
    RestorePosition(2);
    CalcFieldPos();
    m_TypedCount = typedCount;
    m_PointTyped = pointTyped;
    m_CaretOfs = caretOfs;
    if (typing)
        m_EditGyou = editing;
    else
        LoadGyou();
    OnDrawn();
    if (cursorMoved && hasFocus())
        SetCaretToField();
}

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
    const int cur = d->m_CurGyou[0];
    const bool append = cur >= d->m_GyouCount;
    if (append) {
        // The cursor stood on the row after the last: that row joins the category first, so the
        // cursor never goes further below the category than one row.
        if (cur > d->m_GyouCount && !JoinCursorGyou()) {
            CalcFieldPos();
            return;
        }
        // Nothing moves when the category or the store has no room for one more row.
        if (!AddGyou()) {
            CalcFieldPos();
            return;
        }
    }
    const int next = d->m_CurGyou[0] + 1;
    if (d->m_ScreenGyou[0] >= m_VisibleGyou) {
        ScrollGridRows(1, m_VisibleGyou - 1, -1);
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

void GridViewBase::SkipKeisanField() {
    while (m_FieldPos.Skip == 1 && m_CurField[0] < m_Desc.LastField) {
        ++m_CurField[0];
        CalcFieldPos();
    }
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
    if (!d || d->m_TopGyou[0] < 1)
        return false;
    StoreGyou();
    SavePosition(1);
    const int top = d->m_TopGyou[0];
    if (m_VisibleGyou >= 2)
        ScrollGridRows(1, m_VisibleGyou, 1);
    DrawGyouAt(top, 1);
    RestorePosition(1);
    CalcFieldPos();
    --d->m_CurGyou[0];
    --d->m_TopGyou[0];
    LoadGyou();
    return true;
}

bool GridViewBase::ScrollStepDown() {
    GyouStore* d = Store();
    if (!d)
        return false;
    const int top = d->m_TopGyou[0];
    const int v = m_VisibleGyou;
    if (d->m_GyouCount - top < v || d->m_CurGyou[0] >= m_Desc.MaxGyou)
        return false;
    StoreGyou();
    SavePosition(1);
    if (v >= 2)
        ScrollGridRows(1, v - 1, -1);
    DrawGyouAt(top + v, v - 1);
    DrawGyouAt(top + v + 1, v);
    RestorePosition(1);
    CalcFieldPos();
    ++d->m_CurGyou[0];
    ++d->m_TopGyou[0];
    LoadGyou();
    return true;
}

void GridViewBase::ResetVScroll(int max) {
    GyouStore* d = Store();
    setScrollRange(kiv::ui::SB_VERT, 0, max);
    setScrollPos(kiv::ui::SB_VERT, d ? d->m_CurGyou[0] : 0);
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
        else if (last < pos && last < d->m_GyouCount)
            step(false);
        last = pos;
        break;
    }
    default: break;
    }
    ResetVScroll(d->m_GyouCount);
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
    ResetVScroll(d->m_GyouCount);
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
        d->m_CurGyou[0] = std::max(1, d->m_CurGyou[0]);
        d->m_TopGyou[0] = d->m_CurGyou[0] - 1;
    } else {
        d->m_TopGyou[0] = 0;
        d->m_CurGyou[0] = 1;
    }
    d->m_ScreenGyou[0] = 1;
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

// ---------------------------------------------------------------------------------------------
// Typing

void GridViewBase::ClearField() {
    GyouRecord::fitLength(m_EditGyou);
    m_EditGyou.replace(static_cast<std::size_t>(m_FieldPos.Offset), static_cast<std::size_t>(m_FieldPos.Width),
                       static_cast<std::size_t>(m_FieldPos.Width), ' ');
}

bool GridViewBase::EnsureCursorGyou() {
    GyouStore* d = Store();
    if (!d)
        return false;
    if (d->m_CurGyou[0] <= d->m_GyouCount)
        return true;
    if (!JoinCursorGyou())
        return false;
    MarkChanged();
    return true;
}

bool GridViewBase::JoinCursorGyou() {
    GyouStore* d = Store();
    if (!d || !AddGyou())
        return false;
    d->m_CurGyou[0] = d->m_GyouCount;
    std::string edited = m_EditGyou;
    RenumberStoreGyou();
    // Whatever the buffer held besides the key (Backspace or Delete on a blank row change
    // nothing) stays with the new row, with a new row's defaults where it is blank.
    edited.replace(0, 8, m_EditGyou, 0, 8);
    GyouRecord::fitLength(edited);
    NewGyouDefaults(edited);
    m_EditGyou = edited;
    StoreGyou();
    return true;
}

void GridViewBase::CommitGyou() {
    GyouStore* d = Store();
    if (!d || (!m_Desc.CommitsRowAfterLast && d->m_CurGyou[0] > d->m_GyouCount))
        return;   // the empty row after the last belongs to no row yet
    StoreGyou();
    SavePosition(1);
    RecalcGyou();
    RestorePosition(1);
}

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

bool GridViewBase::PutCalcResult(const std::string& result) {
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
    MarkChanged();
    return true;
}

void GridViewBase::OpenCalcFromCell(char op) {
    CCalcDialog calc(this);
    calc.m_Display = std::string(kiv::text::trimBlanks(kiv::grid::CellOf(m_EditGyou, m_FieldPos)));
    calc.m_Value = kiv::text::parseDecimal(calc.m_Display);
    calc.m_Op = op;
    if (calc.doModal() != kiv::ui::IDOK)
        return;
    if (!PutCalcResult(calc.m_Display))
        return;
    StoreGyou();
    RecalcNumberCell();
    RedrawGyou();
    NextField();
    SetImeForField();
}

void GridViewBase::CalcOnDoubleClick() {
    GyouStore* d = Store();
    if (!d || m_FieldPos.IsText != 0 || d->m_CurGyou[0] > d->m_GyouCount)
        return;
    CCalcDialog calc(this);
    if (calc.doModal() != kiv::ui::IDOK || !PutCalcResult(calc.m_Display))
        return;
    StoreGyou();
    SavePosition(1);
    RecalcNumberCell();
    RedrawGyou();
    ResetVScroll(m_VisibleGyou);
    SetCaretToField();
    showCaret();
    RestorePosition(1);
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
                if (m_Desc.StoresAfterDelete && d->m_CurGyou[0] <= d->m_GyouCount)
                    StoreGyou();
            }
            break;
        case 9:
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
        if (d->m_ScreenGyou[0] > 1) {
            leaveRow(true);
            --d->m_ScreenGyou[0];
            --d->m_CurGyou[0];
            SavePosition(1);
            LoadGyou();
        } else if (d->m_TopGyou[0] > 0) {
            leaveRow(true);
            ScrollStepUp();
            SavePosition(1);
        }
        ResetVScroll(m_Desc.BarRangeIsVisibleRows ? m_VisibleGyou : d->m_GyouCount);
        CalcFieldPos();
        break;
    case VK_DOWN:
        hideCaret();
        if (d->m_ScreenGyou[0] < m_VisibleGyou && d->m_CurGyou[0] < d->m_GyouCount) {
            leaveRow(true);
            ++d->m_ScreenGyou[0];
            ++d->m_CurGyou[0];
            SavePosition(1);
            LoadGyou();
        } else if (d->m_ScreenGyou[0] >= m_VisibleGyou && d->m_CurGyou[0] <= d->m_GyouCount) {
            // On the last screen row the grid steps on, the cursor keeping its screen row: from
            // the category's last row that is the empty row after it, which text typed there
            // makes a row.
            leaveRow(false);
            SavePosition(1);
            ScrollStepDown();
        }
        ResetVScroll(m_Desc.BarRangeIsVisibleRows ? m_VisibleGyou : d->m_GyouCount);
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
        if (m_Desc.StoresAfterDelete && d->m_CurGyou[0] <= d->m_GyouCount)
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

// ---------------------------------------------------------------------------------------------
// The mouse and the one-cell copy

int GridViewBase::HitField(int screenRow, kiv::ui::Point p) const {
    const int cw = m_CharWidth;
    const int lh = m_LineHeight;
    for (int f = m_Desc.FirstField; f <= m_Desc.LastField; ++f) {
        if (!IsCursorField(f))
            continue;
        const FieldPos pos = ::CalcFieldPos(*m_Desc.Table, f, screenRow, m_HScrollPairs).Pos;
        if ((pos.X0 - 1) * cw <= p.x && p.x <= (pos.X1 + 1) * cw && pos.Line * lh <= p.y && p.y <= (pos.Line + 1) * lh)
            return f;
    }
    return 0;
}

void GridViewBase::OnNumberCellClicked() {
    LoadGyou();
    RecalcNumberCell();
    RedrawGyou();
    ResetVScroll(m_VisibleGyou);
}

void GridViewBase::onLButtonDown(unsigned flags, kiv::ui::Point p) {
    GyouStore* d = Store();
    if (!d) {
        View::onLButtonDown(flags, p);
        return;
    }
    m_PendingLead = -1;
    CheckTypingCell();
    SavePosition(1);
    OnLeaveCell();
    if (m_Desc.CommitsRowAfterLast || d->m_CurGyou[0] <= d->m_GyouCount)
        StoreGyou();
    hideCaret();
    // A point on the line between two rows hits both: the first one hit wins, or the last.
    int hitRow = 0;
    int hitField = 0;
    for (int s = 1; s <= m_VisibleGyou && d->m_TopGyou[0] + s <= d->m_GyouCount + 1 &&
                    (hitRow == 0 || m_Desc.ClickOnRuleHitsLowerRow);
         ++s)
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
            // A click on the row after the category's last appends an empty row, cursor on the
            // row's first field.
            if (AddGyou()) {
                d->m_CurGyou[0] = d->m_GyouCount;
                RenumberStoreGyou();
                MarkChanged();
                CalcFieldPos();
                DrawCurGyou();
                m_CurField[0] = m_Desc.FirstField;
            } else {
                take = false;
            }
        }
        if (take) {
            CalcFieldPos();
            if (m_FieldPos.IsText == 0)
                OnNumberCellClicked();
            LoadGyou();
            SavePosition(1);
        }
    }
    RestorePosition(1);
    LoadGyou();
    CalcFieldPos();
    if (m_Desc.BarRangeIsVisibleRows)
        ResetVScroll(m_VisibleGyou);
    SetCaretToField();
    showCaret();
    SetImeForField();
    TakeRangeStep();
    CheckTypingCell();
    View::onLButtonDown(flags, p);
}

void GridViewBase::OnEditCopy() {
    if (!Store())
        return;
    gridedit::CopyCellText(m_EditGyou, m_FieldPos.Offset, m_FieldPos.Width, m_FieldCopyBuf);
}

void GridViewBase::OnEditCut() {
    GyouStore* d = Store();
    if (!d)
        return;
    hideCaret();
    if (!CellEditRefused()) {
        OnEditCopy();
        m_FieldUndoBuf = m_FieldCopyBuf;
        m_FieldUndoCell = CurrentCell();
        ClearField();
        if (m_Desc.CommitsRowAfterLast || d->m_CurGyou[0] <= d->m_GyouCount)
            StoreGyou();
    }
    RedrawGyou();
    CalcFieldPos();
    SetCaretToField();
    showCaret();
}

std::uint64_t GridViewBase::StoreId() const { return reinterpret_cast<std::uintptr_t>(Store()); }

GridViewBase::CellRef GridViewBase::CurrentCell() const {
    const GyouStore* d = Store();
    return {d ? StoreId() : 0, d ? d->m_CurKoumoku[0] : 0, d ? d->m_CurGyou[0] : 0, m_CurField[0]};
}

bool GridViewBase::PasteCell() {
    if (!gridedit::PasteCellText(m_EditGyou, m_CurField[0], m_FieldPos.IsText != 0, m_FieldCopyBuf))
        return false;
    if (!EnsureCursorGyou())
        return false;
    StoreGyou();
    return true;
}

bool GridViewBase::UndoCell() {
    // Only the cell the text was cut from takes it back.
    if (!(CurrentCell() == m_FieldUndoCell) || m_FieldUndoBuf.find_first_not_of(' ') == std::string::npos)
        return false;
    gridedit::RestoreCellText(m_EditGyou, m_FieldPos.Offset, m_FieldPos.Width, m_FieldUndoBuf);
    StoreGyou();
    return true;
}
