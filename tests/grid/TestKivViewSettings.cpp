// The 設定 menu's commands and the style conversion of computed rows, driven through the view's
// commands and the dialogs on the headless backend.
#include <gtest/gtest.h>

#include <map>

#include "estimate/FukugouDialog.h"
#include "estimate/FukukirisuteDialog.h"
#include "estimate/MarumeDialog.h"
#include "estimate/MstFileReader.h"
#include "estimate/RoumufileDialog.h"
#include "estimate/SetteiDialog.h"
#include "estimate/SetteiFile.h"
#include "platform/archive/Archive.h"
#include "platform/headless/DialogDriver.h"
#include "recalc/RecalcFixture.h"

namespace kivtest {
namespace {

using E = EnzanCode;
using kiv::ui::IDCANCEL;
using kiv::ui::IDOK;
using kiv::ui::headless::DialogDriver;

const char* const kAskIrreversible = "実行すると元には戻りません。";
const char* const kAskKeisanMode = "内訳作成が労務費計上モードです。";
const char* const kMsgSummary = "複合単価で作成した内訳を読み込んだか";

// One byte of a settings record.
void setByte(SetteiRecord& r, std::size_t pos, char c) {
    std::string b(r.bytes());
    b[pos] = c;
    r = SetteiRecord::fromBytes(b);
}

Fields named(const std::string& name, Fields more = {}) {
    more.emplace_back(GyouRecord::Hinmei, name);
    return more;
}

class SettingsCommands : public RecalcFixture {
protected:
    std::filesystem::path setteiPath() const { return exeDir / "電気設定.ett"; }
    std::filesystem::path masterPath() const { return exeDir / "Eﾏｽﾀｰ.MST"; }

    // The estimate of `items` with a settings record of the fixture's codes and the given style
    // byte, written to the settings file and parsed; labour 18 配管工, 32 機械工, 8 電工.
    void build(const std::vector<std::vector<Fields>>& items, char style) {
        estimate(items);
        SetteiRecord r;
        for (int k = 0; k < kEnzanCodeCount; ++k)
            ASSERT_TRUE(r.setCode(static_cast<E>(k), std::to_string(9001 + k)));
        setByte(r, SetteiRecord::SekisanYousikiPos, style);
        setByte(r, SetteiRecord::FukugouMarumePos, '1');
        doc->m_Settei = r;
        doc->m_SetteiPath = setteiPath();
        ASSERT_TRUE(writeSetteiFile(setteiPath(), r));
        doc->ParseSettei();
        doc->m_RoumuPath = exeDir / "労務単価.rab";
        labour({{18, "配管工", "19000"}, {32, "機械工", "18000"}, {8, "電工", "17000"}, {2, "普通作業員", "15000"}});
    }

    void writeMaster(const std::vector<std::string>& rows, int count = -1) {
        kiv::archive::ArchiveWriter w;
        w.writeInt32(count < 0 ? static_cast<std::int32_t>(rows.size()) : count);
        for (const auto& r : rows)
            w.writeString(r);
        ASSERT_TRUE(kiv::files::writeFileAtomically(masterPath(), w.bytes()));
    }
    // Row 2 of every converted kind's category, 品名 naming the kind, 単価1 15000 for the labour
    // kinds; `without` leaves one kind out.
    void writeTemplates(std::optional<E> without = std::nullopt) {
        std::vector<std::string> rows;
        for (int slot = 0; slot < 11; ++slot) {
            const E kind = KeisanTemplateKind(slot);
            if (without && *without == kind)
                continue;
            Fields f{{G::Hinmei, "T" + std::to_string(slot)}};
            if (slot >= 7)
                f.emplace_back(G::Tanka1, "15000");
            rows.push_back(masterRow(code(kind), 1));
            rows.push_back(masterRow(code(kind), 2, f));
        }
        writeMaster(rows);
    }

    void run(int command) { ASSERT_TRUE(view->onCommand(command)); }

