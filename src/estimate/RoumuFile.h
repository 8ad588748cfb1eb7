#pragma once
// The labour-price file "労務単価.rab": 45-byte labour records one after another, no header, no
// separator. A document reads at most 100 of them.
#include <filesystem>
#include <string>
#include <vector>

#include "estimate/ReferenceFile.h"
#include "estimate/RoumuList.h"

struct RoumuLoad {
    FileState state = FileState::Missing; // Readable when the list was read
    RoumuList list;                       // empty unless read
    std::string warning;                  // UTF-8, for the caller to show: records past the 100th
    std::string error;                    // why a file that exists could not be read
};

// Each record is read into a blank-filled 45-byte buffer (so a short last record is padded with
// blanks) and its text up to the first NUL becomes a line. Reading stops after 100 records; when
// the file holds more, `warning` says so.
RoumuLoad readRoumuFile(const std::filesystem::path& path);

// The file's bytes for a list: each line as its 45-byte record.
std::string roumuFileBytes(const RoumuList& list);

// Rewrites the file whole, safely: on failure the old file is intact, false is returned and
// `error` says why (callers show kCannotCreateFileMessage).
bool writeRoumuFile(const std::filesystem::path& path, const RoumuList& list, std::string* error = nullptr);

std::string roumuFileTooLongMessage();

// What the labour-file chooser does once the user has picked a file: the file is accepted
// (acceptChosenFile), read, and recorded in the profile. When `switched`, the caller makes `list`
// and the chosen path the current estimate's (a file created here gives an empty list); otherwise
// the estimate keeps its file and list. `messages` (UTF-8) are to be shown in order.
struct RoumuSwitch {
    bool switched = false;
    RoumuList list;
    std::vector<std::string> messages;
};
RoumuSwitch switchRoumuFile(const std::filesystem::path& chosen, const ConfirmCreate& confirmCreate);
