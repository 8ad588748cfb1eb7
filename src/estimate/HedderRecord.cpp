#include "estimate/HedderRecord.h"

HedderLayout ParseHedder(const HedderRecord& record) {
    std::string_view r = record.bytes();
    HedderLayout h;
    h.headerLeft = layoutItem(r, 0, 30);
    h.headerCentre = layoutItem(r, 43, 16);
    h.headerRight = layoutItem(r, 72, 30);
    h.footerLeft = layoutItem(r, 115, 30);
    h.footerPage = layoutItem(r, 158, 30);
    h.footerRight = layoutItem(r, 201, 30);
    return h;
}

std::span<const std::size_t> HedderRecord::fieldWidths() {
    static const std::array<std::size_t, kHedderFieldCount> widths{30, 3, 3, 3, 16, 3, 3, 3, 30, 3, 3, 3,
                                                                   30, 3, 3, 3, 30, 3, 3, 3, 30, 3, 3, 3};
    return widths;
}

void HedderRecord::storeFields(std::span<const std::string> values) {
    const std::string text = joinLayoutFields(values, fieldWidths());
    put(0, text); // exactly kFormattedLength bytes
    putByte(kFormattedLength, '\0');
    putByte(Size - 1, '\0');
}
