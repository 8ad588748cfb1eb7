// Dialogs on the headless backend: data exchange and validation, controls and their
// notifications, keys, the once-only show hook, message boxes and the common dialogs.
#include "platform/files/Files.h"
#include "platform/text/Cp932.h"
#include "platform/ui/App.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Frame.h"
#include "platform/ui/MessageBox.h"
#include "support/HeadlessUi.h"
#include "support/UiTestDialogs.h"

#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::ui;
using kiv::test::EveryControlDialog;
using kiv::text::sj;
using Driver = kiv::ui::headless::DialogDriver;

namespace {

class Dialogs : public ::testing::Test {
protected:
    kiv::test::HeadlessUi ui;
    headless::HeadlessBackend& hb() { return ui.backend; }
};

TEST_F(Dialogs, ExchangesEveryKindOfControlOnOk) {
    EveryControlDialog d;
    d.m_Name = sj("旧名");
    d.m_Radio = 2;
    hb().expectDialog(
        [](Driver& dr) {
            EXPECT_EQ(dr.text(EveryControlDialog::kName), sj("旧名"));   // members shown at start
            EXPECT_EQ(dr.dialog().isChecked(EveryControlDialog::kRadio3), 1);
            EXPECT_EQ(dr.dialog().focusedControl(), EveryControlDialog::kName);   // first control in the table
            dr.type(EveryControlDialog::kName, "配管工事")
                .type(EveryControlDialog::kCount, "12")
                .type(EveryControlDialog::kRate, " 2.5")
                .type(EveryControlDialog::kMemo, "一行目")
                .click(EveryControlDialog::kCheck)
                .click(EveryControlDialog::kRadio2)
                .select(EveryControlDialog::kUnit, 3)
                .select(EveryControlDialog::kList, 1)
                .click(IDOK);
        },
        300);
    EXPECT_EQ(d.doModal(), IDOK);
    EXPECT_EQ(d.m_Name, sj("配管工事"));
    EXPECT_EQ(d.m_Count, 12);
    EXPECT_DOUBLE_EQ(d.m_Rate, 2.5);
    EXPECT_EQ(d.m_Memo, sj("一行目"));
    EXPECT_EQ(d.m_Check, 1);
    EXPECT_EQ(d.m_Radio, 1);
    EXPECT_EQ(d.m_Unit, sj("式"));
    EXPECT_EQ(d.m_ListText, sj("0002 電気"));
    EXPECT_EQ(d.shows, 1);
    // Focus left the name box before the count was typed; typing notified the change handler.
    ASSERT_GE(d.log.size(), 3u);
    EXPECT_EQ(d.log[0], "kill name");
    EXPECT_EQ(d.log[1], "change count 12");
    EXPECT_NE(std::find(d.log.begin(), d.log.end(), "unit sel"), d.log.end());
    EXPECT_NE(std::find(d.log.begin(), d.log.end(), "list sel 1"), d.log.end());
}

TEST_F(Dialogs, FailedValidationKeepsTheDialogOpenAndTheEarlierMembers) {
    struct Case {
        int control;
        const char* typed;
        const char* message;
    };
    const Case cases[] = {
        {EveryControlDialog::kCount, "1000", "1 から 999 までの整数"},
        {EveryControlDialog::kCount, "0", "1 から 999 までの整数"},
        {EveryControlDialog::kCount, "", "整数を入力してください"},
        {EveryControlDialog::kRate, "10.5", "0 から 10 までの数値"},
        {EveryControlDialog::kRate, "1e3", "数値を入力してください"},
        {EveryControlDialog::kRate, "1,5", "数値を入力してください"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EveryControlDialog d;
        hb().expectMessageBox(IDOK, c.message);
        hb().expectDialog([&](Driver& dr) {
            dr.type(EveryControlDialog::kName, "新").type(c.control, c.typed).click(IDOK);
            EXPECT_FALSE(dr.ended());
            EXPECT_EQ(dr.dialog().focusedControl(), c.control);
            EXPECT_EQ(static_cast<EveryControlDialog&>(dr.dialog()).m_Name, sj("新"));   // exchanged before the failure
            EXPECT_DOUBLE_EQ(static_cast<EveryControlDialog&>(dr.dialog()).m_Rate, 1.0);
            dr.type(c.control, "10").click(IDOK);
        });
        EXPECT_EQ(d.doModal(), IDOK);
    }
    EXPECT_EQ(hb().messageTexts().size(), 6u);
}

TEST_F(Dialogs, EditsKeepTheirByteLimitAndDigitsOnly) {
    EveryControlDialog d;
    d.m_Name = "ABCDEFGHIJK";   // longer than the box allows: refused when taken in
    hb().expectMessageBox(IDOK, "半角10文字");
    hb().expectDialog([](Driver& dr) {
        dr.click(IDOK);
        EXPECT_FALSE(dr.ended());
        EXPECT_EQ(dr.dialog().focusedControl(), EveryControlDialog::kName);
        // Typing stops at 10 bytes and never cuts a double-byte character in half.
        dr.type(EveryControlDialog::kName, "あいうえおか");
        EXPECT_EQ(dr.text(EveryControlDialog::kName), sj("あいうえお"));
        dr.type(EveryControlDialog::kName, "Aあいうえお");
        EXPECT_EQ(dr.text(EveryControlDialog::kName), sj("Aあいうえ"));
        dr.type(EveryControlDialog::kCount, "1a2-3");
        EXPECT_EQ(dr.text(EveryControlDialog::kCount), "123");
        dr.type(EveryControlDialog::kShown, "x");   // read-only
        EXPECT_EQ(dr.text(EveryControlDialog::kShown), sj("表示のみ"));
        dr.click(IDOK);
    });
    EXPECT_EQ(d.doModal(), IDOK);
    EXPECT_EQ(d.m_Name, sj("Aあいうえ"));
    EXPECT_EQ(d.m_Count, 123);
}

// Boxes exchanged as numbers take ０-９, ．, － and − as typed with the input method on and hold
// them half-width (the digits-only box too); a text box keeps full-width digits as they are.
TEST_F(Dialogs, NumberBoxesTakeFullWidthDigitsAsHalfWidth) {
    EveryControlDialog d;
    hb().expectDialog([](Driver& dr) {
        dr.type(EveryControlDialog::kName, "Ｆ２．０")
            .type(EveryControlDialog::kCount, "１２")
            .type(EveryControlDialog::kRate, "２．５");
        EXPECT_EQ(dr.text(EveryControlDialog::kCount), "12");
        EXPECT_EQ(dr.text(EveryControlDialog::kRate), "2.5");
        dr.click(IDOK);
    });
    EXPECT_EQ(d.doModal(), IDOK);
    EXPECT_EQ(d.m_Name, sj("Ｆ２．０"));
    EXPECT_EQ(d.m_Count, 12);
    EXPECT_DOUBLE_EQ(d.m_Rate, 2.5);
}

TEST_F(Dialogs, KeysPressTheDefaultButtonCancelAndMoveInTabOrder) {
    {
        EveryControlDialog d;
        hb().expectDialog([](Driver& dr) {
            dr.focus(EveryControlDialog::kMemo).key(VK_RETURN);   // a new line, not OK
            EXPECT_FALSE(dr.ended());
            dr.focus(EveryControlDialog::kName).key(VK_TAB);
            EXPECT_EQ(dr.dialog().focusedControl(), EveryControlDialog::kCount);   // statics are skipped
            dr.key(VK_TAB, ModShift);
            EXPECT_EQ(dr.dialog().focusedControl(), EveryControlDialog::kName);
            dr.key(VK_RETURN);
        });
        EXPECT_EQ(d.doModal(), IDOK);
    }
    {
        EveryControlDialog d;
        d.m_Count = 5;
        hb().expectDialog([](Driver& dr) { dr.type(EveryControlDialog::kCount, "77").key(VK_ESCAPE); });
        EXPECT_EQ(d.doModal(), IDCANCEL);
        EXPECT_EQ(d.m_Count, 5);   // nothing taken in on Cancel
    }
    {
        EveryControlDialog d;   // the close box is Cancel unless the dialog says otherwise
        hb().expectDialog([](Driver& dr) { dr.dialog().dispatchClose(); });
        EXPECT_EQ(d.doModal(), IDCANCEL);
    }
}

TEST_F(Dialogs, ADialogMayTakeKeysBeforeItsOwnHandling) {
    struct Calculator : EveryControlDialog {
        std::string ops;
        bool onPreTranslateKey(int vk, unsigned) override {
            if (vk != VK_ADD && vk != VK_SUBTRACT)
                return false;
            ops += vk == VK_ADD ? '+' : '-';
            return true;
        }
    };
    Calculator d;
    hb().expectDialog([](Driver& dr) { dr.focus(EveryControlDialog::kRate).key(VK_ADD).key(VK_SUBTRACT).key(VK_RETURN); });
    EXPECT_EQ(d.doModal(), IDOK);
    EXPECT_EQ(d.ops, "+-");
}

TEST_F(Dialogs, HandlersEndTheDialogWithTheirOwnCodes) {
    EveryControlDialog d;
    hb().expectDialog([](Driver& dr) { dr.type(EveryControlDialog::kCount, "42").click(EveryControlDialog::kBrowse); });
    EXPECT_EQ(d.doModal(), 1032);
    EXPECT_EQ(d.m_Count, 42);
    EveryControlDialog d2;
    hb().expectDialog([](Driver& dr) {
        EXPECT_EQ(dr.dialog().listItemText(EveryControlDialog::kReport, 0, 1), sj("配管工事"));
        dr.focus(EveryControlDialog::kReport).key(VK_RETURN);   // Enter in the report list is its own
        EXPECT_FALSE(dr.ended());
        dr.doubleClick(EveryControlDialog::kReport, 0);
    });
    EXPECT_EQ(d2.doModal(), 1243);
    EXPECT_EQ(d2.log.back(), "report return");
}

TEST_F(Dialogs, ListBoxOperations) {
    EveryControlDialog d;
    hb().expectDialog([](Driver& dr) {
        Dialog& g = dr.dialog();
        const int id = EveryControlDialog::kList;
        EXPECT_EQ(g.getCount(id), 3);
        EXPECT_EQ(g.getCurSel(id), -1);
        EXPECT_EQ(g.insertString(id, 1, sj("0005 衛生")), 1);
        EXPECT_EQ(g.insertString(id, -1, "last"), 4);
        EXPECT_EQ(g.getLbText(id, 2), sj("0002 電気"));
        EXPECT_EQ(g.selectString(id, -1, "000"), 0);   // the first line that begins with it
        EXPECT_EQ(g.selectString(id, 0, "000"), 1);
        EXPECT_EQ(g.deleteString(id, 1), 4);
        EXPECT_EQ(g.getCurSel(id), -1);
        g.setCurSel(id, 3);
        EXPECT_EQ(g.getLbText(id, g.getCurSel(id)), "last");
        g.setCurSel(id, -1);
        EXPECT_EQ(g.getCurSel(id), -1);
        g.setHorizontalExtent(id, 990);
        EXPECT_EQ(g.control(id)->horizontalExtent, 990);
        EXPECT_EQ(g.deleteString(id, 7), -1);
        dr.doubleClick(id, 2);
        EXPECT_EQ(static_cast<EveryControlDialog&>(g).log.back(), "list dbl");
        // Exchanging a text into the list selects the first line that begins with it.
        static_cast<EveryControlDialog&>(g).m_ListText = sj("0010");
        g.updateData(false);
        EXPECT_EQ(g.getCurSel(id), 2);
        g.resetContent(id);
        EXPECT_EQ(g.getCount(id), 0);
        dr.click(IDCANCEL);
    });
    EXPECT_EQ(d.doModal(), IDCANCEL);
}

TEST_F(Dialogs, TreeInsideADialogReportsEnterAndDoubleClicks) {
    EveryControlDialog d;
    hb().expectDialog([](Driver& dr) {
        TreeView* t = dr.dialog().tree(EveryControlDialog::kTree);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->count(), 2);
        dr.focus(EveryControlDialog::kTree);
        EXPECT_TRUE(t->hasFocus());
        t->selectItem(t->childItem(t->rootItem()));
        dr.key(VK_RETURN);
        EXPECT_EQ(static_cast<EveryControlDialog&>(dr.dialog()).log.back(), "tree return");
        EXPECT_FALSE(dr.ended());
        dr.key(VK_ESCAPE);
    });
    EXPECT_EQ(d.doModal(), IDCANCEL);
}

TEST_F(Dialogs, ModelessDialogRunsItsShowHookOnce) {
    EveryControlDialog d;
    ASSERT_TRUE(d.createModeless());
    EXPECT_EQ(d.shows, 0);
    d.show(true);
    d.show(false);
    d.show(true);
    EXPECT_EQ(d.shows, 1);
    EXPECT_EQ(d.showWindows, 3);   // the window hook sees every show and hide
    EXPECT_EQ(d.getCount(EveryControlDialog::kUnit), 5);   // filled once, not twice
    Driver dr(d, hb());
    dr.type(EveryControlDialog::kCount, "7").click(IDOK);
    EXPECT_TRUE(d.isEnded());
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.m_Count, 7);
}

