#include <gtest/gtest.h>

#include "estimate/GyouRecord.h"
#include "grid/FieldTable.h"
#include "platform/text/Cp932.h"

using kiv::text::sj;

namespace {

const FieldTable& T = g_KivFieldTable;

int at(const FieldTable::Column& c, int field) { return c[static_cast<std::size_t>(field - 1)]; }

} // namespace

// Offset, width and kind of every field, written out from the record's own byte table rather
// than read from the code, so that a wrong entry in the row layout or in the grid's table shows.
struct FieldBytes {
    int offset, width;
    bool isText;
};
constexpr bool Tx = true, Nm = false;
const FieldBytes kRowBytes[GyouRecord::FieldCount] = {
    {0, 4, Nm}, {4, 4, Nm}, {8, 4, Tx}, {12, 4, Nm}, {16, 30, Tx}, {46, 30, Tx},  // 1-6
    {76, 8, Nm}, {84, 8, Nm}, {92, 8, Nm}, {100, 8, Nm}, {108, 2, Tx}, {110, 2, Tx},  // 7-12
    {112, 10, Nm}, {122, 10, Nm}, {132, 10, Nm}, {142, 10, Nm}, {152, 12, Nm}, {164, 12, Nm},  // 13-18
    {176, 30, Tx}, {206, 30, Tx}, {236, 6, Nm}, {242, 6, Nm}, {248, 4, Nm}, {252, 4, Nm},  // 19-24
    {256, 4, Nm}, {260, 4, Nm}, {264, 4, Nm}, {268, 4, Nm}, {272, 5, Nm}, {277, 5, Nm},  // 25-30
    {282, 4, Nm}, {286, 4, Nm}, {290, 6, Nm}, {296, 6, Nm}, {302, 4, Nm}, {306, 4, Nm},  // 31-36
    {315, 10, Nm}, {325, 30, Tx}, {355, 30, Tx}, {385, 5, Nm}, {390, 4, Tx}, {394, 10, Nm},  // 37-42
    {404, 10, Nm}, {414, 30, Tx}, {444, 10, Nm}, {454, 30, Tx}, {484, 30, Tx}, {514, 5, Nm},  // 43-48
    {519, 4, Tx}, {523, 10, Nm}, {533, 10, Nm}, {543, 30, Tx}, {573, 10, Nm}, {583, 30, Tx},  // 49-54
    {613, 30, Tx}, {643, 5, Nm}, {648, 4, Tx}, {652, 10, Nm}, {662, 10, Nm}, {672, 30, Tx},  // 55-60
    {702, 10, Nm}, {712, 30, Tx}, {742, 30, Tx}, {772, 5, Nm}, {777, 4, Tx}, {781, 10, Nm},  // 61-66
    {791, 10, Nm}, {801, 30, Tx}, {831, 10, Nm}, {841, 30, Tx}, {871, 30, Tx}, {901, 5, Nm},  // 67-72
    {906, 4, Tx}, {910, 10, Nm}, {920, 10, Nm}, {930, 30, Tx}, {960, 10, Nm}, {970, 30, Tx},  // 73-78
    {1000, 30, Tx}, {1030, 5, Nm}, {1035, 4, Tx}, {1039, 10, Nm}, {1049, 10, Nm}, {1059, 30, Tx},  // 79-84
    {1089, 10, Nm}, {1099, 30, Tx}, {1129, 30, Tx}, {1159, 5, Nm}, {1164, 4, Tx}, {1168, 10, Nm},  // 85-90
    {1178, 10, Nm}, {1188, 30, Tx}, {1218, 10, Nm}, {1228, 10, Nm}, {1238, 2, Nm}, {1240, 2, Nm},  // 91-96
    {1242, 2, Nm}, {236, 6, Nm}, {242, 6, Nm}, {1244, 6, Nm}, {1250, 1, Nm}, {1251, 1, Nm},  // 97-102
    {1252, 30, Tx}, {1282, 30, Tx}, {1312, 30, Tx}, {1342, 58, Tx},  // 103-106
};

TEST(KivFieldTable, FollowsTheRowLayout) {
    for (int f = 1; f <= GyouRecord::FieldCount; ++f) {
        const FieldBytes& want = kRowBytes[f - 1];
        SCOPED_TRACE(testing::Message() << "field " << f);
        const auto& l = GyouRecord::layout(f);
        EXPECT_EQ(l.Offset, want.offset);
        EXPECT_EQ(l.Width, want.width);
        EXPECT_EQ(l.IsText, want.isText);
        EXPECT_EQ(at(T.Offset, f), want.offset);
        EXPECT_EQ(at(T.Width, f), want.width);
        EXPECT_EQ(at(T.IsText, f), want.isText ? 1 : 0);
    }
    for (int f : {107, 108})
        EXPECT_EQ(at(T.Width, f) + at(T.Offset, f) + at(T.XFrom, f) + at(T.Shown, f) + at(T.IsText, f), 0);
}

