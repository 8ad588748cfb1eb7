#include <gtest/gtest.h>

#include <string>

#include "estimate/LayoutFile.h"
#include "platform/files/Files.h"
#include "platform/text/Cp932.h"
#include "support/TempDir.h"

using kiv::test::TempDir;
using kiv::text::sj;

namespace {

// Writes a text left-aligned and the X, Y and size after it as the layout editors do ("%3d").
void putItem(std::string& r, std::size_t offset, std::size_t width, std::string_view text, int x, int y, int size) {
    std::string t(text);
    t.resize(width, ' ');
    r.replace(offset, width, t);
    char num[16];
    std::snprintf(num, sizeof num, "%3d", x);
    r.replace(offset + width + 1, 3, num);
    std::snprintf(num, sizeof num, "%3d", y);
    r.replace(offset + width + 5, 3, num);
    std::snprintf(num, sizeof num, "%3d", size);
    r.replace(offset + width + 9, 3, num);
}

void putPos(std::string& r, std::size_t offset, std::string_view x, std::string_view y, std::string_view size) {
    r.replace(offset, 3, x);
    r.replace(offset + 4, 3, y);
    r.replace(offset + 8, 3, size);
}

} // namespace

TEST(HedderRecord, ParsesTheSixGroups) {
    std::string r(256, '|'); // separators that a parser must not read
    putItem(r, 0, 30, sj("御見積書"), 10, 20, 12);
    putItem(r, 43, 16, "CENTRE", 100, 21, 9);
    putItem(r, 72, 30, "right", 180, 22, 10);
    putItem(r, 115, 30, "foot-left", 11, 280, 8);
    putItem(r, 158, 30, "- %d -", 95, 281, 8);
    putItem(r, 201, 30, std::string("co\0xx", 5), 170, 282, 7);
    TempDir dir;
    auto path = dir / "ヘッダー.hdr";
    ASSERT_TRUE(kiv::files::writeFileAtomically(path, r + "beyond the record"));

    auto load = readHedderFile(path);
    ASSERT_EQ(load.state, FileState::Readable);
    EXPECT_EQ(load.record.bytes(), r); // read only to its 256th byte
    HedderLayout h = ParseHedder(load.record);
    EXPECT_EQ(h.headerLeft, (LayoutItem{sj("御見積書") + std::string(22, ' '), {10, 20, 12}}));
    EXPECT_EQ(h.headerCentre, (LayoutItem{"CENTRE          ", {100, 21, 9}}));
    EXPECT_EQ(h.headerRight.pos, (LayoutPos{180, 22, 10}));
    EXPECT_EQ(h.footerLeft.text.size(), 30u);
    EXPECT_EQ(h.footerPage.text.substr(0, 6), "- %d -");
    EXPECT_EQ(h.footerPage.pos, (LayoutPos{95, 281, 8}));
    EXPECT_EQ(h.footerRight.text, "co"); // a text ends at a NUL
    EXPECT_EQ(h.footerRight.pos, (LayoutPos{170, 282, 7}));
}

TEST(HedderRecord, ShortAndBlankNumbers) {
    std::string r(40, ' ');
    r.replace(31, 3, " 5x");
    r.replace(35, 3, "   ");
    HedderLayout h = ParseHedder(HedderRecord::fromBytes(r)); // the rest of the record is blank
    EXPECT_EQ(h.headerLeft.pos, (LayoutPos{5, 0, 0}));
    EXPECT_EQ(h.footerRight, (LayoutItem{std::string(30, ' '), {0, 0, 0}}));
}

TEST(HyousiFormRecord, ParsesEveryGroup) {
    std::string r(752, '|');
    putItem(r, 0, 12, sj("御見積書"), 1, 2, 3);
    putItem(r, 25, 12, "name", 4, 5, 6);
    putItem(r, 50, 6, "aite", 7, 8, 9);
    putItem(r, 69, 12, "kingaku", 10, 11, 12);
    putItem(r, 94, 6, "tantou", 13, 14, 15);
    for (int i = 0; i < 6; ++i)
        putItem(r, 113 + 53 * i, 40, "meisyou" + std::to_string(i + 1), 20 + i, 30 + i, 40 + i);
    for (int i = 0; i < 5; ++i)
        putItem(r, 431 + 25 * i, 12, "jouken" + std::to_string(i + 1), 50 + i, 60 + i, 70 + i);
    putItem(r, 556, 50, "bikou1", 80, 81, 82);
    putItem(r, 619, 50, "bikou2", 83, 84, 85);
    r.replace(682, 4, "2024");
    r.replace(687, 2, " 4");
    r.replace(690, 2, "01");
    r.replace(693, 2, "  ");
    putPos(r, 696, "100", "101", "102");
    putItem(r, 708, 8, "No.12345", 103, 104, 105);
    putPos(r, 729, "106", "107", "108");
    putPos(r, 741, "109", "110", "111");
    TempDir dir;
    auto path = dir / "表紙.frm";
    ASSERT_TRUE(kiv::files::writeFileAtomically(path, r));

    auto load = readHyousiFormFile(path);
    ASSERT_EQ(load.state, FileState::Readable);
    HyousiLayout h = ParseHyousi(load.record);
    EXPECT_EQ(h.midasi, (LayoutItem{sj("御見積書") + "    ", {1, 2, 3}}));
    EXPECT_EQ(h.meisyou, (LayoutItem{"name        ", {4, 5, 6}}));
    EXPECT_EQ(h.aite, (LayoutItem{"aite  ", {7, 8, 9}}));
    EXPECT_EQ(h.kingaku.pos, (LayoutPos{10, 11, 12}));
    EXPECT_EQ(h.tantousya, (LayoutItem{"tantou", {13, 14, 15}}));
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(h.meisyouN[i].text.substr(0, 8), "meisyou" + std::to_string(i + 1));
        EXPECT_EQ(h.meisyouN[i].text.size(), 40u);
        EXPECT_EQ(h.meisyouN[i].pos, (LayoutPos{20 + i, 30 + i, 40 + i}));
    }
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(h.jouken[i], (LayoutItem{"jouken" + std::to_string(i + 1) + "     ", {50 + i, 60 + i, 70 + i}}));
    EXPECT_EQ(h.bikouN[0].pos, (LayoutPos{80, 81, 82}));
    EXPECT_EQ(h.bikouN[1].text.substr(0, 6), "bikou2");
    EXPECT_EQ(h.bikouN[1].pos, (LayoutPos{83, 84, 85}));
    EXPECT_EQ(h.nengappi, (std::array<std::string, 4>{"2024", " 4", "01", "  "}));
    EXPECT_EQ(h.nengappiPos, (LayoutPos{100, 101, 102}));
    EXPECT_EQ(h.mitumoriNo, (LayoutItem{"No.12345", {103, 104, 105}}));
    EXPECT_EQ(h.bikou, (LayoutPos{106, 107, 108}));
    EXPECT_EQ(h.waku, (LayoutPos{109, 110, 111}));
}

TEST(LayoutFile, MissingFileLeavesABlankRecord) {
    TempDir dir;
    auto load = readHyousiFormFile(dir / "none.frm");
    EXPECT_EQ(load.state, FileState::Missing);
    EXPECT_EQ(load.record.bytes(), std::string(752, ' '));
}
