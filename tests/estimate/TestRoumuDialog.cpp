// The labour-price dialog driven on the headless backend: the list box as a working copy, its
// editing buttons, 登録 writing the file and recalculating through the hooks, and the
// registration number handed back by position.
#include <gtest/gtest.h>

#include "estimate/EstimateDialogFixture.h"
#include "estimate/RoumuDialog.h"
#include "estimate/RoumuFile.h"
#include "platform/text/Cp932.h"

using namespace kiv::ui;
using kiv::text::sj;
using Driver = kiv::ui::headless::DialogDriver;
namespace fs = std::filesystem;

namespace {

const std::string kNoEstimate = "職種を入力するには内訳作成ウィンドウを表示したまま行ってください。";
const std::string kNoMaster =
    "マスターファイルが表示されていないため複合労務単価を変換できません。マスターファイルを呼び出してから登録処理してください。";
const std::string kRestart =
    "変更を有効にするにはマスターファイル、編集中ファイルを上書き保存してプログラムを再起動してください。";

// The 37-byte line "%2s %-12s %10s %10s" spelt out, for CP932 trade names.
std::string lineText(const std::string& no, const std::string& tradeUtf8, const std::string& t1, const std::string& t2) {
    auto pad = [](std::string s, std::size_t w, bool right) {
        std::string fill(w > s.size() ? w - s.size() : 0, ' ');
        return right ? fill + s : s + fill;
    };
    return pad(no, 2, true) + " " + pad(sj(tradeUtf8.c_str()), 12, false) + " " + pad(t1, 10, true) + " " + pad(t2, 10, true);
}

RoumuRecord line(const std::string& no, const std::string& tradeUtf8, const std::string& t1, const std::string& t2) {
    return RoumuRecord::fromText(lineText(no, tradeUtf8, t1, t2));
}

// The file's bytes for lines: 37 characters, NUL, six blanks, NUL each.
std::string records(const std::vector<std::string>& texts) {
    std::string out;
    for (const std::string& t : texts)
        out += t + std::string("\0      \0", 8);
    return out;
}

class RoumuDialogTest : public kiv::test::EstimateDialogTest {
protected:
    RoumuDialogTest() {
        writeFile(roumuPath(), records(original));
        recalcSeams().checkKeisanMode = [this](CKivDoc& d) { recalculated.push_back(&d); };
    }
    fs::path roumuPath() const { return exe / "労務単価.rab"; }
    std::vector<std::string> items(Driver& dr) { return dr.dialog().control(CRoumuDialog::kList)->items; }

