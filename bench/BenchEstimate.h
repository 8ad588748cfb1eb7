#pragma once
// The estimate the benchmarks run on.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BenchRows.h"
#include "BenchSize.h"
#include "BenchState.h"
#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "estimate/KivMessage.h"
#include "grid/KivView.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/text/Cp932.h"
#include "platform/ui/App.h"
#include "recalc/KivRecalc.h"

namespace benchsupport {

// An estimate document and its grid view (no window) over the given rows, in labour-posting style
// with a code per slot and 18 配管工 in the labour list; the recalculation hooks connected.
struct Estimate {
    ProgramState restore;   // put back last, when everything below has gone
    kiv::ui::headless::HeadlessBackend backend;
    std::unique_ptr<kiv::ui::App> app;
    std::unique_ptr<CKivDoc> doc;
    std::unique_ptr<CKivView> view;

    // `programDir` is where the reference files (the master) are looked for.
    explicit Estimate(const std::vector<std::string>& rows,
                      const std::filesystem::path& programDir = std::filesystem::temp_directory_path() / "kiv-bench-none") {
        kiv::ui::setBackend(&backend);
        app = std::make_unique<kiv::ui::App>();
        KivRecalc::Connect();
        CKivDoc::SetRunMode("1");
        CKivDoc::SetProgramDirectory(programDir);
        CKivDoc::s_BackupWriter = [](CKivDoc&) {};
        doc = std::make_unique<CKivDoc>();
        doc->ClearGyou();
        for (std::size_t i = 0; i < rows.size(); ++i)
            doc->SetPoolGyou(static_cast<int>(i), rows[i]);
        doc->SetPoolGyouCount(static_cast<int>(rows.size()));
        doc->RebuildGyouIndex();
        doc->m_CurKoumoku[0] = 1;
        doc->LoadKoumokuGyou();
        for (int k = 0; k < kEnzanCodeCount; ++k)
            doc->m_SetteiValues.codes[static_cast<std::size_t>(k)] = 9001 + k;
        doc->m_SetteiValues.SekisanYousiki = 0;
        doc->m_SetteiValues.FukugouMarume = 1;
        doc->m_SetteiValues.KetaMarume = 1;
        std::vector<RoumuRecord> list(18);
        list[17] = *RoumuRecord::build("18", kiv::text::sj("配管工"), "19000", "19500");
        doc->m_Roumu = RoumuList(list);
        view = std::make_unique<CKivView>();
        view->SetDocument(doc.get());
        view->LoadGyou();
        ClearKivPrompts();
    }
    ~Estimate() {
        view.reset();
        doc.reset();
        app.reset();
    }
};

} // namespace benchsupport
