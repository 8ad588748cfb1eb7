// The estimate view's row path, editing positions, life cycle, backup timer and the old
// electrical conversion command.
#include "grid/KivViewFixture.h"

#include "estimate/KivFile.h"

namespace fs = std::filesystem;

using namespace kivtest;
using namespace kiv::ui;

namespace {

class KivView : public KivViewFixture {};

TEST_F(KivView, LoadAndStoreMoveExactlyOneRow) {
    open(namedRows(2));
    ASSERT_EQ(view->m_EditGyou.size(), 1400u);
    EXPECT_EQ(view->m_EditGyou.substr(16, 2), "R1");
    // A work row that is short, or was never filled, loads as blanks after its own bytes.
    doc->EditWorkGyou(2) = "00010002";
    doc->EditWorkGyou(3) = " ";
    doc->m_CurGyou[0] = 2;
    view->LoadGyou();
    EXPECT_EQ(view->m_EditGyou, "00010002" + std::string(1392, ' '));
    doc->m_CurGyou[0] = 3;
    view->LoadGyou();
    EXPECT_EQ(view->m_EditGyou, GyouRecord::blankRow());
    // Leaving it unchanged (the cursor on the row after the item's last) stores nothing.
    view->StoreGyou();
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->WorkGyouAt(3), " ");

    // Storing writes the whole buffer and marks the estimate modified, unless nothing changed.
    doc->m_CurGyou[0] = 1;
    view->LoadGyou();
    view->StoreGyou();
    EXPECT_FALSE(doc->IsModified());
    view->m_EditGyou.replace(16, 2, "Q1");
    view->StoreGyou();
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->WorkGyouAt(1).size(), 1400u);
    EXPECT_EQ(doc->WorkGyouAt(1).substr(16, 2), "Q1");

    // A renumbered empty row: key of the cursor row and the supply factor.
    doc->m_CurGyou[0] = 2;
    view->RenumberStoreGyou();
    std::string expected = GyouRecord::blankRow();
    expected.replace(0, 8, "00010002");
    expected.replace(272, 5, "  1.0");
    EXPECT_EQ(doc->WorkGyouAt(2), expected);
}

TEST_F(KivView, SaveSlotsKeepTheirOwnPositions) {
    open(namedRows(8));
    struct Position {
        int item, row, top, screen, field, visible;
    };
    auto set = [&](const Position& p) {
        doc->m_CurKoumoku[0] = p.item;
        doc->m_CurGyou[0] = p.row;
        doc->m_TopGyou[0] = p.top;
        doc->m_ScreenGyou[0] = p.screen;
        view->m_CurField[0] = p.field;
        view->m_VisibleGyou = p.visible;
    };
    auto now = [&] {
        return std::vector<int>{doc->m_CurKoumoku[0], doc->m_CurGyou[0], doc->m_TopGyou[0],
                                doc->m_ScreenGyou[0], view->m_CurField[0], view->m_VisibleGyou};
    };
    for (int slot = 1; slot <= 10; ++slot) {
        set({slot, slot + 1, slot - 1, 2, slot + 2, 6});
        view->SavePosition(slot);
    }
    set({1, 1, 0, 1, 3, 30});
    view->RestorePosition7();
    EXPECT_EQ(now(), (std::vector<int>{7, 8, 6, 2, 9, 6}));
    view->RestorePosition10();
    EXPECT_EQ(now(), (std::vector<int>{10, 11, 9, 2, 12, 6}));
    view->RestorePosition(1);
    EXPECT_EQ(now(), (std::vector<int>{1, 2, 0, 2, 3, 6}));
    // Restoring reloads nothing: the row buffer still holds the row loaded before.
    EXPECT_EQ(view->m_EditGyou.substr(16, 2), "R1");
}

TEST_F(KivView, AddGyouCountsTheRowOrRefusesAtTheLimit) {
    open(namedRows(2));
    ASSERT_TRUE(view->AddGyou());
    EXPECT_EQ(doc->m_GyouCount, 3);
    doc->m_GyouCount = 9999;
    EXPECT_FALSE(view->AddGyou());
    EXPECT_EQ(doc->m_GyouCount, 9999);
    ASSERT_EQ(KivRecordedMessages().size(), 1u);
    EXPECT_EQ(KivRecordedMessages()[0], "１項目の行数が最大値を超えました。これ以上は入力できません。");
    // The estimate's pool full: the document's own message, the item's count unchanged.
    doc->m_GyouCount = 3;
    doc->SetPoolGyouCount(CKivDoc::kGyouMax);
    for (int i = 0; i < CKivDoc::kGyouMax; ++i)
        doc->SetKoumokuOfSlot(i, 1);
    EXPECT_FALSE(view->AddGyou());
    EXPECT_EQ(doc->m_GyouCount, 3);
    EXPECT_EQ(KivRecordedMessages().back(), "データ数が最大値を超えました。これ以上は入力できません。");
}

