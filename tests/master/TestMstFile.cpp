// The master file's reader and writer and the master document's opening, saving and Save As.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "estimate/KivDoc.h"
#include "estimate/KivFile.h"
#include "estimate/KivMessage.h"
#include "estimate/MstFile.h"
#include "estimate/MstFileReader.h"
#include "master/MstDoc.h"
#include "master/MstFixture.h"
#include "platform/archive/Archive.h"
#include "platform/files/Files.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using kivtest::mstBytes;
using kivtest::mstLine;
using kivtest::threeCategories;

class MstFileTest : public testing::Test {
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

// A wide-form record as another program writes it: 0xFF, 0xFE 0xFF, a length in UTF-16 units.
std::string wideRecord(std::u16string_view text) {
    std::string out = "\xFF\xFE\xFF";
    out += static_cast<char>(text.size() < 0xFF ? text.size() : 0xFF);
    if (text.size() >= 0xFF) {
        out += static_cast<char>(text.size() & 0xFF);
        out += static_cast<char>(text.size() >> 8);
    }
    for (char16_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

TEST_F(MstFileTest, UnchangedMasterSavesByteForByte) {
    const std::string bytes = mstBytes(threeCategories());
    const fs::path path = write("m.MST", bytes);
    MstDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path.string()));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_KoumokuCount, 3);
    EXPECT_EQ(doc.m_CurKoumoku[0], 1);
    EXPECT_EQ(doc.m_GyouCount, 2);
    EXPECT_TRUE(KivRecordedQuestions().empty());   // the current layout asks nothing
    // A category switch and back, as the tree does, changes nothing either.
    doc.StoreKoumokuGyou();
    doc.m_CurKoumoku[0] = 2;
    doc.LoadKoumokuGyou();
    EXPECT_EQ(doc.m_GyouCount, 2);
    ASSERT_TRUE(doc.onSaveDocument(path));
    EXPECT_EQ(read(path), bytes);
}

TEST_F(MstFileTest, FreeLinesAreDroppedAndTheRestKeepTheirOrder) {
    std::vector<std::string> rows = threeCategories();
    rows.insert(rows.begin() + 2, mstLine(0, 7, {{GyouRecord::Hinmei, "空き"}}));
    std::string blankKey = mstLine(1, 3);
    blankKey.replace(0, 4, "    ");
    rows.push_back(blankKey);
    rows.push_back(std::string(1400, ' '));
    rows.push_back("0000" + std::string(1396, '\0'));
    MstFileContent c = ReadMstFile(mstBytes(rows));
    ASSERT_EQ(c.rows.size(), 5u);
    const std::vector<std::string> expected = threeCategories();
    EXPECT_EQ(c.rows, expected);
    EXPECT_FALSE(c.truncated);
    // The two lines without a category that carry content are counted as damage; the blank ones
    // are plain free slots.
    EXPECT_EQ(c.damagedRows, 2u);
    EXPECT_TRUE(c.partlyRead());
}

TEST_F(MstFileTest, WideLinesAreReadAsCp932) {
    const std::string narrow = mstLine(4, 1, {{GyouRecord::Hinmei, "鋼管"}});
    std::u16string wide;
    const std::string utf8 = kiv::text::toUtf8(narrow);
    // Every character of the line as UTF-16 (the line is ASCII and two kanji).
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            wide += static_cast<char16_t>(c);
            ++i;
        } else {
            wide += static_cast<char16_t>(((c & 0x0F) << 12) | ((utf8[i + 1] & 0x3F) << 6) | (utf8[i + 2] & 0x3F));
            i += 3;
        }
    }
    kiv::archive::ArchiveWriter w;
    w.writeInt32(2);
    w.writeString(mstLine(1, 1));
    std::string bytes = w.take() + wideRecord(wide);
    MstFileContent c = ReadMstFile(bytes);
    ASSERT_EQ(c.rows.size(), 2u);
    EXPECT_EQ(c.rows[1], narrow);

    // A character CP932 lacks: the file is refused, not opened with a guess.
    bytes = std::string("\x01\0\0\0", 4) + wideRecord(u"0001\u00E9");
    EXPECT_THROW(ReadMstFile(bytes), MstFileError);
}

