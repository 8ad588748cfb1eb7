#include "totals/TotalView.h"

#include <string_view>

#include "grid/FieldTable.h"
#include "grid/GridViewBase.h"
#include "grid/GyouRecord.h"
#include "platform/ui/Keys.h"
#include "totals/TotalDoc.h"
#include "totals/TotalPrint.h"

CTotalView::CTotalView() {
    onCommandId(kiv::ui::cmd::FilePrint, [this] { OnFilePrint(); });
    onCommandId(kiv::ui::cmd::FilePrintPreview, [this] { OnFilePrintPreview(); });
}

CTotalView::~CTotalView() = default;

CTotalDoc* CTotalView::GetDocument() const { return dynamic_cast<CTotalDoc*>(document()); }

void CTotalView::onDraw(kiv::ui::Dc& dc) {
    if (dc.isPrinting())
        return;
    const kiv::ui::Font old = dc.selectFont({"ＭＳ ゴシック", kFontSize, 400});
    const kiv::ui::TextMetrics tm = dc.textMetrics();
    const int cw = tm.aveCharWidth;
    const int lh = tm.height + 4;
    const kiv::ui::Rect client = clientRect();
    dc.fillSolidRect(client, kBackColor);
    dc.setBkColor(kBackColor);
    const FieldTable& t = g_TotalFieldTable;
    const kiv::grid::GridGeometry geometry{0, 0, cw, lh};
    // Caption lines 0 and 1: the caption line is laid out like a row.
    dc.setTextColor(kTitleColor);
    for (int f = 1; f <= kShownFields; ++f) {
        const FieldPos pos = CalcTitleFieldPos(t, f, 0).Pos;
        if (pos.Visible)
            kiv::grid::DrawFieldText(dc, geometry, pos, g_TotalTitleText, 0, false);
    }
    dc.moveTo(0, 2 * lh - 2);
    dc.lineTo(client.width(), 2 * lh - 2);
    CTotalDoc* d = GetDocument();
    if (!d) {
        dc.selectFont(old);
        return;
    }
    dc.setTextColor(kiv::ui::rgb(0, 0, 0));
    const int visible = std::max(1, std::min(100, (client.height() / lh - 2) / 2));
    for (int s = 1; s <= visible; ++s) {
        const int gyou = d->m_TopGyou[0] + s;
        if (gyou > d->m_GyouCount)
            break;
        std::string row = d->m_KoumokuGyou[static_cast<std::size_t>(gyou - 1)];
        GyouRecord::padLength(row);
        for (int f = 1; f <= kShownFields; ++f) {
            const FieldPos pos = CalcFieldPos(t, f, s, 0).Pos;
            if (pos.Visible)
                kiv::grid::DrawFieldText(dc, geometry, pos, row, t.CommaCells[static_cast<std::size_t>(f - 1)], true);
        }
        dc.moveTo(0, (2 * s + 2) * lh - 2);
        dc.lineTo(client.width(), (2 * s + 2) * lh - 2);
    }
    dc.selectFont(old);
}
