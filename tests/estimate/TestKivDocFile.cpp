#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "estimate/KivFile.h"
#include "estimate/KivMessage.h"
#include "estimate/RoumuFile.h"
#include "estimate/SetteiFile.h"
#include "platform/archive/Archive.h"
#include "platform/files/Files.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using kiv::files::readFile;
using kiv::files::writeFileAtomically;

namespace {

const std::string kAskSetubi = "旧Kivの内訳書の書式のためKiv用に変換します。";
const std::string kAskDenki = "電気Kivの内訳書の書式のためKiv用に変換します。";
const std::string kAskIrreversible = "実行すると元には戻りません。";
const std::string kCannotCreate = "ファイルが作成できません。";
const std::string kMsgTruncated = "データ数が最大値を超えましたので途中までしか読み込みできませんでした。";

std::string makeRow(int item, int gyou, const std::string& name = "", std::size_t length = 1400) {
    std::string row = GyouRecord::blankRow();
    GyouRecord::writeKey(row, item, gyou);
    GyouRecord::putText(row, GyouRecord::Hinmei, name);
    row.resize(length, ' ');
    return row;
}

std::array<std::string, kKivHyousiCount> covers() {
    std::array<std::string, kKivHyousiCount> h;
    for (int i = 0; i < kKivHyousiCount; ++i)
        h[static_cast<std::size_t>(i)] = "cover" + std::to_string(i + 1);
    return h;
}

std::string kivBytes(const std::vector<std::string>& rows) { return WriteKivFile(covers(), rows); }

// Runs the test in a folder of its own: untitled backups go to the current folder.
class ScopedCwd {
public:
    explicit ScopedCwd(const fs::path& dir) : m_Old(fs::current_path()) { fs::current_path(dir); }
    ~ScopedCwd() { fs::current_path(m_Old); }

private:
    fs::path m_Old;
};

class KivDocFileTest : public testing::Test {
protected:
    void SetUp() override {
        ClearKivPrompts();
        for (const char* name : {"労務単価.rab", "電気設定.ett", "機械設定.mtt", "ヘッダー.hdr", "表紙.frm"})
            ASSERT_TRUE(writeFileAtomically(m_ExeDir / name, ""));
        CKivDoc::SetRunMode("1");
        CKivDoc::SetProgramDirectory(m_ExeDir.path());
    }
    void TearDown() override {
        CKivDoc::s_BackupWriter = nullptr;
        CKivDoc::SetProgramDirectory({});
        CKivDoc::SetRunMode("");
    }

    // A new estimate document opened on `bytes` written to `name` in the data folder.
    std::unique_ptr<CKivDoc> open(const std::string& bytes, const std::string& name = "job.KIV") {
        const std::string path = (m_Data / name).string();
        EXPECT_TRUE(writeFileAtomically(path, bytes));
        auto doc = std::make_unique<CKivDoc>();
        EXPECT_TRUE(doc->OnOpenDocument(path));
        return doc;
    }

    kiv::test::ScopedProfileHome m_Home;
    kiv::test::TempDir m_ExeDir;
    kiv::test::TempDir m_Data;
};

std::vector<std::string> poolRows(const CKivDoc& doc) {
    return {doc.PoolRows().begin(), doc.PoolRows().end()};
}

// A view that records the load-time style check.
class RecordingView : public KivDocView {
public:
    explicit RecordingView(CKivDoc& doc) : m_Doc(doc) { doc.SetView(this); }
    ~RecordingView() override { m_Doc.SetView(nullptr); }
    void ReloadGyou() override { events.push_back("reload"); }
    bool InsertGyou() override { return false; }
    void ApplyBubunTensou() override {}
    void OnDocumentUpdate() override { events.push_back("update"); }
    void CheckKeisanModeAfterLoad() override {
        events.push_back("check " + std::to_string(m_Doc.m_CurKoumoku[0]) + " " + std::to_string(m_Doc.m_GyouCount));
    }
    std::vector<std::string> events;

private:
    CKivDoc& m_Doc;
};

} // namespace

