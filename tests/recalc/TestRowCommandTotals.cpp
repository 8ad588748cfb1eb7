// The totals after the row commands and the amounts a saved estimate carries: 行削除, 行挿入, the
// move of 行複写 and its 貼り付け recalculate the items they change; Save and Save As write
// recalculated amounts, the backup writes the rows as they stand.
#include "RecalcFixture.h"

#include "estimate/BlockUndo.h"
#include "estimate/KivFile.h"
#include "grid/BlockSelect.h"
#include "grid/CopyDialog.h"
#include "grid/RowClipboard.h"
#include "platform/files/Files.h"
#include "platform/headless/DialogDriver.h"
#include "support/TempDir.h"

using namespace kivtest;
using kiv::ui::headless::DialogDriver;
using E = EnzanCode;

namespace {

class RowCommandTotals : public RecalcFixture {
protected:
    void SetUp() override {
        RecalcFixture::SetUp();
        g_RowClipboard.Fill(RowClipKind::None, {});
    }
    void TearDown() override {
        ClearBlockSelect();
        g_RowClipboard.Fill(RowClipKind::None, {});
        RecalcFixture::TearDown();
    }

    // Item 1: three priced rows (100, 200, 400) and a 小計; item 2 (when asked): 1000 and a 小計.
    // Every item recalculated, the cursor on row 1 of item 1.
    void threeRowsAndSubtotal(bool secondItem = false) {
        std::vector<std::vector<Fields>> items = {
            {priced("1", "100"), priced("1", "200"), priced("1", "400"), kindRow(E::Syoukei)}};
        if (secondItem)
            items.push_back({priced("1", "1000"), kindRow(E::Syoukei)});
        estimate(items);
        recalcAll();
        toItem(1);
        placeCursor(1, 1, G::Hinmei);
        view->invalidate();
        backend.processPending();
    }
    void command(int id) { EXPECT_TRUE(view->onCommand(id)); }

    // The amount of the 小計 of `item` in the saved file, and the file's rows of that item.
    static std::string subtotalIn(const KivFileContent& file, int item) {
        std::string found;
        for (const std::string& row : file.rows)
            if (G::toInt(row, G::KoumokuNo) == item && G::toInt(row, G::BunNo) == code(E::Syoukei))
                found = std::string(kiv::text::trimBlanks(G::raw(row, G::Kingaku1)));
        return found;
    }
    KivFileContent saved() {
        const auto path = dir / "estimate.KIV";
        EXPECT_TRUE(doc->OnSaveDocument(path.string()));
        const auto bytes = kiv::files::readFile(path);
        EXPECT_TRUE(bytes);
        return ReadKivFile(bytes ? *bytes : std::string());
    }
    // The 小計 amount as the grid shows it on screen row `screenRow` (digits grouped).
    std::string shownAmount(int screenRow) {
        view->invalidate();
        backend.processPending();
        return std::string(kiv::text::trimBlanks(shown(G::Kingaku1, screenRow)));
    }

    static std::string grouped(std::string digits) {
        if (digits.size() > 3)
            digits.insert(digits.size() - 3, ",");
        return digits;
    }

    // 行複写 of rows `from`..`to` of the current item, moved, every question answered OK.
    void moveRows(int from, int to) {
        QueueKivAnswer(true);
        command(ID_GYOU_COPY);
        backend.expectDialog(
            [](DialogDriver& dd) {
                dd.click(CCopyDialog::kMove);
                dd.click(kiv::ui::IDOK);
            },
            CCopyDialog::kDialogId);
        QueueKivAnswer(true);
        placeCursor(from, from, G::Hinmei);
        enter();
        placeCursor(to, to, G::Hinmei);
        enter();
    }

