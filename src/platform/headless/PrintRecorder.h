#pragma once
// Print jobs of the headless backend: every job is kept with its settings, device and pages, and
// every page with the texts (one entry per text-out, with position and font), lines and
// rectangles (with pen and brush) drawn on it, so a test checks printed pages dot by dot. A job
// to a PDF file also writes the file (a short listing of the pages) through the same temporary
// file as a real PDF, so a folder that cannot take it fails the same way.
#include "platform/print/PrinterDc.h"
#include "platform/print/PrintJob.h"
#include "platform/print/PrintSettings.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kiv::ui::headless {

struct PrintedText {
    int x = 0, y = 0;
    std::string text;   // CP932, as drawn (blanks kept)
    Font font;
};

struct PrintedLine {
    Point from, to;
    Pen pen;
};

struct PrintedRect {
    Rect rect;
    Pen pen;
    Brush brush;
};

struct PrintedPage {
    std::vector<PrintedText> texts;
    std::vector<PrintedLine> lines;
    std::vector<PrintedRect> rects;

    // The first text-out whose text, trailing blanks removed, equals the CP932 bytes.
    const PrintedText* find(std::string_view cp932) const;
    // The first text-out whose text holds the bytes.
    const PrintedText* findContaining(std::string_view cp932) const;
    // The first text-out drawn with its top-left corner at (x, y).
    const PrintedText* at(int x, int y) const;
    bool empty() const { return texts.empty() && lines.empty() && rects.empty(); }
};

struct PrintedJob {
    print::PrintSettings settings;
    print::DeviceGeometry device;
    print::JobInfo info;
    std::vector<PrintedPage> pages;
    bool started = false;
    bool ended = false;   // endDoc ran and the document was written
};

// A printer device context that records into a page.
class RecordingPrinterDc : public print::PrinterDc {
public:
    RecordingPrinterDc(const print::DeviceGeometry& g, PrintedPage& page) : PrinterDc(g), m_Page(page) {}

protected:
    void fill(const Rect&, Color) override {}
    void line(Point from, Point to, const Pen& pen) override { m_Page.lines.push_back({from, to, pen}); }
    void frame(const Rect& r, const Pen& pen) override { m_Page.rects.push_back({r, pen, brush()}); }
    void glyph(const Rect&, std::string_view, std::string_view, const Font&, Color) override {}
    void textDrawn(const Rect& run, std::string_view cp932, const Font& f, Color) override {
        m_Page.texts.push_back({run.left, run.top, std::string(cp932), f});
    }

private:
    PrintedPage& m_Page;
};

class RecordingJob : public print::PrintJob {
public:
    RecordingJob(PrintedJob& record) : m_Job(record) {}
    bool startDoc(const print::JobInfo& info) override;
    print::PrinterDc& startPage() override;
    void endPage() override { m_Dc.reset(); }
    bool endDoc() override;
    std::string failure() const override { return m_File ? m_File->failure() : std::string(); }

private:
    PrintedJob& m_Job;
    std::unique_ptr<RecordingPrinterDc> m_Dc;
    std::unique_ptr<print::FileTarget> m_File;
};

} // namespace kiv::ui::headless
