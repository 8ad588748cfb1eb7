// Moving the estimate grid's cursor: fields and rows by Enter and the arrow keys, appending a row
// past the last field, the caret, and scrolling by the scroll bars, the wheel and the pan gesture.
#include "grid/KivViewFixture.h"

using namespace kivtest;
using namespace kiv::ui;

namespace {

class KivViewNavigation : public KivViewFixture {};

TEST_F(KivViewNavigation, EnterMovesToTheNextFieldTheCursorStopsOn) {
    open(namedRows(3));
    struct Case {
        int pairs, from, to;
    };
    const Case cases[] = {
        {0, 3, 5},   // 4 is a blank cell
        {0, 6, 7},
        {0, 8, 11},  // 9 and 10 are computed
        {0, 14, 19}, // 15-18 are computed
        {0, 33, 35}, // 34 is a blank cell
        {0, 35, 36}, // the last field takes the cursor
        {1, 6, 11},  // the pair (7, 8) scrolled away
        {8, 6, 23},  // every pair scrolled away
        {8, 35, 36},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + " with " + std::to_string(c.pairs) + " pairs");
        view->m_HScrollPairs = c.pairs;
        placeCursor(1, 1, c.from);
        enter();
        EXPECT_EQ(field(), c.to);
        EXPECT_EQ(cursorRow(), 1);
    }
    // Past field 36: field 3 of the next row, the caret on its cells.
    view->m_HScrollPairs = 0;
    placeCursor(1, 1, 36);
    enter();
    EXPECT_EQ(field(), 3);
    EXPECT_EQ(cursorRow(), 2);
    EXPECT_EQ(screenRow(), 2);
    EXPECT_EQ(view->m_EditGyou.substr(16, 2), "R2");
    EXPECT_EQ(view->caret().pos, (Point{6 * kCharWidth, 4 * kLineHeight}));
    EXPECT_TRUE(view->caret().visible);
    EXPECT_EQ(doc->m_GyouCount, 3);
    EXPECT_FALSE(doc->IsModified());   // moving over rows changes nothing
}

TEST_F(KivViewNavigation, LeftMovesToThePreviousFieldButNeverBeforeField3) {
    open(namedRows(2));
    struct Case {
        int from, to;
    };
    for (const Case& c : {Case{11, 8}, Case{5, 3}, Case{3, 3}, Case{19, 14}, Case{35, 33}}) {
        SCOPED_TRACE(c.from);
        placeCursor(2, 2, c.from);
        backend.sendKeyDown(*view, VK_LEFT);
        EXPECT_EQ(field(), c.to);
        EXPECT_EQ(cursorRow(), 2);
    }
    // Inside a text cell Left and Right move the caret over whole characters first.
    view->m_EditGyou.replace(16, 6, sj("漢字") + "ab");
    view->StoreGyou();
    placeCursor(2, 2, 5);
    for (int i = 0; i < 3; ++i)
        backend.sendKeyDown(*view, VK_RIGHT);
    EXPECT_EQ(view->m_CaretOfs, 5);
    backend.sendKeyDown(*view, VK_LEFT);
    backend.sendKeyDown(*view, VK_LEFT);
    EXPECT_EQ(view->m_CaretOfs, 2);
    backend.sendKeyDown(*view, VK_LEFT);
    EXPECT_EQ(view->m_CaretOfs, 0);
    EXPECT_EQ(field(), 5);
    // Right on a number leaves the cell at once; the input method follows the cell's kind.
    placeCursor(2, 2, 7);
    backend.sendKeyDown(*view, VK_RIGHT);
    EXPECT_EQ(field(), 8);
    EXPECT_FALSE(view->imeOpen());
    backend.sendKeyDown(*view, VK_RIGHT);
    EXPECT_EQ(field(), 11);
    EXPECT_TRUE(view->imeOpen());
    // Right from the master category number reaches its row number, the row's last field.
    placeCursor(2, 2, 35);
    backend.sendKeyDown(*view, VK_RIGHT);
    EXPECT_EQ(field(), 36);
    EXPECT_EQ(cursorRow(), 2);
}

TEST_F(KivViewNavigation, PassingTheLastFieldOfTheLastRowAppendsARow) {
    open(namedRows(3));
    backend.sendKeyDown(*view, VK_DOWN);
    backend.sendKeyDown(*view, VK_DOWN);
    ASSERT_EQ(cursorRow(), 3);
    const int pool = doc->PoolGyouCount();
    view->m_CurField[0] = 36;
    view->CalcFieldPos();
    enter();
    EXPECT_EQ(doc->m_GyouCount, 4);
    EXPECT_EQ(doc->PoolGyouCount(), pool + 1);
    EXPECT_EQ(cursorRow(), 4);
    EXPECT_EQ(screenRow(), 4);
    EXPECT_EQ(field(), 3);
    std::string expected = GyouRecord::blankRow();
    expected.replace(0, 8, "00010004");
    expected.replace(272, 5, "  1.0");
    EXPECT_EQ(doc->WorkGyouAt(4), expected);
    EXPECT_EQ(view->m_EditGyou, expected);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(shown(2, 4), "0004");
    EXPECT_EQ(shown(29, 4), "  1.0");
    EXPECT_EQ(shown(5, 3), padded(5, "R3"));
    // The new row reaches the pool with the item.
    view->StoreKoumoku();
    doc->LoadKoumokuGyou();
    EXPECT_EQ(doc->m_GyouCount, 4);
}

