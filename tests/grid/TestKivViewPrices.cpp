// The price commands 単価ｺﾋﾟｰ, 単価入替, 行を指定して単価変換 and 内訳書に単価表NO記入, driven through
// the view's command handlers, the range clicks and their dialogs, with the estimate's
// recalculation connected; and the 単価変換、削除 dialog on its own.
#include <functional>
#include <span>

#include "estimate/BlockUndo.h"
#include "grid/BlockSelect.h"
#include "grid/RowClipboard.h"
#include "grid/TankaRewrite.h"
#include "grid/TankaDialogs.h"
#include "platform/headless/DialogDriver.h"
#include "recalc/RecalcFixture.h"

using namespace kivtest;
using kiv::ui::headless::DialogDriver;
using E = EnzanCode;

namespace {

// A number right-aligned in the width of a field.
std::string right(int field, const std::string& s) {
    const auto w = static_cast<std::size_t>(G::layout(field).Width);
    return std::string(w - s.size(), ' ') + s;
}

class Prices : public RecalcFixture {
protected:
    void SetUp() override {
        RecalcFixture::SetUp();
        g_BlockUndoReady = 0;
        g_BlockMove = 0;
        g_RowClipboard.Fill(RowClipKind::None, {});
    }
    void TearDown() override {
        ClearBlockSelect();
        g_RowClipboard.Fill(RowClipKind::None, {});
        RecalcFixture::TearDown();
    }

    void command(int id) { EXPECT_TRUE(view->onCommand(id)); }
    // Picks rows `from`..`to` of the current item by the two clicks (Enter on 品名).
    void pick(int from, int to) {
        placeCursor(from, from, G::Hinmei);
        enter();
        placeCursor(to, to, G::Hinmei);
        enter();
    }

    // Row `gyou` of item `item` as the pool holds it.
    std::string poolRow(int item, int gyou) const {
        for (int i = 0; i < doc->PoolGyouCount(); ++i) {
            const std::string& r = doc->PoolGyou(i);
            if (G::toInt(r, G::KoumokuNo) == item && G::toInt(r, G::GyouNo) == gyou) {
                std::string row = r;
                G::padLength(row);
                return row;
            }
        }
        ADD_FAILURE() << "no row " << item << "/" << gyou;
        return G::blankRow();
    }
    std::string rawOf(int item, int gyou, int field) const { return std::string(G::raw(poolRow(item, gyou), field)); }
    std::string textOf(int item, int gyou, int field) const {
        return kiv::text::toUtf8(std::string(kiv::text::trimBlanks(G::raw(poolRow(item, gyou), field))));
    }

