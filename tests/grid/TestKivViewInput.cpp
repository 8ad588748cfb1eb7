// Typing into the estimate grid: numeric and text cells, Enter, Delete, the arrow keys' commit,
// the function keys, the mouse, the calculator, the unit list, the two-click row range, the
// protection of converted prices and the row buffer kept when the estimate is written.
#include "estimate/RecalcSeams.h"
#include "grid/BlockSelect.h"
#include "grid/CalcDialog.h"
#include "grid/KivViewFixture.h"
#include "grid/MojiDialog.h"
#include "grid/TanniDialog.h"
#include "resources/KivDialogResources.h"

using namespace kivtest;
using namespace kiv::ui;
using kiv::ui::headless::DialogDriver;

namespace {

class KivViewInput : public KivViewFixture {
protected:
    void SetUp() override {
        KivViewFixture::SetUp();
        recalcSeams().recalcGyou = [this](CKivView&) { ++recalcGyou; };
        recalcSeams().recalcKoumoku = [this](CKivView&) { ++recalcKoumoku; };
    }
    void TearDown() override {
        recalcSeams().recalcGyou = {};
        recalcSeams().recalcKoumoku = {};
        ClearBlockSelect();
        KivViewFixture::TearDown();
    }

    // The field in the row buffer / in the document's work row `gyou`.
    std::string cell(int field) const { return std::string(GyouRecord::raw(view->m_EditGyou, field)); }
    std::string stored(int gyou, int field) const {
        std::string row = doc->WorkGyouAt(gyou);
        GyouRecord::padLength(row);
        return std::string(GyouRecord::raw(row, field));
    }
    static std::string num(int field, const std::string& digits) {
        std::string s(static_cast<std::size_t>(GyouRecord::layout(field).Width) - digits.size(), ' ');
        return s + digits;
    }
    void type(const std::string& ascii) {
        for (char c : ascii)
            backend.sendChar(*view, static_cast<unsigned char>(c));
    }
    std::size_t drawOps() { return screen().ops().size(); }
    const std::vector<std::string>& messages() const { return KivRecordedMessages(); }

