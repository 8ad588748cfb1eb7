#include "platform/qt/QtDc.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QRegion>

#include <cmath>
#include <map>
#include <tuple>

namespace kiv::qt {
namespace {

using FontKey = std::tuple<std::string, int, int, bool, bool>;
FontKey keyOf(const ui::Font& f) { return {f.face, std::abs(f.height), f.weight, f.italic, f.underline}; }

struct CachedFont {
    QFont font;
    ui::TextMetrics metrics;
};

const CachedFont& cached(const ui::Font& f) {
    static std::map<FontKey, CachedFont> cache;
    auto it = cache.find(keyOf(f));
    if (it != cache.end())
        return it->second;
    QFont q(qtFamilyOf(f.face));
    q.setPixelSize(std::max(1, std::abs(f.height)));
    q.setWeight(f.weight >= 600 ? QFont::Bold : QFont::Normal);
    q.setItalic(f.italic);
    q.setUnderline(f.underline);
    q.setStyleHint(QFont::Monospace);
    q.setKerning(false);
    QFontMetricsF fm(q);
    ui::TextMetrics tm;
    tm.height = static_cast<int>(std::lround(fm.height()));
    tm.ascent = static_cast<int>(std::lround(fm.ascent()));
    // The half-width cell: the face's advance of a digit (half an em in the Japanese faces).
    tm.aveCharWidth = std::max(1, static_cast<int>(std::lround(fm.horizontalAdvance(QLatin1Char('0')))));
    return cache.emplace(keyOf(f), CachedFont{q, tm}).first->second;
}

QRect qrect(const ui::Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

} // namespace

QFont qtFontOf(const ui::Font& f) { return cached(f).font; }

QString qtFamilyOf(const std::string& face) {
    const auto installed = [](std::string_view name) {
        return QFontDatabase::hasFamily(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    };
    return QString::fromStdString(ui::installedFaceFor(face, installed));
}
ui::TextMetrics qtMetricsOf(const ui::Font& f) { return cached(f).metrics; }

QtDc::QtDc(QPaintDevice* device, const ui::Region* clip, std::function<void()> done)
    : m_Painter(device), m_Done(std::move(done)) {
    if (clip) {
        QRegion region;
        for (const ui::Rect& r : clip->rects())
            region += qrect(r);
        m_Painter.setClipRegion(region);
    }
    m_Painter.setRenderHint(QPainter::Antialiasing, false);
    m_Painter.setRenderHint(QPainter::TextAntialiasing, true);
}

QtDc::~QtDc() {
    m_Painter.end();
    if (m_Done)
        m_Done();
}

void QtDc::fill(const ui::Rect& r, ui::Color c) { m_Painter.fillRect(qrect(r), qtColor(c)); }

void QtDc::line(ui::Point from, ui::Point to, const ui::Pen& pen) {
    QPen p(qtColor(pen.color));
    p.setWidth(std::max(1, pen.width));
    p.setStyle(pen.style == ui::PenStyle::Dot ? Qt::DotLine : Qt::SolidLine);
    p.setCapStyle(Qt::FlatCap);
    m_Painter.setPen(p);
    m_Painter.drawLine(from.x, from.y, to.x, to.y);
}

void QtDc::frame(const ui::Rect& r, const ui::Pen& pen) {
    QPen p(qtColor(pen.color));
    p.setWidth(1);
    p.setStyle(pen.style == ui::PenStyle::Dot ? Qt::DotLine : Qt::SolidLine);
    m_Painter.setPen(p);
    m_Painter.setBrush(Qt::NoBrush);
    // The outline lies inside the rectangle, one pixel ring per unit of pen width.
    for (int i = 0; i < std::max(1, pen.width); ++i) {
        int w = r.width() - 1 - 2 * i, h = r.height() - 1 - 2 * i;
        if (w < 0 || h < 0)
            break;
        m_Painter.drawRect(r.left + i, r.top + i, w, h);
    }
}

void QtDc::glyph(const ui::Rect& cell, std::string_view, std::string_view utf8, const ui::Font& f, ui::Color color) {
    const CachedFont& cf = cached(f);
    m_Painter.setFont(cf.font);
    m_Painter.setPen(qtColor(color));
    m_Painter.save();
    m_Painter.setClipRect(qrect(cell), Qt::IntersectClip);
    m_Painter.drawText(QPointF(cell.left, cell.top + cf.metrics.ascent),
                       QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    m_Painter.restore();
}

void QtDc::turnedGlyph(const ui::Rect& cell, int quarterTurns, std::string_view cp932, std::string_view utf8,
                       const ui::Font& f, ui::Color color) {
    if (quarterTurns % 4 == 0) {
        glyph(cell, cp932, utf8, f, color);
        return;
    }
    const CachedFont& cf = cached(f);
    // The glyph's own box before the turn: a quarter turn swaps the cell's sides.
    const bool odd = quarterTurns % 2 != 0;
    const qreal w = odd ? cell.height() : cell.width();
    const qreal h = odd ? cell.width() : cell.height();
    m_Painter.save();
    m_Painter.setFont(cf.font);
    m_Painter.setPen(qtColor(color));
    m_Painter.translate((cell.left + cell.right) / 2.0, (cell.top + cell.bottom) / 2.0);
    m_Painter.rotate(-90.0 * quarterTurns); // counter-clockwise on the page
    m_Painter.setClipRect(QRectF(-w / 2, -h / 2, w, h), Qt::IntersectClip);
    m_Painter.drawText(QPointF(-w / 2, -h / 2 + cf.metrics.ascent),
                       QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    m_Painter.restore();
}

} // namespace kiv::qt
