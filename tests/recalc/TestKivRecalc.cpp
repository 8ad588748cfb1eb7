// The estimate's recalculation, driven through the view's recalculation entries: row quantities
// and amounts, the computed-row calculators, the item counters and their warnings, passes.
#include "recalc/RecalcFixture.h"

using namespace kivtest;
using E = EnzanCode;

namespace {

class Recalc : public RecalcFixture {};

const char* const kGyouOverflow = "金額が12桁を越しました。再入力してください。";
const char* const kKeisanOverflow = "金額が12桁を越ています。訂正してください。";

// --- Row quantities and amounts

TEST_F(Recalc, AnAmountPastTwelveDigitsIsNamedOncePerCommitOfItsRowNotOnClicks) {
    estimate({{priced("1", "100"), priced("1", "200"), priced("1", "300")}});
    // Row 2 gets a quantity that makes its amount too wide, committed with Enter.
    placeCursor(2, 2, G::HiroidasiSuu1);
    for (char ch : std::string("101"))
        backend.sendChar(*view, static_cast<unsigned char>(ch));
    enter();
    placeCursor(2, 2, G::Tanka1);
    for (char ch : std::string("9999999999"))
        backend.sendChar(*view, static_cast<unsigned char>(ch));
    enter();
    ASSERT_EQ(messagesWith(kGyouOverflow), 1);

    // Clicks on the number cells of the item, the offending row's own included, say nothing
    // more, and what is typed after them goes into the cell.
    struct Click {
        int field, screenRow;
    };
    for (const Click& c : {Click{G::HiroidasiSuu1, 1}, Click{G::Tanka1, 3}, Click{G::HiroidasiSuu1, 2},
                           Click{G::Tanka1, 2}, Click{G::Hokyuu, 1}}) {
        SCOPED_TRACE(c.field * 100 + c.screenRow);
        clickOn(c.field, c.screenRow);
        EXPECT_EQ(messagesWith(kGyouOverflow), 1);
        EXPECT_EQ(field(), c.field);
    }
    clickOn(G::HiroidasiSuu1, 3);
    backend.sendChar(*view, '2');
    enter();
    EXPECT_EQ(messagesWith(kGyouOverflow), 1);
    EXPECT_EQ(at(3, G::Kingaku1), "600");

    // Committing the offending row again names it again, once.
    placeCursor(2, 2, G::HiroidasiSuu1);
    for (char ch : std::string("102"))
        backend.sendChar(*view, static_cast<unsigned char>(ch));
    enter();
    EXPECT_EQ(messagesWith(kGyouOverflow), 2);
    EXPECT_EQ(at(2, G::Kingaku1), "");
}

TEST_F(Recalc, EstimatedQuantityIsTheTakeOffTimesSupplyAndOther2) {
    estimate({{
        priced("4", "", {{G::Hokyuu, "1.25"}}),
        priced("8", "250", {{G::Hokyuu, "1.15"}, {G::Sonota2Ritu, "0.2"}}),
        priced("3", "", {{G::Hokyuu, "1.55"}}),
        priced("2.5", "", {{G::Hokyuu, ""}}),                             // blank 補給 counts 1: copied
        priced("10", "", {{G::Hokyuu, "1.0"}, {G::Sonota2Ritu, "0.10"}}), // 補給 1: その他２ not applied
        priced("3", "", {{G::Hokyuu, "1.2"}, {G::FukuHyouji, "1"}}),     // 101: copied
    }});
    recalcItem();
    EXPECT_EQ(raw(1, G::SekisanSuu1), "       5");
    EXPECT_EQ(raw(2, G::SekisanSuu1), "      11");   // 11.04
    EXPECT_EQ(raw(2, G::Kingaku1), "        2750");
    EXPECT_EQ(raw(3, G::SekisanSuu1), "       5");   // 4.65
    EXPECT_EQ(raw(4, G::SekisanSuu1), raw(4, G::HiroidasiSuu1));
    EXPECT_EQ(at(4, G::SekisanSuu1), "2.5");
    EXPECT_EQ(at(5, G::SekisanSuu1), "10");
    EXPECT_EQ(at(6, G::SekisanSuu1), "3");
    EXPECT_TRUE(messages().empty());
}

TEST_F(Recalc, AmountIsRoundedToTenthsThenCutAndRefusedPastTwelveDigits) {
    estimate({{
        priced("3", "4.65"),
        priced("100", "9999999999"),
        priced("101", "9999999999"),
        priced("-10", "9999999999"),
        priced("-11", "9999999999"),
        priced("1", "12.94"),
    }});
    recalcRow(1);
    EXPECT_EQ(raw(1, G::Kingaku1), "          14");   // 13.95
    EXPECT_TRUE(messages().empty());
    recalcRow(2);
    EXPECT_EQ(raw(2, G::Kingaku1), "999999999900");
    // A committed row gets its message at once.
    recalcRow(3);
    EXPECT_EQ(messages(), std::vector<std::string>{kGyouOverflow});
    EXPECT_EQ(at(3, G::Kingaku1), "");
    recalcRow(4);
    EXPECT_EQ(raw(4, G::Kingaku1), "-99999999990");
    recalcRow(5);
    EXPECT_EQ(messages().size(), 2u);
    EXPECT_EQ(at(5, G::Kingaku1), "");
    recalcRow(6);
    EXPECT_EQ(at(6, G::Kingaku1), "12");
    // The row recalculation marks the estimate and leaves the cursor on field 36.
    EXPECT_EQ(doc->m_NeedRecalc, 1);
    EXPECT_EQ(field(), 36);
    EXPECT_EQ(cursorRow(), 6);
}

TEST_F(Recalc, AQuantityWiderThanItsFieldIsNamedAndLeftBlankWithItsAmount) {
    estimate({{priced("90000000", "2", {{G::Hokyuu, "1.2"}, {G::SekisanSuu1, "       7"}, {G::Kingaku1, "14"}})}});
    recalcRow(1);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages()[0].find("108000000"), std::string::npos);
    EXPECT_EQ(at(1, G::SekisanSuu1), "");
    EXPECT_EQ(at(1, G::Kingaku1), "");
}

