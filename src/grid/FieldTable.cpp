#include "grid/FieldTable.h"

#include <algorithm>
#include <stdexcept>

#include "estimate/GyouRecord.h"
#include "platform/text/Cp932.h"

namespace {

// The estimate grid's columns: fields 1-36.
struct ShownField {
    int XFrom, XTo, Line, Skip, CommaCells;
    const char* Caption;       // screen caption, UTF-8; the CP932 text has the field's width
    const char* PrintCaption;  // print caption
};

constexpr int kShownFields = 36;

// "　" is the ideographic space (two bytes in CP932), " " the ASCII blank.
const ShownField kKivShown[kShownFields] = {
    {1, 4, 0, 0, 0, "項目", "項目"},
    {1, 4, 1, 0, 0, "ＮＯ", "ＮＯ"},
    {6, 9, 0, 0, 0, "記号", "項目"},
    {6, 9, 1, 1, 0, "    ", "    "},
    {11, 40, 0, 0, 0, "　　品　　　　　　　　　名　　", "　　品　　　　　　　　　名    "},
    {11, 40, 1, 0, 0, "　　規　　　　　　　　　格　　", "    規　　　　　　　　　格    "},
    {44, 51, 0, 0, 2, "拾出数量", "数　量  "},
    {44, 51, 1, 0, 2, "拾出数量", "数　量  "},
    {55, 62, 0, 1, 2, "積算数量", "数　量  "},
    {55, 62, 1, 1, 2, "積算数量", "数　量  "},
    {64, 65, 0, 0, 0, "単", "単"},
    {64, 65, 1, 0, 0, "位", "位"},
    {70, 79, 0, 0, 3, "単　　　価", "単　　価  "},
    {70, 79, 1, 0, 3, "単　　　価", "単　　価  "},
    {84, 93, 0, 1, 3, "複合単価  ", "単　　価  "},
    {84, 93, 1, 1, 3, "複合単価  ", "単　　価  "},
    {98, 109, 0, 1, 3, "金　　　　額", "金　　　額  "},
    {98, 109, 1, 1, 3, "金　　　　額", "金　　　額  "},
    {111, 140, 0, 0, 0, "　　備　　　　　　　　　考　　", "    備　　　　　　　　　考    "},
    {111, 140, 1, 0, 0, "　　備　　　　　　　　　考　　", "    備　　　　　　　　　考    "},
    {142, 147, 0, 0, 0, "歩掛１", "歩掛１"},
    {142, 147, 1, 0, 0, "歩掛２", "歩掛２"},
    {149, 152, 0, 0, 0, "継手", "継手"},
    {149, 152, 1, 0, 0, "接合", "接合"},
    {154, 157, 0, 0, 0, "支持", "支持"},
    {154, 157, 1, 0, 0, " ﾊﾂﾘ", " ﾊﾂﾘ"},
    {159, 162, 0, 0, 0, "運搬", "運搬"},
    {159, 162, 1, 0, 0, "付属", "付属"},
    {164, 168, 0, 0, 0, " 補給", " 補給"},
    {164, 168, 1, 0, 0, " 雑材", " 雑材"},
    {170, 173, 0, 0, 0, "ｿﾉﾀ1", "ｿﾉﾀ1"},
    {170, 173, 1, 0, 0, "ｿﾉﾀ2", "ｿﾉﾀ2"},
    {175, 180, 0, 0, 0, "掛率  ", "掛率  "},
    {175, 180, 1, 1, 0, "      ", "      "},
    {182, 185, 0, 0, 0, "分類", "分類"},
    {182, 185, 1, 0, 0, "ＮＯ", "ＮＯ"},
};

// The master grid's columns: the quantity, amount and symbol columns hidden (cells 0-0), the
// category and row number in the first column, the cells closer together. Print captions are
// the screen's. Fields 35-36 are hidden: a master line's own key is its category.
const ShownField kMstShown[kShownFields] = {
    {1, 4, 0, 0, 0, "分類", "分類"},
    {1, 4, 1, 0, 0, "ＮＯ", "ＮＯ"},
    {0, 0, 0, 0, 0, "記号", "記号"},
    {0, 0, 1, 1, 0, "    ", "    "},
    {6, 35, 0, 0, 0, "　　品　　　　　　　　　名　　", "　　品　　　　　　　　　名　　"},
    {6, 35, 1, 0, 0, "　　規　　　　　　　　　格　　", "　　規　　　　　　　　　格　　"},
    {68, 97, 0, 0, 2, "拾出数量", "拾出数量"},
    {68, 97, 1, 0, 2, "拾出数量", "拾出数量"},
    {68, 97, 0, 1, 2, "積算数量", "積算数量"},
    {68, 97, 1, 1, 2, "積算数量", "積算数量"},
    {37, 38, 0, 0, 0, "単", "単"},
    {37, 38, 1, 0, 0, "位", "位"},
    {43, 52, 0, 0, 3, "単　　　価", "単　　　価"},
    {43, 52, 1, 0, 3, "単　　　価", "単　　　価"},
    {57, 66, 0, 1, 3, "複合単価  ", "複合単価  "},
    {57, 66, 1, 1, 3, "複合単価  ", "複合単価  "},
    {0, 0, 0, 1, 3, "金　　　　額", "金　　　　額"},
    {0, 0, 1, 1, 3, "金　　　　額", "金　　　　額"},
    {68, 97, 0, 0, 0, "　　備　　　　　　　　　考　　", "　　備　　　　　　　　　考　　"},
    {68, 97, 1, 0, 0, "　　備　　　　　　　　　考　　", "　　備　　　　　　　　　考　　"},
    {99, 104, 0, 0, 0, "歩掛１", "歩掛１"},
    {99, 104, 1, 0, 0, "歩掛２", "歩掛２"},
    {106, 109, 0, 0, 0, "継手", "継手"},
    {106, 109, 1, 0, 0, "接合", "接合"},
    {111, 114, 0, 0, 0, "支持", "支持"},
    {111, 114, 1, 0, 0, " ﾊﾂﾘ", " ﾊﾂﾘ"},
    {116, 119, 0, 0, 0, "運搬", "運搬"},
    {116, 119, 1, 0, 0, "付属", "付属"},
    {121, 125, 0, 0, 0, " 補給", " 補給"},
    {121, 125, 1, 0, 0, " 雑材", " 雑材"},
    {127, 130, 0, 0, 0, "ｿﾉﾀ1", "ｿﾉﾀ1"},
    {127, 130, 1, 0, 0, "ｿﾉﾀ2", "ｿﾉﾀ2"},
    {132, 137, 0, 0, 0, "掛率  ", "掛率  "},
    {132, 137, 1, 1, 0, "   　 ", "   　 "},
    {138, 141, 0, 0, 0, "分類", "分類"},
    {138, 141, 1, 0, 0, "ＮＯ", "ＮＯ"},
};
// Which of the master's columns 1-36 are shown.
constexpr int kMstShownFlag[kShownFields] = {1, 1, 0, 0, 1, 1, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 0, 0,
                                             1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0};

// The totals grid: 品名/規格, the 積算 track on the upper line and the 実行 track on the lower,
// 備考 and the source category; the rates are kept in the row but not shown.
const ShownField kTotalShown[kShownFields] = {
    {1, 4, 0, 1, 0, "項目", "項目"},
    {1, 4, 1, 1, 0, "ＮＯ", "ＮＯ"},
    {0, 0, 0, 0, 0, "    ", "    "},
    {0, 0, 1, 1, 0, "    ", "    "},
    {6, 35, 0, 0, 0, "　　品　　　　　　　　　名　　", "　　品　　　　　　　　　名　　"},
    {6, 35, 1, 0, 0, "　　規　　　　　　　　　格　　", "　　規　　　　　　　　　格　　"},
    {0, 0, 0, 1, 2, "        ", "        "},
    {0, 0, 1, 1, 2, "        ", "        "},
    {39, 46, 0, 0, 2, "積算数量", "積算数量"},
    {39, 46, 1, 0, 2, "積算数量", "積算数量"},
    {48, 49, 0, 0, 0, "単", "単"},
    {48, 49, 1, 0, 0, "位", "位"},
    {54, 63, 0, 0, 3, "単　　　価", "単　　　価"},
    {54, 63, 1, 0, 3, "単　　　価", "単　　　価"},
    {0, 0, 0, 1, 3, "          ", "          "},
    {0, 0, 1, 1, 3, "          ", "          "},
    {68, 79, 0, 1, 3, "金　　　　額", "金　　　　額"},
    {68, 79, 1, 1, 3, "金　　　　額", "金　　　　額"},
    {81, 110, 0, 0, 0, "　　備　　　　　　　　　考　　", "　　備　　　　　　　　　考　　"},
    {81, 110, 1, 0, 0, "　　備　　　　　　　　　考　　", "　　備　　　　　　　　　考　　"},
    {0, 0, 0, 0, 0, "      ", "      "},
    {0, 0, 1, 0, 0, "      ", "      "},
    {0, 0, 0, 0, 0, "    ", "    "},
    {0, 0, 1, 0, 0, "    ", "    "},
    {0, 0, 0, 0, 0, "    ", "    "},
    {0, 0, 1, 0, 0, "    ", "    "},
    {0, 0, 0, 0, 0, "    ", "    "},
    {0, 0, 1, 0, 0, "    ", "    "},
    {0, 0, 0, 0, 0, "     ", "     "},
    {0, 0, 1, 0, 0, "     ", "     "},
    {0, 0, 0, 0, 0, "    ", "    "},
    {0, 0, 1, 1, 0, "    ", "    "},
    {0, 0, 0, 0, 0, "      ", "      "},
    {0, 0, 1, 0, 0, "      ", "      "},
    {112, 115, 0, 0, 0, "分類", "分類"},
    {112, 115, 1, 0, 0, "ＮＯ", "ＮＯ"},
};
constexpr int kTotalShownFlag[kShownFields] = {1, 1, 0, 0, 1, 1, 0, 0, 1, 1, 1, 1, 1, 1, 0, 0, 1, 1,
                                               1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1};

constexpr int kMaxScreenRows = 100;
constexpr int kCaptionLength = 310;

FieldTable buildFieldTable(const ShownField (&shown)[kShownFields], const int* shownFlag, int hscrollFirst,
                           int hscrollEnd) {
    FieldTable t;
    for (int f = 1; f <= GyouRecord::FieldCount; ++f) {
        const auto& l = GyouRecord::layout(f);
        const int i = f - 1;
        t.Width[i] = l.Width;
        t.Offset[i] = l.Offset;
        t.IsText[i] = l.IsText ? 1 : 0;
        if (f <= kShownFields) {
            const ShownField& s = shown[i];
            t.XFrom[i] = s.XFrom;
            t.XTo[i] = s.XTo;
            t.Line[i] = s.Line;
            t.Shown[i] = shownFlag ? shownFlag[i] : 1;
            t.Skip[i] = s.Skip;
            t.CommaCells[i] = s.CommaCells;
        } else {
            // Hidden fields have no cells; their line alternates up to field 100 and is never used.
            t.Line[i] = f <= 100 ? (f - 37) % 2 : 0;
        }
    }
    for (int r = 1; r <= kMaxScreenRows; ++r)
        t.BaseLine[r - 1] = 2 * r;
    t.HScrollFirstField = hscrollFirst;
    t.HScrollEndField = hscrollEnd;
    return t;
}

std::string buildCaption(const ShownField (&shown)[kShownFields], bool print) {
    std::string line(kCaptionLength, ' ');
    for (int f = 1; f <= kShownFields; ++f) {
        const auto& l = GyouRecord::layout(f);
        const std::string& c = kiv::text::sj(print ? shown[f - 1].PrintCaption : shown[f - 1].Caption);
        if (c.size() != static_cast<std::size_t>(l.Width))
            throw std::logic_error("caption of field " + std::to_string(f) + " does not have the field's width");
        line.replace(static_cast<std::size_t>(l.Offset), c.size(), c);
    }
    return line;
}

void checkField(const FieldTable& table, int field) {
    if (field < 1 || field > FieldTable::Size)
        throw std::out_of_range("field number out of range: " + std::to_string(field));
    (void)table;
}

int clampPairs(const FieldTable& table, int pairs) {
    return std::clamp(pairs, 0, table.maxHScrollPairs());
}

FieldGeometry geometry(const FieldTable& table, int field, int hscrollPairs) {
    checkField(table, field);
    const int pairs = clampPairs(table, hscrollPairs);
    const int i = field - 1;
    FieldGeometry g;
    g.HScrollCells = HScrollCellsOf(table, pairs);
    FieldPos& p = g.Pos;
    p.Width = table.Width[i];
    p.X0 = table.XFrom[i];
    p.X1 = table.XTo[i];
    p.Line = table.Line[i];
    p.Offset = table.Offset[i];
    p.IsText = table.IsText[i];
    p.Skip = table.Skip[i];
    p.Visible = IsFieldShown(table, field, pairs) ? 1 : 0;
    if (field >= table.HScrollFirstField) {
        p.X0 -= g.HScrollCells;
        p.X1 -= g.HScrollCells;
    }
    return g;
}

} // namespace

