#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "estimate/KivMessage.h"
#include "platform/files/Files.h"
#include "support/TempDir.h"

namespace {

const std::string kMsgPoolFull = "データ数が最大値を超えました。これ以上は入力できません。";
const std::string kMsgKoumokuFull = "１項目の行数が最大値を超えました。これ以上は入力できません。";
const std::string kMsgTruncated = "データ数が最大値を超えましたので途中までしか読み込みできませんでした。";

// A 1400-byte row keyed (item, row) with a name in 品名.
std::string makeRow(int item, int gyou, const std::string& name = "") {
    std::string row = GyouRecord::blankRow();
    GyouRecord::writeKey(row, item, gyou);
    GyouRecord::putText(row, GyouRecord::Hinmei, name);
    return row;
}

std::string freeRow(const std::string& key = "    ") {
    std::string row = GyouRecord::blankRow();
    row.replace(0, key.size(), key);
    return row;
}

// Puts rows into the pool the way reading a file does, and opens item 1.
void loadPool(CKivDoc& doc, const std::vector<std::string>& rows) {
    doc.ClearGyou();
    for (std::size_t i = 0; i < rows.size(); ++i)
        doc.SetPoolGyou(i, rows[i]);
    doc.SetPoolGyouCount(static_cast<int>(rows.size()));
    doc.RebuildGyouIndex();
    doc.m_CurKoumoku[0] = 1;
    doc.LoadKoumokuGyou();
}

// "key name" of each counted pool row, "free" for a free row.
std::vector<std::string> poolRows(const CKivDoc& doc) {
    std::vector<std::string> out;
    for (int i = 0; i < doc.PoolGyouCount(); ++i) {
        const std::string& row = doc.PoolGyou(i);
        EXPECT_EQ(row.size(), 1400u) << "pool row " << i;
        if (GyouRecord::isFreeRow(row))
            out.push_back("free");
        else
            out.push_back(row.substr(0, 8) + " " + std::string(GyouRecord::text(row, GyouRecord::Hinmei)));
    }
    return out;
}

std::vector<std::string> workRows(const CKivDoc& doc) {
    std::vector<std::string> out;
    for (int k = 0; k < doc.m_GyouCount; ++k) {
        const std::string& row = doc.WorkGyouAt(k + 1);
        out.push_back(row.substr(0, 8) + " " + std::string(GyouRecord::text(row, GyouRecord::Hinmei)));
    }
    return out;
}

// What the grid view does to append a row to the current item: build it, reserve a slot, count it.
bool appendRow(CKivDoc& doc, const std::string& name) {
    doc.m_CurGyou[0] = doc.m_GyouCount + 1;
    doc.SetCurrentGyou(makeRow(doc.m_CurKoumoku[0], doc.m_CurGyou[0], name));
    if (!doc.AddGyou())
        return false;
    ++doc.m_GyouCount;
    return true;
}

// A stand-in for the grid view: opens a row at the cursor as the view's row insertion does.
class FakeView : public KivDocView {
public:
    explicit FakeView(CKivDoc& doc) : m_Doc(doc) { doc.SetView(this); }
    ~FakeView() override { m_Doc.SetView(nullptr); }
    void ReloadGyou() override { ++reloads; }
    bool InsertGyou() override {
        ++inserts;
        if (refuse || !m_Doc.AddGyou())
            return false;
        const int cur = m_Doc.m_CurGyou[0];
        ++m_Doc.m_GyouCount;
        for (int k = m_Doc.m_GyouCount; k > cur; --k) {
            std::string& row = m_Doc.EditWorkGyou(k);
            row = m_Doc.WorkGyouAt(k - 1);
            GyouRecord::writeKey(row, m_Doc.m_CurKoumoku[0], k);
        }
        m_Doc.EditWorkGyou(cur) = makeRow(m_Doc.m_CurKoumoku[0], cur);
        return true;
    }
    void ApplyBubunTensou() override { applied = m_Doc.m_TensouGyou; }
    void OnDocumentUpdate() override { ++updates; }

