#include "FuzzTargets.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <stdexcept>
#include <unistd.h>

#include "estimate/GyouRecord.h"
#include "estimate/HedderRecord.h"
#include "estimate/HyousiFormRecord.h"
#include "estimate/KivDoc.h"
#include "estimate/KivFile.h"
#include "estimate/KivMessage.h"
#include "estimate/LayoutFile.h"
#include "estimate/MstFile.h"
#include "estimate/RoumuFile.h"
#include "estimate/SetteiFile.h"
#include "grid/CsvReader.h"
#include "grid/KivView.h"
#include "master/MstDoc.h"
#include "platform/files/Files.h"
#include "platform/profile/Profile.h"
#include "platform/text/Cp932.h"
#include "pricing/BukakeFile.h"
#include "pricing/BukakeRecord.h"
#include "print/AdressBook.h"
#include "print/AdressPrintRecord.h"
#include "totals/TotalDoc.h"
#include "totals/TotalFile.h"

namespace kiv::fuzz {
namespace fs = std::filesystem;
namespace {

// The readers take paths, as the program gives them: each input is written to one file in a
// folder of the process's own, removed when the process ends.
class Scratch {
public:
    // In memory where the system offers it (/dev/shm): the readers that take a path get their
    // bytes without a disk, and the settings file's synced writes cost nothing there.
    Scratch() {
        std::error_code ec;
        const fs::path base = ::access("/dev/shm", W_OK) == 0 && fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm")
                                                                                                 : fs::temp_directory_path();
        std::string tmpl = (base / "kivfuzz-XXXXXX").string();
        if (!::mkdtemp(tmpl.data()))
            throw std::runtime_error("mkdtemp failed");
        m_Dir = tmpl;
    }
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(m_Dir, ec);
    }
    // A new file each time, plainly written: the scratch file needs none of the safe write's
    // syncing and renaming, and a file cut to nothing and written again is pushed to the disk
    // when it is closed (ext4), either of which costs far more than the reader it feeds.
    fs::path put(const std::string& name, std::string_view bytes) const {
        fs::path p = m_Dir / name;
        std::error_code ec;
        fs::remove(p, ec);
        std::ofstream out(p, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out)
            throw std::runtime_error("cannot write " + p.string());
        return p;
    }
    const fs::path& dir() const { return m_Dir; }

private:
    fs::path m_Dir;
};

Scratch& scratch() {
    static Scratch s;
    return s;
}

// The settings of the estimate code that opening one touches, set for one input and given back
// afterwards, so the entry leaves nothing behind in a test process.
class EstimateScope {
public:
    EstimateScope() : m_Mode(CKivDoc::RunMode()), m_Dir(CKivDoc::ProgramDirectory()),
                      m_Backup(std::move(CKivDoc::s_BackupWriter)) {
        CKivDoc::SetRunMode("1");
        // Reference files are looked up in the scratch folder, where there are none: each one
        // missing is a message, recorded and forgotten.
        CKivDoc::SetProgramDirectory(scratch().dir());
        CKivDoc::s_BackupWriter = [](CKivDoc&) {};
    }
    ~EstimateScope() {
        ClearKivPrompts();
        CKivDoc::SetRunMode(m_Mode);
        CKivDoc::SetProgramDirectory(m_Dir);
        CKivDoc::s_BackupWriter = std::move(m_Backup);
    }

private:
    std::string m_Mode;
    fs::path m_Dir;
    std::function<void(CKivDoc&)> m_Backup;
};

// The documents the open targets make once and keep, as the program keeps its open documents:
// making one per input would cost more than the input. Never destroyed at exit (the lists of
// open documents they leave may be gone by then), only by releaseDocuments().
struct Documents {
    std::unique_ptr<CKivDoc> kiv;
    std::unique_ptr<MstDoc> mst;
    std::unique_ptr<CTotalDoc> total;
};
Documents& documents() {
    static Documents* d = new Documents();
    return *d;
}
template <class D>
D& made(std::unique_ptr<D>& doc) {
    if (!doc)
        doc = std::make_unique<D>();
    return *doc;
}

// A fault the reader or writer lets through: the input is reported as a crash.
void check(bool ok) {
    if (!ok)
        std::abort();
}

// The estimate file's reader and writer alone, as fast as the bytes allow: every row conversion
// of opening, and the written file read back to the same content.
void fuzzEstimate(std::string_view bytes) {
    KivFileContent content;
    try {
        content = ReadKivFile(bytes);
    } catch (const KivFileError&) {
        return;
    }
    const std::string written = WriteKivFile(content.hyousi, content.rows);
    const KivFileContent again = ReadKivFile(written);
    check(again.rows == content.rows && again.hyousi == content.hyousi && again.unreadBytes == 0);
    for (const std::string& row : content.rows) {
        check(ConvertSetubiRow(row).size() == kKivRowLength);
        check(ConvertDenkiRow(row).size() == kKivRowLength);
        std::string padded = row;
        GyouRecord::padLength(padded);
        check(padded.size() >= kKivRowLength);
    }
}

// Opening an estimate through its document, made once: the questions about old layouts are
// answered OK so the conversions run too, and what opened is written out again.
void fuzzEstimateOpen(std::string_view bytes) {
    const fs::path file = scratch().put("job.KIV", bytes);
    EstimateScope scope;
    CKivDoc& doc = made(documents().kiv);
    for (int i = 0; i < 4; ++i)
        QueueKivAnswer(true);
    if (doc.OnOpenDocument(file.string()))
        (void)doc.SerializeKivFile();
}

// The master file's reader and writer alone: the line conversions of opening, and the written
// file read back to the same lines.
void fuzzMaster(std::string_view bytes) {
    MstFileContent content;
    try {
        content = ReadMstFile(bytes);
    } catch (const MstFileError&) {
        return;
    }
    const MstFileContent again = ReadMstFile(WriteMstFile(content.rows));
    check(again.rows == content.rows && again.unreadBytes == 0 && !again.truncated);
    for (const std::string& line : content.rows) {
        std::string normal = line;
        NormalizeMstRow(normal);
        check(normal.size() == line.size());
        check(ConvertSetubiRow(line).size() == kMstRowLength);
        check(ConvertDenkiRow(line).size() == kMstRowLength);
    }
}

void fuzzMasterOpen(std::string_view bytes) {
    const fs::path file = scratch().put("m.MST", bytes);
    EstimateScope scope;
    MstDoc& doc = made(documents().mst);
    for (int i = 0; i < 4; ++i)
        QueueKivAnswer(true);
    if (doc.OnOpenDocument(file.string()))
        (void)doc.SerializeMstFile();
}

// The totals file: read, written back (an unchanged file saves identical), and opened by its
// document, made once, which builds its index and titles from the rows.
void fuzzTotals(std::string_view bytes) {
    std::vector<std::string> rows;
    try {
        rows = ReadTotalFile(bytes);
    } catch (const TotalFileError&) {
        return;
    }
    const std::string written = WriteTotalFile(rows, static_cast<int>(rows.size()));
    check(ReadTotalFile(written) == rows);
    const fs::path file = scratch().put("t.TTL", bytes);
    EstimateScope scope;
    CTotalDoc& doc = made(documents().total);
    // Rows of the page shown are padded to a whole row when saved: what is saved reads again.
    if (doc.OnOpenDocument(file.string()))
        (void)ReadTotalFile(doc.SerializeTotalFile());
}

// The address book as its dialog reads it: 203-byte list lines, each split into its fields and
// formatted again, the lines joined and renumbered as the dialog saves them.
void fuzzAdress(std::string_view bytes) {
    const std::vector<std::string> lines = adress::splitAdressFile(bytes);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        check(lines[i].size() == adress::kRecordSize);
        const adress::AdressEntry e = adress::parseAdressRecord(lines[i]);
        check(adress::formatAdressRecord(e).size() == adress::kRecordSize);
        check(adress::renumberAdressLine(lines[i], static_cast<int>(i) + 1).size() == adress::kRecordSize);
    }
    check(adress::joinAdressLines(lines).size() == lines.size() * adress::kRecordSize);
}

