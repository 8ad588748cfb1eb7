// The pricing engine on a breakdown: the rounding R, the ladder and the differences of the
// detail dialog's and the master's pricing from the row's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "estimate/GyouRecord.h"
#include "estimate/RoumuList.h"
#include "estimate/RoumuRecord.h"
#include "platform/text/Number.h"
#include "pricing/FukugouEngine.h"
#include "pricing/RowPricing.h"

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

// The values the roundings meet: every tie and near-tie of the tenths and hundredths, negatives,
// zero and values that round to a signed zero, and sizes up to and past the point where the
// texts' own reading takes over (17 integer digits).
std::vector<Decimal> roundingValues() {
    std::vector<Decimal> v;
    for (long long m = -20000; m <= 20000; m += 7)
        for (int scale : {0, 1, 2, 3, 4})
            v.push_back(Decimal::fromScaled(m, scale));
    for (long long whole : {0LL, 1LL, 99LL, 100LL, 999LL, 12345LL, 99999999LL, 999999999999LL, 99999999999999999LL,
                            100000000000000000LL, 999999999999999999LL})
        for (long long frac : {0LL, 4LL, 5LL, 6LL, 45LL, 49LL, 50LL, 51LL, 94LL, 95LL, 949LL, 950LL, 995LL, 9999LL})
            for (int sign : {1, -1}) {
                const int scale = frac < 10 ? 1 : frac < 100 ? 2 : frac < 1000 ? 3 : 4;
                const Decimal d = Decimal(whole) + Decimal::fromScaled(frac, scale);
                v.push_back(sign < 0 ? -d : d);
            }
    // Products of long fractions, as quantities times prices times rates give them.
    for (int i = 1; i < 4000; ++i)
        v.push_back(Decimal::fromScaled(i * 37 + 5, 3) * Decimal::fromScaled(i % 97 + 1, 4) * Decimal::fromScaled(105, 2));
    return v;
}

// The rounding ladder as its texts and quotients give it: the first step read back from the
// value's text, the cut as the integer part of the quotient by the place.
Decimal ladderByTexts(const Decimal& w, int mode) {
    using kiv::text::cformat;
    if (mode != 1 && mode != 2 && mode != 3)
        return w;
    auto placeOf = [&](const Decimal& x) -> Decimal {
        if (x < Decimal(100))
            return 0;
        int digits = 3;
        Decimal p = 1000;
        while (digits < 10 && x >= p) {
            ++digits;
            p *= 10;
        }
        if (digits >= 10)
            return mode == 1 ? Decimal(100) : Decimal(0);
        if (digits <= 4)
            return 10;
        if (mode == 1)
            return 100;
        Decimal q = 1;
        for (int i = 0; i < digits - 3; ++i)
            q *= 10;
        return q;
    };
    auto cut = [](const Decimal& v, const Decimal& place) { return (v / place).truncated(0) * place; };
    if (mode == 3) {
        if (w < Decimal(100))
            return parseDecimal(cformat("%10.f", w));
        const Decimal place = placeOf(w);
        if (place.isZero())
            return w;
        Decimal v = w;
        if ((v - cut(v, place)) * 2 >= place)
            v += place;
        return cut(v, place);
    }
    const Decimal v = parseDecimal(kiv::text::dropRight(cformat("%12.1f", w), 2));
    const Decimal place = placeOf(v);
    return place.isZero() ? v : cut(v, place);
}

// The roundings are had from the values; each must be the number its text reads back as.
TEST(FukugouEngine, RoundingsFromValuesMatchTheirTextsByteForByte) {
    using kiv::text::cformat;
    using kiv::text::dropRight;
    for (const Decimal& v : roundingValues())
        for (int mode : {0, 1, 2, 3, 4}) {
            SCOPED_TRACE(v.toString() + " mode " + std::to_string(mode));
            const std::string text = mode == 3 ? cformat("%13.2f", v) : dropRight(cformat("%12.1f", v), 2);
            ASSERT_EQ(FukugouAmountText(v, mode), text);
            ASSERT_EQ(FukugouRound(v, mode), parseDecimal(text));
            ASSERT_EQ(FukugouLadder(v, mode), ladderByTexts(v, mode));
        }
}

