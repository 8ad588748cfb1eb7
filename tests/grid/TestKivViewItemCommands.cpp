// The estimate view's item commands: 項目移動, 項目挿入, 項目削除, 項目集計作成 and 合計入力, driven
// through the view's commands and their dialogs on the headless backend.
#include <gtest/gtest.h>

#include "estimate/MstFileReader.h"
#include "estimate/SetteiFile.h"
#include "grid/GoukeiDialog.h"
#include "grid/KivViewFixture.h"
#include "grid/KoumokuDialog.h"
#include "grid/MoveDialog.h"
#include "grid/RowClipboard.h"
#include "platform/archive/Archive.h"

namespace {

using namespace kivtest;
using kiv::ui::IDCANCEL;
using kiv::ui::IDOK;
using kiv::ui::headless::DialogDriver;

// Category codes of the settings file the tests read.
constexpr int kSaimoku = 14, kSyoukoumoku = 13, kTyuukoumoku = 12, kDaikoumoku = 11;
constexpr int kSyoukei = 30, kTyuukei = 31, kHyousiKei = 32, kKeihi1 = 40, kSyouhizei = 45;

// A row keyed (item, gyou) with the given fields.
std::string itemRow(int koumoku, int gyou, const std::vector<std::pair<int, std::string>>& fields = {}) {
    std::string row = makeRow(gyou, fields);
    GyouRecord::writeKey(row, koumoku, gyou);
    return row;
}

std::string code4(int code) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04d", code);
    return buf;
}

class ItemCommands : public KivViewFixture {
protected:
    void SetUp() override {
        KivViewFixture::SetUp();
        SetteiRecord settei;
        for (auto [kind, code] : {std::pair{EnzanCode::Saimoku, kSaimoku}, {EnzanCode::Syoukoumoku, kSyoukoumoku},
                                  {EnzanCode::Tyuukoumoku, kTyuukoumoku}, {EnzanCode::Daikoumoku, kDaikoumoku},
                                  {EnzanCode::Syoukei, kSyoukei}, {EnzanCode::Tyuukei, kTyuukei},
                                  {EnzanCode::HyousiKei, kHyousiKei}, {EnzanCode::Keihi1, kKeihi1},
                                  {EnzanCode::Syouhizei, kSyouhizei}})
            settei.setCode(kind, code4(code));
        ASSERT_TRUE(writeSetteiFile(exeDir / "電気設定.ett", settei));
        doc.reset();
        doc = std::make_unique<CKivDoc>();
        ASSERT_EQ(doc->m_SetteiValues.code(EnzanCode::Keihi1), kKeihi1);
        ClearKivRecordedMessages();
    }

    // Items 1..n, item k holding rows[k-1] rows; row 1 of each is named "Ik".
    void openItems(const std::vector<std::vector<std::string>>& items) {
        std::vector<std::string> rows;
        for (const auto& item : items)
            rows.insert(rows.end(), item.begin(), item.end());
        open(rows);
    }
    void openNamedItems(int n) {
        std::vector<std::vector<std::string>> items;
        for (int k = 1; k <= n; ++k)
            items.push_back({itemRow(k, 1, {{GyouRecord::Hinmei, "I" + std::to_string(k)}})});
        openItems(items);
    }

    // The pool's rows of item k, by row number.
    std::vector<std::string> poolRows(int koumoku) {
        view->StoreGyou();
        view->StoreKoumoku();
        std::vector<std::pair<int, std::string>> found;
        for (int i = 0; i < doc->PoolGyouCount(); ++i)
            if (GyouRecord::koumokuOf(doc->PoolGyou(i)) == koumoku)
                found.emplace_back(GyouRecord::toInt(doc->PoolGyou(i), GyouRecord::GyouNo), doc->PoolGyou(i));
        std::sort(found.begin(), found.end());
        std::vector<std::string> rows;
        for (auto& [g, r] : found)
            rows.push_back(r);
        return rows;
    }
    static std::string fieldOf(const std::string& row, int f) { return std::string(GyouRecord::raw(row, f)); }
    static std::string name(const std::string& row) {
        return std::string(GyouRecord::text(row, GyouRecord::Hinmei));
    }

    void run(int command) { ASSERT_TRUE(view->onCommand(command)); }

    // The master beside the program with the given rows.
    void writeMaster(const std::vector<std::string>& rows) {
        kiv::archive::ArchiveWriter w;
        w.writeInt32(static_cast<std::int32_t>(rows.size()));
        for (const auto& r : rows)
            w.writeString(r);
        ASSERT_TRUE(kiv::files::writeFileAtomically(exeDir / "Eﾏｽﾀｰ.MST", w.bytes()));
    }
    void writeStandardMaster() {
        writeMaster({masterRow(kKeihi1, 1, {{GyouRecord::Hinmei, sj("経費")}}),
                     masterRow(kKeihi1, 2, {{GyouRecord::Hinmei, sj("現場管理費")}, {GyouRecord::Kakeritu, "10"},
                                            {GyouRecord::Tanni, sj("式")}}),
                     masterRow(kSyouhizei, 2, {{GyouRecord::Hinmei, sj("消費税")}, {GyouRecord::Kakeritu, "8"}})});
    }
};

