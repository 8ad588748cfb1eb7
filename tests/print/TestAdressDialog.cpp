// The address book, its choosers and the envelope layout editor, driven on the headless backend
// with the files made here and named in the test's own profile.
#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <sys/stat.h>

#include "estimate/RecalcSeams.h"
#include "platform/files/Files.h"
#include "platform/profile/Profile.h"
#include "platform/text/Cp932.h"
#include "platform/ui/Keys.h"
#include "print/AdressDialog.h"
#include "print/AdressFileDialogs.h"
#include "print/AdressPrintRecord.h"
#include "print/FormDialogHooks.h"
#include "print/FprintDialog.h"
#include "resources/CommandIds.h"
#include "support/HeadlessUi.h"
#include "support/TempDir.h"

using namespace kiv::ui;
using Driver = kiv::ui::headless::DialogDriver;
using kiv::text::sj;
namespace fs = std::filesystem;

namespace {

class AdressDialogTest : public ::testing::Test {
protected:
    AdressDialogTest() {
        CAdressDialog::ResetRememberedNo();
        book = dir.path() / "book.adr";
        layout = dir.path() / "layout.aps";
        kiv::profile::Profile::user().writeString("Adress_Section", "Adress_Data", book.string());
        kiv::profile::Profile::user().writeString("AdressPrint_Section", "AdressPrint_Set", layout.string());
    }
    static void write(const fs::path& p, const std::string& data) { std::ofstream(p, std::ios::binary) << data; }
    static std::string read(const fs::path& p) { return kiv::files::readFile(p).value_or("<unreadable>"); }
    static std::string line(const char* no, const char* name) {
        std::string l(203, ' ');
        l.replace(0, 4, no);
        l.replace(5, std::string(name).size(), name);
        return l;
    }
    // Runs the address book with the script; its result.
    int run(const std::function<void(Driver&)>& script) {
        ui.backend.expectDialog(script, CAdressDialog::kDialogId);
        CAdressDialog d;
        return d.doModal();
    }
    std::vector<std::string> lines(Driver& dr) {
        std::vector<std::string> l;
        for (int i = 0; i < dr.dialog().getCount(CAdressDialog::kList); ++i)
            l.push_back(dr.dialog().getLbText(CAdressDialog::kList, i));
        return l;
    }

