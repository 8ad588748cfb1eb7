#pragma once
// Opening the address book's files (the address file and the envelope layout) when a dialog needs
// them: the file named by the profile, or the default in the program directory. The file is
// tested before anything opens it for writing: a missing one is created empty only after the
// user agrees to the OK/Cancel question, an existing one that cannot be read is reported and
// never offered for creation.
#include <cstddef>
#include <filesystem>
#include <string>

#include "estimate/ReferenceFile.h"

namespace kiv::ui {
class Window;
}

struct AdressFileOpen {
    std::filesystem::path path;
    bool read = false;       // `data` holds the file's bytes (at most the limit asked for)
    bool unreadable = false; // the file exists but could not be read (the user was told)
    std::string data;
};

// `limit` 0 reads the whole file.
AdressFileOpen openAdressFile(ReferenceFile which, std::size_t limit, kiv::ui::Window* owner);
