// Printing a large estimate: 100 items of 99 rows, 500 landscape breakdown pages. The
// preparation (recalculation hooks empty: the rows carry their amounts) plus every page into the
// headless recording; any one page after the preparation; every page into a PDF by the Qt
// backend (offscreen). The same estimate with every row a distinct composite row gives 9,900
// composite unit-price sheet pages: the preparation's selection plus every page, and one page.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "BenchSize.h"
#include "BenchState.h"
#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "estimate/RoumuList.h"
#include "estimate/RoumuRecord.h"
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
    benchsupport::ProgramState restore;
    fs::path dir;
    kiv::ui::headless::HeadlessBackend backend;
    std::unique_ptr<kiv::ui::App> app;
    std::unique_ptr<CKivDoc> doc;
    std::unique_ptr<CKivView> view;

    // `composite`: every row a distinct composite row (materials, rates, labour).
    explicit LargeEstimate(bool composite = false) {
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
                if (composite)
                    makeComposite(r, item, g);
                doc->SetPoolGyou(slot++, r);
            }
        doc->SetPoolGyouCount(slot);
        std::vector<RoumuRecord> labour(18);
        labour[17] = *RoumuRecord::build("18", sj("配管工"), "19000", "19500");
        doc->m_Roumu = RoumuList(labour);
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
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    static void makeComposite(std::string& r, int item, int g) {
        using G = GyouRecord;
        G::putText(r, G::Kikaku, "25A-" + std::to_string(item) + "-" + std::to_string(g));
        G::putNumber(r, G::FukuHyouji, "1");
        G::putNumber(r, G::ZaiGoukei, "1");
        for (int k = 0; k < 3; ++k) {
            const int base = G::MaterialFirstField + 8 * k;
            G::putText(r, base + 1, sj("鋼管") + std::to_string(k + 1));
            G::putNumber(r, base + 3, "1.2");
            G::putText(r, base + 4, "m");
            G::putNumber(r, base + 5, std::to_string(1000 + 10 * k + g));
        }
        for (int f : {G::TugiteRitu, G::SijiRitu, G::ZatuzaiRitu, G::UnpanRitu})
            G::putNumber(r, f, "0.05");
        G::putNumber(r, G::Roumu1No, "18");
        G::putNumber(r, G::Roumu1Bukake, "0.12");
    }

    // 印刷 to the recording printer: preparation and every page. 内訳書印刷, or the kind clicked.
    std::size_t printAll(int kind = 0) {
        backend.expectDialog(
            [kind](kiv::ui::headless::DialogDriver& d) {
                if (kind)
                    d.click(kind);
                d.click(kiv::ui::IDOK);
            },
            CInsatuDialog::IDD);
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
BENCHMARK(BM_PrintEstimateHeadless)->Unit(benchmark::kMillisecond)->Iterations(benchsupport::benchSize(3, 1));

// One page per iteration after the job's preparation, the pages in turn from `first`.
void printPagesInTurn(benchmark::State& state, LargeEstimate& e, int pages, int first) {
    CKivPrint& p = e.view->Print();
    kiv::print::PrintInfo info;
    info.settings.orientation = kiv::print::Orientation::Landscape;
    int page = first;
    for (auto _ : state) {
        kiv::ui::headless::PrintedPage out;
        kiv::ui::headless::RecordingPrinterDc dc(info.geometry(), out);
        info.curPage = page;
        p.onPrint(dc, info);
        benchmark::DoNotOptimize(out.texts.size());
        page = page % pages + 1;
    }
    state.counters["pages"] = pages;
}

void BM_PrintOnePage(benchmark::State& state) {
    LargeEstimate e;
    printPagesInTurn(state, e, static_cast<int>(e.printAll()), 1);
}
BENCHMARK(BM_PrintOnePage)->Unit(benchmark::kMillisecond);

void BM_PrintFukugouSheetHeadless(benchmark::State& state) {
    LargeEstimate e(true);
    std::size_t pages = 0;
    for (auto _ : state)
        pages = e.printAll(CInsatuDialog::IDC_FUKUGOU_TANKAHYOU);
    state.counters["pages"] = static_cast<double>(pages);
}
BENCHMARK(BM_PrintFukugouSheetHeadless)->Unit(benchmark::kMillisecond)->Iterations(benchsupport::benchSize(2, 1));

void BM_PrintFukugouSheetOnePage(benchmark::State& state) {
    LargeEstimate e(true);
    const int pages = static_cast<int>(e.printAll(CInsatuDialog::IDC_FUKUGOU_TANKAHYOU));
    // From the last page: the row furthest into the estimate first.
    printPagesInTurn(state, e, pages, pages);
}
BENCHMARK(BM_PrintFukugouSheetOnePage)->Unit(benchmark::kMillisecond);

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