const FieldTable g_KivFieldTable = buildFieldTable(kKivShown, nullptr, 7, 24);
const std::string g_KivTitleText = buildCaption(kKivShown, false);
const std::string g_KivPrintTitleText = buildCaption(kKivShown, true);
// Horizontal scrolling of the master moves the remark pair and then the rate pairs (19-24).
const FieldTable g_MstFieldTable = buildFieldTable(kMstShown, kMstShownFlag, 19, 25);
const std::string g_MstTitleText = buildCaption(kMstShown, false);
// Horizontal scrolling of the totals moves the quantity, unit, unit-price, amount and remark pairs
// (9-20, the hidden 15-16 passed over), so that 備考 and the source category come into a narrow
// window beside 品名; fields 33 and 34 are read five wide through the table.
const FieldTable g_TotalFieldTable = [] {
    FieldTable t = buildFieldTable(kTotalShown, kTotalShownFlag, 9, 21);
    t.Width[32] = 5;
    t.Width[33] = 5;
    return t;
}();
const std::string g_TotalTitleText = buildCaption(kTotalShown, false);

bool IsFieldShown(const FieldTable& table, int field, int hscrollPairs) {
    checkField(table, field);
    if (table.Shown[field - 1] == 0)
        return false;
    if (table.HScrollFirstField > 0 && field >= table.HScrollFirstField && field < table.HScrollEndField) {
        // A field of the run is shown unless its pair is among the first ones scrolled away.
        const int pairFirst = field - (field - table.HScrollFirstField) % 2;
        int shownBefore = 0;
        for (int f = table.HScrollFirstField; f < pairFirst; f += 2)
            shownBefore += table.Shown[f - 1] != 0 ? 1 : 0;
        return shownBefore >= clampPairs(table, hscrollPairs);
    }
    return true;
}

