#include "estimate/ReferenceFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files/Files.h"
#include "platform/profile/Profile.h"

namespace fs = std::filesystem;

namespace {

const ReferenceFileInfo kInfo[] = {
    {"Roumu_Section", "Roumu_File", "労務単価.rab"},
    {"ESettei_Section", "ESettei_File", "電気設定.ett"},
    {"MSettei_Section", "MSettei_File", "機械設定.mtt"},
    {"Headder_Section", "Headder_Form", "ヘッダー.hdr"},
    {"Hyousi_Section", "Hyousi_Form", "表紙.frm"},
    {"Adress_Section", "Adress_Data", "相手先.adr"},
    {"AdressPrint_Section", "AdressPrint_Set", "宛先印刷設定.aps"},
};

} // namespace

const char* const kCannotCreateFileMessage = "ファイルが作成できません。";

const ReferenceFileInfo& referenceFileInfo(ReferenceFile which) { return kInfo[static_cast<int>(which)]; }

std::optional<ReferenceFile> setteiReferenceFile(std::string_view mode) {
    if (mode == "1")
        return ReferenceFile::ElectricSettei;
    if (mode == "2")
        return ReferenceFile::MechanicalSettei;
    return std::nullopt;
}

fs::path locateReferenceFile(ReferenceFile which, const fs::path& programDir) {
    const ReferenceFileInfo& info = referenceFileInfo(which);
    std::string stored = kiv::profile::Profile::user().getString(info.section, info.entry);
    if (stored.empty())
        return kiv::files::resolveNoCase(programDir, info.defaultName);
    fs::path path(stored);
    if (!path.has_filename())
        return path;
    return kiv::files::resolveNoCase(path.parent_path(), path.filename().string());
}

bool rememberReferenceFile(ReferenceFile which, const fs::path& path) {
    const ReferenceFileInfo& info = referenceFileInfo(which);
    return kiv::profile::Profile::user().writeString(info.section, info.entry, path.string());
}

FileState probeFile(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        // Only a name that plainly is not there counts as missing; any other failure (a folder
        // that may not be searched, say) leaves open whether a file stands there, and such a path
        // must not be offered for creation.
        return (errno == ENOENT || errno == ENOTDIR) ? FileState::Missing : FileState::Unreadable;
    if (!S_ISREG(st.st_mode))
        return FileState::Unreadable;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return FileState::Unreadable;
    ::close(fd);
    return FileState::Readable;
}

bool acceptChosenFile(const fs::path& path, const ConfirmCreate& confirmCreate, std::string& message,
                      std::string_view firstContent) {
    message.clear();
    switch (probeFile(path)) {
    case FileState::Readable:
        return true;
    case FileState::Unreadable:
        message = unreadableFileMessage(path);
        return false;
    case FileState::Missing:
        break;
    }
    if (!confirmCreate(createFileQuestion(path)))
        return false;
    // O_EXCL: should a file appear in the meantime it is left alone, not truncated.
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        message = kiv::files::cannotCreateMessage(kiv::files::writeFailure(path, errno));
        return false;
    }
    ::close(fd);
    // The name is ours now; the content replaces the empty file whole. Should that fail, the
    // empty file goes again: it would read as a damaged one.
    if (!firstContent.empty() && !kiv::files::writeFileAtomically(path, firstContent)) {
        ::unlink(path.c_str());
        message = kCannotCreateFileMessage;
        return false;
    }
    return true;
}

std::optional<std::string> readFileStart(const fs::path& path, std::size_t limit, std::string* error) {
    auto fail = [&](int err) -> std::optional<std::string> {
        if (error)
            *error = path.string() + ": " + std::strerror(err);
        return std::nullopt;
    };
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return fail(errno);
    std::string out(limit, '\0');
    std::size_t got = 0;
    while (got < limit) {
        ssize_t n = ::read(fd, out.data() + got, limit - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            int err = errno;
            ::close(fd);
            return fail(err);
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    out.resize(got);
    return out;
}

std::string missingReferenceMessage(ReferenceFile which) {
    return std::string("デフォルトで") + referenceFileInfo(which).defaultName +
           "ファイルが存在しません設定しなおしてください。";
}

std::string unreadableFileMessage(const fs::path& path) {
    return path.string() + "ファイルを読み込めません。";
}

std::string profileNotWrittenMessage(const fs::path& path) {
    return path.string() + "を設定に記録できませんでした。次回の起動時には元のファイルを使います。";
}

std::string createFileQuestion(const fs::path& path) {
    return path.string() + "ファイルが存在しません。新しくファイルを作成しますか？";
}
