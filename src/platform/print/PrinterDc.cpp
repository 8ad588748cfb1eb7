#include "platform/print/PrinterDc.h"

#include <algorithm>
#include <cstdlib>

namespace kiv::print {

ui::TextMetrics PrinterDc::printMetrics(const ui::Font& f) {
    const int h = std::max(1, std::abs(f.height));
    return {h, h * 4 / 5, (h + 1) / 2};
}

} // namespace kiv::print
