// The cover-page and header/footer layout editors and the layout file choosers, driven on the
// headless backend: the records they write byte for byte, what the estimate parses from them, the
// files they rewrite and the files they switch to.
#include <gtest/gtest.h>

#include <cerrno>
#include <optional>

#include <cstdio>
#include <initializer_list>
#include <unistd.h>

#include "estimate/EstimateDialogFixture.h"
#include "estimate/LayoutField.h"
#include "estimate/LayoutFile.h"
#include "platform/profile/Profile.h"
#include "platform/text/Cp932.h"
#include "platform/files/Files.h"
#include "print/FormDialog.h"
#include "print/HedderDialog.h"
#include "print/LayoutFileDialogs.h"

using namespace kiv::ui;
using kiv::profile::Profile;
using Driver = kiv::ui::headless::DialogDriver;
namespace fs = std::filesystem;

namespace {

// The record formats written out independently of the program, with the C library's printf.
const char* const kHyousiFormat =
    "%-12s %-3s %-3s %-3s %-12s %-3s %-3s %-3s %-6s %-3s %-3s %-3s %-12s %-3s %-3s %-3s %-6s %-3s %-3s %-3s "
    "%-40s %-3s %-3s %-3s %-40s %-3s %-3s %-3s %-40s %-3s %-3s %-3s %-40s %-3s %-3s %-3s %-40s %-3s %-3s %-3s "
    "%-40s %-3s %-3s %-3s %-12s %-3s %-3s %-3s %-12s %-3s %-3s %-3s %-12s %-3s %-3s %-3s %-12s %-3s %-3s %-3s "
    "%-12s %-3s %-3s %-3s %-50s %-3s %-3s %-3s %-50s %-3s %-3s %-3s %-4s %-2s %-2s %-2s %-3s %-3s %-3s %-8s "
    "%-3s %-3s %-3s %-3s %-3s %-3s %-3s %-3s %-3s";
const char* const kHedderFormat = "%-30s %-3s %-3s %-3s %-16s %-3s %-3s %-3s %-30s %-3s %-3s %-3s %-30s %-3s %-3s "
                                  "%-3s %-30s %-3s %-3s %-3s %-30s %-3s %-3s %-3s";

template <std::size_t N, std::size_t... I>
std::string printfFields(const char* format, const std::array<std::string, N>& v, std::index_sequence<I...>) {
    char buf[1024];
    const int n = std::snprintf(buf, sizeof buf, format, v[I].c_str()...);
    return std::string(buf, static_cast<std::size_t>(n));
}

// A value for every field: its number, cut to the field's width.
template <std::size_t N>
std::array<std::string, N> numberedFields(std::span<const std::size_t> widths) {
    std::array<std::string, N> v;
    for (std::size_t i = 0; i < N; ++i)
        v[i] = std::to_string(i).substr(0, widths[i]);
    return v;
}

TEST(LayoutFields, EditorsReadTheRecordUpToItsFirstNul) {
    const std::array<std::size_t, 4> widths{5, 3, 3, 3};
    using V = std::vector<std::string>;
    EXPECT_EQ(splitLayoutFields(std::string("ab    1   2") + '\0' + "999", widths), (V{"ab", "1", "2", ""}));
    EXPECT_EQ(splitLayoutFields("  x   12a", widths), (V{"  x", "12a", "", ""}));
    // Too long a value (which the edits' limits prevent) is cut on a character boundary and
    // never moves the following fields.
    const std::string kanji = kiv::text::toCp932("漢字漢");
    EXPECT_EQ(joinLayoutFields(V{kanji, "1", "", "7"}, widths), kiv::text::toCp932("漢字") + "  1       7  ");
}

class LayoutForms : public kiv::test::EstimateDialogTest {
protected:
    LayoutForms() {
        writeFile(hedderPath(), "");
        writeFile(hyousiPath(), "");
        doc = &openEstimate();
        ClearKivPrompts();
    }
    fs::path hedderPath() const { return exe / "ヘッダー.hdr"; }
    fs::path hyousiPath() const { return exe / "表紙.frm"; }

    // A file whose next write the system refuses (for root too) while `fault` lives.
    fs::path unwritable(const std::string& name, const std::string& bytes, std::optional<kiv::files::WriteFault>& fault) {
        const fs::path p = exe / name;
        writeFile(p, bytes);
        fault.emplace(EACCES, name);
        return p;
    }
    // The first file dialog shown.
    const headless::HeadlessBackend::Prompt& filePrompt() {
        for (const auto& p : hb().prompts())
            if (p.kind == "file")
                return p;
        static const headless::HeadlessBackend::Prompt none;
        ADD_FAILURE() << "no file dialog";
        return none;
    }