TEST_F(MstFileTest, DamagedFilesOpenNothingAndNameTheFile) {
    const std::string whole = mstBytes(threeCategories());
    std::string huge = whole;
    huge.replace(0, 4, std::string("\xFF\xFF\xFF\x7F", 4));   // a count far beyond the data
    std::string longLen = std::string("\x01\0\0\0", 4) + std::string("\xFF\xFF\xFF\xFF\xFF\xFF\x0F", 7);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"cut.MST", whole.substr(0, whole.size() - 10)},
        {"cut-count.MST", whole.substr(0, 3)},
        {"count.MST", huge},
        {"length.MST", longLen},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        ClearKivPrompts();
        const fs::path path = write(name, bytes);
        MstDoc doc;
        EXPECT_FALSE(doc.OnOpenDocument(path.string()));
        ASSERT_EQ(KivRecordedMessages().size(), 1u);
        EXPECT_NE(KivRecordedMessages()[0].find(name), std::string::npos);
        EXPECT_TRUE(doc.GetPathName().empty());
        EXPECT_EQ(doc.m_KoumokuCount, 1);   // still the new master's one line
    }
    // Every cut-off point is refused, never read past.
    for (std::size_t n = 0; n < whole.size(); n += 211)
        EXPECT_THROW(ReadMstFile(std::string_view(whole).substr(0, n)), MstFileError) << n;
}

// Read from its file a piece at a time, a master gives exactly what its bytes give: the rows, the
// counts of free, damaged, uncounted and unread data, the refusal of a damaged or cut-off file.
// The large file's lines (a wide one among them) run across the reader's buffer; a file that
// cannot be read at all (a folder) is no damage but unreadable, with its reason.
TEST_F(MstFileTest, ReadFromTheFileGivesWhatItsBytesGive) {
    std::vector<std::string> large;
    for (int i = 0; i < 1600; ++i)
        large.push_back(mstLine(1 + i / 700, 1 + i % 700, {{GyouRecord::Hinmei, "品" + std::to_string(i)}}));
    std::string largeBytes = mstBytes(large);
    // A wide line in the middle: the count grows by one and its record goes after line 749.
    std::u16string wideText = u"0002";
    wideText += std::u16string(600, u'x');
    largeBytes.replace(0, 4, mstBytes(std::vector<std::string>(1601)).substr(0, 4));
    const std::size_t afterLine749 = 4 + 750 * (3 + 1400);
    largeBytes.insert(afterLine749, wideRecord(wideText));
    std::vector<std::string> shortLines(kMstMaxRows + 3, "00010001");
    std::string damaged = mstBytes({mstLine(1, 1), "0000" + std::string(1396, 'x'), std::string(1400, ' ')});
    const std::string whole = mstBytes(threeCategories());
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"three categories", whole},
        {"free and damaged lines", damaged},
        {"bytes after the last line", whole + "tail"},
        {"more lines than are kept", mstBytes(shortLines)},
        {"large, with a wide line", largeBytes},
        {"empty", ""},
        {"a count beyond the data", std::string("\x05\0\0\0\x01x", 6)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path path = write("read.MST", c.bytes);
        std::optional<MstFileContent> expected;
        try {
            expected = ReadMstFile(std::string_view(c.bytes));
        } catch (const MstFileError&) {
        }
        if (!expected) {
            EXPECT_THROW(ReadMstFile(path, kiv::files::kMaxReadBytes), MstFileError);
            continue;
        }
        std::string error;
        const auto got = ReadMstFile(path, kiv::files::kMaxReadBytes, &error);
        ASSERT_TRUE(got) << error;
        EXPECT_EQ(got->rows, expected->rows);
        EXPECT_EQ(got->truncated, expected->truncated);
        EXPECT_EQ(got->unreadBytes, expected->unreadBytes);
        EXPECT_EQ(got->damagedRows, expected->damagedRows);
        std::vector<std::string> handed;
        const auto scan =
            ScanMstFile(path, kiv::files::kMaxReadBytes, [&](std::string_view line) { handed.emplace_back(line); });
        ASSERT_TRUE(scan);
        EXPECT_EQ(handed, expected->rows);
        EXPECT_EQ(scan->keptRows, expected->rows.size());
    }
    // Cut anywhere (at the reader's buffer, inside the wide line, inside a length), the large file
    // is refused as its bytes are.
    for (std::size_t n : {std::size_t{2}, std::size_t{1} << 20, (std::size_t{1} << 20) + 1, afterLine749 + 2,
                          afterLine749 + 900, largeBytes.size() - 1}) {
        SCOPED_TRACE(n);
        const fs::path path = write("cut.MST", largeBytes.substr(0, n));
        EXPECT_THROW(ReadMstFile(std::string_view(largeBytes).substr(0, n)), MstFileError);
        EXPECT_THROW(ReadMstFile(path, kiv::files::kMaxReadBytes), MstFileError);
    }
    std::string error;
    EXPECT_FALSE(ReadMstFile(data.path(), kiv::files::kMaxReadBytes, &error));
    EXPECT_NE(error.find(data.path().string()), std::string::npos);
    EXPECT_FALSE(ReadMstFile(write("small.MST", whole), whole.size() - 1, &error));
    MstDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(data.path().string()));
    EXPECT_EQ(KivRecordedMessages(), std::vector<std::string>{"マスターファイル「" + data.path().string() +
                                                              "」を開けません。ファイルを読み込めません。"});
}

