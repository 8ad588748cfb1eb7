// The totals window through the application on the headless backend: 集計呼出, 積算ﾌｧｲﾙを変換
// through its dialog, 名前を付けて保存, reopening and saving again.
#include <gtest/gtest.h>

#include "estimate/KivFile.h"
#include "master/MstFixture.h"
#include "platform/headless/DialogDriver.h"
#include "platform/ui/Keys.h"
#include "shell/ShellFixture.h"
#include "shell/TSplitFrame.h"
#include "grid/FieldTable.h"
#include "totals/TotalTree.h"
#include "totals/TotalView.h"
#include "totals/SyuukeiDialog.h"
#include "totals/TotalDoc.h"
#include "totals/TotalFile.h"

namespace kiv::test {
namespace {

namespace fs = std::filesystem;
using kivtest::mstLine;
using G = GyouRecord;
using ui::headless::DialogDriver;

class TotalWindowTest : public ShellTest {};

TEST_F(TotalWindowTest, ConvertSaveAsReopenSaveByteForByte) {
    ASSERT_EQ(start("1"), 0);
    const fs::path mst = writeFile("m.MST", WriteMstFile({mstLine(3, 1, {{G::Hinmei, "配管"}})}));
    profile().writeString("Emaster_Section", "Emaster_Dat", mst.string());
    const fs::path kiv = writeFile(
        "e.KIV", WriteKivFile({}, std::vector<std::string>{mstLine(1, 1, {{G::Hinmei, "VP管"}, {G::SekisanSuu1, "2"}, {G::Tanka1, "1000"}, {G::BunNo, "3"}}),
                  mstLine(1, 2, {{G::Hinmei, "VP管"}, {G::SekisanSuu1, "3"}, {G::Tanka1, "1000"}, {G::BunNo, "3"}})}));

    hb().sendCommand(32814);
    ASSERT_EQ(documents().size(), 1u);
    auto* doc = dynamic_cast<CTotalDoc*>(documents()[0]);
    ASSERT_NE(doc, nullptr);

    // 参照 reminds first, then offers the estimate files; Cancel in the dialog changes nothing.
    hb().expectDialog(
        [&](DialogDriver& dd) {
            hb().expectMessageBox(ui::IDOK, CSyuukeiDialog::kBrowseMessage);
            hb().expectFile(kiv);
            dd.click(CSyuukeiDialog::kBrowse);
            dd.click(ui::IDCANCEL);
        },
        CSyuukeiDialog::kDialogId);
    hb().sendCommand(32815);
    EXPECT_EQ(doc->PoolGyouCount(), 1);
    EXPECT_EQ(hb().prompts().back().caption, "KIV(*.KIV)|*.KIV|全て(*.*)|*.*|");

    hb().expectDialog(
        [&](DialogDriver& dd) {
            dd.type(CSyuukeiDialog::kPath, kiv.string());
            dd.click(ui::IDOK);
        },
        CSyuukeiDialog::kDialogId);
    hb().sendCommand(32815);
    ASSERT_EQ(doc->m_KoumokuCount, 2);
    EXPECT_EQ(doc->PoolGyouCount(), 3 + 3);
    EXPECT_TRUE(doc->IsModified());

    // The tree of this window: "分類集計" for the untitled document, one item per category.
    ASSERT_FALSE(doc->frames().empty());
    auto* frame = dynamic_cast<CTSplitFrame*>(doc->frames().front());
    ASSERT_NE(frame, nullptr);
    auto* tree = dynamic_cast<CTotalTree*>(frame->m_wndSplitter->pane(0, 0));
    ASSERT_NE(tree, nullptr);
    hb().processPending();
    EXPECT_EQ(tree->itemText(tree->rootItem()), text::sj("分類集計"));
    const ui::TreeItem first = tree->childItem(tree->rootItem());
    const ui::TreeItem second = tree->nextSiblingItem(first);
    ASSERT_NE(second, 0);
    EXPECT_EQ(tree->nextSiblingItem(second), 0);
    EXPECT_EQ(tree->itemText(second).substr(0, 4), "0002");
    EXPECT_EQ(tree->itemText(second).size(), CTotalTree::kLabelLength);
    tree->selectItem(second);
    hb().sendKeyDown(*tree, ui::VK_RETURN);
    EXPECT_EQ(doc->m_CurKoumoku[0], 2);
    EXPECT_EQ(doc->m_GyouCount, 3);
    // The grid beside it draws that page: row 2 is the merged item, 積算数量 5 on the upper line.
    auto* grid = dynamic_cast<CTotalView*>(frame->m_wndSplitter->pane(0, 1));
    ASSERT_NE(grid, nullptr);
    hb().processPending();
    const auto cell = [&](int field, int screenRow) {
        const FieldGeometry g = CalcFieldPos(g_TotalFieldTable, field, screenRow, 0);
        return hb().screen(*grid).textAt(g.Pos.X0 * 7, g.Pos.Line * 18, g.Pos.Width, 7);
    };
    EXPECT_EQ(cell(G::Hinmei, 2).substr(0, 4), text::sj("VP管"));
    EXPECT_EQ(cell(G::SekisanSuu1, 2), "       5");
    EXPECT_EQ(cell(G::Hinmei, 3).substr(0, 6), text::sj("　小計"));
    // Fields 33 and 34 are five wide through the totals table.
    EXPECT_EQ(g_TotalFieldTable.Width[32], 5);
    tree->selectItem(tree->rootItem());   // the root keeps the category chosen before
    hb().sendKeyDown(*tree, ui::VK_RETURN);
    EXPECT_EQ(doc->m_CurKoumoku[0], 2);

    const fs::path ttl = data.path() / "t.TTL";
    hb().expectFile(ttl);
    hb().sendCommand(ui::cmd::FileSaveAs);
    EXPECT_EQ(doc->GetPathName(), ttl.string());
    EXPECT_FALSE(doc->IsModified());
    const std::string bytes = files::readFile(ttl).value_or("");
    ASSERT_EQ(ReadTotalFile(bytes).size(), 6u);
    hb().sendCommand(ui::cmd::FileClose);
    EXPECT_TRUE(documents().empty());

    ui::Document* again = app->OpenFile(ttl);
    ASSERT_NE(dynamic_cast<CTotalDoc*>(again), nullptr);
    EXPECT_EQ(dynamic_cast<CTotalDoc*>(again)->m_KoumokuCount, 2);
    hb().sendCommand(ui::cmd::FileSave);
    EXPECT_EQ(files::readFile(ttl).value_or(""), bytes);
}

// An untitled totals document saved by 上書き保存 or by はい to the question on closing goes
// through the totals' own save dialog: the mode's extension is added to a bare name, and the
// file opens again with what was typed.
TEST_F(TotalWindowTest, UntitledSaveTakesTheModesExtensionAndOpensAgain) {
    struct Case {
        const char* mode;
        bool onClose;
        const char* ext;
    };
    const Case cases[] = {{"1", false, ".TTL"}, {"1", true, ".TTL"}, {"2", false, ".MTL"}, {"2", true, ".MTL"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + (c.onClose ? " close" : " save"));
        CKivDoc::SetRunMode("");
        ASSERT_EQ(start(c.mode), 0);
        hb().sendCommand(32814);
        ASSERT_EQ(documents().size(), 1u);
        auto* doc = dynamic_cast<CTotalDoc*>(documents()[0]);
        ASSERT_NE(doc, nullptr);
        auto* frame = dynamic_cast<CTSplitFrame*>(doc->frames().front());
        auto* grid = dynamic_cast<CTotalView*>(frame->m_wndSplitter->pane(0, 1));
        ASSERT_NE(grid, nullptr);
        hb().focus(*grid);
        hb().sendText(*grid, "ABC");
        ASSERT_TRUE(doc->IsModified());

        const fs::path bare = data.path() / (std::string("t") + c.mode + (c.onClose ? "c" : "s"));
        const fs::path saved = fs::path(bare) += c.ext;
        hb().expectFile(bare);
        if (c.onClose) {
            hb().expectMessageBox(ui::IDYES, "への変更を保存しますか");
            hb().sendCommand(ui::cmd::FileClose);
            EXPECT_TRUE(documents().empty());
        } else {
            hb().sendCommand(ui::cmd::FileSave);
            EXPECT_EQ(doc->GetPathName(), saved.string());
            EXPECT_FALSE(doc->IsModified());
            hb().sendCommand(ui::cmd::FileClose);
        }
        EXPECT_EQ(hb().prompts().back().caption, std::string("集計(*") + c.ext + ")|*" + c.ext);
        ASSERT_TRUE(fs::exists(saved));

        auto* again = dynamic_cast<CTotalDoc*>(app->OpenFile(saved));
        ASSERT_NE(again, nullptr);
        EXPECT_EQ(G::raw(again->WorkGyouAt(1), G::Hinmei).substr(0, 3), "ABC");
        hb().sendCommand(ui::cmd::FileClose);
        app.reset();
    }
}

} // namespace
} // namespace kiv::test
