#pragma once
// The envelope layout: one 386-byte record (385 formatted characters and a NUL) holding the
// sender's texts, the comment, the honorific and, for each of the eleven printed fields, X, Y,
// size and a vertical flag. Fields are read from their fixed columns; separators are ignored, so
// the TAB at column 249 reads like a blank.
#include <array>
#include <string>
#include <string_view>

namespace adressprint {

constexpr std::size_t kRecordSize = 386; // what the file holds: 385 characters and the NUL
constexpr std::size_t kFieldCount = 51;
constexpr std::size_t kTextCount = 7;
constexpr std::size_t kGroupCount = 11;

// Texts (fields 1-7, index 0-6).
enum Text { Company, SenderAddress, Company2, SenderAddress2, SenderPostcode, Comment, Honorific };
// Placement groups in record order; group g holds fields 8 + 4g .. 11 + 4g.
enum Group {
    Name,            // recipient name, first line (with the honorific)
    Address,         // recipient address, first line
    Name2,           // recipient name, second line
    Address2,        // recipient address, second line
    Postcode,        // recipient postcode
    CompanyLine,     // sender company, first line
    SenderAddressLine,
    Company2Line,
    SenderAddress2Line,
    SenderPostcodeLine,
    CommentLine,
};
enum Part { X, Y, Size, Vertical };

struct FieldColumn {
    std::size_t offset, width;
};
const FieldColumn& fieldColumn(std::size_t field); // 0-based field index
constexpr std::size_t groupField(int group, int part) { return kTextCount + 4 * group + part; }

// 386 blanks: the layout when no file was read.
std::string blankRecord();

// The layout editor's reading: the record up to its first NUL, each field from its columns (a
// field past the end comes out short or empty) without trailing blanks; flags as the character.
using Fields = std::array<std::string, kFieldCount>;
Fields loadFields(std::string_view record);
// The record format over the 51 fields: texts and X/Y/size left-aligned and blank-padded to
// their widths (cut on a character boundary should one be longer), flags "1" when the field is
// "1" and "0" otherwise; exactly 385 characters, the NUL at 385. 386 bytes.
std::string formatRecord(const Fields& f);

// The envelope printer's reading: a text at its full column width, trailing blanks included
// (ending early at a NUL); a number by the leading-digits conversion, anything else 0.
std::string rawText(std::string_view record, std::size_t field);
int number(std::string_view record, std::size_t field);

} // namespace adressprint
