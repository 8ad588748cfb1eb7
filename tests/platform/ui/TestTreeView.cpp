// The tree control on the headless backend: items, expansion, selection by keys and mouse,
// the Enter notification, colours, and an owner painting labels over the control's own.
#include "platform/text/Cp932.h"
#include "platform/ui/TreeView.h"
#include "support/HeadlessUi.h"

#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::ui;
using kiv::text::sj;

namespace {

class ItemTree : public TreeView {
public:
    int returns = 0;
    bool ownerPaint = false;
    void onReturn() override { ++returns; }
    void onDraw(Dc& dc) override {
        TreeView::onDraw(dc);
        if (!ownerPaint)
            return;
        // Labels again in a larger font, on the control's grey, as an owner may draw them.
        Font old = dc.selectFont({"ＭＳ ゴシック", 20, 400});
        dc.setBkColor(rgb(211, 211, 211));
        dc.setTextColor(rgb(0, 0, 205));
        for (TreeItem t = firstVisibleItem(); t; t = nextVisibleItem(t)) {
            Rect r = *itemTextRect(t);
            dc.fillSolidRect(Rect::fromSize(r.left + 2, r.top, r.right * 50 + 2, r.bottom), rgb(211, 211, 211));
            dc.textOut(r.left + 2, r.top + 1, itemText(t));
        }
        dc.selectFont(old);
    }
};

class TreeViewTest : public ::testing::Test {
protected:
    kiv::test::HeadlessUi ui;
    ItemTree tree;
    TreeItem root = 0, first = 0, second = 0;
    void SetUp() override {
        ASSERT_TRUE(tree.create(nullptr, Rect::fromSize(0, 0, 300, 200)));
        tree.setBkColor(rgb(211, 211, 211));
        tree.setTextColor(rgb(0, 0, 205));
        root = tree.insertItem(sj("新規内訳書"));
        first = tree.insertItem(sj("0001 A   配管工事"), root);
        second = tree.insertItem(sj("0002 B   電気工事"), root);
        tree.expand(root);
        ui.backend.processPending();
    }
    headless::Recorder& screen() { return ui.backend.screen(tree); }
};

TEST_F(TreeViewTest, DrawsExpandedItemsInItsColours) {
    ASSERT_EQ(tree.count(), 3);
    EXPECT_EQ(tree.childItem(root), first);
    EXPECT_EQ(tree.nextSiblingItem(first), second);
    EXPECT_EQ(tree.parentItem(second), root);
    Rect r1 = *tree.itemTextRect(first);
    EXPECT_GT(r1.left, tree.itemTextRect(root)->left);   // children are indented
    auto at = screen().find(sj("0002 B"));
    ASSERT_TRUE(at.has_value());
    EXPECT_EQ(screen().cellAt(at->x, at->y)->text, rgb(0, 0, 205));
    EXPECT_EQ(screen().fillColorAt({290, 190}), rgb(211, 211, 211));
    tree.expand(root, TreeView::Expand::Collapse);
    ui.backend.processPending();
    EXPECT_FALSE(screen().find(sj("0002 B")).has_value());
    EXPECT_EQ(tree.nextVisibleItem(root), 0);
}

TEST_F(TreeViewTest, SelectsByKeysAndMouseAndReportsEnter) {
    ui.backend.focus(tree);
    ui.backend.sendKeyDown(tree, VK_DOWN);
    EXPECT_EQ(tree.selectedItem(), root);
    ui.backend.sendKeyDown(tree, VK_DOWN);
    ui.backend.sendKeyDown(tree, VK_DOWN);
    EXPECT_EQ(tree.selectedItem(), second);
    ui.backend.sendKeyDown(tree, VK_RETURN);
    EXPECT_EQ(tree.returns, 1);
    ui.backend.sendKeyDown(tree, VK_LEFT);   // to the parent
    EXPECT_EQ(tree.selectedItem(), root);

    Rect r = *tree.itemTextRect(first);
    ui.backend.sendClick(tree, {r.left + 5, r.top + 2});
    EXPECT_EQ(tree.selectedItem(), first);
    // A double click on the root collapses it (the control's own handling), leaving the root.
    Rect rr = *tree.itemTextRect(root);
    ui.backend.sendDoubleClick(tree, {rr.left + 5, rr.top + 2});
    EXPECT_FALSE(tree.isExpanded(root));
    EXPECT_EQ(tree.selectedItem(), root);
    EXPECT_TRUE(tree.deleteItem(root));
    EXPECT_EQ(tree.count(), 0);
    EXPECT_EQ(tree.selectedItem(), 0);
}

TEST_F(TreeViewTest, LetsTheOwnerPaintLabelsInItsFont) {
    tree.ownerPaint = true;
    tree.invalidate();
    ui.backend.processPending();
    auto at = screen().find(sj("0001 A"));
    ASSERT_TRUE(at.has_value());
    EXPECT_EQ(screen().cellAt(at->x, at->y)->font.height, 20);
    EXPECT_EQ(at->x, tree.itemTextRect(first)->left + 2);
}

TEST_F(TreeViewTest, ScrollsWhenItemsOutgrowTheWindow) {
    for (int i = 3; i <= 30; ++i)
        tree.insertItem(sj("項目") + std::to_string(i), root);
    ui.backend.processPending();
    EXPECT_GT(tree.scrollBar(SB_VERT).max, 0);
    ui.backend.sendScroll(tree, SB_VERT, SB_LINEDOWN);
    EXPECT_EQ(tree.firstVisibleItem(), first);
    tree.selectItem(second);
    EXPECT_EQ(tree.scrollPos(SB_VERT), 1);
}

} // namespace
