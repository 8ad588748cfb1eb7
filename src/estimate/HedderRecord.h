#pragma once
// The header and footer layout "ヘッダー.hdr": 256 bytes, six texts each with X, Y and size.
// Columns 243-255 are not read.
#include <string_view>

#include "estimate/FixedRecord.h"
#include "estimate/LayoutField.h"

class HedderRecord : public FixedRecord<256> {
public:
    HedderRecord() = default;
    HedderRecord(const FixedRecord<256>& r) : FixedRecord<256>(r) {}
    static HedderRecord fromBytes(std::string_view data) { return FixedRecord<256>::fromBytes(data); }
};

struct HedderLayout {
    LayoutItem headerLeft;   // text 0-29
    LayoutItem headerCentre; // text 43-58
    LayoutItem headerRight;  // text 72-101
    LayoutItem footerLeft;   // text 115-144
    LayoutItem footerPage;   // page-position text 158-187
    LayoutItem footerRight;  // text 201-230
    bool operator==(const HedderLayout&) const = default;
};

HedderLayout ParseHedder(const HedderRecord& record);
