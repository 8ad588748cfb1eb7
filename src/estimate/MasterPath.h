#pragma once
// Where the master file of the run mode is: the profile entry the master editor keeps
// ("Emaster_Section"/"Emaster_Dat" in mode "1", "Mmaster_Section"/"Mmaster_Dat" in mode "2"),
// else the default master beside the program, its name matched without regard to case. The
// master command and every reader of the master's rows find it here.
#include <filesystem>
#include <string>
#include <string_view>

#include "estimate/ReferenceFile.h"

// The default master's file name beside the program: "Eﾏｽﾀｰ.MST" in mode "1", "Mﾏｽﾀｰ.MMS" in
// mode "2" (matched without regard to case when it is looked for).
const char* DefaultMasterName(std::string_view mode);

// The path named by the profile, or `fallback` when the profile names none, or the default
// master's path when both are empty. Relative names are made absolute.
std::filesystem::path MasterFilePath(std::string_view mode, const std::string& fallback = {});

// Records the master of the mode in the profile entry above.
bool RememberMasterFile(std::string_view mode, const std::filesystem::path& path);

// A master that is not there yet is offered for creation, as the reference-file choosers offer
// theirs: createFileQuestion(path), and on yes a new master is written: one blank line of the
// current layout (category 1, line 1), so that it opens without the old-layout questions.
// A file that exists is left to the opening to judge. True when the file stands there now;
// otherwise `message` says why (empty after a no).
bool OfferNewMaster(const std::filesystem::path& path, const ConfirmCreate& confirmCreate, std::string& message);
