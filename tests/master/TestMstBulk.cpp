// The master's bulk price and rate conversions, its CSV row mapping and its name search: the
// rules as tables, the commands driven through the master window on the headless backend.
#include <gtest/gtest.h>

#include <cstring>

#include "grid/TankaRewrite.h"
#include "master/MstBulk.h"
#include "master/MstRowCommands.h"
#include "master/MstCsvImport.h"
#include "master/MstDialogs.h"
#include "master/MstDoc.h"
#include "master/MstFind.h"
#include "master/MstFixture.h"
#include "master/MstView.h"
#include "grid/BlockSelect.h"
#include "grid/RowClipboard.h"
#include "grid/TankaDialogs.h"
#include "grid/TextreadDialog.h"
#include "platform/headless/DialogDriver.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/text/Number.h"
#include "pricing/BukakeDialog.h"
#include "pricing/BukakeRecord.h"
#include "pricing/BukakeSelectDialog.h"
#include "shell/MainFrame.h"
#include "shell/ShellFixture.h"

namespace kiv::test {
namespace {

using kivtest::mstLine;
using text::sj;
using G = GyouRecord;
using Driver = ui::headless::DialogDriver;

std::string field(const std::string& row, int f) { return std::string(G::raw(row, f)); }
std::string price(const char* text) {   // a price field holding `text` right-aligned
    std::string s(10, ' ');
    s.replace(10 - std::strlen(text), std::strlen(text), text);
    return s;
}

// ---------------------------------------------------------------------------------------------
// The rules

TEST(MstBulkRules, PriceRewriteMultipliesEverySixteenPricesOrLeavesTheRowWhole) {
    struct Case {
        const char* before;
        const char* factor;
        const char* after;   // nullptr: blank
    };
    const Case cases[] = {
        {"1234", "1.1", "1357"}, {"999", "1.1", "1098"}, {"-100", "1.1", "-110"}, {nullptr, "1.1", nullptr},
        {"1234", "0", nullptr},  {"1000", "1.1", "1100"}, {"1100", "1.1", "1210"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.before ? c.before : "blank") + " x " + c.factor);
        std::string row = G::blankRow();
        for (int f : kTankaFields)
            if (c.before)
                G::putNumber(row, f, c.before);
        ASSERT_TRUE(RewriteTankaFields(row, text::parseDecimal(c.factor)));
        for (int f : kTankaFields)
            EXPECT_EQ(field(row, f), c.after ? price(c.after) : std::string(10, ' ')) << "field " << f;
    }
    // One price too wide for its field: no price of the row changes.
    std::string row = G::blankRow();
    G::putNumber(row, G::Tanka1, "9999999999");
    G::putNumber(row, G::Zai7Tanka2, "1000");
    const std::string before = row;
    EXPECT_FALSE(RewriteTankaFields(row, text::parseDecimal("1.1")));
    EXPECT_EQ(row, before);
}

TEST(MstBulkRules, SonotaRatesAreNumbersWrittenRightAligned) {
    for (const char* ok : {"", "  ", "12", "3.5", "-1"})
        EXPECT_TRUE(IsSonotaRituText(ok)) << ok;
    for (const char* bad : {"1a", "x", "1.2.3"})
        EXPECT_FALSE(IsSonotaRituText(bad)) << bad;

    struct Case {
        const char* name;
        bool labour;   // the row has 歩掛１
        const char* ritu1;
        const char* ritu2;
        const char* sonota1;
        const char* sonota2;
    };
    const Case cases[] = {
        {"rates replaced", true, "12", "1.5", "  12", " 1.5"},
        {"empty clears", true, "12", "", "  12", "    "},
        {"no labour: only cleared", false, "12", "", " 3.5", "    "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string row = G::blankRow();
        G::putNumber(row, G::Sonota1Ritu, "3.5");
        G::putNumber(row, G::Sonota2Ritu, "2");
        if (c.labour)
            G::putNumber(row, G::Bukake1, "0.5");
        ApplySonotaRitu(row, c.ritu1, c.ritu2);
        EXPECT_EQ(field(row, G::Sonota1Ritu), c.sonota1);
        EXPECT_EQ(field(row, G::Sonota2Ritu), c.sonota2);
    }
}

TEST(MstBulkRules, SentRateIsSixCharacters) {
    CBukakeSelectDialog dlg;
    dlg.m_Bukake = 0.5;
    EXPECT_EQ(dlg.SentRateText(), " 0.500");
    dlg.m_Bukake = 123.456;
    EXPECT_EQ(dlg.SentRateText(), "123.45");
}

TEST(MstBulkRules, FindBlanksAndCharacterBoundaries) {
    EXPECT_EQ(RemoveFindBlanks(sj("ﾎﾞﾙﾄ M10")), sj("ﾎﾞﾙﾄM10"));
    EXPECT_EQ(RemoveFindBlanks(sj("　配管 用　")), sj("配管用"));
    // ＝ ends in the byte 0x81: with the @ after it the bytes hold 0x81 0x40, which is no blank.
    const std::string eqAt = sj("＝") + "@";
    EXPECT_EQ(RemoveFindBlanks(eqAt), eqAt);
    EXPECT_FALSE(ContainsOnCharBoundary(eqAt, sj("　")));
    EXPECT_TRUE(ContainsOnCharBoundary(sj("配管用炭素鋼"), sj("炭素")));
    EXPECT_TRUE(ContainsOnCharBoundary(sj("ABC"), ""));
}

// ---------------------------------------------------------------------------------------------
// CSV rows

class MstCsvRows : public ::testing::Test {
protected:
    MstCsvSettings s{"", {"01", "02", "03", "04", "05"}, 1};
    std::vector<std::string> rows;
    std::string message;
    bool convert(const std::string& text) { return MstCsvToGyou(text, s, rows, message); }
};

TEST_F(MstCsvRows, DefaultColumnsGiveNameSpecUnitAndPrice) {
    ASSERT_TRUE(convert(sj("ﾎﾞﾙﾄ,M10,5,本,120,600\r\n")));
    ASSERT_EQ(rows.size(), 1u);
    const std::string& r = rows[0];
    EXPECT_EQ(r.size(), 1400u);
    EXPECT_EQ(G::text(r, G::Hinmei), sj("ﾎﾞﾙﾄ"));
    EXPECT_EQ(G::text(r, G::Kikaku), "M10");
    EXPECT_EQ(r.substr(static_cast<std::size_t>(G::layout(G::Tanni).Offset), 4), sj("本") + "  ");
    EXPECT_EQ(field(r, G::Tanka1), price("120"));
    EXPECT_EQ(G::text(r, G::Zai1Hinmei), sj("ﾎﾞﾙﾄ"));
    EXPECT_EQ(G::text(r, G::Zai1Kikaku), "M10");
    EXPECT_EQ(G::text(r, G::Zai1Tanni), sj("本"));
    // Unpriced, unkeyed, no quantity.
    EXPECT_TRUE(G::isBlank(r, G::KoumokuNo));
    EXPECT_TRUE(G::isBlank(r, G::HiroidasiSuu1));
    EXPECT_TRUE(G::isBlank(r, G::FukugouTanka1));

    s.WriteSyousai = 0;
    ASSERT_TRUE(convert("a,b,1,m,2\n"));
    EXPECT_TRUE(G::isBlank(rows[0], G::Zai1Hinmei));
}

TEST_F(MstCsvRows, PriceColumn) {
    struct Case {
        const char* line;
        const char* tanka;   // nullptr: blank
    };
    const Case cases[] = {
        {"a,b,1,m,\"1,200\",x", "1200"},
        {"a,b,1,m,300", "300"},              // the line's last column
        {"品名,規格,数量,単位,単価", nullptr},   // a header
        {"a,b,1,m,0,x", nullptr},
        {"a,b,1,m,,x", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        ASSERT_TRUE(convert(sj(c.line))) << message;
        EXPECT_EQ(field(rows[0], G::Tanka1), c.tanka ? price(c.tanka) : std::string(10, ' '));
    }
    // A UTF-8 file's "5000円" and half a double-byte character: the stop message, not a crash.
    for (const char* bad : {"a,b,1,m,12abc", "a,b,1,m,12345678901", "a,b,1,m,5000円", "a,b,1,m,12\x81"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(convert(std::string("x,y,1,m,5\r\n") + bad + "\r\n"));
        EXPECT_NE(message.find("2行目の単価"), std::string::npos) << message;
        EXPECT_TRUE(rows.empty());
    }
}

TEST_F(MstCsvRows, LinesAndLimits) {
    ASSERT_TRUE(convert("a\r\nb\r\nc\r\n"));
    EXPECT_EQ(rows.size(), 3u);   // every data line is a row

    // A 40-byte name whose double-byte character straddles byte 30 keeps 29 bytes and a blank.
    const std::string name = std::string(29, 'A') + sj("あ") + std::string(9, 'B');
    ASSERT_TRUE(convert(name + ",x\r\n"));
    EXPECT_EQ(field(rows[0], G::Hinmei), std::string(29, 'A') + " ");

    std::string lines;
    for (int i = 0; i < 999; ++i)
        lines += "n" + std::to_string(i) + ",s,1,m,10\r\n";
    ASSERT_TRUE(convert(lines));
    EXPECT_EQ(rows.size(), 999u);
    EXPECT_FALSE(convert(lines + "last,s,1,m,10\r\n"));
    EXPECT_EQ(message, "データ-の行数が1000を超えました。読み込みを中止します。");

    s.Path = "nowhere.csv";
    EXPECT_FALSE(ReadMstCsvFile(s, rows, message));
    EXPECT_EQ(message, "nowhere.csvファイルが存在しません。読み込みを中止します。");
}

// ---------------------------------------------------------------------------------------------
// The commands in the master window

class MstBulkTest : public ShellTest {
protected:
    MstDoc* doc = nullptr;
    CMstView* grid = nullptr;

    void SetUp() override {
        ShellTest::SetUp();
        ASSERT_EQ(start("1"), 0);
    }
    void openRows(const std::vector<std::string>& rows) {
        const auto path = data / "m.MST";
        ASSERT_TRUE(files::writeFileAtomically(path, WriteMstFile(rows)));
        app->OpenFile(path);
        hb().processPending();
        doc = g_pMstDoc;
        grid = g_pMstView;
        ASSERT_NE(doc, nullptr);
        ASSERT_NE(grid, nullptr);
    }
    // Line `gyou` of category `bun` as the master holds it.
    std::string line(int bun, int gyou) {
        doc->StoreKoumokuGyou();
        for (int j = 0; j < doc->PoolGyouCount(); ++j) {
            const std::string& r = doc->PoolGyou(j);
            if (doc->KoumokuOfSlot(j) == bun && G::toInt(r, G::GyouNo) == gyou)
                return r;
        }
        return {};
    }
    // Double clicks on the labels of categories `buns` in 分類選択.
    static void doubleClickBuns(Driver& dd, std::initializer_list<int> buns) {
        ui::TreeView* t = dd.dialog().tree(CMbunSerectDialog::kTree);
        ASSERT_NE(t, nullptr);
        for (int bun : buns) {
            ui::TreeItem item = t->childItem(t->rootItem());
            for (int k = 1; k < bun && item; ++k)
                item = t->nextSiblingItem(item);
            ASSERT_NE(item, 0);
            t->selectItem(item);
            dd.dialog().userDoubleClick(CMbunSerectDialog::kTree);
        }
    }
    // Eight categories; category 1 and 2 hold the prices of the cases.
    static std::vector<std::string> priced() {
        std::vector<std::string> rows = {
            mstLine(1, 1, {{G::Hinmei, "管"}, {G::Tanka1, "1234"}, {G::Tanka2, "999"}}),
            mstLine(1, 2, {{G::Hinmei, "継手"}, {G::Tanka1, "-100"}}),
            mstLine(2, 1, {{G::Hinmei, "高価"}, {G::Tanka1, "9999999999"}, {G::Zai1Tanka1, "1000"}}),
            mstLine(2, 2, {{G::Hinmei, "弁"}, {G::Tanka1, "500"}}),
        };
        for (int bun = 3; bun <= 8; ++bun)
            rows.push_back(mstLine(bun, 1, {{G::Hinmei, "品" + std::to_string(bun)}, {G::Tanka1, "100"}}));
        return rows;
    }
};

TEST_F(MstBulkTest, TankaHenkanOverTypedRangeConvertsRecalculatesAndReportsTooWideRows) {
    openRows(priced());
    hb().expectMessageBox(ui::IDOK, "分類毎に単価を変換、削除します。");
    hb().expectDialog([](Driver& dd) { dd.type(CMbunSerectDialog::kBunFrom, "1").type(CMbunSerectDialog::kBunTo, "2").click(ui::IDOK); },
                      CMbunSerectDialog::kDialogId);
    hb().expectDialog(
        [](Driver& dd) {
            EXPECT_EQ(dd.text(CMtankaHenkanDialog::kBunFrom), "1");
            EXPECT_EQ(dd.text(CMtankaHenkanDialog::kBunTo), "2");
            dd.type(CMtankaHenkanDialog::kKakeritu, "1.1").click(ui::IDOK);
        },
        CMtankaHenkanDialog::kDialogId);
    hb().expectMessageBox(ui::IDOK, "実行すると元には戻りません。");
    hb().expectMessageBox(ui::IDOK, "10桁を越えるため変換しなかった行が1行あります。最初は分類0002の1行目です。");
    ASSERT_TRUE(grid->onCommand(ID_TANKA_HENKAN));
    EXPECT_EQ(hb().pendingAnswers(), 0u);
    EXPECT_EQ(g_MstTankaHenkanBusy, 0);
    EXPECT_EQ(field(line(1, 1), G::Tanka1), price("1357"));
    EXPECT_EQ(field(line(1, 1), G::Tanka2), price("1098"));
    EXPECT_EQ(field(line(1, 2), G::Tanka1), price("-110"));
    EXPECT_EQ(field(line(2, 1), G::Tanka1), price("9999999999"));
    EXPECT_EQ(field(line(2, 1), G::Zai1Tanka1), price("1000"));
    EXPECT_EQ(field(line(2, 2), G::Tanka1), price("550"));
    EXPECT_EQ(field(line(3, 1), G::Tanka1), price("100"));
    // The cursor is back on category 1.
    EXPECT_EQ(doc->m_CurKoumoku[0], 1);
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(MstBulkTest, TankaHenkanDeclinedOrCancelledChangesNothing) {
    openRows(priced());
    // Cancel at the question: category 1 alone is offered; the final question is declined.
    hb().expectMessageBox(ui::IDCANCEL, "分類毎に単価を変換、削除します。");
    hb().expectDialog(
        [](Driver& dd) {
            EXPECT_EQ(dd.text(CMtankaHenkanDialog::kBunTo), "1");
            dd.type(CMtankaHenkanDialog::kKakeritu, "0").click(ui::IDOK);
        },
        CMtankaHenkanDialog::kDialogId);
    hb().expectMessageBox(ui::IDCANCEL, "実行すると元には戻りません。");
    ASSERT_TRUE(grid->onCommand(ID_TANKA_HENKAN));
    EXPECT_EQ(hb().pendingAnswers(), 0u);
    EXPECT_EQ(g_MstTankaHenkanBusy, 0);
    EXPECT_EQ(field(line(1, 1), G::Tanka1), price("1234"));
    EXPECT_FALSE(doc->IsModified());

    // Factor 0 over category 1 deletes its prices.
    hb().expectMessageBox(ui::IDCANCEL);
    hb().expectDialog([](Driver& dd) { dd.type(CMtankaHenkanDialog::kKakeritu, "0").click(ui::IDOK); });
    hb().expectMessageBox(ui::IDOK);
    ASSERT_TRUE(grid->onCommand(ID_TANKA_HENKAN));
    EXPECT_TRUE(G::isBlank(line(1, 1), G::Tanka1));
    EXPECT_TRUE(G::isBlank(line(1, 1), G::Tanka2));
    EXPECT_EQ(field(line(2, 2), G::Tanka1), price("500"));
}

TEST_F(MstBulkTest, BunSelectTakesDoubleClicksAndValidatesTypedNumbers) {
    openRows(priced());
    // Double clicks on 3, 7, 5 give 3..5, shown preset in その他一括変換 (cancelled there).
    hb().expectMessageBox(ui::IDOK, "分類毎にその他を変換します。");
    hb().expectDialog([](Driver& dd) { doubleClickBuns(dd, {3, 7, 5}); dd.click(ui::IDOK); },
                      CMbunSerectDialog::kDialogId);
    hb().expectDialog(
        [](Driver& dd) {
            EXPECT_EQ(dd.text(CMsonotahenkanDialog::kBunFrom), "3");
            EXPECT_EQ(dd.text(CMsonotahenkanDialog::kBunTo), "5");
            dd.click(ui::IDCANCEL);
        },
        CMsonotahenkanDialog::kDialogId);
    ASSERT_TRUE(grid->onCommand(ID_SONOTA_HENKAN));
    EXPECT_EQ(doc->m_BunFrom, 3);
    EXPECT_EQ(doc->m_BunTo, 5);

    // A category past the last (8) keeps the dialog open; 2 and 4 typed then give 2..4.
    hb().expectMessageBox(ui::IDOK);
    hb().expectDialog(
        [](Driver& dd) {
            dd.type(CMbunSerectDialog::kBunFrom, "2").type(CMbunSerectDialog::kBunTo, "9").click(ui::IDOK);
            EXPECT_FALSE(dd.ended());
            dd.type(CMbunSerectDialog::kBunTo, "4").click(ui::IDOK);
            EXPECT_TRUE(dd.ended());
        },
        CMbunSerectDialog::kDialogId);
    hb().expectMessageBox(ui::IDOK);   // the range message of the exchange
    hb().expectDialog([](Driver& dd) { dd.click(ui::IDCANCEL); }, CMsonotahenkanDialog::kDialogId);
    ASSERT_TRUE(grid->onCommand(ID_SONOTA_HENKAN));
    EXPECT_EQ(doc->m_BunFrom, 2);
    EXPECT_EQ(doc->m_BunTo, 4);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(MstBulkTest, SonotaHenkanWritesRatesAndRefusesText) {
    std::vector<std::string> rows = {
        mstLine(1, 1, {{G::Hinmei, "労務"}, {G::Bukake1, "0.5"}, {G::Sonota1Ritu, "3.5"}, {G::Sonota2Ritu, "2"}}),
        mstLine(1, 2, {{G::Hinmei, "材料"}, {G::Sonota1Ritu, "3.5"}, {G::Sonota2Ritu, "2"}}),
        mstLine(2, 1, {{G::Hinmei, "他"}, {G::ZatuzaiRitu, "5"}, {G::Sonota1Ritu, "1"}}),
    };
    openRows(rows);
    const auto run = [&](const char* r1, const char* r2, bool valid) {
        hb().expectMessageBox(ui::IDOK);
        hb().expectDialog([](Driver& dd) { dd.type(CMbunSerectDialog::kBunTo, "2").click(ui::IDOK); });
        hb().expectDialog([=](Driver& dd) {
            dd.type(CMsonotahenkanDialog::kSonota1Ritu, r1).type(CMsonotahenkanDialog::kSonota2Ritu, r2).click(ui::IDOK);
        });
        hb().expectMessageBox(ui::IDOK, valid ? "実行すると元には戻りません。" : "その他率は数値で入力してください。");
        ASSERT_TRUE(grid->onCommand(ID_SONOTA_HENKAN));
        EXPECT_EQ(hb().pendingAnswers(), 0u);
    };
    run("1a", "", false);
    EXPECT_EQ(field(line(1, 1), G::Sonota1Ritu), " 3.5");
    EXPECT_FALSE(doc->IsModified());

    run("12", "", true);
    EXPECT_EQ(field(line(1, 1), G::Sonota1Ritu), "  12");
    EXPECT_EQ(field(line(1, 1), G::Sonota2Ritu), "    ");
    EXPECT_EQ(field(line(1, 2), G::Sonota1Ritu), " 3.5");   // no labour, no 雑材: kept
    EXPECT_EQ(field(line(1, 2), G::Sonota2Ritu), "    ");   // but cleared
    EXPECT_EQ(field(line(2, 1), G::Sonota1Ritu), "  12");
}

TEST_F(MstBulkTest, OldDenkiMasterAsksTwiceAndMarksTheMasterModified) {
    openRows(priced());
    hb().expectMessageBox(ui::IDOK, "電気KivのマスターファイルをKiv用に変換します。");
    hb().expectMessageBox(ui::IDCANCEL, "実行すると元には戻りません。");
    ASSERT_TRUE(grid->onCommand(ID_OLD_DENKI_MASTER));
    EXPECT_FALSE(doc->IsModified());
    hb().expectMessageBox(ui::IDOK);
    hb().expectMessageBox(ui::IDOK);
    ASSERT_TRUE(grid->onCommand(ID_OLD_DENKI_MASTER));
    EXPECT_EQ(hb().pendingAnswers(), 0u);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(grid->m_CurField[0], CMstView::m_FirstField);
}

TEST_F(MstBulkTest, FindWalksTheCategoriesAndReportsTheEnd) {
    openRows({
        mstLine(1, 1, {{G::Hinmei, "管"}}),
        mstLine(1, 2, {{G::Hinmei, "ﾎﾞﾙﾄ"}, {G::Kikaku, "M10"}}),
        mstLine(2, 1, {{G::Hinmei, "ﾎﾞﾙﾄ"}, {G::Kikaku, "M12"}}),
        mstLine(2, 2, {{G::Hinmei, "ﾅｯﾄ"}}),
    });
    // A right click on 品名 opens the dialog; a second one opens no other.
    grid->onRButtonDown(0, {});
    ui::FindDialog* f = main().findDialog();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(g_pMstFindView, grid);
    grid->onRButtonDown(0, {});
    EXPECT_EQ(main().findDialog(), f);

    // An edit of category 1 not yet written back is searched and kept.
    G::blank(grid->m_EditGyou, G::Kikaku);
    G::putText(grid->m_EditGyou, G::Kikaku, "EDIT");
    grid->StoreGyou();

    auto find = [&](const char* utf8) { main().onFindReplace({ui::FindReplaceEvent::FindNext, sj(utf8)}); };
    auto at = [&] { return std::pair{doc->m_CurKoumoku[0], doc->m_CurGyou[0]}; };
    find("ﾎﾞﾙﾄ M10");
    EXPECT_EQ(at(), std::pair(1, 2));
    EXPECT_EQ(doc->m_TopGyou[0], 1);
    EXPECT_EQ(doc->m_ScreenGyou[0], 1);
    EXPECT_EQ(grid->m_CurField[0], G::Hinmei);
    find("ﾎﾞﾙﾄ");   // a changed text starts from category 1 again
    EXPECT_EQ(at(), std::pair(1, 2));
    find("ﾎﾞﾙﾄ");   // the next one, past category 1's last row
    EXPECT_EQ(at(), std::pair(2, 1));
    hb().expectMessageBox(ui::IDOK, "終了まで検索しましたが該当しませんでした。");
    hb().expectMessageBox(ui::IDOK, "終了まで検索しましたが該当しませんでした。");
    find("ﾎﾞﾙﾄ");
    find("ﾎﾞﾙﾄ");
    EXPECT_EQ(at(), std::pair(2, 1));   // the last hit stays
    find("EDIT");
    EXPECT_EQ(at(), std::pair(1, 1));
    EXPECT_EQ(hb().pendingAnswers(), 0u);

    // The dialog closes with the master's window.
    hb().expectMessageBox(ui::IDNO);
    hb().sendCommand(ui::cmd::FileClose);
    hb().processPending();
    EXPECT_EQ(main().findDialog(), nullptr);
    EXPECT_EQ(g_pMstFindView, nullptr);
}

TEST_F(MstBulkTest, MasterFileSwitchOpensTheChosenMasterAsCurrent) {
    openRows(kivtest::threeCategories());
    MstDoc* first = doc;
    const auto other = data / "other.MST";
    ASSERT_TRUE(files::writeFileAtomically(other, WriteMstFile({mstLine(1, 1, {{G::Hinmei, "別"}})})));
    hb().expectFile(other);
    hb().sendCommand(32852);   // from the master window: the main frame handles it
    hb().processPending();
    EXPECT_EQ(profile().getString("Emaster_Section", "Emaster_Dat"), other.string());
    ASSERT_NE(g_pMstDoc, nullptr);
    EXPECT_NE(g_pMstDoc, first);
    EXPECT_EQ(g_pMstDoc->GetPathName(), other.string());
}

// The two range clicks of a range command: on rows `from` and `to` of the screen (no scrolling).
void pickRows(MstDoc& doc, CMstView& grid, int from, int to) {
    for (int r : {from, to}) {
        doc.m_CurGyou[0] = r;
        doc.m_ScreenGyou[0] = r;
        grid.LoadGyou();
        EXPECT_TRUE(grid.BlockSelectStep());
    }
}

std::vector<std::string> fivePriced() {
    std::vector<std::string> rows;
    for (int r = 1; r <= 5; ++r)
        rows.push_back(mstLine(1, r, {{G::Hinmei, "R" + std::to_string(r)}, {G::Tanka1, std::to_string(1000 * r)}}));
    return rows;
}

TEST_F(MstBulkTest, TankaCopyCollectsTheRangeForThePaste) {
    openRows(fivePriced());
    hb().expectMessageBox(ui::IDOK, "行単位でデーターをコピーします。");
    ASSERT_TRUE(grid->onCommand(ID_TANKA_COPY));
    hb().expectDialog([](Driver& dd) {
        EXPECT_EQ(dd.text(CTankaCopyDialog::kStartGyou), "3");
        EXPECT_EQ(dd.text(CTankaCopyDialog::kEndGyou), "5");
        dd.click(ui::IDOK);
    }, CTankaCopyDialog::kDialogId);
    hb().expectMessageBox(ui::IDOK, "コピー・移動したい場所にカーソルを移動して張り付けを押してください。");
    pickRows(*doc, *grid, 3, 5);
    EXPECT_EQ(hb().pendingAnswers(), 0u);
    EXPECT_EQ(g_MstRowClipboard.Kind, RowClipKind::TankaCopy);
    EXPECT_EQ(g_MstRowClipboard.Count, 3);
    EXPECT_TRUE(g_MstRowClipboard.Armed);
    EXPECT_EQ(g_MstBlockUndoReady, 1);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(G::text(g_MstRowClipboard.Rows[static_cast<std::size_t>(k)], G::Hinmei), "R" + std::to_string(k + 3));
    EXPECT_TRUE(g_MstRowClipboard.Rows[3].empty());

    // 貼り付け on row 1 lays the three prices over rows 1-3.
    doc->m_CurGyou[0] = 1;
    doc->m_ScreenGyou[0] = 1;
    grid->LoadGyou();
    ASSERT_TRUE(grid->onCommand(ui::cmd::EditPaste));
    EXPECT_EQ(field(line(1, 1), G::Tanka1), price("3000"));
    EXPECT_EQ(field(line(1, 3), G::Tanka1), price("5000"));
    EXPECT_EQ(G::text(line(1, 1), G::Hinmei), "R1");
}

TEST_F(MstBulkTest, GyouTankaHenkanMultipliesTheCurrentPricesEachTime) {
    openRows(fivePriced());
    for (const char* expected : {"1100", "1210"}) {
        SCOPED_TRACE(expected);
        hb().expectMessageBox(ui::IDOK, "行単位で単価を変換します。");
        ASSERT_TRUE(grid->onCommand(ID_GYOU_TANKA_HENKAN));
        hb().expectDialog([](Driver& dd) {
            EXPECT_EQ(dd.text(CGyouTankaHenkanDialog::kStartGyou), "1");
            dd.type(CGyouTankaHenkanDialog::kEndGyou, "1").type(CGyouTankaHenkanDialog::kKakeritu, "1.1").click(ui::IDOK);
        }, CGyouTankaHenkanDialog::kDialogId);
        hb().expectMessageBox(ui::IDOK, "実行した場合、１回のみ元に作業前に戻ります。");
        pickRows(*doc, *grid, 1, 2);
        EXPECT_EQ(hb().pendingAnswers(), 0u);
        EXPECT_EQ(field(line(1, 1), G::Tanka1), price(expected));
        EXPECT_EQ(field(line(1, 2), G::Tanka1), price("2000"));   // the dialog's range holds
        EXPECT_TRUE(G::isBlank(line(1, 1), G::Bikou2));             // no marker text
    }
    EXPECT_EQ(g_MstBlockUndoReady, 1);
    EXPECT_EQ(grid->m_CurField[0], CMstView::m_FirstField);
    // 元に戻す takes back the last conversion only.
    ASSERT_TRUE(grid->onCommand(ui::cmd::EditUndo));
    EXPECT_EQ(field(line(1, 1), G::Tanka1), price("1100"));
    EXPECT_EQ(field(line(1, 2), G::Tanka1), price("2000"));
    EXPECT_EQ(g_MstBlockUndoReady, 0);
}

TEST_F(MstBulkTest, CsvImportPastesEveryLineAtTheCursor) {
    openRows(fivePriced());
    const auto csvPath = data / "in.csv";
    ASSERT_TRUE(files::writeFileAtomically(csvPath, sj("ﾎﾞﾙﾄ,M10,5,本,120\r\nﾅｯﾄ,M10,5,個,30\r\n座金,M10,5,個,10\r\n")));
    const std::string before = grid->m_EditGyou;
    hb().expectDialog([&](Driver& dd) {
        EXPECT_EQ(dd.text(CTextreadDialog::kHinmeiColumn), "01");
        EXPECT_EQ(dd.dialog().getCount(CTextreadDialog::kHinmeiColumn), 8);
        EXPECT_EQ(dd.text(CTextreadDialog::kHinmeiColumn + 4), "05");
        dd.type(CTextreadDialog::kPath, csvPath.string()).click(ui::IDOK);
    }, CTextreadDialog::kDialogId);
    hb().expectMessageBox(ui::IDOK, "表計算ソフト等で作成したCSVファイルを読み込みします。");
    hb().expectMessageBox(ui::IDOK, "コピーしたい場所にカーソルを移動して張り付けかＣＴＲＬ＋Ｖキーを押してください。");
    ASSERT_TRUE(grid->onCommand(ID_MST_CSV_READ));
    EXPECT_EQ(hb().pendingAnswers(), 0u);
    EXPECT_EQ(grid->m_EditGyou, before);   // the line buffer is as it was
    EXPECT_EQ(doc->m_CurGyou[0], 1);

    ASSERT_TRUE(grid->onCommand(ui::cmd::EditPaste));
    EXPECT_EQ(doc->m_GyouCount, 8);
    EXPECT_EQ(G::text(line(1, 1), G::Hinmei), sj("ﾎﾞﾙﾄ"));
    EXPECT_EQ(field(line(1, 1), G::Tanka1), price("120"));
    EXPECT_EQ(G::text(line(1, 3), G::Hinmei), sj("座金"));
    EXPECT_EQ(G::text(line(1, 4), G::Hinmei), "R1");
}

TEST_F(MstBulkTest, BukakeSelectWritesTheSentRateIntoRate1Only) {
    ASSERT_TRUE(files::writeFileAtomically(exeDir / "分電盤.dat", BukakeRecord::format("1", sj("分電盤"), "", "2.5")));
    CBukakeDialog::s_LastBukakeNo.clear();
    openRows(fivePriced());
    const std::string before = line(1, 1);
    // 電気設備盤歩掛: line 1 (2.5) x 3 = 7.5, corrected to 7, sent.
    hb().expectDialog([](Driver& dd) { dd.click(1260); }, CBukakeSelectDialog::kDialogId);
    hb().expectDialog([](Driver& dd) {
        dd.doubleClick(CBukakeDialog::kList, 0).type(CBukakeDialog::kSuuryou, "3").click(CBukakeDialog::kBukakeAdd);
        dd.click(CBukakeDialog::kUtiwakeSend);
    }, CBukakeDialog::kDialogId);
    ASSERT_TRUE(grid->onCommand(ID_BUKAKE_SELECT));
    EXPECT_EQ(hb().pendingAnswers(), 0u);
    std::string after = line(1, 1);
    EXPECT_EQ(field(after, G::Bukake1), " 7.000");
    // Nothing else changed: the row is not recalculated here.
    after.replace(static_cast<std::size_t>(G::layout(G::Bukake1).Offset), 6, field(before, G::Bukake1));
    EXPECT_EQ(after, before);
}

} // namespace
} // namespace kiv::test