    int reloads = 0, inserts = 0, updates = 0;
    bool refuse = false;
    std::string applied;

private:
    CKivDoc& m_Doc;
};

class KivDocTest : public testing::Test {
protected:
    void SetUp() override {
        ClearKivPrompts();
        ASSERT_EQ(g_pKivDoc, nullptr);
        for (CKivDoc* d : g_OpenKivDocs.Slot)
            ASSERT_EQ(d, nullptr);
        // Every reference file present (empty) and the profile kept apart: no message at creation.
        for (const char* name : {"労務単価.rab", "電気設定.ett", "ヘッダー.hdr", "表紙.frm"})
            ASSERT_TRUE(kiv::files::writeFileAtomically(m_ExeDir / name, ""));
        CKivDoc::SetRunMode("1");
        CKivDoc::SetProgramDirectory(m_ExeDir.path());
        // Closing writes a backup: not into the test's working folder.
        CKivDoc::s_BackupWriter = [](CKivDoc&) {};
    }
    void TearDown() override {
        CKivDoc::s_BackupWriter = nullptr;
        CKivDoc::SetProgramDirectory({});
        CKivDoc::SetRunMode("");
    }

    const std::vector<std::string>& messages() { return KivRecordedMessages(); }

    kiv::test::ScopedProfileHome m_Home;
    kiv::test::TempDir m_ExeDir;
};

// Items 1-3: two rows, one row, two rows whose row numbers are out of step with their places.
const std::vector<std::string> kThreeItems = {
    makeRow(1, 1, "A1"), makeRow(1, 2, "A2"), makeRow(2, 1, "B1"), makeRow(3, 5, "C1"), makeRow(3, 7, "C2"),
};

} // namespace

TEST_F(KivDocTest, NewEstimateHoldsOneRow) {
    auto doc = std::make_unique<CKivDoc>();
    EXPECT_EQ(g_pKivDoc, doc.get());
    EXPECT_EQ(doc->m_OpenSlot, 0);
    EXPECT_EQ(doc->PoolGyouCount(), 1);
    EXPECT_EQ(doc->m_KoumokuCount, 1);
    EXPECT_EQ(doc->m_GyouCount, 1);
    std::string expected = "00010001" + std::string(1392, ' ');
    expected.replace(272, 5, "  1.0");
    EXPECT_EQ(doc->PoolGyou(0), expected);
    EXPECT_EQ(doc->WorkGyouAt(1), expected);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(messages().empty());
}

TEST_F(KivDocTest, InsertItemRenumbersTheFollowingItems) {
    struct Case {
        int at;
        std::vector<std::string> pool;
    };
    const Case cases[] = {
        {1, {"00020001 A1", "00020002 A2", "00030001 B1", "00040001 C1", "00040002 C2", "00010001 "}},
        {2, {"00010001 A1", "00010002 A2", "00030001 B1", "00040001 C1", "00040002 C2", "00020001 "}},
        {3, {"00010001 A1", "00010002 A2", "00020001 B1", "00040001 C1", "00040002 C2", "00030001 "}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.at);
        auto doc = std::make_unique<CKivDoc>();
        loadPool(*doc, kThreeItems);
        doc->m_CurKoumoku[0] = c.at;
        ASSERT_TRUE(doc->InsertKoumoku());
        EXPECT_EQ(poolRows(*doc), c.pool);
        EXPECT_EQ(doc->m_KoumokuCount, 4);
        EXPECT_EQ(doc->m_CurKoumoku[0], c.at);
        EXPECT_EQ(doc->m_GyouCount, 1);
        EXPECT_EQ(doc->m_CurGyou[0], 1);
        // The index follows the new keys, and the new item's row carries the supply factor.
        EXPECT_EQ(doc->KoumokuOfSlot(5), c.at);
        EXPECT_EQ(doc->PoolGyou(5).substr(272, 5), "  1.0");
    }
}

