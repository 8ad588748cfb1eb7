#pragma once
// Reads a saved workbook with an independent reader (python3-openpyxl): `script` is a Python
// program that prints "key=value" lines for the workbook named by its first argument; the lines
// come back as a map. The Debian interpreter is used, which the python3-openpyxl package
// installs into.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <string_view>

namespace kivtest {

inline std::map<std::string, std::string> readWorkbookWithOpenpyxl(const std::filesystem::path& scriptDir,
                                                                   std::string_view script,
                                                                   const std::filesystem::path& xlsx,
                                                                   const std::string& extraArgs = {}) {
    const auto path = scriptDir / "read.py";
    std::ofstream(path) << script;
    std::map<std::string, std::string> kv;
    const std::string cmd = "/usr/bin/python3 '" + path.string() + "' '" + xlsx.string() + "' " + extraArgs + " 2>&1";
    FILE* p = ::popen(cmd.c_str(), "r");
    EXPECT_TRUE(p);
    if (!p)
        return kv;
    std::string all;
    char buf[4096];
    while (std::fgets(buf, sizeof buf, p))
        all += buf;
    EXPECT_EQ(::pclose(p), 0) << all;
    std::size_t pos = 0;
    while (pos < all.size()) {
        std::size_t nl = all.find('\n', pos);
        if (nl == std::string::npos)
            nl = all.size();
        const std::string line = all.substr(pos, nl - pos);
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos)
            kv[line.substr(0, eq)] = line.substr(eq + 1);
        pos = nl + 1;
    }
    return kv;
}

} // namespace kivtest