TEST_F(KivDocFileTest, OpenThenSaveIsByteIdentical) {
    const std::vector<std::string> rows = {makeRow(1, 1, "A1"), makeRow(1, 2, "A2"), makeRow(2, 1, "B1"),
                                           makeRow(3, 1, "C1") + "tail beyond 1400"};
    const std::string bytes = kivBytes(rows);
    auto doc = open(bytes);
    EXPECT_EQ(doc->m_HyousiData, covers());   // element 18 was stored fourth
    EXPECT_EQ(poolRows(*doc), rows);
    EXPECT_EQ(doc->m_KoumokuCount, 3);
    EXPECT_EQ(doc->m_GyouCount, 2);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(KivRecordedQuestions().empty());

    doc->SetModifiedFlag();
    ASSERT_TRUE(doc->OnFileSave());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(readFile(doc->GetPathName()), bytes);
    EXPECT_TRUE(KivRecordedMessages().empty());
}

TEST_F(KivDocFileTest, LoadRunsTheStyleCheckOnceWithItemOneLoaded) {
    auto doc = std::make_unique<CKivDoc>();
    RecordingView view(*doc);
    const std::string path = (m_Data / "a.KIV").string();
    ASSERT_TRUE(writeFileAtomically(path, kivBytes({makeRow(1, 1), makeRow(1, 2), makeRow(2, 1)})));
    ASSERT_TRUE(doc->OnOpenDocument(path));
    EXPECT_EQ(view.events, (std::vector<std::string>{"reload", "check 1 2", "update"}));
    EXPECT_EQ(doc->GetPathName(), path);
}

TEST_F(KivDocFileTest, FreeRowsAreDroppedOnLoadAndWrittenBySave) {
    // Blank free rows (a key of 0, none, a negative one, nothing after it) go without a word.
    auto doc = open(kivBytes({makeRow(0, 0), makeRow(1, 1, "A1"), std::string(1400, ' '), makeRow(2, 1, "B1"),
                              "-001", makeRow(3, 1, "C1"), "O002" + std::string(1396, '\0')}));
    EXPECT_TRUE(KivRecordedMessages().empty());
    EXPECT_TRUE(doc->TruncatedSource().empty());
    EXPECT_EQ(poolRows(*doc), (std::vector<std::string>{makeRow(1, 1, "A1"), makeRow(2, 1, "B1"), makeRow(3, 1, "C1")}));

    // Deleting item 1 leaves a free row in the pool, which the file keeps until the next load.
    doc->DeleteKoumoku();
    ASSERT_TRUE(doc->OnFileSave());
    KivFileContent saved = ReadKivFile(*readFile(doc->GetPathName()));
    EXPECT_EQ(saved.rows.size(), 3u);
    EXPECT_TRUE(GyouRecord::isFreeRow(saved.rows[0]));

    CKivDoc again;
    ASSERT_TRUE(again.OnOpenDocument(doc->GetPathName()));
    EXPECT_EQ(poolRows(again), (std::vector<std::string>{makeRow(1, 1, "B1"), makeRow(2, 1, "C1")}));
}

TEST_F(KivDocFileTest, AFileOfFreeRowsAsksTheElectricalQuestionsAndOpensWithAFreshItem) {
    // No row kept: the first row counts as one character long, so the old electrical layout is
    // offered whatever the answers; either way the estimate opens with item 1, row 1.
    const std::vector<std::vector<bool>> answers = {{true, true}, {true, false}, {false}};
    for (const auto& a : answers) {
        ClearKivPrompts();
        for (bool ok : a)
            QueueKivAnswer(ok);
        auto doc = open(kivBytes({makeRow(0, 1), makeRow(0, 2)}));
        std::vector<std::string> asked = {kAskDenki, kAskIrreversible};
        asked.resize(a.size());
        EXPECT_EQ(KivRecordedQuestions(), asked);
        EXPECT_EQ(KivUnexpectedQuestions(), 0);
        EXPECT_EQ(doc->PoolGyouCount(), 1);
        EXPECT_EQ(doc->PoolGyou(0).substr(0, 8), "00010001");
        EXPECT_EQ(doc->PoolGyou(0).size(), 1400u);
        EXPECT_EQ(doc->m_GyouCount, 1);
    }
}