// --- Total rows

TEST_F(Recalc, TotalRowsSumTheRowsSinceTheirOwnKindAndSkipOtherTotals) {
    const std::vector<Fields> rows = {
        {{G::Kingaku1, "120"}}, {{G::Kingaku1, "80"}}, kindRow(E::Saikei), {{G::Kingaku1, "45"}},
        kindRow(E::Syoukei), {{G::Kingaku1, "310"}}, kindRow(E::KoumokunaiKei), {{G::Kingaku1, "55"}},
        kindRow(E::Syoukei), kindRow(E::Tyuukei), kindRow(E::HyousiKei),
    };
    // The plain rows hold amounts only: their own recalculation would blank them, so they are
    // made of 拾出 x 単価.
    std::vector<Fields> items;
    for (const Fields& f : rows)
        items.push_back(f.front().first == G::Kingaku1 ? priced("1", f.front().second) : f);
    estimate({items});
    recalcItem();
    EXPECT_EQ(at(3, G::Kingaku1), "200");
    EXPECT_EQ(at(5, G::Kingaku1), "245");
    EXPECT_EQ(at(7, G::Kingaku1), "555");
    EXPECT_EQ(at(9, G::Kingaku1), "365");
    EXPECT_EQ(at(10, G::Kingaku1), "610");
    EXPECT_EQ(at(11, G::Kingaku1), "610");
    EXPECT_EQ(doc->m_HyousiData[17], "         610");
    EXPECT_TRUE(messages().empty());

    // Without the 中計 and 表紙計 rows the two 小計 rows get the item's message, on every
    // recalculation of the item, and the cover total stays empty.
    items.resize(9);
    estimate({items});
    recalcItem();
    recalcItem();
    EXPECT_EQ(messagesWith("１項目に小計分類が２ヵ所以上あります"), 2);
    EXPECT_EQ(doc->m_HyousiData[17], "");
}

