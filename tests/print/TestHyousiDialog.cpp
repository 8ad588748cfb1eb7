// 表紙作成 driven on the headless backend: the cover fields in and out of the estimate, today's
// date in the era's years for an empty date, and the amount shown but never read back.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <vector>

#include "estimate/EstimateDialogFixture.h"
#include "platform/clock/LocalDate.h"
#include "platform/text/Cp932.h"
#include "print/AdressDialog.h"
#include "print/HyousiDialog.h"
#include "platform/files/Files.h"
#include "platform/profile/Profile.h"
#include "support/TempDir.h"

#include <fstream>

using namespace kiv::ui;
using Driver = kiv::ui::headless::DialogDriver;

namespace {

class HyousiDialogTest : public kiv::test::EstimateDialogTest {
protected:
    HyousiDialogTest() {
        doc = &openEstimate();
        ClearKivPrompts();
        setToday(2026, 5, 3);
    }
    ~HyousiDialogTest() override { kiv::clock::setTodaySource({}); }
    static void setToday(int y, int m, int d) {
        kiv::clock::setTodaySource([=] { return kiv::clock::LocalDate{y, m, d}; });
    }
    // The year, month and day boxes of both dates, as the dialog shows them on opening.
    std::array<std::string, 6> shownDates() {
        std::array<std::string, 6> shown;
        CHyousiDialog d;
        hb().expectDialog([&](Driver& dr) {
            int i = 0;
            for (int id : {1136, 1137, 1138, 1139, 1140, 1141})
                shown[static_cast<std::size_t>(i++)] = dr.text(id);
            dr.click(IDCANCEL);
        });
        d.doModal();
        return shown;
    }
    CKivDoc* doc = nullptr;
};

TEST_F(HyousiDialogTest, EmptyDatesShowTodayInTheErasYears) {
    struct Case {
        int y, m, d;
        const char* nen;
        const char* tuki;
        const char* hi;
    };
    for (const Case& c : {Case{2026, 5, 3, "8", " 5", " 3"}, Case{2028, 12, 25, "10", "12", "25"},
                          Case{2019, 1, 1, "1", " 1", " 1"}, Case{2018, 6, 30, "0", " 6", "30"},
                          Case{2118, 7, 4, "00", " 7", " 4"}, Case{2027, 12, 31, "9", "12", "31"}}) {
        SCOPED_TRACE(c.y);
        setToday(c.y, c.m, c.d);
        EXPECT_EQ(shownDates(), (std::array<std::string, 6>{c.nen, c.tuki, c.hi, c.nen, c.tuki, c.hi}));
    }
    // Shown only: the estimate's dates stay empty until OK stores them.
    EXPECT_EQ(doc->m_HyousiData[6], "");
}

TEST_F(HyousiDialogTest, OnlyADateWithAllThreePartsEmptyIsFilled) {
    // Creation: only the day filled; submission: blanks, which are not empty.
    doc->m_HyousiData[8] = "15";
    doc->m_HyousiData[9] = " ";
    doc->m_HyousiData[10] = " ";
    doc->m_HyousiData[11] = " ";
    EXPECT_EQ(shownDates(), (std::array<std::string, 6>{"", "", "15", " ", " ", " "}));
    // Creation filled, submission empty: only the submission date gets today.
    doc->m_HyousiData[6] = "7";
    doc->m_HyousiData[7] = " 1";
    doc->m_HyousiData[8] = " 2";
    for (std::size_t e : {9u, 10u, 11u})
        doc->m_HyousiData[e] = "";
    EXPECT_EQ(shownDates(), (std::array<std::string, 6>{"7", " 1", " 2", "8", " 5", " 3"}));
}

TEST_F(HyousiDialogTest, OkStoresTheSeventeenFieldsAndMarksTheEstimateModified) {
    doc->m_HyousiData[17] = "      123456"; // the cover total is not touched
    doc->m_KingakuText = "      123,456";
    doc->SetModifiedFlag(false);
    // The box of each element, with a text at its byte limit.
    const std::vector<std::pair<int, std::size_t>> boxes{
        {1154, 0}, {1155, 1}, {1133, 2}, {1143, 3}, {1134, 4}, {1135, 5}, {1136, 6}, {1137, 7}, {1138, 8},
        {1139, 9}, {1140, 10}, {1141, 11}, {1151, 12}, {1150, 13}, {1148, 14}, {1152, 15}, {1149, 16}};
    const std::map<int, std::size_t> limits{{1154, 50}, {1155, 50}, {1133, 40}, {1143, 50}, {1134, 20}, {1135, 6},
                                            {1151, 30}, {1150, 30}, {1148, 30}, {1152, 30}, {1149, 30}};
    CHyousiDialog d;
    hb().expectDialog(
        [&](Driver& dr) {
            EXPECT_EQ(dr.dialog().focusedControl(), 1154);
            EXPECT_EQ(dr.text(CHyousiDialog::kKingaku), "123,456-");
            for (const auto& [id, element] : boxes) {
                const auto it = limits.find(id);
                const std::size_t limit = it == limits.end() ? 2 : it->second;
                dr.type(id, std::string(limit + 1, static_cast<char>('A' + element))); // one byte too many
            }
            dr.type(1136, "令").click(IDOK); // a date takes any two bytes
        },
        CHyousiDialog::kDialogId);
    EXPECT_EQ(d.doModal(), IDOK);
    for (const auto& [id, element] : boxes) {
        const auto it = limits.find(id);
        const std::size_t limit = it == limits.end() ? 2 : it->second;
        if (id != 1136)
            EXPECT_EQ(doc->m_HyousiData[element], std::string(limit, static_cast<char>('A' + element))) << id;
    }
    EXPECT_EQ(kiv::text::toUtf8(doc->m_HyousiData[6]), "令");
    EXPECT_EQ(doc->m_HyousiData[17], "      123456");
    EXPECT_TRUE(doc->IsModified());

    // OK without any change still marks the estimate modified; ｷｬﾝｾﾙ stores nothing.
    doc->SetModifiedFlag(false);
    CHyousiDialog same;
    hb().expectDialog([](Driver& dr) { dr.click(IDOK); });
    same.doModal();
    EXPECT_TRUE(doc->IsModified());
    doc->SetModifiedFlag(false);
    CHyousiDialog cancelled;
    hb().expectDialog([](Driver& dr) { dr.type(1154, "X").click(IDCANCEL); });
    cancelled.doModal();
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->m_HyousiData[0], std::string(50, 'A'));
}

