// The detail dialog while it is being edited: every number box reprices the breakdown as it is
// typed into, the material-line commands, 1行目にｺﾋﾟｰ and the labour lines picked from the
// labour-price list of the estimate whose row is edited.
#include <gtest/gtest.h>

#include "estimate/RecalcSeams.h"
#include "estimate/RoumuDialog.h"
#include "grid/PricingFixture.h"
#include "platform/ui/Keys.h"

namespace kivtest {
namespace {

using namespace res;
using kiv::ui::IDCANCEL;
using kiv::ui::IDOK;

std::string trimmed(const std::string& s) { return std::string(kiv::text::trimBlanks(s)); }

// Every box the recalculation writes.
std::vector<int> computedBoxes() {
    std::vector<int> ids{IDC_ZAIKEI1, IDC_ZAIKEI2, IDC_ROUMUKEI1, IDC_ROUMUKEI2, IDC_ZAIKOUKEI1, IDC_ZAIKOUKEI2,
                         IDC_FUKUGOUTANKA1, IDC_FUKUGOUTANKA2};
    for (std::size_t k = 0; k < 7; ++k)
        ids.insert(ids.end(), {IDC_ZAIKINGAKU1[k], IDC_ZAIKINGAKU2[k]});
    for (std::size_t j = 0; j < 3; ++j)
        ids.insert(ids.end(), {IDC_ROUMUKINGAKU1[j], IDC_ROUMUKINGAKU2[j]});
    for (const IssikiIds& l : {IDC_TUGITE, IDC_SETUGOU, IDC_SIJI, IDC_FUZOKU, IDC_ZATUZAI, IDC_UNPAN, IDC_HATURI,
                               IDC_SONOTA1, IDC_SONOTA2})
        ids.insert(ids.end(), {l.kingaku1, l.kingaku2});
    return ids;
}

class KivDialogLiveTest : public PricingFixture {
protected:
    ~KivDialogLiveTest() override { recalcSeams() = RecalcSeams(); }

    // The fixture's list with line 3 "07 電工 15000 16000": its own NO differs from its place.
    static RoumuList labourList() {
        std::vector<RoumuRecord> lines = PricingFixture::labourList().lines();
        lines[2] = *RoumuRecord::build("07", sj("電工"), "15000", "16000");
        return RoumuList(lines);
    }

    void openRow(const std::vector<std::pair<int, std::string>>& fields, int mode) {
        openPriced({makeRow(1, fields)}, mode);
        doc->m_Roumu = labourList();
    }

    // Opens the dialog on row 1 through ShowSyousai, running the script in it.
    bool show(std::function<void(Driver&)> script) {
        backend.expectDialog(std::move(script), IDD_KIVDIALOG);
        return view->ShowSyousai();
    }

    // A dialog of its own (no view) over the given members, run by the script.
    void runAlone(kivdialog& d, std::function<void(Driver&)> script) {
        backend.expectDialog(std::move(script), IDD_KIVDIALOG);
        d.doModal();
    }

    // The labour-price list opens next: the script picks list line `index` (-1: types `no`) and
    // sends it with 詳細に送る, or cancels when `cancel`.
    void expectList(int index, const std::string& no = {}, bool cancel = false,
                    std::function<void(Driver&)> check = {}) {
        backend.expectDialog([=](Driver& list) {
            if (check)
                check(list);
            if (cancel) {
                list.click(IDCANCEL);
                return;
            }
            if (index >= 0)
                list.select(CRoumuDialog::kList, index);
            else
                list.type(CRoumuDialog::kNo, no);
            list.click(CRoumuDialog::kSyousaiOkuru);
        }, CRoumuDialog::kDialogId);
    }

