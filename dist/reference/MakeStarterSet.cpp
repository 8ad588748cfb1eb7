// Writes the starter set of reference files from its readable source (StarterSet.txt) with the
// program's own record writers, so that every file is exactly what the program itself would
// write: the settings of both modes, the labour list, the header and cover layouts and the two
// starter masters. The build runs it into a folder of the build tree; from there the files are
// copied beside the program, never over a file that stands there.
//   kiv_starter_set <StarterSet.txt> <output folder>
#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "estimate/GyouRecord.h"
#include "estimate/HedderRecord.h"
#include "estimate/HyousiFormRecord.h"
#include "estimate/MasterPath.h"
#include "estimate/MstFile.h"
#include "estimate/ReferenceFile.h"
#include "estimate/RoumuFile.h"
#include "estimate/SetteiRecord.h"
#include "platform/files/Files.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"

namespace fs = std::filesystem;

namespace {

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

using kiv::text::trimLine;

std::vector<std::string> cellsOf(std::string_view line) {
    std::vector<std::string> cells;
    for (;;) {
        const std::size_t bar = line.find('|');
        cells.emplace_back(trimLine(line.substr(0, bar)));
        if (bar == std::string_view::npos)
            return cells;
        line.remove_prefix(bar + 1);
    }
}

std::string cp932(const std::string& utf8) {
    std::optional<std::string> s = kiv::text::utf8ToCp932(utf8);
    if (!s)
        throw Failure("not writable in CP932: " + utf8);
    return *s;
}

// The kind whose code box has this caption; the spare box has none and is named 予備 here.
EnzanCode kindOf(const std::string& caption) {
    for (int k = 0; k < kEnzanCodeCount; ++k) {
        const EnzanCode kind = static_cast<EnzanCode>(k);
        const std::string own = enzanCodeInfo(kind).caption;
        if (own == caption || (own.empty() && caption == "予備"))
            return kind;
    }
    throw Failure("no operation-category code is called " + caption);
}

struct StarterSet {
    SetteiRecord settei;
    std::array<bool, kEnzanCodeCount> codeSeen{};
    RoumuList roumu;
    std::vector<std::string> hedderFields;
    std::vector<std::string> hyousiFields;
    std::vector<std::string> masterRows;
    int masterBun = 0;
    int masterGyou = 0;
};

void expectCells(const std::vector<std::string>& cells, std::size_t count) {
    if (cells.size() != count)
        throw Failure("expected " + std::to_string(count) + " cells");
}

// A new master row as the master editor makes one: the key, blanks and the supply factor 1.0.
std::string masterRow(int bun, int gyou) {
    std::string row = GyouRecord::blankRow();
    GyouRecord::writeKey(row, bun, gyou);
    GyouRecord::putNumber(row, GyouRecord::Hokyuu, GyouRecord::DefaultHokyuu);
    return row;
}

void put(std::string& row, int field, const std::string& utf8) {
    if (utf8.empty())
        return;
    const bool ok = GyouRecord::layout(field).IsText ? GyouRecord::putText(row, field, cp932(utf8))
                                                     : GyouRecord::putNumber(row, field, cp932(utf8));
    if (!ok)
        throw Failure("does not fit its field: " + utf8);
}

void readLine(StarterSet& set, const std::vector<std::string>& cells) {
    const std::string& kind = cells[0];
    if (kind == "code") {
        expectCells(cells, 3);
        const EnzanCode k = kindOf(cells[1]);
        if (set.codeSeen[static_cast<std::size_t>(k)] || !set.settei.setCode(k, cells[2]))
            throw Failure("code given twice or too long");
        set.codeSeen[static_cast<std::size_t>(k)] = true;
    } else if (kind == "setting") {
        expectCells(cells, 3);
        if (cells[1] == "桁の丸め")
            set.settei.setKetaMarume(cells[2]);
        else if (cells[1] == "積算様式")
            set.settei.setSekisanYousiki(cells[2] == "1");
        else if (cells[1] == "複合単価丸め" && set.settei.setFukugouMarume(std::stoi(cells[2])))
            ;
        else
            throw Failure("unknown setting " + cells[1]);
    } else if (kind == "roumu") {
        expectCells(cells, 5);
        std::string error;
        auto line = RoumuRecord::build(cp932(cells[1]), cp932(cells[2]), cp932(cells[3]), cp932(cells[4]), &error);
        if (!line)
            throw Failure(error);
        set.roumu.add(*line);
    } else if (kind == "header" || kind == "cover") {
        auto& fields = kind == "header" ? set.hedderFields : set.hyousiFields;
        for (std::size_t i = 2; i < cells.size(); ++i)
            fields.push_back(cp932(cells[i]));
    } else if (kind == "master") {
        expectCells(cells, 4);
        const int bun = ParseSettei(set.settei).code(kindOf(cells[1]));
        if (bun <= set.masterBun)
            throw Failure("master categories must follow their codes upwards: " + cells[1]);
        set.masterBun = bun;
        set.masterGyou = 1;
        std::string title = masterRow(bun, 1);
        put(title, GyouRecord::Hinmei, cells[2]);
        put(title, GyouRecord::Kikaku, cells[3]);
        set.masterRows.push_back(title);
    } else if (kind == "template") {
        expectCells(cells, 6);
        if (set.masterBun == 0)
            throw Failure("a template before its category");
        std::string row = masterRow(set.masterBun, ++set.masterGyou);
        put(row, GyouRecord::Hinmei, cells[1]);
        put(row, GyouRecord::Kikaku, cells[2]);
        put(row, GyouRecord::HiroidasiSuu1, cells[3]);
        put(row, GyouRecord::HiroidasiSuu2, cells[3]);
        put(row, GyouRecord::Tanni, cells[4]);
        put(row, GyouRecord::Kakeritu, cells[5]);
        set.masterRows.push_back(row);
    } else {
        throw Failure("unknown record " + kind);
    }
}

void write(const fs::path& path, std::string_view bytes) {
    std::string error;
    if (!kiv::files::writeFileAtomically(path, bytes, &error))
        throw Failure(error);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <StarterSet.txt> <output folder>\n", argv[0]);
        return 2;
    }
    const fs::path source = argv[1];
    const fs::path out = argv[2];
    StarterSet set;
    int lineNo = 0;
    try {
        std::optional<std::string> text = kiv::files::readFile(source);
        if (!text)
            throw Failure("cannot read " + source.string());
        std::string_view rest = *text;
        while (!rest.empty()) {
            ++lineNo;
            const std::size_t end = rest.find('\n');
            const std::string_view line = trimLine(rest.substr(0, end));
            rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
            if (line.empty() || line.front() == '#')
                continue;
            readLine(set, cellsOf(line));
        }
        lineNo = 0;
        for (int k = 0; k < kEnzanCodeCount; ++k)
            if (!set.codeSeen[static_cast<std::size_t>(k)])
                throw Failure(std::string("no code for ") + enzanCodeInfo(static_cast<EnzanCode>(k)).caption);
        if (set.hedderFields.size() != kHedderFieldCount || set.hyousiFields.size() != kHyousiFormFieldCount)
            throw Failure("the header or cover layout has not all its fields");
        HedderRecord hedder;
        hedder.storeFields(set.hedderFields);
        HyousiFormRecord hyousi;
        hyousi.storeFields(set.hyousiFields);

        fs::create_directories(out);
        auto name = [&](ReferenceFile which) { return out / referenceFileInfo(which).defaultName; };
        write(name(ReferenceFile::Roumu), roumuFileBytes(set.roumu));
        write(name(ReferenceFile::ElectricSettei), set.settei.bytes());
        write(name(ReferenceFile::MechanicalSettei), set.settei.bytes());
        write(name(ReferenceFile::Hedder), hedder.bytes());
        write(name(ReferenceFile::HyousiForm), hyousi.bytes());
        const std::string master = WriteMstFile(set.masterRows);
        write(out / DefaultMasterName("1"), master);
        write(out / DefaultMasterName("2"), master);
    } catch (const std::exception& e) {
        if (lineNo > 0)
            std::fprintf(stderr, "%s:%d: %s\n", source.c_str(), lineNo, e.what());
        else
            std::fprintf(stderr, "%s: %s\n", source.c_str(), e.what());
        return 1;
    }
    return 0;
}