TEST_F(HyousiDialogTest, AddressLookupSendsTheNameOrKeepsWhatWasTyped) {
    // An address book of one entry, named in the profile.
    kiv::test::TempDir dir;
    const auto book = dir.path() / "book.adr";
    std::string rec = std::string(203, ' ');
    rec.replace(0, 4, "   1");
    rec.replace(5, 8, kiv::text::sj("東西商事"));
    {
        std::ofstream(book, std::ios::binary) << rec;
    }
    kiv::profile::Profile::user().writeString("Adress_Section", "Adress_Data", book.string());
    CHyousiDialog d;
    hb().expectDialog([&](Driver& dr) {
        dr.type(1154, "工事").type(1133, "様");
        // ｷｬﾝｾﾙ in the address book keeps everything typed.
        hb().expectDialog([](Driver& a) { a.type(CAdressDialog::kName, "X").click(IDCANCEL); }, CAdressDialog::kDialogId);
        dr.click(CHyousiDialog::kAdress);
        EXPECT_EQ(dr.textUtf8(1154), "工事");
        EXPECT_EQ(dr.textUtf8(1133), "様");
        // 表紙へ送る after a double click and an edit: the 相手先 on screen becomes 提出先.
        hb().expectDialog(
            [](Driver& a) {
                a.doubleClick(CAdressDialog::kList, 0);
                a.type(CAdressDialog::kAddress, "changed").click(CAdressDialog::kHyousiSend);
            },
            CAdressDialog::kDialogId);
        dr.click(CHyousiDialog::kAdress);
        EXPECT_EQ(dr.textUtf8(1133), "東西商事");
        EXPECT_EQ(dr.textUtf8(1154), "工事");
        dr.click(IDOK);
    });
    EXPECT_EQ(d.doModal(), IDOK);
    EXPECT_EQ(kiv::text::toUtf8(doc->m_HyousiData[2]), "東西商事");
    // The file is unchanged.
    EXPECT_EQ(kiv::files::readFile(book), rec);
}

TEST_F(HyousiDialogTest, WithoutAnEstimateOkOnlyCloses) {
    docs.clear();
    ASSERT_EQ(g_pKivDoc, nullptr);
    CHyousiDialog d;
    hb().expectMessageBox(IDOK, "最後に開いた内訳作成ウィンドウを破棄したため表紙が作成できません。");
    hb().expectDialog([](Driver& dr) {
        EXPECT_EQ(dr.text(1136), "");
        dr.type(1154, "X").click(IDOK);
    });
    EXPECT_EQ(d.doModal(), IDOK);
}

} // namespace
