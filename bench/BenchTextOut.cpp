// Both text exports of a full estimate: 9,999 rows in 100 items, 1,000 distinct composite rows
// (each with two materials, a joint rate and a labour line), the rest plain rows; the dialogs
// answered, the files written.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "BenchEstimate.h"
#include "estimate/RoumuList.h"
#include "estimate/RoumuRecord.h"
#include "export/DaikaTextDialog.h"
#include "export/TextDialog.h"
#include "platform/headless/DialogDriver.h"

namespace {

namespace fs = std::filesystem;
using kiv::text::sj;

template <class Dialog>
void runTextExport(benchmark::State& state, int command) {
    const fs::path dir = fs::temp_directory_path() / ("kiv-bench-text-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    benchsupport::Estimate e(benchsupport::compositeRows(), dir);
    e.doc->m_NeedRecalc = 0;
    e.doc->m_Roumu = RoumuList({*RoumuRecord::build("1", sj("配管工"), "19000", "19000")});
    e.view->create(nullptr, kiv::ui::Rect::fromSize(0, 0, 1400, 600));
    const fs::path out = dir / "bench.txt";
    for (auto _ : state) {
        fs::remove(out);
        e.backend.expectDialog([&](kiv::ui::headless::DialogDriver& d) { d.type(Dialog::IDC_PATH, out.string()).click(kiv::ui::IDOK); },
                               Dialog::IDD);
        e.view->onCommand(command);
        e.backend.processPending();
        if (!fs::exists(out))
            state.SkipWithError("no file written");
    }
    state.counters["file_KB"] = fs::exists(out) ? static_cast<double>(fs::file_size(out)) / 1024.0 : 0;
    e.view.reset();
    fs::remove_all(dir);
}

void BM_UtiwakeTextOut(benchmark::State& state) { runTextExport<CTextDialog>(state, ID_TEXT_OUT); }
void BM_DaikaTextOut(benchmark::State& state) { runTextExport<CDaikaTextDialog>(state, ID_DAIKA_TEXT_OUT); }
BENCHMARK(BM_UtiwakeTextOut)->Unit(benchmark::kMillisecond)->Iterations(benchsupport::benchSize(3, 1));
BENCHMARK(BM_DaikaTextOut)->Unit(benchmark::kMillisecond)->Iterations(benchsupport::benchSize(3, 1));

} // namespace
