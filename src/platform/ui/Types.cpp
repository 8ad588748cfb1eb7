#include "platform/ui/Types.h"

namespace kiv::ui {

Rect Region::bounds() const {
    Rect b;
    for (const Rect& r : m_Rects)
        b = b.united(r);
    return b;
}

bool Region::contains(Point p) const {
    return std::any_of(m_Rects.begin(), m_Rects.end(), [&](const Rect& r) { return r.contains(p); });
}

bool Region::intersects(const Rect& r) const {
    return std::any_of(m_Rects.begin(), m_Rects.end(), [&](const Rect& x) { return x.intersects(r); });
}

void Region::add(const Rect& r) {
    if (r.isEmpty())
        return;
    subtract(r);   // keeps the rectangles disjoint
    m_Rects.push_back(r);
}

void Region::subtract(const Rect& cut) {
    if (cut.isEmpty())
        return;
    std::vector<Rect> out;
    for (const Rect& r : m_Rects) {
        Rect i = r.intersected(cut);
        if (i.isEmpty()) {
            out.push_back(r);
            continue;
        }
        // Up to four pieces of r around the cut: above, below, left, right.
        if (r.top < i.top)
            out.push_back({r.left, r.top, r.right, i.top});
        if (i.bottom < r.bottom)
            out.push_back({r.left, i.bottom, r.right, r.bottom});
        if (r.left < i.left)
            out.push_back({r.left, i.top, i.left, i.bottom});
        if (i.right < r.right)
            out.push_back({i.right, i.top, r.right, i.bottom});
    }
    m_Rects = std::move(out);
}

void Region::intersect(const Rect& clip) {
    std::vector<Rect> out;
    for (const Rect& r : m_Rects) {
        Rect i = r.intersected(clip);
        if (!i.isEmpty())
            out.push_back(i);
    }
    m_Rects = std::move(out);
}

void Region::offset(int dx, int dy) {
    for (Rect& r : m_Rects)
        r = r.offset(dx, dy);
}

} // namespace kiv::ui
