#include "print/PrintColumnLayout.h"

#include <stdexcept>
#include <string>

#include "estimate/GyouRecord.h"

namespace {

struct Entry {
    int field, length, xFrom, xTo, roumu, fukugou, roumuA4, fukugouA4;
};

// Columns of the row fields: fields 1-36 print on a row line, the material, rate and labour
// remark entries serve the composite unit-price sheet, which uses the same columns.
const Entry kEntries[] = {
    {GyouRecord::Kigou, 4, 6, 9, 1, 1, 1, 1},
    {GyouRecord::Hinmei, 30, 11, 40, 1, 1, 1, 1},
    {GyouRecord::Kikaku, 30, 42, 71, 1, 1, 1, 1},
    {GyouRecord::HiroidasiSuu1, 8, 75, 82, 0, 0, 0, 0},
    {GyouRecord::SekisanSuu1, 8, 75, 82, 1, 1, 1, 1},
    {GyouRecord::Tanni, 4, 84, 87, 1, 1, 1, 1},
    {GyouRecord::TanniTail, 2, 86, 87, 0, 0, 0, 0},
    {GyouRecord::Tanka1, 10, 92, 101, 1, 0, 1, 0},
    {GyouRecord::FukugouTanka1, 10, 92, 101, 0, 1, 0, 1},
    {GyouRecord::Kingaku1, 12, 106, 117, 1, 1, 1, 1},
    {GyouRecord::Bikou1, 30, 119, 148, 1, 1, 0, 0},
    {GyouRecord::Bikou2, 30, 119, 148, 0, 0, 0, 0},
    {GyouRecord::UnpanKingaku1, 10, 119, 148, 1, 1, 0, 0},
    {GyouRecord::Roumu1Bukake, 6, 77, 82, 1, 1, 0, 0},
    {GyouRecord::Roumu2Bukake, 6, 77, 82, 1, 1, 0, 0},
    {GyouRecord::Roumu3Bukake, 6, 77, 82, 1, 1, 0, 0},
    {GyouRecord::Roumu1Bikou, 30, 119, 148, 0, 0, 0, 0},
    {GyouRecord::Roumu2Bikou, 30, 119, 148, 0, 0, 0, 0},
    {GyouRecord::Roumu3Bikou, 30, 119, 148, 0, 0, 0, 0},
};

PrintColumnLayout build() {
    PrintColumnLayout t;
    for (int f = 1; f <= GyouRecord::FieldCount; ++f)
        t.Length[static_cast<std::size_t>(f - 1)] = GyouRecord::layout(f).Width;
    auto set = [&t](const Entry& e) {
        const auto i = static_cast<std::size_t>(e.field - 1);
        t.Length[i] = e.length;
        t.XFrom[i] = e.xFrom;
        t.XTo[i] = e.xTo;
        t.ShownRoumu[i] = e.roumu;
        t.ShownFukugou[i] = e.fukugou;
        t.ShownRoumuA4[i] = e.roumuA4;
        t.ShownFukugouA4[i] = e.fukugouA4;
    };
    for (const Entry& e : kEntries)
        set(e);
    // Material line k: name, specification, quantity, unit, unit prices 1 and 2, remarks; the
    // as-entered price (the line's first field) is not printed.
    const int columns[7][3] = {{30, 11, 40}, {30, 42, 71}, {5, 78, 82}, {4, 84, 87},
                               {10, 92, 101}, {10, 106, 117}, {30, 119, 148}};
    for (int k = 1; k <= 7; ++k)
        for (int j = 0; j < 7; ++j)
            set({GyouRecord::MaterialFirstField + 8 * (k - 1) + 1 + j, columns[j][0], columns[j][1], columns[j][2],
                 1, 1, 0, 0});
    return t;
}

bool shownIn(const PrintColumnLayout& t, int field, bool a4, bool fukugou) {
    const auto i = static_cast<std::size_t>(field - 1);
    if (a4)
        return (fukugou ? t.ShownFukugouA4[i] : t.ShownRoumuA4[i]) != 0;
    return (fukugou ? t.ShownFukugou[i] : t.ShownRoumu[i]) != 0;
}

FieldPos geometry(int field, int line, bool visible, const PrintLayoutChoice& c) {
    if (field < 1 || field > PrintColumnLayout::Size)
        throw std::out_of_range("field number out of range: " + std::to_string(field));
    const auto i = static_cast<std::size_t>(field - 1);
    const PrintColumnLayout& t = g_PrintColumnLayout;
    FieldPos p;
    p.X0 = t.XFrom[i] + kPrintLeftMargin;
    p.X1 = t.XTo[i] + kPrintLeftMargin;
    p.Line = line + (c.coverShift ? (c.a4 ? 16 : 12) : 0);
    p.Line2 = p.Line;
    p.Width = t.Length[i];
    p.Offset = g_KivFieldTable.Offset[i];
    p.IsText = g_KivFieldTable.IsText[i];
    p.Skip = g_KivFieldTable.Skip[i];
    // The landscape remarks column shows remarks 2 instead of remarks 1 when the job asks so.
    if (!c.a4 && (field == GyouRecord::Bikou1 || field == GyouRecord::Bikou2))
        visible = (field == GyouRecord::Bikou2) == c.bikou2;
    p.Visible = visible ? 1 : 0;
    return p;
}

} // namespace

const PrintColumnLayout g_PrintColumnLayout = build();

FieldPos CalcPrintFieldPos(int field, int printLine, const PrintLayoutChoice& c) {
    const bool visible = field >= 1 && field <= PrintColumnLayout::Size && shownIn(g_PrintColumnLayout, field, c.a4, c.fukugouStyle);
    return geometry(field, kPrintCaptionLine + printLine, visible, c);
}

FieldPos CalcPrintTitleFieldPos(int field, const PrintLayoutChoice& c) {
    const bool visible = field >= 1 && field <= PrintColumnLayout::Size && shownIn(g_PrintColumnLayout, field, c.a4, false);
    FieldPos p = geometry(field, kPrintCaptionLine, visible, c);
    p.IsText = 1;
    return p;
}

int PrintTextTop(int line, int pitch) { return static_cast<int>(line * pitch + 0.35 * pitch); }
