// The settings dialogs driven on the headless backend: each OK changes exactly its own bytes of
// the estimate's record and of the settings file, Cancel changes nothing, and the file choosers
// switch the estimate to another settings or labour-price file.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>

#include "estimate/EnzanDialog.h"
#include "estimate/EstimateDialogFixture.h"
#include "estimate/FukugouDialog.h"
#include "estimate/FukukirisuteDialog.h"
#include "estimate/MarumeDialog.h"
#include "estimate/RoumuFile.h"
#include "estimate/RoumufileDialog.h"
#include "estimate/SetteiDialog.h"
#include "estimate/SetteiFile.h"
#include "platform/profile/Profile.h"
#include "platform/text/Cp932.h"

using namespace kiv::ui;
using kiv::profile::Profile;
using kiv::text::sj;
using Driver = kiv::ui::headless::DialogDriver;
namespace fs = std::filesystem;

namespace {

// A settings file as users have them: codes 0100 to 0127, digit rounding 2, composite style,
// a blank composite rounding mode, removal factor "0.8", and unused positions holding anything,
// NUL and bytes above 0x7F included.
std::string settingsBytes() {
    std::string b;
    for (int k = 0; k < kEnzanCodeCount; ++k) {
        char code[8];
        std::snprintf(code, sizeof code, "%04d", 100 + k);
        b += code;
    }
    b += std::string("\0AB\0\xff  z", 8); // 112-119
    b += "21 0.8 ";                       // 120-126
    for (std::size_t i = b.size(); i < SetteiRecord::Size; ++i)
        b += static_cast<char>((i * 7) % 256);
    return b;
}

// `original` with the bytes at the given positions replaced.
std::string changed(std::string original, const std::map<std::size_t, std::string>& at) {
    for (const auto& [pos, bytes] : at)
        original.replace(pos, bytes.size(), bytes);
    return original;
}

class SetteiDialogs : public kiv::test::EstimateDialogTest {
protected:
    SetteiDialogs() {
        writeFile(setteiPath(), original);
        doc = &openEstimate();
        ClearKivPrompts();
    }
    fs::path setteiPath() const { return exe / "電気設定.ett"; }

    // The record and the file both hold exactly `expected`.
    void expectSettei(const std::string& expected) {
        EXPECT_EQ(std::string(doc->m_Settei.bytes()), expected);
        EXPECT_EQ(fileBytes(setteiPath()), expected);
    }

    // Back to the original record and file between the cases of a table.
    void reset() {
        writeFile(setteiPath(), original);
        doc->m_Settei = SetteiRecord::fromBytes(original);
        doc->ParseSettei();
    }

