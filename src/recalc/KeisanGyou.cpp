#include "recalc/KeisanGyou.h"

#include <algorithm>
#include <optional>

#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "estimate/KivMessage.h"
#include "estimate/KivMessagePass.h"
#include "estimate/MasterPath.h"
#include "estimate/MstFileReader.h"
#include "estimate/RoumuList.h"
#include "grid/KivView.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"
#include "platform/ui/App.h"

namespace kiv::recalc {

using G = GyouRecord;

namespace {

// The labour kinds in slot order, with their registration number, trade and the message of a
// labour line whose number names another trade (line 1, 2, 3).
struct Trade {
    int slot;
    int no;
    const char* name;
    const char* mismatch[3];
};
#define KIV_MISMATCH(no, name) "複合労務単価の登録番号" #no "と" name "が一致していません。訂正してください。"
const Trade kTrades[] = {
    {7, 18, "配管工", {KIV_MISMATCH(18, "配管工"), KIV_MISMATCH(18, "配管工"), KIV_MISMATCH(18, "配管工")}},
    {8, 32, "機械工", {KIV_MISMATCH(32, "機械工"), KIV_MISMATCH(32, "機械工"), KIV_MISMATCH(32, "機械工")}},
    {9, 8, "電工",
     {KIV_MISMATCH(8, "電工"), "複合労務単価の登録番8と電工が一致していません。訂正してください。", KIV_MISMATCH(8, "電工")}},
    {10, 2, "普通作業員", {KIV_MISMATCH(2, "普通作業員"), KIV_MISMATCH(2, "普通作業員"), KIV_MISMATCH(2, "普通作業員")}},
};
#undef KIV_MISMATCH

EnzanCode kindOf(int slot) { return KeisanTemplateKind(slot); }

// Whether a row of category `bunNo` closes a run of the kind in `slot`.
bool closesRun(int bunNo, int slot, const SetteiValues& s) {
    return s.matches(EnzanCode::HyousiKei, bunNo) || s.matches(EnzanCode::Tyuukei, bunNo) ||
           s.matches(EnzanCode::Syoukei, bunNo) || s.matches(EnzanCode::Saikei, bunNo) ||
           (slot != kRoumu4Slot && s.matches(EnzanCode::KoumokunaiKei, bunNo));
}

// The order of computed rows that go to one place: the lump sums in slot order, then the labour
// rows 労務費1, 労務費4, 労務費3, 労務費2.
int placeOrder(int slot) {
    static constexpr int kOrder[kKeisanSlots] = {0, 1, 2, 3, 4, 5, 6, 7, 10, 9, 8};
    return kOrder[slot];
}

} // namespace

unsigned KeisanNeeds(std::string_view row, const SetteiValues& s) {
    auto rate = [&](int field) { return !G::toDecimal(row, field).isZero(); };
    const int bunNo = G::toInt(row, G::BunNo);
    unsigned m = 0;
    if (rate(G::TugiteRitu))
        m |= 1u << 0;
    if (rate(G::SetugouRitu))
        m |= 1u << 1;
    if (rate(G::SijiRitu))
        m |= 1u << 2;
    if (rate(G::UnpanRitu))
        m |= 1u << 3;
    if (rate(G::FuzokuRitu) && s.matches(EnzanCode::Fuzokuhin1Hi, bunNo))
        m |= 1u << 4;
    if (rate(G::FuzokuRitu) && s.matches(EnzanCode::Fuzokuhin2Hi, bunNo))
        m |= 1u << 5;
    if (rate(G::ZatuzaiRitu))
        m |= 1u << 6;
    for (int j = 0; j < 3; ++j) {
        if (!rate(G::Roumu1Bukake + j))
            continue;
        const int no = G::toInt(row, G::Roumu1No + j);
        for (const Trade& t : kTrades)
            if (t.no == no)
                m |= 1u << t.slot;
    }
    return m;
}

bool IsKeisanGyou(std::string_view row, const SetteiValues& s) {
    const int bunNo = G::toInt(row, G::BunNo);
    for (int slot = 0; slot < kKeisanSlots; ++slot)
        if (s.matches(kindOf(slot), bunNo))
            return true;
    return false;
}

bool KeisanGyouMissing(const std::vector<std::string_view>& rows, const SetteiValues& s) {
    std::vector<unsigned> needs(rows.size());
    std::vector<int> bunNo(rows.size());
    for (std::size_t k = 0; k < rows.size(); ++k) {
        needs[k] = KeisanNeeds(rows[k], s);
        bunNo[k] = G::toInt(rows[k], G::BunNo);
    }
    return KeisanGyouMissing(needs, bunNo, s);
}

bool KeisanGyouMissing(const std::vector<unsigned>& needs, const std::vector<int>& bunNo, const SetteiValues& s) {
    const int n = static_cast<int>(std::min(needs.size(), bunNo.size()));
    for (int slot = 0; slot < kKeisanSlots; ++slot) {
        if (slot == kUnpanSlot)
            continue;
        bool need = false, have = false;
        for (int k = 0; k < n; ++k) {
            const int b = bunNo[static_cast<std::size_t>(k)];
            need = need || (needs[static_cast<std::size_t>(k)] >> slot & 1u);
            have = have || s.matches(kindOf(slot), b);
            if (closesRun(b, slot, s) || k == n - 1) {
                if (need && !have)
                    return true;
                need = have = false;
            }
        }
    }
    return false;
}

std::vector<KeisanInsert> PlanKeisanGyou(const std::vector<std::string_view>& rows, const SetteiValues& s,
                                         int scanned) {
    const int n = static_cast<int>(rows.size());
    std::vector<unsigned> needs(rows.size(), 0);
    for (int k = 0; k < std::min(scanned, n); ++k)
        needs[static_cast<std::size_t>(k)] = KeisanNeeds(rows[static_cast<std::size_t>(k)], s);
    std::vector<KeisanInsert> plan;
    for (int slot = 0; slot < kKeisanSlots; ++slot) {
        int lastNeed = 0;   // 1-based row of the run's last row needing the kind
        for (int k = 1; k <= n; ++k) {
            if (needs[static_cast<std::size_t>(k - 1)] >> slot & 1u)
                lastNeed = k;
            const bool closes = closesRun(G::toInt(rows[static_cast<std::size_t>(k - 1)], G::BunNo), slot, s);
            if (!closes && k < n)
                continue;
            if (lastNeed > 0) {
                int before;
                if (slot < kFirstRoumuSlot)
                    before = closes && lastNeed == k ? k : lastNeed + 1;   // never below the total
                else
                    before = closes ? k : n + 1;
                plan.push_back({before, slot});
            }
            lastNeed = 0;
        }
    }
    std::stable_sort(plan.begin(), plan.end(), [](const KeisanInsert& a, const KeisanInsert& b) {
        return a.before != b.before ? a.before < b.before : placeOrder(a.slot) < placeOrder(b.slot);
    });
    return plan;
}

bool RoumuTradeMatches(const RoumuList& list, int no, const char* trade) {
    const RoumuRecord* line = list.byNumber(no);
    return line && line->fields().Syokusyu == kiv::text::sj(trade);
}

namespace {

// The rows of one item after the conversion, as pool indices (>= 0) or template slots (-1 - slot).
struct ItemPlan {
    std::vector<int> rows;
};

// How many of the item's kept rows are asked what they need: the scan ends at the first row
// with a labour line whose number names another trade in the labour list, after its message.
int ScanTrades(const std::vector<std::string_view>& rows, const RoumuList& roumu, int item) {
    for (std::size_t k = 0; k < rows.size(); ++k) {
        for (const Trade& t : kTrades) {
            for (int j = 0; j < 3; ++j) {
                if (G::toInt(rows[k], G::Roumu1No + j) != t.no || RoumuTradeMatches(roumu, t.no, t.name))
                    continue;
                KivRowMessage(t.mismatch[j], RowPlace{item, static_cast<int>(k) + 1});
                return static_cast<int>(k);
            }
        }
    }
    return static_cast<int>(rows.size());
}

} // namespace

bool ConvertKeisanGyou(CKivView& view, bool insert) {
    CKivDoc* d = view.GetDocument();
    if (!d)
        return false;
    const SetteiValues& s = d->m_SetteiValues;

    // The templates first: nothing is deleted unless the insertion can be done. The master is read
    // on its own, never into the estimate's pool.
    std::array<std::string, kKeisanTemplateCount> templates;
    if (insert) {
        std::string message;
        std::optional<KeisanTemplates> found;
        {
            kiv::ui::App::WaitCursorScope wait;
            found = ReadKeisanTemplates(MasterFilePath(CKivDoc::RunMode()), s, message, true);
        }
        if (!found) {
            KivMessage(message);
            return false;
        }
        if (found->oldLayout) {
            KivMessage(kMstOldLayoutMessage);
            return false;
        }
        templates = found->rows;
    }

    kiv::ui::App::WaitCursorScope wait;
    KivMessagePass pass;
    const int items = d->m_KoumokuCount;
    std::vector<std::vector<int>> byItem(static_cast<std::size_t>(std::max(items, 0)) + 1);
    std::vector<int> others;   // rows of no counted item: kept as they are
    for (int j = 0; j < d->PoolGyouCount(); ++j) {
        const int item = d->KoumokuOfSlot(j);
        if (item >= 1 && item <= items)
            byItem[static_cast<std::size_t>(item)].push_back(j);
        else if (item != 0)
            others.push_back(j);
    }

    // Every item planned before anything changes, so that a limit stops the whole conversion.
    std::vector<ItemPlan> plans(byItem.size());
    long total = static_cast<long>(others.size());
    bool changed = false;
    // A kind without a code, or without its template in the master, is left out: a row of it
    // would be an empty row that no calculator fills, made again at every check.
    unsigned leftOut = 0;
    auto insertable = [&](int slot) { return s.code(kindOf(slot)) != 0 && !templates[static_cast<std::size_t>(slot)].empty(); };
    for (int item = 1; item <= items; ++item) {
        const std::vector<int>& pool = byItem[static_cast<std::size_t>(item)];
        std::vector<int> kept;
        std::vector<std::string_view> keptRows;
        for (int j : pool) {
            const std::string& row = d->PoolGyou(j);
            if (IsKeisanGyou(row, s))
                continue;
            kept.push_back(j);
            keptRows.emplace_back(row);
        }
        std::vector<int>& out = plans[static_cast<std::size_t>(item)].rows;
        if (insert) {
            const int scanned = ScanTrades(keptRows, d->m_Roumu, item);
            std::size_t next = 0;
            for (const KeisanInsert& ins : PlanKeisanGyou(keptRows, s, scanned)) {
                if (!insertable(ins.slot)) {
                    leftOut |= 1u << ins.slot;
                    continue;
                }
                for (; next + 1 < static_cast<std::size_t>(ins.before); ++next)
                    out.push_back(kept[next]);
                out.push_back(-1 - ins.slot);
            }
            for (; next < kept.size(); ++next)
                out.push_back(kept[next]);
        } else {
            out = kept;
        }
        if (out != pool)
            changed = true;
        if (out.empty() && !pool.empty())
            out.push_back(-1 - kKeisanSlots);   // an item keeps one empty numbered row
        if (static_cast<int>(out.size()) > CKivDoc::kKoumokuGyouMax) {
            KivMessage(CKivDoc::kMsgKoumokuFull);
            return false;
        }
        total += static_cast<long>(out.size());
    }
    if (total > CKivDoc::kGyouMax) {
        KivMessage(CKivDoc::kMsgPoolFull);
        return false;
    }
    if (leftOut != 0) {
        std::string kinds;
        for (int slot = 0; slot < kKeisanSlots; ++slot)
            if (leftOut >> slot & 1u)
                kinds += std::string(kinds.empty() ? "" : "、") + enzanCodeInfo(kindOf(slot)).caption;
        KivPassNote("演算分類設定に分類がないか、マスターファイルのその分類に２行目のひな形がないため、次の計算行は挿入していません：" +
                    kinds + "。");
    }
    if (!changed)
        return true;

    // One pass: the new pool, item by item in row order, then whatever belonged to no item.
    std::vector<std::string> pool;
    pool.reserve(static_cast<std::size_t>(total));
    for (int item = 1; item <= items; ++item) {
        int gyou = 0;
        for (int ref : plans[static_cast<std::size_t>(item)].rows) {
            ++gyou;
            std::string row;
            if (ref >= 0) {
                row = d->TakePoolGyou(ref);
                if (G::toInt(row, G::GyouNo) == gyou) {
                    pool.push_back(std::move(row));
                    continue;
                }
            } else if (const int slot = -1 - ref; slot < kKeisanSlots) {
                row = templates[static_cast<std::size_t>(slot)];
            } else {
                row = G::blankRow();   // the empty numbered row of an item left without rows
            }
            G::padLength(row);
            G::writeKey(row, item, gyou);
            G::fillBlankHokyuu(row);
            pool.push_back(std::move(row));
        }
    }
    for (int j : others)
        pool.push_back(d->TakePoolGyou(j));
    d->ReplacePoolRows(std::move(pool));
    d->NoteRowsRewritten();
    d->RebuildGyouIndex();
    d->LoadKoumokuGyou();
    d->m_KeisanConverted = true;
    d->SetModifiedFlag(true);
    return true;
}

} // namespace kiv::recalc