// ---------------------------------------------------------------------------------------------
// 項目移動

TEST_F(ItemCommands, MoveGoesToAnItemPickedOrTyped) {
    openNamedItems(3);
    placeCursor(1, 1, GyouRecord::Hinmei);
    backend.expectDialog([](DialogDriver& dd) { dd.type(CMoveDialog::kKoumokuNo, "3").click(IDOK); },
                         CMoveDialog::kDialogId);
    run(ID_KOUMOKU_IDOU);
    EXPECT_EQ(doc->m_CurKoumoku[0], 3);
    EXPECT_EQ(cursorRow(), 1);
    EXPECT_EQ(field(), view->m_FirstField);
    EXPECT_EQ(name(view->m_EditGyou), "I3");

    // A double click on a line of the list picks its item.
    backend.expectDialog([](DialogDriver& dd) {
        EXPECT_EQ(dd.dialog().focusedControl(), CMoveDialog::kList);
        dd.doubleClick(CMoveDialog::kList, 1);
        EXPECT_TRUE(dd.ended());
    }, CMoveDialog::kDialogId);
    run(ID_KOUMOKU_IDOU);
    EXPECT_EQ(doc->m_CurKoumoku[0], 2);

    // Enter on a line picks it too.
    backend.expectDialog([](DialogDriver& dd) { dd.select(CMoveDialog::kList, 0).key(kiv::ui::VK_RETURN); },
                         CMoveDialog::kDialogId);
    run(ID_KOUMOKU_IDOU);
    EXPECT_EQ(doc->m_CurKoumoku[0], 1);
    EXPECT_EQ(doc->m_KoumokuCount, 3);
    EXPECT_TRUE(KivRecordedMessages().empty());
}

TEST_F(ItemCommands, MoveToTheItemAfterTheLastAsksThenAddsIt) {
    openNamedItems(2);
    placeCursor(1, 1, GyouRecord::Hinmei);
    doc->m_CurKoumoku[0] = 2;
    view->LoadKoumoku();
    placeCursor(1, 1, GyouRecord::Kikaku);

    // Cancel at the question: the same item, the same cursor.
    backend.expectDialog([](DialogDriver& dd) { dd.type(CMoveDialog::kKoumokuNo, "3").click(IDOK); },
                         CMoveDialog::kDialogId);
    QueueKivAnswer(false);
    run(ID_KOUMOKU_IDOU);
    EXPECT_EQ(KivRecordedQuestions().back(), "新しい項目を追加します。よろしいですか？");
    EXPECT_EQ(doc->m_KoumokuCount, 2);
    EXPECT_EQ(doc->m_CurKoumoku[0], 2);
    EXPECT_EQ(field(), GyouRecord::Kikaku);

    // OK: a new empty item 3 is current.
    backend.expectDialog([](DialogDriver& dd) { dd.type(CMoveDialog::kKoumokuNo, "3").click(IDOK); },
                         CMoveDialog::kDialogId);
    QueueKivAnswer(true);
    doc->m_TreeDirty = 0;
    run(ID_KOUMOKU_IDOU);
    EXPECT_EQ(doc->m_KoumokuCount, 3);
    EXPECT_EQ(doc->m_CurKoumoku[0], 3);
    EXPECT_EQ(doc->m_GyouCount, 1);
    EXPECT_EQ(doc->m_TreeDirty, 1);
    ASSERT_EQ(poolRows(3).size(), 1u);
    EXPECT_EQ(name(poolRows(3)[0]), "");

    // Above count + 1: the message, nothing changes.
    backend.expectDialog([](DialogDriver& dd) { dd.type(CMoveDialog::kKoumokuNo, "5").click(IDOK); },
                         CMoveDialog::kDialogId);
    run(ID_KOUMOKU_IDOU);
    EXPECT_EQ(KivRecordedMessages().back(), "入力された数値が大きすぎます。再入力してください。");
    EXPECT_EQ(doc->m_KoumokuCount, 3);
    EXPECT_EQ(doc->m_CurKoumoku[0], 3);
    EXPECT_EQ(KivUnexpectedQuestions(), 0);
}

