// The totals window's commands through the application: function keys, accelerators, the
// right button and menu commands reach the window they are given in, never another totals
// window (two are open, the other one opened last).
#include <gtest/gtest.h>

#include "master/MstFixture.h"
#include "platform/headless/DialogDriver.h"
#include "platform/text/Number.h"
#include "platform/ui/Keys.h"
#include "shell/ShellFixture.h"
#include "shell/TSplitFrame.h"
#include "totals/SyuMoveDialog.h"
#include "totals/TotalCommands.h"
#include "totals/TotalDoc.h"
#include "totals/TotalFile.h"
#include "totals/TotalView.h"

namespace kiv::test {
namespace {

namespace fs = std::filesystem;
using kivtest::mstLine;
using G = GyouRecord;
using ui::headless::DialogDriver;

class TotalWindowCommandsTest : public ShellTest {
protected:
    CTotalDoc* openTotals(const char* name, const char* prefix) {
        std::vector<std::string> rows;
        for (int k = 1; k <= 2; ++k)
            for (int g = 1; g <= 3; ++g)
                rows.push_back(mstLine(k, g, {{G::Hinmei, std::string(prefix) + std::to_string(k) + "-" + std::to_string(g)},
                                              {G::Tanka1, "100"}}));
        const fs::path ttl = writeFile(name, WriteTotalFile(rows, static_cast<int>(rows.size())));
        return dynamic_cast<CTotalDoc*>(app->OpenFile(ttl));
    }
    static CTotalView* gridOf(CTotalDoc& d) {
        auto* frame = dynamic_cast<CTSplitFrame*>(d.frames().front());
        return frame ? dynamic_cast<CTotalView*>(frame->m_wndSplitter->pane(0, 1)) : nullptr;
    }
    static std::string name(CTotalDoc& d, int gyou) {
        return std::string(text::trimBlanks(G::raw(d.WorkGyouAt(gyou), G::Hinmei)));
    }
};

TEST_F(TotalWindowCommandsTest, KeysAcceleratorsAndRightButtonActOnTheirOwnWindow) {
    ASSERT_EQ(start("1"), 0);
    CTotalDoc* a = openTotals("a.TTL", "A");
    CTotalDoc* b = openTotals("b.TTL", "B");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(g_pTotalDoc, b);
    CTotalView* grid = gridOf(*a);
    ASSERT_NE(grid, nullptr);
    hb().focus(*grid);

    // F3 inserts a row at the cursor, F4 deletes it again.
    hb().sendKeyDown(*grid, ui::VK_DOWN);
    ASSERT_EQ(a->m_CurGyou[0], 2);
    hb().sendKeyDown(*grid, ui::VK_F3);
    EXPECT_EQ(a->m_GyouCount, 4);
    EXPECT_EQ(name(*a, 2), "");
    EXPECT_EQ(b->m_GyouCount, 3);
    hb().sendKeyDown(*grid, ui::VK_F4);
    EXPECT_EQ(a->m_GyouCount, 3);
    EXPECT_EQ(name(*a, 2), "A1-2");

    // Ctrl+Insert copies the 品名 cell, Shift+Insert pastes it on row 3.
    hb().sendKeyDown(*grid, ui::VK_INSERT, ui::ModCtrl);
    hb().sendKeyDown(*grid, ui::VK_DOWN);
    ASSERT_EQ(a->m_CurGyou[0], 3);
    hb().sendKeyDown(*grid, ui::VK_INSERT, ui::ModShift);
    EXPECT_EQ(name(*a, 3), "A1-2");
    // Shift+Delete cuts it, Alt+Backspace puts it back.
    hb().sendKeyDown(*grid, ui::VK_DELETE, ui::ModShift);
    EXPECT_EQ(name(*a, 3), "");
    hb().sendKeyDown(*grid, ui::VK_BACK, ui::ModAlt);
    EXPECT_EQ(name(*a, 3), "A1-2");

    // The right button on a text field: the category list of this window, page 2 chosen.
    hb().expectDialog(
        [](DialogDriver& dd) {
            EXPECT_EQ(dd.text(CSyuMoveDialog::kBun), "1");
            EXPECT_EQ(dd.dialog().listItemText(CSyuMoveDialog::kList, 1, 1).substr(0, 4), "A2-1");
            dd.doubleClick(CSyuMoveDialog::kList, 1);
        },
        CSyuMoveDialog::kDialogId);
    hb().sendMouse(*grid, ui::MouseEvent::RButtonDown, {10, 60});
    EXPECT_EQ(a->m_CurKoumoku[0], 2);
    EXPECT_EQ(name(*a, 1), "A2-1");
    EXPECT_EQ(b->m_CurKoumoku[0], 1);

    // F9: the detail of this window's row; Cancel changes nothing.
    const bool modified = a->IsModified();
    hb().expectDialog(
        [](DialogDriver& dd) {
            EXPECT_EQ(dd.textUtf8(1000), "A2-1");
            dd.click(ui::IDCANCEL);
        },
        130);
    hb().sendKeyDown(*grid, ui::VK_F9);
    EXPECT_EQ(a->IsModified(), modified);

    // F1 with the next free page: a new page of one blank row; 項目削除 deletes it after the
    // question (F6 is the frame's pane switch, an accelerator that comes first).
    hb().expectDialog(
        [](DialogDriver& dd) {
            dd.type(CSyuMoveDialog::kBun, "3");
            dd.click(ui::IDOK);
        },
        CSyuMoveDialog::kDialogId);
    hb().sendKeyDown(*grid, ui::VK_F1);
    EXPECT_EQ(a->m_KoumokuCount, 3);
    EXPECT_EQ(a->m_CurKoumoku[0], 3);
    hb().expectMessageBox(ui::IDOK, "項目の削除を行います。復活できません。よろしいですか？");
    hb().sendCommand(32789);
    EXPECT_EQ(a->m_KoumokuCount, 2);
    EXPECT_EQ(b->m_KoumokuCount, 2);

    // 画面フォントサイズ指定, No: the size every grid reads.
    hb().expectMessageBox(ui::IDNO, "文字表示の大きさ");
    hb().sendCommand(32868);
    EXPECT_EQ(profile().getInt("Font_Size_Section", "Font_Size", 0), GridViewBase::kDefaultFontSize);
    EXPECT_EQ(grid->m_FontSize, GridViewBase::kDefaultFontSize);
}

} // namespace
} // namespace kiv::test