TEST_F(MstFileTest, OldLayoutsAreOfferedForConversion) {
    using G = GyouRecord;
    // The previous system's 1252-byte lines, and old electrical lines (1392 bytes), each
    // answered OK/OK and Cancel at the first question.
    std::string setubi = mstLine(1, 1, {{G::Hinmei, "旧"}}).substr(0, kMstSetubiRowLength);
    std::string denki = mstLine(1, 1, {{G::Hinmei, "電気"}}).substr(0, 1392);
    denki.replace(248, 4, "  12");
    struct Case {
        std::string line;
        bool ok;
        const char* question;
        bool denkiMoved;   // the old 継手 value is found in 付属
    } cases[] = {
        {setubi, true, "旧Kivのマスター書式", false},
        {setubi, false, "旧Kivのマスター書式", false},
        {denki, true, "旧電気Kivのマスター書式", true},
        {denki, false, "旧電気Kivのマスター書式", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.question) + (c.ok ? " OK" : " Cancel"));
        ClearKivPrompts();
        QueueKivAnswer(c.ok);
        if (c.ok)
            QueueKivAnswer(true);
        const fs::path path = write("old.MST", mstBytes({c.line}));
        MstDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(path.string()));
        ASSERT_GE(KivRecordedQuestions().size(), 1u);
        EXPECT_NE(KivRecordedQuestions()[0].find(c.question), std::string::npos);
        EXPECT_FALSE(doc.IsModified());
        std::string row;
        doc.GetCurrentGyou(row);
        EXPECT_EQ(row.size(), kMstRowLength);
        EXPECT_EQ(row.substr(268, 4) == "  12", c.denkiMoved);
        EXPECT_EQ(row.substr(248, 4) == "  12", c.line.size() == 1392 && !c.ok);
    }
}

TEST_F(MstFileTest, EmptyFileAsksTheOldElectricalQuestionsAndOpensOneLine) {
    QueueKivAnswer(true);
    QueueKivAnswer(true);
    const fs::path path = write("empty.MST", mstBytes({mstLine(0, 1)}));
    MstDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path.string()));
    EXPECT_EQ(KivRecordedQuestions().size(), 2u);
    EXPECT_EQ(doc.m_KoumokuCount, 1);
    EXPECT_EQ(doc.m_GyouCount, 1);
    std::string row;
    doc.GetCurrentGyou(row);
    EXPECT_EQ(row.substr(0, 8), "00010001");
    EXPECT_EQ(row.substr(272, 5), "  1.0");
}

