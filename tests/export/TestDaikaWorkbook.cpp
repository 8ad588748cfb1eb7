// Command 32889 (the composite unit-price workbook) as a user runs it: the sheet "代価表" read
// back by an independent reader, the blocks and lines of the saved workbook, the calls of one
// line, the page fill, the dialog's proposal and the run's failures.
#include "export/ExcelExportFixture.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <optional>

#include "estimate/KivMessage.h"
#include "export/DaikaExcelDialog.h"
#include "platform/automation/ExcelMembers.h"

namespace kivtest {
namespace {

using G = GyouRecord;
using kiv::automation::Call;

std::string blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

class DaikaWorkbookTest : public ExcelExportFixture {
protected:
    // 32889 with the path typed (the old file removed first), ２行間隔で出力 ticked when asked,
    // then OK or Cancel.
    void daikaExcel(std::optional<std::filesystem::path> path = {}, bool ok = true, bool doubleSpacing = false) {
        const std::filesystem::path p = path ? *path : out();
        std::error_code ec;
        std::filesystem::remove(p, ec);
        backend.expectDialog(
            [p, ok, doubleSpacing](kiv::ui::headless::DialogDriver& d) {
                d.type(CDaikaExcelDialog::IDC_PATH, p.string());
                if (doubleSpacing)
                    d.click(CDaikaExcelDialog::IDC_DOUBLE_SPACING);
                d.click(ok ? kiv::ui::IDOK : kiv::ui::IDCANCEL);
            },
            CDaikaExcelDialog::IDD);
        view->onCommand(ID_DAIKA_EXCEL);
        backend.processPending();
    }
    void style(int sekisanYousiki) { doc->m_SetteiValues.SekisanYousiki = sekisanYousiki; }

