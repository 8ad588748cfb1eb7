#pragma once
// The fields of the print-layout records (header/footer and cover page): texts in fixed columns,
// each followed by three 3-column numbers (X, Y, size), every field followed by one separator
// column.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Where and how large a printed text stands.
struct LayoutPos {
    int x = 0;
    int y = 0;
    int size = 0;
    bool operator==(const LayoutPos&) const = default;
};

// A text (CP932, blanks kept) with its position.
struct LayoutItem {
    std::string text;
    LayoutPos pos;
    bool operator==(const LayoutItem&) const = default;
};

// The columns of X, Y and size; no text field of a layout record is this narrow.
inline constexpr std::size_t kLayoutNumberWidth = 3;

// The text columns as they stand, blanks kept, up to a NUL if one stands inside.
std::string layoutText(std::string_view record, std::size_t offset, std::size_t width);
// A 3-column number read as atoi reads it (leading blanks skipped, stops at the first other
// character; blank gives 0).
int layoutNumber(std::string_view record, std::size_t offset);
// X, Y and size at offset, offset + 4 and offset + 8.
LayoutPos layoutPos(std::string_view record, std::size_t offset);
// A text of `width` columns at offset followed by its X, Y and size.
LayoutItem layoutItem(std::string_view record, std::size_t offset, std::size_t width);

// The fields as an editor shows them: cut from the record up to its first NUL (a field beyond
// that end is empty, one reaching past it is shorter) and stripped of trailing blanks.
std::vector<std::string> splitLayoutFields(std::string_view record, std::span<const std::size_t> widths);
// The fields left-aligned and blank-padded to their widths with one blank between consecutive
// fields, as the editors write them. A value longer than its field (which the editors' limits
// prevent) is cut on a character boundary rather than pushing the following fields along.
std::string joinLayoutFields(std::span<const std::string> values, std::span<const std::size_t> widths);
