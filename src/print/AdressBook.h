#pragma once
// The address book file: one fixed 203-byte record per party, back to back, with no header and
// no line ends. The dialog keeps each record as one list line of exactly 203 bytes; these helpers
// turn the file into such lines and back, and build or split one record.
#include <string>
#include <string_view>
#include <vector>

namespace adress {

constexpr std::size_t kRecordSize = 203;

// The eight fields of one entry (CP932), in record order.
struct AdressEntry {
    std::string no;       // 番号, 4 bytes, right-aligned in the record
    std::string name;     // 相手先, 40
    std::string address;  // 住所, 40
    std::string name2;    // 相手先2, 40
    std::string address2; // 住所2, 40
    std::string postcode; // 郵便番号, 8
    std::string phone;    // 電話番号, 12
    std::string fax;      // FAX番号, 12
};

// "%4s %-40s %-40s %-40s %-40s %-8s %-12s %-12s": always exactly 203 bytes. A field longer than
// its column (the dialog's limits prevent it) is cut on a character boundary rather than
// shifting the columns behind it.
std::string formatAdressRecord(const AdressEntry& e);
// The fields of a list line: the number without leading blanks, the texts without trailing ones.
AdressEntry parseAdressRecord(std::string_view line);

// The file's bytes as list lines of 203 bytes each; a short last chunk is padded with blanks.
std::vector<std::string> splitAdressFile(std::string_view data);
// The list lines back to back, each exactly 203 bytes.
std::string joinAdressLines(const std::vector<std::string>& lines);
// The line with its first four bytes replaced by the first four of `position` as "%04d".
std::string renumberAdressLine(std::string line, int position);

} // namespace adress
