#pragma once
// The settings file: exactly one settings record, 1024 bytes, no header and no line end;
// "電気設定.ett" in electrical mode, "機械設定.mtt" in mechanical mode.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "estimate/FixedRecordFile.h"
#include "estimate/SetteiRecord.h"

using SetteiLoad = RecordLoad<SetteiRecord>;

// Reads at most 1024 bytes over a blank record. A missing or unreadable file gives a blank record,
// whose codes are all unused.
inline SetteiLoad readSetteiFile(const std::filesystem::path& path) { return readRecordFile<SetteiRecord>(path); }

// Rewrites the file whole with the record's 1024 bytes.
inline bool writeSetteiFile(const std::filesystem::path& path, const SetteiRecord& record, std::string* error = nullptr) {
    return writeRecordFile(path, record, error);
}

// Where the settings file of the mode ("1" or "2") is: the profile's entry, or the default name in
// the program directory. Empty for any other mode.
std::filesystem::path locateSetteiFile(std::string_view mode, const std::filesystem::path& programDir);

// What the settings-file chooser does once the user has picked a file for the mode ("1" or "2"):
// the file is accepted (acceptChosenFile), read, and recorded in the profile under the mode's
// entry. When `switched`, the caller makes `record` and the chosen path the current estimate's
// and re-parses it; otherwise the estimate keeps its file and record. `messages` (UTF-8) are to be
// shown in order. Any other mode does nothing.
struct SetteiSwitch {
    bool switched = false;
    SetteiRecord record;
    std::vector<std::string> messages;
};
SetteiSwitch switchSetteiFile(std::string_view mode, const std::filesystem::path& chosen,
                              const ConfirmCreate& confirmCreate);
