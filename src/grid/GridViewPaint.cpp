// Drawing the grid: boxes, texts, rules and captions through a geometry (screen and paper
// alike), the view's rows and current field, the redraws and the paint.
#include "grid/GridViewBase.h"

#include <algorithm>
#include <memory>

#include "estimate/GyouStore.h"
#include "grid/GridCell.h"
#include "grid/GroupDigits.h"

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

} // namespace kiv::grid

using kiv::grid::FontScope;

// ---------------------------------------------------------------------------------------------
// Painting

void GridViewBase::DrawRow(Dc& dc, bool boxes, RowLook look, bool texts, bool rule) {
    GyouStore* d = Store();
    const int screenRow = std::clamp(d ? d->ScreenGyou() : 1, 1, kMaxVisibleGyou);
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
    d->SetCurGyou(gyou);
    d->SetScreenGyou(screenRow);
    if (gyou >= 1 && gyou <= d->GyouCount())
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
        int gyou = d->TopGyou() + 1;
        for (int s = 1; s <= m_VisibleGyou; ++s, ++gyou) {
            d->SetCurGyou(gyou);
            d->SetScreenGyou(s);
            LoadGyou();
            if (gyou > d->GyouCount())
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
    const int cursorGyou = d->CurGyou();
    SavePosition(2);
    DrawTitle(dc);
    int gyou = d->TopGyou() + 1;
    for (int s = 1; s <= m_VisibleGyou; ++s) {
        d->SetCurGyou(gyou);
        d->SetScreenGyou(s);
        DrawRow(dc, true, RowLook::Normal, false, true);
        if (gyou <= d->GyouCount()) {
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
