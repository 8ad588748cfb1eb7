// Thousands separators of numbers in fixed-width fields, and the cover total prepared for the
// cover page.
#include <gtest/gtest.h>

#include "grid/GroupDigits.h"
#include "grid/KivView.h"
#include "grid/KivViewFixture.h"

namespace {

TEST(GroupDigits, GroupsIntegerDigitsRightAlignedInTheWidenedField) {
    struct Case {
        std::string number, grouped;
        int spare;
    };
    const Case cases[] = {
        {"12345678", "12,345,678", 2},
        {"  1234.5", "   1,234.5", 2},
        {"-1234567", "-1,234,567", 2},
        {"        ", "          ", 2},
        {"     999", "       999", 2},
        {"   -1234", "    -1,234", 2},
        {"   1234567", "    1,234,567", 3},
        {"1234567.89", " 1,234,567.89", 3},
        {"    0.25", "      0.25", 2},
        {"123456789012", "123,456,789,012", 3},
        {"  -123456789", "   -123,456,789", 3},
        {"1234", "1,234", 1},
        {"123", "123", 0},
        {"", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        const GroupedDigits g = GroupDigits(c.number);
        EXPECT_EQ(g.Spare, c.spare);
        EXPECT_EQ(g.Text(static_cast<int>(c.number.size())), c.grouped);
        EXPECT_EQ(g.Buffer.size(), 20u);
    }
    const GroupedDigits g = GroupDigits("-1234.567");
    EXPECT_EQ(g.IntDigits, 4);
    EXPECT_EQ(g.FracDigits, 3);
    EXPECT_EQ(g.PointSeen, 1);
    // Wider than any grouped field: left as it is.
    EXPECT_EQ(GroupDigits("1234567890123").Spare, 0);
    EXPECT_EQ(GroupDigits("1234567890123").Buffer.substr(5, 13), "1234567890123");
}

TEST(GroupDigits, FieldGroupingWidensTheFieldToTheLeft) {
    CKivView view;
    view.m_EditGyou.replace(112, 10, "   1234567");   // 単価１
    view.m_CurField[0] = GyouRecord::Tanka1;
    view.CalcFieldPos();
    view.GroupDigitsField();
    EXPECT_EQ(view.m_FieldPos.X0, 67);
    EXPECT_EQ(view.m_FieldPos.Width, 13);
    EXPECT_EQ(view.m_FieldPos.Offset, 2);
    EXPECT_EQ(view.m_GroupDigitsBuf.substr(2, 13), "    1,234,567");
    // The print buffers take the field's width from their start.
    view.CalcFieldPos();
    view.m_PrintNumBuf = "  -98765.4";
    view.GroupDigitsPrintBuf();
    EXPECT_EQ(view.m_GroupDigitsBuf.substr(2, 13), "    -98,765.4");
    view.CalcFieldPos();
    view.m_PrintNumBuf2 = "1";
    view.GroupDigitsPrintBuf2();
    EXPECT_EQ(view.m_GroupDigitsBuf.substr(2, 13), "   1" + std::string(9, ' '));
}

class CoverTotal : public kivtest::KivViewFixture {};

TEST_F(CoverTotal, IsGroupedForTheCoverPage) {
    CKivView view;
    view.SetDocument(doc.get());
    struct Case {
        std::string total, text;
    };
    const Case cases[] = {
        {"  1234567890", "    1,234,567,890"},   // two blanks and the 15-character number
        {"123456789012", "  123,456,789,012"},
        {"1234", "            1,234"},          // a shorter total is right-aligned first
        {"  -5000", "           -5,000"},
        {"", "  "},
        {"12345678901234", "12345678901234"},    // not a total the estimate writes: ungrouped
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.total);
        doc->m_HyousiData[17] = c.total;
        view.GroupDigitsGoukei();
        EXPECT_EQ(doc->m_KingakuText, c.text);
    }
}

} // namespace