    const std::string original = settingsBytes();
    CKivDoc* doc = nullptr;
};

TEST_F(SetteiDialogs, EstimateReadsTheRecordWithEveryByte) {
    EXPECT_EQ(doc->m_SetteiPath, setteiPath());
    EXPECT_EQ(std::string(doc->m_Settei.bytes()), original);
    EXPECT_EQ(doc->m_SetteiValues.code(EnzanCode::Roumuhi4), 127);
}

TEST_F(SetteiDialogs, EnzanOkWritesTheTypedCodePaddedAndReparses) {
    CEnzanDialog d;
    hb().expectDialog(
        [](Driver& dr) {
            EXPECT_EQ(dr.dialog().focusedControl(), 1000);
            EXPECT_EQ(dr.text(1000), "0100");
            EXPECT_EQ(dr.text(1017), "0127"); // 労務費4(普通工)
            EXPECT_EQ(dr.text(1094), "0113"); // the spare code
            dr.type(1003, "5").key(VK_RETURN);    // 経費1; Enter leaves the box without its focus check
        },
        CEnzanDialog::kDialogId);
    EXPECT_EQ(d.doModal(), IDOK);
    expectSettei(changed(original, {{16, "0005"}}));
    EXPECT_EQ(doc->m_SetteiValues.code(EnzanCode::Keihi1), 5);
    EXPECT_EQ(doc->m_SetteiValues.code(EnzanCode::Keihi2), 105);
}

TEST_F(SetteiDialogs, EnzanPadsABoxThatLosesTheFocusAndCancelKeepsRecordAndFile) {
    CEnzanDialog d;
    hb().expectMessageBox(IDOK);
    hb().expectMessageBox(IDOK);
    hb().expectDialog([](Driver& dr) {
        dr.type(1094, "").focus(1093);
        EXPECT_EQ(dr.text(1094), "0000");
        dr.type(1004, "7").focus(1005);
        EXPECT_EQ(dr.text(1004), "0007");
        dr.key(VK_ESCAPE);
    });
    EXPECT_EQ(d.doModal(), IDCANCEL);
    EXPECT_EQ(hb().messageTexts(), (std::vector<std::string>{"４桁未満のため0000に変更しました。",
                                                             "４桁未満のため0007に変更しました。"}));
    expectSettei(original);
    EXPECT_EQ(doc->m_SetteiValues.code(EnzanCode::Spare), 113);
}

TEST_F(SetteiDialogs, EnzanBoxOfFourCharactersIsNeverPadded) {
    CEnzanDialog d;
    hb().expectDialog([](Driver& dr) {
        dr.type(1032, "ABCD").type(1000, "1x2"); // 細目 takes any character, 大項目 only digits
        EXPECT_EQ(dr.text(1000), "12");
        dr.key(VK_RETURN);
    });
    EXPECT_EQ(d.doModal(), IDOK);
    EXPECT_TRUE(hb().messageTexts().empty());
    expectSettei(changed(original, {{0, "0012"}, {12, "ABCD"}}));
    EXPECT_EQ(doc->m_SetteiValues.code(EnzanCode::Saimoku), 0);
}

TEST_F(SetteiDialogs, EnzanFreeTextBoxesAreRightAlignedAndTheOthersTakeDigits) {
    for (const auto& c : CEnzanDialog::dialogLayout().controls) {
        if (c.kind != ControlKind::Edit)
            continue;
        bool freeText = c.id == 1032 || c.id == 1036;
        EXPECT_EQ((c.style & EditRight) != 0, freeText) << c.id;
        EXPECT_EQ((c.style & EditNumber) != 0, !freeText) << c.id;
        EXPECT_EQ(c.limit, 4) << c.id;
    }
}

TEST_F(SetteiDialogs, MarumeWritesPosition120Only) {
    struct Case {
        const char* name;
        std::function<void(Driver&)> choose;
        char stored;
    };
    const Case cases[] = {
        {"picked from the list", [](Driver& dr) { dr.select(CmarumeDialog::kMarume, 3); }, '3'},
        {"typed", [](Driver& dr) { dr.type(CmarumeDialog::kMarume, "7"); }, '7'},
        {"emptied: the stored digit stays", [](Driver& dr) { dr.type(CmarumeDialog::kMarume, ""); }, '2'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset();
        CmarumeDialog d;
        hb().expectDialog([&](Driver& dr) {
            EXPECT_EQ(dr.text(CmarumeDialog::kMarume), "2");
            EXPECT_EQ(dr.dialog().control(CmarumeDialog::kMarume)->items, (std::vector<std::string>{"0", "1", "2", "3"}));
            c.choose(dr);
            dr.click(IDOK);
        });
        EXPECT_EQ(d.doModal(), IDOK);
        expectSettei(changed(original, {{120, std::string(1, c.stored)}}));
        EXPECT_EQ(doc->m_SetteiValues.KetaMarume, 2); // the command re-parses after OK
    }
}

TEST_F(SetteiDialogs, FukugouWritesPosition121AndAlwaysOpensWithKeepUnticked) {
    struct Case {
        char before;
        bool click;
        int shownChecked;
        char after;
    };
    const Case cases[] = {{'1', false, 1, '1'}, {'1', true, 1, '0'}, {' ', false, 0, '0'}, {'0', true, 0, '1'}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.before) + (c.click ? " clicked" : ""));
        reset();
        doc->m_Settei = SetteiRecord::fromBytes(changed(original, {{121, std::string(1, c.before)}}));
        CfukugouDialog d;
        d.m_Nokosu = 1; // chosen in an earlier run
        hb().expectDialog([&](Driver& dr) {
            EXPECT_EQ(dr.dialog().isChecked(CfukugouDialog::kFukugou), c.shownChecked);
            EXPECT_EQ(dr.dialog().isChecked(CfukugouDialog::kNokosu), 0);
            if (c.click)
                dr.click(CfukugouDialog::kFukugou);
            dr.click(IDOK);
        });
        EXPECT_EQ(d.doModal(), IDOK);
        expectSettei(changed(original, {{121, std::string(1, c.after)}}));
        EXPECT_EQ(d.m_Nokosu, 0);
    }
    CfukugouDialog d;
    hb().expectDialog([](Driver& dr) { dr.click(CfukugouDialog::kNokosu).click(IDOK); });
    EXPECT_EQ(d.doModal(), IDOK);
    EXPECT_EQ(d.m_Nokosu, 1); // handed to the style commands, never stored
}