    // 行を指定して単価変換 of rows `from`..`to` with factor `factor` and the dialog's own text.
    void convert(int from, int to, const std::string& factor) {
        QueueKivAnswer(true);
        command(ID_GYOU_TANKA_HENKAN);
        ASSERT_EQ(g_BlockSelectState, 1);
        backend.expectDialog(
            [&](DialogDriver& dd) {
                EXPECT_EQ(dd.text(CGyouTankaHenkanDialog::kStartGyou), std::to_string(from));
                EXPECT_EQ(dd.text(CGyouTankaHenkanDialog::kEndGyou), std::to_string(to));
                EXPECT_EQ(dd.text(CGyouTankaHenkanDialog::kKakeritu), "1");
                EXPECT_EQ(dd.textUtf8(CGyouTankaHenkanDialog::kText), "見積価格ｘ");
                dd.type(CGyouTankaHenkanDialog::kKakeritu, factor).click(kiv::ui::IDOK);
            },
            CGyouTankaHenkanDialog::kDialogId);
        QueueKivAnswer(true);
        pick(from, to);
        EXPECT_EQ(g_BlockSelectState, 0);
    }
};

// The one rule of a converted price's text, which the estimate, the master and the totals use.
TEST(PriceText, RoundsToTenthsDropsThemAndRefusesMoreThanTenCharacters) {
    const std::pair<const char*, const char*> cases[] = {
        {"1234.94", "      1234"}, {"1234.95", "      1235"}, {"-1234.95", "     -1235"}, {"0.04", "         0"},
        {"9999999999.94", "9999999999"}, {"-999999999.94", "-999999999"},
        {"9999999999.95", nullptr}, {"-999999999.95", nullptr},
    };
    for (const auto& [value, text] : cases) {
        SCOPED_TRACE(value);
        const std::optional<std::string> t = PriceText(kiv::text::parseDecimal(value));
        ASSERT_EQ(t.has_value(), text != nullptr);
        if (text)
            EXPECT_EQ(*t, text);
    }
}

// ---------------------------------------------------------------------------------------------
// 行を指定して単価変換

TEST_F(Prices, ConversionKeepsTheEnteredPriceAndStartsFromItEachTime) {
    estimate({{priced("1", "1000"), priced("1", "300")}});
    convert(1, 1, "0.85");
    EXPECT_EQ(rawOf(1, 1, G::Zai1MotoTanka), right(G::Zai1MotoTanka, "1000"));
    EXPECT_EQ(rawOf(1, 1, G::Tanka1), "       850");
    EXPECT_EQ(rawOf(1, 1, G::Kakeritu), "0.8500");
    EXPECT_EQ(textOf(1, 1, G::Bikou2), "見積価格ｘ0.8500");
    EXPECT_EQ(textOf(1, 1, G::Zai1Bikou), "見積価格ｘ0.8500");
    EXPECT_EQ(textOf(1, 1, G::Kingaku1), "850");   // the item was recalculated
    EXPECT_EQ(kiv::text::toUtf8(g_GyouTankaHenkanText), "見積価格ｘ0.8500");
    EXPECT_EQ(g_BlockUndoReady, 1);
    EXPECT_EQ(textOf(1, 2, G::Tanka1), "300");   // outside the range

    convert(1, 1, "0.9");
    EXPECT_EQ(rawOf(1, 1, G::Tanka1), "       900");
    EXPECT_EQ(rawOf(1, 1, G::Zai1MotoTanka), right(G::Zai1MotoTanka, "1000"));

    convert(1, 1, "1");
    EXPECT_EQ(rawOf(1, 1, G::Tanka1), "      1000");
    EXPECT_TRUE(G::isBlank(poolRow(1, 1), G::Zai1MotoTanka));
    EXPECT_TRUE(G::isBlank(poolRow(1, 1), G::Kakeritu));
    EXPECT_EQ(textOf(1, 1, G::Bikou2), "見積価格ｘ1.0000");

    convert(1, 1, "0");
    EXPECT_EQ(rawOf(1, 1, G::Tanka1), "      1000");
    EXPECT_EQ(rawOf(1, 1, G::Zai1MotoTanka), right(G::Zai1MotoTanka, "1000"));
    EXPECT_EQ(rawOf(1, 1, G::Kakeritu), "0.0000");
    EXPECT_EQ(textOf(1, 1, G::Zai1Bikou), "見積価格ｘ0.0000");

    // 元に戻す takes the estimate back to before the last conversion.
    command(ID_EDIT_UNDO);
    EXPECT_TRUE(G::isBlank(poolRow(1, 1), G::Zai1MotoTanka));
    EXPECT_TRUE(G::isBlank(poolRow(1, 1), G::Kakeritu));
    EXPECT_EQ(textOf(1, 1, G::Bikou2), "見積価格ｘ1.0000");
}

TEST_F(Prices, ConversionFormatsAndRefusesWhatDoesNotFit) {
    struct Case {
        const char* tanka;
        const char* factor;
        const char* tanka1;     // raw 10 characters
        const char* kakeritu;   // raw 6 characters
    };
    const Case cases[] = {
        {"300", "1.15", "       345", "1.1500"},
        {"1234.96", "2", "      2469", "2.0000"},
        {"1000", "12.5", "     12500", "12.500"},
        {"1000", "100", "    100000", "100.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.tanka) + " x " + c.factor);
        estimate({{priced("1", c.tanka)}});
        convert(1, 1, c.factor);
        EXPECT_EQ(rawOf(1, 1, G::Tanka1), c.tanka1);
        EXPECT_EQ(rawOf(1, 1, G::Kakeritu), c.kakeritu);
        view.reset();
    }

    // A price that would need 11 characters leaves its row wholly as it was; the others in the
    // range are converted, and one message names the count, the first row and its value.
    estimate({{priced("1", "100"), priced("1", "9000000000"), priced("1", "-600000000"), priced("1", "200")}});
    const std::string before2 = poolRow(1, 2);
    const std::string before3 = poolRow(1, 3);
    convert(1, 4, "2");
    EXPECT_EQ(rawOf(1, 1, G::Tanka1), "       200");
    EXPECT_EQ(rawOf(1, 4, G::Tanka1), "       400");
    for (int f : {G::Tanka1, G::Zai1MotoTanka, G::Kakeritu, G::Bikou2, G::Zai1Bikou}) {
        EXPECT_EQ(G::raw(poolRow(1, 2), f), G::raw(before2, f)) << f;
        EXPECT_EQ(G::raw(poolRow(1, 3), f), G::raw(before3, f)) << f;
    }
    const auto& messages = KivRecordedMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("18000000000.0"), std::string::npos) << messages[0];
    EXPECT_NE(messages[0].find("2件"), std::string::npos) << messages[0];
    EXPECT_NE(messages[0].find("0002行目"), std::string::npos) << messages[0];
}

TEST_F(Prices, DetailPricedRowConvertsItsLinesAndTakesTheComposite) {
    estimate({{{{G::HiroidasiSuu1, "1"},
                {G::ZaiGoukei, "1"},
                {G::Zai1Hinmei, "A"},
                {G::Zai1Suu, "1"},
                {G::Zai1Tanka1, "1000"},
                {G::Zai2Hinmei, "B"},
                {G::Zai2Suu, "1"},
                {G::Zai2Tanka1, "500"}},
               {{G::Zai3Tanka1, "70"}, {G::Tanka1, "10"}}}});
    convert(1, 2, "0.8");
    EXPECT_EQ(rawOf(1, 1, G::Zai1Tanka1), "       800");
    EXPECT_EQ(rawOf(1, 1, G::Zai2Tanka1), "       400");
    EXPECT_EQ(rawOf(1, 1, G::Zai1MotoTanka), right(G::Zai1MotoTanka, "1000"));
    EXPECT_EQ(rawOf(1, 1, G::Zai2MotoTanka), right(G::Zai2MotoTanka, "500"));
    EXPECT_EQ(textOf(1, 1, G::Tanka1), textOf(1, 1, G::FukugouTanka1));
    EXPECT_EQ(textOf(1, 1, G::Tanka1), "1200");
    EXPECT_EQ(textOf(1, 1, G::Zai2Bikou), "見積価格ｘ0.8000");
    EXPECT_EQ(textOf(1, 1, G::Zai3Bikou), "");
    // An ordinary row: only unit price 1 is converted, but a detail line with a price of its
    // own is marked.
    EXPECT_EQ(rawOf(1, 2, G::Tanka1), "         8");
    EXPECT_EQ(rawOf(1, 2, G::Zai3Tanka1), right(G::Zai3Tanka1, "70"));
    EXPECT_EQ(textOf(1, 2, G::Zai3Bikou), "見積価格ｘ0.8000");
}

TEST_F(Prices, AllSevenDetailLinesAreConvertedAndLoseTheirEnteredPricesTogether) {
    Fields detail = {{G::HiroidasiSuu1, "1"}, {G::ZaiGoukei, "1"}};
    for (int k = 1; k <= 7; ++k) {
        const int step = 8 * (k - 1);
        detail.emplace_back(G::Zai1Hinmei + step, "M" + std::to_string(k));
        detail.emplace_back(G::Zai1Suu + step, "1");
        detail.emplace_back(G::Zai1Tanka1 + step, std::to_string(100 * k));
    }
    estimate({{detail}});
    convert(1, 1, "0.5");
    for (int k = 1; k <= 7; ++k) {
        SCOPED_TRACE(k);
        const int step = 8 * (k - 1);
        EXPECT_EQ(rawOf(1, 1, G::Zai1Tanka1 + step), right(G::Zai1Tanka1, std::to_string(50 * k)));
        EXPECT_EQ(rawOf(1, 1, G::Zai1MotoTanka + step), right(G::Zai1MotoTanka, std::to_string(100 * k)));
    }
    EXPECT_EQ(textOf(1, 1, G::Tanka1), "1400");

    // A price typed over unit price 1 drops the entered prices of every line (a row priced
    // without its detail, as a file may hold it after the detail was switched off).
    Fields converted = priced("1", "500", {{G::Kakeritu, "0.5000"}, {G::Bikou2, "x0.5"}});
    for (int k = 1; k <= 7; ++k)
        converted.emplace_back(G::Zai1MotoTanka + 8 * (k - 1), std::to_string(100 * k));
    estimate({{converted}});
    placeCursor(1, 1, G::Tanka1);
    backend.sendChar(*view, '7');
    enter();
    ASSERT_FALSE(KivRecordedMessages().empty());
    view->StoreKoumoku();
    for (int k = 1; k <= 7; ++k)
        EXPECT_TRUE(G::isBlank(poolRow(1, 1), G::Zai1MotoTanka + 8 * (k - 1))) << k;
    EXPECT_TRUE(G::isBlank(poolRow(1, 1), G::Kakeritu));
}

TEST_F(Prices, ConversionCancelledStillRecalculatesAndChangesNoPrice) {
    estimate({{priced("2", "1000")}});
    QueueKivAnswer(true);
    command(ID_GYOU_TANKA_HENKAN);
    backend.expectDialog([](DialogDriver& dd) { dd.type(CGyouTankaHenkanDialog::kKakeritu, "0.5").click(kiv::ui::IDOK); },
                         CGyouTankaHenkanDialog::kDialogId);
    QueueKivAnswer(false);   // 実行した場合…
    pick(1, 1);
    EXPECT_EQ(g_BlockSelectState, 0);
    EXPECT_EQ(textOf(1, 1, G::Tanka1), "1000");
    EXPECT_TRUE(G::isBlank(poolRow(1, 1), G::Zai1MotoTanka));
    EXPECT_EQ(textOf(1, 1, G::Kingaku1), "2000");
    EXPECT_EQ(g_BlockUndoReady, 0);

    // A factor over 100 keeps the dialog open with the range message.
    QueueKivAnswer(true);
    command(ID_GYOU_TANKA_HENKAN);
    backend.expectDialog(
        [this](DialogDriver& dd) {
            backend.expectMessageBox(kiv::ui::IDOK);
            dd.type(CGyouTankaHenkanDialog::kKakeritu, "100.5").click(kiv::ui::IDOK);
            EXPECT_FALSE(dd.ended());
            dd.click(kiv::ui::IDCANCEL);
        },
        CGyouTankaHenkanDialog::kDialogId);
    pick(1, 1);
    EXPECT_EQ(textOf(1, 1, G::Tanka1), "1000");
}

TEST_F(Prices, TypingOverAConvertedPriceDropsTheConversionByTheRowsOwnMarker) {
    estimate({{priced("1", "1000")}});
    convert(1, 1, "0.85");
    g_GyouTankaHenkanText = "other";   // a later conversion's text elsewhere does not matter
    placeCursor(1, 1, G::Tanka1);
    backend.sendChar(*view, '7');
    enter();
    ASSERT_FALSE(KivRecordedMessages().empty());
    view->StoreKoumoku();
    EXPECT_EQ(textOf(1, 1, G::Tanka1), "7");
    EXPECT_TRUE(G::isBlank(poolRow(1, 1), G::Zai1MotoTanka));
    EXPECT_TRUE(G::isBlank(poolRow(1, 1), G::Bikou2));
    EXPECT_TRUE(G::isBlank(poolRow(1, 1), G::Zai1Bikou));
}

// ---------------------------------------------------------------------------------------------
// 単価ｺﾋﾟｰ

TEST_F(Prices, PriceCopyOfRowsTwoToFourPastesIntoAnotherItem) {
    auto row = [](const char* tanka, const char* bikou) {
        return priced("1", tanka, {{G::Zai1Tanka1, tanka}, {G::Bikou2, bikou}});
    };
    estimate({{row("1", "a"), row("20", "b"), row("300", "c"), row("4000", "d"), row("5", "e")},
              {priced("2", "9"), priced("2", "9"), priced("2", "9"), priced("2", "9")}});
    for (int round = 0; round < 2; ++round) {
        QueueKivAnswer(true);
        command(ID_TANKA_COPY);
        ASSERT_EQ(g_BlockSelectState, 1);
        backend.expectDialog(
            [round](DialogDriver& dd) {
                EXPECT_EQ(dd.text(CTankaCopyDialog::kStartGyou), "2");
                EXPECT_EQ(dd.text(CTankaCopyDialog::kEndGyou), "4");
                // On at every opening, whatever the last one chose.
                EXPECT_EQ(dd.dialog().isChecked(CTankaCopyDialog::kBikou2), 1);
                if (round == 0)
                    dd.click(CTankaCopyDialog::kBikou2);
                dd.click(kiv::ui::IDOK);
            },
            CTankaCopyDialog::kDialogId);
        QueueKivAnswer(round == 1);   // the first time the paste question is cancelled
        pick(2, 4);
        EXPECT_EQ(g_BlockUndoReady, 1);
        EXPECT_EQ(g_RowClipboard.Kind, RowClipKind::TankaCopy);
        EXPECT_EQ(g_RowClipboard.Count, 3);
        EXPECT_EQ(g_RowClipboard.TankaBikou2, round == 1);
        EXPECT_EQ(g_RowClipboard.Armed, round == 1);
    }
    EXPECT_EQ(doc->m_GyouCount, 5);   // no row was moved or deleted by the snapshot

    view->StoreGyou();
    view->StoreKoumoku();
    doc->m_CurKoumoku[0] = 2;
    doc->LoadKoumokuGyou();
    placeCursor(2, 2, G::Hinmei);
    command(ID_EDIT_PASTE);
    view->StoreKoumoku();
    EXPECT_EQ(textOf(2, 1, G::Tanka1), "9");
    EXPECT_EQ(textOf(2, 2, G::Tanka1), "20");
    EXPECT_EQ(textOf(2, 3, G::Zai1Tanka1), "300");
    EXPECT_EQ(textOf(2, 4, G::Tanka1), "4000");
    EXPECT_EQ(textOf(2, 4, G::Bikou2), "d");
}

// ---------------------------------------------------------------------------------------------
// 単価入替

class Irekae : public Prices {
protected:
    void SetUp() override {
        Prices::SetUp();
        recalcSeams().masterLines = [this]() -> std::optional<std::span<const std::string>> {
            if (!hasMaster)
                return std::nullopt;
            return std::span<const std::string>(master);
        };
    }
    void run(bool ok = true) {
        QueueKivAnswer(ok);
        command(ID_TANKA_IREKAE);
    }
    std::vector<std::string> master;
    bool hasMaster = true;
};

TEST_F(Irekae, RowsTakeTheFirstEqualMasterRowAndUnmatchedOnesLoseTheirPrices) {
    const std::string spec(29, 'S');
    auto named = [&](const std::string& kikaku, Fields more) {
        more.emplace_back(G::Hinmei, "PIPE");
        more.emplace_back(G::Kikaku, kikaku);
        return more;
    };
    master.push_back(masterRow(1, 1, named(spec + "X", {{G::Tanka1, "111"}})));
    master.push_back(masterRow(2, 1, named(spec + "Y", {{G::Tanka1, "500"}, {G::Bikou1, "M1"}, {G::Sonota1Ritu, "7"},
                                                        {G::Zai3Bikou, "mb"}})));
    master.push_back(masterRow(2, 2, named(spec + "Y", {{G::Tanka1, "999"}})));
    // A master row cut short: its missing bytes count as blanks.
    master.push_back(masterRow(3, 1, {{G::Hinmei, "SHORT"}, {G::Tanka1, "77"}}).substr(0, 300));

    Fields unmatched = named(spec + "Z", priced("1", "100", {{G::Tanka2, "5"}, {G::Bikou1, "b1"}, {G::Bikou2, "b2"},
                                                             {G::Zai1Tanka1, "3"}, {G::Zai7Bikou, "z"},
                                                             {G::Sonota1Ritu, "5"}, {G::Sonota2Ritu, "6"}}));
    estimate({{named(spec + "Y", priced("2", "1", {{G::Sonota1Ritu, "3"}})), unmatched},
              {{{G::Hinmei, "SHORT"}, {G::HiroidasiSuu1, "1"}}}});
    run();
    EXPECT_TRUE(KivRecordedMessages().empty());
    EXPECT_EQ(textOf(1, 1, G::Tanka1), "500");
    EXPECT_EQ(textOf(1, 1, G::Bikou1), "M1");
    EXPECT_EQ(textOf(1, 1, G::Sonota1Ritu), "7");
    EXPECT_EQ(textOf(1, 1, G::Zai3Bikou), "mb");
    EXPECT_EQ(textOf(1, 1, G::Kingaku1), "1000");   // recalculated with the new price
    EXPECT_EQ(textOf(2, 1, G::Tanka1), "77");

    const std::string row = poolRow(1, 2);
    for (int f : {13, 14, 42, 43, 44, 50, 51, 52, 58, 59, 60, 66, 67, 68, 74, 75, 76, 82, 83, 84, 90, 91, 92, 19, 20})
        EXPECT_TRUE(G::isBlank(row, f)) << f;
    EXPECT_EQ(textOf(1, 2, G::Sonota1Ritu), "5");
    EXPECT_EQ(textOf(1, 2, G::Sonota2Ritu), "6");
    EXPECT_EQ(textOf(1, 2, G::Hinmei), "PIPE");
}

TEST_F(Irekae, WithoutAMasterOrWithoutOkNothingChanges) {
    master.push_back(masterRow(1, 1, {{G::Hinmei, "A"}, {G::Tanka1, "5"}}));
    estimate({{{{G::Hinmei, "A"}, {G::Tanka1, "1"}}, {{G::Hinmei, "B"}, {G::Tanka1, "2"}}}});
    view->StoreKoumoku();
    const std::vector<std::string> before(doc->PoolRows().begin(), doc->PoolRows().end());
    run(false);
    hasMaster = false;
    run();
    ASSERT_EQ(KivRecordedMessages().size(), 1u);
    EXPECT_EQ(KivRecordedMessages()[0],
              "マスターファイルが表示されていないので単価入替できません。変換したいマスターファイルを呼び出ししてください。");
    EXPECT_EQ(std::vector<std::string>(doc->PoolRows().begin(), doc->PoolRows().end()), before);

    // The composite style is named, and the exchange goes on.
    hasMaster = true;
    ClearKivPrompts();
    doc->m_SetteiValues.SekisanYousiki = 1;
    run();
    ASSERT_FALSE(KivRecordedMessages().empty());
    EXPECT_NE(KivRecordedMessages()[0].find("複合計算モード"), std::string::npos);
    EXPECT_EQ(textOf(1, 1, G::Tanka1), "5");
    EXPECT_TRUE(G::isBlank(poolRow(1, 2), G::Tanka1));
}

TEST_F(Irekae, ComputedRowsAreLeftAsTheyAreByBothPriceCommands) {
    // Each computed row sits under a priced row of 1000; the two commands run over both rows.
    struct Case {
        const char* name;
        Fields row;
        const char* kingaku1;   // the computed row's amount afterwards
    };
    const Case cases[] = {
        {"10% expense", kindRow(E::Keihi1, {{G::Kakeritu, "0.1"}}), nullptr},
        {"hand-priced expense", kindRow(E::Keihi3, priced("1", "50000", {{G::Bikou2, "keep"}})), "50000"},
        {"labour row", kindRow(E::Roumuhi1, {{G::Tanka1, "100000"}, {G::Kakeritu, "1.0"}}), nullptr},
        {"subtotal", kindRow(E::Syoukei, {{G::Tanka1, "7"}}), nullptr},
    };
    const std::vector<std::pair<std::string, std::function<void()>>> commands = {
        {"行を指定して単価変換", [this] { convert(1, 2, "0.85"); }},
        {"単価入替", [this] { run(); }},   // the master has no twin of either row
    };
    master.push_back(masterRow(1, 1, {{G::Hinmei, "OTHER"}, {G::Tanka1, "5"}}));
    for (const auto& [command, go] : commands)
        for (const Case& c : cases) {
            SCOPED_TRACE(command + " / " + c.name);
            estimate({{priced("1", "1000"), c.row}});
            recalcAll();   // what the recalculation writes is not the commands' doing
            const std::string before = poolRow(1, 2);
            go();
            const std::string after = poolRow(1, 2);
            for (int f : {G::Tanka1, G::Tanka2, G::Kakeritu, G::Bikou1, G::Bikou2, G::Zai1MotoTanka, G::Zai1Bikou,
                          G::Zai1Tanka1})
                EXPECT_EQ(G::raw(after, f), G::raw(before, f)) << f;
            if (c.kingaku1)
                EXPECT_EQ(textOf(1, 2, G::Kingaku1), c.kingaku1);
            view.reset();
        }

    // The reported case: a 10% expense under a row converted by 0.85 is 10% of 850.
    estimate({{priced("1", "1000"), kindRow(E::Keihi1, {{G::Kakeritu, "0.1"}})}});
    convert(1, 2, "0.85");
    EXPECT_EQ(textOf(1, 1, G::Tanka1), "850");
    EXPECT_EQ(textOf(1, 2, G::Kakeritu), "0.1");
    EXPECT_EQ(textOf(1, 2, G::Kingaku1), "85");
}

// ---------------------------------------------------------------------------------------------
// 内訳書に単価表NO記入

class TankaNo : public Prices {
protected:
    void SetUp() override {
        Prices::SetUp();
        // The rows' composite prices are the test's own: no recalculation rewrites them.
        recalcSeams().recalcKoumoku = {};
    }
    // Runs the command; the dialog shows `preset` as its prefix and gets `prefix` typed (when
    // given) and the two check boxes as asked.
    void run(const std::string& preset, std::optional<std::string> prefix, bool move, bool renumber) {
        backend.expectDialog(
            [&](DialogDriver& dd) {
                EXPECT_EQ(dd.textUtf8(CTankaNoDialog::kPrefix), preset);
                EXPECT_EQ(dd.dialog().isChecked(CTankaNoDialog::kMoveBikou2), 1);
                EXPECT_EQ(dd.dialog().isChecked(CTankaNoDialog::kRenumber), 0);
                if (prefix)
                    dd.type(CTankaNoDialog::kPrefix, *prefix);
                if (!move)
                    dd.click(CTankaNoDialog::kMoveBikou2);
                if (renumber)
                    dd.click(CTankaNoDialog::kRenumber);
                dd.click(kiv::ui::IDOK);
            },
            CTankaNoDialog::kDialogId);
        QueueKivAnswer(true);
        command(ID_TANKA_NO);
    }
    // A breakdown-priced row.
    static Fields composite(const std::string& name, const std::string& fukugou, Fields more = {}) {
        more.emplace_back(G::Hinmei, name);
        more.emplace_back(G::ZaiGoukei, "1");
        more.emplace_back(G::FukugouTanka1, fukugou);
        return more;
    }
};

TEST_F(TankaNo, IdenticalRowsShareANumberAndLaterRunsContinue) {
    estimate({{composite("P", "1000"), {{G::Hinmei, "plain"}}, composite("P", "2000")},
              {composite("P", "1000"), composite("Q", "1000", {{G::Roumu1Bukake, "0.5"}, {G::ZaiGoukei, "0"}})}});
    run("", "単価表-", false, false);
    EXPECT_EQ(textOf(1, 1, G::Bikou1), "単価表-1");
    EXPECT_EQ(textOf(1, 2, G::Bikou1), "");
    EXPECT_EQ(textOf(1, 3, G::Bikou1), "単価表-2");
    EXPECT_EQ(textOf(2, 1, G::Bikou1), "単価表-1");
    EXPECT_EQ(textOf(2, 2, G::Bikou1), "単価表-3");
    EXPECT_EQ(g_BlockUndoReady, 0);

    // A second run keeps the numbers and goes on after the highest.
    view->StoreKoumoku();
    doc->m_CurKoumoku[0] = 2;
    doc->LoadKoumokuGyou();
    ASSERT_TRUE(view->AddGyou());
    doc->m_CurGyou[0] = 3;
    view->m_EditGyou = rowOf(2, 3, composite("R", "10"));
    view->StoreGyou();
    view->StoreKoumoku();
    run("単価表-", std::nullopt, false, false);
    EXPECT_EQ(textOf(1, 3, G::Bikou1), "単価表-2");
    EXPECT_EQ(textOf(2, 3, G::Bikou1), "単価表-4");

    // Renumbering starts again at 1 in item and row order.
    run("単価表-", "No.", false, true);
    EXPECT_EQ(textOf(1, 1, G::Bikou1), "No.1");
    EXPECT_EQ(textOf(1, 3, G::Bikou1), "No.2");
    EXPECT_EQ(textOf(2, 1, G::Bikou1), "No.1");
    EXPECT_EQ(textOf(2, 2, G::Bikou1), "No.3");
    EXPECT_EQ(textOf(2, 3, G::Bikou1), "No.4");
}

TEST_F(TankaNo, ExistingNumbersAreReadFromTheTrailingDigits) {
    struct Case {
        const char* bikou1;
        const char* prefix;   // offered by the dialog
        const char* next;     // the next row's number
    };
    const Case cases[] = {{"単価表-12", "単価表-", "単価表-13"},
                          {"A1-5", "A1-", "A1-6"},
                          {"見積", "見積", "見積1"},
                          {"12", "", "13"},
                          {"X 1234567890", "X", "X1"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bikou1);
        estimate({{composite("P", "1", {{G::Bikou1, sj(c.bikou1)}}), composite("Q", "1")}});
        run(c.prefix, std::nullopt, false, false);
        EXPECT_EQ(textOf(1, 1, G::Bikou1), c.bikou1);
        EXPECT_EQ(textOf(1, 2, G::Bikou1), c.next);
        view.reset();
    }
}

TEST_F(TankaNo, RemarksTwoLeaveOnlyWhereTheyWereCopied) {
    const Fields labour = {{G::Roumu1Bukake, "1.0"}, {G::Bikou2, "r2"}};
    // Every row is named apart: rows alike in name and composite price would share a number.
    auto with = [](Fields base, Fields more) {
        base.insert(base.end(), more.begin(), more.end());
        return base;
    };
    estimate({{
        with(labour, {{G::Hinmei, "1"}, {G::Zai1Hinmei, "m"}}),                          // single-line detail
        with(labour, {{G::Hinmei, "2"}, {G::Zai1Hinmei, "m"}, {G::Zai2Hinmei, "n"}, {G::ZaiGoukei, "1"}}),
        {{G::Hinmei, "3"}, {G::Bikou2, "r2"}},                                           // plain row
        {{G::Hinmei, "4"}, {G::Bikou2, "r2"}, {G::Bikou1, "x"}, {G::Zai1Bikou, "y"}},    // both filled
        {{G::Hinmei, "5"}, {G::Bikou2, "r2"}, {G::FukuHyouji, "1"}},                     // detail flag
    }});
    run("", "T", true, false);
    EXPECT_EQ(textOf(1, 1, G::Zai1Bikou), "r2");
    EXPECT_EQ(textOf(1, 1, G::Bikou2), "");
    EXPECT_EQ(textOf(1, 1, G::Bikou1), "T1");
    EXPECT_EQ(textOf(1, 2, G::Bikou2), "r2");
    EXPECT_EQ(textOf(1, 2, G::Zai1Bikou), "");
    EXPECT_EQ(textOf(1, 3, G::Bikou1), "r2");
    EXPECT_EQ(textOf(1, 3, G::Zai1Bikou), "r2");
    EXPECT_EQ(textOf(1, 3, G::Bikou2), "");
    EXPECT_EQ(textOf(1, 4, G::Bikou2), "r2");
    EXPECT_EQ(textOf(1, 4, G::Bikou1), "x");
    EXPECT_EQ(textOf(1, 5, G::Bikou1), "");
    EXPECT_EQ(textOf(1, 5, G::Zai1Bikou), "r2");
    EXPECT_EQ(textOf(1, 5, G::Bikou2), "");
}

// ---------------------------------------------------------------------------------------------
// 単価変換、削除

TEST_F(Prices, ConversionDialogOffersTheCurrentItemAndChecksTheFactor) {
    estimate({{priced("1", "1")}});
    doc->MakeCurrent();
    doc->m_CurKoumoku[0] = 3;
    CTankaHenkanDialog dlg;
    dlg.m_Koumoku = 7;
    dlg.m_AllKoumoku = 1;
    backend.expectDialog(
        [this](DialogDriver& dd) {
            EXPECT_EQ(dd.text(CTankaHenkanDialog::kKoumoku), "3");
            EXPECT_EQ(dd.dialog().isChecked(CTankaHenkanDialog::kAllKoumoku), 0);
            for (const char* bad : {"10.5", "-1"}) {
                backend.expectMessageBox(kiv::ui::IDOK);
                dd.type(CTankaHenkanDialog::kKakeritu, bad).click(kiv::ui::IDOK);
                EXPECT_FALSE(dd.ended()) << bad;
            }
            dd.type(CTankaHenkanDialog::kKakeritu, "0.5");
            dd.type(CTankaHenkanDialog::kKoumoku, "5").click(CTankaHenkanDialog::kAllKoumoku);
            EXPECT_EQ(dd.text(CTankaHenkanDialog::kKoumoku), "5");
            dd.type(CTankaHenkanDialog::kKakeritu, "10").click(kiv::ui::IDOK);
        },
        CTankaHenkanDialog::kDialogId);
    ASSERT_EQ(dlg.doModal(), kiv::ui::IDOK);
    EXPECT_EQ(dlg.m_Kakeritu, 10.0);
    EXPECT_EQ(dlg.m_Koumoku, 5);
    EXPECT_EQ(dlg.m_AllKoumoku, 1);

    doc->m_CurKoumoku[0] = 2;
    backend.expectDialog(
        [](DialogDriver& dd) {
            EXPECT_EQ(dd.text(CTankaHenkanDialog::kKoumoku), "2");
            EXPECT_EQ(dd.text(CTankaHenkanDialog::kKakeritu), "10");
            dd.type(CTankaHenkanDialog::kKakeritu, "0").click(kiv::ui::IDOK);
        },
        CTankaHenkanDialog::kDialogId);
    ASSERT_EQ(dlg.doModal(), kiv::ui::IDOK);
    EXPECT_EQ(dlg.m_Kakeritu, 0.0);
    EXPECT_EQ(dlg.m_AllKoumoku, 0);

    // Without a current estimate the opener's item stays.
    g_pKivDoc = nullptr;
    CTankaHenkanDialog alone;
    alone.m_Koumoku = 7;
    backend.expectDialog([](DialogDriver& dd) {
        EXPECT_EQ(dd.text(CTankaHenkanDialog::kKoumoku), "7");
        dd.click(kiv::ui::IDCANCEL);
    }, CTankaHenkanDialog::kDialogId);
    EXPECT_EQ(alone.doModal(), kiv::ui::IDCANCEL);
}

} // namespace
