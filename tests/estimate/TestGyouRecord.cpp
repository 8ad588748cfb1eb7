#include <gtest/gtest.h>

#include <set>
#include <string>

#include "estimate/GyouRecord.h"
#include "platform/text/Cp932.h"

using kiv::text::Decimal;
using kiv::text::sj;

namespace {

std::string bytesAt(const std::string& row, int offset, int width) {
    return row.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(width));
}

} // namespace

TEST(GyouRecord, FieldsFillTheRecordWithoutOverlap) {
    // Every byte 0..1399 belongs to exactly one field, except 310-314 (no field) and the two
    // alias fields that name the bytes of 21 and 22.
    std::string owner(GyouRecord::Length, '\0');
    for (int f = 1; f <= GyouRecord::FieldCount; ++f) {
        if (f == GyouRecord::Roumu1Bukake || f == GyouRecord::Roumu2Bukake)
            continue;
        const auto& l = GyouRecord::layout(f);
        ASSERT_GT(l.Width, 0) << f;
        for (int b = l.Offset; b < l.Offset + l.Width; ++b) {
            ASSERT_LT(b, GyouRecord::Length) << "field " << f;
            ASSERT_EQ(owner[b], '\0') << "byte " << b << " of field " << f << " already taken";
            owner[b] = 1;
        }
    }
    for (int b = 0; b < GyouRecord::Length; ++b)
        EXPECT_EQ(owner[b] == 0, b >= 310 && b <= 314) << "byte " << b;
    // Contiguous in field order, apart from the gap and the aliases.
    int end = 0;
    for (int f = 1; f <= GyouRecord::FieldCount; ++f) {
        if (f == GyouRecord::Roumu1Bukake || f == GyouRecord::Roumu2Bukake)
            continue;
        const auto& l = GyouRecord::layout(f);
        EXPECT_EQ(l.Offset, f == GyouRecord::Zai1MotoTanka ? 315 : end) << "field " << f;
        end = l.Offset + l.Width;
    }
    EXPECT_EQ(end, GyouRecord::Length);
}

TEST(GyouRecord, LayoutOfNamedFields) {
    struct Case {
        int field, offset, width;
        bool text;
    };
    const Case cases[] = {
        {GyouRecord::KoumokuNo, 0, 4, false},   {GyouRecord::Hinmei, 16, 30, true},
        {GyouRecord::Tanni, 108, 2, true},      {GyouRecord::Kingaku2, 164, 12, false},
        {GyouRecord::Hokyuu, 272, 5, false},    {GyouRecord::BunGyouNo, 306, 4, false},
        {GyouRecord::Zai1MotoTanka, 315, 10, false}, {GyouRecord::Zai2Hinmei, 454, 30, true},
        {GyouRecord::Zai7Bikou, 1188, 30, true}, {GyouRecord::UnpanKingaku1, 1218, 10, false},
        {GyouRecord::Roumu3No, 1242, 2, false}, {GyouRecord::Roumu1Bukake, 236, 6, false},
        {GyouRecord::Roumu2Bukake, 242, 6, false}, {GyouRecord::Roumu3Bukake, 1244, 6, false},
        {GyouRecord::FukuHyouji, 1250, 1, false}, {GyouRecord::Roumu3Bikou, 1312, 30, true},
        {GyouRecord::Spare106, 1342, 58, true},
    };
    for (const Case& c : cases) {
        const auto& l = GyouRecord::layout(c.field);
        EXPECT_EQ(l.Offset, c.offset) << c.field;
        EXPECT_EQ(l.Width, c.width) << c.field;
        EXPECT_EQ(l.IsText, c.text) << c.field;
    }
    EXPECT_THROW(GyouRecord::layout(0), std::out_of_range);
    EXPECT_THROW(GyouRecord::layout(107), std::out_of_range);
}

TEST(GyouRecord, BlankRowReadsAsZeroAndEmpty) {
    const std::string row = GyouRecord::blankRow();
    ASSERT_EQ(row.size(), 1400u);
    for (int f = 1; f <= GyouRecord::FieldCount; ++f) {
        EXPECT_TRUE(GyouRecord::isBlank(row, f)) << f;
        EXPECT_EQ(GyouRecord::text(row, f), "") << f;
        EXPECT_EQ(GyouRecord::toInt(row, f), 0) << f;
        EXPECT_TRUE(GyouRecord::toDecimal(row, f).isZero()) << f;
    }
    EXPECT_TRUE(GyouRecord::isFreeRow(row));
}

TEST(GyouRecord, ReadsNumbersAsTheCConversionsDo) {
    std::string row = GyouRecord::blankRow();
    row.replace(112, 10, "   -12.50x");
    EXPECT_EQ(GyouRecord::toDecimal(row, GyouRecord::Tanka1), Decimal::fromScaled(-125, 1));
    EXPECT_EQ(GyouRecord::toInt(row, GyouRecord::Tanka1), -12);
    EXPECT_EQ(GyouRecord::raw(row, GyouRecord::Tanka1), "   -12.50x");
    // A short row reads as blank past its end.
    EXPECT_EQ(GyouRecord::text(std::string("00070012"), GyouRecord::Hinmei), "");
    EXPECT_EQ(GyouRecord::koumokuOf("00070012"), 7);
    EXPECT_TRUE(GyouRecord::isFreeRow("-001" + std::string(4, ' ')));
}