TEST_F(KivDocTest, InsertItemReusesAFreeRow) {
    auto doc = std::make_unique<CKivDoc>();
    loadPool(*doc, {makeRow(1, 1, "A1"), freeRow(), makeRow(2, 1, "B1")});
    doc->m_CurKoumoku[0] = 2;
    ASSERT_TRUE(doc->InsertKoumoku());
    EXPECT_EQ(poolRows(*doc), (std::vector<std::string>{"00010001 A1", "00020001 ", "00030001 B1"}));
}

TEST_F(KivDocTest, DeleteItemRenumbersTheFollowingItems) {
    struct Case {
        int at;
        std::vector<std::string> pool;
        int current, count;
        std::vector<std::string> work;
    };
    const Case cases[] = {
        {1, {"free", "free", "00010001 B1", "00020001 C1", "00020002 C2"}, 1, 2, {"00010001 B1"}},
        {2, {"00010001 A1", "00010002 A2", "free", "00020001 C1", "00020002 C2"}, 2, 2, {"00020001 C1", "00020002 C2"}},
        // The last item: the current item becomes the new last one.
        {3, {"00010001 A1", "00010002 A2", "00020001 B1", "free", "free"}, 2, 2, {"00020001 B1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.at);
        auto doc = std::make_unique<CKivDoc>();
        loadPool(*doc, kThreeItems);
        doc->m_CurKoumoku[0] = c.at;
        doc->DeleteKoumoku();
        EXPECT_EQ(poolRows(*doc), c.pool);
        EXPECT_EQ(doc->m_CurKoumoku[0], c.current);
        EXPECT_EQ(doc->m_KoumokuCount, c.count);
        EXPECT_EQ(workRows(*doc), c.work);
    }
}

TEST_F(KivDocTest, DeletingTheOnlyItemLeavesAFreshItemOne) {
    auto doc = std::make_unique<CKivDoc>();
    loadPool(*doc, {makeRow(1, 1, "A1"), makeRow(1, 2, "A2")});
    doc->DeleteKoumoku();
    EXPECT_EQ(poolRows(*doc), (std::vector<std::string>{"00010001 ", "free"}));
    EXPECT_EQ(doc->PoolGyou(0).substr(272, 5), "  1.0");
    EXPECT_EQ(doc->m_KoumokuCount, 1);
    EXPECT_EQ(doc->m_CurKoumoku[0], 1);
    EXPECT_EQ(workRows(*doc), (std::vector<std::string>{"00010001 "}));
}

TEST_F(KivDocTest, IndexAfterRebuildWithFreeRowsBetweenItems) {
    auto doc = std::make_unique<CKivDoc>();
    // Blank, negative and non-numeric item numbers are free rows.
    loadPool(*doc, {makeRow(1, 1, "A1"), freeRow(), makeRow(2, 1, "B1"), freeRow("-001"), makeRow(1, 2, "A2"),
                    freeRow("abcd"), makeRow(2, 2, "B2")});
    const int expected[] = {1, 0, 2, 0, 1, 0, 2};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(doc->KoumokuOfSlot(i), expected[i]) << i;
    EXPECT_EQ(doc->m_KoumokuCount, 2);
    EXPECT_EQ(doc->PoolGyouCount(), 7);
    EXPECT_EQ(workRows(*doc), (std::vector<std::string>{"00010001 A1", "00010002 A2"}));
    doc->m_CurKoumoku[0] = 2;
    doc->LoadKoumokuGyou();
    EXPECT_EQ(workRows(*doc), (std::vector<std::string>{"00020001 B1", "00020002 B2"}));
}

TEST_F(KivDocTest, AddedRowsFillFreeSlotsBeforeGrowingThePool) {
    auto doc = std::make_unique<CKivDoc>();
    loadPool(*doc, {makeRow(1, 1, "A1"), freeRow(), makeRow(2, 1, "B1"), freeRow("-001")});
    doc->m_CurKoumoku[0] = 2;
    doc->LoadKoumokuGyou();
    const int slots[] = {1, 3, 4, 5};
    const int counts[] = {4, 4, 5, 6};
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(appendRow(*doc, "N" + std::to_string(i)));
        EXPECT_EQ(doc->KoumokuOfSlot(slots[i]), 2) << i;
        EXPECT_EQ(doc->PoolGyou(slots[i]), GyouRecord::blankRow()) << "the slot handed out is blank";
        EXPECT_EQ(doc->PoolGyouCount(), counts[i]) << i;
    }
    doc->StoreKoumokuGyou();
    doc->RebuildGyouIndex();
    // The item's slots in pool order take its work rows in order, so a slot reused ahead of the
    // item's first row still holds row 1.
    EXPECT_EQ(poolRows(*doc), (std::vector<std::string>{"00010001 A1", "00020001 B1", "00020002 N0",
                                                        "00020003 N1", "00020004 N2", "00020005 N3"}));
    doc->LoadKoumokuGyou();
    EXPECT_EQ(workRows(*doc), (std::vector<std::string>{"00020001 B1", "00020002 N0", "00020003 N1",
                                                        "00020004 N2", "00020005 N3"}));
}

TEST_F(KivDocTest, LoadAndStoreTheWorkAreaWithAnAddedRow) {
    auto doc = std::make_unique<CKivDoc>();
    loadPool(*doc, kThreeItems);
    doc->m_CurKoumoku[0] = 2;
    ASSERT_TRUE(doc->LoadKoumokuGyou());
    EXPECT_EQ(workRows(*doc), (std::vector<std::string>{"00020001 B1"}));
    EXPECT_FALSE(doc->IsModified());

    // Change row 1, add row 2, store.
    std::string row;
    doc->GetCurrentGyou(row);
    GyouRecord::putText(row, GyouRecord::Hinmei, "B1x");
    ASSERT_TRUE(doc->SetCurrentGyou(row));
    EXPECT_TRUE(doc->IsModified());
    ASSERT_TRUE(appendRow(*doc, "B2"));
    EXPECT_EQ(doc->m_GyouCount, 2);
    doc->StoreKoumokuGyou();
    EXPECT_EQ(poolRows(*doc), (std::vector<std::string>{"00010001 A1", "00010002 A2", "00020001 B1x", "00030005 C1",
                                                        "00030007 C2", "00020002 B2"}));

    // A row stored without an item number frees its slot at once.
    doc->m_CurGyou[0] = 1;
    doc->SetCurrentGyou(GyouRecord::blankRow());
    doc->StoreKoumokuGyou();
    EXPECT_EQ(doc->KoumokuOfSlot(2), 0);
    EXPECT_EQ(doc->KoumokuOfSlot(5), 2);
}

TEST_F(KivDocTest, AnItemWithoutRowsGetsRowOne) {
    auto doc = std::make_unique<CKivDoc>();
    loadPool(*doc, kThreeItems);
    doc->m_CurKoumoku[0] = 4;
    ASSERT_TRUE(doc->LoadKoumokuGyou());
    EXPECT_EQ(workRows(*doc), (std::vector<std::string>{"00040001 "}));
    EXPECT_EQ(doc->PoolGyouCount(), 6);
    EXPECT_EQ(doc->KoumokuOfSlot(5), 4);
    doc->StoreKoumokuGyou();
    EXPECT_EQ(doc->PoolGyou(5).substr(0, 8), "00040001");
    EXPECT_EQ(doc->PoolGyou(5).substr(272, 5), "  1.0");
}

TEST_F(KivDocTest, UnfilledWorkRowsReadAsBlankRows) {
    auto doc = std::make_unique<CKivDoc>();
    doc->m_CurGyou[0] = 7;
    std::string row = "stale";
    doc->GetCurrentGyou(row);
    EXPECT_EQ(row, GyouRecord::blankRow());
    // A short row handed in is kept as a full row.
    doc->SetCurrentGyou("00010007");
    doc->GetCurrentGyou(row);
    EXPECT_EQ(row, "00010007" + std::string(1392, ' '));
    doc->m_CurGyou[0] = 0;
    EXPECT_FALSE(doc->SetCurrentGyou(row));
}

TEST_F(KivDocTest, UndoSnapshotRestoresRowsIndexAndCounts) {
    auto doc = std::make_unique<CKivDoc>();
    loadPool(*doc, kThreeItems);
    const std::vector<std::string> before = poolRows(*doc);
    doc->SaveUndoSnapshot();
    EXPECT_EQ(doc->UndoGyou(3), kThreeItems[3]);
    EXPECT_EQ(doc->KoumokuOfSlot(CKivDoc::kUndoIndexBase + 3), 3);
    EXPECT_EQ(doc->UndoPoolGyouCount(), 5);
    EXPECT_EQ(doc->UndoGyouCount(), 2);

    doc->m_CurKoumoku[0] = 1;
    doc->DeleteKoumoku();
    ASSERT_TRUE(appendRow(*doc, "X"));
    doc->StoreKoumokuGyou();
    ASSERT_NE(poolRows(*doc), before);

    doc->RestoreUndoSnapshot();
    EXPECT_EQ(poolRows(*doc), before);
    EXPECT_EQ(doc->PoolGyouCount(), 5);
    EXPECT_EQ(doc->m_GyouCount, 2);
    EXPECT_EQ(doc->m_KoumokuCount, 3);
    EXPECT_EQ(doc->KoumokuOfSlot(3), 3);

    doc->ClearUndoGyou();
    EXPECT_TRUE(doc->UndoGyou(0).empty());
}

TEST_F(KivDocTest, PoolLimitOf9999Rows) {
    auto doc = std::make_unique<CKivDoc>();
    // 9998 rows over two items: the 9999th row can be added, the 10000th cannot.
    std::vector<std::string> rows;
    for (int i = 0; i < 9998; ++i)
        rows.push_back(i < 5000 ? makeRow(1, i + 1) : makeRow(2, i - 4999));
    loadPool(*doc, rows);
    doc->m_CurKoumoku[0] = 2;
    doc->LoadKoumokuGyou();
    ASSERT_EQ(doc->m_GyouCount, 4998);
    ASSERT_TRUE(appendRow(*doc, "last"));
    EXPECT_EQ(doc->PoolGyouCount(), 9999);
    EXPECT_TRUE(messages().empty());

    EXPECT_FALSE(appendRow(*doc, "over"));
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgPoolFull});
    EXPECT_EQ(doc->PoolGyouCount(), 9999);
    EXPECT_EQ(doc->m_GyouCount, 4999);

    // A full pool refuses a new item too, and nothing is renumbered.
    ClearKivRecordedMessages();
    doc->StoreKoumokuGyou();
    const std::string firstKey = doc->PoolGyou(0).substr(0, 8);
    doc->m_CurKoumoku[0] = 1;
    EXPECT_FALSE(doc->InsertKoumoku());
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgPoolFull});
    EXPECT_EQ(doc->PoolGyou(0).substr(0, 8), firstKey);
    EXPECT_EQ(doc->m_KoumokuCount, 2);
}

