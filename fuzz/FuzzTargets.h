#pragma once
// The readers of the user's files, each as one entry that takes the bytes of a file: used by the
// libFuzzer programs (built with -DKIV_FUZZ=ON), by the replay programs of the normal builds and
// by the test that replays their seed corpus and every crasher ever found, so a fault once fixed
// stays fixed. Each reader has an entry of its own, fast enough to try thousands of inputs a
// second; opening through a document is a separate entry with the document made once.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kiv::fuzz {

using Entry = void (*)(std::string_view bytes);

struct Target {
    const char* name;   // the folder of its crashers under fuzz/crashers
    Entry entry;
    // The folder of its seed corpus under fuzz/corpus: a target that opens a file through its
    // document starts from the seeds of the file's reader.
    const char* corpus = name;
};

// Every reader of a user's file with its entry.
const std::vector<Target>& targets();
// The target named `name`; nullptr when there is none.
const Target* findTarget(std::string_view name);
// Closes the documents that the targets opening files through a document keep between inputs.
void releaseDocuments();

// A small seed corpus for each target, made by the program's own writers: file name and bytes.
struct Seed {
    std::string target, name, bytes;
};
std::vector<Seed> seeds();

} // namespace kiv::fuzz
