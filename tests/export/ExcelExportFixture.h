#pragma once
// The estimate view on the headless backend with a small labour-posting estimate, exported with
// command 32884; the workbook the stand-in saved is kept for the test to read.
//
// Item 1: r1 記号 A1 電線 12 m at 50 = 600 (備考A); r2 a 配管工 labour row (category 0901 =
// 労務費1) 2.5 人 at 20000 = 50000; r3 拾出/積算 1 at 3000 = 3000. Item 2: one row like r1.
#include <functional>
#include <string>
#include <vector>

#include "estimate/RecalcSeams.h"
#include "export/ExcelDialog.h"
#include "export/excel/ProgressDlg.h"
#include "grid/KivViewFixture.h"
#include "platform/automation/Dispatch.h"
#include "platform/automation/WorkbookModel.h"
#include "platform/headless/DialogDriver.h"

namespace kivtest {

using kiv::automation::CellModel;
using kiv::automation::EdgeStyle;
using kiv::automation::SheetModel;
using kiv::automation::WorkbookModel;

inline std::string keyedRow(int item, int gyou, const std::vector<std::pair<int, std::string>>& fields) {
    std::string r = makeRow(gyou, fields);
    GyouRecord::writeKey(r, item, gyou);
    return r;
}

inline std::vector<std::pair<int, std::string>> densenFields(std::string kingaku = "600") {
    return {{GyouRecord::Kigou, "A1"},         {GyouRecord::Hinmei, sj("電線")}, {GyouRecord::SekisanSuu1, "12"},
            {GyouRecord::Tanni, "m"},          {GyouRecord::Tanka1, "50"},      {GyouRecord::Kingaku1, kingaku},
            {GyouRecord::Bikou1, sj("備考A")}};
}

inline std::vector<std::string> fixtureRows() {
    return {
        keyedRow(1, 1, densenFields()),
        keyedRow(1, 2, {{GyouRecord::BunNo, "0901"}, {GyouRecord::Hinmei, sj("配管工")}, {GyouRecord::HiroidasiSuu1, "2.5"},
                        {GyouRecord::SekisanSuu1, "2.5"}, {GyouRecord::Tanni, sj("人")}, {GyouRecord::Tanka1, "20000"},
                        {GyouRecord::Kingaku1, "50000"}}),
        keyedRow(1, 3, {{GyouRecord::HiroidasiSuu1, "1"}, {GyouRecord::SekisanSuu1, "1"}, {GyouRecord::Tanka1, "3000"},
                        {GyouRecord::Kingaku1, "3000"}}),
        keyedRow(2, 1, densenFields()),
    };
}

class ExcelExportFixture : public KivViewFixture {
protected:
    void SetUp() override {
        KivViewFixture::SetUp();
        m_Seams = recalcSeams();
        recalcSeams() = RecalcSeams{};
        kiv::automation::setSaveObserver([this](const WorkbookModel& m, const std::string&) {
            saved = m;
            ++saves;
        });
        madeBefore = CProgressDlg::s_Made;
    }
    void TearDown() override {
        kiv::automation::setSaveObserver({});
        kiv::automation::setCallHooks({});
        recalcSeams() = m_Seams;
        KivViewFixture::TearDown();
    }

    // The fixture estimate (or the rows given), labour code 901, no recalculation due.
    void openEstimate(const std::vector<std::string>& rows = fixtureRows()) {
        open(rows);
        doc->m_SetteiValues.codes[static_cast<std::size_t>(EnzanCode::Roumuhi1)] = 901;
        doc->m_SetteiValues.SekisanYousiki = 0;
        doc->m_NeedRecalc = 0;
    }

    std::filesystem::path out(const std::string& name = "out.xlsx") { return exeDir / name; }

    // 32884 with the dialog answered: the path typed, the boxes clicked, then OK (or Cancel).
    void exportWith(std::vector<int> clicks, std::filesystem::path path = {}, bool ok = true) {
        if (path.empty())
            path = out();
        backend.expectDialog(
            [clicks, path, ok](kiv::ui::headless::DialogDriver& d) {
                d.type(ExcelDialog::IDC_PATH, path.string());
                for (int id : clicks)
                    d.click(id);
                d.click(ok ? kiv::ui::IDOK : kiv::ui::IDCANCEL);
            },
            ExcelDialog::IDD);
        view->onCommand(CKivView::ID_EXCEL_OUT);
        backend.processPending();
    }

    const SheetModel& sheet(const std::string& utf8Name) {
        for (const auto& s : saved.sheets)
            if (s->name == sj(utf8Name.c_str()))
                return *s;
        ADD_FAILURE() << "no sheet " << utf8Name;
        static const SheetModel none;
        return none;
    }
    std::vector<std::string> sheetNames() const {
        std::vector<std::string> n;
        for (const auto& s : saved.sheets)
            n.push_back(kiv::text::toUtf8(s->name));
        return n;
    }
    static const CellModel& at(const SheetModel& s, const std::string& name) {
        auto p = kiv::automation::parseCellName(name);
        static const CellModel none;
        const CellModel* c = p ? s.find(p->first, p->second) : nullptr;
        return c ? *c : none;
    }
    static bool framed(const SheetModel& s, int row, int col) {
        return s.top(row, col) == EdgeStyle::Thin && s.bottom(row, col) == EdgeStyle::Thin &&
               s.left(row, col) == EdgeStyle::Thin && s.right(row, col) == EdgeStyle::Thin;
    }
    static std::string textOf(const SheetModel& s, const std::string& name) { return kiv::text::toUtf8(at(s, name).text); }

    WorkbookModel saved;
    int saves = 0;
    int madeBefore = 0;

private:
    RecalcSeams m_Seams;
};

} // namespace kivtest