TEST_F(SetteiDialogs, FukukirisuteIsOneChoiceWrittenToPosition122) {
    const int boxes[] = {CfukukirisuteDialog::kHosyouKirisute, CfukukirisuteDialog::kKoukyouKirisute,
                         CfukukirisuteDialog::kKoukyouSisyagonyuu};
    auto ticked = [&](Driver& dr) {
        std::vector<int> r;
        for (int id : boxes)
            r.push_back(dr.dialog().isChecked(id));
        return r;
    };
    {
        CfukukirisuteDialog d; // blank at 122: nothing ticked, and OK without a choice keeps the byte
        hb().expectDialog([&](Driver& dr) {
            EXPECT_EQ(ticked(dr), (std::vector<int>{0, 0, 0}));
            dr.click(IDOK);
        });
        EXPECT_EQ(d.doModal(), IDOK);
        expectSettei(original);
    }
    {
        CfukukirisuteDialog d;
        hb().expectDialog([&](Driver& dr) {
            dr.click(CfukukirisuteDialog::kKoukyouKirisute);
            EXPECT_EQ(ticked(dr), (std::vector<int>{0, 1, 0}));
            dr.click(CfukukirisuteDialog::kKoukyouKirisute); // a click on the ticked box keeps it ticked
            EXPECT_EQ(ticked(dr), (std::vector<int>{0, 1, 0}));
            dr.click(IDOK);
        });
        EXPECT_EQ(d.doModal(), IDOK);
        expectSettei(changed(original, {{122, "2"}}));
        EXPECT_EQ(doc->m_SetteiValues.FukugouMarume, 0); // the command re-parses after OK
    }
    {
        reset();
        doc->m_Settei = SetteiRecord::fromBytes(changed(original, {{122, "3"}}));
        CfukukirisuteDialog d;
        hb().expectDialog([&](Driver& dr) {
            EXPECT_EQ(ticked(dr), (std::vector<int>{0, 0, 1}));
            dr.click(CfukukirisuteDialog::kHosyouKirisute).click(IDOK);
        });
        EXPECT_EQ(d.doModal(), IDOK);
        expectSettei(changed(original, {{122, "1"}}));
    }
}

TEST_F(SetteiDialogs, CancelChangesNeitherRecordNorFile) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<Dialog>()> make;
        std::function<void(Driver&)> edit;
    };
    const Case cases[] = {
        {"codes", [] { return std::make_unique<CEnzanDialog>(); }, [](Driver& dr) { dr.type(1003, "1234"); }},
        {"digit rounding", [] { return std::make_unique<CmarumeDialog>(); },
         [](Driver& dr) { dr.select(CmarumeDialog::kMarume, 0); }},
        {"style", [] { return std::make_unique<CfukugouDialog>(); },
         [](Driver& dr) { dr.click(CfukugouDialog::kFukugou); }},
        {"composite rounding", [] { return std::make_unique<CfukukirisuteDialog>(); },
         [](Driver& dr) { dr.click(CfukukirisuteDialog::kKoukyouSisyagonyuu); }},
    };
    SetteiValues before = doc->m_SetteiValues;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto d = c.make();
        hb().expectDialog([&](Driver& dr) {
            c.edit(dr);
            dr.click(IDCANCEL);
        });
        EXPECT_EQ(d->doModal(), IDCANCEL);
        expectSettei(original);
        EXPECT_EQ(doc->m_SetteiValues.codes, before.codes);
    }
}

TEST_F(SetteiDialogs, FailedRewriteKeepsTheDialogOpenAndTheOldFile) {
    doc->m_SetteiPath = exe / "gone" / "電気設定.ett";
    CfukugouDialog d;
    hb().expectMessageBox(IDOK, "ファイルが作成できません。");
    hb().expectDialog([](Driver& dr) {
        dr.click(CfukugouDialog::kFukugou).click(IDOK);
        EXPECT_FALSE(dr.ended());
        dr.key(VK_ESCAPE);
    });
    EXPECT_EQ(d.doModal(), IDCANCEL);
    EXPECT_EQ(doc->m_Settei.byte(121), '0'); // the estimate's record already holds the change
    EXPECT_FALSE(fs::exists(doc->m_SetteiPath));
    EXPECT_EQ(fileBytes(setteiPath()), original);
}

