#include "platform/files/Files.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <random>
#include <unistd.h>

#include "platform/text/Cp932.h"

namespace kiv::files {
namespace {

void setError(std::string* error, std::string msg) {
    if (error)
        *error = std::move(msg);
}

bool writeAll(int fd, std::string_view data) {
    const char* p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

bool writeFileAtomically(const fs::path& target, std::string_view data, std::string* error) {
    // Renaming needs only the folder's permission; a file the user may not write is still not
    // replaced behind the user's back.
    if (::faccessat(AT_FDCWD, target.c_str(), F_OK, AT_EACCESS) == 0 &&
        ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        setError(error, target.string() + ": " + std::strerror(errno));
        return false;
    }
    fs::path dir = target.parent_path();
    if (dir.empty())
        dir = ".";
    static std::mt19937_64 rng{std::random_device{}()};
    fs::path tmp;
    int fd = -1;
    for (int attempt = 0; attempt < 20 && fd < 0; ++attempt) {
        tmp = dir / ("." + target.filename().string() + ".tmp" + std::to_string(rng() % 1000000));
        fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        setError(error, target.string() + ": " + std::strerror(errno));
        return false;
    }
    // Keep the permissions of the file being replaced.
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0)
        ::fchmod(fd, st.st_mode & 07777);
    bool ok = writeAll(fd, data) && ::fsync(fd) == 0;
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
        setError(error, target.string() + ": " + std::strerror(savedErrno));
        return false;
    }
    return true;
}

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
        const auto size = static_cast<std::size_t>(st.st_size);
        out.resize(size);
        std::size_t got = 0;
        while (got < size) {
            ssize_t n = ::read(fd, out.data() + got, size - got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                setError(error, path.string() + ": " + std::strerror(errno));
                ::close(fd);
                return std::nullopt;
            }
            if (n == 0)
                break;
            got += static_cast<std::size_t>(n);
        }
        out.resize(got);
    }
    // What is left (a file that grew, or one whose size is not known) is read in chunks.
    char buf[65536];
    while (true) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            setError(error, path.string() + ": " + std::strerror(errno));
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        if (out.size() + static_cast<std::size_t>(n) > maxBytes) {
            setError(error, path.string() + ": the file is too large");
            ::close(fd);
            return std::nullopt;
        }
        out.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return out;
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
