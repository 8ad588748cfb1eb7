#pragma once
// What the sources of KivRecalc share beyond its class: the pass over one item, the row-pricing
// services it calls and the message texts.
#include <array>
#include <string>
#include <vector>

#include "estimate/GyouRecord.h"
#include "estimate/KivMessagePass.h"
#include "pricing/FukugouEngine.h"
#include "recalc/KivRecalc.h"

// A row that is not a computed row prices from its own bytes, the labour list and the settings
// alone: once its recalculation changed none of its bytes and said nothing, it is settled, and
// until it is stored with other bytes its recalculation would only give again what it gave.
struct SettledGyou {
    bool settled = false;
    char valid = 0;            // its pricing result stands for the row (ItemPass::valid)
    bool needSleeve = false;   // its pricing called for sleeves
    bool stored = false;       // it was stored on the way back to the same bytes (marks the estimate)
    std::array<int, 3> roumuNo{};
    FukugouKekka kekka;
    // What the item's pass reads from the row: its category, the computed rows it needs and
    // its amounts as the item's totals count them (none for a total row).
    int bunNo = 0;
    unsigned needs = 0;
    std::array<kiv::text::Decimal, 2> amounts{};
    // What it adds to the sums of the calculators that scan the rows above them, by kind
    // (KivRecalc::ShareKind), each found the first time such a calculator read it while it was
    // settled: the same bytes give the same share until the row is stored with others.
    std::array<std::array<kiv::text::Decimal, 2>, KivRecalc::kShareKinds> share{};
    unsigned shareKnown = 0;
};

// While an item is recalculated: the composite price results of its rows (the calculators that
// price the rows above them take these instead of pricing each row again) and the later items'
// rows in the pool (the heading rows' search).
struct KivRecalc::ItemPass {
    CKivView* view = nullptr;
    int koumoku = 0;
    // Whose too-wide amount is named: -1 every row's (a wider pass collects them), 0 none (the
    // item recalculated after a click), else only the row the user committed. A row is named
    // once per commit, not again on every recalculation of its item.
    int reportGyou = -1;
    std::vector<FukugouKekka> kekka;   // by row, from 1
    std::vector<char> valid;           // the row still is what its result was computed from
    // The amounts of every row but the total rows, kept up to date as rows are recalculated, and
    // those the row being recalculated held before (the 雑材 rounding takes the item's total).
    std::array<kiv::text::Decimal, 2> total{};
    std::array<kiv::text::Decimal, 2> before{};
    // Each work row's category, amounts and computed-row needs as stored, parsed once: the
    // calculators that scan back over the item read these instead of parsing the rows again.
    // Refreshed whenever the pass stores a row (its own recalculation, a pricing a calculator
    // asked for); by row, from 1.
    std::vector<int> bunNo;
    std::vector<std::array<kiv::text::Decimal, 2>> amount;
    std::vector<unsigned> needs;
    // The item's settled rows, and which of them the pass has stored since they settled (their
    // recorded shares then no longer stand for them).
    std::vector<SettledGyou>* settled = nullptr;
    std::vector<char> stored;
    bool laterBuilt = false;
    std::vector<int> laterStart;       // item koumoku + 1 + i starts at laterRows[laterStart[i]]
    std::vector<int> laterRows;        // pool indices
    std::vector<int> laterBunNo;       // their categories
    std::vector<int> laterHeads;       // the places in laterRows of the heading rows
};

// While the whole estimate is recalculated: every item's rows in the pool, item by item, and
// their categories, for the heading rows of every item. Neither the rows' places nor their
// categories change in a recalculation; their amounts are read where they are.
struct KivRecalc::EstimatePass {
    CKivView* view = nullptr;
    bool built = false;
    std::vector<int> start;   // item 1 + i starts at rows[start[i]]
    std::vector<int> rows;    // pool indices
    std::vector<int> bunNo;   // their categories
    std::vector<int> heads;   // the places in rows of the heading rows
};

template <class Pred>
int KivRecalc::LastGyouBefore(int r, Pred pred) const {
    for (int k = r - 1; k >= 1; --k)
        if (pred(BunNoOf(k)))
            return k;
    return 0;
}

template <class Compute>
std::array<kiv::text::Decimal, 2> KivRecalc::ShareOf(int k, ShareKind kind, Compute compute) {
    SettledGyou* memo = SettledAt(k);
    const unsigned bit = 1u << kind;
    if (memo && (memo->shareKnown & bit))
        return memo->share[kind];
    const std::array<kiv::text::Decimal, 2> share = compute();
    if (memo) {
        memo->share[kind] = share;
        memo->shareKnown |= bit;
    }
    return share;
}

namespace kiv::recalc {

// The two tracks' values of one quantity.
using Pair = std::array<kiv::text::Decimal, 2>;
// A number field of a stored row.
inline kiv::text::Decimal dec(std::string_view row, int field) { return GyouRecord::toDecimal(row, field); }

inline const char* const kMsgGyouOverflow = "金額が12桁を越しました。再入力してください。";
inline const char* const kMsgKeisanOverflow = "金額が12桁を越ています。訂正してください。";
inline const char* const kMsgKeihiRitu = "経費等の掛率に数値が入力されていません。再確認してください。";
inline const char* const kMsgSyouhizeiRitu = "消費税率が掛率に入力されていません。再確認してください。";

} // namespace kiv::recalc
