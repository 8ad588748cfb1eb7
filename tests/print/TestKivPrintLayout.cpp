// The printed breakdown dot by dot on A4: the table, a row, the cover block, the header and
// footer, and the pages each print kind makes.
#include "print/PrintFixture.h"

namespace kivtest {
namespace {

using Kind = CInsatuDialog;

class KivPrintLayout : public PrintFixture {};

TEST_F(KivPrintLayout, LandscapeTableRowAndFrame) {
    std::vector<std::string> rows;
    rows.push_back(itemRow(1, 1, {{GyouRecord::Kigou, "A1"}, {GyouRecord::Hinmei, sj("配管")},
                                  {GyouRecord::SekisanSuu1, "3"}, {GyouRecord::Tanka1, "411522"},
                                  {GyouRecord::Kingaku1, "1234567"}, {GyouRecord::Bikou1, "REM"}}));
    for (int g = 2; g <= 20; ++g)
        rows.push_back(itemRow(1, g, {{GyouRecord::Hinmei, "R" + std::to_string(g)}}));
    open(rows);
    const PrintedJob& job = print();
    ASSERT_EQ(job.pages.size(), 1u);
    EXPECT_EQ(job.settings.orientation, kiv::print::Orientation::Landscape);
    EXPECT_EQ(job.settings.paper, kiv::print::Paper::A4);
    EXPECT_EQ(job.device.horzSizeMm, 287);
    EXPECT_EQ(job.device.widthDots, 6779);
    EXPECT_EQ(job.device.heightDots, 4724);
    EXPECT_EQ(job.info.lastPage, 1);
    const PrintedPage& page = job.pages[0];

    const PrintedText* caption = page.find(sj("項目"));
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->x, 420);
    EXPECT_EQ(caption->y, 616);
    EXPECT_EQ(caption->font.height, 83);
    EXPECT_NE(page.find(sj("単位")), nullptr);
    EXPECT_NE(page.find(sj("金　　　額")), nullptr);

    const PrintedText* name = page.find(sj("配管"));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->x, 15 * 42);
    EXPECT_EQ(name->y, 800);
    const PrintedText* last = page.find("R20");
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->y, 4296);

    // 1234567 grouped in 15 cells from 4473: its last digit where the ungrouped one's would be.
    const PrintedText* amount = page.findContaining("1,234,567");
    ASSERT_NE(amount, nullptr);
    EXPECT_EQ(amount->x, 4473);
    EXPECT_EQ(amount->text.size(), 15u);
    EXPECT_EQ(amount->x + static_cast<int>(amount->text.rfind('7')) * 42, 5061);
    EXPECT_EQ(amount->y, 800);
    EXPECT_NE(page.findContaining("411,522"), nullptr);
    EXPECT_NE(page.find("REM"), nullptr);

    // The heavy frame: four lines of pen 8 around the caption and the 20 row lines, drawn before
    // and after the table.
    int heavy = 0;
    for (const auto& l : page.lines) {
        ASSERT_EQ(l.pen.width, 8);
        ++heavy;
    }
    EXPECT_EQ(heavy, 8);
    auto hasLine = [&](kiv::ui::Point a, kiv::ui::Point b) {
        for (const auto& l : page.lines)
            if (l.from == a && l.to == b)
                return true;
        return false;
    };
    EXPECT_TRUE(hasLine({381, 550}, {6430, 550}));
    EXPECT_TRUE(hasLine({381, 4417}, {6430, 4417}));
    EXPECT_TRUE(hasLine({381, 550}, {381, 4417}));
    EXPECT_TRUE(hasLine({6430, 550}, {6430, 4417}));

    // Boxes: pen 1, hollow; 8 columns on the caption line and on each of the 20 row lines; the
    // amount's box takes its separator cells.
    EXPECT_EQ(page.rects.size(), 21u * 8u);
    for (const auto& r : page.rects) {
        EXPECT_EQ(r.pen.width, 1);
        EXPECT_TRUE(r.brush.hollow);
    }
    bool amountBox = false;
    for (const auto& r : page.rects)
        amountBox |= r.rect == kiv::ui::Rect{(110 - 3 - 1) * 42 + 3, 4 * 184, 122 * 42 + 4, 5 * 184};
    EXPECT_TRUE(amountBox);
}

TEST_F(KivPrintLayout, CoverBlockShiftsTheTableOnPageOne) {
    open(itemsOf({3}));
    doc->m_HyousiData[17] = "        1234";
    doc->m_HyousiLayout.kingaku = {sj("金額"), {10, 8, 1}};
    const PrintedJob& job = print({Kind::IDC_HYOUSI_UTIWAKE});
    ASSERT_EQ(job.pages.size(), 1u);
    const PrintedPage& page = job.pages[0];
    EXPECT_EQ(page.find(sj("項目"))->y, 2824);
    EXPECT_EQ(page.find("I1R1")->y, 3008);
    // The frame still runs from line 3 to the last line, around the cover block.
    EXPECT_EQ(page.lines[0].from, (kiv::ui::Point{381, 550}));
    // The cover total grouped after the 金額 caption.
    const PrintedText* total = page.find(sj("金額") + "1,234-");
    ASSERT_NE(total, nullptr);
    EXPECT_TRUE(total->font.underline);
    EXPECT_EQ(total->font.height, 20);
}