TEST_F(MstFileTest, ColumnsOfTheIntermediateLayoutAreNormalised) {
    std::string line = mstLine(1, 1);
    line.replace(290, 5, "ABCDE");
    line.replace(300, 10, "0102030405");
    line[310] = ' ';
    std::string want = line;
    want.replace(291, 5, "ABCDE");
    want[290] = ' ';
    want.replace(304, 8, line, 302, 8);
    want[300] = ' ';
    want[301] = ' ';
    NormalizeMstRow(line);
    EXPECT_EQ(line, want);
    // A line whose 310 holds something is of the current layout and stays.
    std::string current = mstLine(1, 1);
    current.replace(300, 12, "010203040506");
    const std::string before = current;
    NormalizeMstRow(current);
    EXPECT_EQ(current, before);
}

TEST_F(MstFileTest, MoreThan30000LinesKeepTheFirst30000WithOneMessage) {
    std::vector<std::string> rows;
    rows.reserve(30001);
    for (int i = 0; i < 30001; ++i)
        rows.push_back(mstLine(1 + i / 9000, 1 + i % 9000));
    const fs::path path = write("big.MST", mstBytes(rows));
    MstDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path.string()));
    EXPECT_EQ(doc.PoolGyouCount(), 30000);
    ASSERT_EQ(KivRecordedMessages().size(), 1u);
    EXPECT_EQ(KivRecordedMessages()[0], "「" + path.string() + "」\n" + MstDoc::kMsgPoolTruncated);
    // The full master takes no further line: the message, nothing changes.
    ClearKivPrompts();
    doc.m_CurKoumoku[0] = 4;
    doc.LoadKoumokuGyou();
    const int lines = doc.PoolGyouCount();
    EXPECT_FALSE(doc.AddGyou());
    EXPECT_EQ(doc.PoolGyouCount(), lines);
    EXPECT_EQ(KivRecordedMessages().back(), MstDoc::kMsgPoolFull);
    EXPECT_TRUE(ParseMstRows(mstBytes(rows), nullptr, false));
    EXPECT_FALSE(ParseMstRows(mstBytes(rows), nullptr, true));
    // 上書き保存 asks before the 30,001st line is lost; Cancel keeps the file.
    const auto size = fs::file_size(path);
    QueueKivAnswer(false);
    EXPECT_FALSE(doc.onSaveDocument(path));
    EXPECT_EQ(KivRecordedQuestions().back(), MstDoc::kAskOverwritePartlyRead);
    EXPECT_EQ(fs::file_size(path), size);
}

TEST_F(MstFileTest, APartlyReadMasterIsNotOverwrittenWithoutAsking) {
    const std::string good = mstBytes(threeCategories());
    std::string lowered = good;
    lowered[0] = 4;
    std::vector<std::string> withZero = threeCategories();
    withZero.insert(withZero.begin() + 1, mstLine(0, 5, {{GyouRecord::Hinmei, "消えた行"}}));
    std::vector<std::string> withOh = threeCategories();
    withOh.push_back(mstLine(3, 2, {{GyouRecord::Hinmei, "O分類"}}).replace(0, 4, "O003"));
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"count lowered", lowered},
        {"bytes appended", good + "0123456789abcdef"},
        {"category 0 line with content", mstBytes(withZero)},
        {"category O003", mstBytes(withOh)},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ClearKivPrompts();
        const fs::path path = write("partly" + std::to_string(n++) + ".MST", c.bytes);
        MstDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(path.string()));
        EXPECT_EQ(KivRecordedMessages(), std::vector<std::string>{KivPartlyReadMessage(path.string())});
        // 上書き保存 asks; Cancel leaves the file byte for byte.
        doc.SetModifiedFlag();
        QueueKivAnswer(false);
        EXPECT_FALSE(doc.onSaveDocument(path));
        EXPECT_EQ(KivRecordedQuestions(), std::vector<std::string>{MstDoc::kAskOverwritePartlyRead});
        EXPECT_EQ(read(path), c.bytes);
        EXPECT_TRUE(doc.IsModified());
        // Another name asks nothing; OK over the file writes what was read, then asks no more.
        ASSERT_TRUE(doc.onSaveDocument(data / "copy.MST"));
        QueueKivAnswer(true);
        ASSERT_TRUE(doc.onSaveDocument(path));
        EXPECT_EQ(read(path), read(data / "copy.MST"));
        ASSERT_TRUE(doc.onSaveDocument(path));
        EXPECT_EQ(KivRecordedQuestions().size(), 2u);
        EXPECT_FALSE(ReadMstFile(read(path)).partlyRead());
    }
}