TEST_F(KivView, MasterTransfersLandAtTheCursorThenBelowEachOther) {
    open(namedRows(3));
    placeCursor(2, 2, 5);
    auto transfer = [&](const std::string& name) {
        std::string master = GyouRecord::blankRow();
        master.replace(0, 8, "00420007");
        GyouRecord::putText(master, GyouRecord::Hinmei, name);
        doc->m_TensouGyou = master;
        ASSERT_TRUE(doc->ReceiveMasterGyou());
    };
    transfer("M1");
    transfer("M2");
    std::vector<std::string> rows;
    for (int k = 0; k < doc->m_GyouCount; ++k)
        rows.push_back(doc->WorkGyouAt(k + 1).substr(0, 8) + " " +
                       std::string(GyouRecord::text(doc->WorkGyouAt(k + 1), GyouRecord::Hinmei)));
    EXPECT_EQ(rows, (std::vector<std::string>{"00010001 R1", "00010002 M1", "00010003 M2", "00010004 R2",
                                              "00010005 R3"}));
    EXPECT_EQ(GyouRecord::raw(doc->WorkGyouAt(2), GyouRecord::BunNo), "0042");
    EXPECT_EQ(cursorRow(), 3);
    EXPECT_EQ(shown(5, 3), padded(5, "M2"));   // the document's update redrew the rows
    EXPECT_EQ(field(), GyouRecord::HiroidasiSuu1);
}

