#include <gtest/gtest.h>

#include "estimate/KivFile.h"
#include "platform/archive/Archive.h"

namespace {

std::array<std::string, kKivHyousiCount> coverStrings() {
    std::array<std::string, kKivHyousiCount> h;
    for (int i = 0; i < kKivHyousiCount; ++i)
        h[static_cast<std::size_t>(i)] = "cover" + std::to_string(i + 1);
    return h;
}

} // namespace

TEST(KivFile, CoverStringsInStoredOrderAndRoundTrip) {
    auto h = coverStrings();
    std::vector<std::string> rows = {std::string(1400, 'a'), "short"};
    std::string bytes = WriteKivFile(h, rows);

    // Written by hand: count, elements 1, 2, 3, 18, 4..17, rows.
    kiv::archive::ArchiveWriter w;
    w.writeInt32(2);
    for (int e : {1, 2, 3, 18, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17})
        w.writeString("cover" + std::to_string(e));
    w.writeString(rows[0]);
    w.writeString(rows[1]);
    EXPECT_EQ(bytes, w.bytes());
    EXPECT_EQ(bytes.substr(4, 7), "\x06" "cover1");

    KivFileContent c = ReadKivFile(bytes);
    EXPECT_EQ(c.hyousi, h);
    EXPECT_EQ(c.rows, rows);
    EXPECT_EQ(WriteKivFile(c.hyousi, c.rows), bytes);
}

TEST(KivFile, DamagedFilesAreRefused) {
    auto good = WriteKivFile(coverStrings(), {std::string(1400, 'r'), std::string(1400, 's')});
    for (std::size_t cut : {std::size_t{0}, std::size_t{3}, std::size_t{4}, std::size_t{30}, good.size() - 1400, good.size() - 1})
        EXPECT_THROW(ReadKivFile(std::string_view(good).substr(0, cut)), KivFileError) << cut;

    auto withCount = [&](std::int32_t n) {
        std::string b = good;
        b[0] = static_cast<char>(n & 0xFF);
        b[1] = static_cast<char>((n >> 8) & 0xFF);
        b[2] = static_cast<char>((n >> 16) & 0xFF);
        b[3] = static_cast<char>((n >> 24) & 0xFF);
        return b;
    };
    EXPECT_THROW(ReadKivFile(withCount(-1)), KivFileError);
    EXPECT_THROW(ReadKivFile(withCount(30001)), KivFileError);
    EXPECT_THROW(ReadKivFile(withCount(3)), KivFileError);          // one row more than stored
    EXPECT_THROW(ReadKivFile(withCount(0x7FFFFFFF)), KivFileError);

    // A row whose 32-bit length prefix claims 4 GB.
    kiv::archive::ArchiveWriter w;
    w.writeInt32(1);
    for (int i = 0; i < kKivHyousiCount; ++i)
        w.writeString("");
    std::string b = w.take() + std::string("\xFF\xFF\xFF\xF0\xFF\xFF\xFF" "xx", 9);
    try {
        ReadKivFile(b);
        FAIL() << "a huge length was accepted";
    } catch (const KivFileError& e) {
        EXPECT_FALSE(std::string(e.what()).empty());
    }
}

