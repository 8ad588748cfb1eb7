#pragma once
// The one reader of comma-separated files that a spreadsheet writes, for the estimate's and the
// master's CSV import. Bytes stay as they are (CP932); only line ends, separating commas and
// quotes have meaning:
// - a line ends at CR, LF or CR LF; a line end at the end of the data starts no further line;
//   an empty line is skipped;
// - commas outside quotes separate fields; a field that begins with " is quoted: its quotes are
//   taken off and "" inside it is one "; a quote anywhere else is an ordinary byte; a quote still
//   open at the end of its line refuses the file (a field never runs on into the next line).
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace csv {

struct Line {
    int number = 0;                   // 1-based line of the file (empty lines counted)
    std::vector<std::string> fields;  // column 1 is fields[0]
    // Column n (from 1), or empty when the line has fewer columns or n is 0.
    std::string column(int n) const;
};

enum class Status {
    Ok,
    CannotOpen,     // the file could not be opened or read
    TooLarge,       // more bytes than allowed
    TooManyLines,   // more non-empty lines than allowed
    OpenQuote,      // a quote still open at the end of line `errorLine`
};

struct Result {
    Status status = Status::Ok;
    int errorLine = 0;
    std::vector<Line> lines;   // the non-empty lines, in file order
};

// Splits `data` (of any length; no terminator is looked for) into lines and fields; at most
// `maxLines` non-empty lines are accepted.
Result parse(std::string_view data, int maxLines);
// Reads the whole file first: more than `maxBytes` bytes are refused before any parsing.
Result readFile(const std::filesystem::path& path, std::size_t maxBytes, int maxLines);

} // namespace csv