int HScrollCellsOf(const FieldTable& table, int hscrollPairs) {
    int pairs = clampPairs(table, hscrollPairs);
    int cells = 0;
    for (int first = table.HScrollFirstField; pairs > 0 && first + 1 < table.HScrollEndField; first += 2) {
        if (table.Shown[first - 1] == 0)
            continue;
        const int i = first;   // the pair's second field, index first + 1 - 1
        cells += table.XTo[i] - table.XFrom[i] + 2 + table.CommaCells[i];
        --pairs;
    }
    return cells;
}

FieldGeometry CalcFieldPos(const FieldTable& table, int field, int screenRow, int hscrollPairs) {
    if (screenRow < 1 || screenRow > FieldTable::Size)
        throw std::out_of_range("screen row out of range: " + std::to_string(screenRow));
    FieldGeometry g = geometry(table, field, hscrollPairs);
    g.Pos.Line += table.BaseLine[screenRow - 1];
    g.Pos.Line2 = g.Pos.Line;
    g.CaretOfs = g.Pos.IsText ? 0 : g.Pos.Width;
    return g;
}

FieldGeometry CalcTitleFieldPos(const FieldTable& table, int field, int hscrollPairs) {
    FieldGeometry g = geometry(table, field, hscrollPairs);
    g.Pos.Line2 = g.Pos.Line;
    g.Pos.IsText = 1;
    g.CaretOfs = 0;
    return g;
}
