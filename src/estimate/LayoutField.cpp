#include "estimate/LayoutField.h"

#include "platform/text/Number.h"

std::string layoutText(std::string_view record, std::size_t offset, std::size_t width) {
    std::string_view t = record.substr(offset, width);
    return std::string(t.substr(0, t.find('\0')));
}

int layoutNumber(std::string_view record, std::size_t offset) { return kiv::text::parseInt(record.substr(offset, 3)); }

LayoutPos layoutPos(std::string_view record, std::size_t offset) {
    return {layoutNumber(record, offset), layoutNumber(record, offset + 4), layoutNumber(record, offset + 8)};
}

LayoutItem layoutItem(std::string_view record, std::size_t offset, std::size_t width) {
    return {layoutText(record, offset, width), layoutPos(record, offset + width + 1)};
}
