#include "estimate/SetteiFile.h"

std::filesystem::path locateSetteiFile(std::string_view mode, const std::filesystem::path& programDir) {
    auto which = setteiReferenceFile(mode);
    if (!which)
        return {};
    return locateReferenceFile(*which, programDir);
}
