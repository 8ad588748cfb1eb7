// The totals grid's drawing routines on a geometry: the screen and the printed sheets place the
// same boxes, texts, grouped numbers, captions and dividers through them.
#include <cmath>

#include "grid/FieldTable.h"
#include "grid/GroupDigits.h"
#include "totals/TotalView.h"

namespace {

const FieldTable& table() { return g_TotalFieldTable; }

std::size_t at(int field) { return static_cast<std::size_t>(field - 1); }

int lineTop(const TotalGridGeometry& g, int line) { return (line + g.lineOffset) * g.pitch; }

int textTop(const TotalGridGeometry& g, int line) {
    return static_cast<int>((line + g.lineOffset) * g.pitch + g.textDrop * g.pitch);
}

} // namespace

bool CTotalView::IsDrawnField(int field) {
    return field >= 1 && field <= kShownFields && table().Shown[at(field)] != 0 && table().XFrom[at(field)] != 0;
}

kiv::ui::Rect CTotalView::FieldBox(const TotalGridGeometry& g, int field, int line) {
    const FieldTable& t = table();
    const int left = (t.XFrom[at(field)] - t.CommaCells[at(field)] - 1 + g.cellOffset) * g.cellWidth + 3;
    const int right = (t.XTo[at(field)] + 1 + g.cellOffset) * g.cellWidth + 4;
    return {left, lineTop(g, line) + g.boxTop, right, lineTop(g, line + 1) + g.boxBottom};
}

void CTotalView::DrawFieldBox(kiv::ui::Dc& dc, const TotalGridGeometry& g, int field, int line) {
    if (IsDrawnField(field))
        dc.rectangle(FieldBox(g, field, line));
}

void CTotalView::DrawFieldText(kiv::ui::Dc& dc, const TotalGridGeometry& g, int field, int line, std::string_view row) {
    if (!IsDrawnField(field))
        return;
    const FieldTable& t = table();
    const std::size_t offset = static_cast<std::size_t>(t.Offset[at(field)]);
    const std::size_t width = static_cast<std::size_t>(t.Width[at(field)]);
    const std::string_view cell = offset < row.size() ? row.substr(offset, width) : std::string_view();
    const int y = textTop(g, line);
    if (t.IsText[at(field)] == 0 && t.CommaCells[at(field)] != 0 && cell.size() <= GroupedDigits::MaxWidth) {
        // Thousands separators take cells to the left of the number.
        const GroupedDigits grouped = GroupDigits(cell);
        const double cells = t.XFrom[at(field)] - grouped.Spare + g.cellOffset + g.numberShift;
        dc.textOut(static_cast<int>(cells * g.cellWidth), y, grouped.Text(static_cast<int>(cell.size())));
        return;
    }
    dc.textOut((t.XFrom[at(field)] + g.cellOffset) * g.cellWidth, y, cell);
}

void CTotalView::DrawCaption(kiv::ui::Dc& dc, const TotalGridGeometry& g, int field) {
    if (!IsDrawnField(field))
        return;
    const FieldTable& t = table();
    const std::string_view caption = std::string_view(g_TotalTitleText)
                                         .substr(static_cast<std::size_t>(t.Offset[at(field)]),
                                                 static_cast<std::size_t>(t.Width[at(field)]));
    dc.textOut((t.XFrom[at(field)] + g.cellOffset) * g.cellWidth, textTop(g, t.Line[at(field)]), caption);
}

void CTotalView::DrawDivider(kiv::ui::Dc& dc, const TotalGridGeometry& g, int lowerLine) {
    const int y = lineTop(g, lowerLine) + g.boxTop;
    dc.moveTo(FieldBox(g, 2, lowerLine).left, y);
    dc.lineTo(FieldBox(g, kShownFields, lowerLine).right, y);
}
