// Every reader of a user's file runs through its fuzz entry on the seeds the program's writers
// make, on the seed corpus kept with the sources and on every crasher ever found, so the
// sanitizer build keeps what the fuzzers found fixed.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "FuzzTargets.h"
#include "estimate/KivMessage.h"
#include "platform/files/Files.h"

namespace fs = std::filesystem;
using kiv::fuzz::Target;

namespace {

std::vector<fs::path> filesIn(const fs::path& dir) {
    std::vector<fs::path> out;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dir, ec))
        if (e.is_regular_file())
            out.push_back(e.path());
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace

TEST(FuzzCorpus, EveryTargetHasSeedsFromTheWritersAndInTheCorpus) {
    const fs::path corpus = fs::path(KIV_FUZZ_DIR) / "corpus";
    std::set<std::string> seeded;
    for (const auto& s : kiv::fuzz::seeds()) {
        ASSERT_NE(kiv::fuzz::findTarget(s.target), nullptr) << s.target;
        seeded.insert(s.target);
        // The kept corpus holds what the writers make now (bash scripts/build fuzz, then
        // build/fuzz/kiv_fuzz_seeds, writes it again).
        EXPECT_EQ(kiv::files::readFile(corpus / s.target / s.name), s.bytes) << s.target << "/" << s.name;
    }
    for (const Target& t : kiv::fuzz::targets())
        EXPECT_TRUE(seeded.count(t.corpus)) << t.name;
}

TEST(FuzzCorpus, CorpusAndCrashersReplayThroughTheReaders) {
    int replayed = 0;
    for (const Target& t : kiv::fuzz::targets()) {
        SCOPED_TRACE(t.name);
        for (const auto& s : kiv::fuzz::seeds())
            if (s.target == t.corpus) {
                t.entry(s.bytes);
                ++replayed;
            }
        for (const fs::path& folder : {fs::path("corpus") / t.corpus, fs::path("crashers") / t.name})
            for (const fs::path& f : filesIn(fs::path(KIV_FUZZ_DIR) / folder)) {
                SCOPED_TRACE(f.string());
                auto bytes = kiv::files::readFile(f);
                ASSERT_TRUE(bytes);
                t.entry(*bytes);
                // Every mutation of a seed that matters (cut, count changed, bytes appended)
                // goes through too.
                for (std::size_t cut : {std::size_t{0}, bytes->size() / 2, bytes->size() > 0 ? bytes->size() - 1 : 0})
                    t.entry(std::string_view(*bytes).substr(0, cut));
                t.entry(*bytes + std::string(16, '\xFF'));
                ++replayed;
            }
    }
    EXPECT_GT(replayed, 0);
    kiv::fuzz::releaseDocuments();
    ClearKivPrompts();
}

// Each target has its own program (libFuzzer's, or the replay the tests run): the build's list
// and the targets are the same names.
TEST(FuzzCorpus, EveryTargetHasItsProgram) {
    std::set<std::string> programs, names;
    std::string list = KIV_FUZZ_PROGRAMS;
    for (std::size_t at = 0; at <= list.size();) {
        const std::size_t comma = std::min(list.find(',', at), list.size());
        programs.insert(list.substr(at, comma - at));
        at = comma + 1;
    }
    for (const Target& t : kiv::fuzz::targets())
        names.insert(t.name);
    EXPECT_EQ(programs, names);
}
