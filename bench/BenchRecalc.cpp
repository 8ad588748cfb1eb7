// The estimate's recalculation over large items: one item of 9,999 rows, and a whole-estimate pass
// over 100 items whose first item heads the others. Each must stay under 100 ms.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BenchEstimate.h"
#include "estimate/GyouRecord.h"
#include "recalc/KivRecalc.h"

namespace {

using benchsupport::Estimate;

using G = GyouRecord;

int code(EnzanCode k) { return 9001 + static_cast<int>(k); }

std::string row(int item, int gyou) {
    std::string r = G::blankRow();
    G::writeKey(r, item, gyou);
    G::putNumber(r, G::Hokyuu, "1.0");
    return r;
}

// A breakdown row: three material lines summed, labour No 18, joint and sundry rates.
std::string materialRow(int item, int gyou) {
    std::string r = row(item, gyou);
    G::putNumber(r, G::HiroidasiSuu1, "12.5");
    G::putNumber(r, G::HiroidasiSuu2, "12.5");
    G::putNumber(r, G::Tanka1, "1800");
    G::putNumber(r, G::Tanka2, "1700");
    for (int line = 0; line < 3; ++line) {
        const int f = G::MaterialFirstField + 8 * line;
        G::putNumber(r, f + 3, line == 0 ? "1.0" : "2.0");                    // quantity
        G::putNumber(r, f + 5, std::to_string(600 + 150 * line));              // unit price 1
        G::putNumber(r, f + 6, std::to_string(550 + 150 * line));              // unit price 2
    }
    G::putNumber(r, G::ZaiGoukei, "1");
    G::putNumber(r, G::Roumu1No, "18");
    G::putNumber(r, G::Bukake1, "0.12");
    G::putNumber(r, G::TugiteRitu, "0.05");
    G::putNumber(r, G::ZatuzaiRitu, "0.03");
    return r;
}

std::string computedRow(int item, int gyou, EnzanCode kind, const char* kakeritu = nullptr) {
    std::string r = row(item, gyou);
    G::putNumber(r, G::BunNo, std::to_string(code(kind)));
    if (kind == EnzanCode::Roumuhi1)
        G::putNumber(r, G::Tanka1, "19000");
    if (kakeritu)
        G::putNumber(r, G::Kakeritu, kakeritu);
    return r;
}

// Appends `materials` breakdown rows closed by 継手, 雑材, 労務費1 and 小計.
void section(std::vector<std::string>& rows, int item, int& gyou, int materials) {
    for (int k = 0; k < materials; ++k)
        rows.push_back(materialRow(item, ++gyou));
    for (EnzanCode kind : {EnzanCode::Tugite, EnzanCode::Zatuzai, EnzanCode::Roumuhi1, EnzanCode::Syoukei})
        rows.push_back(computedRow(item, ++gyou, kind));
}

void BM_RecalcKoumoku9999Rows(benchmark::State& state) {
    std::vector<std::string> rows;
    int gyou = 0;
    for (int s = 0; s < 10; ++s)
        section(rows, 1, gyou, s < 6 ? 996 : 995);
    rows.push_back(computedRow(1, ++gyou, EnzanCode::Keihi1, "0.15"));
    rows.push_back(computedRow(1, ++gyou, EnzanCode::Syouhizei, "0.1"));
    rows.push_back(computedRow(1, ++gyou, EnzanCode::HyousiKei));
    Estimate e(rows);
    if (e.doc->m_GyouCount != 9999)
        state.SkipWithError("the item does not hold 9999 rows");
    KivRecalc recalc(*e.view);
    for (auto _ : state) {
        recalc.RecalcKoumoku();
        benchmark::DoNotOptimize(e.doc->m_HyousiData[17]);
    }
    if (e.doc->m_HyousiData[17].find_first_not_of(' ') == std::string::npos)
        state.SkipWithError("no cover total");
    state.counters["rows"] = 9999;
}
BENCHMARK(BM_RecalcKoumoku9999Rows)->Unit(benchmark::kMillisecond);

void BM_RecalcAll100Items(benchmark::State& state) {
    std::vector<std::string> rows;
    auto symbol = [](int item) {
        std::string s = "K" + std::to_string(item);
        s.resize(4, ' ');
        return s;
    };
    for (int item = 2; item <= 100; ++item) {
        std::string r = computedRow(1, item - 1, EnzanCode::Daikoumoku);
        G::putText(r, G::Kigou, symbol(item));
        G::putNumber(r, G::HiroidasiSuu1, "1");
        rows.push_back(r);
    }
    for (int item = 2; item <= 100; ++item) {
        int gyou = 0;
        std::string head = computedRow(item, ++gyou, EnzanCode::Daikoumoku);
        G::putText(head, G::Kigou, symbol(item));
        rows.push_back(head);
        section(rows, item, gyou, 94);
    }
    Estimate e(rows);
    KivRecalc recalc(*e.view);
    for (auto _ : state) {
        recalc.RecalcAllKoumoku();
        benchmark::DoNotOptimize(e.doc->WorkGyouAt(1));
    }
    if (G::isBlank(e.doc->WorkGyouAt(1), G::Kingaku1))
        state.SkipWithError("item 1's heading row got no total");
    state.counters["rows"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_RecalcAll100Items)->Unit(benchmark::kMillisecond);

} // namespace
