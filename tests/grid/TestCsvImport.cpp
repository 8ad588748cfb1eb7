// CSVﾌｧｲﾙ読込 driven through the command, its dialog and the paste, and the CSV reader's rules.
#include "KivViewFixture.h"

#include "grid/CsvReader.h"
#include "grid/RowClipboard.h"
#include "grid/TextreadDialog.h"
#include "platform/headless/DialogDriver.h"

using namespace kivtest;
using kiv::ui::IDCANCEL;
using kiv::ui::IDOK;
using kiv::ui::headless::DialogDriver;
using G = GyouRecord;

namespace {

const char* const kAskImport = "表計算ソフト等で作成したCSVファイルを読み込みします。";

class CsvImport : public KivViewFixture {
protected:
    void SetUp() override {
        KivViewFixture::SetUp();
        g_RowClipboard.Fill(RowClipKind::None, {});
        open(namedRows(2));
    }
    void TearDown() override {
        KivViewFixture::TearDown();
        g_RowClipboard.Fill(RowClipKind::None, {});
    }

    std::filesystem::path file(const std::string& bytes) {
        const auto p = exeDir / "in.csv";
        EXPECT_TRUE(kiv::files::writeFileAtomically(p, bytes));
        return p;
    }
    // The import of `path` through the dialog, its question and (when the file is read) the paste
    // prompt, answered OK; `more` sets further controls before OK.
    void import(const std::filesystem::path& path, bool readsFile = true,
                const std::function<void(DialogDriver&)>& more = {}) {
        backend.expectDialog(
            [&](DialogDriver& dd) {
                dd.type(CTextreadDialog::kPath, path.string());
                if (more)
                    more(dd);
                dd.click(IDOK);
            },
            CTextreadDialog::kDialogId);
        QueueKivAnswer(true);
        if (readsFile)
            QueueKivAnswer(true);
        ASSERT_TRUE(view->onCommand(ID_CSV_READ));
    }
    const std::string& clip(int i) const { return g_RowClipboard.Rows[static_cast<std::size_t>(i)]; }
    static std::string u(std::string_view row, int field) { return kiv::text::toUtf8(G::raw(row, field)); }
    static std::string t(std::string_view row, int field) { return kiv::text::toUtf8(G::text(row, field)); }
    std::string lastMessage() const {
        return KivRecordedMessages().empty() ? std::string() : KivRecordedMessages().back();
    }
};

TEST_F(CsvImport, DefaultColumnsFromEveryKindOfLineEnd) {
    const std::string lines[] = {"電線,IV 1.6,\"1,200\",m,\"1,500\",盤内,x", "\"ｹｰﾌﾞﾙ,3C\",2.0sq,10,m,500",
                                 "a,b,3,m,5,\"x\"\"y\""};
    for (const std::string eol : {"\r\n", "\r", "\n"}) {
        SCOPED_TRACE(eol == "\r\n" ? "CRLF" : eol == "\r" ? "CR" : "LF");
        // Empty lines are skipped; a line end at the end starts no line.
        std::string data;
        for (const std::string& l : lines)
            data += kiv::text::toCp932(l) + eol + eol;
        import(file(data));
        ASSERT_EQ(g_RowClipboard.Count, 3);
        EXPECT_EQ(view->m_CsvGyouCount, 3);
        EXPECT_TRUE(g_RowClipboard.Armed);
        EXPECT_EQ(g_RowClipboard.Kind, RowClipKind::Csv);
        const std::string& r0 = clip(0);
        EXPECT_EQ(r0.size(), 1400u);
        EXPECT_EQ(t(r0, G::Hinmei), "電線");
        EXPECT_EQ(t(r0, G::Kikaku), "IV 1.6");
        EXPECT_EQ(u(r0, G::HiroidasiSuu1), "    1200");
        EXPECT_EQ(r0.substr(108, 4), "m   ");
        EXPECT_EQ(u(r0, G::Tanka1), "      1500");
        EXPECT_EQ(t(r0, G::Bikou2), "盤内");
        // 詳細への１行目へも書込み is ticked at first.
        EXPECT_EQ(t(r0, G::Zai1Hinmei), "電線");
        EXPECT_EQ(t(r0, G::Zai1Kikaku), "IV 1.6");
        EXPECT_EQ(t(r0, G::Zai1Tanni), "m");
        EXPECT_TRUE(G::isBlank(r0, G::BunNo));
        EXPECT_EQ(t(clip(1), G::Hinmei), "ｹｰﾌﾞﾙ,3C");
        EXPECT_EQ(u(clip(1), G::HiroidasiSuu1), "      10");
        EXPECT_EQ(u(clip(1), G::Tanka1), "       500");
        EXPECT_EQ(t(clip(1), G::Bikou2), "");
        EXPECT_EQ(t(clip(2), G::Bikou2), "x\"y");
    }
    // Every line is pasted, at the cursor, without recalculation.
    placeCursor(2, 2, G::Hinmei);
    ASSERT_TRUE(view->onCommand(ID_EDIT_PASTE));
    EXPECT_EQ(doc->m_GyouCount, 5);
    std::vector<std::string> names;
    for (int k = 1; k <= 5; ++k)
        names.push_back(t(doc->WorkGyouAt(k), G::Hinmei));
    EXPECT_EQ(names, (std::vector<std::string>{"R1", "電線", "ｹｰﾌﾞﾙ,3C", "a", "R2"}));
}

TEST_F(CsvImport, SizeAndLineLimits) {
    // 1000 lines of 300 bytes: exactly 300,000 bytes, 1000 rows.
    std::string data;
    for (int i = 0; i < 1000; ++i)
        data += std::string(298, 'x') + "\r\n";
    ASSERT_EQ(data.size(), 300000u);
    import(file(data));
    EXPECT_EQ(g_RowClipboard.Count, 1000);
    EXPECT_EQ(view->m_CsvGyouCount, 1000);
    EXPECT_TRUE(g_RowClipboard.Armed);

    import(file(data + "y"), false);
    EXPECT_EQ(lastMessage(), "ＣＳＶファイルの容量が読み込みの限度を超えました。読み込みを中止します。");
    EXPECT_FALSE(g_RowClipboard.Armed);

    std::string many;
    for (int i = 0; i < 1001; ++i)
        many += "a,b\r\n";
    g_RowClipboard.Armed = true;
    import(file(many), false);
    EXPECT_EQ(lastMessage(), "データ-の行数が1000を超えました。読み込みを中止します。");
    EXPECT_FALSE(g_RowClipboard.Armed);

    import(exeDir / "missing.csv", false);
    EXPECT_EQ(lastMessage(), (exeDir / "missing.csv").string() + "ファイルが存在しません。読み込みを中止します。");
}

TEST_F(CsvImport, BadLinesStopTheImportNamingTheLine) {
    struct Case {
        std::string line, message;
    };
    const std::vector<Case> cases = {
        {"a,b,123456789,m,5", "2行目の数量「123456789」は8桁を超えています。"},
        {"a,b,3,m,12abc", "2行目の単価「12abc」は数値ではありません。"},
        {"a,b,3,m,\"5", "2行目の引用符(\")が閉じていません。"},
        // Bytes that are no CP932 text (a UTF-8 file's "1式", half a double-byte character) are
        // named with a replacement character, never the end of the program.
        {"配管,VP50A,1式,m,5000",
         "2行目の数量「1" + *kiv::text::cp932ToUtf8("\xE5\xBC") + "\xEF\xBF\xBD」は数値ではありません。"},
        {"a,b,3,m,12\x81", "2行目の単価「12\xEF\xBF\xBD」は数値ではありません。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        // Rows an earlier command armed are not pasted after a stopped import.
        g_RowClipboard.Fill(RowClipKind::GyouCopy, {makeRow(1)});
        g_RowClipboard.Armed = true;
        import(file("a,b,1,m,2\r\n" + c.line + "\r\n"), false);
        EXPECT_EQ(lastMessage().rfind(c.message, 0), 0u) << lastMessage();
        EXPECT_FALSE(g_RowClipboard.Armed);
    }
}

TEST_F(CsvImport, TextsAreCutOnCharacterBoundariesAndNumbersCleaned) {
    const std::string longName = std::string(29, 'a') + "電気";
    import(file(kiv::text::toCp932("品名,規格,数量,単位,単価,備考\r\n" + longName + ", s ,\" 0 \",ｷﾛｸﾞﾗﾑ,\" 1,234.5 \",r\r\n")), true,
           [](DialogDriver& dd) {
               dd.type(CTextreadDialog::kBunNo, "15");
               dd.click(CTextreadDialog::kToSyousai);
           });
    ASSERT_EQ(g_RowClipboard.Count, 2);
    // A header line: its names are texts, its numbers blank.
    EXPECT_TRUE(G::isBlank(clip(0), G::HiroidasiSuu1));
    EXPECT_TRUE(G::isBlank(clip(0), G::Tanka1));
    EXPECT_EQ(u(clip(0), G::BunNo), "0015");
    const std::string& r = clip(1);
    EXPECT_EQ(std::string(G::raw(r, G::Hinmei)), std::string(29, 'a') + " ");
    EXPECT_EQ(t(r, G::Kikaku), " s");
    EXPECT_TRUE(G::isBlank(r, G::HiroidasiSuu1));
    EXPECT_EQ(kiv::text::toUtf8(r.substr(108, 4)), "ｷﾛｸﾞ");
    EXPECT_EQ(u(r, G::Tanka1), "    1234.5");
    // Without 詳細への１行目へも書込み detail line 1 stays blank.
    EXPECT_TRUE(G::isBlank(r, G::Zai1Hinmei));
    EXPECT_TRUE(G::isBlank(r, G::Zai1Tanni));
}

TEST_F(CsvImport, DialogDefaultsListsAndCategoryCheck) {
    backend.expectDialog(
        [&](DialogDriver& dd) {
            const std::vector<std::string> defaults = {"01", "02", "03", "04", "05", "06"};
            const std::vector<int> counts = {5, 5, 6, 6, 9, 9};
            for (int i = 0; i < 6; ++i) {
                EXPECT_EQ(dd.text(CTextreadDialog::kHinmeiColumn + i), defaults[static_cast<std::size_t>(i)]);
                EXPECT_EQ(dd.dialog().getCount(CTextreadDialog::kHinmeiColumn + i), counts[static_cast<std::size_t>(i)]);
            }
            EXPECT_EQ(dd.dialog().isChecked(CTextreadDialog::kToSyousai), 1);
            const auto chosen = exeDir / "chosen.csv";
            backend.expectFile(chosen);
            dd.click(CTextreadDialog::kChoose);
            EXPECT_EQ(dd.text(CTextreadDialog::kPath), chosen.string());
            // The box takes digits only as typed; a text put there otherwise is checked at OK.
            dd.type(CTextreadDialog::kBunNo, "1a");
            EXPECT_EQ(dd.text(CTextreadDialog::kBunNo), "1");
            dd.dialog().setItemText(CTextreadDialog::kBunNo, "1a");
            backend.expectMessageBox(IDOK, "分類番号");
            dd.click(IDOK);
            EXPECT_FALSE(dd.ended());
            dd.click(IDCANCEL);
        },
        CTextreadDialog::kDialogId);
    ASSERT_TRUE(view->onCommand(ID_CSV_READ));
    EXPECT_EQ(g_RowClipboard.Kind, RowClipKind::None);
    // Declining the question reads nothing.
    backend.expectDialog([](DialogDriver& dd) { dd.click(IDOK); }, CTextreadDialog::kDialogId);
    QueueKivAnswer(false);
    ASSERT_TRUE(view->onCommand(ID_CSV_READ));
    EXPECT_EQ(KivRecordedQuestions().back().rfind(kAskImport, 0), 0u);
    EXPECT_EQ(g_RowClipboard.Kind, RowClipKind::None);
}

TEST(CsvReader, QuotesAndSeparators) {
    const csv::Result r = csv::parse("\"a,b\"c,d\"e\",,\"\"\"\"\n\"\"", 10);
    ASSERT_EQ(r.status, csv::Status::Ok);
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[0].fields, (std::vector<std::string>{"a,bc", "d\"e\"", "", "\""}));
    EXPECT_EQ(r.lines[0].column(5), "");
    EXPECT_EQ(r.lines[1].fields, (std::vector<std::string>{""}));
    EXPECT_EQ(r.lines[1].number, 2);
    // A quoted field is never continued on the next line.
    const csv::Result open = csv::parse("x\r\n\r\n\"a\r\nb\"\r\n", 10);
    EXPECT_EQ(open.status, csv::Status::OpenQuote);
    EXPECT_EQ(open.errorLine, 3);
    EXPECT_TRUE(open.lines.empty());
}

} // namespace
