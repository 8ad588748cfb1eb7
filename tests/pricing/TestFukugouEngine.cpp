// The pricing engine on a breakdown: the rounding R, the ladder and the differences of the
// detail dialog's and the master's pricing from the row's.
#include <gtest/gtest.h>

#include "platform/text/Number.h"
#include "pricing/FukugouEngine.h"

namespace {

using kiv::text::Decimal;
using kiv::text::parseDecimal;

std::string trimmed(const std::string& s) { return std::string(kiv::text::trimBlanks(s)); }

TEST(FukugouEngine, AmountRounding) {
    struct Case { const char* v; int mode; const char* text; };
    for (const Case& c : {Case{"832.5", 1, "       832"}, Case{"832.96", 1, "       833"}, Case{"-12.5", 1, "       -12"},
                          Case{"832.5", 3, "       832.50"}, Case{"0.005", 3, "         0.01"},
                          Case{"12.95", 0, "        13"}}) {
        SCOPED_TRACE(c.v);
        EXPECT_EQ(FukugouAmountText(parseDecimal(c.v), c.mode), c.text);
    }
}

TEST(FukugouEngine, LadderBoundsAndModes) {
    struct Case { const char* w; int mode; const char* out; };
    const Case cases[] = {
        {"99", 1, "99"}, {"99.6", 3, "100"}, {"100", 2, "100"}, {"10000", 2, "10000"}, {"99999", 2, "99900"},
        {"999999999", 2, "999000000"}, {"999999999", 3, "1000000000"}, {"-5000", 1, "-5000"},
        {"1234", 0, "1234"}, {"1234", 4, "1234"}, {"1234.95", 1, "1230"}, {"99.95", 1, "100"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.w) + " / " + std::to_string(c.mode));
        EXPECT_EQ(FukugouLadder(parseDecimal(c.w), c.mode), parseDecimal(c.out));
    }
}

// Material 1000, labour 1000 (track 1), はつり 0.1, 付属品 0.1, その他２ 0.1.
KivDetail sample() {
    KivDetail d;
    d.m_ZaiSuu[0] = "1";
    d.m_ZaiTanka1[0] = "1000";
    d.m_RoumuBukake[0] = "1";
    d.m_RoumuTanka1[0] = "1000";
    d.m_Haturi.Ritu = "0.1";
    d.m_Fuzoku.Ritu = "0.1";
    d.m_Sonota2.Ritu = "0.1";
    return d;
}

TEST(FukugouEngine, OtherTwoBaseDiffersByCaller) {
    KivDetail row = sample(), dialog = sample(), master = sample();
    CalcFukugou(row, {1, FukugouUse::Row});
    CalcFukugou(dialog, {1, FukugouUse::Dialog});
    CalcFukugou(master, {1, FukugouUse::Master});
    // Row and dialog: 0.1 x (1000 + 1000 + 100 はつり) = 210; the dialog shows what the row gets.
    // Master: 材料費計 includes 付属品 (1100), no はつり: 0.1 x 2100 = 210.
    EXPECT_EQ(trimmed(row.m_Sonota2.Kingaku1), "210");
    EXPECT_EQ(trimmed(dialog.m_Sonota2.Kingaku1), "210");
    EXPECT_EQ(trimmed(master.m_Sonota2.Kingaku1), "210");
    EXPECT_EQ(trimmed(master.m_ZaiKei1), "1100");
    EXPECT_EQ(trimmed(row.m_ZaiKei1), "1000");
    // 材工計: row 1000 + 100 + 1000 + 100 + 210 = 2410; master 1100 + 1000 + 210 + 100 = 2410.
    EXPECT_EQ(trimmed(row.m_ZaikouKei1), "2410");
    EXPECT_EQ(trimmed(master.m_ZaikouKei1), "2410");
    EXPECT_EQ(trimmed(dialog.m_ZaikouKei1), "2410");
    EXPECT_EQ(dialog.m_FukugouTanka1, row.m_FukugouTanka1);
}

TEST(FukugouEngine, DialogEmptiesZeroAmountsAndFollowsLaterLinesForItsFlag) {
    KivDetail d;
    d.m_ZaiSuu[1] = "0.01";
    d.m_ZaiTanka1[1] = "3";
    d.m_ZaiGoukei = 0;
    FukugouResult r = CalcFukugou(d, {1, FukugouUse::Dialog});
    EXPECT_EQ(d.m_ZaiKingaku1[1], "         0");   // not zero before rounding: shown as 0
    EXPECT_EQ(d.m_ZaiKingaku2[1], "");
    EXPECT_EQ(d.m_ZaikouKei1, "");
    EXPECT_EQ(d.m_FukugouTanka1, "");
    EXPECT_EQ(d.m_ZaiGoukei, 0);
    EXPECT_FALSE(r.severalMaterials);

    d.m_ZaiSuu[2] = "1";
    d.m_ZaiTanka1[2] = "10";
    CalcFukugou(d, {1, FukugouUse::Dialog});
    EXPECT_EQ(d.m_ZaiGoukei, 1);
    d.m_ZaiTanka1[2] = "";
    d.m_ZaiTanka2[2] = "10";   // a unit price 2 alone does not tick it
    CalcFukugou(d, {1, FukugouUse::Dialog});
    EXPECT_EQ(d.m_ZaiGoukei, 0);

    // The row keeps formatted zero texts and reports the later line instead of ticking.
    KivDetail row;
    row.m_ZaiSuu[2] = "1";
    row.m_ZaiTanka2[2] = "10";
    FukugouResult rr = CalcFukugou(row, {1, FukugouUse::Row});
    EXPECT_TRUE(rr.severalMaterials);
    EXPECT_EQ(row.m_ZaiGoukei, 0);
    EXPECT_EQ(row.m_ZaiKingaku1[0], "         0");
}

TEST(FukugouEngine, LabourCheckLooksAtLineOneOnly) {
    KivDetail d;
    d.m_RoumuBukake[1] = "1";
    EXPECT_FALSE(CalcFukugou(d, {1}).labourPriceMissing);
    d.m_RoumuBukake[0] = "1";
    EXPECT_TRUE(CalcFukugou(d, {1}).labourPriceMissing);
    d.m_RoumuTanka1[0] = "5";
    EXPECT_FALSE(CalcFukugou(d, {1}).labourPriceMissing);
}

} // namespace
