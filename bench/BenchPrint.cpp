// Printing a large estimate: 100 items of 99 rows, 500 landscape breakdown pages. The
// preparation (recalculation hooks empty: the rows carry their amounts) plus every page into the
// headless recording; any one page after the preparation; every page into a PDF by the Qt
// backend (offscreen).
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "estimate/KivDoc.h"
#include "grid/GyouRecord.h"
#include "grid/KivView.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/print/PrintView.h"
#include "platform/qt/QtBackend.h"
#include "platform/text/Cp932.h"
#include "platform/ui/App.h"
#include "print/InsatuDialog.h"
#include "print/KivPrint.h"

namespace {

namespace fs = std::filesystem;
using kiv::text::sj;

constexpr int kItems = 100;
constexpr int kRows = 99;

// A headless estimate view over the large estimate, its print state prepared for 内訳書印刷.
struct LargeEstimate {
    fs::path dir;
    kiv::ui::headless::HeadlessBackend backend;
    std::unique_ptr<kiv::ui::App> app;
    std::unique_ptr<CKivDoc> doc;
    std::unique_ptr<CKivView> view;

    LargeEstimate() {
        dir = fs::temp_directory_path() / ("kiv-bench-print-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        ::setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
        kiv::ui::setBackend(&backend);
        app = std::make_unique<kiv::ui::App>();
        CKivDoc::SetRunMode("1");
        CKivDoc::SetProgramDirectory(dir);
        CKivDoc::s_BackupWriter = [](CKivDoc&) {};
        doc = std::make_unique<CKivDoc>();
        doc->ClearGyou();
        int slot = 0;
        for (int item = 1; item <= kItems; ++item)
            for (int g = 1; g <= kRows; ++g) {
                std::string r = GyouRecord::blankRow();
                GyouRecord::writeKey(r, item, g);
                GyouRecord::putText(r, GyouRecord::Kigou, "A" + std::to_string(g % 10));
                GyouRecord::putText(r, GyouRecord::Hinmei, sj("配管用炭素鋼鋼管"));
                GyouRecord::putText(r, GyouRecord::Kikaku, sj("白　ねじ込み") + " 25A");
                GyouRecord::putNumber(r, GyouRecord::HiroidasiSuu1, "12.5");
                GyouRecord::putNumber(r, GyouRecord::SekisanSuu1, "13.1");
                GyouRecord::putText(r, GyouRecord::Tanni, "m");
                GyouRecord::putNumber(r, GyouRecord::Tanka1, "1850");
                GyouRecord::putNumber(r, GyouRecord::Kingaku1, "24235");
                GyouRecord::putText(r, GyouRecord::Bikou1, sj("機械室"));
                GyouRecord::putNumber(r, GyouRecord::Hokyuu, "1.05");
                doc->m_Gyou[static_cast<std::size_t>(slot++)] = r;
            }
        doc->m_PoolGyouCount = slot;
        doc->RebuildGyouIndex();
        doc->m_CurKoumoku[0] = 1;
        doc->LoadKoumokuGyou();
        view = std::make_unique<CKivView>();
        view->SetDocument(doc.get());
        view->create(nullptr, kiv::ui::Rect::fromSize(0, 0, 1400, 600));
        backend.processPending();
    }
    ~LargeEstimate() {
        view.reset();
        doc.reset();
        app.reset();
        kiv::ui::setBackend(nullptr);
        CKivDoc::s_BackupWriter = nullptr;
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    // 印刷 with 内訳書印刷 to the recording printer: preparation and every page.
    std::size_t printAll() {
        backend.expectDialog([](kiv::ui::headless::DialogDriver& d) { d.click(kiv::ui::IDOK); }, CInsatuDialog::IDD);
        backend.expectPrintDialog([](kiv::print::PrintSettings&) { return true; });
        view->onCommand(kiv::ui::cmd::FilePrint);
        return backend.printJobs().back().pages.size();
    }
};

void BM_PrintEstimateHeadless(benchmark::State& state) {
    LargeEstimate e;
    std::size_t pages = 0;
    for (auto _ : state)
        pages = e.printAll();
    state.counters["pages"] = static_cast<double>(pages);
}
BENCHMARK(BM_PrintEstimateHeadless)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PrintOnePage(benchmark::State& state) {
    LargeEstimate e;
    e.printAll();
    CKivPrint& p = e.view->Print();
    kiv::print::PrintInfo info;
    info.settings.orientation = kiv::print::Orientation::Landscape;
    int page = 1;
    for (auto _ : state) {
        kiv::ui::headless::PrintedPage out;
        kiv::ui::headless::RecordingPrinterDc dc(info.geometry(), out);
        info.curPage = page;
        p.onPrint(dc, info);
        benchmark::DoNotOptimize(out.texts.size());
        page = page % 500 + 1;
    }
}
BENCHMARK(BM_PrintOnePage)->Unit(benchmark::kMillisecond);

void BM_PrintEstimatePdf(benchmark::State& state) {
    static int argc = 1;
    static char name[] = "kiv_bench";
    static char* argv[] = {name, nullptr};
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication* qapp = new QGuiApplication(argc, argv);
    (void)qapp;
    LargeEstimate e;
    const int pages = static_cast<int>(e.printAll());
    CKivPrint& p = e.view->Print();
    kiv::qt::QtBackend qt;
    kiv::print::PrintSettings s;
    s.target = kiv::print::PrintSettings::Target::File;
    s.file = e.dir / "bench.pdf";
    s.orientation = kiv::print::Orientation::Landscape;
    for (auto _ : state) {
        kiv::print::PrintInfo info;
        info.settings = s;
        auto job = qt.createJob(s);
        job->startDoc({"bench", 1, pages});
        for (int page = 1; page <= pages; ++page) {
            info.curPage = page;
            p.onPrint(job->startPage(), info);
            job->endPage();
        }
        job->endDoc();
    }
    state.counters["pages"] = pages;
    state.counters["MB"] = static_cast<double>(fs::file_size(s.file)) / 1e6;
}
BENCHMARK(BM_PrintEstimatePdf)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