TEST_F(ItemCommands, MoveListShowsEachItemsTitle) {
    openItems({{itemRow(1, 1, {{GyouRecord::Kigou, "A1"}, {GyouRecord::Hinmei, sj("電線管")}, {GyouRecord::Kikaku, "E19"},
                               {GyouRecord::Kingaku1, "5"}}),
                itemRow(1, 2, {{GyouRecord::BunNo, code4(kSyoukei)}, {GyouRecord::Kingaku1, "1200"},
                               {GyouRecord::Kingaku2, "800"}}),
                itemRow(1, 3, {{GyouRecord::BunNo, code4(kSyoukei)}, {GyouRecord::Kingaku1, "3400"},
                               {GyouRecord::Kingaku2, "900"}})},
               {itemRow(2, 1, {{GyouRecord::Hinmei, "B"}, {GyouRecord::Kingaku1, "77"}})}});
    backend.expectDialog([&](DialogDriver& dd) {
        auto& d = dd.dialog();
        ASSERT_EQ(d.getCount(CMoveDialog::kList), 2);
        EXPECT_EQ(d.listItemText(CMoveDialog::kList, 0, 0), "0001");
        EXPECT_EQ(d.listItemText(CMoveDialog::kList, 0, 1), "A1  ");
        EXPECT_EQ(d.listItemText(CMoveDialog::kList, 0, 2), padded(GyouRecord::Hinmei, sj("電線管")));
        EXPECT_EQ(d.listItemText(CMoveDialog::kList, 0, 3), padded(GyouRecord::Kikaku, "E19"));
        // The amounts of the last 小計 row.
        EXPECT_EQ(d.listItemText(CMoveDialog::kList, 0, 4), std::string(GyouRecord::raw(doc->PoolGyou(2), GyouRecord::Kingaku1)));
        EXPECT_NE(d.listItemText(CMoveDialog::kList, 0, 4).find("3400"), std::string::npos);
        EXPECT_NE(d.listItemText(CMoveDialog::kList, 0, 5).find("900"), std::string::npos);
        EXPECT_NE(d.listItemText(CMoveDialog::kList, 1, 4).find("77"), std::string::npos);
        dd.click(IDCANCEL);
    }, CMoveDialog::kDialogId);
    run(ID_KOUMOKU_IDOU);
    EXPECT_EQ(doc->m_CurKoumoku[0], 1);
}

TEST_F(ItemCommands, NewItemButtonOfTheMoveDialogAppendsItem1000) {
    openNamedItems(999);
    backend.expectDialog([](DialogDriver& dd) { dd.click(CMoveDialog::kNewKoumoku); }, CMoveDialog::kDialogId);
    QueueKivAnswer(true);
    run(ID_KOUMOKU_IDOU);
    EXPECT_EQ(doc->m_KoumokuCount, 1000);
    EXPECT_EQ(doc->m_CurKoumoku[0], 1000);
    EXPECT_EQ(poolRows(1000).size(), 1u);
}

// ---------------------------------------------------------------------------------------------
// 項目挿入, 項目削除

TEST_F(ItemCommands, InsertOpensAnEmptyItemAndRekeysTheLaterOnes) {
    openItems({{itemRow(1, 1, {{GyouRecord::Hinmei, "I1"}})},
               {itemRow(2, 1, {{GyouRecord::Hinmei, "I2"}}), itemRow(2, 2, {{GyouRecord::Hinmei, "I2b"}})},
               {itemRow(3, 1, {{GyouRecord::Hinmei, "I3"}})}});
    doc->m_CurKoumoku[0] = 2;
    view->LoadKoumoku();
    placeCursor(2, 2, GyouRecord::Kikaku);

    QueueKivAnswer(false);
    run(ID_KOUMOKU_INSERT);
    EXPECT_EQ(KivRecordedQuestions().back(), "項目の挿入を行います。復活できません。よろしいですか？");
    EXPECT_EQ(doc->m_KoumokuCount, 3);

    QueueKivAnswer(true);
    run(ID_KOUMOKU_INSERT);
    EXPECT_EQ(doc->m_KoumokuCount, 4);
    EXPECT_EQ(doc->m_CurKoumoku[0], 2);
    EXPECT_EQ(cursorRow(), 1);
    EXPECT_EQ(field(), view->m_FirstField);
    EXPECT_EQ(doc->m_TreeDirty, 1);
    ASSERT_EQ(poolRows(2).size(), 1u);
    EXPECT_EQ(name(poolRows(2)[0]), "");
    ASSERT_EQ(poolRows(3).size(), 2u);
    EXPECT_EQ(name(poolRows(3)[0]), "I2");
    EXPECT_EQ(name(poolRows(3)[1]), "I2b");
    EXPECT_EQ(fieldOf(poolRows(3)[1], GyouRecord::KoumokuNo) + fieldOf(poolRows(3)[1], GyouRecord::GyouNo), "00030002");
    ASSERT_EQ(poolRows(4).size(), 1u);
    EXPECT_EQ(name(poolRows(4)[0]), "I3");
    EXPECT_EQ(name(poolRows(1)[0]), "I1");
}

