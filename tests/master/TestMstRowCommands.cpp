// The master grid's row, category and clipboard commands on the headless backend: 行挿入, 行削除,
// 行複写 with the two-click range, 貼り付け by the clipboard's kind, 元に戻す, 分類移動, 分類挿入,
// 分類削除, 新分類追加, the remark clearings and the font size, driven as a user would.
#include <gtest/gtest.h>

#include "grid/BlockSelect.h"
#include "grid/CopyDialog.h"
#include "grid/RowClipboard.h"
#include "master/BunMoveDialog.h"
#include "master/MstDoc.h"
#include "master/MstFixture.h"
#include "master/MstRowCommands.h"
#include "master/MstTree.h"
#include "master/MstView.h"
#include "platform/headless/DialogDriver.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"
#include "platform/ui/Keys.h"
#include "shell/MSplitFrame.h"
#include "shell/ShellFixture.h"

namespace kiv::test {
namespace {

namespace fs = std::filesystem;
using kivtest::mstBytes;
using kivtest::mstLine;
using text::sj;
using ui::headless::DialogDriver;
using G = GyouRecord;

constexpr int kLineHeight = 18;
constexpr int kCharWidth = 7;
constexpr ui::Color kGrey = ui::rgb(200, 200, 200);

const char* const kAskInsert = "分類の挿入を行います。復活できません。よろしいですか？";
const char* const kAskDelete = "分類の削除を行います。復活できません。よろしいですか？";
const char* const kAskNewBun = "新しい分類を追加します。よろしいですか？";
const char* const kPoolFull = "データ数が最大値を超えました。これ以上は入力できません。";

// Rows R1..Rn of category `bun`.
std::vector<std::string> namedRows(int bun, int n, const std::string& prefix = "R") {
    std::vector<std::string> rows;
    for (int k = 1; k <= n; ++k)
        rows.push_back(mstLine(bun, k, {{G::Hinmei, prefix + std::to_string(k)}}));
    return rows;
}

class MstRowCommands : public ShellTest {
protected:
    struct Window {
        MstDoc* doc = nullptr;
        CMstTree* tree = nullptr;
        CMstView* grid = nullptr;
    };

    void SetUp() override {
        ShellTest::SetUp();
        ASSERT_EQ(start("1"), 0);
        g_MstBlockUndoReady = 0;
        g_MstBlockMove = 0;
        g_MstRowClipboard.Fill(RowClipKind::None, {});
    }
    void TearDown() override {
        ClearBlockSelect();
        g_MstRowClipboard.Fill(RowClipKind::None, {});
        ShellTest::TearDown();
    }

    Window open(const std::string& name, const std::vector<std::string>& rows, int visibleRows = 12) {
        const fs::path p = data / name;
        EXPECT_TRUE(files::writeFileAtomically(p, mstBytes(rows)));
        ui::Document* d = app->OpenFile(p);
        hb().processPending();
        Window w;
        w.doc = dynamic_cast<MstDoc*>(d);
        if (!w.doc || w.doc->frames().empty())
            return w;
        auto* frame = dynamic_cast<CMSplitFrame*>(w.doc->frames().front());
        if (!frame)
            return w;
        w.tree = dynamic_cast<CMstTree*>(frame->m_wndSplitter->pane(0, 0));
        w.grid = dynamic_cast<CMstView*>(frame->m_wndSplitter->pane(0, 1));
        if (w.grid) {
            hb().resize(*w.grid, {1000, (2 + 2 * visibleRows) * kLineHeight});
            hb().processPending();
            hb().focus(*w.grid);
        }
        return w;
    }

    static ui::Point cell(CMstView& grid, int field, int screenRow) {
        const FieldGeometry g = CalcFieldPos(g_MstFieldTable, field, screenRow, grid.m_HScrollPairs);
        return {(g.Pos.X0 + 1) * kCharWidth, g.Pos.Line * kLineHeight + kLineHeight / 2};
    }
    ui::Color backAt(CMstView& grid, int field, int screenRow) {
        const FieldGeometry g = CalcFieldPos(g_MstFieldTable, field, screenRow, grid.m_HScrollPairs);
        return hb().screen(grid).fillColorAt({g.Pos.X0 * kCharWidth + 2, g.Pos.Line * kLineHeight + 2});
    }
    void click(CMstView& g, int field, int screenRow) { hb().sendClick(g, cell(g, field, screenRow)); }
    void command(CMstView& g, int id) { EXPECT_TRUE(g.onCommand(id)); }

