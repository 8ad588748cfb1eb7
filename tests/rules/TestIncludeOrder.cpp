#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "rules/IncludeOrder.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using namespace kiv::test;

TEST(IncludeOrder, SourceFoldersIncludeOnlyDownward) { ExpectIncludesGoDownward(fs::path(KIV_SOURCE_DIR) / "src"); }

TEST(IncludeOrder, OnlyTheDocumentViewPairGoesBothWays) {
    struct Case {
        const char* from;
        const char* to;
        bool allowed;
    };
    const Case cases[] = {
        {"grid", "estimate", true},  {"estimate", "grid", true},  // the document and its view
        {"pricing", "estimate", true}, {"estimate", "pricing", false},
        {"grid", "pricing", true},   {"pricing", "grid", false},
        {"recalc", "master", false}, {"master", "print", false},
        {"export", "totals", false}, {"totals", "export", true},
        {"shell", "totals", true},   {"estimate", "resources", true},
        {"platform", "estimate", false}, {"print", "print", true},
        {"grid", "newfolder", false}, {"newfolder", "platform", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IncludeAllowed(c.from, c.to), c.allowed) << c.from << " -> " << c.to;
}

// A small tree written here: each kind of include the check meets, once.
TEST(IncludeOrder, TheCheckNamesEachUpwardIncludeOfATree) {
    const TempDir dir;
    const fs::path root = dir.path() / "src";
    auto write = [&](const std::string& rel, const std::string& text) {
        fs::create_directories((root / rel).parent_path());
        std::ofstream(root / rel) << text;
    };
    write("estimate/Doc.h", "#pragma once\n#include \"grid/View.h\"\n#include <vector>\n");
    write("grid/View.h", "#pragma once\n#include \"estimate/Doc.h\"\n");
    write("grid/View.cpp", "#include \"grid/View.h\"\n\n  #  include \"print/Print.h\"\n");
    write("print/Print.h", "#pragma once\n#include \"Local.h\"\n#include \"../grid/View.h\"\n");
    write("print/Local.h", "#pragma once\n// #include \"shell/App.h\"\n#include \"missing/Gone.h\"\n");
    write("shell/App.h", "#pragma once\n#include \"print/Print.h\"\n");
    write("estimate/Seams.cpp", "#include <shell/App.h>\n");
    write("main.cpp", "#include \"shell/App.h\"\n");

    const std::vector<UpwardInclude> found = FindUpwardIncludes(root);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].file, "estimate/Seams.cpp");
    EXPECT_EQ(found[0].line, 1);
    EXPECT_EQ(found[0].to, "shell");
    EXPECT_EQ(found[1].file, "grid/View.cpp");
    EXPECT_EQ(found[1].line, 3);
    EXPECT_EQ(found[1].included, "print/Print.h");
    EXPECT_EQ(found[1].from, "grid");
    EXPECT_EQ(found[1].to, "print");
    EXPECT_TRUE(UnorderedFolders(root).empty());
    fs::create_directory(root / "extra");
    EXPECT_EQ(UnorderedFolders(root), std::vector<std::string>{"extra"});
}
