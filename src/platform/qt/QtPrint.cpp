// Printing on Qt: the print and printer set-up dialogs (QPrintDialog, whose "print to file"
// writes a PDF), jobs on a QPrinter or a QPdfWriter, and the preview window.
#include "platform/qt/QtPrint.h"

#include "platform/qt/QtBackend.h"
#include "platform/qt/QtDc.h"
#include "platform/print/PrintJob.h"

#include <QDialog>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintEvent>
#include <QResizeEvent>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace kiv::qt {
namespace {

struct PrintFont {
    QFont font;
    double ascent = 0;
};

// Print fonts by face and height: the text height is the font's pixel size in virtual dots.
const PrintFont& printFont(const ui::Font& f) {
    static std::map<std::tuple<std::string, int, int, bool>, PrintFont> cache;
    const int h = std::max(1, std::abs(f.height));
    const auto key = std::make_tuple(f.face, h, f.weight, f.italic);
    auto it = cache.find(key);
    if (it != cache.end())
        return it->second;
    QFont q(qtFamilyOf(f.face));
    q.setPixelSize(h);
    q.setWeight(f.weight >= 600 ? QFont::Bold : QFont::Normal);
    q.setItalic(f.italic);
    q.setStyleHint(QFont::Monospace);
    q.setKerning(false);
    // Outlines, not hinted bitmaps: the same shapes on paper, in the PDF and in the preview.
    q.setHintingPreference(QFont::PreferNoHinting);
    q.setStyleStrategy(QFont::ForceOutline);
    const double ascent = QFontMetricsF(q).ascent();
    return cache.emplace(key, PrintFont{q, ascent}).first->second;
}

QPageSize::PageSizeId pageSizeId(print::Paper p) {
    switch (p) {
    case print::Paper::A4: return QPageSize::A4;
    case print::Paper::A3: return QPageSize::A3;
    case print::Paper::B4: return QPageSize::JisB4;
    case print::Paper::B5: return QPageSize::JisB5;
    case print::Paper::Letter: return QPageSize::Letter;
    }
    return QPageSize::A4;
}

print::Paper paperOf(QPageSize::PageSizeId id) {
    switch (id) {
    case QPageSize::A3: return print::Paper::A3;
    case QPageSize::JisB4: return print::Paper::B4;
    case QPageSize::JisB5: return print::Paper::B5;
    case QPageSize::Letter: return print::Paper::Letter;
    default: return print::Paper::A4;
    }
}

QPageLayout::Orientation qtOrientation(print::Orientation o) {
    return o == print::Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

// A printer set up from the settings, the whole paper addressable.
void configure(QPrinter& printer, const print::PrintSettings& s) {
    if (s.toFile()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(s.file.string()));
    } else {
        printer.setOutputFormat(QPrinter::NativeFormat);
        if (!s.printerName.empty())
            printer.setPrinterName(QString::fromStdString(s.printerName));
    }
    printer.setPageSize(QPageSize(pageSizeId(s.paper)));
    printer.setPageOrientation(qtOrientation(s.orientation));
    printer.setFullPage(true);
    printer.setCopyCount(std::max(1, s.copies));
}

void readBack(const QPrinter& printer, print::PrintSettings& s) {
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        s.target = print::PrintSettings::Target::File;
        s.file = printer.outputFileName().toStdString();
    } else {
        s.target = print::PrintSettings::Target::Printer;
        s.printerName = printer.printerName().toStdString();
    }
    s.paper = paperOf(printer.pageLayout().pageSize().id());
    s.orientation = printer.pageLayout().orientation() == QPageLayout::Landscape ? print::Orientation::Landscape
                                                                                 : print::Orientation::Portrait;
    s.copies = std::max(1, printer.copyCount());
}

// A job on a system printer or a PDF file written beside its name and renamed at the end.
class QtPrintJob : public print::PrintJob {
public:
    explicit QtPrintJob(const print::PrintSettings& s) : m_Settings(s), m_Geometry(print::deviceGeometry(s)) {}