    CKivDoc* doc = nullptr;
};

// ---- 表紙フォーム作成

TEST_F(LayoutForms, CoverEditorOfAnEmptyLayoutWrites752Blanks) {
    CFormDialog d;
    hb().expectDialog(
        [](Driver& dr) {
            EXPECT_EQ(dr.dialog().focusedControl(), CFormDialog::kMidasiText);
            for (int id : CFormDialog::fieldIds())
                EXPECT_EQ(dr.text(id), "") << id;
            dr.click(IDOK);
        },
        CFormDialog::kDialogId);
    EXPECT_EQ(d.doModal(), IDOK);
    EXPECT_EQ(fileBytes(hyousiPath()), std::string(752, ' '));
    EXPECT_EQ(doc->m_HyousiForm.toString(), std::string(752, ' '));
    const HyousiLayout& h = doc->m_HyousiLayout;
    EXPECT_EQ(h.midasi, (LayoutItem{std::string(12, ' '), {}}));
    EXPECT_EQ(h.jouken[0].text, std::string(12, ' '));
    EXPECT_EQ(h.meisyouN[5], (LayoutItem{std::string(40, ' '), {}}));
    EXPECT_EQ(h.waku, LayoutPos{});
}

TEST_F(LayoutForms, CoverEditorWritesEveryFieldInItsColumns) {
    const auto values = numberedFields<kHyousiFormFieldCount>(HyousiFormRecord::fieldWidths());
    CFormDialog d;
    hb().expectDialog([&](Driver& dr) {
        for (std::size_t i = 0; i < values.size(); ++i)
            dr.type(CFormDialog::fieldIds()[i], values[i]);
        dr.click(IDOK);
    });
    ASSERT_EQ(d.doModal(), IDOK);
    const std::string expected =
        printfFields(kHyousiFormat, values, std::make_index_sequence<kHyousiFormFieldCount>());
    ASSERT_EQ(expected.size(), 752u);
    EXPECT_EQ(fileBytes(hyousiPath()), expected);
    EXPECT_EQ(doc->m_HyousiForm.toString(), expected);
    EXPECT_EQ(doc->m_HyousiLayout.meisyouN[2].pos, (LayoutPos{29, 30, 31}));
    EXPECT_EQ(doc->m_HyousiLayout.nengappi[3], "75");
    EXPECT_EQ(doc->m_HyousiLayout.waku, (LayoutPos{86, 87, 88}));

    // Opened again, every field shows what was typed.
    CFormDialog again;
    hb().expectDialog([&](Driver& dr) {
        for (std::size_t i = 0; i < values.size(); ++i)
            EXPECT_EQ(dr.text(CFormDialog::fieldIds()[i]), values[i]) << i;
        dr.click(IDCANCEL);
    });
    EXPECT_EQ(again.doModal(), IDCANCEL);
}

TEST_F(LayoutForms, CoverEditorTakesAnythingWithinTheByteLimits) {
    std::string kanji;
    for (int i = 0; i < 20; ++i)
        kanji += "漢";
    const std::string twenty = kiv::text::toCp932(kanji);
    CFormDialog d;
    hb().expectDialog([&](Driver& dr) {
        dr.type(1066, "100");                      // 枠 size
        dr.type(1166, "12a");                      // 見出し X
        dr.type(1167, "  7");                      // 見出し Y
        dr.type(1168, "1234");                     // a fourth byte is refused
        dr.typeCp932(1154, twenty + "A");          // 名称1: a 41st byte is refused
        EXPECT_EQ(dr.text(1154), twenty);
        EXPECT_EQ(dr.text(1168), "123");
        dr.click(IDOK);
    });
    ASSERT_EQ(d.doModal(), IDOK);
    const std::string rec = fileBytes(hyousiPath());
    ASSERT_EQ(rec.size(), 752u);
    EXPECT_EQ(rec.substr(749), "100");
    EXPECT_EQ(rec.substr(13, 11), "12a   7 123");
    EXPECT_EQ(rec.substr(113, 40), twenty);
    EXPECT_EQ(rec.substr(153, 1), " ");
    const HyousiLayout& h = doc->m_HyousiLayout;
    EXPECT_EQ(h.waku.size, 100);
    EXPECT_EQ(h.midasi.pos, (LayoutPos{12, 7, 123}));
    EXPECT_EQ(h.meisyouN[0].text, twenty);

    CFormDialog again;
    hb().expectDialog([](Driver& dr) {
        EXPECT_EQ(dr.text(1066), "100");
        EXPECT_EQ(dr.text(1166), "12a");
        EXPECT_EQ(dr.text(1167), "  7"); // leading blanks kept, trailing ones trimmed
        dr.click(IDCANCEL);
    });
    again.doModal();
}

// X, Y and size are number boxes: full-width digits typed with the input method on are written
// half-width (and fit the three columns); a text field keeps them as typed.
TEST_F(LayoutForms, PositionsTakeFullWidthDigitsAsHalfWidth) {
    CFormDialog d;
    hb().expectDialog([](Driver& dr) {
        dr.type(1166, "１２").type(1168, "１２３").type(1153, "第１号");   // 見出し X, size, text
        dr.click(IDOK);
    });
    ASSERT_EQ(d.doModal(), IDOK);
    EXPECT_EQ(doc->m_HyousiLayout.midasi.pos, (LayoutPos{12, 0, 123}));
    EXPECT_EQ(doc->m_HyousiLayout.midasi.text.substr(0, 6), kiv::text::sj("第１号"));

    CHedderDialog h;
    hb().expectDialog([](Driver& dr) { dr.type(CHedderDialog::fieldIds()[1], "９").click(IDOK); });
    ASSERT_EQ(h.doModal(), IDOK);
    EXPECT_EQ(doc->m_HedderLayout.headerLeft.pos.x, 9);
}

TEST_F(LayoutForms, CoverFileThatCannotBeWrittenKeepsTheDialogOpenAndTheEdit) {
    const std::string old(752, 'o');
    std::optional<kiv::files::WriteFault> fault;
    doc->m_HyousiPath = unwritable("locked.frm", old, fault);
    const auto filesBeside = std::distance(fs::directory_iterator(exe.path()), fs::directory_iterator());
    CFormDialog d;
    hb().expectMessageBox(IDOK, "ファイルが作成できません。\n" + doc->m_HyousiPath.string() + "\n書き込みが許可されていません。");
    hb().expectDialog([](Driver& dr) {
        dr.type(1153, "御見積書").click(IDOK);
        EXPECT_FALSE(dr.ended());
        dr.click(IDCANCEL);
    });
    EXPECT_EQ(d.doModal(), IDCANCEL);
    EXPECT_EQ(fileBytes(doc->m_HyousiPath), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(exe.path()), fs::directory_iterator()), filesBeside);
    // The estimate already holds the edit, as printing will use it.
    EXPECT_EQ(kiv::text::toUtf8(doc->m_HyousiLayout.midasi.text), "御見積書    ");
}

