#pragma once
// The header and footer layout "ヘッダー.hdr": 256 bytes, six texts each with X, Y and size.
// Columns 243-255 are not read.
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "estimate/FixedRecord.h"
#include "estimate/LayoutField.h"

// The 24 fields in record order: each group a text, then X, Y and size.
enum HedderField : std::size_t {
    HedderLeftText, HedderLeftX, HedderLeftY, HedderLeftSize,
    HedderCenterText, HedderCenterX, HedderCenterY, HedderCenterSize,
    HedderRightText, HedderRightX, HedderRightY, HedderRightSize,
    FooterLeftText, FooterLeftX, FooterLeftY, FooterLeftSize,
    PageNoText, PageNoX, PageNoY, PageNoSize,
    FooterRightText, FooterRightX, FooterRightY, FooterRightSize,
    kHedderFieldCount
};

class HedderRecord : public FixedRecord<256> {
public:
    static constexpr std::size_t kFormattedLength = 243; // the fields with their separators

    HedderRecord() = default;
    HedderRecord(const FixedRecord<256>& r) : FixedRecord<256>(r) {}
    static HedderRecord fromBytes(std::string_view data) { return FixedRecord<256>::fromBytes(data); }

    // Widths of the fields in record order.
    static std::span<const std::size_t> fieldWidths();
    // Writes the fields over bytes 0-242 and puts a NUL at 243 and at 255. Bytes 244-254 keep
    // what the record held: they belong to no field.
    void storeFields(std::span<const std::string> values);
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
