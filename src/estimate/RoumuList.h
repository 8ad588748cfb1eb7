#pragma once
// The labour-price list of a document, and the editing the labour dialog does on its working copy.
// Labour lines of a row name their price by registration number n: the n-th line of the list,
// counted from 1, whatever its own NO text says. Registration numbers have two digits, so the
// editor lets the list grow to 99 lines; a file may give up to 100.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "estimate/RoumuRecord.h"

// What an editing step did: whether the list changed, which line is selected afterwards, and a
// message (UTF-8) for the caller to show when the step was refused.
struct RoumuEdit {
    bool changed = false;
    std::optional<std::size_t> selection;
    std::string message;
};

class RoumuList {
public:
    static constexpr std::size_t MaxLines = 100;
    static constexpr std::size_t MaxRegistered = 99;

    RoumuList() = default;
    // The first MaxLines lines; the caller checks the count beforehand when it must report a cut.
    explicit RoumuList(std::vector<RoumuRecord> lines);

    std::size_t count() const { return m_Lines.size(); }
    bool empty() const { return m_Lines.empty(); }
    const std::vector<RoumuRecord>& lines() const { return m_Lines; }
    // Line n (1-based), or null when the list has no such line (0 names no labour line).
    const RoumuRecord* byNumber(int n) const;

    // 訂正: the selected line is replaced; without a selection nothing changes. No line stays
    // selected.
    RoumuEdit correct(std::optional<std::size_t> selected, const RoumuRecord& line);
    // 追加: appended at the end; no line stays selected. Refused when the list already holds
    // MaxRegistered lines.
    RoumuEdit add(const RoumuRecord& line);
    // 挿入: inserted before the selected line (at the end when none is) and selected when there
    // was a selection. Refused when the list already holds MaxRegistered lines.
    RoumuEdit insert(std::optional<std::size_t> selected, const RoumuRecord& line);
    // 削除: the selected line is removed; no line stays selected.
    RoumuEdit remove(std::optional<std::size_t> selected);

    bool operator==(const RoumuList&) const = default;

private:
    bool isLine(std::optional<std::size_t> index) const { return index && *index < m_Lines.size(); }
    RoumuEdit refuseWhenFull() const;

    std::vector<RoumuRecord> m_Lines;
};

// The registration number the labour dialog hands back: the selected line's position (index + 1)
// when a line is selected, otherwise the NO the user typed, read as a number (0 names none).
int roumuRegistrationNumber(std::optional<std::size_t> selected, std::string_view typedNo);

// The message an editing step shows when the list is full.
std::string roumuListFullMessage();