    // The item's rows, each as its 品名 or, for a computed row, the kind's template name
    // ("T<slot>") or "#<code>" when it has none.
    std::vector<std::string> itemRows(int item) {
        toItem(item);
        std::vector<std::string> out;
        for (int r = 1; r <= doc->m_GyouCount; ++r) {
            const std::string name = at(r, G::Hinmei);
            out.push_back(name.empty() ? "#" + at(r, G::BunNo) : name);
            EXPECT_EQ(G::toInt(doc->WorkGyouAt(r), G::GyouNo), r);
        }
        return out;
    }
    std::string fileBytes(const std::filesystem::path& p) const { return kiv::files::readFile(p).value_or("?"); }
    std::vector<std::string> poolRows() const {
        return std::vector<std::string>(doc->PoolRows().begin(), doc->PoolRows().end());
    }
    // Recalculations of items, in the order the item hook saw them.
    std::vector<int> recordItemOrder() {
        auto order = std::make_shared<std::vector<int>>();
        m_Order = order;
        auto inner = recalcSeams().recalcKoumoku;
        recalcSeams().recalcKoumoku = [order, inner](CKivView& v) {
            order->push_back(v.GetDocument()->m_CurKoumoku[0]);
            inner(v);
        };
        return {};
    }
    std::vector<int> order() const { return *m_Order; }
    std::shared_ptr<std::vector<int>> m_Order = std::make_shared<std::vector<int>>();
};

// The three 小計 items each a priced row then a total.
std::vector<std::vector<Fields>> threeItems() {
    std::vector<std::vector<Fields>> items;
    for (int i = 1; i <= 3; ++i)
        items.push_back({priced("1", std::to_string(i * 100)), kindRow(E::Syoukei)});
    return items;
}

// ---------------------------------------------------------------------------------------------
// The recalculation frame

TEST_F(SettingsCommands, FrameRecalculatesEveryItemFromTheLast) {
    build(threeItems(), '0');
    recordItemOrder();
    // 桁の丸め confirmed unchanged still recalculates each item once.
    backend.expectDialog([](DialogDriver& dd) { dd.click(IDOK); }, CmarumeDialog::kDialogId);
    run(ID_MARUME);
    EXPECT_EQ(order(), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(poolAt(2, 2, G::Kingaku1), "200");

    // 複合単価丸め設定: twice per item in the labour-posting style, once in the composite style.
    m_Order->clear();
    backend.expectDialog([](DialogDriver& dd) { dd.click(IDOK); }, CfukukirisuteDialog::kDialogId);
    run(ID_FUKU_KIRISUTE);
    EXPECT_EQ(order(), (std::vector<int>{3, 3, 2, 2, 1, 1}));
    setByte(doc->m_Settei, SetteiRecord::SekisanYousikiPos, '1');
    doc->ParseSettei();
    m_Order->clear();
    backend.expectDialog([](DialogDriver& dd) { dd.click(IDOK); }, CfukukirisuteDialog::kDialogId);
    run(ID_FUKU_KIRISUTE);
    EXPECT_EQ(order(), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(g_pKivDoc, doc.get());
}

TEST_F(SettingsCommands, TheLabourFileChooserDoesNotReparseAndTheSettingsChooserRecalculatesNothing) {
    build(threeItems(), '0');
    recordItemOrder();
    // A record changed behind the parsed values: 労務単価ﾌｧｲﾙ選択 recalculates without reading it.
    setByte(doc->m_Settei, SetteiRecord::SekisanYousikiPos, '1');
    backend.expectDialog([](DialogDriver& dd) { dd.click(IDOK); }, CRoumufileDialog::kDialogId);
    run(ID_ROUMU_FILE);
    EXPECT_EQ(order(), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(doc->m_SetteiValues.SekisanYousiki, 0);

    m_Order->clear();
    const auto rows = poolRows();
    backend.expectDialog([](DialogDriver& dd) { dd.click(IDCANCEL); }, CSetteiDialog::kDialogId);
    run(ID_SETTEI_FILE);
    backend.expectDialog([](DialogDriver& dd) { dd.click(IDOK); }, CSetteiDialog::kDialogId);
    run(ID_SETTEI_FILE);
    EXPECT_TRUE(order().empty());
    EXPECT_EQ(poolRows(), rows);
}

TEST_F(SettingsCommands, TypedDigitsSurviveTheRecalculation) {
    build(threeItems(), '0');
    placeCursor(1, 1, G::HiroidasiSuu1);
    view->m_EditGyou.replace(static_cast<std::size_t>(G::layout(G::HiroidasiSuu1).Offset),
                             static_cast<std::size_t>(G::layout(G::HiroidasiSuu1).Width),
                             padded(G::HiroidasiSuu1, "       3"));
    backend.expectDialog([](DialogDriver& dd) { dd.click(IDOK); }, CmarumeDialog::kDialogId);
    run(ID_MARUME);
    EXPECT_EQ(at(1, G::Kingaku1), "300");
    EXPECT_EQ(cursorRow(), 1);
    EXPECT_EQ(field(), G::HiroidasiSuu1);
}

TEST_F(SettingsCommands, FormChoosersRunTheirHook) {
    build(threeItems(), '0');
    std::map<int, int> ran;
    for (int id : {ID_HYOUSI_FILE, ID_HEADDER_FILE}) {
        recalcSeams().formDialogs[id] = [&ran, id] { ++ran[id]; };
        run(id);
    }
    EXPECT_EQ(ran, (std::map<int, int>{{ID_HYOUSI_FILE, 1}, {ID_HEADDER_FILE, 1}}));
}

// ---------------------------------------------------------------------------------------------
// Style change

// An item of every kind the conversion handles, plus a sleeve row and a 付属品１被計算 row.
std::vector<Fields> labourPostingItem() {
    return {named("A", priced("2", "1000", {{G::TugiteRitu, "0.1"}})),
            named("B", kindRow(E::Fuzokuhin1Hi, priced("1", "500", {{G::FuzokuRitu, "0.1"}}))),
            kindRow(E::Tugite, {{G::Hinmei, "J"}}),
            kindRow(E::Fuzokuhin1, {{G::Hinmei, "F"}}),
            kindRow(E::Sleeve, {{G::Hinmei, "S"}}),
            kindRow(E::Setugouzai, {{G::Hinmei, "x"}}), kindRow(E::Sijizai, {{G::Hinmei, "x"}}),
            kindRow(E::Unpanhi, {{G::Hinmei, "x"}}), kindRow(E::Fuzokuhin2, {{G::Hinmei, "x"}}),
            kindRow(E::Zatuzai, {{G::Hinmei, "x"}}), kindRow(E::Roumuhi1, {{G::Hinmei, "x"}}),
            kindRow(E::Roumuhi2, {{G::Hinmei, "x"}}), kindRow(E::Roumuhi3, {{G::Hinmei, "x"}}),
            kindRow(E::Roumuhi4, {{G::Hinmei, "x"}}),
            kindRow(E::Syoukei, {{G::Hinmei, "K"}})};
}

TEST_F(SettingsCommands, CancelAtTheConfirmationPutsRecordAndFileBack) {
    build({labourPostingItem()}, '0');
    const std::string fileBefore = fileBytes(setteiPath());
    const SetteiRecord recordBefore = doc->m_Settei;
    const auto rows = poolRows();
    backend.expectDialog([](DialogDriver& dd) { dd.click(CfukugouDialog::kFukugou).click(IDOK); },
                         CfukugouDialog::kDialogId);
    QueueKivAnswer(false);
    run(ID_FUKUGOU);
    EXPECT_EQ(KivRecordedQuestions(), (std::vector<std::string>{kAskIrreversible}));
    EXPECT_EQ(fileBytes(setteiPath()), fileBefore);
    EXPECT_EQ(doc->m_Settei, recordBefore);
    EXPECT_EQ(doc->m_SetteiValues.SekisanYousiki, 0);
    EXPECT_EQ(poolRows(), rows);
    EXPECT_EQ(kiv::grid::StatusPaneText(kiv::grid::kPaneStyle), "労務費を計上して積算");
}

TEST_F(SettingsCommands, ToCompositeAndBackDeletesAndInsertsComputedRows) {
    build({labourPostingItem()}, '0');
    writeTemplates();
    backend.expectDialog([](DialogDriver& dd) { dd.click(CfukugouDialog::kFukugou).click(IDOK); },
                         CfukugouDialog::kDialogId);
    QueueKivAnswer(true);
    run(ID_FUKUGOU);
    EXPECT_EQ(messagesWith("内訳作成が複合単価計算モードに設定されました。"), 1);
    EXPECT_EQ(itemRows(1), (std::vector<std::string>{"A", "B", "S", "K"}));
    EXPECT_EQ(doc->m_SetteiValues.SekisanYousiki, 1);
    EXPECT_EQ(fileBytes(setteiPath())[SetteiRecord::SekisanYousikiPos], '1');
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(kiv::grid::StatusPaneText(kiv::grid::kPaneStyle), "複合単価で積算");
    EXPECT_EQ(kiv::grid::StatusPaneText(kiv::grid::kPaneRounding), "複合単価を補償用に設定");
    EXPECT_EQ(kiv::grid::StatusPaneText(kiv::grid::kPaneRoumuFile), "複合単価労務費は 労務単価.rab を使用");

    // Back to labour posting: the rows the run needs come from the templates.
    ClearKivPrompts();
    backend.expectDialog([](DialogDriver& dd) { dd.click(CfukugouDialog::kFukugou).click(IDOK); },
                         CfukugouDialog::kDialogId);
    QueueKivAnswer(true);
    run(ID_FUKUGOU);
    EXPECT_EQ(messagesWith("マスターファイルの計算分類の２行目を追加入力します。"), 1);
    EXPECT_EQ(messagesWith("内訳書の計が細目計・小計分類の場合有効です。"), 0);
    EXPECT_EQ(itemRows(1), (std::vector<std::string>{"A", "T0", "B", "T4", "S", "K"}));
    EXPECT_EQ(kiv::grid::StatusPaneText(kiv::grid::kPaneStyle), "労務費を計上して積算");
    std::string blanks21, blanks11;
    for (int i = 0; i < 21; ++i)
        blanks21 += "　";
    for (int i = 0; i < 11; ++i)
        blanks11 += "　";
    EXPECT_EQ(kiv::grid::StatusPaneText(kiv::grid::kPaneRoumuFile), blanks21);
    EXPECT_EQ(kiv::grid::StatusPaneText(kiv::grid::kPaneRounding), blanks11);
}

TEST_F(SettingsCommands, KeepingTheRowsStillRecalculates) {
    build({labourPostingItem()}, '0');
    const auto before = itemRows(1);
    backend.expectDialog(
        [](DialogDriver& dd) { dd.click(CfukugouDialog::kFukugou).click(CfukugouDialog::kNokosu).click(IDOK); },
        CfukugouDialog::kDialogId);
    QueueKivAnswer(true);
    run(ID_FUKUGOU);
    EXPECT_EQ(itemRows(1), before);
    EXPECT_EQ(doc->m_SetteiValues.SekisanYousiki, 1);
    // Recalculated in the composite style: the 継手 row's lump sum lives in the composite price.
    EXPECT_EQ(at(3, G::Kingaku1), "");
    EXPECT_EQ(at(1, G::Kingaku1), "2200");
}

TEST_F(SettingsCommands, StyleMenuCommandsRefuseTheStyleAlreadySet) {
    build(threeItems(), '0');
    run(ID_ROUMU_YOUSHIKI);
    EXPECT_EQ(messages(), (std::vector<std::string>{"労務費計上積算モードに設定されています。"}));
    ClearKivPrompts();
    setByte(doc->m_Settei, SetteiRecord::SekisanYousikiPos, '1');
    doc->ParseSettei();
    run(ID_FUKUGOU_YOUSHIKI);
    EXPECT_EQ(messages(), (std::vector<std::string>{"複合単価積算モード設定されています。"}));

    // A stored "2" reads as the labour-posting style: 複合単価様式に変更 opens its dialog.
    ClearKivPrompts();
    setByte(doc->m_Settei, SetteiRecord::SekisanYousikiPos, '2');
    doc->ParseSettei();
    backend.expectDialog([](DialogDriver& dd) { dd.click(IDCANCEL); }, CfukugouDialog::kDialogId);
    run(ID_FUKUGOU_YOUSHIKI);
    EXPECT_EQ(doc->m_Settei.byte(SetteiRecord::SekisanYousikiPos), '2');
}

TEST_F(SettingsCommands, LabourPostingMenuCommandInsertsAndRecalculatesTwice) {
    // From composite: rows needing 継手 and 労務費1, then 小計.
    build({{named("A", priced("8", "", {{G::Roumu1No, "18"}, {G::Bukake1, "0.25"}})),
            named("B", priced("8", "", {{G::Roumu1No, "18"}, {G::Bukake1, "0.25"}})), named("K", kindRow(E::Syoukei))}},
          '1');
    writeTemplates();
    recordItemOrder();
    backend.expectDialog([](DialogDriver& dd) { dd.click(CfukugouDialog::kFukugou).click(IDOK); },
                         CfukugouDialog::kDialogId);
    QueueKivAnswer(true);
    run(ID_ROUMU_YOUSHIKI);
    EXPECT_EQ(messagesWith("内訳書の計が細目計・小計分類の場合有効です。"), 1);
    EXPECT_EQ(order(), (std::vector<int>{1, 1}));
    EXPECT_EQ(itemRows(1), (std::vector<std::string>{"A", "B", "T7", "K"}));
    EXPECT_EQ(raw(3, G::HiroidasiSuu1), "    4.00");
    EXPECT_EQ(raw(3, G::SekisanSuu1), "    4.00");
    EXPECT_EQ(raw(3, G::Kingaku1), "       60000");
    EXPECT_EQ(messagesWith(kMsgSummary), 0);
}

// ---------------------------------------------------------------------------------------------
// Placement of inserted rows

struct PlacementCase {
    const char* name;
    std::vector<Fields> rows;
    std::vector<std::string> expected;
    std::vector<std::pair<int, std::string>> amounts = {};   // 金額1 of rows after the recalculation
};

Fields r(int n, Fields more = {}) { return named("r" + std::to_string(n), std::move(more)); }

TEST_F(SettingsCommands, InsertedRowsGoWhereTheirRunNeedsThem) {
    const Fields joint{{G::TugiteRitu, "0.02"}};
    const Fields jointLabour{{G::TugiteRitu, "0.02"}, {G::Roumu1No, "18"}, {G::Bukake1, "0.1"}};
    std::vector<PlacementCase> cases;
    {
        std::vector<Fields> rows;
        for (int n = 1; n <= 9; ++n)
            rows.push_back(r(n, jointLabour));
        rows.push_back(r(10, kindRow(E::Syoukei)));
        cases.push_back({"joint and labour before the subtotal", rows,
                         {"r1", "r2", "r3", "r4", "r5", "r6", "r7", "r8", "r9", "T0", "T7", "r10"}});
    }
    cases.push_back({"no total",
                     {r(1), r(2), r(3, {{G::TugiteRitu, "0.1"}, {G::SijiRitu, "0.1"}}), r(4), r(5, joint), r(6)},
                     {"r1", "r2", "r3", "T2", "r4", "r5", "T0", "r6"}});
    cases.push_back({"three trades",
                     {r(1, {{G::Roumu1No, "18"}, {G::Bukake1, "0.1"}}), r(2, {{G::Roumu1No, "32"}, {G::Bukake1, "0.1"}}),
                      r(3, {{G::Roumu1No, "8"}, {G::Bukake1, "0.1"}}), r(4, kindRow(E::Syoukei))},
                     {"r1", "r2", "r3", "T7", "T9", "T8", "r4"}});
    cases.push_back({"two runs",
                     {r(1, priced("4", "2500", joint)), r(2, priced("4", "2500", joint)), r(3, kindRow(E::Syoukei)),
                      r(4, priced("4", "2500", joint)), r(5, priced("4", "2500", joint)), r(6, kindRow(E::Tyuukei))},
                     {"r1", "r2", "T0", "r3", "r4", "r5", "T0", "r6"},
                     // Each run's 継手 row takes its own run: 4 x 2500 x 2 x 0.02 = 400.
                     {{3, "         400"}, {7, "         400"}}});
    cases.push_back({"general labour ignores item subtotals",
                     {r(1, {{G::Roumu2No, "2"}, {G::Bukake2, "0.1"}}), r(2, kindRow(E::KoumokunaiKei)), r(3),
                      r(4, kindRow(E::Syoukei))},
                     {"r1", "r2", "r3", "T10", "r4"}});
    for (const PlacementCase& c : cases) {
        SCOPED_TRACE(c.name);
        build({c.rows}, '0');
        writeTemplates();
        ASSERT_TRUE(view->InsertKeisanGyou());
        EXPECT_EQ(itemRows(1), c.expected);
        EXPECT_TRUE(messages().empty());
        // Converted: the check after loading finds nothing missing and asks nothing.
        view->CheckKeisanMode();
        EXPECT_TRUE(KivRecordedQuestions().empty());
        EXPECT_TRUE(messages().empty());
        toItem(1);
        for (const auto& [gyou, amount] : c.amounts)
            EXPECT_EQ(raw(gyou, G::Kingaku1), amount) << gyou;
    }
}

TEST_F(SettingsCommands, ALabourRowIsComputedFromItsTemplateInBothModes) {
    for (const char* mode : {"1", "3"}) {
        SCOPED_TRACE(mode);
        const Fields worker = priced("8", "", {{G::Roumu1No, "18"}, {G::Bukake1, "0.25"}});
        build({{r(1, worker), r(2, worker), r(3, kindRow(E::Syoukei))}}, '0');
        setByte(doc->m_Settei, SetteiRecord::FukugouMarumePos, mode[0]);
        doc->ParseSettei();
        writeTemplates();
        QueueKivAnswer(true);
        view->CheckKeisanMode();
        EXPECT_EQ(KivRecordedQuestions().size(), 1u);
        toItem(1);
        ASSERT_EQ(itemRows(1), (std::vector<std::string>{"r1", "r2", "T7", "r3"}));
        EXPECT_EQ(raw(3, G::HiroidasiSuu1), "    4.00");
        EXPECT_EQ(raw(3, G::SekisanSuu1), "    4.00");
        EXPECT_EQ(raw(3, G::Kingaku1), "       60000");
    }
}

TEST_F(SettingsCommands, AKindWithoutCodeOrTemplateIsLeftOutAndNamedOnce) {
    struct Case {
        const char* name;
        bool template_;   // the master holds the 継手 template
        bool code;        // the settings give 継手材計算 a code
    };
    const Case cases[] = {{"no template", false, true}, {"no code", true, false}, {"neither", false, false}};
    const Fields joint = priced("4", "2500", {{G::TugiteRitu, "0.02"}, {G::SijiRitu, "0.01"}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        build({{r(1, joint), r(2, joint), r(3, kindRow(E::Syoukei))}, {r(1, joint), r(2, kindRow(E::Syoukei))}}, '0');
        if (!c.code)
            doc->m_SetteiValues.codes[static_cast<std::size_t>(E::Tugite)] = 0;
        writeTemplates(c.template_ ? std::nullopt : std::optional<E>(E::Tugite));
        // Opened, and opened again: each time the other kinds are there and no row of the
        // missing kind is made up.
        for (int open = 0; open < 2; ++open) {
            SCOPED_TRACE(open);
            ClearKivPrompts();
            QueueKivAnswer(true);
            view->CheckKeisanMode();
            EXPECT_EQ(itemRows(1), (std::vector<std::string>{"r1", "r2", "T2", "r3"}));
            EXPECT_EQ(itemRows(2), (std::vector<std::string>{"r1", "T2", "r2"}));
            EXPECT_EQ(messagesWith("継手材計算"), 1);
            EXPECT_EQ(messages().size(), 1u);
        }
    }
}

TEST_F(SettingsCommands, OpeningAnEstimateLackingRowsShowsOneBoxBesideTheQuestion) {
    // Two 小計 rows without a 中計 in each item (the item's own message), rows needing joints
    // and none there (the question, then the summary warning after Cancel).
    const Fields joint = priced("4", "2500", {{G::TugiteRitu, "0.02"}});
    build({{r(1, joint), r(2, kindRow(E::Syoukei)), r(3, joint), r(4, kindRow(E::Syoukei))},
           {r(1, joint), r(2, kindRow(E::Syoukei)), r(3, joint), r(4, kindRow(E::Syoukei))}},
          '0');
    writeTemplates();
    const std::string path = (exeDir / "lacking.KIV").string();
    ASSERT_TRUE(doc->OnSaveDocument(path));
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        ClearKivPrompts();
        QueueKivAnswer(ok);
        ASSERT_TRUE(doc->OnOpenDocument(path));
        // The item list the window then fills needs no second pass over the items.
        view->RebuildKoumokuList();
        EXPECT_EQ(KivRecordedQuestions().size(), 1u);
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_NE(messages()[0].find("小計分類が２ヵ所以上"), std::string::npos) << messages()[0];
        EXPECT_EQ(messages()[0].find(kMsgSummary) != std::string::npos, !ok) << messages()[0];
    }
}

// ---------------------------------------------------------------------------------------------
// Failures leave everything as it was

TEST_F(SettingsCommands, AMasterThatCannotServeChangesNothing) {
    std::string longMaster;
    {
        kiv::archive::ArchiveWriter w;
        w.writeInt32(30001);
        for (int i = 0; i < 30001; ++i)
            w.writeString(masterRow(code(E::Tugite), 2));
        longMaster = w.bytes();
    }
    struct Case {
        const char* name;
        std::function<void()> master;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"missing", [&] { std::filesystem::remove(masterPath()); }, "がありません。"},
        {"old layout", [&] { writeMaster({masterRow(code(E::Tugite), 2).substr(0, 1252)}); }, kMstOldLayoutMessage},
        {"cut",
         [&] {
             writeTemplates();
             const std::string bytes = fileBytes(masterPath());
             ASSERT_TRUE(kiv::files::writeFileAtomically(masterPath(), bytes.substr(0, bytes.size() - 10)));
         },
         "途中で切れています。"},
        {"30,001 rows", [&] { ASSERT_TRUE(kiv::files::writeFileAtomically(masterPath(), longMaster)); }, "30000行"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        build({{r(1, priced("4", "2500", {{G::TugiteRitu, "0.02"}})), kindRow(E::Tugite), r(2, kindRow(E::Syoukei))}},
              '1');
        c.master();
        const auto rows = poolRows();
        const std::string fileBefore = fileBytes(setteiPath());
        backend.expectDialog([](DialogDriver& dd) { dd.click(CfukugouDialog::kFukugou).click(IDOK); },
                             CfukugouDialog::kDialogId);
        QueueKivAnswer(true);
        run(ID_ROUMU_YOUSHIKI);
        EXPECT_EQ(messagesWith(c.message), 1);
        EXPECT_EQ(poolRows(), rows);
        EXPECT_EQ(fileBytes(setteiPath()), fileBefore);
        EXPECT_EQ(doc->m_SetteiValues.SekisanYousiki, 1);
        EXPECT_FALSE(doc->IsModified());
    }
}

TEST_F(SettingsCommands, ATradeMismatchEndsTheItemsScan) {
    build({{r(1, priced("1", "100", {{G::TugiteRitu, "0.1"}})), r(2, {{G::Roumu2No, "8"}, {G::Bukake2, "0.1"}}),
            r(3, {{G::ZatuzaiRitu, "0.1"}}), r(4, kindRow(E::Syoukei))},
           {r(1, {{G::Roumu1No, "18"}, {G::Bukake1, "0.1"}}), r(2, kindRow(E::Syoukei))}},
          '0');
    labour({{18, "電工", "17000"}, {8, "配管工", "19000"}});
    writeTemplates();
    ASSERT_TRUE(view->InsertKeisanGyou());
    // Line 2 of row 2 carries 8: the line-2 wording; rows 2 and below are not asked.
    EXPECT_EQ(messagesWith("複合労務単価の登録番8と電工が一致していません。訂正してください。"), 1);
    EXPECT_EQ(itemRows(1), (std::vector<std::string>{"r1", "T0", "r2", "r3", "r4"}));
    // Entry 18 is 電工: the item whose row carries 18 gets the message and no labour row.
    EXPECT_EQ(messagesWith("複合労務単価の登録番号18と配管工が一致していません。訂正してください。"), 1);
    EXPECT_EQ(itemRows(2), (std::vector<std::string>{"r1", "r2"}));
}

TEST_F(SettingsCommands, NoRoomForTheInsertedRowsChangesNothing) {
    std::vector<Fields> rows;
    for (int n = 1; n <= 9999; ++n)
        rows.push_back({{G::TugiteRitu, "0.1"}});
    build({rows}, '0');
    writeTemplates();
    const auto before = poolRows();
    EXPECT_FALSE(view->InsertKeisanGyou());
    EXPECT_EQ(messagesWith(CKivDoc::kMsgKoumokuFull), 1);
    EXPECT_EQ(poolRows(), before);
}

// ---------------------------------------------------------------------------------------------
// The style check

TEST_F(SettingsCommands, StyleCheckAsksOnlyWhenRowsAreMissing) {
    const std::vector<Fields> lacking{r(1, priced("4", "2500", {{G::TugiteRitu, "0.02"}})), r(2, kindRow(E::Syoukei))};
    // Complete: silent.
    build({{r(1, priced("4", "2500", {{G::TugiteRitu, "0.02"}})), kindRow(E::Tugite), r(2, kindRow(E::Syoukei))}}, '0');
    view->CheckKeisanMode();
    EXPECT_TRUE(KivRecordedQuestions().empty());
    EXPECT_TRUE(messages().empty());

    // Lacking, OK: inserted, no message follows.
    build({lacking}, '0');
    writeTemplates();
    QueueKivAnswer(true);
    view->CheckKeisanMode();
    ASSERT_EQ(KivRecordedQuestions().size(), 1u);
    EXPECT_EQ(KivRecordedQuestions()[0].rfind(kAskKeisanMode, 0), 0u);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(itemRows(1), (std::vector<std::string>{"r1", "T0", "r2"}));
    EXPECT_TRUE(doc->IsModified());

    // Lacking, Cancel (here through the hook the labour dialog's 登録 calls): unchanged, the
    // summary warning once.
    build({lacking}, '0');
    QueueKivAnswer(false);
    RunCheckKeisanMode(*doc);
    EXPECT_EQ(KivRecordedQuestions().size(), 1u);
    EXPECT_EQ(itemRows(1), (std::vector<std::string>{"r1", "r2"}));
    EXPECT_EQ(messagesWith(kMsgSummary), 1);

    // Converted while it was opened: the estimate stays modified; declined: it does not.
    build({lacking}, '0');
    const std::string path = (exeDir / "lacking.KIV").string();
    ASSERT_TRUE(doc->OnSaveDocument(path));
    ClearKivPrompts();
    QueueKivAnswer(true);
    ASSERT_TRUE(doc->OnOpenDocument(path));
    EXPECT_EQ(itemRows(1), (std::vector<std::string>{"r1", "T0", "r2"}));
    EXPECT_TRUE(doc->IsModified());
    QueueKivAnswer(false);
    ASSERT_TRUE(doc->OnOpenDocument(path));
    EXPECT_EQ(itemRows(1), (std::vector<std::string>{"r1", "r2"}));
    EXPECT_FALSE(doc->IsModified());

    // Composite: no question.
    build({lacking}, '1');
    view->CheckKeisanMode();
    EXPECT_TRUE(KivRecordedQuestions().empty());
    EXPECT_TRUE(messages().empty());
}

} // namespace
} // namespace kivtest