TEST_F(KivDocTest, ItemLimitOf9999Rows) {
    auto doc = std::make_unique<CKivDoc>();
    std::vector<std::string> rows;
    for (int i = 0; i < 9999; ++i)
        rows.push_back(makeRow(1, i + 1));
    loadPool(*doc, rows);
    ASSERT_EQ(doc->m_GyouCount, 9999);
    EXPECT_FALSE(appendRow(*doc, "over"));
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgKoumokuFull});
    EXPECT_EQ(doc->m_GyouCount, 9999);
}

TEST_F(KivDocTest, MoreThan9999RowsAreCutWithAMessage) {
    auto doc = std::make_unique<CKivDoc>();
    std::vector<std::string> rows;
    for (int i = 0; i < 10001; ++i)
        rows.push_back(makeRow(1 + i / 5000, i % 5000 + 1));
    loadPool(*doc, rows);
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgTruncated});
    EXPECT_EQ(doc->PoolGyouCount(), 9999);
    EXPECT_EQ(doc->m_KoumokuCount, 2);
    EXPECT_EQ(doc->KoumokuOfSlot(9999), 0);
}

TEST_F(KivDocTest, ItemNumbersStopAt9999) {
    auto doc = std::make_unique<CKivDoc>();
    loadPool(*doc, {makeRow(1, 1, "A1"), makeRow(9999, 1, "Z1")});
    ASSERT_EQ(doc->m_KoumokuCount, 9999);
    doc->m_CurKoumoku[0] = 1;
    EXPECT_FALSE(doc->InsertKoumoku());
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgPoolFull});
    EXPECT_EQ(poolRows(*doc), (std::vector<std::string>{"00010001 A1", "99990001 Z1"}));

    // Below the limit it works, and the last item reaches 9999.
    ClearKivRecordedMessages();
    loadPool(*doc, {makeRow(1, 1, "A1"), makeRow(9998, 1, "Z1")});
    ASSERT_TRUE(doc->InsertKoumoku());
    EXPECT_EQ(poolRows(*doc), (std::vector<std::string>{"00020001 A1", "99990001 Z1", "00010001 "}));
    EXPECT_TRUE(messages().empty());
}