    const std::vector<std::string> original = {
        lineText("1", "普通作業員", "15000", "15500"),
        lineText("2", "電工", "19000", "19500"),
        lineText("18", "配管工", "20000", "21000"),
        lineText("4", "機械工", "22000", "22500"),
    };
    std::vector<CKivDoc*> recalculated;
};

TEST_F(RoumuDialogTest, SelectingALineShowsItInTheBoxes) {
    CKivDoc& doc = openEstimate();
    ASSERT_EQ(doc.m_Roumu.count(), 4u);
    CRoumuDialog d;
    hb().expectDialog(
        [&](Driver& dr) {
            EXPECT_EQ(items(dr), original);
            EXPECT_EQ(dr.dialog().focusedControl(), CRoumuDialog::kNo);
            dr.select(CRoumuDialog::kList, 2);
            EXPECT_EQ(dr.text(CRoumuDialog::kNo), "18");
            EXPECT_EQ(dr.text(CRoumuDialog::kSyokusyu), sj("配管工"));
            EXPECT_EQ(dr.text(CRoumuDialog::kRoumuTanka1), "     20000"); // leading blanks stay
            EXPECT_EQ(dr.text(CRoumuDialog::kRoumuTanka2), "     21000");
            EXPECT_EQ(dr.dialog().focusedControl(), CRoumuDialog::kNo);
            dr.doubleClick(CRoumuDialog::kList, 1);
            dr.key(VK_ESCAPE);
        },
        CRoumuDialog::kDialogId);
    EXPECT_EQ(d.doModal(), IDCANCEL);
    EXPECT_EQ(d.m_ListText, original[1]);
}

TEST_F(RoumuDialogTest, EditingAndRegisteringWritesExactRecordsAndRecalculates) {
    CKivDoc& doc = openEstimate();
    RoumuList master;
    int masterRecalcs = 0;
    recalcSeams().masterRoumu = [&]() -> const RoumuList* { return &master; };
    recalcSeams().recalcAllGyou = [&] { ++masterRecalcs; };
    hb().expectMessageBox(IDOK, kRestart);
    CRoumuDialog d;
    hb().expectDialog([&](Driver& dr) {
        // 追加: appended, the boxes cleared, no line selected.
        dr.type(CRoumuDialog::kNo, "5").type(CRoumuDialog::kSyokusyu, "左官").type(CRoumuDialog::kRoumuTanka1, "12000");
        dr.click(CRoumuDialog::kAdd);
        EXPECT_EQ(items(dr).back(), lineText("5", "左官", "12000", ""));
        EXPECT_EQ(dr.text(CRoumuDialog::kSyokusyu), "");
        EXPECT_EQ(dr.dialog().getCurSel(CRoumuDialog::kList), -1);
        // 削除 of the first line; 訂正 and 削除 without a selection only clear the boxes.
        dr.type(CRoumuDialog::kNo, "9").click(CRoumuDialog::kCorrect).click(CRoumuDialog::kDelete);
        EXPECT_EQ(items(dr).size(), 5u);
        EXPECT_EQ(dr.text(CRoumuDialog::kNo), "");
        dr.select(CRoumuDialog::kList, 0).click(CRoumuDialog::kDelete);
        // 訂正 of the (new) first line.
        dr.select(CRoumuDialog::kList, 0).type(CRoumuDialog::kRoumuTanka2, "19900").click(CRoumuDialog::kCorrect);
        EXPECT_EQ(dr.dialog().getCurSel(CRoumuDialog::kList), -1);
        // 挿入 before the second line; the new line is selected.
        dr.select(CRoumuDialog::kList, 1).type(CRoumuDialog::kNo, "3").type(CRoumuDialog::kSyokusyu, "鉄骨工");
        dr.type(CRoumuDialog::kRoumuTanka1, "1234567890").type(CRoumuDialog::kRoumuTanka2, "1");
        dr.click(CRoumuDialog::kInsert);
        EXPECT_EQ(dr.dialog().getCurSel(CRoumuDialog::kList), 1);
        dr.click(IDOK);
    });
    EXPECT_EQ(d.doModal(), IDOK);
    const std::vector<std::string> expected = {
        lineText("2", "電工", "19000", "19900"),
        lineText("3", "鉄骨工", "1234567890", "1"),
        original[2],
        original[3],
        lineText("5", "左官", "12000", ""),
    };
    EXPECT_EQ(fileBytes(roumuPath()), records(expected));
    EXPECT_EQ(fileBytes(roumuPath()).size(), 5u * 45u);
    ASSERT_EQ(doc.m_Roumu.count(), 5u);
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(doc.m_Roumu.lines()[i].text(), expected[i]) << i;
    EXPECT_EQ(recalculated, (std::vector<CKivDoc*>{&doc}));
    EXPECT_EQ(masterRecalcs, 1);
    EXPECT_EQ(hb().messageTexts(), (std::vector<std::string>{kRestart}));
    EXPECT_EQ(d.m_RegistrationNo, 2); // the inserted line, still selected
}

TEST_F(RoumuDialogTest, RegisteringRecalculatesTheCurrentEstimateAndAsksForTheMaster) {
    CKivDoc& first = openEstimate();
    CKivDoc& second = openEstimate(); // its view would be the one created last
    first.MakeCurrent();
    hb().expectMessageBox(IDOK, kNoMaster);
    hb().expectMessageBox(IDOK, kRestart);
    CRoumuDialog d;
    hb().expectDialog([](Driver& dr) { dr.select(CRoumuDialog::kList, 3).click(CRoumuDialog::kDelete).key(VK_RETURN); });
    EXPECT_EQ(d.doModal(), IDOK);
    EXPECT_EQ(recalculated, (std::vector<CKivDoc*>{&first}));
    EXPECT_EQ(first.m_Roumu.count(), 3u);
    EXPECT_EQ(second.m_Roumu.count(), 4u); // keeps the list it read
    EXPECT_EQ(fileBytes(roumuPath()), records({original[0], original[1], original[2]}));
}

TEST_F(RoumuDialogTest, CancelAfterEditingLeavesListAndFileAsTheyWere) {
    CKivDoc& doc = openEstimate();
    RoumuList before = doc.m_Roumu;
    CRoumuDialog d;
    hb().expectDialog([](Driver& dr) {
        dr.type(CRoumuDialog::kSyokusyu, "塗装工").click(CRoumuDialog::kAdd).click(CRoumuDialog::kAdd);
        dr.select(CRoumuDialog::kList, 0).click(CRoumuDialog::kDelete).click(IDCANCEL);
    });
    EXPECT_EQ(d.doModal(), IDCANCEL);
    EXPECT_EQ(doc.m_Roumu, before);
    EXPECT_EQ(fileBytes(roumuPath()), records(original));
    EXPECT_TRUE(recalculated.empty());
    CRoumuDialog again;
    hb().expectDialog([&](Driver& dr) {
        EXPECT_EQ(items(dr), original);
        dr.click(IDCANCEL);
    });
    again.doModal();
}

TEST_F(RoumuDialogTest, HandsBackTheSelectedLinesPositionAsRegistrationNumber) {
    openEstimate();
    struct Case {
        const char* name;
        std::function<void(Driver&)> pick;
        int number;
        const char* no;
    };
    const Case cases[] = {
        {"third line, whose NO reads 18", [](Driver& dr) { dr.select(CRoumuDialog::kList, 2); }, 3, "18"},
        {"the same line after a line is inserted before it",
         [](Driver& dr) {
             dr.select(CRoumuDialog::kList, 0).click(CRoumuDialog::kInsert).select(CRoumuDialog::kList, 3);
         },
         4, "18"},
        {"nothing selected: the NO typed", [](Driver& dr) { dr.type(CRoumuDialog::kNo, "7"); }, 7, "7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CRoumuDialog d;
        hb().expectDialog([&](Driver& dr) {
            c.pick(dr);
            dr.click(CRoumuDialog::kSyousaiOkuru);
        });
        EXPECT_EQ(d.doModal(), IDOK);
        EXPECT_EQ(d.m_RegistrationNo, c.number);
        EXPECT_EQ(d.m_No, c.no);
    }
    // 詳細に送る registers nothing.
    EXPECT_EQ(fileBytes(roumuPath()), records(original));
    EXPECT_EQ(docs.back()->m_Roumu.count(), 4u);
    EXPECT_TRUE(recalculated.empty());
}

TEST_F(RoumuDialogTest, AFullListRefusesAddingAndInserting) {
    CKivDoc& doc = openEstimate();
    std::vector<RoumuRecord> lines;
    for (int n = 1; n <= 99; ++n)
        lines.push_back(line(std::to_string(n), "普通作業員", "100", "200"));
    doc.m_Roumu = RoumuList(lines);
    CRoumuDialog d;
    hb().expectMessageBox(IDOK, "99件までしか登録できません");
    hb().expectMessageBox(IDOK, "99件までしか登録できません");
    hb().expectDialog([&](Driver& dr) {
        dr.type(CRoumuDialog::kSyokusyu, "左官").click(CRoumuDialog::kAdd);
        dr.select(CRoumuDialog::kList, 5).type(CRoumuDialog::kSyokusyu, "左官").click(CRoumuDialog::kInsert);
        EXPECT_EQ(items(dr).size(), 99u);
        EXPECT_EQ(dr.text(CRoumuDialog::kSyokusyu), sj("左官")); // what was typed stays
        dr.key(VK_ESCAPE);
    });
    EXPECT_EQ(d.doModal(), IDCANCEL);
}

TEST_F(RoumuDialogTest, WithoutAnEstimateTheMastersListIsShownAndNothingIsRegistered) {
    RoumuList master(std::vector<RoumuRecord>{line("1", "配管工", "1", "2")});
    recalcSeams().masterRoumu = [&]() -> const RoumuList* { return &master; };
    hb().expectMessageBox(IDOK, kNoEstimate);
    hb().expectMessageBox(IDOK, kNoEstimate);
    CRoumuDialog d;
    hb().expectDialog([&](Driver& dr) {
        EXPECT_EQ(items(dr), (std::vector<std::string>{master.lines()[0].text()}));
        dr.type(CRoumuDialog::kSyokusyu, "左官").click(CRoumuDialog::kAdd);
        EXPECT_EQ(items(dr).size(), 1u);
        dr.click(IDOK);
    });
    EXPECT_EQ(d.doModal(), IDOK);
    EXPECT_EQ(fileBytes(roumuPath()), records(original));
    EXPECT_TRUE(recalculated.empty());
}

TEST_F(RoumuDialogTest, FailedWriteKeepsTheDialogOpenAndChangesNothing) {
    CKivDoc& doc = openEstimate();
    doc.m_RoumuPath = exe / "gone" / "労務単価.rab";
    hb().expectMessageBox(IDOK, "ファイルが作成できません。");
    CRoumuDialog d;
    hb().expectDialog([](Driver& dr) {
        dr.select(CRoumuDialog::kList, 0).click(CRoumuDialog::kDelete).click(IDOK);
        EXPECT_FALSE(dr.ended());
        dr.click(IDCANCEL);
    });
    EXPECT_EQ(d.doModal(), IDCANCEL);
    EXPECT_EQ(doc.m_Roumu.count(), 4u);
    EXPECT_TRUE(recalculated.empty());
}

TEST_F(RoumuDialogTest, ListNotificationsWithoutALine) {
    openEstimate();
    hb().expectMessageBox(IDOK, "その位置には変更するものがありません。");
    hb().expectMessageBox(IDOK, "その位置は選択変更するものがありません。");
    CRoumuDialog d;
    hb().expectDialog([](Driver& dr) {
        dr.select(CRoumuDialog::kList, 1).select(CRoumuDialog::kList, -1);
        EXPECT_EQ(dr.dialog().focusedControl(), CRoumuDialog::kNo);
        dr.doubleClick(CRoumuDialog::kList, -1);
        EXPECT_EQ(dr.dialog().focusedControl(), CRoumuDialog::kNo);
        dr.key(VK_ESCAPE);
    });
    EXPECT_EQ(d.doModal(), IDCANCEL);
    EXPECT_TRUE(d.m_ListText.empty());
}

TEST_F(RoumuDialogTest, EstimateReadsAtMost100LinesWithAMessage) {
    std::vector<std::string> texts;
    for (int n = 1; n <= 101; ++n)
        texts.push_back(lineText(std::to_string(n % 100), "普通作業員", "100", "200"));
    writeFile(roumuPath(), records(texts));
    CKivDoc& doc = openEstimate();
    EXPECT_EQ(doc.m_Roumu.count(), 100u);
    ASSERT_FALSE(KivRecordedMessages().empty());
    EXPECT_NE(KivRecordedMessages().front().find("100件を超える登録があります"), std::string::npos);
}

} // namespace
