// 行挿入, 行削除, 行複写 and the edit commands (ｺﾋﾟｰ, 切り取り, 貼り付け, 元に戻す) driven through the
// view's command handlers, the range clicks and the copy dialog.
#include "KivViewFixture.h"

#include "estimate/BlockUndo.h"
#include "estimate/RecalcSeams.h"
#include "grid/BlockSelect.h"
#include "grid/CopyDialog.h"
#include "grid/RowClipboard.h"
#include "platform/headless/DialogDriver.h"
#include "platform/ui/Keys.h"

using namespace kivtest;
using kiv::ui::headless::DialogDriver;

namespace {

const char* const kMsgKoumokuFull = "１項目の行数が最大値を超えました。これ以上は入力できません。";
const char* const kMsgUndoElsewhere = "コピー・移動元のファイルにカーソルがない場合はもとに戻りません。。";

// A row of item `koumoku` keyed `gyou` named `name`.
std::string itemRow(int koumoku, int gyou, const std::string& name) {
    std::string row = makeRow(gyou, {{GyouRecord::Hinmei, name}});
    GyouRecord::writeKey(row, koumoku, gyou);
    return row;
}

class KivViewRows : public KivViewFixture {
protected:
    void SetUp() override {
        KivViewFixture::SetUp();
        g_BlockUndoReady = 0;
        g_BlockMove = 0;
        g_BlockUndoOwner = {};
        g_RowClipboard.Fill(RowClipKind::None, {});
        recalcSeams().recalcGyou = [this](CKivView&) { ++recalcGyou; };
    }
    void TearDown() override {
        recalcSeams().recalcGyou = {};
        ClearBlockSelect();
        view2.reset();
        doc2.reset();
        KivViewFixture::TearDown();
        g_RowClipboard.Fill(RowClipKind::None, {});
    }

    void command(int id, CKivView* v = nullptr) { EXPECT_TRUE((v ? v : view.get())->onCommand(id)); }

    // A second estimate with its own view; item 1 current.
    void openSecond(const std::vector<std::string>& rows) {
        doc2 = std::make_unique<CKivDoc>();
        doc2->ClearGyou();
        for (std::size_t i = 0; i < rows.size(); ++i)
            doc2->SetPoolGyou(i, rows[i]);
        doc2->SetPoolGyouCount(static_cast<int>(rows.size()));
        doc2->RebuildGyouIndex();
        doc2->m_CurKoumoku[0] = 1;
        doc2->LoadKoumokuGyou();
        view2 = std::make_unique<CKivView>();
        view2->SetDocument(doc2.get());
        ASSERT_TRUE(view2->create(nullptr, kiv::ui::Rect::fromSize(0, 0, kClientWidth, 14 * kLineHeight)));
    }

    // Work row `gyou` of the current item of `d`.
    static std::string work(const CKivDoc& d, int gyou) {
        std::string row = d.WorkGyouAt(gyou);
        GyouRecord::padLength(row);
        return row;
    }
    std::string work(int gyou) const { return work(*doc, gyou); }
    static std::string name(const std::string& row) { return kiv::text::toUtf8(GyouRecord::text(row, GyouRecord::Hinmei)); }
    // The names of the current item's rows, in order.
    static std::vector<std::string> names(const CKivDoc& d) {
        std::vector<std::string> out;
        for (int k = 1; k <= d.m_GyouCount; ++k)
            out.push_back(name(work(d, k)));
        return out;
    }
    std::vector<std::string> names() const { return names(*doc); }
    static std::string key(const std::string& row) { return row.substr(0, 8); }
    // Makes item `k` of `d` current through its view, as the tree pane does.
    static void showItem(CKivView& v, CKivDoc& d, int k) {
        v.StoreGyou();
        v.StoreKoumoku();
        d.m_CurKoumoku[0] = k;
        d.LoadKoumokuGyou();
        d.m_CurGyou[0] = 1;
        d.m_ScreenGyou[0] = 1;
        d.m_TopGyou[0] = 0;
        v.LoadGyou();
        v.CalcFieldPos();
    }
    const std::vector<std::string>& messages() const { return KivRecordedMessages(); }

