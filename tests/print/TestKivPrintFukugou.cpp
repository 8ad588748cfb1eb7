// The composite unit-price sheet as a user prints it: which rows get a page, the block of a row
// dot by dot on A4 landscape, the sheet's title and page number, and the pricing messages of a
// job.
#include "print/PrintFixture.h"

#include "estimate/KivMessage.h"
#include "estimate/RoumuList.h"
#include "estimate/RoumuRecord.h"

namespace kivtest {
namespace {

using Kind = CInsatuDialog;
using G = GyouRecord;

class KivPrintFukugou : public PrintFixture {
protected:
    void SetUp() override {
        PrintFixture::SetUp();
        ClearKivPrompts();
    }
    const PrintedJob& printSheet(std::vector<int> more = {}) {
        more.insert(more.begin(), Kind::IDC_FUKUGOU_TANKAHYOU);
        return print(std::move(more));
    }
    // Labour-price entries: entry n - 1 is registration number n; the others stay empty.
    void labour(const std::vector<std::tuple<int, const char*, const char*>>& entries) {
        std::vector<RoumuRecord> list(10);
        for (const auto& [no, trade, price] : entries)
            list[static_cast<std::size_t>(no - 1)] = *RoumuRecord::build(std::to_string(no), sj(trade), price, price);
        doc->m_Roumu = RoumuList(list);
    }
    // The texts of a page on printed line `line` (1..) of the table, left to right.
    static std::vector<std::pair<int, std::string>> lineTexts(const PrintedPage& page, int line) {
        const int y = PrintTextTop(kPrintCaptionLine + line, 184);
        std::vector<std::pair<int, std::string>> out;
        // Blank fields are drawn as blanks; only what shows counts.
        for (const PrintedText& t : page.texts)
            if (t.y == y && t.font.height == 83 && t.text.find_first_not_of(' ') != std::string::npos)
                out.emplace_back(t.x, t.text);
        std::sort(out.begin(), out.end());
        return out;
    }
    static std::string labelOf(const PrintedPage& page, int line) {
        for (const auto& [x, text] : lineTexts(page, line))
            if (x == 15 * 42)
                return text;
        return {};
    }
};

// 配管 with one material line and a joint rate of 5 %, worked out by hand.
std::string pipeRow(int item, int gyou, const std::string& kikaku = {}) {
    return itemRow(item, gyou,
                   {{G::Hinmei, sj("配管")}, {G::Kikaku, kikaku}, {G::FukuHyouji, "1"}, {G::Zai1Hinmei, sj("鋼管")},
                    {G::Zai1Suu, "1.2"}, {G::Zai1Tanka1, "2500"}, {G::TugiteRitu, "0.05"}});
}

TEST_F(KivPrintFukugou, HandComputedBlockModeOne) {
    open({pipeRow(1, 1)});
    doc->m_SetteiValues.FukugouMarume = 1;
    const PrintedJob& job = printSheet();
    ASSERT_EQ(job.pages.size(), 1u);
    EXPECT_EQ(job.settings.orientation, kiv::print::Orientation::Landscape);
    const PrintedPage& page = job.pages[0];
    using L = std::vector<std::pair<int, std::string>>;
    EXPECT_EQ(lineTexts(page, 1), (L{{630, sj("配管")}}));
    EXPECT_EQ(lineTexts(page, 2), (L{{630, sj("鋼管")}, {3414, "  1.2"}, {4002, "      2500"}, {4590, "        3000"}}));
    EXPECT_EQ(lineTexts(page, 3), (L{{630, sj("継　　　　　手")}, {1932, sj("管単価x 5%")}, {3318, "       1"},
                                     {3696, sj("式  ")}, {4464, "            125"}}));
    EXPECT_EQ(lineTexts(page, 4), (L{{630, sj("　　　計　　　")}, {4464, "          3,125"}}));
    EXPECT_EQ(lineTexts(page, 5), (L{{630, sj("複　合　単　価")}, {4464, "          3,125"}}));
    EXPECT_TRUE(lineTexts(page, 6).empty());
    EXPECT_EQ(PrintTextTop(kPrintCaptionLine + 5, 184), 1536);

    const PrintedText* title = page.find(sj("単　価　表"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->font.height, 177);
    EXPECT_EQ(std::make_pair(title->x, title->y), std::make_pair(2848, 196));
    const PrintedText* no = page.find("-1-");
    ASSERT_NE(no, nullptr);
    EXPECT_EQ(no->font.height, 71);
    EXPECT_EQ(std::make_pair(no->x, no->y), std::make_pair(3204, 4602));
    // The table: captions, the caption boxes and the 20 row lines' boxes, the heavy frame twice.
    EXPECT_NE(page.find(sj("単位")), nullptr);
    int heavy = 0;
    for (const auto& l : page.lines)
        heavy += l.pen.width == 8;
    EXPECT_EQ(heavy, 4);
    const int boxesPerLine = static_cast<int>(page.rects.size()) / 21;
    EXPECT_EQ(static_cast<int>(page.rects.size()), boxesPerLine * 21);
    EXPECT_GT(boxesPerLine, 5);
}

TEST_F(KivPrintFukugou, ModeThreeAmountsCarryTwoDecimals) {
    open({pipeRow(1, 1)});
    doc->m_SetteiValues.FukugouMarume = 3;
    const PrintedPage& page = printSheet().pages.at(0);
    const auto material = lineTexts(page, 2);
    EXPECT_NE(std::find(material.begin(), material.end(), std::make_pair(4590, std::string("      3000.00"))),
              material.end());
    // The separators go in without losing the last decimal; the right edge is the material amount's.
    using L = std::vector<std::pair<int, std::string>>;
    EXPECT_EQ(lineTexts(page, 3).back(), (L::value_type{4464, "          125.00"}));
    EXPECT_EQ(lineTexts(page, 4).back(), (L::value_type{4464, "        3,125.00"}));
    EXPECT_EQ(4464 + 16 * 42, 4590 + 13 * 42);
}

TEST_F(KivPrintFukugou, PageNumberLeftOutWhenAsked) {
    // 規格 differs: two composite rows, two pages.
    open({pipeRow(1, 1), pipeRow(1, 2, "2A")});
    const PrintedJob& job = printSheet({Kind::IDC_NO_PAGE_NO});
    ASSERT_EQ(job.pages.size(), 2u);
    EXPECT_EQ(job.pages[1].find("-2-"), nullptr);
    EXPECT_NE(job.pages[1].find(sj("単　価　表")), nullptr);
    EXPECT_NE(job.pages[1].findContaining("2A"), nullptr);
}

TEST_F(KivPrintFukugou, SelectionOfCompositeRows) {
    const std::string name29(29, 'N');
    struct Case {
        const char* what;
        std::vector<std::string> rows;
        std::vector<std::string> pageNames;   // 品名 on line 1 of each page
    } cases[] = {
        {"equal keys in two items",
         {itemRow(1, 1, {{G::Hinmei, "P"}, {G::FukuHyouji, "1"}, {G::Bikou2, "X"}}),
          itemRow(2, 1, {{G::Hinmei, "P"}, {G::FukuHyouji, "1"}, {G::Bikou2, "X"}})},
         {"P"}},
        {"remarks 2 differ",
         {itemRow(1, 1, {{G::Hinmei, "P"}, {G::FukuHyouji, "1"}, {G::Bikou2, "X"}}),
          itemRow(2, 1, {{G::Hinmei, "P"}, {G::FukuHyouji, "1"}, {G::Bikou2, "Y"}})},
         {"P", "P"}},
        {"the 30th byte of 品名 differs",
         {itemRow(1, 1, {{G::Hinmei, name29 + "A"}, {G::FukuHyouji, "1"}}),
          itemRow(1, 2, {{G::Hinmei, name29 + "B"}, {G::FukuHyouji, "1"}})},
         {name29 + "A"}},
        {"flags and rates",
         {itemRow(1, 1, {{G::Hinmei, "PLAIN"}}), itemRow(1, 2, {{G::Hinmei, "F101"}, {G::FukuHyouji, "1"}}),
          itemRow(1, 3, {{G::Hinmei, "F102"}, {G::ZaiGoukei, "1"}}),
          itemRow(1, 4, {{G::Hinmei, "RATE3"}, {G::Roumu3Bukake, "0.1"}}),
          itemRow(1, 5, {{G::Hinmei, "BADRATE"}, {G::Roumu3Bukake, "x"}})},
         {"F101", "F102", "RATE3"}},
        {"a plain row came first",
         {itemRow(1, 1, {{G::Hinmei, "SAME"}}), itemRow(2, 1, {{G::Hinmei, "SAME"}, {G::FukuHyouji, "1"}}),
          itemRow(2, 2, {{G::Hinmei, "OTHER"}, {G::FukuHyouji, "1"}})},
         {"OTHER"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        open(c.rows);
        const std::vector<std::string> before(doc->PoolRows().begin(), doc->PoolRows().end());
        const PrintedJob& job = printSheet();
        EXPECT_EQ(job.info.lastPage, static_cast<int>(c.pageNames.size())) << "the preparation counts the pages";
        ASSERT_EQ(job.pages.size(), c.pageNames.size());
        for (std::size_t p = 0; p < job.pages.size(); ++p)
            EXPECT_EQ(labelOf(job.pages[p], 1), c.pageNames[p]) << "page " << p + 1;
        // Every walked row left its key, in walking order; the estimate's rows are unchanged.
        EXPECT_EQ(view->m_DaikaKeys[0].size(), 145u);
        EXPECT_EQ(view->m_DaikaKeys[c.rows.size() - 1].size(), 145u);
        EXPECT_TRUE(view->m_DaikaKeys[c.rows.size()].empty());
        EXPECT_EQ(std::vector<std::string>(doc->PoolRows().begin(), doc->PoolRows().end()), before);
    }
}

TEST_F(KivPrintFukugou, KeyTakesTwentyNineBytesOfTheNameAndTheTextFields) {
    std::string row = itemRow(3, 7, {{G::Kigou, "K1"}, {G::Hinmei, std::string(30, 'H')}, {G::Kikaku, "KIKAKU"},
                                     {G::FukugouTanka1, "1234"}, {G::Bikou1, "B1"}, {G::Bikou2, "B2"}});
    const std::string key = FukugouGyouKey(row);
    ASSERT_EQ(key.size(), 145u);
    EXPECT_EQ(key.substr(0, 8), std::string(8, ' '));
    EXPECT_EQ(key.substr(8, 4), "K1  ");
    EXPECT_EQ(key.substr(16, 29), std::string(29, 'H'));
    EXPECT_EQ(key.substr(45, 6), "KIKAKU");
    EXPECT_EQ(key.substr(75, 10), "      1234");
    EXPECT_EQ(key.substr(85, 2), "B1");
    EXPECT_EQ(key.substr(115, 2), "B2");
}

TEST_F(KivPrintFukugou, FullBlockOfTwentyTwoLines) {
    labour({{1, "配管工", "20000"}, {2, "普通作業員", "15000"}, {8, "電工", "20000"}});
    std::vector<std::pair<int, std::string>> fields = {
        {G::Kigou, "A1"}, {G::Hinmei, sj("複合")}, {G::Kikaku, "25A"}, {G::Bikou1, "REM"}, {G::ZaiGoukei, "1"},
        {G::TugiteRitu, "0.05"}, {G::SetugouRitu, "0.1"}, {G::SijiRitu, "1.5"}, {G::FuzokuRitu, "0.02"},
        {G::ZatuzaiRitu, "0.03"}, {G::UnpanRitu, "0.04"}, {G::HaturiRitu, "0.06"}, {G::Sonota1Ritu, "0.07"},
        {G::Sonota2Ritu, "0.08"}, {G::Roumu1No, "1"}, {G::Roumu2No, "2"}, {G::Roumu3No, "8"},
        {G::Roumu1Bukake, "0.1"}, {G::Roumu2Bukake, "0.2"}, {G::Roumu3Bukake, "0.5"}, {G::Roumu3Bikou, "L3"}};
    for (int k = 0; k < 7; ++k) {
        const int base = G::MaterialFirstField + 8 * k;
        fields.push_back({base + 1, "M" + std::to_string(k + 1)});
        fields.push_back({base + 3, "2"});
        fields.push_back({base + 5, "100"});
    }
    open({itemRow(1, 1, fields)});
    doc->m_SetteiValues.FukugouMarume = 1;
    const PrintedPage& page = printSheet().pages.at(0);
    const std::vector<std::string> labels = {
        "複合", "M1", "M2", "M3", "M4", "M5", "M6", "M7", "継　　　　　手", "接　　合　　材", "支　持　金　物",
        "付　　属　　品", "雑　　材　　料", "運　　搬　　費", "労　　務　　費", "労　　務　　費", "労　　務　　費",
        "は つ り 補 修", "そ　　の　　他", "そ　　の　　他", "　　　計　　　", "複　合　単　価"};
    for (std::size_t i = 0; i < labels.size(); ++i)
        EXPECT_EQ(labelOf(page, static_cast<int>(i) + 1), sj(labels[i].c_str())) << "line " << i + 1;
    // Lines 21 and 22 stand below the 20th box: line 22's text reaches y 4747, still on the paper.
    EXPECT_EQ(PrintTextTop(kPrintCaptionLine + 22, 184) + 83, 4747);

    // A rate of 1.5 prints whole: 150 %.
    const auto siji = lineTexts(page, 11);
    EXPECT_EQ(siji[1], std::make_pair(1932, sj("管単価x150%")));
    // Other lines' bases follow the chipping, sundry and transport amounts.
    EXPECT_EQ(lineTexts(page, 19)[1].second, sj("(労+はつり)x 7%"));
    EXPECT_EQ(lineTexts(page, 20)[1].second, sj("(材+労+雑+運)x 8%"));

    // Labour line 1: rate and price half a cell further right than the other lines.
    using P = std::pair<int, std::string>;
    const auto l1 = lineTexts(page, 15);
    EXPECT_EQ(l1[1], P(1932, sj("配管工")));
    EXPECT_EQ(l1[2], P(static_cast<int>((81 - 0.5) * 42), "   0.1"));
    EXPECT_EQ(l1[3], P(3696, sj("人  ")));
    EXPECT_EQ(l1[4], P(static_cast<int>((96 - 3 - 0.5) * 42), "       20,000"));
    EXPECT_EQ(l1[5], P(4464, "          2,000"));
    // Labour line 3 with entry 8 of the list: 電工 and its 20,000, its remarks.
    const auto l3 = lineTexts(page, 17);
    EXPECT_EQ(l3[1], P(1932, sj("電工")));
    EXPECT_EQ(l3[2], P(static_cast<int>((81 - 0.7) * 42), "   0.5"));
    EXPECT_EQ(l3[4], P(static_cast<int>((96 - 3 - 0.7) * 42), "       20,000"));
    EXPECT_EQ(l3[5], P(4464, "         10,000"));
    EXPECT_EQ(l3[6], P(123 * 42, "L3"));
    // The title line shows 記号, 品名, 規格 and remarks 1.
    const auto t = lineTexts(page, 1);
    EXPECT_EQ(t, (std::vector<P>{{10 * 42, "A1"}, {15 * 42, sj("複合")}, {46 * 42, "25A"}, {123 * 42, "REM"}}));
}

TEST_F(KivPrintFukugou, ZeroTotalShowsTheRowsOwnAmount) {
    open({itemRow(1, 1, {{G::Hinmei, "ZERO"}, {G::FukuHyouji, "1"}, {G::Kingaku1, "1234567"}})});
    const PrintedPage& page = printSheet().pages.at(0);
    using P = std::pair<int, std::string>;
    EXPECT_EQ(lineTexts(page, 2), (std::vector<P>{{630, sj("　　　計　　　")}, {4464, "      1,234,567"}}));
    EXPECT_EQ(lineTexts(page, 3), (std::vector<P>{{630, sj("複　合　単　価")}, {4464, "      1,234,567"}}));
}

TEST_F(KivPrintFukugou, LabourNumbersWithoutAnEntryPrintBlank) {
    labour({{1, "配管工", "20000"}});
    open({itemRow(1, 1, {{G::Hinmei, "L"}, {G::Roumu1No, "5"}, {G::Roumu1Bukake, "0.1"}, {G::Roumu2No, "99"},
                         {G::Roumu2Bukake, "0.2"}, {G::Roumu3No, "1"}})});
    const PrintedJob& job = printSheet();
    ASSERT_EQ(job.pages.size(), 1u);
    // Entry 5 is empty, 99 lies past the list: no trade and no price, the rest of the line stays.
    using P = std::pair<int, std::string>;
    EXPECT_EQ(lineTexts(job.pages[0], 2), (std::vector<P>{{630, sj("労　　務　　費")}, {3381, "   0.1"}, {3696, sj("人  ")},
                                                          {4464, "              0"}}));
    EXPECT_EQ(lineTexts(job.pages[0], 3), (std::vector<P>{{630, sj("労　　務　　費")}, {3372, "   0.2"}, {3696, sj("人  ")},
                                                          {4464, "              0"}}));
    // Line 3 has its number but no rate: no line.
    EXPECT_EQ(labelOf(job.pages[0], 4), sj("　　　計　　　"));
    // The missing labour price gave one collected message at the end of the preparation, none
    // from the page.
    ASSERT_EQ(KivRecordedMessages().size(), 1u);
    EXPECT_NE(KivRecordedMessages()[0].find("労務単価1が入力されていない行があります"), std::string::npos);
}

TEST_F(KivPrintFukugou, PricingMessagesShownOnceForTheJobAndThePreview) {
    std::vector<std::string> rows;
    for (int g = 1; g <= 3; ++g)
        rows.push_back(itemRow(1, g, {{G::Hinmei, "R" + std::to_string(g)}, {G::Roumu1No, "1"}, {G::Roumu1Bukake, "0.1"}}));
    open(rows);
    answerInsatu({Kind::IDC_FUKUGOU_TANKAHYOU});
    backend.expectPreview([](kiv::ui::headless::PreviewDriver& p) {
        EXPECT_EQ(p.state().pageCount(), 3);
        p.press(kiv::print::PreviewState::Next);
        p.press(kiv::print::PreviewState::Next);
        EXPECT_NE(p.shown()[0].find("R3"), nullptr);
        p.press(kiv::print::PreviewState::Close);
    });
    view->onCommand(kiv::ui::cmd::FilePrintPreview);
    ASSERT_EQ(KivRecordedMessages().size(), 1u);
    EXPECT_NE(KivRecordedMessages()[0].find("3件"), std::string::npos);
}

} // namespace
} // namespace kivtest
