#include "print/AdressPrintRecord.h"

#include "platform/text/Cp932.h"
#include "platform/text/Number.h"

#include <vector>

namespace adressprint {

namespace {

const std::vector<FieldColumn>& columns() {
    static const std::vector<FieldColumn> c = [] {
        std::vector<FieldColumn> v;
        std::size_t at = 0;
        for (std::size_t w : {40, 40, 40, 40, 8, 20, 4}) {
            v.push_back({at, w});
            at += w + 1;
        }
        for (std::size_t g = 0; g < kGroupCount; ++g)
            for (std::size_t w : {4, 4, 4, 1}) {
                v.push_back({at, w});
                at += w + 1;
            }
        return v;
    }();
    return c;
}

std::string_view upToNul(std::string_view s) { return s.substr(0, s.find('\0')); }

std::string_view slice(std::string_view s, const FieldColumn& c) {
    if (c.offset >= s.size())
        return {};
    return s.substr(c.offset, c.width);
}

bool isFlag(std::size_t field) { return field >= kTextCount && (field - kTextCount) % 4 == 3; }

} // namespace

const FieldColumn& fieldColumn(std::size_t field) { return columns().at(field); }

std::string blankRecord() { return std::string(kRecordSize, ' '); }

Fields loadFields(std::string_view record) {
    const std::string_view text = upToNul(record);
    Fields f;
    for (std::size_t i = 0; i < kFieldCount; ++i)
        f[i] = std::string(kiv::text::trimRightBlanks(slice(text, columns()[i])));
    return f;
}

std::string formatRecord(const Fields& f) {
    std::string rec(kRecordSize, ' ');
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const FieldColumn& c = columns()[i];
        const std::string text = isFlag(i) ? std::string(f[i] == "1" ? "1" : "0") : kiv::text::fitBytes(f[i], c.width);
        rec.replace(c.offset, text.size(), text);
    }
    // Field 19 (the third group's flag) is followed by a TAB, the last field by the NUL.
    rec[columns()[groupField(Name2, Vertical)].offset + 1] = '\t';
    rec[kRecordSize - 1] = '\0';
    return rec;
}

std::string rawText(std::string_view record, std::size_t field) {
    const FieldColumn& c = columns().at(field);
    std::string work(c.width, ' ');
    const std::string_view src = slice(record, c);
    work.replace(0, src.size(), src);
    return std::string(upToNul(work));
}

int number(std::string_view record, std::size_t field) { return kiv::text::parseInt(rawText(record, field)); }

} // namespace adressprint
