// The starter set of reference files and masters shipped with the program (written at build time
// from dist/reference/StarterSet.txt): it names every file an estimate reads by default and the
// default master of each mode, each file reads back with the program's own readers and holds what
// a first estimate needs (every operation-category code, its master template, the labour trades,
// readable layouts), the build puts it beside the program, and with it in the program's folder a
// first estimate, new or opened, comes up without a word about missing files, while a file taken
// away is still reported by name.
#include "ShellFixture.h"

#include "estimate/LayoutFile.h"
#include "estimate/MasterPath.h"
#include "estimate/MstFileReader.h"
#include "estimate/ReferenceFile.h"
#include "estimate/RoumuFile.h"
#include "estimate/SetteiFile.h"
#include "grid/GoukeiDialog.h"
#include "grid/KivView.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"
#include "print/HyousiDialog.h"
#include "print/InsatuDialog.h"
#include "totals/SyuukeiDialog.h"
#include "totals/TotalDoc.h"

#include <map>
#include <set>

using namespace kiv;
using namespace kiv::ui;
using kiv::test::ShellTest;
using kiv::text::sj;
namespace fs = std::filesystem;

namespace {

const fs::path kStarterSet = KIV_STARTER_SET;

std::set<std::string> starterNames() {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(kStarterSet))
        names.insert(entry.path().filename().string());
    return names;
}

// The codes that are no computed kind: the spare and the two categories accessories are computed
// over. Every other code has a template row in the master.
bool isComputedKind(EnzanCode k) {
    return k != EnzanCode::Spare && k != EnzanCode::Fuzokuhin1Hi && k != EnzanCode::Fuzokuhin2Hi;
}

SetteiValues starterCodes(const char* name) {
    SetteiLoad load = readSetteiFile(kStarterSet / name);
    EXPECT_EQ(load.state, FileState::Readable) << name;
    return ParseSettei(load.record);
}

TEST(StarterSet, HoldsTheDefaultFileOfEachNameAndTheTwoMasters) {
    std::set<std::string> defaults{DefaultMasterName("1"), DefaultMasterName("2")};
    for (ReferenceFile which : {ReferenceFile::Roumu, ReferenceFile::ElectricSettei, ReferenceFile::MechanicalSettei,
                                ReferenceFile::Hedder, ReferenceFile::HyousiForm})
        defaults.insert(referenceFileInfo(which).defaultName);
    EXPECT_EQ(starterNames(), defaults);
}

