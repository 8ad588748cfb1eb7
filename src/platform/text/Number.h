#pragma once
// Reading and writing numbers the way the fields hold them: texts read with the reading rules of
// the C conversions (atoi/atof) and values written as the printf formats of the records write
// them, but locale-free and with exact decimal rounding.
#include <string>
#include <string_view>

#include "platform/text/Decimal.h"

namespace kiv::text {

// Leading blanks, an optional sign, digits, one '.', digits; the first other character ends the
// number. Blank or empty is 0. No exponent, no inf or nan, no hexadecimal.
Decimal parseDecimal(std::string_view s);
// As atoi: leading blanks, optional sign, digits; saturated to the range of int.
int parseInt(std::string_view s);

// One printf conversion with optional literal text around it ("%%" is a percent sign).
// Flags '-', '0', '+', ' ', '#'; width; precision ("%10.f" has precision 0); length modifiers are
// ignored. Conversions d/i/u take the integer part of the value (toward zero, as a cast to int
// would); f/F round the exact value at the precision (default 6), ties away from zero. A negative
// value that rounds to zero keeps its sign, as printf shows it ("-0").
// Throws std::invalid_argument for a format that is not of this form.
std::string cformat(std::string_view fmt, const Decimal& value);

// The cuts applied to formatted texts: the first n characters, the last n, all but the last n.
// Counted in bytes, as the texts they cut are formatted numbers.
std::string leftChars(std::string_view s, std::size_t n);
std::string rightChars(std::string_view s, std::size_t n);
std::string dropRight(std::string_view s, std::size_t n);

// A dialog's number box as the user may type into it with the input method on: the full-width
// digits, point and minus (CP932 ０-９ ． －; U+2212 arrives as － too) become '0'-'9', '.' and '-';
// every other character stays, and still ends the number where it stands. Records and files are
// read as they stand: only number boxes go through this.
std::string halfWidthNumberText(std::string_view cp932);

// Blanks removed from both ends, or from the right only.
std::string_view trimBlanks(std::string_view s);
std::string_view trimRightBlanks(std::string_view s);
// Blanks and tabs removed from both ends, and a carriage return from the right: a line of a
// hand-edited text file.
std::string_view trimLine(std::string_view s);

} // namespace kiv::text