    // A cell as "text" (right blanks cut, "^" when centred) or "number@format".
    static std::string cellSummary(const CellModel& c) {
        if (c.kind == CellModel::Kind::Number) {
            char b[40];
            std::snprintf(b, sizeof b, "%.15g", c.number);
            return std::string(b) + "@" + c.numberFormat;
        }
        std::string t = kiv::text::toUtf8(c.text);
        t.erase(t.find_last_not_of(' ') + 1);
        return t + (c.centred ? "^" : "");
    }
    // Every row from 2 that holds a value, its cells A-H joined by "|".
    std::vector<std::string> lines() {
        const SheetModel& s = sheet("代価表");
        std::vector<std::string> out;
        for (int r = 2; r <= lastRow(s); ++r) {
            bool any = false;
            std::string line;
            for (int c = 1; c <= 8; ++c) {
                const CellModel* cell = s.find(r, c);
                any = any || (cell && cell->kind != CellModel::Kind::Empty);
                line += (c > 1 ? "|" : "") + (cell ? cellSummary(*cell) : std::string());
            }
            if (any)
                out.push_back(line);
        }
        return out;
    }
    // The last row the export wrote: every row it writes gets its height (the stand-in keeps the
    // bottom frame of a row on the cells below it).
    static int lastRow(const SheetModel& s) { return s.rowHeights.empty() ? 0 : s.rowHeights.rbegin()->first; }
};

const std::string kTitle = "|VP管||0@#,###|^|0@#,###|0@#,###|";
const std::string kMaterial = "|配管||2@#,###|m^|500@#,###|1000@#,###|";
const std::string kSeparator = "|||0@#,###|^|0@#,###|0@#,###|";
std::string total(const std::string& g) { return "|　　　計　　　||0@#,###|^|0@#,###|" + g + "@#,###|"; }
std::string tanka(const std::string& g) { return "|複　合　単　価||0@#,###|^|0@#,###|" + g + "@#,###|"; }
std::string lump(const char* name, const char* label, const char* g) {
    return std::string("|") + name + "|" + label + "|1@#,###|式^|0@#,###|" + g + "@#,###|";
}

using DaikaWorkbookFileTest = DaikaWorkbookTest;

TEST_F(DaikaWorkbookFileTest, AnIndependentReaderSeesTheSheetABlockAndThePageFill) {
    openEstimate({vpRow(1, 1, {{G::Bikou1, sj("備考A")}})});
    daikaExcel();
    ASSERT_EQ(saves, 1);
    EXPECT_FALSE(doc->isModified());
    auto kv = readWorkbook(out(), 52);
    // As Python shows a text: the full-width blank escaped.
    auto q = [](std::string s) {
        for (std::size_t i; (i = s.find("　")) != std::string::npos;)
            s.replace(i, 3, "\\u3000");
        return "'" + s + "'";
    };
    const std::string cell = "|General|11.0|None|tttt|";
    const std::string centred = "|General|11.0|center|tttt|";
    const std::map<std::string, std::string> expected = {
        {"sheets", "Sheet1,代価表"},
        {"代価表.page", "portrait,9,None,0,True"},
        {"代価表.titles", "$1:$1"},
        {"代価表.header", "単　価　表|20"},
        {"代価表.footer", "&P ページ"},
        {"代価表.margins", "1.111111,0.833333,0.833333,0.666667"},
        {"代価表.width.A", "6.7109375"},
        {"代価表.width.B", "30.7109375"},
        {"代価表.width.C", "30.7109375"},
        {"代価表.width.D", "10.7109375"},
        {"代価表.width.E", "4.7109375"},
        {"代価表.width.F", "15.7109375"},
        {"代価表.width.G", "15.7109375"},
        {"代価表.width.H", "30.7109375"},
        {"代価表!A1", q("項目") + centred + "str"},
        {"代価表!B1", q("品         名") + centred + "str"},
        {"代価表!C1", q("規          格") + centred + "str"},
        {"代価表!D1", q("数 量 ") + centred + "str"},
        {"代価表!E1", q("単位") + centred + "str"},
        {"代価表!F1", q("単  価") + centred + "str"},
        {"代価表!G1", q("金     額") + centred + "str"},
        {"代価表!H1", q("備          考") + centred + "str"},
        // The title row.
        {"代価表!A2", "None" + cell + "NoneType"},
        {"代価表!B2", q("VP管" + blanks(26)) + cell + "str"},
        {"代価表!C2", q(blanks(30)) + cell + "str"},
        {"代価表!D2", "0|#,###|11.0|None|tttt|int"},
        {"代価表!E2", "None" + centred + "NoneType"},
        {"代価表!F2", "0|#,###|11.0|None|tttt|int"},
        {"代価表!G2", "0|#,###|11.0|None|tttt|int"},
        {"代価表!H2", q("備考A" + blanks(25)) + cell + "str"},
        // The material line.
        {"代価表!B3", q("配管" + blanks(26)) + cell + "str"},
        {"代価表!D3", "2|#,###|11.0|None|tttt|int"},
        {"代価表!E3", q("m   ") + centred + "str"},
        {"代価表!F3", "500|#,###|11.0|None|tttt|int"},
        {"代価表!G3", "1000|#,###|11.0|None|tttt|int"},
        {"代価表!H3", q(blanks(30)) + cell + "str"},
        // 計, 複合単価, the closing row and the first and last fill rows.
        {"代価表!B4", q("　　　計　　　") + cell + "str"},
        {"代価表!G4", "1000|#,###|11.0|None|tttt|int"},
        {"代価表!B5", q("複　合　単　価") + cell + "str"},
        {"代価表!G5", "1000|#,###|11.0|None|tttt|int"},
        {"代価表!B6", "None" + cell + "NoneType"},
        {"代価表!G6", "0|#,###|11.0|None|tttt|int"},
        {"代価表!A7", "None" + cell + "NoneType"},
        {"代価表!D7", "None|#,###|11.0|None|tttt|NoneType"},
        {"代価表!E7", "None" + centred + "NoneType"},
        {"代価表!H51", "None" + cell + "NoneType"},
        {"代価表.height.52", "None"},
        {"Sheet1.max_row", "1"},
    };
    for (const auto& [k, v] : expected)
        EXPECT_EQ(kv[k], v) << k;
    for (int r = 1; r <= 51; ++r) {
        EXPECT_EQ(kv["代価表.height." + std::to_string(r)], "25.0") << r;
        for (char c : std::string("ABCDEFGH")) {
            const std::string& v = kv["代価表!" + std::string(1, c) + std::to_string(r)];
            EXPECT_NE(v.find("|tttt|"), std::string::npos) << c << r << " " << v;
        }
    }

    // An amount past 32 bits arrives whole, as a whole number.
    openEstimate({vpRow(1, 1, {{G::Zai1Suu, "1000"}, {G::Zai1Tanka1, "1000000000"}})});
    daikaExcel(out("big.xlsx"));
    kv = readWorkbook(out("big.xlsx"), 5);
    EXPECT_EQ(kv["代価表!G3"], "1000000000000|#,###|11.0|None|tttt|int");
    EXPECT_EQ(kv["代価表!G5"], "1000000000000|#,###|11.0|None|tttt|int");
}

TEST_F(DaikaWorkbookTest, RateLinesWithTheWorkbooksPrefixes) {
    labour({{5, "電工", "20000"}});
    const std::vector<std::pair<int, std::string>> labourRates = {
        {G::Roumu1No, "5"}, {G::Roumu1Bukake, "0.15"}, {G::HaturiRitu, "0.10"}, {G::Sonota1Ritu, "0.05"}, {G::Sonota2Ritu, "0.03"}};
    auto with = [](std::vector<std::pair<int, std::string>> f, std::vector<std::pair<int, std::string>> more) {
        f.insert(f.end(), more.begin(), more.end());
        return f;
    };
    const struct {
        const char* what;
        std::vector<std::pair<int, std::string>> fields;
        std::vector<std::string> between;   // the lines between the material line and 計
    } cases[] = {
        {"継手", {{G::TugiteRitu, "0.05"}}, {lump("継　　　　　手", "管単価x 5%", "25")}},
        {"付属品", {{G::FuzokuRitu, "0.1"}}, {lump("付　　属　　品", "(管)x10%", "50")}},
        {"雑材料", {{G::ZatuzaiRitu, "0.03"}}, {lump("雑　　材　　料", "(材)x 3%", "30")}},
        {"運搬費", {{G::UnpanRitu, "0.02"}}, {lump("運　　搬　　費", "(材+雑)x 2%", "20")}},
        {"はつり and both その他",
         labourRates,
         {lump("は つ り 補 修", "労務費x10%", "300"), lump("そ　　の　　他", "(労+はつり)x 5%", "165"),
          lump("そ　　の　　他", "(材+労)x 3%", "129")}},
        {"without はつり",
         with(labourRates, {{G::HaturiRitu, ""}}),
         {lump("そ　　の　　他", "(労)x 5%", "150"), lump("そ　　の　　他", "(材+労)x 3%", "120")}},
        {"with 雑材料",
         with(labourRates, {{G::ZatuzaiRitu, "0.03"}}),
         {lump("雑　　材　　料", "(材)x 3%", "30"), lump("は つ り 補 修", "労務費x10%", "300"),
          lump("そ　　の　　他", "(労+はつり)x 5%", "165"), lump("そ　　の　　他", "(材+労+雑+運)x 3%", "129")}},
    };
    const std::string labourLine = "|労　　務　　費|電工|0.15@#,##0.####|人^|20000@#,###|3000@#,###|";
    for (const auto& c : cases)
        for (int yousiki : {0, 1}) {
            openEstimate({vpRow(1, 1, c.fields)});
            style(yousiki);
            daikaExcel();
            const std::vector<std::string> l = lines();
            ASSERT_GE(l.size(), 5u) << c.what;
            EXPECT_EQ(l[0], kTitle) << c.what;
            EXPECT_EQ(l[1], kMaterial) << c.what;
            std::vector<std::string> between(l.begin() + 2, l.end() - 3);
            // The composite style alone shows the labour line, right after the rates on materials.
            std::vector<std::string> expected = c.between;
            if (yousiki == 1 && c.fields.size() > 1) {
                const auto at = std::find_if(expected.begin(), expected.end(),
                                             [](const std::string& s) { return s.find("雑　　材　　料") == std::string::npos; });
                expected.insert(at, labourLine);
            }
            EXPECT_EQ(between, expected) << c.what << " style " << yousiki;
            EXPECT_EQ(l[l.size() - 3].substr(0, 16), total("").substr(0, 16)) << c.what;
            EXPECT_EQ(l.back(), kSeparator) << c.what;
        }
}

TEST_F(DaikaWorkbookTest, LabourLinesInTheCompositeStyleOnly) {
    labour({{5, "電工", "20000"}, {12, "配管工", "18000"}});
    openEstimate({vpRow(1, 1, {{G::Roumu1No, "5"}, {G::Roumu1Bukake, "  0.15"}, {G::Roumu2Bukake, "0.5"},
                               {G::Roumu3No, "12"}, {G::Roumu3Bukake, "0.1"}, {G::Bikou2, sj("備考B")}})});
    style(1);
    daikaExcel();
    const SheetModel& s = sheet("代価表");
    // Lines 1 and 3 on consecutive rows (line 2 has a rate but no number), each from its own entry.
    EXPECT_EQ(textOf(s, "B4"), "労　　務　　費");
    EXPECT_EQ(textOf(s, "C4"), "電工" + blanks(8));
    EXPECT_EQ(at(s, "D4").number, 0.15);
    EXPECT_EQ(at(s, "D4").numberFormat, "#,##0.####");
    EXPECT_EQ(textOf(s, "E4"), "人");
    EXPECT_TRUE(at(s, "E4").centred);
    EXPECT_EQ(at(s, "F4").number, 20000);
    EXPECT_EQ(at(s, "F4").numberFormat, "#,###");
    EXPECT_EQ(at(s, "G4").number, 3000);
    EXPECT_EQ(textOf(s, "H4"), "備考B" + blanks(25));
    EXPECT_EQ(textOf(s, "C5"), "配管工" + blanks(6));
    EXPECT_EQ(at(s, "F5").number, 18000);
    EXPECT_EQ(at(s, "G5").number, 1800);
    EXPECT_EQ(textOf(s, "H5"), "備考B" + blanks(25));
    EXPECT_EQ(textOf(s, "B6"), "　　　計　　　");
    // ２行間隔で出力 changes nothing in the workbook.
    const std::vector<std::string> single = lines();
    daikaExcel({}, true, true);
    EXPECT_EQ(lines(), single);

    // The same row in the labour-posting style: the labour is posted elsewhere, no labour line.
    style(0);
    daikaExcel();
    const std::vector<std::string> l = lines();
    ASSERT_EQ(l.size(), 5u);
    EXPECT_EQ(l[2].substr(0, 16), total("").substr(0, 16));
}

TEST_F(DaikaWorkbookTest, FlagsDecideBlocksAndTheirEndsInTheLabourPostingStyle) {
    labour({{5, "電工", "20000"}});
    const std::vector<std::string> rows = {
        // 材料を合計 alone: materials and rates only, though its labour makes an その他1 amount.
        vpRow(1, 1, {{G::FukuHyouji, "0"}, {G::ZaiGoukei, "1"}, {G::TugiteRitu, "0.05"}, {G::Roumu1No, "5"},
                     {G::Roumu1Bukake, "0.15"}, {G::Sonota1Ritu, "0.05"}}),
        vpRow(1, 2, {{G::Hinmei, "B"}}),
        // Rates without either flag.
        vpRow(1, 3, {{G::Hinmei, "C"}, {G::FukuHyouji, "0"}, {G::Roumu1No, "5"}, {G::Roumu1Bukake, "0.15"}}),
    };
    openEstimate(rows);
    daikaExcel();
    EXPECT_EQ(lines(), (std::vector<std::string>{kTitle, kMaterial, lump("継　　　　　手", "管単価x 5%", "25"),
                                                 "|B||0@#,###|^|0@#,###|0@#,###|", kMaterial, total("1000"), tanka("1000"),
                                                 kSeparator}));

    // In the composite style every row with a flag or a rate gets a whole block.
    openEstimate(rows);
    style(1);
    daikaExcel();
    const std::vector<std::string> l = lines();
    EXPECT_EQ(std::count(l.begin(), l.end(), kSeparator), 3);
    EXPECT_NE(std::find(l.begin(), l.end(), "|C||0@#,###|^|0@#,###|0@#,###|"), l.end());
}

TEST_F(DaikaWorkbookTest, PageFillToFiftyRows) {
    // Closed blocks take 5 rows (title, material, 計, 複合単価, closing row); 材料を合計 blocks
    // of the labour-posting style 2 (title, material).
    auto estimate = [](int closed, int open) {
        std::vector<std::string> rows;
        int g = 0;
        for (int i = 0; i < closed; ++i, ++g)
            rows.push_back(vpRow(1, g + 1, {{G::Hinmei, "K" + std::to_string(g)}}));
        for (int i = 0; i < open; ++i, ++g)
            rows.push_back(vpRow(1, g + 1, {{G::Hinmei, "K" + std::to_string(g)}, {G::FukuHyouji, "0"}, {G::ZaiGoukei, "1"}}));
        return rows;
    };
    const struct {
        int closed, open, blockRows, lastRow;
    } cases[] = {
        {9, 2, 49, 51},
        {10, 0, 50, 51},
        {9, 3, 51, 101},
        {0, 0, 0, 1},
    };
    for (const auto& c : cases) {
        openEstimate(c.closed + c.open ? estimate(c.closed, c.open) : fixtureRows());
        daikaExcel();
        const SheetModel& s = sheet("代価表");
        EXPECT_EQ(static_cast<int>(lines().size()), c.blockRows) << c.blockRows;
        EXPECT_EQ(lastRow(s), c.lastRow) << c.blockRows;
        // Fill rows: framed, 25 high, no values.
        for (int r = 2 + c.blockRows; r <= c.lastRow; ++r) {
            EXPECT_TRUE(framed(s, r, 1) && framed(s, r, 8)) << r;
            EXPECT_EQ(s.rowHeights.at(r), 25.0) << r;
            EXPECT_EQ(at(s, "D" + std::to_string(r)).numberFormat, "#,###");
            EXPECT_TRUE(at(s, "E" + std::to_string(r)).centred);
        }
    }
}

TEST_F(DaikaWorkbookTest, CallsOfTheRunAndOfOneLine) {
    openEstimate({vpRow(1, 1)});
    std::vector<std::string> calls;
    kiv::automation::setCallHooks({[&](const Call& c) { calls.push_back(callText(c)); }, nullptr});
    daikaExcel();
    EXPECT_EQ(CProgressDlg::s_Made, madeBefore + 1);
    auto from = [&](const std::string& first, std::size_t n) {
        auto it = std::find_if(calls.begin(), calls.end(), [&](const std::string& s) { return s.rfind(first, 0) == 0; });
        std::vector<std::string> out;
        for (; it != calls.end() && out.size() < n; ++it)
            out.push_back(*it);
        return out;
    };
    const std::string frame = "Range.AD3 call | UI4 1 | I4 2 | I4 1 | UI4 1 | UI4 1";
    auto get = [](const char* cell) { return std::string("Worksheet.C5 get | BSTR \"") + cell + "\" | BSTR \"" + cell + "\""; };
    auto text = [](const std::string& t) { return "Range.56C put | ARRAY 1x10 \"" + t + "\""; };
    const std::vector<std::string> material = {
        get("A3"), text(""), "Range.110 put | UI4 25", frame,
        get("B3"), text("配管" + blanks(26)), frame,
        get("C3"), text(blanks(30)), frame,
        get("D3"), "Range.56C put | R8 2", "Range.C1 put | BSTR \"#,###\"", frame,
        get("E3"), text("m   "), frame, "Range.88 put | I2 -4108",
        get("F3"), "Range.56C put | R8 500", "Range.C1 put | BSTR \"#,###\"", frame,
        get("G3"), "Range.56C put | R8 1000", "Range.C1 put | BSTR \"#,###\"", frame,
        get("H3"), text(blanks(30)), frame,
        get("A4"),
    };
    EXPECT_EQ(from(get("A3"), material.size()), material);
    EXPECT_EQ(from("Worksheet.6E put", 2), (std::vector<std::string>{"Worksheet.6E put | BSTR \"代価表\"", "Worksheet.3E6 get"}));
    EXPECT_EQ(from(get("B1"), 6), (std::vector<std::string>{get("B1"), text("品         名"), "Range.F2 put | UI4 30", frame,
                                                           "Range.88 put | I2 -4108", get("C1")}));
    const std::vector<std::string> end = {
        "Workbook.11C call | BSTR \"" + out().string() +
            "\" | missing | missing | missing | missing | missing | I4 0 | missing | missing | missing | missing",
        "Application.4BA put | BOOL TRUE",
        "Application.12E call",
    };
    EXPECT_EQ(std::vector<std::string>(calls.end() - 3, calls.end()), end);
}

TEST_F(DaikaWorkbookTest, DialogProposalAndBrowse) {
    openEstimate({vpRow(1, 1)});
    doc->setPathName(exeDir / "a.KIV", false);
    std::string shown;
    backend.expectFile(std::nullopt);
    backend.expectDialog(
        [&](kiv::ui::headless::DialogDriver& d) {
            shown = d.textUtf8(CDaikaExcelDialog::IDC_PATH);
            // 参照 starts from the proposal, not from what was typed.
            d.type(CDaikaExcelDialog::IDC_PATH, (exeDir / "typed.xlsx").string());
            d.click(CDaikaExcelDialog::IDC_BROWSE);
            d.click(kiv::ui::IDCANCEL);
        },
        CDaikaExcelDialog::IDD);
    view->onCommand(ID_DAIKA_EXCEL);
    EXPECT_EQ(shown, (exeDir / "a.XLSX").string());
    ASSERT_FALSE(backend.prompts().empty());
    const auto& file = backend.prompts().back();
    EXPECT_EQ(file.kind, "file");
    EXPECT_EQ(file.text, (exeDir / "a.XLSX").string());
    EXPECT_EQ(file.caption, "EXCEL2007(*.XLSX)|*.XLSX||");
    EXPECT_EQ(file.style, static_cast<unsigned>(kiv::ui::OFN_HIDEREADONLY | kiv::ui::OFN_OVERWRITEPROMPT));
    EXPECT_EQ(saves, 0);

    // The chosen file is written without asking again; a typed existing one is asked about.
    ASSERT_TRUE(kiv::files::writeFileAtomically(out("chosen.xlsx"), "old"));
    backend.expectFile(out("chosen.xlsx"));
    backend.expectMessageBox(kiv::ui::IDYES, "上書きしますか");   // the file dialog's own question
    backend.expectDialog([](kiv::ui::headless::DialogDriver& d) { d.click(CDaikaExcelDialog::IDC_BROWSE).click(kiv::ui::IDOK); },
                         CDaikaExcelDialog::IDD);
    view->onCommand(ID_DAIKA_EXCEL);
    backend.processPending();
    EXPECT_EQ(saves, 1);
    backend.expectMessageBox(kiv::ui::IDCANCEL, "上書きしますか");
    backend.expectDialog(
        [&](kiv::ui::headless::DialogDriver& d) { d.type(CDaikaExcelDialog::IDC_PATH, out("chosen.xlsx").string()).click(kiv::ui::IDOK); },
        CDaikaExcelDialog::IDD);
    view->onCommand(ID_DAIKA_EXCEL);
    EXPECT_EQ(saves, 1);
}

TEST_F(DaikaWorkbookTest, UntitledAndFailedRunsStoreAndWriteNothing) {
    openEstimate({vpRow(1, 1)});
    placeCursor(1, 1, 9);
    // Untitled: the empty proposal stops at the path check.
    std::string shown = "?";
    backend.expectDialog(
        [&](kiv::ui::headless::DialogDriver& d) {
            shown = d.textUtf8(CDaikaExcelDialog::IDC_PATH);
            d.click(kiv::ui::IDOK);
        },
        CDaikaExcelDialog::IDD);
    backend.expectMessageBox(kiv::ui::IDOK, "ファイルが作成できません。");
    view->onCommand(ID_DAIKA_EXCEL);
    EXPECT_EQ(shown, "");
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(CProgressDlg::s_Made, madeBefore);
    EXPECT_FALSE(doc->isModified());

    // A call failing in the middle: the application handed back, nothing saved, the view back.
    int values = 0;
    kiv::automation::setCallHooks(
        {nullptr, [&](const Call& c) { return c.dispid == kiv::automation::dispid::Value2 && ++values == 20; }});
    backend.expectMessageBox(kiv::ui::IDOK, "ファイルが作成できません。");
    daikaExcel();
    EXPECT_EQ(saves, 0);
    EXPECT_FALSE(std::filesystem::exists(out()));
    EXPECT_EQ(cursorRow(), 1);
    EXPECT_EQ(field(), 9);
    EXPECT_TRUE(view->caret().visible);
    EXPECT_EQ(kiv::ui::App::instance()->waitCursorDepth(), 0);
    EXPECT_EQ(backend.pendingAnswers(), 0u);

    // The save itself failing (a full disk, for root too): nothing is made, the message names
    // the file and the reason.
    kiv::automation::setCallHooks({});
    {
        kiv::files::WriteFault full(ENOSPC);
        backend.expectMessageBox(kiv::ui::IDOK, "ファイルが作成できません。\n" + out().string() +
                                                    "\nディスクの空き容量が不足しています。");
        daikaExcel();
    }
    EXPECT_FALSE(std::filesystem::exists(out()));
    EXPECT_EQ(backend.pendingAnswers(), 0u);
}

// The walk's row messages are listed once the view is back, before the failure box of the
// workbook.
TEST_F(DaikaWorkbookTest, GatheredRowMessagesComeBeforeTheFailureBox) {
    labour({{5, "電工", "     20000"}});
    openEstimate({vpRow(1, 1, {{G::Roumu1No, "7"}, {G::Roumu1Bukake, "0.15"}})});   // no labour entry 7
    int values = 0;
    kiv::automation::setCallHooks(
        {nullptr, [&](const Call& c) { return c.dispid == kiv::automation::dispid::Value2 && ++values == 20; }});
    std::vector<std::string> shown;
    SetKivMessageHook([&](const std::string& text) {
        shown.push_back(backend.pendingAnswers() == 1 ? "before the failure box: " + text : "out of order: " + text);
    });
    backend.expectMessageBox(kiv::ui::IDOK, "ファイルが作成できません。");
    daikaExcel();
    SetKivMessageHook({});
    EXPECT_EQ(saves, 0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("before the failure box: 労務単価1が入力されていない行があります。"), std::string::npos)
        << shown[0];
    EXPECT_EQ(backend.pendingAnswers(), 0u);
}

} // namespace
} // namespace kivtest