TEST_F(Dialogs, UnexpectedPromptsAreReported) {
    std::vector<std::string> seen;
    hb().onUnexpectedPrompt = [&](const std::string& s) { seen.push_back(s); };
    EXPECT_EQ(messageBox("予期しない"), IDCANCEL);
    EveryControlDialog d;
    EXPECT_EQ(d.doModal(), IDCANCEL);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_NE(seen[0].find("予期しない"), std::string::npos);
    EXPECT_NE(seen[1].find("全部のコントロール"), std::string::npos);
}

TEST_F(Dialogs, MessageBoxesAnswerAndRecordTheirTexts) {
    hb().expectMessageBox(IDOK);
    hb().expectMessageBox(IDCANCEL);
    hb().expectMessageBox(IDNO);
    EXPECT_EQ(messageBox("一"), IDOK);
    EXPECT_EQ(messageBox("二", MB_OKCANCEL, "積算の選択"), IDCANCEL);
    EXPECT_EQ(messageBox("三", MB_YESNOCANCEL), IDNO);
    EXPECT_EQ(hb().messageTexts(), (std::vector<std::string>{"一", "二", "三"}));
    EXPECT_EQ(hb().prompts()[0].caption, "kiv");
    EXPECT_EQ(hb().prompts()[1].caption, "積算の選択");
}

