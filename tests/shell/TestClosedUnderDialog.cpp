// A window closed while a command of it has a modal dialog up. The user cannot do it (the dialog
// blocks every other window), but a posted task or a timer run by the dialog's event loop could:
// the dialog ends at once as cancelled, a button pressed afterwards reaches nothing, and the
// command that ran the dialog ends without touching the view or the document that went (the
// sanitizer build reports any use of them after they were deleted).
#include "ShellFixture.h"

#include "estimate/MstFile.h"
#include "grid/CalcDialog.h"
#include "grid/FieldTable.h"
#include "grid/KivView.h"
#include "master/MstDoc.h"
#include "master/MstView.h"
#include "print/AdressBook.h"
#include "print/AdressDialog.h"
#include "estimate/MarumeDialog.h"
#include "platform/text/Cp932.h"
#include "resources/CommandIds.h"

#include <functional>

using namespace kiv;
using namespace kiv::ui;
using kiv::test::ShellTest;
namespace fs = std::filesystem;

namespace {

class ClosedUnderDialog : public ShellTest {
protected:
    // The estimate's grid view and the master's grid view of a document.
    template <class V>
    static V* gridOf(Document* d) {
        for (View* v : d->views())
            if (auto* g = dynamic_cast<V*>(v))
                return g;
        return nullptr;
    }
    // A point inside a field of a grid row of the estimate view.
    static Point pointIn(const CKivView& v, int field, int screenRow) {
        const FieldGeometry g = CalcFieldPos(g_KivFieldTable, field, screenRow, v.m_HScrollPairs);
        return {g.Pos.X0 * v.m_CharWidth + 2, g.Pos.Line * v.m_LineHeight + v.m_LineHeight / 2};
    }
};

TEST_F(ClosedUnderDialog, ADialogWhoseWindowClosesEndsCancelledAndItsCommandLeavesTheWindowAlone) {
    ASSERT_EQ(start("1"), 0);
    const fs::path book = data / "book.adr";
    const std::string bookBytes =
        adress::formatAdressRecord({"0001", text::sj("東西商事"), text::sj("東京都"), "", "", "100-0005", "", ""});
    ASSERT_TRUE(files::writeFileAtomically(book, bookBytes));
    profile().writeString("Adress_Section", "Adress_Data", book.string());
    const fs::path master = data / "m.MST";
    std::string masterRow = GyouRecord::blankRow();
    GyouRecord::writeKey(masterRow, 1, 1);
    ASSERT_TRUE(files::writeFileAtomically(master, WriteMstFile(std::vector<std::string>{masterRow})));
    profile().writeString("Emaster_Section", "Emaster_Dat", master.string());
    const std::string settings = *files::readFile(exeDir / "電気設定.ett");

    // Another estimate stays open throughout: what the closed one's command might still do must
    // not land on it.
    hb().expectFile(writeEstimate("other.KIV"));
    hb().sendCommand(cmd::FileOpen);
    ASSERT_EQ(documents().size(), 1u);
    Document* other = documents()[0];

    struct Case {
        const char* what;
        bool master;          // the master window, else an estimate
        int dialog;           // the template the command opens
        std::function<void(Document&, View&)> run;     // the user's step that opens it
        std::function<void(Document&)> close;          // what closes the window under it
        std::function<void(ui::headless::DialogDriver&)> before;   // typed before the close
        int button;           // pressed after the close
    };
    auto byDocument = [](Document& d) { d.onCloseDocument(); };
    auto byFrame = [](Document& d) { d.frames().front()->dispatchClose(); };
    auto byMenu = [this](Document&) { main().sendCommand(cmd::FileClose); };
    const Case cases[] = {
        {"Home in the estimate grid", false, CAdressDialog::kDialogId,
         [this](Document&, View& v) { hb().sendKeyDown(v, VK_HOME); }, byDocument,
         [](ui::headless::DialogDriver& d) { d.type(CAdressDialog::kName, "南北設備"); }, IDOK},
        {"設定 → 桁の丸め", false, CmarumeDialog::kDialogId,
         [this](Document&, View&) { hb().sendCommand(ID_MARUME); }, byFrame,
         [](ui::headless::DialogDriver& d) { d.type(CmarumeDialog::kMarume, "2"); }, IDOK},
        {"double click on a number cell", false, CCalcDialog::kDialogId,
         [this](Document&, View& v) {
             hb().sendDoubleClick(v, pointIn(static_cast<CKivView&>(v), GyouRecord::Tanka1, 1));
         },
         byMenu, [](ui::headless::DialogDriver& d) { d.click(CCalcDialog::kButton1 + 4); }, IDOK},
        {"Home in the master grid", true, CAdressDialog::kDialogId,
         [this](Document&, View& v) { hb().sendKeyDown(v, VK_HOME); }, byMenu,
         [](ui::headless::DialogDriver& d) { d.type(CAdressDialog::kName, "南北設備"); }, IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.master) {
            hb().sendCommand(ID_MASTER_OPEN);
        } else {
            hb().expectFile(writeEstimate("closing.KIV"));
            hb().sendCommand(cmd::FileOpen);
        }
        ASSERT_EQ(documents().size(), 2u);
        Document* doc = documents()[1];
        View* grid = c.master ? static_cast<View*>(gridOf<CMstView>(doc)) : gridOf<CKivView>(doc);
        ASSERT_NE(grid, nullptr);
        grid->setFocus();
        hb().processPending();

        bool ran = false;
        hb().expectDialog(
            [&](ui::headless::DialogDriver& d) {
                ran = true;
                c.before(d);
                c.close(*doc);
                EXPECT_TRUE(d.ended());
                EXPECT_EQ(d.result(), IDCANCEL);
                d.click(c.button);
            },
            c.dialog);
        c.run(*doc, *grid);
        hb().processPending();
        EXPECT_TRUE(ran);
        ASSERT_EQ(documents().size(), 1u);
        EXPECT_EQ(documents()[0], other);
        EXPECT_FALSE(other->isModified());
        EXPECT_EQ(files::readFile(book), bookBytes);
        EXPECT_EQ(files::readFile(exeDir / "電気設定.ett"), settings);
    }
}

} // namespace
