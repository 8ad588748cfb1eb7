// The estimate grid as painted: captions, row texts with digit grouping, cell boxes and rules,
// colours, the number of visible rows, the status-bar panes and the grid font size.
#include "grid/KivViewFixture.h"

#include "platform/profile/Profile.h"

using namespace kivtest;
using kiv::ui::rgb;
using kiv::ui::headless::DrawOp;

namespace {

std::vector<std::string> estimateRows() {
    return {
        makeRow(1, {{GyouRecord::Kigou, "A1"},
                    {GyouRecord::Hinmei, sj("配管工事")},
                    {GyouRecord::Kikaku, "SGP 25A"},
                    {GyouRecord::HiroidasiSuu1, "12345678"},
                    {GyouRecord::Tanni, sj("ｍ")},
                    {GyouRecord::Tanka1, "1234.5"},
                    {GyouRecord::Kingaku1, "-1234567"},
                    {GyouRecord::BunNo, "12"}}),
        makeRow(2, {{GyouRecord::Hinmei, "CABLE"},
                    {GyouRecord::Kikaku, sj("ＣＶ　２ｍｍｶﾅ")},
                    {GyouRecord::Tanka1, "999"},
                    {GyouRecord::Kingaku1, "1234567.89"}}),
        makeRow(3, {{GyouRecord::Hinmei, sj("継手")}, {GyouRecord::Tanka2, "-1234"}}),
    };
}

class KivViewPaint : public KivViewFixture {};

TEST_F(KivViewPaint, DrawsCaptionsAndRowsCellByCell) {
    open(estimateRows());
    EXPECT_EQ(view->m_CharWidth, kCharWidth);
    EXPECT_EQ(view->m_LineHeight, kLineHeight);
    EXPECT_EQ(view->m_VisibleGyou, 6);   // 14 lines: two caption lines and six rows of two

    // The caption lines: every shown field's caption, blue on grey.
    for (int f : {1, 2, 5, 6, 7, 13, 17, 26, 29, 35, 36}) {
        SCOPED_TRACE(f);
        const FieldGeometry g = CalcTitleFieldPos(g_KivFieldTable, f, 0);
        const auto& l = GyouRecord::layout(f);
        EXPECT_EQ(screen().textAt(g.Pos.X0 * kCharWidth, g.Pos.Line * kLineHeight, l.Width, kCharWidth),
                  g_KivTitleText.substr(static_cast<std::size_t>(l.Offset), static_cast<std::size_t>(l.Width)));
    }
    auto caption = screen().cellAt(11 * kCharWidth, 0);
    ASSERT_TRUE(caption);
    EXPECT_EQ(caption->text, rgb(0, 0, 205));
    EXPECT_EQ(caption->back, rgb(211, 211, 211));

    struct Cell {
        int field, row;
        std::string text;
    };
    const Cell cells[] = {
        {1, 1, "0001"},
        {2, 1, "0001"},
        {3, 1, "A1  "},
        {5, 1, padded(5, sj("配管工事"))},
        {6, 1, padded(6, "SGP 25A")},
        {7, 1, "12,345,678"},                 // eight digits take the two separator cells
        {8, 1, "          "},                 // a blank number shows no separator
        {11, 1, sj("ｍ")},
        {13, 1, "      1,234.5"},
        {17, 1, "     -1,234,567"},           // a computed field, the minus moving with the digits
        {29, 1, "  1.0"},
        {35, 1, "  12"},
        {2, 2, "0002"},
        {5, 2, padded(5, "CABLE")},
        {6, 2, padded(6, sj("ＣＶ　２ｍｍｶﾅ"))},
        {13, 2, "          999"},             // three digits need no separator
        {17, 2, "   1,234,567.89"},
        {5, 3, padded(5, sj("継手"))},
        {14, 3, "       -1,234"},
        {5, 4, std::string(30, ' ')},         // rows below the item: empty cells
    };
    for (const Cell& c : cells) {
        SCOPED_TRACE(std::to_string(c.field) + " on row " + std::to_string(c.row));
        EXPECT_EQ(shown(c.field, c.row), c.text);
    }

    // The rows are black on white in boxes of grey pen; below the item the boxes are drawn
    // empty down to the last screen row.
    auto name = screen().cellAt(11 * kCharWidth, 4 * kLineHeight);
    ASSERT_TRUE(name);
    EXPECT_EQ(name->text, kiv::ui::kBlack);
    EXPECT_EQ(name->back, kiv::ui::kWhite);
    auto hasFrame = [&](const kiv::ui::Rect& r, kiv::ui::Color pen) {
        for (const DrawOp& op : screen().opsOf(DrawOp::Frame))
            if (op.rect == r && op.pen.color == pen)
                return true;
        return false;
    };
    // 品名 of grid row 6 (line 12): cells 11-40.
    EXPECT_TRUE(hasFrame({(11 - 1) * 7 + 3, 12 * 18 - 2, (40 + 1) * 7 + 4, 13 * 18 - 1}, rgb(100, 100, 100)));
    // 拾出数量 of row 1 with its two separator cells.
    EXPECT_TRUE(hasFrame({(44 - 2 - 1) * 7 + 3, 2 * 18 - 2, (51 + 1) * 7 + 4, 3 * 18 - 1}, rgb(100, 100, 100)));
    // The rule over the edge between a row's two lines, from field 2's box to field 36's.
    bool rule = false;
    for (const DrawOp& op : screen().opsOf(DrawOp::Line))
        if (op.from == kiv::ui::Point{3, 3 * 18 - 2} && op.to == kiv::ui::Point{(185 + 1) * 7 + 4, 3 * 18 - 2} &&
            op.pen.color == rgb(180, 200, 150))
            rule = true;
    EXPECT_TRUE(rule);
    // Every paint puts the vertical bar at 0 and the horizontal one at the pairs scrolled away.
    EXPECT_EQ(view->scrollPos(kiv::ui::SB_VERT), 0);
    EXPECT_EQ(view->scrollPos(kiv::ui::SB_HORZ), view->m_HScrollPairs);
}

TEST_F(KivViewPaint, SelectedLookKeepsTheCurrentField) {
    open(estimateRows());
    placeCursor(2, 2, GyouRecord::Tanka1);
    view->DrawGyouSelected();
    EXPECT_EQ(field(), GyouRecord::Tanka1);
    EXPECT_EQ(view->m_FieldPos.X0, 70);   // the geometry of 単価 again, not of the last field drawn
    auto name = screen().cellAt(11 * kCharWidth, 4 * kLineHeight);
    ASSERT_TRUE(name);
    EXPECT_EQ(name->back, rgb(200, 200, 200));
    EXPECT_EQ(shown(13, 2), "          999");
    bool blackBox = false;
    for (const DrawOp& op : screen().opsOf(DrawOp::Frame))
        blackBox = blackBox || (op.pen.color == kiv::ui::kBlack && op.rect.top == 4 * 18 - 2);
    EXPECT_TRUE(blackBox);
    // The normal look again.
    view->DrawGyouFramed();
    EXPECT_EQ(screen().cellAt(11 * kCharWidth, 4 * kLineHeight)->back, kiv::ui::kWhite);
}

TEST_F(KivViewPaint, ACellIsRedrawnRawWhileEditedAndGroupedWhenLeft) {
    open(estimateRows());
    placeCursor(1, 1, GyouRecord::HiroidasiSuu1);
    view->DrawCurField();
    EXPECT_EQ(screen().textAt(44 * kCharWidth, 2 * kLineHeight, 8, kCharWidth), "12345678");
    EXPECT_EQ(view->m_FieldPos.X0, 44);
    enter();
    EXPECT_EQ(field(), GyouRecord::HiroidasiSuu2);
    EXPECT_EQ(shown(7, 1), "12,345,678");
}

TEST_F(KivViewPaint, HorizontalScrollingHidesFieldPairs) {
    open(estimateRows());
    backend.sendScroll(*view, kiv::ui::SB_HORZ, kiv::ui::SB_LINERIGHT);
    EXPECT_EQ(view->m_HScrollPairs, 1);
    EXPECT_EQ(view->scrollBar(kiv::ui::SB_HORZ).max, 9);
    // 積算数量 moved into the cells of 拾出数量; 単価 moved left by 11 cells.
    const FieldGeometry tanka = CalcFieldPos(g_KivFieldTable, 13, 1, 1);
    EXPECT_EQ(tanka.Pos.X0, 59);
    EXPECT_EQ(shown(13, 1), "      1,234.5");
    EXPECT_EQ(screen().textAt(44 * kCharWidth, 0, 8, kCharWidth), sj("積算数量"));
    for (int i = 0; i < 10; ++i)
        backend.sendScroll(*view, kiv::ui::SB_HORZ, kiv::ui::SB_PAGERIGHT);
    EXPECT_EQ(view->m_HScrollPairs, 8);   // no further than eight pairs
    EXPECT_EQ(screen().textAt(42 * kCharWidth, 0, 4, kCharWidth), sj("継手"));
    // The thumb goes to a whole pair, never past the last.
    backend.sendScroll(*view, kiv::ui::SB_HORZ, kiv::ui::SB_THUMBTRACK, 2);
    EXPECT_EQ(view->m_HScrollPairs, 2);
    backend.sendScroll(*view, kiv::ui::SB_HORZ, kiv::ui::SB_THUMBTRACK, 9);
    EXPECT_EQ(view->m_HScrollPairs, 8);
    backend.sendScroll(*view, kiv::ui::SB_HORZ, kiv::ui::SB_LINELEFT);
    EXPECT_EQ(view->m_HScrollPairs, 7);
    EXPECT_EQ(view->scrollPos(kiv::ui::SB_HORZ), 7);   // the repaint keeps the thumb on the pairs
}

TEST_F(KivViewPaint, VisibleRowsLeaveRoomForTheCaptionsAndStayInTheTable) {
    open(namedRows(8), 14);
    struct Case {
        int lines, rows;
    };
    // A last row must fit entirely below the two caption lines.
    const Case cases[] = {{10, 4}, {11, 4}, {12, 5}, {14, 6}, {3, 1}, {1, 1}, {250, 100}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        backend.resize(*view, {kClientWidth, c.lines * kLineHeight});
        EXPECT_EQ(view->m_VisibleGyou, c.rows);
    }
    // A window made shorter keeps the cursor's row on its last screen row.
    backend.resize(*view, {kClientWidth, 14 * kLineHeight});
    placeCursor(6, 6, GyouRecord::Hinmei);
    backend.resize(*view, {kClientWidth, 10 * kLineHeight});
    EXPECT_EQ(cursorRow(), 6);
    EXPECT_EQ(screenRow(), 4);
    EXPECT_EQ(topRows(), 2);
    EXPECT_EQ(shown(5, 4), padded(5, "R6"));
    EXPECT_EQ(view->caret().pos.y, 8 * kLineHeight);
}

TEST_F(KivViewPaint, StatusPanesShowTheStyleRoundingAndLabourFile) {
    open(estimateRows());
    EXPECT_EQ(kiv::grid::StatusPaneText(kiv::grid::kPaneStyle), "労務費を計上して積算");
    EXPECT_EQ(kiv::grid::StatusPaneText(kiv::grid::kPaneRounding), "");

    struct Case {
        int rounding;
        std::string path, file, roundingText;
    };
    const Case cases[] = {
        {1, "/data/労務単価.rab", "労務単価.rab", "複合単価を補償用に設定"},
        {2, "C:\\kiv\\r2024.rab", "r2024.rab", "複合単価を切捨てに設定"},
        {3, "roumu.rab", "roumu.rab", "複合単価を四捨五入に設定"},
        {7, "x/y.rab", "y.rab", "複合単価を四捨五入に設定"},   // no text of its own: the pane keeps the last
    };
    doc->m_SetteiValues.SekisanYousiki = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rounding);
        doc->m_SetteiValues.FukugouMarume = c.rounding;
        doc->m_RoumuPath = c.path;
        view->invalidate();
        backend.processPending();
        EXPECT_EQ(kiv::grid::StatusPaneText(kiv::grid::kPaneStyle), "複合単価で積算");
        EXPECT_EQ(kiv::grid::StatusPaneText(kiv::grid::kPaneRounding), c.roundingText);
        EXPECT_EQ(kiv::grid::StatusPaneText(kiv::grid::kPaneRoumuFile), "複合単価労務費は " + c.file + " を使用");
    }
    doc->m_SetteiValues.SekisanYousiki = 0;
    view->invalidate();
    backend.processPending();
    EXPECT_EQ(kiv::grid::StatusPaneText(kiv::grid::kPaneStyle), "労務費を計上して積算");
    EXPECT_EQ(kiv::grid::StatusPaneText(kiv::grid::kPaneRoumuFile), "複合単価労務費は y.rab を使用");
}

