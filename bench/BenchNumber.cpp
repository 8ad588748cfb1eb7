// Number parsing and formatting run for every field of every row on each recalculation.
#include <benchmark/benchmark.h>

#include "platform/text/Number.h"

using namespace kiv::text;

static void BM_ParseMultiplyFormat(benchmark::State& state) {
    for (auto _ : state) {
        Decimal q = parseDecimal("    12.5");
        Decimal p = parseDecimal("   43150.0");
        benchmark::DoNotOptimize(cformat("%12.1f", q * p));
    }
}
BENCHMARK(BM_ParseMultiplyFormat);
