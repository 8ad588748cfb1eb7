// The heading rows (大項目, 中項目, 小項目, 細目): each takes as its unit price the total of the later
// item whose heading row of the same kind carries the same symbol. The later items are read where
// they are kept, in the row pool, without loading them into the work area.
#include <algorithm>
#include <string_view>

#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "grid/KivView.h"
#include "platform/text/Number.h"
#include "recalc/KeisanText.h"
#include "recalc/KivRecalc.h"
#include "recalc/KivRecalcState.h"

using namespace kiv::recalc;
using kiv::text::cformat;
using kiv::text::Decimal;
using G = GyouRecord;

namespace {

// The rows of the items after `koumoku`, item by item, each item's rows in pool order, and the
// places among them of the heading rows (the only rows a heading row's search stops at or takes).
template <class IsHeading>
void collectLaterRows(const CKivDoc& d, int koumoku, std::vector<int>& start, std::vector<int>& rows,
                      std::vector<int>& bunNo, std::vector<int>& heads, IsHeading isHeading) {
    const int last = std::min(d.m_KoumokuCount, CKivDoc::kKoumokuMax);
    const int items = std::max(last - koumoku, 0);
    start.assign(static_cast<std::size_t>(items) + 1, 0);
    rows.clear();
    const int pool = std::min({d.PoolGyouCount(), d.PoolSlots(), CKivDoc::kUndoIndexBase});
    for (int j = 0; j < pool; ++j) {
        const int item = d.KoumokuOfSlot(j);
        if (item > koumoku && item <= last)
            ++start[static_cast<std::size_t>(item - koumoku)];
    }
    for (int i = 1; i <= items; ++i)
        start[static_cast<std::size_t>(i)] += start[static_cast<std::size_t>(i - 1)];
    rows.resize(static_cast<std::size_t>(start[static_cast<std::size_t>(items)]));
    std::vector<int> fill(start.begin(), start.end() - 1);
    for (int j = 0; j < pool; ++j) {
        const int item = d.KoumokuOfSlot(j);
        if (item > koumoku && item <= last)
            rows[static_cast<std::size_t>(fill[static_cast<std::size_t>(item - koumoku - 1)]++)] = j;
    }
    bunNo.resize(rows.size());
    heads.clear();
    for (std::size_t p = 0; p < rows.size(); ++p) {
        bunNo[p] = G::toInt(d.PoolGyou(rows[p]), G::BunNo);
        if (isHeading(bunNo[p]))
            heads.push_back(static_cast<int>(p));
    }
}

} // namespace

void KivRecalc::CalcSaimoku() { CalcHeading(EnzanCode::Saimoku); }
void KivRecalc::CalcSyoukoumoku() { CalcHeading(EnzanCode::Syoukoumoku); }
void KivRecalc::CalcTyuukoumoku() { CalcHeading(EnzanCode::Tyuukoumoku); }
void KivRecalc::CalcDaikoumoku() { CalcHeading(EnzanCode::Daikoumoku); }

