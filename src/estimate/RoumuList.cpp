#include "estimate/RoumuList.h"

#include "platform/text/Number.h"

RoumuList::RoumuList(std::vector<RoumuRecord> lines) : m_Lines(std::move(lines)) {
    if (m_Lines.size() > MaxLines)
        m_Lines.resize(MaxLines);
}

const RoumuRecord* RoumuList::byNumber(int n) const {
    if (n < 1 || static_cast<std::size_t>(n) > m_Lines.size())
        return nullptr;
    return &m_Lines[static_cast<std::size_t>(n) - 1];
}

std::string roumuListFullMessage() {
    return "労務単価は" + std::to_string(RoumuList::MaxRegistered) + "件までしか登録できません。";
}

RoumuEdit RoumuList::refuseWhenFull() const {
    RoumuEdit e;
    if (m_Lines.size() >= MaxRegistered)
        e.message = roumuListFullMessage();
    return e;
}

RoumuEdit RoumuList::correct(std::optional<std::size_t> selected, const RoumuRecord& line) {
    RoumuEdit e;
    if (isLine(selected)) {
        m_Lines[*selected] = line;
        e.changed = true;
    }
    return e;
}

RoumuEdit RoumuList::add(const RoumuRecord& line) {
    RoumuEdit e = refuseWhenFull();
    if (!e.message.empty())
        return e;
    m_Lines.push_back(line);
    e.changed = true;
    return e;
}

RoumuEdit RoumuList::insert(std::optional<std::size_t> selected, const RoumuRecord& line) {
    RoumuEdit e = refuseWhenFull();
    if (!e.message.empty())
        return e;
    if (isLine(selected)) {
        m_Lines.insert(m_Lines.begin() + static_cast<std::ptrdiff_t>(*selected), line);
        e.selection = selected;
    } else {
        m_Lines.push_back(line);
    }
    e.changed = true;
    return e;
}

RoumuEdit RoumuList::remove(std::optional<std::size_t> selected) {
    RoumuEdit e;
    if (isLine(selected)) {
        m_Lines.erase(m_Lines.begin() + static_cast<std::ptrdiff_t>(*selected));
        e.changed = true;
    }
    return e;
}

int roumuRegistrationNumber(std::optional<std::size_t> selected, std::string_view typedNo) {
    if (selected)
        return static_cast<int>(*selected) + 1;
    return kiv::text::parseInt(typedNo);
}
