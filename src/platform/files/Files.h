#pragma once
// Files on disk: whole-file reads and safe whole-file writes, the program's own folder, and file
// names matched without regard to case. Names on disk are UTF-8; records and the rest of the
// program hold paths as CP932 text, converted here.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kiv::files {

namespace fs = std::filesystem;

// Writes the data to a temporary file in the same folder, flushes it and renames it over the
// target. A target that is a symbolic link is followed: the file it points to is written, beside
// itself, and the link stays. The replaced file's owner, group and mode are kept where the user
// may set them. An existing target the user may not write is refused. On failure the old file is
// untouched, the temporary file is removed, `error` (when given) holds writeFailure()'s text, and
// false is returned. Temporaries are named ".<name>.kivtmp-<digits>"; the ones a killed save left
// behind are removed by the next save of the same file.
bool writeFileAtomically(const fs::path& target, std::string_view data, std::string* error = nullptr);

// A new empty file of this user's alone in the system's temporary folder, named
// "kiv-<kind>-<pid>-<n><ext>", for a writer (a library, a PDF writer) whose output is then checked
// and written over its target by writeFileAtomically. Those of the kind that a run no longer
// running left behind are removed first. nullopt, with errno set, when none can be made.
std::optional<fs::path> makePrivateTemporary(std::string_view kind, std::string_view ext);

// The system's reason for a failed write (an errno value) in plain Japanese.
std::string writeFailureReason(int err);
// "<path>\n<reason>": what a failed write of `path` tells the user after the caller's own words.
std::string writeFailure(const fs::path& path, int err);
// The message every save, export and print-to-file failure shows: "ファイルが作成できません。"
// and, on the following lines, writeFailure()'s text (nothing more when it is empty).
std::string cannotCreateMessage(std::string_view failure);

// The file a write of `path` replaces: symbolic links followed (a dangling link gives the path it
// names). nullopt, with errno ELOOP, for a loop of links.
std::optional<fs::path> writeTarget(const fs::path& path);

// A test seam: while a WriteFault lives, every write of a file whose path contains `pathPart`
// (every write when it is empty) fails with errno `err` (ENOSPC a full disk, EACCES a refused
// permission, EROFS a read-only file system) after its temporary file was made, so the paths of
// failure run whoever runs the tests. Writers outside this module ask injectedWriteError().
class WriteFault {
public:
    explicit WriteFault(int err, std::string pathPart = {});
    ~WriteFault();
    WriteFault(const WriteFault&) = delete;
    WriteFault& operator=(const WriteFault&) = delete;
};
// The errno of the fault in force for `path`, or 0.
int injectedWriteError(const fs::path& path);

// The longest file a read takes unless its caller says otherwise.
inline constexpr std::size_t kMaxReadBytes = 256u * 1024 * 1024;

// The whole file, or nullopt when it cannot be opened or read, or is longer than maxBytes.
std::optional<std::string> readFile(const fs::path& path, std::size_t maxBytes = kMaxReadBytes,
                                    std::string* error = nullptr);

// A file read front to back a piece at a time through one buffer of its own, for a reader that
// parses as it goes and copies each piece once, to where it keeps it: the file is never held
// whole. A file whose size is not known beforehand (a pipe) is read whole first, as readFile reads
// it. Every failure (cannot be opened, longer than maxBytes when opened, a read fails) makes
// failed() true with error() saying why.
class FileReader {
public:
    static constexpr std::size_t kDefaultBufferBytes = 1u << 20;

    explicit FileReader(const fs::path& path, std::size_t maxBytes = kMaxReadBytes,
                        std::size_t bufferBytes = kDefaultBufferBytes);
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    bool failed() const { return m_Failed; }
    const std::string& error() const { return m_Error; }
    // The file's size when it was opened: what a parser checks its lengths against.
    std::size_t size() const { return m_Size; }
    // The next n bytes in one piece, valid until the next call; nullopt when the file ends before
    // them (it was cut while being read) or a read fails (failed()).
    std::optional<std::string_view> take(std::size_t n);
    // How many bytes are left from here to the end of the file (read and dropped); nullopt when a
    // read fails.
    std::optional<std::size_t> skipRest();

private:
    bool fill(std::size_t n);
    void fail(const char* reason);
    void closeFile();

    fs::path m_Path;
    std::size_t m_BufferBytes;
    int m_Fd = -1;
    std::size_t m_Size = 0;
    std::string m_Buffer;        // bytes m_Start..m_End are read and not yet taken
    std::size_t m_Start = 0;
    std::size_t m_End = 0;
    bool m_Failed = false;
    std::string m_Error;
};

bool isRegularFile(const fs::path& path);
// Whether two paths name one file: the same file on disk, or (when either is missing) the same
// path once "." and ".." are resolved.
bool samePath(const fs::path& a, const fs::path& b);

// A new folder only this user may enter, under the system's temporary folder ($TMPDIR or /tmp),
// its name beginning with `prefix`; nullopt (with `error`) when it cannot be made.
std::optional<fs::path> makeTempDirectory(std::string_view prefix, std::string* error = nullptr);

// The folder of the running executable.
fs::path programDirectory();

// The entry of `dir` whose name equals `name` without regard to case ("Eﾏｽﾀｰ.MST" finds
// "Eﾏｽﾀｰ.mst"); an exact match wins. nullopt when there is none.
std::optional<fs::path> findNoCase(const fs::path& dir, std::string_view name);
// `dir/name` when a file of that name exists (case ignored), else `dir/name` as given.
fs::path resolveNoCase(const fs::path& dir, std::string_view name);

// Between the CP932 paths of the records and the file system's UTF-8 names.
// A CP932 path that is not valid CP932 is taken byte for byte.
fs::path fromCp932(std::string_view cp932Path);
// nullopt when the name has characters that CP932 cannot hold.
std::optional<std::string> toCp932(const fs::path& path);

// Lower-case of the ASCII letters, for comparing names and extensions.
std::string asciiLower(std::string_view s);
bool equalsNoCase(std::string_view a, std::string_view b);

} // namespace kiv::files
