#pragma once
// One labour price: registration NO, trade (職種) and two labour unit prices, as a 37-byte text
// line "%2s %-12s %-10s %-10s" (CP932). In the labour-price file each line takes 45 bytes: the 37,
// a NUL, six blanks and a NUL.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/text/Decimal.h"

// The four boxes of the labour dialog, as shown for a line and as typed for a new one.
struct RoumuFields {
    std::string No;          // as it stands in the line, leading blank kept
    std::string Syokusyu;    // trailing blanks removed
    std::string RoumuTanka1; // trailing blanks removed, leading blanks kept
    std::string RoumuTanka2;
};

class RoumuRecord {
public:
    static constexpr std::size_t TextSize = 37;
    static constexpr std::size_t FileSize = 45;
    static constexpr std::size_t NoPos = 0, NoWidth = 2;
    static constexpr std::size_t SyokusyuPos = 3, SyokusyuWidth = 12;
    static constexpr std::size_t Tanka1Pos = 16, Tanka2Pos = 27, TankaWidth = 10;

    // A line of 37 blanks.
    RoumuRecord();
    // A text line up to its first NUL, blank-padded to 37 bytes; bytes past the 37th lie beyond
    // every field and are dropped (cut on a character boundary).
    static RoumuRecord fromText(std::string_view text);

    // The line the dialog builds from its four boxes: each unit price right-aligned to ten
    // characters, then "%2s %-12s %-10s %-10s". A value wider than its field is refused: the
    // result is empty and `error` (when given) holds a message naming the value (UTF-8).
    static std::optional<RoumuRecord> build(std::string_view no, std::string_view syokusyu, std::string_view tanka1,
                                            std::string_view tanka2, std::string* error = nullptr);

    const std::string& text() const { return m_Text; }
    // The boxes of the line when it is selected in the dialog.
    RoumuFields fields() const;
    // The unit prices as numbers (blank is 0), for the labour calculators.
    kiv::text::Decimal tanka1() const;
    kiv::text::Decimal tanka2() const;
    // The 45 bytes of the file record.
    std::string fileRecord() const;

    bool operator==(const RoumuRecord&) const = default;

private:
    std::string m_Text;
};
