#include "platform/archive/Archive.h"

#include "platform/text/Cp932.h"

namespace kiv::archive {

void ArchiveWriter::put16(std::uint16_t v) {
    m_Bytes += static_cast<char>(v & 0xFF);
    m_Bytes += static_cast<char>(v >> 8);
}

void ArchiveWriter::put32(std::uint32_t v) {
    put16(static_cast<std::uint16_t>(v & 0xFFFF));
    put16(static_cast<std::uint16_t>(v >> 16));
}

void ArchiveWriter::writeInt32(std::int32_t v) { put32(static_cast<std::uint32_t>(v)); }

void ArchiveWriter::writeString(std::string_view s) {
    if (s.size() > 0xFFFFFFFFu)
        throw ArchiveError("string too long for the archive");
    if (s.size() < 0xFF) {
        m_Bytes += static_cast<char>(s.size());
    } else if (s.size() < 0xFFFE) {
        m_Bytes += static_cast<char>(0xFF);
        put16(static_cast<std::uint16_t>(s.size()));
    } else {
        m_Bytes += static_cast<char>(0xFF);
        put16(0xFFFF);
        put32(static_cast<std::uint32_t>(s.size()));
    }
    m_Bytes.append(s);
}

void ArchiveReader::need(std::size_t n, const char* what) const {
    if (n > remaining())
        throw ArchiveError(std::string("the file ends inside ") + what);
}

std::uint16_t ArchiveReader::get16() {
    need(2, "a length");
    auto b0 = static_cast<unsigned char>(m_Data[m_Pos]);
    auto b1 = static_cast<unsigned char>(m_Data[m_Pos + 1]);
    m_Pos += 2;
    return static_cast<std::uint16_t>(b0 | (b1 << 8));
}

std::uint32_t ArchiveReader::get32() {
    need(4, "a number");
    std::uint32_t lo = get16();
    std::uint32_t hi = get16();
    return lo | (hi << 16);
}

std::int32_t ArchiveReader::readInt32() { return static_cast<std::int32_t>(get32()); }

std::string ArchiveReader::readString() {
    need(1, "a length");
    std::size_t len = static_cast<unsigned char>(m_Data[m_Pos++]);
    if (len == 0xFF) {
        len = get16();
        if (len == 0xFFFE)
            return readWideString();
        if (len == 0xFFFF) {
            len = get32();
            if (len == 0xFFFFFFFFu)
                throw ArchiveError("the file holds a 64-bit length, which this program never writes");
        }
    }
    if (len > m_MaxString)
        throw ArchiveError("the file holds a string longer than any record");
    need(len, "a string");
    std::string s(m_Data.substr(m_Pos, len));
    m_Pos += len;
    return s;
}

std::string ArchiveReader::readWideString() {
    need(1, "a length");
    std::size_t units = static_cast<unsigned char>(m_Data[m_Pos++]);
    if (units == 0xFF) {
        units = get16();
        if (units == 0xFFFF) {
            units = get32();
            if (units == 0xFFFFFFFFu)
                throw ArchiveError("the file holds a 64-bit length, which this program never writes");
        }
    }
    // A record's characters take at most two bytes each in code page 932.
    if (units > m_MaxString)
        throw ArchiveError("the file holds a string longer than any record");
    need(units * 2, "a string");
    auto s = wideToCp932(m_Data.substr(m_Pos, units * 2));
    if (!s)
        throw ArchiveError("the file holds a character that code page 932 cannot hold");
    m_Pos += units * 2;
    return *std::move(s);
}

std::optional<std::string> wideToCp932(std::string_view raw) {
    const std::size_t units = raw.size() / 2;
    auto unit = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<std::uint8_t>(raw[2 * i]) |
                                          (static_cast<std::uint8_t>(raw[2 * i + 1]) << 8));
    };
    std::string utf8;
    utf8.reserve(units * 3);
    for (std::size_t i = 0; i < units; ++i) {
        std::uint32_t cp = unit(i);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < units && unit(i + 1) >= 0xDC00 && unit(i + 1) <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            return std::nullopt;
        }
        if (cp < 0x80) {
            utf8 += static_cast<char>(cp);
        } else if (cp < 0x800) {
            utf8 += static_cast<char>(0xC0 | (cp >> 6));
            utf8 += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            utf8 += static_cast<char>(0xE0 | (cp >> 12));
            utf8 += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            utf8 += static_cast<char>(0xF0 | (cp >> 18));
            utf8 += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            utf8 += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return kiv::text::utf8ToCp932(utf8);
}

} // namespace kiv::archive
