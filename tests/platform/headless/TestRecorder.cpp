// The headless screen's recording: scrolling moves what was drawn as pixels would, and the list
// of operations holds what the screen shows, so it stays the size of one screen however long a
// test scrolls and repaints.
#include <gtest/gtest.h>

#include "platform/headless/Recorder.h"

using namespace kiv::ui;
using kiv::ui::headless::DrawOp;
using kiv::ui::headless::Recorder;

namespace {

constexpr int kCw = 7, kLh = 18, kLines = 14, kWidth = 100 * kCw;
const Color kRowBack = rgb(200, 230, 200);

// Paints screen line `line` as a grid row would: a background strip, one opaque cell per
// character, a box and a rule.
void paintLine(Recorder& rec, int line, const std::string& text) {
    const int y = line * kLh;
    rec.fill(Rect{0, y, kWidth, y + kLh}, kRowBack, nullptr);
    Font f;
    f.height = 14;
    for (std::size_t i = 0; i < text.size(); ++i) {
        Rect cell = Rect::fromSize(static_cast<int>(i) * kCw, y, kCw, 14);
        rec.fill(cell, kWhite, nullptr);
        rec.putChar(cell, text.substr(i, 1), f, kBlack, kWhite, nullptr);
    }
    rec.frame(Rect{2, y + 1, kWidth - 2, y + kLh - 1}, Pen{});
    rec.line({0, y + kLh - 1}, {kWidth, y + kLh - 1}, Pen{PenStyle::Dot, 1, rgb(180, 200, 150)});
}

void paintScreen(Recorder& rec, int first) {
    rec.fill(Rect{0, 0, kWidth, kLines * kLh}, kWhite, nullptr);
    for (int l = 0; l < kLines; ++l)
        paintLine(rec, l, "row " + std::to_string(first + l) + std::string(60, '.'));
}

} // namespace

TEST(Recorder, AScrollMovesCellsFillsAndBoxesAndKeepsTheRest) {
    Recorder rec;
    rec.fill(Rect{0, 0, 200, 200}, kWhite, nullptr);
    Font f;
    rec.putChar(Rect::fromSize(10, 40, 8, 16), "A", f, kBlack, kWhite, nullptr);
    rec.putChar(Rect::fromSize(10, 0, 8, 16), "T", f, kBlack, kWhite, nullptr);   // above the area
    rec.fill(Rect{0, 40, 200, 60}, kRowBack, nullptr);
    rec.putChar(Rect::fromSize(10, 40, 8, 16), "B", f, kBlack, kRowBack, nullptr);
    rec.frame(Rect{5, 41, 150, 58}, Pen{});
    // Rows 20..200 move up by 20.
    rec.scroll(0, -20, Rect{0, 20, 200, 200});
    EXPECT_EQ(rec.textAt(10, 20, 1, 8), "B");
    EXPECT_EQ(rec.textAt(10, 0, 1, 8), "T");
    EXPECT_EQ(rec.textAt(10, 40, 1, 8), " ");
    EXPECT_EQ(rec.fillColorAt({50, 25}), kRowBack);
    EXPECT_EQ(rec.fillColorAt({50, 45}), kWhite);
    EXPECT_EQ(rec.fillColorAt({50, 5}), kWhite);
    // The strip that nothing moved onto keeps what it showed until it is painted.
    EXPECT_EQ(rec.fillColorAt({50, 190}), kWhite);
    auto frames = rec.opsOf(DrawOp::Frame);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].rect, (Rect{5, 21, 150, 38}));
    // Only what shows is left: the overdrawn "A", no copy of the moved row at its old place.
    auto texts = rec.opsOf(DrawOp::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "T");
    EXPECT_EQ(texts[1].text, "B");
    EXPECT_EQ(texts[1].rect.top, 20);
}

TEST(Recorder, ScrollingAndRepaintingKeepTheRecordingToOneScreen) {
    Recorder rec;
    paintScreen(rec, 1);
    const std::size_t oneScreen = rec.ops().size();
    const std::size_t oneScreenBytes = rec.approxBytes();
    // Three hundred steps down, each scrolling the lines up by one and painting the last.
    const Rect area{0, kLh, kWidth, kLines * kLh};
    for (int step = 1; step <= 300; ++step) {
        rec.scroll(0, -kLh, area);
        paintLine(rec, kLines - 1, "row " + std::to_string(kLines + step) + std::string(60, '.'));
    }
    EXPECT_EQ(rec.rowText(kLines * kLh - kLh, kCw).substr(0, 7), "row 314");
    EXPECT_EQ(rec.rowText(kLh, kCw).substr(0, 7), "row 302");
    EXPECT_EQ(rec.rowText(0, kCw).substr(0, 5), "row 1");   // above the area: never scrolled
    EXPECT_EQ(rec.fillColorAt({kWidth - 1, 5 * kLh + 15}), kRowBack);
    EXPECT_LE(rec.ops().size(), 2 * oneScreen);
    EXPECT_LE(rec.approxBytes(), 2 * oneScreenBytes);
    // Full repaints without a scroll: the older screens are covered whole and dropped as the
    // list grows (a hundred screens kept would take some 30 MB).
    for (int i = 0; i < 100; ++i)
        paintScreen(rec, i);
    EXPECT_LT(rec.approxBytes(), 4u * 1024 * 1024);
    EXPECT_EQ(rec.rowText(0, kCw).substr(0, 6), "row 99");
}
