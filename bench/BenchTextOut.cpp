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
#include "grid/GyouRecord.h"
#include "platform/headless/DialogDriver.h"

namespace {

namespace fs = std::filesystem;
using G = GyouRecord;
using kiv::text::sj;

std::vector<std::string> compositeEstimate() {
    std::vector<std::string> rows;
    int n = 0;
    for (int item = 1; item <= 100; ++item)
        for (int g = 1; g <= (item == 100 ? 99 : 100); ++g, ++n) {
            std::string r = G::blankRow();
            G::writeKey(r, item, g);
            G::putText(r, G::Hinmei, sj("配管用炭素鋼鋼管"));
            G::putText(r, G::Kikaku, "25A-" + std::to_string(n % 1000));
            G::putNumber(r, G::HiroidasiSuu1, "12.5");
            G::putNumber(r, G::SekisanSuu1, "13.1");
            G::putText(r, G::Tanni, "m");
            G::putNumber(r, G::Tanka1, "1850");
            G::putNumber(r, G::Kingaku1, "24235");
            G::putNumber(r, G::Hokyuu, "1.05");
            if (n % 10 < 1 || n < 1000) {
                G::putNumber(r, G::FukuHyouji, "1");
                G::putText(r, G::Zai1Hinmei, sj("鋼管"));
                G::putNumber(r, G::Zai1Suu, "1.05");
                G::putNumber(r, G::Zai1Tanka1, "850");
                G::putText(r, G::Zai2Hinmei, sj("保温材"));
                G::putNumber(r, G::Zai2Suu, "1");
                G::putNumber(r, G::Zai2Tanka1, "420");
                G::putNumber(r, G::TugiteRitu, "0.3");
                G::putNumber(r, G::Roumu1No, "1");
                G::putNumber(r, G::Roumu1Bukake, "0.12");
            }
            rows.push_back(std::move(r));
        }
    return rows;
}

template <class Dialog>
void runTextExport(benchmark::State& state, int command) {
    const fs::path dir = fs::temp_directory_path() / ("kiv-bench-text-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    benchsupport::Estimate e(compositeEstimate(), dir);
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

void BM_UtiwakeTextOut(benchmark::State& state) { runTextExport<CTextDialog>(state, CKivView::ID_TEXT_OUT); }
void BM_DaikaTextOut(benchmark::State& state) { runTextExport<CDaikaTextDialog>(state, CKivView::ID_DAIKA_TEXT_OUT); }
BENCHMARK(BM_UtiwakeTextOut)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DaikaTextOut)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
