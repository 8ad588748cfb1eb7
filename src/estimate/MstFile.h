#pragma once
// The master file (マスター, ".MST" in mode "1", ".MMS" in mode "2"): a 32-bit line count, then
// that many length-prefixed CP932 lines in the archive format. This module is the one reader and
// writer of the format: the master document opens and saves through it, and every command that
// only needs a few master lines (the computed-row templates) reads through it too.
//
// The reader also takes lines that another program wrote in the wide form (0xFF, 0xFE 0xFF, a
// length in UTF-16 units, UTF-16LE text) and converts them to CP932; it never writes that form.
// Lines whose category (bytes 0-3) reads as 0 are free slots and are dropped (those that carry
// content are counted as damaged); at most 30,000 lines are kept.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int kMstMaxRows = 30000;
inline constexpr std::size_t kMstRowLength = 1400;        // the current line layout
inline constexpr std::size_t kMstSetubiRowLength = 1252;  // the previous system's layout

class MstFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;   // UTF-8 reason, ready to show after the file name
};

struct MstFileContent {
    std::vector<std::string> rows;   // lines with a category, in file order, as stored
    bool truncated = false;          // lines with a category beyond the first 30,000 were left
    std::size_t unreadBytes = 0;     // bytes after the last counted line
    std::size_t damagedRows = 0;     // lines of category 0 that carry content (IsDamagedFreeRow)
    // Whether the document opens less than the file holds: its first save over the file asks.
    bool partlyRead() const { return truncated || unreadBytes > 0 || damagedRows > 0; }
};

// What a walk over a master file's lines found besides the lines it handed on.
struct MstFileScan {
    std::size_t lines = 0;           // the count the file gives
    std::size_t keptRows = 0;        // lines with a category handed on (at most 30,000)
    bool truncated = false;          // lines with a category beyond the first 30,000 were left
    std::size_t unreadBytes = 0;     // bytes after the last counted line
    std::size_t damagedRows = 0;     // lines of category 0 that carry content (IsDamagedFreeRow)
};

// Walks the lines of a master file in order and hands each of the first 30,000 lines with a
// category to `kept` (a view valid during the call: of the bytes, or of the line converted from
// the wide form), nothing copied. Throws as ReadMstFile does, which reads through it.
MstFileScan ScanMstFile(std::string_view bytes, const std::function<void(std::string_view)>& kept);

// ScanMstFile over the file at `path`, read a piece at a time straight from the file (it is never
// held whole). nullopt, with `error` saying why, when the file cannot be opened or read or is
// longer than maxBytes; damage throws as it does over bytes. A file cut while it is read is damage.
std::optional<MstFileScan> ScanMstFile(const std::filesystem::path& path, std::size_t maxBytes,
                                       const std::function<void(std::string_view)>& kept,
                                       std::string* error = nullptr);

// Throws MstFileError when the bytes are not a whole master file: cut off, a count beyond the
// data, a length that runs past the end or beyond any line, a wide line with a character CP932
// lacks. Nothing is sized from an unchecked number.
MstFileContent ReadMstFile(std::string_view bytes);
// ReadMstFile over the file at `path`, each kept line read from the file straight into its row:
// opening a master costs about one read of its bytes. Fails and throws as ScanMstFile(path).
std::optional<MstFileContent> ReadMstFile(const std::filesystem::path& path, std::size_t maxBytes,
                                          std::string* error = nullptr);

// The stored bytes: the count and the lines as they are (narrow form).
std::string WriteMstFile(std::span<const std::string_view> rows);
std::string WriteMstFile(const std::vector<std::string>& rows);

// The line layout conversions of loading. NormalizeMstRow changes only lines whose byte 310 is
// a blank and whose byte 300 or 304 is not: bytes 290-294 move one right (290 becomes a blank),
// 302-309 move two right, 300-301 become blanks; 302-303 keep what they held. A line shorter than
// 312 bytes is left alone (it cannot hold that layout).
void NormalizeMstRow(std::string& row);

// The longest line the reader accepts: far beyond any layout, so a larger length is damage.
inline constexpr std::size_t kMstMaxLineBytes = 65533;