// The envelope layout as the envelope printer and the layout editor read it: the first 386 bytes
// over a blank record, every text and number, and the editor's fields formatted again.
void fuzzEnvelope(std::string_view bytes) {
    std::string record = adressprint::blankRecord();
    const std::string_view read = bytes.substr(0, adressprint::kRecordSize);
    record.replace(0, read.size(), read);
    for (std::size_t f = 0; f < adressprint::kFieldCount; ++f) {
        (void)adressprint::rawText(record, f);
        (void)adressprint::number(record, f);
    }
    const adressprint::Fields fields = adressprint::loadFields(record.substr(0, record.find('\0')));
    check(adressprint::formatRecord(fields).size() == adressprint::kRecordSize);
}

void fuzzSettei(std::string_view bytes) {
    auto load = readSetteiFile(scratch().put("電気設定.ett", bytes));
    (void)ParseSettei(load.record);
}

void fuzzRoumu(std::string_view bytes) {
    auto load = readRoumuFile(scratch().put("労務単価.rab", bytes));
    for (const RoumuRecord& line : load.list.lines()) {
        (void)line.fields();
        (void)line.tanka1();
        (void)line.tanka2();
    }
    (void)roumuFileBytes(load.list);
}

void fuzzBukake(std::string_view bytes) {
    auto load = readBukakeFile(scratch().put("分電盤.dat", bytes));
    for (const std::string& line : load.lines)
        (void)BukakeRecord::fields(line);
    (void)bukakeFileBytes(load.lines);
}

