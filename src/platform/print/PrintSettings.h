#pragma once
// What a print job prints on and how: the target (a system printer or a PDF file), the paper,
// its orientation, the pages and the copies; and the virtual device every job draws on.
//
// The virtual device. Whatever the target, the program draws in dots of 600 per inch on the
// printable area of the paper, which is the paper less 5 mm on each side, with (0, 0) at that
// area's top-left corner. HORZSIZE is the printable width in whole millimetres; the width in
// dots is the printable width cut to whole dots (A4 landscape: 287 mm, 6779 x 4724 dots; A4
// portrait: 200 mm, 4724 x 6779). A backend maps the device onto the real page at whatever
// resolution the printer has; drawing is cut only at the paper's edge.
#include <filesystem>
#include <string>

namespace kiv::print {

enum class Paper { A4, A3, B4, B5, Letter };
enum class Orientation { Portrait, Landscape };

// Portrait size in tenths of a millimetre, and the name the dialogs show.
struct PaperInfo {
    Paper paper;
    int widthTenthMm;
    int heightTenthMm;
    const char* name;   // UTF-8
};
const PaperInfo& paperInfo(Paper p);
// Every paper the dialogs offer, A4 first.
const PaperInfo* papers(int& count);

struct PrintSettings {
    enum class Target { Printer, File };
    Target target = Target::Printer;
    std::string printerName;          // UTF-8; empty: the system's default printer
    std::filesystem::path file;       // the PDF file, when the target is File
    Paper paper = Paper::A4;
    Orientation orientation = Orientation::Portrait;
    bool allPages = true;             // else fromPage..toPage
    int fromPage = 1;
    int toPage = 1;
    int copies = 1;

    bool toFile() const { return target == Target::File; }
};

// Device capabilities a page printer may ask for.
enum class DeviceCap { HorzSize, VertSize, HorzRes, VertRes, LogPixelsX, LogPixelsY };

struct DeviceGeometry {
    static constexpr int kDotsPerInch = 600;
    static constexpr int kMarginTenthMm = 50;   // 5 mm of paper left blank on each side

    int paperWidthTenthMm = 0;    // the paper as it lies (landscape: the long side across)
    int paperHeightTenthMm = 0;
    int widthDots = 0;            // printable area
    int heightDots = 0;
    int horzSizeMm = 0;           // printable area in whole millimetres
    int vertSizeMm = 0;

    int cap(DeviceCap c) const;
    // Dots of the virtual device from the paper's top-left corner to the printable origin.
    double marginDots() const { return kMarginTenthMm / 254.0 * kDotsPerInch; }
};

DeviceGeometry deviceGeometry(Paper paper, Orientation orientation);
inline DeviceGeometry deviceGeometry(const PrintSettings& s) { return deviceGeometry(s.paper, s.orientation); }

} // namespace kiv::print
