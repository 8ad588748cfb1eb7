// The print-form commands of the estimate view: each opens its dialog through the form-dialog
// hooks on the view's own estimate, and what the dialog stores is what the next print shows.
#include <gtest/gtest.h>

#include <set>

#include <unistd.h>

#include "print/AdressDialog.h"
#include "print/FormDialogHooks.h"
#include "print/HedderDialog.h"
#include "print/HyousiDialog.h"
#include "print/PrintFixture.h"
#include "resources/CommandIds.h"

using namespace kivtest;
using kiv::ui::IDCANCEL;
using kiv::ui::IDOK;
using Driver = kiv::ui::headless::DialogDriver;
namespace fs = std::filesystem;

namespace {

class FormCommands : public PrintFixture {
protected:
    void SetUp() override {
        PrintFixture::SetUp();
        ConnectFormDialogs();
        open(itemsOf({1}));
    }
    // 表紙作成 through the view; the amount box as the dialog shows it.
    std::string shownAmount(const std::function<void(Driver&)>& more = {}) {
        std::string shown;
        backend.expectDialog(
            [&](Driver& dr) {
                shown = dr.text(CHyousiDialog::kKingaku);
                if (more)
                    more(dr);
                else
                    dr.click(IDCANCEL);
            },
            CHyousiDialog::kDialogId);
        view->onCommand(ID_HYOUSI);
        return shown;
    }
};

TEST_F(FormCommands, HeaderEditedThroughTheCommandPrintsAtItsNewPlace) {
    // Another estimate created later is current; the command acts on the view's own.
    auto other = std::make_unique<CKivDoc>();
    ASSERT_EQ(g_pKivDoc, other.get());
    backend.expectDialog(
        [](Driver& dr) { dr.type(1142, "NEWHEAD").type(1208, "10").type(1209, "2").type(1210, "1").click(IDOK); },
        CHedderDialog::kDialogId);
    view->onCommand(ID_HEDDER);
    EXPECT_EQ(kiv::files::readFile(doc->m_HedderPath)->substr(0, 42), "NEWHEAD" + std::string(24, ' ') + "10  2   1  ");
    EXPECT_EQ(other->m_HedderLayout.headerLeft.text, std::string(30, ' '));
    const PrintedJob& job = print();
    ASSERT_FALSE(job.pages.empty());
    const PrintedText* head = job.pages[0].find("NEWHEAD");
    ASSERT_NE(head, nullptr);
    EXPECT_EQ((kiv::ui::Point{head->x, head->y}), (kiv::ui::Point{100, 44}));
}

TEST_F(FormCommands, HeaderThatCannotBeWrittenStillPrintsTheEdit) {
    const fs::path locked = exeDir / "locked.hdr";
    if (::geteuid() == 0) {
        fs::create_directory(locked);
    } else {
        ASSERT_TRUE(kiv::files::writeFileAtomically(locked, "old"));
        fs::permissions(locked, fs::perms::owner_read);
    }
    doc->m_HedderPath = locked;
    auto folder = [this] {
        std::set<fs::path> names;
        for (const auto& e : fs::directory_iterator(exeDir.path()))
            names.insert(e.path().filename());
        return names;
    };
    const std::set<fs::path> before = folder();
    backend.expectMessageBox(IDOK, "ファイルが作成できません。");
    backend.expectDialog([](Driver& dr) {
        dr.type(1142, "EDITED").type(1208, "20").type(1209, "2").type(1210, "1").click(IDOK);
        EXPECT_FALSE(dr.ended());
        dr.click(IDCANCEL);
    });
    view->onCommand(ID_HEDDER);
    // The old header stays as it was (a folder stays empty), and no temporary file is left.
    if (fs::is_directory(locked))
        EXPECT_TRUE(fs::is_empty(locked));
    else
        EXPECT_EQ(*kiv::files::readFile(locked), "old");
    EXPECT_EQ(folder(), before);
    const PrintedText* head = print().pages.at(0).find("EDITED");
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->x, 200);
}

TEST_F(FormCommands, CoverAmountIsPreparedBeforeEveryOpening) {
    doc->m_HyousiData[17] = "        1234";
    EXPECT_EQ(shownAmount(), "1,234-");
    EXPECT_EQ(shownAmount(), "1,234-"); // one hyphen, however often it opens
    doc->m_HyousiData[17] = "";
    EXPECT_EQ(shownAmount(), "-");
    // A ten-digit total is longer than the box's twelve bytes: shown, never read back, so OK and
    // 提出先呼出 work and the other fields are stored.
    doc->m_HyousiData[17] = "  1000000000";
    doc->SetModifiedFlag(false);
    EXPECT_EQ(shownAmount([this](Driver& dr) {
                  // The address book: no address file yet, so its question comes first.
                  backend.expectMessageBox(IDCANCEL, "相手先.adrファイルが存在しません。");
                  backend.expectDialog([](Driver& book) { book.click(IDCANCEL); }, CAdressDialog::kDialogId);
                  dr.type(1154, "NAME").click(CHyousiDialog::kAdress).click(IDOK);
                  EXPECT_TRUE(dr.ended());
              }),
              "1,000,000,000-");
    EXPECT_EQ(doc->m_HyousiData[0], "NAME");
    EXPECT_EQ(doc->m_HyousiData[17], "  1000000000");
    EXPECT_TRUE(doc->IsModified());
}

} // namespace