TEST(StarterSet, SettingsOfBothModesFillEveryCodeInTheCompositeStyle) {
    for (const char* name : {"電気設定.ett", "機械設定.mtt"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(fs::file_size(kStarterSet / name), SetteiRecord::Size);
        const SetteiValues v = starterCodes(name);
        std::set<int> seen;
        for (int k = 0; k < kEnzanCodeCount; ++k) {
            const int code = v.code(static_cast<EnzanCode>(k));
            EXPECT_GT(code, 0) << k;
            EXPECT_LT(code, 1000) << k;   // a totals page holds categories up to 999
            EXPECT_TRUE(seen.insert(code).second) << "code " << code << " given twice";
        }
        EXPECT_EQ(v.SekisanYousiki, 1);   // no labour rows to post, no questions about them
        EXPECT_GE(v.FukugouMarume, 1);
        EXPECT_LE(v.FukugouMarume, 3);
        EXPECT_GE(v.KetaMarume, 0);
        EXPECT_LE(v.KetaMarume, 3);
    }
    EXPECT_EQ(kiv::files::readFile(kStarterSet / "電気設定.ett"), kiv::files::readFile(kStarterSet / "機械設定.mtt"));
}

TEST(StarterSet, LabourListCarriesTheTradesOfTheLabourRowsWithoutPrices) {
    RoumuLoad load = readRoumuFile(kStarterSet / "労務単価.rab");
    ASSERT_EQ(load.state, FileState::Readable);
    EXPECT_TRUE(load.warning.empty());
    const std::map<int, const char*> trades{{18, "配管工"}, {32, "機械工"}, {8, "電工"}, {2, "普通作業員"}};
    for (const auto& [no, trade] : trades) {
        SCOPED_TRACE(no);
        const RoumuRecord* line = load.list.byNumber(no);
        ASSERT_NE(line, nullptr);
        const RoumuFields f = line->fields();
        EXPECT_EQ(f.Syokusyu, sj(trade));
        EXPECT_EQ(std::stoi(f.No), no);   // the NO shown is the registration number
        EXPECT_TRUE(kiv::text::trimBlanks(f.RoumuTanka1).empty());
        EXPECT_TRUE(kiv::text::trimBlanks(f.RoumuTanka2).empty());
    }
}

TEST(StarterSet, LayoutsPrintTitlePageNumberNameAndDateAtReadableSizes) {
    // A size unit is 1/328 of the page width, about 2.4 pt: 3 and more reads as 7 pt and more.
    auto readable = [](const LayoutPos& p) { return p.size >= 3; };
    auto filled = [](const std::string& text) { return !kiv::text::trimBlanks(text).empty(); };
    auto hedder = readHedderFile(kStarterSet / "ヘッダー.hdr");
    ASSERT_EQ(hedder.state, FileState::Readable);
    const HedderLayout h = ParseHedder(hedder.record);
    EXPECT_TRUE(filled(h.headerCentre.text) && readable(h.headerCentre.pos));
    EXPECT_TRUE(readable(h.footerPage.pos));
    EXPECT_GT(h.footerPage.pos.y, 40);   // below the table, not over its rows

    auto cover = readHyousiFormFile(kStarterSet / "表紙.frm");
    ASSERT_EQ(cover.state, FileState::Readable);
    const HyousiLayout c = ParseHyousi(cover.record);
    EXPECT_TRUE(filled(c.midasi.text) && readable(c.midasi.pos));
    EXPECT_TRUE(filled(c.meisyou.text) && readable(c.meisyou.pos));   // caption of the estimate's 名称
    EXPECT_TRUE(readable(c.aite.pos) && readable(c.kingaku.pos));
    for (const std::string& part : c.nengappi)
        EXPECT_TRUE(filled(part));
    EXPECT_TRUE(readable(c.nengappiPos));
}

TEST(StarterSet, EachMasterHoldsATitleForEveryCodeAndATemplateForEveryComputedKind) {
    for (const char* mode : {"1", "2"}) {
        SCOPED_TRACE(mode);
        const SetteiValues codes = starterCodes(mode == std::string("1") ? "電気設定.ett" : "機械設定.mtt");
        std::string message;
        auto rows = ReadMstRows(kStarterSet / DefaultMasterName(mode), message, true);
        ASSERT_TRUE(rows) << message;
        ASSERT_FALSE(rows->empty());
        std::map<int, std::map<int, std::string>> byBun;   // category -> row number -> row
        for (const std::string& row : *rows) {
            EXPECT_EQ(row.size(), kMstRowLength);
            byBun[GyouRecord::koumokuOf(row)][GyouRecord::toInt(row, GyouRecord::GyouNo)] = row;
        }
        // Categories 1 to the last without a gap, each with its title: the tree lists them all.
        EXPECT_EQ(byBun.begin()->first, 1);
        EXPECT_EQ(byBun.rbegin()->first, static_cast<int>(byBun.size()));
        for (const auto& [bun, lines] : byBun)
            EXPECT_TRUE(lines.count(1) && !GyouRecord::isBlank(lines.at(1), GyouRecord::Hinmei)) << bun;
        for (int k = 0; k < kEnzanCodeCount; ++k) {
            const EnzanCode kind = static_cast<EnzanCode>(k);
            SCOPED_TRACE(enzanCodeInfo(kind).caption);
            ASSERT_TRUE(byBun.count(codes.code(kind)));
            EXPECT_EQ(byBun[codes.code(kind)].count(2) == 1, isComputedKind(kind));
        }
        // What 合計入力 and the style conversion take: a template for each of their kinds,
        // carrying the kind's code as its 分類.
        const KeisanTemplates t = FindKeisanTemplates(*rows, codes);
        EXPECT_FALSE(t.oldLayout);
        for (int slot = 0; slot < kKeisanTemplateCount; ++slot) {
            const std::string& row = t.rows[static_cast<std::size_t>(slot)];
            ASSERT_FALSE(row.empty()) << slot;
            EXPECT_EQ(GyouRecord::toInt(row, GyouRecord::BunNo), codes.code(KeisanTemplateKind(slot)));
            EXPECT_FALSE(GyouRecord::isBlank(row, GyouRecord::Hinmei));
        }
        // The tax line comes with its rate; the labour rows with the trade the calculators check.
        EXPECT_EQ(kiv::text::trimBlanks(GyouRecord::raw(t.rows[12], GyouRecord::Kakeritu)), "0.10");
        EXPECT_EQ(GyouRecord::text(t.rows[7], GyouRecord::Hinmei), sj("配管工"));
    }
}

TEST(StarterSet, TheBuildPutsItBesideTheProgram) {
    // The tests are built into the program's folder, so theirs is the program's.
    const fs::path dir = files::programDirectory();
    for (const std::string& name : starterNames())
        EXPECT_TRUE(fs::is_regular_file(dir / name)) << (dir / name);
}

class StarterSetTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        // The program's folder holds the shipped files and nothing else.
        for (const auto& entry : fs::directory_iterator(exeDir.path()))
            fs::remove(entry.path());
        restoreStarterSet();
    }
    void restoreStarterSet() {
        for (const std::string& name : starterNames())
            if (!fs::exists(exeDir / name))
                fs::copy_file(kStarterSet / name, exeDir / name);
    }
    CKivDoc* estimate(std::size_t i) { return i < documents().size() ? dynamic_cast<CKivDoc*>(documents()[i]) : nullptr; }
};

