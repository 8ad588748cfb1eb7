#include "estimate/LayoutField.h"

#include "platform/text/Cp932.h"
#include "platform/text/Number.h"

std::string layoutText(std::string_view record, std::size_t offset, std::size_t width) {
    std::string_view t = record.substr(offset, width);
    return std::string(t.substr(0, t.find('\0')));
}

int layoutNumber(std::string_view record, std::size_t offset) {
    return kiv::text::parseInt(record.substr(offset, kLayoutNumberWidth));
}

LayoutPos layoutPos(std::string_view record, std::size_t offset) {
    return {layoutNumber(record, offset), layoutNumber(record, offset + 4), layoutNumber(record, offset + 8)};
}

LayoutItem layoutItem(std::string_view record, std::size_t offset, std::size_t width) {
    return {layoutText(record, offset, width), layoutPos(record, offset + width + 1)};
}

std::vector<std::string> splitLayoutFields(std::string_view record, std::span<const std::size_t> widths) {
    record = record.substr(0, record.find('\0'));
    std::vector<std::string> out;
    std::size_t at = 0;
    for (std::size_t w : widths) {
        std::string_view field = at < record.size() ? record.substr(at, w) : std::string_view();
        const std::size_t end = field.find_last_not_of(' ');
        out.emplace_back(end == std::string_view::npos ? std::string_view() : field.substr(0, end + 1));
        at += w + 1;
    }
    return out;
}

std::string joinLayoutFields(std::span<const std::string> values, std::span<const std::size_t> widths) {
    std::string out;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        if (i > 0)
            out += ' ';
        std::string v = i < values.size() ? kiv::text::fitBytes(values[i], widths[i]) : std::string();
        v.resize(widths[i], ' ');
        out += v;
    }
    return out;
}
