#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

// The command ids have one table, resources/CommandIds.h: outside resources/ (whose menu, toolbar
// and prompt tables spell the numbers as the menus they mirror) and the window layer, no file
// defines an id of its own or hands a command a bare number.
TEST(CommandIds, NamedOnlyInTheOneTable) {
    namespace fs = std::filesystem;
    const fs::path src = fs::path(KIV_SOURCE_DIR) / "src";
    const std::regex own(R"(constexpr\s+int\s+ID_[A-Z0-9_]+\s*=)");
    const std::regex bare(R"(\b(onCommandId|sendCommand|onCommand|RunFormDialog)\(\s*[0-9])");
    int files = 0;
    for (const auto& e : fs::recursive_directory_iterator(src)) {
        const fs::path rel = e.path().lexically_relative(src);
        const std::string top = rel.begin()->string();
        const std::string ext = e.path().extension().string();
        if (!e.is_regular_file() || (ext != ".h" && ext != ".cpp") || top == "resources" || top == "platform")
            continue;
        ++files;
        std::ifstream in(e.path());
        std::string line;
        for (int n = 1; std::getline(in, line); ++n) {
            EXPECT_FALSE(std::regex_search(line, own)) << rel.generic_string() << ":" << n << " defines an id: " << line;
            EXPECT_FALSE(std::regex_search(line, bare)) << rel.generic_string() << ":" << n << " names no id: " << line;
        }
    }
    EXPECT_GT(files, 100);
}
