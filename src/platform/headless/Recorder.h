#pragma once
// The headless screen of one window: what was drawn on it, kept both as a list of drawing
// operations and as a map of character cells by pixel position, so a test can read back the
// text of a cell or a row, its colours, and the rectangles and lines drawn. Fills erase the
// cells under them and scrolling moves them, as pixels on a screen would.
//
// The list holds what is on the screen, not the whole history: an operation that later fills
// cover whole, or that was drawn again the same way, is dropped, and a scroll rewrites the list
// as the screen shows it afterwards. So a test that scrolls or repaints thousands of times keeps
// a recording the size of one screen.
#include "platform/ui/Dc.h"
#include "platform/ui/Types.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kiv::ui::headless {

struct DrawnCell {
    unsigned char byte = ' ';   // one CP932 byte; a double-byte character fills two cells
    Color text = kBlack;
    Color back = kWhite;
    Font font;
    int width = 0;              // the cell's width in pixels
};

struct DrawOp {
    enum Kind { Text, Fill, Line, Frame } kind = Fill;
    Rect rect;                  // Text: the character's cells; Fill and Frame: the rectangle
    Point from, to;             // Line
    std::string text;           // Text: one character's CP932 bytes
    Color color = kBlack;       // text colour, fill colour or pen colour
    Pen pen;
    Font font;
};

class Recorder {
public:
    void clear();

    // Cells by the pixel position of their top-left corner.
    std::optional<DrawnCell> cellAt(int x, int y) const;
    // `cells` cells from (x, y) stepping by cellWidth; a cell with nothing drawn reads as a blank.
    std::string textAt(int x, int y, int cells, int cellWidth) const;
    // The row of cells whose top is y, from x = 0 to the last drawn cell.
    std::string rowText(int y, int cellWidth) const;
    // Top-left corner of the first cell run (row by row, left to right) spelling the bytes.
    std::optional<Point> find(std::string_view cp932) const;
    // The colour of the last fill or brush covering the point (white when none).
    Color fillColorAt(Point p) const;

    const std::vector<DrawOp>& ops() const { return m_Ops; }
    std::vector<DrawOp> opsOf(DrawOp::Kind kind) const;
    // About how many bytes the recording takes (operations and cells, with their texts).
    std::size_t approxBytes() const;

    // Drawing, used by the recorder's device context.
    void putChar(const Rect& cell, std::string_view cp932, const Font& f, Color text, Color back, const Region* clip);
    void fill(const Rect& r, Color c, const Region* clip);
    void line(Point from, Point to, const Pen& pen);
    void frame(const Rect& r, const Pen& pen);
    void scroll(int dx, int dy, const Rect& r);

private:
    void push(DrawOp op);
    // Drops the operations that nothing on the screen shows any more.
    void compact();

    std::map<std::pair<int, int>, DrawnCell> m_Cells;   // (y, x)
    std::vector<DrawOp> m_Ops;
    std::size_t m_CompactAt = kFirstCompaction;   // list length at which push compacts
    static constexpr std::size_t kFirstCompaction = 16384;
};

// A device context drawing into a recorder, clipped to a region when one is given.
class RecorderDc : public Dc {
public:
    RecorderDc(Recorder& rec, const Region* clip) : m_Rec(rec) {
        if (clip) {
            m_Clip = *clip;
            m_HasClip = true;
        }
    }
    // Headless metrics: a cell is (height + 1) / 2 wide and height high.
    static TextMetrics metricsFor(const Font& f);

protected:
    TextMetrics metricsOf(const Font& f) const override { return metricsFor(f); }
    void fill(const Rect& r, Color c) override { m_Rec.fill(r, c, clip()); }
    void line(Point from, Point to, const Pen& pen) override { m_Rec.line(from, to, pen); }
    void frame(const Rect& r, const Pen& pen) override { m_Rec.frame(r, pen); }
    void glyph(const Rect& cell, std::string_view cp932, std::string_view, const Font& f, Color color) override {
        m_Rec.putChar(cell, cp932, f, color, bkColor(), clip());
    }

private:
    const Region* clip() const { return m_HasClip ? &m_Clip : nullptr; }
    Recorder& m_Rec;
    Region m_Clip;
    bool m_HasClip = false;
};

} // namespace kiv::ui::headless
