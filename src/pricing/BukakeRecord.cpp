#include "pricing/BukakeRecord.h"

#include <algorithm>

#include "platform/text/Cp932.h"
#include "platform/text/Number.h"

namespace {

std::string withoutLineBreaks(std::string_view s) {
    std::string r(s);
    std::erase_if(r, [](char c) { return c == '\r' || c == '\n'; });
    return r;
}

// The value cut to the column on a character boundary and padded with blanks on the side given.
std::string column(std::string_view value, std::size_t width, bool right) {
    std::string s = kiv::text::fitBytes(value, width);
    std::string fill(width - s.size(), ' ');
    return right ? fill + s : s + fill;
}

std::string_view part(std::string_view line, std::size_t pos, std::size_t width) {
    if (pos >= line.size())
        return {};
    return line.substr(pos, width);
}

} // namespace

namespace BukakeRecord {

std::string format(std::string_view no, std::string_view name, std::string_view kikaku, std::string_view bukake) {
    return column(withoutLineBreaks(no), NoWidth, true) + ' ' + column(withoutLineBreaks(name), NameWidth, false) + ' ' +
           column(withoutLineBreaks(kikaku), KikakuWidth, false) + ' ' +
           column(withoutLineBreaks(bukake), BukakeWidth, true);
}

std::string lineOf(std::string_view record) {
    record = record.substr(0, std::min(record.size(), Size));
    return std::string(record.substr(0, record.find('\0')));
}

std::string record(std::string_view line) {
    if (line.size() >= Size)
        return std::string(line.substr(0, Size));
    std::string r(line);
    r += '\0';
    r.resize(Size, ' ');
    return r;
}

BukakeFields fields(std::string_view line) {
    using kiv::text::trimRightBlanks;
    std::string_view no = part(line, NoPos, NoWidth);
    no.remove_prefix(std::min(no.find_first_not_of(' '), no.size()));
    return {std::string(no), std::string(trimRightBlanks(part(line, NamePos, NameWidth))),
            std::string(trimRightBlanks(part(line, KikakuPos, KikakuWidth))),
            std::string(trimRightBlanks(part(line, BukakePos, BukakeWidth)))};
}

} // namespace BukakeRecord
