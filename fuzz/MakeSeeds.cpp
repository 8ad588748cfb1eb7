// Writes the seed corpus of every fuzz target, made by the program's own writers, into
// DIR/<target>/ (default: the corpus folder beside this file).
#include "FuzzTargets.h"

#include <cstdio>
#include <filesystem>

#include "platform/files/Files.h"

int main(int argc, char** argv) {
    const std::filesystem::path root = argc > 1 ? argv[1] : KIV_FUZZ_CORPUS;
    for (const auto& s : kiv::fuzz::seeds()) {
        std::filesystem::create_directories(root / s.target);
        if (!kiv::files::writeFileAtomically(root / s.target / s.name, s.bytes)) {
            std::fprintf(stderr, "cannot write %s\n", (root / s.target / s.name).c_str());
            return 1;
        }
    }
    return 0;
}