TEST_F(ItemCommands, DeleteRemovesTheItem) {
    openNamedItems(3);
    doc->m_CurKoumoku[0] = 3;
    view->LoadKoumoku();
    placeCursor(1, 1, GyouRecord::Hinmei);

    QueueKivAnswer(false);
    run(ID_KOUMOKU_DELETE);
    EXPECT_EQ(KivRecordedQuestions().back(), "項目の削除を行います。復活できません。よろしいですか？");
    EXPECT_EQ(doc->m_KoumokuCount, 3);

    // The last item: the one before it becomes current.
    QueueKivAnswer(true);
    run(ID_KOUMOKU_DELETE);
    EXPECT_EQ(doc->m_KoumokuCount, 2);
    EXPECT_EQ(doc->m_CurKoumoku[0], 2);
    EXPECT_EQ(name(view->m_EditGyou), "I2");
    EXPECT_TRUE(poolRows(3).empty());
}

TEST_F(ItemCommands, DeletingTheOnlyItemLeavesOneEmptyRow) {
    openNamedItems(1);
    QueueKivAnswer(true);
    run(ID_KOUMOKU_DELETE);
    EXPECT_EQ(doc->m_KoumokuCount, 1);
    EXPECT_EQ(doc->m_GyouCount, 1);
    ASSERT_EQ(poolRows(1).size(), 1u);
    EXPECT_EQ(name(poolRows(1)[0]), "");
}

// ---------------------------------------------------------------------------------------------
// 項目集計作成

class Syuukei : public ItemCommands {
protected:
    // Items 1..n; items from `headedFrom` on begin with a heading of `level` whose symbol is its
    // number, followed by a plain row.
    void openHeaded(int n, int headedFrom, int level = kSaimoku) {
        std::vector<std::vector<std::string>> items;
        for (int k = 1; k <= n; ++k) {
            if (k < headedFrom) {
                items.push_back({itemRow(k, 1, {{GyouRecord::Hinmei, "I" + std::to_string(k)}})});
                continue;
            }
            items.push_back({itemRow(k, 1, {{GyouRecord::Kigou, std::to_string(k)},
                                            {GyouRecord::Hinmei, "H" + std::to_string(k)},
                                            {GyouRecord::BunNo, code4(level)}}),
                             itemRow(k, 2, {{GyouRecord::Hinmei, "P" + std::to_string(k)}})});
        }
        openItems(items);
    }
    void chooseLevel(int box) {
        backend.expectDialog([box](DialogDriver& dd) {
            EXPECT_EQ(dd.dialog().isChecked(CKoumokuDialog::kSaimoku), 1);
            dd.click(box);
            for (int id : {CKoumokuDialog::kSaimoku, CKoumokuDialog::kSyoukoumoku, CKoumokuDialog::kTyuukoumoku,
                           CKoumokuDialog::kDaikoumoku})
                EXPECT_EQ(dd.dialog().isChecked(id), id == box ? 1 : 0);
            dd.click(IDOK);
        }, CKoumokuDialog::kDialogId);
    }
    void goTo(int koumoku) {
        doc->m_CurKoumoku[0] = koumoku;
        view->LoadKoumoku();
        placeCursor(1, 1, GyouRecord::Hinmei);
    }
};

TEST_F(Syuukei, SaimokuListsTheHeadingsOfTheItemsThatFollow) {
    openHeaded(6, 3);
    goTo(3);
    chooseLevel(CKoumokuDialog::kSaimoku);
    run(ID_KOUMOKU_SYUUKEI);
    EXPECT_TRUE(KivRecordedMessages().empty());
    EXPECT_EQ(doc->m_KoumokuCount, 7);
    EXPECT_EQ(doc->m_CurKoumoku[0], 3);
    EXPECT_EQ(cursorRow(), 1);
    const auto rows = poolRows(3);
    ASSERT_EQ(rows.size(), 5u);
    for (int j = 0; j < 4; ++j) {
        const std::string& r = rows[static_cast<std::size_t>(j)];
        EXPECT_EQ(std::string(GyouRecord::text(r, GyouRecord::Kigou)), std::to_string(j + 3));
        EXPECT_EQ(name(r), "H" + std::to_string(j + 3));
        EXPECT_EQ(fieldOf(r, GyouRecord::HiroidasiSuu1), "       1");
        EXPECT_EQ(fieldOf(r, GyouRecord::Tanni) + fieldOf(r, GyouRecord::TanniTail), sj("式") + "  ");
        EXPECT_EQ(fieldOf(r, GyouRecord::KoumokuNo) + fieldOf(r, GyouRecord::GyouNo), "0003" + code4(j + 1));
    }
    EXPECT_EQ(name(rows[4]), "");
    EXPECT_TRUE(GyouRecord::isBlank(rows[4], GyouRecord::Kigou));
    // Items 4-7 are the former 3-6, unchanged.
    for (int k = 4; k <= 7; ++k) {
        const auto item = poolRows(k);
        ASSERT_EQ(item.size(), 2u);
        EXPECT_EQ(name(item[0]), "H" + std::to_string(k - 1));
        EXPECT_EQ(fieldOf(item[0], GyouRecord::HiroidasiSuu1), "        ");
    }
}