TEST_F(KivViewNavigation, PassingTheLastFieldOnTheLastScreenRowScrollsOneRow) {
    open(namedRows(8));   // six rows on screen
    placeCursor(6, 6, 36);
    enter();
    EXPECT_EQ(cursorRow(), 7);
    EXPECT_EQ(screenRow(), 6);
    EXPECT_EQ(topRows(), 1);
    EXPECT_EQ(field(), 3);
    for (int s = 1; s <= 6; ++s)
        EXPECT_EQ(shown(5, s), padded(5, "R" + std::to_string(s + 1))) << "screen row " << s;
    EXPECT_EQ(view->caret().pos.y, 12 * kLineHeight);
    // Once more from the item's last row: a row is appended on the last screen row.
    placeCursor(8, 6, 36);
    doc->m_TopGyou[0] = 2;
    view->RedrawGyou();
    enter();
    EXPECT_EQ(doc->m_GyouCount, 9);
    EXPECT_EQ(cursorRow(), 9);
    EXPECT_EQ(topRows(), 3);
    EXPECT_EQ(shown(5, 5), padded(5, "R8"));
    EXPECT_EQ(shown(2, 6), "0009");
}

TEST_F(KivViewNavigation, UpAndDownMoveRowsAndScrollAtTheScreenEdges) {
    open(namedRows(8));
    for (int i = 0; i < 5; ++i)
        backend.sendKeyDown(*view, VK_DOWN);
    EXPECT_EQ(cursorRow(), 6);
    EXPECT_EQ(screenRow(), 6);
    backend.sendKeyDown(*view, VK_DOWN);   // on the last screen row: the grid scrolls
    EXPECT_EQ(cursorRow(), 7);
    EXPECT_EQ(screenRow(), 6);
    EXPECT_EQ(topRows(), 1);
    EXPECT_EQ(shown(5, 6), padded(5, "R7"));
    backend.sendKeyDown(*view, VK_DOWN);
    backend.sendKeyDown(*view, VK_DOWN);   // to the row after the item's last, shown empty
    EXPECT_EQ(cursorRow(), 9);
    EXPECT_EQ(topRows(), 3);
    EXPECT_EQ(shown(5, 5), padded(5, "R8"));
    EXPECT_EQ(shown(5, 6), std::string(30, ' '));
    backend.sendKeyDown(*view, VK_DOWN);   // never further
    EXPECT_EQ(cursorRow(), 9);
    EXPECT_EQ(doc->m_GyouCount, 8);
    // Passing the last field there makes that row the item's last and moves below it.
    view->m_CurField[0] = 36;
    view->CalcFieldPos();
    enter();
    EXPECT_EQ(doc->m_GyouCount, 10);
    EXPECT_EQ(cursorRow(), 10);
    EXPECT_EQ(GyouRecord::raw(doc->WorkGyouAt(9), GyouRecord::GyouNo), "0009");
    // Up to the top of the screen, then the grid scrolls back.
    for (int i = 0; i < 5; ++i)
        backend.sendKeyDown(*view, VK_UP);
    EXPECT_EQ(screenRow(), 1);
    EXPECT_EQ(cursorRow(), 5);
    backend.sendKeyDown(*view, VK_UP);
    EXPECT_EQ(screenRow(), 1);
    EXPECT_EQ(cursorRow(), 4);
    EXPECT_EQ(topRows(), 3);
    EXPECT_EQ(shown(5, 1), padded(5, "R4"));
    EXPECT_EQ(shown(5, 2), padded(5, "R5"));
    EXPECT_EQ(view->scrollBar(SB_VERT).max, 6);
}

