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
    std::vector<DaikaLine> lines;   // title first, 計 and 複合単価 last
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
DaikaBlock BuildDaikaBlock(std::string_view row, const RowPricing& priced, const CKivDoc& doc);

struct DaikaSheet {
    std::vector<DaikaBlock> blocks;   // in walking order
    std::vector<std::string> keys;    // every walked row's key, in walking order
};

// Walks the estimate's stored rows (items from 1, rows in order) on copies: nothing of the
// document changes. The pricing messages go through KivRowMessage (the caller runs a pass).
DaikaSheet WalkDaikaSheet(const CKivDoc& doc);

} // namespace kiv::exporting
