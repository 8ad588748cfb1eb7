#include "totals/TotalView.h"

#include <string_view>

#include "grid/FieldTable.h"
#include "grid/GyouRecord.h"
#include "totals/TotalDoc.h"

namespace {

constexpr int kShownFields = 36;

} // namespace

CTotalDoc* CTotalView::GetDocument() const { return dynamic_cast<CTotalDoc*>(document()); }

void CTotalView::onDraw(kiv::ui::Dc& dc) {
    if (dc.isPrinting())
        return;
    const kiv::ui::Font old = dc.selectFont({"ＭＳ ゴシック", m_FontSize, 400});
    const kiv::ui::TextMetrics tm = dc.textMetrics();
    const int cw = tm.aveCharWidth;
    const int lh = tm.height + 4;
    const kiv::ui::Rect client = clientRect();
    dc.fillSolidRect(client, kBackColor);
    dc.setBkColor(kBackColor);
    const FieldTable& t = g_TotalFieldTable;
    // Caption lines 0 and 1.
    dc.setTextColor(kTitleColor);
    for (int f = 1; f <= kShownFields; ++f) {
        if (!t.Shown[f - 1] || t.XFrom[f - 1] == 0)
            continue;
        const std::string_view caption =
            std::string_view(g_TotalTitleText).substr(static_cast<std::size_t>(t.Offset[f - 1]),
                                                      static_cast<std::size_t>(t.Width[f - 1]));
        dc.textOut(t.XFrom[f - 1] * cw, t.Line[f - 1] * lh, caption);
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
            if (!t.Shown[f - 1] || t.XFrom[f - 1] == 0)
                continue;
            const int y = (t.BaseLine[s - 1] + t.Line[f - 1]) * lh;
            dc.textOut(t.XFrom[f - 1] * cw, y,
                       std::string_view(row).substr(static_cast<std::size_t>(t.Offset[f - 1]),
                                                    static_cast<std::size_t>(t.Width[f - 1])));
        }
        dc.moveTo(0, (2 * s + 2) * lh - 2);
        dc.lineTo(client.width(), (2 * s + 2) * lh - 2);
    }
    dc.selectFont(old);
}