TEST_F(KivDocTest, FirstRowAfterALoadThatKeptNoRowIsCounted) {
    auto doc = std::make_unique<CKivDoc>();
    loadPool(*doc, {});
    EXPECT_EQ(doc->PoolGyouCount(), 1);
    EXPECT_EQ(doc->m_KoumokuCount, 1);
    EXPECT_EQ(poolRows(*doc), (std::vector<std::string>{"00010001 "}));
    // The next row goes after it, not over it.
    ASSERT_TRUE(appendRow(*doc, "A2"));
    doc->StoreKoumokuGyou();
    EXPECT_EQ(poolRows(*doc), (std::vector<std::string>{"00010001 ", "00010002 A2"}));
}

TEST_F(KivDocTest, FirstRowIsItemOneWhateverItemWasCurrent) {
    auto doc = std::make_unique<CKivDoc>();
    doc->m_CurKoumoku[0] = 3;
    doc->ClearGyou();
    doc->SetPoolGyouCount(0);
    doc->RebuildGyouIndex();
    EXPECT_EQ(doc->PoolGyou(0).substr(0, 8), "00010001");
    EXPECT_EQ(doc->KoumokuOfSlot(0), 1);
}

TEST_F(KivDocTest, NewDocumentStartsOver) {
    auto doc = std::make_unique<CKivDoc>();
    FakeView view(*doc);
    loadPool(*doc, kThreeItems);
    doc->SetPathName("/tmp/job.KIV");
    doc->SetModifiedFlag();
    auto other = std::make_unique<CKivDoc>();
    ASSERT_EQ(g_pKivDoc, other.get());

    ASSERT_TRUE(doc->OnNewDocument());
    EXPECT_EQ(g_pKivDoc, doc.get());
    EXPECT_EQ(doc->GetPathName(), "");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(poolRows(*doc), (std::vector<std::string>{"00010001 "}));
    EXPECT_EQ(doc->m_KoumokuCount, 1);
    EXPECT_EQ(workRows(*doc), (std::vector<std::string>{"00010001 "}));
    EXPECT_EQ(view.reloads, 1);
}

