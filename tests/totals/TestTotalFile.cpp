// The totals file's reader and writer and the totals document's opening, saving and Save As.
#include <gtest/gtest.h>

#include <filesystem>

#include "estimate/KivDoc.h"
#include "estimate/KivMessage.h"
#include "master/MstFixture.h"
#include "platform/files/Files.h"
#include "platform/text/Cp932.h"
#include "support/TempDir.h"
#include "totals/TotalDoc.h"
#include "totals/TotalFile.h"

namespace {

namespace fs = std::filesystem;
using kivtest::mstLine;
using G = GyouRecord;

class TotalFileTest : public testing::Test {
protected:
    void SetUp() override {
        ClearKivPrompts();
        for (const char* name : {"労務単価.rab", "電気設定.ett", "機械設定.mtt"})
            ASSERT_TRUE(kiv::files::writeFileAtomically(exeDir / name, ""));
        CKivDoc::SetRunMode("1");
        CKivDoc::SetProgramDirectory(exeDir.path());
    }
    void TearDown() override {
        EXPECT_TRUE(KivLeftoverPrompts().empty());
        CKivDoc::SetProgramDirectory({});
        CKivDoc::SetRunMode("");
        ClearKivPrompts();
    }
    fs::path write(const std::string& name, const std::string& bytes) {
        fs::path p = data / name;
        EXPECT_TRUE(kiv::files::writeFileAtomically(p, bytes));
        return p;
    }
    static std::string read(const fs::path& p) { return kiv::files::readFile(p).value_or("<missing>"); }

    kiv::test::ScopedProfileHome home;
    kiv::test::TempDir exeDir;
    kiv::test::TempDir data;
};

// Categories 1 and 2, a one-blank free slot and a 1400-blank free slot between them.
std::vector<std::string> mixedRows() {
    return {mstLine(1, 1, {{G::Hinmei, "分類集計"}}), " ", mstLine(2, 1, {{G::Hinmei, "配管"}}),
            std::string(1400, ' '), mstLine(2, 2, {{G::Hinmei, "ＶＰ管"}, {G::Kikaku, "５０Ａ"}})};
}

TEST_F(TotalFileTest, UnchangedFileSavesByteForByteFreeSlotsIncluded) {
    const std::vector<std::string> rows = mixedRows();
    const std::string bytes = WriteTotalFile(rows, static_cast<int>(rows.size()));
    // The archive's length prefixes: 1400 bytes → 0xFF 0x78 0x05, one byte → 0x01.
    EXPECT_EQ(bytes.substr(0, 7), std::string("\x05\x00\x00\x00\xFF\x78\x05", 7));
    EXPECT_EQ(bytes.substr(4 + 3 + 1400, 2), std::string("\x01 ", 2));
    const fs::path path = write("t.TTL", bytes);
    CTotalDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path.string()));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.PoolGyouCount(), 5);
    EXPECT_EQ(doc.m_KoumokuCount, 2);
    EXPECT_EQ(doc.m_GyouCount, 1);
    // A category switch and back changes nothing.
    doc.StoreKoumokuGyou();
    doc.m_CurKoumoku[0] = 2;
    doc.LoadKoumokuGyou();
    EXPECT_EQ(doc.m_GyouCount, 2);
    ASSERT_TRUE(doc.onSaveDocument(path));
    EXPECT_EQ(read(path), bytes);
    EXPECT_EQ(ReadTotalFile(bytes), rows);
}

TEST_F(TotalFileTest, FreedRowIsWrittenBlankAndItsSlotReused) {
    const std::vector<std::string> rows = mixedRows();
    const fs::path path = write("t.TTL", WriteTotalFile(rows, 5));
    CTotalDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path.string()));
    doc.m_CurKoumoku[0] = 2;
    doc.LoadKoumokuGyou();
    // Deleting row 2 of category 2 frees its slot; the count stays.
    doc.EditWorkGyou(2) = G::blankRow();
    doc.StoreKoumokuGyou();
    ASSERT_TRUE(doc.onSaveDocument(path));
    const auto saved = ReadTotalFile(read(path));
    ASSERT_EQ(saved.size(), 5u);
    EXPECT_EQ(saved[4], G::blankRow());
    // A new row takes the first free slot (slot 1) without growing the count.
    doc.LoadKoumokuGyou();
    ASSERT_TRUE(doc.AddGyou());
    EXPECT_EQ(doc.PoolGyouCount(), 5);
    EXPECT_EQ(doc.KoumokuOfSlot(1), 2);
}

