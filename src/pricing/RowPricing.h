#pragma once
// The composite unit price of one estimate row and the row's detail round trip, on a row text of
// the caller's: the grid view runs them on its row buffer, the composite unit-price sheet on
// copies of the estimate's rows, so that printing never changes a row of the document.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "estimate/KivMessagePass.h"
#include "pricing/FukugouEngine.h"
#include "pricing/KivDetail.h"

class RoumuList;

struct RowPricing {
    FukugouResult result;
    std::optional<KivDetail> detail;   // the breakdown as priced: every amount's text (RowPricingRules::texts)
    std::array<int, KivDetail::kRoumuLines> roumuNo{};   // the labour registration numbers as loaded
};

// How a pricing reports.
struct RowPricingReport {
    RowPlace place;        // the row its messages name
    // Whether the messages are given at all: a row already priced and reported in the same job
    // (the sheet's pages after the preparation) is priced silently.
    bool messages = true;
    // Labour line 1 has a productivity rate but no labour unit price: after the message (outside
    // a pass only) this may open the detail dialog on the row; true when the row changed, which
    // is then priced again.
    std::function<bool()> showDetail;
};

// What differs between the estimate's and the master's pricing of a row.
struct RowPricingRules {
    FukugouUse use = FukugouUse::Row;
    // The check that labour line 1 has a productivity rate but no labour unit price 1 (the
    // master asks it only in the composite unit-price style).
    bool labourCheck = true;
    // The breakdown's texts into RowPricing::detail. Without them the row is priced on its numbers
    // alone, and the same row texts are written: the recalculation prices every row so.
    bool texts = true;
    // When given, receives the row as its breakdown was last loaded: PricedKivDetail gives the
    // texts of that pricing from it.
    std::string* loadedRow = nullptr;
};

// Prices `row` (1400 bytes after the call) from its breakdown: the composite unit prices into
// 15/16 (and 13/14 for 常時複合単価で表示する), flag 102 and the fields of material line 1 when
// several materials are priced without it. The messages go through KivRowMessage.
RowPricing PriceKivGyou(std::string& row, const RoumuList& roumu, int fukugouMarume, const RowPricingReport& report,
                        const RowPricingRules& rules = {});

// The breakdown of a row as PriceKivGyou prices it, with every amount's text, priced on a copy.
KivDetail PricedKivDetail(std::string_view row, const RoumuList& roumu, int fukugouMarume,
                          FukugouUse use = FukugouUse::Row);

// The breakdown's load and write-back without a dialog: the row's own fields rearranged by its
// flags. Returns the labour registration numbers as loaded. Refused values are reported through
// KivRowMessage when `report.messages` is set; `refused`, when given, tells whether any was.
std::array<int, 3> RefreshKivGyou(std::string& row, const RoumuList& roumu, const RowPricingReport& report,
                                  bool* refused = nullptr);
