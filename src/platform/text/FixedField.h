#pragma once
// Fixed-width fields inside a record: a byte range of a text line, numbers right-aligned and texts
// left-aligned, blank-padded. Reading takes the field's text up to its trailing blanks; writing
// never passes the field's width: a value that does not fit is refused and the field keeps its text.
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/text/Decimal.h"

namespace kiv::text {

// The field's bytes (clipped to the record), ending at a NUL if one stands inside, without
// trailing blanks.
std::string_view fieldText(std::string_view record, std::size_t offset, std::size_t width);
int fieldInt(std::string_view record, std::size_t offset, std::size_t width);
Decimal fieldDecimal(std::string_view record, std::size_t offset, std::size_t width);
bool fieldIsBlank(std::string_view record, std::size_t offset, std::size_t width);

// Fill the field with blanks. The record must hold the whole field (std::out_of_range otherwise).
void blankField(std::string& record, std::size_t offset, std::size_t width);
// Blanks of the text are trimmed from both ends, then it is written right-aligned.
// Returns false, leaving the field as it was, when the text is wider than the field.
bool putRight(std::string& record, std::size_t offset, std::size_t width, std::string_view text);
// Trailing blanks of the text are trimmed, then it is written left-aligned.
// Returns false, leaving the field as it was, when the text is wider than the field.
bool putLeft(std::string& record, std::size_t offset, std::size_t width, std::string_view text);
// Left-aligned, cut on a CP932 character boundary when it is wider (the cut half becomes a blank).
void putLeftFitted(std::string& record, std::size_t offset, std::size_t width, std::string_view text);

} // namespace kiv::text