TEST_F(MstFileTest, CategoryHoldsAtMost9999Rows) {
    std::vector<std::string> rows;
    for (int g = 1; g <= 9999; ++g)
        rows.push_back(mstLine(1, g));
    MstFileContent content = ReadMstFile(mstBytes(rows));
    MstDoc doc;
    doc.LoadMstContent(content);
    EXPECT_EQ(doc.m_GyouCount, 9999);
    const int lines = doc.PoolGyouCount();
    EXPECT_FALSE(doc.AddGyou());
    EXPECT_EQ(doc.PoolGyouCount(), lines);
    EXPECT_EQ(KivRecordedMessages().back(), MstDoc::kMsgBunFull);
}

TEST_F(MstFileTest, SaveAsTakesTheNewPathOnlyWithTheModesExtension) {
    const std::string bytes = mstBytes(threeCategories());
    const fs::path old = write("m.MST", bytes);
    MstDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(old.string()));

    // Not ".MST": nothing written, the reason said, the old path kept.
    const fs::path txt = data / "x.txt";
    QueueKivSaveFileAnswer(txt.string());
    EXPECT_FALSE(doc.OnFileSaveAs());
    EXPECT_FALSE(fs::exists(txt));
    EXPECT_EQ(KivRecordedMessages().back(), "拡張子が「.MST」でないので保存しませんでした。");
    EXPECT_EQ(KivRecordedSaveFileRequests().back().filter, "マスター(*.MST)|*.MST");
    EXPECT_EQ(doc.GetPathName(), old.string());

    // Lower case ".mst" saves and becomes the master's file; 上書き保存 then writes there.
    const fs::path mst = data / "x.mst";
    QueueKivSaveFileAnswer(mst.string());
    ASSERT_TRUE(doc.OnFileSaveAs());
    EXPECT_EQ(read(mst), bytes);
    EXPECT_EQ(doc.GetPathName(), mst.string());
    EXPECT_EQ(doc.title(), "x.mst");
    EXPECT_FALSE(doc.IsModified());
    std::string row;
    doc.GetCurrentGyou(row);
    GyouRecord::putText(row, GyouRecord::Hinmei, "changed");
    doc.SetCurrentGyou(row);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.doFileSave());
    EXPECT_NE(read(mst), bytes);
    EXPECT_EQ(read(old), bytes);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(MstFileTest, SaveAsInMechanicalModeWantsMms) {
    CKivDoc::SetRunMode("2");
    MstDoc doc;
    QueueKivSaveFileAnswer((data / "x.MST").string());
    EXPECT_FALSE(doc.OnFileSaveAs());
    EXPECT_EQ(KivRecordedMessages().back(), "拡張子が「.MMS」でないので保存しませんでした。");
    EXPECT_EQ(KivRecordedSaveFileRequests().back().defaultExtension, "MMS");
}

TEST_F(MstFileTest, FailedWriteKeepsTheOldFileWhole) {
    const std::string bytes = mstBytes(threeCategories());
    const fs::path dir = data / "ro";
    fs::create_directory(dir);
    const fs::path path = dir / "m.MST";
    ASSERT_TRUE(kiv::files::writeFileAtomically(path, bytes));
    MstDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path.string()));
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    const bool refused = !kiv::files::writeFileAtomically(dir / "probe", "x");
    if (refused) {
        EXPECT_FALSE(doc.onSaveDocument(path));
        EXPECT_EQ(KivRecordedMessages().back(), "ファイルが作成できません。");
        EXPECT_EQ(read(path), bytes);
    }
    fs::permissions(dir, fs::perms::owner_all);
}