    bool startDoc(const print::JobInfo& info) override {
        const QString title = QString::fromStdString(info.title);
        if (m_Settings.toFile()) {
            m_File = std::make_unique<print::FileTarget>(m_Settings.file);
            if (!m_File->open())
                return false;
            m_Pdf = std::make_unique<QPdfWriter>(QString::fromStdString(m_File->tempPath().string()));
            m_Pdf->setResolution(print::DeviceGeometry::kDotsPerInch);
            m_Pdf->setPageLayout(QPageLayout(QPageSize(pageSizeId(m_Settings.paper)), qtOrientation(m_Settings.orientation),
                                             QMarginsF(0, 0, 0, 0)));
            m_Pdf->setCreator("kiv");
            m_Pdf->setTitle(title);
            m_Scale = 1.0;
            return m_Painter.begin(m_Pdf.get());
        }
        m_Printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        configure(*m_Printer, m_Settings);
        m_Printer->setDocName(title);
        m_Scale = m_Printer->resolution() / static_cast<double>(print::DeviceGeometry::kDotsPerInch);
        return m_Painter.begin(m_Printer.get());
    }

    print::PrinterDc& startPage() override {
        if (m_Pages++ > 0) {
            if (m_Pdf)
                m_Pdf->newPage();
            else
                m_Printer->newPage();
        }
        m_Dc = std::make_unique<QtPrinterDc>(m_Painter, m_Geometry, m_Scale);
        return *m_Dc;
    }

    void endPage() override { m_Dc.reset(); }

    bool endDoc() override {
        m_Dc.reset();
        const bool ok = m_Painter.end();
        if (!m_File)
            return ok;
        // QPainter::end() does not see the writer's errors: the file itself must be whole.
        m_Pdf.reset();   // flushes and closes the file
        return m_File->commit(ok, print::pdfLooksWhole);
    }

    std::string failure() const override { return m_File ? m_File->failure() : std::string(); }

private:
    print::PrintSettings m_Settings;
    print::DeviceGeometry m_Geometry;
    std::unique_ptr<print::FileTarget> m_File;
    std::unique_ptr<QPdfWriter> m_Pdf;
    std::unique_ptr<QPrinter> m_Printer;
    QPainter m_Painter;
    std::unique_ptr<QtPrinterDc> m_Dc;
    double m_Scale = 1.0;
    int m_Pages = 0;
};

// The pages a preview shows, drawn on images as large as the magnification asks.
class PreviewPages : public QWidget {
public:
    PreviewPages(print::PreviewSession& session, print::PreviewState& state) : m_Session(session), m_State(state) {}

    void rebuild(int viewWidth, int viewHeight) {
        m_Images.clear();
        const print::DeviceGeometry g = m_Session.geometry();
        // Whole pages fit the window; each magnification step doubles them.
        const double paperH = g.paperHeightTenthMm / 254.0 * print::DeviceGeometry::kDotsPerInch;
        const double paperW = g.paperWidthTenthMm / 254.0 * print::DeviceGeometry::kDotsPerInch;
        const int across = static_cast<int>(std::max<std::size_t>(1, m_State.shownPages().size()));
        const double fit = std::min(std::max(100, viewHeight - 24) / paperH,
                                    std::max(100, (viewWidth - 12) / across - 12) / paperW);
        const double scale = fit * std::pow(2.0, m_State.zoom());
        int width = 12, height = 0;
        for (int p : m_State.shownPages()) {
            QImage img(static_cast<int>(paperW * scale), static_cast<int>(paperH * scale), QImage::Format_RGB32);
            img.fill(Qt::white);
            {
                QPainter painter(&img);
                painter.setRenderHint(QPainter::Antialiasing, true);
                painter.setRenderHint(QPainter::TextAntialiasing, true);
                QtPrinterDc dc(painter, g, scale);
                m_Session.renderPage(p, dc);
            }
            width += img.width() + 12;
            height = std::max(height, img.height() + 24);
            m_Images.push_back(std::move(img));
        }
        setFixedSize(width, height);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(128, 128, 128));
        int x = 12;
        for (const QImage& img : m_Images) {
            p.fillRect(x + 4, 16, img.width(), img.height(), QColor(64, 64, 64));
            p.drawImage(x, 12, img);
            x += img.width() + 12;
        }
    }

private:
    print::PreviewSession& m_Session;
    print::PreviewState& m_State;
    std::vector<QImage> m_Images;
};

