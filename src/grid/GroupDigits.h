#pragma once
// Thousands separators for numbers held as right-aligned text in a fixed-width field. The grid,
// the printed pages and the exports draw a field of width W in W + n cells, the n cells left of
// the field taking the separators, so the right edge stays where the field ends.
#include <string>
#include <string_view>

struct GroupedDigits {
    static constexpr int BufferLength = 20;
    static constexpr int Start = 5;   // where the number's first character is copied
    static constexpr int MaxWidth = 12;

    // 20 bytes: the grouped number right-aligned in positions Start - Spare .. Start + W - 1.
    std::string Buffer = std::string(BufferLength, ' ');
    int Spare = 0;       // n: separator cells, one per full group of three characters beyond the first
    int IntDigits = 0;
    int FracDigits = 0;
    int PointSeen = 0;

    int Offset() const { return Start - Spare; }
    // The grouped text of `width` + Spare characters.
    std::string_view Text(int width) const {
        return std::string_view(Buffer).substr(static_cast<std::size_t>(Offset()), static_cast<std::size_t>(width + Spare));
    }
};

// Groups the W characters of `number` (W = its length): a "," before every group of three
// integer digits counted from the decimal point or the end; a "-" moves with the digits. A text
// wider than MaxWidth characters is not grouped (Spare 0, the text unchanged in the buffer when
// it fits there).
GroupedDigits GroupDigits(std::string_view number);

// The number of separator cells of a field of `width` characters.
int GroupSpareCells(int width);
