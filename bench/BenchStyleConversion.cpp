// The style conversion to the labour-posting style on a full estimate: 9,999 rows in 500 runs
// closed by 小計 (ten items of 50 runs), each run's computed rows (継手, 労務費1) deleted and inserted
// afresh from the master's templates. The recalculation the commands run afterwards is not part
// of it.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchEstimate.h"
#include "estimate/GyouRecord.h"
#include "platform/archive/Archive.h"
#include "platform/files/Files.h"
#include "recalc/KeisanGyou.h"

namespace {

using benchsupport::Estimate;

namespace fs = std::filesystem;
using G = GyouRecord;

int code(EnzanCode k) { return 9001 + static_cast<int>(k); }

// The program folder with a master holding the templates of 継手 and 労務費1; the profile beside
// it, so that the master is found there.
fs::path programDir() {
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / ("kiv-bench-style-" + std::to_string(::getpid()));
        fs::create_directories(d);
        ::setenv("XDG_CONFIG_HOME", d.c_str(), 1);
        kiv::archive::ArchiveWriter w;
        w.writeInt32(4);
        for (EnzanCode k : {EnzanCode::Tugite, EnzanCode::Roumuhi1})
            for (int g = 1; g <= 2; ++g) {
                std::string row = G::blankRow();
                G::writeKey(row, code(k), g);
                w.writeString(row);
            }
        kiv::files::writeFileAtomically(d / "Eﾏｽﾀｰ.MST", w.bytes());
        return d;
    }();
    static const struct Remove {
        ~Remove() {
            std::error_code ec;
            fs::remove_all(dir, ec);
        }
    } remove;
    return dir;
}

std::vector<std::string> labourPostingRows() {
    std::vector<std::string> rows;
    int item = 1, gyou = 0;
    auto add = [&]() -> std::string& {
        if (gyou == 1000) {
            ++item;
            gyou = 0;
        }
        std::string& r = rows.emplace_back(G::blankRow());
        G::writeKey(r, item, ++gyou);
        G::putNumber(r, G::Hokyuu, "1.0");
        return r;
    };
    for (int run = 0; run < 500; ++run) {
        for (int k = 0; k < (run == 499 ? 16 : 17); ++k) {
            std::string& r = add();
            G::putNumber(r, G::HiroidasiSuu1, "4");
            G::putNumber(r, G::TugiteRitu, "0.02");
            G::putNumber(r, G::Roumu1No, "18");
            G::putNumber(r, G::Bukake1, "0.1");
        }
        for (EnzanCode k : {EnzanCode::Tugite, EnzanCode::Roumuhi1, EnzanCode::Syoukei})
            G::putNumber(add(), G::BunNo, std::to_string(code(k)));
    }
    return rows;
}

void BM_InsertKeisanGyou(benchmark::State& state) {
    Estimate e(labourPostingRows(), programDir());
    for (auto _ : state)
        if (!kiv::recalc::ConvertKeisanGyou(*e.view, true))
            state.SkipWithError("conversion refused");
    state.counters["rows"] = e.doc->PoolGyouCount();
}
BENCHMARK(BM_InsertKeisanGyou)->Unit(benchmark::kMillisecond);

} // namespace