class PreviewDialog : public QDialog {
public:
    PreviewDialog(print::PreviewSession& session, QWidget* owner) : QDialog(owner), m_State(session.pageCount()) {
        setWindowTitle(QString::fromUtf8("印刷ﾌﾟﾚﾋﾞｭｰ"));
        auto* layout = new QVBoxLayout(this);
        auto* bar = new QHBoxLayout;
        using B = print::PreviewState;
        for (B::Button b : {B::Print, B::Next, B::Prev, B::OneTwo, B::ZoomIn, B::ZoomOut, B::Close}) {
            auto* button = new QPushButton(this);
            button->setAutoDefault(false);
            connect(button, &QPushButton::clicked, this, [this, b] { press(b); });
            bar->addWidget(button);
            m_Buttons.emplace_back(b, button);
        }
        m_Label = new QLabel(this);
        bar->addSpacing(16);
        bar->addWidget(m_Label);
        bar->addStretch();
        layout->addLayout(bar);
        m_Scroll = new QScrollArea(this);
        m_Scroll->setBackgroundRole(QPalette::Dark);
        m_Pages = new PreviewPages(session, m_State);
        m_Scroll->setWidget(m_Pages);
        m_Scroll->setAlignment(Qt::AlignHCenter);
        layout->addWidget(m_Scroll, 1);
        resize(1100, 860);
        refresh();
    }
    print::PreviewResult result() const { return m_Result; }

    void press(print::PreviewState::Button b) {
        if (!m_State.press(b))
            return;
        if (b == print::PreviewState::Print) {
            m_Result = print::PreviewResult::Print;
            accept();
            return;
        }
        if (b == print::PreviewState::Close) {
            reject();
            return;
        }
        refresh();
    }

protected:
    // Whole pages fit the window: they are drawn again at its new size.
    void resizeEvent(QResizeEvent* e) override {
        QDialog::resizeEvent(e);
        if (m_Pages)
            refresh();
    }

private:
    void refresh() {
        for (auto& [b, button] : m_Buttons) {
            button->setText(QString::fromStdString(m_State.caption(b)));
            button->setEnabled(m_State.enabled(b));
        }
        m_Label->setText(QString::fromStdString(m_State.pageLabel()));
        // The scroll area gets its size from the layout only later: the window's height less the
        // button row stands for it.
        m_Pages->rebuild(std::max(400, width() - 40), std::max(400, height() - 70));
    }

    print::PreviewState m_State;
    std::vector<std::pair<print::PreviewState::Button, QPushButton*>> m_Buttons;
    QLabel* m_Label = nullptr;
    QScrollArea* m_Scroll = nullptr;
    PreviewPages* m_Pages = nullptr;
    print::PreviewResult m_Result = print::PreviewResult::Closed;
};

} // namespace

QtPrinterDc::QtPrinterDc(QPainter& painter, const print::DeviceGeometry& g, double dotsToDevice)
    : PrinterDc(g), m_Painter(painter) {
    m_Painter.save();
    m_Painter.scale(dotsToDevice, dotsToDevice);
    m_Painter.translate(g.marginDots(), g.marginDots());
}

QtPrinterDc::~QtPrinterDc() { m_Painter.restore(); }

void QtPrinterDc::fill(const ui::Rect& r, ui::Color c) {
    m_Painter.fillRect(QRect(r.left, r.top, r.width(), r.height()), qtColor(c));
}

void QtPrinterDc::line(ui::Point from, ui::Point to, const ui::Pen& pen) {
    QPen p(qtColor(pen.color));
    p.setWidth(std::max(1, pen.width));
    p.setStyle(pen.style == ui::PenStyle::Dot ? Qt::DotLine : Qt::SolidLine);
    // Square ends, so the four lines of a heavy frame close at the corners.
    p.setCapStyle(pen.width > 1 ? Qt::SquareCap : Qt::FlatCap);
    m_Painter.setPen(p);
    m_Painter.drawLine(from.x, from.y, to.x, to.y);
}

void QtPrinterDc::frame(const ui::Rect& r, const ui::Pen& pen) {
    const double w = std::max(1, pen.width);
    QPen p(qtColor(pen.color));
    p.setWidthF(w);
    p.setStyle(pen.style == ui::PenStyle::Dot ? Qt::DotLine : Qt::SolidLine);
    p.setJoinStyle(Qt::MiterJoin);
    m_Painter.setPen(p);
    m_Painter.setBrush(Qt::NoBrush);
    // The outline lies inside the rectangle.
    m_Painter.drawRect(QRectF(r.left + w / 2, r.top + w / 2, std::max(0.0, r.width() - w), std::max(0.0, r.height() - w)));
}