    // 行複写 of rows `from`..`to` of the current item, answering the range question, the dialog
    // (move or copy) and the paste prompt with OK.
    void copyRows(int from, int to, bool move, bool pasteOk = true) {
        QueueKivAnswer(true);
        command(ID_GYOU_COPY);
        ASSERT_EQ(g_BlockSelectState, 1);
        backend.expectDialog(
            [&](DialogDriver& dd) {
                EXPECT_EQ(dd.text(CCopyDialog::kStartGyou), std::to_string(from));
                EXPECT_EQ(dd.text(CCopyDialog::kEndGyou), std::to_string(to));
                if (move)
                    dd.click(CCopyDialog::kMove);
                dd.click(kiv::ui::IDOK);
            },
            CCopyDialog::kDialogId);
        QueueKivAnswer(pasteOk);
        placeCursor(from, from, GyouRecord::Hinmei);
        enter();
        placeCursor(to, to, GyouRecord::Hinmei);
        enter();
        EXPECT_EQ(g_BlockSelectState, 0);
    }

    std::unique_ptr<CKivDoc> doc2;
    std::unique_ptr<CKivView> view2;
    int recalcGyou = 0;
};

// ---------------------------------------------------------------------------------------------
// 行挿入, 行削除 and the block undo

TEST_F(KivViewRows, InsertOpensAnEmptyNumberedRowAndUndoBringsBackTypedRows) {
    open(namedRows(5));
    placeCursor(2, 2, GyouRecord::Hinmei);
    backend.sendChar(*view, 'X');
    placeCursor(3, 3, GyouRecord::Hinmei);
    command(ID_GYOU_INSERT);
    EXPECT_EQ(doc->m_GyouCount, 6);
    EXPECT_EQ(names(), (std::vector<std::string>{"R1", "XR2", "", "R3", "R4", "R5"}));
    EXPECT_EQ(work(3), makeRow(3));
    for (int k = 4; k <= 6; ++k)
        EXPECT_EQ(work(k).substr(0, 8), "0001000" + std::to_string(k));
    EXPECT_EQ(cursorRow(), 3);
    EXPECT_EQ(g_BlockUndoReady, 1);

    command(ID_EDIT_UNDO);
    EXPECT_EQ(names(), (std::vector<std::string>{"R1", "XR2", "R3", "R4", "R5"}));
    EXPECT_EQ(g_BlockUndoReady, 0);
    EXPECT_EQ(cursorRow(), 3);
    EXPECT_TRUE(messages().empty());
}

TEST_F(KivViewRows, DeleteRemovesTheCursorRowAndKeepsTheCursorInTheItem) {
    struct Case {
        int rows, cursor;
        std::vector<std::string> names;
        int cursorAfter;
        bool snapshot;
    };
    const Case cases[] = {
        {1, 1, {""}, 1, true},                          // one row: an empty numbered row stays
        {5, 5, {"R1", "R2", "R3", "R4"}, 4, true},      // the last row
        {5, 4, {"R1", "R2", "R3", "R5"}, 3, true},      // the last but one
        {5, 2, {"R1", "R3", "R4", "R5"}, 2, true},      // an earlier row: the next moves up
        {5, 6, {"R1", "R2", "R3", "R4", "R5"}, 6, false},   // the row after the last: nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rows << " rows, cursor " << c.cursor);
        g_BlockUndoReady = 0;
        open(namedRows(c.rows));
        placeCursor(c.cursor, c.cursor, GyouRecord::Hinmei);
        command(ID_GYOU_DELETE);
        EXPECT_EQ(names(), c.names);
        EXPECT_EQ(cursorRow(), c.cursorAfter);
        EXPECT_EQ(g_BlockUndoReady, c.snapshot ? 1 : 0);
        for (int k = 1; k <= doc->m_GyouCount; ++k)
            EXPECT_EQ(key(work(k)), key(makeRow(k)));
        if (c.rows == 1)
            EXPECT_EQ(work(1), makeRow(1));
        // The pool agrees with the work rows: the freed row has no key any more.
        doc->RebuildGyouIndex();
        doc->LoadKoumokuGyou();
        EXPECT_EQ(names(), c.names);
        // 元に戻す brings the deleted row back where it was.
        if (c.snapshot) {
            command(ID_EDIT_UNDO);
            std::vector<std::string> before;
            for (int k = 1; k <= c.rows; ++k)
                before.push_back("R" + std::to_string(k));
            EXPECT_EQ(names(), before);
            EXPECT_TRUE(messages().empty());
        }
        view.reset();
    }
}

TEST_F(KivViewRows, InsertAtTheRowLimitChangesNothing) {
    open(namedRows(CKivView::m_MaxGyou));
    placeCursor(1, 1, GyouRecord::Hinmei);
    command(ID_GYOU_INSERT);
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgKoumokuFull});
    EXPECT_EQ(doc->m_GyouCount, CKivView::m_MaxGyou);
    EXPECT_EQ(name(work(1)), "R1");
    EXPECT_EQ(name(work(CKivView::m_MaxGyou)), "R9999");
}

