#include "platform/print/PrintSettings.h"

#include <iterator>

namespace kiv::print {
namespace {

const PaperInfo kPapers[] = {
    {Paper::A4, 2100, 2970, "A4"},
    {Paper::A3, 2970, 4200, "A3"},
    {Paper::B4, 2570, 3640, "B4 (JIS)"},
    {Paper::B5, 1820, 2570, "B5 (JIS)"},
    {Paper::Letter, 2159, 2794, "Letter"},
};

// Whole dots of the virtual device in a length of tenths of a millimetre.
int dotsOf(int tenthMm) { return static_cast<int>(tenthMm / 254.0 * DeviceGeometry::kDotsPerInch); }

} // namespace

const PaperInfo& paperInfo(Paper p) {
    for (const PaperInfo& i : kPapers)
        if (i.paper == p)
            return i;
    return kPapers[0];
}

const PaperInfo* papers(int& count) {
    count = static_cast<int>(std::size(kPapers));
    return kPapers;
}

int DeviceGeometry::cap(DeviceCap c) const {
    switch (c) {
    case DeviceCap::HorzSize: return horzSizeMm;
    case DeviceCap::VertSize: return vertSizeMm;
    case DeviceCap::HorzRes: return widthDots;
    case DeviceCap::VertRes: return heightDots;
    case DeviceCap::LogPixelsX:
    case DeviceCap::LogPixelsY: return kDotsPerInch;
    }
    return 0;
}

DeviceGeometry deviceGeometry(Paper paper, Orientation orientation) {
    const PaperInfo& p = paperInfo(paper);
    DeviceGeometry g;
    const bool landscape = orientation == Orientation::Landscape;
    g.paperWidthTenthMm = landscape ? p.heightTenthMm : p.widthTenthMm;
    g.paperHeightTenthMm = landscape ? p.widthTenthMm : p.heightTenthMm;
    const int w = g.paperWidthTenthMm - 2 * DeviceGeometry::kMarginTenthMm;
    const int h = g.paperHeightTenthMm - 2 * DeviceGeometry::kMarginTenthMm;
    g.widthDots = dotsOf(w);
    g.heightDots = dotsOf(h);
    g.horzSizeMm = w / 10;
    g.vertSizeMm = h / 10;
    return g;
}

} // namespace kiv::print
