// Moving down through a long item a row at a time: every step scrolls the grid, and the headless
// screen's recording stays the size of one screen.
#include "grid/KivViewFixture.h"

using namespace kivtest;
using namespace kiv::ui;

// Sixty steps are ten screens of scrolling and more, enough for a recording that kept every
// step to grow past three first screens.
TEST_F(KivViewFixture, StepsDownALongItemKeepTheRecordingSmall) {
    open(namedRows(150));
    const std::size_t firstPaint = screen().approxBytes();
    for (int i = 0; i < 60; ++i)
        backend.sendKeyDown(*view, VK_DOWN);
    EXPECT_EQ(doc->m_CurGyou[0], 61);
    EXPECT_EQ(doc->m_TopGyou[0], 61 - doc->m_ScreenGyou[0]);
    // The rows on the screen are the rows scrolled to.
    for (int s = 1; s <= doc->m_ScreenGyou[0]; ++s)
        EXPECT_EQ(shown(5, s), padded(5, "R" + std::to_string(doc->m_TopGyou[0] + s))) << "screen row " << s;
    EXPECT_LT(screen().approxBytes(), 4u * 1024 * 1024);
    EXPECT_LE(screen().approxBytes(), 3 * firstPaint) << firstPaint << " at first, screen rows " << doc->m_ScreenGyou[0];
}