TEST_F(Syuukei, BlankSymbolIsLeftOutWithTheMessage) {
    openHeaded(4, 2);
    doc->EditPoolGyou(3).replace(static_cast<std::size_t>(GyouRecord::layout(GyouRecord::Kigou).Offset), 4, "    ");
    doc->RebuildGyouIndex();
    goTo(2);
    chooseLevel(CKoumokuDialog::kSaimoku);
    run(ID_KOUMOKU_SYUUKEI);
    const auto rows = poolRows(2);
    ASSERT_EQ(rows.size(), 3u);   // items 2 and 4 (the former) listed, then the empty row
    EXPECT_EQ(name(rows[0]), "H2");
    EXPECT_EQ(name(rows[1]), "H4");
    ASSERT_EQ(KivRecordedMessages().size(), 1u);
    EXPECT_EQ(KivRecordedMessages()[0],
              "記号に項目番号が入ってないか、作成した項目の１行目の分類が細目でないものは表示されませんので確認してください");
}

TEST_F(Syuukei, ListEndsBeforeARepeatedSymbol) {
    openHeaded(4, 1);
    // Item 3 is an earlier summary: its rows repeat the symbols 3 and 4 of the items after it.
    doc->SetPoolGyou(5, itemRow(3, 2, {{GyouRecord::Kigou, "4"}, {GyouRecord::BunNo, code4(kSaimoku)}}));
    doc->RebuildGyouIndex();
    goTo(1);
    chooseLevel(CKoumokuDialog::kSaimoku);
    run(ID_KOUMOKU_SYUUKEI);
    // Scan order: 1, 2, 3, 4(row 2 of item 3), 4 -> ends before the first 4.
    const auto rows = poolRows(1);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(std::string(GyouRecord::text(rows[0], GyouRecord::Kigou)), "1");
    EXPECT_EQ(std::string(GyouRecord::text(rows[2], GyouRecord::Kigou)), "3");
    EXPECT_EQ(doc->m_GyouCount, 3);
}

TEST_F(Syuukei, StopCodeLeftByAnEarlierReadDoesNotStopTheScan) {
    openHeaded(3, 1);
    goTo(1);
    view->m_BunNo = kDaikoumoku;   // read before the command
    chooseLevel(CKoumokuDialog::kSaimoku);
    run(ID_KOUMOKU_SYUUKEI);
    EXPECT_EQ(poolRows(1).size(), 4u);
}

TEST_F(Syuukei, ScanStopsAfterAnItemEndingWithAHigherHeading) {
    openHeaded(4, 1);
    doc->SetPoolGyou(3, itemRow(2, 2, {{GyouRecord::BunNo, code4(kTyuukoumoku)}}));
    doc->RebuildGyouIndex();
    goTo(1);
    chooseLevel(CKoumokuDialog::kSaimoku);
    run(ID_KOUMOKU_SYUUKEI);
    EXPECT_EQ(poolRows(1).size(), 3u);   // items 1 and 2, then the empty row
}

TEST_F(Syuukei, ManyHeadedItems) {
    openHeaded(151, 2);
    goTo(2);
    chooseLevel(CKoumokuDialog::kSaimoku);
    run(ID_KOUMOKU_SYUUKEI);
    const auto rows = poolRows(2);
    ASSERT_EQ(rows.size(), 151u);
    EXPECT_EQ(std::string(GyouRecord::text(rows[149], GyouRecord::Kigou)), "151");
    EXPECT_EQ(doc->m_KoumokuCount, 152);
}

TEST_F(Syuukei, PendingRowCopyStillPastesItsRows) {
    openHeaded(3, 1);
    g_RowClipboard.Fill(RowClipKind::GyouCopy, {itemRow(9, 1, {{GyouRecord::Hinmei, "COPY"}})});
    g_RowClipboard.Armed = true;
    goTo(1);
    chooseLevel(CKoumokuDialog::kSaimoku);
    run(ID_KOUMOKU_SYUUKEI);
    ASSERT_EQ(poolRows(1).size(), 4u);
    EXPECT_TRUE(g_RowClipboard.PastesIn(*view));
    EXPECT_EQ(g_RowClipboard.Count, 1);
    run(ID_EDIT_PASTE);
    const auto rows = poolRows(1);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(name(rows[0]), "COPY");
    g_RowClipboard.Fill(RowClipKind::None, {});
}

