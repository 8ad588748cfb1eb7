#include "platform/archive/Archive.h"

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
            throw ArchiveError("the file holds a wide string, which this program never writes");
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

} // namespace kiv::archive
