// The rate calculator 歩掛計算, the file chooser 歩掛けﾌｧｲﾙ切り替え and the selection 歩掛け呼出,
// driven on the headless backend over tables in a temporary program folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "estimate/EstimateDialogFixture.h"
#include "platform/profile/Profile.h"
#include "platform/text/Cp932.h"
#include "pricing/BukakeDialog.h"
#include "pricing/BukakeFile.h"
#include "pricing/BukakeFileDialog.h"
#include "pricing/BukakeRecord.h"
#include "pricing/BukakeSelectDialog.h"

using namespace kiv::ui;
using kiv::text::sj;
using Driver = kiv::ui::headless::DialogDriver;
namespace fs = std::filesystem;

namespace {

const std::string kCannotCreate = "ファイルが作成できません。";
const std::string kNotSent =
    "歩掛けが正常に送れませんでした。再入力して歩掛追加ボタンを押して歩掛修正に歩掛けを表示して送ってください。";

using D = CBukakeDialog;

class BukakeDialogTest : public kiv::test::EstimateDialogTest {
protected:
    BukakeDialogTest() { CBukakeDialog::s_LastBukakeNo.clear(); }

    fs::path ban() const { return exe / "分電盤.dat"; }
    static std::string line(const char* no, const char* nameUtf8, const char* rate) {
        return BukakeRecord::format(no, sj(nameUtf8), "", rate);
    }
    static std::vector<std::string> items(Driver& dr) { return dr.dialog().control(D::kList)->items; }
    // The rate and quantity typed, then 歩掛追加.
    static void add(Driver& dr, const char* rate, const char* qty) {
        dr.type(D::kBukake, rate).type(D::kSuuryou, qty).click(D::kBukakeAdd);
    }
    // Runs the calculator of `kind` with the script; returns its end code.
    int runCalc(int kind, std::function<void(Driver&)> script, CBukakeDialog* out = nullptr) {
        CBukakeDialog d;
        d.m_Kind = kind;
        hb().expectDialog(std::move(script), D::kDialogId);
        int r = d.doModal();
        if (out) {
            out->m_BukakeSyuusei = d.m_BukakeSyuusei;
            out->m_BukakeGoukei = d.m_BukakeGoukei;
        }
        return r;
    }
};

TEST_F(BukakeDialogTest, LoadsTheTableAndKeepsItWithTheLineCommands) {
    const std::string a = line("1", "分電盤", "2.5"), b = line("2", "制御盤", "0.25");
    writeFile(ban(), a + b);
    const std::string typed = BukakeRecord::format("3", sj("端子盤"), sj("露出"), "1.2");
    const int r = runCalc(1, [&](Driver& dr) {
        EXPECT_EQ(items(dr), (std::vector<std::string>{a, b}));
        EXPECT_EQ(dr.dialog().control(D::kList)->horizontalExtent, 990);
        EXPECT_EQ(dr.dialog().focusedControl(), D::kNo);
        EXPECT_EQ(dr.text(D::kSuuryou), "1");
        // 追加: appended, edits emptied, nothing selected, focus back in NO.
        dr.type(D::kNo, "3").type(D::kName, "端子盤").type(D::kKikaku, "露出").type(D::kBukake, "1.2");
        dr.click(D::kGyouAdd);
        EXPECT_EQ(items(dr), (std::vector<std::string>{a, b, typed}));
        EXPECT_EQ(dr.text(D::kNo), "");
        EXPECT_EQ(dr.text(D::kName), "");
        EXPECT_EQ(dr.text(D::kBukake), "");
        EXPECT_EQ(dr.dialog().getCurSel(D::kList), -1);
        EXPECT_EQ(dr.dialog().focusedControl(), D::kNo);
        // 行挿入 before the selected line, which the new line then is.
        dr.select(D::kList, 1);
        dr.type(D::kNo, "9").type(D::kBukake, "5").click(D::kGyouInsert);
        const std::string nine = BukakeRecord::format("9", "", "", "5");
        EXPECT_EQ(items(dr), (std::vector<std::string>{a, nine, b, typed}));
        EXPECT_EQ(dr.dialog().getCurSel(D::kList), 1);
        // 訂正 replaces the selected line; without a selection it discards what was typed.
        dr.select(D::kList, 2);
        dr.type(D::kNo, "8").type(D::kBukake, "6").click(D::kGyouModify);
        const std::string eight = BukakeRecord::format("8", "", "", "6");
        EXPECT_EQ(items(dr), (std::vector<std::string>{a, nine, eight, typed}));
        EXPECT_EQ(dr.dialog().getCurSel(D::kList), -1);
        dr.type(D::kNo, "7").click(D::kGyouModify);
        EXPECT_EQ(items(dr).size(), 4u);
        EXPECT_EQ(dr.text(D::kNo), "");
        // 削除 keeps the edits.
        dr.type(D::kNo, "5");
        dr.select(D::kList, 1).click(D::kGyouDelete);
        EXPECT_EQ(items(dr), (std::vector<std::string>{a, eight, typed}));
        EXPECT_EQ(dr.text(D::kNo), "5");
        EXPECT_EQ(dr.dialog().focusedControl(), D::kNo);
        dr.click(IDOK);
    });
    EXPECT_EQ(r, IDOK);
    // Lines of 73 bytes are written as they are.
    EXPECT_EQ(fileBytes(ban()), a + BukakeRecord::format("8", "", "", "6") + typed);
}

TEST_F(BukakeDialogTest, CancelAndSendDiscardTheListsChanges) {
    const std::string a = line("1", "分電盤", "2.5");
    writeFile(ban(), a);
    for (int end : {int(IDCANCEL), int(D::kSend)}) {
        const int r = runCalc(1, [&](Driver& dr) {
            dr.type(D::kNo, "2").click(D::kGyouAdd);
            dr.select(D::kList, 0).click(D::kGyouDelete);
            EXPECT_EQ(items(dr).size(), 1u);
            dr.click(end == IDCANCEL ? IDCANCEL : D::kUtiwakeSend);
        });
        EXPECT_EQ(r, end);
        EXPECT_EQ(fileBytes(ban()), a);
    }
}

TEST_F(BukakeDialogTest, EnterInTheMultiLineEditsDoesNotSaveAndTheBreakNeverReachesTheRecord) {
    writeFile(ban(), "");
    runCalc(1, [&](Driver& dr) {
        dr.type(D::kNo, "1").key(VK_RETURN);
        EXPECT_FALSE(dr.ended());
        dr.typeCp932(D::kNo, "1\r\n");   // the line break the edit takes in
        dr.type(D::kName, "分電盤").key(VK_RETURN);
        EXPECT_FALSE(dr.ended());
        dr.type(D::kBukake, "2.5").click(D::kGyouAdd);
        dr.click(IDOK);
    });
    EXPECT_EQ(fileBytes(ban()), line("1", "分電盤", "2.5"));
    EXPECT_EQ(fileBytes(ban()).substr(0, 4), "   1");
}

TEST_F(BukakeDialogTest, SaveWritesShortLinesFollowedByANulAndAnEmptyListGivesAnEmptyFile) {
    std::string shortRecord = line("1", "分電盤", "2.5");
    shortRecord[72] = '\0';
    writeFile(ban(), shortRecord + line("2", "制御盤", "0.25"));
    runCalc(1, [&](Driver& dr) {
        EXPECT_EQ(items(dr)[0].size(), 72u);
        dr.click(IDOK);
    });
    EXPECT_EQ(fileBytes(ban()), shortRecord + line("2", "制御盤", "0.25"));
    runCalc(1, [&](Driver& dr) {
        dr.select(D::kList, 0).click(D::kGyouDelete).select(D::kList, 0).click(D::kGyouDelete);
        dr.click(IDOK);
    });
    EXPECT_TRUE(fs::exists(ban()));
    EXPECT_EQ(fs::file_size(ban()), 0u);
}

TEST_F(BukakeDialogTest, DoubleClickTakesALineBackWithQuantityOne) {
    writeFile(ban(), line("12", "分電盤", "0.25"));
    runCalc(1, [&](Driver& dr) {
        hb().expectMessageBox(IDOK, "その位置には変更するものがありません。");
        dr.doubleClick(D::kList, -1);
        EXPECT_EQ(dr.dialog().focusedControl(), D::kNo);
        dr.type(D::kSuuryou, "3");
        dr.doubleClick(D::kList, 0);
        EXPECT_EQ(dr.text(D::kNo), "12");
        EXPECT_EQ(dr.text(D::kName), sj("分電盤"));
        EXPECT_EQ(dr.text(D::kKikaku), "");
        EXPECT_EQ(dr.text(D::kBukake), "  0.25");   // as the record holds it
        EXPECT_EQ(dr.text(D::kSuuryou), "1");
        EXPECT_EQ(dr.text(D::kBukakeSuu), "0.25");
        EXPECT_EQ(dr.dialog().focusedControl(), D::kNo);
        dr.type(D::kSuuryou, "4");
        EXPECT_EQ(dr.text(D::kBukakeSuu), "1");   // live 歩掛x数量
        dr.type(D::kBukake, "abc");
        EXPECT_EQ(dr.text(D::kBukakeSuu), "0");
        dr.type(D::kSuuryou, "");                  // half typed: no message, product kept
        EXPECT_EQ(dr.text(D::kBukakeSuu), "0");
        dr.type(D::kSuuryou, "0.");
        EXPECT_EQ(dr.text(D::kSuuryou), "0.");     // left as typed
        dr.click(IDCANCEL);
    });
    EXPECT_EQ(hb().messageTexts().size(), 1u);
}

TEST_F(BukakeDialogTest, TheSameNoAsLastTimeMovesOnToTheName) {
    writeFile(ban(), "");
    runCalc(1, [&](Driver& dr) {
        dr.type(D::kNo, "1");
        EXPECT_EQ(dr.dialog().focusedControl(), D::kNo);
        dr.type(D::kName, "A").type(D::kBukake, "1").click(D::kGyouAdd);
        dr.type(D::kNo, "1");   // the same text as at the last change
        EXPECT_EQ(dr.dialog().focusedControl(), D::kName);
        dr.click(IDCANCEL);
    });
    // Kept for the run: the next dialog remembers it.
    runCalc(1, [&](Driver& dr) {
        dr.type(D::kNo, "1");
        EXPECT_EQ(dr.dialog().focusedControl(), D::kName);
        dr.click(IDCANCEL);
    });
}

TEST_F(BukakeDialogTest, BoardCorrectionMeetsItsBoundariesExactly) {
    writeFile(ban(), "");
    CBukakeDialog out;
    runCalc(1, [&](Driver& dr) {
        add(dr, "2.8", "3");
        EXPECT_EQ(dr.text(D::kBukakeSuu), "8.4");
        add(dr, "0.1", "1");
        EXPECT_EQ(dr.text(D::kGoukei), "8.5");
        EXPECT_EQ(dr.text(D::kSyuusei), "8");   // binary arithmetic would give 7
        const std::pair<std::pair<const char*, const char*>, const char*> cases[] = {
            {{"2.5", "3"}, "7"}, {{"23.4", "1"}, "18"}, {{"47.99", "1"}, "33"}};
        for (const auto& [in, want] : cases) {
            dr.click(D::kBukakeClear);
            add(dr, in.first, in.second);
            EXPECT_EQ(dr.text(D::kSyuusei), want) << in.first << " x " << in.second;
        }
        dr.click(D::kBukakeClear);
        add(dr, "40", "1");
        EXPECT_EQ(dr.text(D::kSyuusei), "28");
        hb().expectMessageBox(IDOK, "歩掛合計が48以上のため歩掛修正を計算できません。");
        add(dr, "8", "1");
        EXPECT_EQ(dr.text(D::kGoukei), "48");
        EXPECT_EQ(dr.text(D::kSyuusei), "0");   // never the previous value
        dr.click(D::kUtiwakeSend);
    }, &out);
    EXPECT_EQ(out.m_BukakeSyuusei, 0.0);
}

TEST_F(BukakeDialogTest, ControlPanelCorrection) {
    writeFile(exe / "制御盤.dat", "");
    runCalc(2, [&](Driver& dr) {
        add(dr, "2.5", "1");
        EXPECT_EQ(dr.text(D::kSyuusei), "3");
        dr.click(D::kBukakeClear);
        add(dr, "0.7", "3");
        add(dr, "1.4", "1");
        EXPECT_EQ(dr.text(D::kGoukei), "3.5");
        EXPECT_EQ(dr.text(D::kSyuusei), "4");
        const std::pair<const char*, const char*> cases[] = {{"30", "18"}, {"60", "33"}, {"72", "38"}, {"80", "40"}};
        for (const auto& [s, want] : cases) {
            dr.click(D::kBukakeClear);
            add(dr, s, "1");
            EXPECT_EQ(dr.text(D::kSyuusei), want) << s;
        }
        dr.click(IDCANCEL);
    });
}

TEST_F(BukakeDialogTest, WiringCorrectionForgetsTheLargestRateOnDelete) {
    writeFile(exe / "配線器具.dat", line("1", "A", "1"));
    runCalc(3, [&](Driver& dr) {
        add(dr, "1.2", "2");
        add(dr, "0.8", "1");
        EXPECT_EQ(dr.text(D::kGoukei), "3.2");
        EXPECT_EQ(dr.text(D::kSyuusei), "2.2");
        dr.click(D::kBukakeClear);
        EXPECT_EQ(dr.text(D::kGoukei), "0");
        EXPECT_EQ(dr.text(D::kSyuusei), "0");
        EXPECT_EQ(dr.text(D::kBukakeSuu), "0.8");   // 取り消し leaves 歩掛x数量 showing
        add(dr, "1.2", "2");
        dr.select(D::kList, 0).click(D::kGyouDelete);
        add(dr, "0.8", "1");
        EXPECT_EQ(dr.text(D::kSyuusei), "2");
        dr.click(IDCANCEL);
    });
}

TEST_F(BukakeDialogTest, LightingAndMechanicalTablesGiveTheTotal) {
    for (int kind : {4, 5}) {
        writeFile(bukakeTablePath(kind, exe.path()), "");
        runCalc(kind, [&](Driver& dr) {
            add(dr, "1.25", "2");
            add(dr, "0.3", "3");
            EXPECT_EQ(dr.text(D::kSyuusei), "3.4");
            dr.click(IDCANCEL);
        });
    }
}

TEST_F(BukakeDialogTest, AMissingTableIsCreatedEmptyAtItsOwnKindsPathOnlyAfterOk) {
    fs::create_directory(exe / "own");
    const fs::path own = exe / "own" / "照明器具.dat";
    ASSERT_TRUE(rememberBukakeTablePath(4, own));
    hb().expectMessageBox(IDCANCEL, own.string() + "ファイルが存在しません。新しくファイルを作成しますか？");
    runCalc(4, [&](Driver& dr) {
        EXPECT_TRUE(items(dr).empty());
        dr.click(IDCANCEL);
    });
    EXPECT_FALSE(fs::exists(own));
    hb().expectMessageBox(IDOK, "ファイルが存在しません。");
    runCalc(4, [&](Driver& dr) {
        EXPECT_TRUE(items(dr).empty());
        dr.click(IDCANCEL);
    });
    ASSERT_TRUE(fs::exists(own));
    EXPECT_EQ(fs::file_size(own), 0u);
    for (const char* other : {"照明器具.dat", "分電盤.dat", "歩掛.dat"})
        EXPECT_FALSE(fs::exists(exe / other)) << other;
}

TEST_F(BukakeDialogTest, AFolderWhereTheTableShouldBeIsReportedAndNeverWrittenOver) {
    fs::create_directory(ban());
    hb().expectMessageBox(IDOK, "ファイルを読み込めません。");
    const int r = runCalc(1, [&](Driver& dr) {
        dr.type(D::kNo, "1").click(D::kGyouAdd);
        hb().expectMessageBox(IDOK, "上書きしません");
        dr.click(IDOK);
        EXPECT_FALSE(dr.ended());
        EXPECT_EQ(items(dr).size(), 1u);
        dr.click(IDCANCEL);
    });
    EXPECT_EQ(r, IDCANCEL);
    EXPECT_TRUE(fs::is_directory(ban()));
    for (const auto& p : hb().prompts())
        EXPECT_EQ(p.text.find("作成しますか"), std::string::npos) << p.text;
}

TEST_F(BukakeDialogTest, ASaveThatCannotWriteKeepsTheDialogTheListAndTheOldFile) {
    fs::create_directory(exe / "sub");
    const fs::path path = exe / "sub" / "t.dat";
    writeFile(path, line("1", "A", "1"));
    ASSERT_TRUE(rememberBukakeTablePath(1, path));
    runCalc(1, [&](Driver& dr) {
        fs::remove_all(exe / "sub");
        dr.type(D::kNo, "2").click(D::kGyouAdd);
        hb().expectMessageBox(IDOK, kCannotCreate);
        dr.click(IDOK);
        EXPECT_FALSE(dr.ended());
        EXPECT_EQ(items(dr).size(), 2u);
        dr.click(IDCANCEL);
    });
    EXPECT_FALSE(fs::exists(exe / "sub"));
}

TEST_F(BukakeDialogTest, AFileOfARecordAndAPartIsTwoLines) {
    writeFile(ban(), line("1", "A", "1") + std::string(40, 'x'));
    runCalc(1, [&](Driver& dr) {
        ASSERT_EQ(items(dr).size(), 2u);
        EXPECT_EQ(items(dr)[1], std::string(40, 'x') + std::string(33, ' '));
        dr.click(IDCANCEL);
    });
}

// ---- 歩掛け呼出

TEST_F(BukakeDialogTest, SelectionRunsTheCalculatorOfTheTickedKindAndEndsWithTheSendCode) {
    writeFile(exe / "制御盤.dat", line("1", "A", "2.5"));
    CBukakeSelectDialog sel;
    hb().expectDialog([&](Driver& dr) { dr.click(1262); }, CBukakeSelectDialog::kDialogId);
    hb().expectDialog(
        [&](Driver& dr) {
            EXPECT_EQ(dr.dialog().control(D::kList)->items.size(), 1u);   // the control-panel table
            dr.doubleClick(D::kList, 0).click(D::kBukakeAdd).click(D::kUtiwakeSend);
        },
        D::kDialogId);
    EXPECT_EQ(sel.doModal(), CBukakeSelectDialog::kSend);
    EXPECT_EQ(sel.m_Bukake, 3.0);
    EXPECT_TRUE(sel.RateSent());
    EXPECT_EQ(sel.m_Flags, (std::array<int, 5>{0, 0, 1, 0, 0}));
}

TEST_F(BukakeDialogTest, SendingWithoutACorrectedRateSaysSo) {
    writeFile(ban(), "");
    CBukakeSelectDialog sel;
    hb().expectDialog([&](Driver& dr) { dr.click(1260); }, CBukakeSelectDialog::kDialogId);
    hb().expectDialog([&](Driver& dr) { dr.click(D::kUtiwakeSend); }, D::kDialogId);
    hb().expectMessageBox(IDOK, kNotSent);
    EXPECT_EQ(sel.doModal(), CBukakeSelectDialog::kSend);
    EXPECT_FALSE(sel.RateSent());
}

TEST_F(BukakeDialogTest, SelectionOkAndCancelCloseWithoutARate) {
    for (int end : {int(IDOK), int(IDCANCEL)}) {
        CBukakeSelectDialog sel;
        hb().expectDialog([&](Driver& dr) { dr.click(end); }, CBukakeSelectDialog::kDialogId);
        EXPECT_EQ(sel.doModal(), end);
        EXPECT_FALSE(sel.RateSent());
    }
}

// ---- 歩掛けﾌｧｲﾙ切り替え

using F = CBukakeFileDialog;

TEST_F(BukakeDialogTest, FileChooserShowsTheTickedKindsPathAndStoresWhatBrowsePicks) {
    const fs::path chosen = exe / "mine.dat";
    ASSERT_TRUE(rememberBukakeTablePath(5, "/data/kikai.dat"));
    F d;
    hb().expectDialog(
        [&](Driver& dr) {
            EXPECT_FALSE(dr.dialog().control(F::kBrowse)->enabled);   // nothing ticked yet
            EXPECT_EQ(dr.text(F::kPathBox), "");
            dr.click(1260);   // 電気設備盤: no entry, the default in the program folder
            EXPECT_EQ(dr.textUtf8(F::kPathBox), (exe / "分電盤.dat").string());
            EXPECT_TRUE(dr.dialog().control(F::kBrowse)->enabled);
            dr.click(1259);   // 機械設備: its stored path, the other box cleared
            EXPECT_EQ(dr.text(F::kPathBox), "/data/kikai.dat");
            EXPECT_EQ(dr.dialog().isChecked(1259), 1);
            EXPECT_EQ(dr.dialog().isChecked(1260), 0);
            dr.click(1259);   // a second click keeps it ticked
            EXPECT_EQ(dr.dialog().isChecked(1259), 1);
            dr.click(1263);   // 電気設備照明器具
            hb().expectFile(chosen);
            dr.click(F::kBrowse);
            EXPECT_EQ(dr.textUtf8(F::kPathBox), chosen.string());
            // A typed path is not stored.
            dr.type(F::kPathBox, "/typed/by/hand.dat");
            dr.click(IDOK);
        },
        F::kDialogId);
    EXPECT_EQ(d.doModal(), IDOK);
    auto& profile = kiv::profile::Profile::user();
    EXPECT_EQ(profile.getString("SyoumeiRoumu_Section", "SyoumeiRoumu_Data"), chosen.string());
    EXPECT_EQ(profile.getString("Bukake_Section", "Bukake_Data"), "/data/kikai.dat");
    EXPECT_FALSE(profile.has("BanRoumu_Section", "BanRoumu_Data"));
    EXPECT_FALSE(fs::exists(chosen));   // neither opened nor created here
    const auto& req = hb().prompts();
    auto file = std::find_if(req.begin(), req.end(), [](const auto& p) { return p.kind == "file"; });
    ASSERT_NE(file, req.end());
    EXPECT_EQ(file->text, "*.DAT");
}

TEST_F(BukakeDialogTest, FileChooserCancelledBrowseStoresNothing) {
    F d;
    hb().expectDialog(
        [&](Driver& dr) {
            dr.click(1264);
            hb().expectFile(std::nullopt);
            dr.click(F::kBrowse);
            dr.click(IDCANCEL);
        },
        F::kDialogId);
    EXPECT_EQ(d.doModal(), IDCANCEL);
    EXPECT_FALSE(kiv::profile::Profile::user().has("HaisenRoumu_Section", "HaisenRoumu_Data"));
}

} // namespace