TEST_F(KivDocFileTest, OldLayoutsAreConvertedOnlyAfterBothQuestions) {
    std::string setubi = makeRow(1, 1, "S", 1252);
    setubi.replace(1240, 12, "END OF 1252 ");
    std::string denki = makeRow(1, 1, "D", 1000);
    denki.replace(248, 4, "JOIN");
    denki.replace(252, 4, "ABCD");
    // A first row longer than a row is of no known layout either: the electrical questions.
    std::string longer = makeRow(1, 1, "L", 1410);
    longer.replace(1400, 10, "0123456789");
    const std::string setubiFile = kivBytes({setubi, makeRow(1, 2, "S2", 1252)});
    const std::string denkiFile = kivBytes({denki});
    const std::string longerFile = kivBytes({longer, makeRow(1, 2, "L2")});

    // The previous system's rows only gain blanks up to a row's length.
    const std::string setubiPadded = setubi + std::string(148, ' ');
    // The old electrical row: eight blanks opened at 252 (ABCD moves to 260), the old value at
    // 248-251 moved to 268-271, then blanks up to a row's length.
    const std::string denkiConverted =
        denki.substr(0, 248) + std::string(12, ' ') + "ABCD" + std::string(4, ' ') + "JOIN" + denki.substr(264) +
        std::string(392, ' ');
    const std::string denkiPadded = denki + std::string(400, ' ');

    struct Case {
        const std::string* file;
        std::vector<bool> answers;
        std::vector<std::string> questions;
        std::string firstRow;
    };
    const Case cases[] = {
        {&setubiFile, {true, true}, {kAskSetubi, kAskIrreversible}, setubiPadded},
        // Declined: nothing moves; the row is only padded, which for this layout is the same.
        {&setubiFile, {true, false}, {kAskSetubi, kAskIrreversible}, setubiPadded},
        {&setubiFile, {false}, {kAskSetubi}, setubiPadded},
        {&denkiFile, {true, true}, {kAskDenki, kAskIrreversible}, denkiConverted},
        {&denkiFile, {true, false}, {kAskDenki, kAskIrreversible}, denkiPadded},
        {&denkiFile, {false}, {kAskDenki}, denkiPadded},
        // Converted, the long row is cut to a row after the opened blanks; declined, it is kept
        // whole, since only the conversions cut rows.
        {&longerFile, {true, true}, {kAskDenki, kAskIrreversible}, makeRow(1, 1, "L")},
        {&longerFile, {false}, {kAskDenki}, longer},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "first row of " << (c.file == &setubiFile ? 1252 : c.file == &denkiFile ? 1000 : 1410)
                                        << " bytes, " << c.answers.size() << " answers");
        ClearKivPrompts();
        for (bool a : c.answers)
            QueueKivAnswer(a);
        auto doc = open(*c.file);
        EXPECT_EQ(KivRecordedQuestions(), c.questions);
        EXPECT_EQ(KivUnexpectedQuestions(), 0);
        ASSERT_EQ(doc->PoolGyou(0).size(), c.firstRow.size());
        EXPECT_EQ(doc->PoolGyou(0), c.firstRow);
        for (int i = 1; i < doc->PoolGyouCount(); ++i)
            EXPECT_EQ(doc->PoolGyou(i).size(), 1400u);
    }
    // The converted electrical row: the old 248-251 value is in 付属, 接合 and ﾊﾂﾘ are open.
    QueueKivAnswer(true);
    QueueKivAnswer(true);
    auto doc = open(denkiFile);
    EXPECT_EQ(doc->PoolGyou(0).substr(248, 24), "            ABCD    JOIN");
}

TEST_F(KivDocFileTest, ShortRowsOfACurrentFileArePadded) {
    auto doc = open(kivBytes({makeRow(1, 1, "A"), "00010002"}));
    EXPECT_TRUE(KivRecordedQuestions().empty());
    EXPECT_EQ(doc->PoolGyou(1), "00010002" + std::string(1392, ' '));
    EXPECT_EQ(doc->WorkGyouAt(2).size(), 1400u);
}

