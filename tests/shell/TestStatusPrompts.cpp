// The message pane of the main window: a command's prompt while its menu item is highlighted or
// the pointer rests on its toolbar button, the idle text otherwise; toolbar tooltips from the
// prompts.
#include "ShellFixture.h"

using namespace kiv;
using namespace kiv::ui;
using kiv::test::ShellTest;

namespace {

const std::string kIdle = "ﾚﾃﾞｨ";

class StatusPromptTest : public ShellTest {
protected:
    std::string messagePane() { return main().statusBar().paneText(0); }
    const ToolButton& button(int id) {
        for (const Toolbar& tb : main().toolbars())
            for (const ToolButton& b : tb.buttons)
                if (b.id == id)
                    return b;
        throw std::logic_error("no such button");
    }
};

TEST_F(StatusPromptTest, MenuItemShowsItsPromptUntilTheMenuCloses) {
    ASSERT_EQ(start("1", {writeEstimate("job.KIV").string()}), 0);
    ASSERT_EQ(main().currentMenu()->id, 141);
    EXPECT_EQ(messagePane(), kIdle);

    ASSERT_TRUE(hb().highlightMenuItem(main(), 32794));   // 編集 / 行複写
    EXPECT_EQ(messagePane(), "指定した行を他の場所に複写します");
    // Moving on to ｺﾋﾟｰ: the text before the line break; to 単価ｺﾋﾟｰ, which has no prompt: idle.
    ASSERT_TRUE(hb().highlightMenuItem(main(), cmd::EditCopy));
    EXPECT_EQ(messagePane(), "選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存");
    ASSERT_TRUE(hb().highlightMenuItem(main(), 32811));
    EXPECT_EQ(messagePane(), kIdle);
    ASSERT_TRUE(hb().highlightMenuItem(main(), 32871));   // 新項目追加 stands on the menu bar itself
    EXPECT_EQ(messagePane(), "項目の最後に新項目を追加します");
    ASSERT_TRUE(hb().highlightMenuItem(main(), 32843));   // 設定 / 歩掛けﾌｧｲﾙ選択
    EXPECT_EQ(messagePane(), "歩掛けﾌｧｲﾙを切替選択します");
    hb().closeMenu(main());
    EXPECT_EQ(messagePane(), kIdle);

    const std::vector<std::string> shown = hb().messagePaneTexts();
    const std::vector<std::string> expected = {kIdle, "指定した行を他の場所に複写します", "選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存",
                                               kIdle, "項目の最後に新項目を追加します", "歩掛けﾌｧｲﾙを切替選択します", kIdle};
    ASSERT_GE(shown.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(shown.end() - expected.size(), shown.end()), expected);
}

TEST_F(StatusPromptTest, MenuWithoutDocumentOffersItsOwnCommands) {
    ASSERT_EQ(start("2"), 0);
    ASSERT_EQ(main().currentMenu()->id, 128);
    EXPECT_EQ(messagePane(), kIdle);
    ASSERT_TRUE(hb().highlightMenuItem(main(), 32852));   // MENU / ﾏｽﾀｰﾌｧｲﾙ切替
    EXPECT_EQ(messagePane(), "マスターファイルを切替えて表示します。");
    ASSERT_TRUE(hb().highlightMenuItem(main(), 32874));   // 積算方式を変更: no prompt
    EXPECT_EQ(messagePane(), kIdle);
    ASSERT_TRUE(hb().highlightMenuItem(main(), cmd::EditUndo));
    EXPECT_EQ(messagePane(), "直前に行った動作を元に戻す");
    // Not in this menu: nothing is highlighted and the pane keeps its text.
    EXPECT_FALSE(hb().highlightMenuItem(main(), 32794));
    EXPECT_EQ(messagePane(), "直前に行った動作を元に戻す");
    hb().closeMenu(main());
    EXPECT_EQ(messagePane(), kIdle);
}

TEST_F(StatusPromptTest, ToolbarButtonShowsItsPromptWhileUnderThePointer) {
    ASSERT_EQ(start("1", {writeEstimate("job.KIV").string()}), 0);
    ASSERT_TRUE(hb().hoverToolButton(main(), cmd::EditCopy));
    EXPECT_EQ(messagePane(), "選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存");
    hb().leaveToolButton(main());
    EXPECT_EQ(messagePane(), kIdle);
    ASSERT_TRUE(hb().hoverToolButton(main(), 32865));   // 撤去歩掛等に変換
    EXPECT_EQ(messagePane(), "歩掛けを撤去・取付に変換します");
    ASSERT_TRUE(hb().hoverToolButton(main(), cmd::FilePrint));   // 印刷: no prompt
    EXPECT_EQ(messagePane(), kIdle);
    hb().leaveToolButton(main());

    // Tooltips: the prompt's text after its line break, else the button's own text.
    struct Case {
        int id;
        const char* tip;
    } cases[] = {{cmd::EditCopy, "ｺﾋﾟ-"}, {cmd::EditCut, "切り取り"}, {cmd::EditPaste, "貼り付け"},
                 {cmd::EditUndo, "元に戻す"}, {32794, "行複写"}, {cmd::FilePrint, "印刷"}, {32900, "歩掛け選択"}};
    for (const Case& c : cases)
        EXPECT_EQ(main().toolTip(button(c.id)), c.tip) << c.id;

    // A hidden bar's buttons are out of the pointer's reach.
    main().showToolbar(166, false);
    EXPECT_FALSE(hb().hoverToolButton(main(), 32794));
    EXPECT_EQ(messagePane(), kIdle);
}

} // namespace
