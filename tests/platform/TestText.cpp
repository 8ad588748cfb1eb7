#include <gtest/gtest.h>

#include "platform/text/Cp932.h"
#include "platform/text/FixedField.h"
#include "platform/text/Number.h"

using namespace kiv::text;

TEST(Cp932, RoundTripAndBadBytes) {
    const std::string u = "電気設備積算 Eﾏｽﾀｰ.MST";
    auto sj = utf8ToCp932(u);
    ASSERT_TRUE(sj);
    EXPECT_EQ(sj->size(), 6u * 2 + 1 + 1 + 4 + 4);   // half-width kana are single bytes
    EXPECT_EQ(cp932ToUtf8(*sj), u);
    EXPECT_FALSE(cp932ToUtf8(std::string("\x81", 1)));        // lead byte with nothing after it
    EXPECT_FALSE(cp932ToUtf8(std::string("\x81\x20", 2)));    // lead byte with a bad trail
    EXPECT_FALSE(utf8ToCp932("\xF0\x9F\x98\x80"));            // emoji: not in CP932
    EXPECT_EQ(kiv::text::sj("字"), std::string("\x8E\x9A", 2));
    EXPECT_EQ(&kiv::text::sj("字"), &kiv::text::sj("字"));
}

TEST(Cp932, DisplayConversionNeverThrowsAndMarksBadBytes) {
    const struct {
        std::string in, out;
    } cases[] = {
        {kiv::text::sj("内訳書 A1"), "内訳書 A1"},
        {"", ""},
        {"a\x81", "a\xEF\xBF\xBD"},                        // a lead byte cut off
        {"\x85\x40z", "\xEF\xBF\xBD@z"},                   // an undefined code
        {"\xFD", "\xEF\xBF\xBD"},                           // no CP932 byte at all
        {"1\xE5\xBC\x8F", "1" + toUtf8("\xE5\xBC") + "\xEF\xBF\xBD"},   // UTF-8 "1式" read as CP932
    };
    for (const auto& c : cases)
        EXPECT_EQ(toUtf8(c.in), c.out) << c.out;
}

TEST(Cp932, TextFromOutsideLosesOnlyTheCharactersCp932Lacks) {
    const struct {
        std::string in, replacement, out;
    } cases[] = {
        {"内訳書.KIV", "?", kiv::text::sj("内訳書.KIV")},
        {"a\xE2\x82\xAC字", "?", "a?" + kiv::text::sj("字")},     // the euro sign
        {"\xF0\x9F\x98\x80x", "", "x"},                             // an emoji typed: dropped
        {"a\xE2\x82", "?", "a?"},                                  // a sequence cut off
        {"\x80" "b", "?", "?b"},                                        // a stray continuation byte
    };
    for (const auto& c : cases)
        EXPECT_EQ(toCp932Replacing(c.in, c.replacement), c.out) << c.in;
}

TEST(Cp932, ByteClassesAndBoundaries) {
    EXPECT_TRUE(isLeadByte(0x81));
    EXPECT_TRUE(isLeadByte(0x9F));
    EXPECT_TRUE(isLeadByte(0xE0));
    EXPECT_TRUE(isLeadByte(0xFC));
    EXPECT_FALSE(isLeadByte(0x80));
    EXPECT_FALSE(isLeadByte(0xA0));
    EXPECT_FALSE(isLeadByte(0xFD));
    EXPECT_TRUE(isHalfKana(0xA1));
    EXPECT_TRUE(isHalfKana(0xDF));
    EXPECT_FALSE(isHalfKana(0xE0));

    // "a字ｱ表" : 'a', 2 bytes, 1 byte, 2 bytes (表's trail byte is 0x5C, a backslash).
    std::string s = "a" + kiv::text::sj("字") + kiv::text::sj("ｱ") + kiv::text::sj("表");
    ASSERT_EQ(s.size(), 6u);
    bool boundary[] = {true, true, false, true, true, false, true};
    for (std::size_t i = 0; i <= s.size(); ++i)
        EXPECT_EQ(isCharBoundary(s, i), boundary[i]) << i;
    EXPECT_TRUE(isSecondByte(s, 2));
    EXPECT_TRUE(isSecondByte(s, 5));
    EXPECT_FALSE(isSecondByte(s, 3));
}

