#include <gtest/gtest.h>

#include "platform/archive/Archive.h"

using namespace kiv::archive;

TEST(Archive, PrefixBoundariesRoundTrip) {
    struct Case {
        std::size_t len;
        std::string prefix;
    };
    const Case cases[] = {
        {0, std::string("\x00", 1)},
        {254, "\xFE"},
        {255, std::string("\xFF\xFF\x00", 3)},
        {1400, "\xFF\x78\x05"},
        {0xFFFD, "\xFF\xFD\xFF"},
        {0xFFFE, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
    };
    for (const auto& c : cases) {
        ArchiveWriter w;
        std::string s(c.len, 'x');
        w.writeString(s);
        ASSERT_EQ(w.bytes().substr(0, c.prefix.size()), c.prefix) << c.len;
        ASSERT_EQ(w.bytes().size(), c.prefix.size() + c.len);
        ArchiveReader r(w.bytes(), 1 << 20);
        EXPECT_EQ(r.readString(), s);
        EXPECT_TRUE(r.atEnd());
    }
}

TEST(Archive, IntegersAreLittleEndian) {
    ArchiveWriter w;
    w.writeInt32(3);
    w.writeInt32(-2);
    EXPECT_EQ(w.bytes(), std::string("\x03\x00\x00\x00\xFE\xFF\xFF\xFF", 8));
    ArchiveReader r(w.bytes());
    EXPECT_EQ(r.readInt32(), 3);
    EXPECT_EQ(r.readInt32(), -2);
}

TEST(Archive, TruncatedAtEveryPositionIsAnError) {
    ArchiveWriter w;
    w.writeInt32(2);
    w.writeString("abc");
    w.writeString(std::string(300, 'r'));
    const std::string full = w.bytes();
    for (std::size_t cut = 0; cut < full.size(); ++cut) {
        ArchiveReader r(std::string_view(full).substr(0, cut));
        EXPECT_THROW(
            {
                r.readInt32();
                r.readString();
                r.readString();
            },
            ArchiveError)
            << cut;
    }
}

TEST(Archive, DamagedLengths) {
    // 32-bit length of 4 GB - 2: more than remains, and more than any record.
    std::string huge("\xFF\xFF\xFF\xFE\xFF\xFF\xFF" "abc", 10);
    EXPECT_THROW(ArchiveReader(huge).readString(), ArchiveError);
    // A length within the file but above the caller's bound.
    ArchiveWriter w;
    w.writeString(std::string(5000, 'a'));
    EXPECT_THROW(ArchiveReader(w.bytes(), 4096).readString(), ArchiveError);
    EXPECT_NO_THROW(ArchiveReader(w.bytes(), 5000).readString());
    // Markers this program never writes: the wide-string marker and the 64-bit escape.
    EXPECT_THROW(ArchiveReader(std::string("\xFF\xFE\xFF\x01\x41", 5)).readString(), ArchiveError);
    EXPECT_THROW(ArchiveReader(std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x01\x00\x00\x00\x00\x00\x00\x00", 15)).readString(),
                 ArchiveError);
}
