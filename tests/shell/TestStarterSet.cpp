// The starter set of reference files and masters shipped with the program (written at build time
// from dist/reference/StarterSet.txt): it names every file an estimate reads by default and the
// default master of each mode, each file reads back with the program's own readers and holds what
// a first estimate needs (every operation-category code, its master template, the labour trades,
// readable layouts), the build puts it beside the program, and with it in the program's folder a
// first estimate, new or opened, comes up without a word about missing files, while a file taken
// away is still reported by name.
#include "ShellFixture.h"

#include "estimate/LayoutFile.h"
#include "estimate/ReferenceFile.h"
#include "estimate/RoumuFile.h"
#include "estimate/SetteiFile.h"
#include "master/MasterPath.h"
#include "master/MstFileReader.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"

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
