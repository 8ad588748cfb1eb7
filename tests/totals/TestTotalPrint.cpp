// Printing a totals document through its window on the headless backend: the sheets and their
// numbers, the positions on the A4 portrait device, the recalculation before printing, the end
// step, a cancelled dialog, a failed job, the preview and two windows.
#include <gtest/gtest.h>

#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "grid/FieldTable.h"
#include "master/MstFixture.h"
#include "platform/print/PrintView.h"
#include "platform/ui/Keys.h"
#include "shell/ShellFixture.h"
#include "shell/TSplitFrame.h"
#include "totals/TotalDoc.h"
#include "totals/TotalFile.h"
#include "totals/TotalPrint.h"
#include "totals/TotalView.h"

namespace kiv::test {
namespace {

namespace fs = std::filesystem;
using kivtest::mstLine;
using G = GyouRecord;
using ui::headless::PrintedJob;
using ui::headless::PrintedPage;

// Categories of the given row counts, 品名 "C<k>R<row>", one 1 x 100 item each.
std::vector<std::string> pages(std::initializer_list<int> counts) {
    std::vector<std::string> rows;
    int k = 0;
    for (int n : counts) {
        ++k;
        for (int g = 1; g <= n; ++g) {
            std::string name = "C";
            name += std::to_string(k);
            name += 'R';
            name += std::to_string(g);
            rows.push_back(mstLine(k, g, {{G::Hinmei, name}, {G::SekisanSuu1, "1"}, {G::Tanka1, "100"}}));
        }
    }
    return rows;
}

std::string trimmed(std::string s) {
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

class TotalPrintTest : public ShellPrintTest {
protected:
    // A totals file of the rows, opened in its own window; the window's document.
    CTotalDoc* open(const std::string& name, const std::vector<std::string>& rows) {
        const fs::path ttl = data.path() / name;
        EXPECT_TRUE(files::writeFileAtomically(ttl, WriteTotalFile(rows, static_cast<int>(rows.size()))));
        auto* d = dynamic_cast<CTotalDoc*>(app->OpenFile(ttl));
        hb().processPending();
        return d;
    }
    CTotalView* gridOf(CTotalDoc* d) {
        auto* frame = dynamic_cast<CTSplitFrame*>(d->frames().front());
        return frame ? dynamic_cast<CTotalView*>(frame->m_wndSplitter->pane(0, 1)) : nullptr;
    }
    // 印刷 answered OK (to a PDF file when one is named); the job recorded.
    const PrintedJob* print(fs::path pdf = {}) {
        const std::size_t before = hb().printJobs().size();
        hb().expectPrintDialog([pdf](print::PrintSettings& s) {
            if (!pdf.empty()) {
                s.target = print::PrintSettings::Target::File;
                s.file = pdf;
            }
            return true;
        });
        hb().sendCommand(ui::cmd::FilePrint);
        return hb().printJobs().size() > before ? &hb().printJobs().back() : nullptr;
    }
    // The screen text of a field on grid row s (the screen font's 7 x 18 cells).
    std::string screenCell(CTotalView& v, int field, int s) {
        const FieldGeometry g = CalcFieldPos(g_TotalFieldTable, field, s, 0);
        return hb().screen(v).textAt(g.Pos.X0 * 7, g.Pos.Line * 18, g.Pos.Width, 7);
    }
    // Category k shown from row `gyou`, as after a tree choice and moving down.
    void showPage(CTotalDoc* d, int k, int gyou) {
        d->m_CurKoumoku[0] = k;
        d->LoadKoumokuGyou();
        d->m_CurGyou[0] = gyou;
        d->m_ScreenGyou[0] = gyou;
    }
};

TEST_F(TotalPrintTest, SheetsOfTwentyFiveRowsNumberedInCategoryOrder) {
    CTotalDoc* d = open("s.TTL", pages({8, 25, 26}));
    ASSERT_NE(d, nullptr);
    const PrintedJob* job = print();
    ASSERT_NE(job, nullptr);
    EXPECT_EQ(job->device.horzSizeMm, 200);   // A4 portrait
    ASSERT_EQ(job->pages.size(), 4u);
    const char* firstRows[] = {"C1R1", "C2R1", "C3R1", "C3R26"};
    for (int p = 0; p < 4; ++p) {
        const PrintedPage& page = job->pages[static_cast<std::size_t>(p)];
        const auto* no = page.at(2368, 6670);
        ASSERT_NE(no, nullptr) << p;
        std::string number = std::to_string(p + 1);
        EXPECT_EQ(no->text, '-' + number + '-');
        // 品名 of grid row 1 (field 5) at (444, 595).
        const auto* first = page.at(444, 595);
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(trimmed(first->text), firstRows[p]);
        // Heading and 25 rows of boxes on every sheet.
        EXPECT_EQ(page.rects.size(), job->pages[0].rects.size());
    }
    // Sheet 1: eight rows, boxes below them; sheet 4: one row and 24 rows of empty boxes.
    EXPECT_NE(job->pages[0].find("C1R8"), nullptr);
    const int rowPitch = 2 * 116;
    EXPECT_EQ(job->pages[3].at(444, 595 + rowPitch), nullptr);
    EXPECT_EQ(job->pages[0].at(444, 595 + 8 * rowPitch), nullptr);
    EXPECT_EQ(job->pages[2].findContaining("C3R25") != nullptr, true);
    EXPECT_EQ(job->pages[2].findContaining("C3R26"), nullptr);
    EXPECT_EQ(d->m_NeedRecalc, 0);
}

TEST_F(TotalPrintTest, CategoryNineNineNineIsPrintedAfterTheOthers) {
    std::vector<std::string> rows = pages({2, 3});
    for (int g = 1; g <= 2; ++g)
        rows.push_back(mstLine(999, g, {{G::Hinmei, "N" + std::to_string(g)}, {G::SekisanSuu1, "1"}, {G::Tanka1, "100"}}));
    CTotalDoc* d = open("n.TTL", rows);
    ASSERT_NE(d, nullptr);
    const PrintedJob* job = print();
    ASSERT_NE(job, nullptr);
    ASSERT_EQ(job->pages.size(), 3u);
    const char* firstRows[] = {"C1R1", "C2R1", "N1"};
    for (int p = 0; p < 3; ++p) {
        const auto* first = job->pages[static_cast<std::size_t>(p)].at(444, 595);
        ASSERT_NE(first, nullptr) << p;
        EXPECT_EQ(trimmed(first->text), firstRows[p]);
    }
}

TEST_F(TotalPrintTest, PositionsOnTheA4PortraitDevice) {
    std::vector<std::string> rows = pages({3});
    G::putNumber(rows[0], G::Tanka1, "1234567");
    CTotalDoc* d = open("p.TTL", rows);
    ASSERT_NE(d, nullptr);
    const PrintedJob* job = print();
    ASSERT_NE(job, nullptr);
    ASSERT_EQ(job->pages.size(), 1u);
    const PrintedPage& page = job->pages[0];
    // Printer font: P = 4724, h 73, cell 37, pitch 116.
    const auto* first = page.at(444, 595);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->font.height, 73);
    EXPECT_EQ(first->font.face, "ＭＳ ゴシック");
    EXPECT_EQ(first->font.weight, 400);
    // Field 5's box of grid row 1, black, width 1.
    const auto box = std::find_if(page.rects.begin(), page.rects.end(), [](const auto& r) {
        return r.rect.left == 410 && r.rect.top == 580 && r.rect.right == 1558 && r.rect.bottom == 696;
    });
    ASSERT_NE(box, page.rects.end());
    EXPECT_EQ(box->pen.color, ui::kBlack);
    EXPECT_EQ(box->pen.width, 1);
    // 金額 (field 17, 12 wide + 3 separator cells) grouped at x 2608.
    const auto* amount = page.at(2608, 595);
    ASSERT_NE(amount, nullptr);
    EXPECT_EQ(amount->text, "      1,234,567");
    // The heading's caption of field 5 on line 3, and 分類/ＮＯ on line 4.
    const auto* caption = page.at(444, 363);
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->text, text::sj("　　品　　　　　　　　　名　　"));
    EXPECT_NE(page.find(text::sj("分類")), nullptr);
    EXPECT_NE(page.find(text::sj("ＮＯ")), nullptr);
    // Grid row 1's divider, light grey, from field 2's box to field 36's.
    const auto divider = std::find_if(page.lines.begin(), page.lines.end(), [](const auto& l) {
        return l.from.y == 696 && l.to.y == 696 && l.pen.color == ui::rgb(180, 180, 180);
    });
    ASSERT_NE(divider, page.lines.end());
    EXPECT_EQ(divider->from.x, 225);
    EXPECT_EQ(divider->to.x, 4518);
    // The heading's divider too, on top of line 4.
    EXPECT_TRUE(std::any_of(page.lines.begin(), page.lines.end(),
                            [](const auto& l) { return l.from.y == 4 * 116 && l.from.x == 225; }));
}

TEST_F(TotalPrintTest, EmptyCategoryPrintsOneSheetWithABlankFirstRow) {
    std::vector<std::string> rows = pages({2});
    rows.push_back(mstLine(3, 1, {{G::Hinmei, "C3R1"}}));   // category 2 holds no rows
    CTotalDoc* d = open("e.TTL", rows);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->m_KoumokuCount, 3);
    const PrintedJob* job = print();
    ASSERT_NE(job, nullptr);
    ASSERT_EQ(job->pages.size(), 3u);
    const auto* blank = job->pages[1].at(444, 595);
    ASSERT_NE(blank, nullptr);
    EXPECT_EQ(trimmed(blank->text), "");
    EXPECT_EQ(job->pages[1].at(2368, 6670)->text, "-2-");
    EXPECT_EQ(trimmed(job->pages[2].at(444, 595)->text), "C3R1");
}