TEST_F(LayoutForms, EditorsWithoutAPathReportTheFailedWrite) {
    doc->m_HyousiPath.clear();
    doc->m_HedderPath.clear();
    CFormDialog f;
    CHedderDialog h;
    for (Dialog* d : std::initializer_list<Dialog*>{&f, &h}) {
        hb().expectMessageBox(IDOK, "ファイルが作成できません。");
        hb().expectDialog([](Driver& dr) {
            dr.click(IDOK);
            EXPECT_FALSE(dr.ended());
            dr.click(IDCANCEL);
        });
        EXPECT_EQ(d->doModal(), IDCANCEL);
    }
}

// ---- ﾍｯﾀｰ､ﾌｯﾀｰ設定

TEST_F(LayoutForms, HeaderEditorOfAnEmptyLayout) {
    CHedderDialog d;
    hb().expectDialog(
        [](Driver& dr) {
            EXPECT_EQ(dr.dialog().focusedControl(), CHedderDialog::kHedderLeftText);
            EXPECT_FALSE(dr.dialog().control(CHedderDialog::kPageNoText)->visible);
            dr.click(IDOK);
        },
        CHedderDialog::kDialogId);
    ASSERT_EQ(d.doModal(), IDOK);
    std::string expected(256, ' ');
    expected[243] = '\0';
    expected[255] = '\0';
    EXPECT_EQ(fileBytes(hedderPath()), expected);
    EXPECT_EQ(doc->m_Hedder.toString(), expected);
    EXPECT_EQ(doc->m_HedderLayout.headerCentre, (LayoutItem{std::string(16, ' '), {}}));
    EXPECT_EQ(doc->m_HedderLayout.footerRight.pos, LayoutPos{});
}

