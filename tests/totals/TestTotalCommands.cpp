// The totals window's editing commands on a totals document: rows, cells, the unit-price
// collection and paste, 単価変換, category pages, the unit, the row detail and the font size.
#include <gtest/gtest.h>

#include <filesystem>

#include "estimate/KivDoc.h"
#include "estimate/KivMessage.h"
#include "estimate/RoumuFile.h"
#include "grid/GridEditRules.h"
#include "master/MstFixture.h"
#include "platform/files/Files.h"
#include "platform/headless/DialogDriver.h"
#include "platform/profile/Profile.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"
#include "support/HeadlessUi.h"
#include "totals/SyuMoveDialog.h"
#include "totals/TotalCommands.h"
#include "totals/TotalDoc.h"
#include "totals/TotalFile.h"

namespace {

namespace fs = std::filesystem;
using kivtest::mstLine;
using G = GyouRecord;
using kiv::text::sj;
using kiv::text::trimBlanks;
using kiv::ui::headless::DialogDriver;
using Fields = std::vector<std::pair<int, std::string>>;

std::string raw(const std::string& row, int f) { return std::string(G::raw(row, f)); }
std::string val(const std::string& row, int f) { return std::string(trimBlanks(G::raw(row, f))); }

class TotalCommandsTest : public testing::Test {
protected:
    void SetUp() override {
        ClearKivPrompts();
        RoumuList list;
        list.add(*RoumuRecord::build("1", sj("電工"), "20000", "18000"));
        ASSERT_TRUE(writeRoumuFile(exeDir / "労務単価.rab", list));
        ASSERT_TRUE(kiv::files::writeFileAtomically(exeDir / "電気設定.ett", std::string(1024, ' ')));
        CKivDoc::SetRunMode("1");
        CKivDoc::SetProgramDirectory(exeDir.path());
        resetPasteState();
    }
    void TearDown() override {
        EXPECT_TRUE(KivLeftoverPrompts().empty());
        CKivDoc::SetProgramDirectory({});
        CKivDoc::SetRunMode("");
        ClearKivPrompts();
        resetPasteState();
    }
    static void resetPasteState() {
        g_TotalTankaPastePending = 0;
        g_TotalRowPastePending = 0;
        g_TotalCopyBikou2 = 1;
    }

    // A document of the given rows, opened from a totals file; page 1 current.
    std::unique_ptr<CTotalDoc> open(const std::vector<std::string>& rows) {
        const fs::path ttl = data / "t.TTL";
        EXPECT_TRUE(kiv::files::writeFileAtomically(ttl, WriteTotalFile(rows, static_cast<int>(rows.size()))));
        auto doc = std::make_unique<CTotalDoc>();
        EXPECT_TRUE(doc->OnOpenDocument(ttl.string()));
        return doc;
    }
    static void go(CTotalDoc& d, int koumoku, int gyou) {
        d.StoreKoumokuGyou();
        d.m_CurKoumoku[0] = koumoku;
        d.LoadKoumokuGyou();
        d.m_CurGyou[0] = gyou;
    }
    static std::string& work(CTotalDoc& d, int gyou) { return d.EditWorkGyou(gyou); }

    // Page `k` of `n` item rows named "品<i>", quantity i, prices 100*i / 90*i, 備考2 "B<i>".
    static std::vector<std::string> page(int k, int n, int bun = 0) {
        std::vector<std::string> rows;
        for (int i = 1; i <= n; ++i) {
            Fields f = {{G::Hinmei, "品" + std::to_string(i)},  {G::SekisanSuu1, std::to_string(i)},
                        {G::SekisanSuu2, std::to_string(i)},    {G::Tanka1, std::to_string(100 * i)},
                        {G::Tanka2, std::to_string(90 * i)},    {G::Bikou2, "B" + std::to_string(i)}};
            if (bun)
                f.emplace_back(G::BunNo, std::to_string(bun));
            rows.push_back(mstLine(k, i, f));
        }
        return rows;
    }

