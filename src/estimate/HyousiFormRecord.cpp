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