void QtPrinterDc::glyph(const ui::Rect& cell, std::string_view, std::string_view utf8, const ui::Font& f,
                        ui::Color color) {
    const PrintFont& pf = printFont(f);
    m_Painter.setFont(pf.font);
    m_Painter.setPen(qtColor(color));
    m_Painter.drawText(QPointF(cell.left, cell.top + pf.ascent),
                       QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

void QtPrinterDc::turnedGlyph(const ui::Rect& cell, int quarterTurns, std::string_view cp932, std::string_view utf8,
                              const ui::Font& f, ui::Color color) {
    if (quarterTurns % 4 == 0) {
        glyph(cell, cp932, utf8, f, color);
        return;
    }
    const PrintFont& pf = printFont(f);
    // The glyph's own box before the turn: a quarter turn swaps the cell's sides.
    const bool odd = quarterTurns % 2 != 0;
    const double w = odd ? cell.height() : cell.width();
    const double h = odd ? cell.width() : cell.height();
    m_Painter.save();
    m_Painter.setFont(pf.font);
    m_Painter.setPen(qtColor(color));
    m_Painter.translate((cell.left + cell.right) / 2.0, (cell.top + cell.bottom) / 2.0);
    m_Painter.rotate(-90.0 * quarterTurns); // counter-clockwise on the page
    m_Painter.drawText(QPointF(-w / 2, -h / 2 + pf.ascent),
                       QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    m_Painter.restore();
}

void QtPrinterDc::textDrawn(const ui::Rect& run, std::string_view, const ui::Font& f, ui::Color color) {
    if (!f.underline)
        return;
    // One underline across the whole text, blanks included.
    const PrintFont& pf = printFont(f);
    const double w = std::max(1.0, std::abs(f.height) / 16.0);
    QPen p(qtColor(color));
    p.setWidthF(w);
    p.setCapStyle(Qt::FlatCap);
    m_Painter.setPen(p);
    const double y = run.top + pf.ascent + w * 1.5;
    m_Painter.drawLine(QPointF(run.left, y), QPointF(run.right, y));
}

// ---------------------------------------------------------------------------------------------
// The backend's print service

bool QtBackend::printDialog(print::PrintSettings& settings, int firstPage, int lastPage) {
    QPrinter printer(QPrinter::HighResolution);
    configure(printer, settings);
    QPrintDialog dlg(&printer, dialogOwner(nullptr));
    dlg.setWindowTitle(QString::fromUtf8("印刷"));
    dlg.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                   QAbstractPrintDialog::PrintShowPageSize);
    if (lastPage > 0)
        dlg.setMinMax(firstPage, lastPage);
    // The PDF file offered is the document's own (the settings' file), also while a printer is
    // chosen, for when the user turns to printing into a file.
    if (!settings.toFile() && !settings.file.empty())
        if (auto* name = dlg.findChild<QLineEdit*>("filename"))
            name->setText(QString::fromStdString(settings.file.string()));
    if (dlg.exec() != QDialog::Accepted)
        return false;
    readBack(printer, settings);
    settings.allPages = dlg.printRange() != QAbstractPrintDialog::PageRange;
    if (!settings.allPages) {
        settings.fromPage = dlg.fromPage();
        settings.toPage = dlg.toPage();
    }
    return true;
}

bool QtBackend::printSetupDialog(print::PrintSettings& settings) {
    QPrinter printer(QPrinter::HighResolution);
    configure(printer, settings);
    QPrintDialog dlg(&printer, dialogOwner(nullptr));
    dlg.setWindowTitle(QString::fromUtf8("ﾌﾟﾘﾝﾀの設定"));
    dlg.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    readBack(printer, settings);
    return true;
}

std::unique_ptr<print::PrintJob> QtBackend::createJob(const print::PrintSettings& settings) {
    return std::make_unique<QtPrintJob>(settings);
}

print::PreviewResult QtBackend::runPreview(print::PreviewSession& session) {
    PreviewDialog dlg(session, dialogOwner(nullptr));
    dlg.exec();
    scheduleCollect();
    return dlg.result();
}

} // namespace kiv::qt