    kiv::test::HeadlessUi ui;
    kiv::test::TempDir exeDir;
    kiv::test::TempDir data;
};

// ---------------------------------------------------------------------------------------------
// Unit-price collection and paste

TEST_F(TotalCommandsTest, TankaCopyPastesPricesAndRemarksOverRowsFromTheCursor) {
    auto doc = open(page(1, 15));
    CTotalDoc& d = *doc;
    std::vector<std::string> before;
    for (int k = 1; k <= 15; ++k)
        before.push_back(d.WorkGyouAt(k));
    QueueKivAnswer(true);
    ASSERT_TRUE(totalcmd::CollectTanka(d, 3, 5, 1));
    EXPECT_EQ(KivRecordedQuestions().back(), totalcmd::kAskTankaPaste);
    EXPECT_EQ(g_TotalTankaPastePending, 1);

    totalcmd::CellBuffers buf;
    d.m_CurGyou[0] = 10;
    totalcmd::Paste(d, G::Hinmei, buf);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const std::string& row = work(d, 10 + i);
        const std::string& src = before[static_cast<std::size_t>(2 + i)];
        for (int f : {G::Tanka1, G::Tanka2, G::Bikou2})
            EXPECT_EQ(raw(row, f), raw(src, f));
        EXPECT_EQ(val(row, G::Hinmei), sj(("品" + std::to_string(10 + i)).c_str()));
        EXPECT_EQ(val(row, G::SekisanSuu1), std::to_string(10 + i));
        EXPECT_EQ(val(row, G::Kingaku1), std::to_string((10 + i) * 100 * (3 + i)));
        EXPECT_EQ(val(row, G::Kingaku2), std::to_string((10 + i) * 90 * (3 + i)));
        EXPECT_EQ(G::toInt(row, G::KoumokuNo), 1);
    }
    EXPECT_EQ(work(d, 13), before[12]);
    EXPECT_EQ(g_TotalTankaPastePending, 0);
    EXPECT_TRUE(d.IsModified());

    // The next paste is the cell buffer's.
    buf.Copy = sj("新品名");
    buf.Copy.resize(30, ' ');
    totalcmd::Paste(d, G::Hinmei, buf);
    EXPECT_EQ(val(work(d, 10), G::Hinmei), sj("新品名"));
    EXPECT_EQ(val(work(d, 10), G::Tanka1), "300");

    // Without 備考2, five rows on the third-last row: only the last three rows change.
    QueueKivAnswer(true);
    ASSERT_TRUE(totalcmd::CollectTanka(d, 1, 5, 0));
    d.m_CurGyou[0] = 13;
    totalcmd::Paste(d, G::Hinmei, buf);
    EXPECT_EQ(d.m_GyouCount, 15);
    for (int r = 13; r <= 15; ++r) {
        EXPECT_EQ(val(work(d, r), G::Tanka1), std::to_string(100 * (r - 12)));
        EXPECT_EQ(val(work(d, r), G::Bikou2), "B" + std::to_string(r));
    }
    EXPECT_EQ(val(work(d, 12), G::Tanka1), "500");

    // Ranges out of the page or of the clipboard: the message, nothing pending.
    struct Case {
        int start, end;
        const char* message;
    } cases[] = {{14, 16, totalcmd::kMsgTooLarge}, {0, 3, totalcmd::kMsgTooSmall}, {1, 1001, totalcmd::kMsgTooLarge}};
    for (const Case& c : cases) {
        g_TotalTankaPastePending = 1;
        EXPECT_FALSE(totalcmd::CollectTanka(d, c.start, c.end, 1));
        EXPECT_EQ(KivRecordedMessages().back(), c.message);
        EXPECT_EQ(g_TotalTankaPastePending, 0);
    }
    // Cancel on the question: collected, but nothing pending.
    QueueKivAnswer(false);
    EXPECT_TRUE(totalcmd::CollectTanka(d, 1, 2, 1));
    EXPECT_EQ(g_TotalTankaPastePending, 0);
}

// ---------------------------------------------------------------------------------------------
// 単価変換