TEST_F(KivDocFileTest, DamagedFilesDoNotOpenAndLeaveTheDocumentAlone) {
    const std::string good = kivBytes({makeRow(1, 1, "A"), makeRow(1, 2, "B")});
    std::vector<std::string> damaged;
    for (std::size_t cut : {std::size_t{2}, std::size_t{20}, good.size() - 1403, good.size() - 700, good.size() - 1})
        damaged.push_back(good.substr(0, cut));
    {
        // A row whose length prefix claims almost 4 GB.
        kiv::archive::ArchiveWriter w;
        w.writeInt32(1);
        for (int i = 0; i < kKivHyousiCount; ++i)
            w.writeString("");
        damaged.push_back(w.take() + std::string("\xFF\xFF\xFF\xF0\xFF\xFF\xFF" "xx", 9));
    }
    damaged.push_back(std::string("\xFF\xFF\xFF\xFF", 4) + good.substr(4));   // -1 rows
    damaged.push_back(std::string("\x31\x75\x00\x00", 4) + good.substr(4));   // 30001 rows

    auto doc = open(kivBytes({makeRow(1, 1, "KEEP")}));
    const std::string kept = doc->PoolGyou(0);
    const std::string keptPath = doc->GetPathName();
    int n = 0;
    for (const auto& bytes : damaged) {
        ClearKivPrompts();
        const std::string path = (m_Data / ("bad" + std::to_string(n++) + ".KIV")).string();
        ASSERT_TRUE(writeFileAtomically(path, bytes));
        EXPECT_FALSE(doc->OnOpenDocument(path)) << n;
        ASSERT_EQ(KivRecordedMessages().size(), 1u) << n;
        EXPECT_NE(KivRecordedMessages()[0].find(path), std::string::npos) << KivRecordedMessages()[0];
        EXPECT_EQ(doc->PoolGyou(0), kept);
        EXPECT_EQ(doc->GetPathName(), keptPath);
    }
    ClearKivPrompts();
    EXPECT_FALSE(doc->OnOpenDocument((m_Data / "missing.KIV").string()));
    EXPECT_EQ(KivRecordedMessages().size(), 1u);
}

TEST_F(KivDocFileTest, ATruncatedEstimateIsNotOverwrittenWithoutAsking) {
    std::vector<std::string> rows;
    for (int i = 0; i < 10001; ++i)
        rows.push_back(makeRow(i < 5000 ? 1 : 2, i < 5000 ? i + 1 : i - 4999));
    const std::string bytes = kivBytes(rows);
    auto doc = open(bytes);
    EXPECT_EQ(KivRecordedMessages(), std::vector<std::string>{kMsgTruncated});
    EXPECT_EQ(doc->PoolGyouCount(), 9999);
    EXPECT_EQ(doc->TruncatedSource(), doc->GetPathName());

    // Cancel: the full file stays.
    QueueKivAnswer(false);
    doc->SetModifiedFlag();
    EXPECT_FALSE(doc->OnFileSave());
    EXPECT_EQ(KivRecordedQuestions().size(), 1u);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(readFile(doc->GetPathName()), bytes);

    // Save As elsewhere asks nothing.
    QueueKivSaveFileAnswer((m_Data / "copy.KIV").string());
    const std::string original = doc->GetPathName();
    ASSERT_TRUE(doc->OnFileSaveAs());
    EXPECT_EQ(KivRecordedQuestions().size(), 1u);
    EXPECT_EQ(ReadKivFile(*readFile(m_Data / "copy.KIV")).rows.size(), 9999u);

    // Back over the original: asked again; OK writes, and later saves ask no more.
    QueueKivSaveFileAnswer(original);
    QueueKivAnswer(true);
    ASSERT_TRUE(doc->OnFileSaveAs());
    EXPECT_EQ(KivRecordedQuestions().size(), 2u);
    EXPECT_EQ(ReadKivFile(*readFile(original)).rows.size(), 9999u);
    EXPECT_TRUE(doc->TruncatedSource().empty());
    ASSERT_TRUE(doc->OnFileSave());
    EXPECT_EQ(KivRecordedQuestions().size(), 2u);
}

TEST_F(KivDocFileTest, OnlyAFileBeyondTheRowLimitCountsAsCutOff) {
    struct Case {
        int rows;
        bool cut;
    };
    for (const Case c : {Case{9999, false}, Case{10000, true}}) {
        SCOPED_TRACE(testing::Message() << c.rows << " rows");
        ClearKivPrompts();
        std::vector<std::string> rows;
        for (int i = 0; i < c.rows; ++i)
            rows.push_back(makeRow(i < 5000 ? 1 : 2, i < 5000 ? i + 1 : i - 4999));
        const std::string bytes = kivBytes(rows);
        auto doc = open(bytes, "rows" + std::to_string(c.rows) + ".KIV");
        EXPECT_EQ(doc->PoolGyouCount(), 9999);   // all kept, or the first 9999
        EXPECT_EQ(KivRecordedMessages(), c.cut ? std::vector<std::string>{kMsgTruncated} : std::vector<std::string>{});
        EXPECT_EQ(doc->TruncatedSource(), c.cut ? doc->GetPathName() : std::string());

        // Saving over the file asks only when rows were left out; declined, the file stays.
        doc->SetModifiedFlag();
        if (c.cut)
            QueueKivAnswer(false);
        EXPECT_EQ(doc->OnFileSave(), !c.cut);
        EXPECT_EQ(KivRecordedQuestions().size(), c.cut ? 1u : 0u);
        EXPECT_EQ(doc->IsModified(), c.cut);
        if (c.cut)
            EXPECT_EQ(readFile(doc->GetPathName()), bytes);
        else
            EXPECT_EQ(ReadKivFile(*readFile(doc->GetPathName())).rows.size(), 9999u);
    }
}

