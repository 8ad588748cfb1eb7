// The master's printing on the headless print recorder (A4 portrait: page width 4724 dots, body
// font 62 high, cells 31 wide, lines 108 apart): the page map and page numbers, where captions,
// boxes, numbers and the labour summary stand, the labour summary's forms, unsaved edits and a
// cancelled dialog, the preview and the job's one message pass, and 印刷フォント指定.
#include <gtest/gtest.h>

#include <map>

#include "estimate/GyouRecord.h"
#include "estimate/KivMessagePass.h"
#include "master/MstDoc.h"
#include "master/MstFixture.h"
#include "master/MstPrint.h"
#include "master/MstView.h"
#include "platform/headless/DialogDriver.h"
#include "platform/print/PrintView.h"
#include "platform/profile/Profile.h"
#include "platform/text/Cp932.h"
#include "platform/ui/Keys.h"
#include "shell/MSplitFrame.h"
#include "shell/ShellFixture.h"

namespace kiv::test {
namespace {

namespace fs = std::filesystem;
using kivtest::mstBytes;
using kivtest::mstLine;
using kivtest::threeCategories;
using text::sj;
using ui::headless::PrintedJob;
using ui::headless::PrintedPage;
using G = GyouRecord;

constexpr int kCell = 31;
constexpr int kPitch = 108;

class MstPrintTest : public ShellPrintTest {
protected:
    MstDoc* doc = nullptr;
    CMstView* grid = nullptr;

    void open(const std::vector<std::string>& rows, const std::string& name = "p.MST") {
        const fs::path p = data / name;
        ASSERT_TRUE(files::writeFileAtomically(p, mstBytes(rows)));
        doc = dynamic_cast<MstDoc*>(app->OpenFile(p));
        hb().processPending();
        ASSERT_NE(doc, nullptr);
        ASSERT_FALSE(doc->frames().empty());
        auto* frame = dynamic_cast<CMSplitFrame*>(doc->frames().front());
        ASSERT_NE(frame, nullptr);
        grid = dynamic_cast<CMstView*>(frame->m_wndSplitter->pane(0, 1));
        ASSERT_NE(grid, nullptr);
        hb().focus(*grid);
    }
    // 印刷 answered OK; the recorded job.
    const PrintedJob& print() {
        hb().expectPrintDialog([](print::PrintSettings&) { return true; });
        const std::size_t before = hb().printJobs().size();
        grid->onCommand(ui::cmd::FilePrint);
        hb().processPending();
        static const PrintedJob none;
        EXPECT_EQ(hb().printJobs().size(), before + 1) << "no job was printed";
        return hb().printJobs().size() > before ? hb().printJobs().back() : none;
    }
    // The category made current as the tree does it, its row 1 under the cursor.
    void showCategory(int bun) {
        grid->StoreGyou();
        doc->StoreKoumokuGyou();
        doc->m_CurKoumoku[0] = bun;
        doc->LoadKoumokuGyou();
        doc->m_TopGyou[0] = 0;
        doc->m_ScreenGyou[0] = 1;
        grid->m_CurField[0] = CMstView::m_FirstField;
        grid->LoadGyou();
        grid->CalcFieldPos();
        grid->invalidate();
        hb().processPending();
    }
    static std::string label(int bun, int gyou) { return "C" + std::to_string(bun) + "R" + std::to_string(gyou); }
    // Categories 1..n of the given row counts (others one row), 品名 "C<bun>R<row>"; counts of 0
    // leave the category without lines.
    static std::vector<std::string> categories(int n, const std::map<int, int>& counts = {}) {
        std::vector<std::string> rows;
        for (int c = 1; c <= n; ++c) {
            const auto it = counts.find(c);
            const int k = it == counts.end() ? 1 : it->second;
            for (int g = 1; g <= k; ++g)
                rows.push_back(mstLine(c, g, {{G::Hinmei, label(c, g)}}));
        }
        return rows;
    }
    static int countStarting(const PrintedPage& page, const std::string& prefix) {
        int n = 0;
        for (const auto& t : page.texts)
            n += t.text.rfind(prefix, 0) == 0;
        return n;
    }
    // A labour-price line as the list file holds it: "%2s %-12s %-10s %-10s", prices left-aligned.
    static RoumuRecord labourLine(const char* no, const char* trade, const std::string& price) {
        auto left = [](std::string s, std::size_t n) {
            s.resize(n, ' ');
            return s;
        };
        return RoumuRecord::fromText(std::string(no) + " " + left(sj(trade), 12) + " " + left(price, 10) + " " +
                                     left(price, 10));
    }
};

TEST_F(MstPrintTest, IndexPagesThenEveryCategoryNumberedOnFromTheIndex) {
    // 30 categories: category 1 of 56 rows, 2 of 57, 4 without lines.
    open(categories(30, {{1, 56}, {2, 57}, {4, 0}}));
    ASSERT_NE(grid, nullptr);
    const PrintedJob& job = print();
    ASSERT_EQ(job.pages.size(), 2u + 2 + 3 + 28);
    EXPECT_EQ(job.settings.orientation, print::Orientation::Portrait);
    EXPECT_EQ(job.device.widthDots, 4724);
    // Index: line 1 of every category, 28 and 2; category 4 has no line 1 and leaves its place blank.
    EXPECT_EQ(countStarting(job.pages[0], "C"), 27);
    EXPECT_NE(job.pages[0].find("C28R1"), nullptr);
    EXPECT_EQ(countStarting(job.pages[1], "C"), 2);
    EXPECT_NE(job.pages[1].find("C30R1"), nullptr);
    // Category 1: 28 + 28 rows; category 2: 28 + 28 + 1; category 3 one page.
    EXPECT_EQ(countStarting(job.pages[2], "C1R"), 28);
    EXPECT_NE(job.pages[3].find("C1R56"), nullptr);
    EXPECT_EQ(countStarting(job.pages[3], "C1R"), 28);
    EXPECT_EQ(countStarting(job.pages[6], "C2R"), 1);
    EXPECT_NE(job.pages[6].find("C2R57"), nullptr);
    EXPECT_NE(job.pages[7].find("C3R1"), nullptr);
    // The empty category's page holds its row 1: the key and nothing else of it.
    const PrintedPage& empty = job.pages[8];
    EXPECT_EQ(countStarting(empty, "C"), 0);
    EXPECT_NE(empty.find("0004"), nullptr);
    EXPECT_EQ(empty.rects.size(), job.pages[7].rects.size()) << "every page has all 28 rows' boxes";
    EXPECT_NE(job.pages[9].find("C5R1"), nullptr);
    // "-n-" on every page, counted from the index on.
    for (std::size_t p = 0; p < job.pages.size(); ++p)
        EXPECT_NE(job.pages[p].find("-" + std::to_string(p + 1) + "-"), nullptr) << p;
    // Printing stored nothing the user had not and loaded no other category: the master was
    // not changed, and the job ends on category 1.
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->m_CurKoumoku[0], 1);

