// Typing one row of the estimate grid through the view's key and character handlers: every field
// the cursor stops at from 記号 to the category number gets a text or a number and Enter, as a
// user keys a row in. Enter on a number recalculates the item (100 rows of the bench estimate),
// so the figure is the grid's typing path plus the item recalculation it triggers.
#include <benchmark/benchmark.h>

#include <string>

#include "BenchEstimate.h"
#include "grid/KivView.h"
#include "platform/ui/Keys.h"

namespace {

using benchsupport::Estimate;

constexpr int kItem = 11;   // an item of plain rows (the first ten are composite rows)
constexpr int kGyou = 2;

void typeInto(CKivView& v, const std::string& s) {
    for (const char c : s)
        v.onChar(static_cast<unsigned char>(c), 1, 0);
}

void BM_TypeRow(benchmark::State& state) {
    Estimate e(benchsupport::compositeRows());
    CKivView& v = *e.view;
    v.create(nullptr, kiv::ui::Rect::fromSize(0, 0, 1400, 600));
    CKivDoc& d = *e.doc;
    d.m_CurKoumoku[0] = kItem;
    d.LoadKoumokuGyou();
    int fieldsTyped = 0;
    for (auto _ : state) {
        state.PauseTiming();
        d.m_CurGyou[0] = kGyou;
        d.m_ScreenGyou[0] = kGyou;
        d.m_TopGyou[0] = 0;
        v.m_CurField[0] = CKivView::m_FirstField;
        v.LoadGyou();
        v.CalcFieldPos();
        state.ResumeTiming();
        // Field by field until Enter on the row's last field takes the cursor to the next row.
        fieldsTyped = 0;
        while (d.m_CurGyou[0] == kGyou && fieldsTyped < CKivView::m_LastField) {
            v.onKeyDown(kiv::ui::VK_DELETE, 1, 0);
            typeInto(v, v.m_FieldPos.IsText == 1 ? "AB1" : "12");
            v.onChar('\r', 1, 0);
            ++fieldsTyped;
        }
    }
    state.counters["fields"] = fieldsTyped;
}
BENCHMARK(BM_TypeRow)->Unit(benchmark::kMillisecond);

} // namespace
