#pragma once
// Plain value types of the window layer: points, sizes, rectangles (right and bottom exclusive,
// as client rectangles are), colours in the 0x00BBGGRR layout of rgb(), and a small region made
// of rectangles for what needs repainting.
#include <algorithm>
#include <cstdint>
#include <vector>

namespace kiv::ui {

struct Point {
    int x = 0, y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int cx = 0, cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;

    static Rect fromSize(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    Size size() const { return {width(), height()}; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool contains(const Rect& r) const {
        return r.left >= left && r.right <= right && r.top >= top && r.bottom <= bottom;
    }
    Rect intersected(const Rect& r) const {
        Rect o{std::max(left, r.left), std::max(top, r.top), std::min(right, r.right), std::min(bottom, r.bottom)};
        return o.isEmpty() ? Rect{} : o;
    }
    bool intersects(const Rect& r) const { return !intersected(r).isEmpty(); }
    Rect united(const Rect& r) const {
        if (isEmpty())
            return r;
        if (r.isEmpty())
            return *this;
        return {std::min(left, r.left), std::min(top, r.top), std::max(right, r.right), std::max(bottom, r.bottom)};
    }
    Rect offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

using Color = std::uint32_t;
constexpr Color rgb(int r, int g, int b) {
    return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int redOf(Color c) { return c & 0xFF; }
constexpr int greenOf(Color c) { return (c >> 8) & 0xFF; }
constexpr int blueOf(Color c) { return (c >> 16) & 0xFF; }
constexpr Color kBlack = rgb(0, 0, 0);
constexpr Color kWhite = rgb(255, 255, 255);

// A set of pixels as non-overlapping rectangles.
class Region {
public:
    bool isEmpty() const { return m_Rects.empty(); }
    const std::vector<Rect>& rects() const { return m_Rects; }
    Rect bounds() const;
    bool contains(Point p) const;
    bool intersects(const Rect& r) const;
    void clear() { m_Rects.clear(); }
    void add(const Rect& r);
    void subtract(const Rect& r);
    void intersect(const Rect& r);
    void offset(int dx, int dy);

private:
    std::vector<Rect> m_Rects;
};

} // namespace kiv::ui
