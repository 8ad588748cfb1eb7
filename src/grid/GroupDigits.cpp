#include "grid/GroupDigits.h"

int GroupSpareCells(int width) {
    int n = 0;
    for (int t = width; t > 3; t -= 3)
        ++n;
    return n;
}

GroupedDigits GroupDigits(std::string_view number) {
    GroupedDigits g;
    const int width = static_cast<int>(number.size());
    if (width > GroupedDigits::MaxWidth) {
        if (width <= GroupedDigits::BufferLength - GroupedDigits::Start)
            g.Buffer.replace(GroupedDigits::Start, number.size(), number);
        return g;
    }
    std::string& buf = g.Buffer;
    buf.replace(GroupedDigits::Start, number.size(), number);
    for (char c : number) {
        if (c == '.')
            g.PointSeen = 1;
        else if (c >= '0' && c <= '9')
            ++(g.PointSeen ? g.FracDigits : g.IntDigits);
    }
    const int n = GroupSpareCells(width);
    g.Spare = n;
    if (n == 0)
        return g;
    // Walk the integer digits from the point leftwards in threes; each time shift everything
    // left of the group one place further left and put the separator in the gap.
    const int first = GroupedDigits::Start - n;
    const int span = width + n;
    int k = g.PointSeen ? g.FracDigits + 1 : 0;
    int remaining = g.IntDigits;
    while (remaining > 3) {
        remaining -= 3;
        k += 3;
        const int last = first + (span - k) - 1;
        if (last <= first)
            break;
        for (int p = first; p < last; ++p)
            buf[static_cast<std::size_t>(p)] = buf[static_cast<std::size_t>(p) + 1];
        buf[static_cast<std::size_t>(last)] = ',';
        ++k;
    }
    return g;
}
