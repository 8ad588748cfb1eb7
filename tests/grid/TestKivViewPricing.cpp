// The composite unit price of a row through CKivView::CalcFukugouTanka: amounts and their
// rounding per mode, the rounding ladder, the flags, the several-materials and labour checks,
// the ten-digit limit and the pass mode.
#include <gtest/gtest.h>

#include "estimate/KivMessagePass.h"
#include "estimate/RoumuDialog.h"
#include "grid/PricingFixture.h"

namespace kivtest {
namespace {

class CalcFukugouTest : public PricingFixture {};

TEST_F(CalcFukugouTest, MaterialAmountRoundsByModeAndCompositeTakesNoLadder) {
    EXPECT_EQ(priced({{F::Hokyuu, "2.5"}, {F::Tanka1, "333"}}, 1), "832");
    EXPECT_EQ(std::string(kiv::text::trimBlanks(view->FukugouDetail().m_ZaiKingaku1[0])), "832");
    EXPECT_EQ(raw(1, F::FukugouTanka1), "       832");

    EXPECT_EQ(priced({{F::Hokyuu, "2.5"}, {F::Tanka1, "333"}}, 3), "833");   // 832.50, "%10.f" away from 0
    EXPECT_EQ(view->FukugouDetail().m_ZaiKingaku1[0], "       832.50");

    EXPECT_EQ(priced({{F::Hokyuu, "0.5"}, {F::Tanka1, "25.9"}}, 1), "13");   // 12.95 -> 13.0 -> 13
    EXPECT_EQ(std::string(kiv::text::trimBlanks(view->FukugouDetail().m_ZaiKingaku1[0])), "13");
    EXPECT_TRUE(KivRecordedMessages().empty());
}

TEST_F(CalcFukugouTest, JointRateOnTheUnitPriceSetsTheSleeveFlag) {
    EXPECT_EQ(priced({{F::Hokyuu, "1.1"}, {F::Tanka1, "1000"}, {F::TugiteRitu, "0.1"}}, 1), "1200");
    EXPECT_EQ(raw(1, F::FukugouTanka1), "      1200");
    EXPECT_EQ(raw(1, F::FukugouTanka2), std::string(10, ' '));
    EXPECT_EQ(text(1, F::Tanka1), "1000");   // no 常時複合単価で表示する: the unit price stays
    EXPECT_EQ(view->m_NeedSleeve, 1);
    EXPECT_EQ(view->m_FukugouKekka.Tugite[0], kiv::text::Decimal(100));
    EXPECT_EQ(view->m_FukugouKekka.ZairyouKei[0], kiv::text::Decimal(1100));
    EXPECT_EQ(view->m_FukugouKekka.Tanka[0], kiv::text::Decimal(1200));
}

TEST_F(CalcFukugouTest, PlainRowLeavesTheSleeveFlagAlone) {
    priced({{F::Tanka1, "1000"}, {F::ZatuzaiRitu, "0.1"}}, 1);
    EXPECT_EQ(view->m_NeedSleeve, 0);
}

TEST_F(CalcFukugouTest, WorkedExampleWithLabourInEachMode) {
    const std::vector<std::pair<int, std::string>> row{
        {F::Tanka1, "1000"}, {F::Roumu1No, "18"}, {F::Bukake1, "0.05"},
        {F::TugiteRitu, "0.1"}, {F::ZatuzaiRitu, "0.05"}, {F::UnpanRitu, "0.02"}};
    struct Case { int mode; const char* unpan; const char* zaikou; const char* composite; };
    for (const Case& c : {Case{1, "23", "2178", "2170"}, Case{2, "23", "2178", "2170"},
                          Case{3, "23.10", "2178.10", "2180"}}) {
        SCOPED_TRACE(c.mode);
        EXPECT_EQ(priced(row, c.mode), c.composite);
        const KivDetail d = view->FukugouDetail();
        EXPECT_EQ(std::string(kiv::text::trimBlanks(d.m_Zatuzai.Kingaku1)), c.mode == 3 ? "55.00" : "55");
        EXPECT_EQ(std::string(kiv::text::trimBlanks(d.m_Unpan.Kingaku1)), c.unpan);
        EXPECT_EQ(std::string(kiv::text::trimBlanks(d.m_ZaikouKei1)), c.zaikou);
        EXPECT_EQ(std::string(kiv::text::trimBlanks(d.m_RoumuKingaku1[0])), c.mode == 3 ? "1000.00" : "1000");
        EXPECT_EQ(d.m_RoumuSyokusyu[0], sj("配管工"));
        EXPECT_EQ(view->m_RoumuNo, (std::array<int, 3>{18, 0, 0}));
        // Track 2 has no labour price: the material only.
        EXPECT_EQ(text(1, F::FukugouTanka2), "");
    }
    EXPECT_TRUE(KivRecordedMessages().empty());
}

TEST_F(CalcFukugouTest, RoundingLadderPerMode) {
    // Labour No 5 at 歩掛 1 adds 100, so 単価1 = W - 100 gives 材工計 W.
    struct Case { const char* w; int mode; const char* composite; };
    const Case cases[] = {
        {"12345", 1, "12300"}, {"12345", 2, "12300"}, {"12345", 3, "12300"},
        {"12350", 1, "12300"}, {"12350", 2, "12300"}, {"12350", 3, "12400"},
        {"9999", 1, "9990"},   {"9999", 2, "9990"},   {"9999", 3, "10000"},
        {"123500", 3, "124000"}, {"123499.99", 3, "123000"},
        {"1234567", 2, "1230000"}, {"2000000000", 2, "2000000000"},
        {"1234567", 1, "1234500"}, {"1234567891", 1, "1234567800"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.w) + " mode " + std::to_string(c.mode));
        const kiv::text::Decimal unit = kiv::text::parseDecimal(c.w) - 100;
        const std::string unitText = kiv::text::cformat(c.mode == 3 ? "%.2f" : "%.0f", unit);
        EXPECT_EQ(priced({{F::Tanka1, unitText}, {F::Roumu1No, "5"}, {F::Bukake1, "1"}}, c.mode), c.composite);
    }
}

TEST_F(CalcFukugouTest, SmallCompositeWithLabour) {
    for (int mode : {1, 2, 3})
        EXPECT_EQ(priced({{F::Tanka1, "35"}, {F::Roumu1No, "5"}, {F::Bukake1, "0.5"}}, mode), "85") << mode;
    EXPECT_EQ(priced({{F::Tanka1, "34.56"}, {F::Roumu1No, "5"}, {F::Bukake1, "0.5"}}, 3), "85");
    EXPECT_EQ(priced({{F::Tanka1, "34.56"}, {F::Roumu1No, "5"}, {F::Bukake1, "0.5"}}, 1), "84");
    EXPECT_EQ(priced({{F::Tanka1, "34.56"}, {F::Roumu1No, "5"}, {F::Bukake1, "0.5"}}, 2), "84");
}

TEST_F(CalcFukugouTest, WithoutLabourTheCompositeIsTheRoundedTotal) {
    EXPECT_EQ(priced({{F::Tanka1, "1234.56"}}, 3), "1235");
    EXPECT_EQ(priced({{F::Tanka1, "1234.56"}}, 1), "1234");
    EXPECT_EQ(priced({{F::Tanka1, "1234.56"}}, 0), "1234");
}

TEST_F(CalcFukugouTest, SeveralMaterialsSetTheFlagOnceAndMoveLineOneIntoItsFields) {
    openPriced({makeRow(1, {{F::Hokyuu, "2.0"}, {F::Tanka1, "1000"}, {F::Zai2Suu, "3"}, {F::Zai2Tanka1, "500"},
                            {F::TugiteRitu, "0.05"}})},
               1);
    view->CalcFukugouTanka();
    EXPECT_EQ(text(1, F::FukugouTanka1), "3575");   // flag not yet set: no ladder
    EXPECT_EQ(raw(1, F::ZaiGoukei), "1");
    EXPECT_EQ(raw(1, F::Zai1Suu), "  2.0");
    EXPECT_EQ(text(1, F::Zai1Tanka1), "1000");
    EXPECT_EQ(KivRecordedMessages(),
              std::vector<std::string>{"複数の材料が登録されていますので材料を合計して表示にチェックは解除されません。"});

    ClearKivRecordedMessages();
    view->LoadGyou();
    view->CalcFukugouTanka();
    EXPECT_EQ(text(1, F::FukugouTanka1), "3570");   // line 1 now from 40/42, and the ladder applies
    EXPECT_TRUE(KivRecordedMessages().empty());
}

TEST_F(CalcFukugouTest, BlankSupplyFactorIsQuantityOne) {
    openPriced({makeRow(1, {{F::Tanka1, "700"}})}, 1);
    view->m_EditGyou = docRow(1);
    F::blank(view->m_EditGyou, F::Hokyuu);
    view->CalcFukugouTanka();
    EXPECT_EQ(text(1, F::FukugouTanka1), "700");
}

TEST_F(CalcFukugouTest, TenDigitLimit) {
    EXPECT_EQ(priced({{F::Tanka1, "9999999999"}}, 1), "9999999999");
    EXPECT_TRUE(KivRecordedMessages().empty());

    EXPECT_EQ(priced({{F::Tanka1, "9999999999"}, {F::TugiteRitu, "0.01"}}, 1), "");
    EXPECT_EQ(view->m_FukugouKekka.Tanka[0], kiv::text::parseDecimal("10099999999"));
    EXPECT_EQ(text(1, F::FukugouTanka2), "");
    EXPECT_EQ(KivRecordedMessages(), std::vector<std::string>{"複合単価が10桁を越ています。訂正してください。"});
}

TEST_F(CalcFukugouTest, LargeNegativeCompositeGetsTheLimitMessage) {
    EXPECT_EQ(priced({{F::Tanka1, "-999999999"}}, 1), "-999999999");
    EXPECT_TRUE(KivRecordedMessages().empty());
    EXPECT_EQ(priced({{F::Tanka1, "-999999999"}, {F::TugiteRitu, "0.01"}}, 1), "");
    EXPECT_EQ(KivRecordedMessages().size(), 1u);
}

TEST_F(CalcFukugouTest, AlwaysCompositeFlagWritesTheUnitPricesFromLineOnesOwnFields) {
    openPriced({makeRow(1, {{F::FukuHyouji, "1"}, {F::Zai1Suu, "1"}, {F::Zai1Tanka1, "1000"},
                            {F::Zai1Tanka2, "500"}, {F::Tanka1, "7"}})},
               1);
    view->CalcFukugouTanka();
    EXPECT_EQ(raw(1, F::Tanka1), "      1000");
    EXPECT_EQ(raw(1, F::FukugouTanka1), "      1000");
    EXPECT_EQ(raw(1, F::Tanka2), "       500");
    EXPECT_EQ(raw(1, F::FukugouTanka2), "       500");
}

TEST_F(CalcFukugouTest, ZeroCompositeBlanksTheFields) {
    openPriced({makeRow(1, {{F::FukuHyouji, "1"}, {F::Tanka1, "7"}, {F::FukugouTanka1, "9"}})}, 1);
    view->CalcFukugouTanka();
    EXPECT_EQ(text(1, F::Tanka1), "");
    EXPECT_EQ(text(1, F::FukugouTanka1), "");
}

TEST_F(CalcFukugouTest, LabourLinesPastTheListOrBelowOneHaveNoPrices) {
    for (const char* no : {"-1", "99", "7", "3"}) {
        SCOPED_TRACE(no);
        priced({{F::Tanka1, "100"}, {F::Roumu2No, no}, {F::Bukake2, "1"}}, 1);
        EXPECT_EQ(view->FukugouDetail().m_RoumuSyokusyu[1], std::string(no) == "7" ? sj("普通作業員") : "");
        EXPECT_EQ(view->FukugouDetail().m_RoumuTanka1[1], "");
        EXPECT_EQ(text(1, F::FukugouTanka1), "100");
    }
    EXPECT_EQ(view->m_RoumuNo[1], 3);
}

TEST_F(CalcFukugouTest, MissingLabourPriceAloneOpensTheDialogAndCancelKeepsTheRow) {
    std::vector<std::string> rows = namedRows(2);
    rows.push_back(makeRow(3, {{F::Tanka1, "1000"}, {F::Roumu1No, "7"}, {F::Bukake1, "0.5"}}));
    openPriced(rows, 1, 3);
    int shown = 0;
    backend.expectDialog([&](Driver& dr) {
        ++shown;
        EXPECT_EQ(dr.text(res::IDC_ROUMUNO[0]), " 7");
        dr.click(kiv::ui::IDCANCEL);
    }, res::IDD_KIVDIALOG);
    view->CalcFukugouTanka();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(KivRecordedMessages(),
              std::vector<std::string>{"編集中の行に労務単価1が入力されていません。0003行目の細詳を呼び出して確認してください。"});
    EXPECT_EQ(text(3, F::FukugouTanka1), "1000");
    EXPECT_EQ(text(3, F::Roumu1No), "7");
}

TEST_F(CalcFukugouTest, MissingLabourPriceFixedInTheDialogIsPricedAsTheDialogLeftIt) {
    std::vector<std::string> rows = namedRows(2);
    rows.push_back(makeRow(3, {{F::Tanka1, "1000"}, {F::Roumu1No, "7"}, {F::Bukake1, "0.5"}}));
    openPriced(rows, 1, 3);
    backend.expectDialog([&](Driver& dr) {
        // Entering the NO box opens the labour-price list; NO 18 is sent to the line.
        backend.expectDialog([](Driver& list) {
            list.type(CRoumuDialog::kNo, "18").click(CRoumuDialog::kSyousaiOkuru);
        }, CRoumuDialog::kDialogId);
        dr.focus(res::IDC_ROUMUNO[0]);
        dr.click(kiv::ui::IDOK);
    }, res::IDD_KIVDIALOG);
    view->CalcFukugouTanka();
    EXPECT_EQ(text(3, F::Roumu1No), "18");
    EXPECT_EQ(text(3, F::FukugouTanka1), "11000");
    EXPECT_EQ(KivRecordedMessages().size(), 1u);   // no second question
    EXPECT_EQ(doc->m_CurGyou[0], 3);
    EXPECT_EQ(view->m_CurField[0], 5);
}

TEST_F(CalcFukugouTest, InAPassTheRowsMessagesAreCollectedAndNoDialogOpens) {
    std::vector<std::string> rows;
    for (int g = 1; g <= 3; ++g)
        rows.push_back(makeRow(g, {{F::Tanka1, "1000"}, {F::Roumu1No, "7"}, {F::Bukake1, "0.5"}}));
    openPriced(rows, 1, 2);
    {
        KivMessagePass pass;
        for (int g = 2; g <= 3; ++g) {
            placeCursor(g, g, 5);
            view->CalcFukugouTanka();
        }
        EXPECT_TRUE(KivRecordedMessages().empty());
    }
    ASSERT_EQ(KivRecordedMessages().size(), 1u);
    EXPECT_EQ(KivRecordedMessages()[0],
              "労務単価1が入力されていない行があります。細詳を呼び出して確認してください。\n（2件。最初は項目 1 の 0002行目）");
    EXPECT_EQ(text(2, F::FukugouTanka1), "1000");
    EXPECT_EQ(text(3, F::FukugouTanka1), "1000");
}

TEST_F(CalcFukugouTest, ClearSuuAmountBlanksQuantitiesAndAmounts) {
    const std::vector<std::pair<int, std::string>> full{
        {F::HiroidasiSuu1, "1"}, {F::HiroidasiSuu2, "2"}, {F::SekisanSuu1, "3"}, {F::SekisanSuu2, "4"},
        {F::Kingaku1, "5"}, {F::Kingaku2, "6"}};
    openPriced({makeRow(1, full)}, 1);
    view->ClearSuuAmount();
    for (int f : {F::HiroidasiSuu1, F::SekisanSuu1, F::Kingaku1, F::Kingaku2})
        EXPECT_TRUE(F::isBlank(view->m_EditGyou, f)) << f;
    EXPECT_EQ(F::toInt(view->m_EditGyou, F::HiroidasiSuu2), 2);
    EXPECT_EQ(F::toInt(view->m_EditGyou, F::SekisanSuu2), 4);
    EXPECT_EQ(view->m_CurField[0], 18);

    view->LoadGyou();
    view->ClearSuuAmount2();
    for (int f : {F::HiroidasiSuu1, F::HiroidasiSuu2, F::Kingaku1, F::Kingaku2})
        EXPECT_TRUE(F::isBlank(view->m_EditGyou, f)) << f;
    EXPECT_EQ(F::toInt(view->m_EditGyou, F::SekisanSuu1), 3);
    EXPECT_EQ(view->m_CurField[0], 18);
}

} // namespace
} // namespace kivtest
