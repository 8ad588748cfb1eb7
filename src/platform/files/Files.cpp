#include "platform/files/Files.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <random>
#include <vector>
#include <unistd.h>

#include "platform/text/Cp932.h"

namespace kiv::files {
namespace {

void setError(std::string* error, std::string msg) {
    if (error)
        *error = std::move(msg);
}

bool writeAll(int fd, std::string_view data, int injected) {
    const char* p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        if (injected != 0) {
            errno = injected;
            return false;
        }
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    if (injected != 0) {   // an empty file meets the fault at its flush
        errno = injected;
        return false;
    }
    return true;
}

struct Fault {
    int err = 0;
    std::string pathPart;
};
std::vector<Fault>& faults() {
    static std::vector<Fault> f;
    return f;
}

constexpr std::string_view kTempMark = ".kivtmp-";

std::string tempPrefix(const fs::path& target) { return "." + target.filename().string() + std::string(kTempMark); }

// Temporaries of this file that an earlier save left when it was killed.
void removeStaleTemporaries(const fs::path& dir, const fs::path& target) {
    const std::string prefix = tempPrefix(target);
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    if (ec)
        return;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        const std::string name = it->path().filename().string();
        if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
            name.find_first_not_of("0123456789", prefix.size()) == std::string::npos && it->is_regular_file(ec))
            fs::remove(it->path(), ec);
    }
}

} // namespace

WriteFault::WriteFault(int err, std::string pathPart) { faults().push_back({err, std::move(pathPart)}); }
WriteFault::~WriteFault() { faults().pop_back(); }

int injectedWriteError(const fs::path& path) {
    for (auto it = faults().rbegin(); it != faults().rend(); ++it)
        if (it->pathPart.empty() || path.string().find(it->pathPart) != std::string::npos)
            return it->err;
    return 0;
}

std::optional<fs::path> makePrivateTemporary(std::string_view kind, std::string_view ext) {
    std::error_code ec;
    const fs::path dir = fs::temp_directory_path(ec);
    if (ec) {
        errno = ec.value();
        return std::nullopt;
    }
    // What a killed run left: files of this kind whose program no longer runs.
    const std::string prefix = "kiv-" + std::string(kind) + "-";
    fs::directory_iterator it(dir, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::size_t dash = name.find('-', prefix.size());
        const std::string pid = name.substr(prefix.size(), dash == std::string::npos ? 0 : dash - prefix.size());
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos || pid.size() > 9)
            continue;
        std::error_code rec;
        if (::kill(static_cast<pid_t>(std::stol(pid)), 0) != 0 && errno == ESRCH && it->is_regular_file(rec))
            fs::remove(it->path(), rec);
    }
    static unsigned serial = 0;
    for (int attempt = 0; attempt < 20; ++attempt) {
        fs::path tmp = dir / ("kiv-" + std::string(kind) + "-" + std::to_string(::getpid()) + "-" +
                              std::to_string(++serial) + std::string(ext));
        const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            return tmp;
        }
        if (errno != EEXIST)
            break;
    }
    return std::nullopt;
}

std::string writeFailureReason(int err) {
    switch (err) {
    case ENOSPC:
    case EDQUOT:
        return "ディスクの空き容量が不足しています。";
    case EACCES:
    case EPERM:
        return "書き込みが許可されていません。";
    case EROFS:
        return "読み取り専用のファイルシステムです。";
    case ENOENT:
        return "保存先のフォルダーがありません。";
    case ENOTDIR:
        return "保存先のパスの途中がフォルダーではありません。";
    case EISDIR:
        return "同じ名前のフォルダーがあります。";
    case ENAMETOOLONG:
        return "ファイル名が長すぎます。";
    case ELOOP:
        return "シンボリックリンクが循環しています。";
    case EFBIG:
        return "ファイルが大きすぎます。";
    case EIO:
        return "ディスクの読み書きでエラーが発生しました。";
    case EBUSY:
    case ETXTBSY:
        return "ファイルが使用中です。";
    case EMFILE:
    case ENFILE:
        return "開いているファイルが多すぎます。";
    case ENOMEM:
        return "メモリが不足しています。";
    default:
        return std::string("システムのエラーです（") + std::strerror(err) + "）。";
    }
}

std::string writeFailure(const fs::path& path, int err) { return path.string() + "\n" + writeFailureReason(err); }

std::string cannotCreateMessage(std::string_view failure) {
    std::string m = "ファイルが作成できません。";
    if (!failure.empty())
        m.append("\n").append(failure);
    return m;
}

