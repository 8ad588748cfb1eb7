#include "platform/ui/Dc.h"

#include <algorithm>

#include "platform/text/Cp932.h"

#include <unordered_map>

namespace kiv::ui {

std::string installedFaceFor(std::string_view face, const std::function<bool(std::string_view)>& installed) {
    static constexpr std::string_view kFallback = "IPAGothic";
    // The faces the program itself names ("ＭＳ ゴシック", "ＭＳゴシック", the system fixed font)
    // and the other faces of that platform are not installed here; IPAGothic has their layout.
    const bool platformFace = face.starts_with("ＭＳ") || face.starts_with("MS ") || face.starts_with("ms ");
    if (face.empty() || platformFace || !installed || !installed(face))
        return std::string(kFallback);
    return std::string(face);
}

const std::string& cp932CharToUtf8(std::string_view ch) {
    // Painting converts every cell, so characters are converted once and kept.
    static std::unordered_map<unsigned, std::string> cache;
    unsigned key = ch.empty() ? 0 : static_cast<unsigned char>(ch[0]);
    if (ch.size() > 1)
        key = key << 8 | static_cast<unsigned char>(ch[1]);
    auto it = cache.find(key);
    if (it == cache.end()) {
        auto u = text::cp932ToUtf8(ch);
        std::string s = u ? *u : "?";
        if (s.size() == 1 && static_cast<unsigned char>(s[0]) < 0x20)
            s = " ";   // control bytes show as blanks
        it = cache.emplace(key, std::move(s)).first;
    }
    return it->second;
}

Font Dc::selectFont(const Font& f) {
    Font old = m_Font;
    m_Font = f;
    return old;
}

Pen Dc::selectPen(const Pen& p) {
    Pen old = m_Pen;
    m_Pen = p;
    return old;
}

Brush Dc::selectBrush(const Brush& b) {
    Brush old = m_Brush;
    m_Brush = b;
    return old;
}

Color Dc::setTextColor(Color c) {
    Color old = m_TextColor;
    m_TextColor = c;
    return old;
}

Color Dc::setBkColor(Color c) {
    Color old = m_BkColor;
    m_BkColor = c;
    return old;
}

BkMode Dc::setBkMode(BkMode m) {
    BkMode old = m_BkMode;
    m_BkMode = m;
    return old;
}

TextMetrics Dc::textMetrics() const { return metricsOf(m_Font); }

Size Dc::textExtent(std::string_view s) const {
    TextMetrics tm = metricsOf(m_Font);
    return {static_cast<int>(s.size()) * tm.aveCharWidth, tm.height};
}

void Dc::textOut(int x, int y, std::string_view s) {
    TextMetrics tm = metricsOf(m_Font);
    if (m_Font.escapement != 0 || m_Font.face.starts_with('@')) {
        turnedTextOut(x, y, s, tm);
        return;
    }
    std::size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t n = (text::isLeadByte(c) && i + 1 < s.size()) ? 2 : 1;
        Rect cell = Rect::fromSize(x + static_cast<int>(i) * tm.aveCharWidth, y,
                                   static_cast<int>(n) * tm.aveCharWidth, tm.height);
        if (m_BkMode == BkMode::Opaque)
            fill(cell, m_BkColor);
        std::string_view ch = s.substr(i, n);
        if (!(n == 1 && (c == ' ' || c == 0)))
            glyph(cell, ch, cp932CharToUtf8(ch), m_Font, m_TextColor);
        i += n;
    }
    if (!s.empty())
        textDrawn(Rect::fromSize(x, y, static_cast<int>(s.size()) * tm.aveCharWidth, tm.height), s, m_Font, m_TextColor);
}

void Dc::turnedTextOut(int x, int y, std::string_view s, const TextMetrics& tm) {
    const int turns = ((m_Font.escapement / 900) % 4 + 4) % 4;
    const bool sideways = m_Font.face.starts_with('@');
    // A point laid out at (x + dx, y + dy) turned counter-clockwise about (x, y) on a device
    // whose y grows downwards.
    auto turn = [&](int dx, int dy) -> Point {
        switch (turns) {
        case 1: return {x + dy, y - dx};
        case 2: return {x - dx, y - dy};
        case 3: return {x - dy, y + dx};
        default: return {x + dx, y + dy};
        }
    };
    std::size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t n = (text::isLeadByte(c) && i + 1 < s.size()) ? 2 : 1;
        const int dx = static_cast<int>(i) * tm.aveCharWidth;
        const Point a = turn(dx, 0);
        const Point b = turn(dx + static_cast<int>(n) * tm.aveCharWidth, tm.height);
        const Rect cell{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
        if (m_BkMode == BkMode::Opaque)
            fill(cell, m_BkColor);
        std::string_view ch = s.substr(i, n);
        if (!(n == 1 && (c == ' ' || c == 0)))
            turnedGlyph(cell, (turns + (sideways && n == 2 ? 1 : 0)) % 4, ch, cp932CharToUtf8(ch), m_Font, m_TextColor);
        i += n;
    }
    if (!s.empty())
        textDrawn(Rect::fromSize(x, y, static_cast<int>(s.size()) * tm.aveCharWidth, tm.height), s, m_Font, m_TextColor);
}

void Dc::lineTo(int x, int y) {
    if (m_Pen.style != PenStyle::Null)
        line(m_Pos, {x, y}, m_Pen);
    m_Pos = {x, y};
}

void Dc::rectangle(const Rect& r) {
    if (r.isEmpty())
        return;
    if (!m_Brush.hollow)
        fill(r, m_Brush.color);
    if (m_Pen.style != PenStyle::Null)
        frame(r, m_Pen);
}

void Dc::fillSolidRect(const Rect& r, Color c) {
    if (!r.isEmpty())
        fill(r, c);
}

} // namespace kiv::ui