    static std::string work(const MstDoc& d, int gyou) {
        std::string row = d.WorkGyouAt(gyou);
        G::padLength(row);
        return row;
    }
    static std::string name(const std::string& row) { return text::toUtf8(G::text(row, G::Hinmei)); }
    static std::vector<std::string> names(const MstDoc& d) {
        std::vector<std::string> out;
        for (int k = 1; k <= d.m_GyouCount; ++k)
            out.push_back(name(work(d, k)));
        return out;
    }
    // The category names (品名 of every line) of category `bun`, read from the store.
    static std::vector<std::string> namesOf(MstDoc& d, int bun) {
        std::vector<std::string> out;
        for (int j = 0; j < d.PoolGyouCount(); ++j)
            if (d.KoumokuOfSlot(j) == bun)
                out.push_back(name(d.PoolGyou(j)));
        return out;
    }
    static void store(Window& w) {
        if (w.doc->m_CurGyou[0] <= w.doc->m_GyouCount)
            w.grid->StoreGyou();
        w.doc->StoreKoumokuGyou();
    }

    // 行複写 of rows `from`..`to`, picked by two clicks on 品名; the dialog answered OK (with
    // 行を移動する when `move`), the paste prompt with OK.
    void copyRows(Window& w, int from, int to, bool move) {
        CMstView& g = *w.grid;
        hb().expectMessageBox(ui::IDOK, "行単位でデーターをコピーします。");
        command(g, 32794);
        ASSERT_EQ(g_BlockSelectState, 1);
        click(g, G::Hinmei, from);
        EXPECT_EQ(g_BlockSelectState, 2);
        EXPECT_EQ(backAt(g, G::Kikaku, from), kGrey);   // the start row marked
        hb().expectDialog(
            [&](DialogDriver& dd) {
                EXPECT_EQ(dd.text(CCopyDialog::kStartGyou), std::to_string(from));
                EXPECT_EQ(dd.text(CCopyDialog::kEndGyou), std::to_string(to));
                // While the dialog is up the grid takes no further range step.
                EXPECT_FALSE(BlockSelectIn(g));
                // The range is marked while the dialog is up.
                for (int s = from; s <= to; ++s)
                    EXPECT_EQ(backAt(g, G::Kikaku, s), kGrey) << "row " << s;
                if (move)
                    dd.click(CCopyDialog::kMove);
                dd.click(ui::IDOK);
            },
            CCopyDialog::kDialogId);
        hb().expectMessageBox(ui::IDOK, "コピー・移動したい場所にカーソルを移動して張り付けを押してください。");
        click(g, G::Hinmei, to);
        EXPECT_EQ(g_BlockSelectState, 0);
    }
};

// ---------------------------------------------------------------------------------------------
// 行挿入, 行削除, 元に戻す

TEST_F(MstRowCommands, InsertOpensANumberedRowAndUndoBringsTheCategoryBack) {
    Window w = open("m.MST", namedRows(1, 5));
    ASSERT_NE(w.grid, nullptr);
    CMstView& g = *w.grid;
    click(g, G::Hinmei, 3);
    hb().sendKeyDown(g, ui::VK_F3);
    EXPECT_EQ(names(*w.doc), (std::vector<std::string>{"R1", "R2", "", "R3", "R4", "R5"}));
    for (int k = 1; k <= 6; ++k)
        EXPECT_EQ(work(*w.doc, k).substr(0, 8), "0001000" + std::to_string(k));
    EXPECT_EQ(G::text(work(*w.doc, 3), G::Hokyuu), "  1.0");
    EXPECT_EQ(w.doc->m_CurGyou[0], 3);
    EXPECT_EQ(g_MstBlockUndoReady, 1);

    command(g, 57643);
    EXPECT_EQ(names(*w.doc), (std::vector<std::string>{"R1", "R2", "R3", "R4", "R5"}));
    EXPECT_EQ(g_MstBlockUndoReady, 0);
    EXPECT_EQ(w.doc->m_CurGyou[0], 3);
}

TEST_F(MstRowCommands, ACellCommittedAfterARowCommandIsKeptByTheUndo) {
    for (bool committed : {false, true}) {
        SCOPED_TRACE(committed);
        g_MstBlockUndoReady = 0;
        Window w = open(committed ? "c1.MST" : "c0.MST", namedRows(1, 3));
        ASSERT_NE(w.grid, nullptr);
        CMstView& g = *w.grid;
        click(g, G::Hinmei, 2);
        hb().sendKeyDown(g, ui::VK_F4);
        ASSERT_EQ(names(*w.doc), (std::vector<std::string>{"R1", "R3"}));
        click(g, G::Hinmei, 1);
        if (committed)
            hb().sendChar(g, 'X');
        hb().sendChar(g, '\r');
        // A cell changed after the row command: the snapshot is gone and 元に戻す acts on the
        // cell (nothing was cut). Enter on an unchanged cell changes nothing: the row comes back.
        command(g, 57643);
        EXPECT_EQ(names(*w.doc), committed ? (std::vector<std::string>{"XR1", "R3"})
                                           : (std::vector<std::string>{"R1", "R2", "R3"}));
        EXPECT_EQ(g_MstBlockUndoReady, 0);
    }
}

TEST_F(MstRowCommands, DeleteTakesTheCursorRowAndASecondUndoIsTheCellsOnly) {
    struct Case {
        int rows, cursor;
        std::vector<std::string> names;
        int cursorAfter;
        bool snapshot;
    };
    const Case cases[] = {
        {1, 1, {""}, 1, true},                                 // the only row: blank, numbered
        {5, 2, {"R1", "R3", "R4", "R5"}, 2, true},
        {5, 5, {"R1", "R2", "R3", "R4"}, 4, true},
        {5, 6, {"R1", "R2", "R3", "R4", "R5"}, 6, false},      // the empty row after the last
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rows << " rows, cursor " << c.cursor);
        g_MstBlockUndoReady = 0;
        Window w = open("d" + std::to_string(c.cursor) + ".MST", namedRows(1, c.rows));
        ASSERT_NE(w.grid, nullptr);
        CMstView& g = *w.grid;
        w.doc->m_CurGyou[0] = c.cursor;
        w.doc->m_ScreenGyou[0] = c.cursor;
        g.LoadGyou();
        hb().sendKeyDown(g, ui::VK_F4);
        EXPECT_EQ(names(*w.doc), c.names);
        EXPECT_EQ(w.doc->m_CurGyou[0], c.cursorAfter);
        EXPECT_EQ(g_MstBlockUndoReady, c.snapshot ? 1 : 0);
        for (int k = 1; k <= w.doc->m_GyouCount; ++k)
            EXPECT_EQ(work(*w.doc, k).substr(0, 8), "0001000" + std::to_string(k));
        if (c.rows == 1)
            EXPECT_EQ(G::text(work(*w.doc, 1), G::Hokyuu), "  1.0");
    }

