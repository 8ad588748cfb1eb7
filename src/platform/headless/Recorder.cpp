#include "platform/headless/Recorder.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace kiv::ui::headless {
namespace {

// The pixels an operation may have touched.
Rect boundsOf(const DrawOp& op) {
    if (op.kind != DrawOp::Line)
        return op.rect;
    const int w = std::max(1, op.pen.width);
    return {std::min(op.from.x, op.to.x), std::min(op.from.y, op.to.y), std::max(op.from.x, op.to.x) + w,
            std::max(op.from.y, op.to.y) + w};
}

bool inside(const Rect& outer, const Rect& inner) { return !outer.isEmpty() && outer.contains(inner); }

// r less `hole`: up to four rectangles (above, below, left and right of it).
std::vector<Rect> minus(const Rect& r, const Rect& hole) {
    const Rect h = r.intersected(hole);
    if (h.isEmpty())
        return {r};
    std::vector<Rect> out;
    auto add = [&](Rect x) {
        if (!x.isEmpty())
            out.push_back(x);
    };
    add({r.left, r.top, r.right, h.top});
    add({r.left, h.bottom, r.right, r.bottom});
    add({r.left, h.top, h.left, h.bottom});
    add({h.right, h.top, r.right, h.bottom});
    return out;
}

DrawOp shifted(DrawOp op, int dx, int dy) {
    op.rect = op.rect.offset(dx, dy);
    op.from = {op.from.x + dx, op.from.y + dy};
    op.to = {op.to.x + dx, op.to.y + dy};
    return op;
}

std::size_t heapBytes(const std::string& s) { return s.capacity() > 15 ? s.capacity() + 1 : 0; }

// What identifies an operation that, drawn again, puts exactly the same pixels on the screen
// (for a fill: its rectangle alone, since a fill hides whatever lies in it).
struct OpKey {
    std::array<int, 11> v{};
    std::string text;
    bool operator==(const OpKey&) const = default;
};
struct OpKeyHash {
    std::size_t operator()(const OpKey& k) const {
        std::size_t h = std::hash<std::string>()(k.text);
        for (int x : k.v)
            h = h * 1000003u ^ static_cast<std::size_t>(static_cast<unsigned>(x));
        return h;
    }
};
OpKey rectKey(const Rect& r) { return {{DrawOp::Fill, r.left, r.top, r.right, r.bottom}, {}}; }
OpKey redrawKey(const DrawOp& op) {
    return {{op.kind, op.rect.left, op.rect.top, op.rect.right, op.rect.bottom, op.from.x, op.from.y, op.to.x, op.to.y,
             op.pen.width, static_cast<int>(op.pen.style)},
            op.text};
}

} // namespace

TextMetrics RecorderDc::metricsFor(const Font& f) {
    int h = std::max(1, std::abs(f.height));
    return {h, h * 4 / 5, (h + 1) / 2};
}

void Recorder::clear() {
    m_Cells.clear();
    m_Ops.clear();
    m_CompactAt = kFirstCompaction;
}

std::optional<DrawnCell> Recorder::cellAt(int x, int y) const {
    auto it = m_Cells.find({y, x});
    if (it == m_Cells.end())
        return std::nullopt;
    return it->second;
}

std::string Recorder::textAt(int x, int y, int cells, int cellWidth) const {
    std::string out;
    for (int i = 0; i < cells; ++i) {
        auto c = cellAt(x + i * cellWidth, y);
        out += c ? static_cast<char>(c->byte) : ' ';
    }
    return out;
}

std::string Recorder::rowText(int y, int cellWidth) const {
    auto first = m_Cells.lower_bound({y, -1000000});
    if (first == m_Cells.end() || first->first.first != y || cellWidth <= 0)
        return {};
    auto last = std::prev(m_Cells.lower_bound({y + 1, -1000000}));
    int x1 = last->first.second;
    int n = x1 / cellWidth + 1;
    return textAt(0, y, n, cellWidth);
}