TEST_F(KivViewRows, MasterInsertRecalculatesEveryRowItMoves) {
    open(namedRows(4));
    placeCursor(2, 2, GyouRecord::Hinmei);
    ASSERT_TRUE(view->InsertGyou());
    EXPECT_EQ(recalcGyou, 3);   // rows 2-4 moved to 3-5
    EXPECT_EQ(names(), (std::vector<std::string>{"R1", "", "R2", "R3", "R4"}));
}

TEST_F(KivViewRows, AnItemAddedAfterARowCommandIsKeptByTheUndo) {
    open(namedRows(3));
    placeCursor(2, 2, GyouRecord::Hinmei);
    command(ID_GYOU_INSERT);
    QueueKivAnswer(true);
    command(ID_NEW_KOUMOKU);
    ASSERT_EQ(doc->m_KoumokuCount, 2);
    ASSERT_EQ(doc->m_CurKoumoku[0], 2);
    // The new item changed the estimate after the row command: its snapshot is gone, and
    // 元に戻す acts on the cell (nothing was cut), keeping both the item and the inserted row.
    placeCursor(1, 1, GyouRecord::Hinmei);
    command(ID_EDIT_UNDO);
    EXPECT_EQ(g_BlockUndoReady, 0);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(doc->m_KoumokuCount, 2);
    EXPECT_EQ(doc->m_CurKoumoku[0], 2);
    showItem(*view, *doc, 1);
    EXPECT_EQ(names(), (std::vector<std::string>{"R1", "", "R2", "R3"}));
}

