#include "estimate/GyouRecord.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "platform/text/Cp932.h"
#include "platform/text/FixedField.h"
#include "platform/text/Number.h"

namespace {

using Layout = GyouRecord::Layout;

constexpr bool T = true;   // text field
constexpr bool N = false;  // numeric field

// Fields 37-92: seven material lines of eight fields each, 129 bytes a line.
constexpr std::array<Layout, 8> kMaterialLine{{
    {0, 10, N}, {10, 30, T}, {40, 30, T}, {70, 5, N}, {75, 4, T}, {79, 10, N}, {89, 10, N}, {99, 30, T},
}};

constexpr std::array<Layout, GyouRecord::FieldCount> buildLayout() {
    std::array<Layout, GyouRecord::FieldCount> t{};
    constexpr std::array<Layout, 36> shown{{
        {0, 4, N},   {4, 4, N},   {8, 4, T},   {12, 4, N},  {16, 30, T}, {46, 30, T},
        {76, 8, N},  {84, 8, N},  {92, 8, N},  {100, 8, N}, {108, 2, T}, {110, 2, T},
        {112, 10, N}, {122, 10, N}, {132, 10, N}, {142, 10, N}, {152, 12, N}, {164, 12, N},
        {176, 30, T}, {206, 30, T}, {236, 6, N}, {242, 6, N}, {248, 4, N}, {252, 4, N},
        {256, 4, N}, {260, 4, N}, {264, 4, N}, {268, 4, N}, {272, 5, N}, {277, 5, N},
        {282, 4, N}, {286, 4, N}, {290, 6, N}, {296, 6, N}, {302, 4, N}, {306, 4, N},
    }};
    for (int i = 0; i < 36; ++i)
        t[i] = shown[i];
    // Bytes 310-314 belong to no field.
    for (int k = 0; k < 7; ++k)
        for (int f = 0; f < 8; ++f) {
            Layout l = kMaterialLine[f];
            l.Offset += GyouRecord::MaterialOffset + GyouRecord::MaterialLength * k;
            t[36 + 8 * k + f] = l;
        }
    constexpr std::array<Layout, 14> tail{{
        {1218, 10, N}, {1228, 10, N}, {1238, 2, N}, {1240, 2, N}, {1242, 2, N},
        {236, 6, N}, {242, 6, N}, {1244, 6, N}, {1250, 1, N}, {1251, 1, N},
        {1252, 30, T}, {1282, 30, T}, {1312, 30, T}, {1342, 58, T},
    }};
    for (int i = 0; i < 14; ++i)
        t[92 + i] = tail[i];
    return t;
}

constexpr std::array<Layout, GyouRecord::FieldCount> kLayout = buildLayout();

static_assert(kLayout[GyouRecord::Zai7Bikou - 1].Offset + kLayout[GyouRecord::Zai7Bikou - 1].Width == 1218);
static_assert(kLayout[GyouRecord::Spare106 - 1].Offset + kLayout[GyouRecord::Spare106 - 1].Width ==
              GyouRecord::Length);

std::size_t off(int field) { return static_cast<std::size_t>(GyouRecord::layout(field).Offset); }
std::size_t wid(int field) { return static_cast<std::size_t>(GyouRecord::layout(field).Width); }

void padToLength(std::string& row) {
    if (row.size() < static_cast<std::size_t>(GyouRecord::Length))
        row.resize(GyouRecord::Length, ' ');
}

} // namespace

namespace {
// Apart, so that the lookup itself (asked for every field every row's pricing reads) stays small
// enough to be inlined.
[[noreturn, gnu::noinline, gnu::cold]] void fieldOutOfRange(int field) {
    throw std::out_of_range("row field number out of range: " + std::to_string(field));
}
} // namespace

const GyouRecord::Layout& GyouRecord::layout(int field) {
    if (field < 1 || field > FieldCount) [[unlikely]]
        fieldOutOfRange(field);
    return kLayout[static_cast<std::size_t>(field - 1)];
}

std::string GyouRecord::blankRow() { return std::string(Length, ' '); }

void GyouRecord::fitLength(std::string& row) {
    if (row.size() > static_cast<std::size_t>(Length))
        row = kiv::text::fitBytes(row, Length);
    padToLength(row);
}

void GyouRecord::padLength(std::string& row) { padToLength(row); }

std::string_view GyouRecord::raw(std::string_view row, int field) {
    std::size_t o = off(field);
    if (o >= row.size())
        return {};
    return row.substr(o, wid(field));
}

std::string_view GyouRecord::text(std::string_view row, int field) {
    return kiv::text::fieldText(row, off(field), wid(field));
}

int GyouRecord::toInt(std::string_view row, int field) {
    return kiv::text::fieldInt(row, off(field), wid(field));
}

std::size_t GyouRecord::numbersLength() { return static_cast<std::size_t>(layout(Kigou).Offset); }

std::string_view GyouRecord::afterNumbers(std::string_view row) {
    return row.substr(std::min(row.size(), numbersLength()));
}

kiv::text::Decimal GyouRecord::toDecimal(std::string_view row, int field) {
    return kiv::text::fieldDecimal(row, off(field), wid(field));
}

bool GyouRecord::isBlank(std::string_view row, int field) {
    return kiv::text::fieldIsBlank(row, off(field), wid(field));
}

bool GyouRecord::putNumber(std::string& row, int field, std::string_view text) {
    padToLength(row);
    return kiv::text::putRight(row, off(field), wid(field), text);
}

bool GyouRecord::putText(std::string& row, int field, std::string_view text) {
    padToLength(row);
    return kiv::text::putLeft(row, off(field), wid(field), text);
}

bool GyouRecord::putFormatted(std::string& row, int field, std::string_view format,
                              const kiv::text::Decimal& value) {
    return putNumber(row, field, kiv::text::cformat(format, value));
}

void GyouRecord::putTextFitted(std::string& row, int field, std::string_view text) {
    padToLength(row);
    kiv::text::putLeftFitted(row, off(field), wid(field), text);
}

void GyouRecord::blank(std::string& row, int field) {
    padToLength(row);
    kiv::text::blankField(row, off(field), wid(field));
}

bool GyouRecord::writeKey(std::string& row, int koumoku, int gyou) {
    if (koumoku < 0 || koumoku > 9999 || gyou < 0 || gyou > 9999)
        return false;
    padToLength(row);
    const std::string k = kiv::text::cformat("%04d", koumoku);
    const std::string g = kiv::text::cformat("%04d", gyou);
    row.replace(off(KoumokuNo), 4, k);
    row.replace(off(GyouNo), 4, g);
    return true;
}

void GyouRecord::fillBlankHokyuu(std::string& row) {
    padToLength(row);
    if (raw(row, Hokyuu).find_first_not_of(' ') == std::string_view::npos)
        row.replace(off(Hokyuu), wid(Hokyuu), DefaultHokyuu);
}