    // 40 categories: two index pages again, the first category page is "-3-".
    open(categories(40), "forty.MST");
    const PrintedJob& forty = print();
    ASSERT_EQ(forty.pages.size(), 42u);
    EXPECT_EQ(countStarting(forty.pages[1], "C"), 12);
    EXPECT_NE(forty.pages[2].find("-3-"), nullptr);
    EXPECT_NE(forty.pages[2].find("C1R1"), nullptr);
}

TEST_F(MstPrintTest, CaptionsBoxesNumbersAndPageNumberStandOnThePaperGrid) {
    RoumuList roumu({labourLine("01", "電工", "15000")});
    open({mstLine(1, 1, {{G::Hinmei, "配管"}, {G::Tanka1, "45678"}, {G::Roumu1No, "1"}})});
    ASSERT_NE(grid, nullptr);
    doc->m_Roumu = roumu;
    const PrintedJob& job = print();
    ASSERT_EQ(job.pages.size(), 2u);
    const PrintedPage& page = job.pages[1];
    // The 品名 caption "　　品　…　名" from the field's first cell.
    const auto* caption = page.findContaining(sj("品"));
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->x, 465);
    EXPECT_EQ(caption->y, 338);
    EXPECT_EQ(caption->font.height, 62);
    const auto* name = page.find(sj("配管"));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->x, 465);
    EXPECT_EQ(name->y, 554);
    const ui::Rect box{437, 540, 1399, 648};
    bool boxed = false;
    for (const auto& r : page.rects)
        if (r.rect == box) {
            boxed = true;
            EXPECT_EQ(r.pen, (ui::Pen{ui::PenStyle::Solid, 1, ui::kBlack}));
        }
    EXPECT_TRUE(boxed) << "the 品名 box of row 1";
    const auto* price = page.find("       45,678");
    ASSERT_NE(price, nullptr);
    EXPECT_EQ(price->x, 1503);
    EXPECT_EQ(price->y, 554);
    const auto* labour = page.findContaining(sj("電工15,000 "));
    ASSERT_NE(labour, nullptr);
    EXPECT_EQ(labour->x, 2380);
    EXPECT_EQ(labour->text.size(), 30u);
    // The dotted grey rule between a row's lines.
    bool rule = false;
    for (const auto& l : page.lines)
        rule |= l.pen == ui::Pen{ui::PenStyle::Dot, 1, ui::rgb(200, 200, 200)} && l.from.y == 6 * kPitch;
    EXPECT_TRUE(rule);
    const auto* no = page.find("-2-");
    ASSERT_NE(no, nullptr);
    EXPECT_EQ(no->font.height, 67);
    EXPECT_EQ(no->x, 70 * kCell);
    EXPECT_EQ(no->y, 62 * 107);
    EXPECT_LT(no->y + no->font.height, job.device.heightDots);
    EXPECT_EQ(no->font.face, "ＭＳ ゴシック");

    // One horizontal step scrolls the 備考 pair away: neither caption nor summary is printed.
    hb().sendScroll(*grid, ui::SB_HORZ, ui::SB_LINERIGHT);
    ASSERT_EQ(grid->m_HScrollPairs, 1);
    const PrintedJob& scrolled = print();
    ASSERT_EQ(scrolled.pages.size(), 2u);
    EXPECT_EQ(scrolled.pages[1].findContaining(sj("電工")), nullptr);
    EXPECT_EQ(scrolled.pages[1].findContaining(sj("備")), nullptr);
    EXPECT_NE(job.pages[1].findContaining(sj("備")), nullptr);
    EXPECT_NE(scrolled.pages[1].find(sj("配管")), nullptr);
}