TEST_F(KivViewRows, TheBlockUndoServesOnlyWhileNothingButItsCommandChangedTheEstimate) {
    const std::vector<std::string> before = {"R1", "R2", "R3", "R4", "R5"};
    const std::vector<std::string> inserted = {"R1", "", "R2", "R3", "R4", "R5"};
    struct Case {
        const char* what;
        std::function<void()> between;   // after 行挿入 on row 2, before 元に戻す
        std::vector<std::string> names;               // after 元に戻す, on row 4 (R3's after 行挿入)
    };
    const Case cases[] = {
        {"nothing", [] {}, before},
        {"a save",
         [this] { EXPECT_TRUE(doc->OnSaveDocument((exeDir / "a.KIV").string())); },
         before},
        {"Enter on a number cell without typing",
         [this] {
             placeCursor(5, 5, GyouRecord::HiroidasiSuu1);
             enter();
         },
         before},
        {"a row typed in another estimate",
         [this] {
             doc2->m_CurGyou[0] = 1;
             view2->m_CurField[0] = GyouRecord::Hinmei;
             view2->LoadGyou();
             view2->CalcFieldPos();
             backend.sendChar(*view2, 'Z');
             EXPECT_EQ(names(*doc2), std::vector<std::string>{"ZB1"});
         },
         before},
        {"a quantity committed in another row",
         [this] {
             placeCursor(5, 5, GyouRecord::HiroidasiSuu1);
             backend.sendChar(*view, '7');
             enter();
         },
         inserted},
        {"a quantity committed, then a save",
         [this] {
             placeCursor(5, 5, GyouRecord::HiroidasiSuu1);
             backend.sendChar(*view, '7');
             enter();
             EXPECT_TRUE(doc->OnSaveDocument((exeDir / "a.KIV").string()));
         },
         inserted},
        {"a cell cut: 元に戻す puts its text back instead",
         [this] {
             placeCursor(4, 4, GyouRecord::Hinmei);
             command(ID_EDIT_CUT);
             EXPECT_EQ(name(work(4)), "");
         },
         inserted},
        {"a row transferred from the master",
         [this] {
             placeCursor(1, 1, GyouRecord::Hinmei);
             doc->SetTensouGyou(itemRow(3, 7, "T"));
             EXPECT_TRUE(doc->ReceiveMasterGyou());
         },
         {"T", "R1", "", "R2", "R3", "R4", "R5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g_BlockUndoReady = 0;
        open(namedRows(5));
        openSecond({itemRow(1, 1, "B1")});
        placeCursor(2, 2, GyouRecord::Hinmei);
        command(ID_GYOU_INSERT);
        ASSERT_EQ(names(), inserted);
        c.between();
        placeCursor(4, 4, GyouRecord::Hinmei);
        command(ID_EDIT_UNDO);
        EXPECT_EQ(names(), c.names);
        EXPECT_EQ(g_BlockUndoReady, 0);
        EXPECT_TRUE(messages().empty());
        if (c.names == inserted && std::string(c.what).find("quantity") != std::string::npos)
            EXPECT_EQ(GyouRecord::toInt(work(5), GyouRecord::HiroidasiSuu1), 7);
        view2.reset();
        doc2.reset();
        view.reset();
    }
}

// ---------------------------------------------------------------------------------------------
// 行複写 and 貼り付け of rows

TEST_F(KivViewRows, CopiedRowsArePastedAboveTheCursorOfAnotherItemOnce) {
    std::vector<std::string> rows = namedRows(5);
    rows.push_back(itemRow(2, 1, "S1"));
    rows.push_back(itemRow(2, 2, "S2"));
    open(rows);
    copyRows(2, 4, false);
    EXPECT_EQ(names(), (std::vector<std::string>{"R1", "R2", "R3", "R4", "R5"}));
    showItem(*view, *doc, 2);
    recalcGyou = 0;
    command(ID_EDIT_PASTE);
    EXPECT_EQ(names(), (std::vector<std::string>{"R2", "R3", "R4", "S1", "S2"}));
    EXPECT_EQ(recalcGyou, 3);
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(key(work(k)), "0002" + std::string(k < 10 ? "000" : "") + std::to_string(k));
    EXPECT_EQ(cursorRow(), 1);
    // The second paste pastes the cell buffer only.
    placeCursor(5, 5, GyouRecord::Kikaku);
    view->m_FieldCopyBuf = padded(GyouRecord::Hinmei, "ZZ");
    command(ID_EDIT_PASTE);
    EXPECT_EQ(doc->m_GyouCount, 5);
    EXPECT_EQ(kiv::text::toUtf8(GyouRecord::text(work(5), GyouRecord::Kikaku)), "ZZ");
}

TEST_F(KivViewRows, ACellWhoseTextIsNoCp932IsRefusedByANumberCellWithItsMessage) {
    // The copied text ends in half a double-byte character, or holds UTF-8 bytes: the number
    // cell refuses it with the message, the bad bytes shown as a replacement character.
    const struct {
        std::string text, shown;
    } cases[] = {
        {"12\x81", "12\xEF\xBF\xBD"},
        {"1\xE5\xBC\x8F", "1" + *kiv::text::cp932ToUtf8("\xE5\xBC") + "\xEF\xBF\xBD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        std::vector<std::string> rows = namedRows(2);
        GyouRecord::putText(rows[0], GyouRecord::Hinmei, c.text);
        open(rows);
        ClearKivPrompts();
        placeCursor(1, 1, GyouRecord::Hinmei);
        command(ID_EDIT_COPY);
        placeCursor(2, 2, GyouRecord::Tanka1);
        const std::string before(GyouRecord::raw(work(2), GyouRecord::Tanka1));
        command(ID_EDIT_PASTE);
        EXPECT_EQ(KivRecordedMessages(),
                  std::vector<std::string>{"貼り付ける「" + c.shown + "」は数値ではないので、この欄には貼り付けられません。"});
        EXPECT_EQ(GyouRecord::raw(work(2), GyouRecord::Tanka1), before);
    }
}

TEST_F(KivViewRows, MovedRowsLeaveTheirItemAndUndoRestoresBothItems) {
    std::vector<std::string> rows = namedRows(5);
    rows.push_back(itemRow(2, 1, "S1"));
    open(rows);
    copyRows(2, 3, true);
    EXPECT_EQ(names(), (std::vector<std::string>{"R1", "R4", "R5"}));
    showItem(*view, *doc, 2);
    command(ID_EDIT_PASTE);
    EXPECT_EQ(names(), (std::vector<std::string>{"R2", "R3", "S1"}));
    command(ID_EDIT_UNDO);
    // Back to the state before the move, in both items.
    doc->StoreKoumokuGyou();
    doc->m_CurKoumoku[0] = 1;
    doc->LoadKoumokuGyou();
    EXPECT_EQ(names(), (std::vector<std::string>{"R1", "R2", "R3", "R4", "R5"}));
    doc->m_CurKoumoku[0] = 2;
    doc->LoadKoumokuGyou();
    EXPECT_EQ(names(), (std::vector<std::string>{"S1"}));
}

TEST_F(KivViewRows, AMoveOfTheLastRowsDeletesExactlyThem) {
    open(namedRows(5));
    copyRows(4, 5, true);
    EXPECT_EQ(names(), (std::vector<std::string>{"R1", "R2", "R3"}));
    EXPECT_LE(cursorRow(), 3);
}

TEST_F(KivViewRows, PastingStopsAtTheItemsRowLimit) {
    open(namedRows(CKivView::m_MaxGyou - 1));
    g_RowClipboard.Fill(RowClipKind::GyouCopy, {itemRow(1, 1, "A"), itemRow(1, 2, "B"), itemRow(1, 3, "C")});
    g_RowClipboard.Armed = true;
    placeCursor(1, 1, GyouRecord::Hinmei);
    command(ID_EDIT_PASTE);
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgKoumokuFull});
    EXPECT_EQ(doc->m_GyouCount, CKivView::m_MaxGyou);
    EXPECT_EQ(name(work(1)), "A");
    EXPECT_EQ(name(work(2)), "R1");
    EXPECT_EQ(name(work(CKivView::m_MaxGyou)), "R9998");
}

TEST_F(KivViewRows, UndoInAnotherEstimateShowsTheMessageAndChangesNothing) {
    open(namedRows(5));
    openSecond({itemRow(1, 1, "B1"), itemRow(1, 2, "B2")});
    copyRows(2, 3, false);
    doc2->m_CurGyou[0] = 2;
    view2->LoadGyou();
    command(ID_EDIT_PASTE, view2.get());
    EXPECT_EQ(names(*doc2), (std::vector<std::string>{"B1", "R2", "R3", "B2"}));
    command(ID_EDIT_UNDO, view2.get());
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgUndoElsewhere});
    EXPECT_EQ(names(*doc2), (std::vector<std::string>{"B1", "R2", "R3", "B2"}));
    EXPECT_EQ(names(), (std::vector<std::string>{"R1", "R2", "R3", "R4", "R5"}));
    // The snapshot is gone: in A the undo acts on the cell, which was never cut.
    ClearKivPrompts();
    placeCursor(2, 2, GyouRecord::Hinmei);
    command(ID_EDIT_UNDO);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(names(), (std::vector<std::string>{"R1", "R2", "R3", "R4", "R5"}));
}

