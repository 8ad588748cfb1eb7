#pragma once
// The estimate the benchmarks run on.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BenchSize.h"
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
        CKivDoc::s_BackupWriter = nullptr;
        CKivDoc::SetProgramDirectory({});
        app.reset();
        kiv::ui::setBackend(nullptr);
    }
};

// 9,999 rows in 100 items, 1,000 distinct composite rows (each with two materials, a joint rate
// and labour line 1 at number 1), the rest plain rows.
inline std::vector<std::string> compositeRows() {
    using G = GyouRecord;
    using kiv::text::sj;
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

} // namespace benchsupport