    kiv::test::TempDir dir;
};

TEST_F(RowCommandTotals, RowCommandsRecalculateTheItemsTheyChangeOnScreenAndInTheSavedFile) {
    struct Case {
        const char* what;
        std::function<void()> run;
        std::string item1, item2;   // the 小計 amounts after the command
    };
    const Case cases[] = {
        {"行削除 of row 1", [this] { command(ID_GYOU_DELETE); }, "600", "1000"},
        {"行挿入 right after a quantity was typed into row 2",
         [this] {
             placeCursor(2, 2, G::HiroidasiSuu1);
             backend.sendChar(*view, '5');
             command(ID_GYOU_INSERT);
         },
         "1500", "1000"},
        {"行複写 moving row 1 into item 2",
         [this] {
             moveRows(1, 1);
             // The source item lost the row when it was moved: its total follows at once.
             EXPECT_EQ(at(3, G::Kingaku1), "600");
             toItem(2);
             placeCursor(1, 1, G::Hinmei);
             command(ID_EDIT_PASTE);
         },
         "600", "1100"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        threeRowsAndSubtotal(true);
        c.run();
        const int item = doc->m_CurKoumoku[0];
        const int subtotalRow = doc->m_GyouCount;
        ASSERT_EQ(G::toInt(doc->WorkGyouAt(subtotalRow), G::BunNo), code(E::Syoukei));
        EXPECT_EQ(at(subtotalRow, G::Kingaku1), item == 1 ? c.item1 : c.item2);
        EXPECT_EQ(shownAmount(subtotalRow - doc->m_TopGyou[0]), grouped(item == 1 ? c.item1 : c.item2));
        const KivFileContent file = saved();
        EXPECT_EQ(subtotalIn(file, 1), c.item1);
        EXPECT_EQ(subtotalIn(file, 2), c.item2);
        EXPECT_TRUE(messages().empty());
        view.reset();
    }
}

TEST_F(RowCommandTotals, SaveRecalculatesFirstAndKeepsThePositionTheBackupWritesRowsAsTheyStand) {
    threeRowsAndSubtotal();
    // A quantity typed into row 2 and not yet committed: the estimate needs recalculation.
    placeCursor(2, 2, G::HiroidasiSuu1);
    backend.sendChar(*view, '5');
    ASSERT_TRUE(doc->NeedsRecalc());

    // The backup writes the rows as they stand, with nothing recalculated and nothing said.
    std::string backup;
    CKivDoc::s_BackupWriter = [&backup](CKivDoc& d) { backup = d.SerializeKivFile(); };
    doc->SaveBkUp();
    const KivFileContent asTheyStand = ReadKivFile(backup);
    EXPECT_EQ(subtotalIn(asTheyStand, 1), "700");
    EXPECT_EQ(std::string(kiv::text::trimBlanks(G::raw(asTheyStand.rows[1], G::HiroidasiSuu1))), "5");
    EXPECT_TRUE(doc->NeedsRecalc());

    // Save recalculates first: the typed quantity counts, the cursor stays on its cell.
    const KivFileContent file = saved();
    EXPECT_EQ(std::string(kiv::text::trimBlanks(G::raw(file.rows[1], G::Kingaku1))), "1000");
    EXPECT_EQ(subtotalIn(file, 1), "1500");
    EXPECT_EQ(at(4, G::Kingaku1), "1500");
    EXPECT_FALSE(doc->NeedsRecalc());
    EXPECT_EQ(cursorRow(), 2);
    EXPECT_EQ(field(), G::HiroidasiSuu1);
    EXPECT_EQ(doc->m_CurKoumoku[0], 1);
    EXPECT_TRUE(messages().empty());

    // A second save of an estimate that needs nothing writes the same bytes.
    const auto first = kiv::files::readFile(dir / "estimate.KIV");
    saved();
    EXPECT_EQ(kiv::files::readFile(dir / "estimate.KIV"), first);
}

TEST_F(RowCommandTotals, SaveShowsThePassMessagesOnceAsPrintingDoes) {
    // Two 小計 rows without a 中計 in each of two items: the item's message, once for the pass.
    estimate({{priced("1", "100"), kindRow(E::Syoukei), priced("1", "200"), kindRow(E::Syoukei)},
              {priced("1", "100"), kindRow(E::Syoukei), priced("1", "300"), kindRow(E::Syoukei)}});
    toItem(1);
    doc->MarkNeedsRecalc();
    saved();
    EXPECT_EQ(messagesWith("１項目に小計分類が２ヵ所以上あります"), 1);
    EXPECT_EQ(poolAt(2, 4, G::Kingaku1), "300");
}

TEST_F(RowCommandTotals, RecalculationsAfterARowCommandLeaveItsUndo) {
    struct Case {
        const char* what;
        std::function<void()> between;   // after 行削除 of row 1, before 元に戻す
    };
    const Case cases[] = {
        {"a save that recalculates first", [this] { saved(); }},
        {"Enter on a number cell without typing",
         [this] {
             placeCursor(2, 2, G::HiroidasiSuu1);
             enter();
         }},
        {"the pass printing runs", [this] { view->RecalcWholeEstimate(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g_BlockUndoReady = 0;
        // Item 2 as read from a file, its 小計 not yet recalculated: the passes write it.
        estimate({{priced("1", "100"), priced("1", "200"), priced("1", "400"), kindRow(E::Syoukei)},
                  {priced("1", "1000"), kindRow(E::Syoukei)}});
        toItem(1);
        recalcItem();
        placeCursor(1, 1, G::Hinmei);
        command(ID_GYOU_DELETE);
        ASSERT_EQ(at(3, G::Kingaku1), "600");
        c.between();
        toItem(1);
        placeCursor(1, 1, G::Hinmei);
        command(ID_EDIT_UNDO);
        EXPECT_EQ(doc->m_GyouCount, 4);
        EXPECT_EQ(at(1, G::Kingaku1), "100");
        EXPECT_EQ(at(4, G::Kingaku1), "700");
        EXPECT_EQ(g_BlockUndoReady, 0);
        if (c.what[0] != 'E')
            EXPECT_EQ(poolAt(2, 2, G::Kingaku1), "");   // back to the state before 行削除 as well
        EXPECT_TRUE(messages().empty());
        view.reset();
    }
}

} // namespace
