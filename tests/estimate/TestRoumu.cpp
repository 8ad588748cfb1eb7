#include <gtest/gtest.h>

#include <string>

#include "estimate/RoumuFile.h"
#include "estimate/RoumuList.h"
#include "platform/files/Files.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"
#include "support/TempDir.h"

using kiv::test::TempDir;
using kiv::text::sj;

namespace {

RoumuRecord line(std::string_view no, std::string_view trade, std::string_view t1, std::string_view t2) {
    auto r = RoumuRecord::build(no, trade, t1, t2);
    EXPECT_TRUE(r);
    return r.value_or(RoumuRecord());
}

RoumuRecord numbered(int n) { return line(std::to_string(n % 100), "T" + std::to_string(n), "100", "200"); }

RoumuList listOf(int count) {
    RoumuList l;
    for (int i = 1; i <= count; ++i)
        EXPECT_TRUE(l.add(numbered(i)).changed);
    return l;
}

std::vector<std::string> nos(const RoumuList& l) {
    std::vector<std::string> r;
    for (const RoumuRecord& x : l.lines())
        r.push_back(std::string(kiv::text::trimBlanks(x.fields().No)));
    return r;
}

} // namespace

TEST(RoumuRecord, BuildsTheTextLineAndSplitsItBack) {
    RoumuRecord r = line("18", sj("配管工"), "12000", "15500");
    EXPECT_EQ(r.text(), "18 " + sj("配管工") + "      " + " " + "     12000" + " " + "     15500");
    ASSERT_EQ(r.text().size(), 37u);
    RoumuFields f = r.fields();
    EXPECT_EQ(f.No, "18");
    EXPECT_EQ(f.Syokusyu, sj("配管工"));
    EXPECT_EQ(f.RoumuTanka1, "     12000"); // leading blanks stay
    EXPECT_EQ(f.RoumuTanka2, "     15500");
    EXPECT_EQ(r.tanka1().toString(), "12000");

    EXPECT_EQ(line("", "", "", "").text(), std::string(37, ' '));
    EXPECT_EQ(line("2", "", "", "").fields().No, " 2");

    // The file record: the 37 bytes, a NUL, six blanks, a NUL.
    EXPECT_EQ(r.fileRecord(), r.text() + std::string("\0      \0", 8));
}

TEST(RoumuRecord, ValueWiderThanItsFieldIsRefused) {
    std::string err;
    EXPECT_FALSE(RoumuRecord::build("1", sj("配管工配管工配"), "1", "1", &err)); // 14 bytes
    EXPECT_NE(err.find("配管工配管工配"), std::string::npos);
    EXPECT_FALSE(RoumuRecord::build("100", "x", "1", "1"));
    EXPECT_FALSE(RoumuRecord::build("1", "x", "12345678901", "1"));
    EXPECT_TRUE(RoumuRecord::build("99", sj("普通作業員12"), "1234567890", "1234567890"));
}

TEST(RoumuList, EditingTheWorkingCopy) {
    RoumuList l = listOf(3);

    RoumuEdit e = l.correct(1, numbered(8));
    EXPECT_TRUE(e.changed);
    EXPECT_FALSE(e.selection);
    EXPECT_EQ(nos(l), (std::vector<std::string>{"1", "8", "3"}));

    EXPECT_FALSE(l.correct(std::nullopt, numbered(9)).changed); // nothing selected: nothing changes
    EXPECT_FALSE(l.remove(std::nullopt).changed);

    e = l.insert(0, numbered(5));
    EXPECT_TRUE(e.changed);
    EXPECT_EQ(e.selection, 0u); // the new line is selected
    EXPECT_EQ(nos(l), (std::vector<std::string>{"5", "1", "8", "3"}));

    e = l.insert(std::nullopt, numbered(6)); // at the end, nothing selected
    EXPECT_FALSE(e.selection);
    EXPECT_EQ(nos(l), (std::vector<std::string>{"5", "1", "8", "3", "6"}));

    e = l.remove(1);
    EXPECT_TRUE(e.changed);
    EXPECT_EQ(nos(l), (std::vector<std::string>{"5", "8", "3", "6"}));
    EXPECT_EQ(l.byNumber(2)->fields().No, " 8");
    EXPECT_EQ(l.byNumber(0), nullptr);
    EXPECT_EQ(l.byNumber(5), nullptr);
}

