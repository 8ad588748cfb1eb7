// The libFuzzer entry of one reader, chosen when the program is built (KIV_FUZZ_TARGET).
#include "FuzzTargets.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const kiv::fuzz::Target* target = [] {
        const kiv::fuzz::Target* t = kiv::fuzz::findTarget(KIV_FUZZ_TARGET);
        if (!t) {
            std::fprintf(stderr, "no fuzz target %s\n", KIV_FUZZ_TARGET);
            std::abort();
        }
        return t;
    }();
    target->entry(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