TEST_F(KivViewRows, UntitledEstimatesAreToldApartAndClosingDiscardsTheSnapshot) {
    open(namedRows(3));
    openSecond({itemRow(1, 1, "B1")});
    ASSERT_EQ(doc->GetPathName(), doc2->GetPathName());
    placeCursor(1, 1, GyouRecord::Hinmei);
    command(ID_GYOU_INSERT);
    command(ID_EDIT_UNDO, view2.get());
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgUndoElsewhere});
    EXPECT_EQ(names(*doc2), std::vector<std::string>{"B1"});
    EXPECT_EQ(names(), (std::vector<std::string>{"", "R1", "R2", "R3"}));
    // A snapshot of B, then B closes: A's undo finds nothing of its own.
    ClearKivPrompts();
    command(ID_GYOU_INSERT, view2.get());
    EXPECT_EQ(g_BlockUndoReady, 1);
    doc2->OnCloseDocument();
    EXPECT_EQ(g_BlockUndoReady, 0);
    command(ID_EDIT_UNDO);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(names(), (std::vector<std::string>{"", "R1", "R2", "R3"}));
}

// ---------------------------------------------------------------------------------------------
// Rows of 単価ｺﾋﾟｰ and of the CSV import, filled directly

TEST_F(KivViewRows, PriceRowsOverwriteOnlyPricesUpToTheItemsEnd) {
    auto priced = [](const std::string& price, const std::string& remark) {
        std::string row = makeRow(1, {{GyouRecord::Tanka1, price}, {GyouRecord::Zai3Tanka2, price},
                                      {GyouRecord::Bikou2, remark}, {GyouRecord::Zai7Bikou, remark},
                                      {GyouRecord::Hinmei, "SRC"}});
        return row;
    };
    for (bool withRemarks : {false, true}) {
        SCOPED_TRACE(withRemarks);
        open(namedRows(5));
        g_RowClipboard.Fill(RowClipKind::TankaCopy, {priced("100", "a"), priced("200", "b"), priced("300", "c")},
                            nullptr, withRemarks);
        g_RowClipboard.Armed = true;
        placeCursor(4, 4, GyouRecord::Hinmei);
        recalcGyou = 0;
        command(ID_EDIT_PASTE);
        EXPECT_EQ(doc->m_GyouCount, 5);
        EXPECT_EQ(names(), (std::vector<std::string>{"R1", "R2", "R3", "R4", "R5"}));
        EXPECT_EQ(GyouRecord::raw(work(4), GyouRecord::Tanka1), "       100");
        EXPECT_EQ(GyouRecord::toInt(work(5), GyouRecord::Tanka1), 200);
        EXPECT_EQ(GyouRecord::toInt(work(5), GyouRecord::Zai3Tanka2), 200);
        EXPECT_TRUE(GyouRecord::isBlank(work(3), GyouRecord::Tanka1));
        EXPECT_EQ(GyouRecord::text(work(5), GyouRecord::Bikou2), withRemarks ? "b" : "");
        EXPECT_EQ(GyouRecord::text(work(4), GyouRecord::Zai7Bikou), withRemarks ? "a" : "");
        EXPECT_EQ(key(work(5)), key(makeRow(5)));
        EXPECT_EQ(recalcGyou, 2);
        EXPECT_FALSE(g_RowClipboard.Armed);
        view.reset();
    }
}

