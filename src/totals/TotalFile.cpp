#include "totals/TotalFile.h"

#include <cstdint>

#include "platform/archive/Archive.h"
#include "platform/text/Number.h"

std::vector<std::string> ReadTotalFile(std::string_view bytes) {
    kiv::archive::ArchiveReader in(bytes);
    std::vector<std::string> rows;
    try {
        const std::uint32_t count = static_cast<std::uint32_t>(in.readInt32());
        if (count > static_cast<std::uint32_t>(kTotalMaxRows))
            throw TotalFileError("ファイルが壊れています（行数が30000を超えています）。");
        // Every row takes at least its one length byte.
        if (count > in.remaining())
            throw TotalFileError("ファイルが壊れているか、途中で切れています。");
        rows.reserve(count);
        for (std::uint32_t i = 0; i < count; ++i) {
            std::string row = in.readString();
            const int key = kiv::text::parseInt(std::string_view(row).substr(0, 4));
            if (key > kTotalMaxKoumoku)
                throw TotalFileError("ファイルが壊れています（分類番号が999を超えています）。");
            rows.push_back(std::move(row));
        }
    } catch (const kiv::archive::ArchiveError&) {
        throw TotalFileError("ファイルが壊れているか、途中で切れています。");
    }
    if (!in.atEnd())
        throw TotalFileError("ファイルが壊れています（行数の後にデータがあります）。");
    return rows;
}

std::string WriteTotalFile(const std::vector<std::string>& rows, int count) {
    kiv::archive::ArchiveWriter w;
    std::size_t total = 4;
    for (int i = 0; i < count; ++i)
        total += rows[static_cast<std::size_t>(i)].size() + 7;
    w.reserve(total);
    w.writeInt32(count);
    for (int i = 0; i < count; ++i)
        w.writeString(rows[static_cast<std::size_t>(i)]);
    return w.take();
}

const char* TotalExtension(const std::string& mode) { return mode == "2" ? "MTL" : "TTL"; }
