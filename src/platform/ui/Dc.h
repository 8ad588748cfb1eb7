#pragma once
// The device context: the one drawing interface of the screen, the printer and the headless
// recorder. It keeps the selected font, pen and brush, the colours and the current position,
// and lays text out cell by cell: a single-byte CP932 character takes exactly one cell of the
// font's average character width and a double-byte character exactly two, whatever the face's
// own advances, so a grid of fixed-width fields lines up on every backend.
#include "platform/ui/Types.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace kiv::ui {

// A logical font. The face is UTF-8 ("ＭＳ ゴシック"); a negative height means the same pixel
// height as a positive one (the faces we map to have no internal leading).
struct Font {
    std::string face = "ＭＳ ゴシック";
    int height = 16;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    // The angle of the baseline in tenths of a degree, counter-clockwise, in quarter turns (900,
    // 1800, 2700): the text turns about the point it is drawn at. A face beginning with "@" lays
    // full-width characters on their side (turned a quarter counter-clockwise) and half-width ones
    // as they are, so that at 2700 it writes top to bottom with full-width characters upright.
    int escapement = 0;
    friend bool operator==(const Font&, const Font&) = default;

    // The fixed-pitch font a fresh device context starts with.
    static Font systemFixed() { return Font{}; }
};

// The installed face that stands for a face the program names: the Japanese faces of the
// platform the estimates come from ("ＭＳ ゴシック", "ＭＳ明朝", "MS Gothic"...), an empty face and
// any face `installed` does not report map to the monospaced IPAGothic that setup installs; a
// face the user chose among the installed ones is used as it is. Text is laid out cell by cell
// whatever the face.
std::string installedFaceFor(std::string_view face, const std::function<bool(std::string_view)>& installed = {});

struct TextMetrics {
    int height = 0;         // cell height in pixels
    int ascent = 0;
    int aveCharWidth = 0;   // one half-width cell
};

enum class PenStyle { Solid, Dot, Null };
struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 1;
    Color color = kBlack;
    friend bool operator==(const Pen&, const Pen&) = default;
};

struct Brush {
    bool hollow = false;
    Color color = kWhite;
    static Brush solid(Color c) { return {false, c}; }
    static Brush hollowBrush() { return {true, kWhite}; }
    friend bool operator==(const Brush&, const Brush&) = default;
};

enum class BkMode { Opaque, Transparent };

class Dc {
public:
    Dc() = default;
    Dc(const Dc&) = delete;
    Dc& operator=(const Dc&) = delete;
    virtual ~Dc() = default;

    // Selecting returns what was selected before, so a routine can put it back.
    Font selectFont(const Font& f);
    Pen selectPen(const Pen& p);
    Brush selectBrush(const Brush& b);
    const Font& font() const { return m_Font; }
    const Pen& pen() const { return m_Pen; }
    const Brush& brush() const { return m_Brush; }

    Color setTextColor(Color c);
    Color setBkColor(Color c);
    BkMode setBkMode(BkMode m);
    Color textColor() const { return m_TextColor; }
    Color bkColor() const { return m_BkColor; }

    TextMetrics textMetrics() const;        // of the selected font
    Size textExtent(std::string_view cp932) const;

    // Text of CP932 bytes with its top-left corner at (x, y). With an opaque background every
    // cell is first filled with the background colour.
    void textOut(int x, int y, std::string_view cp932);

    void moveTo(int x, int y) { m_Pos = {x, y}; }
    Point currentPosition() const { return m_Pos; }
    // A line from the current position to (x, y), which becomes the current position.
    void lineTo(int x, int y);
    // Outline in the selected pen, inside the rectangle; interior in the selected brush.
    void rectangle(const Rect& r);
    void fillSolidRect(const Rect& r, Color c);

    virtual bool isPrinting() const { return false; }

protected:
    // The backend's primitives. Coordinates are device pixels; clipping is the backend's.
    virtual TextMetrics metricsOf(const Font& f) const = 0;
    virtual void fill(const Rect& r, Color c) = 0;
    virtual void line(Point from, Point to, const Pen& pen) = 0;
    virtual void frame(const Rect& r, const Pen& pen) = 0;
    // One character (1 or 2 CP932 bytes; utf8 is the same character) in the given cell.
    virtual void glyph(const Rect& cell, std::string_view cp932, std::string_view utf8, const Font& f,
                       Color color) = 0;
    // One character turned by quarterTurns counter-clockwise within its cell (given as it lies
    // on the device): the glyphs of a turned font. The default draws it unturned.
    virtual void turnedGlyph(const Rect& cell, int quarterTurns, std::string_view cp932, std::string_view utf8,
                             const Font& f, Color color) {
        (void)quarterTurns;
        glyph(cell, cp932, utf8, f, color);
    }
    // After the glyphs of one textOut: the cells of the whole text, blanks included (a printer
    // draws an underline across them here). For a turned font the run is given as laid out
    // before the turn, from the point the text was drawn at.
    virtual void textDrawn(const Rect& run, std::string_view cp932, const Font& f, Color color) {
        (void)run, (void)cp932, (void)f, (void)color;
    }

private:
    void turnedTextOut(int x, int y, std::string_view cp932, const TextMetrics& tm);

    Font m_Font = Font::systemFixed();
    Pen m_Pen;
    Brush m_Brush;
    Color m_TextColor = kBlack;
    Color m_BkColor = kWhite;
    BkMode m_BkMode = BkMode::Opaque;
    Point m_Pos;
};

// The UTF-8 of one CP932 character (one or two bytes); bytes that are no character give "?".
const std::string& cp932CharToUtf8(std::string_view ch);

} // namespace kiv::ui
