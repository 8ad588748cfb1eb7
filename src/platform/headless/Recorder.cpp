#include "platform/headless/Recorder.h"

#include <cstdlib>

namespace kiv::ui::headless {

TextMetrics RecorderDc::metricsFor(const Font& f) {
    int h = std::max(1, std::abs(f.height));
    return {h, h * 4 / 5, (h + 1) / 2};
}

void Recorder::clear() {
    m_Cells.clear();
    m_Ops.clear();
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
    m_Ops.push_back(std::move(op));
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
        m_Ops.push_back(op);
    }
}

void Recorder::line(Point from, Point to, const Pen& pen) {
    DrawOp op;
    op.kind = DrawOp::Line;
    op.from = from;
    op.to = to;
    op.pen = pen;
    op.color = pen.color;
    m_Ops.push_back(op);
}

void Recorder::frame(const Rect& r, const Pen& pen) {
    DrawOp op;
    op.kind = DrawOp::Frame;
    op.rect = r;
    op.pen = pen;
    op.color = pen.color;
    m_Ops.push_back(op);
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
    // Fills inside the area move with it.
    std::size_t n = m_Ops.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (m_Ops[i].kind != DrawOp::Fill)
            continue;
        Rect piece = m_Ops[i].rect.intersected(r).offset(dx, dy).intersected(dest);
        if (!piece.isEmpty()) {
            DrawOp op = m_Ops[i];
            op.rect = piece;
            m_Ops.push_back(op);
        }
    }
}

} // namespace kiv::ui::headless
