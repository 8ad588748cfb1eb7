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
// target. An existing target the user may not write is refused. On failure the old file is
// untouched, the temporary file is removed, `error` (when given) says what went wrong, and false
// is returned.
bool writeFileAtomically(const fs::path& target, std::string_view data, std::string* error = nullptr);

// The whole file, or nullopt when it cannot be opened or read, or is longer than maxBytes.
std::optional<std::string> readFile(const fs::path& path, std::size_t maxBytes = 256u * 1024 * 1024,
                                    std::string* error = nullptr);

bool isRegularFile(const fs::path& path);

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