TEST_F(TotalCommandsTest, TankaHenkanMultipliesOneMasterCategoryOnOneOrAllPages) {
    std::vector<std::string> rows = page(1, 1);
    for (const auto& r : page(2, 3, 7))
        rows.push_back(r);
    for (const auto& r : page(3, 2, 7))
        rows.push_back(r);
    rows.push_back(mstLine(3, 3, {{G::Hinmei, "他"}, {G::Tanka1, "1000"}, {G::Tanka2, "950"}, {G::BunNo, "8"}}));
    auto doc = open(rows);
    CTotalDoc& d = *doc;

    struct Case {
        const char *t1, *t2;
        double factor;
        const char *after1, *after2;
    } cases[] = {
        {"1000", "950", 1.1, "1100", "1045"},
        {"1999", "950", 1.05, "2099", "997"},
        {"", "950", 1.1, "", "950"},           // no unit price 1: unchanged
        {"1000", "950", 0, "1000", "950"},     // a factor of 0 changes nothing
        {"2000000000", "1", 6, "2000000000", "1"},   // too wide: refused, both kept
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.t1) + " x " + std::to_string(c.factor));
        ClearKivPrompts();
        go(d, 2, 1);
        std::string& row = work(d, 1);
        G::blank(row, G::Tanka1);
        G::blank(row, G::Tanka2);
        G::putNumber(row, G::Tanka1, c.t1);
        G::putNumber(row, G::Tanka2, c.t2);
        totalcmd::TankaHenkan(d, 7, 2, false, c.factor);
        EXPECT_EQ(d.m_CurKoumoku[0], 2);
        EXPECT_EQ(val(work(d, 1), G::Tanka1), c.after1);
        EXPECT_EQ(val(work(d, 1), G::Tanka2), c.after2);
        EXPECT_EQ(raw(work(d, 1), G::Tanka1).size(), 10u);
        if (c.factor == 6) {
            ASSERT_EQ(KivRecordedMessages().size(), 1u);
            EXPECT_NE(KivRecordedMessages()[0].find("1行"), std::string::npos);
            EXPECT_NE(KivRecordedMessages()[0].find("12000000000.0"), std::string::npos);
        }
    }
    ClearKivPrompts();
    // The amount follows the new price: 1 x 1100.
    go(d, 2, 1);
    G::putNumber(work(d, 1), G::Tanka1, "1000");
    totalcmd::TankaHenkan(d, 7, 2, false, 1.1);
    EXPECT_EQ(val(work(d, 1), G::Kingaku1), "1100");

    // One page leaves page 3 alone; all pages reach it; category 8 never changes.
    EXPECT_EQ(totalcmd::TankaHenkan(d, 7, 2, false, 2), 3);
    go(d, 3, 1);
    EXPECT_EQ(val(work(d, 1), G::Tanka1), "100");
    d.m_CurGyou[0] = 1;
    go(d, 1, 1);
    EXPECT_EQ(totalcmd::TankaHenkan(d, 7, 1, true, 2), 5);
    EXPECT_EQ(d.m_CurKoumoku[0], 1);
    go(d, 3, 1);
    EXPECT_EQ(val(work(d, 1), G::Tanka1), "200");
    EXPECT_EQ(val(work(d, 2), G::Tanka1), "400");
    EXPECT_EQ(val(work(d, 3), G::Tanka1), "1000");

    // A page beyond the last: the message, no page made.
    const int count = d.m_KoumokuCount;
    EXPECT_EQ(totalcmd::TankaHenkan(d, 7, count + 1, false, 2), 0);
    EXPECT_EQ(KivRecordedMessages().back(), totalcmd::kMsgTooLarge);
    EXPECT_EQ(d.m_KoumokuCount, count);
}

// ---------------------------------------------------------------------------------------------
// Rows and pages

