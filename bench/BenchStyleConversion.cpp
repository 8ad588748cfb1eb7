// The style conversion to the labour-posting style on a full estimate: 9,999 rows in 500 runs
// closed by 小計, each run's computed rows (継手, 労務費1) deleted and inserted afresh from the
// master's templates. The recalculation the commands run afterwards is not part of it.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "estimate/KivDoc.h"
#include "grid/GyouRecord.h"
#include "grid/KivView.h"
#include "master/MstFileReader.h"
#include "platform/archive/Archive.h"
#include "platform/files/Files.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/text/Cp932.h"
#include "platform/ui/App.h"
#include "recalc/KeisanGyou.h"

namespace {

namespace fs = std::filesystem;
using G = GyouRecord;

constexpr int kCode = 9001;   // code of slot k is kCode + k
int codeOf(EnzanCode k) { return kCode + static_cast<int>(k); }

struct Estimate {
    kiv::ui::headless::HeadlessBackend backend;
    std::unique_ptr<kiv::ui::App> app;
    std::unique_ptr<CKivDoc> doc;
    std::unique_ptr<CKivView> view;
    fs::path dir;

    Estimate() {
        dir = fs::temp_directory_path() / ("kiv-bench-style-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        ::setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
        kiv::ui::setBackend(&backend);
        app = std::make_unique<kiv::ui::App>();
        CKivDoc::s_BackupWriter = [](CKivDoc&) {};
        CKivDoc::SetRunMode("1");
        CKivDoc::SetProgramDirectory(dir);
        writeMaster();
        doc = std::make_unique<CKivDoc>();
        for (int k = 0; k < kEnzanCodeCount; ++k)
            doc->m_SetteiValues.codes[static_cast<std::size_t>(k)] = kCode + k;
        std::vector<RoumuRecord> list(18);
        list[17] = *RoumuRecord::build("18", kiv::text::sj("配管工"), "19000", "");
        doc->m_Roumu = RoumuList(list);
        doc->ClearGyou();
        int n = 0, item = 1, gyou = 0;
        auto add = [&](auto fill) {
            std::string row = G::blankRow();
            if (gyou == 1000) {   // items of 50 runs
                ++item;
                gyou = 0;
            }
            G::writeKey(row, item, ++gyou);
            G::putNumber(row, G::Hokyuu, "1.0");
            fill(row);
            doc->m_Gyou[static_cast<std::size_t>(n++)] = row;
        };
        for (int run = 0; run < 500; ++run) {
            const int plain = run == 499 ? 16 : 17;
            for (int k = 0; k < plain; ++k)
                add([](std::string& row) {
                    G::putNumber(row, G::HiroidasiSuu1, "4");
                    G::putNumber(row, G::TugiteRitu, "0.02");
                    G::putNumber(row, G::Roumu1No, "18");
                    G::putNumber(row, G::Bukake1, "0.1");
                });
            add([](std::string& row) { G::putNumber(row, G::BunNo, std::to_string(codeOf(EnzanCode::Tugite))); });
            add([](std::string& row) { G::putNumber(row, G::BunNo, std::to_string(codeOf(EnzanCode::Roumuhi1))); });
            add([](std::string& row) { G::putNumber(row, G::BunNo, std::to_string(codeOf(EnzanCode::Syoukei))); });
        }
        doc->m_PoolGyouCount = n;
        doc->RebuildGyouIndex();
        doc->m_CurKoumoku[0] = 1;
        doc->LoadKoumokuGyou();
        view = std::make_unique<CKivView>();
        view->SetDocument(doc.get());
    }
    ~Estimate() {
        view.reset();
        doc.reset();
        CKivDoc::s_BackupWriter = nullptr;
        CKivDoc::SetProgramDirectory({});
        app.reset();
        kiv::ui::setBackend(nullptr);
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    void writeMaster() {
        kiv::archive::ArchiveWriter w;
        w.writeInt32(4);
        for (EnzanCode k : {EnzanCode::Tugite, EnzanCode::Roumuhi1})
            for (int g = 1; g <= 2; ++g) {
                std::string row = G::blankRow();
                G::writeKey(row, codeOf(k), g);
                w.writeString(row);
            }
        kiv::files::writeFileAtomically(dir / "Eﾏｽﾀｰ.MST", w.bytes());
    }
};

void BM_InsertKeisanGyou(benchmark::State& state) {
    Estimate e;
    for (auto _ : state) {
        if (!kiv::recalc::ConvertKeisanGyou(*e.view, true))
            state.SkipWithError("conversion refused");
    }
    state.counters["rows"] = e.doc->m_PoolGyouCount;
}
BENCHMARK(BM_InsertKeisanGyou)->Unit(benchmark::kMillisecond);

} // namespace
