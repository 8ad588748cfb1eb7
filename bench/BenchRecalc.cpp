// The estimate's recalculation over large items: one item of 9,999 rows, and a whole-estimate pass
// over 100 items whose first item heads the others. Each must stay under 100 ms.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BenchEstimate.h"
#include "estimate/GyouRecord.h"
#include "recalc/KivRecalc.h"

namespace {

using benchsupport::Estimate;

// Argument 0 prices every row again on each pass, as the first pass after opening does (the
// record of settled rows and items dropped outside the timing); argument 1 keeps that record, as
// a repeated pass over rows that did not change since.
void ForgetSettledRows(benchmark::State& state, CKivDoc& doc) {
    if (state.range(0) != 0)
        return;
    state.PauseTiming();
    doc.m_RecalcMemo.reset();
    state.ResumeTiming();
}

void RecalcKoumoku9999(benchmark::State& state, const std::vector<std::string>& rows) {
    Estimate e(rows);
    if (e.doc->m_GyouCount != 9999)
        state.SkipWithError("the item does not hold 9999 rows");
    KivRecalc recalc(*e.view);
    for (auto _ : state) {
        ForgetSettledRows(state, *e.doc);
        recalc.RecalcKoumoku();
        benchmark::DoNotOptimize(e.doc->m_HyousiData[17]);
    }
    if (e.doc->m_HyousiData[17].find_first_not_of(' ') == std::string::npos)
        state.SkipWithError("no cover total");
    state.counters["rows"] = 9999;
}

// The item's breakdown rows repeat one another, as an estimate's rows do from section to section.
void BM_RecalcKoumoku9999Rows(benchmark::State& state) { RecalcKoumoku9999(state, benchsupport::koumoku9999Rows()); }
BENCHMARK(BM_RecalcKoumoku9999Rows)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same item with every breakdown row its own take-off quantity: no row recalculates as
// another one does.
void BM_RecalcKoumoku9999DistinctRows(benchmark::State& state) {
    std::vector<std::string> rows = benchsupport::koumoku9999Rows();
    int n = 0;
    for (std::string& r : rows)
        if (GyouRecord::toInt(r, GyouRecord::BunNo) == 0)
            GyouRecord::putNumber(r, GyouRecord::HiroidasiSuu1, std::to_string(1 + n++ % 9973) + ".5");
    RecalcKoumoku9999(state, rows);
}
BENCHMARK(BM_RecalcKoumoku9999DistinctRows)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_RecalcAll100Items(benchmark::State& state) {
    const std::vector<std::string> rows = benchsupport::allItemsRows();
    Estimate e(rows);
    KivRecalc recalc(*e.view);
    for (auto _ : state) {
        ForgetSettledRows(state, *e.doc);
        recalc.RecalcAllKoumoku();
        benchmark::DoNotOptimize(e.doc->WorkGyouAt(1));
    }
    if (GyouRecord::isBlank(e.doc->WorkGyouAt(1), GyouRecord::Kingaku1))
        state.SkipWithError("item 1's heading row got no total");
    state.counters["rows"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_RecalcAll100Items)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