TEST(KivFieldTable, ScreenColumnsAndFlags) {
    for (int f = 1; f <= 36; ++f) {
        EXPECT_EQ(at(T.Shown, f), 1) << f;
        EXPECT_EQ(at(T.Line, f), (f - 1) % 2) << f;
        // Each grid cell range is as wide as the field.
        EXPECT_EQ(at(T.XTo, f) - at(T.XFrom, f) + 1, at(T.Width, f)) << f;
        const bool skip = f == 4 || f == 9 || f == 10 || (f >= 15 && f <= 18) || f == 34;
        EXPECT_EQ(at(T.Skip, f), skip ? 1 : 0) << f;
        const int comma = f >= 7 && f <= 10 ? 2 : f >= 13 && f <= 18 ? 3 : 0;
        EXPECT_EQ(at(T.CommaCells, f), comma) << f;
    }
    EXPECT_EQ(at(T.XFrom, 5), 11);
    EXPECT_EQ(at(T.XFrom, 13), 70);
    EXPECT_EQ(at(T.XTo, 36), 185);
    for (int f = 37; f <= 106; ++f) {
        EXPECT_EQ(at(T.Shown, f), 0) << f;
        EXPECT_EQ(at(T.XFrom, f), 0) << f;
        EXPECT_EQ(at(T.XTo, f), 0) << f;
        EXPECT_EQ(at(T.Line, f), f <= 100 ? (f - 37) % 2 : 0) << f;
        EXPECT_EQ(at(T.Skip, f) + at(T.CommaCells, f), 0) << f;
    }
    EXPECT_EQ(T.BaseLine[0], 2);
    EXPECT_EQ(T.BaseLine[99], 200);
    EXPECT_EQ(T.BaseLine[100], 0);
}

TEST(KivFieldTable, CaptionLinesHoldEachCaptionAtItsField) {
    ASSERT_EQ(g_KivTitleText.size(), 310u);
    ASSERT_EQ(g_KivPrintTitleText.size(), 310u);
    auto caption = [](const std::string& line, int f) {
        return line.substr(static_cast<std::size_t>(at(T.Offset, f)), static_cast<std::size_t>(at(T.Width, f)));
    };
    EXPECT_EQ(caption(g_KivTitleText, 3), sj("記号"));
    EXPECT_EQ(caption(g_KivPrintTitleText, 3), sj("項目"));
    EXPECT_EQ(caption(g_KivTitleText, 4), "    ");
    EXPECT_EQ(caption(g_KivTitleText, 5), sj("　　品　　　　　　　　　名　　"));
    EXPECT_EQ(caption(g_KivPrintTitleText, 6), sj("    規　　　　　　　　　格    "));
    EXPECT_EQ(caption(g_KivTitleText, 15), sj("複合単価  "));
    EXPECT_EQ(caption(g_KivPrintTitleText, 15), sj("単　　価  "));
    EXPECT_EQ(caption(g_KivTitleText, 26), sj(" ﾊﾂﾘ"));  // half-width kana, one byte each
    EXPECT_EQ(caption(g_KivTitleText, 29), sj(" 補給"));
    EXPECT_EQ(caption(g_KivTitleText, 36), sj("ＮＯ"));
    EXPECT_EQ(g_KivTitleText.substr(108, 4), sj("単位"));
}

