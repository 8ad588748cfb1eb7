#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "estimate/SetteiFile.h"
#include "estimate/SetteiRecord.h"
#include "platform/files/Files.h"
#include "platform/text/Cp932.h"
#include "support/TempDir.h"

using kiv::test::TempDir;

namespace {

// A record with every code set, the three mode digits, a removal factor, and odd bytes (NUL, a
// double-byte character, high bytes) in the positions nothing uses.
std::string sampleBytes() {
    std::string b(1024, ' ');
    for (int k = 0; k < kEnzanCodeCount; ++k) {
        char code[5];
        std::snprintf(code, sizeof code, "%04d", 100 + k);
        b.replace(static_cast<std::size_t>(k) * 4, 4, code);
    }
    b.replace(112, 8, std::string("\0x\xff\x01\0\0ab", 8));
    b[120] = '2';
    b[121] = '1';
    b[122] = '3';
    b.replace(123, 4, "0.8 ");
    for (std::size_t i = 127; i < 1024; ++i)
        b[i] = static_cast<char>(i * 7 % 256);
    b.replace(500, 2, kiv::text::sj("設"));
    return b;
}

// The positions where two byte strings differ.
std::vector<std::size_t> diff(std::string_view a, std::string_view b) {
    std::vector<std::size_t> d;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        if (a[i] != b[i])
            d.push_back(i);
    return d;
}

} // namespace

TEST(SetteiRecord, ParsesCodesAndModesAsAtoiReadsThem) {
    struct Case {
        const char* code;
        int value;
    } cases[] = {
        {"0012", 12}, {"12 4", 12}, {" 123", 123}, {"    ", 0}, {"abcd", 0},
        {"9999", 9999}, {"-012", -12}, {std::string_view("1\0" "23", 4).data(), 1},
    };
    for (const Case& c : cases) {
        SetteiRecord r = SetteiRecord::fromBytes(std::string(std::string_view(c.code, 4)) + "0007");
        SetteiValues v = ParseSettei(r);
        EXPECT_EQ(v.code(EnzanCode::Daikoumoku), c.value) << std::string(c.code, 4);
        EXPECT_EQ(v.code(EnzanCode::Tyuukoumoku), 7);
    }
    SetteiValues v = ParseSettei(SetteiRecord::fromBytes(sampleBytes()));
    for (int k = 0; k < kEnzanCodeCount; ++k)
        EXPECT_EQ(v.codes[static_cast<std::size_t>(k)], 100 + k);
    EXPECT_EQ(v.code(EnzanCode::Roumuhi4), 127);
    EXPECT_EQ(v.KetaMarume, 2);
    EXPECT_EQ(v.SekisanYousiki, 1);
    EXPECT_EQ(v.FukugouMarume, 3);

    // A blank record: every code and mode 0.
    SetteiValues blank = ParseSettei(SetteiRecord());
    for (int c : blank.codes)
        EXPECT_EQ(c, 0);
    EXPECT_EQ(blank.KetaMarume + blank.SekisanYousiki + blank.FukugouMarume, 0);

    // Only "1" is the composite-price style; any other byte reads as the labour-posting style.
    for (char style : {'1', '0', '2', '9', ' '}) {
        std::string bytes = sampleBytes();
        bytes[SetteiRecord::SekisanYousikiPos] = style;
        EXPECT_EQ(ParseSettei(SetteiRecord::fromBytes(bytes)).SekisanYousiki, style == '1' ? 1 : 0) << style;
    }
}

TEST(SetteiRecord, UnusedCodeNeverMatchesARow) {
    SetteiRecord r;
    ASSERT_TRUE(r.setCode(EnzanCode::Keihi1, "0520"));
    ASSERT_TRUE(r.setCode(EnzanCode::Keihi2, "0000"));
    SetteiValues v = ParseSettei(r);
    EXPECT_TRUE(v.matches(EnzanCode::Keihi1, 520));
    EXPECT_FALSE(v.matches(EnzanCode::Keihi1, 521));
    EXPECT_FALSE(v.matches(EnzanCode::Keihi2, 0));    // code 0000
    EXPECT_FALSE(v.matches(EnzanCode::Tugite, 0));    // blank code
    EXPECT_FALSE(v.matches(EnzanCode::Syouhizei, 0)); // blank code, row without a category
}

