#include "print/FukugouSelection.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "platform/text/Number.h"
#include "pricing/RowPricing.h"

using G = GyouRecord;

namespace {

constexpr std::size_t kKeyHeadLength = 45;
constexpr std::size_t kKeyLength = kKeyHeadLength + 30 + 10 + 30 + 30;

// The row as the sheet prints it: priced, then the detail round trip. False when either gave
// a message (which names the row).
bool priceAndRefresh(std::string& row, const CKivDoc& doc, const RowPricingReport& report) {
    RowPricingRules rules;
    rules.texts = false;
    const FukugouResult r = PriceKivGyou(row, doc.GetRoumu(), doc.FukugouMarume(), report, rules).result;
    bool refused = false;
    RefreshKivGyou(row, doc.GetRoumu(), report, &refused);
    return !r.severalMaterials && !(r.labourPriceMissing && rules.labourCheck) && !r.tooWide[0] && !r.tooWide[1] &&
           !refused;
}

} // namespace

std::string FukugouGyouKey(std::string_view row) {
    std::string key;
    key.reserve(kKeyLength);
    const std::string_view head = row.substr(0, std::min(row.size(), kKeyHeadLength));
    key.append(head);
    key.resize(kKeyHeadLength, ' ');
    const std::size_t numbers = G::numbersLength();
    key.replace(0, numbers, numbers, ' ');
    for (int field : {G::Kikaku, G::FukugouTanka1, G::Bikou1, G::Bikou2}) {
        const std::string_view raw = G::raw(row, field);
        key.append(raw);
        key.resize(key.size() + static_cast<std::size_t>(G::layout(field).Width) - raw.size(), ' ');
    }
    return key;
}

bool HasFukugouData(std::string_view row, bool countRates) {
    if (G::toInt(row, G::FukuHyouji) != 0 || G::toInt(row, G::ZaiGoukei) != 0)
        return true;
    if (!countRates)
        return false;
    for (int field : {G::Roumu1Bukake, G::Roumu2Bukake, G::Roumu3Bukake})
        if (!kiv::text::parseDecimal(G::raw(row, field)).isZero())
            return true;
    return false;
}

FukugouSelection SelectFukugouGyou(const CKivDoc& doc, bool countRates) {
    FukugouSelection s;
    // The keys seen are read where the selection keeps them: its key list has room for every
    // row from the start, so they never move.
    s.keys.reserve(static_cast<std::size_t>(doc.PoolGyouCount()));
    std::unordered_set<std::string_view> seen;
    seen.reserve(static_cast<std::size_t>(doc.PoolGyouCount()));
    // An estimate repeats its rows from item to item: rows alike but for their numbers come out
    // alike. A full-length row that gave no message is priced once; a row like it has the same
    // key, which the first one already took, so it only takes its key (the bytes after the
    // numbers, read where the pool keeps them).
    std::unordered_map<std::string_view, std::string> alike;
    // (Neither the pricing nor the round trip reads or writes the item and row numbers.)
    const std::size_t numbers = G::numbersLength();
    std::string row;
    // The items' rows in pool order (the order the work area loads them in).
    for (int item = 1; item <= doc.KoumokuCount(); ++item) {
        int gyou = 0;
        for (const int j : doc.KoumokuSlots(item)) {
            ++gyou;
            const std::string& stored = doc.PoolGyou(j);
            const bool full = stored.size() == static_cast<std::size_t>(G::Length);
            const std::string_view body = full ? std::string_view(stored).substr(numbers) : std::string_view();
            if (const auto seenRow = full ? alike.find(body) : alike.end(); seenRow != alike.end()) {
                s.keys.push_back(seenRow->second);
                continue;
            }
            row = stored;
            RowPricingReport report;
            report.place = {item, gyou, false};
            const bool quiet = priceAndRefresh(row, doc, report);
            const std::string& key = s.keys.emplace_back(FukugouGyouKey(row));
            if (quiet && full)
                alike.emplace(body, key);
            const bool selected = HasFukugouData(row, countRates);
            // Every walked row takes its key, so a later row like it never gets a page.
            if (seen.insert(key).second && selected) {
                s.rows.push_back({item, gyou, j});
                s.priced.push_back(row);
            }
        }
    }
    return s;
}

std::string PricedFukugouGyou(const CKivDoc& doc, const FukugouGyouRef& ref) {
    std::string row = ref.poolIndex >= 0 && ref.poolIndex < doc.PoolGyouCount()
                          ? doc.PoolGyou(ref.poolIndex)
                          : G::blankRow();
    RowPricingReport quiet;
    quiet.place = {ref.koumoku, ref.gyou, false};
    quiet.messages = false;
    priceAndRefresh(row, doc, quiet);
    return row;
}