TEST_F(LayoutForms, HeaderEditorWritesEveryFieldAndKeepsTheUnusedBytes) {
    // A record whose unused bytes hold something: they stay as the record held them.
    std::string held(256, ' ');
    held.replace(244, 11, "ZZZZZZZZZZZ");
    doc->m_Hedder = HedderRecord::fromBytes(held);
    const auto values = numberedFields<kHedderFieldCount>(HedderRecord::fieldWidths());
    CHedderDialog d;
    hb().expectDialog([&](Driver& dr) {
        for (std::size_t i = 0; i < values.size(); ++i)
            if (CHedderDialog::fieldIds()[i] != CHedderDialog::kPageNoText)
                dr.type(CHedderDialog::fieldIds()[i], values[i]);
        dr.click(IDOK);
    });
    ASSERT_EQ(d.doModal(), IDOK);
    auto withPage = values;
    withPage[PageNoText] = "";
    std::string expected = printfFields(kHedderFormat, withPage, std::make_index_sequence<kHedderFieldCount>());
    ASSERT_EQ(expected.size(), 243u);
    expected += '\0';
    expected += "ZZZZZZZZZZZ";
    expected += '\0';
    EXPECT_EQ(fileBytes(hedderPath()), expected);
    EXPECT_EQ(doc->m_HedderLayout.headerRight.pos, (LayoutPos{9, 10, 11}));
}

TEST_F(LayoutForms, HeaderFromAShortFileKeepsThePageTextAndFillsTheCentre) {
    // 100 bytes: the header-left group and part of the centre text; nothing beyond.
    std::string shortFile = std::string("HL") + std::string(28, ' ') + " 1   2   3   " + std::string(57, 'c');
    shortFile.resize(100, ' ');
    writeFile(hedderPath(), shortFile);
    CKivDoc& e = openEstimate();
    ASSERT_EQ(e.m_Hedder.toString().substr(100), std::string(156, ' '));
    // A page-position text the dialog never shows, as a record from a file may hold.
    std::string withPage = e.m_Hedder.toString();
    withPage.replace(158, 4, "PAGE");
    e.m_Hedder = HedderRecord::fromBytes(withPage);

    CHedderDialog d;
    hb().expectDialog([](Driver& dr) {
        EXPECT_EQ(dr.text(1142), "HL");
        EXPECT_EQ(dr.text(1208), "1");
        EXPECT_EQ(dr.text(1210), "3");
        EXPECT_EQ(dr.text(CHedderDialog::kPageNoText), "PAGE");
        dr.type(1143, "0123456789ABCDEF").type(1211, "9");
        dr.click(IDOK);
    });
    ASSERT_EQ(d.doModal(), IDOK);
    const std::string rec = fileBytes(hedderPath());
    ASSERT_EQ(rec.size(), 256u);
    EXPECT_EQ(rec.substr(43, 18), "0123456789ABCDEF 9");
    EXPECT_EQ(rec.substr(158, 30), "PAGE" + std::string(26, ' '));
    EXPECT_EQ(rec.substr(244, 11), std::string(11, ' '));
    EXPECT_EQ(rec[243], '\0');
    EXPECT_EQ(rec[255], '\0');
    EXPECT_EQ(e.m_HedderLayout.headerCentre.pos.x, 9);
    EXPECT_EQ(e.m_HedderLayout.footerPage.text, "PAGE" + std::string(26, ' '));
}

TEST_F(LayoutForms, HeaderFileThatCannotBeWrittenKeepsTheDialogOpen) {
    std::string old(256, 'h');
    std::optional<kiv::files::WriteFault> fault;
    doc->m_HedderPath = unwritable("locked.hdr", old, fault);
    const auto filesBeside = std::distance(fs::directory_iterator(exe.path()), fs::directory_iterator());
    CHedderDialog d;
    hb().expectMessageBox(IDOK, "ファイルが作成できません。\n" + doc->m_HedderPath.string() + "\n書き込みが許可されていません。");
    hb().expectDialog([](Driver& dr) {
        dr.type(1142, "NEW").click(IDOK);
        EXPECT_FALSE(dr.ended());
        dr.key(VK_ESCAPE);
    });
    EXPECT_EQ(d.doModal(), IDCANCEL);
    EXPECT_EQ(fileBytes(doc->m_HedderPath), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(exe.path()), fs::directory_iterator()), filesBeside);
    EXPECT_EQ(doc->m_HedderLayout.headerLeft.text, "NEW" + std::string(27, ' '));
}