    static kivdialog& dlg(Driver& dr) { return static_cast<kivdialog&>(dr.dialog()); }
};

// Lines 1-7 named A-G, quantity 1 at 100..700 each; line 2 carries all seven texts.
void fillSevenLines(kivdialog& d) {
    for (std::size_t k = 0; k < 7; ++k) {
        d.m_ZaiHinmei[k] = std::string(1, static_cast<char>('A' + k));
        d.m_ZaiSuu[k] = "1";
        d.m_ZaiTanka1[k] = std::to_string(100 * (k + 1));
    }
    d.m_ZaiKikaku[1] = "SPEC-B";
    d.m_ZaiTanni[1] = "m";
    d.m_ZaiTanka2[1] = "150";
    d.m_ZaiBikou[1] = "REM-B";
}

std::vector<std::string> names(Driver& dr) {
    std::vector<std::string> out;
    for (int id : IDC_ZAIHINMEI)
        out.push_back(dr.text(id));
    return out;
}

std::vector<std::string> lineTexts(Driver& dr, std::size_t k) {
    return {dr.text(IDC_ZAIHINMEI[k]), dr.text(IDC_ZAIKIKAKU[k]), dr.text(IDC_ZAISUU[k]), dr.text(IDC_ZAITANNI[k]),
            dr.text(IDC_ZAITANKA1[k]), dr.text(IDC_ZAITANKA2[k]), dr.text(IDC_ZAIBIKOU[k])};
}

const std::vector<std::string> kLineB{"B", "SPEC-B", "1", "m", "200", "150", "REM-B"};

TEST_F(KivDialogLiveTest, TypingReprisesWithTheRowsFormulasAndOkGivesTheRowTheShownComposite) {
    openRow({{F::Hokyuu, ""}}, 1);
    recalcSeams().recalcKoumoku = [](CKivView& v) { v.CalcFukugouTanka(); };
    std::string shownComposite;
    backend.expectDialog([&](Driver& dr) {
        dr.type(IDC_ZAISUU[0], "1").type(IDC_ZAITANKA1[0], "1000");
        EXPECT_EQ(dr.text(IDC_ZAIKINGAKU1[0]), "      1000");   // at once, no OK
        expectList(-1, "5");
        dr.focus(IDC_ROUMUNO[0]);
        dr.type(IDC_ROUMUBUKAKE[0], "10");
        EXPECT_EQ(trimmed(dr.text(IDC_ROUMUKEI1)), "1000");
        dr.type(IDC_FUZOKU.ritu, "0.1").type(IDC_SONOTA2.ritu, "0.1");
        // その他２ is 0.1 x (labour 1000 + material 1000), without 付属品 as in the row.
        EXPECT_EQ(trimmed(dr.text(IDC_FUZOKU.kingaku1)), "100");
        EXPECT_EQ(trimmed(dr.text(IDC_SONOTA2.kingaku1)), "200");
        EXPECT_EQ(trimmed(dr.text(IDC_ZAIKOUKEI1)), "2300");
        EXPECT_EQ(trimmed(dr.text(IDC_FUKUGOUTANKA1)), "2300");
        EXPECT_EQ(dlg(dr).m_FukugouTanka1, dr.text(IDC_FUKUGOUTANKA1));   // member and box together
        shownComposite = dr.text(IDC_FUKUGOUTANKA1);
        dr.click(IDOK);
    }, IDD_KIVDIALOG);
    EXPECT_TRUE(view->onCommand(ID_SYOUSAI));
    EXPECT_EQ(raw(1, F::FukugouTanka1), "      2300");
    EXPECT_EQ(raw(1, F::FukugouTanka1), shownComposite);
}

TEST_F(KivDialogLiveTest, MaterialTotalCheckFollowsAmountOneOfLaterLines) {
    kivdialog d;
    d.m_Marume = 1;
    runAlone(d, [&](Driver& dr) {
        dr.type(IDC_ZAISUU[2], "2").type(IDC_ZAITANKA1[2], "400");
        EXPECT_EQ(trimmed(dr.text(IDC_ZAIKINGAKU1[2])), "800");
        EXPECT_EQ(dr.dialog().isChecked(IDC_ZAIGOUKEI), 1);
        // A click is overridden at once while the lines carry an amount.
        dr.click(IDC_ZAIGOUKEI);
        EXPECT_EQ(dr.dialog().isChecked(IDC_ZAIGOUKEI), 1);
        dr.type(IDC_ZAITANKA1[2], "");
        EXPECT_EQ(dr.text(IDC_ZAIKINGAKU1[2]), "");
        EXPECT_EQ(dr.dialog().isChecked(IDC_ZAIGOUKEI), 0);
        dr.type(IDC_ZAITANKA2[2], "400");
        EXPECT_EQ(trimmed(dr.text(IDC_ZAIKINGAKU2[2])), "800");
        EXPECT_EQ(dr.dialog().isChecked(IDC_ZAIGOUKEI), 0);
        dr.click(IDC_ZAIGOUKEI);
        EXPECT_EQ(dr.dialog().isChecked(IDC_ZAIGOUKEI), 0);
        EXPECT_EQ(dlg(dr).m_ZaiGoukei, 0);
        dr.click(IDOK);
    });
    EXPECT_TRUE(backend.messageTexts().empty());
}

TEST_F(KivDialogLiveTest, EmptiedInputsLeaveEveryComputedBoxEmpty) {
    kivdialog d;
    d.m_Marume = 1;
    d.m_ZaiSuu[0] = "1";
    d.m_ZaiTanka1[0] = "100";
    d.m_ZaiSuu[3] = "1";
    d.m_ZaiTanka1[3] = "100";
    d.m_Tugite.Ritu = "0.1";
    runAlone(d, [&](Driver& dr) {
        EXPECT_EQ(dr.dialog().isChecked(IDC_ZAIGOUKEI), 1);
        for (int id : {IDC_ZAISUU[0], IDC_ZAITANKA1[0], IDC_ZAISUU[3], IDC_ZAITANKA1[3], IDC_TUGITE.ritu})
            dr.type(id, "");
        for (int id : computedBoxes())
            EXPECT_EQ(dr.text(id), "") << id;
        EXPECT_EQ(dr.dialog().isChecked(IDC_ZAIGOUKEI), 0);
        dr.click(IDCANCEL);
    });
}

TEST_F(KivDialogLiveTest, ZeroAmountsAreEmptiedBeforeOrAfterRoundingByBox) {
    struct Case { int mode; std::size_t line; const char* amount; const char* tugite; };
    // 0.01 x 3: shown as 0 on line 2, empty on line 1; a 継ぎ手 that rounds to 0 is empty.
    const Case cases[] = {{0, 1, "0", ""}, {1, 1, "0", ""}, {2, 1, "0", ""}, {1, 0, "", ""}, {3, 1, "0.03", "0.03"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + "/" + std::to_string(c.line));
        kivdialog d;
        d.m_Marume = c.mode;
        runAlone(d, [&](Driver& dr) {
            dr.type(IDC_ZAISUU[c.line], "0.01").type(IDC_ZAITANKA1[c.line], "3");
            EXPECT_EQ(trimmed(dr.text(IDC_ZAIKINGAKU1[c.line])), c.amount);
            dr.type(IDC_TUGITE.ritu, "0.01");   // 0.01 x 3
            EXPECT_EQ(trimmed(dr.text(IDC_TUGITE.kingaku1)), c.tugite);
            dr.click(IDCANCEL);
        });
    }
}

TEST_F(KivDialogLiveTest, ModeThreeShowsTwoDecimalsAndAWholeComposite) {
    kivdialog d;
    d.m_Marume = 3;
    runAlone(d, [&](Driver& dr) {
        dr.type(IDC_ZAISUU[0], "2.5").type(IDC_ZAITANKA1[0], "333.3");
        EXPECT_EQ(dr.text(IDC_ZAIKINGAKU1[0]), "       833.25");
        EXPECT_EQ(dr.text(IDC_FUKUGOUTANKA1), "       833");
        dr.click(IDCANCEL);
    });
}

TEST_F(KivDialogLiveTest, CompositeTooWideForItsBoxIsNotShown) {
    kivdialog d;
    d.m_Marume = 1;
    runAlone(d, [&](Driver& dr) {
        dr.type(IDC_ZAISUU[0], "99").type(IDC_ZAITANKA1[0], "9999999999");
        EXPECT_EQ(dr.text(IDC_FUKUGOUTANKA1), "");
        dr.type(IDC_ZAISUU[0], "1");
        EXPECT_EQ(dr.text(IDC_FUKUGOUTANKA1), "9999999999");
        dr.click(IDCANCEL);
    });
    EXPECT_TRUE(backend.messageTexts().empty());
}

// Breakdowns typed into the dialog: the composite boxes show what the row's own recalculation
// then stores.
TEST_F(KivDialogLiveTest, CompositeBoxesEqualTheRowsUnitPriceAfterOk) {
    struct Case {
        const char* name;
        int mode;
        std::vector<std::pair<int, std::string>> row;
        std::vector<std::pair<int, std::string>> typed;
        const char* composite1;   // expected box text, trimmed
    };
    const std::vector<Case> cases = {
        {"ladder mode 1", 1, {{F::Roumu1No, "5"}, {F::Bukake1, "1"}}, {{IDC_ZAISUU[0], "1"}, {IDC_ZAITANKA1[0], "56689"}}, "56700"},
        {"ladder mode 2", 2, {{F::Roumu1No, "5"}, {F::Bukake1, "1"}}, {{IDC_ZAISUU[0], "1"}, {IDC_ZAITANKA1[0], "345578"}}, "345000"},
        {"ladder mode 3", 3, {{F::Roumu1No, "5"}, {F::Bukake1, "1"}}, {{IDC_ZAISUU[0], "1"}, {IDC_ZAITANKA1[0], "1135"}}, "1240"},
        {"several lines, track 2", 1, {},
         {{IDC_ZAISUU[0], "2"}, {IDC_ZAITANKA1[0], "1234"}, {IDC_ZAITANKA2[0], "1000"}, {IDC_ZAISUU[1], "1.5"},
          {IDC_ZAITANKA1[1], "333"}, {IDC_ZAITANKA2[1], "300"}, {IDC_ZATUZAI.ritu, "0.05"}, {IDC_UNPAN.ritu, "0.02"}},
         "3170"},
        {"labour and every rate, mode 3", 3, {{F::Roumu1No, "18"}, {F::Bukake1, "0.05"}, {F::Roumu2No, "5"}, {F::Bukake2, "2"}},
         {{IDC_ZAISUU[0], "3"}, {IDC_ZAITANKA1[0], "777.7"}, {IDC_TUGITE.ritu, "0.1"}, {IDC_SETUGOU.ritu, "0.05"},
          {IDC_SIJI.ritu, "0.03"}, {IDC_FUZOKU.ritu, "0.1"}, {IDC_HATURI.ritu, "0.2"}, {IDC_SONOTA1.ritu, "0.1"},
          {IDC_SONOTA2.ritu, "0.1"}},
         nullptr},
        {"102 set", 1, {{F::FukuHyouji, "1"}, {F::Zai1Hinmei, "M1"}},
         {{IDC_ZAISUU[0], "1"}, {IDC_ZAITANKA1[0], "1500"}, {IDC_ZAITANKA2[0], "1200"}}, "1500"},
        {"102 cleared, no labour", 2, {{F::FukuHyouji, "1"}},
         {{IDC_ZAISUU[0], "1.5"}, {IDC_ZAITANKA1[0], "1001"}, {IDC_FUKUHYOUJI, ""}}, "1501"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        openRow(c.row, c.mode);
        std::string box1, box2;
        EXPECT_TRUE(show([&](Driver& dr) {
            for (const auto& [id, v] : c.typed) {
                if (id == IDC_FUKUHYOUJI)
                    dr.click(id);
                else
                    dr.type(id, v);
            }
            box1 = dr.text(IDC_FUKUGOUTANKA1);
            box2 = dr.text(IDC_FUKUGOUTANKA2);
            dr.click(IDOK);
        }));
        if (c.composite1) {
            EXPECT_EQ(trimmed(box1), c.composite1);
        }
        EXPECT_NE(trimmed(box1), "");
        view->LoadGyou();
        view->CalcFukugouTanka();   // what the item's recalculation does with the row
        EXPECT_EQ(text(1, F::FukugouTanka1), trimmed(box1));
        EXPECT_EQ(text(1, F::FukugouTanka2), trimmed(box2));
        view.reset();
    }
}

TEST_F(KivDialogLiveTest, InsertMakesRoomAtTheCurrentLine) {
    for (int cur : {3, 7}) {
        SCOPED_TRACE(cur);
        kivdialog d;
        d.m_Marume = 1;
        fillSevenLines(d);
        runAlone(d, [&](Driver& dr) {
            EXPECT_EQ(trimmed(dr.text(IDC_ZAIKEI1)), "2800");
            dr.focus(IDC_ZAIHINMEI[static_cast<std::size_t>(cur - 1)]);
            dr.click(IDC_GYOUINSERT);
            if (cur == 3) {
                EXPECT_EQ(names(dr), (std::vector<std::string>{"A", "B", "", "C", "D", "E", "F"}));
                EXPECT_EQ(lineTexts(dr, 1), kLineB);
                EXPECT_EQ(trimmed(dr.text(IDC_ZAIKEI1)), "2100");
                EXPECT_EQ(dr.text(IDC_ZAIKINGAKU1[2]), "");
            } else {
                EXPECT_EQ(names(dr), (std::vector<std::string>{"A", "B", "C", "D", "E", "F", "G"}));
                EXPECT_EQ(trimmed(dr.text(IDC_ZAIKEI1)), "2800");
            }
            EXPECT_EQ(dlg(dr).m_CurZaiGyou, cur);   // kept across the command
            dr.click(IDCANCEL);
        });
    }
}

TEST_F(KivDialogLiveTest, DeleteCopyAndPasteMoveTheSevenTexts) {
    kivdialog d;
    d.m_Marume = 1;
    fillSevenLines(d);
    runAlone(d, [&](Driver& dr) {
        // Text typed just before a command moves with its line.
        dr.type(IDC_ZAIBIKOU[2], "NOTE-C");
        dr.focus(IDC_ZAIHINMEI[0]).click(IDC_GYOUDELETE);
        EXPECT_EQ(names(dr), (std::vector<std::string>{"B", "C", "D", "E", "F", "G", ""}));
        EXPECT_EQ(dr.text(IDC_ZAIBIKOU[1]), "NOTE-C");
        EXPECT_EQ(lineTexts(dr, 6), std::vector<std::string>(7));
        EXPECT_EQ(trimmed(dr.text(IDC_ZAIKEI1)), "2700");
        dr.click(IDOK);
    });
    kivdialog e;
    e.m_Marume = 1;
    fillSevenLines(e);
    runAlone(e, [&](Driver& dr) {
        dr.focus(IDC_ZAIHINMEI[1]).click(IDC_GYOUCOPY);
        EXPECT_EQ(names(dr), (std::vector<std::string>{"A", "B", "C", "D", "E", "F", "G"}));
        EXPECT_EQ(trimmed(dr.text(IDC_ZAIKEI1)), "2800");
        dr.focus(IDC_ZAIHINMEI[4]).click(IDC_GYOUPASTE);
        EXPECT_EQ(lineTexts(dr, 4), kLineB);
        EXPECT_EQ(trimmed(dr.text(IDC_ZAIKINGAKU1[4])), "200");
        EXPECT_EQ(trimmed(dr.text(IDC_ZAIKEI1)), "2500");
        dr.click(IDOK);
    });
    EXPECT_EQ(std::vector<std::string>(e.m_GyouClip.begin(), e.m_GyouClip.end()), kLineB);
}

TEST_F(KivDialogLiveTest, LineCommandsBeforeAnyNameBoxHadTheFocusMoveNothing) {
    kivdialog d;
    d.m_Marume = 1;
    fillSevenLines(d);
    d.m_GyouClip = {"CLIP", "", "1", "", "9", "", ""};
    runAlone(d, [&](Driver& dr) {
        dr.type(IDC_ZAITANKA1[0], "50");   // the price box of line 1 is not its name
        for (int button : {IDC_GYOUINSERT, IDC_GYOUDELETE, IDC_GYOUCOPY, IDC_GYOUPASTE})
            dr.click(button);
        EXPECT_EQ(names(dr), (std::vector<std::string>{"A", "B", "C", "D", "E", "F", "G"}));
        EXPECT_EQ(trimmed(dr.text(IDC_ZAIKEI1)), "2750");
        EXPECT_EQ(dlg(dr).m_GyouClip[0], "CLIP");
        EXPECT_EQ(dlg(dr).m_CurZaiGyou, 0);
        dr.click(IDCANCEL);
    });
}

TEST_F(KivDialogLiveTest, LineClipboardReachesTheNextDialogOnlyAfterOk) {
    openRow({}, 1);
    auto copyLine2 = [&](int end) {
        return show([&, end](Driver& dr) {
            dr.type(IDC_ZAIHINMEI[1], "B").type(IDC_ZAIKIKAKU[1], "SPEC-B").type(IDC_ZAISUU[1], "2");
            dr.focus(IDC_ZAIHINMEI[1]).click(IDC_GYOUCOPY);
            dr.click(end);
        });
    };
    auto pasteInto5 = [&] {
        std::vector<std::string> line;
        show([&](Driver& dr) {
            dr.type(IDC_ZAIHINMEI[4], "OLD");
            dr.focus(IDC_ZAIHINMEI[4]).click(IDC_GYOUPASTE);
            line = lineTexts(dr, 4);
            dr.click(IDCANCEL);
        });
        return line;
    };
    EXPECT_FALSE(copyLine2(IDCANCEL));
    EXPECT_EQ(pasteInto5(), std::vector<std::string>(7));   // nothing kept yet: the line is emptied
    EXPECT_TRUE(copyLine2(IDOK));
    EXPECT_EQ(pasteInto5(), (std::vector<std::string>{"B", "SPEC-B", "2", "", "", "", ""}));
}

TEST_F(KivDialogLiveTest, CopyToLineOneTakesTheHeadersNameSpecificationAndUnit) {
    kivdialog d;
    d.m_Marume = 1;
    d.m_Kikaku = "SPEC";
    d.m_Tanni = "m";
    d.m_ZaiHinmei[0] = "OLD";
    d.m_ZaiSuu[0] = "2";
    d.m_ZaiTanka1[0] = "100";
    d.m_ZaiBikou[0] = "REM";
    runAlone(d, [&](Driver& dr) {
        dr.focus(IDC_ZAIHINMEI[2]);
        dr.click(IDC_COPYTOZAI1);
        EXPECT_EQ(lineTexts(dr, 0), (std::vector<std::string>{"", "SPEC", "2", "m", "100", "", "REM"}));
        EXPECT_EQ(trimmed(dr.text(IDC_ZAIKINGAKU1[0])), "200");
        EXPECT_EQ(dlg(dr).m_CurZaiGyou, 3);
        dr.click(IDOK);
    });
}

TEST_F(KivDialogLiveTest, TabbingIntoALabourNoPicksItsLineFromTheList) {
    openRow({{F::Roumu2No, "18"}, {F::Bukake2, "0.5"}, {F::Roumu2Bikou, "NOTE"}}, 1);
    // The control before NO of labour line 2 in tab order.
    const auto& cs = kivDialogTemplate().controls;
    int before = 0;
    for (const auto& c : cs) {
        if (c.id == IDC_ROUMUNO[1])
            break;
        if (c.kind != kiv::ui::ControlKind::Static && c.kind != kiv::ui::ControlKind::GroupBox && c.id > 0)
            before = c.id;
    }
    ASSERT_NE(before, 0);
    EXPECT_TRUE(show([&](Driver& dr) {
        expectList(2);
        dr.focus(before).key(kiv::ui::VK_TAB);
        EXPECT_EQ(dr.text(IDC_ROUMUNO[1]), " 3");
        EXPECT_EQ(dr.text(IDC_ROUMUSYOKUSYU[1]), sj("電工"));
        EXPECT_EQ(trimmed(dr.text(IDC_ROUMUTANKA1[1])), "15000");
        EXPECT_EQ(trimmed(dr.text(IDC_ROUMUTANKA2[1])), "16000");
        EXPECT_EQ(trimmed(dr.text(IDC_ROUMUBUKAKE[1])), "0.5");
        EXPECT_EQ(dr.text(IDC_ROUMUBIKOU[1]), "NOTE");
        EXPECT_EQ(trimmed(dr.text(IDC_ROUMUKINGAKU1[1])), "7500");
        EXPECT_EQ(trimmed(dr.text(IDC_ROUMUKINGAKU2[1])), "8000");
        EXPECT_EQ(dlg(dr).m_RoumuSelNo, 3);
        EXPECT_EQ(dr.dialog().focusedControl(), IDC_ROUMUBUKAKE[1]);
        dr.click(IDOK);
    }));
    EXPECT_EQ(text(1, F::Roumu2No), "3");
    EXPECT_TRUE(backend.messageTexts().empty());
}

TEST_F(KivDialogLiveTest, CancellingTheListFromANoBoxSaysSoAndKeepsTheLine) {
    openRow({{F::Roumu2No, "18"}, {F::Bukake2, "0.5"}}, 1);
    EXPECT_TRUE(show([&](Driver& dr) {
        const std::vector<std::string> before{dr.text(IDC_ROUMUNO[1]), dr.text(IDC_ROUMUSYOKUSYU[1]),
                                              dr.text(IDC_ROUMUTANKA1[1]), dr.text(IDC_ROUMUKINGAKU1[1])};
        expectList(0, {}, true);
        backend.expectMessageBox(IDOK, "労務単価の入力を中止します。");
        dr.focus(IDC_ROUMUNO[1]);
        EXPECT_EQ((std::vector<std::string>{dr.text(IDC_ROUMUNO[1]), dr.text(IDC_ROUMUSYOKUSYU[1]),
                                            dr.text(IDC_ROUMUTANKA1[1]), dr.text(IDC_ROUMUKINGAKU1[1])}),
                  before);
        EXPECT_EQ(dr.dialog().focusedControl(), IDC_ROUMUBUKAKE[1]);
        dr.click(IDOK);
    }));
    ASSERT_EQ(backend.prompts().size(), 3u);   // the detail dialog, the list, the message
    EXPECT_EQ(backend.prompts()[2].caption, "kiv");
    EXPECT_EQ(text(1, F::Roumu2No), "18");
}

TEST_F(KivDialogLiveTest, LabourPriceButtonAlwaysFillsLineOne) {
    openRow({{F::Bukake1, "2"}}, 1);
    EXPECT_TRUE(show([&](Driver& dr) {
        backend.expectMessageBox(IDOK, "労務単価の入力を中止します。");
        expectList(0, {}, true);
        dr.focus(IDC_ROUMUNO[2]);             // the focus in labour line 3 (its list cancelled)
        expectList(2);
        dr.click(IDC_ROUMUHYOUJI);
        EXPECT_EQ(dr.text(IDC_ROUMUNO[0]), " 3");
        EXPECT_EQ(dr.text(IDC_ROUMUSYOKUSYU[0]), sj("電工"));
        EXPECT_EQ(trimmed(dr.text(IDC_ROUMUKINGAKU1[0])), "30000");
        EXPECT_EQ(dr.text(IDC_ROUMUNO[2]), "");
        EXPECT_NE(dr.dialog().focusedControl(), IDC_ROUMUHYOUJI);   // on to the next control
        // Cancelling the list from the button is silent.
        expectList(0, {}, true);
        dr.click(IDC_ROUMUHYOUJI);
        EXPECT_EQ(dr.text(IDC_ROUMUNO[0]), " 3");
        dr.click(IDOK);
    }));
    EXPECT_EQ(backend.messageTexts().size(), 1u);
}

TEST_F(KivDialogLiveTest, LabourIsPickedFromTheEditedEstimatesListNotTheCurrentOne) {
    openRow({{F::Bukake1, "1"}}, 1);
    CKivDoc other;   // made current on creation
    std::vector<RoumuRecord> lines = labourList().lines();
    lines[2] = *RoumuRecord::build(" 3", sj("配管工"), "99999", "");
    other.m_Roumu = RoumuList(lines);
    ASSERT_EQ(g_pKivDoc, &other);
    EXPECT_TRUE(show([&](Driver& dr) {
        expectList(2, {}, false, [](Driver& list) {
            ASSERT_GE(list.dialog().getCount(CRoumuDialog::kList), 3);
            EXPECT_NE(list.dialog().getLbText(CRoumuDialog::kList, 2).find(sj("電工")), std::string::npos);
        });
        dr.focus(IDC_ROUMUNO[0]);
        EXPECT_EQ(dr.text(IDC_ROUMUSYOKUSYU[0]), sj("電工"));
        EXPECT_EQ(trimmed(dr.text(IDC_ROUMUTANKA1[0])), "15000");
        dr.click(IDOK);
    }));
}

TEST_F(KivDialogLiveTest, NumbersTheListDoesNotHoldOrTheNoCannotHold) {
    // NO 99 typed with nothing selected in a list of 5 lines: NO, trade and prices emptied.
    openRow({{F::Roumu1No, "5"}, {F::Bukake1, "1"}}, 1);
    std::vector<RoumuRecord> five = labourList().lines();
    five.resize(5);
    doc->m_Roumu = RoumuList(five);
    EXPECT_FALSE(show([&](Driver& dr) {
        EXPECT_EQ(dr.text(IDC_ROUMUSYOKUSYU[0]), sj("電工"));
        expectList(-1, "99");
        dr.focus(IDC_ROUMUNO[0]);
        for (int id : {IDC_ROUMUNO[0], IDC_ROUMUSYOKUSYU[0], IDC_ROUMUTANKA1[0], IDC_ROUMUTANKA2[0], IDC_ROUMUKINGAKU1[0]})
            EXPECT_EQ(dr.text(id), "") << id;
        EXPECT_EQ(trimmed(dr.text(IDC_ROUMUBUKAKE[0])), "1");
        dr.click(IDCANCEL);
    }));
    // The 100th line of a full list has no two-digit NO: refused, the line unchanged.
    std::vector<RoumuRecord> full(100);
    for (int n = 1; n <= 100; ++n)
        full[static_cast<std::size_t>(n - 1)] = *RoumuRecord::build(std::to_string(n % 100), sj("電工"),
                                                                     std::to_string(1000 + n), "");
    doc->m_Roumu = RoumuList(full);
    EXPECT_TRUE(show([&](Driver& dr) {
        expectList(99);
        backend.expectMessageBox(IDOK, "2桁");
        dr.focus(IDC_ROUMUNO[0]);
        EXPECT_EQ(dr.text(IDC_ROUMUNO[0]), " 5");
        EXPECT_EQ(trimmed(dr.text(IDC_ROUMUTANKA1[0])), "1005");
        expectList(98);
        dr.focus(IDC_ROUMUBIKOU[0]).focus(IDC_ROUMUNO[0]);
        EXPECT_EQ(dr.text(IDC_ROUMUNO[0]), "99");
        EXPECT_EQ(trimmed(dr.text(IDC_ROUMUTANKA1[0])), "1099");
        dr.click(IDOK);
    }));
    EXPECT_EQ(text(1, F::Roumu1No), "99");
}

// The input method is on in the dialog: ０-９, ．, － and − typed into a number box count as
// their half-width forms (even where the full-width text is longer than the box), the amounts
// are those of the half-width input, and the row takes half-width text.
TEST_F(KivDialogLiveTest, FullWidthInputInNumberBoxesCountsAsHalfWidth) {
    struct Case {
        const char* what;
        int box;
        int field;
        const char* half;
        const char* full;
    };
    const Case cases[] = {
        {"数量", IDC_ZAISUU[1], F::Zai2Suu, "2.5", "２．５"},
        {"単価1", IDC_ZAITANKA1[1], F::Zai2Tanka1, "300", "３００"},
        {"単価2", IDC_ZAITANKA2[1], F::Zai2Tanka2, "-40", "－４０"},
        {"単価2, minus sign", IDC_ZAITANKA2[1], F::Zai2Tanka2, "-40", "−４０"},
        {"掛率", IDC_TUGITE.ritu, F::TugiteRitu, "0.15", "０．１５"},
        {"歩掛", IDC_ROUMUBUKAKE[0], F::Bukake1, "1.5", "１．５"},
    };
    // Returns the computed boxes and the row after OK.
    auto run = [&](int box, const char* typed) {
        openRow({{F::Zai2Suu, "2"}, {F::Zai2Tanka1, "100"}, {F::Zai2Tanka2, "100"}, {F::Roumu1No, "18"},
                 {F::Bukake1, "1"}},
                1);
        std::vector<std::string> shown;
        EXPECT_TRUE(show([&](Driver& dr) {
            dr.type(box, typed);
            for (int id : computedBoxes())
                shown.push_back(dr.text(id));
            dr.click(IDOK);
        }));
        return std::pair{shown, docRow(1)};
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto [halfShown, halfRow] = run(c.box, c.half);
        const auto [fullShown, fullRow] = run(c.box, c.full);
        EXPECT_EQ(fullShown, halfShown);
        EXPECT_EQ(fullRow, halfRow);
        EXPECT_EQ(text(1, c.field), c.half);
    }
    // The amounts moved: the case changed what the dialog computes.
    EXPECT_NE(run(IDC_ZAISUU[1], "２").first, run(IDC_ZAISUU[1], "").first);
}

} // namespace
} // namespace kivtest