TEST_F(Syuukei, CancelChangesNothing) {
    openHeaded(3, 1);
    const std::vector<std::string> before(doc->PoolRows().begin(), doc->PoolRows().end());
    backend.expectDialog([](DialogDriver& dd) { dd.click(IDCANCEL); }, CKoumokuDialog::kDialogId);
    run(ID_KOUMOKU_SYUUKEI);
    EXPECT_EQ(std::vector<std::string>(doc->PoolRows().begin(), doc->PoolRows().end()), before);
}

// ---------------------------------------------------------------------------------------------
// 合計入力

TEST_F(ItemCommands, SubtotalRowsLandAtAndBelowTheCursor) {
    writeStandardMaster();
    open(namedRows(3));
    placeCursor(2, 2, GyouRecord::Hinmei);
    backend.expectDialog([](DialogDriver& dd) {
        EXPECT_EQ(dd.textUtf8(CGoukeiDialog::kSyoukeiLabel), "　　計　　");
        EXPECT_EQ(dd.textUtf8(CGoukeiDialog::kSaikeiLabel), "　小　計　");
        EXPECT_EQ(dd.textUtf8(CGoukeiDialog::kSoukeiLabel), "　合　計　");
        EXPECT_EQ(dd.dialog().getCount(CGoukeiDialog::kTyuukeiLabel), 4);
        EXPECT_EQ(dd.textUtf8(CGoukeiDialog::kKeihi1Name), "現場管理費");
        EXPECT_EQ(dd.text(CGoukeiDialog::kKeihi1Ritu), "    10");
        EXPECT_EQ(dd.textUtf8(CGoukeiDialog::kKeihi2Name), "消費税");
        dd.click(IDOK);
    }, CGoukeiDialog::kDialogId);
    run(ID_GOUKEI_INPUT);
    // Even the first insertion since the view was activated goes below the cursor's row, so a
    // total sums the row it was asked under.
    auto rows = poolRows(1);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(name(rows[1]), "R2");
    EXPECT_EQ(fieldOf(rows[2], GyouRecord::BunNo), code4(kSyoukei));
    EXPECT_EQ(fieldOf(rows[2], GyouRecord::BunGyouNo), "9999");
    EXPECT_EQ(fieldOf(rows[2], GyouRecord::Hinmei), padded(GyouRecord::Hinmei, sj("　　計　　")));
    EXPECT_EQ(name(rows[3]), "R3");
    EXPECT_EQ(cursorRow(), 3);

    // A second one lands below it; a label "計" is padded with blanks.
    backend.expectDialog([](DialogDriver& dd) { dd.type(CGoukeiDialog::kTyuukeiLabel, "計").click(CGoukeiDialog::kTyuukei); },
                         CGoukeiDialog::kDialogId);
    run(ID_GOUKEI_INPUT);
    rows = poolRows(1);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(fieldOf(rows[3], GyouRecord::BunNo), code4(kTyuukei));
    EXPECT_EQ(fieldOf(rows[3], GyouRecord::Hinmei), padded(GyouRecord::Hinmei, sj("計")));
    EXPECT_EQ(cursorRow(), 4);

    // After the window was activated again the next one still goes below the cursor.
    view->onActivateView(true, view.get(), nullptr);
    // A long label is cut at 10 bytes on a character boundary.
    backend.expectDialog([](DialogDriver& dd) { dd.type(CGoukeiDialog::kSoukeiLabel, "a小計合計計").click(CGoukeiDialog::kSoukei); },
                         CGoukeiDialog::kDialogId);
    run(ID_GOUKEI_INPUT);
    rows = poolRows(1);
    EXPECT_EQ(fieldOf(rows[3], GyouRecord::BunNo), code4(kTyuukei));
    EXPECT_EQ(fieldOf(rows[4], GyouRecord::BunNo), code4(kHyousiKei));
    EXPECT_EQ(fieldOf(rows[4], GyouRecord::Hinmei), padded(GyouRecord::Hinmei, sj("a小計合計")));
    EXPECT_EQ(cursorRow(), 5);
    EXPECT_TRUE(KivRecordedMessages().empty());
    // Every template slot is filled from the master, the empty kinds stay empty.
    EXPECT_EQ(fieldOf(doc->m_KeisanTemplate[11], GyouRecord::BunNo), code4(kKeihi1));
    EXPECT_TRUE(doc->m_KeisanTemplate[0].empty());
}

