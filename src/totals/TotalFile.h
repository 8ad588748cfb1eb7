#pragma once
// The totals file (集計, ".TTL" in mode "1", ".MTL" in mode "2"): a 32-bit row count, then that
// many length-prefixed CP932 rows in the archive format, the pool in slot order. Free slots are
// part of the file: they are read and written back with their bytes as they stand, so a file
// saves back identical.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int kTotalMaxRows = 30000;      // pool slots of a totals document
inline constexpr int kTotalMaxKoumoku = 999;     // categories (the title list's size)

class TotalFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;   // UTF-8 reason, shown after the file name
};

// Throws TotalFileError when the bytes are not a whole totals file: cut off, a count above
// 30,000 or beyond the data, a length that runs past the end, a category key above 999, bytes
// after the last row. Nothing is sized from an unchecked number.
std::vector<std::string> ReadTotalFile(std::string_view bytes);

// The stored bytes: the count and the rows exactly as they are.
std::string WriteTotalFile(const std::vector<std::string>& rows, int count);

// "TTL" in mode "1" (and any other), "MTL" in mode "2".
const char* TotalExtension(const std::string& mode);
