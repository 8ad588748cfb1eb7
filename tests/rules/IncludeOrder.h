#pragma once
// The include rule of src/: the folders stand in one order from the bottom up, and a file includes
// only from its own folder and the folders below it. The estimate document and its grid view are
// the one pair that know each other. What two folders both need lives in the lower one or behind
// a hook header of the lower one (estimate/RecalcSeams.h, grid/KivViewLinks.h, grid/KivViewPrint.h,
// export/ExportPath.h's totals test), which the higher folder fills.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kiv::test {

// From the bottom up. The platform layer knows nothing of estimates; the resource tables (dialog
// templates, menus, command prompts) are plain data every subsystem may show; the estimate
// document with its row store, archive and reference files; the row pricing engine and its
// dialogs; the grid views; the recalculation; the master editor; printing; the exports; the
// totals, which convert, print and export through the folders below; the application shell.
inline constexpr std::array<std::string_view, 11> kFolderOrder = {
    "platform", "resources", "estimate", "pricing", "grid", "recalc",
    "master", "print", "export", "totals", "shell",
};

// The one pair allowed to include each other both ways.
inline constexpr std::pair<std::string_view, std::string_view> kDocumentViewPair = {"estimate", "grid"};

struct UpwardInclude {
    std::string file;       // relative to the source root
    int line = 0;
    std::string included;   // as written
    std::string from, to;   // the two folders
};

// The folder's place in the order, or -1 for a folder the order does not name.
inline int FolderRank(std::string_view folder) {
    const auto it = std::find(kFolderOrder.begin(), kFolderOrder.end(), folder);
    return it == kFolderOrder.end() ? -1 : static_cast<int>(it - kFolderOrder.begin());
}

inline bool IncludeAllowed(std::string_view from, std::string_view to) {
    if (from == to)
        return true;
    if ((from == kDocumentViewPair.first && to == kDocumentViewPair.second) ||
        (from == kDocumentViewPair.second && to == kDocumentViewPair.first))
        return true;
    const int f = FolderRank(from);
    const int t = FolderRank(to);
    return f >= 0 && t >= 0 && t < f;
}

// The top folder of a file under `root`; empty for a file directly in it (main.cpp).
inline std::string TopFolder(const std::filesystem::path& root, const std::filesystem::path& file) {
    const std::filesystem::path rel = file.lexically_relative(root);
    auto it = rel.begin();
    if (it == rel.end() || std::next(it) == rel.end())
        return {};
    return it->string();
}

// The top folders of `root` that the order does not name.
inline std::vector<std::string> UnorderedFolders(const std::filesystem::path& root) {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(root))
        if (e.is_directory() && FolderRank(e.path().filename().string()) < 0)
            out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

// Every include of a source or header file under `root` that goes against the order. An include
// names a file of the tree from the root (the project's way) or from the including file's folder;
// any other include (the standard library, Qt, GoogleTest) is outside the rule.
inline std::vector<UpwardInclude> FindUpwardIncludes(const std::filesystem::path& root) {
    namespace fs = std::filesystem;
    static const std::regex kInclude(R"(^\s*#\s*include\s*[<"]([^>"]+)[>"])");
    std::vector<UpwardInclude> out;
    const fs::path canonicalRoot = fs::weakly_canonical(root);
    std::vector<fs::path> files;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        const std::string ext = e.path().extension().string();
        if (e.is_regular_file() && (ext == ".h" || ext == ".hpp" || ext == ".cpp"))
            files.push_back(e.path());
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        const std::string from = TopFolder(root, file);
        if (from.empty())
            continue;
        std::ifstream in(file);
        std::string text;
        int lineNo = 0;
        while (std::getline(in, text)) {
            ++lineNo;
            std::smatch m;
            if (!std::regex_search(text, m, kInclude))
                continue;
            const std::string inc = m[1].str();
            std::error_code ec;
            fs::path target = root / inc;
            if (!fs::is_regular_file(target, ec))
                target = file.parent_path() / inc;
            if (!fs::is_regular_file(target, ec))
                continue;
            const std::string to = TopFolder(canonicalRoot, fs::weakly_canonical(target, ec));
            if (to.empty() || to == ".." || IncludeAllowed(from, to))
                continue;
            out.push_back({file.lexically_relative(root).generic_string(), lineNo, inc, from, to});
        }
    }
    return out;
}

// The rule as a test: one failure per upward include, each naming the file, the line and the
// two folders, and one for a folder the order does not name.
inline void ExpectIncludesGoDownward(const std::filesystem::path& root) {
    for (const std::string& folder : UnorderedFolders(root))
        ADD_FAILURE() << "src/" << folder << " has no place in the folder order of tests/rules/IncludeOrder.h";
    for (const UpwardInclude& u : FindUpwardIncludes(root))
        ADD_FAILURE() << u.file << ":" << u.line << " includes upward: \"" << u.included << "\" (" << u.from
                      << " is below " << u.to << ")";
}

} // namespace kiv::test
