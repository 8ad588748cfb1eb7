#include "platform/print/PrinterDc.h"

#include <algorithm>
#include <cstdlib>

namespace kiv::print {

int PrinterDc::pageWidth() const {
    return static_cast<int>(getDeviceCaps(DeviceCap::HorzSize) / 25.4 * getDeviceCaps(DeviceCap::LogPixelsX));
}

ui::TextMetrics PrinterDc::printMetrics(const ui::Font& f) {
    const int h = std::max(1, std::abs(f.height));
    return {h, h * 4 / 5, (h + 1) / 2};
}

} // namespace kiv::print