TEST_F(Recalc, ExpenseAndTaxRowsWithDigitRounding) {
    struct Case {
        int keta;
        std::string tanka, keihi, tax;
    };
    const Case cases[] = {
        {0, "23456", "3518", "2157"},  {1, "23456", "3520", "2158"}, {2, "23456", "3500", "2156"},
        {3, "23456", "4000", "2196"},  {1, "-23456", "-3520", "-2158"},
        // Exact halves round up, away from zero: 1245, 1050 and 1500 before the rounding.
        {1, "8300", "1250", "764"},    {2, "7000", "1100", "648"},   {3, "10000", "2000", "960"},
        {1, "-8300", "-1250", "-764"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keta);
        estimate({{priced("1", c.tanka), kindRow(E::Keihi1, {{G::Kakeritu, "0.15"}}),
                   kindRow(E::Syouhizei, {{G::Kakeritu, "0.08"}})}},
                 0, 1, c.keta);
        recalcItem();
        EXPECT_EQ(at(2, G::Kingaku1), c.keihi);
        EXPECT_EQ(raw(2, G::HiroidasiSuu1), "       1");
        EXPECT_EQ(raw(2, G::SekisanSuu1), "       1");
        EXPECT_EQ(at(3, G::Kingaku1), c.tax);
        EXPECT_TRUE(messages().empty());
    }
}

TEST_F(Recalc, AnExpenseRowBelowATaxRowLeavesTheTaxOut) {
    estimate({{priced("1", "10000"), kindRow(E::Syouhizei, {{G::Kakeritu, "0.08"}}),
               kindRow(E::Keihi1, {{G::Kakeritu, "0.1"}}), kindRow(E::Keihi2, {{G::Kakeritu, "0.1"}})}});
    recalcItem();
    EXPECT_EQ(at(2, G::Kingaku1), "800");
    EXPECT_EQ(at(3, G::Kingaku1), "1000");
    EXPECT_EQ(at(4, G::Kingaku1), "1100");   // the 経費1 row counts, the tax row does not
    EXPECT_TRUE(messages().empty());
}

TEST_F(Recalc, ExpenseAndTaxRowsWithoutARateWarnAndStayBlank) {
    estimate({{priced("1", "1000"), kindRow(E::Keihi2, {{G::Kingaku1, "99"}}), kindRow(E::Syouhizei),
               kindRow(E::Keihi3, {{G::HiroidasiSuu1, ""}, {G::Tanka1, "50000"}, {G::FukugouTanka1, "7"}}),
               kindRow(E::Keihi3, {{G::HiroidasiSuu1, "2"}, {G::Tanka1, "50000"}})}});
    recalcRow(1);
    recalcRow(2);
    recalcRow(3);
    EXPECT_EQ(messages(), (std::vector<std::string>{"経費等の掛率に数値が入力されていません。再確認してください。",
                                                    "消費税率が掛率に入力されていません。再確認してください。"}));
    EXPECT_EQ(at(2, G::Kingaku1), "");
    EXPECT_EQ(at(3, G::Kingaku1), "");
    recalcRow(4);
    recalcRow(5);
    EXPECT_EQ(at(4, G::Kingaku1), "50000");
    EXPECT_EQ(at(4, G::FukugouTanka1), "");
    EXPECT_EQ(at(5, G::Kingaku1), "100000");
}

// --- 継手, 接合材, 支持材, 付属品

TEST_F(Recalc, JointRowsCoverTheRowsBackToTheLastTotalOrJointRow) {
    estimate({{
        priced("8", "1250", {{G::TugiteRitu, "0.04"}}),
        priced("3", "777", {{G::TugiteRitu, "0.05"}}),
        kindRow(E::Tugite, {{G::HiroidasiSuu1, "15"}}),
        kindRow(E::Syoukei),
        priced("2", "4000", {{G::TugiteRitu, "0.05"}}),
        kindRow(E::Tugite),
        kindRow(E::Syoukei),
    }});
    recalcItem();
    EXPECT_EQ(at(3, G::Kingaku1), "516");   // 400 + 116.55 counted as 116
    // A lump-sum row holds one unit: the whole field, not only its last character.
    EXPECT_EQ(raw(3, G::HiroidasiSuu1), "       1");
    EXPECT_EQ(raw(3, G::SekisanSuu1), "       1");
    EXPECT_EQ(at(4, G::Kingaku1), "12847");
    EXPECT_EQ(at(6, G::Kingaku1), "400");
    EXPECT_EQ(at(7, G::Kingaku1), "8400");
}

