#pragma once
// The estimate view on the headless backend with a small labour-posting estimate, exported with
// command 32884; the workbook the stand-in saved is kept for the test to read.
//
// Item 1: r1 記号 A1 電線 12 m at 50 = 600 (備考A); r2 a 配管工 labour row (category 0901 =
// 労務費1) 2.5 人 at 20000 = 50000; r3 拾出/積算 1 at 3000 = 3000. Item 2: one row like r1.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "estimate/RecalcSeams.h"
#include "estimate/RoumuList.h"
#include "estimate/RoumuRecord.h"
#include "export/ExcelCallText.h"
#include "export/ExcelDialog.h"
#include "export/OpenpyxlReader.h"
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

// A composite row (常時複合単価): VP管 with one material, 配管 2 m at 500 = 1000; `more` adds or
// overrides fields.
inline std::string vpRow(int item, int gyou, std::vector<std::pair<int, std::string>> more = {}) {
    std::vector<std::pair<int, std::string>> f = {{GyouRecord::FukuHyouji, "1"},   {GyouRecord::Hinmei, sj("VP管")},
                                                  {GyouRecord::Zai1Hinmei, sj("配管")}, {GyouRecord::Zai1Suu, "2"},
                                                  {GyouRecord::Zai1Tanni, "m"},     {GyouRecord::Zai1Tanka1, "500"}};
    f.insert(f.end(), more.begin(), more.end());
    return keyedRow(item, gyou, f);
}

// Prints "key=value" lines of the workbook's sheets, cells (rows up to argv[2]), formats, row
// heights and page settings.
constexpr const char* kWorkbookReader = R"PY(
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
last = int(sys.argv[2])
print("sheets=" + ",".join(wb.sheetnames))
for ws in wb.worksheets:
    n = ws.title
    print(f"{n}.merged={len(ws.merged_cells.ranges)}")
    print(f"{n}.max_row={ws.max_row}")
    for col in "ABCDEFGH":
        d = ws.column_dimensions.get(col)
        if d is not None and d.width:
            print(f"{n}.width.{col}={d.width}")
    m = ws.page_margins
    print(f"{n}.margins={m.top:.6f},{m.bottom:.6f},{m.left:.6f},{m.right:.6f}")
    h = ws.oddHeader.center
    print(f"{n}.header={h.text}|{h.size}")
    print(f"{n}.footer={ws.oddFooter.center.text}")
    ps = ws.page_setup
    print(f"{n}.page={ps.orientation},{ps.paperSize},{ps.fitToWidth},{ps.fitToHeight},{ws.sheet_properties.pageSetUpPr.fitToPage if ws.sheet_properties.pageSetUpPr else None}")
    print(f"{n}.titles={ws.print_title_rows}")
    for row in ws.iter_rows(min_row=1, max_row=min(ws.max_row, last)):
        for c in row:
            b = c.border
            edges = "".join((x.style or "-")[0] for x in (b.top, b.bottom, b.left, b.right))
            print(f"{n}!{c.coordinate}={c.value!r}|{c.number_format}|{c.font.sz}|{c.alignment.horizontal}|{edges}|{type(c.value).__name__}")
    for r in range(1, last + 1):
        print(f"{n}.height.{r}={ws.row_dimensions[r].height}")
)PY";

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
        view->onCommand(ID_EXCEL_OUT);
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

    // The labour list: entries (number, trade, unit price) in a list of at least ten.
    void labour(const std::vector<std::tuple<int, const char*, const char*>>& entries) {
        std::size_t size = 10;
        for (const auto& e : entries)
            size = std::max(size, static_cast<std::size_t>(std::get<0>(e)));
        std::vector<RoumuRecord> list(size);
        for (const auto& [no, trade, price] : entries)
            list[static_cast<std::size_t>(no - 1)] = *RoumuRecord::build(std::to_string(no), sj(trade), price, price);
        doc->m_Roumu = RoumuList(list);
    }

    // The saved .xlsx read back by an independent reader (python3-openpyxl) as key=value pairs.
    std::map<std::string, std::string> readWorkbook(const std::filesystem::path& xlsx, int lastRow = 40) {
        return readWorkbookWithOpenpyxl(exeDir.path(), kWorkbookReader, xlsx, std::to_string(lastRow));
    }

    WorkbookModel saved;
    int saves = 0;
    int madeBefore = 0;

private:
    RecalcSeams m_Seams;
};

} // namespace kivtest