TEST_F(MstPrintTest, LabourSummaryFromTheMastersOwnList) {
    open({mstLine(1, 1, {{G::Roumu1No, "1"}, {G::Roumu2No, "2"}}),
          mstLine(1, 2, {{G::Roumu1No, "1"}, {G::Roumu2No, "2"}, {G::Roumu3No, "3"}}),
          mstLine(1, 3, {{G::Roumu1No, "3"}})});
    ASSERT_NE(grid, nullptr);
    doc->m_Roumu = RoumuList({labourLine("01", "電工", "15000"), labourLine("02", "普通作業員", "12000"),
                              labourLine("03", "配管工", "120000")});
    const PrintedJob& job = print();
    ASSERT_EQ(job.pages.size(), 2u);
    const PrintedPage& page = job.pages[1];
    struct Case {
        int row;
        std::string text;
    };
    const std::string blank30(30, ' ');
    for (const Case& c : {Case{1, sj("電工15,000 普通作業員12,000 ")}, Case{2, sj("電15,000 普12,000 配120,000 ")},
                          Case{3, sj("配管工120,000 ")}}) {
        const auto* t = page.at(2380, (2 * c.row + 3) * kPitch + 14);
        ASSERT_NE(t, nullptr) << c.row;
        std::string expected = c.text;
        expected.resize(30, ' ');
        EXPECT_EQ(t->text, expected) << c.row;
    }

    // Registration numbers outside the list print nothing; a long trade is cut on a character.
    CMstPrint& p = grid->Print();
    doc->m_Roumu = RoumuList({labourLine("01", "電気工事士技", "12345")});
    p.m_LabourNo = {101, 0, 0};
    EXPECT_EQ(p.LabourSummary(), blank30);
    // The second entry is cut at 30 bytes between the two bytes of 技: a blank stands there.
    p.m_LabourNo = {1, 1, 0};
    EXPECT_EQ(p.LabourSummary(), sj("電気工事士技") + "12,345 " + sj("電気工事士") + " ");
}

TEST_F(MstPrintTest, UnsavedEditPrintsAndACancelledDialogKeepsTheCategoryOnScreen) {
    open(threeCategories());
    ASSERT_NE(grid, nullptr);
    showCategory(2);
    hb().sendText(*grid, "新");
    const std::string before = doc->WorkGyouAt(1);

    // Cancel: category 2 stays current with its rows, the grid still shows it, and the next
    // keystroke goes into category 2's row 1.
    hb().expectPrintDialog([](print::PrintSettings&) { return false; });
    grid->onCommand(ui::cmd::FilePrint);
    hb().processPending();
    EXPECT_TRUE(hb().printJobs().empty());
    EXPECT_EQ(doc->m_CurKoumoku[0], 2);
    EXPECT_EQ(doc->m_GyouCount, 2);
    EXPECT_EQ(doc->WorkGyouAt(1), before);
    EXPECT_NE(hb().screen(*grid).find(sj("新電線")), std::nullopt);
    hb().sendText(*grid, "旧");
    EXPECT_EQ(std::string(G::raw(doc->WorkGyouAt(1), G::Hinmei)).substr(0, 6), sj("新旧電"));
    for (int j = 0; j < doc->PoolGyouCount(); ++j)
        if (doc->KoumokuOfSlot(j) == 1)
            EXPECT_EQ(std::string(G::raw(doc->PoolGyou(j), G::Hinmei)).find(sj("旧")),
                      std::string::npos);

    // Printed: the edit is on category 2's page before any switch stored it; then category 1,
    // row 1, field 5 from the top.
    const PrintedJob& job = print();
    ASSERT_EQ(job.pages.size(), 4u);
    EXPECT_NE(job.pages[2].find(sj("新旧電線")), nullptr);
    EXPECT_NE(job.pages[0].find(sj("新旧電線")), nullptr) << "the index shows the edited line 1";
    EXPECT_EQ(doc->m_CurKoumoku[0], 1);
    EXPECT_EQ(doc->m_CurGyou[0], 1);
    EXPECT_EQ(doc->m_TopGyou[0], 0);
    EXPECT_EQ(doc->m_ScreenGyou[0], 1);
    EXPECT_EQ(grid->m_CurField[0], G::Hinmei);
    EXPECT_NE(hb().screen(*grid).find(sj("配管用炭素鋼鋼管")), std::nullopt);
    EXPECT_EQ(grid->m_LineHeight, 18) << "the grid keeps its own metrics";
}

