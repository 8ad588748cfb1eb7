#include "platform/text/FixedField.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "platform/text/Cp932.h"
#include "platform/text/Number.h"

namespace kiv::text {
namespace {

void checkRange(const std::string& record, std::size_t offset, std::size_t width) {
    if (offset > record.size() || width > record.size() - offset)
        throw std::out_of_range("field lies outside the record");
}

// The numbers read from the field's bytes: the reading ends at the first character past the
// number, a NUL or a trailing blank included, so the bytes read as the field's text would. Every
// row's numbers are read on every recalculation: no text is cut first.
std::string_view fieldBytes(std::string_view record, std::size_t offset, std::size_t width) {
    return offset >= record.size() ? std::string_view() : record.substr(offset, width);
}

// Where the first NUL of a field is (its size when there is none): eight bytes at a time, as
// every text of every row is read on each row refresh.
std::size_t nulAt(std::string_view f) {
    std::size_t i = 0;
    for (std::uint64_t w; i + 8 <= f.size(); i += 8) {
        std::memcpy(&w, f.data() + i, 8);
        if ((w - 0x0101010101010101ULL) & ~w & 0x8080808080808080ULL)
            break;   // a zero byte among these eight
    }
    while (i < f.size() && f[i] != '\0')
        ++i;
    return i;
}

// Whether the text lies in the record's own bytes.
bool within(const std::string& record, std::string_view text) {
    const auto begin = reinterpret_cast<std::uintptr_t>(record.data());
    const auto at = reinterpret_cast<std::uintptr_t>(text.data());
    return !text.empty() && at >= begin && at < begin + record.size();
}

} // namespace

std::string_view fieldText(std::string_view record, std::size_t offset, std::size_t width) {
    if (offset >= record.size())
        return {};
    std::string_view f = record.substr(offset, width);
    return trimRightBlanks(f.substr(0, nulAt(f)));
}

int fieldInt(std::string_view record, std::size_t offset, std::size_t width) {
    return parseInt(fieldBytes(record, offset, width));
}

Decimal fieldDecimal(std::string_view record, std::size_t offset, std::size_t width) {
    return parseDecimal(fieldBytes(record, offset, width));
}

bool fieldIsBlank(std::string_view record, std::size_t offset, std::size_t width) {
    // Blank: only blanks before the end or before a NUL, which ends the field's text.
    for (const char c : fieldBytes(record, offset, width)) {
        if (c == '\0')
            break;
        if (c != ' ')
            return false;
    }
    return true;
}

// The writes keep the record's length: its bytes are set in place (every field of every row is
// written back on each row refresh).
void blankField(std::string& record, std::size_t offset, std::size_t width) {
    checkRange(record, offset, width);
    std::fill_n(record.data() + offset, width, ' ');
}

bool putRight(std::string& record, std::size_t offset, std::size_t width, std::string_view text) {
    checkRange(record, offset, width);
    text = trimBlanks(text);
    if (text.size() > width)
        return false;
    if (within(record, text)) {
        // A text read from the record itself: the field is blanked first, then the text taken.
        blankField(record, offset, width);
        record.replace(offset + width - text.size(), text.size(), text);
        return true;
    }
    char* field = record.data() + offset;
    std::fill_n(field, width - text.size(), ' ');
    std::copy(text.begin(), text.end(), field + (width - text.size()));
    return true;
}

bool putLeft(std::string& record, std::size_t offset, std::size_t width, std::string_view text) {
    checkRange(record, offset, width);
    text = trimRightBlanks(text);
    if (text.size() > width)
        return false;
    if (within(record, text)) {
        blankField(record, offset, width);
        record.replace(offset, text.size(), text);
        return true;
    }
    char* field = record.data() + offset;
    std::copy(text.begin(), text.end(), field);
    std::fill_n(field + text.size(), width - text.size(), ' ');
    return true;
}

void putLeftFitted(std::string& record, std::size_t offset, std::size_t width, std::string_view text) {
    putLeft(record, offset, width, fitBytes(trimRightBlanks(text), width));
}

} // namespace kiv::text