void fuzzLayouts(std::string_view bytes) {
    (void)ParseHedder(readHedderFile(scratch().put("ヘッダー.hdr", bytes)).record);
    (void)ParseHyousi(readHyousiFormFile(scratch().put("表紙.frm", bytes)).record);
}

void fuzzProfile(std::string_view bytes) {
    profile::Profile p(scratch().put("kiv.ini", bytes));
    (void)p.getString("Select_Section", "Select");
    (void)p.getInt("Font_Size_Section", "Font_Size", 14);
    (void)p.has("Recent File List", "File1");
    (void)p.writeString("General", "WindowX", "10");
}

// A CSV file as the import reads it, every line made a row with the import's default columns.
void fuzzCsv(std::string_view bytes) {
    const csv::Result r = csv::readFile(scratch().put("in.csv", bytes), 300000, 1000);
    CKivView::CsvSettings settings;
    settings.Columns = {"01", "02", "03", "04", "05", "06"};
    settings.BunNo = "0015";
    for (const csv::Line& line : r.lines) {
        std::string row, message;
        if (CKivView::CsvLineToGyou(line, settings, row, message) && row.size() != GyouRecord::Length)
            std::abort();
    }
}

} // namespace

const std::vector<Target>& targets() {
    static const std::vector<Target> all = {
        {"estimate", fuzzEstimate}, {"estimate_open", fuzzEstimateOpen, "estimate"},
        {"settei", fuzzSettei},     {"roumu", fuzzRoumu},
        {"layouts", fuzzLayouts},   {"profile", fuzzProfile},
        {"bukake", fuzzBukake},     {"master", fuzzMaster},
        {"master_open", fuzzMasterOpen, "master"},
        {"csv", fuzzCsv},           {"totals", fuzzTotals},
        {"adress", fuzzAdress},     {"envelope", fuzzEnvelope},
    };
    return all;
}

void releaseDocuments() { documents() = Documents{}; }

const Target* findTarget(std::string_view name) {
    for (const Target& t : targets())
        if (name == t.name)
            return &t;
    return nullptr;
}

