#include "print/AdressBook.h"

#include "platform/text/Cp932.h"
#include "platform/text/FixedField.h"
#include "platform/text/Number.h"

#include <algorithm>
#include <cstdio>

namespace adress {

namespace {

struct Column {
    std::size_t offset, width;
    std::string AdressEntry::*member;
};

constexpr Column kColumns[] = {
    {0, 4, &AdressEntry::no},          {5, 40, &AdressEntry::name},      {46, 40, &AdressEntry::address},
    {87, 40, &AdressEntry::name2},     {128, 40, &AdressEntry::address2}, {169, 8, &AdressEntry::postcode},
    {178, 12, &AdressEntry::phone},    {191, 12, &AdressEntry::fax},
};

} // namespace

std::string formatAdressRecord(const AdressEntry& e) {
    std::string rec(kRecordSize, ' ');
    for (const Column& c : kColumns) {
        const std::string text = kiv::text::fitBytes(e.*c.member, c.width);
        // The number is right-aligned ("%4s"), blanks it was typed with included; texts left.
        const std::size_t at = c.offset == 0 ? c.width - text.size() : 0;
        rec.replace(c.offset + at, text.size(), text);
    }
    return rec;
}

AdressEntry parseAdressRecord(std::string_view line) {
    AdressEntry e;
    for (const Column& c : kColumns) {
        std::string_view f = c.offset < line.size() ? line.substr(c.offset, c.width) : std::string_view{};
        if (c.offset == 0) {
            const std::size_t first = f.find_first_not_of(' ');
            e.*c.member = first == std::string_view::npos ? std::string() : std::string(f.substr(first));
        } else {
            e.*c.member = std::string(kiv::text::trimRightBlanks(f));
        }
    }
    return e;
}

std::vector<std::string> splitAdressFile(std::string_view data) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < data.size(); at += kRecordSize) {
        std::string line(data.substr(at, kRecordSize));
        line.resize(kRecordSize, ' ');
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string joinAdressLines(const std::vector<std::string>& lines) {
    std::string data;
    data.reserve(lines.size() * kRecordSize);
    for (const std::string& l : lines) {
        std::string line = l.substr(0, kRecordSize);
        line.resize(kRecordSize, ' ');
        data += line;
    }
    return data;
}

std::string renumberAdressLine(std::string line, int position) {
    char no[16];
    std::snprintf(no, sizeof no, "%04d", position);
    line.resize(std::max(line.size(), kRecordSize), ' ');
    line.replace(0, 4, std::string_view(no, 4));
    return line;
}

} // namespace adress
