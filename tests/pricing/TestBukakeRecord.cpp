// The productivity-rate table records and files, apart from any dialog: the exact bytes of a
// record, reading and rewriting a table, and the corrected rate of each kind.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files/Files.h"
#include "platform/profile/Profile.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"
#include "pricing/BukakeFile.h"
#include "pricing/BukakeRate.h"
#include "pricing/BukakeRecord.h"
#include "support/TempDir.h"

using kiv::text::Decimal;
using kiv::text::parseDecimal;
using kiv::text::sj;
namespace fs = std::filesystem;

namespace {

std::string blanks(std::size_t n) { return std::string(n, ' '); }

TEST(BukakeRecord, FormatsTheFourColumnsToSeventyThreeBytes) {
    const std::string line = BukakeRecord::format("1", sj("分電盤"), "", "2.5");
    EXPECT_EQ(line, "   1" + blanks(1) + sj("分電盤") + blanks(24) + blanks(1) + blanks(30) + blanks(1) + "   2.5");
    EXPECT_EQ(line.size(), 73u);
    EXPECT_EQ(BukakeRecord::format("12", "A", "B", "0.25").substr(67), "  0.25");
    EXPECT_EQ(BukakeRecord::format("1234", "", "", "123456").substr(0, 4), "1234");
    EXPECT_EQ(BukakeRecord::format("", "", "", "123456").substr(67), "123456");
}

TEST(BukakeRecord, LineBreaksTypedIntoTheEditsNeverReachTheRecord) {
    const std::string line = BukakeRecord::format("1\r\n", sj("分電\r\n盤"), "X\n", "2.5");
    EXPECT_EQ(line, BukakeRecord::format("1", sj("分電盤"), "X", "2.5"));
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
}

TEST(BukakeRecord, AValueWiderThanItsColumnIsCutOnACharacterBoundary) {
    // 16 full-width characters are 32 bytes: the 30-byte column keeps 15, the next column stays.
    std::string wide;
    for (int i = 0; i < 16; ++i)
        wide += sj("盤");
    const std::string line = BukakeRecord::format("1", wide, "K", "1");
    ASSERT_EQ(line.size(), 73u);
    EXPECT_EQ(line.substr(5, 30), wide.substr(0, 30));
    EXPECT_EQ(line.substr(35, 2), " K");
}

TEST(BukakeRecord, ALineIsTheTextBeforeANulAndTheRecordEndsInOne) {
    std::string rec = BukakeRecord::format("1", "A", "B", "2.5");
    rec[72] = '\0';
    const std::string line = BukakeRecord::lineOf(rec);
    EXPECT_EQ(line.size(), 72u);
    EXPECT_EQ(BukakeRecord::fields(line).Bukake, "   2.");
    EXPECT_EQ(BukakeRecord::record(line), rec);   // a short line comes back followed by a NUL
    const std::string full = BukakeRecord::format("1", "A", "B", "2.5");
    EXPECT_EQ(BukakeRecord::record(full), full);
}

TEST(BukakeRecord, FieldsAreTakenBackAsTheEditsShowThem) {
    const BukakeFields f = BukakeRecord::fields(BukakeRecord::format("12", sj("分電盤"), sj("露出形"), "0.25"));
    EXPECT_EQ(f.No, "12");
    EXPECT_EQ(f.Name, sj("分電盤"));
    EXPECT_EQ(f.Kikaku, sj("露出形"));
    EXPECT_EQ(f.Bukake, "  0.25");   // leading blanks kept
    EXPECT_EQ(BukakeRecord::fields("   7 ABC").Name, "ABC");
    EXPECT_EQ(BukakeRecord::fields("   7 ABC").Bukake, "");
}

class BukakeFileTest : public ::testing::Test {
protected:
    kiv::test::ScopedProfileHome home;
    kiv::test::TempDir dir;
};

TEST_F(BukakeFileTest, EachKindHasItsProfileEntryAndDefaultFile) {
    const struct {
        int kind;
        const char *section, *entry, *name;
    } cases[] = {{1, "BanRoumu_Section", "BanRoumu_Data", "分電盤.dat"},
                 {2, "SeigyoRoumu_Section", "SeigyoRoumu_Data", "制御盤.dat"},
                 {3, "HaisenRoumu_Section", "HaisenRoumu_Data", "配線器具.dat"},
                 {4, "SyoumeiRoumu_Section", "SyoumeiRoumu_Data", "照明器具.dat"},
                 {5, "Bukake_Section", "Bukake_Data", "歩掛.dat"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        EXPECT_EQ(bukakeTablePath(c.kind, dir.path()), dir.path() / c.name);
        ASSERT_TRUE(rememberBukakeTablePath(c.kind, "/somewhere/t.dat"));
        EXPECT_EQ(kiv::profile::Profile::user().getString(c.section, c.entry), "/somewhere/t.dat");
        EXPECT_EQ(bukakeTablePath(c.kind, dir.path()), fs::path("/somewhere/t.dat"));
    }
    EXPECT_THROW(bukakeKindInfo(0), std::out_of_range);
    EXPECT_THROW(bukakeKindInfo(6), std::out_of_range);
}

TEST_F(BukakeFileTest, TheDefaultNameIsFoundWithoutRegardToCase) {
    ASSERT_TRUE(kiv::files::writeFileAtomically(dir / "歩掛.DAT", ""));
    EXPECT_EQ(bukakeTablePath(5, dir.path()), dir.path() / "歩掛.DAT");
}

TEST_F(BukakeFileTest, ReadingThenWritingGivesTheSameBytes) {
    std::string second = BukakeRecord::format("2", sj("制御盤"), "", "0.25");
    second[72] = '\0';
    const std::string bytes = BukakeRecord::format("1", sj("分電盤"), "", "2.5") + second;
    const fs::path path = dir / "t.dat";
    ASSERT_TRUE(kiv::files::writeFileAtomically(path, bytes));
    BukakeLoad load = readBukakeFile(path);
    ASSERT_EQ(load.state, FileState::Readable);
    ASSERT_EQ(load.lines.size(), 2u);
    EXPECT_EQ(load.lines[1].size(), 72u);
    ASSERT_TRUE(writeBukakeFile(path, load.lines));
    EXPECT_EQ(kiv::files::readFile(path), bytes);
}

TEST_F(BukakeFileTest, AShortLastPartIsALineOfItsOwnPaddedWithBlanks) {
    const std::string first = BukakeRecord::format("1", "A", "", "2.5");
    const std::string tail = std::string("   2 TAIL") + blanks(31);   // 40 bytes
    const fs::path path = dir / "t.dat";
    ASSERT_TRUE(kiv::files::writeFileAtomically(path, first + tail));
    BukakeLoad load = readBukakeFile(path);
    ASSERT_EQ(load.lines.size(), 2u);
    EXPECT_EQ(load.lines[0], first);
    EXPECT_EQ(load.lines[1], tail + blanks(33));
}

TEST_F(BukakeFileTest, EmptyMissingAndUnreadableTables) {
    ASSERT_TRUE(kiv::files::writeFileAtomically(dir / "empty.dat", ""));
    BukakeLoad empty = readBukakeFile(dir / "empty.dat");
    EXPECT_EQ(empty.state, FileState::Readable);
    EXPECT_TRUE(empty.lines.empty());
    EXPECT_EQ(readBukakeFile(dir / "none.dat").state, FileState::Missing);
    fs::create_directory(dir / "folder.dat");
    EXPECT_EQ(readBukakeFile(dir / "folder.dat").state, FileState::Unreadable);
    EXPECT_EQ(bukakeFileBytes({}), "");
    ASSERT_TRUE(writeBukakeFile(dir / "empty.dat", {}));
    EXPECT_EQ(fs::file_size(dir / "empty.dat"), 0u);
}

TEST_F(BukakeFileTest, AFailedWriteLeavesTheOldFile) {
    EXPECT_FALSE(writeBukakeFile(dir / "gone" / "t.dat", {"x"}));
    EXPECT_FALSE(fs::exists(dir / "gone"));
}

std::string syuusei(int kind, const char* s, const char* m = "0") {
    auto r = bukakeSyuusei(kind, parseDecimal(s), parseDecimal(m));
    return r ? r->toString() : "none";
}

TEST(BukakeSyuusei, BoardStepTable) {
    const std::pair<const char*, const char*> cases[] = {
        {"0", "0"},     {"2.99", "2.99"}, {"3", "3"},   {"7.5", "7"},   {"8.4", "7"},   {"8.5", "8"},
        {"9.99", "8"},  {"10", "10"},     {"13", "11"}, {"16", "12"},   {"19", "15"},   {"22", "18"},
        {"23.4", "18"}, {"26", "21"},     {"30", "24"}, {"35", "28"},   {"41", "33"},   {"47.99", "33"},
        {"48", "none"}, {"100", "none"}};
    for (const auto& [s, want] : cases)
        EXPECT_EQ(syuusei(1, s), want) << "S " << s;
}

TEST(BukakeSyuusei, ControlPanelStepTable) {
    const std::pair<const char*, const char*> cases[] = {
        {"2.4", "2.4"}, {"2.5", "3"},   {"3.5", "4"},   {"4.5", "5"},    {"5.5", "6"},   {"7", "7"},
        {"8.5", "8"},   {"10", "9"},    {"11.5", "10"}, {"13", "11"},    {"15", "12"},   {"17", "13"},
        {"19", "14"},   {"23.9", "14"}, {"24", "14.4"}, {"30", "18"},    {"40", "24"},   {"43.9", "24"},
        {"44", "24.2"}, {"50", "27.5"}, {"60", "33"},   {"69", "38"},    {"72", "38"},   {"76", "38"},
        {"80", "40"}};
    for (const auto& [s, want] : cases)
        EXPECT_EQ(syuusei(2, s), want) << "S " << s;
}

TEST(BukakeSyuusei, HalfOfTheRestAddedToTheLargestAndPlainTotals) {
    EXPECT_EQ(syuusei(3, "3.2", "1.2"), "2.2");
    EXPECT_EQ(syuusei(3, "3.2", "0.8"), "2");
    EXPECT_EQ(syuusei(3, "3", "2"), "2.5");
    EXPECT_EQ(syuusei(4, "12.34"), "12.34");
    EXPECT_EQ(syuusei(5, "99.5"), "99.5");
}

} // namespace

namespace {

// Arbitrary bytes of any length read as ceil(length / 73) lines of at most 73 bytes, and the
// lines written and read again give the same lines.
TEST_F(BukakeFileTest, AnyBytesReadAsWholeLinesAndSurviveARewrite) {
    unsigned seed = 12345;
    auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0xFF; };
    const fs::path path = dir / "any.dat";
    for (int round = 0; round < 60; ++round) {
        std::string bytes(next() * 3 + (round % 7), '\0');
        for (char& c : bytes)
            c = static_cast<char>(next() % 4 == 0 ? 0 : next());
        ASSERT_TRUE(kiv::files::writeFileAtomically(path, bytes));
        BukakeLoad load = readBukakeFile(path);
        ASSERT_EQ(load.state, FileState::Readable);
        ASSERT_EQ(load.lines.size(), (bytes.size() + 72) / 73);
        for (const std::string& line : load.lines) {
            EXPECT_LE(line.size(), 73u);
            EXPECT_EQ(line.find('\0'), std::string::npos);
        }
        ASSERT_TRUE(writeBukakeFile(path, load.lines));
        EXPECT_EQ(readBukakeFile(path).lines, load.lines);
    }
}

} // namespace