TEST_F(KivViewNavigation, ScrollBarCodesStepOneRowAtATime) {
    open(namedRows(8));
    placeCursor(2, 2, 5);
    auto top = [&] { return shown(5, 1); };

    backend.sendScroll(*view, SB_VERT, SB_LINEDOWN);
    EXPECT_EQ(topRows(), 1);
    EXPECT_EQ(cursorRow(), 3);   // the cursor keeps its screen row and field
    EXPECT_EQ(screenRow(), 2);
    EXPECT_EQ(field(), 5);
    EXPECT_EQ(top(), padded(5, "R2"));
    EXPECT_EQ(shown(5, 6), padded(5, "R7"));
    EXPECT_EQ(view->scrollBar(SB_VERT).max, 8);
    EXPECT_EQ(view->scrollPos(SB_VERT), 3);

    backend.sendScroll(*view, SB_VERT, SB_PAGEDOWN);   // three steps allowed, two possible
    EXPECT_EQ(topRows(), 3);
    EXPECT_EQ(shown(5, 5), padded(5, "R8"));
    EXPECT_EQ(shown(5, 6), std::string(30, ' '));
    backend.sendScroll(*view, SB_VERT, SB_LINEDOWN);
    EXPECT_EQ(topRows(), 3);

    backend.sendScroll(*view, SB_VERT, SB_PAGEUP);
    EXPECT_EQ(topRows(), 0);
    EXPECT_EQ(cursorRow(), 2);
    EXPECT_EQ(top(), padded(5, "R1"));
    backend.sendScroll(*view, SB_VERT, SB_LINEUP);
    EXPECT_EQ(topRows(), 0);

    // Thumb tracking steps by comparing with the last thumb position: forward steps down, the
    // same position again steps up.
    backend.sendScroll(*view, SB_VERT, SB_THUMBTRACK, 5);
    EXPECT_EQ(topRows(), 1);
    backend.sendScroll(*view, SB_VERT, SB_THUMBTRACK, 5);
    EXPECT_EQ(topRows(), 0);
    backend.sendScroll(*view, SB_VERT, SB_THUMBTRACK, 5);
    EXPECT_EQ(topRows(), 0);   // nothing scrolled away: no step
    backend.sendScroll(*view, SB_VERT, SB_THUMBPOSITION, 7);
    EXPECT_EQ(topRows(), 0);
    EXPECT_EQ(g_LastThumbPos, 5);
    EXPECT_EQ(top(), padded(5, "R1"));
    EXPECT_EQ(view->caret().pos.y, 4 * kLineHeight);
}

TEST_F(KivViewNavigation, WheelAndPanStepOneRowPerMessage) {
    open(namedRows(3));
    backend.sendWheel(*view, -120);   // an item shorter than the screen does not scroll
    backend.sendWheel(*view, 120);
    EXPECT_EQ(topRows(), 0);
    EXPECT_EQ(cursorRow(), 1);

    view.reset();
    open(namedRows(9));
    backend.sendWheel(*view, -360);
    EXPECT_EQ(topRows(), 1);
    backend.sendWheel(*view, -1);
    EXPECT_EQ(topRows(), 2);
    EXPECT_EQ(cursorRow(), 3);
    EXPECT_EQ(shown(5, 1), padded(5, "R3"));
    EXPECT_EQ(view->scrollBar(SB_VERT).max, 9);
    backend.sendWheel(*view, 120);
    EXPECT_EQ(topRows(), 1);
    EXPECT_TRUE(view->OnGesturePan({0, 100}, {0, 40}));
    EXPECT_EQ(topRows(), 2);
    EXPECT_TRUE(view->OnGesturePan({0, 40}, {0, 100}));
    EXPECT_TRUE(view->OnGesturePan({0, 40}, {0, 40}));
    EXPECT_EQ(topRows(), 1);
    EXPECT_EQ(view->scrollBar(SB_VERT).max, 6);
}

TEST_F(KivViewNavigation, NothingMovesPastTheItemsRowLimit) {
    std::vector<std::string> rows = namedRows(3);
    rows.resize(CKivDoc::kKoumokuGyouMax, makeRow(4));
    for (int k = 4; k <= CKivDoc::kKoumokuGyouMax; ++k)
        GyouRecord::writeKey(rows[static_cast<std::size_t>(k - 1)], 1, k);
    open(rows);
    ASSERT_EQ(doc->m_GyouCount, 9999);
    placeCursor(9999, 6, 36);
    doc->m_TopGyou[0] = 9993;
    view->RedrawGyou();
    enter();
    ASSERT_EQ(KivRecordedMessages().size(), 1u);
    EXPECT_EQ(KivRecordedMessages()[0], "１項目の行数が最大値を超えました。これ以上は入力できません。");
    EXPECT_EQ(doc->m_GyouCount, 9999);
    EXPECT_EQ(cursorRow(), 9999);
    EXPECT_EQ(topRows(), 9993);
    EXPECT_EQ(field(), 36);
    backend.sendKeyDown(*view, VK_DOWN);
    backend.sendWheel(*view, -120);
    EXPECT_EQ(cursorRow(), 9999);
    EXPECT_EQ(topRows(), 9993);
    EXPECT_EQ(shown(2, 6), "9999");
}

} // namespace