TEST(GyouRecord, WritesStayInsideTheField) {
    std::string row(GyouRecord::Length, '#');
    EXPECT_TRUE(GyouRecord::putNumber(row, GyouRecord::Tanka1, " 1234.5 "));
    EXPECT_EQ(bytesAt(row, 112, 10), "    1234.5");
    EXPECT_EQ(row[111], '#');
    EXPECT_EQ(row[122], '#');

    EXPECT_TRUE(GyouRecord::putText(row, GyouRecord::Kigou, "AB"));
    EXPECT_EQ(bytesAt(row, 8, 4), "AB  ");

    // Wider than the field: refused, the field keeps its text.
    EXPECT_FALSE(GyouRecord::putNumber(row, GyouRecord::Tanka1, "12345678901"));
    EXPECT_EQ(bytesAt(row, 112, 10), "    1234.5");
    EXPECT_FALSE(GyouRecord::putText(row, GyouRecord::Kigou, "ABCDE"));
    EXPECT_EQ(bytesAt(row, 8, 4), "AB  ");

    EXPECT_TRUE(GyouRecord::putFormatted(row, GyouRecord::Kingaku1, "%12.1f", Decimal::fromScaled(1295, 2)));
    EXPECT_EQ(bytesAt(row, 152, 12), "        13.0");

    GyouRecord::blank(row, GyouRecord::Kigou);
    EXPECT_EQ(bytesAt(row, 8, 4), "    ");
    EXPECT_EQ(row.size(), 1400u);
}

TEST(GyouRecord, FittedTextIsCutOnACharacterBoundary) {
    std::string row = GyouRecord::blankRow();
    // 2 ASCII + 2 full-width characters in a 4-byte field: the second one would be cut in half.
    GyouRecord::putTextFitted(row, GyouRecord::Kigou, "AB" + sj("配管"));
    EXPECT_EQ(bytesAt(row, 8, 4), "AB" + sj("配"));
    GyouRecord::putTextFitted(row, GyouRecord::Kigou, "A" + sj("配管"));
    EXPECT_EQ(bytesAt(row, 8, 4), "A" + sj("配") + " ");
    EXPECT_EQ(row[12], ' ');
}

TEST(GyouRecord, AliasFieldsShareTheirBytes) {
    std::string row = GyouRecord::blankRow();
    ASSERT_TRUE(GyouRecord::putNumber(row, GyouRecord::Roumu1Bukake, "0.25"));
    EXPECT_EQ(GyouRecord::text(row, GyouRecord::Bukake1), "  0.25");
    ASSERT_TRUE(GyouRecord::putNumber(row, GyouRecord::Bukake1, "1.5"));
    EXPECT_EQ(GyouRecord::toDecimal(row, GyouRecord::Roumu1Bukake), Decimal::fromScaled(15, 1));
    ASSERT_TRUE(GyouRecord::putNumber(row, GyouRecord::Roumu2Bukake, "3"));
    EXPECT_EQ(GyouRecord::toInt(row, GyouRecord::Bukake2), 3);
    EXPECT_TRUE(GyouRecord::isBlank(row, GyouRecord::Roumu3Bukake));
}

TEST(GyouRecord, ShortRowsArePaddedBeforeAWrite) {
    std::string row = "00010002";
    ASSERT_TRUE(GyouRecord::putText(row, GyouRecord::Spare106, "tail"));
    EXPECT_EQ(row.size(), 1400u);
    EXPECT_EQ(bytesAt(row, 0, 8), "00010002");
    EXPECT_EQ(bytesAt(row, 1342, 58), "tail" + std::string(54, ' '));
}

TEST(GyouRecord, FitLengthPadsOrCutsToOneRow) {
    std::string shortRow = "0001";
    GyouRecord::fitLength(shortRow);
    EXPECT_EQ(shortRow, "0001" + std::string(1396, ' '));

    // A long row is cut at 1400; a double-byte character across the cut becomes a blank.
    std::string longRow = std::string(1399, 'x') + sj("管") + "yy";
    GyouRecord::fitLength(longRow);
    EXPECT_EQ(longRow, std::string(1399, 'x') + " ");
}

TEST(GyouRecord, KeysHaveFourDigitsEach) {
    std::string row = GyouRecord::blankRow();
    EXPECT_TRUE(GyouRecord::writeKey(row, 12, 345));
    EXPECT_EQ(bytesAt(row, 0, 8), "00120345");
    EXPECT_TRUE(GyouRecord::writeKey(row, 9999, 9999));
    EXPECT_EQ(bytesAt(row, 0, 8), "99999999");
    EXPECT_FALSE(GyouRecord::writeKey(row, 10000, 1));
    EXPECT_FALSE(GyouRecord::writeKey(row, 1, 10000));
    EXPECT_FALSE(GyouRecord::writeKey(row, -1, 1));
    EXPECT_EQ(bytesAt(row, 0, 8), "99999999");
    EXPECT_EQ(row.size(), 1400u);
}

TEST(GyouRecord, BlankSupplyFactorBecomesOne) {
    std::string row = GyouRecord::blankRow();
    GyouRecord::fillBlankHokyuu(row);
    EXPECT_EQ(bytesAt(row, 272, 5), "  1.0");
    row.replace(272, 5, "  2.5");
    GyouRecord::fillBlankHokyuu(row);
    EXPECT_EQ(bytesAt(row, 272, 5), "  2.5");
}