std::optional<Point> Recorder::find(std::string_view s) const {
    if (s.empty())
        return std::nullopt;
    for (auto it = m_Cells.begin(); it != m_Cells.end(); ++it) {
        if (it->second.byte != static_cast<unsigned char>(s[0]))
            continue;
        int y = it->first.first, x = it->first.second, w = it->second.width;
        bool ok = true;
        for (std::size_t i = 1; i < s.size() && ok; ++i) {
            auto c = cellAt(x + static_cast<int>(i) * w, y);
            ok = (c ? c->byte : ' ') == static_cast<unsigned char>(s[i]);   // nothing drawn reads as a blank
        }
        if (ok)
            return Point{x, y};
    }
    return std::nullopt;
}

Color Recorder::fillColorAt(Point p) const {
    for (auto it = m_Ops.rbegin(); it != m_Ops.rend(); ++it)
        if (it->kind == DrawOp::Fill && it->rect.contains(p))
            return it->color;
    return kWhite;
}

std::size_t Recorder::approxBytes() const {
    std::size_t n = m_Ops.capacity() * sizeof(DrawOp);
    for (const DrawOp& op : m_Ops)
        n += heapBytes(op.text) + heapBytes(op.font.face);
    // A map node: the value and about four pointers of bookkeeping.
    for (const auto& [k, c] : m_Cells)
        n += sizeof(k) + sizeof(c) + 4 * sizeof(void*) + heapBytes(c.font.face);
    return n;
}

void Recorder::push(DrawOp op) {
    m_Ops.push_back(std::move(op));
    if (m_Ops.size() >= m_CompactAt) {
        compact();
        m_CompactAt = std::max(kFirstCompaction, 2 * m_Ops.size());
    }
}

void Recorder::compact() {
    // From the newest operation back. A fill hides whatever lies wholly inside it; a fill that is
    // itself hidden needs no record, as whatever it covers the later fill covers too. Fills are
    // found by their exact rectangle (a cell's background drawn again) or, when larger than a
    // character, through bands of rows, so the walk stays near linear.
    constexpr int kBand = 64;
    constexpr int kLargeArea = 32 * 32;
    std::unordered_set<OpKey, OpKeyHash> fillRects;
    std::unordered_map<int, std::vector<Rect>> largeFills;   // by band of their rows
    std::unordered_set<OpKey, OpKeyHash> drawnAgain;
    auto band = [](int y) { return y >= 0 ? y / kBand : (y - kBand + 1) / kBand; };
    auto hidden = [&](const Rect& b) {
        if (fillRects.count(rectKey(b)))
            return true;
        auto it = largeFills.find(band(b.top));
        if (it == largeFills.end())
            return false;
        return std::any_of(it->second.begin(), it->second.end(), [&](const Rect& f) { return f.contains(b); });
    };

    std::vector<bool> keep(m_Ops.size(), false);
    std::size_t kept = 0;
    for (std::size_t i = m_Ops.size(); i-- > 0;) {
        const DrawOp& op = m_Ops[i];
        const Rect b = boundsOf(op);
        if (b.isEmpty() || hidden(b))
            continue;
        if (op.kind == DrawOp::Fill) {
            fillRects.insert(rectKey(b));
            if (b.width() * b.height() > kLargeArea)
                for (int k = band(b.top); k <= band(b.bottom - 1); ++k)
                    largeFills[k].push_back(b);
        } else if (!drawnAgain.insert(redrawKey(op)).second) {
            continue;
        }
        keep[i] = true;
        ++kept;
    }
    std::vector<DrawOp> out;
    out.reserve(kept);
    for (std::size_t i = 0; i < m_Ops.size(); ++i)
        if (keep[i])
            out.push_back(std::move(m_Ops[i]));
    m_Ops = std::move(out);
}

std::vector<DrawOp> Recorder::opsOf(DrawOp::Kind kind) const {
    std::vector<DrawOp> out;
    for (const DrawOp& op : m_Ops)
        if (op.kind == kind)
            out.push_back(op);
    return out;
}