TEST_F(KivDocTest, MasterRowIsInsertedAtTheCursorWithItsMasterKey) {
    auto doc = std::make_unique<CKivDoc>();
    FakeView view(*doc);
    loadPool(*doc, kThreeItems);
    doc->m_CurGyou[0] = 2;
    // A master row of another length: it becomes a full row before the key is kept at 302-309.
    doc->m_TensouGyou = "00120034" + std::string(8, ' ') + "PIPE";
    ASSERT_TRUE(doc->ReceiveMasterGyou());
    EXPECT_EQ(view.inserts, 1);
    EXPECT_EQ(view.updates, 1);
    EXPECT_EQ(workRows(*doc), (std::vector<std::string>{"00010001 A1", "00010002 PIPE", "00010003 A2"}));
    const std::string& inserted = doc->WorkGyouAt(2);
    EXPECT_EQ(inserted.size(), 1400u);
    EXPECT_EQ(inserted.substr(302, 8), "00120034");
    EXPECT_EQ(doc->m_TensouGyou.size(), 1400u);
    EXPECT_TRUE(doc->IsModified());
    // Stored into the pool at once.
    EXPECT_EQ(poolRows(*doc), (std::vector<std::string>{"00010001 A1", "00010002 PIPE", "00020001 B1", "00030005 C1",
                                                        "00030007 C2", "00010003 A2"}));
}