TEST_F(Recalc, JointingMaterialWritesModeTextAndJointsAmountText) {
    for (E kind : {E::Setugouzai, E::Tugite}) {
        const int rate = kind == E::Tugite ? G::TugiteRitu : G::SetugouRitu;
        estimate({{priced("1", "7430", {{rate, "0.1"}}), kindRow(kind, {{G::Kakeritu, "1.25"}})}}, 0, 3);
        recalcItem();
        EXPECT_EQ(at(2, G::Kingaku1), kind == E::Tugite ? "928" : "929");
    }
}

TEST_F(Recalc, AccessoriesCoverTheirBaseRowsSinceTheLastTotal) {
    const int base = code(E::Fuzokuhin1Hi);
    auto baseRow = [&](const std::string& suu, const std::string& tanka) {
        return priced(suu, tanka, {{G::BunNo, std::to_string(base)}, {G::FuzokuRitu, "0.1"}});
    };
    estimate({{
        baseRow("1", "1000"),                           // before the 小計: not counted
        kindRow(E::Syoukei),
        baseRow("2", "500"),
        priced("3", "1000", {{G::FuzokuRitu, "0.1"}}),  // not of the base category
        kindRow(E::Fuzokuhin1),
        baseRow("5", "1000"),                           // below the row: not counted
        kindRow(E::Fuzokuhin2),                         // no base row of its own category
    }});
    recalcItem();
    EXPECT_EQ(at(5, G::Kingaku1), "100");
    EXPECT_EQ(at(7, G::Kingaku1), "");
    EXPECT_EQ(view->m_KeisanNeed[4], 1);
    EXPECT_EQ(view->m_KeisanCount[4], 1);
}

// --- 雑材, 運搬費

TEST_F(Recalc, SundriesAreRoundedUpSoTheItemEndsOnTheMultiple) {
    struct Case {
        int marume, keta;
        std::string kakeritu, zatuzai, total;
    };
    const Case cases[] = {
        {1, 0, "", "307", "6455"}, {1, 1, "", "312", "6460"},     {1, 2, "", "352", "6500"},
        {1, 3, "", "852", "7000"}, {3, 1, "1.1", "342", "6490"}, {1, 4, "", "307", "6455"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.marume) + "/" + std::to_string(c.keta));
        estimate({{priced("4", "1537", {{G::ZatuzaiRitu, "0.05"}}), kindRow(E::Zatuzai, {{G::Kakeritu, c.kakeritu}}),
                   kindRow(E::HyousiKei)}},
                 0, c.marume, c.keta);
        recalcItem();
        EXPECT_EQ(at(2, G::Kingaku1), c.zatuzai);
        EXPECT_EQ(at(3, G::Kingaku1), c.total);
    }
    // A blank 補給 prices only the accessories part of the share.
    estimate({{priced("4", "1537", {{G::ZatuzaiRitu, "0.05"}, {G::Hokyuu, ""}, {G::FuzokuRitu, "0.1"}}),
               kindRow(E::Zatuzai)}});
    recalcItem();
    EXPECT_EQ(at(2, G::Kingaku1), "30");
}

TEST_F(Recalc, TransportIsARateOnTheEstimatedCostWithJointsAndSundries) {
    estimate({{priced("10", "800",
                      {{G::Hokyuu, "1.3"}, {G::TugiteRitu, "0.05"}, {G::SetugouRitu, "0.03"}, {G::SijiRitu, "0.02"},
                       {G::ZatuzaiRitu, "0.04"}, {G::UnpanRitu, "0.03"}}),
               kindRow(E::Unpanhi, {{G::Kakeritu, "2"}})}});
    recalcItem();
    EXPECT_EQ(at(1, G::SekisanSuu1), "13");
    EXPECT_EQ(at(2, G::Kingaku1), "349");
}