void KivRecalc::CalcHeading(EnzanCode kind) {
    const int code = m_View.m_KeisanCode;
    // The higher heading kinds: past one of their rows no row of this kind matches any more.
    const int level = static_cast<int>(kind);
    auto isStop = [&](int c) {
        for (int k = 0; k < level; ++k)
            if (IsCode(static_cast<EnzanCode>(k), c))
                return true;
        return false;
    };
    const std::string symbol(G::raw(m_View.m_EditGyou, G::Kigou));

    std::array<Decimal, 2> total{};
    int matches = 0;
    if (symbol.find_first_not_of(' ') != std::string::npos) {
        std::vector<int> ownStart, ownRows, ownBunNo, ownHeads;
        const std::vector<int>* start = &ownStart;
        const std::vector<int>* rows = &ownRows;
        const std::vector<int>* bunNo = &ownBunNo;
        const std::vector<int>* heads = &ownHeads;
        const auto isHeading = [this](int c) { return IsHeadingCode(c); };
        std::size_t first = 0;   // the later items start at (*start)[first]
        ItemPass* ip = s_ItemPass;
        EstimatePass* ep = s_EstimatePass;
        if (ep && ep->view == &m_View) {
            // The whole estimate: one look at every item serves every heading row of every item.
            if (!ep->built) {
                collectLaterRows(m_Doc, 0, ep->start, ep->rows, ep->bunNo, ep->heads, isHeading);
                ep->built = true;
            }
            start = &ep->start;
            rows = &ep->rows;
            bunNo = &ep->bunNo;
            heads = &ep->heads;
            first = std::min(static_cast<std::size_t>(std::max(m_Doc.m_CurKoumoku[0], 0)), ep->start.size() - 1);
        } else if (ip && ip->view == &m_View && ip->koumoku == m_Doc.m_CurKoumoku[0]) {
            // Later items do not change while this item is recalculated: one look at them
            // serves every heading row of the item.
            if (!ip->laterBuilt) {
                collectLaterRows(m_Doc, ip->koumoku, ip->laterStart, ip->laterRows, ip->laterBunNo, ip->laterHeads,
                                 isHeading);
                ip->laterBuilt = true;
            }
            start = &ip->laterStart;
            rows = &ip->laterRows;
            bunNo = &ip->laterBunNo;
            heads = &ip->laterHeads;
        } else {
            collectLaterRows(m_Doc, m_Doc.m_CurKoumoku[0], ownStart, ownRows, ownBunNo, ownHeads, isHeading);
        }
        // Only heading rows stop the search or match (the row's own code is a heading code): the
        // search walks the later heading rows in order; a match takes its item's rows.
        const int from = (*start)[first];
        for (auto h = std::lower_bound(heads->begin(), heads->end(), from); h != heads->end() && matches < 2; ++h) {
            const int p = *h;
            const int c = (*bunNo)[static_cast<std::size_t>(p)];
            if (isStop(c))
                break;
            if (c != code || G::raw(m_Doc.PoolGyou((*rows)[static_cast<std::size_t>(p)]), G::Kigou) != symbol)
                continue;
            ++matches;
            const auto item = std::upper_bound(start->begin(), start->end(), p) - 1;
            for (int q = *item; q < *(item + 1); ++q) {
                const std::string& row = m_Doc.PoolGyou((*rows)[static_cast<std::size_t>(q)]);
                const int ic = (*bunNo)[static_cast<std::size_t>(q)];
                if (ic == code || IsTotalCode(ic))
                    continue;
                total[0] += G::toDecimal(row, G::Kingaku1);
                total[1] += G::toDecimal(row, G::Kingaku2);
            }
        }
    }
    if (matches == 2) {
        static const char* const kDuplicate[] = {
            "同じ記号の大項目が２箇所以上ありますので正しく表示出来ません。金額をクリアします。記号を変更してください。",
            "同じ記号の中項目が２箇所以上ありますので正しく表示出来ません。金額をクリアします。記号を変更してください。",
            "同じ記号の小項目が２箇所以上ありますので正しく表示出来ません。金額をクリアします。記号を変更してください。",
            "同じ記号の細目が２箇所以上ありますので正しく表示出来ません。金額をクリアします。記号を変更してください。",
        };
        RowMessage(kDuplicate[level]);
        total = {};
    }

    std::string& row = m_View.m_EditGyou;
    static const Decimal kMaxTanka(9999999999LL);
    static const Decimal kMinTanka(-999999999LL);
    for (int t = 0; t < 2; ++t) {
        const int tankaField = G::Tanka1 + t;
        const int kingakuField = G::Kingaku1 + t;
        const Decimal h = total[t];
        if (h.isZero()) {
            G::blank(row, tankaField);
            G::blank(row, kingakuField);
            continue;
        }
        if (h > kMaxTanka || h < kMinTanka) {
            RowMessage("単価が10桁を越ています。訂正してください。");
            G::blank(row, tankaField);
        } else {
            G::putNumber(row, tankaField, kiv::text::leftChars(cformat("%12.1f", h), 10));
        }
        // The amount is written also when the quantity is 0; one that does not fit is refused.
        const Decimal amount = h * G::toDecimal(row, G::HiroidasiSuu1 + t);
        if (!AmountFits(amount)) {
            RowMessage(kMsgKeisanOverflow);
            G::blank(row, kingakuField);
        } else {
            G::putNumber(row, kingakuField, AmountText(amount));
        }
    }
    FinishComputedRow();
}