TEST_F(StarterSetTest, FirstEstimatesInEitherModeRaiseNoPrompt) {
    for (const std::string mode : {"1", "2"}) {
        SCOPED_TRACE(mode);
        const std::size_t promptsBefore = hb().prompts().size();
        ASSERT_EQ(start(mode), 0);
        hb().sendCommand(cmd::FileNew);
        const fs::path path = writeEstimate(mode == "1" ? "first.KIV" : "first.MES");
        hb().expectFile(path);
        hb().sendCommand(cmd::FileOpen);

        ASSERT_EQ(documents().size(), 2u);
        EXPECT_EQ(estimate(1)->GetPathName(), path.string());
        for (std::size_t i = 0; i < 2; ++i) {
            CKivDoc* doc = estimate(i);
            ASSERT_NE(doc, nullptr);
            EXPECT_TRUE(doc->m_RoumuRead && doc->m_SetteiRead && doc->m_HedderRead && doc->m_HyousiRead) << i;
            EXPECT_EQ(doc->m_SetteiPath, exeDir / (mode == "1" ? "電気設定.ett" : "機械設定.mtt"));
            EXPECT_EQ(doc->m_Roumu.count(), 32u);
            EXPECT_EQ(doc->m_SetteiValues.SekisanYousiki, 1);
        }
        // The only prompt was the file dialog; no estimate message reached the user.
        ASSERT_EQ(hb().prompts().size(), promptsBefore + 1);
        EXPECT_EQ(hb().prompts().back().kind, "file");
        EXPECT_TRUE(KivRecordedMessages().empty());
        app.reset();
    }
}

TEST_F(StarterSetTest, ARemovedFileIsStillReportedWhenAnEstimateIsCreated) {
    struct Case {
        const char* mode;
        const char* removed;
        bool reported;   // the other mode's settings file is never read
    } cases[] = {
        {"1", "労務単価.rab", true}, {"1", "電気設定.ett", true}, {"2", "機械設定.mtt", true},
        {"2", "ヘッダー.hdr", true}, {"1", "表紙.frm", true},    {"2", "電気設定.ett", false},
        {"1", "機械設定.mtt", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " " + c.removed);
        restoreStarterSet();
        ASSERT_TRUE(fs::remove(exeDir / c.removed));
        const std::size_t before = hb().messageTexts().size();
        ASSERT_EQ(start(c.mode), 0);
        if (c.reported)
            hb().expectMessageBox(IDOK);
        hb().sendCommand(cmd::FileNew);
        EXPECT_EQ(documents().size(), 1u);
        const std::vector<std::string> texts = hb().messageTexts();
        const std::vector<std::string> shown(texts.begin() + static_cast<std::ptrdiff_t>(before), texts.end());
        if (c.reported)
            EXPECT_EQ(shown, std::vector<std::string>{std::string("デフォルトで") + c.removed +
                                                      "ファイルが存在しません設定しなおしてください。"});
        else
            EXPECT_TRUE(shown.empty());
        app.reset();
    }
}

} // namespace