TEST(KivFile, DataAfterTheLastCountedRowIsCountedNotDropped) {
    const std::vector<std::string> rows = {std::string(1400, 'r'), std::string(1400, 's'), std::string(30, 't')};
    const std::string good = WriteKivFile(coverStrings(), rows);
    auto withCount = [&](std::int32_t n) {
        std::string b = good;
        b[0] = static_cast<char>(n);
        return b;
    };
    struct Case {
        const char* what;
        std::string bytes;
        std::size_t rowsRead;
        std::size_t unread;
    };
    const Case cases[] = {
        {"whole file", good, 3, 0},
        {"count lowered by one", withCount(2), 2, 31},
        {"count set to 0", withCount(0), 0, 2 * 1403 + 31},
        {"16 bytes appended", good + std::string(16, '\0'), 3, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        KivFileContent read = ReadKivFile(c.bytes);
        EXPECT_EQ(read.hyousi, coverStrings());
        ASSERT_EQ(read.rows.size(), c.rowsRead);
        EXPECT_TRUE(std::equal(read.rows.begin(), read.rows.end(), rows.begin()));
        EXPECT_EQ(read.unreadBytes, c.unread);
    }
    EXPECT_NE(KivPartlyReadMessage("/data/job.KIV").find("/data/job.KIV"), std::string::npos);
}

TEST(KivFile, RowConversions) {
    std::string old(1252, 'x');
    EXPECT_EQ(ConvertSetubiRow(old), old + std::string(148, ' '));
    EXPECT_EQ(ConvertSetubiRow(std::string(1500, 'y')), std::string(1400, 'y'));

    // Old electrical layout: the value at 248-251 moves to 268-271; 252 on shifts right by 8.
    std::string denki(300, '-');
    denki.replace(248, 4, "JOIN");
    denki.replace(252, 4, "ABCD");
    std::string r = ConvertDenkiRow(denki);
    ASSERT_EQ(r.size(), 1400u);
    EXPECT_EQ(r.substr(248, 4), "    ");
    EXPECT_EQ(r.substr(252, 8), "        ");
    EXPECT_EQ(r.substr(260, 4), "ABCD");
    EXPECT_EQ(r.substr(268, 4), "JOIN");
    EXPECT_EQ(r.substr(300, 8), "--------");   // 292..299 of the old row
    EXPECT_EQ(r.substr(308, 2), "  ");

    // Too short to hold the moved fields: padded first, never read past the end.
    std::string tiny = ConvertDenkiRow("0001");
    EXPECT_EQ(tiny.size(), 1400u);
    EXPECT_EQ(tiny.substr(0, 4), "0001");
}

TEST(KivFile, BackupNames) {
    struct Case {
        const char* path;
        char mode;
        const char* want;
    };
    const Case cases[] = {
        {"/data/job.old.KIV", '1', "/data/job.oldBkUp.KIV"},
        {"/home/Pat/PROJ/job.KIV", '1', "/home/Pat/PROJ/jobBkUp.KIV"},
        {"/data/v1.2/job", '2', "/data/v1.2/jobBkUp.MES"},
        {"job.mes", '2', "jobBkUp.mes"},
        {"", '1', "BkUp.KIV"},
        {"", '2', "BkUp.MES"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KivBackupPath(c.path, c.mode), c.want) << c.path;
}

// A row without an item number is damaged when anything but blanks and NULs follows its key:
// its first byte after the key (byte 8) is enough, and nothing in the key itself counts.
TEST(KivFile, AFreeRowIsDamagedByAnyContentAfterItsKey) {
    auto with = [](std::string row, std::size_t at, char c) {
        row[at] = c;
        return row;
    };
    const std::string blank(1400, ' ');
    const std::string nuls(1400, '\0');
    struct Case {
        const char* what;
        std::string row;
        bool damaged;
    };
    const Case cases[] = {
        {"all blanks", blank, false},
        {"all NULs", nuls, false},
        {"content only at byte 8", with(blank, 8, 'x'), true},
        {"content only at byte 8 among NULs", with(nuls, 8, '1'), true},
        {"content only at the last byte", with(blank, 1399, 'x'), true},
        {"a row number but nothing after the key", with(with(blank, 6, '0'), 7, '2'), false},
        {"a damaged item number but nothing after the key", "O002" + std::string(1396, ' '), false},
        {"a damaged item number and content at byte 8", with("O002" + std::string(1396, ' '), 8, 'x'), true},
        {"a row of nine bytes with content at byte 8", "00000000x", true},
        {"a row of the key alone", "    0001", false},
        {"an item number", with("0001" + std::string(1396, ' '), 8, 'x'), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsDamagedFreeRow(c.row), c.damaged) << c.what;
}