TEST(Cp932, FitBytes) {
    std::string ja = kiv::text::sj("字") + "a";
    EXPECT_EQ(fitBytes(ja, 2), kiv::text::sj("字"));
    EXPECT_EQ(fitBytes(ja, 1), " ");
    EXPECT_EQ(fitBytes(ja, 3), ja);
    EXPECT_EQ(fitBytes(ja, 10), ja);
    std::string aja = "a" + kiv::text::sj("字");
    EXPECT_EQ(fitBytes(aja, 2), "a ");
}

TEST(Number, FormatTable) {
    struct Case {
        const char* fmt;
        Decimal v;
        const char* want;
    };
    const Case cases[] = {
        {"%10.f", Decimal::fromScaled(25, 1), "         3"},
        {"%.1f", Decimal::fromScaled(25, 2), "0.3"},
        {"%.0f", Decimal::fromScaled(-25, 1), "-3"},
        {"%12.1f", Decimal::fromScaled(5, 1) * Decimal::fromScaled(259, 1), "        13.0"},
        {"%13.2f", Decimal::fromScaled(3, 1) * Decimal::fromScaled(4315, 2), "        12.95"},
        {"%12.0f", Decimal(1234567), "     1234567"},
        {"%14.1f", Decimal::fromScaled(-1234565, 2), "      -12345.7"},
        {"%1.4f", Decimal::fromScaled(5, 5), "0.0001"},
        {"%6.3f", Decimal::fromScaled(12345, 4), " 1.235"},
        {"%8.2f", Decimal::fromScaled(-4, 3), "   -0.00"},
        {"%9.3f", Decimal(0), "    0.000"},
        {"%f", Decimal::fromScaled(1, 1), "0.100000"},
        {"%04d", Decimal(7), "0007"},
        {"%04d", Decimal(12345), "12345"},
        {"%d", Decimal::fromScaled(-19, 1), "-1"},
        {"%5d", Decimal(-42), "  -42"},
        {"%05d", Decimal(-42), "-0042"},   // the sign before the zeros
        {"%08.2f", Decimal::fromScaled(-125, 1), "-0012.50"},
        {"%-5d|", Decimal(42), "42   |"},
        {"%3d", Decimal(123456), "123456"},
        {"No.%2d%%", Decimal(5), "No. 5%"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cformat(c.fmt, c.v), c.want) << c.fmt << " " << c.v.toString();
    EXPECT_THROW(cformat("%s", Decimal(1)), std::invalid_argument);
    EXPECT_THROW(cformat("%d %d", Decimal(1)), std::invalid_argument);
}

TEST(Number, ParseTable) {
    struct Case {
        const char* text;
        const char* decimal;
        int integer;
    };
    const Case cases[] = {
        {"   12abc", "12", 12},  {"-", "0", 0},         {"", "0", 0},        {"     ", "0", 0},
        {"1e3", "1", 1},         {"1.2.3", "1.2", 1},   {"  -3.75", "-3.75", -3},
        {"+.5", "0.5", 0},       {"5.", "5", 5},        {"\t7", "7", 7},     {"inf", "0", 0},
        {"0x10", "0", 0},        {"99999999999", "99999999999", 2147483647},
        {"-99999999999", "-99999999999", -2147483647 - 1},
        // Integer digits beyond 19 are dropped, and so are the digits after the point then.
        {"12345678901234567890.75", "1234567890123456789", 2147483647},
        {"-00000000000000000000012.5", "-12.5", -12},   // leading zeros are no digits of the value
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseDecimal(c.text).toString(), c.decimal) << c.text;
        EXPECT_EQ(parseInt(c.text), c.integer) << c.text;
    }
}

