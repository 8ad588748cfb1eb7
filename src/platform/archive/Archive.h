#pragma once
// The archive format of the estimate, master and totals files: little-endian 32-bit integers and
// narrow strings with a length prefix (one byte below 255; 0xFF + 16 bits below 0xFFFE;
// 0xFF 0xFFFF + 32 bits beyond). There is no header or checksum, so the reader checks every
// length against what remains and reports a damaged or cut-off file instead of trusting it.
//
// Other programs may store a string in the archive's wide form: 0xFF 0xFFFE, then a length in
// UTF-16 units written like a narrow length, then UTF-16LE. This program writes only narrow
// strings, but reads the wide form too, as code page 932, so such a file opens.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kiv::archive {

class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// UTF-16LE bytes as code page 932; nullopt when a character has no code page 932 form or a
// surrogate stands alone.
std::optional<std::string> wideToCp932(std::string_view utf16le);

class ArchiveWriter {
public:
    void writeInt32(std::int32_t v);
    void writeString(std::string_view s);
    // Room for n more bytes, so that a large file is built without growing step by step.
    void reserve(std::size_t n) { m_Bytes.reserve(m_Bytes.size() + n); }
    const std::string& bytes() const { return m_Bytes; }
    std::string take() { return std::move(m_Bytes); }

private:
    void put16(std::uint16_t v);
    void put32(std::uint32_t v);
    std::string m_Bytes;
};

class ArchiveReader {
public:
    // maxString: the longest string the caller accepts; a longer prefix means a damaged file.
    explicit ArchiveReader(std::string_view data, std::size_t maxString = 64 * 1024)
        : m_Data(data), m_MaxString(maxString) {}

    std::int32_t readInt32();
    std::string readString();
    std::size_t remaining() const { return m_Data.size() - m_Pos; }
    std::size_t position() const { return m_Pos; }
    bool atEnd() const { return m_Pos == m_Data.size(); }
    // Bytes after the last record a reader has taken. A file of this form ends where its last
    // record ends: data beyond it (a count lowered, bytes appended) means the file was damaged or
    // written by something else, so a reader of a whole file asks this after its last record
    // and never drops the rest without a word.
    std::size_t unreadTail() const { return remaining(); }

private:
    std::string readWideString();   // after the 0xFF 0xFFFE marker
    void need(std::size_t n, const char* what) const;
    std::uint16_t get16();
    std::uint32_t get32();
    std::string_view m_Data;
    std::size_t m_Pos = 0;
    std::size_t m_MaxString;
};

} // namespace kiv::archive
