#pragma once
// The roll-up of an estimate file into totals (積算ﾌｧｲﾙを変換): every estimate row is filed under
// the master category it was taken from (its BunNo), identical items of a category are merged
// into one row with summed quantities and amounts, and the result is laid out as the standard
// totals pages: category 1 the summary page (分類集計 ... 　計), then one page per source
// category in ascending order, the rows without a master category last (分類ＮＯなし), each with
// its heading row and a 　小計 row.
//
// Pure: it reads the rows it is given and returns the new pool; the document replaces its own
// pool only when the whole conversion has worked.
#include <string>
#include <vector>

#include "estimate/SetteiRecord.h"
#include "platform/text/Decimal.h"

struct TotalConvertResult {
    std::vector<std::string> rows;        // the new pool, keyed (category, row), pages in order
    std::vector<std::string> messages;    // numbers that did not fit their columns (UTF-8)
    int pageCount = 0;                    // category pages (categories 2 .. pageCount+1)
};

// masterRows: the master file's lines; estimateRows: the estimate file's rows; settings: the
// totals document's parsed settings (lump-sum and skipped codes; a code of 0 matches nothing).
TotalConvertResult ConvertToTotals(const std::vector<std::string>& masterRows,
                                   const std::vector<std::string>& estimateRows,
                                   const SetteiValues& settings);

// Writers of the totals' number columns. A value of 0 blanks the column. A value too wide for the
// column blanks it and returns false (the caller reports it); nothing is ever cut off.
// Quantity (8 wide): whole numbers as they are, a fraction with as many of two decimals as fit.
bool PutTotalQuantity(std::string& row, int field, const kiv::text::Decimal& value);
// Amount (12 wide) and price (10 wide): rounded to one decimal, the decimal dropped.
bool PutTotalWhole(std::string& row, int field, const kiv::text::Decimal& value);
