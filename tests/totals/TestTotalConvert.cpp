// The roll-up of an estimate into totals pages, and the totals number columns.
#include <gtest/gtest.h>

#include <filesystem>

#include "estimate/KivDoc.h"
#include "estimate/KivFile.h"
#include "estimate/KivMessage.h"
#include "master/MstFixture.h"
#include "platform/files/Files.h"
#include "platform/text/Number.h"
#include "support/TempDir.h"
#include "totals/TotalConvertFixture.h"
#include "totals/TotalConvert.h"
#include "totals/TotalDoc.h"
#include "totals/TotalFile.h"

namespace {

namespace fs = std::filesystem;
using kivtest::est;
using kivtest::estimateRows;
using kivtest::kKeihi1Code;
using kivtest::kSyoukeiCode;
using kivtest::masterRows;
using kivtest::totalSettings;
using G = GyouRecord;
using kiv::text::parseDecimal;

std::string sj(const char* s) { return kiv::text::sj(s); }
std::string_view raw(const std::string& row, int f) { return G::raw(row, f); }
std::string text(const std::string& row, int f) { return std::string(G::text(row, f)); }

void expectRow(const std::string& row, int k, int g, const char* name, const char* suu, const char* k1, const char* k2) {
    SCOPED_TRACE(std::to_string(k) + "/" + std::to_string(g));
    EXPECT_EQ(G::koumokuOf(row), k);
    EXPECT_EQ(G::toInt(row, G::GyouNo), g);
    EXPECT_EQ(text(row, G::Hinmei), sj(name));
    EXPECT_EQ(raw(row, G::SekisanSuu1), suu);
    EXPECT_EQ(raw(row, G::SekisanSuu2), suu);
    EXPECT_EQ(kiv::text::trimBlanks(raw(row, G::Kingaku1)), k1);
    EXPECT_EQ(kiv::text::trimBlanks(raw(row, G::Kingaku2)), k2);
}

TEST(TotalConvert, PagesByMasterCategoryWithSummary) {
    // A row without an item (which a file reader reports as damage) takes no part in the roll-up.
    std::vector<std::string> rows = estimateRows();
    rows.push_back(est(0, 3, "VP管", "50A", "7", "1000", "900"));
    const TotalConvertResult r = ConvertToTotals(masterRows(), rows, totalSettings());
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(r.pageCount, 3);
    ASSERT_EQ(r.rows.size(), 5u + 3 + 3 + 3);
    const auto& p = r.rows;
    // Summary page.
    expectRow(p[0], 1, 1, "分類集計", "        ", "", "");
    expectRow(p[1], 1, 2, "配管", "       1", "5000", "4500");
    expectRow(p[2], 1, 3, "電線", "       1", "500", "450");
    expectRow(p[3], 1, 4, "分類ＮＯなし", "       1", "100", "100");
    EXPECT_EQ(text(p[1], G::Tanni), sj("式"));
    EXPECT_EQ(kiv::text::trimBlanks(raw(p[1], G::Tanka1)), "5000");
    expectRow(p[4], 1, 5, "　計", "        ", "5600", "5050");
    // Category pages: heading (the master's line 1 with its key in 302-309), items, 　小計.
    expectRow(p[5], 2, 1, "配管", "        ", "", "");
    EXPECT_EQ(p[5].substr(302, 8), "00030001");
    expectRow(p[6], 2, 2, "VP管", "       5", "5000", "4500");
    expectRow(p[7], 2, 3, "　小計", "        ", "5000", "4500");
    expectRow(p[8], 3, 1, "電線", "        ", "", "");
    expectRow(p[9], 3, 2, "IV", "      10", "500", "450");
    expectRow(p[10], 3, 3, "　小計", "        ", "500", "450");
    expectRow(p[11], 4, 1, "分類ＮＯなし", "        ", "", "");
    expectRow(p[12], 4, 2, "雑品", "       1", "100", "100");
    expectRow(p[13], 4, 3, "　小計", "        ", "100", "100");
}

TEST(TotalConvert, MergesFractionsLumpSumsAndKeepsPricesApart) {
    const std::vector<std::string> rows = {
        est(1, 3, "VP管", "50A", "1.5", "100", "100"),
        est(1, 3, "VP管", "50A", "1.0", "100", "100"),
        est(1, 3, "VP管", "50A", "1", "120", "100"),   // another price: a row of its own
        est(1, kKeihi1Code, "諸経費", "", "", "3000", "2800", "3000", "2800"),
        est(1, kKeihi1Code, "諸経費", "", "", "1", "1", "2000", "1900"),
    };
    const TotalConvertResult r = ConvertToTotals({}, rows, totalSettings());
    // Page 2 (category 3, the master has no heading): blank heading, two VP管 rows.
    ASSERT_EQ(r.pageCount, 2);
    const auto& p = r.rows;
    EXPECT_EQ(text(p[4], G::Hinmei), "");
    expectRow(p[5], 2, 2, "VP管", "    2.50", "250", "250");
    expectRow(p[6], 2, 3, "VP管", "       1", "120", "100");
    // Page 3: the lump sums merged, quantity 1 written whole, the price the summed amount.
    expectRow(p[9], 3, 2, "諸経費", "       1", "5000", "4700");
    EXPECT_EQ(kiv::text::trimBlanks(raw(p[9], G::Tanka1)), "5000");
    EXPECT_EQ(kiv::text::trimBlanks(raw(p[9], G::Tanka2)), "4700");
}

TEST(TotalConvert, HeadingAndTotalRowsOfTheEstimateStayOut) {
    const EnzanCode kinds[] = {EnzanCode::Daikoumoku, EnzanCode::Tyuukoumoku, EnzanCode::Syoukoumoku,
                               EnzanCode::Saimoku,    EnzanCode::HyousiKei,   EnzanCode::Tyuukei,
                               EnzanCode::Syoukei,    EnzanCode::Saikei,      EnzanCode::KoumokunaiKei};
    for (EnzanCode kind : kinds) {
        SCOPED_TRACE(static_cast<int>(kind));
        SetteiValues s = totalSettings();
        s.codes[static_cast<std::size_t>(kind)] = 20;
        const TotalConvertResult r = ConvertToTotals(
            masterRows(), {est(1, 3, "VP管", "50A", "2", "1000", "900"), est(1, 20, "計", "", "", "", "", "777", "777")}, s);
        // The summary page and the page of 配管 alone.
        ASSERT_EQ(r.pageCount, 1);
        ASSERT_EQ(r.rows.size(), 3u + 3);
        expectRow(r.rows[2], 1, 3, "　計", "        ", "2000", "1800");
    }
}

TEST(TotalConvert, NumberColumnsNeverCutDigits) {
    struct Case {
        const char* value;
        bool quantity;
        const char* expect;   // nullptr: too wide, the column blank
    } cases[] = {
        {"5", true, "       5"},          {"2.5", true, "    2.50"},     {"-1.5", true, "   -1.50"},
        {"12345.67", true, "12345.67"},   {"123456.78", true, "123456.8"}, {"1234567.25", true, " 1234567"},
        {"-12345678", true, nullptr},     {"0", true, "        "},      {"1234.56", false, "        1234"}, {"1234.96", false, "        1235"},
        {"999999999999", false, "999999999999"}, {"-99999999999", false, "-99999999999"},
        {"1000000000000", false, nullptr}, {"-999999999999", false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        std::string row = G::blankRow();
        G::putNumber(row, c.quantity ? G::SekisanSuu1 : G::Kingaku1, "77");
        const int f = c.quantity ? G::SekisanSuu1 : G::Kingaku1;
        const bool ok = c.quantity ? PutTotalQuantity(row, f, parseDecimal(c.value)) : PutTotalWhole(row, f, parseDecimal(c.value));
        EXPECT_EQ(ok, c.expect != nullptr);
        EXPECT_EQ(raw(row, f), c.expect ? std::string(c.expect) : std::string(raw(row, f).size(), ' '));
    }
    // A conversion goes on past a number that does not fit, and names it once.
    const TotalConvertResult r =
        ConvertToTotals({}, {est(1, 3, "巨大", "", "200", "5000000000", "1")}, totalSettings());
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_NE(r.messages[0].find("巨大"), std::string::npos);
    EXPECT_EQ(kiv::text::trimBlanks(raw(r.rows[4], G::Kingaku1)), "");
    EXPECT_EQ(kiv::text::trimBlanks(raw(r.rows[4], G::Kingaku2)), "200");
}

using TotalDocConvertTest = kivtest::TotalDocFixture;

TEST_F(TotalDocConvertTest, ConvertsOnlyWhenBothFilesReadAndSavesWhatItBuilt) {
    fs::path mst, kiv;
    writeFixtureFiles(mst, kiv);
    CTotalDoc doc;
    // A missing estimate or a damaged master: named, nothing changes.
    EXPECT_FALSE(doc.ConvertEstimateFile((data / "none.KIV").string(), mst.string()));
    EXPECT_NE(KivRecordedMessages().back().find("none.KIV"), std::string::npos);
    ASSERT_TRUE(kiv::files::writeFileAtomically(data / "bad.MST", "\x05"));
    EXPECT_FALSE(doc.ConvertEstimateFile(kiv.string(), (data / "bad.MST").string()));
    EXPECT_NE(KivRecordedMessages().back().find("bad.MST"), std::string::npos);
    EXPECT_EQ(doc.PoolGyouCount(), 1);
    EXPECT_FALSE(doc.IsModified());
    ClearKivPrompts();

    ASSERT_TRUE(doc.ConvertEstimateFile(kiv.string(), mst.string()));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.m_HyousiData[0], "工事");
    EXPECT_EQ(doc.PoolGyouCount(), 14);
    EXPECT_EQ(doc.m_KoumokuCount, 4);
    EXPECT_EQ(doc.m_CurKoumoku[0], 1);
    EXPECT_EQ(doc.m_GyouCount, 5);
    // Titles: number, 品名, 規格, the two amounts, 掛率.
    EXPECT_EQ(doc.m_KoumokuName[1].size(), 94u);
    EXPECT_EQ(doc.m_KoumokuName[1].substr(0, 4), "0002");
    EXPECT_EQ(kiv::text::trimBlanks(doc.m_KoumokuName[1].substr(4, 30)), sj("配管"));
    EXPECT_EQ(kiv::text::trimBlanks(doc.m_KoumokuName[3].substr(4, 30)), sj("分類ＮＯなし"));
    // A full recalculation of what the conversion built changes no row.
    const std::vector<std::string> built(doc.PoolRows().begin(), doc.PoolRows().end());
    EXPECT_EQ(doc.m_NeedRecalc, 1);
    doc.RebuildKoumokuList();
    EXPECT_EQ(doc.m_NeedRecalc, 0);
    EXPECT_EQ(std::vector<std::string>(doc.PoolRows().begin(), doc.PoolRows().end()), built);
    EXPECT_TRUE(KivRecordedMessages().empty());
    // Saved and reopened: the same pages; saved again: the same bytes.
    const fs::path ttl = data / "t.TTL";
    ASSERT_TRUE(doc.onSaveDocument(ttl));
    const std::string bytes = kiv::files::readFile(ttl).value_or("");
    CTotalDoc again;
    ASSERT_TRUE(again.OnOpenDocument(ttl.string()));
    EXPECT_EQ(again.m_KoumokuCount, 4);
    ASSERT_TRUE(again.onSaveDocument(ttl));
    EXPECT_EQ(kiv::files::readFile(ttl).value_or(""), bytes);
    EXPECT_EQ(ReadTotalFile(bytes).size(), 14u);
}

TEST_F(TotalDocConvertTest, APartlyReadEstimateOrMasterIsRefusedNamingTheFile) {
    // Each file damaged as bytes: data after the last row, a row whose number is damaged but
    // which carries content, a master line of category 0 with content.
    const auto keyed = [](std::string row, std::string key) { return row.replace(0, 4, key); };
    std::vector<std::string> withOhRow = estimateRows();
    withOhRow.push_back(keyed(withOhRow[0], "O002"));
    std::vector<std::string> withNulRow = estimateRows();
    withNulRow.push_back(keyed(withNulRow[0], std::string(4, '\0')));
    std::vector<std::string> withZeroLine = masterRows();
    withZeroLine.push_back(keyed(withZeroLine[0], "0000"));
    std::array<std::string, kKivHyousiCount> hyousi;
    const struct {
        const char* what;
        std::string mst, kiv;
        bool refusesMaster;
    } cases[] = {
        {"estimate with bytes after its rows", WriteMstFile(masterRows()), WriteKivFile(hyousi, estimateRows()) + "XYZ", false},
        {"estimate row numbered O002", WriteMstFile(masterRows()), WriteKivFile(hyousi, withOhRow), false},
        {"estimate row numbered with NULs", WriteMstFile(masterRows()), WriteKivFile(hyousi, withNulRow), false},
        {"master with bytes after its lines", WriteMstFile(masterRows()) + "XYZ", WriteKivFile(hyousi, estimateRows()), true},
        {"master line of category 0 with content", WriteMstFile(withZeroLine), WriteKivFile(hyousi, estimateRows()), true},
    };
    const fs::path mst = data / "m.MST", kiv = data / "e.KIV";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ClearKivPrompts();
        ASSERT_TRUE(kiv::files::writeFileAtomically(mst, c.mst));
        ASSERT_TRUE(kiv::files::writeFileAtomically(kiv, c.kiv));
        CTotalDoc doc;
        EXPECT_FALSE(doc.ConvertEstimateFile(kiv.string(), mst.string()));
        EXPECT_EQ(KivRecordedMessages(),
                  std::vector<std::string>{KivPartlyReadText((c.refusesMaster ? mst : kiv).string()) + "変換を中止します。"});
        EXPECT_EQ(doc.PoolGyouCount(), 1);
        EXPECT_FALSE(doc.IsModified());
    }
    // A blank free row is no damage: the conversion runs.
    std::vector<std::string> withBlank = estimateRows();
    withBlank.push_back(std::string(1400, ' '));
    ASSERT_TRUE(kiv::files::writeFileAtomically(mst, WriteMstFile(masterRows())));
    ASSERT_TRUE(kiv::files::writeFileAtomically(kiv, WriteKivFile(hyousi, withBlank)));
    ClearKivPrompts();
    CTotalDoc doc;
    EXPECT_TRUE(doc.ConvertEstimateFile(kiv.string(), mst.string()));
    EXPECT_EQ(doc.PoolGyouCount(), 14);
}

