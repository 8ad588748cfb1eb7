#pragma once
// What the sources of KivRecalc share beyond its class: the pass over one item, the row-pricing
// services it calls and the message texts.
#include <string>
#include <vector>

#include "recalc/KivRecalc.h"
#include "recalc/PricingShim.h"

// While an item is recalculated: the composite price results of its rows (the calculators that
// price the rows above them take these instead of pricing each row again) and the later items'
// rows in the pool (the heading rows' search).
struct KivRecalc::ItemPass {
    CKivView* view = nullptr;
    int koumoku = 0;
    std::vector<FukugouKekka> kekka;   // by row, from 1
    std::vector<char> valid;           // the row still is what its result was computed from
    bool laterBuilt = false;
    std::vector<int> laterStart;       // item koumoku + 1 + i starts at laterRows[laterStart[i]]
    std::vector<int> laterRows;        // pool indices
    std::vector<int> laterBunNo;       // their categories
};

template <class Pred>
int KivRecalc::LastGyouBefore(int r, Pred pred) const {
    for (int k = r - 1; k >= 1; --k)
        if (pred(GyouRecord::toInt(WorkGyou(k), GyouRecord::BunNo)))
            return k;
    return 0;
}

namespace kiv::recalc {

inline const char* const kMsgGyouOverflow = "金額が12桁を越しました。再入力してください。";
inline const char* const kMsgKeisanOverflow = "金額が12桁を越ています。訂正してください。";
inline const char* const kMsgKeihiRitu = "経費等の掛率に数値が入力されていません。再確認してください。";
inline const char* const kMsgSyouhizeiRitu = "消費税率が掛率に入力されていません。再確認してください。";

} // namespace kiv::recalc