TEST(SetteiRecord, CodePaddingAndItsMessage) {
    PaddedCode five = padEnzanCode("5");
    EXPECT_EQ(five.code, "0005");
    EXPECT_EQ(five.message, "４桁未満のため0005に変更しました。");
    PaddedCode empty = padEnzanCode("");
    EXPECT_EQ(empty.code, "0000");
    EXPECT_EQ(empty.message, "４桁未満のため0000に変更しました。");
    PaddedCode full = padEnzanCode("abcd"); // four characters, whatever they are
    EXPECT_EQ(full.code, "abcd");
    EXPECT_TRUE(full.message.empty());

    SetteiRecord r = SetteiRecord::fromBytes(sampleBytes());
    ASSERT_TRUE(r.setCode(EnzanCode::Keihi1, "5"));
    EXPECT_EQ(r.bytes().substr(16, 4), "0005");
    EXPECT_EQ(r.code(EnzanCode::Keihi2), "0105"); // following codes keep their positions
    EXPECT_FALSE(r.setCode(EnzanCode::Keihi1, "12345"));
    EXPECT_EQ(r.code(EnzanCode::Keihi1), "0005");

    EXPECT_EQ(enzanCodeInfo(EnzanCode::Keihi1).boxId, 1003);
    EXPECT_FALSE(enzanCodeInfo(EnzanCode::Saikei).digitsOnly);
    EXPECT_STREQ(enzanCodeInfo(EnzanCode::Spare).caption, "");
}

TEST(SetteiFile, RoundTripKeepsEveryByte) {
    TempDir dir;
    auto path = dir / "電気設定.ett";
    std::string bytes = sampleBytes();
    ASSERT_TRUE(kiv::files::writeFileAtomically(path, bytes));

    SetteiLoad load = readSetteiFile(path);
    ASSERT_EQ(load.state, FileState::Readable);
    EXPECT_EQ(load.record.bytes(), bytes);
    std::string err;
    ASSERT_TRUE(writeSetteiFile(path, load.record, &err)) << err;
    EXPECT_EQ(kiv::files::readFile(path), bytes);
}

TEST(SetteiFile, ShortAndLongFiles) {
    TempDir dir;
    auto path = dir / "s.ett";
    ASSERT_TRUE(kiv::files::writeFileAtomically(path, std::string("0010\0", 5)));
    SetteiLoad shortLoad = readSetteiFile(path);
    ASSERT_EQ(shortLoad.state, FileState::Readable);
    EXPECT_EQ(shortLoad.record.bytes(), std::string("0010\0", 5) + std::string(1019, ' '));

    ASSERT_TRUE(kiv::files::writeFileAtomically(path, std::string(1024, '7') + "EXTRA"));
    EXPECT_EQ(readSetteiFile(path).record.bytes(), std::string(1024, '7'));

    // An empty file, as the file chooser creates one: a blank record, every code unused.
    ASSERT_TRUE(kiv::files::writeFileAtomically(path, ""));
    SetteiLoad empty = readSetteiFile(path);
    EXPECT_EQ(empty.state, FileState::Readable);
    EXPECT_EQ(empty.record, SetteiRecord());
}

TEST(SetteiFile, MissingFileGivesBlankRecord) {
    TempDir dir;
    SetteiLoad load = readSetteiFile(dir / "none.ett");
    EXPECT_EQ(load.state, FileState::Missing);
    EXPECT_EQ(load.record.bytes(), std::string(1024, ' '));
    for (int c : ParseSettei(load.record).codes)
        EXPECT_EQ(c, 0);
}