std::optional<fs::path> writeTarget(const fs::path& path) {
    fs::path cur = path;
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(cur, ec))
            return cur;
        const fs::path to = fs::read_symlink(cur, ec);
        if (ec)
            return cur;
        cur = to.is_absolute() ? to : cur.parent_path() / to;
    }
    errno = ELOOP;
    return std::nullopt;
}

bool writeFileAtomically(const fs::path& path, std::string_view data, std::string* error) {
    const auto resolved = writeTarget(path);
    if (!resolved) {
        setError(error, writeFailure(path, ELOOP));
        return false;
    }
    const fs::path& target = *resolved;
    // Renaming needs only the folder's permission; a file the user may not write is still not
    // replaced behind the user's back.
    if (::faccessat(AT_FDCWD, target.c_str(), F_OK, AT_EACCESS) == 0 &&
        ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        setError(error, writeFailure(path, errno));
        return false;
    }
    fs::path dir = target.parent_path();
    if (dir.empty())
        dir = ".";
    removeStaleTemporaries(dir, target);
    static std::mt19937_64 rng{std::random_device{}()};
    fs::path tmp;
    int fd = -1;
    for (int attempt = 0; attempt < 20 && fd < 0; ++attempt) {
        tmp = dir / (tempPrefix(target) + std::to_string(rng() % 1000000));
        fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        setError(error, writeFailure(path, errno));
        return false;
    }
    // Keep the owner, group and permissions of the file being replaced, as far as the user may
    // (only the owner's own group changes are allowed to others than the superuser); the mode
    // comes last, since a change of owner clears the set-id bits.
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        if (::fchown(fd, st.st_uid, st.st_gid) != 0)
            (void)!::fchown(fd, static_cast<uid_t>(-1), st.st_gid);
        ::fchmod(fd, st.st_mode & 07777);
    }
    bool ok = writeAll(fd, data, injectedWriteError(path)) && ::fsync(fd) == 0;
    int savedErrno = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
    if (ok && ::rename(tmp.c_str(), target.c_str()) != 0) {
        ok = false;
        savedErrno = errno;
    }
    if (!ok) {
        ::unlink(tmp.c_str());
        setError(error, writeFailure(path, savedErrno));
        return false;
    }
    return true;
}

namespace {

// read() until `n` bytes are in `dst` or the file ends, through interruptions; the count read,
// or -1 with errno set.
ssize_t readUpTo(int fd, char* dst, std::size_t n) {
    std::size_t got = 0;
    while (got < n) {
        const ssize_t r = ::read(fd, dst + got, n - got);
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            return -1;
        if (r == 0)
            break;
        got += static_cast<std::size_t>(r);
    }
    return static_cast<ssize_t>(got);
}

// The rest of an open file appended to `out` in chunks (a file that grew, or one whose size is
// not known); false, with `error`, on a read failure or when `out` would pass maxBytes.
bool appendRest(int fd, std::string& out, std::size_t maxBytes, const fs::path& path, std::string* error) {
    char buf[65536];
    while (true) {
        const ssize_t n = readUpTo(fd, buf, sizeof buf);
        if (n < 0) {
            setError(error, path.string() + ": " + std::strerror(errno));
            return false;
        }
        if (n == 0)
            return true;
        if (out.size() + static_cast<std::size_t>(n) > maxBytes) {
            setError(error, path.string() + ": the file is too large");
            return false;
        }
        out.append(buf, static_cast<std::size_t>(n));
    }
}

} // namespace

std::optional<std::string> readFile(const fs::path& path, std::size_t maxBytes, std::string* error) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        setError(error, path.string() + ": " + std::strerror(errno));
        return std::nullopt;
    }
    std::string out;
    // Large files (a full master is some 40 MB) are read straight into a buffer of their size:
    // growing the string chunk by chunk copied the data several times over.
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) <= maxBytes) {
        out.resize(static_cast<std::size_t>(st.st_size));
        const ssize_t got = readUpTo(fd, out.data(), out.size());
        if (got < 0) {
            setError(error, path.string() + ": " + std::strerror(errno));
            ::close(fd);
            return std::nullopt;
        }
        out.resize(static_cast<std::size_t>(got));
    }
    const bool ok = appendRest(fd, out, maxBytes, path, error);
    ::close(fd);
    if (!ok)
        return std::nullopt;
    return out;
}