// ---- the choosers

TEST_F(LayoutForms, HeaderChooserCreatesANewNamedFileOnYes) {
    const fs::path typed = exe / "new";
    const fs::path made = exe / "new.HDR";
    CHeadderfileDialog d;
    hb().expectFile(typed);
    hb().expectMessageBox(IDYES, "new.HDRファイルが存在しません。新しくファイルを作成しますか？");
    hb().expectDialog(
        [&](Driver& dr) {
            EXPECT_EQ(dr.text(CHeadderfileDialog::kPathBox), kiv::files::toCp932(hedderPath()).value());
            dr.click(CHeadderfileDialog::kBrowse);
            EXPECT_EQ(dr.text(CHeadderfileDialog::kPathBox), kiv::files::toCp932(made).value());
            dr.click(IDOK);
        },
        CHeadderfileDialog::kDialogId);
    EXPECT_EQ(d.doModal(), IDOK);
    const auto& prompt = filePrompt();
    EXPECT_EQ(prompt.kind, "file");
    EXPECT_EQ(prompt.text, "*.HDR");
    EXPECT_EQ(prompt.caption, "HDR(*.HDR)|*.HDR|全て(*.*)|*.*|");
    EXPECT_EQ(prompt.style, unsigned(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT));
    EXPECT_EQ(fs::file_size(made), 0u);
    EXPECT_EQ(doc->m_HedderPath, made);
    EXPECT_EQ(doc->m_Hedder.toString(), std::string(256, ' '));
    EXPECT_EQ(doc->m_HedderLayout.headerLeft, (LayoutItem{std::string(30, ' '), {}}));
    EXPECT_EQ(Profile::user().getString("Headder_Section", "Headder_Form"), made.string());
    // The header editor fills the new file.
    CHedderDialog h;
    hb().expectDialog([](Driver& dr) { dr.click(IDOK); });
    h.doModal();
    EXPECT_EQ(fs::file_size(made), 256u);
    // Estimates created from now on read the chosen file.
    EXPECT_EQ(openEstimate().m_HedderPath, made);
}

TEST_F(LayoutForms, ChooserAnsweredNoChangesNothingButThePathBox) {
    writeFile(hedderPath(), std::string(256, 'x'));
    CKivDoc& e = openEstimate();
    const fs::path picked = exe / "other.hdr";
    CHeadderfileDialog d;
    hb().expectFile(picked);
    hb().expectMessageBox(IDNO);
    hb().expectDialog([&](Driver& dr) {
        dr.click(CHeadderfileDialog::kBrowse);
        EXPECT_EQ(dr.text(CHeadderfileDialog::kPathBox), kiv::files::toCp932(picked).value());
        dr.click(IDCANCEL);
    });
    EXPECT_EQ(d.doModal(), IDCANCEL);
    EXPECT_FALSE(fs::exists(picked));
    EXPECT_EQ(e.m_HedderPath, hedderPath());
    EXPECT_EQ(e.m_Hedder.toString(), std::string(256, 'x'));
    EXPECT_FALSE(Profile::user().has("Headder_Section", "Headder_Form"));
}

TEST_F(LayoutForms, CoverChooserReadsAShortFileOverBlanks) {
    const fs::path picked = exe / "short.frm";
    writeFile(picked, std::string(100, 'k'));
    CHyousifileDialog d;
    hb().expectFile(picked);
    hb().expectDialog(
        [](Driver& dr) {
            dr.typeCp932(CHyousifileDialog::kPathBox, "typed");
            dr.click(CHyousifileDialog::kBrowse).click(IDOK);
        },
        CHyousifileDialog::kDialogId);
    EXPECT_EQ(d.doModal(), IDOK);
    EXPECT_EQ(filePrompt().caption, "FRM(*.FRM)|*.FRM|全て(*.*)|*.*|");
    EXPECT_EQ(filePrompt().text, "*.FRM");
    EXPECT_EQ(doc->m_HyousiForm.toString(), std::string(100, 'k') + std::string(652, ' '));
    EXPECT_EQ(doc->m_HyousiLayout.midasi.text, std::string(12, 'k'));
    EXPECT_EQ(doc->m_HyousiPath, picked);
    EXPECT_EQ(Profile::user().getString("Hyousi_Section", "Hyousi_Form"), picked.string());
}