TEST_F(KivDocTest, MasterRowStopsWhenNoRowCanBeInserted) {
    auto doc = std::make_unique<CKivDoc>();
    loadPool(*doc, kThreeItems);
    doc->m_TensouGyou = makeRow(12, 34, "PIPE");
    EXPECT_FALSE(doc->ReceiveMasterGyou());  // no view
    FakeView view(*doc);
    view.refuse = true;
    EXPECT_FALSE(doc->ReceiveMasterGyou());
    EXPECT_EQ(view.updates, 0);
    EXPECT_EQ(workRows(*doc), (std::vector<std::string>{"00010001 A1", "00010002 A2"}));
    EXPECT_EQ(doc->PoolGyouCount(), 5);
}

TEST_F(KivDocTest, PartialTransferMakesTheEstimateCurrent) {
    auto doc = std::make_unique<CKivDoc>();
    FakeView view(*doc);
    auto other = std::make_unique<CKivDoc>();
    ASSERT_EQ(g_pKivDoc, other.get());
    doc->m_TensouGyou = "00050006";
    doc->ReceiveBubunTensou();
    EXPECT_EQ(g_pKivDoc, doc.get());
    ASSERT_EQ(view.applied.size(), 1400u);
    EXPECT_EQ(view.applied.substr(302, 8), "00050006");
    EXPECT_EQ(view.updates, 1);
}

TEST_F(KivDocTest, ItemLabelsAreCutFromTheTitles) {
    auto doc = std::make_unique<CKivDoc>();
    ASSERT_EQ(doc->m_KoumokuName.size(), 9999u);
    EXPECT_EQ(doc->m_KoumokuName[9998], " ");
    doc->m_KoumokuName[4999] = "5000ABCDname" + std::string(26, ' ') + "spec";
    struct Case {
        int item, start, length;
        std::string text;
    };
    const Case cases[] = {
        {4999, 0, 4, "5000"}, {4999, 4, 4, "ABCD"}, {4999, 8, 4, "name"}, {4999, 38, 30, "spec"},
        {4999, 0, 100, ("5000ABCDname" + std::string(26, ' ') + "spec").substr(0, 42)},
        {4999, 80, 12, ""}, {9999, 0, 4, ""}, {-1, 0, 4, ""},
    };
    for (const Case& c : cases) {
        doc->m_LabelKoumoku = c.item;
        doc->m_LabelStart = c.start;
        doc->m_LabelLength = c.length;
        EXPECT_EQ(doc->GetKoumokuLabel(), c.text) << c.item << " " << c.start;
        EXPECT_EQ(doc->m_RecordBuf, c.text);
    }
}