TEST_F(KivViewRows, CsvRowsAreInsertedWithKeysWithoutRecalculationOnlyInTheirView) {
    open(namedRows(2));
    openSecond({itemRow(1, 1, "B1")});
    g_RowClipboard.Fill(RowClipKind::Csv, {std::string("        C1"), itemRow(7, 9, "C2")}, view.get());
    g_RowClipboard.Armed = true;
    // Another view pastes its cell buffer (blank: nothing).
    command(ID_EDIT_PASTE, view2.get());
    EXPECT_EQ(names(*doc2), std::vector<std::string>{"B1"});
    EXPECT_TRUE(g_RowClipboard.Armed);
    placeCursor(2, 2, GyouRecord::Hinmei);
    command(ID_EDIT_PASTE);
    EXPECT_EQ(recalcGyou, 0);
    ASSERT_EQ(doc->m_GyouCount, 4);
    EXPECT_EQ(name(work(3)), "C2");
    EXPECT_EQ(key(work(2)), "00010002");
    EXPECT_EQ(key(work(3)), "00010003");
    EXPECT_EQ(work(2).size(), 1400u);
    EXPECT_EQ(GyouRecord::raw(work(2), GyouRecord::Hokyuu), "  1.0");
    EXPECT_EQ(name(work(4)), "R2");
    EXPECT_EQ(g_BlockUndoReady, 0);
}

// ---------------------------------------------------------------------------------------------
// Cells

TEST_F(KivViewRows, CopyCutPasteAndUndoOfACell) {
    open(namedRows(3));
    // ｺﾋﾟｰ on 品名, 貼り付け on 規格 of another row.
    placeCursor(1, 1, GyouRecord::Hinmei);
    command(ID_EDIT_COPY);
    placeCursor(2, 2, GyouRecord::Kikaku);
    command(ID_EDIT_PASTE);
    EXPECT_EQ(GyouRecord::text(work(2), GyouRecord::Kikaku), "R1");
    // 切り取り, 元に戻す, 元に戻す again.
    placeCursor(3, 3, GyouRecord::Hinmei);
    command(ID_EDIT_CUT);
    EXPECT_TRUE(GyouRecord::isBlank(work(3), GyouRecord::Hinmei));
    command(ID_EDIT_UNDO);
    EXPECT_EQ(name(work(3)), "R3");
    command(ID_EDIT_UNDO);
    EXPECT_EQ(name(work(3)), "R3");
    // Cut, move, undo: nothing changes where the cursor is.
    command(ID_EDIT_CUT);
    placeCursor(2, 2, GyouRecord::Hinmei);
    command(ID_EDIT_UNDO);
    EXPECT_EQ(name(work(2)), "R2");
    EXPECT_TRUE(GyouRecord::isBlank(work(3), GyouRecord::Hinmei));
    // The buffers are blanked when the view is shown.
    view->onShowWindow(true);
    placeCursor(3, 3, GyouRecord::Hinmei);
    command(ID_EDIT_UNDO);
    EXPECT_TRUE(GyouRecord::isBlank(work(3), GyouRecord::Hinmei));
    EXPECT_TRUE(messages().empty());
}