    kiv::test::HeadlessUi ui;
    kiv::test::TempDir dir;
    fs::path book, layout;
};

TEST_F(AdressDialogTest, LoadsChunksAndSavesWholeRecords) {
    write(book, std::string(203, 'a') + std::string(203, 'b') + std::string(50, 'c'));
    EXPECT_EQ(run([&](Driver& dr) {
                  const auto l = lines(dr);
                  ASSERT_EQ(l.size(), 3u);
                  EXPECT_EQ(l[2], std::string(50, 'c') + std::string(153, ' '));
                  EXPECT_EQ(dr.dialog().control(CAdressDialog::kList)->horizontalExtent, 990);
                  dr.click(IDOK);
              }),
              IDOK);
    EXPECT_EQ(read(book).size(), 609u);
    // An empty file lists nothing and is saved empty; 新規登録 with nothing typed adds 203 blanks.
    write(book, "");
    run([&](Driver& dr) {
        EXPECT_EQ(dr.dialog().getCount(CAdressDialog::kList), 0);
        dr.click(IDOK);
    });
    EXPECT_EQ(read(book), "");
    run([&](Driver& dr) {
        dr.click(CAdressDialog::kAdd);
        EXPECT_EQ(dr.dialog().focusedControl(), CAdressDialog::kNo);
        dr.click(IDOK);
    });
    EXPECT_EQ(read(book), std::string(203, ' '));
}

TEST_F(AdressDialogTest, AddInsertCorrectDeleteAndRenumber) {
    write(book, line("   7", "A") + line("   8", "B") + line("   9", "C"));
    run([&](Driver& dr) {
        // Deleting the first of three renumbers the rest from 0001.
        dr.select(CAdressDialog::kList, 0).click(CAdressDialog::kDelete);
        auto l = lines(dr);
        ASSERT_EQ(l.size(), 2u);
        EXPECT_EQ(l[0], line("0001", "B"));
        EXPECT_EQ(l[1], line("0002", "C"));
        // 挿入 at the second line: it becomes 0002, the ones behind from 0003, the first unchanged.
        dr.type(CAdressDialog::kNo, "55").type(CAdressDialog::kName, "NEW");
        dr.select(CAdressDialog::kList, 1).click(CAdressDialog::kInsert);
        l = lines(dr);
        ASSERT_EQ(l.size(), 3u);
        EXPECT_EQ(l[0], line("0001", "B"));
        EXPECT_EQ(l[1], line("0002", "NEW"));
        EXPECT_EQ(l[2], line("0003", "C"));
        EXPECT_EQ(dr.text(CAdressDialog::kName), "");
        EXPECT_EQ(dr.dialog().getCurSel(CAdressDialog::kList), -1);
        // 訂正 keeps the number as typed; with nothing selected it changes nothing.
        dr.type(CAdressDialog::kNo, "12").type(CAdressDialog::kName, "FIX").click(CAdressDialog::kModify);
        EXPECT_EQ(lines(dr), l);
        dr.type(CAdressDialog::kNo, "12").type(CAdressDialog::kName, "FIX");
        dr.select(CAdressDialog::kList, 2).click(CAdressDialog::kModify);
        EXPECT_EQ(lines(dr)[2], line("  12", "FIX"));
        // A double click fills the fields; with no line selected it says so.
        dr.select(CAdressDialog::kList, 1).doubleClick(CAdressDialog::kList, 1);
        EXPECT_EQ(dr.text(CAdressDialog::kNo), "0002");
        EXPECT_EQ(dr.text(CAdressDialog::kName), "NEW");
        dr.dialog().setCurSel(CAdressDialog::kList, -1);
        ui.backend.expectMessageBox(IDOK, "その位置には変更するものがありません。");
        dr.dialog().userDoubleClick(CAdressDialog::kList);
        dr.click(IDCANCEL);
    });
    // ｷｬﾝｾﾙ writes nothing.
    EXPECT_EQ(read(book), line("   7", "A") + line("   8", "B") + line("   9", "C"));
}

TEST_F(AdressDialogTest, LimitsReturnAndTheNumberFocusRule) {
    write(book, "");
    run([&](Driver& dr) {
        // 40 bytes ending in a double-byte character fit; a 41st byte does not.
        const std::string forty = std::string(38, 'A') + sj("様");
        dr.typeCp932(CAdressDialog::kName, forty);
        EXPECT_EQ(dr.text(CAdressDialog::kName), forty);
        dr.typeCp932(CAdressDialog::kName, forty + "B");
        EXPECT_EQ(dr.text(CAdressDialog::kName).size(), 40u);
        // Return in a field neither saves nor types a line break.
        dr.focus(CAdressDialog::kName).key(VK_RETURN);
        EXPECT_FALSE(dr.ended());
        // The same 番号 typed twice moves the focus on; a different one does not.
        dr.type(CAdressDialog::kNo, "1");
        EXPECT_EQ(dr.dialog().focusedControl(), CAdressDialog::kNo);
        // Typing 1 over a selected 1: the edit reports a change with the same text.
        dr.focus(CAdressDialog::kNo);
        dr.dialog().notify(CAdressDialog::kNo, Notify::Change);
        EXPECT_EQ(dr.dialog().focusedControl(), CAdressDialog::kName);
        dr.click(IDCANCEL);
    });
    // The remembered 番号 outlives the dialog.
    run([&](Driver& dr) {
        dr.type(CAdressDialog::kNo, "1");
        EXPECT_NE(dr.dialog().focusedControl(), CAdressDialog::kNo);
        dr.click(IDCANCEL);
    });
}

TEST_F(AdressDialogTest, MissingUnreadableAndUnwritableFiles) {
    // Missing: Cancel lists nothing and creates nothing; 保存 then creates it.
    ui.backend.expectMessageBox(IDCANCEL, "book.adrファイルが存在しません。新しくファイルを作成しますか？");
    run([&](Driver& dr) {
        EXPECT_FALSE(fs::exists(book));
        dr.type(CAdressDialog::kName, "X").click(CAdressDialog::kAdd).click(IDOK);
    });
    EXPECT_EQ(read(book), line("    ", "X"));
    // OK creates it empty.
    fs::remove(book);
    ui.backend.expectMessageBox(IDOK, "ファイルが存在しません。");
    run([&](Driver& dr) { dr.click(IDCANCEL); });
    EXPECT_EQ(read(book), "");
    // Something that stands under the name but cannot be read as the book (a folder, for root
    // too) is never offered for creation nor written over: 保存 is refused with its own message.
    fs::remove(book);
    fs::create_directory(book);
    write(book / "inside", "KEEP");
    ui.backend.expectMessageBox(IDOK, "ファイルを読み込めません。");
    ui.backend.expectMessageBox(IDOK, "保存できません。");
    run([&](Driver& dr) {
        dr.click(IDOK);
        EXPECT_FALSE(dr.ended());
        dr.click(IDCANCEL);
    });
    EXPECT_EQ(read(book / "inside"), "KEEP");
    fs::remove_all(book);
    // A write that fails (no permission, a full disk): the message names the file and the
    // reason, the dialog stays with its list, the file is whole.
    write(book, line("   1", "KEEP"));
    for (const auto& [err, reason] : {std::pair{EACCES, "書き込みが許可されていません。"},
                                      std::pair{ENOSPC, "ディスクの空き容量が不足しています。"}}) {
        kiv::files::WriteFault fault(err);
        ui.backend.expectMessageBox(IDOK, "ファイルが作成できません。\n" + book.string() + "\n" + reason);
        run([&](Driver& dr) {
            dr.click(CAdressDialog::kAdd).click(IDOK);
            EXPECT_FALSE(dr.ended());
            EXPECT_EQ(dr.dialog().getCount(CAdressDialog::kList), 2);
            dr.click(IDCANCEL);
        });
        EXPECT_EQ(read(book), line("   1", "KEEP"));
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
    }
}

TEST_F(AdressDialogTest, PrintSetteiCreatesTheLayoutAndWritesTheEditorsRecord) {
    write(book, "");
    ui.backend.expectMessageBox(IDOK, "layout.apsファイルが存在しません。新しくファイルを作成しますか？");
    run([&](Driver& dr) {
        ui.backend.expectDialog(
            [](Driver& ed) {
                EXPECT_EQ(ed.dialog().focusedControl(), CFprintDialog::kFirstFocus);
                EXPECT_EQ(ed.text(1270), "");
                EXPECT_EQ(ed.dialog().isChecked(1260), 0);
                // X typed full-width, as the input method may give it: written half-width.
                ed.type(1270, "１２").type(1290, "様").click(1292).click(IDOK);
            },
            CFprintDialog::kDialogId);
        dr.click(CAdressDialog::kPrintSettei);
        dr.click(IDCANCEL);
    });
    const std::string rec = read(layout);
    ASSERT_EQ(rec.size(), 386u);
    EXPECT_EQ(rec.substr(199, 4), "12  ");
    EXPECT_EQ(rec.substr(194, 4), sj("様") + "  ");
    EXPECT_EQ(rec[248], '1');
    EXPECT_EQ(rec[249], '\t');
    EXPECT_EQ(rec[385], '\0');
    // Opened again the editor shows 12 and the check; ｷｬﾝｾﾙ writes nothing.
    run([&](Driver& dr) {
        ui.backend.expectDialog(
            [](Driver& ed) {
                EXPECT_EQ(ed.text(1270), "12");
                EXPECT_EQ(ed.dialog().isChecked(1292), 1);
                ed.type(1270, "99").click(IDCANCEL);
            },
            CFprintDialog::kDialogId);
        dr.click(CAdressDialog::kPrintSettei).click(IDCANCEL);
    });
    EXPECT_EQ(read(layout), rec);
    // A short layout file opens with the missing fields empty.
    write(layout, std::string("COMPANY"));
    run([&](Driver& dr) {
        ui.backend.expectDialog(
            [](Driver& ed) {
                EXPECT_EQ(ed.text(1284), "COMPANY");
                EXPECT_EQ(ed.text(1283), "");
                ed.click(IDCANCEL);
            },
            CFprintDialog::kDialogId);
        dr.click(CAdressDialog::kPrintSettei).click(IDCANCEL);
    });
}

TEST_F(AdressDialogTest, CommandsOpenTheBookAndTheChoosersWhichRecordTheirPick) {
    ConnectFormDialogs();
    write(book, "");
    ui.backend.expectDialog([](Driver& dr) { dr.click(IDCANCEL); }, CAdressDialog::kDialogId);
    EXPECT_TRUE(RunFormDialog(ID_ADRESS));
    struct Case {
        int command, dialog, box;
        const char* section;
        const char* entry;
        const char* ext;
    };
    for (const Case& c : {Case{ID_ADRESS_FILE, CAdressFileDialog::kDialogId, CAdressFileDialog::kPathBox,
                               "Adress_Section", "Adress_Data", "ADR"},
                          Case{ID_ADRESS_PRINT_FILE, CAdressPrinfFileDialog::kDialogId,
                               CAdressPrinfFileDialog::kPathBox, "AdressPrint_Section", "AdressPrint_Set", "APS"}}) {
        SCOPED_TRACE(c.command);
        const fs::path chosen = dir.path() / (std::string("new.") + c.ext);
        ui.backend.expectDialog(
            [&](Driver& dr) {
                EXPECT_NE(dr.text(c.box), "");
                ui.backend.expectFile(chosen);
                dr.click(AdressFileChooser::kBrowse);
                EXPECT_EQ(dr.text(c.box), chosen.string());
                // Recorded at once, before OK or ｷｬﾝｾﾙ; the file need not exist.
                EXPECT_EQ(kiv::profile::Profile::user().getString(c.section, c.entry), chosen.string());
                dr.type(c.box, "typed but never read").click(IDCANCEL);
            },
            c.dialog);
        EXPECT_TRUE(RunFormDialog(c.command));
        EXPECT_EQ(kiv::profile::Profile::user().getString(c.section, c.entry), chosen.string());
        EXPECT_FALSE(fs::exists(chosen));
    }
}

} // namespace
