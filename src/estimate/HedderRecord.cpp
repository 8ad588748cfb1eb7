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
