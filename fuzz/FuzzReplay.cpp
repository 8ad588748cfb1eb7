// The main of a fuzz program built without libFuzzer (the normal builds): runs its target over
// every file named and every file in every folder named, so the tests replay the seed corpus and
// the crashers found with any compiler. A folder that does not exist holds nothing; the run fails
// when it found no input at all.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "platform/files/Files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const fs::path p = argv[i];
        std::error_code ec;
        if (fs::is_directory(p, ec)) {
            for (const auto& e : fs::directory_iterator(p, ec))
                if (e.is_regular_file())
                    inputs.push_back(e.path());
        } else if (fs::exists(p, ec)) {
            inputs.push_back(p);
        }
    }
    std::sort(inputs.begin(), inputs.end());
    for (const fs::path& p : inputs) {
        const auto bytes = kiv::files::readFile(p);
        if (!bytes) {
            std::fprintf(stderr, "cannot read %s\n", p.c_str());
            return 1;
        }
        std::fprintf(stderr, "replaying %s\n", p.c_str());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size());
    }
    std::fprintf(stderr, "%zu inputs replayed\n", inputs.size());
    return inputs.empty() ? 1 : 0;
}
