// Command 32808 of the totals view: the summary page as a TAB-separated text file, the path
// proposal and checks shared with the estimate's exports, and the view's position kept.
#include <cerrno>
#include <gtest/gtest.h>

#include "estimate/GyouRecord.h"
#include "export/ExportPath.h"
#include "export/TextExport.h"
#include "platform/files/Files.h"
#include "estimate/GyouRecord.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"
#include "totals/TExcelDialog.h"
#include "totals/TotalViewFixture.h"
#include "totals/TtextDialog.h"

namespace kivtest {
namespace {

namespace fs = std::filesystem;
using G = GyouRecord;
using kiv::text::sj;

class TotalTextOutTest : public TotalViewFixture {
protected:
    void textOut(const fs::path& path, bool ok = true) {
        runExport(ID_TEXT_OUT, CTtextDialog::IDD, CTtextDialog::IDC_PATH, path, ok);
    }
    static std::vector<std::string> lines(const std::string& data) {
        std::vector<std::string> out;
        for (std::size_t p = 0; p < data.size();) {
            std::size_t e = data.find("\r\n", p);
            e = e == std::string::npos ? data.size() : e + 2;
            out.push_back(data.substr(p, e - p));
            p = e;
        }
        return out;
    }
    static std::vector<std::string> fieldsOf(const std::string& line) {
        std::vector<std::string> f;
        std::size_t p = 0;
        for (std::size_t tab; (tab = line.find('\t', p)) != std::string::npos; p = tab + 1)
            f.push_back(line.substr(p, tab - p));
        f.push_back(line.substr(p));
        return f;
    }
};

TEST_F(TotalTextOutTest, SummaryPageRowsAsStoredAtFullWidth) {
    placeCursor(2, 3, 1, 2);
    const fs::path out = data / "sum.txt";
    textOut(out);
    EXPECT_EQ(proposed, (exeDir / "集計表.TXT").string());
    const std::string file = kiv::files::readFile(out).value_or("");
    const auto ls = lines(file);
    ASSERT_EQ(ls.size(), 5u);
    for (const std::string& l : ls) {
        EXPECT_EQ(l.size(), 157u);
        EXPECT_EQ(l.substr(155), "\r\n");
        EXPECT_EQ(std::count(l.begin(), l.end(), '\t'), 6);
    }
    EXPECT_NE(file.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(ls[0].find(sj("分類集計")), std::string::npos);
    EXPECT_NE(ls[4].find(sj("　計")), std::string::npos);

    // Line 2: the summary row of 配管, its fields exactly as the row holds them.
    std::string row = doc->PoolGyou(0);
    for (int j = 0; j < doc->PoolGyouCount(); ++j)
        if (G::koumokuOf(doc->PoolGyou(j)) == 1 &&
            G::toInt(doc->PoolGyou(j), G::GyouNo) == 2)
            row = doc->PoolGyou(j);
    const auto f = fieldsOf(ls[1]);
    ASSERT_EQ(f.size(), 7u);
    EXPECT_EQ(f[0], row.substr(290, 5));
    EXPECT_EQ(f[1], std::string(G::raw(row, G::Hinmei)));
    EXPECT_EQ(kiv::text::trimRightBlanks(f[1]), sj("配管"));
    EXPECT_EQ(f[2], std::string(30, ' '));
    EXPECT_EQ(f[3], "        5000");
    EXPECT_EQ(f[4], "        4500");
    EXPECT_EQ(f[5], std::string(30, ' '));
    EXPECT_EQ(f[6], std::string(30, ' ') + "\r\n");

    // The view is where the user left it; nothing was due, so nothing changed.
    expectCursor(2, 3, 1, 2);
    EXPECT_EQ(doc->m_NeedRecalc, 0);
}

TEST_F(TotalTextOutTest, DueRecalculationRunsFirstAndTheSummaryIsNotRebuilt) {
    // 配管's item on page 2 goes from 5 to 6 in the grid: its 　小計 becomes 6000/5400.
    placeCursor(2, 2, 0, 2);
    doc->m_NeedRecalc = 0;
    std::string row;
    doc->GetCurrentGyou(row);
    ASSERT_TRUE(G::putNumber(row, G::SekisanSuu1, "6"));
    ASSERT_TRUE(G::putNumber(row, G::SekisanSuu2, "6"));
    ASSERT_TRUE(doc->SetCurrentGyou(row));
    ASSERT_EQ(doc->m_NeedRecalc, 1);

    const fs::path out = data / "sum.txt";
    textOut(out);
    EXPECT_EQ(doc->m_NeedRecalc, 0);
    // The page's total in the document, and in the grid's loaded page.
    ASSERT_EQ(doc->m_GyouCount, 3);
    EXPECT_EQ(kiv::text::trimBlanks(G::raw(doc->WorkGyouAt(3), G::Kingaku1)), "6000");
    EXPECT_EQ(kiv::text::trimBlanks(G::raw(doc->WorkGyouAt(3), G::Kingaku2)), "5400");
    // The file's summary row of 配管 still says 5000/4500.
    const auto ls = lines(kiv::files::readFile(out).value_or(""));
    ASSERT_EQ(ls.size(), 5u);
    EXPECT_EQ(fieldsOf(ls[1])[3], "        5000");
    EXPECT_EQ(fieldsOf(ls[1])[4], "        4500");
    expectCursor(2, 2, 0, 2);
}

TEST_F(TotalTextOutTest, RefusedPathsAndFailedWritesLeaveFilesAndPosition) {
    const fs::path ttl = data / "t.TTL";
    ASSERT_TRUE(doc->onSaveDocument(ttl));
    doc->setPathName(ttl, false);
    placeCursor(3, 2, 0, 2);

    // Cancel: nothing written.
    textOut(data / "c.txt", false);
    EXPECT_EQ(proposed, (data / "t.TXT").string());
    EXPECT_FALSE(fs::exists(data / "c.txt"));

    const struct {
        fs::path path;
        const char* message;
    } refused[] = {
        {ttl, "開いている集計のファイルには出力できません。"},
        {data / "none" / "x.txt", "ファイルが作成できません。"},
        {data.path(), "ファイルが作成できません。"},
    };
    const std::string saved = kiv::files::readFile(ttl).value_or("");
    for (const auto& r : refused) {
        SCOPED_TRACE(r.path.string());
        backend.expectMessageBox(kiv::ui::IDOK, r.message);
        textOut(r.path);
        EXPECT_FALSE(fs::exists(data / "none"));
        EXPECT_EQ(kiv::files::readFile(ttl).value_or(""), saved);
        expectCursor(3, 2, 0, 2);
    }

    // A write that fails: the old file stays whole, one message, the position is back.
    const fs::path out = data / "old.txt";
    ASSERT_TRUE(kiv::files::writeFileAtomically(out, "old"));
    {
        kiv::files::WriteFault refused(EACCES);
        backend.expectMessageBox(kiv::ui::IDOK, "ファイルが作成できません。\n" + out.string() +
                                                    "\n書き込みが許可されていません。");
        textOut(out);
    }
    EXPECT_EQ(kiv::files::readFile(out).value_or(""), "old");
    expectCursor(3, 2, 0, 2);
    // Written for real, it replaces the old file without a question.
    textOut(out);
    EXPECT_EQ(kiv::files::readFile(out).value_or("").size(), 5u * 157);
}

TEST(TotalExportPath, ProposalsForTotalsFiles) {
    const struct {
        const char* doc;
        const char* ext;
        const char* proposed;
    } cases[] = {
        {"TTLwork/a.TTL", "TXT", "TTLwork/a.TXT"},
        {"a.ttl", "TXT", "a.TXT"},
        {"b.MTL", "TXT", "b.TXT"},
        {"b.MTL", "XLSX", "b.XLSX"},
        {"/data/集計/c.Mtl", "XLSX", "/data/集計/c.XLSX"},
        {"d.dat", "TXT", "d.dat.TXT"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kiv::text::toUtf8(kiv::exporting::ProposeExportPath(c.doc, c.ext, "集計表")), c.proposed) << c.doc;
}

} // namespace
} // namespace kivtest