TEST_F(TotalDocConvertTest, CalcGyouIsRepeatableAndTotalsLeaveOutTotalRows) {
    CTotalDoc doc;
    struct Case {
        const char* suu;
        const char* tanka;
        const char* suuAfter;
        const char* amount;   // "" blank
        bool message;
    } cases[] = {
        {"2.50", "100", "    2.50", "250", false}, {"1.5", "33.3", "    1.50", "50", false},
        {"2", "33.37", "       2", "66", false},    {"-1.5", "33.3", "   -1.50", "-50", false},
        {"200", "5000000000", "     200", "", true}, {"", "100", "        ", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.suu) + " x " + c.tanka);
        std::string row = est(2, 0, "品", "", c.suu, c.tanka, c.tanka);
        for (int pass = 0; pass < 2; ++pass) {
            std::vector<std::string> messages;
            doc.CalcGyou(row, messages);
            EXPECT_EQ(raw(row, G::SekisanSuu1), c.suuAfter);
            EXPECT_EQ(kiv::text::trimBlanks(raw(row, G::Kingaku1)), c.amount);
            EXPECT_EQ(kiv::text::trimBlanks(raw(row, G::Kingaku2)), c.amount);
            EXPECT_EQ(messages.size(), c.message ? 2u : 0u);
            if (c.message)
                EXPECT_EQ(messages[0], CTotalDoc::kMsgGyouTooWide);
        }
    }
    // 表紙計, 中計, 小計 and 項目内計 rows stay out of the page total, 細計 rows count; a blank
    // 分類 counts.
    SetteiValues& s = doc.m_SetteiValues;
    s.codes[static_cast<std::size_t>(EnzanCode::KoumokunaiKei)] = 13;
    s.codes[static_cast<std::size_t>(EnzanCode::Saikei)] = 12;
    s.codes[static_cast<std::size_t>(EnzanCode::Syoukei)] = 11;
    s.codes[static_cast<std::size_t>(EnzanCode::Tyuukei)] = 14;
    s.codes[static_cast<std::size_t>(EnzanCode::HyousiKei)] = 15;
    const std::string a = est(2, 0, "a", "", "1", "100", "100", "100", "100");
    const std::string b = est(2, 13, "項目内計", "", "", "", "", "1000", "1000");
    const std::string c = est(2, 12, "細計", "", "", "", "", "10", "10");
    const std::string d = est(2, 11, "小計", "", "", "", "", "2000", "2000");
    const std::string e = est(2, 14, "中計", "", "", "", "", "3000", "3000");
    const std::string f = est(2, 15, "表紙計", "", "", "", "", "4000", "4000");
    std::string total = est(2, 0, "　小計", "", "", "", "");
    std::vector<std::string> messages;
    const auto sums = doc.CalcKoumokuKei({&a, &b, &c, &d, &e, &f}, total, messages);
    EXPECT_EQ(sums[0], kiv::text::Decimal(110));
    EXPECT_EQ(kiv::text::trimBlanks(raw(total, G::Kingaku1)), "110");
    EXPECT_TRUE(messages.empty());
}

} // namespace