// --- Labour rows

TEST_F(Recalc, LabourRowsSumTheSectionsLabourUnrounded) {
    const Fields rows12 = priced("12", "", {{G::Roumu1No, "18"}, {G::Bukake1, "0.15"}, {G::HaturiRitu, "0.1"},
                                            {G::Sonota1Ritu, "0.05"}});
    const Fields rows4 = priced("4", "", {{G::Roumu1No, "18"}, {G::Bukake1, "0.25"}});
    const Fields row101 = priced("5", "", {{G::Roumu1No, "18"}, {G::Bukake1, "0.5"}, {G::FukuHyouji, "1"}});
    const Fields roumuRow = kindRow(E::Roumuhi1, {{G::Tanka1, "19000"}, {G::HiroidasiSuu2, "3"},
                                                {G::SekisanSuu2, "3"}, {G::Kingaku2, "999"}});
    for (int marume : {1, 3}) {
        estimate({{rows12, rows4, row101, roumuRow}}, 0, marume);
        recalcItem();
        EXPECT_EQ(raw(4, G::HiroidasiSuu1), marume == 3 ? "    3.08" : "    3.07");
        EXPECT_EQ(raw(4, G::SekisanSuu1), raw(4, G::HiroidasiSuu1));
        EXPECT_EQ(at(4, G::Kingaku1), marume == 3 ? "58520" : "58330");
        // No labour in track 2: quantity and amount blank, none left from before.
        EXPECT_EQ(at(4, G::HiroidasiSuu2), "");
        EXPECT_EQ(at(4, G::SekisanSuu2), "");
        EXPECT_EQ(at(4, G::Kingaku2), "");
    }
    // A 小計 between restarts the sums; a trade other than 配管工 under number 18 stops the scan.
    estimate({{rows12, rows4, kindRow(E::Syoukei), roumuRow}});
    recalcItem();
    EXPECT_EQ(at(4, G::HiroidasiSuu1), "");
    EXPECT_EQ(at(4, G::SekisanSuu1), "");
    EXPECT_EQ(at(4, G::Kingaku1), "");
    estimate({{rows12, rows4, roumuRow}});
    labour({{18, "電工", "19000"}});
    recalcItem();
    EXPECT_EQ(at(3, G::Kingaku1), "");
    EXPECT_EQ(messagesWith("複合労務単価の登録番号18と配管工が一致していません。訂正してください。"), 1);
}

TEST_F(Recalc, GeneralLabourIsNotRestartedByItemSubtotals) {
    const Fields worker = priced("10", "", {{G::Roumu1No, "2"}, {G::Bukake2, "0.3"}});
    estimate({{worker, kindRow(E::KoumokunaiKei), kindRow(E::Roumuhi4, {{G::Tanka1, "10000"}})}});
    labour({{2, "普通作業員", "15000"}});
    recalcItem();
    EXPECT_EQ(raw(3, G::HiroidasiSuu1), "    3.00");
    EXPECT_EQ(at(3, G::Kingaku1), "30000");
    // The row does not need the 労務費4 row: its line carrying 2 has no rate of its own (歩掛1).
    EXPECT_EQ(view->m_KeisanNeed[11], 0);
}

TEST_F(Recalc, ALabourSumPastFiveDigitsIsRefused) {
    estimate({{priced("100000", "", {{G::Roumu1No, "18"}, {G::Bukake1, "1"}}),
               kindRow(E::Roumuhi1, {{G::Tanka1, "2"}, {G::HiroidasiSuu1, "4"}})}});
    recalcItem();
    EXPECT_EQ(messagesWith("歩掛1の合計が5桁を越ています。数量をクリアします、分割して訂正してください。"), 1);
    EXPECT_EQ(at(2, G::HiroidasiSuu1), "");
    EXPECT_EQ(at(2, G::SekisanSuu1), "4");
    EXPECT_EQ(at(2, G::Kingaku1), "200000");
}