TEST_F(TotalFileTest, EmptyFileAndCategory999) {
    CTotalDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(write("empty.TTL", std::string(4, '\0')).string()));
    EXPECT_EQ(doc.PoolGyouCount(), 1);
    EXPECT_EQ(doc.m_GyouCount, 1);
    EXPECT_EQ(doc.m_KoumokuCount, 1);
    EXPECT_EQ(G::koumokuOf(doc.WorkGyouAt(1)), 1);

    std::vector<std::string> rows;
    for (int k = 1; k <= 12; ++k)
        rows.push_back(mstLine(k, 1));
    rows.push_back(mstLine(999, 1));
    ASSERT_TRUE(doc.OnOpenDocument(write("999.TTL", WriteTotalFile(rows, 13)).string()));
    EXPECT_EQ(doc.m_KoumokuCount, 13);
}

// A record another program stored in the archive's wide form (UTF-16) reads as the same CP932
// row; a character CP932 cannot hold, or a cut wide record, refuses the file.
TEST_F(TotalFileTest, WideFormRecordsReadAsCp932) {
    auto wide = [](std::u16string_view text) {
        std::string out = "\xFF\xFE\xFF";
        out += static_cast<char>(text.size());
        for (char16_t ch : text) {
            out += static_cast<char>(ch & 0xFF);
            out += static_cast<char>(ch >> 8);
        }
        return out;
    };
    const std::string one("\x01\0\0\0", 4);
    const std::string row = "00010001" + kiv::text::utf8ToCp932("配管").value();
    EXPECT_EQ(ReadTotalFile(one + wide(u"00010001\u914D\u7BA1")), std::vector<std::string>{row});
    EXPECT_THROW(ReadTotalFile(one + wide(u"00010001\u00E9")), TotalFileError);
    EXPECT_THROW(ReadTotalFile((one + wide(u"00010001\u914D\u7BA1")).substr(0, 14)), TotalFileError);
}

TEST_F(TotalFileTest, DamagedFilesOpenNothingAndNameTheFile) {
    const std::vector<std::string> rows = mixedRows();
    const std::string good = WriteTotalFile(rows, 5);
    std::string overCount = good;
    overCount[0] = '\x31';   // 30001
    overCount[1] = '\x75';
    std::string bigKey = WriteTotalFile({mstLine(1, 1), std::string("1000") + std::string(1396, ' ')}, 2);
    std::vector<std::string> damaged = {overCount, bigKey, good + "x"};
    for (std::size_t cut = 0; cut < good.size(); cut += 97)
        damaged.push_back(good.substr(0, cut));
    const fs::path path = write("t.TTL", good);
    CTotalDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path.string()));
    for (const std::string& bytes : damaged) {
        const fs::path bad = write("bad.TTL", bytes);
        ClearKivPrompts();
        EXPECT_FALSE(doc.OnOpenDocument(bad.string())) << bytes.size();
        ASSERT_EQ(KivRecordedMessages().size(), 1u);
        EXPECT_NE(KivRecordedMessages()[0].find("bad.TTL"), std::string::npos);
        EXPECT_EQ(doc.GetPathName(), path.string());   // the open document is untouched
        EXPECT_EQ(doc.PoolGyouCount(), 5);
    }
    ClearKivPrompts();
}

TEST_F(TotalFileTest, SaveAsWantsTheModesExtensionAndAdoptsTheNewFile) {
    const fs::path path = write("t.TTL", WriteTotalFile(mixedRows(), 5));
    CTotalDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path.string()));
    doc.SetModifiedFlag();
    QueueKivSaveFileAnswer((data / "x.txt").string());
    EXPECT_FALSE(doc.OnFileSaveAs());
    EXPECT_EQ(KivRecordedMessages().back(), "拡張子が「.TTL」でないので保存しませんでした。");
    EXPECT_FALSE(fs::exists(data / "x.txt"));
    EXPECT_EQ(KivRecordedSaveFileRequests().back().filter, "集計(*.TTL)|*.TTL");

    const fs::path copy = data / "copy.ttl";
    QueueKivSaveFileAnswer(copy.string());
    ASSERT_TRUE(doc.OnFileSaveAs());
    EXPECT_EQ(read(copy), read(path));
    EXPECT_EQ(doc.GetPathName(), copy.string());
    EXPECT_FALSE(doc.IsModified());

    // Mode "2" wants .MTL; a file that cannot be written keeps the old one and says so.
    CKivDoc::SetRunMode("2");
    CTotalDoc mech;
    QueueKivSaveFileAnswer((data / "y.TTL").string());
    EXPECT_FALSE(mech.OnFileSaveAs());
    EXPECT_EQ(KivRecordedMessages().back(), "拡張子が「.MTL」でないので保存しませんでした。");
    EXPECT_FALSE(mech.onSaveDocument(data / "no-such-dir" / "z.MTL"));
    EXPECT_EQ(KivRecordedMessages().back(),
              "ファイルが作成できません。\n" + (data / "no-such-dir" / "z.MTL").string() + "\n保存先のフォルダーがありません。");
}

} // namespace