TEST_F(TotalPrintTest, StaleTotalPrintsRecalculatedAndTheGridReturnsToCategoryOne) {
    std::vector<std::string> rows = {
        mstLine(1, 1, {{G::Hinmei, "S1"}, {G::SekisanSuu1, "1"}, {G::Tanka1, "500"}, {G::Kingaku1, "500"}}),
        mstLine(1, 2, {{G::Hinmei, "　計"}, {G::Kingaku1, "500"}}),
        mstLine(2, 1, {{G::Hinmei, "VP"}, {G::SekisanSuu1, "2"}, {G::Tanka1, "1000"}, {G::Kingaku1, "9"}}),
        mstLine(2, 2, {{G::Hinmei, "VP"}, {G::SekisanSuu1, "3"}, {G::Tanka1, "1000"}, {G::Kingaku1, "3000"}}),
        mstLine(2, 3, {{G::Hinmei, "　小計"}, {G::Kingaku1, "3009"}}),
    };
    CTotalDoc* d = open("r.TTL", rows);
    ASSERT_NE(d, nullptr);
    CTotalView* grid = gridOf(d);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(d->m_NeedRecalc, 0);
    EXPECT_FALSE(d->IsModified());
    showPage(d, 2, 3);

    const PrintedJob* job = print();
    ASSERT_NE(job, nullptr);
    ASSERT_EQ(job->pages.size(), 2u);
    const int rowPitch = 2 * 116;
    EXPECT_EQ(job->pages[1].at(2608, 595)->text, "          2,000");
    EXPECT_EQ(job->pages[1].at(2608, 595 + 2 * rowPitch)->text, "          5,000");
    EXPECT_EQ(d->m_NeedRecalc, 0);
    EXPECT_TRUE(d->IsModified());
    // The stored rows are the recalculated ones.
    int slot = -1;
    for (int j = 0; j < d->PoolGyouCount(); ++j)
        if (G::raw(d->PoolGyou(j), G::Hinmei).find(text::sj("小計")) != std::string_view::npos)
            slot = j;
    ASSERT_GE(slot, 0);
    EXPECT_EQ(G::raw(d->PoolGyou(slot), G::Kingaku1), "        5000");
    // Row 1 of the summary page, drawn again in the screen's cells.
    EXPECT_EQ(d->m_CurKoumoku[0], 1);
    EXPECT_EQ(d->m_CurGyou[0], 1);
    EXPECT_EQ(d->m_TopGyou[0], 0);
    EXPECT_EQ(d->m_ScreenGyou[0], 1);
    hb().processPending();
    EXPECT_EQ(trimmed(screenCell(*grid, G::Hinmei, 1)), "S1");
}

