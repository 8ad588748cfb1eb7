#include "estimate/MstFile.h"

#include "estimate/KivFile.h"

#include <algorithm>
#include <cstdint>

#include "estimate/GyouRecord.h"
#include "platform/archive/Archive.h"
#include "platform/text/Cp932.h"

namespace {

// A byte cursor that checks every length against what remains.
class Cursor {
public:
    explicit Cursor(std::string_view data) : m_Data(data) {}
    std::size_t remaining() const { return m_Data.size() - m_Pos; }
    std::uint8_t u8() {
        need(1);
        return static_cast<std::uint8_t>(m_Data[m_Pos++]);
    }
    std::uint16_t u16() {
        need(2);
        const auto lo = static_cast<std::uint8_t>(m_Data[m_Pos]);
        const auto hi = static_cast<std::uint8_t>(m_Data[m_Pos + 1]);
        m_Pos += 2;
        return static_cast<std::uint16_t>(lo | (hi << 8));
    }
    std::uint32_t u32() {
        const std::uint32_t lo = u16();
        const std::uint32_t hi = u16();
        return lo | (hi << 16);
    }
    std::string_view take(std::size_t n) {
        need(n);
        std::string_view s = m_Data.substr(m_Pos, n);
        m_Pos += n;
        return s;
    }

private:
    void need(std::size_t n) const {
        if (n > remaining())
            throw MstFileError("ファイルが壊れているか、途中で切れています。");
    }
    std::string_view m_Data;
    std::size_t m_Pos = 0;
};

// The length after a 0xFF marker (the 16-bit step already read as `first`).
std::size_t longLength(Cursor& in, std::uint16_t first) {
    if (first != 0xFFFF)
        return first;
    const std::uint32_t n = in.u32();
    if (n == 0xFFFFFFFFu)
        throw MstFileError("ファイルが壊れています（読めない行の長さ）。");
    return n;
}

void checkLength(const Cursor& in, std::size_t bytes) {
    if (bytes > kMstMaxLineBytes * 2)
        throw MstFileError("ファイルが壊れています（行が長すぎます）。");
    if (bytes > in.remaining())
        throw MstFileError("ファイルが壊れているか、途中で切れています。");
}

// A wide line (UTF-16LE) as CP932.
std::string wideLine(Cursor& in) {
    std::size_t units = in.u8();
    if (units == 0xFF)
        units = longLength(in, in.u16());
    checkLength(in, units * 2);
    auto cp932 = kiv::archive::wideToCp932(in.take(units * 2));
    if (!cp932)
        throw MstFileError("ファイルに変換できない文字があります。");
    return *std::move(cp932);
}

// The next line: a view of the bytes, or of `wide` when it was stored in the wide form.
std::string_view readLine(Cursor& in, std::string& wide) {
    std::size_t len = in.u8();
    if (len == 0xFF) {
        const std::uint16_t first = in.u16();
        if (first == 0xFFFE) {
            wide = wideLine(in);
            return wide;
        }
        len = longLength(in, first);
    }
    checkLength(in, len);
    return in.take(len);
}

} // namespace

MstFileScan ScanMstFile(std::string_view bytes, const std::function<void(std::string_view)>& kept) {
    Cursor in(bytes);
    const std::uint32_t count = in.u32();
    // Every line takes at least its one length byte: a count beyond that is damage.
    if (count > in.remaining())
        throw MstFileError("ファイルが壊れています（行数がデータを超えています）。");
    MstFileScan scan;
    scan.lines = count;
    std::string wide;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::string_view line = readLine(in, wide);
        if (GyouRecord::isFreeRow(line)) {
            if (IsDamagedFreeRow(line))
                ++scan.damagedRows;
            continue;
        }
        if (scan.keptRows >= static_cast<std::size_t>(kMstMaxRows)) {
            scan.truncated = true;
            continue;
        }
        ++scan.keptRows;
        kept(line);
    }
    scan.unreadBytes = in.remaining();
    return scan;
}

MstFileContent ReadMstFile(std::string_view bytes) {
    MstFileContent content;
    if (bytes.size() >= 4) {
        // The count as the scan reads it, for the reservation only (the scan checks it).
        const auto b = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])); };
        const std::uint32_t count = b(0) | b(1) << 8 | b(2) << 16 | b(3) << 24;
        if (count <= bytes.size() - 4)
            content.rows.reserve(std::min<std::size_t>(count, kMstMaxRows));
    }
    const MstFileScan scan = ScanMstFile(bytes, [&](std::string_view line) { content.rows.emplace_back(line); });
    content.truncated = scan.truncated;
    content.unreadBytes = scan.unreadBytes;
    content.damagedRows = scan.damagedRows;
    return content;
}

std::string WriteMstFile(std::span<const std::string_view> rows) {
    kiv::archive::ArchiveWriter w;
    std::size_t total = 4;
    for (std::string_view row : rows)
        total += row.size() + 7;   // the longest length prefix
    w.reserve(total);
    w.writeInt32(static_cast<std::int32_t>(rows.size()));
    for (std::string_view row : rows)
        w.writeString(row);
    return w.take();
}

std::string WriteMstFile(const std::vector<std::string>& rows) {
    std::vector<std::string_view> views(rows.begin(), rows.end());
    return WriteMstFile(std::span<const std::string_view>(views));
}

void NormalizeMstRow(std::string& row) {
    if (row.size() < 312 || row[310] != ' ' || (row[300] == ' ' && row[304] == ' '))
        return;
    const std::string old = row;
    row.replace(291, 5, old, 290, 5);
    row[290] = ' ';
    row.replace(304, 8, old, 302, 8);
    row[300] = ' ';
    row[301] = ' ';
}