TEST_F(KivViewPaint, FontSizeCommandChangesTheGrid) {
    kiv::profile::Profile::user().writeInt("Font_Size_Section", "Font_Size", 16);
    open(estimateRows());
    EXPECT_EQ(view->m_FontSize, 16);
    EXPECT_EQ(view->m_CharWidth, 8);
    int rebuilds = 0;
    kiv::grid::SetTreeRebuildHook([&](kiv::ui::View&) { ++rebuilds; });

    // Yes, then a font of height -16: three quarters of it.
    backend.expectMessageBox(kiv::ui::IDYES, "ＭＳゴシックのフォントサイズを選択してください");
    kiv::ui::Font chosen;
    chosen.height = -16;
    backend.expectFont(chosen);
    backend.expectMessageBox(kiv::ui::IDOK, "このウィンドを終了後、画面表示が変更されます。");
    ASSERT_TRUE(view->onCommand(ID_FONT_SIZE));
    backend.processPending();
    EXPECT_EQ(backend.prompts().front().style, static_cast<unsigned>(kiv::ui::MB_YESNOCANCEL));
    EXPECT_EQ(backend.prompts().front().text.back(), '\t');
    EXPECT_EQ(view->m_FontSize, 12);
    EXPECT_EQ(kiv::profile::Profile::user().getInt("Font_Size_Section", "Font_Size", 0), 12);
    EXPECT_EQ(view->m_CharWidth, 6);   // repainted at once in the new size
    EXPECT_EQ(view->m_LineHeight, 16);
    EXPECT_EQ(view->caret().height, 12);
    EXPECT_EQ(view->m_VisibleGyou, (14 * 18 / 16 - 2) / 2);
    EXPECT_EQ(screen().textAt((44 - 2) * 6, 2 * 16, 10, 6), "12,345,678");
    EXPECT_EQ(rebuilds, 1);

    // Yes and a cancelled font dialog, or Cancel: nothing stored.
    backend.expectMessageBox(kiv::ui::IDYES);
    backend.expectFont(std::nullopt);
    view->OnFontSize();
    backend.expectMessageBox(kiv::ui::IDCANCEL);
    view->OnFontSize();
    EXPECT_EQ(view->m_FontSize, 12);
    EXPECT_EQ(kiv::profile::Profile::user().getInt("Font_Size_Section", "Font_Size", 0), 12);
    EXPECT_EQ(rebuilds, 3);

    // No: back to the default size.
    backend.expectMessageBox(kiv::ui::IDNO);
    view->OnFontSize();
    EXPECT_EQ(view->m_FontSize, 14);
    EXPECT_EQ(kiv::profile::Profile::user().getInt("Font_Size_Section", "Font_Size", 0), 14);
    EXPECT_EQ(view->m_CharWidth, 7);
}

} // namespace
