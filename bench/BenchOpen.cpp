// A large estimate as a user meets it. Opening through the application (the estimate template,
// its split frame with the tree and the grid, the file read, the load's recalculation and the
// tree's first fill): 9,999 rows in 100 items under 150 ms, the same number of rows in one item
// under 300 ms. Enter on row 5,000 of a 9,999-row item after a new quantity was typed (the row
// committed and the item recalculated, as the key does it) under 10 ms.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BenchEstimate.h"
#include "BenchRows.h"
#include "estimate/GyouRecord.h"
#include "estimate/KivFile.h"
#include "estimate/KivMessage.h"
#include "estimate/RoumuFile.h"
#include "estimate/SetteiRecord.h"
#include "platform/files/Files.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/profile/Profile.h"
#include "platform/text/Cp932.h"
#include "platform/ui/App.h"
#include "shell/KivApp.h"

namespace {

namespace fs = std::filesystem;
using G = GyouRecord;

// A folder of the run, removed with what it holds.
struct TempFolder {
    fs::path path;
    explicit TempFolder(const std::string& name)
        : path(fs::temp_directory_path() / (name + std::to_string(::getpid()))) {
        fs::create_directories(path);
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

// The application started in mode "1" on the headless backend, with a profile of its own and a
// program folder holding the reference files: the settings give slot k the code 9001 + k in the
// labour-posting style, the labour list holds 18 配管工.
struct Application {
    benchsupport::ProgramState restore;
    TempFolder home{"kiv-bench-home-"};
    TempFolder exeDir{"kiv-bench-exe-"};
    TempFolder data{"kiv-bench-data-"};
    kiv::ui::headless::HeadlessBackend backend;
    std::unique_ptr<CKivApp> app;

    Application() {
        ::setenv("XDG_CONFIG_HOME", home.path.c_str(), 1);
        kiv::ui::setBackend(&backend);
        SetteiRecord settei;
        for (int k = 0; k < kEnzanCodeCount; ++k)
            settei.setCode(static_cast<EnzanCode>(k), std::to_string(9001 + k));
        settei.setSekisanYousiki(false);
        settei.setFukugouMarume(1);
        settei.setKetaMarume("1");
        kiv::files::writeFileAtomically(exeDir.path / "電気設定.ett", settei.bytes());
        std::vector<RoumuRecord> list(18);
        list[17] = *RoumuRecord::build("18", kiv::text::sj("配管工"), "19000", "19500");
        writeRoumuFile(exeDir.path / "労務単価.rab", RoumuList(list));
        for (const char* name : {"機械設定.mtt", "ヘッダー.hdr", "表紙.frm"})
            kiv::files::writeFileAtomically(exeDir.path / name, "");
        CKivDoc::SetProgramDirectory(exeDir.path);
        CKivDoc::s_BackupWriter = [](CKivDoc&) {};
        kiv::profile::Profile::user().writeString("Select_Section", "Select", "1");
        app = std::make_unique<CKivApp>();
        kiv::ui::runApplication(*app, backend, {"kiv"});
    }
    ~Application() {
        app.reset();
    }

    fs::path writeEstimate(const std::string& name, const std::vector<std::string>& rows) {
        std::array<std::string, kKivHyousiCount> covers;
        const fs::path path = data.path / name;
        kiv::files::writeFileAtomically(path, WriteKivFile(covers, rows));
        return path;
    }
};

// The file a user opens is one the program saved: the rows are opened, recalculated and saved
// once before the timing.
void openEstimate(benchmark::State& state, const std::vector<std::string>& rows, int items) {
    Application a;
    const fs::path path = a.writeEstimate("bench.KIV", rows);
    auto* first = dynamic_cast<CKivDoc*>(a.app->OpenFile(path));
    if (!first || !first->OnSaveDocument(path.string()))
        state.SkipWithError("estimate not saved");
    a.app->closeAllDocuments();
    a.backend.processPending();
    ClearKivPrompts();
    for (auto _ : state) {
        kiv::ui::Document* doc = a.app->OpenFile(path);
        a.backend.processPending();
        auto* kiv = dynamic_cast<CKivDoc*>(doc);
        if (!kiv || kiv->m_KoumokuCount != items || kiv->PoolGyouCount() != static_cast<int>(rows.size()))
            state.SkipWithError("estimate not opened");
        state.PauseTiming();
        a.app->closeAllDocuments();
        a.backend.processPending();
        ClearKivPrompts();
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(rows.size());
}

void BM_OpenEstimate100Items(benchmark::State& state) { openEstimate(state, benchsupport::allItemsRows(), 100); }
BENCHMARK(BM_OpenEstimate100Items)->Unit(benchmark::kMillisecond);

void BM_OpenEstimateOneItem9999Rows(benchmark::State& state) {
    openEstimate(state, benchsupport::koumoku9999Rows(), 1);
}
BENCHMARK(BM_OpenEstimateOneItem9999Rows)->Unit(benchmark::kMillisecond);

// The item has been recalculated as opening leaves it; each Enter commits a new take-off
// quantity on row 5,000 (two quantities in turn, so every commit changes the row).
void BM_EnterOnRow5000Of9999(benchmark::State& state) {
    benchsupport::Estimate e(benchsupport::koumoku9999Rows());
    e.view->create(nullptr, kiv::ui::Rect::fromSize(0, 0, 1400, 14 * 18));
    KivRecalc(*e.view).RecalcAllKoumoku(2);   // as opening and the tree's first fill leave it
    constexpr int kRow = 5000;
    const std::array<const char*, 2> quantities{"13.5", "12.5"};
    int turn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        e.doc->m_CurGyou[0] = kRow;
        e.doc->m_ScreenGyou[0] = 1;
        e.doc->m_TopGyou[0] = kRow - 1;
        e.view->m_CurField[0] = G::HiroidasiSuu1;
        e.view->LoadGyou();
        e.view->CalcFieldPos();
        G::putNumber(e.view->m_EditGyou, G::HiroidasiSuu1, quantities[static_cast<std::size_t>(turn++ % 2)]);
        state.ResumeTiming();
        e.backend.sendChar(*e.view, '\r');
    }
    if (G::isBlank(e.doc->WorkGyouAt(9999), G::Kingaku1))
        state.SkipWithError("the item total is blank");
    state.counters["rows"] = 9999;
}
BENCHMARK(BM_EnterOnRow5000Of9999)->Unit(benchmark::kMillisecond);

} // namespace