TEST(FileFilters, ParseAndMatchWithoutRegardToCase) {
    auto f = parseFileFilter("内訳書(*.KIV)|*.KIV|全て(*.*)|*.*|");
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0].description, "内訳書(*.KIV)");
    EXPECT_EQ(f[0].patterns, std::vector<std::string>{"*.KIV"});
    EXPECT_EQ(parseFileFilter("A|*.a;*.b||ignored|x|")[0].patterns, (std::vector<std::string>{"*.a", "*.b"}));
    EXPECT_TRUE(matchesPattern("労務単価.rab", "*.RAB"));
    EXPECT_TRUE(matchesPattern("x.Kiv", "*.kIV"));
    EXPECT_FALSE(matchesPattern("x.kiv.bak", "*.KIV"));
    EXPECT_TRUE(matchesPattern("a.b", "?.*"));
    EXPECT_EQ(caseInsensitivePattern("*.Rab"), "*.[rR][aA][bB]");
}

TEST_F(Dialogs, FileDialogAppendsTheExtensionAndAsksBeforeOverwriting) {
    auto existing = ui.profile.path() / "old.KIV";
    ASSERT_TRUE(files::writeFileAtomically(existing, "x"));
    FileDialogRequest save;
    save.open = false;
    save.defaultExt = "KIV";
    save.initialName = "*.KIV";
    save.filter = "内訳書(*.KIV)|*.KIV|";
    save.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    hb().expectFile(ui.profile.path() / "new");
    EXPECT_EQ(fileDialog(save), ui.profile.path() / "new.KIV");
    hb().expectFile(ui.profile.path() / "old");   // an existing file: No asks again
    hb().expectMessageBox(IDNO, "上書き");
    hb().expectFile(ui.profile.path() / "other.kiv");
    EXPECT_EQ(fileDialog(save), ui.profile.path() / "other.kiv");
    hb().expectFile(std::nullopt);
    EXPECT_EQ(fileDialog(save), std::nullopt);

    FileDialogRequest open;
    open.open = true;
    open.defaultExt = "csv";
    open.flags = OFN_HIDEREADONLY;
    hb().expectFile(ui.profile.path() / "missing");   // need not exist
    EXPECT_EQ(fileDialog(open), ui.profile.path() / "missing.csv");
    open.flags |= OFN_FILEMUSTEXIST;
    hb().expectFile(ui.profile.path() / "missing");
    hb().expectMessageBox(IDOK, "見つかりません");
    hb().expectFile(existing);
    EXPECT_EQ(fileDialog(open), existing);
    EXPECT_EQ(hb().prompts().front().caption, "内訳書(*.KIV)|*.KIV|");   // the filter reached the dialog
}