TEST_F(ItemCommands, TotalOnTheLastScreenRowGoesBelowIt) {
    writeStandardMaster();
    open(namedRows(12));
    const int last = view->m_VisibleGyou;
    ASSERT_GT(last, 1);
    ASSERT_LT(last, 12);
    placeCursor(last, last, GyouRecord::Hinmei);
    backend.expectDialog([](DialogDriver& dd) { dd.click(IDOK); }, CGoukeiDialog::kDialogId);
    run(ID_GOUKEI_INPUT);
    const auto rows = poolRows(1);
    ASSERT_EQ(rows.size(), 13u);
    EXPECT_EQ(name(rows[static_cast<std::size_t>(last - 1)]), "R" + std::to_string(last));
    EXPECT_EQ(fieldOf(rows[static_cast<std::size_t>(last)], GyouRecord::BunNo), code4(kSyoukei));
    EXPECT_EQ(cursorRow(), last + 1);
}

TEST_F(ItemCommands, AKindWithoutItsCodeInsertsNothingAndNamesTheKind) {
    writeStandardMaster();
    struct Case {
        int button;
        EnzanCode cleared;   // besides the kinds the settings file leaves without a code
        const char* kind;
    };
    const Case cases[] = {
        {CGoukeiDialog::kSaikei, EnzanCode::Saikei, "細計"},
        {CGoukeiDialog::kNaikei, EnzanCode::KoumokunaiKei, "項目内計"},
        {IDOK, EnzanCode::Syoukei, "小計"},
        {CGoukeiDialog::kTyuukei, EnzanCode::Tyuukei, "中計"},
        {CGoukeiDialog::kSoukei, EnzanCode::HyousiKei, "表紙計"},
        {CGoukeiDialog::kKeihi1, EnzanCode::Keihi1, "経費1"},
        {CGoukeiDialog::kKeihi2, EnzanCode::Syouhizei, "消費税"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        open(namedRows(3));
        const SetteiValues codes = doc->m_SetteiValues;
        doc->m_SetteiValues.codes[static_cast<std::size_t>(c.cleared)] = 0;
        placeCursor(2, 2, GyouRecord::Hinmei);
        view->StoreKoumoku();
        const std::vector<std::string> before = poolRows(1);
        ClearKivRecordedMessages();
        const int button = c.button;
        backend.expectDialog([button](DialogDriver& dd) { dd.click(button); }, CGoukeiDialog::kDialogId);
        run(ID_GOUKEI_INPUT);
        EXPECT_EQ(poolRows(1), before);
        ASSERT_EQ(KivRecordedMessages().size(), 1u);
        EXPECT_NE(KivRecordedMessages()[0].find(std::string("「") + c.kind + "」"), std::string::npos)
            << KivRecordedMessages()[0];
        EXPECT_NE(KivRecordedMessages()[0].find("演算分類設定"), std::string::npos);
        EXPECT_EQ(cursorRow(), 2);
        doc->m_SetteiValues = codes;
    }
}

TEST_F(ItemCommands, ExpenseRowCarriesTheTemplatesCategoryAndTheRate) {
    writeStandardMaster();
    open(namedRows(1));
    backend.expectDialog([](DialogDriver& dd) { dd.click(CGoukeiDialog::kKeihi1); }, CGoukeiDialog::kDialogId);
    run(ID_GOUKEI_INPUT);
    const auto rows = poolRows(1);
    ASSERT_EQ(rows.size(), 2u);
    const std::string& r = rows[1];
    EXPECT_EQ(fieldOf(r, GyouRecord::BunNo), code4(kKeihi1));
    EXPECT_EQ(fieldOf(r, GyouRecord::BunGyouNo), "0002");
    EXPECT_EQ(fieldOf(r, GyouRecord::Kakeritu), "    10");
    EXPECT_EQ(name(r), sj("現場管理費"));
    EXPECT_EQ(fieldOf(r, GyouRecord::Tanni), sj("式"));
    EXPECT_EQ(fieldOf(r, GyouRecord::Hokyuu), "  1.0");

    // The tax line with a typed rate.
    backend.expectDialog([](DialogDriver& dd) { dd.type(CGoukeiDialog::kKeihi2Ritu, "10").click(CGoukeiDialog::kKeihi2); },
                         CGoukeiDialog::kDialogId);
    run(ID_GOUKEI_INPUT);
    EXPECT_EQ(fieldOf(poolRows(1)[2], GyouRecord::BunNo), code4(kSyouhizei));
    EXPECT_EQ(fieldOf(poolRows(1)[2], GyouRecord::Kakeritu), "    10");
}

TEST_F(ItemCommands, CancelLeavesThePoolByteForByte) {
    writeStandardMaster();
    open(namedRows(3));
    placeCursor(2, 2, GyouRecord::Hinmei);
    view->StoreKoumoku();
    const std::vector<std::string> before(doc->AllPoolSlots().begin(), doc->AllPoolSlots().end());
    backend.expectDialog([](DialogDriver& dd) { dd.click(IDCANCEL); }, CGoukeiDialog::kDialogId);
    run(ID_GOUKEI_INPUT);
    view->StoreKoumoku();
    EXPECT_EQ(std::vector<std::string>(doc->AllPoolSlots().begin(), doc->AllPoolSlots().end()), before);
    EXPECT_EQ(cursorRow(), 2);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(ItemCommands, OldLayoutMasterGivesNoTemplatesButTotalsStillWork) {
    std::string old = masterRow(kKeihi1, 2, {{GyouRecord::Hinmei, sj("現場管理費")}}).substr(0, 1252);
    writeMaster({old});
    open(namedRows(1));
    backend.expectDialog([](DialogDriver& dd) {
        EXPECT_EQ(dd.text(CGoukeiDialog::kKeihi1Name), "");
        EXPECT_EQ(dd.text(CGoukeiDialog::kKeihi1Ritu), "");
        dd.click(CGoukeiDialog::kSoukei);
    }, CGoukeiDialog::kDialogId);
    run(ID_GOUKEI_INPUT);
    ASSERT_EQ(KivRecordedMessages().size(), 1u);
    EXPECT_EQ(KivRecordedMessages()[0], kMstOldLayoutMessage);
    EXPECT_EQ(fieldOf(poolRows(1)[1], GyouRecord::BunNo), code4(kHyousiKei));
}

TEST_F(ItemCommands, MissingOrDamagedMasterInsertsNothing) {
    open(namedRows(2));
    run(ID_GOUKEI_INPUT);   // no dialog opens
    ASSERT_EQ(KivRecordedMessages().size(), 1u);
    EXPECT_NE(KivRecordedMessages()[0].find("Eﾏｽﾀｰ.MST"), std::string::npos);
    EXPECT_EQ(poolRows(1).size(), 2u);

    // A count promising more rows than the file holds.
    kiv::archive::ArchiveWriter w;
    w.writeInt32(3);
    w.writeString(masterRow(kKeihi1, 2));
    ASSERT_TRUE(kiv::files::writeFileAtomically(exeDir / "Eﾏｽﾀｰ.MST", w.bytes()));
    run(ID_GOUKEI_INPUT);
    ASSERT_EQ(KivRecordedMessages().size(), 2u);
    EXPECT_NE(KivRecordedMessages()[1].find("壊れ"), std::string::npos);
    EXPECT_EQ(poolRows(1).size(), 2u);
}

TEST_F(ItemCommands, RateThatIsNotANumberIsRefused) {
    writeStandardMaster();
    open(namedRows(1));
    backend.expectDialog([this](DialogDriver& dd) {
        backend.expectMessageBox(IDOK, "率");
        dd.type(CGoukeiDialog::kKeihi1Ritu, "abc").click(CGoukeiDialog::kKeihi1);
        EXPECT_FALSE(dd.ended());
        dd.click(IDCANCEL);
    }, CGoukeiDialog::kDialogId);
    run(ID_GOUKEI_INPUT);
    EXPECT_EQ(poolRows(1).size(), 1u);
}

// ---------------------------------------------------------------------------------------------
// The master's template reader

TEST(MstFileReader, TemplatesFromRow2OfEachCategoryLaterMatchWins) {
    SetteiValues codes;
    codes.codes[static_cast<std::size_t>(EnzanCode::Tugite)] = 50;
    codes.codes[static_cast<std::size_t>(EnzanCode::Keihi1)] = 40;
    auto row = [](int bun, int gyou, const char* name) {
        std::string r = GyouRecord::blankRow();
        GyouRecord::writeKey(r, bun, gyou);
        GyouRecord::putText(r, GyouRecord::Hinmei, name);
        return r;
    };
    kiv::archive::ArchiveWriter w;
    w.writeInt32(5);
    w.writeString(row(0, 2, "free"));   // free slot: dropped
    w.writeString(row(50, 1, "one"));
    w.writeString(row(50, 2, "first"));
    w.writeString(row(50, 2, "later"));
    w.writeString(row(40, 3, "three"));
    auto rows = ParseMstRows(w.bytes());
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->size(), 4u);
    const KeisanTemplates t = FindKeisanTemplates(*rows, codes);
    EXPECT_FALSE(t.oldLayout);
    EXPECT_EQ(std::string(GyouRecord::text(t.rows[0], GyouRecord::Hinmei)), "later");
    EXPECT_EQ(std::string(GyouRecord::raw(t.rows[0], GyouRecord::BunNo)), "0050");
    EXPECT_TRUE(t.rows[11].empty());
    EXPECT_EQ(t.rows[0].size(), 1400u);

    // Every cut-off point of the file is refused, never read past.
    for (std::size_t n = 0; n < w.bytes().size(); n += 97)
        EXPECT_FALSE(ParseMstRows(std::string_view(w.bytes()).substr(0, n))) << n;
}

} // namespace