TEST_F(KivDocFileTest, SaveAndBackupKeepTheFilesPermissions) {
    auto doc = open(kivBytes({makeRow(1, 1, "A")}));
    const fs::path path = doc->GetPathName();
    const fs::path backup = m_Data / "jobBkUp.KIV";
    const auto groupReadable = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;   // 0640
    const auto ownerOnly = fs::perms::owner_read | fs::perms::owner_write;                                // 0600
    fs::permissions(path, groupReadable);
    doc->SaveBkUp();
    ASSERT_TRUE(fs::exists(backup));
    fs::permissions(backup, ownerOnly);

    doc->SetModifiedFlag();
    ASSERT_TRUE(doc->OnFileSave());
    doc->SaveBkUp();
    EXPECT_EQ(fs::status(path).permissions(), groupReadable);
    EXPECT_EQ(fs::status(backup).permissions(), ownerOnly);
    ASSERT_TRUE(doc->OnFileSave());
    EXPECT_EQ(fs::status(path).permissions(), groupReadable);
    EXPECT_EQ(ReadKivFile(*readFile(backup)).rows, std::vector<std::string>{makeRow(1, 1, "A")});
}

TEST_F(KivDocFileTest, AFileWithDataAfterItsLastRowOpensWhatIsReadableAndIsNotOverwrittenWithoutAsking) {
    const std::vector<std::string> rows = {makeRow(1, 1, "A1"), makeRow(1, 2, "A2"), makeRow(2, 1, "B1"),
                                           makeRow(2, 2, "B2"), makeRow(3, 1, "C1")};
    const std::string good = kivBytes(rows);
    auto withCount = [&](std::int32_t n) {
        std::string b = good;
        b[0] = static_cast<char>(n);
        return b;
    };
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::string> shown;   // the pool after opening
        int questionsOnOpen;              // the old electrical questions of an estimate left empty
    };
    // A row without a usable item number that carries content is no free row: its loss is said.
    const auto keyed = [](std::string row, const std::string& key) { return row.replace(0, 4, key); };
    const auto withRow = [&](std::size_t at, const std::string& row) {
        std::vector<std::string> r = rows;
        r.insert(r.begin() + static_cast<std::ptrdiff_t>(at), row);
        return kivBytes(r);
    };
    const Case cases[] = {
        {"count lowered by one", withCount(4), {rows.begin(), rows.begin() + 4}, 0},
        {"count set to 0", withCount(0), {}, 1},
        {"16 bytes appended", good + "0123456789abcdef", rows, 0},
        {"item number O002", withRow(2, keyed(makeRow(2, 3, "B3"), "O002")), rows, 0},
        {"item number of NUL bytes", withRow(5, keyed(makeRow(3, 2, "C2"), std::string(4, '\0'))), rows, 0},
        {"item 0 with a name", withRow(0, makeRow(0, 0, "freed")), rows, 0},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string name = "damaged" + std::to_string(n++) + ".KIV";
        ClearKivPrompts();
        QueueKivAnswer(false);   // Cancel at the old electrical question, when it comes
        auto doc = open(c.bytes, name);
        const std::string path = doc->GetPathName();
        ASSERT_EQ(KivRecordedMessages().size(), 1u);
        EXPECT_EQ(KivRecordedMessages()[0], KivPartlyReadMessage(path));
        EXPECT_NE(KivRecordedMessages()[0].find(path), std::string::npos);
        ASSERT_EQ(KivRecordedQuestions().size(), static_cast<std::size_t>(c.questionsOnOpen));
        const std::vector<std::string> opened = poolRows(*doc);
        if (c.shown.empty()) {
            // Nothing counted: the estimate opens with a fresh item 1, row 1.
            ASSERT_EQ(opened.size(), 1u);
            EXPECT_EQ(opened[0].substr(0, 8), "00010001");
        } else {
            EXPECT_EQ(opened, c.shown);
        }
        EXPECT_EQ(doc->TruncatedSource(), path);

        // 上書き保存, Cancel: the user's file stays byte for byte.
        ClearKivPrompts();
        QueueKivAnswer(false);
        doc->SetModifiedFlag();
        EXPECT_FALSE(doc->OnFileSave());
        ASSERT_EQ(KivRecordedQuestions().size(), 1u);
        EXPECT_NE(KivRecordedQuestions()[0].find("上書き保存しますか"), std::string::npos);
        EXPECT_TRUE(doc->IsModified());
        EXPECT_EQ(readFile(path), c.bytes);

        // Save As to a new name asks nothing and writes the rows that were read.
        const std::string copy = (m_Data / ("copy-" + name)).string();
        QueueKivSaveFileAnswer(copy);
        ASSERT_TRUE(doc->OnFileSaveAs());
        EXPECT_EQ(KivRecordedQuestions().size(), 1u);
        KivFileContent copied = ReadKivFile(*readFile(copy));
        EXPECT_EQ(copied.unreadBytes, 0u);
        EXPECT_EQ(copied.rows, opened);

        // Opened again, 上書き保存 with OK replaces the damaged file with what was read; then
        // saving asks no more.
        ClearKivPrompts();
        QueueKivAnswer(false);
        CKivDoc again;
        ASSERT_TRUE(again.OnOpenDocument(path));
        ClearKivPrompts();
        QueueKivAnswer(true);
        again.SetModifiedFlag();
        ASSERT_TRUE(again.OnFileSave());
        EXPECT_EQ(KivRecordedQuestions().size(), 1u);
        EXPECT_EQ(readFile(path), readFile(copy));
        EXPECT_TRUE(again.TruncatedSource().empty());
        ASSERT_TRUE(again.OnFileSave());
        EXPECT_EQ(KivRecordedQuestions().size(), 1u);
        EXPECT_EQ(KivUnexpectedQuestions(), 0);
    }
}