TEST_F(KivDocTest, ClosingWritesTheBackupOnce) {
    int backups = 0;
    CKivDoc::s_BackupWriter = [&](CKivDoc&) { ++backups; };
    auto doc = std::make_unique<CKivDoc>();
    doc->OnCloseDocument();
    doc->OnCloseDocument();
    EXPECT_EQ(backups, 1);
    EXPECT_EQ(g_pKivDoc, nullptr);
    doc.reset();
    EXPECT_EQ(backups, 1);
}

TEST_F(KivDocTest, FreedSlotsAreReusedLowestFirst) {
    auto a = std::make_unique<CKivDoc>();
    auto b = std::make_unique<CKivDoc>();
    auto c = std::make_unique<CKivDoc>();
    EXPECT_EQ(a->m_OpenSlot, 0);
    EXPECT_EQ(b->m_OpenSlot, 1);
    EXPECT_EQ(c->m_OpenSlot, 2);
    b->OnCloseDocument();
    b.reset();
    a->OnCloseDocument();
    a.reset();
    auto d = std::make_unique<CKivDoc>();
    EXPECT_EQ(d->m_OpenSlot, 0);
    auto e = std::make_unique<CKivDoc>();
    EXPECT_EQ(e->m_OpenSlot, 1);
    // Far more estimates than slots over one run, one open at a time.
    for (int i = 0; i < 100; ++i) {
        auto tmp = std::make_unique<CKivDoc>();
        EXPECT_EQ(tmp->m_OpenSlot, 3);
        tmp->OnCloseDocument();
    }
    EXPECT_EQ(g_OpenKivDocs.Slot[3], nullptr);
}

TEST_F(KivDocTest, AFullTableLeavesTheDocumentWithoutASlot) {
    OpenKivDocTable table;
    auto doc = std::make_unique<CKivDoc>();
    for (int i = 0; i < OpenKivDocTable::Size; ++i)
        EXPECT_EQ(table.Take(doc.get()), i);
    EXPECT_EQ(table.Take(doc.get()), -1);
    table.Release(40);
    EXPECT_EQ(table.Take(doc.get()), 40);
    // Slots outside the table release nothing: the table stays full.
    table.Release(-1);
    table.Release(OpenKivDocTable::Size);
    EXPECT_EQ(table.Take(doc.get()), -1);
    for (CKivDoc* d : table.Slot)
        EXPECT_EQ(d, doc.get());
}

TEST_F(KivDocTest, CurrentEstimateHandOverOnClose) {
    auto a = std::make_unique<CKivDoc>();  // slot 0
    auto b = std::make_unique<CKivDoc>();  // slot 1
    auto c = std::make_unique<CKivDoc>();  // slot 2
    auto d = std::make_unique<CKivDoc>();  // slot 3
    ASSERT_EQ(g_pKivDoc, d.get());

    // A closing estimate that is not current leaves the current one alone.
    b->OnCloseDocument();
    EXPECT_EQ(g_pKivDoc, d.get());

    // The current one hands over to the next occupied slot above it...
    a->MakeCurrent();
    a->OnCloseDocument();
    EXPECT_EQ(g_pKivDoc, c.get());

    // ...or, when there is none above, to the nearest below.
    d->MakeCurrent();
    d->OnCloseDocument();
    EXPECT_EQ(g_pKivDoc, c.get());

    c->OnCloseDocument();
    EXPECT_EQ(g_pKivDoc, nullptr);
}

TEST_F(KivDocTest, DeletingAnUnclosedEstimateDoesNotLeaveItCurrent) {
    auto a = std::make_unique<CKivDoc>();
    auto b = std::make_unique<CKivDoc>();
    ASSERT_EQ(g_pKivDoc, b.get());
    b.reset();
    EXPECT_EQ(g_pKivDoc, a.get());
    EXPECT_EQ(g_OpenKivDocs.Slot[1], nullptr);
}