TEST_F(TotalCommandsTest, RowInsertAndDeleteRenumberAndKeepThePoolInStep) {
    std::vector<std::string> rows = page(1, 1);
    for (const auto& r : page(2, 4))
        rows.push_back(r);
    rows.push_back(mstLine(3, 1, {{G::Hinmei, "一行"}}));
    auto doc = open(rows);
    CTotalDoc& d = *doc;
    go(d, 2, 2);
    totalcmd::DeleteGyou(d);
    ASSERT_EQ(d.m_GyouCount, 3);
    const char* names[] = {"品1", "品3", "品4"};
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(val(work(d, r), G::Hinmei), sj(names[r - 1]));
        EXPECT_EQ(G::toInt(work(d, r), G::KoumokuNo), 2);
        EXPECT_EQ(raw(work(d, r), 2), kiv::text::cformat("%04d", kiv::text::Decimal(r)));
    }
    // The freed slot is a blank row among the saved ones.
    EXPECT_EQ(d.PoolGyouCount(), 6);
    EXPECT_EQ(std::count(d.GyouIndex().begin(), d.GyouIndex().begin() + 6, 0), 1);
    const std::vector<std::string> saved = ReadTotalFile(d.SerializeTotalFile());
    EXPECT_EQ(std::count(saved.begin(), saved.end(), G::blankRow()), 1);

    // Insert at row 2: a blank row numbered 2, the rest one lower.
    totalcmd::InsertGyou(d);
    ASSERT_EQ(d.m_GyouCount, 4);
    EXPECT_EQ(val(work(d, 2), G::Hinmei), "");
    EXPECT_EQ(G::toInt(work(d, 2), 2), 2);
    EXPECT_EQ(val(work(d, 3), G::Hinmei), sj("品3"));
    EXPECT_EQ(G::toInt(work(d, 4), 2), 4);
    EXPECT_EQ(d.PoolGyouCount(), 6);   // the freed slot was taken again

    // The only row of a page becomes a blank row numbered 1.
    go(d, 3, 1);
    totalcmd::DeleteGyou(d);
    EXPECT_EQ(d.m_GyouCount, 1);
    EXPECT_EQ(val(work(d, 1), G::Hinmei), "");
    EXPECT_EQ(G::toInt(work(d, 1), G::KoumokuNo), 3);
    EXPECT_EQ(G::toInt(work(d, 1), 2), 1);

    // A full page: the limit message, nothing moves.
    go(d, 2, 1);
    const std::string first = work(d, 1);
    d.m_GyouCount = CTotalDoc::kKoumokuGyouMax;
    EXPECT_FALSE(totalcmd::InsertGyou(d));
    EXPECT_EQ(KivRecordedMessages().back(), CTotalDoc::kMsgPoolFull);
    EXPECT_EQ(work(d, 1), first);
}