TEST_F(TotalPrintTest, CancelledDialogOrFailedJobShowsThePageOfBefore) {
    std::vector<std::string> rows = pages({2, 4});
    G::putNumber(rows[3], G::Kingaku1, "777");   // stale: 1 x 100
    CTotalDoc* d = open("c.TTL", rows);
    ASSERT_NE(d, nullptr);
    CTotalView* grid = gridOf(d);
    ASSERT_NE(grid, nullptr);
    struct Case {
        const char* what;
        bool ok;
        bool failedFile;
    };
    for (const Case& c : {Case{"cancel", false, false}, Case{"unwritable file", true, true}}) {
        SCOPED_TRACE(c.what);
        showPage(d, 2, 3);
        const std::size_t jobs = hb().printJobs().size();
        const fs::path bad = data.path() / "missing" / "x.pdf";
        hb().expectPrintDialog([&](print::PrintSettings& s) {
            if (c.failedFile) {
                s.target = print::PrintSettings::Target::File;
                s.file = bad;
            }
            return c.ok;
        });
        if (c.failedFile)
            hb().expectMessageBox(ui::IDOK, "ファイルが作成できません。");
        hb().sendCommand(ui::cmd::FilePrint);
        EXPECT_EQ(hb().pendingAnswers(), 0u);
        EXPECT_EQ(hb().printJobs().size(), jobs + (c.failedFile ? 1 : 0));
        EXPECT_FALSE(fs::exists(bad));
        EXPECT_EQ(d->m_CurKoumoku[0], 2);
        EXPECT_EQ(d->m_CurGyou[0], 3);
        EXPECT_EQ(d->m_GyouCount, 4);
        // The recalculated rows stay stored: row 2 of category 2 is 1 x 100 again.
        EXPECT_EQ(G::raw(d->WorkGyouAt(2), G::Kingaku1), "         100");
        EXPECT_EQ(d->m_NeedRecalc, 0);
        hb().processPending();
        EXPECT_EQ(trimmed(screenCell(*grid, G::Hinmei, 1)), "C2R1");
    }
}

