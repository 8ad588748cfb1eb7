// The root of the tree pane names the document's file as soon as it has a new one: right after
// 名前を付けて保存 and after the first save of a new document, in the estimate, master and totals
// windows, as the title does, without waiting for the next refill of the tree.
#include "ShellFixture.h"

#include "master/MstFixture.h"
#include "platform/ui/TreeView.h"

using namespace kiv;
using namespace kiv::ui;
using kiv::test::ShellTest;
using kiv::text::sj;
namespace fs = std::filesystem;

namespace {

class TreeRootPathTest : public ShellTest {
protected:
    // The tree pane of the active window.
    TreeView* tree() {
        ChildFrame* f = main().activeChild();
        if (!f)
            return nullptr;
        for (View* v : f->views())
            if (auto* t = dynamic_cast<TreeView*>(v))
                return t;
        return nullptr;
    }
    std::string root() {
        TreeView* t = tree();
        return t ? t->itemText(t->rootItem()) : std::string("(no tree)");
    }
    // A save command of the active window answered with `path` in the file dialog.
    void saveAs(int command, const fs::path& path) {
        hb().expectFile(path);
        hb().sendCommand(command);
        EXPECT_EQ(hb().pendingAnswers(), 0u);
        ASSERT_TRUE(fs::exists(path));
    }
};

TEST_F(TreeRootPathTest, TheRootShowsTheNewPathRightAfterTheSave) {
    ASSERT_EQ(start("1"), 0);
    const std::string unreadable = "\xE2\x82\xAC";   // "€": no CP932 character, shown as "?"
    struct Case {
        const char* what;
        std::function<void()> open;   // leaves the document's window active
        std::string before;           // the root's label before the save
        int command;
        fs::path savedAs;
        std::string after;
    } cases[] = {
        {"new estimate, first save", [&] { hb().sendCommand(cmd::FileNew); }, sj("新規内訳書"), cmd::FileSave,
         data / "見積.KIV", *files::toCp932(data / "見積.KIV")},
        {"estimate, save as",
         [&] {
             app->OpenFile(writeEstimate("a.KIV"));
             hb().processPending();
         },
         *files::toCp932(data / "a.KIV"), cmd::FileSaveAs, data / ("b" + unreadable + ".KIV"),
         *files::toCp932(data / "b") + "?.KIV"},
        {"master, save as",
         [&] {
             ASSERT_TRUE(files::writeFileAtomically(data / "m.MST", kivtest::mstBytes(kivtest::threeCategories())));
             app->OpenFile(data / "m.MST");
             hb().processPending();
         },
         *files::toCp932(data / "m.MST"), cmd::FileSaveAs, data / "単価表.MST", *files::toCp932(data / "単価表.MST")},
        {"new totals, first save", [&] { hb().sendCommand(32814); }, sj("分類集計"), cmd::FileSave, data / "集計.TTL",
         *files::toCp932(data / "集計.TTL")},
        {"totals, save as", [] {}, *files::toCp932(data / "集計.TTL"), cmd::FileSaveAs, data / "集計2.TTL",
         *files::toCp932(data / "集計2.TTL")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.open();
        ASSERT_NE(tree(), nullptr);
        EXPECT_EQ(root(), c.before);
        saveAs(c.command, c.savedAs);
        EXPECT_EQ(main().activeChild()->document()->pathName(), c.savedAs);
        EXPECT_EQ(root(), c.after);
    }
}

} // namespace