TEST(RoumuList, AddingAndInsertingStopAt99) {
    RoumuList l = listOf(98);
    EXPECT_TRUE(l.insert(3, numbered(99)).changed);
    ASSERT_EQ(l.count(), 99u);
    for (RoumuEdit e : {l.add(numbered(1)), l.insert(0, numbered(1)), l.insert(std::nullopt, numbered(1))}) {
        EXPECT_FALSE(e.changed);
        EXPECT_EQ(e.message, "労務単価は99件までしか登録できません。");
    }
    EXPECT_EQ(l.count(), 99u);
    // Correcting and deleting still work on a full list.
    EXPECT_TRUE(l.correct(98, numbered(7)).changed);
    EXPECT_TRUE(l.remove(0).changed);
    EXPECT_TRUE(l.add(numbered(1)).changed);
}

TEST(RoumuList, RegistrationNumberIsThePosition) {
    // The third line's own NO says 18; it is registration number 3, and 4 after an insertion before it.
    RoumuList l;
    l.add(line("1", "a", "1", "1"));
    l.add(line("2", "b", "1", "1"));
    l.add(line("18", sj("配管工"), "1", "1"));
    EXPECT_EQ(roumuRegistrationNumber(2, l.byNumber(3)->fields().No), 3);
    l.insert(0, line("", "new", "1", "1"));
    EXPECT_EQ(l.byNumber(4)->fields().Syokusyu, sj("配管工"));
    EXPECT_EQ(roumuRegistrationNumber(3, " 18"), 4);
    // With nothing selected, the typed NO is the number.
    EXPECT_EQ(roumuRegistrationNumber(std::nullopt, "18"), 18);
    EXPECT_EQ(roumuRegistrationNumber(std::nullopt, " 5"), 5);
    EXPECT_EQ(roumuRegistrationNumber(std::nullopt, ""), 0);
}

TEST(RoumuFile, WritesExact45ByteRecordsAndReadsThemBack) {
    TempDir dir;
    auto path = dir / "労務単価.rab";
    RoumuList l;
    l.add(line("2", sj("普通作業員"), "9800", "10000"));
    l.add(line("8", sj("電工"), "12000", ""));
    std::string err;
    ASSERT_TRUE(writeRoumuFile(path, l, &err)) << err;
    std::string expected = std::string(" 2 ") + sj("普通作業員") + "  " + "       9800" + " " + "     10000" +
                           std::string("\0      \0", 8) + " 8 " + sj("電工") + "        " + "      12000" + " " +
                           "          " + std::string("\0      \0", 8);
    EXPECT_EQ(kiv::files::readFile(path), expected);

    RoumuLoad load = readRoumuFile(path);
    ASSERT_EQ(load.state, FileState::Readable);
    EXPECT_TRUE(load.warning.empty());
    EXPECT_EQ(load.list, l);

    ASSERT_TRUE(writeRoumuFile(path, RoumuList()));
    RoumuLoad empty = readRoumuFile(path);
    EXPECT_EQ(empty.state, FileState::Readable);
    EXPECT_EQ(empty.list.count(), 0u);
}

TEST(RoumuFile, ShortLastRecordIsPaddedWithBlanks) {
    TempDir dir;
    auto path = dir / "r.rab";
    RoumuRecord first = line("1", "abc", "5", "6");
    // Second record cut after its trade; third record with no NUL at all.
    std::string bytes = first.fileRecord() + std::string(45, 'Z') + " 3 short";
    ASSERT_TRUE(kiv::files::writeFileAtomically(path, bytes));
    RoumuLoad load = readRoumuFile(path);
    ASSERT_EQ(load.list.count(), 3u);
    EXPECT_EQ(load.list.byNumber(1)->text(), first.text());
    EXPECT_EQ(load.list.byNumber(2)->text(), std::string(37, 'Z'));
    EXPECT_EQ(load.list.byNumber(3)->text(), " 3 short" + std::string(29, ' '));
}

TEST(RoumuFile, ReadingStopsAt100Records) {
    TempDir dir;
    auto path = dir / "r.rab";
    std::string bytes;
    for (int i = 1; i <= 100; ++i)
        bytes += numbered(i).fileRecord();
    ASSERT_TRUE(kiv::files::writeFileAtomically(path, bytes));
    RoumuLoad exact = readRoumuFile(path);
    EXPECT_EQ(exact.list.count(), 100u);
    EXPECT_TRUE(exact.warning.empty());

    bytes += numbered(101).fileRecord() + numbered(102).fileRecord();
    ASSERT_TRUE(kiv::files::writeFileAtomically(path, bytes));
    RoumuLoad more = readRoumuFile(path);
    EXPECT_EQ(more.list.count(), 100u);
    EXPECT_EQ(more.list.byNumber(100)->fields().Syokusyu, "T100");
    EXPECT_EQ(more.warning, "労務単価ファイルに100件を超える登録があります。101件目以降は読み込みません。");
}
