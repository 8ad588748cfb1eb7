#pragma once
// The composite unit-price sheet (代価表 / 単価表) as lines of cells: one block per composite row
// of the estimate (the rows the printed sheet gives a page, chosen by the same selection), each a
// title line, what the composite unit price is made of, the total and the price itself. The
// exports lay the cells out; every cell is CP932, a cell taken from a row field keeps the field's
// blanks, an empty cell is empty.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/Number.h"
#include "print/FukugouSelection.h"

class CKivDoc;
struct RowPricing;

namespace kiv::exporting {

struct DaikaLine {
    enum Kind { Title, Material, Rate, Labour, Total, Tanka };
    enum Cell { Meisyou, Kikaku, Suuryou, Tanni, Tanka1, Kingaku, Bikou };
    Kind kind = Title;
    std::array<std::string, 7> cell;
};

struct DaikaBlock {
    int koumoku = 0;                // the item of the block's row
    std::vector<DaikaLine> lines;   // title first, 計 and 複合単価 last (when the style shows them)
    // Whether the block reaches its 複合単価 line (the workbook then closes it with a blank row).
    bool closed() const { return !lines.empty() && lines.back().kind == DaikaLine::Tanka; }
};

// What the exports of the one sheet make differently. The text file shows every line of every
// row with composite data; the workbook has prefixes of its own for two rate lines, shows labour
// only in the composite style, puts 備考2 beside labour and leaves out lines by the row's flags.
struct DaikaStyle {
    const char* fuzokuPrefix = "管単価x";   // 付属品 (UTF-8)
    const char* zatuzaiPrefix = "材x";      // 雑材料 (UTF-8)
    // Labour productivity rates count (for the selection and the labour lines) only in the
    // composite style; in the labour-posting style the labour is posted on rows of its own.
    bool ratesOnlyInCompositeStyle = false;
    bool labourBikou2 = false;   // labour lines show the row's 備考2
    // The labour, はつり and その他 lines need the composite style, 材料を合計 off or 常時複合単価;
    // 計 and 複合単価 need the composite style or 常時複合単価: a row that only sums its
    // materials in the labour-posting style shows its materials and rates alone.
    bool flagGates = false;

    static DaikaStyle textFile() { return {}; }
    static DaikaStyle workbook() { return {"(管)x", "(材)x", true, true, true}; }
};

// The key that makes rows one composite row on the sheet.
inline std::string DaikaKey(std::string_view row) { return FukugouGyouKey(row); }

// An amount cell: empty for 0 unless `zeroShown`; "%13.2f" in rounding mode 3, else "%12.f".
// A wider value is written whole, never cut.
std::string DaikaAmountText(const kiv::text::Decimal& value, int fukugouMarume, bool zeroShown = false);
// The basis of a rate line: `prefixUtf8`, the rate x 100 in "%2.0f" and "%" (0.05 is " 5%", 1.5
// is "150%": a rate from 100 % keeps all its digits).
std::string DaikaRateText(std::string_view prefixUtf8, std::string_view rate);

// The block of a priced and round-tripped row (`priced` its pricing).
DaikaBlock BuildDaikaBlock(std::string_view row, const RowPricing& priced, const CKivDoc& doc,
                           const DaikaStyle& style = DaikaStyle::textFile());

struct DaikaSheet {
    std::vector<DaikaBlock> blocks;   // in walking order
    std::vector<std::string> keys;    // every walked row's key, in walking order
};

// Walks the estimate's stored rows (items from 1, rows in order) on copies: nothing of the
// document changes. The pricing messages go through KivRowMessage (the caller runs a pass).
DaikaSheet WalkDaikaSheet(const CKivDoc& doc, const DaikaStyle& style = DaikaStyle::textFile());

} // namespace kiv::exporting
