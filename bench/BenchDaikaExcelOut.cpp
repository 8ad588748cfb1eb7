// The composite unit-price workbook of a full estimate through command 32889: 9,999 rows in 100
// items, 1,000 distinct composite rows (composite style, so every block shows its labour line),
// the dialog answered, the .xlsx written by the stand-in. The peak resident memory of the process
// is reported as a counter (run this benchmark alone for its own figure).
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "BenchEstimate.h"
#include "estimate/RoumuList.h"
#include "estimate/RoumuRecord.h"
#include "export/DaikaExcelDialog.h"
#include "platform/headless/DialogDriver.h"

namespace {

namespace fs = std::filesystem;

void BM_DaikaExcelOut(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / ("kiv-bench-daika-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    benchsupport::Estimate e(benchsupport::compositeRows(), dir);
    e.doc->m_NeedRecalc = 0;
    e.doc->m_SetteiValues.SekisanYousiki = 1;
    e.doc->m_Roumu = RoumuList({*RoumuRecord::build("1", kiv::text::sj("配管工"), "19000", "19000")});
    e.view->create(nullptr, kiv::ui::Rect::fromSize(0, 0, 1400, 600));
    const fs::path out = dir / "bench.xlsx";
    for (auto _ : state) {
        fs::remove(out);
        e.backend.expectDialog(
            [&](kiv::ui::headless::DialogDriver& d) { d.type(CDaikaExcelDialog::IDC_PATH, out.string()).click(kiv::ui::IDOK); },
            CDaikaExcelDialog::IDD);
        e.view->onCommand(ID_DAIKA_EXCEL);
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
BENCHMARK(BM_DaikaExcelOut)->Unit(benchmark::kMillisecond)->Iterations(benchsupport::benchSize(3, 1));

} // namespace
