// 合計入力 reads the template rows of a whole master file each time it runs: a full master of
// 30,000 rows must be read, checked and searched under 100 ms, keeping no row but the templates.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>

#include "estimate/GyouRecord.h"
#include "estimate/MstFileReader.h"
#include "platform/archive/Archive.h"
#include "platform/files/Files.h"

namespace {

struct MasterFile {
    std::filesystem::path path;
    SetteiValues codes;
    MasterFile() {
        for (int k = 0; k < kKeisanTemplateCount; ++k)
            codes.codes[static_cast<std::size_t>(KeisanTemplateKind(k))] = 100 + k;
        kiv::archive::ArchiveWriter w;
        w.writeInt32(kMstMaxRows);
        // 300 categories of 100 rows; categories 100-112 are the computed kinds'.
        for (int i = 0; i < kMstMaxRows; ++i) {
            std::string row = GyouRecord::blankRow();
            GyouRecord::writeKey(row, 1 + i / 100, 1 + i % 100);
            GyouRecord::putText(row, GyouRecord::Hinmei, "ROW " + std::to_string(i));
            w.writeString(row);
        }
        path = std::filesystem::temp_directory_path() / ("kiv_bench_master_" + std::to_string(::getpid()) + ".mst");
        kiv::files::writeFileAtomically(path, w.bytes());
    }
    ~MasterFile() { std::filesystem::remove(path); }
};

void BM_MasterTemplates30000Rows(benchmark::State& state) {
    static MasterFile master;
    for (auto _ : state) {
        std::string message;
        auto t = ReadKeisanTemplates(master.path, master.codes, message);
        if (!t || t->oldLayout || t->rows[0].empty())
            state.SkipWithError("templates not read");
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK(BM_MasterTemplates30000Rows)->Unit(benchmark::kMillisecond);

} // namespace
