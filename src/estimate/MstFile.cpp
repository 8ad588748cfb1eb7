#include "estimate/MstFile.h"

#include "estimate/KivFile.h"

#include <algorithm>
#include <cstdint>

#include "estimate/GyouRecord.h"
#include "platform/archive/Archive.h"
#include "platform/files/Files.h"
#include "platform/text/Cp932.h"

namespace {

const char* const kCutOff = "ファイルが壊れているか、途中で切れています。";

// A read of the file itself failed part way (not damage: the file may be whole).
struct ReadFailure {};

// A byte cursor that checks every length against what remains: over bytes in memory, or over a
// file read a piece at a time (then "what remains" is counted from the file's size when opened,
// and a file cut while being read ends as a cut-off file does).
class Cursor {
public:
    explicit Cursor(std::string_view data) : m_Data(data), m_Size(data.size()) {}
    explicit Cursor(kiv::files::FileReader& file) : m_File(&file), m_Size(file.size()) {}
    std::size_t remaining() const { return m_Size - m_Pos; }
    std::uint8_t u8() { return static_cast<std::uint8_t>(take(1)[0]); }
    std::uint16_t u16() {
        const std::string_view b = take(2);
        const auto lo = static_cast<std::uint8_t>(b[0]);
        const auto hi = static_cast<std::uint8_t>(b[1]);
        return static_cast<std::uint16_t>(lo | (hi << 8));
    }
    std::uint32_t u32() {
        const std::uint32_t lo = u16();
        const std::uint32_t hi = u16();
        return lo | (hi << 16);
    }
    std::string_view take(std::size_t n) {
        need(n);
        std::string_view s;
        if (m_File) {
            const auto piece = m_File->take(n);
            if (!piece) {
                if (m_File->failed())
                    throw ReadFailure{};
                throw MstFileError(kCutOff);
            }
            s = *piece;
        } else {
            s = m_Data.substr(m_Pos, n);
        }
        m_Pos += n;
        return s;
    }
    // The bytes after the last one taken, to the end of the file.
    std::size_t unread() {
        if (!m_File)
            return remaining();
        const auto rest = m_File->skipRest();
        if (!rest)
            throw ReadFailure{};
        return *rest;
    }

private:
    void need(std::size_t n) const {
        if (n > remaining())
            throw MstFileError(kCutOff);
    }
    std::string_view m_Data;
    kiv::files::FileReader* m_File = nullptr;
    std::size_t m_Size = 0;
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
        throw MstFileError(kCutOff);
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

namespace {

// The walk of ScanMstFile: `counted(count)` once the line count is checked, then `kept(line)` for
// each line handed on.
template <class Kept, class Counted>
MstFileScan scanLines(Cursor& in, Kept&& kept, Counted&& counted) {
    const std::uint32_t count = in.u32();
    // Every line takes at least its one length byte: a count beyond that is damage.
    if (count > in.remaining())
        throw MstFileError("ファイルが壊れています（行数がデータを超えています）。");
    counted(count);
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
    scan.unreadBytes = in.unread();
    return scan;
}

// ReadMstFile's content from a walk over `in`: each kept line copied once, into its row.
MstFileContent readContent(Cursor& in) {
    MstFileContent content;
    const MstFileScan scan = scanLines(
        in, [&](std::string_view line) { content.rows.emplace_back(line); },
        [&](std::uint32_t count) { content.rows.reserve(std::min<std::size_t>(count, kMstMaxRows)); });
    content.truncated = scan.truncated;
    content.unreadBytes = scan.unreadBytes;
    content.damagedRows = scan.damagedRows;
    return content;
}

// `walk(cursor)` over the file at `path` read a piece at a time; nullopt, with `error`, when the
// file cannot be opened or read.
template <class Walk>
auto walkFile(const std::filesystem::path& path, std::size_t maxBytes, std::string* error, Walk&& walk)
    -> std::optional<decltype(walk(std::declval<Cursor&>()))> {
    kiv::files::FileReader file(path, maxBytes);
    if (!file.failed()) {
        try {
            Cursor in(file);
            return walk(in);
        } catch (const ReadFailure&) {
        }
    }
    if (error)
        *error = file.error();
    return std::nullopt;
}

} // namespace

MstFileScan ScanMstFile(std::string_view bytes, const std::function<void(std::string_view)>& kept) {
    Cursor in(bytes);
    return scanLines(in, kept, [](std::uint32_t) {});
}

std::optional<MstFileScan> ScanMstFile(const std::filesystem::path& path, std::size_t maxBytes,
                                       const std::function<void(std::string_view)>& kept, std::string* error) {
    return walkFile(path, maxBytes, error, [&](Cursor& in) { return scanLines(in, kept, [](std::uint32_t) {}); });
}

MstFileContent ReadMstFile(std::string_view bytes) {
    Cursor in(bytes);
    return readContent(in);
}

std::optional<MstFileContent> ReadMstFile(const std::filesystem::path& path, std::size_t maxBytes,
                                          std::string* error) {
    return walkFile(path, maxBytes, error, [](Cursor& in) { return readContent(in); });
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
