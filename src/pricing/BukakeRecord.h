#pragma once
// One line of a productivity-rate table: NO, 名称, 規格 and the rate (歩掛) as the 73-byte text
// "%4s %-30s %-30s %-6s" (CP932), the rate right-aligned by leading blanks. In a table file each
// line is one 73-byte record; a record may end early at a NUL, its line being the text before it.
#include <cstddef>
#include <string>
#include <string_view>

// The four parts of a line as the rate calculator's edits show them.
struct BukakeFields {
    std::string No;      // leading blanks removed
    std::string Name;    // trailing blanks removed
    std::string Kikaku;  // trailing blanks removed
    std::string Bukake;  // trailing blanks removed, leading blanks kept
};

namespace BukakeRecord {

constexpr std::size_t Size = 73;
constexpr std::size_t NoPos = 0, NoWidth = 4;
constexpr std::size_t NamePos = 5, NameWidth = 30;
constexpr std::size_t KikakuPos = 36, KikakuWidth = 30;
constexpr std::size_t BukakePos = 67, BukakeWidth = 6;

// The line of four values (CP932): the rate is left-padded with blanks to six characters, then
// the four go into "%4s %-30s %-30s %-6s". Line breaks never reach a record: CR and LF are removed
// from every value first. A value wider than its column is cut on a character boundary, so the
// line is always exactly 73 bytes and no column runs into the next.
std::string format(std::string_view no, std::string_view name, std::string_view kikaku, std::string_view bukake);

// The line of one file record: its text up to the first NUL, at most 73 bytes.
std::string lineOf(std::string_view record);

// The file record of a line: a line of 73 bytes or more gives its first 73; a shorter one is
// followed by a NUL and blanks up to 73.
std::string record(std::string_view line);

// The parts of a line, as a double click takes it back into the edits: NO from characters 0-3
// without leading blanks, 名称 5-34 and 規格 36-65 without trailing blanks, the rate 67-72 without
// trailing blanks. A short line gives empty parts where it has no characters.
BukakeFields fields(std::string_view line);

} // namespace BukakeRecord