TEST_F(TotalCommandsTest, CategoryPagesInsertDeleteAndMove) {
    std::vector<std::string> rows;
    for (int k = 1; k <= 5; ++k)
        rows.push_back(mstLine(k, 1, {{G::Hinmei, "P" + std::to_string(k)}}));
    auto title = [](const CTotalDoc& d, int k) { return std::string(trimBlanks(d.GetKoumokuLabel(k, 4, 30))); };
    {
        auto doc = open(rows);
        CTotalDoc& d = *doc;
        go(d, 3, 1);
        d.m_TreeDirty = 0;
        ASSERT_TRUE(totalcmd::InsertKoumokuHere(d));
        EXPECT_EQ(d.m_KoumokuCount, 6);
        EXPECT_EQ(d.m_CurKoumoku[0], 3);
        EXPECT_EQ(d.m_GyouCount, 1);
        EXPECT_EQ(val(work(d, 1), G::Hinmei), "");
        EXPECT_EQ(title(d, 4), "P3");
        EXPECT_EQ(d.GetKoumokuLabel(4, 0, 4), "0004");
        EXPECT_EQ(title(d, 6), "P5");
        EXPECT_EQ(d.m_TreeDirty, 1);
    }
    {
        auto doc = open(rows);
        CTotalDoc& d = *doc;
        go(d, 3, 1);
        totalcmd::DeleteKoumokuHere(d);
        EXPECT_EQ(d.m_KoumokuCount, 4);
        EXPECT_EQ(d.m_CurKoumoku[0], 3);
        EXPECT_EQ(val(work(d, 1), G::Hinmei), "P4");
        EXPECT_EQ(title(d, 3), "P4");
        EXPECT_EQ(d.GetKoumokuLabel(4, 0, 4), "0004");
        EXPECT_EQ(title(d, 4), "P5");
        EXPECT_EQ(d.m_TreeDirty, 1);

        // 項目移動: to count + 1 a new page of one blank row; to count + 2 the message.
        EXPECT_FALSE(totalcmd::GoToKoumoku(d, 6));
        EXPECT_EQ(KivRecordedMessages().back(), totalcmd::kMsgTooLarge);
        EXPECT_EQ(d.m_CurKoumoku[0], 3);
        EXPECT_EQ(d.m_KoumokuCount, 4);
        ASSERT_TRUE(totalcmd::GoToKoumoku(d, 5));
        EXPECT_EQ(d.m_KoumokuCount, 5);
        EXPECT_EQ(d.m_CurKoumoku[0], 5);
        EXPECT_EQ(d.m_GyouCount, 1);
        EXPECT_EQ(G::toInt(work(d, 1), G::KoumokuNo), 5);
        EXPECT_EQ(d.PoolGyouCount(), 5);   // the deleted page's freed slot holds it
        ASSERT_TRUE(totalcmd::GoToKoumoku(d, 2));
        EXPECT_EQ(val(work(d, 1), G::Hinmei), "P2");

        // 999 categories: neither a new page nor an inserted one.
        d.m_KoumokuCount = CTotalDoc::kKoumokuMax;
        EXPECT_FALSE(totalcmd::GoToKoumoku(d, CTotalDoc::kKoumokuMax + 1));
        EXPECT_FALSE(totalcmd::InsertKoumokuHere(d));
        EXPECT_EQ(KivRecordedMessages().back(), CTotalDoc::kMsgPoolFull);
        EXPECT_EQ(d.m_CurKoumoku[0], 2);
    }
    {
        // Rows in category 999 have no number to move to: 項目挿入 is refused and no key changes
        // (a key 1000 would make the saved file unreadable).
        std::vector<std::string> with999 = rows;
        with999.push_back(mstLine(CTotalDoc::kKoumokuMax, 1, {{G::Hinmei, "X"}}));
        auto doc = open(with999);
        CTotalDoc& d = *doc;
        go(d, 2, 1);
        const std::vector<std::string> before(d.PoolRows().begin(), d.PoolRows().end());
        EXPECT_FALSE(totalcmd::InsertKoumokuHere(d));
        EXPECT_EQ(KivRecordedMessages().back(), CTotalDoc::kMsgPoolFull);
        EXPECT_EQ(std::vector<std::string>(d.PoolRows().begin(), d.PoolRows().end()), before);
        EXPECT_EQ(d.m_KoumokuCount, 6);
    }
}

// ---------------------------------------------------------------------------------------------
// Cells and unit