TEST_F(KivDocFileTest, SaveOfAnUntitledEstimateRunsTheModesSaveAs) {
    struct Case {
        const char* mode;
        KivSaveFileRequest want;
    };
    const Case cases[] = {
        {"1", {"KIV", "", "KIV(*.KIV)|*.KIV|全て(*.*)|*.*|"}},
        {"2", {"MES", "", "MES(*.MES)|*.MES|全て(*.*)|*.*|"}},
    };
    for (const auto& c : cases) {
        ClearKivPrompts();
        CKivDoc::SetRunMode(c.mode);
        CKivDoc doc;
        doc.OnNewDocument();
        doc.SetModifiedFlag();
        // Cancel: nothing written, nothing changed.
        QueueKivSaveFileAnswer(std::nullopt);
        EXPECT_FALSE(doc.OnFileSave());
        ASSERT_EQ(KivRecordedSaveFileRequests().size(), 1u);
        EXPECT_EQ(KivRecordedSaveFileRequests()[0], c.want);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_TRUE(doc.GetPathName().empty());
        EXPECT_TRUE(fs::is_empty(m_Data.path()));

        const std::string path = (m_Data / (std::string("new") + c.mode)).string();
        QueueKivSaveFileAnswer(path);
        ASSERT_TRUE(doc.OnFileSave());
        EXPECT_EQ(doc.GetPathName(), path);
        EXPECT_FALSE(doc.IsModified());
        KivFileContent saved = ReadKivFile(*readFile(path));
        ASSERT_EQ(saved.rows.size(), 1u);
        EXPECT_EQ(saved.rows[0].substr(0, 8), "00010001");

        // The next Save As proposes the current path.
        QueueKivSaveFileAnswer(std::nullopt);
        EXPECT_FALSE(doc.OnFileSaveAs());
        EXPECT_EQ(KivRecordedSaveFileRequests().back().proposedName, path);
        fs::remove(path);
    }
}

TEST_F(KivDocFileTest, AFailedWriteKeepsTheOldFileAndSaysSoOnce) {
    auto doc = open(kivBytes({makeRow(1, 1, "OLD")}));
    const std::string path = doc->GetPathName();
    const auto old = readFile(path);
    doc->m_HyousiData[0] = std::string(4000, 'x');
    doc->SetModifiedFlag();

    // Files may not grow beyond 1000 bytes for a moment: the write fails for root too.
    bool ok = true;
    {
        kiv::test::ScopedFileSizeLimit limit(1000);
        ok = doc->OnFileSave();
    }

    EXPECT_FALSE(ok);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(readFile(path), old);
    EXPECT_EQ(KivRecordedMessages(), std::vector<std::string>{std::string(kCannotCreate) + "\n" + path +
                                                               "\nファイルが大きすぎます。"});
    std::size_t files = 0;
    for ([[maybe_unused]] auto& e : fs::directory_iterator(m_Data.path()))
        ++files;
    EXPECT_EQ(files, 1u);   // no temporary file left behind
}

