#include "platform/text/FixedField.h"

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

} // namespace

std::string_view fieldText(std::string_view record, std::size_t offset, std::size_t width) {
    if (offset >= record.size())
        return {};
    std::string_view f = record.substr(offset, width);
    std::size_t nul = f.find('\0');
    if (nul != std::string_view::npos)
        f = f.substr(0, nul);
    return trimRightBlanks(f);
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

void blankField(std::string& record, std::size_t offset, std::size_t width) {
    checkRange(record, offset, width);
    record.replace(offset, width, width, ' ');
}

bool putRight(std::string& record, std::size_t offset, std::size_t width, std::string_view text) {
    checkRange(record, offset, width);
    text = trimBlanks(text);
    if (text.size() > width)
        return false;
    blankField(record, offset, width);
    record.replace(offset + width - text.size(), text.size(), text);
    return true;
}

bool putLeft(std::string& record, std::size_t offset, std::size_t width, std::string_view text) {
    checkRange(record, offset, width);
    text = trimRightBlanks(text);
    if (text.size() > width)
        return false;
    blankField(record, offset, width);
    record.replace(offset, text.size(), text);
    return true;
}

void putLeftFitted(std::string& record, std::size_t offset, std::size_t width, std::string_view text) {
    putLeft(record, offset, width, fitBytes(trimRightBlanks(text), width));
}

} // namespace kiv::text