// --- Heading rows

TEST_F(Recalc, HeadingRowsTakeTheTotalOfTheLaterItemWithTheirSymbol) {
    const Fields heading = kindRow(E::Daikoumoku, {{G::Kigou, "K"}});
    estimate({
        {kindRow(E::Daikoumoku, {{G::Kigou, "K"}, {G::HiroidasiSuu1, "3"}})},
        {heading, priced("1", "1500"), priced("1", "2500"), kindRow(E::Syoukei)},
        {kindRow(E::Daikoumoku, {{G::Kigou, " K"}}), priced("1", "700")},
    });
    recalcAll();
    EXPECT_EQ(raw(1, G::Tanka1), "      4000");
    EXPECT_EQ(raw(1, G::Kingaku1), "       12000");
    EXPECT_EQ(poolAt(2, 1, G::Tanka1), "");
    EXPECT_EQ(poolAt(2, 1, G::Kingaku1), "");
    EXPECT_EQ(poolAt(2, 4, G::Kingaku1), "4000");
    EXPECT_TRUE(messages().empty());

    // A second "K" in item 2: both tracks of item 1's row blank after the duplicate message.
    estimate({
        {kindRow(E::Daikoumoku, {{G::Kigou, "K"}, {G::HiroidasiSuu1, "3"}})},
        {heading, priced("1", "1500"), heading, kindRow(E::Syoukei)},
    });
    recalcAll();
    EXPECT_EQ(at(1, G::Tanka1), "");
    EXPECT_EQ(at(1, G::Kingaku1), "");
    EXPECT_EQ(messagesWith("同じ記号の大項目が２箇所以上ありますので正しく表示出来ません。"), 1);
}

TEST_F(Recalc, ALowerHeadingStopsAtTheNextHigherHeading) {
    estimate({
        {kindRow(E::Tyuukoumoku, {{G::Kigou, "M"}, {G::HiroidasiSuu1, "1"}})},
        {kindRow(E::Tyuukoumoku, {{G::Kigou, "M"}}), priced("1", "100")},
        {kindRow(E::Daikoumoku, {{G::Kigou, "X"}}), kindRow(E::Tyuukoumoku, {{G::Kigou, "M"}}), priced("1", "50")},
    });
    recalcAll();
    EXPECT_EQ(at(1, G::Tanka1), "100");
    EXPECT_TRUE(messages().empty());
}

// --- Counters and warnings

TEST_F(Recalc, CheckWarnsPerMissingKindInOrderThenClearsTheCounters) {
    estimate({{priced("1", "1000", {{G::SijiRitu, "0.05"}, {G::Roumu1No, "32"}, {G::Bukake1, "0.1"}})}});
    recalcItem();
    EXPECT_EQ(view->m_KeisanMissing, 1);
    view->CheckKeisanGyou();
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              "スリーブ材が入力されていません。必要な場合は追加入力してください。挿入した行までの該当する材料について計算します。",
                              "支持材が入力されていません。追加入力してください。",
                              "労務費２　機械工が入力されていません。追加入力してください。"}));
    ClearKivPrompts();
    view->CheckKeisanGyou();
    EXPECT_TRUE(messages().empty());
    KivRecalc(*view).ClearKeisanGyouFlags();
    EXPECT_EQ(messages(), std::vector<std::string>{
                              "複合単価で作成した内訳を読み込んだか、継手、接合、支持、ｽﾘｰﾌﾞ、付属品、雑材、労務費が入力されていません。追加入力する必要があります。"});
    EXPECT_EQ(view->m_KeisanMissing, 0);
}

TEST_F(Recalc, CompositeStyleWarnsOnlyForTheSleeve) {
    estimate({{priced("1", "1000", {{G::SijiRitu, "0.05"}, {G::Roumu1No, "32"}, {G::Bukake1, "0.1"}})}}, 1);
    recalcItem();
    view->CheckKeisanGyou();
    EXPECT_EQ(messages(), std::vector<std::string>{
                              "スリーブ材が入力されていません。必要な場合は追加入力してください。挿入した行までの該当する材料について計算します。"});
    ClearKivPrompts();
    KivRecalc(*view).ClearKeisanGyouFlags();
    EXPECT_TRUE(messages().empty());
}

