// The print-form and address-book commands, the deletion commands, 数量変換 and 撤去歩掛等に変換,
// driven through the view's commands, the two-click range and the dialogs on the headless backend.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "estimate/BlockUndo.h"
#include "estimate/SetteiFile.h"
#include "grid/BlockSelect.h"
#include "grid/HaturiDelDialog.h"
#include "grid/RoumuBikou2DelDialog.h"
#include "grid/SuuHenkanDialog.h"
#include "grid/TekkyoBukakeDialog.h"
#include "platform/headless/DialogDriver.h"
#include "recalc/RecalcFixture.h"
#include "resources/CommandIds.h"

namespace kivtest {
namespace {

using kiv::ui::IDCANCEL;
using kiv::ui::IDOK;
using kiv::ui::headless::DialogDriver;
using Script = std::function<void(DialogDriver&)>;

class BulkCommands : public RecalcFixture {
protected:
    void SetUp() override {
        RecalcFixture::SetUp();
        g_BlockUndoReady = 0;
        g_BlockMove = 0;
    }
    void TearDown() override {
        ClearBlockSelect();
        RecalcFixture::TearDown();
    }
    void run(int command) { ASSERT_TRUE(view->onCommand(command)); }

    // A range command over rows `from`..`to` picked by two clicks: the range question answered OK,
    // `script` run in dialog `dialogId`, then the confirmations answered in order.
    void rangeCommand(int command, int from, int to, int dialogId, const Script& script,
                      std::vector<bool> confirmations) {
        QueueKivAnswer(true);
        run(command);
        ASSERT_EQ(g_BlockSelectState, 1);
        backend.expectDialog(script, dialogId);
        for (bool ok : confirmations)
            QueueKivAnswer(ok);
        placeCursor(from, from, G::Hinmei);
        enter();
        placeCursor(to, to, G::Hinmei);
        enter();
        EXPECT_EQ(g_BlockSelectState, 0);
        EXPECT_EQ(PendingBlockCommand(), 0);
    }
    static Script ok() {
        return [](DialogDriver& dd) { dd.click(IDOK); };
    }
    static Script endRow(int end, Script more = {}) {
        return [end, more](DialogDriver& dd) {
            dd.type(GyouRangeDialog::kEndGyou, std::to_string(end));
            if (more)
                more(dd);
            dd.click(IDOK);
        };
    }
};

// ---------------------------------------------------------------------------------------------
// Print-form and address-book commands

TEST_F(BulkCommands, FormCommandsRunTheirHook) {
    estimate({{priced("1", "100")}});
    std::map<int, int> ran;
    for (int id : {ID_ADRESS, ID_HYOUSI_FORM, ID_HEDDER, ID_ADRESS_FILE,
                   ID_HYOUSI_CHANGE, ID_ADRESS_PRINT_FILE})
        recalcSeams().formDialogs[id] = [&ran, id] { ++ran[id]; };
    std::string kingakuSeen;
    doc->m_HyousiData[CKivDoc::kHyousiDataCount - 1] = "     1234567";
    doc->m_KingakuText.clear();
    recalcSeams().formDialogs[ID_HYOUSI] = [&] {
        ++ran[ID_HYOUSI];
        kingakuSeen = doc->m_KingakuText;
        EXPECT_EQ(g_pKivDoc, doc.get());
    };
    for (int id : {ID_HYOUSI, ID_ADRESS, ID_HYOUSI_FORM, ID_HEDDER, ID_ADRESS_FILE,
                   ID_HYOUSI_CHANGE, ID_ADRESS_PRINT_FILE})
        run(id);
    for (const auto& [id, n] : ran)
        EXPECT_EQ(n, 1) << id;
    EXPECT_EQ(ran.size(), 7u);
    EXPECT_NE(kingakuSeen.find("1,234,567"), std::string::npos) << kingakuSeen;
}

// ---------------------------------------------------------------------------------------------
// Deletion commands

// A row with every field the deletion commands look at filled.
Fields fullRow(const std::string& name) {
    return {{G::Hinmei, name},     {G::Bikou1, "b1"},        {G::Bikou2, "b2"},        {G::Zai1Bikou, "z1"},
            {G::Zai7Bikou, "z7"},  {G::Roumu1Bikou, "r1"},   {G::Roumu3Bikou, "r3"},   {G::Bukake1, "0.25"},
            {G::Bukake2, "0.5"},   {G::Roumu3Bukake, "0.75"}, {G::TugiteRitu, "0.1"},  {G::SetugouRitu, "0.2"},
            {G::SijiRitu, "0.3"},  {G::HaturiRitu, "0.4"},    {G::UnpanRitu, "0.5"},   {G::FuzokuRitu, "0.6"},
            {G::ZatuzaiRitu, "0.7"}, {G::Sonota1Ritu, "0.8"}, {G::Sonota2Ritu, "0.9"}, {G::Hokyuu, "1.2"}};
}

const std::vector<int> kWatched = {G::Bikou1,     G::Bikou2,      G::Zai1Bikou,  G::Zai7Bikou,   G::Roumu1Bikou,
                                   G::Roumu3Bikou, G::Bukake1,     G::Bukake2,    G::Roumu3Bukake, G::TugiteRitu,
                                   G::SetugouRitu, G::SijiRitu,    G::HaturiRitu, G::UnpanRitu,   G::FuzokuRitu,
                                   G::ZatuzaiRitu, G::Sonota1Ritu, G::Sonota2Ritu};

TEST_F(BulkCommands, EachDeletionBlanksItsFieldsOnly) {
    struct Case {
        int command;
        bool range;
        int dialogId;
        std::vector<int> blanked;
        std::string hokyuu;
    };
    const std::vector<Case> cases = {
        {ID_SONOTA_ROUMU_DELETE, false, 0, {G::Sonota1Ritu, G::Sonota2Ritu}, "1.2"},
        {ID_BIKOU2_DELETE, false, 0,
         {G::Bikou2, G::Zai1Bikou, G::Zai7Bikou, G::Roumu1Bikou, G::Roumu3Bikou}, "1.2"},
        {ID_HATURI_DELETE, true, CHaturi_delDialog::kDialogId, {G::HaturiRitu}, "1.2"},
        {ID_BUKAKE_BIKOU2_DELETE, true, CRoumu_bikou2delDialog::kDialogId,
         {G::Bukake1, G::Bukake2, G::Sonota1Ritu, G::Sonota2Ritu, G::FuzokuRitu, G::TugiteRitu, G::SetugouRitu,
          G::SijiRitu, G::HaturiRitu, G::ZatuzaiRitu, G::Bikou2, G::Zai1Bikou, G::Zai7Bikou, G::Roumu1Bikou,
          G::Roumu3Bikou},
         "1.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        estimate({{fullRow("A"), fullRow("B"), fullRow("C")}, {fullRow("D")}});
        const std::string untouched = doc->WorkGyouAt(3);
        if (c.range) {
            rangeCommand(c.command, 1, 2, c.dialogId, ok(), {true});
        } else {
            placeCursor(2, 2, G::Kikaku);
            QueueKivAnswer(true);
            run(c.command);
            // The cursor is where it was.
            EXPECT_EQ(cursorRow(), 2);
            EXPECT_EQ(field(), G::Kikaku);
            EXPECT_EQ(doc->m_CurKoumoku[0], 1);
        }
        // Whole-estimate commands reach every row of every item; range commands rows 1-2 only.
        const std::vector<std::pair<int, int>> changed =
            c.range ? std::vector<std::pair<int, int>>{{1, 1}, {1, 2}}
                    : std::vector<std::pair<int, int>>{{1, 1}, {1, 2}, {1, 3}, {2, 1}};
        for (const auto& [item, gyou] : changed) {
            for (int f : kWatched) {
                const bool blank = std::find(c.blanked.begin(), c.blanked.end(), f) != c.blanked.end();
                EXPECT_EQ(poolAt(item, gyou, f).empty(), blank) << "item " << item << " row " << gyou << " field " << f;
            }
            EXPECT_EQ(poolAt(item, gyou, G::Hokyuu), c.hokyuu);
        }
        if (c.range)
            EXPECT_EQ(doc->WorkGyouAt(3), untouched);
        EXPECT_EQ(doc->m_GyouCount, 3);
        EXPECT_EQ(g_BlockUndoReady, 0);
        view.reset();
    }
}

// The watched fields of rows 1 and 2 of the current item.
std::vector<std::string> watched(const CKivDoc& d) {
    std::vector<std::string> out;
    for (int g = 0; g < 2; ++g)
        for (int f : kWatched)
            out.emplace_back(G::raw(d.WorkGyouAt(g + 1), f));
    return out;
}

TEST_F(BulkCommands, DeclinedQuestionsChangeNothingAndRangesNeverGrowTheItem) {
    estimate({{fullRow("A"), fullRow("B")}});
    const std::vector<std::string> before = watched(*doc);
    QueueKivAnswer(false);
    run(ID_BIKOU2_DELETE);
    QueueKivAnswer(false);
    run(ID_SONOTA_ROUMU_DELETE);
    rangeCommand(ID_HATURI_DELETE, 1, 2, CHaturi_delDialog::kDialogId, ok(), {false});
    rangeCommand(ID_BUKAKE_BIKOU2_DELETE, 1, 2, CRoumu_bikou2delDialog::kDialogId,
                 [](DialogDriver& dd) { dd.click(IDCANCEL); }, {});
    EXPECT_EQ(watched(*doc), before);
    EXPECT_TRUE(view->caret().visible);

    // An end row past the item's last: the item's rows change, no row is added.
    rangeCommand(ID_BUKAKE_BIKOU2_DELETE, 1, 2, CRoumu_bikou2delDialog::kDialogId, endRow(9999), {true});
    EXPECT_EQ(doc->m_GyouCount, 2);
    EXPECT_EQ(at(2, G::Bukake1), "");
    EXPECT_EQ(doc->PoolGyouCount() + 0, 2);
}

// ---------------------------------------------------------------------------------------------
// 数量変換

TEST_F(BulkCommands, QuantityConversionTable) {
    struct Case {
        std::string factor, suu1, suu2, want1, want2;
    };
    const std::vector<Case> cases = {
        {"2", "12.5", "", "    25.0", "        "},
        {"1", "3", "", "     3.0", "        "},
        {"0", "12.5", "4", "    12.5", "       4"},
        {"2", "600000", "1.5", "  600000", "     3.0"},
        {"0.5", "0.25", "", "     0.1", "        "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.factor + " x " + c.suu1);
        Fields f = priced(c.suu1, "100");
        if (!c.suu2.empty())
            f.emplace_back(G::HiroidasiSuu2, c.suu2);
        estimate({{f, priced("7", "1")}});
        rangeCommand(ID_SUU_HENKAN, 1, 1, CSuuHenkanDialog::kDialogId,
                     [&](DialogDriver& dd) {
                         EXPECT_EQ(dd.text(CSuuHenkanDialog::kKakeritu), "1");
                         dd.type(CSuuHenkanDialog::kKakeritu, c.factor);
                         dd.click(IDOK);
                     },
                     {true});
        EXPECT_EQ(raw(1, G::HiroidasiSuu1), c.want1);
        EXPECT_EQ(raw(1, G::HiroidasiSuu2), c.want2);
        EXPECT_EQ(raw(2, G::HiroidasiSuu1), "       7");
        EXPECT_EQ(g_BlockUndoReady, 1);
        const bool overflow = c.suu1 == "600000";
        EXPECT_EQ(messagesWith("8桁に収まらない"), overflow ? 1 : 0);
        if (overflow)
            EXPECT_EQ(messagesWith("1件、最初は1行目の 1200000.0"), 1) << messages().front();
        view.reset();
    }
}

TEST_F(BulkCommands, QuantityConversionIsUndoneInOneStepAndRecalculates) {
    estimate({{priced("2", "100"), priced("3", "100")}});
    rangeCommand(ID_SUU_HENKAN, 1, 2, CSuuHenkanDialog::kDialogId,
                 [](DialogDriver& dd) {
                     dd.type(CSuuHenkanDialog::kKakeritu, "1.5");
                     dd.click(IDOK);
                 },
                 {true});
    EXPECT_EQ(at(1, G::HiroidasiSuu1), "3.0");
    EXPECT_EQ(at(2, G::HiroidasiSuu1), "4.5");
    EXPECT_EQ(at(1, G::Kingaku1), "300");
    run(ID_EDIT_UNDO);
    EXPECT_EQ(at(1, G::HiroidasiSuu1), "2");
    EXPECT_EQ(at(2, G::HiroidasiSuu1), "3");
}

// ---------------------------------------------------------------------------------------------
// 撤去歩掛等に変換

class TekkyoCommand : public BulkCommands {
protected:
    std::filesystem::path setteiPath() const { return exeDir / "電気設定.ett"; }
    // An estimate of `rows` in item 1, its settings record with removal factor `kakeritu` and
    // composite rounding `mode` written to the settings file.
    void build(const std::vector<Fields>& rows, int mode, const std::string& kakeritu = "0.10") {
        estimate({rows}, 0, mode);
        SetteiRecord r;
        ASSERT_TRUE(r.setTekkyoRitu(kakeritu));
        ASSERT_TRUE(r.setFukugouMarume(mode));
        doc->m_Settei = r;
        doc->m_SetteiPath = setteiPath();
        ASSERT_TRUE(writeSetteiFile(setteiPath(), r));
        doc->ParseSettei();
        settings(0, mode, 0);
    }
    // The conversion of rows `from`..`to` with kind of work number `kind` (1-28) and more choices.
    void convert(int from, int to, int kind, Script choices = {}, bool confirm = true) {
        rangeCommand(ID_TEKKYO_BUKAKE, from, to, CTekkyoBukakeDialog::kDialogId,
                     [&](DialogDriver& dd) {
                         dd.select(CTekkyoBukakeDialog::kKousyu, kind - 1);
                         if (choices)
                             choices(dd);
                         dd.click(IDOK);
                     },
                     {confirm});
    }
    std::string fileBytes() const { return kiv::files::readFile(setteiPath()).value_or("?"); }
};

TEST_F(TekkyoCommand, DialogListsTheKindsAndKeepsThePairsExclusive) {
    ASSERT_EQ(CTekkyoBukakeDialog::kousyuList().size(), 28u);
    int saisiyou = 0;
    for (const char* k : CTekkyoBukakeDialog::kousyuList()) {
        EXPECT_EQ(sj(k).size(), 27u) << k;
        saisiyou += CTekkyoBukakeDialog::isSaisiyou(sj(k));
    }
    EXPECT_EQ(saisiyou, 14);
    EXPECT_EQ(CTekkyoBukakeDialog::kousyuFactorText(sj(CTekkyoBukakeDialog::kousyuList()[23])), "0.5");

    build({priced("1", "100")}, 3, "0.15");
    backend.expectDialog(
        [](DialogDriver& dd) {
            EXPECT_EQ(dd.textUtf8(CTekkyoBukakeDialog::kKousyu), CTekkyoBukakeDialog::kStartKousyu);
            EXPECT_EQ(dd.text(CTekkyoBukakeDialog::kSonotaKakeritu), "0.15");
            EXPECT_EQ(dd.dialog().getCount(CTekkyoBukakeDialog::kKousyu), 28);
            EXPECT_EQ(dd.dialog().isChecked(CTekkyoBukakeDialog::kToBikou2), 1);
            dd.type(CTekkyoBukakeDialog::kStartGyou, "5");
            dd.click(CTekkyoBukakeDialog::kToBikou1);
            EXPECT_EQ(dd.dialog().isChecked(CTekkyoBukakeDialog::kToBikou1), 1);
            EXPECT_EQ(dd.dialog().isChecked(CTekkyoBukakeDialog::kToBikou2), 0);
            dd.click(CTekkyoBukakeDialog::kSaisiyou);
            dd.click(CTekkyoBukakeDialog::kToritukeOnly);
            EXPECT_EQ(dd.dialog().isChecked(CTekkyoBukakeDialog::kSaisiyou), 0);
            EXPECT_EQ(dd.dialog().isChecked(CTekkyoBukakeDialog::kToritukeOnly), 1);
            // What was typed stays when a box is clicked.
            EXPECT_EQ(dd.text(CTekkyoBukakeDialog::kStartGyou), "5");
            dd.click(IDCANCEL);
        },
        CTekkyoBukakeDialog::kDialogId);
    CTekkyoBukakeDialog dlg;
    doc->MakeCurrent();
    EXPECT_EQ(dlg.doModal(), IDCANCEL);
}

TEST_F(TekkyoCommand, RatesAreScaledAndFormattedByRoundingMode) {
    struct Case {
        int mode, kind;
        bool reinstall;
        std::string rate, want;
    };
    const std::vector<Case> cases = {
        {3, 1, false, "4.1236", "1.2371"}, {1, 1, false, "4.1236", "1.2370"}, {3, 1, false, "0.25", "0.0750"},
        {1, 1, false, "0.25", "0.0750"},   {3, 24, true, "80", "120.00"},    {1, 24, true, "80", "120.00"},
        {3, 12, true, "10", "14.000"},     {3, 14, false, "4.1236", "4.1236"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + " " + std::to_string(c.kind) + " " + c.rate);
        build({priced("1", "100", {{G::Bukake1, c.rate}, {G::Bikou1, "keep?"}, {G::Zai3Tanka1, "50"},
                                   {G::Sonota1Ritu, "0.5"}, {G::Hokyuu, "1.2"}})},
              c.mode);
        convert(1, 1, c.kind, c.reinstall ? Script([](DialogDriver& dd) { dd.click(CTekkyoBukakeDialog::kSaisiyou); })
                                          : Script());
        EXPECT_EQ(at(1, G::Bukake1), c.want);
        EXPECT_EQ(at(1, G::Tanka1), "");
        EXPECT_EQ(at(1, G::Zai3Tanka1), "");
        EXPECT_EQ(at(1, G::Bikou1), "");
        EXPECT_EQ(at(1, G::Sonota1Ritu), "0.10");
        EXPECT_EQ(at(1, G::Hokyuu), "1.0");
        const std::string kf = c.kind == 14 ? "   " : c.kind == 24 ? "0.5" : c.kind == 12 ? "0.4" : "0.3";
        std::string rateText(6, ' ');
        rateText.replace(6 - c.rate.size(), c.rate.size(), c.rate);
        const std::string note = c.reinstall ? "歩掛" + rateText + "人x(1+撤去掛率" + kf + ")" : "歩掛" + rateText + "人x 撤去掛率" + kf;
        EXPECT_EQ(kiv::text::toUtf8(G::text(doc->WorkGyouAt(1), G::Roumu1Bikou)),
                  std::string(kiv::text::trimRightBlanks(note)));
        const std::string want2 = c.reinstall ? "撤去(再使用)+再取付" : c.kind == 12 ? "撤去(再使用)" : "撤去";
        EXPECT_EQ(kiv::text::toUtf8(G::text(doc->WorkGyouAt(1), G::Bikou2)), want2);
        view.reset();
    }
}

TEST_F(TekkyoCommand, InstallationOnlyKeepsRatesAndReinstallNeedsAReuseKind) {
    build({priced("1", "100", {{G::Bukake1, "2.5"}, {G::Sonota1Ritu, "0.5"}, {G::FukuHyouji, "1"}, {G::Hokyuu, "1.2"}})}, 3);
    convert(1, 1, 1, [](DialogDriver& dd) { dd.click(CTekkyoBukakeDialog::kToritukeOnly); });
    EXPECT_EQ(at(1, G::Bukake1), "2.5");
    EXPECT_EQ(at(1, G::Sonota1Ritu), "0.5");
    EXPECT_EQ(at(1, G::Hokyuu), "1.2");
    EXPECT_EQ(kiv::text::toUtf8(G::text(doc->WorkGyouAt(1), G::Bikou2)), "再使用");
    EXPECT_EQ(kiv::text::toUtf8(G::text(doc->WorkGyouAt(1), G::Roumu1Bikou)), "歩掛   2.5人");

    const std::string before(G::raw(doc->WorkGyouAt(1), G::Bikou2));
    convert(1, 1, 1, [](DialogDriver& dd) { dd.click(CTekkyoBukakeDialog::kSaisiyou); });
    EXPECT_EQ(messagesWith("工種が 再使用 になっていません。"), 1);
    EXPECT_EQ(G::raw(doc->WorkGyouAt(1), G::Bikou2), before);
    EXPECT_EQ(at(1, G::Bukake1), "2.5");
}

TEST_F(TekkyoCommand, TheRemovalFactorIsCheckedBeforeTheFileIsWritten) {
    build({priced("1", "100", {{G::Bukake1, "2"}})}, 3);
    // A NUL inside the record survives the rewrite.
    std::string bytes(doc->m_Settei.bytes());
    bytes[200] = '\0';
    doc->m_Settei = SetteiRecord::fromBytes(bytes);
    ASSERT_TRUE(writeSetteiFile(setteiPath(), doc->m_Settei));
    const std::string fileBefore = fileBytes();
    const std::string rowBefore(G::raw(doc->WorkGyouAt(1), G::Bukake1));
    for (const char* bad : {"abcd", "0.1", "-0.1", "1.2x"}) {
        SCOPED_TRACE(bad);
        rangeCommand(ID_TEKKYO_BUKAKE, 1, 1, CTekkyoBukakeDialog::kDialogId,
                     [&](DialogDriver& dd) {
                         dd.type(CTekkyoBukakeDialog::kSonotaKakeritu, bad);
                         backend.expectMessageBox(IDOK, "取付工のその他の入力された数値が不適切です。");
                         dd.click(IDOK);
                         EXPECT_FALSE(dd.ended());
                         dd.click(IDCANCEL);
                     },
                     {});
        EXPECT_EQ(fileBytes(), fileBefore);
        EXPECT_EQ(G::raw(doc->WorkGyouAt(1), G::Bukake1), rowBefore);
    }
    EXPECT_EQ(g_BlockUndoReady, 0);

    convert(1, 1, 1, [](DialogDriver& dd) { dd.type(CTekkyoBukakeDialog::kSonotaKakeritu, "0.25"); });
    std::string want = fileBefore;
    want.replace(SetteiRecord::TekkyoRituPos, 4, "0.25");
    EXPECT_EQ(fileBytes(), want);
    EXPECT_EQ(doc->m_Settei.tekkyoRitu(), "0.25");
    EXPECT_EQ(at(1, G::Bukake1), "0.6000");
    // One undo brings the row back.
    EXPECT_EQ(g_BlockUndoReady, 1);
    run(ID_EDIT_UNDO);
    EXPECT_EQ(at(1, G::Bukake1), "2");
}

TEST_F(TekkyoCommand, ARateThatDoesNotFitLeavesItsRowAndIsReportedOnce) {
    build({priced("1", "100", {{G::Bukake1, "900000"}}), priced("1", "100", {{G::Bukake1, "2"}}),
           priced("1", "100", {{G::Bukake1, "800000"}})},
          3);
    convert(1, 3, 13, [](DialogDriver& dd) { dd.click(CTekkyoBukakeDialog::kSaisiyou); });
    EXPECT_EQ(at(1, G::Bukake1), "900000");
    EXPECT_EQ(at(1, G::Tanka1), "100");
    EXPECT_EQ(at(1, G::Roumu1Bikou), "");
    EXPECT_EQ(at(2, G::Bukake1), "3.4000");
    EXPECT_EQ(at(3, G::Bukake1), "800000");
    EXPECT_EQ(messagesWith("2行、最初は1行目"), 1);
}

} // namespace
} // namespace kivtest
