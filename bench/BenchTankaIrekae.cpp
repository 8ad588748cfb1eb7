// 単価入替 of a 9,999-row estimate against a 30,000-row master of which every other one of the first
// 9,999 rows names an estimate row (half the estimate rows find their master row). The
// recalculation that follows the exchange is left out: it is measured on its own.
#include <benchmark/benchmark.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "BenchEstimate.h"
#include "estimate/GyouRecord.h"
#include "estimate/RecalcSeams.h"

namespace {

std::string named(int a, int b, const std::string& name, const char* tanka) {
    std::string row = GyouRecord::blankRow();
    GyouRecord::writeKey(row, a, b);
    GyouRecord::putText(row, GyouRecord::Hinmei, name);
    GyouRecord::putText(row, GyouRecord::Kikaku, "SPEC-" + name);
    GyouRecord::putNumber(row, GyouRecord::Tanka1, tanka);
    GyouRecord::putNumber(row, GyouRecord::Zai1Tanka1, tanka);
    return row;
}

void BM_TankaIrekae(benchmark::State& state) {
    constexpr int kRows = 9999;
    constexpr int kItemRows = 1000;
    std::vector<std::string> rows;
    for (int k = 1; k <= kRows; ++k)
        rows.push_back(named((k - 1) / kItemRows + 1, (k - 1) % kItemRows + 1, "ROW" + std::to_string(k), "100"));
    std::vector<std::string> master;
    for (int i = 0; i < 30000; ++i) {
        const bool twin = i < kRows && i % 2 == 0;
        master.push_back(named(i / 1000 + 1, i % 1000 + 1, twin ? "ROW" + std::to_string(i + 1) : "MST" + std::to_string(i),
                               "250"));
    }
    benchsupport::Estimate e(rows);
    recalcSeams().recalcAllKoumoku = {};
    recalcSeams().masterLines = [&]() -> std::optional<std::span<const std::string>> {
        return std::span<const std::string>(master);
    };
    for (auto _ : state) {
        QueueKivAnswer(true);
        e.view->OnTankaIrekae();
    }
    ClearKivPrompts();
}
BENCHMARK(BM_TankaIrekae)->Unit(benchmark::kMillisecond);

} // namespace