TEST_F(KivDocFileTest, BackupHoldsTheWorkAreaWithoutStoringIt) {
    auto doc = open(kivBytes({makeRow(1, 1, "A1"), makeRow(2, 1, "B1"), makeRow(1, 2, "A2")}), "job.old.KIV");
    doc->m_CurGyou[0] = 2;
    ASSERT_TRUE(doc->SetCurrentGyou(makeRow(1, 2, "EDITED")));
    const bool modified = doc->IsModified();
    doc->SaveBkUp();

    const fs::path backup = m_Data / "job.oldBkUp.KIV";
    EXPECT_EQ(doc->m_PathText, backup.string());
    KivFileContent b = ReadKivFile(*readFile(backup));
    EXPECT_EQ(b.rows, (std::vector<std::string>{makeRow(1, 1, "A1"), makeRow(2, 1, "B1"), makeRow(1, 2, "EDITED")}));
    EXPECT_EQ(b.hyousi, covers());
    EXPECT_EQ(doc->PoolGyou(2), makeRow(1, 2, "A2"));   // the pool is as it was
    EXPECT_EQ(doc->GetPathName(), (m_Data / "job.old.KIV").string());
    EXPECT_EQ(doc->IsModified(), modified);
}

TEST_F(KivDocFileTest, UntitledBackupsGoToTheCurrentFolderByMode) {
    ScopedCwd cwd(m_Data.path());
    CKivDoc::SetRunMode("2");
    CKivDoc doc;
    doc.OnNewDocument();
    doc.OnCloseDocument();
    EXPECT_TRUE(fs::exists(m_Data / "BkUp.MES"));
    EXPECT_EQ(ReadKivFile(*readFile(m_Data / "BkUp.MES")).rows.size(), 1u);
    EXPECT_EQ(g_pKivDoc, nullptr);
}

TEST_F(KivDocFileTest, AFailedBackupIsReportedOnceAndDoesNotStopClosing) {
    auto doc = std::make_unique<CKivDoc>();
    doc->SetPathName((m_Data / "no such folder" / "job.KIV").string());
    doc->SaveBkUp();
    doc->SaveBkUp();
    EXPECT_EQ(KivRecordedMessages(), std::vector<std::string>{std::string(kCannotCreate) + "\n" +
                                                               (m_Data / "no such folder" / "jobBkUp.KIV").string() +
                                                               "\n保存先のフォルダーがありません。"});
    doc->OnCloseDocument();
    EXPECT_EQ(g_pKivDoc, nullptr);
    EXPECT_EQ(g_OpenKivDocs.Slot[0], nullptr);
}

TEST_F(KivDocFileTest, OldElectricalConversionCommand) {
    std::string denkiLike = makeRow(1, 1, "A");
    denkiLike.replace(248, 4, "JOIN");
    auto doc = open(kivBytes({makeRow(1, 1, "A"), denkiLike.substr(0, 1400)}));
    doc->m_CurGyou[0] = 2;

    QueueKivAnswer(false);
    EXPECT_EQ(doc->OldDenkiHenkan(), KivDenkiHenkan::Cancelled);
    QueueKivAnswer(true);
    QueueKivAnswer(false);
    EXPECT_EQ(doc->OldDenkiHenkan(), KivDenkiHenkan::Closing);
    EXPECT_EQ(doc->PoolGyou(1).substr(248, 4), "JOIN");
    EXPECT_FALSE(doc->IsModified());

    QueueKivAnswer(true);
    QueueKivAnswer(true);
    EXPECT_EQ(doc->OldDenkiHenkan(), KivDenkiHenkan::Converted);
    EXPECT_EQ(KivRecordedQuestions(), (std::vector<std::string>{"電気Kivの内訳書をKiv用に変換します。", "電気Kivの内訳書をKiv用に変換します。",
                                                                kAskIrreversible, "電気Kivの内訳書をKiv用に変換します。",
                                                                kAskIrreversible}));
    EXPECT_EQ(doc->PoolGyou(1).substr(248, 24), std::string(20, ' ') + "JOIN");
    EXPECT_EQ(doc->WorkGyouAt(2).substr(268, 4), "JOIN");
    EXPECT_EQ(doc->m_CurGyou[0], 2);
    EXPECT_TRUE(doc->IsModified());
}