// Each setter, applied to a record read from a file and written back, changes exactly its own
// bytes in the file.
TEST(SetteiFile, EachSetterChangesOnlyItsBytes) {
    struct Case {
        const char* name;
        std::function<bool(SetteiRecord&)> apply;
        std::size_t first, last; // the setter's own positions
        std::string expect;       // their bytes afterwards
    };
    std::array<std::string, kEnzanCodeCount> codes;
    for (int k = 0; k < kEnzanCodeCount; ++k)
        codes[static_cast<std::size_t>(k)] = std::to_string(k + 1);
    std::string codeBytes;
    for (int k = 0; k < kEnzanCodeCount; ++k) {
        char c[5];
        std::snprintf(c, sizeof c, "%04d", k + 1);
        codeBytes += c;
    }
    std::vector<Case> cases = {
        {"one code", [](SetteiRecord& r) { return r.setCode(EnzanCode::Sleeve, "77"); }, 88, 91, "0077"},
        {"all codes", [&](SetteiRecord& r) { return r.setCodes(codes); }, 0, 111, codeBytes},
        {"digit rounding", [](SetteiRecord& r) { return r.setKetaMarume("3"); }, 120, 120, "3"},
        {"typed rounding 7", [](SetteiRecord& r) { return r.setKetaMarume("7"); }, 120, 120, "7"},
        {"style", [](SetteiRecord& r) { r.setSekisanYousiki(false); return true; }, 121, 121, "0"},
        {"composite rounding", [](SetteiRecord& r) { return r.setFukugouMarume(1); }, 122, 122, "1"},
        {"removal factor", [](SetteiRecord& r) { return r.setTekkyoRitu("25"); }, 123, 126, "25  "},
        {"removal factor of four bytes", [](SetteiRecord& r) { return r.setTekkyoRitu("1.25"); }, 123, 126, "1.25"},
        {"code of four bytes", [](SetteiRecord& r) { return r.setCode(EnzanCode::Roumuhi4, "9876"); }, 108, 111, "9876"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        auto path = dir / "機械設定.mtt";
        std::string before = sampleBytes();
        ASSERT_TRUE(kiv::files::writeFileAtomically(path, before));
        SetteiRecord r = readSetteiFile(path).record;
        ASSERT_TRUE(c.apply(r));
        ASSERT_TRUE(writeSetteiFile(path, r));
        auto after = kiv::files::readFile(path);
        ASSERT_TRUE(after);
        ASSERT_EQ(after->size(), 1024u);
        std::vector<std::size_t> changed = diff(before, *after);
        ASSERT_FALSE(changed.empty());
        EXPECT_GE(changed.front(), c.first);
        EXPECT_LE(changed.back(), c.last);
        EXPECT_EQ(after->substr(c.first, c.last - c.first + 1), c.expect);
    }
}

TEST(SetteiRecord, EmptyChoicesKeepTheStoredByte) {
    SetteiRecord r = SetteiRecord::fromBytes(sampleBytes());
    const SetteiRecord before = r;
    EXPECT_FALSE(r.setKetaMarume(""));                    // empty combo field
    EXPECT_FALSE(r.setKetaMarume(kiv::text::sj("３")));  // a double-byte character does not fit
    EXPECT_FALSE(r.setFukugouMarume(0));                  // no box checked
    EXPECT_FALSE(r.setFukugouMarume(4));
    EXPECT_FALSE(r.setTekkyoRitu("12345"));
    EXPECT_FALSE(r.setCode(EnzanCode::Syouhizei, "12345"));
    // A set of codes with one too long is refused whole: not even the codes before it change.
    std::array<std::string, kEnzanCodeCount> codes;
    codes.fill("7");
    codes[kEnzanCodeCount - 1] = "12345";
    EXPECT_FALSE(r.setCodes(codes));
    codes[kEnzanCodeCount - 1] = "7";
    codes[0] = "00001";
    EXPECT_FALSE(r.setCodes(codes));
    EXPECT_EQ(r, before);
    EXPECT_EQ(r.tekkyoRitu(), "0.8 ");
    r.setSekisanYousiki(true);
    EXPECT_EQ(r.byte(121), '1');
}

TEST(SetteiFile, FailedRewriteKeepsTheOldFile) {
    TempDir dir;
    auto path = dir / "s.ett";
    std::filesystem::create_directory(path); // nothing can be renamed over a folder
    std::string err;
    EXPECT_FALSE(writeSetteiFile(path, SetteiRecord(), &err));
    EXPECT_FALSE(err.empty());
    EXPECT_TRUE(std::filesystem::is_directory(path));
}