TEST_F(TotalCommandsTest, CellCutUndoAndPasteRules) {
    auto doc = open(page(1, 4));
    CTotalDoc& d = *doc;
    totalcmd::CellBuffers buf;
    d.m_CurGyou[0] = 2;
    totalcmd::CellCut(d, G::Hinmei, buf);
    EXPECT_EQ(val(work(d, 2), G::Hinmei), "");
    // Undo elsewhere changes nothing; in the cut cell it restores the text.
    d.m_CurGyou[0] = 4;
    const std::string row4 = work(d, 4);
    totalcmd::CellUndo(d, G::Hinmei, buf);
    EXPECT_EQ(work(d, 4), row4);
    d.m_CurGyou[0] = 2;
    totalcmd::CellUndo(d, G::Kikaku, buf);
    EXPECT_EQ(val(work(d, 2), G::Kikaku), "");
    totalcmd::CellUndo(d, G::Hinmei, buf);
    EXPECT_EQ(val(work(d, 2), G::Hinmei), sj("品2"));

    // A price cell copied into 積算数量 (8 wide): right-aligned; ten digits refused.
    struct Case {
        const char* price;
        const char* quantity;   // nullptr: refused
    } cases[] = {{"1234", "    1234"}, {"1234567890", nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.price);
        ClearKivPrompts();
        G::blank(work(d, 1), G::Tanka1);
        G::putNumber(work(d, 1), G::Tanka1, c.price);
        d.m_CurGyou[0] = 1;
        totalcmd::CellCopy(d, G::Tanka1, buf);
        EXPECT_EQ(buf.Copy.substr(0, 10), raw(work(d, 1), G::Tanka1));
        d.m_CurGyou[0] = 3;
        const std::string before = raw(work(d, 3), G::SekisanSuu1);
        totalcmd::Paste(d, G::SekisanSuu1, buf);
        if (c.quantity) {
            EXPECT_EQ(raw(work(d, 3), G::SekisanSuu1), c.quantity);
        } else {
            EXPECT_EQ(raw(work(d, 3), G::SekisanSuu1), before);
            EXPECT_EQ(KivRecordedMessages().size(), 1u);
        }
    }

    // The unit: four bytes blanked, then the new text.
    G::putText(work(d, 3), G::Tanni, sj("ヶ所"));
    totalcmd::WriteTanni(d, "m");
    EXPECT_EQ(std::string(G::raw(work(d, 3), G::Tanni)) + std::string(G::raw(work(d, 3), G::TanniTail)), "m   ");
}

// ---------------------------------------------------------------------------------------------
// Row detail

class TotalSyousaiTest : public TotalCommandsTest {
protected:
    static constexpr int kTanka1 = 1017, kTanka2 = 1044, kSuu1 = 1063, kFukugou1 = 1091, kRoumuNo1 = 1011,
                         kSyokusyu1 = 1026, kRoumuTanka1 = 1040;

    // Opens the detail on row 1 of a page holding `row`, runs `script`, closes with `button`.
    bool run(CTotalDoc& d, const std::function<void(DialogDriver&)>& script, int button = kiv::ui::IDOK) {
        ui.backend.expectDialog(
            [&](DialogDriver& dd) {
                script(dd);
                dd.click(button);
            },
            130);
        return totalcmd::ShowSyousai(d, nullptr);
    }
    static std::string row(const Fields& extra) {
        Fields f = {{G::Hinmei, "VP管"},    {G::SekisanSuu1, "2"},      {G::Tanka1, "1000"},   {G::Tanka2, "900"},
                    {G::Hokyuu, "1.2"},     {G::Zai1Suu, "3.0"},        {G::Zai1Tanka1, "700"}, {G::Zai1Tanka2, "600"},
                    {G::FuzokuRitu, "0.05"}, {G::Roumu1Bikou, "残す"}, {G::Kingaku1, "2000"}};
        f.insert(f.end(), extra.begin(), extra.end());
        return mstLine(1, 1, f);
    }
};

TEST_F(TotalSyousaiTest, UnflaggedRowTakesLineOneAsItsOwnPrices) {
    auto doc = open({row({})});
    CTotalDoc& d = *doc;
    const std::string before = work(d, 1);
    EXPECT_TRUE(run(d, [](DialogDriver& dd) {
        EXPECT_EQ(trimBlanks(dd.text(kTanka1)), "1000");
        EXPECT_EQ(trimBlanks(dd.text(kSuu1)), "1.2");
        EXPECT_EQ(dd.text(1134 + 0), "");   // 支持材 empty: the row has none
        dd.type(kTanka1, "1500");
        dd.type(kSuu1, "2.0");
    }));
    const std::string& r = work(d, 1);
    EXPECT_EQ(val(r, G::Tanka1), "1500");
    EXPECT_EQ(val(r, G::Tanka2), "900");
    EXPECT_EQ(val(r, G::Hokyuu), "2.0");
    for (int f : {G::Zai1Suu, G::Zai1Tanka1, G::Zai1Tanka2, G::FuzokuRitu, G::Roumu1Bikou, G::Kingaku1})
        EXPECT_EQ(raw(r, f), raw(before, f)) << f;
    EXPECT_TRUE(d.IsModified());
}