TEST_F(Dialogs, FontDialogGivesTheNegativeHeight) {
    hb().expectFont(Font{"ＭＳ ゴシック", -16, 400});
    auto f = fontDialog(Font::systemFixed());
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(-(f->height * 3 / 4), 12);
    hb().expectFont(std::nullopt);
    EXPECT_FALSE(fontDialog(Font::systemFixed()).has_value());
}

TEST_F(Dialogs, FindDialogReportsToTheMainFrame) {
    struct FindFrame : MainFrame {
        std::vector<FindReplaceEvent> events;
        void onFindReplace(const FindReplaceEvent& e) override { events.push_back(e); }
    };
    App app;
    setBackend(&hb());
    auto* main = static_cast<FindFrame*>(app.setMainFrame(std::make_unique<FindFrame>()));
    ASSERT_TRUE(main->loadFrame(nullptr, nullptr, "Kiv"));
    FindDialog* f = main->showFindDialog(sj("配管"));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->itemText(FindDialog::kFindWhat), sj("配管"));
    EXPECT_EQ(f->focusedControl(), FindDialog::kFindWhat);
    Driver dr(*f, hb());
    dr.type(FindDialog::kFindWhat, "ダクト").click(FindDialog::kUp).click(IDOK);
    ASSERT_EQ(main->events.size(), 1u);
    EXPECT_EQ(main->events[0].kind, FindReplaceEvent::FindNext);
    EXPECT_EQ(main->events[0].findWhat, sj("ダクト"));
    EXPECT_FALSE(main->events[0].searchDown);
    dr.click(IDOK);
    EXPECT_EQ(main->events.size(), 2u);   // find next again, the dialog stays
    dr.key(VK_ESCAPE);
    ASSERT_EQ(main->events.size(), 3u);
    EXPECT_EQ(main->events[2].kind, FindReplaceEvent::DialogTerm);
    EXPECT_EQ(main->findDialog(), nullptr);
    EXPECT_NE(main->showFindDialog(), nullptr);   // opens again
}

} // namespace
