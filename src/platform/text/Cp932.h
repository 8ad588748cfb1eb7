#pragma once
// Conversion between the CP932 bytes that records and files hold and the UTF-8 of the user
// interface and the file system, and the CP932 byte classes used to walk such texts.
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kiv::text {

class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Either direction gives nullopt when the input holds a byte sequence the other side cannot
// express (a stray lead byte, an undefined code, a character outside CP932).
std::optional<std::string> cp932ToUtf8(std::string_view cp932);
std::optional<std::string> utf8ToCp932(std::string_view utf8);

// For display (a message, a dialog, the screen, a workbook cell): never throws. A byte that
// starts no CP932 character shows as U+FFFD and the next byte is tried afresh, so one bad byte
// costs one replacement character. A caller that must know whether the text was whole uses
// cp932ToUtf8.
std::string toUtf8(std::string_view cp932);
// Throwing form, for callers that treat a character CP932 lacks as an error to report.
std::string toCp932(std::string_view utf8);
// For text that comes from outside (typed text, a file name): never throws. Each character CP932
// cannot hold becomes `unmappable` ("" drops it), so it costs only itself.
std::string toCp932Replacing(std::string_view utf8, std::string_view unmappable);

// A UTF-8 literal of the source as the CP932 bytes that records and files hold.
// Converted once and kept; the returned reference stays valid for the run.
const std::string& sj(const char* utf8Literal);

// Byte classes of CP932, from fixed tables (independent of the locale).
bool isLeadByte(unsigned char c);      // 0x81-0x9F, 0xE0-0xFC
bool isHalfKana(unsigned char c);      // 0xA1-0xDF
bool isTrailByte(unsigned char c);     // 0x40-0x7E, 0x80-0xFC

// True when byte position pos of s starts a character (or is s.size()), scanning from the start.
bool isCharBoundary(std::string_view s, std::size_t pos);
// True when position pos is the second byte of a double-byte character.
bool isSecondByte(std::string_view s, std::size_t pos);
// The largest character boundary not beyond pos.
std::size_t boundaryAtOrBefore(std::string_view s, std::size_t pos);

// At most n bytes of s; a double-byte character cut in half at the end becomes a blank.
std::string fitBytes(std::string_view s, std::size_t n);

} // namespace kiv::text
