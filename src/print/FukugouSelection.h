#pragma once
// The composite rows of an estimate (the rows that get a composite unit-price sheet page): one
// walk over the items from 1 and their rows from 1, every row priced and given its detail round
// trip on a copy, so the estimate's rows stay as they are. A row is selected when it carries a
// composite flag or a labour productivity rate and no row walked before it (selected or not) has
// its key. The printed sheet and the sheet's exports number the composite rows by this one
// selection, so they always agree.
#include <string>
#include <string_view>
#include <vector>

class CKivDoc;

// A selected row: its item, its row in the item (both from 1) and its slot in the row pool.
struct FukugouGyouRef {
    int koumoku = 0;
    int gyou = 0;
    int poolIndex = 0;
    bool operator==(const FukugouGyouRef&) const = default;
};

struct FukugouSelection {
    std::vector<FukugouGyouRef> rows;   // the selected rows in walking order: page p is rows[p - 1]
    std::vector<std::string> keys;      // the key of every walked row, in walking order
    // Each selected row priced and round-tripped (rows[i]'s in priced[i]): what
    // PricedFukugouGyou gives for it while the estimate is unchanged.
    std::vector<std::string> priced;
};

// The 145-byte key of a priced row: its first 45 bytes with the item and row numbers blanked
// (記号 and the first 29 bytes of 品名), then 規格, 複合単価1, 備考1 and 備考2.
std::string FukugouGyouKey(std::string_view row);
// Field 101 or 102 read as an integer, or (when `countRates`) a labour productivity rate (98-100)
// read as a decimal number, is not 0.
bool HasFukugouData(std::string_view row, bool countRates = true);

// Walks the estimate's row pool. The pricing messages go through KivRowMessage (the caller runs a
// pass); no dialog opens. Without `countRates` only the two flags select a row.
FukugouSelection SelectFukugouGyou(const CKivDoc& doc, bool countRates = true);

// The pool row of `ref`, priced and round-tripped as the selection did it, silently (its messages
// were given by the selection).
std::string PricedFukugouGyou(const CKivDoc& doc, const FukugouGyouRef& ref);
