// The detail dialog on the headless backend: its boxes, defaults and limits, the row's load into
// it and the write-back after OK (ShowSyousai), the refresh without a dialog (RefreshSyousai),
// the partial transfer and command 32813.
#include <gtest/gtest.h>

#include <set>

#include "estimate/RecalcSeams.h"
#include "estimate/RoumuDialog.h"
#include "grid/PricingFixture.h"
#include "pricing/FukugouEngine.h"

namespace kivtest {
namespace {

using namespace res;
using kiv::ui::IDCANCEL;
using kiv::ui::IDOK;

class KivDialogTest : public PricingFixture {
protected:
    ~KivDialogTest() override { recalcSeams() = RecalcSeams(); }

    // Opens the dialog on row 1 through ShowSyousai, running the script in it.
    bool show(std::function<void(Driver&)> script) {
        backend.expectDialog(std::move(script), IDD_KIVDIALOG);
        return view->ShowSyousai();
    }
};

TEST_F(KivDialogTest, TemplateBoxesLimitsAndReadOnlyState) {
    const kiv::ui::DialogTemplate& t = kivDialogTemplate();
    EXPECT_EQ(t.id, 130);
    EXPECT_EQ(t.title, "詳細");
    EXPECT_EQ(t.size.cx, 706);
    EXPECT_EQ(t.size.cy, 298);
    auto def = [&](int id) -> const kiv::ui::ControlDef& {
        for (const auto& c : t.controls)
            if (c.id == id)
                return c;
        ADD_FAILURE() << "no box " << id;
        static kiv::ui::ControlDef none;
        return none;
    };
    struct Box { int id; int limit; bool readOnly; };
    const Box boxes[] = {
        {IDC_BUNNO, 4, false}, {IDC_HINMEI, 30, false}, {IDC_FUKUGOUTANKA1, 10, true},
        {IDC_ZAISUU[6], 5, false}, {IDC_ZAITANKA1[5], 10, false}, {IDC_ZAIKINGAKU2[3], 13, true},
        {IDC_ROUMUNO[1], 2, false}, {IDC_ROUMUSYOKUSYU[0], 12, true}, {IDC_ROUMUBUKAKE[2], 6, false},
        {IDC_ROUMUTANKA1[0], 10, true}, {IDC_ROUMUTANKA1[1], 13, true}, {IDC_ROUMUTANKA1[2], 10, true},
        {IDC_ROUMUTANKA2[0], 13, true}, {IDC_ROUMUBIKOU[2], 0, false},
        {IDC_ZATUZAI.ritu, 5, false}, {IDC_SONOTA2.ritu, 4, false}, {IDC_SIJI.suu, 4, true},
        {IDC_UNPAN.tanni, 4, true}, {IDC_HATURI.kingaku2, 13, true}, {IDC_ZAIKOUKEI2, 13, true},
    };
    for (const Box& b : boxes) {
        SCOPED_TRACE(b.id);
        EXPECT_EQ(def(b.id).limit, b.limit);
        EXPECT_EQ((def(b.id).style & kiv::ui::EditReadOnly) != 0, b.readOnly);
    }
    EXPECT_EQ(def(IDC_FUKUHYOUJI).kind, kiv::ui::ControlKind::CheckBox);
    EXPECT_EQ(def(IDC_ZAIGOUKEI).caption, "材料を合計して表示");
    // Every id of the template is used once.
    std::set<int> ids;
    for (const auto& c : t.controls) {
        if (c.id >= 0) {
            EXPECT_TRUE(ids.insert(c.id).second) << c.id;
        }
    }
}

TEST_F(KivDialogTest, ShownDialogHasItsDefaultsFocusAndInputMethod) {
    openPriced({makeRow(1, {{F::Hinmei, "PIPE"}})}, 1);
    EXPECT_FALSE(show([&](Driver& dr) {
        for (const IssikiIds& l : {IDC_TUGITE, IDC_SETUGOU, IDC_SIJI, IDC_FUZOKU, IDC_ZATUZAI, IDC_UNPAN, IDC_HATURI,
                                   IDC_SONOTA1, IDC_SONOTA2}) {
            EXPECT_EQ(dr.text(l.suu), "1");
            EXPECT_EQ(dr.text(l.tanni), sj("式"));
            EXPECT_EQ(dr.text(l.kingaku1), "");
        }
        for (int id : IDC_ROUMUTANNI)
            EXPECT_EQ(dr.text(id), sj("人"));
        EXPECT_EQ(dr.dialog().focusedControl(), IDC_HINMEI);
        EXPECT_TRUE(dr.dialog().imeOpen());
        EXPECT_EQ(dr.text(IDC_HINMEI), "PIPE");
        auto& d = static_cast<kivdialog&>(dr.dialog());
        EXPECT_EQ(d.m_CurZaiGyou, 0);
        EXPECT_EQ(d.m_Marume, 1);
        dr.click(IDCANCEL);
    }));
}

TEST_F(KivDialogTest, RowWithoutFlagsShowsItselfAsLineOneAndOkWritesTheUnitPrice) {
    openPriced({makeRow(1, {{F::Hokyuu, "2.0"}, {F::Tanka1, "1000"}, {F::Tanka2, "900"}, {F::Zai1Tanka1, "55"}})}, 1);
    EXPECT_TRUE(show([&](Driver& dr) {
        // Numbers come with the padding of their fields.
        EXPECT_EQ(dr.text(IDC_ZAISUU[0]), "  2.0");
        EXPECT_EQ(dr.text(IDC_ZAITANKA1[0]), "      1000");
        EXPECT_EQ(dr.text(IDC_ZAITANKA2[0]), "       900");
        EXPECT_EQ(dr.text(IDC_ZAIKINGAKU1[0]), "      2000");   // priced once on show
        EXPECT_EQ(dr.text(IDC_ZAIKEI1), "      2000");
        EXPECT_EQ(dr.text(IDC_FUKUGOUTANKA1), "      2000");
        dr.type(IDC_ZAITANKA1[0], "1200");
        dr.click(IDOK);
    }));
    EXPECT_EQ(raw(1, F::Tanka1), "      1200");
    EXPECT_EQ(text(1, F::Zai1Tanka1), "55");   // line 1's own price is not this row's
    EXPECT_EQ(raw(1, F::Hokyuu), "  2.0");
    EXPECT_EQ(raw(1, F::FukuHyouji), "0");     // blank flags written as "0"
    EXPECT_EQ(raw(1, F::ZaiGoukei), "0");
    EXPECT_EQ(doc->m_CurGyou[0], 1);
}

TEST_F(KivDialogTest, CancelLeavesTheRowAndTheLineClipboard) {
    const std::string row = makeRow(1, {{F::Tanka1, "1000"}, {F::Roumu1No, "18"}});
    openPriced({row}, 1);
    view->m_SyousaiGyouClip[0] = "KEEP";
    EXPECT_FALSE(show([&](Driver& dr) {
        dr.type(IDC_ZAITANKA1[0], "1");
        static_cast<kivdialog&>(dr.dialog()).m_GyouClip[0] = "LOST";
        dr.click(IDCANCEL);
    }));
    EXPECT_EQ(docRow(1), row);
    EXPECT_EQ(view->m_SyousaiGyouClip[0], "KEEP");
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(KivDialogTest, OkCarriesTheLineClipboardBack) {
    openPriced({makeRow(1)}, 1);
    EXPECT_TRUE(show([&](Driver& dr) {
        auto& d = static_cast<kivdialog&>(dr.dialog());
        EXPECT_EQ(d.m_GyouClip[0], "");
        d.m_GyouClip[0] = "CLIP";
        dr.click(IDOK);
    }));
    EXPECT_EQ(view->m_SyousaiGyouClip[0], "CLIP");
}

TEST_F(KivDialogTest, CloseBoxKeepsTheEditsLikeOk) {
    openPriced({makeRow(1, {{F::Tanka1, "10"}})}, 1);
    EXPECT_TRUE(show([&](Driver& dr) {
        dr.type(IDC_HINMEI, "NEW");
        dr.dialog().onClose();
    }));
    EXPECT_EQ(text(1, F::Hinmei), "NEW");
}

TEST_F(KivDialogTest, MaterialTotalFlagPutsTheTotalIntoTheUnitPrice) {
    openPriced({makeRow(1, {{F::ZaiGoukei, "1"}, {F::Zai1Suu, "2"}, {F::Zai1Tanka1, "1000"}, {F::Zai2Suu, "3"},
                            {F::Zai2Tanka1, "500"}})},
               1);
    EXPECT_TRUE(show([&](Driver& dr) {
        EXPECT_EQ(dr.text(IDC_ZAISUU[0]), "    2");
        EXPECT_EQ(dr.dialog().isChecked(IDC_ZAIGOUKEI), 1);
        dr.click(IDOK);
    }));
    EXPECT_EQ(raw(1, F::Tanka1), "      3500");
    EXPECT_EQ(text(1, F::Zai1Tanka1), "1000");
    EXPECT_EQ(text(1, F::Zai1Suu), "2");
    EXPECT_EQ(text(1, F::Hokyuu), "");
    EXPECT_EQ(raw(1, F::ZaiGoukei), "1");
}

TEST_F(KivDialogTest, UnitIsReplacedOverAllFourBytes) {
    openPriced({makeRow(1, {{F::Tanni, "AB"}, {F::TanniTail, "CD"}})}, 1);
    EXPECT_TRUE(show([&](Driver& dr) {
        EXPECT_EQ(dr.text(IDC_TANNI), "ABCD");
        dr.type(IDC_TANNI, "m");
        dr.click(IDOK);
    }));
    EXPECT_EQ(docRow(1).substr(108, 4), "m   ");
}

TEST_F(KivDialogTest, LabourRemarkIsCutOnACharacterBoundary) {
    openPriced({makeRow(1)}, 1);
    std::string remark = "a";
    for (int i = 0; i < 20; ++i)
        remark += "あ";
    EXPECT_TRUE(show([&](Driver& dr) {
        dr.type(IDC_ROUMUBIKOU[0], remark);   // no limit on the box
        dr.click(IDOK);
    }));
    std::string expected = "a";
    for (int i = 0; i < 14; ++i)
        expected += sj("あ");
    EXPECT_EQ(raw(1, F::Roumu1Bikou), expected + " ");
    EXPECT_EQ(raw(1, F::Roumu2Bikou), std::string(30, ' '));   // the neighbour is untouched
}

TEST_F(KivDialogTest, LabourNumbersOutsideTheListShowNoTradeOrPrices) {
    openPriced({makeRow(1, {{F::Roumu1No, "-1"}, {F::Roumu2No, "99"}, {F::Roumu3No, "18"}})}, 1);
    EXPECT_FALSE(show([&](Driver& dr) {
        EXPECT_EQ(dr.text(IDC_ROUMUSYOKUSYU[0]), "");
        EXPECT_EQ(dr.text(IDC_ROUMUTANKA1[0]), "");
        EXPECT_EQ(dr.text(IDC_ROUMUSYOKUSYU[1]), "");
        EXPECT_EQ(dr.text(IDC_ROUMUTANKA1[1]), "");
        EXPECT_EQ(dr.text(IDC_ROUMUSYOKUSYU[2]), sj("配管工"));
        EXPECT_EQ(dr.text(IDC_ROUMUTANKA1[2]), "     20000");
        EXPECT_EQ(dr.text(IDC_ROUMUTANKA2[2]), "");
        dr.click(IDCANCEL);
    }));
    EXPECT_EQ(view->m_RoumuNo, (std::array<int, 3>{0, 99, 18}));
}

TEST_F(KivDialogTest, TooLongValueForItsFieldIsRefusedWithAMessage) {
    // The 2-byte 単位 box of line 2 takes 4 bytes; the row field does too. A member filled past
    // its box (here by the line clipboard's owner) must not reach the neighbour.
    openPriced({makeRow(1, {{F::Zai2Hinmei, "X"}})}, 1);
    KivDetail d;
    LoadKivDetail(d, docRow(1), doc->m_Roumu);
    d.m_ZaiTanni[1] = "ABCDE";
    std::string row = docRow(1);
    const std::vector<std::string> messages = WriteKivDetail(row, d, KivWriteBack::Dialog);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("ABCDE"), std::string::npos);
    EXPECT_EQ(F::text(row, F::Zai2Tanni), "");
    EXPECT_EQ(F::text(row, F::Zai2Tanka1), "");
}

TEST_F(KivDialogTest, OverLongMemberStopsTheTakeInWhenShown) {
    openPriced({makeRow(1)}, 1);
    kivdialog dlg;
    dlg.m_Hinmei = std::string(31, 'x');
    dlg.m_Kikaku = "SPEC";
    backend.expectMessageBox(IDOK);
    backend.expectDialog([&](Driver& dr) {
        EXPECT_EQ(dr.dialog().focusedControl(), IDC_HINMEI);
        dr.click(IDCANCEL);
    }, IDD_KIVDIALOG);
    EXPECT_EQ(dlg.doModal(), IDCANCEL);
}

TEST_F(KivDialogTest, RefreshRearrangesTheRowByItsFlags) {
    struct Case {
        const char* fuku;
        const char* goukei;
        const char* tanka1;
        const char* tanka2;
        const char* zai1Tanka1;
        const char* zai1Suu;
        const char* hokyuu;
    };
    // Row: 13 "100", 14 "200", 15 "300", 16 "400", 42 "50", 43 "60", 29 "2.0", 40 "3", 28 "0.5".
    const Case cases[] = {
        {"", "", "100", "200", "100", "2.0", "2.0"},
        {"1", "", "50", "400", "50", "3", ""},
        {"", "1", "100", "200", "50", "3", ""},
        {"1", "1", "300", "400", "50", "3", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.fuku) + "/" + c.goukei);
        openPriced({makeRow(1, {{F::FukuHyouji, c.fuku}, {F::ZaiGoukei, c.goukei}, {F::Tanka1, "100"},
                                {F::Tanka2, "200"}, {F::FukugouTanka1, "300"}, {F::FukugouTanka2, "400"},
                                {F::Zai1Tanka1, "50"}, {F::Zai1Tanka2, "60"}, {F::Hokyuu, "2.0"},
                                {F::Zai1Suu, "3"}, {F::FuzokuRitu, "0.5"}})},
                   1);
        view->RefreshSyousai();
        EXPECT_EQ(text(1, F::Tanka1), c.tanka1);
        EXPECT_EQ(text(1, F::Tanka2), c.tanka2);
        EXPECT_EQ(text(1, F::Zai1Tanka1), c.zai1Tanka1);
        EXPECT_EQ(text(1, F::Zai1Suu), c.zai1Suu);
        EXPECT_EQ(text(1, F::Hokyuu), c.hokyuu);
        EXPECT_EQ(text(1, F::FuzokuRitu), "0.5");
        EXPECT_EQ(raw(1, F::FukuHyouji), *c.fuku ? "1" : "0");
        EXPECT_EQ(raw(1, F::ZaiGoukei), *c.goukei ? "1" : "0");
    }
    EXPECT_TRUE(KivRecordedMessages().empty());
}

TEST_F(KivDialogTest, PartialTransferTakesRatesAndLabourThenOpensTheDialog) {
    openPriced({makeRow(1, {{F::Hinmei, "OWN"}, {F::Tanka1, "1000"}, {F::FukuHyouji, "1"}, {F::Zai2Hinmei, "M2"}})},
               1);
    std::string master = GyouRecord::blankRow();
    GyouRecord::writeKey(master, 12, 34);
    GyouRecord::putText(master, F::Hinmei, "MASTER");
    GyouRecord::putNumber(master, F::Bukake1, "0.3");
    GyouRecord::putNumber(master, F::TugiteRitu, "0.1");
    GyouRecord::putNumber(master, F::Hokyuu, "1.5");
    GyouRecord::putNumber(master, F::Sonota2Ritu, "0.2");
    GyouRecord::putNumber(master, F::Roumu1No, "18");
    GyouRecord::putNumber(master, F::Tanka1, "5");
    backend.expectDialog([&](Driver& dr) {
        EXPECT_EQ(dr.text(IDC_BUNNO), "0012");
        EXPECT_EQ(dr.text(IDC_BUNGYOUNO), "0034");
        EXPECT_EQ(dr.text(IDC_ROUMUSYOKUSYU[0]), sj("配管工"));
        EXPECT_EQ(dr.text(IDC_ROUMUBUKAKE[0]), "   0.3");
        dr.click(IDOK);
    }, IDD_KIVDIALOG);
    doc->m_TensouGyou = master;
    doc->ReceiveBubunTensou();   // copies the master key to 302-309 and hands over to the view
    EXPECT_EQ(text(1, F::Hinmei), "OWN");
    EXPECT_EQ(text(1, F::BunNo), "0012");
    EXPECT_EQ(text(1, F::TugiteRitu), "0.1");
    EXPECT_EQ(text(1, F::Hokyuu), "");   // 1.5 transferred, blanked by the flagged row's write-back
    EXPECT_EQ(text(1, F::Sonota2Ritu), "0.2");
    EXPECT_EQ(text(1, F::Roumu1No), "18");
    EXPECT_EQ(text(1, F::Zai2Hinmei), "M2");
    EXPECT_EQ(raw(1, F::FukuHyouji), "1");
}

TEST_F(KivDialogTest, DetailCommandEditsTheRowAndRecalculatesTheItem) {
    openPriced({makeRow(1, {{F::Tanka1, "1000"}}), makeRow(2)}, 1);
    int recalculated = 0;
    recalcSeams().recalcKoumoku = [&](CKivView& v) {
        ++recalculated;
        EXPECT_EQ(&v, view.get());
        v.CalcFukugouTanka();
    };
    backend.expectDialog([&](Driver& dr) {
        // Entering the NO box opens the labour-price list; NO 18 is sent to the line.
        backend.expectDialog([](Driver& list) {
            list.type(CRoumuDialog::kNo, "18").click(CRoumuDialog::kSyousaiOkuru);
        }, CRoumuDialog::kDialogId);
        dr.focus(IDC_ROUMUNO[0]);
        dr.type(IDC_ROUMUBUKAKE[0], "0.05");
        dr.click(IDOK);
    }, IDD_KIVDIALOG);
    EXPECT_TRUE(view->onCommand(ID_SYOUSAI));
    EXPECT_EQ(recalculated, 1);
    EXPECT_EQ(text(1, F::Roumu1No), "18");
    EXPECT_EQ(text(1, F::FukugouTanka1), "2000");
    EXPECT_EQ(view->scrollBar(kiv::ui::SB_VERT).pos, 1);
    EXPECT_TRUE(view->caret().visible);
}

} // namespace
} // namespace kivtest