TEST_F(Recalc, AJointRowServesItsOwnSubtotalRunOnly) {
    // Missing counts per run: the second 小計 run needs 継手 too and has no row of it, while the
    // item as a whole has one, so the per-item warning stays silent.
    const Fields needsJoint = priced("1", "100", {{G::TugiteRitu, "0.1"}});
    estimate({{needsJoint, kindRow(E::Tugite), kindRow(E::Sleeve, {{G::Kakeritu, "0.1"}}), kindRow(E::Syoukei),
               needsJoint, kindRow(E::Syoukei), kindRow(E::Tyuukei)}});
    recalcItem();
    EXPECT_EQ(view->m_KeisanMissing, 1);
    view->CheckKeisanGyou();
    EXPECT_TRUE(messages().empty());

    // Each run with its own row: nothing missing.
    view->m_KeisanMissing = 0;
    estimate({{needsJoint, kindRow(E::Tugite), kindRow(E::Syoukei), priced("1", "100"), kindRow(E::Syoukei),
               kindRow(E::Tyuukei)}});
    recalcItem();
    EXPECT_EQ(view->m_KeisanMissing, 0);
}

TEST_F(Recalc, AWholeEstimatePassCollectsRowMessagesAndShowsEachOnce) {
    estimate({
        {kindRow(E::Keihi1, {{G::Kingaku1, "1"}}), priced("1", "100"), kindRow(E::Keihi1)},
        {priced("1", "100"), kindRow(E::Keihi1)},
    });
    recalcAll(2);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].rfind("経費等の掛率に数値が入力されていません。再確認してください。", 0), 0u);
    // Back where it was: item 1 in the work area, row 1 in the buffer.
    EXPECT_EQ(doc->m_CurKoumoku[0], 1);
    EXPECT_EQ(cursorRow(), 1);
    EXPECT_EQ(view->m_EditGyou, doc->WorkGyouAt(1));
}

TEST_F(Recalc, TheCoverTotalIsItemOnes) {
    estimate({
        {priced("1", "100"), kindRow(E::HyousiKei)},
        {priced("1", "200"), kindRow(E::HyousiKei)},
        {priced("1", "300"), kindRow(E::HyousiKei)},
    });
    recalcAll();
    EXPECT_EQ(doc->m_HyousiData[17], "         100");
    // Another item's recalculation leaves it alone.
    toItem(3);
    recalcItem();
    EXPECT_EQ(doc->m_HyousiData[17], "         100");
    EXPECT_EQ(at(2, G::Kingaku1), "300");
}

} // namespace

