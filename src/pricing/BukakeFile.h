#pragma once
// The five productivity-rate tables: where each kind's file is (its profile entry, else its
// default name in the program directory) and the file itself, a plain sequence of 73-byte
// records with no header and no line ends.
#include <filesystem>
#include <string>
#include <vector>

#include "estimate/ReferenceFile.h"

// Kinds 1-5: 電気設備盤, 電気設備制御盤, 電気設備配線器具, 電気設備照明器具, 機械設備.
constexpr int kBukakeKindCount = 5;

struct BukakeKindInfo {
    const char* section;      // profile section and entry holding the table's full path
    const char* entry;
    const char* defaultName;  // UTF-8, in the program directory
};

// The kind's profile entry and default file; kind must be 1-5.
const BukakeKindInfo& bukakeKindInfo(int kind);

// The kind's stored path, or the default name in `programDir` (matched without regard to case).
std::filesystem::path bukakeTablePath(int kind, const std::filesystem::path& programDir);

// Records the kind's path in the profile; false when the profile could not be written.
bool rememberBukakeTablePath(int kind, const std::filesystem::path& path);

struct BukakeLoad {
    FileState state = FileState::Missing; // Readable when the lines were read
    std::vector<std::string> lines;       // one per 73 bytes, in file order
    std::string error;                    // why a file that exists could not be read
};

// Reads every record. A last part shorter than 73 bytes is a line of its own, read over blanks,
// never mixed with the record before it.
BukakeLoad readBukakeFile(const std::filesystem::path& path);

// The file's bytes for the lines (BukakeRecord::record of each); an empty list gives none.
std::string bukakeFileBytes(const std::vector<std::string>& lines);

// Rewrites the file whole, safely: on failure the old file is intact, false is returned and
// `error` says why.
bool writeBukakeFile(const std::filesystem::path& path, const std::vector<std::string>& lines,
                     std::string* error = nullptr);
