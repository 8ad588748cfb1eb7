// 歩掛け選択 and 歩掛けﾌｧｲﾙ選択 of the estimate view, end to end on the headless backend: the
// selection, the calculator over a table in the temporary program folder, and the rate written
// into 歩掛１ of the current row.
#include <gtest/gtest.h>

#include "grid/KivViewFixture.h"
#include "platform/profile/Profile.h"
#include "pricing/BukakeDialog.h"
#include "pricing/BukakeFileDialog.h"
#include "pricing/BukakeRecord.h"
#include "pricing/BukakeSelectDialog.h"

using namespace kivtest;
using kiv::ui::IDCANCEL;
using kiv::ui::IDOK;
using Driver = kiv::ui::headless::DialogDriver;
using D = CBukakeDialog;

namespace {

const std::string kKoumokuFull = "１項目の行数が最大値を超えました。これ以上は入力できません。";

class KivViewBukakeTest : public KivViewFixture {
protected:
    void SetUp() override {
        KivViewFixture::SetUp();
        CBukakeDialog::s_LastBukakeNo.clear();
        ASSERT_TRUE(kiv::files::writeFileAtomically(exeDir / "分電盤.dat",
                                                    BukakeRecord::format("1", sj("分電盤"), "", "2.5")));
    }
    // 歩掛け呼出 → 電気設備盤歩掛, then the calculator script.
    void expectSelection(std::function<void(Driver&)> calc) {
        backend.expectDialog([](Driver& dr) { dr.click(1260); }, CBukakeSelectDialog::kDialogId);
        backend.expectDialog(std::move(calc), D::kDialogId);
    }
    // Line 1 (rate 2.5) taken back, quantity 3, added: 7.5 corrects to 7.
    static void sevenAndSend(Driver& dr) {
        dr.doubleClick(D::kList, 0).type(D::kSuuryou, "3").click(D::kBukakeAdd);
        EXPECT_EQ(dr.text(D::kSyuusei), "7");
        dr.click(D::kUtiwakeSend);
    }
    std::string workRow(int gyou) const { return doc->WorkGyouAt(gyou); }
    std::string bukake1(int gyou) const { return std::string(GyouRecord::raw(workRow(gyou), GyouRecord::Bukake1)); }
};

TEST_F(KivViewBukakeTest, TheSentRateGoesIntoRate1OfTheCurrentRow) {
    open(namedRows(3));
    placeCursor(2, 2, GyouRecord::Hinmei);
    expectSelection(sevenAndSend);
    ASSERT_TRUE(view->onCommand(ID_BUKAKE_SELECT));
    EXPECT_EQ(bukake1(2), " 7.000");
    EXPECT_EQ(GyouRecord::text(workRow(2), GyouRecord::Hinmei), "R2");
    EXPECT_EQ(bukake1(1), "      ");
    EXPECT_EQ(bukake1(3), "      ");
    EXPECT_TRUE(doc->IsModified());
    // The cursor stays where it was; nothing else was recalculated.
    EXPECT_EQ(cursorRow(), 2);
    EXPECT_EQ(screenRow(), 2);
    EXPECT_EQ(field(), GyouRecord::Hinmei);
    EXPECT_EQ(view->m_FieldPos.Offset, GyouRecord::layout(GyouRecord::Hinmei).Offset);
    EXPECT_EQ(std::string(GyouRecord::raw(view->m_EditGyou, GyouRecord::Bukake1)), " 7.000");
    EXPECT_EQ(doc->m_GyouCount, 3);
}

TEST_F(KivViewBukakeTest, RowUnchangedWithoutASentRate) {
    const std::pair<const char*, std::function<void(Driver&)>> endings[] = {
        {"保存", [](Driver& dr) { dr.doubleClick(D::kList, 0).click(D::kBukakeAdd).click(IDOK); }},
        {"ｷｬﾝｾﾙ", [](Driver& dr) { dr.doubleClick(D::kList, 0).click(D::kBukakeAdd).click(IDCANCEL); }},
        {"内訳に送る before 歩掛追加", [](Driver& dr) { dr.doubleClick(D::kList, 0).click(D::kUtiwakeSend); }},
    };
    for (const auto& [name, script] : endings) {
        SCOPED_TRACE(name);
        open(namedRows(2));
        placeCursor(1, 1, GyouRecord::Kigou);
        expectSelection(script);
        if (std::string(name).find("before") != std::string::npos)
            backend.expectMessageBox(IDOK, "歩掛けが正常に送れませんでした。");
        ASSERT_TRUE(view->onCommand(ID_BUKAKE_SELECT));
        EXPECT_EQ(bukake1(1), "      ");
        EXPECT_FALSE(doc->IsModified());
        EXPECT_EQ(field(), GyouRecord::Kigou);
    }
    // OK or キャンセル in 歩掛け呼出 itself.
    for (int end : {int(IDOK), int(IDCANCEL)}) {
        backend.expectDialog([end](Driver& dr) { dr.click(end); }, CBukakeSelectDialog::kDialogId);
        ASSERT_TRUE(view->onCommand(ID_BUKAKE_SELECT));
        EXPECT_FALSE(doc->IsModified());
    }
}

TEST_F(KivViewBukakeTest, OnTheRowAfterTheLastTheRowIsAppendedWithTheRate) {
    open(namedRows(2));
    placeCursor(3, 3, GyouRecord::Kigou);
    expectSelection(sevenAndSend);
    ASSERT_TRUE(view->onCommand(ID_BUKAKE_SELECT));
    EXPECT_EQ(doc->m_GyouCount, 3);
    EXPECT_EQ(workRow(3).substr(0, 8), "00010003");
    EXPECT_EQ(GyouRecord::raw(workRow(3), GyouRecord::Hokyuu), GyouRecord::DefaultHokyuu);
    EXPECT_EQ(bukake1(3), " 7.000");
    EXPECT_EQ(cursorRow(), 3);
    EXPECT_EQ(field(), GyouRecord::Kigou);
}

TEST_F(KivViewBukakeTest, AFullItemRefusesTheRowAfterItsLast) {
    std::vector<std::string> rows;
    for (int k = 1; k <= CKivView::m_MaxGyou; ++k)
        rows.push_back(makeRow(k));
    open(rows);
    placeCursor(CKivView::m_MaxGyou + 1, 5, GyouRecord::Kigou);
    expectSelection(sevenAndSend);
    ASSERT_TRUE(view->onCommand(ID_BUKAKE_SELECT));
    EXPECT_EQ(KivRecordedMessages(), std::vector<std::string>{kKoumokuFull});
    EXPECT_EQ(doc->m_GyouCount, CKivView::m_MaxGyou);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(cursorRow(), CKivView::m_MaxGyou + 1);
}

TEST_F(KivViewBukakeTest, ARateOfAHundredOrMoreIsCutToTheFieldsSixCharacters) {
    ASSERT_TRUE(kiv::files::writeFileAtomically(exeDir / "歩掛.dat", BukakeRecord::format("1", "X", "", "41.152")));
    open(namedRows(1));
    placeCursor(1, 1, GyouRecord::Kigou);
    backend.expectDialog([](Driver& dr) { dr.click(1259); }, CBukakeSelectDialog::kDialogId);
    backend.expectDialog(
        [](Driver& dr) {
            dr.doubleClick(D::kList, 0).type(D::kSuuryou, "3").click(D::kBukakeAdd);
            EXPECT_EQ(dr.text(D::kSyuusei), "123.456");
            dr.click(D::kUtiwakeSend);
        },
        D::kDialogId);
    ASSERT_TRUE(view->onCommand(ID_BUKAKE_SELECT));
    EXPECT_EQ(bukake1(1), "123.45");
}

TEST_F(KivViewBukakeTest, FileCommandRunsTheChooser) {
    open(namedRows(1));
    backend.expectDialog(
        [&](Driver& dr) {
            dr.click(1263);
            EXPECT_EQ(dr.textUtf8(CBukakeFileDialog::kPathBox), (exeDir.path() / "照明器具.dat").string());
            backend.expectFile(exeDir.path() / "light.dat");
            dr.click(CBukakeFileDialog::kBrowse).click(IDOK);
        },
        CBukakeFileDialog::kDialogId);
    ASSERT_TRUE(view->onCommand(ID_BUKAKE_FILE));
    EXPECT_EQ(kiv::profile::Profile::user().getString("SyoumeiRoumu_Section", "SyoumeiRoumu_Data"),
              (exeDir.path() / "light.dat").string());
    EXPECT_FALSE(doc->IsModified());
}

} // namespace