// A number box's full-width digits, point and minus become half-width; everything else stays,
// and a byte pair that only looks like a full-width digit inside another character is no digit.
TEST(Number, HalfWidthNumberText) {
    struct Case {
        std::string typed;   // CP932
        std::string want;
    };
    const Case cases[] = {
        {sj("０１２３４５６７８９"), "0123456789"},
        {sj("－１２．５"), "-12.5"},
        {toCp932("\u2212３"), "-3"},            // the minus sign arrives as －
        {sj("１２円"), "12" + sj("円")},         // another character stays and ends the number
        {sj("ＡＢ１"), sj("ＡＢ") + "1"},
        {"\x81\x82\x4F", "\x81\x82\x4F"},   // ≠ then O: its trail byte starts no digit
        {"\x82", "\x82"},                       // a lead byte cut off at the end
        {" 12.5", " 12.5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(halfWidthNumberText(c.typed), c.want) << toUtf8(c.typed);
}

// The blanks ahead of a number are skipped several bytes at a time: every length of blank run,
// every place of the first other byte and every white-space kind after the blanks read alike.
TEST(Number, LeadingBlanksOfEveryLengthAreSkipped) {
    for (std::size_t blanks = 0; blanks <= 20; ++blanks)
        for (const std::string& tail : {std::string(""), std::string("7"), std::string("-12.5"), std::string("\t3"),
                                       std::string(" \n4"), std::string("x9"), std::string("\0" "5", 2), std::string("00.25  ")})
            for (std::size_t after : {std::size_t{0}, std::size_t{3}}) {
                const std::string t = std::string(blanks, ' ') + tail + std::string(after, ' ');
                SCOPED_TRACE("blanks " + std::to_string(blanks) + " tail " + tail.c_str());
                // The reference: white space skipped one byte at a time, then the number.
                std::size_t i = 0;
                while (i < t.size() && std::string_view(" \t\n\v\f\r").find(t[i]) != std::string_view::npos)
                    ++i;
                const std::string_view rest = std::string_view(t).substr(i);
                EXPECT_EQ(parseDecimal(t), parseDecimal(rest));
                EXPECT_EQ(parseInt(t), parseInt(rest));
            }
}

TEST(Number, ArithmeticIsExact) {
    Decimal a = parseDecimal("0.1"), b = parseDecimal("0.2");
    EXPECT_EQ(a + b, parseDecimal("0.3"));
    EXPECT_EQ((parseDecimal("10") / Decimal(3)).rounded(2).toString(), "3.33");
    EXPECT_EQ((parseDecimal("2") / Decimal(3)).rounded(0).toString(), "1");
    EXPECT_EQ((parseDecimal("-1") / Decimal(8)).toString(), "-0.125");
    EXPECT_THROW(Decimal(1) / Decimal(0), std::domain_error);
    EXPECT_EQ(parseDecimal("1234.5").rounded(-2).toString(), "1200");
    EXPECT_EQ(parseDecimal("-1250").rounded(-2).toString(), "-1300");
    EXPECT_EQ(parseDecimal("-12.99").truncated(0).toString(), "-12");
    EXPECT_EQ(parseDecimal("-12.99").toLong(), -12);
    EXPECT_LT(parseDecimal("-0.5"), Decimal(0));
    // Division rounds at the 18th decimal, a tie away from zero.
    EXPECT_EQ(Decimal::fromScaled(1, 18) / Decimal(2), Decimal::fromScaled(1, 18));
    EXPECT_EQ(Decimal::fromScaled(-1, 18) / Decimal(2), Decimal::fromScaled(-1, 18));
    EXPECT_EQ(Decimal::fromScaled(1, 18) / Decimal(-2), Decimal::fromScaled(-1, 18));
    EXPECT_TRUE((Decimal::fromScaled(1, 18) / Decimal(3)).isZero());
    EXPECT_EQ((Decimal(1) / Decimal(3)).toString(), "0.333333333333333333");
    EXPECT_EQ((Decimal(2) / Decimal(3)).toString(), "0.666666666666666667");
    // Factors of 24 digits each: their exact product would need 47, more than the kernel holds,
    // so both are first rounded at the 9th decimal.
    const Decimal third = Decimal(1000000) / Decimal(3), seventh = Decimal(1000000) / Decimal(7);
    EXPECT_EQ(third.toString(), "333333.333333333333333333");
    EXPECT_EQ(seventh.toString(), "142857.142857142857142857");
    EXPECT_EQ((third * seventh).toString(), "47619047619.047619047619047619");
    EXPECT_EQ(cformat("%14.2f", third * seventh), "47619047619.05");
    // A long product keeps its printed precision.
    Decimal big = parseDecimal("123456789012.123456789") * parseDecimal("98765.4321098765");
    EXPECT_EQ(cformat("%.0f", big), "12193263113680226");
}

TEST(Number, Cuts) {
    std::string t = cformat("%12.1f", parseDecimal("1234.56"));
    EXPECT_EQ(t, "      1234.6");
    EXPECT_EQ(leftChars(t, 10), "      1234");
    EXPECT_EQ(rightChars(t, 8), "  1234.6");
    EXPECT_EQ(dropRight(t, 2), "      1234");
    EXPECT_EQ(dropRight("a", 2), "");
    EXPECT_EQ(rightChars("ab", 5), "ab");
}

TEST(FixedField, ReadAndWrite) {
    std::string rec(20, ' ');
    EXPECT_TRUE(putRight(rec, 2, 6, "  12.5 "));
    EXPECT_EQ(rec.substr(0, 10), "    12.5  ");
    EXPECT_EQ(fieldDecimal(rec, 2, 6).toString(), "12.5");
    EXPECT_TRUE(putLeft(rec, 10, 4, "ab"));
    EXPECT_EQ(fieldText(rec, 10, 4), "ab");
    EXPECT_EQ(fieldInt(rec, 10, 4), 0);

    // Too wide: refused, the field keeps its text, the neighbours are untouched.
    std::string before = rec;
    EXPECT_FALSE(putRight(rec, 2, 6, "1234567"));
    EXPECT_FALSE(putLeft(rec, 10, 4, "abcde"));
    EXPECT_EQ(rec, before);

    putLeftFitted(rec, 14, 3, "a" + kiv::text::sj("字字"));
    EXPECT_EQ(rec.substr(14, 3), "a" + kiv::text::sj("字"));
    putLeftFitted(rec, 14, 2, "a" + kiv::text::sj("字"));
    EXPECT_EQ(rec.substr(14, 2), "a ");
    EXPECT_EQ(rec[16], '\x9A');   // beyond the field: untouched
    EXPECT_EQ(rec.size(), 20u);

    EXPECT_THROW(putRight(rec, 18, 4, "1"), std::out_of_range);
    EXPECT_EQ(fieldText(rec, 18, 10), "");   // reading past the end is clipped
    std::string withNul("12\0" "99", 5);
    EXPECT_EQ(fieldInt(withNul, 0, 5), 12);
    EXPECT_TRUE(fieldIsBlank(rec, 0, 2));
}

// Numbers and blankness are read from a field's bytes without its text: each must agree with
// what the field's text (cut at a NUL, trailing blanks dropped) reads as.
TEST(FixedField, NumbersFromTheBytesReadAsTheText) {
    const std::string fields[] = {
        std::string("      "), std::string("  12.5"), std::string("-0.25 "), std::string("12\0" "99 ", 6),
        std::string("  \0" "5  ", 6), std::string("\0" "12345", 6), std::string(" \t 7  "), std::string("1 2   "),
        std::string("+.5   "), std::string("  -   "), std::string("abc  1"), std::string("  9.  "),
        std::string(" \t    "), std::string("  \0   ", 6), std::string("123456"), std::string("12 \0" "x ", 6),
    };
    for (const std::string& f : fields) {
        const std::string rec = "ab" + f + "cd";
        SCOPED_TRACE(rec);
        const std::string_view text = fieldText(rec, 2, f.size());
        EXPECT_EQ(fieldDecimal(rec, 2, f.size()), kiv::text::parseDecimal(text));
        EXPECT_EQ(fieldInt(rec, 2, f.size()), kiv::text::parseInt(text));
        EXPECT_EQ(fieldIsBlank(rec, 2, f.size()), kiv::text::trimBlanks(text).empty());
    }
    // A NUL at every place of fields of every length up to 20 ends the text there.
    for (std::size_t width = 0; width <= 20; ++width)
        for (std::size_t nul = 0; nul <= width; ++nul) {
            std::string field;
            for (std::size_t i = 0; i < width; ++i)
                field.push_back(i % 3 == 2 ? ' ' : static_cast<char>('a' + i));
            if (nul < width)
                field[nul] = '\0';
            const std::string rec = "ab" + field + "cd";
            const std::string_view text = fieldText(rec, 2, width);
            std::string_view want = std::string_view(field).substr(0, nul);
            while (!want.empty() && want.back() == ' ')
                want.remove_suffix(1);
            EXPECT_EQ(text, want) << width << " " << nul;
        }
    // Past the end of a short record: blank, zero.
    EXPECT_TRUE(fieldIsBlank("ab", 4, 3));
    EXPECT_EQ(fieldInt("ab", 4, 3), 0);
}