TEST_F(KivView, ItemTitlesLeaveTheCursorWhereItWas) {
    std::vector<std::string> rows = namedRows(3);
    std::string second = makeRow(1, {{GyouRecord::Hinmei, "S1"}});
    GyouRecord::writeKey(second, 2, 1);
    rows.push_back(second);
    open(rows);
    struct Case {
        int gyou, screen;
    };
    // On a row of the item, and on the row after its last (where scrolling can leave it).
    for (const Case& c : {Case{2, 2}, Case{4, 1}}) {
        SCOPED_TRACE(c.gyou);
        placeCursor(c.gyou, c.screen, GyouRecord::Tanka1);
        view->RebuildKoumokuList();
        EXPECT_EQ(doc->m_KoumokuName[1].substr(0, 10), "0002    S1");
        EXPECT_EQ(doc->m_CurKoumoku[0], 1);
        EXPECT_EQ(cursorRow(), c.gyou);
        EXPECT_EQ(topRows() + screenRow(), cursorRow());
        EXPECT_EQ(field(), GyouRecord::Tanka1);
        EXPECT_EQ(doc->m_GyouCount, 3);
    }
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(KivView, TheLastViewCreatedIsTheCurrentOne) {
    open(namedRows(1));
    EXPECT_EQ(g_pKivView, view.get());
    auto second = std::make_unique<CKivView>();
    EXPECT_EQ(g_pKivView, second.get());
    second.reset();
    EXPECT_EQ(g_pKivView, view.get());
    view.reset();
    EXPECT_EQ(g_pKivView, nullptr);
    EXPECT_EQ(doc->GetView(), nullptr);
}

TEST_F(KivView, BackupTimerWritesEveryTenMinutesButNotDuringADialog) {
    open(namedRows(2));
    EXPECT_EQ(view->timerInterval(CKivView::kBackupTimerId), 600000);
    ASSERT_TRUE(backend.fireTimer(*view, CKivView::kBackupTimerId));
    EXPECT_EQ(backups, 1);

    // A tick while the font dialog is up waits until the command is over.
    int duringDialog = -1;
    backend.whileFontDialogOpen = [&] {
        view->dispatchTimer(CKivView::kBackupTimerId);
        view->dispatchTimer(CKivView::kBackupTimerId);
        duringDialog = backups;
    };
    backend.expectMessageBox(IDYES);
    backend.expectFont(std::nullopt);
    {
        App::BusyScope command;   // as the command router runs a command
        view->OnFontSize();
        EXPECT_EQ(backups, 1);
    }
    EXPECT_EQ(duringDialog, 1);
    backend.processPending();
    EXPECT_EQ(backups, 2);   // one tick, once the command has ended
}

// The backup of an estimate read only in part may be the one complete copy of its file: the
// timer and the close keep an existing backup until the file itself has been saved over; a
// missing backup is written, and after Save As to another name the usual rule holds.
TEST_F(KivView, APartlyReadEstimateKeepsItsCompleteBackupUntilItsFileIsSavedOver) {
    kiv::test::TempDir data;
    const std::vector<std::string> rows = namedRows(5);
    const std::string complete = WriteKivFile({}, rows);
    std::string partly = complete;
    partly[0] = 4;   // the count lowered: the fifth row is data after the last row
    const fs::path path = data / "job.KIV";
    const fs::path backup = data / "jobBkUp.KIV";
    CKivDoc::s_BackupWriter = nullptr;   // real backups
    auto openPartly = [&] {
        ASSERT_TRUE(kiv::files::writeFileAtomically(path, partly));
        view.reset();
        doc = std::make_unique<CKivDoc>();
        ASSERT_TRUE(doc->OnOpenDocument(path.string()));
        ASSERT_EQ(doc->TruncatedSource(), path.string());
        view = std::make_unique<CKivView>();
        view->SetDocument(doc.get());
        ASSERT_TRUE(view->create(nullptr, Rect::fromSize(0, 0, kClientWidth, 14 * kLineHeight)));
        // Rows typed since the opening are what a backup would hold.
        placeCursor(1, 1, GyouRecord::Hinmei);
        view->m_EditGyou.replace(16, 2, "Q1");
        view->StoreGyou();
    };
    auto backupRows = [&] { return ReadKivFile(*kiv::files::readFile(backup)).rows; };

    // A complete backup beside it: neither the timer nor the close touches it.
    ASSERT_TRUE(kiv::files::writeFileAtomically(backup, complete));
    openPartly();
    ASSERT_TRUE(backend.fireTimer(*view, CKivView::kBackupTimerId));
    EXPECT_EQ(kiv::files::readFile(backup), complete);
    doc->OnCloseDocument();
    EXPECT_EQ(kiv::files::readFile(backup), complete);

    // No backup yet: the timer writes one as usual.
    fs::remove(backup);
    openPartly();
    ASSERT_TRUE(backend.fireTimer(*view, CKivView::kBackupTimerId));
    ASSERT_EQ(backupRows().size(), 4u);
    EXPECT_EQ(GyouRecord::text(backupRows()[0], GyouRecord::Hinmei), "Q1");

    // Saved over after its question: the backup follows the estimate again.
    ASSERT_TRUE(kiv::files::writeFileAtomically(backup, complete));
    openPartly();
    QueueKivAnswer(true);
    ASSERT_TRUE(doc->OnFileSave());
    ASSERT_TRUE(backend.fireTimer(*view, CKivView::kBackupTimerId));
    EXPECT_EQ(backupRows().size(), 4u);

    // Saved as another name: that name's backup is written as usual, the first one is kept.
    ASSERT_TRUE(kiv::files::writeFileAtomically(backup, complete));
    const fs::path copyBackup = data / "copyBkUp.KIV";
    ASSERT_TRUE(kiv::files::writeFileAtomically(copyBackup, complete));
    openPartly();
    QueueKivSaveFileAnswer((data / "copy.KIV").string());
    ASSERT_TRUE(doc->OnFileSaveAs());
    doc->OnCloseDocument();
    EXPECT_EQ(kiv::files::readFile(backup), complete);
    EXPECT_EQ(ReadKivFile(*kiv::files::readFile(copyBackup)).rows.size(), 4u);
    EXPECT_TRUE(KivLeftoverPrompts().empty());
}

TEST_F(KivView, OldElectricalConversionConvertsOrClosesTheEstimate) {
    std::vector<std::string> rows = namedRows(3);
    rows[1].replace(248, 4, "  12");   // the old layout kept 付属 where 継手 is now
    open(rows);
    placeCursor(2, 2, 13);

    // Cancel at the first question: nothing happens.
    QueueKivAnswer(false);
    ASSERT_TRUE(view->onCommand(ID_OLD_DENKI_HENKAN));
    EXPECT_EQ(doc->WorkGyouAt(2).substr(248, 4), "  12");
    EXPECT_EQ(KivRecordedQuestions().back(), "電気Kivの内訳書をKiv用に変換します。");

    // OK twice: every row converted, the cursor where it was, the grid repainted.
    QueueKivAnswer(true);
    QueueKivAnswer(true);
    view->OnOldDenkiHenkan();
    backend.processPending();
    EXPECT_EQ(KivRecordedQuestions().back(), "実行すると元には戻りません。");
    EXPECT_EQ(doc->WorkGyouAt(2).substr(248, 4), "    ");
    EXPECT_EQ(doc->WorkGyouAt(2).substr(268, 4), "  12");
    EXPECT_EQ(view->m_EditGyou.substr(268, 4), "  12");
    EXPECT_EQ(cursorRow(), 2);
    EXPECT_EQ(screenRow(), 2);
    EXPECT_EQ(field(), 13);
    EXPECT_EQ(shown(28, 2), "  12");
    EXPECT_EQ(shown(23, 2), "    ");
    EXPECT_EQ(backups, 0);

    // OK, then Cancel at the second question: the estimate is closed, backup written.
    QueueKivAnswer(true);
    QueueKivAnswer(false);
    view->OnOldDenkiHenkan();
    EXPECT_EQ(backups, 1);
    EXPECT_EQ(doc->GetView(), nullptr);
    EXPECT_NE(g_pKivDoc, doc.get());
    EXPECT_EQ(KivUnexpectedQuestions(), 0);
}

} // namespace
