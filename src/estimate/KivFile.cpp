#include "estimate/KivFile.h"

#include "platform/archive/Archive.h"
#include "platform/text/Number.h"

namespace {

// The cover total (element 18) is stored fourth, after elements 1-3.
constexpr int kStoredOrder[kKivHyousiCount] = {0, 1, 2, 17, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
// A row or a cover string is never near this long; a longer length means a damaged file.
constexpr std::size_t kMaxStoredString = 16 * 1024;

} // namespace

KivFileContent ReadKivFile(std::string_view bytes) {
    KivFileContent c;
    try {
        kiv::archive::ArchiveReader in(bytes, kMaxStoredString);
        std::int32_t n = in.readInt32();
        if (n < 0 || n > kKivFileMaxRows)
            throw KivFileError("行数が正しくありません（" + std::to_string(n) + "行）。");
        for (int i : kStoredOrder)
            c.hyousi[static_cast<std::size_t>(i)] = in.readString();
        // Every row takes at least its one-byte length prefix: a count beyond what remains is a
        // damaged file, checked before any memory is set aside for it.
        if (static_cast<std::size_t>(n) > in.remaining())
            throw KivFileError("ファイルが途中で切れています。");
        c.rows.reserve(static_cast<std::size_t>(n));
        for (std::int32_t i = 0; i < n; ++i) {
            c.rows.push_back(in.readString());
            if (IsDamagedFreeRow(c.rows.back()))
                ++c.damagedRows;
        }
        c.unreadBytes = in.unreadTail();
    } catch (const kiv::archive::ArchiveError&) {
        throw KivFileError("ファイルが壊れているか、途中で切れています。");
    }
    return c;
}

bool IsDamagedFreeRow(std::string_view row) {
    if (kiv::text::parseInt(row.substr(0, 4)) > 0)
        return false;
    return row.size() > 8 && row.find_first_not_of(std::string_view(" \0", 2), 8) != std::string_view::npos;
}

std::string KivPartlyReadText(const std::string& path) {
    return "「" + path + "」は一部を読み込めませんでした。ファイルが壊れているか、別のプログラムで"
           "書かれたおそれがあります。";
}

std::string KivPartlyReadMessage(const std::string& path) { return KivPartlyReadText(path) + "読み込めた部分だけを開きます。"; }

std::string WriteKivFile(const std::array<std::string, kKivHyousiCount>& hyousi,
                         const std::vector<std::string>& rows) {
    std::vector<std::string_view> views(rows.begin(), rows.end());
    return WriteKivFile(hyousi, std::span<const std::string_view>(views));
}

std::string WriteKivFile(const std::array<std::string, kKivHyousiCount>& hyousi,
                         std::span<const std::string_view> rows) {
    kiv::archive::ArchiveWriter out;
    out.writeInt32(static_cast<std::int32_t>(rows.size()));
    for (int i : kStoredOrder)
        out.writeString(hyousi[static_cast<std::size_t>(i)]);
    for (const auto& r : rows)
        out.writeString(r);
    return out.take();
}

std::string FitKivRow(std::string_view row) {
    std::string r(row.substr(0, kKivRowLength));
    r.resize(kKivRowLength, ' ');
    return r;
}

std::string ConvertSetubiRow(std::string_view row) { return FitKivRow(row); }

std::string ConvertDenkiRow(std::string_view row) {
    std::string r(row);
    // A row too short to hold the fields that move is first padded, so nothing is read past it.
    if (r.size() < 264)
        r.resize(264, ' ');
    r.insert(252, 8, ' ');
    r.replace(268, 4, r, 248, 4);
    r.replace(248, 4, 4, ' ');
    return FitKivRow(r);
}

const char* KivExtension(char mode) { return mode == '2' ? ".MES" : ".KIV"; }

std::string KivBackupPath(std::string_view path, char mode) {
    if (path.empty())
        return std::string("BkUp") + KivExtension(mode);
    std::size_t slash = path.find_last_of('/');
    std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    std::size_t dot = path.find_last_of('.');
    if (dot == std::string_view::npos || dot < nameStart)
        return std::string(path) + "BkUp" + KivExtension(mode);
    std::string r(path);
    r.insert(dot, "BkUp");
    return r;
}