TEST_F(KivPrintLayout, A4PortraitTable) {
    open(itemsOf({2}));
    const PrintedJob& job = print({Kind::IDC_UTIWAKE_A4});
    ASSERT_EQ(job.pages.size(), 1u);
    EXPECT_EQ(job.settings.orientation, kiv::print::Orientation::Portrait);
    EXPECT_EQ(job.device.widthDots, 4724);
    const PrintedPage& page = job.pages[0];
    EXPECT_EQ(page.find(sj("項目"))->y, 532);
    EXPECT_EQ(page.find(sj("項目"))->font.height, 72);
    EXPECT_EQ(page.find("I1R1")->x, 15 * 36);
    EXPECT_EQ(page.find("I1R1")->y, static_cast<int>(4 * 159 + 0.35 * 159));
    EXPECT_EQ(page.lines[0].from, (kiv::ui::Point{327, 475}));
    EXPECT_EQ(page.lines[1].to, (kiv::ui::Point{4396, 6361}));
    // No remarks column: seven boxes a line, the last ending after the amount.
    EXPECT_EQ(page.rects.size(), 37u * 7u);
    EXPECT_EQ(page.find(sj("備　　　　　　　　　考")), nullptr);
}

TEST_F(KivPrintLayout, HeaderAndFooterTexts) {
    open(itemsOf({1}));
    HedderLayout& h = doc->m_HedderLayout;
    h.headerLeft = {"LEFT", {10, 2, 1}};
    h.headerCentre = {"CENTRE", {10, 2, 2}};
    h.footerRight = {"FOOT", {10, 2, 0}};
    h.footerPage = {"PAGE", {20, 2, 1}};
    {
        const PrintedJob& job = print();
        const PrintedPage& page = job.pages[0];
        const PrintedText* left = page.find("LEFT");
        ASSERT_NE(left, nullptr);
        EXPECT_EQ(left->font.height, 20);
        EXPECT_EQ((kiv::ui::Point{left->x, left->y}), (kiv::ui::Point{100, 44}));
        const PrintedText* centre = page.find("CENTRE");
        ASSERT_NE(centre, nullptr);
        EXPECT_EQ(centre->font.height, 40);
        EXPECT_EQ((kiv::ui::Point{centre->x, centre->y}), (kiv::ui::Point{200, 88}));
        // Size 0 prints at size 1; the page-number group prints the number, not its text.
        EXPECT_EQ(page.find("FOOT")->font.height, 20);
        EXPECT_NE(page.find("-1-"), nullptr);
        EXPECT_EQ(page.find("PAGE"), nullptr);
        EXPECT_EQ(page.find("-1-")->x, 200);
    }
    {
        const PrintedJob& job = print({Kind::IDC_UTIWAKE_A4, Kind::IDC_NO_PAGE_NO});
        const PrintedPage& page = job.pages[0];
        const PrintedText* left = page.find("LEFT");
        ASSERT_NE(left, nullptr);
        EXPECT_EQ(left->font.height, 16);
        EXPECT_EQ((kiv::ui::Point{left->x, left->y}), (kiv::ui::Point{80, 34}));
        EXPECT_EQ(page.find("CENTRE")->x, (10 - 9) * 16);
        EXPECT_EQ(page.find("FOOT")->y, (2 + 44) * 17);
        // ページＮＯを付けない does not apply to the portrait header.
        const PrintedText* no = page.find("-1-");
        ASSERT_NE(no, nullptr);
        EXPECT_EQ((kiv::ui::Point{no->x, no->y}), (kiv::ui::Point{88, 782}));
    }
    {
        const PrintedJob& job = print({Kind::IDC_NO_PAGE_NO});
        EXPECT_EQ(job.pages[0].find("-1-"), nullptr);
    }
}

// Which item rows each page shows: the first and last 品名 on it.
std::vector<std::pair<std::string, std::string>> pageRows(const PrintedJob& job) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const PrintedPage& p : job.pages) {
        std::string first, last;
        for (const PrintedText& t : p.texts)
            if (t.text.size() >= 4 && t.text[0] == 'I' && t.font.height > 60) {
                if (first.empty())
                    first = t.text;
                last = t.text;
            }
        out.emplace_back(first, last);
    }
    return out;
}