void Recorder::putChar(const Rect& cell, std::string_view cp932, const Font& f, Color text, Color back,
                       const Region* clip) {
    int n = static_cast<int>(cp932.size());
    int w = n > 0 ? cell.width() / n : cell.width();
    for (int i = 0; i < n; ++i) {
        Point at{cell.left + i * w, cell.top};
        if (clip && !clip->contains(at))
            continue;
        m_Cells[{at.y, at.x}] = DrawnCell{static_cast<unsigned char>(cp932[static_cast<std::size_t>(i)]), text, back, f, w};
    }
    DrawOp op;
    op.kind = DrawOp::Text;
    op.rect = cell;
    op.text = std::string(cp932);
    op.color = text;
    op.font = f;
    push(std::move(op));
}

void Recorder::fill(const Rect& r, Color c, const Region* clip) {
    Region area;
    area.add(r);
    if (clip) {
        Region clipped;
        for (const Rect& x : clip->rects())
            clipped.add(x.intersected(r));
        area = clipped;
    }
    for (const Rect& a : area.rects()) {
        for (auto it = m_Cells.lower_bound({a.top, -1000000}); it != m_Cells.end() && it->first.first < a.bottom;) {
            if (a.contains(Point{it->first.second, it->first.first}))
                it = m_Cells.erase(it);
            else
                ++it;
        }
        DrawOp op;
        op.kind = DrawOp::Fill;
        op.rect = a;
        op.color = c;
        push(op);
    }
}

void Recorder::line(Point from, Point to, const Pen& pen) {
    DrawOp op;
    op.kind = DrawOp::Line;
    op.from = from;
    op.to = to;
    op.pen = pen;
    op.color = pen.color;
    push(op);
}

void Recorder::frame(const Rect& r, const Pen& pen) {
    DrawOp op;
    op.kind = DrawOp::Frame;
    op.rect = r;
    op.pen = pen;
    op.color = pen.color;
    push(op);
}

void Recorder::scroll(int dx, int dy, const Rect& r) {
    // Pixels of r move by (dx, dy) and stay inside r; the part of r that nothing moves onto
    // keeps what it showed, as a screen does until it is repainted.
    Rect dest = r.offset(dx, dy).intersected(r);
    std::map<std::pair<int, int>, DrawnCell> moved;
    for (auto& [k, v] : m_Cells) {
        Point p{k.second, k.first};
        Point q{p.x + dx, p.y + dy};
        if (r.contains(p) && dest.contains(q))
            moved[{q.y, q.x}] = v;
    }
    for (auto it = m_Cells.begin(); it != m_Cells.end();) {
        if (dest.contains(Point{it->first.second, it->first.first}))
            it = m_Cells.erase(it);
        else
            ++it;
    }
    for (auto& [k, v] : moved)
        m_Cells[k] = v;
    // The operations as the screen shows them now: outside dest everything stays where it was
    // (a fill keeps only its part outside dest); dest shows what r showed (dx, dy) away. Each
    // part keeps the drawing order, so the last fill over a point still tells its colour. A text
    // goes by its cell's corner, as the cells do; a line or frame moves only when it lies wholly
    // in the area and lands wholly in dest, and one reaching across dest's edge stays as drawn.
    std::vector<DrawOp> stay, movedOps;
    for (const DrawOp& op : m_Ops) {
        if (op.kind == DrawOp::Fill) {
            for (const Rect& piece : minus(op.rect, dest)) {
                stay.push_back(op);
                stay.back().rect = piece;
            }
            Rect piece = op.rect.intersected(r).offset(dx, dy).intersected(dest);
            if (!piece.isEmpty()) {
                movedOps.push_back(op);
                movedOps.back().rect = piece;
            }
        } else if (op.kind == DrawOp::Text) {
            const Point p{op.rect.left, op.rect.top};
            if (!dest.contains(p))
                stay.push_back(op);
            if (r.contains(p) && dest.contains(Point{p.x + dx, p.y + dy}))
                movedOps.push_back(shifted(op, dx, dy));
        } else {
            const Rect b = boundsOf(op);
            if (!inside(dest, b))
                stay.push_back(op);
            if (inside(r, b) && inside(dest, b.offset(dx, dy)))
                movedOps.push_back(shifted(op, dx, dy));
        }
    }
    stay.insert(stay.end(), std::make_move_iterator(movedOps.begin()), std::make_move_iterator(movedOps.end()));
    m_Ops = std::move(stay);
    compact();
}

} // namespace kiv::ui::headless
