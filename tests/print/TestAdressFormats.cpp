// The address-book file and the envelope layout record, byte for byte.
#include <gtest/gtest.h>

#include "platform/text/Cp932.h"
#include "print/AdressBook.h"
#include "print/AdressPrintRecord.h"

using kiv::text::sj;

TEST(AdressBookFormat, RecordColumnsAndRoundTrip) {
    adress::AdressEntry e{"12", sj("東西商事"), sj("東京都千代田区"), "N2", "A2", "123-4567", "03-1234-5678", "03-8765-4321"};
    const std::string rec = adress::formatAdressRecord(e);
    ASSERT_EQ(rec.size(), 203u);
    EXPECT_EQ(rec.substr(0, 5), "  12 ");
    EXPECT_EQ(rec.substr(5, 8), sj("東西商事"));
    EXPECT_EQ(rec[45], ' ');
    EXPECT_EQ(rec.substr(87, 3), "N2 ");
    EXPECT_EQ(rec.substr(169, 9), "123-4567 ");
    EXPECT_EQ(rec.substr(178, 12), "03-1234-5678");
    EXPECT_EQ(rec.substr(191, 12), "03-8765-4321");
    const adress::AdressEntry back = adress::parseAdressRecord(rec);
    EXPECT_EQ(back.no, "12");
    EXPECT_EQ(back.name, sj("東西商事"));
    EXPECT_EQ(back.address2, "A2");
    EXPECT_EQ(back.fax, "03-8765-4321");
    // Empty fields give 203 blanks.
    EXPECT_EQ(adress::formatAdressRecord({}), std::string(203, ' '));
    // A 40-byte name ending in a double-byte character fills its column exactly.
    adress::AdressEntry full;
    full.name = std::string(38, 'A') + sj("様");
    EXPECT_EQ(adress::formatAdressRecord(full).substr(5, 41), full.name + " ");
}

TEST(AdressBookFormat, FileSplitsIn203ByteChunksAndShortLastIsPadded) {
    std::string data = std::string(203, 'a') + std::string(203, 'b') + std::string(50, 'c');
    auto lines = adress::splitAdressFile(data);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], std::string(50, 'c') + std::string(153, ' '));
    EXPECT_EQ(adress::joinAdressLines(lines).size(), 609u);
    EXPECT_TRUE(adress::splitAdressFile("").empty());
    EXPECT_EQ(adress::joinAdressLines({}), "");
    // Renumbering rewrites only the first four bytes; a five-digit position keeps its first four.
    EXPECT_EQ(adress::renumberAdressLine(lines[0], 2).substr(0, 5), "0002a");
    EXPECT_EQ(adress::renumberAdressLine(lines[0], 10000).substr(0, 5), "1000a");
}

TEST(AdressPrintFormat, BlankRecordFormatsToFlagsTabAndNul) {
    const std::string rec = adressprint::formatRecord(adressprint::loadFields(adressprint::blankRecord()));
    ASSERT_EQ(rec.size(), 386u);
    EXPECT_EQ(rec[249], '\t');
    EXPECT_EQ(rec[385], '\0');
    for (int flag : {214, 231, 248, 265, 282, 299, 316, 333, 350, 367, 384})
        EXPECT_EQ(rec[static_cast<std::size_t>(flag)], '0') << flag;
    std::string others = rec.substr(0, 385);
    for (int flag : {214, 231, 248, 265, 282, 299, 316, 333, 350, 367, 384})
        others[static_cast<std::size_t>(flag)] = ' ';
    others[249] = ' ';
    EXPECT_EQ(others, std::string(385, ' '));
}

TEST(AdressPrintFormat, FieldsStayInTheirColumnsAndReadBack) {
    adressprint::Fields f;
    f[adressprint::Company] = sj("自社");
    f[adressprint::Honorific] = sj("様");
    f[adressprint::groupField(adressprint::Name, adressprint::X)] = "12";
    f[adressprint::groupField(adressprint::CommentLine, adressprint::Size)] = "9999";
    f[adressprint::groupField(adressprint::Name2, adressprint::Vertical)] = "1";
    const std::string rec = adressprint::formatRecord(f);
    EXPECT_EQ(rec.substr(194, 5), sj("様") + "   ");
    EXPECT_EQ(rec.substr(199, 5), "12   ");
    EXPECT_EQ(rec.substr(379, 4), "9999");
    EXPECT_EQ(rec[248], '1');
    EXPECT_EQ(rec[249], '\t');
    const adressprint::Fields back = adressprint::loadFields(rec);
    EXPECT_EQ(back, [&] {
        adressprint::Fields e = f;
        for (int g = 0; g < 11; ++g)
            if (e[adressprint::groupField(g, adressprint::Vertical)].empty())
                e[adressprint::groupField(g, adressprint::Vertical)] = "0";
        return e;
    }());
    // The printer keeps texts at full width and converts numbers; TAB or blank at 249 alike.
    EXPECT_EQ(adressprint::rawText(rec, adressprint::Honorific), sj("様") + "  ");
    EXPECT_EQ(adressprint::number(rec, adressprint::groupField(adressprint::Name, adressprint::X)), 12);
    std::string blanked = rec;
    blanked[249] = ' ';
    EXPECT_EQ(adressprint::loadFields(blanked), adressprint::loadFields(rec));
    EXPECT_EQ(adressprint::number(blanked, adressprint::groupField(adressprint::Address2, adressprint::X)),
              adressprint::number(rec, adressprint::groupField(adressprint::Address2, adressprint::X)));
}

TEST(AdressPrintFormat, ShortOrOddRecordsReadBlanksAndZeros) {
    // A short file read over a blank buffer: the missing fields empty.
    std::string rec = adressprint::blankRecord();
    rec.replace(0, 6, "ABC   ");
    rec.replace(199, 3, "x1 ");
    const adressprint::Fields f = adressprint::loadFields(rec);
    EXPECT_EQ(f[0], "ABC");
    EXPECT_EQ(f[adressprint::groupField(adressprint::Name, adressprint::X)], "x1");
    EXPECT_EQ(f[50], "");
    EXPECT_EQ(adressprint::number(rec, adressprint::groupField(adressprint::Name, adressprint::X)), 0);
    // The editor stops at the first NUL; a field beyond it comes out empty.
    EXPECT_EQ(adressprint::loadFields(std::string("ABC\0DEF", 7))[0], "ABC");
    EXPECT_EQ(adressprint::loadFields("short")[1], "");
}