TEST_F(KivPrintLayout, PagesOfEachKind) {
    struct Case {
        std::vector<int> clicks;
        int pages;
    };
    const Case cases[] = {
        {{}, 2},
        {{Kind::IDC_HYOUSI_UTIWAKE}, 2},
        {{Kind::IDC_HYOUSI}, 3},
        {{Kind::IDC_UTIWAKE_A4}, 1},
        {{Kind::IDC_HYOUSI_UTIWAKE_A4}, 2},
    };
    open(itemsOf({25}));
    for (const Case& c : cases) {
        const PrintedJob& job = print(c.clicks);
        EXPECT_EQ(job.pages.size(), static_cast<std::size_t>(c.pages)) << "kind " << (c.clicks.empty() ? 0 : c.clicks[0]);
        EXPECT_EQ(job.info.lastPage, c.pages);
    }
}

TEST_F(KivPrintLayout, CoverBlockPagesOfTwoItems) {
    open(itemsOf({20, 20}));
    const PrintedJob& job = print({Kind::IDC_HYOUSI_UTIWAKE});
    ASSERT_EQ(job.pages.size(), 3u);
    const auto rows = pageRows(job);
    EXPECT_EQ(rows[0], (std::pair<std::string, std::string>{"I1R1", "I1R8"}));
    EXPECT_EQ(rows[1], (std::pair<std::string, std::string>{"I1R9", "I1R20"}));
    EXPECT_EQ(rows[2], (std::pair<std::string, std::string>{"I2R1", "I2R20"}));
}

TEST_F(KivPrintLayout, ThreeItemsStartTheirOwnPages) {
    open(itemsOf({10, 25, 5}));
    const PrintedJob& job = print();
    ASSERT_EQ(job.pages.size(), 4u);
    const auto rows = pageRows(job);
    EXPECT_EQ(rows[0], (std::pair<std::string, std::string>{"I1R1", "I1R10"}));
    EXPECT_EQ(rows[1], (std::pair<std::string, std::string>{"I2R1", "I2R20"}));
    EXPECT_EQ(rows[2], (std::pair<std::string, std::string>{"I2R21", "I2R25"}));
    EXPECT_EQ(rows[3], (std::pair<std::string, std::string>{"I3R1", "I3R5"}));
    EXPECT_NE(job.pages[2].find("-3-"), nullptr);
    // A page with fewer rows keeps the empty boxes of every line.
    EXPECT_EQ(job.pages[3].rects.size(), 21u * 8u);
}

TEST_F(KivPrintLayout, CoverPagesAndHeadersOfTheCoverKinds) {
    open(itemsOf({30}));
    doc->m_HedderLayout.headerLeft = {"HEAD", {1, 1, 1}};
    doc->m_HedderLayout.footerPage = {"", {20, 2, 1}};
    {
        const PrintedJob& job = print({Kind::IDC_HYOUSI_UTIWAKE});
        ASSERT_EQ(job.pages.size(), 3u);
        const auto rows = pageRows(job);
        EXPECT_EQ(rows[0], (std::pair<std::string, std::string>{"I1R1", "I1R8"}));
        EXPECT_EQ(rows[1], (std::pair<std::string, std::string>{"I1R9", "I1R28"}));
        EXPECT_EQ(rows[2], (std::pair<std::string, std::string>{"I1R29", "I1R30"}));
        EXPECT_EQ(job.pages[0].find("HEAD"), nullptr);
        EXPECT_NE(job.pages[0].find("-1-"), nullptr);
        EXPECT_NE(job.pages[1].find("HEAD"), nullptr);
    }
    open(itemsOf({5}));
    doc->m_HedderLayout.headerLeft = {"HEAD", {1, 1, 1}};
    doc->m_HedderLayout.footerPage = {"", {20, 2, 1}};
    doc->m_HyousiLayout.waku = {40, 10, 5};
    {
        const PrintedJob& job = print({Kind::IDC_HYOUSI});
        ASSERT_EQ(job.pages.size(), 2u);
        // Page 1: only the cover and its number; the table starts on page 2.
        EXPECT_EQ(job.pages[0].rects.size(), 1u);   // the cover's box
        EXPECT_TRUE(job.pages[0].lines.empty());
        EXPECT_NE(job.pages[0].find("-1-"), nullptr);
        EXPECT_EQ(job.pages[0].find("HEAD"), nullptr);
        EXPECT_EQ(pageRows(job)[1], (std::pair<std::string, std::string>{"I1R1", "I1R5"}));
        EXPECT_NE(job.pages[1].find("HEAD"), nullptr);
        EXPECT_NE(job.pages[1].find("-2-"), nullptr);
    }
}

TEST_F(KivPrintLayout, PageNumbersTakeEveryDigit) {
    open(itemsOf({1}));
    doc->m_HedderLayout.footerPage = {"", {20, 2, 1}};
    PrintedPage page;
    kiv::ui::headless::RecordingPrinterDc dc(
        kiv::print::deviceGeometry(kiv::print::Paper::A4, kiv::print::Orientation::Landscape), page);
    state().PrintHedder(dc, 1234);
    EXPECT_NE(page.find("-1234-"), nullptr);
}

} // namespace
} // namespace kivtest
