// The commands' status-bar prompts: each belongs to a command that a menu or a toolbar offers,
// once, in a text that the program's code page holds.
#include "platform/text/Cp932.h"
#include "resources/CommandPrompts.h"
#include "resources/DocTemplateResources.h"
#include "resources/MainFrameResources.h"

#include <gtest/gtest.h>

#include <set>

using namespace kiv;

namespace {

void collect(const std::vector<ui::MenuItem>& items, std::set<int>& ids) {
    for (const ui::MenuItem& item : items) {
        if (item.isPopup())
            collect(item.items, ids);
        else if (!item.isSeparator())
            ids.insert(item.id);
    }
}

// Every command a user can reach from a menu or a toolbar of the program.
std::set<int> offeredCommands() {
    std::set<int> ids;
    collect(res::mainFrameMenu().bar, ids);
    for (int id : {res::IDR_KIVTYPE, res::IDR_KIVTREE, res::IDR_KIVSPLIT}) {
        const ui::Menu* menu = res::estimateMenu(id);
        EXPECT_NE(menu, nullptr) << id;
        if (menu)
            collect(menu->bar, ids);
    }
    for (const ui::Toolbar* tb : {&res::standardToolbar(), &res::editToolbar()})
        for (const ui::ToolButton& b : tb->buttons)
            if (b.id != ui::cmd::Separator)
                ids.insert(b.id);
    return ids;
}

TEST(CommandPrompts, EachBelongsToAnOfferedCommandOnce) {
    // CSVﾌｧｲﾙ読込 of the master window's ﾌｧｲﾙ menu, whose menu the master window brings.
    const std::set<int> masterMenuOnly = {32879};
    const std::set<int> offered = offeredCommands();
    std::set<int> seen;
    for (const ui::CommandPrompt& p : res::commandPrompts().prompts) {
        EXPECT_TRUE(offered.count(p.id) || masterMenuOnly.count(p.id)) << p.id << " " << p.text;
        EXPECT_TRUE(seen.insert(p.id).second) << p.id << " has two prompts";
    }
    for (int id : masterMenuOnly)
        EXPECT_NE(res::commandPrompts().find(id), nullptr) << id;
}

TEST(CommandPrompts, TextsFitTheCodePageAndSplitAtTheLineBreak) {
    for (const ui::CommandPrompt& p : res::commandPrompts().prompts) {
        auto cp932 = text::utf8ToCp932(p.text);
        ASSERT_TRUE(cp932.has_value()) << p.id;
        EXPECT_EQ(text::cp932ToUtf8(*cp932), p.text) << p.id;
        EXPECT_FALSE(ui::promptPaneText(p.text).empty()) << p.id;
        EXPECT_EQ(p.text.find('\t'), std::string::npos) << p.id;
    }
    EXPECT_EQ(res::commandPrompts().idle, "ﾚﾃﾞｨ");
    EXPECT_EQ(text::utf8ToCp932(res::commandPrompts().idle), std::string("\xDA\xC3\xDE\xA8"));   // half-width, one byte each

    struct Case {
        int id;
        const char* pane;
        const char* tip;
    } cases[] = {
        {57634, "選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存", "ｺﾋﾟ-"},
        {57635, "選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存", "切り取り"},
        {57637, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を貼り付け", "貼り付け"},
        {57643, "直前に行った動作を元に戻す", "元に戻す"},
        {32794, "指定した行を他の場所に複写します", ""},
        {32850, "マスターのデータから備考２と詳細データの備考を削除します。", ""},
    };
    for (const Case& c : cases) {
        const std::string* p = res::commandPrompts().find(c.id);
        ASSERT_NE(p, nullptr) << c.id;
        EXPECT_EQ(ui::promptPaneText(*p), c.pane) << c.id;
        EXPECT_EQ(ui::promptTipText(*p), c.tip) << c.id;
    }
    EXPECT_EQ(res::commandPrompts().find(32811), nullptr);   // 単価ｺﾋﾟｰ has none
}

} // namespace