TEST_F(TotalSyousaiTest, FlaggedRowsFollowTheTotalsRules) {
    struct Case {
        const char* name;
        Fields flags;
        bool composite;   // 13/14 from 複合単価 (else kept: 材料費計 0)
    } cases[] = {
        {"F101", {{G::FukuHyouji, "1"}}, true},
        {"F101+F102", {{G::FukuHyouji, "1"}, {G::ZaiGoukei, "1"}, {G::ZatuzaiRitu, "0.10"}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto doc = open({row(c.flags)});
        CTotalDoc& d = *doc;
        const std::string before = work(d, 1);
        const bool withLine2 = c.flags.size() > 1;
        EXPECT_TRUE(run(d, [&](DialogDriver& dd) {
            EXPECT_EQ(trimBlanks(dd.text(kTanka1)), "700");
            EXPECT_EQ(trimBlanks(dd.text(kSuu1)), "3.0");
            dd.type(kTanka1, "800");
            if (withLine2) {
                // 材料を合計して表示 comes on with line 2: 材料費計1 2500, the composite more.
                dd.type(1064, "1");
                dd.type(1032, "100");
            }
        }));
        if (withLine2) {
            EXPECT_EQ(G::toInt(work(d, 1), G::ZaiGoukei), 1);
            EXPECT_NE(val(work(d, 1), G::Tanka1), "2500");
        }
        const std::string& r = work(d, 1);
        EXPECT_EQ(val(r, G::Zai1Tanka1), "800");
        EXPECT_EQ(val(r, G::Zai1Suu), "3.0");
        EXPECT_EQ(val(r, G::Hokyuu), "");
        EXPECT_EQ(raw(r, G::Tanka1), raw(r, G::FukugouTanka1));
        EXPECT_EQ(raw(r, G::Tanka2), raw(r, G::FukugouTanka2));
        EXPECT_NE(val(r, G::Tanka1), "");
        EXPECT_EQ(raw(r, G::Kingaku1), raw(before, G::Kingaku1));   // amounts not recomputed
        EXPECT_EQ(raw(r, G::FuzokuRitu), raw(before, G::FuzokuRitu));
        EXPECT_EQ(raw(r, G::Roumu1Bikou), raw(before, G::Roumu1Bikou));
    }
    // F102 alone with 材料費計1 of 0 (line 2 offsetting line 1): 13 and 42 keep their values.
    auto doc = open({row({{G::ZaiGoukei, "1"}})});
    CTotalDoc& d = *doc;
    EXPECT_TRUE(run(d, [](DialogDriver& dd) {
        dd.type(kSuu1, "1");
        dd.type(kTanka1, "-500");
        dd.type(1064, "1");
        dd.type(1032, "500");
    }));
    EXPECT_EQ(val(work(d, 1), G::Tanka1), "1000");
    EXPECT_EQ(val(work(d, 1), G::Zai1Tanka1), "700");
}

TEST_F(TotalSyousaiTest, LabourFromTheTotalsListAndCancelChangesNothing) {
    struct Case {
        const char* no;
        const char* trade;   // UTF-8, "" blank
    } cases[] = {{"1", "電工"}, {"0", ""}, {"-1", ""}, {"5", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.no);
        auto doc = open({row({{G::Roumu1No, c.no}})});
        CTotalDoc& d = *doc;
        const std::string before = work(d, 1);
        EXPECT_FALSE(run(
            d,
            [&](DialogDriver& dd) {
                EXPECT_EQ(dd.textUtf8(kSyokusyu1), c.trade);
                EXPECT_EQ(trimBlanks(dd.text(kRoumuTanka1)), *c.trade ? "20000" : "");
                dd.type(kTanka1, "1");
            },
            kiv::ui::IDCANCEL));
        EXPECT_EQ(work(d, 1), before);
        EXPECT_FALSE(d.IsModified());
    }
    // A number typed into NO looks the trade up in the totals' own list.
    auto doc = open({row({})});
    EXPECT_TRUE(run(*doc, [](DialogDriver& dd) {
        dd.dialog().userSetText(kRoumuNo1, "1");
        EXPECT_EQ(dd.textUtf8(kSyokusyu1), "電工");
        dd.dialog().userSetText(kRoumuNo1, "7");
        EXPECT_EQ(dd.textUtf8(kSyokusyu1), "");
    }));
    EXPECT_EQ(val(work(*doc, 1), G::Roumu1No), "7");
}

// ---------------------------------------------------------------------------------------------
// Category list dialog and font size

TEST_F(TotalCommandsTest, SyuMoveDialogListsTheCategoriesAndTakesALine) {
    std::vector<std::string> rows;
    for (int k = 1; k <= 3; ++k)
        rows.push_back(mstLine(k, 1, {{G::Hinmei, "P" + std::to_string(k)}, {G::Kikaku, "K" + std::to_string(k)}}));
    auto doc = open(rows);
    CSyuMoveDialog dlg(doc.get());
    ui.backend.expectDialog(
        [](DialogDriver& dd) {
            EXPECT_EQ(dd.dialog().control(CSyuMoveDialog::kList)->rows.size(), 3u);
            EXPECT_EQ(trimBlanks(dd.dialog().listItemText(CSyuMoveDialog::kList, 1, 1)), "P2");
            EXPECT_EQ(trimBlanks(dd.dialog().listItemText(CSyuMoveDialog::kList, 2, 2)), "K3");
            EXPECT_EQ(dd.dialog().listItemText(CSyuMoveDialog::kList, 2, 0), "0003");
            dd.doubleClick(CSyuMoveDialog::kList, 1);
        },
        CSyuMoveDialog::kDialogId);
    EXPECT_EQ(dlg.doModal(), kiv::ui::IDOK);
    EXPECT_EQ(dlg.m_Bun, 2);
    // The edit takes 1..999 only.
    CSyuMoveDialog typed(doc.get());
    ui.backend.expectDialog(
        [](DialogDriver& dd) {
            dd.type(CSyuMoveDialog::kBun, "0");
            dd.click(kiv::ui::IDOK);
            EXPECT_FALSE(dd.ended());
            dd.type(CSyuMoveDialog::kBun, "4");
            dd.click(kiv::ui::IDOK);
        },
        CSyuMoveDialog::kDialogId);
    ui.backend.expectMessageBox(kiv::ui::IDOK);
    EXPECT_EQ(typed.doModal(), kiv::ui::IDOK);
    EXPECT_EQ(typed.m_Bun, 4);
}

TEST_F(TotalCommandsTest, FontSizeIsThreeQuartersOfTheHeightAndSharedByAllGrids) {
    struct Case {
        int height, size;
    } cases[] = {{-16, 12}, {16, 12}, {-1, 1}, {-20, 15}};
    for (const Case& c : cases)
        EXPECT_EQ(gridedit::FontSizeFromHeight(c.height), c.size) << c.height;
    auto& profile = kiv::profile::Profile::user();
    ui.backend.expectMessageBox(kiv::ui::IDYES);
    kiv::ui::Font font;
    font.height = -16;
    ui.backend.expectFont(font);
    ui.backend.expectMessageBox(kiv::ui::IDOK, "このウィンドを終了後");
    EXPECT_EQ(gridedit::AskFontSize(nullptr, 14), 12);
    EXPECT_EQ(profile.getInt("Font_Size_Section", "Font_Size", 0), 12);
    ui.backend.expectMessageBox(kiv::ui::IDNO);
    EXPECT_EQ(gridedit::AskFontSize(nullptr, 14), 14);
    EXPECT_EQ(profile.getInt("Font_Size_Section", "Font_Size", 0), 14);
    ui.backend.expectMessageBox(kiv::ui::IDCANCEL);
    EXPECT_EQ(gridedit::AskFontSize(nullptr, 14), std::nullopt);
    ui.backend.expectMessageBox(kiv::ui::IDYES);
    ui.backend.expectFont(std::nullopt);
    EXPECT_EQ(gridedit::AskFontSize(nullptr, 14), std::nullopt);
    EXPECT_EQ(profile.getInt("Font_Size_Section", "Font_Size", 0), 14);
}

} // namespace
