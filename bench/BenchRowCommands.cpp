// The block undo snapshot and 行挿入 / 行削除 on the first row of an item of nearly the estimate's
// whole row capacity: every row of the item moves one place and the pool is copied.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchState.h"
#include "estimate/BlockUndo.h"
#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "grid/KivView.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/ui/App.h"

namespace {

struct Estimate {
    benchsupport::ProgramState restore;
    kiv::ui::headless::HeadlessBackend backend;
    std::unique_ptr<kiv::ui::App> app;
    std::unique_ptr<CKivDoc> doc;
    std::unique_ptr<CKivView> view;

    explicit Estimate(int rows) {
        kiv::ui::setBackend(&backend);
        app = std::make_unique<kiv::ui::App>();
        CKivDoc::s_BackupWriter = [](CKivDoc&) {};
        doc = std::make_unique<CKivDoc>();
        doc->ClearGyou();
        for (int k = 1; k <= rows; ++k) {
            std::string row = GyouRecord::blankRow();
            GyouRecord::writeKey(row, 1, k);
            GyouRecord::putNumber(row, GyouRecord::Hokyuu, "1.0");
            GyouRecord::putText(row, GyouRecord::Hinmei, "ROW" + std::to_string(k));
            doc->SetPoolGyou(k - 1, row);
        }
        doc->SetPoolGyouCount(rows);
        doc->RebuildGyouIndex();
        doc->m_CurKoumoku[0] = 1;
        doc->LoadKoumokuGyou();
        view = std::make_unique<CKivView>();
        view->SetDocument(doc.get());
        view->create(nullptr, kiv::ui::Rect::fromSize(0, 0, 1400, 14 * 18));
        doc->m_CurGyou[0] = 1;
        doc->m_ScreenGyou[0] = 1;
        doc->m_TopGyou[0] = 0;
        view->LoadGyou();
    }
    ~Estimate() {
        view.reset();
        doc.reset();
        app.reset();
    }
};

void BM_SaveUndo(benchmark::State& state) {
    Estimate e(9999);
    for (auto _ : state)
        e.view->SaveUndo();
}
BENCHMARK(BM_SaveUndo)->Unit(benchmark::kMillisecond);

// 行挿入 then 行削除 on row 1 of a 9,998-row item: the item is the same after each pair.
void BM_GyouInsert(benchmark::State& state) {
    Estimate e(9998);
    for (auto _ : state) {
        e.view->OnGyouInsert();
        state.PauseTiming();
        e.doc->m_CurGyou[0] = 1;
        e.view->OnGyouDelete();
        e.doc->m_CurGyou[0] = 1;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GyouInsert)->Unit(benchmark::kMillisecond);

void BM_GyouDelete(benchmark::State& state) {
    Estimate e(9998);
    for (auto _ : state) {
        e.view->OnGyouDelete();
        state.PauseTiming();
        e.doc->m_CurGyou[0] = 1;
        e.view->OnGyouInsert();
        e.doc->m_CurGyou[0] = 1;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GyouDelete)->Unit(benchmark::kMillisecond);

} // namespace