namespace {

// A new user's first estimate on the starter files alone, driven through the windows as typed:
// two priced rows, 合計入力 → 小計決定, the totals conversion with the starter master, and the
// printed cover page with the estimate's name and page number.
class FirstDayTest : public StarterSetTest {
protected:
    CKivView* view = nullptr;
    CKivDoc* doc = nullptr;

    void key(int vk) { hb().sendKeyDown(*view, vk); }
    void type(const std::string& ascii) {
        for (char c : ascii)
            hb().sendChar(*view, static_cast<unsigned char>(c));
    }
    // Enter moves the cursor from field to field and row to row, as the user goes along a row.
    void enterTo(int gyou, int field) {
        for (int i = 0; i < 200 && !(doc->m_CurGyou[0] == gyou && view->m_CurField[0] == field); ++i)
            hb().sendChar(*view, '\r');
        ASSERT_EQ(doc->m_CurGyou[0], gyou);
        ASSERT_EQ(view->m_CurField[0], field);
    }
    std::string row(int gyou) const {
        std::string r = doc->WorkGyouAt(gyou);
        GyouRecord::padLength(r);
        return r;
    }
    std::string amount(int gyou) const {
        return std::string(kiv::text::trimBlanks(GyouRecord::raw(row(gyou), GyouRecord::Kingaku1)));
    }
};

TEST_F(FirstDayTest, EstimateTotalsConversionAndPrintFromTheStarterFilesAlone) {
    ASSERT_EQ(start("1"), 0);
    hb().sendCommand(cmd::FileNew);
    doc = estimate(0);
    ASSERT_NE(doc, nullptr);
    view = g_pKivView;
    ASSERT_NE(view, nullptr);
    // Two priced rows: 品名, 拾出数量 and 単価.
    const struct {
        const char* name;
        const char* suu;
        const char* tanka;
    } typed[] = {{"VE22", "10", "150"}, {"VE28", "4", "220"}};
    for (int g = 1; g <= 2; ++g) {
        enterTo(g, GyouRecord::Hinmei);
        type(typed[g - 1].name);
        enterTo(g, GyouRecord::HiroidasiSuu1);
        type(typed[g - 1].suu);
        enterTo(g, GyouRecord::Tanka1);
        type(typed[g - 1].tanka);
        hb().sendChar(*view, '\r');
    }
    EXPECT_EQ(amount(1), "1500");
    EXPECT_EQ(amount(2), "880");

    // 合計入力 → 小計決定 with the cursor on the empty row after them: a 小計 row of the starter
    // code below both rows, carrying their sum.
    enterTo(3, GyouRecord::Hinmei);
    hb().expectDialog([](kiv::ui::headless::DialogDriver& d) { d.click(IDOK); }, CGoukeiDialog::kDialogId);
    ASSERT_TRUE(view->onCommand(ID_GOUKEI_INPUT));
    int syoukei = 0;
    for (int g = 1; g <= doc->m_GyouCount; ++g)
        if (GyouRecord::toInt(row(g), GyouRecord::BunNo) == doc->m_SetteiValues.code(EnzanCode::Syoukei))
            syoukei = g;
    ASSERT_GT(syoukei, 2);
    EXPECT_EQ(std::string(GyouRecord::raw(row(syoukei), GyouRecord::BunNo)), "0011");
    EXPECT_EQ(std::string(GyouRecord::raw(row(syoukei), GyouRecord::BunGyouNo)), "9999");
    EXPECT_EQ(amount(syoukei), "2380");

    // The estimate saved, then rolled up into a new totals document with the starter master.
    const fs::path saved = data / "first.KIV";
    hb().expectFile(saved);
    hb().sendCommand(cmd::FileSaveAs);
    ASSERT_TRUE(fs::exists(saved));
    hb().sendCommand(32814);   // 集計呼出
    ASSERT_NE(g_pTotalDoc, nullptr);
    CTotalDoc* total = g_pTotalDoc;
    hb().expectMessageBox(IDOK, "複合計算モード");   // the reminder of the composite style
    hb().expectDialog([&](kiv::ui::headless::DialogDriver& d) { d.type(CSyuukeiDialog::kPath, saved.string()).click(IDOK); },
                      CSyuukeiDialog::kDialogId);
    hb().sendCommand(32815);   // 積算ﾌｧｲﾙを変換
    std::map<std::pair<int, int>, std::string> pages;
    for (int i = 0; i < total->PoolGyouCount(); ++i) {
        const std::string& r = total->PoolGyou(i);
        if (!GyouRecord::isFreeRow(r))
            pages[{GyouRecord::koumokuOf(r), GyouRecord::toInt(r, GyouRecord::GyouNo)}] = r;
    }
    auto name = [](const std::string& r) { return std::string(GyouRecord::text(r, GyouRecord::Hinmei)); };
    auto kingaku = [](const std::string& r) { return std::string(kiv::text::trimBlanks(GyouRecord::raw(r, GyouRecord::Kingaku1))); };
    // The summary page, and the page of the typed rows (no master category); the 小計 stays out.
    // The summary page, and the page of the typed rows (they have no master category; the empty
    // row beside the 小計 comes along as a blank item); the 小計 row itself stays out.
    auto find = [&](int k, const std::string& hinmei) -> std::string {
        for (const auto& [key, r] : pages)
            if (key.first == k && name(r) == hinmei)
                return r;
        ADD_FAILURE() << "no row " << k << " " << hinmei;
        return GyouRecord::blankRow();
    };
    // The summary page, shown, keeps its heading (the grid's old row once took its place).
    ASSERT_EQ(total->m_CurKoumoku[0], 1);
    EXPECT_EQ(name(pages[{1, 1}]), sj("分類集計"));
    EXPECT_EQ(name(total->WorkGyouAt(1)), sj("分類集計"));
    EXPECT_EQ(kingaku(find(1, sj("　計"))), "2380");
    EXPECT_EQ(name(pages[{2, 1}]), sj("分類ＮＯなし"));
    EXPECT_EQ(kingaku(find(2, "VE22")), "1500");
    EXPECT_EQ(kingaku(find(2, "VE28")), "880");
    EXPECT_EQ(kingaku(find(2, sj("　小計"))), "2380");
    EXPECT_EQ(total->m_KoumokuCount, 2);

    // Back in the estimate: its name on the cover data, then 表紙付内訳書印刷.
    main().activateChild(doc->frames().front());
    hb().expectDialog([](kiv::ui::headless::DialogDriver& d) { d.type(1154, "第一工場電気設備工事").click(IDOK); },
                      CHyousiDialog::kDialogId);
    hb().sendCommand(32774);   // 表紙作成
    hb().expectDialog([](kiv::ui::headless::DialogDriver& d) { d.click(CInsatuDialog::IDC_HYOUSI_UTIWAKE).click(IDOK); },
                      CInsatuDialog::IDD);
    hb().expectPrintDialog([](kiv::print::PrintSettings&) { return true; });
    const std::size_t jobs = hb().printJobs().size();
    hb().sendCommand(cmd::FilePrint);
    hb().processPending();
    ASSERT_EQ(hb().printJobs().size(), jobs + 1);
    const auto& page = hb().printJobs().back().pages.at(0);
    const auto* title = page.findContaining(sj("第一工場電気設備工事"));
    const auto* pageNo = page.find("-1-");
    ASSERT_NE(title, nullptr);
    ASSERT_NE(pageNo, nullptr);
    // Readable: at 600 dots an inch, 7 pt is 58 dots high.
    EXPECT_GE(title->font.height, 58);
    EXPECT_GE(pageNo->font.height, 58);
    EXPECT_NE(page.findContaining(sj("令和")), nullptr);
    EXPECT_NE(page.findContaining(sj("御 見 積 書")), nullptr);
}

} // namespace
