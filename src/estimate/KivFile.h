#pragma once
// The estimate file: a row count, the 18 cover strings (element 18, the cover total, stored
// fourth) and the rows, in the archive format. Also the conversions of rows written by the two
// older layouts and the name of an estimate's backup file. Reading and writing here know nothing
// of the document; the document decides which rows to keep.
#include <array>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

constexpr int kKivHyousiCount = 18;
// No estimate ever had more rows than the pool of the document has slots.
constexpr int kKivFileMaxRows = 30000;
// The current row layout and the layout of the previous system.
constexpr std::size_t kKivRowLength = 1400;
constexpr std::size_t kKivSetubiRowLength = 1252;

class KivFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;   // the message is UTF-8, ready to show
};

struct KivFileContent {
    std::array<std::string, kKivHyousiCount> hyousi;   // elements 1..18 in element order
    std::vector<std::string> rows;                      // as stored, any length
    // Bytes after the last counted row: the file holds more than its row count says (a count
    // lowered, data appended). The rows up to the count are still read; 0 for a whole file.
    std::size_t unreadBytes = 0;
    // Rows without an item number that still carry content (a damaged number such as "O002" or
    // NUL bytes): not free rows, and not rows the document can place either.
    std::size_t damagedRows = 0;
    // Whether the document opens less than the file holds: its first save over the file asks.
    bool partlyRead() const { return unreadBytes > 0 || damagedRows > 0; }
};

// A row of the estimate or the master whose key (item or category, bytes 0-3) names no group
// but which carries content after its key (a byte other than a blank or NUL from byte 8 on). A
// blank free row is dropped without a word; such a row is a damaged one, and its loss is said.
bool IsDamagedFreeRow(std::string_view row);

// Throws KivFileError when the bytes are not a whole estimate file (cut off, a length that runs
// past the end, a negative or impossible row count). Data after the last row is not an error:
// it is counted in unreadBytes, for the document to report.
KivFileContent ReadKivFile(std::string_view bytes);
// The message for a file read only in part (partlyRead()): names the file (UTF-8 path).
std::string KivPartlyReadMessage(const std::string& path);
// Its first part, the file named and what befell it, for a command that then refuses the file.
std::string KivPartlyReadText(const std::string& path);
// The stored bytes of an estimate. `rows` are written as they are.
std::string WriteKivFile(const std::array<std::string, kKivHyousiCount>& hyousi,
                         const std::vector<std::string>& rows);
// The same from rows held elsewhere (the document writes its pool without copying it).
std::string WriteKivFile(const std::array<std::string, kKivHyousiCount>& hyousi,
                         std::span<const std::string_view> rows);

// A row of the previous system's layout, padded or cut to the current length.
std::string ConvertSetubiRow(std::string_view row);
// A row of the old electrical layout: 8 blanks open the 接合 and ﾊﾂﾘ fields at 252, the old
// value at 248-251 moves to 付属 (268-271), then the row is padded or cut to the current length.
std::string ConvertDenkiRow(std::string_view row);
// Blank-padded or cut to the current row length.
std::string FitKivRow(std::string_view row);

// The backup of an estimate: "BkUp" inserted before the extension of the file name (folder names
// are left alone); a name without an extension gets "BkUp" and the mode's extension; an untitled
// estimate's backup is "BkUp.KIV" (mode '1') or "BkUp.MES" (mode '2') in the current folder.
std::string KivBackupPath(std::string_view path, char mode);
// ".KIV" in mode '1', ".MES" in mode '2'.
const char* KivExtension(char mode);