TEST_F(KivViewRows, CuttingAConvertedRowIsRefused) {
    std::vector<std::string> rows = namedRows(2);
    GyouRecord::putNumber(rows[1], GyouRecord::Zai1MotoTanka, "1000");
    open(rows);
    placeCursor(2, 2, GyouRecord::Hinmei);
    command(ID_EDIT_CUT);
    EXPECT_EQ(messages(), std::vector<std::string>{"行を指定して単価変換された単価なので要注意"});
    EXPECT_EQ(name(work(2)), "R2");
    EXPECT_EQ(view->m_EditRefused, 0);
}

TEST_F(KivViewRows, APastedCellFollowsTheTargetField) {
    struct Case {
        int fromField;
        std::string from;   // UTF-8
        int toField;
        std::string expected;   // the target field's bytes afterwards (UTF-8), "" = unchanged
        bool message;
    };
    const std::string lead4 = "abc配管";   // 4th byte is the lead byte of 配
    const Case cases[] = {
        {GyouRecord::Tanka1, "1234", GyouRecord::HiroidasiSuu1, "    1234", false},
        {GyouRecord::Tanka1, "123456789", GyouRecord::HiroidasiSuu1, "", true},
        {GyouRecord::Hinmei, "配管", GyouRecord::HiroidasiSuu1, "", true},
        {GyouRecord::Hinmei, "-1.5", GyouRecord::HiroidasiSuu1, "    -1.5", false},
        {GyouRecord::Hinmei, "1.2.3", GyouRecord::HiroidasiSuu1, "", true},
        {GyouRecord::Hinmei, lead4, GyouRecord::Kigou, "abc ", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        ClearKivPrompts();
        std::vector<std::string> rows = namedRows(2);
        rows[0] = makeRow(1, {{c.fromField, kiv::text::toCp932(c.from)}});
        rows[1] = makeRow(2, {{GyouRecord::HiroidasiSuu1, "7"}});
        open(rows);
        const std::string before(GyouRecord::raw(work(2), c.toField));
        placeCursor(1, 1, c.fromField);
        command(ID_EDIT_COPY);
        placeCursor(2, 2, c.toField);
        command(ID_EDIT_PASTE);
        const std::string after(GyouRecord::raw(work(2), c.toField));
        EXPECT_EQ(after, c.expected.empty() ? before : kiv::text::toCp932(c.expected));
        EXPECT_EQ(messages().size(), c.message ? 1u : 0u);
        if (c.message)
            EXPECT_NE(messages()[0].find(c.from), std::string::npos) << messages()[0];
        view.reset();
    }
}

TEST_F(KivViewRows, CopyDialogTakesRowsOneTo9999) {
    open(namedRows(2));
    CCopyDialog dlg;
    dlg.m_StartGyou = 1;
    dlg.m_EndGyou = 2;
    backend.expectDialog(
        [](DialogDriver& dd) {
            dd.type(CCopyDialog::kStartGyou, "0");
            dd.click(kiv::ui::IDOK);
            EXPECT_FALSE(dd.ended());
            dd.type(CCopyDialog::kStartGyou, "1");
            dd.type(CCopyDialog::kEndGyou, "9999");
            dd.click(CCopyDialog::kMove);
            dd.click(kiv::ui::IDOK);
        },
        CCopyDialog::kDialogId);
    backend.expectMessageBox(kiv::ui::IDOK);
    EXPECT_EQ(dlg.doModal(), kiv::ui::IDOK);
    EXPECT_EQ(dlg.m_StartGyou, 1);
    EXPECT_EQ(dlg.m_EndGyou, 9999);
    EXPECT_EQ(dlg.m_Move, 1);
}

} // namespace
