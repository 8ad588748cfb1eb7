// The totals at their working sizes. Converting (積算ﾌｧｲﾙを変換) an estimate of 9,999 rows taken
// from 300 master categories, with a 30,000-line master, reading both files included, must stay
// under a second. A full recalculation (RebuildKoumokuList with m_NeedRecalc) of 30,000 rows in
// 999 categories must stay under 0.3 s.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <array>
#include <filesystem>

#include "BenchSize.h"
#include "estimate/GyouRecord.h"
#include "estimate/KivFile.h"
#include "estimate/MstFile.h"
#include "platform/files/Files.h"
#include "totals/TotalDoc.h"
#include "totals/TotalFile.h"

namespace {

namespace fs = std::filesystem;
using G = GyouRecord;

fs::path tempPath(const std::string& name) {
    return fs::temp_directory_path() / ("kiv_bench_totals_" + std::to_string(::getpid()) + "_" + name);
}

struct ConversionFiles {
    fs::path master = tempPath("m.MST");
    fs::path estimate = tempPath("e.KIV");
    ConversionFiles() {
        constexpr int kCategories = 300;
        // 30,000 master lines, 100 a category, line 1 the category's heading.
        std::vector<std::string> lines;
        lines.reserve(kMstMaxRows);
        for (int i = 0; i < kMstMaxRows; ++i) {
            const int bun = 1 + i / (kMstMaxRows / kCategories);
            const int gyou = 1 + i % (kMstMaxRows / kCategories);
            std::string row = G::blankRow();
            G::writeKey(row, bun, gyou);
            G::putText(row, G::Hinmei, gyou == 1 ? "HEADING " + std::to_string(bun) : "ITEM " + std::to_string(i));
            lines.push_back(std::move(row));
        }
        kiv::files::writeFileAtomically(master, WriteMstFile(lines));
        // 9,999 estimate rows over 300 categories, 20 different items in each: many merge.
        std::vector<std::string> rows;
        rows.reserve(9999);
        for (int i = 0; i < 9999; ++i) {
            std::string row = G::blankRow();
            G::writeKey(row, 1 + i / 100, 1 + i % 100);
            const int bun = 1 + i % kCategories;
            G::putText(row, G::Hinmei, "PIPE " + std::to_string((i / kCategories) % 20));
            G::putText(row, G::Kikaku, std::to_string(bun) + "A");
            G::putText(row, G::Tanni, "m");
            G::putNumber(row, G::SekisanSuu1, std::to_string(1 + i % 7));
            G::putNumber(row, G::SekisanSuu2, std::to_string(1 + i % 7));
            G::putNumber(row, G::Tanka1, "1200");
            G::putNumber(row, G::Tanka2, "1000");
            G::putNumber(row, G::Kingaku1, std::to_string(1200 * (1 + i % 7)));
            G::putNumber(row, G::Kingaku2, std::to_string(1000 * (1 + i % 7)));
            G::putNumber(row, G::BunNo, std::to_string(bun));
            rows.push_back(std::move(row));
        }
        kiv::files::writeFileAtomically(estimate, WriteKivFile({}, rows));
    }
    ~ConversionFiles() {
        fs::remove(master);
        fs::remove(estimate);
    }
};

void BM_TotalsConvert(benchmark::State& state) {
    static ConversionFiles files;   // built outside the timing
    for (auto _ : state) {
        CTotalDoc doc;
        if (!doc.ConvertEstimateFile(files.estimate.string(), files.master.string()) || doc.m_KoumokuCount != 301)
            state.SkipWithError("conversion failed");
    }
}
// Several runs: a single one is dominated by the first touch of the fresh process's memory.
BENCHMARK(BM_TotalsConvert)->Unit(benchmark::kMillisecond)->MinTime(benchsupport::benchSize(2.0, 0.001));

struct FullTotals {
    fs::path path = tempPath("full.TTL");
    FullTotals() {
        constexpr int kRows = 30000;
        constexpr int kCategories = 999;
        std::vector<std::string> rows;
        rows.reserve(kRows);
        std::vector<int> count(kCategories + 1, 0);
        for (int i = 0; i < kRows; ++i) {
            const int k = 1 + static_cast<int>(static_cast<long long>(i) * kCategories / kRows);
            const int gyou = ++count[static_cast<std::size_t>(k)];
            std::string row = G::blankRow();
            G::writeKey(row, k, gyou);
            G::putText(row, G::Hinmei, "ITEM " + std::to_string(i));
            G::putNumber(row, G::SekisanSuu1, std::to_string(1 + i % 9));
            G::putNumber(row, G::SekisanSuu2, "1.5");
            G::putNumber(row, G::Tanka1, "3333");
            G::putNumber(row, G::Tanka2, "2500");
            rows.push_back(std::move(row));
        }
        kiv::files::writeFileAtomically(path, WriteTotalFile(rows, kRows));
    }
    ~FullTotals() { fs::remove(path); }
};

void BM_TotalsRebuildKoumokuList(benchmark::State& state) {
    static FullTotals full;
    CTotalDoc doc;
    if (!doc.OnOpenDocument(full.path.string()) || doc.m_KoumokuCount != 999) {
        state.SkipWithError("totals not opened");
        return;
    }
    for (auto _ : state) {
        doc.m_NeedRecalc = 1;
        doc.RebuildKoumokuList();
    }
}
BENCHMARK(BM_TotalsRebuildKoumokuList)->Unit(benchmark::kMillisecond);

} // namespace
