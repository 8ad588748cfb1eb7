#include "pricing/BukakeFile.h"

#include <stdexcept>

#include "platform/files/Files.h"
#include "platform/profile/Profile.h"
#include "pricing/BukakeRecord.h"

namespace fs = std::filesystem;

namespace {

const BukakeKindInfo kKinds[kBukakeKindCount] = {
    {"BanRoumu_Section", "BanRoumu_Data", "分電盤.dat"},
    {"SeigyoRoumu_Section", "SeigyoRoumu_Data", "制御盤.dat"},
    {"HaisenRoumu_Section", "HaisenRoumu_Data", "配線器具.dat"},
    {"SyoumeiRoumu_Section", "SyoumeiRoumu_Data", "照明器具.dat"},
    {"Bukake_Section", "Bukake_Data", "歩掛.dat"},
};

} // namespace

const BukakeKindInfo& bukakeKindInfo(int kind) {
    if (kind < 1 || kind > kBukakeKindCount)
        throw std::out_of_range("rate-table kind " + std::to_string(kind));
    return kKinds[kind - 1];
}

fs::path bukakeTablePath(int kind, const fs::path& programDir) {
    const BukakeKindInfo& info = bukakeKindInfo(kind);
    std::string stored = kiv::profile::Profile::user().getString(info.section, info.entry);
    if (stored.empty())
        return kiv::files::resolveNoCase(programDir, info.defaultName);
    return fs::path(stored);
}

bool rememberBukakeTablePath(int kind, const fs::path& path) {
    const BukakeKindInfo& info = bukakeKindInfo(kind);
    return kiv::profile::Profile::user().writeString(info.section, info.entry, path.string());
}

BukakeLoad readBukakeFile(const fs::path& path) {
    BukakeLoad r;
    r.state = probeFile(path);
    if (r.state != FileState::Readable)
        return r;
    auto data = kiv::files::readFile(path, 256u * 1024 * 1024, &r.error);
    if (!data) {
        r.state = FileState::Unreadable;
        return r;
    }
    for (std::size_t pos = 0; pos < data->size(); pos += BukakeRecord::Size) {
        std::string buf(BukakeRecord::Size, ' ');
        std::string_view rec = std::string_view(*data).substr(pos, BukakeRecord::Size);
        buf.replace(0, rec.size(), rec);
        r.lines.push_back(BukakeRecord::lineOf(buf));
    }
    return r;
}

std::string bukakeFileBytes(const std::vector<std::string>& lines) {
    std::string out;
    out.reserve(lines.size() * BukakeRecord::Size);
    for (const std::string& line : lines)
        out += BukakeRecord::record(line);
    return out;
}

bool writeBukakeFile(const fs::path& path, const std::vector<std::string>& lines, std::string* error) {
    return kiv::files::writeFileAtomically(path, bukakeFileBytes(lines), error);
}