TEST_F(LayoutForms, ChoosersRefuseAFileThatCannotBeRead) {
    fs::create_directory(exe / "odd.frm");
    CHyousifileDialog permanent;
    CHyousichangeDialog temporary;
    for (Dialog* d : std::initializer_list<Dialog*>{&permanent, &temporary}) {
        hb().expectFile(exe / "odd.frm");
        hb().expectMessageBox(IDOK, "ファイルを読み込めません。");
        hb().expectDialog([](Driver& dr) { dr.click(ReferenceFileDialog::kBrowse).click(IDOK); });
        EXPECT_EQ(d->doModal(), IDOK);
    }
    EXPECT_TRUE(fs::is_directory(exe / "odd.frm"));
    EXPECT_EQ(doc->m_HyousiPath, hyousiPath());
    EXPECT_FALSE(Profile::user().has("Hyousi_Section", "Hyousi_Form"));
}

TEST_F(LayoutForms, ChooserClosesWithAPathOverTheBoxLimit) {
    const fs::path deep = exe / std::string(60, 'a') / std::string(60, 'b');
    fs::create_directories(deep);
    const fs::path picked = deep / "x.frm";
    writeFile(picked, "TITLE");
    CHyousifileDialog d;
    hb().expectFile(picked);
    hb().expectDialog([](Driver& dr) {
        dr.click(CHyousifileDialog::kBrowse).click(IDOK);
        EXPECT_TRUE(dr.ended());
    });
    EXPECT_EQ(d.doModal(), IDOK);
    EXPECT_EQ(doc->m_HyousiPath, picked);
}

TEST_F(LayoutForms, TemporaryCoverSwitch) {
    // A missing file: only the message; nothing is created.
    {
        CHyousichangeDialog d;
        hb().expectFile(exe / "none.frm");
        hb().expectMessageBox(IDOK, "none.frmファイルが存在しません。他のファイルを選択してください。");
        hb().expectDialog(
            [](Driver& dr) { dr.click(CHyousichangeDialog::kBrowse).click(IDOK); }, CHyousichangeDialog::kDialogId);
        EXPECT_EQ(d.doModal(), IDOK);
        EXPECT_FALSE(fs::exists(exe / "none.frm"));
        EXPECT_EQ(doc->m_HyousiPath, hyousiPath());
    }
    const fs::path picked = exe / "switched.frm";
    writeFile(picked, "SWITCHED");
    // Cancelled at the question: nothing changes.
    {
        CHyousichangeDialog d;
        hb().expectFile(picked);
        hb().expectMessageBox(IDCANCEL, "switched.frmファイルに一時的に変更します。アプリケーション終了時には元に戻ります。");
        hb().expectDialog([](Driver& dr) { dr.click(CHyousichangeDialog::kBrowse).click(IDOK); });
        d.doModal();
        EXPECT_EQ(doc->m_HyousiPath, hyousiPath());
    }
    // Confirmed: this estimate alone, and not the profile.
    {
        CHyousichangeDialog d;
        hb().expectFile(picked);
        hb().expectMessageBox(IDOK, "一時的に変更します。");
        hb().expectDialog([](Driver& dr) { dr.click(CHyousichangeDialog::kBrowse).click(IDOK); });
        d.doModal();
    }
    EXPECT_EQ(doc->m_HyousiPath, picked);
    EXPECT_EQ(doc->m_HyousiLayout.midasi.text, "SWITCHED    ");
    EXPECT_FALSE(Profile::user().has("Hyousi_Section", "Hyousi_Form"));
    CKivDoc& later = openEstimate();
    EXPECT_EQ(later.m_HyousiPath, hyousiPath());
    EXPECT_EQ(later.m_HyousiLayout.midasi.text, std::string(12, ' '));
    // The cover editor writes the switched file for the switched estimate.
    doc->MakeCurrent();
    CFormDialog f;
    hb().expectDialog([](Driver& dr) {
        EXPECT_EQ(dr.text(1153), "SWITCHED");
        dr.type(1166, "5").click(IDOK);
    });
    ASSERT_EQ(f.doModal(), IDOK);
    EXPECT_EQ(fileBytes(picked).substr(0, 17), "SWITCHED     5   ");
    EXPECT_EQ(fileBytes(hyousiPath()), "");
}

} // namespace
