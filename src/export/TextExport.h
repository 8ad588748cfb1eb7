#pragma once
// What the TAB-separated text exports share: fields made safe for the file, and the file written
// whole or not at all.
#include <functional>
#include <string>
#include <string_view>

namespace kiv::exporting {

// Appends `field` to `line`, a TAB, CR or LF byte written as a blank so the columns never shift.
void AppendTextField(std::string& line, std::string_view field);

// Writes `data` to a temporary file beside the CP932 `path`, renamed over it at the end; on
// failure nothing of the old file is lost and no temporary file stays. False on failure.
bool WriteExportTextFile(const std::string& pathCp932, std::string_view data);

// Tests replace the writer to make a write fail; empty restores the real one.
using ExportTextWriter = std::function<bool(const std::string& pathCp932, std::string_view data)>;
void SetExportTextWriter(ExportTextWriter writer);

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