TEST(CalcFieldPos, GeometryUnderHorizontalScrolling) {
    struct Case {
        int pairs, field, screenRow;
        int x0, x1, line, visible;
    };
    const Case cases[] = {
        // Nothing scrolled: field 7 at 44-51 (its separators at 42-43).
        {0, 7, 1, 44, 51, 2, 1},
        {0, 8, 3, 44, 51, 7, 1},
        {0, 23, 1, 149, 152, 2, 1},
        {0, 3, 2, 6, 9, 4, 1},
        // One pair away: fields 7 and 8 hidden, field 9 where field 7 was.
        {1, 7, 1, 33, 40, 2, 0},
        {1, 8, 1, 33, 40, 3, 0},
        {1, 9, 1, 44, 51, 2, 1},
        {1, 5, 1, 11, 40, 2, 1},
        // All eight pairs away: fields 7-22 hidden, field 23 at cell 42, fields 1-6 unmoved.
        {8, 7, 1, 44 - 107, 51 - 107, 2, 0},
        {8, 22, 1, 142 - 107, 147 - 107, 3, 0},
        {8, 23, 1, 42, 45, 2, 1},
        {8, 36, 100, 75, 78, 201, 1},
        {8, 6, 1, 11, 40, 3, 1},
        {8, 1, 1, 1, 4, 2, 1},
    };
    for (const Case& c : cases) {
        const FieldGeometry g = CalcFieldPos(T, c.field, c.screenRow, c.pairs);
        SCOPED_TRACE(testing::Message() << "pairs " << c.pairs << " field " << c.field);
        EXPECT_EQ(g.Pos.X0, c.x0);
        EXPECT_EQ(g.Pos.X1, c.x1);
        EXPECT_EQ(g.Pos.Line, c.line);
        EXPECT_EQ(g.Pos.Line2, c.line);
        EXPECT_EQ(g.Pos.Visible, c.visible);
        EXPECT_EQ(g.Pos.Width, at(T.Width, c.field));
        EXPECT_EQ(g.Pos.Offset, at(T.Offset, c.field));
        EXPECT_EQ(g.Pos.Skip, at(T.Skip, c.field));
    }
}

TEST(CalcFieldPos, CellsFreedPerScrolledPair) {
    const int expected[] = {0, 11, 22, 25, 39, 53, 69, 100, 107};
    for (int pairs = 0; pairs <= 8; ++pairs) {
        EXPECT_EQ(HScrollCellsOf(T, pairs), expected[pairs]) << pairs;
        EXPECT_EQ(CalcFieldPos(T, 3, 1, pairs).HScrollCells, expected[pairs]) << pairs;
    }
    // The scroll bar cannot take more than eight pairs, nor fewer than none.
    EXPECT_EQ(HScrollCellsOf(T, 9), 107);
    EXPECT_EQ(HScrollCellsOf(T, -1), 0);
}

TEST(CalcFieldPos, CaretSitsAfterANumberAndAtTheStartOfText) {
    struct Case {
        int field, caret, isText;
    };
    const Case cases[] = {{5, 0, 1}, {3, 0, 1}, {13, 10, 0}, {7, 8, 0}, {29, 5, 0}, {19, 0, 1}, {101, 1, 0}};
    for (const Case& c : cases) {
        const FieldGeometry g = CalcFieldPos(T, c.field, 1, 0);
        EXPECT_EQ(g.CaretOfs, c.caret) << c.field;
        EXPECT_EQ(g.Pos.IsText, c.isText) << c.field;
    }
}

TEST(CalcFieldPos, HiddenFieldsAreNeverVisible) {
    for (int pairs : {0, 1, 8})
        for (int f : {37, 42, 98, 99, 101, 106}) {
            const FieldGeometry g = CalcFieldPos(T, f, 1, pairs);
            EXPECT_EQ(g.Pos.Visible, 0) << f;
            EXPECT_EQ(g.Pos.Offset, at(T.Offset, f)) << f;
            EXPECT_EQ(g.Pos.Width, at(T.Width, f)) << f;
        }
    // The skipped blank cells are shown but never take the cursor.
    const FieldGeometry spare = CalcFieldPos(T, 34, 1, 0);
    EXPECT_EQ(spare.Pos.Visible, 1);
    EXPECT_EQ(spare.Pos.Skip, 1);
}

TEST(CalcFieldPos, CaptionGeometry) {
    const FieldGeometry g = CalcTitleFieldPos(T, 14, 0);
    EXPECT_EQ(g.Pos.Line, 1);
    EXPECT_EQ(g.Pos.Line2, 1);
    EXPECT_EQ(g.Pos.IsText, 1);
    EXPECT_EQ(g.CaretOfs, 0);
    EXPECT_EQ(g.Pos.X0, 70);
    const FieldGeometry scrolled = CalcTitleFieldPos(T, 23, 8);
    EXPECT_EQ(scrolled.Pos.X0, 42);
    EXPECT_EQ(scrolled.Pos.Line, 0);
    EXPECT_EQ(CalcTitleFieldPos(T, 13, 3).Pos.Visible, 1);
    EXPECT_EQ(CalcTitleFieldPos(T, 12, 3).Pos.Visible, 0);
}

TEST(CalcFieldPos, RefusesFieldsAndRowsOutsideTheTable) {
    EXPECT_THROW(CalcFieldPos(T, 0, 1, 0), std::out_of_range);
    EXPECT_THROW(CalcFieldPos(T, 109, 1, 0), std::out_of_range);
    EXPECT_THROW(CalcFieldPos(T, 5, 0, 0), std::out_of_range);
    EXPECT_THROW(CalcFieldPos(T, 5, 109, 0), std::out_of_range);
}
