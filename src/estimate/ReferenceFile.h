#pragma once
// The small reference files every estimate reads when it is created (labour prices, settings,
// header and cover layouts): where each one is found, the messages about it, and the test of
// whether a chosen file exists.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Adress and AdressPrint (the address book and the envelope layout) are not read with an estimate:
// the address book's dialogs find them the same way when they open.
enum class ReferenceFile { Roumu, ElectricSettei, MechanicalSettei, Hedder, HyousiForm, Adress, AdressPrint };

struct ReferenceFileInfo {
    const char* section;     // profile section and entry that name the file
    const char* entry;
    const char* defaultName; // UTF-8; looked for in the program directory, case ignored
};

const ReferenceFileInfo& referenceFileInfo(ReferenceFile which);

// The settings file of an estimating mode: "1" electrical, "2" mechanical, nothing otherwise.
std::optional<ReferenceFile> setteiReferenceFile(std::string_view mode);

// The file the profile names, or else the default name in the program directory. Either way the
// file name is matched without regard to case when the exact name does not exist.
std::filesystem::path locateReferenceFile(ReferenceFile which, const std::filesystem::path& programDir);

// Records the chosen file in the profile, as the file choosers do. False when the profile could
// not be written.
bool rememberReferenceFile(ReferenceFile which, const std::filesystem::path& path);

// Whether a file can be used, tested on its own before anything opens it for writing: a file that
// exists but cannot be read must never be offered for creation, as creating truncates.
enum class FileState { Missing, Readable, Unreadable };
FileState probeFile(const std::filesystem::path& path);

// The steps of a file chooser once the user has picked `path`: a readable file is taken; an
// existing file that cannot be read is reported and refused, never offered for creation; a
// missing file is created, without ever truncating anything, only when `confirmCreate` answers
// yes to createFileQuestion(path): empty, or holding `firstContent` (written whole and safely, so
// a failed write leaves no half-made file behind). Returns whether the file can be read now;
// otherwise `message` holds what to show (empty after a No).
using ConfirmCreate = std::function<bool(const std::string& question)>;
bool acceptChosenFile(const std::filesystem::path& path, const ConfirmCreate& confirmCreate, std::string& message,
                      std::string_view firstContent = {});

// At most `limit` bytes from the start of the file; nullopt when it cannot be opened or read.
std::optional<std::string> readFileStart(const std::filesystem::path& path, std::size_t limit, std::string* error = nullptr);

// Messages (UTF-8) that the callers show.
// "デフォルトで労務単価.rabファイルが存在しません設定しなおしてください。" and its kin.
std::string missingReferenceMessage(ReferenceFile which);
// An existing file that cannot be read.
std::string unreadableFileMessage(const std::filesystem::path& path);
// The chooser's question before it creates a missing file.
std::string createFileQuestion(const std::filesystem::path& path);
// The chooser could not record the chosen file in the profile.
std::string profileNotWrittenMessage(const std::filesystem::path& path);
// A rewrite that failed.
extern const char* const kCannotCreateFileMessage;