    // 元に戻す twice after 行削除: the rows, then the last cut cell (none here: nothing changes).
    Window w = open("u.MST", namedRows(1, 3));
    CMstView& g = *w.grid;
    click(g, G::Kikaku, 2);
    hb().sendText(g, "K");
    click(g, G::Hinmei, 1);
    command(g, 57635);   // 切り取り of R1
    click(g, G::Hinmei, 2);
    command(g, 32787);
    EXPECT_EQ(names(*w.doc), (std::vector<std::string>{"", "R3"}));
    command(g, 57643);
    EXPECT_EQ(names(*w.doc), (std::vector<std::string>{"", "R2", "R3"}));
    EXPECT_EQ(text::toUtf8(G::text(work(*w.doc, 2), G::Kikaku)), "K");   // typed before the snapshot
    command(g, 57643);   // on row 2: the cut came from row 1, so nothing comes back here
    EXPECT_EQ(names(*w.doc), (std::vector<std::string>{"", "R2", "R3"}));
    click(g, G::Hinmei, 1);
    command(g, 57643);
    EXPECT_EQ(names(*w.doc), (std::vector<std::string>{"R1", "R2", "R3"}));
}

TEST_F(MstRowCommands, AnInsertAtTheCategoryLimitMovesNoRow) {
    Window w = open("m.MST", namedRows(1, 3));
    ASSERT_NE(w.grid, nullptr);
    // The category filled to 9999 rows in the store.
    for (int k = 4; k <= MstDoc::kBunGyouMax; ++k)
        w.doc->EditPoolGyou(k - 1) = mstLine(1, k, {{G::Hinmei, "R" + std::to_string(k)}});
    w.doc->SetPoolGyouCount(MstDoc::kBunGyouMax);
    w.doc->RebuildGyouIndex();
    w.doc->LoadKoumokuGyou();
    w.grid->LoadGyou();
    hb().expectMessageBox(ui::IDOK, "１分類の行数が最大値を超えました。");
    command(*w.grid, 32786);
    EXPECT_EQ(w.doc->m_GyouCount, MstDoc::kBunGyouMax);
    EXPECT_EQ(name(work(*w.doc, 1)), "R1");
    EXPECT_EQ(name(work(*w.doc, MstDoc::kBunGyouMax)), "R9999");
}

// ---------------------------------------------------------------------------------------------
// 行複写, 貼り付け

TEST_F(MstRowCommands, MovedRowsGoAtOnceArePastedAndOneUndoGoesBackBeforeTheCopy) {
    Window w = open("m.MST", namedRows(1, 6));
    ASSERT_NE(w.grid, nullptr);
    CMstView& g = *w.grid;
    copyRows(w, 2, 4, true);
    EXPECT_EQ(names(*w.doc), (std::vector<std::string>{"R1", "R5", "R6"}));
    EXPECT_EQ(g_MstBlockUndoReady, 1);
    click(g, G::Hinmei, 1);
    command(g, 57637);
    EXPECT_EQ(names(*w.doc), (std::vector<std::string>{"R2", "R3", "R4", "R1", "R5", "R6"}));
    for (int k = 1; k <= 6; ++k)
        EXPECT_EQ(work(*w.doc, k).substr(0, 8), "0001000" + std::to_string(k));
    EXPECT_EQ(w.doc->m_CurGyou[0], 1);

    // A second 貼り付け is a one-cell paste: no row comes in.
    command(g, 57637);
    EXPECT_EQ(w.doc->m_GyouCount, 6);

    command(g, 57643);
    EXPECT_EQ(names(*w.doc), (std::vector<std::string>{"R1", "R2", "R3", "R4", "R5", "R6"}));
}

TEST_F(MstRowCommands, CopiedRowsPasteIntoAnotherMasterWhoseUndoRefusesOnce) {
    Window a = open("a.MST", namedRows(1, 3, "A"));
    ASSERT_NE(a.grid, nullptr);
    copyRows(a, 1, 2, false);
    Window b = open("b.MST", namedRows(1, 2, "B"));
    ASSERT_NE(b.grid, nullptr);
    click(*b.grid, G::Hinmei, 2);
    command(*b.grid, 57637);
    EXPECT_EQ(names(*b.doc), (std::vector<std::string>{"B1", "A1", "A2", "B2"}));
    // The snapshot is the first master's: the second one says so and the snapshot is spent.
    hb().expectMessageBox(ui::IDOK, "コピー・移動元のファイルにカーソルがない場合はもとに戻りません。。");
    command(*b.grid, 57643);
    EXPECT_EQ(g_MstBlockUndoReady, 0);
    EXPECT_EQ(b.doc->m_GyouCount, 4);
    command(*a.grid, 57643);   // nothing left to undo there either
    EXPECT_EQ(names(*a.doc), (std::vector<std::string>{"A1", "A2", "A3"}));
}

TEST_F(MstRowCommands, ACancelledF2LeavesPasteAOneCellPaste) {
    Window w = open("m.MST", namedRows(1, 3));
    ASSERT_NE(w.grid, nullptr);
    CMstView& g = *w.grid;
    click(g, G::Hinmei, 1);
    command(g, 57634);   // ｺﾋﾟｰ of "R1"
    // Rows collected earlier, then F2 cancelled at its question.
    copyRows(w, 2, 3, false);
    hb().expectMessageBox(ui::IDCANCEL, "行単位でデーターをコピーします。");
    hb().sendKeyDown(g, ui::VK_F2);
    EXPECT_EQ(g_BlockSelectState, 0);
    click(g, G::Kikaku, 3);
    command(g, 57637);
    EXPECT_EQ(w.doc->m_GyouCount, 3);
    EXPECT_EQ(text::toUtf8(G::text(work(*w.doc, 3), G::Kikaku)), "R1");
}

TEST_F(MstRowCommands, AnEndRowBeforeTheStartCancelsTheRange) {
    Window w = open("m.MST", namedRows(1, 4));
    CMstView& g = *w.grid;
    hb().expectMessageBox(ui::IDOK, "行単位でデーターをコピーします。");
    command(g, 32794);
    click(g, G::Hinmei, 3);
    hb().expectMessageBox(ui::IDOK, "開始行が終了行より大きすぎます。再入力してください。");
    // Enter takes the range step as a click does.
    click(g, G::Hinmei, 2);
    EXPECT_EQ(g_BlockSelectState, 0);
    EXPECT_EQ(backAt(g, G::Kikaku, 3), ui::rgb(255, 255, 200));   // redrawn without the marks
    hb().expectMessageBox(ui::IDOK, "行単位でデーターをコピーします。");
    command(g, 32794);
    hb().sendKey(g, ui::VK_RETURN, '\r');
    EXPECT_EQ(g_BlockSelectState, 2);
    ClearBlockSelect();
}

TEST_F(MstRowCommands, CsvLinesAndPricesPasteByTheirKind) {
    Window w = open("m.MST", namedRows(1, 3));
    ASSERT_NE(w.grid, nullptr);
    CMstView& g = *w.grid;
    // Five CSV lines with quantities (which a recalculation would blank) at row 2.
    std::vector<std::string> csv;
    for (int k = 1; k <= 5; ++k)
        csv.push_back(mstLine(9, 9, {{G::Hinmei, "C" + std::to_string(k)}, {G::HiroidasiSuu1, "7"}}));
    click(g, G::Hinmei, 2);
    g.SetCsvRows(csv);
    command(g, 57637);
    EXPECT_EQ(names(*w.doc), (std::vector<std::string>{"R1", "C1", "C2", "C3", "C4", "C5", "R2", "R3"}));
    for (int k = 1; k <= 8; ++k)
        EXPECT_EQ(work(*w.doc, k).substr(0, 8), "0001000" + std::to_string(k));
    for (int k = 2; k <= 6; ++k)
        EXPECT_EQ(text::trimBlanks(G::text(work(*w.doc, k), G::HiroidasiSuu1)), "7");
    EXPECT_EQ(w.doc->m_CurGyou[0], 2);

    // 単価ｺﾋﾟｰ of three rows on the last row: only that row takes a price; remarks go with
    // the prices only when asked.
    std::vector<std::string> prices;
    for (int k = 1; k <= 3; ++k)
        prices.push_back(mstLine(1, k, {{G::Tanka1, std::to_string(100 * k)}, {G::Zai1Tanka1, "5"},
                                        {G::Bikou2, "B" + std::to_string(k)}}));
    const std::vector<std::string> before = names(*w.doc);
    g_MstRowClipboard.Fill(RowClipKind::TankaCopy, prices, nullptr, false);
    g_MstRowClipboard.Armed = true;
    click(g, G::Hinmei, 8);
    command(g, 57637);
    EXPECT_EQ(w.doc->m_GyouCount, 8);
    EXPECT_EQ(names(*w.doc), before);
    EXPECT_EQ(text::trimBlanks(G::text(work(*w.doc, 8), G::Tanka1)), "100");
    EXPECT_EQ(text::trimBlanks(G::text(work(*w.doc, 8), G::Zai1Tanka1)), "5");
    EXPECT_TRUE(G::isBlank(work(*w.doc, 8), G::Bikou2));
    EXPECT_TRUE(G::isBlank(work(*w.doc, 7), G::Tanka1));
    g_MstRowClipboard.Fill(RowClipKind::TankaCopy, prices, nullptr, true);
    g_MstRowClipboard.Armed = true;
    click(g, G::Hinmei, 7);
    command(g, 57637);
    EXPECT_EQ(text::trimBlanks(G::text(work(*w.doc, 7), G::Tanka1)), "100");
    EXPECT_EQ(text::toUtf8(std::string(text::trimBlanks(G::text(work(*w.doc, 8), G::Bikou2)))), "B2");
}

TEST_F(MstRowCommands, SettingsCommandsWithoutAnEstimateChangeNothing) {
    Window w = open("m.MST", namedRows(1, 2));
    ASSERT_NE(w.grid, nullptr);
    const std::string before = w.doc->SerializeMstFile();
    // 桁の丸め, 演算分類設定, 複合単価か労務費計上, 複合単価丸め設定: the dialogs show; with no
    // estimate their OK ends as Cancel and the master is left as it was. 32797 does nothing.
    for (int id : {32803, 32802, 32805, 32804, 32797}) {
        SCOPED_TRACE(id);
        if (id != 32797)
            hb().expectDialog([](DialogDriver& dd) { dd.click(ui::IDOK); });
        command(*w.grid, id);
        EXPECT_EQ(hb().pendingAnswers(), 0u);
        EXPECT_EQ(w.doc->SerializeMstFile(), before);
        EXPECT_FALSE(w.doc->IsModified());
    }
}

// ---------------------------------------------------------------------------------------------
// 分類挿入, 分類削除, 分類移動, 新分類追加

std::vector<std::string> threeBuns() {
    std::vector<std::string> rows = namedRows(1, 2, "A");
    for (const auto& r : namedRows(2, 2, "B"))
        rows.push_back(r);
    for (const auto& r : namedRows(3, 1, "C"))
        rows.push_back(r);
    return rows;
}

TEST_F(MstRowCommands, InsertAndDeleteACategoryRenumberTheOthers) {
    Window w = open("m.MST", threeBuns());
    ASSERT_NE(w.grid, nullptr);
    CMstView& g = *w.grid;
    w.tree->selectItem(w.tree->nextSiblingItem(w.tree->childItem(w.tree->rootItem())));
    hb().sendKeyDown(*w.tree, ui::VK_RETURN);
    ASSERT_EQ(w.doc->m_CurKoumoku[0], 2);
    hb().expectMessageBox(ui::IDOK, kAskInsert);
    hb().sendKeyDown(g, ui::VK_F5);
    EXPECT_EQ(w.doc->m_KoumokuCount, 4);
    EXPECT_EQ(w.doc->m_CurKoumoku[0], 2);
    EXPECT_EQ(names(*w.doc), std::vector<std::string>{""});
    EXPECT_EQ(namesOf(*w.doc, 3), (std::vector<std::string>{"B1", "B2"}));
    EXPECT_EQ(namesOf(*w.doc, 4), std::vector<std::string>{"C1"});
    EXPECT_TRUE(w.doc->IsModified());

    hb().expectMessageBox(ui::IDOK, kAskDelete);
    command(g, 32789);   // (F6 itself is the frame's next-pane key)
    EXPECT_EQ(w.doc->m_KoumokuCount, 3);
    EXPECT_EQ(names(*w.doc), (std::vector<std::string>{"B1", "B2"}));
    EXPECT_EQ(namesOf(*w.doc, 3), std::vector<std::string>{"C1"});

    // Cancel changes nothing.
    hb().expectMessageBox(ui::IDCANCEL, kAskDelete);
    command(g, 32789);
    EXPECT_EQ(w.doc->m_KoumokuCount, 3);

    // The last category, then the only one.
    struct Case {
        int bun;
        int countAfter, curAfter;
        std::vector<std::string> namesAfter;
    };
    const Case cases[] = {{3, 2, 2, {"B1", "B2"}}, {1, 1, 1, {"B1", "B2"}}, {1, 1, 1, {""}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bun);
        store(w);
        w.doc->m_CurKoumoku[0] = c.bun;
        w.doc->LoadKoumokuGyou();
        g.LoadGyou();
        hb().expectMessageBox(ui::IDOK, kAskDelete);
        command(g, 32789);
        EXPECT_EQ(w.doc->m_KoumokuCount, c.countAfter);
        EXPECT_EQ(w.doc->m_CurKoumoku[0], c.curAfter);
        EXPECT_EQ(names(*w.doc), c.namesAfter);
    }
}

TEST_F(MstRowCommands, MoveGoesToAChosenCategoryAddsOneAndRefusesATooLargeNumber) {
    Window w = open("m.MST", threeBuns());
    ASSERT_NE(w.grid, nullptr);
    CMstView& g = *w.grid;

    // The dialog lists the titles flat under the root; a selection takes the number.
    hb().expectDialog(
        [](DialogDriver& dd) {
            ui::TreeView* t = dd.dialog().tree(CBunMoveDialog::kTree);
            ASSERT_NE(t, nullptr);
            const ui::TreeItem root = t->rootItem();
            ui::TreeItem third = t->childItem(root);
            third = t->nextSiblingItem(t->nextSiblingItem(third));
            ASSERT_TRUE(third);
            EXPECT_FALSE(t->nextSiblingItem(third));
            EXPECT_FALSE(t->childItem(third));
            t->selectItem(third);
            EXPECT_EQ(dd.text(CBunMoveDialog::kBunNo), "3");
            dd.key(ui::VK_RETURN);
        },
        CBunMoveDialog::kDialogId);
    hb().sendKeyDown(g, ui::VK_F1);
    EXPECT_EQ(w.doc->m_CurKoumoku[0], 3);
    EXPECT_EQ(names(*w.doc), std::vector<std::string>{"C1"});
    EXPECT_EQ(w.doc->m_CurGyou[0], 1);
    EXPECT_EQ(g.m_CurField[0], CMstView::m_FirstField);

    // 新分類: the number after the last, the question, a new category with its line 1.
    hb().expectDialog([](DialogDriver& dd) { dd.click(CBunMoveDialog::kNewBun); }, CBunMoveDialog::kDialogId);
    hb().expectMessageBox(ui::IDOK, kAskNewBun);
    command(g, 32793);
    EXPECT_EQ(w.doc->m_KoumokuCount, 4);
    EXPECT_EQ(w.doc->m_CurKoumoku[0], 4);
    EXPECT_EQ(work(*w.doc, 1).substr(0, 8), "00040001");

    // count + 2: the message; the category stays, and an edit made there survives a tree choice.
    hb().expectDialog([](DialogDriver& dd) { dd.type(CBunMoveDialog::kBunNo, "6").click(ui::IDOK); },
                      CBunMoveDialog::kDialogId);
    hb().expectMessageBox(ui::IDOK, "入力された数値が大きすぎます。再入力してください。");
    command(g, 32793);
    EXPECT_EQ(w.doc->m_CurKoumoku[0], 4);
    EXPECT_EQ(w.doc->m_KoumokuCount, 4);
    click(g, G::Hinmei, 1);
    hb().sendText(g, "X");
    w.tree->selectItem(w.tree->childItem(w.tree->rootItem()));
    hb().sendKeyDown(*w.tree, ui::VK_RETURN);
    EXPECT_EQ(w.doc->m_CurKoumoku[0], 1);
    EXPECT_EQ(namesOf(*w.doc, 4), std::vector<std::string>{"X"});

    // Cancel: back where it was.
    hb().expectDialog([](DialogDriver& dd) { dd.click(ui::IDCANCEL); }, CBunMoveDialog::kDialogId);
    command(g, 32793);
    EXPECT_EQ(w.doc->m_CurKoumoku[0], 1);
    EXPECT_EQ(names(*w.doc), (std::vector<std::string>{"A1", "A2"}));
}

TEST_F(MstRowCommands, NewCategoryAfterFiveIsKeyedAndShownInTheTree) {
    std::vector<std::string> rows;
    for (int b = 1; b <= 5; ++b)
        rows.push_back(mstLine(b, 1, {{G::Hinmei, "T" + std::to_string(b)}}));
    Window w = open("m.MST", rows);
    ASSERT_NE(w.grid, nullptr);
    hb().expectMessageBox(ui::IDOK, kAskNewBun);
    command(*w.grid, 32870);
    EXPECT_EQ(w.doc->m_KoumokuCount, 6);
    EXPECT_EQ(w.doc->m_CurKoumoku[0], 6);
    EXPECT_EQ(w.doc->m_GyouCount, 1);
    EXPECT_EQ(work(*w.doc, 1).substr(0, 8), "00060001");
    int items = 0;
    for (ui::TreeItem c = w.tree->childItem(w.tree->rootItem()); c; c = w.tree->nextSiblingItem(c))
        ++items;
    EXPECT_EQ(items, 6);

    // 分類名登録 from the tree after line 1 of category 3 was renamed.
    store(w);
    w.doc->m_CurKoumoku[0] = 3;
    w.doc->LoadKoumokuGyou();
    w.grid->LoadGyou();
    click(*w.grid, G::Hinmei, 1);
    hb().sendText(*w.grid, "N");
    EXPECT_TRUE(w.tree->onCommand(32873));
    ui::TreeItem third = w.tree->nextSiblingItem(w.tree->nextSiblingItem(w.tree->childItem(w.tree->rootItem())));
    EXPECT_NE(w.tree->itemText(third).find("NT3"), std::string::npos) << w.tree->itemText(third);
}

TEST_F(MstRowCommands, AtTheCategoryLimitNoCategoryIsAdded) {
    std::vector<std::string> rows;
    for (int b = 1; b <= MstDoc::kBunMax; ++b)
        rows.push_back(mstLine(b, 1));
    Window w = open("m.MST", rows, 4);
    ASSERT_NE(w.grid, nullptr);
    CMstView& g = *w.grid;
    hb().expectMessageBox(ui::IDOK, kAskNewBun);
    hb().expectMessageBox(ui::IDOK, kPoolFull);
    command(g, 32870);
    hb().expectMessageBox(ui::IDOK, kAskInsert);
    hb().expectMessageBox(ui::IDOK, kPoolFull);
    command(g, 32788);
    hb().expectDialog([](DialogDriver& dd) { dd.click(CBunMoveDialog::kNewBun); }, CBunMoveDialog::kDialogId);
    hb().expectMessageBox(ui::IDOK, kAskNewBun);
    hb().expectMessageBox(ui::IDOK, kPoolFull);
    command(g, 32793);
    EXPECT_EQ(w.doc->m_KoumokuCount, MstDoc::kBunMax);
    EXPECT_EQ(w.doc->PoolGyouCount(), MstDoc::kBunMax);
    EXPECT_EQ(w.doc->m_CurKoumoku[0], 1);
    EXPECT_FALSE(w.doc->IsModified());
}

// ---------------------------------------------------------------------------------------------
// 備考２削除, 備考２一括削除, 画面フォントサイズ指定

TEST_F(MstRowCommands, RemarkClearingTouchesOnlyTheEightRemarks) {
    const std::vector<std::pair<int, std::string>> fields = {
        {G::Hinmei, "P"}, {G::Bikou1, "H"}, {G::Bikou2, "R2"}, {G::Zai1Bikou, "Z1"}, {G::Zai7Bikou, "Z7"},
        {G::Tanka1, "10"}};
    const std::vector<std::string> rows = {mstLine(1, 1, fields), mstLine(1, 2, fields), mstLine(2, 1, fields)};
    Window w = open("m.MST", rows);
    ASSERT_NE(w.grid, nullptr);
    CMstView& g = *w.grid;
    auto cleared = [](const std::string& row) {
        std::string r = row;
        for (int f : {G::Bikou2, G::Zai1Bikou, G::Zai2Bikou, G::Zai3Bikou, G::Zai4Bikou, G::Zai5Bikou,
                      G::Zai6Bikou, G::Zai7Bikou})
            G::blank(r, f);
        return r;
    };

    // Cancel: nothing cleared, the row typed just before kept, the grid redrawn.
    click(g, G::Kikaku, 2);
    hb().sendText(g, "E");
    const std::string edited = work(*w.doc, 2);
    hb().expectMessageBox(ui::IDCANCEL, "各分類の備考２と詳細の備考を消去します。");
    command(g, 32850);
    EXPECT_EQ(work(*w.doc, 2), edited);
    EXPECT_EQ(w.doc->m_CurGyou[0], 2);
    EXPECT_EQ(g.m_CurField[0], G::Kikaku);

    const std::string row1 = work(*w.doc, 1);
    hb().expectMessageBox(ui::IDOK, "各分類の備考２と詳細の備考を消去します。");
    command(g, 32850);
    EXPECT_EQ(work(*w.doc, 1), cleared(row1));
    EXPECT_EQ(work(*w.doc, 2), cleared(edited));
    EXPECT_EQ(namesOf(*w.doc, 2).size(), 1u);
    std::string other;
    for (int j = 0; j < w.doc->PoolGyouCount(); ++j)
        if (w.doc->KoumokuOfSlot(j) == 2)
            other = w.doc->PoolGyou(j);
    G::padLength(other);
    EXPECT_EQ(other, rows[2]);

    // Every category: Cancel does nothing, OK clears category 2 as well.
    hb().expectMessageBox(ui::IDCANCEL, "全分類の備考２と詳細の備考を消去します。");
    command(g, 32875);
    hb().expectMessageBox(ui::IDOK, "全分類の備考２と詳細の備考を消去します。");
    command(g, 32875);
    for (int j = 0; j < w.doc->PoolGyouCount(); ++j)
        if (w.doc->KoumokuOfSlot(j) == 2) {
            std::string r = w.doc->PoolGyou(j);
            G::padLength(r);
            EXPECT_EQ(r, cleared(rows[2]));
        }
}

TEST_F(MstRowCommands, FontSizeIsStoredUnderTheMastersKey) {
    Window w = open("m.MST", threeBuns());
    ASSERT_NE(w.grid, nullptr);
    CMstView& g = *w.grid;
    struct Case {
        int answer;
        std::optional<int> height;   // the font dialog's answer when Yes
        int stored;
    };
    const Case cases[] = {
        {ui::IDNO, std::nullopt, 14},
        {ui::IDYES, -32, 24},
        {ui::IDYES, std::nullopt, 24},   // the font dialog cancelled
        {ui::IDCANCEL, std::nullopt, 24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.answer << " " << c.height.value_or(0));
        hb().expectMessageBox(c.answer, "ＭＳゴシックのフォントサイズを選択してください");
        if (c.answer == ui::IDYES) {
            std::optional<ui::Font> chosen;
            if (c.height) {
                chosen = ui::Font{};
                chosen->height = *c.height;
            }
            hb().expectFont(chosen);
            if (c.height)
                hb().expectMessageBox(ui::IDOK, "このウィンドを終了後、画面表示が変更されます。");
        }
        command(g, 32868);
        EXPECT_EQ(profile().getInt("MFont_Size_Section", "MFont_Size", 0), c.stored);
        EXPECT_EQ(g.m_FontSize, c.stored);
        EXPECT_EQ(w.tree->m_FontSize, c.stored);   // the tree refilled with the new size
    }
}

} // namespace
} // namespace kiv::test