TEST_F(MstPrintTest, PreviewDrawsPagesInAnyOrderAsPrintedWithMessagesOnce) {
    // Labour line 1 with a productivity rate and no labour price: the pricing's question, which
    // inside the job is collected and shown once at its end, never as a dialog per row.
    std::vector<std::string> rows = categories(3, {{2, 30}});
    rows[1] = mstLine(2, 1, {{G::Hinmei, "C2R1"}, {G::Bukake1, "1"}, {G::Roumu1No, "2"}});
    open(rows);
    ASSERT_NE(grid, nullptr);
    doc->m_Roumu = RoumuList({labourLine("01", "電工", "15000"), labourLine("02", "配管工", "")});
    doc->m_SetteiValues.SekisanYousiki = 1;
    // Line 1 of category 2 is priced on the index and on its page, both drawn twice: one message
    // of one row at the end of the preview, and again at the end of the print job.
    const char* kMessage = "労務単価1が入力されていない行があります。";
    hb().expectMessageBox(ui::IDOK, kMessage);
    hb().expectMessageBox(ui::IDOK, kMessage);
    const std::size_t messagesBefore = hb().messageTexts().size();
    std::vector<PrintedPage> shown;
    hb().expectPreview([&](ui::headless::PreviewDriver& p) {
        EXPECT_EQ(p.state().pageCount(), 5);
        // To page 4 and back to page 2 and 1: each page drawn on its own.
        for (int i = 0; i < 3; ++i)
            p.press(print::PreviewState::Next);
        shown.push_back(p.shown().front());
        for (int i = 0; i < 3; ++i)
            p.press(print::PreviewState::Prev);
        shown.push_back(p.shown().front());
        p.press(print::PreviewState::Close);
    });
    grid->onCommand(ui::cmd::FilePrintPreview);
    hb().processPending();
    ASSERT_EQ(shown.size(), 2u);
    ASSERT_EQ(hb().messageTexts().size(), messagesBefore + 1) << "one message for the job";
    EXPECT_NE(hb().messageTexts().back().find("1件"), std::string::npos) << hb().messageTexts().back();

    const PrintedJob& job = print();
    ASSERT_EQ(job.pages.size(), 5u);
    for (auto [at, page] : {std::pair{0, 3}, std::pair{1, 0}}) {
        const PrintedPage& a = shown[static_cast<std::size_t>(at)];
        const PrintedPage& b = job.pages[static_cast<std::size_t>(page)];
        ASSERT_EQ(a.texts.size(), b.texts.size()) << page;
        for (std::size_t i = 0; i < a.texts.size(); ++i)
            EXPECT_EQ(a.texts[i].text, b.texts[i].text) << page << " " << i;
        EXPECT_EQ(a.rects.size(), b.rects.size());
    }
    EXPECT_NE(job.pages[3].find("C2R29"), nullptr);
}

TEST_F(MstPrintTest, InsatuFontDrawsASampleAndKeepsNothing) {
    open(threeCategories());
    ASSERT_NE(grid, nullptr);
    profile().writeString("Font_Section", "Font_File", "ＭＳ明朝");
    hb().expectFont(ui::Font{"IPAGothic", 20, 400});
    grid->onCommand(ID_INSATU_FONT);
    const auto at = hb().screen(*grid).find(sj("印刷フォント"));
    ASSERT_TRUE(at.has_value());
    EXPECT_EQ(at->x, 10);
    EXPECT_EQ(at->y, 10);
    EXPECT_EQ(profile().getString("Font_Section", "Font_File", ""), "ＭＳ明朝");
    // Printing keeps its own face.
    const PrintedJob& job = print();
    ASSERT_FALSE(job.pages.empty());
    EXPECT_EQ(job.pages[0].find("-1-")->font.face, "ＭＳ ゴシック");
    // Cancelled: nothing drawn.
    hb().screen(*grid).clear();
    hb().expectFont(std::nullopt);
    grid->onCommand(ID_INSATU_FONT);
    EXPECT_FALSE(hb().screen(*grid).find(sj("印刷フォント")).has_value());
}

} // namespace
} // namespace kiv::test