namespace {

class RecalcMore : public RecalcFixture {};

TEST_F(RecalcMore, CalculatorAmountsPastTwelveDigitsGetTheirMessage) {
    estimate({{priced("60", "9999999999"), priced("60", "9999999999"), kindRow(E::Syoukei, {{G::Kingaku1, "5"}})}});
    recalcRow(1);
    recalcRow(2);
    recalcRow(3);
    EXPECT_EQ(messages(), std::vector<std::string>{kKeisanOverflow});
    EXPECT_EQ(at(3, G::Kingaku1), "");

    // A heading amount of thirteen digits is refused the same way; its unit price still fits.
    estimate({{kindRow(E::Daikoumoku, {{G::Kigou, "A"}, {G::HiroidasiSuu1, "1000"}})},
              {kindRow(E::Daikoumoku, {{G::Kigou, "A"}}), priced("1", "9999999999")}});
    recalcAll();
    EXPECT_EQ(raw(1, G::Tanka1), "9999999999");
    EXPECT_EQ(at(1, G::Kingaku1), "");
    EXPECT_EQ(messagesWith(kKeisanOverflow), 1);
}

TEST_F(RecalcMore, ItemListRefreshRecalculatesFromTheCurrentItemBackToTheFirst) {
    estimate({
        {kindRow(E::Daikoumoku, {{G::Kigou, "A"}, {G::HiroidasiSuu1, "1"}}), kindRow(E::HyousiKei)},
        {kindRow(E::Daikoumoku, {{G::Kigou, "A"}}), kindRow(E::Tyuukoumoku, {{G::Kigou, "B"}, {G::HiroidasiSuu1, "2"}}),
         kindRow(E::Syoukei)},
        {kindRow(E::Tyuukoumoku, {{G::Kigou, "B"}}), priced("1", "300"), kindRow(E::HyousiKei)},
    });
    toItem(3);
    doc->m_NeedRecalc = 1;
    view->RebuildKoumokuList();
    EXPECT_EQ(poolAt(3, 3, G::Kingaku1), "300");
    EXPECT_EQ(poolAt(2, 2, G::Tanka1), "300");
    EXPECT_EQ(poolAt(2, 3, G::Kingaku1), "600");
    EXPECT_EQ(poolAt(1, 1, G::Kingaku1), "600");
    // Item 3's 表紙計 came first, but the cover total is item 1's.
    EXPECT_EQ(doc->m_HyousiData[17], "         600");
    EXPECT_EQ(doc->m_CurKoumoku[0], 3);
    EXPECT_EQ(doc->m_NeedRecalc, 0);
}

// --- With row pricing: the composite-price style and the sleeve

TEST_F(RecalcMore, CompositeStyleAmountsTakeTheCompositeAndBlankTheLumpSumRows) {
    estimate({{priced("4", "2500", {{G::ZatuzaiRitu, "0.04"}}), kindRow(E::Zatuzai)}}, 1);
    recalcItem();
    EXPECT_EQ(at(1, G::FukugouTanka1), "2600");
    EXPECT_EQ(raw(1, G::SekisanSuu1), raw(1, G::HiroidasiSuu1));
    EXPECT_EQ(at(1, G::Kingaku1), "10400");
    for (int f : {G::HiroidasiSuu1, G::SekisanSuu1, G::Kingaku1, G::Kingaku2})
        EXPECT_EQ(at(2, f), "") << f;
}

TEST_F(RecalcMore, SleeveIsARateOnTheRowsWithLumpSumsAtThePipeFittersPrice) {
    const std::vector<Fields> rows = {
        priced("5", "2000", {{G::SetugouRitu, "0.05"}, {G::Roumu1No, "18"}, {G::Bukake1, "0.2"}, {G::HaturiRitu, "0.1"}}),
        priced("3", "1000"),   // no lump sums: adds nothing
        kindRow(E::Sleeve, {{G::Kakeritu, "0.03"}}),
        kindRow(E::Roumuhi1, {{G::Tanka1, "21000"}}),
    };
    estimate({rows});
    recalcItem();
    EXPECT_EQ(at(3, G::Kingaku1), "1008");   // 6720 a unit
    EXPECT_EQ(raw(3, G::HiroidasiSuu1), "       1");
    estimate({rows}, 1);
    recalcItem();
    EXPECT_EQ(at(1, G::FukugouTanka1), "6280");
    EXPECT_EQ(at(3, G::Kingaku1), "942");    // kept in the composite-price style
    EXPECT_TRUE(messages().empty());

    // Without a rate: the message once, both amounts blank.
    std::vector<Fields> noRate = rows;
    noRate[2] = kindRow(E::Sleeve, {{G::Kingaku1, "5"}});
    estimate({noRate});
    recalcItem();
    EXPECT_EQ(messagesWith("経費等の掛率に数値が入力されていません。再確認してください。"), 1);
    EXPECT_EQ(at(3, G::Kingaku1), "");
}

TEST_F(RecalcMore, APassOverRowsLackingLabourPriceOneShowsOneMessageAndNoDialog) {
    const Fields row = priced("1", "1000", {{G::Roumu1No, "5"}, {G::Bukake1, "0.5"}});
    estimate({{row, row}, {row}});
    recalcAll();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages()[0].find("労務単価1が入力されていない"), std::string::npos);
    EXPECT_EQ(at(1, G::Kingaku1), "1000");
}

} // namespace