std::vector<Seed> seeds() {
    std::vector<Seed> out;
    // Estimates: the current layout with numbers and Japanese text, a free row, the previous
    // system's 1252-byte rows, the old electrical layout, and an empty estimate.
    std::array<std::string, kKivHyousiCount> covers;
    for (int i = 0; i < kKivHyousiCount; ++i)
        covers[static_cast<std::size_t>(i)] = "cover" + std::to_string(i + 1);
    auto row = [](int item, int gyou, std::size_t length) {
        std::string r = GyouRecord::blankRow();
        GyouRecord::writeKey(r, item, gyou);
        GyouRecord::putText(r, GyouRecord::Hinmei, text::sj("配管"));
        GyouRecord::putNumber(r, GyouRecord::Hokyuu, "1.0");
        GyouRecord::putNumber(r, GyouRecord::Tanka1, "1234.5");
        r.resize(length, ' ');
        return r;
    };
    out.push_back({"estimate", "current.KIV", WriteKivFile(covers, {row(1, 1, 1400), row(1, 2, 1400), row(2, 1, 1400)})});
    out.push_back({"estimate", "free-row.KIV", WriteKivFile(covers, {row(0, 0, 1400), row(1, 1, 1400)})});
    out.push_back({"estimate", "setubi.KIV", WriteKivFile(covers, {row(1, 1, 1252), row(1, 2, 1252)})});
    out.push_back({"estimate", "denki.KIV", WriteKivFile(covers, {row(1, 1, 300)})});
    out.push_back({"estimate", "empty.KIV", WriteKivFile({}, std::vector<std::string>{})});
    // Masters: the current layout with a free line, the previous system's lines, an old
    // electrical line, a line in the wide form, and an empty master.
    out.push_back({"master", "current.MST", WriteMstFile({row(1, 1, 1400), row(0, 0, 1400), row(2, 1, 1400)})});
    out.push_back({"master", "setubi.MST", WriteMstFile({row(1, 1, 1252)})});
    out.push_back({"master", "denki.MST", WriteMstFile({row(1, 1, 300)})});
    out.push_back({"master", "wide.MST", std::string("\x01\0\0\0\xFF\xFE\xFF\x05" "0\0" "0\0" "0\0" "1\0" "\x4B\x91", 18)});
    out.push_back({"master", "empty.MST", WriteMstFile(std::vector<std::string>{})});

    SetteiRecord settei;
    settei.setCode(EnzanCode::Daikoumoku, "9001");
    settei.setKetaMarume("1");
    settei.setSekisanYousiki(true);
    settei.setFukugouMarume(2);
    settei.setTekkyoRitu("0.5");
    out.push_back({"settei", "settei.ett", std::string(settei.bytes())});
    out.push_back({"settei", "blank.ett", std::string(SetteiRecord().bytes())});

    std::vector<RoumuRecord> lines;
    for (auto [no, name, t1, t2] : {std::array<std::string, 4>{"1", text::sj("電工"), "23000", "21000"},
                                    std::array<std::string, 4>{"2", text::sj("普通作業員"), "18000", "0"}})
        if (auto r = RoumuRecord::build(no, name, t1, t2))
            lines.push_back(*r);
    out.push_back({"roumu", "roumu.rab", roumuFileBytes(RoumuList(lines))});

    {
        std::string shortLine = BukakeRecord::format("2", text::sj("制御盤"), "", "0.25");
        shortLine.pop_back();
        out.push_back({"bukake", "bukake.dat",
                       bukakeFileBytes({BukakeRecord::format("1", text::sj("分電盤"), text::sj("屋内"), "2.5"), shortLine})});
    }

    // A spreadsheet's CSV: quoted numbers with separators, a quote inside a quoted text, CR LF.
    out.push_back({"csv", "sample.csv",
                   text::sj("電線,IV 1.6,\"1,200\",m,\"1,500\",盤内\r\n\"ｹｰﾌﾞﾙ,3C\",2.0sq,10,m,500\r\na,b,3,m,5,\"x\"\"y\"\r\n")});
    // Totals: the summary page and a category page, a one-blank and a whole-row free slot.
    {
        std::vector<std::string> rows = {row(1, 1, 1400), " ", row(2, 1, 1400), std::string(1400, ' '), row(2, 2, 1200)};
        out.push_back({"totals", "totals.TTL", WriteTotalFile(rows, static_cast<int>(rows.size()))});
    }
    out.push_back({"adress", "adress.dat",
                   adress::joinAdressLines({adress::formatAdressRecord({"1", text::sj("山田電設株式会社"), text::sj("東京都千代田区1-2-3"), "",
                                                                        "", "100-0001", "03-1234-5678", "03-1234-5679"}),
                                            adress::formatAdressRecord({"2", "ABC", "", text::sj("工事部"), "", "", "", ""})})});
    {
        adressprint::Fields f;
        f[adressprint::Company] = text::sj("山田電設株式会社");
        f[adressprint::Honorific] = text::sj("様");
        for (std::size_t g = 0; g < adressprint::kGroupCount; ++g) {
            f[adressprint::groupField(static_cast<int>(g), adressprint::X)] = std::to_string(10 + g);
            f[adressprint::groupField(static_cast<int>(g), adressprint::Y)] = std::to_string(20 * g);
            f[adressprint::groupField(static_cast<int>(g), adressprint::Size)] = "12";
            f[adressprint::groupField(static_cast<int>(g), adressprint::Vertical)] = g % 2 ? "1" : "0";
        }
        out.push_back({"envelope", "envelope.dat", adressprint::formatRecord(f)});
    }
    out.push_back({"layouts", "blank-hedder.hdr", std::string(HedderRecord().bytes())});
    out.push_back({"layouts", "blank-hyousi.frm", std::string(HyousiFormRecord().bytes())});

    {
        Scratch dir;
        profile::Profile p(dir.dir() / "kiv.ini");
        p.writeString("Select_Section", "Select", "1");
        p.writeInt("Font_Size_Section", "Font_Size", 14);
        p.writeString("Recent File List", "File1", "/data/見積.KIV");
        if (auto text = files::readFile(p.file()))
            out.push_back({"profile", "kiv.ini", *text});
    }
    return out;
}

} // namespace kiv::fuzz
