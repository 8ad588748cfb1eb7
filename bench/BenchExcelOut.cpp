// The breakdown workbook of a full estimate through command 32884 (dialog answered, landscape,
// single spacing), the .xlsx written by the stand-in: 9,999 rows in 100 items, and 9,999 items
// of one row each, where every item is padded to a page of its own. The peak resident memory of
// the process is reported as a counter.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "BenchEstimate.h"
#include "estimate/GyouRecord.h"
#include "export/ExcelDialog.h"
#include "platform/headless/DialogDriver.h"

namespace {

namespace fs = std::filesystem;
using kiv::text::sj;

// `items` items of `perItem` rows, the last item one row short.
std::vector<std::string> fullEstimate(int items, int perItem) {
    std::vector<std::string> rows;
    for (int item = 1; item <= items; ++item)
        for (int g = 1; g <= (item == items && perItem > 1 ? perItem - 1 : perItem); ++g) {
            std::string r = GyouRecord::blankRow();
            GyouRecord::writeKey(r, item, g);
            GyouRecord::putText(r, GyouRecord::Kigou, "A" + std::to_string(g % 10));
            GyouRecord::putText(r, GyouRecord::Hinmei, sj("配管用炭素鋼鋼管"));
            GyouRecord::putText(r, GyouRecord::Kikaku, sj("白　ねじ込み") + " 25A");
            GyouRecord::putNumber(r, GyouRecord::HiroidasiSuu1, "12.5");
            GyouRecord::putNumber(r, GyouRecord::SekisanSuu1, "13.1");
            GyouRecord::putText(r, GyouRecord::Tanni, "m");
            GyouRecord::putNumber(r, GyouRecord::Tanka1, "1850");
            GyouRecord::putNumber(r, GyouRecord::Kingaku1, "24235");
            GyouRecord::putText(r, GyouRecord::Bikou1, sj("機械室"));
            GyouRecord::putNumber(r, GyouRecord::Hokyuu, "1.05");
            rows.push_back(std::move(r));
        }
    return rows;
}

void exportWorkbook(benchmark::State& state, int items, int perItem) {
    const fs::path dir = fs::temp_directory_path() / ("kiv-bench-excel-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    benchsupport::Estimate e(fullEstimate(items, perItem), dir);
    e.doc->m_NeedRecalc = 0;
    e.view->create(nullptr, kiv::ui::Rect::fromSize(0, 0, 1400, 600));
    const fs::path out = dir / "bench.xlsx";
    for (auto _ : state) {
        fs::remove(out);
        e.backend.expectDialog([&](kiv::ui::headless::DialogDriver& d) { d.type(ExcelDialog::IDC_PATH, out.string()).click(kiv::ui::IDOK); },
                               ExcelDialog::IDD);
        e.view->onCommand(ID_EXCEL_OUT);
        e.backend.processPending();
        if (!fs::exists(out))
            state.SkipWithError("no workbook written");
    }
    rusage ru{};
    ::getrusage(RUSAGE_SELF, &ru);
    state.counters["peak_MB"] = static_cast<double>(ru.ru_maxrss) / 1024.0;
    state.counters["xlsx_KB"] = fs::exists(out) ? static_cast<double>(fs::file_size(out)) / 1024.0 : 0;
    e.view.reset();
    fs::remove_all(dir);
}

void BM_ExcelOutFullEstimate(benchmark::State& state) { exportWorkbook(state, 100, 100); }
BENCHMARK(BM_ExcelOutFullEstimate)->Unit(benchmark::kMillisecond)->Iterations(benchsupport::benchSize(3, 1));

// A page of 36 sheet rows for each item: 360,000 rows of framed cells. The smoke run takes 300.
void BM_ExcelOut9999Items(benchmark::State& state) { exportWorkbook(state, benchsupport::benchSize(9999, 300), 1); }
BENCHMARK(BM_ExcelOut9999Items)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