TEST_F(SetteiDialogs, TwoEstimatesWriteTheFileFromTheirOwnRecords) {
    CKivDoc& earlier = *doc;
    CKivDoc& later = openEstimate();
    CmarumeDialog m; // in the later estimate, current now
    hb().expectDialog([](Driver& dr) { dr.select(CmarumeDialog::kMarume, 1).click(IDOK); });
    ASSERT_EQ(m.doModal(), IDOK);
    earlier.MakeCurrent();
    CfukukirisuteDialog f;
    hb().expectDialog([](Driver& dr) { dr.click(CfukukirisuteDialog::kHosyouKirisute).click(IDOK); });
    ASSERT_EQ(f.doModal(), IDOK);
    EXPECT_EQ(later.m_Settei.byte(120), '1');
    // The earlier estimate's record never saw the later one's digit rounding.
    EXPECT_EQ(fileBytes(setteiPath()), changed(original, {{122, "1"}}));
}

// ---- the file choosers

class FileChooserDialogs : public SetteiDialogs {};

TEST_F(FileChooserDialogs, SetteiBrowseSwitchesTheEstimateToThePickedFile) {
    struct Case {
        const char* mode;
        const char* ext;
        const char* section;
        const char* entry;
    };
    for (const Case& c : {Case{"1", "ETT", "ESettei_Section", "ESettei_File"},
                          Case{"2", "MTT", "MSettei_Section", "MSettei_File"}}) {
        SCOPED_TRACE(c.mode);
        CKivDoc::SetRunMode(c.mode);
        SetteiRecord other;
        other.setCode(EnzanCode::Sleeve, "0042");
        other.setSekisanYousiki(true);
        fs::path picked = exe / (std::string("other.") + c.ext);
        ASSERT_TRUE(writeSetteiFile(picked, other));
        std::string shownBefore = kiv::files::toCp932(doc->m_SetteiPath).value();
        hb().expectFile(picked);
        CSetteiDialog d;
        hb().expectDialog(
            [&](Driver& dr) {
                EXPECT_EQ(dr.text(CSetteiDialog::kPathBox), shownBefore);
                dr.click(CSetteiDialog::kBrowse);
                EXPECT_EQ(dr.text(CSetteiDialog::kPathBox), kiv::files::toCp932(picked).value());
                dr.click(IDOK);
            },
            CSetteiDialog::kDialogId);
        EXPECT_EQ(d.doModal(), IDOK);
        const auto& prompt = hb().prompts().back();
        EXPECT_EQ(prompt.kind, "file");
        EXPECT_EQ(prompt.text, std::string("*.") + c.ext);
        EXPECT_EQ(prompt.caption, std::string(c.ext) + "(*." + c.ext + ")|*." + c.ext + "|全て(*.*)|*.*|");
        EXPECT_EQ(prompt.style, unsigned(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT));
        EXPECT_EQ(doc->m_SetteiPath, picked);
        EXPECT_EQ(doc->m_Settei, other);
        EXPECT_EQ(doc->m_SetteiValues.code(EnzanCode::Sleeve), 42);
        EXPECT_EQ(doc->m_SetteiValues.SekisanYousiki, 1);
        EXPECT_EQ(Profile::user().getString(c.section, c.entry), picked.string());
        reset();
        doc->m_SetteiPath = setteiPath();
    }
}

