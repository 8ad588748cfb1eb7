// Printing a full totals document: 30,000 rows over 999 categories (1,998 sheets of 25 rows).
// The preparation (every category recalculated, the sheet table) and the last sheet drawn into
// the headless recording of the A4 portrait device.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "BenchState.h"
#include "estimate/GyouRecord.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/print/PrintView.h"
#include "platform/text/Cp932.h"
#include "platform/ui/App.h"
#include "totals/TotalDoc.h"
#include "totals/TotalPrint.h"
#include "totals/TotalView.h"

namespace {

namespace fs = std::filesystem;
using kiv::text::sj;

constexpr int kRows = 30000;
constexpr int kKoumoku = 999;

struct LargeTotals {
    benchsupport::ProgramState restore;
    fs::path dir;
    kiv::ui::headless::HeadlessBackend backend;
    std::unique_ptr<kiv::ui::App> app;
    std::unique_ptr<CTotalDoc> doc;
    std::unique_ptr<CTotalView> view;

    LargeTotals() {
        dir = fs::temp_directory_path() / ("kiv-bench-total-print-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        ::setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
        kiv::ui::setBackend(&backend);
        app = std::make_unique<kiv::ui::App>();
        doc = std::make_unique<CTotalDoc>();
        doc->ClearGyou();
        // Rows spread evenly: the first categories take one row more.
        int slot = 0;
        for (int k = 1; k <= kKoumoku; ++k) {
            const int rows = kRows / kKoumoku + (k <= kRows % kKoumoku ? 1 : 0);
            for (int g = 1; g <= rows; ++g) {
                std::string r = GyouRecord::blankRow();
                GyouRecord::writeKey(r, k, g);
                if (g == rows) {
                    GyouRecord::putText(r, GyouRecord::Hinmei, sj("　小計"));
                } else {
                    GyouRecord::putText(r, GyouRecord::Hinmei, sj("配管用炭素鋼鋼管"));
                    GyouRecord::putText(r, GyouRecord::Kikaku, sj("白　ねじ込み") + " 25A");
                    GyouRecord::putNumber(r, GyouRecord::SekisanSuu1, "13");
                    GyouRecord::putNumber(r, GyouRecord::SekisanSuu2, "12.5");
                    GyouRecord::putText(r, GyouRecord::Tanni, "m");
                    GyouRecord::putNumber(r, GyouRecord::Tanka1, "1850");
                    GyouRecord::putNumber(r, GyouRecord::Tanka2, "1700");
                    GyouRecord::putText(r, GyouRecord::Bikou1, sj("機械室"));
                }
                doc->SetPoolGyou(slot++, r);
            }
        }
        doc->SetPoolGyouCount(slot);
        doc->RebuildTotalIndex();
        doc->m_CurKoumoku[0] = 1;
        doc->LoadKoumokuGyou();
        view = std::make_unique<CTotalView>();
        doc->addView(view.get());
    }
    ~LargeTotals() {
        doc->removeView(view.get());
        view.reset();
        doc.reset();
        app.reset();
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    // The preparation as a preview runs it (no dialog); the sheets counted.
    int prepare(kiv::print::PrintInfo& info) {
        info.preview = true;
        view->Print().onPreparePrinting(info);
        return info.maxPage;
    }
};

void BM_TotalPrintPrepare(benchmark::State& state) {
    LargeTotals t;
    int sheets = 0;
    for (auto _ : state) {
        kiv::print::PrintInfo info;
        sheets = t.prepare(info);
    }
    state.counters["sheets"] = sheets;
}
BENCHMARK(BM_TotalPrintPrepare)->Unit(benchmark::kMillisecond);

void BM_TotalPrintLastSheet(benchmark::State& state) {
    LargeTotals t;
    kiv::print::PrintInfo info;
    const int sheets = t.prepare(info);
    info.curPage = sheets;
    for (auto _ : state) {
        kiv::ui::headless::PrintedPage out;
        kiv::ui::headless::RecordingPrinterDc dc(info.geometry(), out);
        t.view->Print().onPrint(dc, info);
        benchmark::DoNotOptimize(out.texts.size());
    }
    state.counters["sheets"] = sheets;
}
BENCHMARK(BM_TotalPrintLastSheet)->Unit(benchmark::kMillisecond);

} // namespace
