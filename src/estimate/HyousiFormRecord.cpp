#include "estimate/HyousiFormRecord.h"

HyousiLayout ParseHyousi(const HyousiFormRecord& record) {
    std::string_view r = record.bytes();
    HyousiLayout h;
    h.midasi = layoutItem(r, 0, 12);
    h.meisyou = layoutItem(r, 25, 12);
    h.aite = layoutItem(r, 50, 6);
    h.kingaku = layoutItem(r, 69, 12);
    h.tantousya = layoutItem(r, 94, 6);
    for (std::size_t i = 0; i < h.meisyouN.size(); ++i)
        h.meisyouN[i] = layoutItem(r, 113 + 53 * i, 40);
    for (std::size_t i = 0; i < h.jouken.size(); ++i)
        h.jouken[i] = layoutItem(r, 431 + 25 * i, 12);
    for (std::size_t i = 0; i < h.bikouN.size(); ++i)
        h.bikouN[i] = layoutItem(r, 556 + 63 * i, 50);
    h.nengappi = {layoutText(r, 682, 4), layoutText(r, 687, 2), layoutText(r, 690, 2), layoutText(r, 693, 2)};
    h.nengappiPos = layoutPos(r, 696);
    h.mitumoriNo = layoutItem(r, 708, 8);
    h.bikou = layoutPos(r, 729);
    h.waku = layoutPos(r, 741);
    return h;
}

std::span<const std::size_t> HyousiFormRecord::fieldWidths() {
    static const std::array<std::size_t, kHyousiFormFieldCount> widths = [] {
        std::array<std::size_t, kHyousiFormFieldCount> w{};
        std::size_t i = 0;
        auto group = [&](std::size_t text) {
            w[i++] = text;
            w[i++] = 3;
            w[i++] = 3;
            w[i++] = 3;
        };
        for (std::size_t text : {12, 12, 6, 12, 6, 40, 40, 40, 40, 40, 40, 12, 12, 12, 12, 12, 50, 50})
            group(text);
        for (std::size_t text : {4, 2, 2, 2, 3, 3, 3}) // 年月日: four texts, then X, Y and size
            w[i++] = text;
        group(8);                                       // 見積番号
        for (int k = 0; k < 6; ++k)                     // 備考 and 枠: X, Y and size only
            w[i++] = 3;
        return w;
    }();
    return widths;
}

void HyousiFormRecord::storeFields(std::span<const std::string> values) {
    put(0, joinLayoutFields(values, fieldWidths())); // exactly Size bytes
}