TEST_F(FileChooserDialogs, SetteiMissingFileIsCreatedOnlyOnYesAndFilledByTheNextDialog) {
    fs::path picked = exe / "new.ett";
    {
        hb().expectFile(picked);
        hb().expectMessageBox(IDNO, "ファイルが存在しません。新しくファイルを作成しますか？");
        CSetteiDialog d;
        hb().expectDialog([&](Driver& dr) {
            dr.click(CSetteiDialog::kBrowse);
            EXPECT_EQ(dr.text(CSetteiDialog::kPathBox), kiv::files::toCp932(picked).value()); // shown all the same
            dr.click(IDOK);
        });
        EXPECT_EQ(d.doModal(), IDOK);
        EXPECT_FALSE(fs::exists(picked));
        EXPECT_EQ(doc->m_SetteiPath, setteiPath());
        EXPECT_EQ(std::string(doc->m_Settei.bytes()), original);
        EXPECT_FALSE(Profile::user().has("ESettei_Section", "ESettei_File"));
    }
    {
        hb().expectFile(picked);
        hb().expectMessageBox(IDYES, "ファイルが存在しません。");
        CSetteiDialog d;
        hb().expectDialog([](Driver& dr) { dr.click(CSetteiDialog::kBrowse).click(IDCANCEL); });
        EXPECT_EQ(d.doModal(), IDCANCEL); // the switch happened at 参照 and stands
        EXPECT_EQ(fs::file_size(picked), 0u);
        EXPECT_EQ(doc->m_SetteiPath, picked);
        EXPECT_EQ(doc->m_Settei, SetteiRecord());
        EXPECT_EQ(doc->m_SetteiValues.code(EnzanCode::Daikoumoku), 0);
        EXPECT_EQ(Profile::user().getString("ESettei_Section", "ESettei_File"), picked.string());
    }
    CmarumeDialog m;
    hb().expectDialog([](Driver& dr) { dr.select(CmarumeDialog::kMarume, 1).click(IDOK); });
    EXPECT_EQ(m.doModal(), IDOK);
    EXPECT_EQ(fileBytes(picked), changed(std::string(1024, ' '), {{120, "1"}}));
}

TEST_F(FileChooserDialogs, ExistingFileThatCannotBeReadIsNeverOfferedForCreation) {
    fs::create_directory(exe / "odd.ett");
    hb().expectFile(exe / "odd.ett");
    hb().expectMessageBox(IDOK, "ファイルを読み込めません。");
    CSetteiDialog d;
    hb().expectDialog([](Driver& dr) { dr.click(CSetteiDialog::kBrowse).click(IDOK); });
    EXPECT_EQ(d.doModal(), IDOK);
    EXPECT_EQ(doc->m_SetteiPath, setteiPath());
    EXPECT_TRUE(fs::is_directory(exe / "odd.ett"));
}

TEST_F(FileChooserDialogs, CancelledFileDialogAndOverlongPath) {
    fs::path deep = exe / std::string(60, 'a') / std::string(60, 'b');
    fs::create_directories(deep);
    fs::path picked = deep / "x.ett";
    writeFile(picked, "0001");
    hb().expectFile(std::nullopt);
    hb().expectFile(picked);
    hb().expectMessageBox(IDOK, "半角120文字");
    CSetteiDialog d;
    hb().expectDialog([](Driver& dr) {
        dr.click(CSetteiDialog::kBrowse); // cancelled: nothing happens
        dr.click(CSetteiDialog::kBrowse).click(IDOK);
        EXPECT_FALSE(dr.ended()); // the box holds more than 120 characters
        dr.key(VK_ESCAPE);
    });
    EXPECT_EQ(d.doModal(), IDCANCEL);
    EXPECT_EQ(doc->m_SetteiPath, picked);
    EXPECT_EQ(doc->m_SetteiValues.code(EnzanCode::Daikoumoku), 1);
}

TEST_F(FileChooserDialogs, RoumufileBrowseSwitchesTheLabourList) {
    RoumuList list;
    list.add(*RoumuRecord::build("1", sj("配管工"), "20000", "21000"));
    list.add(*RoumuRecord::build("2", sj("電工"), "19000", "19500"));
    fs::path picked = exe / "b.rab";
    ASSERT_TRUE(writeRoumuFile(picked, list));
    hb().expectFile(picked);
    CRoumufileDialog d;
    hb().expectDialog(
        [&](Driver& dr) {
            EXPECT_EQ(dr.text(CRoumufileDialog::kPathBox), kiv::files::toCp932(doc->m_RoumuPath).value());
            dr.click(CRoumufileDialog::kBrowse).click(IDOK);
        },
        CRoumufileDialog::kDialogId);
    EXPECT_EQ(d.doModal(), IDOK);
    EXPECT_EQ(hb().prompts().back().text, "*.RAB");
    EXPECT_EQ(hb().prompts().back().caption, "RAB(*.RAB)|*.RAB|全て(*.*)|*.*|");
    EXPECT_EQ(doc->m_Roumu, list);
    EXPECT_EQ(doc->m_RoumuPath, picked);
    EXPECT_EQ(Profile::user().getString("Roumu_Section", "Roumu_File"), picked.string());
}

} // namespace