TEST_F(TotalPrintTest, AmountMessagesShownOnceBeforeTheDialog) {
    std::vector<std::string> rows = pages({3});
    for (int i : {0, 1}) {
        G::putNumber(rows[static_cast<std::size_t>(i)], G::SekisanSuu1, "9999999");
        G::putNumber(rows[static_cast<std::size_t>(i)], G::Tanka1, "999999999");
    }
    CTotalDoc* d = open("m.TTL", rows);
    ASSERT_NE(d, nullptr);
    hb().expectMessageBox(ui::IDOK, "2件");
    hb().expectPrintDialog([](print::PrintSettings&) { return false; });
    hb().sendCommand(ui::cmd::FilePrint);
    EXPECT_EQ(hb().pendingAnswers(), 0u);
    const auto& prompts = hb().prompts();
    ASSERT_GE(prompts.size(), 2u);
    EXPECT_EQ(prompts[prompts.size() - 2].kind, "message");
    EXPECT_NE(prompts[prompts.size() - 2].text.find("金額が12桁を越しました。"), std::string::npos);
    EXPECT_EQ(prompts.back().kind, "print");
}

TEST_F(TotalPrintTest, PreviewDrawsTheSheetsAndEndsAsPrinting) {
    CTotalDoc* d = open("v.TTL", pages({3, 30}));
    ASSERT_NE(d, nullptr);
    showPage(d, 2, 5);
    int shown = 0;
    std::string number;
    hb().expectPreview([&](ui::headless::PreviewDriver& p) {
        shown = p.state().pageCount();
        if (!p.shown().empty() && p.shown()[0].at(2368, 6670))
            number = p.shown()[0].at(2368, 6670)->text;
    });
    hb().sendCommand(ui::cmd::FilePrintPreview);
    EXPECT_EQ(shown, 3);
    EXPECT_EQ(number, "-1-");
    EXPECT_TRUE(hb().printJobs().empty());
    EXPECT_EQ(d->m_CurKoumoku[0], 1);
    EXPECT_EQ(d->m_CurGyou[0], 1);
}

TEST_F(TotalPrintTest, TwoWindowsEachPrintTheirOwnPages) {
    CTotalDoc* a = open("a.TTL", pages({30}));
    std::vector<std::string> other = pages({2});
    for (std::string& r : other)
        G::putText(r, G::Hinmei, "B");
    CTotalDoc* b = open("b.TTL", other);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    ASSERT_NE(a, b);
    const PrintedJob* job = print();
    ASSERT_NE(job, nullptr);
    ASSERT_EQ(job->pages.size(), 1u);
    EXPECT_EQ(trimmed(job->pages[0].at(444, 595)->text), "B");
    EXPECT_FALSE(a->IsModified());
    EXPECT_TRUE(b->IsModified());
}

} // namespace
} // namespace kiv::test