// A row priced on its numbers alone writes the same bytes and gives the same results as one
// priced through its breakdown's texts, whatever the flags, lines, rates and rounding mode.
TEST(FukugouEngine, PricingOnNumbersMatchesPricingOnTexts) {
    using G = GyouRecord;
    std::vector<RoumuRecord> lines(20);
    lines[0] = *RoumuRecord::build("1", "A", "20000.5", "21000");
    lines[2] = *RoumuRecord::build("3", "B", "18333", "");
    lines[17] = *RoumuRecord::build("18", "C", "19000", "19500.25");
    const RoumuList roumu(lines);
    int rows = 0;
    for (int n = 0; n < 600; ++n) {
        std::string row = G::blankRow();
        G::writeKey(row, 1, n + 1);
        auto put = [&](int f, const std::string& t) { ASSERT_TRUE(G::putNumber(row, f, t)) << f << " " << t; };
        if (n % 5)
            put(G::Hokyuu, n % 3 ? "1.05" : "-0.5");
        put(G::Tanka1, std::to_string(n * 13 % 5000) + "." + std::to_string(n % 10));
        if (n % 4)
            put(G::Tanka2, std::to_string(n * 7 % 900));
        for (int k = 0; k < n % 8; ++k) {
            const int f = G::MaterialFirstField + 8 * k;
            put(f + 3, std::to_string(k) + "." + std::to_string(n % 10) + "5");
            put(f + 5, std::to_string(n % 321 + k) + ".5");
            if (k % 2)
                put(f + 6, "-" + std::to_string(n % 77));
        }
        put(G::FukuHyouji, n % 7 == 0 ? "1" : "0");
        put(G::ZaiGoukei, n % 3 == 0 ? "1" : "0");
        put(G::Roumu1No, std::to_string(n % 20));
        put(G::Roumu2No, n % 2 ? "3" : "0");
        put(G::Roumu3No, "18");
        put(G::Roumu1Bukake, "0." + std::to_string(n % 1000));
        put(G::Roumu2Bukake, n % 6 ? ".25" : "");
        put(G::Roumu3Bukake, "0.05");
        const std::vector<int> rates{G::TugiteRitu, G::SetugouRitu, G::SijiRitu,    G::HaturiRitu, G::UnpanRitu,
                                     G::FuzokuRitu, G::ZatuzaiRitu, G::Sonota1Ritu, G::Sonota2Ritu};
        for (std::size_t k = 0; k < rates.size(); ++k)
            if ((n >> k) & 1)
                put(rates[k], "." + std::to_string((n + static_cast<int>(k)) % 100 + 1));
        for (int mode : {0, 1, 2, 3})
            for (FukugouUse use : {FukugouUse::Row, FukugouUse::Master}) {
                SCOPED_TRACE("row " + std::to_string(n) + " mode " + std::to_string(mode));
                std::string byTexts = row, byNumbers = row;
                RowPricingReport quiet;
                quiet.messages = false;
                RowPricingRules rules{use, true, true};
                const RowPricing a = PriceKivGyou(byTexts, roumu, mode, quiet, rules);
                rules.texts = false;
                const RowPricing b = PriceKivGyou(byNumbers, roumu, mode, quiet, rules);
                ASSERT_EQ(byNumbers, byTexts);
                EXPECT_EQ(b.roumuNo, a.roumuNo);
                EXPECT_EQ(b.result.compositeText, a.result.compositeText);
                EXPECT_EQ(b.result.tooWide, a.result.tooWide);
                EXPECT_EQ(b.result.severalMaterials, a.result.severalMaterials);
                EXPECT_EQ(b.result.labourPriceMissing, a.result.labourPriceMissing);
                EXPECT_EQ(b.result.needSleeve, a.result.needSleeve);
                for (std::size_t t = 0; t < 2; ++t) {
                    EXPECT_EQ(b.result.kekka.Tanka[t], a.result.kekka.Tanka[t]);
                    EXPECT_EQ(b.result.kekka.ZairyouKei[t], a.result.kekka.ZairyouKei[t]);
                    EXPECT_EQ(b.result.kekka.Tugite[t], a.result.kekka.Tugite[t]);
                    EXPECT_EQ(b.result.kekka.Setugou[t], a.result.kekka.Setugou[t]);
                    EXPECT_EQ(b.result.kekka.Siji[t], a.result.kekka.Siji[t]);
                    EXPECT_EQ(b.result.kekka.Haturi[t], a.result.kekka.Haturi[t]);
                }
                ++rows;
            }
    }
    EXPECT_EQ(rows, 600 * 8);
}

} // namespace