TEST_F(MstFileTest, MissingSettingsFileLeavesCodesThatMatchNothing) {
    fs::remove(exeDir / "電気設定.ett");
    MstDoc doc;
    ASSERT_EQ(KivRecordedMessages().size(), 1u);
    EXPECT_NE(KivRecordedMessages()[0].find("電気設定.ett"), std::string::npos);
    for (int code : doc.m_SetteiValues.codes)
        EXPECT_EQ(code, 0);
    EXPECT_FALSE(doc.m_SetteiValues.matches(EnzanCode::Unpanhi, 0));
}

TEST_F(MstFileTest, ClosingMakesAnotherOpenMasterCurrent) {
    auto a = std::make_unique<MstDoc>();
    auto b = std::make_unique<MstDoc>();
    EXPECT_EQ(g_pMstDoc, b.get());
    a->MakeCurrent();
    EXPECT_EQ(g_pMstDoc, a.get());
    a.reset();
    EXPECT_EQ(g_pMstDoc, b.get());
    b.reset();
    EXPECT_EQ(g_pMstDoc, nullptr);
}

} // namespace

namespace {

// The template reader that keeps no rows finds what the search over every row read finds, and
// fails with the same message: templates (a later match winning), a free line, a wide line, an
// old first line, a cut-off file, too many rows when the whole file is asked for, no file.
TEST_F(MstFileTest, TheTemplateReaderFindsWhatTheSearchOverEveryRowFinds) {
    SetteiValues codes;
    for (int k = 0; k < kKeisanTemplateCount; ++k)
        codes.codes[static_cast<std::size_t>(KeisanTemplateKind(k))] = 100 + k;
    auto line = [](int bun, int gyou, const std::string& name) {
        std::string row = GyouRecord::blankRow();
        GyouRecord::writeKey(row, bun, gyou);
        GyouRecord::putText(row, GyouRecord::Hinmei, name);
        return row;
    };
    auto file = [](const std::vector<std::string>& records, int count = -1) {
        kiv::archive::ArchiveWriter w;
        w.writeInt32(count < 0 ? static_cast<std::int32_t>(records.size()) : count);
        std::string bytes = w.take();
        for (const std::string& r : records) {
            kiv::archive::ArchiveWriter one;
            one.writeString(r);
            bytes += r.rfind("\xFF\xFE\xFF", 0) == 0 ? r : one.take();
        }
        return bytes;
    };
    std::string wide = wideRecord(u"0101");
    std::vector<std::string> many;
    for (int i = 0; i < kMstMaxRows + 1; ++i)
        many.push_back(line(100 + i % 13, 1 + i / 13, "R"));
    struct Case {
        const char* what;
        std::string bytes;   // empty: no file
        bool wholeOnly = false;
    } cases[] = {
        {"templates", file({line(100, 1, "A"), line(100, 2, "JOINT"), line(111, 2, "EXPENSE"), line(111, 2, "LATER"),
                            line(112, 3, "NOT ROW 2")})},
        {"a free line and a wide one", file({line(100, 1, "A"), line(0, 2, ""), wide, line(101, 2, "B")})},
        {"an old first line", file({std::string(1252, ' ').replace(0, 8, "01000002"), line(100, 2, "A")})},
        {"cut off", file({line(100, 2, "A")}).substr(0, 700)},
        {"a count beyond the data", file({line(100, 2, "A")}, 5)},
        {"too many rows, read whole", file(many), true},
        {"too many rows, read as far as kept", file(many)},
        {"no file", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path path = c.bytes.empty() ? data / "none.MST" : write("t.MST", c.bytes);
        std::string rowsMessage, templatesMessage;
        const auto rows = ReadMstRows(path, rowsMessage, c.wholeOnly);
        const auto templates = ReadKeisanTemplates(path, codes, templatesMessage, c.wholeOnly);
        ASSERT_EQ(templates.has_value(), rows.has_value());
        EXPECT_EQ(templatesMessage, rowsMessage);
        if (!rows)
            continue;
        const KeisanTemplates expected = FindKeisanTemplates(*rows, codes);
        EXPECT_EQ(templates->oldLayout, expected.oldLayout);
        EXPECT_EQ(templates->rows, expected.rows);
    }
}

} // namespace
