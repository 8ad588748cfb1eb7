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

// Cells that carry nothing but one edge of a neighbour: no value, no format of their own, and
// a border with only its top or only its left line. A workbook whose frames are stored on the
// framed cells has none; one printed "sheet=count" line per sheet.
constexpr const char* kStrayEdgeCellsReader = R"PY(
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
for ws in wb.worksheets:
    n = 0
    for row in ws.iter_rows():
        for c in row:
            if c.value is not None or not c.has_style:
                continue
            b = c.border
            sides = [s for s in ("top", "bottom", "left", "right") if getattr(b, s).style]
            if sides in (["top"], ["left"]) and c.number_format == "General" and not c.alignment.horizontal:
                n += 1
    print(f"{ws.title}={n}")
)PY";

// The stray cells of every sheet of the workbook (sheet name to count).
inline std::map<std::string, std::string> strayEdgeCells(const std::filesystem::path& scriptDir,
                                                         const std::filesystem::path& xlsx) {
    return readWorkbookWithOpenpyxl(scriptDir, kStrayEdgeCellsReader, xlsx);
}

} // namespace kivtest
