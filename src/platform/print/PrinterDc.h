#pragma once
// The device context of a printed page: the window layer's Dc on the virtual printer device of
// PrintSettings.h, with the device capabilities the page printers derive their fonts from.
//
// Print fonts are laid out the same way on every backend: a font of height h dots has the text
// height h and the average character width (h + 1) / 2, one cell per CP932 byte, so the
// recording of the tests, the preview and the PDF place every character in the same cell.
// Text is drawn with a transparent background (nothing under the characters is painted over).
#include "platform/print/PrintSettings.h"
#include "platform/ui/Dc.h"

namespace kiv::print {

class PrinterDc : public ui::Dc {
public:
    explicit PrinterDc(const DeviceGeometry& g) : m_Geometry(g) { setBkMode(ui::BkMode::Transparent); }
    const DeviceGeometry& geometry() const { return m_Geometry; }
    int getDeviceCaps(DeviceCap c) const { return m_Geometry.cap(c); }
    // The page width in dots: HORZSIZE / 25.4 x LOGPIXELSX, cut to an integer; the page printers
    // scale their fonts from it.
    int pageWidth() const;
    bool isPrinting() const override { return true; }

    // The metrics of a print font of the given height (its absolute value).
    static ui::TextMetrics printMetrics(const ui::Font& f);

protected:
    ui::TextMetrics metricsOf(const ui::Font& f) const override { return printMetrics(f); }

private:
    DeviceGeometry m_Geometry;
};

// A printer device context that draws nothing: what the begin and end steps of a job get, and
// what measures fonts outside a page.
class MeasureDc : public PrinterDc {
public:
    using PrinterDc::PrinterDc;

protected:
    void fill(const ui::Rect&, ui::Color) override {}
    void line(ui::Point, ui::Point, const ui::Pen&) override {}
    void frame(const ui::Rect&, const ui::Pen&) override {}
    void glyph(const ui::Rect&, std::string_view, std::string_view, const ui::Font&, ui::Color) override {}
};

} // namespace kiv::print