FileReader::FileReader(const fs::path& path, std::size_t maxBytes, std::size_t bufferBytes)
    : m_Path(path), m_BufferBytes(std::max<std::size_t>(bufferBytes, 1)) {
    m_Fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_Fd < 0) {
        fail(std::strerror(errno));
        return;
    }
    struct stat st {};
    if (::fstat(m_Fd, &st) == 0 && S_ISREG(st.st_mode)) {
        m_Size = static_cast<std::size_t>(st.st_size);
        if (m_Size > maxBytes)
            fail("the file is too large");
        return;
    }
    // A size not known beforehand (a pipe): the file is read whole first, as readFile reads it,
    // and served from there.
    const bool ok = appendRest(m_Fd, m_Buffer, maxBytes, m_Path, &m_Error);
    closeFile();
    if (!ok) {
        m_Failed = true;
        return;
    }
    m_Size = m_End = m_Buffer.size();
}

FileReader::~FileReader() { closeFile(); }

void FileReader::closeFile() {
    if (m_Fd >= 0)
        ::close(m_Fd);
    m_Fd = -1;
}

void FileReader::fail(const char* reason) {
    m_Failed = true;
    m_Error = m_Path.string() + ": " + reason;
    closeFile();
}

bool FileReader::fill(std::size_t n) {
    if (m_Failed)
        return false;
    if (m_Fd < 0)
        return false;   // all there was is in the buffer
    // What is left of the buffer moves to its front and the rest is read behind it, so that the
    // piece lies in one run of bytes; the buffer grows only for a piece longer than itself.
    if (m_Start > 0) {
        std::memmove(m_Buffer.data(), m_Buffer.data() + m_Start, m_End - m_Start);
        m_End -= m_Start;
        m_Start = 0;
    }
    const std::size_t want = std::max(n, m_BufferBytes);
    if (m_Buffer.size() < want)
        m_Buffer.resize(want);
    while (m_End < n) {
        const ssize_t got = readUpTo(m_Fd, m_Buffer.data() + m_End, m_Buffer.size() - m_End);
        if (got < 0) {
            fail(std::strerror(errno));
            return false;
        }
        if (got == 0)
            return false;
        m_End += static_cast<std::size_t>(got);
    }
    return true;
}

std::optional<std::string_view> FileReader::take(std::size_t n) {
    if (m_End - m_Start < n && !fill(n))
        return std::nullopt;
    const std::string_view piece(m_Buffer.data() + m_Start, n);
    m_Start += n;
    return piece;
}

std::optional<std::size_t> FileReader::skipRest() {
    std::size_t rest = m_End - m_Start;
    m_Start = m_End;
    while (m_Fd >= 0) {
        if (m_Buffer.size() < m_BufferBytes)
            m_Buffer.resize(m_BufferBytes);
        const ssize_t got = readUpTo(m_Fd, m_Buffer.data(), m_Buffer.size());
        if (got < 0) {
            fail(std::strerror(errno));
            break;
        }
        if (got == 0)
            break;
        rest += static_cast<std::size_t>(got);
    }
    m_Start = m_End = 0;
    if (m_Failed)
        return std::nullopt;
    return rest;
}

std::optional<fs::path> makeTempDirectory(std::string_view prefix, std::string* error) {
    std::error_code ec;
    fs::path base = fs::temp_directory_path(ec);
    if (ec)
        base = "/tmp";
    std::string pattern = (base / (std::string(prefix) + "XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) {
        setError(error, pattern + ": " + std::strerror(errno));
        return std::nullopt;
    }
    return fs::path(pattern);
}

bool isRegularFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool samePath(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    if (fs::equivalent(a, b, ec))
        return true;
    return a.lexically_normal() == b.lexically_normal();
}

fs::path programDirectory() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return fs::current_path(ec);
    return exe.parent_path();
}

std::string asciiLower(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return r;
}

bool equalsNoCase(std::string_view a, std::string_view b) { return asciiLower(a) == asciiLower(b); }

std::optional<fs::path> findNoCase(const fs::path& dir, std::string_view name) {
    std::error_code ec;
    fs::path exact = dir / fs::path(std::string(name));
    if (fs::exists(exact, ec))
        return exact;
    fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec);
    if (ec)
        return std::nullopt;
    std::string want = asciiLower(name);
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        if (asciiLower(it->path().filename().string()) == want)
            return dir / it->path().filename();
    }
    return std::nullopt;
}

fs::path resolveNoCase(const fs::path& dir, std::string_view name) {
    if (auto found = findNoCase(dir, name))
        return *found;
    return dir / fs::path(std::string(name));
}

fs::path fromCp932(std::string_view cp932Path) {
    if (auto u = text::cp932ToUtf8(cp932Path))
        return fs::path(*u);
    return fs::path(std::string(cp932Path));
}

std::optional<std::string> toCp932(const fs::path& path) { return text::utf8ToCp932(path.string()); }

} // namespace kiv::files
