#pragma once
// A record of a fixed number of bytes, as the settings and layout files hold one. The bytes are
// kept exactly as read, NUL bytes included: the record is never treated as a C string, so every
// position survives a read and a rewrite, and nothing is ever written past its end.
#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

template <std::size_t N>
class FixedRecord {
public:
    static constexpr std::size_t Size = N;

    // A new record is all blanks.
    FixedRecord() { m_Bytes.fill(' '); }

    // The first N bytes of `data` over a blank record: a short file leaves the rest blank, bytes
    // beyond the N-th are ignored.
    static FixedRecord fromBytes(std::string_view data) {
        FixedRecord r;
        std::copy_n(data.begin(), std::min(data.size(), N), r.m_Bytes.begin());
        return r;
    }

    std::string_view bytes() const { return {m_Bytes.data(), N}; }
    std::string toString() const { return std::string(bytes()); }
    char byte(std::size_t pos) const { return m_Bytes.at(pos); }

    bool operator==(const FixedRecord&) const = default;

protected:
    // Overwrites `text.size()` bytes from pos; the caller has checked that they lie inside.
    void put(std::size_t pos, std::string_view text) {
        std::copy(text.begin(), text.end(), m_Bytes.begin() + static_cast<std::ptrdiff_t>(pos));
    }
    void putByte(std::size_t pos, char c) { m_Bytes.at(pos) = c; }

private:
    std::array<char, N> m_Bytes;
};
