#pragma once
// A device context painting with QPainter on an image, and the Qt fonts of the layer's fonts.
#include "platform/ui/Dc.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <functional>

namespace kiv::qt {

QFont qtFontOf(const ui::Font& f);
// The installed family that draws the face (ui::installedFaceFor over the font database).
QString qtFamilyOf(const std::string& face);
ui::TextMetrics qtMetricsOf(const ui::Font& f);
inline QColor qtColor(ui::Color c) { return QColor(ui::redOf(c), ui::greenOf(c), ui::blueOf(c)); }

class QtDc : public ui::Dc {
public:
    // Paints on the device (an image or a printer page); `done` runs when the context ends.
    QtDc(QPaintDevice* device, const ui::Region* clip, std::function<void()> done = {});
    ~QtDc() override;

protected:
    ui::TextMetrics metricsOf(const ui::Font& f) const override { return qtMetricsOf(f); }
    void fill(const ui::Rect& r, ui::Color c) override;
    void line(ui::Point from, ui::Point to, const ui::Pen& pen) override;
    void frame(const ui::Rect& r, const ui::Pen& pen) override;
    void glyph(const ui::Rect& cell, std::string_view cp932, std::string_view utf8, const ui::Font& f,
               ui::Color color) override;
    void turnedGlyph(const ui::Rect& cell, int quarterTurns, std::string_view cp932, std::string_view utf8,
                     const ui::Font& f, ui::Color color) override;

private:
    QPainter m_Painter;
    std::function<void()> m_Done;
};

} // namespace kiv::qt
