// The totals workbook of a totals document converted from a 9,999-row estimate over 300
// master categories (every row its own item, so about 10,600 totals rows on 301 pages): the
// due recalculation and the .xlsx written by the stand-in, as command 32884 runs them after its
// dialog.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BenchSize.h"
#include "BenchState.h"
#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "estimate/KivMessage.h"
#include "export/excel/ExcelSession.h"
#include "platform/files/Files.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/text/Cp932.h"
#include "platform/ui/App.h"
#include "totals/TotalConvert.h"
#include "totals/TotalDoc.h"
#include "totals/TotalExport.h"

namespace {

namespace fs = std::filesystem;
using G = GyouRecord;
using kiv::text::sj;

constexpr int kCategories = 300;

std::vector<std::string> masterHeadings() {
    std::vector<std::string> rows;
    for (int c = 1; c <= kCategories; ++c) {
        std::string r = G::blankRow();
        G::writeKey(r, c, 1);
        G::putText(r, G::Hinmei, sj("分類") + std::to_string(c));
        rows.push_back(std::move(r));
    }
    return rows;
}

std::vector<std::string> estimateRows() {
    std::vector<std::string> rows;
    for (int i = 0; i < 9999; ++i) {
        std::string r = G::blankRow();
        G::writeKey(r, i / 100 + 1, i % 100 + 1);
        G::putText(r, G::Hinmei, sj("配管用炭素鋼鋼管") + std::to_string(i));
        G::putText(r, G::Kikaku, sj("白　ねじ込み") + " 25A");
        G::putNumber(r, G::SekisanSuu1, i % 4 == 0 ? "13.5" : "13");
        G::putNumber(r, G::SekisanSuu2, "12");
        G::putText(r, G::Tanni, "m");
        G::putNumber(r, G::Tanka1, "1850");
        G::putNumber(r, G::Tanka2, "1700");
        G::putText(r, G::Bikou1, sj("機械室"));
        const std::string bun = std::to_string(i % kCategories + 1);
        G::layout(G::BunNo).IsText ? G::putText(r, G::BunNo, bun) : G::putNumber(r, G::BunNo, bun);
        rows.push_back(std::move(r));
    }
    return rows;
}

void BM_TotalWorkbook(benchmark::State& state) {
    const benchsupport::ProgramState restore;
    const fs::path dir = fs::temp_directory_path() / ("kiv-bench-totals-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    kiv::ui::headless::HeadlessBackend backend;
    kiv::ui::setBackend(&backend);
    auto app = std::make_unique<kiv::ui::App>();
    CKivDoc::SetRunMode("1");
    CKivDoc::SetProgramDirectory(dir);
    auto doc = std::make_unique<CTotalDoc>();
    TotalConvertResult r = ConvertToTotals(masterHeadings(), estimateRows(), doc->m_SetteiValues);
    doc->ClearGyou();
    for (std::size_t i = 0; i < r.rows.size(); ++i)
        doc->SetPoolGyou(static_cast<int>(i), std::move(r.rows[i]));
    doc->SetPoolGyouCount(static_cast<int>(r.rows.size()));
    doc->RebuildTotalIndex();
    doc->m_CurKoumoku[0] = 1;
    doc->LoadKoumokuGyou();
    ClearKivPrompts();
    const fs::path out = dir / "bench.xlsx";
    const std::string path = *kiv::files::toCp932(out);
    for (auto _ : state) {
        fs::remove(out);
        doc->m_NeedRecalc = 1;   // as a conversion leaves it
        kiv::excel::ExcelSession session;
        kiv::exporting::WriteTotalWorkbook(*doc, path, session);
        if (!fs::exists(out))
            state.SkipWithError("no workbook written");
    }
    state.counters["rows"] = doc->PoolGyouCount();
    state.counters["pages"] = doc->m_KoumokuCount;
    state.counters["xlsx_KB"] = fs::exists(out) ? static_cast<double>(fs::file_size(out)) / 1024.0 : 0;
    doc.reset();
    ClearKivPrompts();
    app.reset();
    fs::remove_all(dir);
}
BENCHMARK(BM_TotalWorkbook)->Unit(benchmark::kMillisecond)->Iterations(benchsupport::benchSize(3, 1));

} // namespace
