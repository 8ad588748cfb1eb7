#pragma once
// What the TAB-separated text exports share: fields made safe for the file, and the file written
// whole or not at all.
#include <optional>
#include <string>
#include <string_view>

namespace kiv::exporting {

// Appends `field` to `line`, a TAB, CR or LF byte written as a blank so the columns never shift.
void AppendTextField(std::string& line, std::string_view field);

// Writes `data` to a temporary file beside the CP932 `path`, renamed over it at the end; on
// failure nothing of the old file is lost, no temporary file stays, and the message to show
// (the path and the reason) is returned; nullopt when the file was written.
std::optional<std::string> WriteExportTextFile(const std::string& pathCp932, std::string_view data);

} // namespace kiv::exporting

namespace kiv::exporting {
struct UtiwakeTexts;
// One line of the breakdown text file: the eight texts TAB-separated, CR LF, and with double
// spacing a second CR LF.
std::string UtiwakeTextLine(const UtiwakeTexts& t, bool doubleSpacing);
} // namespace kiv::exporting

namespace kiv::exporting {
struct DaikaLine;
// The composite unit-price text file: its caption line and one line of a block, each with its
// line end (double spacing doubles it; a 複合単価 line always has one empty line after it).
std::string DaikaCaptionLine(bool doubleSpacing);
std::string DaikaTextLine(const DaikaLine& line, bool doubleSpacing);
} // namespace kiv::exporting