// ---------------------------------------------------------------------------------------------
// Reference records read at creation

TEST_F(KivDocFileTest, ReferenceRecordsAreReadAndParsedAtCreation) {
    RoumuList roumu;
    roumu.add(*RoumuRecord::build("1", "配管工", "100", "200"));
    ASSERT_TRUE(writeRoumuFile(m_ExeDir / "労務単価.rab", roumu));
    SetteiRecord settei;
    settei.setCode(EnzanCode::Syoukei, "0120");
    settei.setSekisanYousiki(true);
    ASSERT_TRUE(writeSetteiFile(m_ExeDir / "機械設定.mtt", settei));
    std::string hedder(256, ' ');
    hedder.replace(0, 4, "LEFT");
    hedder.replace(31, 3, " 12");
    ASSERT_TRUE(writeFileAtomically(m_ExeDir / "ヘッダー.hdr", hedder));
    std::string hyousi(752, ' ');
    hyousi.replace(0, 5, "TITLE");
    hyousi.replace(749, 3, "  9");
    ASSERT_TRUE(writeFileAtomically(m_ExeDir / "表紙.frm", hyousi));

    CKivDoc::SetRunMode("2");
    CKivDoc doc;
    EXPECT_TRUE(KivRecordedMessages().empty());
    EXPECT_EQ(doc.m_Mode, "2");
    EXPECT_EQ(doc.m_ExeDir, m_ExeDir.path());
    EXPECT_EQ(doc.m_OpenSlot, 0);
    EXPECT_EQ(doc.m_Roumu, roumu);
    EXPECT_EQ(doc.m_SetteiPath, m_ExeDir / "機械設定.mtt");
    EXPECT_EQ(doc.m_SetteiValues.code(EnzanCode::Syoukei), 120);
    EXPECT_EQ(doc.m_SetteiValues.SekisanYousiki, 1);
    EXPECT_EQ(doc.m_HedderLayout.headerLeft.text, "LEFT" + std::string(26, ' '));
    EXPECT_EQ(doc.m_HedderLayout.headerLeft.pos.x, 12);
    EXPECT_EQ(doc.m_HyousiLayout.midasi.text, "TITLE" + std::string(7, ' '));
    EXPECT_EQ(doc.m_HyousiLayout.waku.size, 9);
}

TEST_F(KivDocFileTest, EachMissingReferenceFileIsReportedAndTheOthersAreRead) {
    struct Case {
        const char* file;
        const char* message;
    };
    const Case cases[] = {
        {"労務単価.rab", "デフォルトで労務単価.rabファイルが存在しません設定しなおしてください。"},
        {"電気設定.ett", "デフォルトで電気設定.ettファイルが存在しません設定しなおしてください。"},
        {"ヘッダー.hdr", "デフォルトでヘッダー.hdrファイルが存在しません設定しなおしてください。"},
        {"表紙.frm", "デフォルトで表紙.frmファイルが存在しません設定しなおしてください。"},
    };
    for (const auto& c : cases) {
        kiv::test::TempDir exe;
        for (const char* name : {"労務単価.rab", "電気設定.ett", "ヘッダー.hdr", "表紙.frm"}) {
            if (std::string(name) == c.file)
                continue;
            ASSERT_TRUE(writeFileAtomically(exe / name, std::string(name) == "電気設定.ett" ? "0005" : "x"));
        }
        CKivDoc::SetProgramDirectory(exe.path());
        ClearKivPrompts();
        CKivDoc doc;
        EXPECT_EQ(KivRecordedMessages(), std::vector<std::string>{c.message}) << c.file;
        const std::string missing = c.file;
        EXPECT_EQ(doc.m_RoumuRead, missing != "労務単価.rab");
        EXPECT_EQ(doc.m_SetteiRead, missing != "電気設定.ett");
        EXPECT_EQ(doc.m_HedderRead, missing != "ヘッダー.hdr");
        EXPECT_EQ(doc.m_HyousiRead, missing != "表紙.frm");
        // A settings record not read leaves every code unused, so no row of category 0 matches.
        EXPECT_EQ(doc.m_SetteiValues.code(EnzanCode::Daikoumoku), missing == "電気設定.ett" ? 0 : 5);
        EXPECT_FALSE(doc.m_SetteiValues.matches(EnzanCode::Tyuukoumoku, 0));
        EXPECT_EQ(doc.m_HedderLayout.headerLeft.text.substr(0, 1), missing == "ヘッダー.hdr" ? " " : "x");
    }
}
