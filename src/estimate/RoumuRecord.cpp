#include "estimate/RoumuRecord.h"

#include "platform/text/Cp932.h"
#include "platform/text/FixedField.h"
#include "platform/text/Number.h"

namespace {

bool fits(std::string_view value, std::size_t width, const char* caption, std::string* error) {
    if (value.size() <= width)
        return true;
    if (error)
        *error = std::string(caption) + "「" + kiv::text::toUtf8(value) + "」は" +
                 std::to_string(width) + "桁に入りきらないため登録できません。";
    return false;
}

std::string leftPadded(std::string_view s, std::size_t width) {
    std::string r(s);
    if (r.size() < width)
        r.insert(0, width - r.size(), ' ');
    return r;
}

std::string rightPadded(std::string_view s, std::size_t width) {
    std::string r(s);
    if (r.size() < width)
        r.append(width - r.size(), ' ');
    return r;
}

} // namespace

RoumuRecord::RoumuRecord() : m_Text(TextSize, ' ') {}

RoumuRecord RoumuRecord::fromText(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    RoumuRecord r;
    r.m_Text = rightPadded(kiv::text::fitBytes(text, TextSize), TextSize);
    return r;
}

std::optional<RoumuRecord> RoumuRecord::build(std::string_view no, std::string_view syokusyu, std::string_view tanka1,
                                              std::string_view tanka2, std::string* error) {
    if (!fits(no, NoWidth, "NO", error) || !fits(syokusyu, SyokusyuWidth, "職種", error) ||
        !fits(tanka1, TankaWidth, "労務単価１", error) || !fits(tanka2, TankaWidth, "労務単価２", error))
        return std::nullopt;
    RoumuRecord r;
    r.m_Text = leftPadded(no, NoWidth) + ' ' + rightPadded(syokusyu, SyokusyuWidth) + ' ' +
               leftPadded(tanka1, TankaWidth) + ' ' + leftPadded(tanka2, TankaWidth);
    return r;
}

RoumuFields RoumuRecord::fields() const {
    using kiv::text::trimRightBlanks;
    std::string_view t = m_Text;
    return {std::string(t.substr(NoPos, NoWidth)), std::string(trimRightBlanks(t.substr(SyokusyuPos, SyokusyuWidth))),
            std::string(trimRightBlanks(t.substr(Tanka1Pos, TankaWidth))),
            std::string(trimRightBlanks(t.substr(Tanka2Pos, TankaWidth)))};
}

kiv::text::Decimal RoumuRecord::tanka1() const { return kiv::text::fieldDecimal(m_Text, Tanka1Pos, TankaWidth); }
kiv::text::Decimal RoumuRecord::tanka2() const { return kiv::text::fieldDecimal(m_Text, Tanka2Pos, TankaWidth); }

std::string RoumuRecord::fileRecord() const {
    std::string r = m_Text;
    r += '\0';
    r += "      ";
    r += '\0';
    return r;
}
