#pragma once
// The Qt side of printing: a printer device context painting with a QPainter on a printer page,
// a PDF page or a preview image, with the virtual 600-dpi device mapped onto it.
#include "platform/print/PrinterDc.h"

#include <QPainter>

namespace kiv::qt {

// Draws the virtual device on a painter whose device is the paper: `dotsToDevice` device units
// per virtual dot, the printable area's origin 5 mm in from the paper's top-left corner. Every
// character is real text drawn at its cell, without a clip per glyph; nothing is clipped but at
// the paper's edge.
class QtPrinterDc : public print::PrinterDc {
public:
    QtPrinterDc(QPainter& painter, const print::DeviceGeometry& g, double dotsToDevice);
    ~QtPrinterDc() override;

protected:
    void fill(const ui::Rect& r, ui::Color c) override;
    void line(ui::Point from, ui::Point to, const ui::Pen& pen) override;
    void frame(const ui::Rect& r, const ui::Pen& pen) override;
    void glyph(const ui::Rect& cell, std::string_view cp932, std::string_view utf8, const ui::Font& f,
               ui::Color color) override;
    void turnedGlyph(const ui::Rect& cell, int quarterTurns, std::string_view cp932, std::string_view utf8,
                     const ui::Font& f, ui::Color color) override;
    void textDrawn(const ui::Rect& run, std::string_view cp932, const ui::Font& f, ui::Color color) override;

private:
    QPainter& m_Painter;
};

} // namespace kiv::qt