    int recalcGyou = 0;
    int recalcKoumoku = 0;
};

// ---------------------------------------------------------------------------------------------
// Numeric cells

TEST_F(KivViewInput, NumbersStandRightAlignedUpToTheCellsWidth) {
    struct Case {
        const char* before;
        const char* keys;
        const char* shows;
        bool lastRefused;
    };
    const Case cases[] = {
        {"99", "123", "     123", false},
        {"99", ".", "      0.", false},
        {"99", "12345678" "9", "12345678", true},   // a 9th character in an 8-wide cell
        {"99", "123\x1b" "4", "       4", false},   // Esc blanks the cell, typing starts again
        {"", "-5", "      -5", false},               // a sign in an empty cell
        {"99", "1.2.", "     1.2", true},            // a second point is refused
        {"", "-.5", "     -.5", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        open({makeRow(1, {{GyouRecord::HiroidasiSuu1, c.before}}), makeRow(2)});
        placeCursor(1, 1, GyouRecord::HiroidasiSuu1);
        const std::string keys = c.keys;
        type(keys.substr(0, keys.size() - 1));
        const std::size_t before = drawOps();
        type(keys.substr(keys.size() - 1));
        EXPECT_EQ(cell(GyouRecord::HiroidasiSuu1), c.shows);
        const std::string drawn = shown(GyouRecord::HiroidasiSuu1, 1);   // separator cells first
        EXPECT_EQ(drawn.substr(drawn.size() - 8), c.shows);
        EXPECT_EQ(drawOps() == before, c.lastRefused) << "a refused key draws nothing";
        EXPECT_EQ(doc->m_NeedRecalc, 1);
        // The row reaches the document with Enter, which recalculates the item.
        EXPECT_EQ(stored(1, GyouRecord::HiroidasiSuu1), num(GyouRecord::HiroidasiSuu1, c.before));
        enter();
        EXPECT_EQ(stored(1, GyouRecord::HiroidasiSuu1), c.shows);
        EXPECT_EQ(field(), GyouRecord::HiroidasiSuu2);
        EXPECT_EQ(recalcKoumoku, 1);
        recalcKoumoku = 0;
        EXPECT_TRUE(messages().empty());
    }
}

TEST_F(KivViewInput, TypingAfterAMoveStartsTheCellAfreshAndAPaintKeepsTheTyping) {
    open({makeRow(1, {{GyouRecord::HiroidasiSuu1, "5"}, {GyouRecord::HiroidasiSuu2, "6"}}), makeRow(2)});
    placeCursor(1, 1, GyouRecord::HiroidasiSuu1);
    type("12");
    // A paint between two keystrokes neither loses the digits nor restarts the cell.
    view->invalidate();
    backend.processPending();
    type("3");
    EXPECT_EQ(cell(GyouRecord::HiroidasiSuu1), num(GyouRecord::HiroidasiSuu1, "123"));
    backend.sendKeyDown(*view, VK_RIGHT);
    EXPECT_EQ(field(), GyouRecord::HiroidasiSuu2);
    EXPECT_EQ(stored(1, GyouRecord::HiroidasiSuu1), num(GyouRecord::HiroidasiSuu1, "123"));
    type("7");
    EXPECT_EQ(cell(GyouRecord::HiroidasiSuu2), num(GyouRecord::HiroidasiSuu2, "7"));
    // "-" in a cell holding a number is the calculator's subtraction.
    backend.expectDialog([](DialogDriver& dd) {
        EXPECT_EQ(dd.text(CCalcDialog::kDisplay), "7");
        dd.type(CCalcDialog::kDisplay, "2").click(CCalcDialog::kButtonEqual);
        EXPECT_EQ(dd.text(CCalcDialog::kDisplay), "         5");
        dd.click(IDOK);
    }, CCalcDialog::kDialogId);
    type("-");
    EXPECT_EQ(stored(1, GyouRecord::HiroidasiSuu2), num(GyouRecord::HiroidasiSuu2, "5"));
    EXPECT_EQ(field(), GyouRecord::Tanni);
    EXPECT_TRUE(view->imeOpen());
}

TEST_F(KivViewInput, ANumberTypedOnTheRowAfterTheLastAppendsThatRow) {
    open(namedRows(2));
    placeCursor(3, 3, GyouRecord::HiroidasiSuu1);
    type("12");
    EXPECT_EQ(doc->m_GyouCount, 3);
    enter();
    EXPECT_EQ(stored(3, GyouRecord::HiroidasiSuu1), num(GyouRecord::HiroidasiSuu1, "12"));
    EXPECT_EQ(stored(3, GyouRecord::KoumokuNo) + stored(3, GyouRecord::GyouNo), "00010003");
    EXPECT_EQ(stored(3, GyouRecord::Hokyuu), "  1.0");
    EXPECT_EQ(doc->m_GyouCount, 3);
    // Written out with the estimate.
    EXPECT_NE(doc->SerializeKivFile().find(stored(3, GyouRecord::KoumokuNo) + stored(3, GyouRecord::GyouNo)),
              std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// Text cells

TEST_F(KivViewInput, TextIsStoredAtOnceAndDoubleByteCharactersStayWhole) {
    open(namedRows(2));
    // Typed by the input method: each character arrives as its lead byte, then its trail byte.
    placeCursor(2, 2, GyouRecord::Hinmei);
    backend.sendText(*view, "字a");
    EXPECT_EQ(stored(2, GyouRecord::Hinmei), padded(GyouRecord::Hinmei, sj("字") + "aR2"));
    EXPECT_EQ(view->m_CaretOfs, 3);
    EXPECT_EQ(doc->m_NeedRecalc, 1);
    backend.sendChar(*view, 8);
    EXPECT_EQ(cell(GyouRecord::Hinmei), padded(GyouRecord::Hinmei, sj("字") + "R2"));
    backend.sendChar(*view, 8);
    EXPECT_EQ(cell(GyouRecord::Hinmei), padded(GyouRecord::Hinmei, "R2"));
    EXPECT_EQ(view->m_CaretOfs, 0);
    // Delete takes the whole character at the caret.
    backend.sendText(*view, "字");
    backend.sendKeyDown(*view, VK_LEFT);
    backend.sendKeyDown(*view, VK_DELETE);
    EXPECT_EQ(cell(GyouRecord::Hinmei), padded(GyouRecord::Hinmei, "R2"));
    // A lead byte whose trail never comes is no character.
    backend.sendChar(*view, 0x8E);
    backend.sendKeyDown(*view, VK_RIGHT);
    backend.sendChar(*view, 'x');
    EXPECT_EQ(cell(GyouRecord::Hinmei), padded(GyouRecord::Hinmei, "Rx2"));

    struct Case {
        std::string before;
        int caret;
        std::string typedUtf8;
        std::string after;
    };
    const Case cases[] = {
        {"ab" + sj("字"), 0, "x", "xab "},   // the whole last character gives way
        {"abc", 3, "字", "abc "},            // both bytes fit or neither is taken
        {"ab", 2, "字", "ab" + sj("字")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.after);
        doc->EditWorkGyou(1) = makeRow(1, {{GyouRecord::Kigou, c.before}});
        placeCursor(1, 1, GyouRecord::Kigou);
        view->m_CaretOfs = c.caret;
        backend.sendText(*view, c.typedUtf8);
        EXPECT_EQ(stored(1, GyouRecord::Kigou), c.after);
    }
}

// ---------------------------------------------------------------------------------------------
// The calculator

TEST_F(KivViewInput, TheCalculatorWorksFromTheCellAndByDoubleClick) {
    open({makeRow(1, {{GyouRecord::Tanka1, "1234"}, {GyouRecord::HiroidasiSuu1, "3"}}), makeRow(2)});
    // "+" on 単価1 holding 1234: 5 typed over the selected display, Enter.
    placeCursor(1, 1, GyouRecord::Tanka1);
    backend.expectDialog([](DialogDriver& dd) {
        EXPECT_EQ(dd.text(CCalcDialog::kDisplay), "1234");
        dd.type(CCalcDialog::kDisplay, "5").key(VK_RETURN);
        EXPECT_TRUE(dd.ended());
    }, CCalcDialog::kDialogId);
    type("+");
    EXPECT_EQ(stored(1, GyouRecord::Tanka1), "      1239");
    EXPECT_EQ(recalcKoumoku, 1);
    EXPECT_EQ(field(), GyouRecord::Tanka2);
    EXPECT_FALSE(view->imeOpen());

    // The digit button appends to the shown value: 1239 + 12395.
    placeCursor(1, 1, GyouRecord::Tanka1);
    backend.expectDialog([](DialogDriver& dd) {
        dd.click(CCalcDialog::kButton1 + 4).click(CCalcDialog::kButtonEqual);
        EXPECT_EQ(dd.text(CCalcDialog::kDisplay), "     13634");
        dd.click(IDOK);
    }, CCalcDialog::kDialogId);
    type("+");
    EXPECT_EQ(stored(1, GyouRecord::Tanka1), "     13634");

    struct Case {
        const char* what;
        std::function<void(DialogDriver&)> keys;
        const char* display;
    };
    const Case cases[] = {
        {"7 / 4", [](DialogDriver& dd) {
             dd.click(CCalcDialog::kButton1 + 6).click(CCalcDialog::kButtonDivide).click(CCalcDialog::kButton1 + 3);
         }, "         2"},
        {"5 / 2, a tie", [](DialogDriver& dd) {
             dd.type(CCalcDialog::kDisplay, "5").click(CCalcDialog::kButtonDivide).type(CCalcDialog::kDisplay, "2");
         }, "         3"},
        {"typed 100 + typed 5", [](DialogDriver& dd) {
             dd.type(CCalcDialog::kDisplay, "100").click(CCalcDialog::kButtonPlus).type(CCalcDialog::kDisplay, "5");
         }, "       105"},
        {"keypad 100 * 3", [](DialogDriver& dd) {
             dd.type(CCalcDialog::kDisplay, "100").key(VK_MULTIPLY).type(CCalcDialog::kDisplay, "3");
         }, "       300"},
        {"AC", [](DialogDriver& dd) { dd.type(CCalcDialog::kDisplay, "5").click(CCalcDialog::kButtonAllClear); },
         "         0"},
        {"C keeps the accumulator", [](DialogDriver& dd) {
             dd.type(CCalcDialog::kDisplay, "8").click(CCalcDialog::kButtonMinus).type(CCalcDialog::kDisplay, "3")
                 .click(CCalcDialog::kButtonClear);
         }, "         8"},
    };
    // A double click on a quantity opens it empty; ＝ then OK puts the result in the cell.
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        backend.expectDialog([&c](DialogDriver& dd) {
            EXPECT_EQ(dd.text(CCalcDialog::kDisplay), "");
            c.keys(dd);
            dd.click(CCalcDialog::kButtonEqual);
            EXPECT_EQ(dd.text(CCalcDialog::kDisplay), c.display);
            dd.click(IDOK);
        }, CCalcDialog::kDialogId);
        backend.sendDoubleClick(*view, pointIn(GyouRecord::HiroidasiSuu1, 1, 2));
        EXPECT_EQ(field(), GyouRecord::HiroidasiSuu1);
        EXPECT_EQ(stored(1, GyouRecord::HiroidasiSuu1), std::string(c.display).substr(2));
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(KivViewInput, CalculatorResultsThatCannotBeTakenChangeNothing) {
    open({makeRow(1, {{GyouRecord::HiroidasiSuu1, "3"}}), makeRow(2)});
    placeCursor(1, 1, GyouRecord::HiroidasiSuu1);
    // Nine digits for an 8-wide cell: a message naming the result, the cell as it was.
    backend.expectDialog([](DialogDriver& dd) {
        dd.type(CCalcDialog::kDisplay, "123456789").click(IDOK);
    }, CCalcDialog::kDialogId);
    backend.sendDoubleClick(*view, pointIn(GyouRecord::HiroidasiSuu1, 1));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages()[0].find("123456789"), std::string::npos);
    EXPECT_EQ(stored(1, GyouRecord::HiroidasiSuu1), num(GyouRecord::HiroidasiSuu1, "3"));
    ClearKivPrompts();
    // Division by zero: a message, the accumulator kept; Cancel changes nothing.
    backend.expectDialog([](DialogDriver& dd) {
        dd.type(CCalcDialog::kDisplay, "5").click(CCalcDialog::kButtonDivide).type(CCalcDialog::kDisplay, "0");
        dd.click(CCalcDialog::kButtonEqual);
        EXPECT_EQ(dd.text(CCalcDialog::kDisplay), "         5");
        dd.click(IDCANCEL);
    }, CCalcDialog::kDialogId);
    backend.sendDoubleClick(*view, pointIn(GyouRecord::HiroidasiSuu1, 1));
    EXPECT_EQ(messages().size(), 1u);
    EXPECT_EQ(stored(1, GyouRecord::HiroidasiSuu1), num(GyouRecord::HiroidasiSuu1, "3"));
    // A double click on a text cell opens nothing (an unexpected dialog would fail the test).
    backend.sendDoubleClick(*view, pointIn(GyouRecord::Hinmei, 1));
    EXPECT_EQ(field(), GyouRecord::Hinmei);
}

// ---------------------------------------------------------------------------------------------
// The unit list

TEST_F(KivViewInput, TheUnitListWritesTheUnitOverAllFourBytes) {
    std::string row = makeRow(1);
    row.replace(static_cast<std::size_t>(GyouRecord::layout(GyouRecord::Tanni).Offset), 4, sj("ヶ所"));
    open({row, makeRow(2)});
    placeCursor(1, 1, GyouRecord::Tanni);
    backend.expectDialog([](DialogDriver& dd) {
        EXPECT_EQ(dd.text(CTanniDialog::kTanni), sj("式"));
        const char* const units[] = {"ケ", "ヶ", "個", "本", "台", "枚", "基", "面", "式", "組", "ヶ所", "箇所", "ｍ", "㎡", "ｍ2", "ｍ3"};
        ASSERT_EQ(dd.dialog().getCount(CTanniDialog::kTanni), 16);
        for (int k = 0; k < 16; ++k)
            EXPECT_EQ(dd.dialog().getLbText(CTanniDialog::kTanni, k), sj(units[k]));
        dd.select(CTanniDialog::kTanni, 3).click(IDOK);
    }, CTanniDialog::kDialogId);
    backend.sendMouse(*view, MouseEvent::RButtonDown, pointIn(GyouRecord::Hinmei, 2));
    EXPECT_EQ(stored(1, GyouRecord::Tanni) + stored(1, GyouRecord::TanniTail), sj("本") + "  ");
    EXPECT_EQ(shown(GyouRecord::Tanni, 1) + shown(GyouRecord::TanniTail, 1), sj("本") + "  ");
    EXPECT_EQ(field(), GyouRecord::TanniTail);
    EXPECT_EQ(doc->m_NeedRecalc, 1);
    // OK on the preset 式; a typed unit is cut to the unit's 4 bytes as it is typed.
    placeCursor(1, 1, GyouRecord::Tanni);
    backend.expectDialog([](DialogDriver& dd) {
        dd.type(CTanniDialog::kTanni, "ABCDE");
        EXPECT_EQ(dd.text(CTanniDialog::kTanni), "ABCD");
        dd.click(IDCANCEL);
    }, CTanniDialog::kDialogId);
    backend.sendMouse(*view, MouseEvent::RButtonDown, {0, 0});
    EXPECT_EQ(stored(1, GyouRecord::Tanni) + stored(1, GyouRecord::TanniTail), sj("本") + "  ");
    backend.expectDialog([](DialogDriver& dd) { dd.click(IDOK); }, CTanniDialog::kDialogId);
    backend.sendMouse(*view, MouseEvent::RButtonDown, {0, 0});
    EXPECT_EQ(stored(1, GyouRecord::Tanni) + stored(1, GyouRecord::TanniTail), sj("式") + "  ");
}

// ---------------------------------------------------------------------------------------------
// Mouse

TEST_F(KivViewInput, AClickMovesTheCursorToTheCellItHits) {
    open(namedRows(3));
    placeCursor(1, 1, GyouRecord::Kigou);
    clickOn(GyouRecord::Hinmei, 3);
    EXPECT_EQ(cursorRow(), 3);
    EXPECT_EQ(field(), GyouRecord::Hinmei);
    EXPECT_EQ(cell(GyouRecord::Hinmei), padded(GyouRecord::Hinmei, "R3"));
    EXPECT_TRUE(view->imeOpen());
    EXPECT_EQ(recalcKoumoku, 0);
    // One cell left of a number's first cell still hits it; a numeric cell recalculates.
    backend.sendClick(*view, pointIn(GyouRecord::Tanka1, 2, -1));
    EXPECT_EQ(cursorRow(), 2);
    EXPECT_EQ(field(), GyouRecord::Tanka1);
    EXPECT_EQ(recalcKoumoku, 1);
    EXPECT_FALSE(view->imeOpen());
    // A computed cell is never hit: the cursor stays.
    backend.sendClick(*view, pointIn(GyouRecord::Kingaku1, 1, 6));
    EXPECT_EQ(cursorRow(), 2);
    EXPECT_EQ(field(), GyouRecord::Tanka1);
    // The row after the last is appended, cursor on its 記号; further below nothing happens.
    clickOn(GyouRecord::Hinmei, 4);
    EXPECT_EQ(doc->m_GyouCount, 4);
    EXPECT_EQ(cursorRow(), 4);
    EXPECT_EQ(field(), GyouRecord::Kigou);
    EXPECT_EQ(stored(4, GyouRecord::KoumokuNo) + stored(4, GyouRecord::GyouNo), "00010004");
    EXPECT_EQ(stored(4, GyouRecord::Hokyuu), "  1.0");
    clickOn(GyouRecord::Hinmei, 6);
    EXPECT_EQ(doc->m_GyouCount, 4);
    EXPECT_EQ(cursorRow(), 4);
}

// ---------------------------------------------------------------------------------------------
// Keys

TEST_F(KivViewInput, ArrowsCommitTheRowAndEnterRecalculatesTheItem) {
    open(namedRows(3));
    placeCursor(2, 2, GyouRecord::HiroidasiSuu1);
    type("4");
    backend.sendKeyDown(*view, VK_DOWN);
    EXPECT_EQ(recalcGyou, 1);
    EXPECT_EQ(stored(2, GyouRecord::HiroidasiSuu1), num(GyouRecord::HiroidasiSuu1, "4"));
    backend.sendKeyDown(*view, VK_UP);
    EXPECT_EQ(recalcGyou, 2);
    backend.sendKeyDown(*view, VK_RIGHT);   // leaves the numeric cell
    EXPECT_EQ(recalcGyou, 3);
    placeCursor(2, 2, GyouRecord::Hinmei);
    backend.sendKeyDown(*view, VK_RIGHT);   // moves inside the text
    EXPECT_EQ(recalcGyou, 3);
    EXPECT_EQ(recalcKoumoku, 0);
    enter();                                 // Enter on text: no item recalculation
    EXPECT_EQ(recalcKoumoku, 0);
    EXPECT_EQ(field(), GyouRecord::Kikaku);
    placeCursor(2, 2, GyouRecord::Tanka2);
    enter();
    EXPECT_EQ(recalcKoumoku, 1);
    EXPECT_EQ(recalcGyou, 3);
}

TEST_F(KivViewInput, HomeAndTheFunctionKeysStartTheirCommands) {
    open(namedRows(2));
    const int ids[] = {32779, 32793, 32794, 32786, 32787, 32788, 32789};
    // The commands as the application would route them from a menu.
    struct RecordingApp : kiv::ui::App {
        std::vector<int> ran;
        explicit RecordingApp(const int (&ids)[7]) {
            for (int id : ids)
                onCommandId(id, [this, id] { ran.push_back(id); });
        }
    };
    {
        RecordingApp commands(ids);
        for (int vk : {VK_HOME, VK_F1, VK_F2, VK_F3, VK_F4, VK_F5, VK_F6})
            backend.sendKeyDown(*view, vk);
        std::vector<int> want(std::begin(ids), std::end(ids));
        EXPECT_EQ(commands.ran, want);
        // Released, F6 starts 項目削除 as well; no other key-up starts anything.
        for (int vk : {VK_F1, VK_F5, VK_RETURN, VK_F6})
            backend.sendKeyUp(*view, vk);
        want.push_back(32789);
        EXPECT_EQ(commands.ran, want);
    }
    EXPECT_EQ(PendingBlockCommand(), 0);
}

// ---------------------------------------------------------------------------------------------
// The two-click row range

struct RecordedRange {
    int runs = 0, start = 0, end = 0, count = 0, state = 0;
};

std::function<void(CKivView&)> recorder(RecordedRange& r) {
    return [&r](CKivView&) {
        ++r.runs;
        r.start = g_BlockStartGyou;
        r.end = g_BlockEndGyou;
        r.count = g_BlockGyouCount;
        r.state = g_BlockSelectState;
        ClearBlockSelect();
    };
}

TEST_F(KivViewInput, ARangeCommandGetsItsRowsFromTwoClicksOrTwoEnters) {
    open(namedRows(5));
    RecordedRange r;
    QueueKivAnswer(true);
    ASSERT_TRUE(StartBlockSelect(*view, 32821, recorder(r), "数量変換する行を指定してください"));
    EXPECT_EQ(g_BlockSelectState, 1);
    clickOn(GyouRecord::Hinmei, 2);
    EXPECT_EQ(g_BlockSelectState, 2);
    EXPECT_EQ(r.runs, 0);
    // Up and Down move without recalculating while the end row is awaited.
    backend.sendKeyDown(*view, VK_DOWN);
    EXPECT_EQ(recalcGyou, 0);
    clickOn(GyouRecord::Hinmei, 4);
    EXPECT_EQ(r.runs, 1);
    EXPECT_EQ(r.state, 2);
    EXPECT_EQ(r.start, 2);
    EXPECT_EQ(r.end, 4);
    EXPECT_EQ(r.count, 3);
    EXPECT_EQ(cursorRow(), 4);
    EXPECT_EQ(g_BlockSelectState, 0);
    // One row, by Enter.
    QueueKivAnswer(true);
    ASSERT_TRUE(StartBlockSelect(*view, 32821, recorder(r), "?"));
    placeCursor(3, 3, GyouRecord::Hinmei);
    enter();
    enter();
    EXPECT_EQ(r.runs, 2);
    EXPECT_EQ(r.start, 3);
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(field(), GyouRecord::Hinmei);   // Enter took the range step only
    // Cancel leaves nothing waiting.
    QueueKivAnswer(false);
    EXPECT_FALSE(StartBlockSelect(*view, 32821, recorder(r), "?"));
    EXPECT_EQ(PendingBlockCommand(), 0);
    EXPECT_EQ(g_BlockSelectState, 0);
}

TEST_F(KivViewInput, AWrongOrReplacedRangeRunsNothingAndOtherEstimatesTakeNoStep) {
    open(namedRows(5));
    RecordedRange first, second;
    // End before start: the message, and nothing waits any more.
    QueueKivAnswer(true);
    ASSERT_TRUE(StartBlockSelect(*view, 32821, recorder(first), "?"));
    clickOn(GyouRecord::Hinmei, 4);
    clickOn(GyouRecord::Hinmei, 2);
    EXPECT_EQ(messages(), std::vector<std::string>{"開始行が終了行より大きすぎます。再入力してください。"});
    EXPECT_EQ(g_BlockSelectState, 0);
    EXPECT_EQ(PendingBlockCommand(), 0);
    clickOn(GyouRecord::Hinmei, 1);
    clickOn(GyouRecord::Hinmei, 3);
    EXPECT_EQ(first.runs, 0);
    // A second range command replaces the first.
    QueueKivAnswer(true);
    QueueKivAnswer(true);
    ASSERT_TRUE(StartBlockSelect(*view, 32821, recorder(first), "?"));
    ASSERT_TRUE(StartBlockSelect(*view, 32811, recorder(second), "?"));
    EXPECT_EQ(PendingBlockCommand(), 32811);
    // Another estimate's clicks and Enter take no range step.
    CKivDoc other;
    other.ClearGyou();
    for (int k = 0; k < 3; ++k)
        other.SetPoolGyou(k, namedRows(3)[static_cast<std::size_t>(k)]);
    other.SetPoolGyouCount(3);
    other.RebuildGyouIndex();
    other.m_CurKoumoku[0] = 1;
    other.LoadKoumokuGyou();
    CKivView otherView;
    otherView.SetDocument(&other);
    ASSERT_TRUE(otherView.create(nullptr, Rect::fromSize(0, 0, kClientWidth, 14 * kLineHeight)));
    backend.sendClick(otherView, pointIn(GyouRecord::Hinmei, 1));
    backend.sendChar(otherView, '\r');
    EXPECT_EQ(g_BlockSelectState, 1);
    backend.focus(*view);
    clickOn(GyouRecord::Hinmei, 1);
    clickOn(GyouRecord::Hinmei, 2);
    EXPECT_EQ(first.runs, 0);
    EXPECT_EQ(second.runs, 1);
    EXPECT_EQ(second.count, 2);
    otherView.SetDocument(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Converted prices

std::string convertedRow(int gyou, const std::string& bikou1 = "単価表1") {
    const std::string marker = "見積価格ｘ0.8500";
    return makeRow(gyou, {{GyouRecord::Tanka1, "850"},
                          {GyouRecord::Zai1MotoTanka, "1000"},
                          {GyouRecord::Zai2MotoTanka, "200"},
                          {GyouRecord::Kakeritu, "0.8500"},
                          {GyouRecord::Bikou1, sj(bikou1.c_str())},
                          {GyouRecord::Bikou2, sj(marker.c_str())},
                          {GyouRecord::Zai1Bikou, sj(marker.c_str())},
                          {GyouRecord::Zai2Bikou, sj(marker.c_str())}});
}

TEST_F(KivViewInput, TypingOverAConvertedPriceDropsTheConversionData) {
    const std::string marker = sj("見積価格ｘ0.8500");
    open({convertedRow(1), makeRow(2)});
    placeCursor(1, 1, GyouRecord::Tanka1);
    type("900");
    enter();
    EXPECT_EQ(messages(), std::vector<std::string>{
        "行を指定して単価変換機能で作成された単価なので元の単価をクリアします。新規に単価変換してください。"});
    EXPECT_EQ(stored(1, GyouRecord::Tanka1), "       900");
    EXPECT_EQ(stored(1, GyouRecord::Bikou1), padded(GyouRecord::Bikou1, sj("単価表1")));
    EXPECT_EQ(stored(1, GyouRecord::Zai2Bikou), padded(GyouRecord::Zai2Bikou, marker));
    for (int f : {GyouRecord::Kakeritu, GyouRecord::Zai1MotoTanka, GyouRecord::Zai2MotoTanka, GyouRecord::Bikou2,
                  GyouRecord::Zai1Bikou}) {
        SCOPED_TRACE(f);
        EXPECT_TRUE(GyouRecord::isBlank(doc->WorkGyouAt(1), f));
    }
    EXPECT_GE(recalcGyou, 1);
    // The marker moved into 備考1 and detail remark 1 by the table numbering goes as well.
    ClearKivPrompts();
    std::string moved = convertedRow(2, "見積価格ｘ0.8500");
    GyouRecord::blank(moved, GyouRecord::Bikou2);
    doc->EditWorkGyou(2) = moved;
    placeCursor(2, 2, GyouRecord::Tanka1);
    type("5");
    backend.sendKeyDown(*view, VK_UP);
    EXPECT_EQ(messages().size(), 1u);
    for (int f : {GyouRecord::Bikou1, GyouRecord::Zai1Bikou, GyouRecord::Zai1MotoTanka})
        EXPECT_TRUE(GyouRecord::isBlank(doc->WorkGyouAt(2), f)) << f;
}

TEST_F(KivViewInput, AnUntouchedConvertedPriceKeepsItsDataAndDeleteDropsIt) {
    open({convertedRow(1), makeRow(2)});
    // Enter without typing, and after digits typed into another cell: nothing.
    placeCursor(1, 1, GyouRecord::Tanka1);
    enter();
    placeCursor(1, 1, GyouRecord::HiroidasiSuu1);
    type("5");
    clickOn(GyouRecord::Tanka1, 1);
    enter();
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(stored(1, GyouRecord::Zai1MotoTanka), "      1000");
    EXPECT_EQ(stored(1, GyouRecord::Kakeritu), "0.8500");
    // Cut and cell undo are refused on a converted row, whatever the field.
    view->WarnGyouTankaHenkan();
    EXPECT_EQ(view->m_EditRefused, 1);
    EXPECT_EQ(messages(), std::vector<std::string>{"行を指定して単価変換された単価なので要注意"});
    ClearKivPrompts();
    // Delete blanks the price and drops the conversion data.
    placeCursor(1, 1, GyouRecord::Tanka1);
    backend.sendKeyDown(*view, VK_DELETE);
    EXPECT_EQ(messages().size(), 1u);
    EXPECT_TRUE(GyouRecord::isBlank(doc->WorkGyouAt(1), GyouRecord::Tanka1));
    EXPECT_TRUE(GyouRecord::isBlank(doc->WorkGyouAt(1), GyouRecord::Zai1MotoTanka));
    view->WarnGyouTankaHenkan();
    EXPECT_EQ(view->m_EditRefused, 0);
}

// ---------------------------------------------------------------------------------------------
// Writing the estimate

TEST_F(KivViewInput, DigitsNotYetCommittedAreWrittenAndCountAsAChange) {
    open(namedRows(2));
    placeCursor(1, 1, GyouRecord::HiroidasiSuu1);
    type("77");
    EXPECT_FALSE(doc->IsModified());
    std::string backup;
    CKivDoc::s_BackupWriter = [&backup](CKivDoc& d) { backup = d.SerializeKivFile(); };
    doc->SaveBkUp();
    EXPECT_NE(backup.find(num(GyouRecord::HiroidasiSuu1, "77")), std::string::npos);
    EXPECT_TRUE(doc->IsModified());
    // The save-changes question is asked for them.
    doc->SetModifiedFlag(false);
    placeCursor(1, 1, GyouRecord::HiroidasiSuu1);
    type("8");
    backend.expectMessageBox(IDNO, "変更を保存");
    EXPECT_TRUE(doc->saveModified());
}

TEST_F(KivViewInput, TheTextEntryWindowIsMadeHiddenWhenTheViewIsShown) {
    open(namedRows(1));
    ASSERT_NE(view->m_pMojiDialog, nullptr);
    const CMojiDialog* made = view->m_pMojiDialog.get();
    EXPECT_TRUE(view->m_pMojiDialog->isCreated());
    view->dispatchShow(false);
    view->dispatchShow(true);
    EXPECT_EQ(view->m_pMojiDialog.get(), made);
    EXPECT_FALSE(view->m_pMojiDialog->isVisible());
    EXPECT_EQ(view->m_pMojiDialog->dialogTemplate().id, CMojiDialog::kDialogId);
}

TEST_F(KivViewInput, ARowTypedAsAUserWouldComesBackFromTheFile) {
    open(namedRows(1));
    // Row 2, the row after the item's last: 品名 by the input method, 規格, the quantity, the
    // unit from the list, the price, Enter.
    clickOn(GyouRecord::Hinmei, 2);
    clickOn(GyouRecord::Hinmei, 2);
    backend.sendText(*view, "配管");
    clickOn(GyouRecord::Kikaku, 2);
    backend.sendText(*view, "VE16");
    clickOn(GyouRecord::HiroidasiSuu1, 2);
    type("10");
    clickOn(GyouRecord::Tanni, 2);
    backend.expectDialog([](DialogDriver& dd) { dd.click(IDOK); }, CTanniDialog::kDialogId);
    backend.sendMouse(*view, MouseEvent::RButtonDown, pointIn(GyouRecord::Tanni, 2));
    clickOn(GyouRecord::Tanka1, 2);
    type("1500");
    enter();
    const std::string typed = doc->WorkGyouAt(2);
    EXPECT_EQ(GyouRecord::raw(typed, GyouRecord::Hinmei), padded(GyouRecord::Hinmei, sj("配管")));
    EXPECT_EQ(GyouRecord::raw(typed, GyouRecord::Kikaku), padded(GyouRecord::Kikaku, "VE16"));
    EXPECT_EQ(GyouRecord::raw(typed, GyouRecord::HiroidasiSuu1), num(GyouRecord::HiroidasiSuu1, "10"));
    EXPECT_EQ(std::string(GyouRecord::raw(typed, GyouRecord::Tanni)) + std::string(GyouRecord::raw(typed, GyouRecord::TanniTail)),
              sj("式") + "  ");
    EXPECT_EQ(GyouRecord::raw(typed, GyouRecord::Tanka1), num(GyouRecord::Tanka1, "1500"));
    EXPECT_EQ(GyouRecord::raw(typed, GyouRecord::Hokyuu), "  1.0");

    kiv::test::TempDir dir;
    const std::string path = (dir / "typed.KIV").string();
    ASSERT_TRUE(doc->OnSaveDocument(path));
    CKivDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(path));
    reopened.m_CurKoumoku[0] = 1;
    reopened.LoadKoumokuGyou();
    ASSERT_EQ(reopened.m_GyouCount, 2);
    EXPECT_EQ(reopened.WorkGyouAt(2), typed);
}

// ---------------------------------------------------------------------------------------------
// The detail dialog

TEST_F(KivViewInput, EnterOnAPriceMadeByTheDetailLinesSaysSoAndOpensTheDetail) {
    const char* const fuku = "常時複合単価表示になっています。詳細で入力してください。";
    const char* const zai = "複数の材料が登録されています。詳細で入力してください。";
    struct Case {
        const char* what;
        const char* fukuHyouji;
        const char* zaiGoukei;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"101", "1", "", {fuku}},
        {"102", "", "1", {zai}},
        {"both", "1", "1", {fuku, zai}},
        {"neither", "", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearKivPrompts();
        open({makeRow(1, {{GyouRecord::Tanka1, "100"}, {GyouRecord::FukuHyouji, c.fukuHyouji},
                          {GyouRecord::ZaiGoukei, c.zaiGoukei}}),
              makeRow(2)});
        // Each message is followed by the row's detail dialog.
        std::vector<std::size_t> messagesBeforeDialog;
        for (std::size_t k = 0; k < c.messages.size(); ++k)
            backend.expectDialog([&](DialogDriver& dd) {
                messagesBeforeDialog.push_back(messages().size());
                dd.click(IDCANCEL);
            }, res::IDD_KIVDIALOG);
        placeCursor(1, 1, GyouRecord::Tanka1);
        recalcKoumoku = 0;
        enter();
        EXPECT_EQ(messages(), c.messages);
        std::vector<std::size_t> expected;
        for (std::size_t k = 1; k <= c.messages.size(); ++k)
            expected.push_back(k);
        EXPECT_EQ(messagesBeforeDialog, expected);
        // Then the item is recalculated and the cursor goes on.
        EXPECT_EQ(recalcKoumoku, 1);
        EXPECT_EQ(field(), GyouRecord::Tanka2);
        EXPECT_EQ(cursorRow(), 1);
    }
}

TEST_F(KivViewInput, TheRightButtonOpensTheRowsDetailDialog) {
    open(namedRows(2));
    placeCursor(2, 2, GyouRecord::Hinmei);
    backend.expectDialog([](DialogDriver& dd) {
        EXPECT_EQ(dd.text(res::IDC_HINMEI).substr(0, 2), "R2");
        dd.click(IDCANCEL);
    }, res::IDD_KIVDIALOG);
    backend.sendMouse(*view, MouseEvent::RButtonDown, pointIn(GyouRecord::Hinmei, 1));
    EXPECT_EQ(recalcKoumoku, 1);
    EXPECT_EQ(cursorRow(), 2);
    EXPECT_EQ(field(), GyouRecord::Kikaku);
    // On the row after the item's last, that row joins the item, so what the dialog gives is kept.
    placeCursor(3, 3, GyouRecord::Hinmei);
    backend.expectDialog([](DialogDriver& dd) {
        dd.type(res::IDC_HINMEI, "NEW");
        dd.click(IDOK);
    }, res::IDD_KIVDIALOG);
    backend.sendMouse(*view, MouseEvent::RButtonDown, pointIn(GyouRecord::Hinmei, 1));
    EXPECT_EQ(doc->m_GyouCount, 3);
    EXPECT_EQ(stored(3, GyouRecord::Hinmei), padded(GyouRecord::Hinmei, "NEW"));
    EXPECT_EQ(stored(3, GyouRecord::KoumokuNo) + stored(3, GyouRecord::GyouNo), "00010003");
}

// ---------------------------------------------------------------------------------------------
// What the estimate grid does otherwise than the master and totals grids

TEST_F(KivViewInput, TheEstimateGridsOwnRulesForDeleteShowScrollAndEnter) {
    using G = GyouRecord;
    struct Case {
        const char* what;
        int gyou, field;                    // where the cursor is put
        std::function<void()> action;
        int storedGyou, storedField;        // the stored cell checked afterwards
        std::string stored;                 // ... and what it holds
        std::string buffer;                 // what the row buffer holds there (unchecked when empty)
        int cursorGyou, cursorField, top;   // where the cursor is afterwards
        int rows;                           // the item's row count afterwards
    };
    auto keys = [this](std::vector<int> vks) {
        return [this, vks] {
            for (int vk : vks)
                backend.sendKeyDown(*view, vk);
        };
    };
    auto chars = [this](std::string cs) {
        return [this, cs] {
            for (char c : cs)
                backend.sendChar(*view, static_cast<unsigned char>(c));
        };
    };
    const Case cases[] = {
        // Backspace, Esc and Delete change only the row buffer; the row is stored when the
        // cursor leaves it.
        {"Delete on a number", 2, G::HiroidasiSuu1, keys({VK_DELETE}), 2, G::HiroidasiSuu1, num(G::HiroidasiSuu1, "5"),
         std::string(8, ' '), 2, G::HiroidasiSuu1, 1, 4},
        {"Esc on a number", 2, G::Tanka1, chars("\x1b"), 2, G::Tanka1, num(G::Tanka1, "200"), std::string(10, ' '), 2,
         G::Tanka1, 1, 4},
        {"Backspace in a text", 2, G::Hinmei, [&] { keys({VK_RIGHT, VK_RIGHT})(); chars("\b")(); }, 2, G::Hinmei,
         padded(G::Hinmei, "AB"), padded(G::Hinmei, "A"), 2, G::Hinmei, 1, 4},
        {"Delete in a text", 2, G::Hinmei, keys({VK_DELETE}), 2, G::Hinmei, padded(G::Hinmei, "AB"),
         padded(G::Hinmei, "B"), 2, G::Hinmei, 1, 4},
        {"Delete, then the row left", 2, G::HiroidasiSuu1, keys({VK_DELETE, VK_DOWN}), 2, G::HiroidasiSuu1,
         std::string(8, ' '), "", 3, G::HiroidasiSuu1, 1, 4},
        // Shown again, the grid keeps the item, the row and the field, the row at the top.
        {"hidden and shown", 3, G::Tanka1, [this] {
             view->dispatchShow(false);
             view->dispatchShow(true);
         }, 3, G::Tanka1, num(G::Tanka1, "300"), "", 3, G::Tanka1, 2, 4},
        // A sideways scroll keeps the field's number, on screen or not.
        {"scrolled sideways", 2, G::HiroidasiSuu1, [this] {
             backend.sendScroll(*view, SB_HORZ, SB_LINERIGHT);
             backend.sendScroll(*view, SB_HORZ, SB_LINERIGHT);
             EXPECT_EQ(view->m_HScrollPairs, 2);   // the quantities' pair scrolled away
         }, 2, G::HiroidasiSuu1, num(G::HiroidasiSuu1, "5"), "", 2, G::HiroidasiSuu1, 1, 4},
        // Enter on a number in the empty row after the last appends a new row, as any new row
        // is made: its supply factor 1.0.
        {"Enter after the last row", 5, G::HiroidasiSuu1, [this] { enter(); }, 5, G::Hokyuu, "  1.0", "", 5,
         G::HiroidasiSuu2, 0, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> rows;
        for (int k = 1; k <= 4; ++k)
            rows.push_back(makeRow(k, {{G::Hinmei, "AB"}, {G::HiroidasiSuu1, std::to_string(k + 3)},
                                       {G::Tanka1, std::to_string(k * 100)}}));
        open(rows);
        placeCursor(c.gyou, c.gyou == 5 ? 5 : 1, c.field);
        c.action();
        EXPECT_EQ(stored(c.storedGyou, c.storedField), c.stored);
        if (!c.buffer.empty())
            EXPECT_EQ(cell(c.storedField), c.buffer);
        EXPECT_EQ(doc->m_CurKoumoku[0], 1);
        EXPECT_EQ(cursorRow(), c.cursorGyou);
        EXPECT_EQ(field(), c.cursorField);
        EXPECT_EQ(topRows(), c.top);
        EXPECT_EQ(doc->m_GyouCount, c.rows);
    }
}

} // namespace
