#include "recalc/KivRecalc.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "estimate/KivMessage.h"
#include "estimate/RecalcSeams.h"
#include "grid/KivView.h"
#include "platform/text/Number.h"
#include "recalc/KeisanGyou.h"
#include "recalc/KeisanText.h"
#include "recalc/KivRecalcState.h"
#include "recalc/KivRecalcTesting.h"

using namespace kiv::recalc;
using kiv::text::cformat;
using kiv::text::Decimal;
using G = GyouRecord;

KivRecalc::ItemPass* KivRecalc::s_ItemPass = nullptr;
KivRecalc::EstimatePass* KivRecalc::s_EstimatePass = nullptr;

namespace {

// The record of settled rows and items is kept and used; only tests turn it off
// (KivRecalcTesting.h).
bool g_SkipRecordOn = true;

const char* const kMsgSyoukei =
    "１項目に小計分類が２ヵ所以上ありますので項目集計には最終行の小計金額しか表示されませんので中計分類か表紙計分類を入力して合計金額を表示してください。その場合、小計以降の付属品から労務費までの計算行が入っているかチェックする必要があります。";
const char* const kMsgSleeve =
    "スリーブ材が入力されていません。必要な場合は追加入力してください。挿入した行までの該当する材料について計算します。";
const char* const kAskKeisanMode =
    "内訳作成が労務費計上モードです。このモードで作成した内訳は継ぎ手～スリーブ～付属品、雑材、労務費を入力する必要があります。マスターファイルの計算分類の２行目を追加入力します。内訳書の計が細目計・小計・項目内計分類の場合有効です。";
const char* const kMsgMissingSummary =
    "複合単価で作成した内訳を読み込んだか、継手、接合、支持、ｽﾘｰﾌﾞ、付属品、雑材、労務費が入力されていません。追加入力する必要があります。";

// Kind indices of the per-item counters.
enum Kind { kTugite, kSetugou, kSiji, kSleeve, kFuzoku1, kFuzoku2, kUnpan, kZatuzai, kRoumu1, kRoumu2, kRoumu3, kRoumu4 };

// The counter kind of each template slot of the style conversion.
constexpr Kind kSlotKind[] = {kTugite, kSetugou, kSiji, kUnpan, kFuzoku1, kFuzoku2, kZatuzai,
                              kRoumu1, kRoumu2, kRoumu3, kRoumu4};

// The kinds in the order the item check and the warnings take them.
constexpr int kMissingOrder[] = {kTugite, kSetugou, kSiji, kSleeve, kFuzoku1, kFuzoku2, kZatuzai,
                                 kRoumu1, kRoumu2, kRoumu3, kRoumu4};

std::string_view rawOf(std::string_view row, int field) { return G::raw(row, field); }

char firstChar(std::string_view row, int field) {
    std::string_view s = rawOf(row, field);
    return s.empty() ? ' ' : s.front();
}

// The editing position of element 0, kept outside the save slots by the whole-estimate pass
// (whose callers own the slots).
struct Position {
    int koumoku, gyou, top, screen, field, visible;
};

} // namespace

void kiv::recalc::SetSkipRecordForTesting(bool on) { g_SkipRecordOn = on; }
bool kiv::recalc::SkipRecordOn() { return g_SkipRecordOn; }

// What an item's recalculation at a fixed point leaves beside its rows.
struct FixedPoint {
    std::uint64_t edits = 0;   // the estimate's change count it was found at
    int gyouCount = 0;
    int poolCount = 0;
    int koumokuCount = 0;
    int reportGyou = -1;       // whose too-wide amounts it would have named (-1 every row's)
    bool stored = false;       // it stored rows on the way (to come back to the same bytes)
    std::array<int, CKivView::kKeisanKinds> need{};
    std::array<int, CKivView::kKeisanKinds> count{};
    int saikei = 0;
    int syoukei = 0;
    int tyuukeiHyousi = 0;
    int needSleeve = 0;
    bool missing = false;
    std::array<int, 3> roumuNo{};
    int bunNo = 0;
    FukugouKekka kekka;
    std::string pricedGyou;    // the row buffer's last priced row
    std::string coverTotal;    // item 1's
};

// The fixed points of an estimate's items and their settled rows, found under one set of
// settings and labour list and since the pool was last rewritten as a whole.
struct FixedPoints : KivRecalcMemo {
    SetteiValues settei;
    RoumuList roumu;
    std::uint64_t rewrites = 0;
    std::vector<std::optional<FixedPoint>> items;   // item k at element k
    std::vector<std::vector<SettledGyou>> gyou;     // item k's row r at [k][r]
    // Estimates repeat their rows from section to section and item to item. A row that is not a
    // computed row recalculates from its bytes after its numbers alone: one whose bytes there are
    // a settled row's is settled as that row is. The settled full-length rows by the hash of
    // those bytes: item and row of one of them.
    std::unordered_map<std::uint64_t, std::pair<int, int>> alike;
};

const char* KivRecalc::KeisanWarning(int kind) {
    switch (kind) {
    case kTugite: return "継手類が入力されていません。追加入力してください。";
    case kSetugou: return "接合材が入力されていません。追加入力してください。";
    case kSiji: return "支持材が入力されていません。追加入力してください。";
    case kFuzoku1: return "付属品１が入力されていません。追加入力してください。";
    case kFuzoku2: return "付属品２が入力されていません。追加入力してください。";
    case kZatuzai: return "雑材が入力されていません。追加入力してください。";
    case kRoumu1: return "労務費１　配管工が入力されていません。追加入力してください。";
    case kRoumu2: return "労務費２　機械工が入力されていません。追加入力してください。";
    case kRoumu3: return "労務費３　電工が入力されていません。追加入力してください。";
    case kRoumu4: return "労務費４　普通作業員が入力されていません。追加入力してください。";
    default: return "";
    }
}

void KivRecalc::Connect() {
    recalcSeams().recalcGyou = [](CKivView& v) {
        if (v.GetDocument())
            KivRecalc(v).RecalcGyou();
    };
    recalcSeams().recalcKoumoku = [](CKivView& v) {
        if (v.GetDocument())
            KivRecalc(v).RecalcKoumoku();
    };
    recalcSeams().checkKeisanGyou = [](CKivView& v) {
        if (v.GetDocument())
            KivRecalc(v).CheckKeisanGyou();
    };
    // Printing's pass over every item: the missing-row flag forgotten before it, the one
    // warning and the flags cleared after it.
    recalcSeams().clearKeisanMissing = [](CKivView& v) { v.m_KeisanMissing = 0; };
    recalcSeams().clearKeisanGyouFlags = [](CKivView& v) {
        if (v.GetDocument())
            KivRecalc(v).ClearKeisanGyouFlags();
    };
    recalcSeams().recalcAllKoumoku = [](CKivView& v, int times) {
        if (v.GetDocument())
            KivRecalc(v).RecalcAllKoumoku(times);
    };
    recalcSeams().deleteKeisanGyou = [](CKivView& v) { return kiv::recalc::ConvertKeisanGyou(v, false); };
    recalcSeams().insertKeisanGyou = [](CKivView& v) { return kiv::recalc::ConvertKeisanGyou(v, true); };
    recalcSeams().checkKeisanModeView = [](CKivView& v) {
        if (v.GetDocument())
            KivRecalc(v).CheckKeisanMode();
    };
    // The labour dialog's 登録 checks the estimate it registered into, through its own view.
    recalcSeams().checkKeisanMode = [](CKivDoc& doc) {
        // The labour prices the amounts are computed with changed.
        doc.NoteChange();
        if (auto* v = dynamic_cast<CKivView*>(doc.GetView()); v && v->GetDocument() == &doc)
            KivRecalc(*v).CheckKeisanMode();
    };
}

KivRecalc::KivRecalc(CKivView& view)
    : m_View(view), m_Doc(*view.GetDocument()), m_S(m_Doc.m_SetteiValues) {}

// ---------------------------------------------------------------------------------------------
// Helpers

std::string_view KivRecalc::WorkGyou(int k) const {
    if (k < 1 || k > CKivDoc::kWorkSlots)
        return {};
    return m_Doc.WorkGyouAt(k);
}

int KivRecalc::CurrentGyou() const { return m_Doc.m_CurGyou[0]; }

KivRecalc::ItemPass* KivRecalc::Pass() const {
    ItemPass* ip = s_ItemPass;
    return ip && ip->view == &m_View && ip->koumoku == m_Doc.m_CurKoumoku[0] ? ip : nullptr;
}

int KivRecalc::BunNoOf(int k) const {
    if (const ItemPass* ip = Pass(); ip && k >= 1 && k < static_cast<int>(ip->bunNo.size()))
        return ip->bunNo[static_cast<std::size_t>(k)];
    return G::toInt(WorkGyou(k), G::BunNo);
}

Pair KivRecalc::AmountsOf(int k) const {
    if (const ItemPass* ip = Pass(); ip && k >= 1 && k < static_cast<int>(ip->amount.size()))
        return ip->amount[static_cast<std::size_t>(k)];
    const std::string_view row = WorkGyou(k);
    return {dec(row, G::Kingaku1), dec(row, G::Kingaku2)};
}

void KivRecalc::RefreshPassRow(int k, bool needs) const {
    ItemPass* ip = Pass();
    if (!ip || k < 1 || k >= static_cast<int>(ip->bunNo.size()))
        return;
    const auto i = static_cast<std::size_t>(k);
    const std::string_view row = WorkGyou(k);
    ip->bunNo[i] = G::toInt(row, G::BunNo);
    ip->amount[i] = {dec(row, G::Kingaku1), dec(row, G::Kingaku2)};
    if (needs)
        ip->needs[i] = kiv::recalc::KeisanNeeds(row, m_S);
    if (i < ip->stored.size())
        ip->stored[i] = 1;
}

SettledGyou* KivRecalc::SettledAt(int k) const {
    ItemPass* ip = Pass();
    if (!ip || !ip->settled || k < 1)
        return nullptr;
    const auto i = static_cast<std::size_t>(k);
    if (i >= ip->settled->size() || i >= ip->stored.size() || i >= ip->valid.size())
        return nullptr;
    SettledGyou& memo = (*ip->settled)[i];
    return memo.settled && !ip->stored[i] && ip->valid[i] ? &memo : nullptr;
}

bool KivRecalc::IsTotalCode(int bunNo) const {
    return IsCode(EnzanCode::HyousiKei, bunNo) || IsCode(EnzanCode::Tyuukei, bunNo) ||
           IsCode(EnzanCode::Syoukei, bunNo) || IsCode(EnzanCode::Saikei, bunNo) ||
           IsCode(EnzanCode::KoumokunaiKei, bunNo);
}

bool KivRecalc::IsHeadingCode(int bunNo) const {
    return IsCode(EnzanCode::Daikoumoku, bunNo) || IsCode(EnzanCode::Tyuukoumoku, bunNo) ||
           IsCode(EnzanCode::Syoukoumoku, bunNo) || IsCode(EnzanCode::Saimoku, bunNo);
}

void KivRecalc::RowMessage(const std::string& utf8) const {
    KivRowMessage(utf8, RowPlace{m_Doc.m_CurKoumoku[0], m_Doc.m_CurGyou[0]});
}

void KivRecalc::PutAmount(int field, const Decimal& v, bool modeText, const char* overflow) {
    std::string& row = m_View.m_EditGyou;
    if (v.isZero()) {
        G::blank(row, field);
    } else if (!AmountFits(v)) {
        RowMessage(overflow);
        G::blank(row, field);
    } else {
        G::putNumber(row, field, modeText ? ModeAmountText(v, m_S.FukugouMarume) : AmountText(v));
    }
}

void KivRecalc::PutOneUnit() {
    G::putNumber(m_View.m_EditGyou, G::HiroidasiSuu1, "1");
    G::putNumber(m_View.m_EditGyou, G::SekisanSuu1, "1");
}

void KivRecalc::ClearLumpSumRow() { m_View.ClearSuuAmount(); }

void KivRecalc::BackToComputedRow() {
    m_View.RestorePosition3();
    m_View.LoadGyou();
}

void KivRecalc::FinishComputedRow() {
    m_View.StoreGyou();
    RefreshPassRow(CurrentGyou());
    m_View.m_CurField[0] = CKivView::m_LastField;
}

const FukugouKekka& KivRecalc::KekkaOf(int k) {
    ItemPass* ip = s_ItemPass;
    const bool cached = ip && ip->view == &m_View && ip->koumoku == m_Doc.m_CurKoumoku[0] && k >= 1 &&
                        k < static_cast<int>(ip->kekka.size());
    if (cached && ip->valid[static_cast<std::size_t>(k)])
        return ip->kekka[static_cast<std::size_t>(k)];
    m_Doc.m_CurGyou[0] = k;
    m_View.LoadGyou();
    const char flag101 = firstChar(m_View.m_EditGyou, G::FukuHyouji);
    const char flag102 = firstChar(m_View.m_EditGyou, G::ZaiGoukei);
    m_View.CalcFukugouTanka();
    RefreshPassRow(k);
    const FukugouKekka& kekka = m_View.m_FukugouKekka;
    if (cached) {
        ip->kekka[static_cast<std::size_t>(k)] = kekka;
        ip->valid[static_cast<std::size_t>(k)] = firstChar(WorkGyou(k), G::FukuHyouji) == flag101 &&
                                                 firstChar(WorkGyou(k), G::ZaiGoukei) == flag102;
    }
    return kekka;
}

// ---------------------------------------------------------------------------------------------
// One row

void KivRecalc::RecalcGyou() {
    CKivView& v = m_View;
    const int r = CurrentGyou();
    // What the row buffer brings is the caller's change and counts as one; what the
    // recalculation then writes is derived from the rows and does not (GyouStore::ChangeCount).
    if (!m_Doc.InRecalc() && r >= 1 && r <= m_Doc.m_GyouCount)
        v.StoreGyou();
    GyouStore::RecalcScope recalc(m_Doc);

    // The composite unit price first: the amounts of the composite-price style take it.
    const char flag101 = firstChar(v.m_EditGyou, G::FukuHyouji);
    const char flag102 = firstChar(v.m_EditGyou, G::ZaiGoukei);
    v.CalcFukugouTanka();
    ItemPass* ip = s_ItemPass;
    const bool inItem = ip && ip->view == &v && r >= 1 && r < static_cast<int>(ip->kekka.size());
    if (inItem) {
        // A row whose pricing set one of its flags prices differently the next time: it is
        // priced again when a calculator below asks for it.
        ip->kekka[static_cast<std::size_t>(r)] = v.m_FukugouKekka;
        ip->valid[static_cast<std::size_t>(r)] = firstChar(v.m_EditGyou, G::FukuHyouji) == flag101 &&
                                                 firstChar(v.m_EditGyou, G::ZaiGoukei) == flag102;
    }

    v.SavePosition5();
    std::string& row = v.m_EditGyou;
    const bool counted = !IsTotalCode(G::toInt(row, G::BunNo));
    if (inItem && counted)
        ip->before = AmountsOf(r);
    Decimal hokyuu = G::toDecimal(row, G::Hokyuu);
    if (hokyuu.isZero())
        hokyuu = 1;

    // Estimated quantities: the take-off quantity as typed, or times 補給 and その他２.
    if (m_S.SekisanYousiki == 1 || firstChar(row, G::FukuHyouji) == '1' || hokyuu == Decimal(1)) {
        for (int k = 0; k < 2; ++k) {
            const auto& from = G::layout(G::HiroidasiSuu1 + k);
            const auto& to = G::layout(G::SekisanSuu1 + k);
            row.replace(static_cast<std::size_t>(to.Offset), static_cast<std::size_t>(to.Width), row,
                        static_cast<std::size_t>(from.Offset), static_cast<std::size_t>(from.Width));
        }
    } else {
        const Decimal factor = Decimal(1) + G::toDecimal(row, G::Sonota2Ritu);
        for (int k = 0; k < 2; ++k) {
            const int field = G::SekisanSuu1 + k;
            const Decimal qty = G::toDecimal(row, G::HiroidasiSuu1 + k) * hokyuu * factor;
            if (qty.isZero()) {
                G::blank(row, field);
            } else {
                const std::string text = cformat("%12.0f", qty);
                const std::string_view digits = kiv::text::trimBlanks(text);
                if (digits.size() > 8) {
                    // The quantity field has eight characters: a longer quantity is not cut.
                    RowMessage("積算数量 " + std::string(digits) +
                               " は８桁を越えるため書き込めません。数量を訂正してください。");
                    G::blank(row, field);
                } else {
                    G::putNumber(row, field, kiv::text::rightChars(text, 8));
                }
            }
        }
    }

    const int bunNo = G::toInt(row, G::BunNo);
    v.m_BunNo = bunNo;
    const bool composite = m_S.SekisanYousiki == 1 && !IsHeadingCode(bunNo);
    for (int k = 0; k < 2; ++k) {
        const int field = G::Kingaku1 + k;
        const Decimal amount = G::toDecimal(row, G::SekisanSuu1 + k) *
                               G::toDecimal(row, (composite ? G::FukugouTanka1 : G::Tanka1) + k);
        if (amount.isZero()) {
            G::blank(row, field);
        } else if (!AmountFits(amount)) {
            ++m_Overflows;
            if (!inItem || ip->reportGyou < 0 || ip->reportGyou == r)
                RowMessage(kMsgGyouOverflow);
            G::blank(row, field);
        } else {
            G::putNumber(row, field, AmountText(amount));
        }
    }
    v.StoreGyou();
    if (inItem)
        RefreshPassRow(r);
    v.RestorePosition5();

    const bool acted = RunCalculators(bunNo);
    if (inItem && acted)
        RefreshPassRow(r);
    if (inItem) {
        // A computed row's fields change after its pricing: it is priced again when asked for.
        if (acted)
            ip->valid[static_cast<std::size_t>(r)] = 0;
        if (counted) {
            const Pair after = AmountsOf(r);
            for (int t = 0; t < 2; ++t)
                ip->total[t] += after[t] - ip->before[t];
        }
    }
    m_Doc.m_NeedRecalc = 1;
    v.m_CurField[0] = CKivView::m_LastField;
    if (!inItem)
        v.CalcFieldPos();
}

// The calculators in the order they run on every row, with the code slot each acts on and the
// fields it is handed.
struct KivRecalc::Dispatch {
    void (KivRecalc::*calc)();
    EnzanCode slot;
    std::array<int, 5> fields;
};

bool KivRecalc::RunCalculators(int bunNo) {
    using E = EnzanCode;
    static const Dispatch kTable[] = {
        {&KivRecalc::CalcTugite, E::Tugite, {G::TugiteRitu}},
        {&KivRecalc::CalcSetugouzai, E::Setugouzai, {G::SetugouRitu}},
        {&KivRecalc::CalcSijizai, E::Sijizai, {G::SijiRitu}},
        {&KivRecalc::CalcFuzokuhin, E::Fuzokuhin1, {G::FuzokuRitu}},
        {&KivRecalc::CalcFuzokuhin, E::Fuzokuhin2, {G::FuzokuRitu}},
        {&KivRecalc::CalcUnpanhi, E::Unpanhi, {G::UnpanRitu, G::TugiteRitu, G::SetugouRitu, G::SijiRitu, G::ZatuzaiRitu}},
        {&KivRecalc::CalcSleeve, E::Sleeve, {G::Kakeritu}},
        {&KivRecalc::CalcRoumuhi1, E::Roumuhi1, {G::Bukake1, G::Sonota1Ritu, G::Sonota2Ritu, G::HaturiRitu}},
        {&KivRecalc::CalcRoumuhi2, E::Roumuhi2, {G::Bukake1, G::Sonota1Ritu, G::Sonota2Ritu, G::HaturiRitu}},
        {&KivRecalc::CalcRoumuhi3, E::Roumuhi3, {G::Bukake1, G::Sonota1Ritu, G::Sonota2Ritu, G::HaturiRitu}},
        {&KivRecalc::CalcRoumuhi4, E::Roumuhi4, {G::Bukake2, G::Sonota1Ritu, G::Sonota2Ritu, G::HaturiRitu}},
        {&KivRecalc::CalcZatuzai, E::Zatuzai, {G::ZatuzaiRitu, G::FuzokuRitu}},
        {&KivRecalc::RoundUpZatuzai, E::Zatuzai, {G::ZatuzaiRitu, G::FuzokuRitu}},
        {&KivRecalc::CalcKeihi, E::Keihi1, {G::Kakeritu}},
        {&KivRecalc::RoundKeihi, E::Keihi1, {G::Kakeritu}},
        {&KivRecalc::CalcKeihi, E::Keihi2, {G::Kakeritu}},
        {&KivRecalc::RoundKeihi, E::Keihi2, {G::Kakeritu}},
        {&KivRecalc::CalcKeihiTenyuuryoku, E::Keihi3, {G::Kakeritu}},
        {&KivRecalc::CalcSyouhizei, E::Syouhizei, {G::Kakeritu}},
        {&KivRecalc::CalcKoumokunaiKei, E::KoumokunaiKei, {}},
        {&KivRecalc::CalcSaikei, E::Saikei, {}},
        {&KivRecalc::CalcSyoukei, E::Syoukei, {}},
        {&KivRecalc::CalcTyuukei, E::Tyuukei, {}},
        {&KivRecalc::CalcHyousiKei, E::HyousiKei, {}},
        {&KivRecalc::CalcSaimoku, E::Saimoku, {}},
        {&KivRecalc::CalcSyoukoumoku, E::Syoukoumoku, {}},
        {&KivRecalc::CalcTyuukoumoku, E::Tyuukoumoku, {}},
        {&KivRecalc::CalcDaikoumoku, E::Daikoumoku, {}},
    };
    // A calculator whose code is not the row's changes nothing: only those of the row's
    // category run (each code names one kind, but two slots given the same code both act).
    bool acted = false;
    for (const Dispatch& d : kTable) {
        if (!IsCode(d.slot, bunNo))
            continue;
        m_View.m_KeisanCode = m_S.code(d.slot);
        m_View.m_KeisanField = d.fields;
        m_View.m_HiKeisanCode = d.slot == E::Fuzokuhin1   ? m_S.code(E::Fuzokuhin1Hi)
                                : d.slot == E::Fuzokuhin2 ? m_S.code(E::Fuzokuhin2Hi)
                                                          : 0;
        m_View.m_SleeveRoumuCode = d.slot == E::Sleeve ? m_S.code(E::Roumuhi1) : 0;
        m_View.SavePosition3();
        (this->*d.calc)();
        acted = true;
    }
    return acted;
}

// ---------------------------------------------------------------------------------------------
// One item

void KivRecalc::RecalcKoumoku() {
    CKivView& v = m_View;
    CKivDoc& d = m_Doc;
    // The item's rows are what they are: what the recalculation writes is derived from them.
    GyouStore::RecalcScope recalc(d);
    // Inside a wider pass (the whole estimate, printing, loading) the item's messages join it.
    const bool wider = KivMessagePass::Active();
    const int reportGyou = wider ? -1 : v.m_RecalcAfterClick ? 0 : d.m_CurGyou[0];
    if (SkipAtFixedPoint(reportGyou))
        return;
    // The rows stored with other bytes since are no longer settled; those the pass stores are
    // noted, and when the work area was the item as stored before, the pool tells what they held.
    std::vector<SettledGyou>& settled = SettledRows();
    const std::uint64_t editsBefore = d.m_EditCount;
    const bool asStored = d.m_StoredEditCount == editsBefore;
    const std::uint64_t messagesBefore = KivMessageSerial();
    KivMessagePass pass;

    ItemPass ip;
    ip.view = &v;
    ip.koumoku = d.m_CurKoumoku[0];
    ip.reportGyou = reportGyou;
    ip.kekka.resize(static_cast<std::size_t>(std::max(d.m_GyouCount, 0) + 1));
    ip.valid.assign(ip.kekka.size(), 0);
    // The item's pass is known to the calculators while the item is recalculated, and no longer.
    struct Enter {
        ItemPass* outer;
        explicit Enter(ItemPass* ip) : outer(s_ItemPass) { s_ItemPass = ip; }
        ~Enter() { s_ItemPass = outer; }
    } enter(&ip);

    v.m_KeisanNeed.fill(0);
    v.m_KeisanCount.fill(0);
    v.m_SaikeiCount = v.m_SyoukeiCount = v.m_TyuukeiHyousiCount = 0;
    v.m_NeedSleeve = 0;
    // The cover total is item 1's: only its recalculation empties it, and its 表紙計 row sets it.
    if (d.m_CurKoumoku[0] == 1)
        d.m_HyousiData[17].clear();

    ip.bunNo.resize(ip.kekka.size());
    ip.amount.resize(ip.kekka.size());
    ip.needs.resize(ip.kekka.size());
    // The needs count in the labour-posting style only.
    const bool posting = m_S.SekisanYousiki != 1;
    for (int r = 1; r <= d.m_GyouCount; ++r) {
        const auto i = static_cast<std::size_t>(r);
        const SettledGyou& memo = settled[i];
        // A settled row's category, needs and amounts are those it settled with (a settled row
        // is never a computed row, so never a total row); the others' are read from the rows.
        if (memo.settled) {
            ip.bunNo[i] = memo.bunNo;
            ip.amount[i] = memo.amounts;
            ip.needs[i] = memo.needs;
        } else {
            RefreshPassRow(r, posting);
        }
        if (!IsTotalCode(ip.bunNo[i]))
            for (int t = 0; t < 2; ++t)
                ip.total[t] += ip.amount[i][t];
    }
    ip.settled = &settled;
    ip.stored.assign(ip.kekka.size(), 0);

    v.SavePosition4();
    const bool fukugou = m_S.SekisanYousiki == 1;
    auto& roumuNo = v.m_RoumuNo;
    int secondSyoukei = 0;   // the row that made the 小計 (or 細計) rows two
    int lastSettled = 0;   // the last row, when it was settled and not recalculated
    FixedPoints& fixed = Memo();
    // Kept to a few times the rows of the estimate (rows since changed leave theirs behind).
    if (fixed.alike.size() > 2 * static_cast<std::size_t>(d.PoolGyouCount()) + 1000)
        fixed.alike.clear();
    for (int r = 1; r <= d.m_GyouCount; ++r) {
        SettledGyou& memo = settled[static_cast<std::size_t>(r)];
        std::optional<std::uint64_t> body;   // the hash of the row's bytes after its numbers
        if (g_SkipRecordOn && !memo.settled && !m_S.isComputed(ip.bunNo[static_cast<std::size_t>(r)]))
            if (const std::string_view now = WorkGyou(r); now.size() == static_cast<std::size_t>(G::Length)) {
                body = std::hash<std::string_view>()(G::afterNumbers(now));
                if (const auto like = fixed.alike.find(*body); like != fixed.alike.end())
                    if (const SettledGyou* same = SettledAlike(fixed, like->second, G::afterNumbers(now))) {
                        memo = *same;
                        ip.needs[static_cast<std::size_t>(r)] = memo.needs;
                    }
            }
        // A settled row is what it was: what is read from it here was read when it settled.
        const bool skip = memo.settled;
        const bool plain = skip || !m_S.isComputed(G::toInt(WorkGyou(r), G::BunNo));
        if (!skip) {
            d.m_CurGyou[0] = r;
            v.LoadGyou();
        }
        const std::string_view row = skip ? WorkGyou(r) : std::string_view(v.m_EditGyou);
        const int bunNo = skip ? memo.bunNo : G::toInt(row, G::BunNo);
        v.m_BunNo = bunNo;
        if (IsCode(EnzanCode::Sleeve, bunNo))
            ++v.m_KeisanCount[kSleeve];
        if (!fukugou) {
            if (IsCode(EnzanCode::Syoukei, bunNo) && ++v.m_SyoukeiCount == 2)
                secondSyoukei = r;
            if (IsCode(EnzanCode::Saikei, bunNo) && ++v.m_SaikeiCount == 2 && secondSyoukei == 0)
                secondSyoukei = r;
            if (IsCode(EnzanCode::Tyuukei, bunNo) || IsCode(EnzanCode::HyousiKei, bunNo))
                ++v.m_TyuukeiHyousiCount;
            static const std::pair<EnzanCode, int> kCounted[] = {
                {EnzanCode::Tugite, kTugite},     {EnzanCode::Setugouzai, kSetugou}, {EnzanCode::Sijizai, kSiji},
                {EnzanCode::Fuzokuhin1, kFuzoku1}, {EnzanCode::Fuzokuhin2, kFuzoku2}, {EnzanCode::Zatuzai, kZatuzai},
                {EnzanCode::Roumuhi1, kRoumu1},   {EnzanCode::Roumuhi2, kRoumu2},    {EnzanCode::Roumuhi3, kRoumu3},
                {EnzanCode::Roumuhi4, kRoumu4},
            };
            for (const auto& [code, kind] : kCounted)
                if (IsCode(code, bunNo))
                    ++v.m_KeisanCount[static_cast<std::size_t>(kind)];
            // The same needs as the style conversion inserts rows for (the row as stored).
            const unsigned needs = ip.needs[static_cast<std::size_t>(r)];
            for (int slot = 0; slot < kiv::recalc::kKeisanSlots; ++slot)
                if (needs >> slot & 1u)
                    v.m_KeisanNeed[static_cast<std::size_t>(kSlotKind[slot])] = 1;
            // A settled row's pricing would set them again at once (see the end of the loop).
            if (!skip)
                for (int j = 0; j < 3; ++j)
                    roumuNo[static_cast<std::size_t>(j)] = G::toInt(row, G::Roumu1No + j);
        }
        lastSettled = 0;
        if (skip) {
            // What its recalculation would give again: its pricing result and its sleeve need.
            ip.kekka[static_cast<std::size_t>(r)] = memo.kekka;
            ip.valid[static_cast<std::size_t>(r)] = memo.valid;
            if (memo.needSleeve)
                v.m_NeedSleeve = 1;
            if (memo.stored)
                d.SetModifiedFlag();
            d.m_NeedRecalc = 1;
            lastSettled = r;
        } else if (plain) {
            const std::string before = d.WorkGyouAt(r);
            const std::size_t storesBefore = d.m_ChangedGyou.size();
            const std::uint64_t said = KivMessageSerial();
            const int overflows = m_Overflows;
            const int sleeve = v.m_NeedSleeve;
            v.m_NeedSleeve = 0;
            RecalcGyou();
            memo.needSleeve = v.m_NeedSleeve != 0;
            v.m_NeedSleeve = sleeve || memo.needSleeve ? 1 : 0;
            // A too-wide amount not named this time would be named by a wider pass.
            memo.settled = g_SkipRecordOn && WorkGyou(r) == before && KivMessageSerial() == said &&
                           m_Overflows == overflows;
            if (memo.settled) {
                memo.stored = d.m_ChangedGyou.size() != storesBefore;
                d.m_ChangedGyou.resize(storesBefore);   // back to the same bytes
                const std::string_view now = WorkGyou(r);
                memo.bunNo = bunNo;
                memo.needs = kiv::recalc::KeisanNeeds(now, m_S);
                for (int t = 0; t < 2; ++t)
                    memo.amounts[static_cast<std::size_t>(t)] =
                        IsTotalCode(bunNo) ? Decimal() : G::toDecimal(now, G::Kingaku1 + t);
                memo.valid = ip.valid[static_cast<std::size_t>(r)];
                memo.kekka = ip.kekka[static_cast<std::size_t>(r)];
                memo.roumuNo = v.m_RoumuNo;
                memo.shareKnown = 0;
                ip.stored[static_cast<std::size_t>(r)] = 0;   // back to the bytes it settled with
                if (body)   // its bytes are those it was hashed from
                    fixed.alike.try_emplace(*body, d.m_CurKoumoku[0], r);
            }
        } else {
            RecalcGyou();
        }
    }
    if (lastSettled > 0) {
        // The row buffer's pricing results are the last row's, as its recalculation leaves them.
        const SettledGyou& last = settled[static_cast<std::size_t>(lastSettled)];
        v.m_RoumuNo = last.roumuNo;
        v.m_FukugouKekka = last.kekka;
        v.m_PricedGyou = std::string(WorkGyou(lastSettled));   // unchanged by its pricing
    }
    // The sleeve need is the row pricing's: set by any row whose lump sums call for sleeves.
    v.m_KeisanNeed[kSleeve] = v.m_NeedSleeve ? 1 : 0;

    if ((v.m_SaikeiCount > 1 || v.m_SyoukeiCount > 1) && v.m_TyuukeiHyousiCount < 1) {
        if (wider)
            KivRowMessage(kMsgSyoukei, RowPlace{d.m_CurKoumoku[0], secondSyoukei});
        else
            KivMessage(kMsgSyoukei);
    }
    bool missing = false;
    if (!fukugou) {
        // Missing: a run of the item has rows needing a kind and no row of it.
        const std::vector<unsigned> needs(ip.needs.begin() + 1, ip.needs.end());
        const std::vector<int> bunNo(ip.bunNo.begin() + 1, ip.bunNo.end());
        missing = kiv::recalc::KeisanGyouMissing(needs, bunNo, m_S);
        if (missing)
            v.m_KeisanMissing = 1;
    }

    v.RestorePosition4();
    v.LoadGyou();
    std::vector<int> changed;
    for (const CKivDoc::ChangedGyou& c : d.m_ChangedGyou)
        if (c.koumoku == d.m_CurKoumoku[0])
            changed.push_back(c.gyou);
    SettledRows();   // the rows the pass stored with other bytes are not settled
    if (asStored && KeptEveryByte(changed)) {
        // The rows are what they were: the estimate is in the state its count named before.
        d.m_EditCount = d.m_StoredEditCount = editsBefore;
        if (KivMessageSerial() == messagesBefore) {
            RememberFixedPoint(reportGyou, !changed.empty(), missing);
            return;
        }
    }
    ForgetFixedPoint();
}

FixedPoints& KivRecalc::Memo() {
    CKivDoc& d = m_Doc;
    auto* memo = dynamic_cast<FixedPoints*>(d.m_RecalcMemo.get());
    if (!memo || !(memo->settei == m_S) || !(memo->roumu == d.m_Roumu) || memo->rewrites != d.m_RewriteCount) {
        auto fresh = std::make_unique<FixedPoints>();
        fresh->settei = m_S;
        fresh->roumu = d.m_Roumu;
        fresh->rewrites = d.m_RewriteCount;
        memo = fresh.get();
        d.m_RecalcMemo = std::move(fresh);
        d.m_ChangedGyou.clear();
    }
    return *memo;
}

std::vector<SettledGyou>& KivRecalc::SettledRows() {
    CKivDoc& d = m_Doc;
    FixedPoints& memo = Memo();
    for (const CKivDoc::ChangedGyou& c : d.m_ChangedGyou)
        if (c.koumoku >= 1 && c.koumoku < static_cast<int>(memo.gyou.size()) && c.gyou >= 1 &&
            c.gyou < static_cast<int>(memo.gyou[static_cast<std::size_t>(c.koumoku)].size()))
            memo.gyou[static_cast<std::size_t>(c.koumoku)][static_cast<std::size_t>(c.gyou)].settled = false;
    d.m_ChangedGyou.clear();
    const int item = std::clamp(d.m_CurKoumoku[0], 0, CKivDoc::kKoumokuMax);
    if (static_cast<int>(memo.gyou.size()) <= item)
        memo.gyou.resize(static_cast<std::size_t>(item) + 1);
    std::vector<SettledGyou>& rows = memo.gyou[static_cast<std::size_t>(item)];
    rows.resize(static_cast<std::size_t>(std::max(d.m_GyouCount, 0)) + 1);
    if (!g_SkipRecordOn)
        for (SettledGyou& row : rows)
            row.settled = false;
    return rows;
}

const SettledGyou* KivRecalc::SettledAlike(const FixedPoints& fixed, std::pair<int, int> where,
                                             std::string_view body) const {
    const auto [item, gyou] = where;
    if (item < 1 || item >= static_cast<int>(fixed.gyou.size()) || gyou < 1)
        return nullptr;
    const std::vector<SettledGyou>& rows = fixed.gyou[static_cast<std::size_t>(item)];
    if (gyou >= static_cast<int>(rows.size()) || !rows[static_cast<std::size_t>(gyou)].settled)
        return nullptr;
    // The row as it is now: in the work area for the current item, else in the pool.
    std::string_view row;
    if (item == m_Doc.m_CurKoumoku[0]) {
        row = WorkGyou(gyou);
    } else {
        const std::span<const int> slots = m_Doc.KoumokuSlots(item);
        if (gyou > static_cast<int>(slots.size()))
            return nullptr;
        row = m_Doc.PoolGyou(slots[static_cast<std::size_t>(gyou - 1)]);
    }
    if (row.size() != static_cast<std::size_t>(G::Length) || G::afterNumbers(row) != body)
        return nullptr;
    return &rows[static_cast<std::size_t>(gyou)];
}

bool KivRecalc::KeptEveryByte(const std::vector<int>& changed) const {
    if (changed.empty())
        return true;
    // The item's pool slots in order are its rows 1, 2, ...
    std::vector<int> slots;
    slots.reserve(static_cast<std::size_t>(std::max(m_Doc.m_GyouCount, 0)));
    m_Doc.ForEachKoumokuSlot(m_Doc.m_CurKoumoku[0], [&](int j) { slots.push_back(j); });
    if (static_cast<int>(slots.size()) != m_Doc.m_GyouCount)
        return false;
    for (int r : changed) {
        if (r < 1 || r > m_Doc.m_GyouCount)
            return false;
        if (m_Doc.WorkGyouAt(r) != m_Doc.PoolGyou(slots[static_cast<std::size_t>(r - 1)]))
            return false;
    }
    return true;
}

bool KivRecalc::SkipAtFixedPoint(int reportGyou) {
    CKivView& v = m_View;
    CKivDoc& d = m_Doc;
    const auto* memo = dynamic_cast<const FixedPoints*>(d.m_RecalcMemo.get());
    const int item = d.m_CurKoumoku[0];
    if (!g_SkipRecordOn || !memo || memo->rewrites != d.m_RewriteCount || item < 1 ||
        item >= static_cast<int>(memo->items.size()) || !memo->items[static_cast<std::size_t>(item)])
        return false;
    const FixedPoint& fp = *memo->items[static_cast<std::size_t>(item)];
    // A recalculation that named only one row's too-wide amount may have passed over others'.
    if (fp.edits != d.m_EditCount || fp.gyouCount != d.m_GyouCount || fp.poolCount != d.PoolGyouCount() ||
        fp.koumokuCount != d.m_KoumokuCount || (fp.reportGyou >= 0 && fp.reportGyou != reportGyou) ||
        !(memo->settei == m_S) || !(memo->roumu == d.m_Roumu))
        return false;
    v.m_KeisanNeed = fp.need;
    v.m_KeisanCount = fp.count;
    v.m_SaikeiCount = fp.saikei;
    v.m_SyoukeiCount = fp.syoukei;
    v.m_TyuukeiHyousiCount = fp.tyuukeiHyousi;
    v.m_NeedSleeve = fp.needSleeve;
    if (fp.missing)
        v.m_KeisanMissing = 1;
    if (item == 1)
        d.m_HyousiData[17] = fp.coverTotal;
    if (d.m_GyouCount >= 1) {
        v.m_RoumuNo = fp.roumuNo;
        v.m_BunNo = fp.bunNo;
        v.m_FukugouKekka = fp.kekka;
        v.m_PricedGyou = fp.pricedGyou;
        d.m_NeedRecalc = 1;
    }
    // The recalculation stored rows on its way back to the same bytes, which marks the estimate.
    if (fp.stored)
        d.SetModifiedFlag();
    v.LoadGyou();
    return true;
}

void KivRecalc::ForgetFixedPoint() {
    auto* memo = dynamic_cast<FixedPoints*>(m_Doc.m_RecalcMemo.get());
    const int item = m_Doc.m_CurKoumoku[0];
    if (memo && item >= 1 && item < static_cast<int>(memo->items.size()))
        memo->items[static_cast<std::size_t>(item)].reset();
}

void KivRecalc::RememberFixedPoint(int reportGyou, bool stored, bool missing) {
    CKivView& v = m_View;
    CKivDoc& d = m_Doc;
    const int item = d.m_CurKoumoku[0];
    if (!g_SkipRecordOn) {
        ForgetFixedPoint();
        return;
    }
    if (item < 1 || item > CKivDoc::kKoumokuMax)
        return;
    FixedPoints* memo = &Memo();
    if (static_cast<int>(memo->items.size()) <= item)
        memo->items.resize(static_cast<std::size_t>(item) + 1);
    FixedPoint fp;
    fp.edits = d.m_EditCount;
    fp.gyouCount = d.m_GyouCount;
    fp.poolCount = d.PoolGyouCount();
    fp.koumokuCount = d.m_KoumokuCount;
    fp.reportGyou = reportGyou;
    fp.stored = stored;
    fp.need = v.m_KeisanNeed;
    fp.count = v.m_KeisanCount;
    fp.saikei = v.m_SaikeiCount;
    fp.syoukei = v.m_SyoukeiCount;
    fp.tyuukeiHyousi = v.m_TyuukeiHyousiCount;
    fp.needSleeve = v.m_NeedSleeve;
    fp.missing = missing;
    fp.roumuNo = v.m_RoumuNo;
    fp.bunNo = v.m_BunNo;
    fp.kekka = v.m_FukugouKekka;
    fp.pricedGyou = v.m_PricedGyou;
    if (item == 1)
        fp.coverTotal = d.m_HyousiData[17];
    memo->items[static_cast<std::size_t>(item)] = std::move(fp);
}

void KivRecalc::RecalcAllKoumoku(int times) {
    CKivView& v = m_View;
    CKivDoc& d = m_Doc;
    KivMessagePass pass;
    EstimatePass estimate;
    estimate.view = &v;
    struct Enter {
        EstimatePass* outer;
        explicit Enter(EstimatePass* ep) : outer(s_EstimatePass) { s_EstimatePass = ep; }
        ~Enter() { s_EstimatePass = outer; }
    } enter(&estimate);
    const Position saved{d.m_CurKoumoku[0], d.m_CurGyou[0], d.m_TopGyou[0], d.m_ScreenGyou[0], v.m_CurField[0],
                         v.m_VisibleGyou};
    // The row being edited and its item go to the pool first: walking the items reloads the
    // work area. A cursor below the item's last row holds no row to store.
    if (d.m_CurGyou[0] >= 1 && d.m_CurGyou[0] <= d.m_GyouCount)
        v.StoreGyou();
    v.StoreKoumoku();
    for (int k = d.m_KoumokuCount; k >= 1; --k) {
        d.m_CurKoumoku[0] = k;
        v.LoadKoumoku();
        for (int t = 0; t < times; ++t) {
            v.RecalcKoumoku();
            v.StoreKoumoku();
        }
    }
    d.m_CurKoumoku[0] = saved.koumoku;
    v.LoadKoumoku();
    d.m_CurGyou[0] = saved.gyou;
    d.m_TopGyou[0] = saved.top;
    d.m_ScreenGyou[0] = saved.screen;
    v.m_CurField[0] = saved.field;
    v.m_VisibleGyou = saved.visible;
    v.LoadGyou();
}

// ---------------------------------------------------------------------------------------------
// Missing computed rows

void KivRecalc::CheckKeisanGyou() {
    CKivView& v = m_View;
    // One box each when the user leaves an item; inside a pass (opening a file) they join it.
    if (v.m_NeedSleeve && v.m_KeisanCount[kSleeve] == 0)
        KivPassNote(kMsgSleeve);
    if (m_S.SekisanYousiki == 1)
        return;
    for (int kind : kMissingOrder) {
        const auto k = static_cast<std::size_t>(kind);
        if (kind != kSleeve && v.m_KeisanNeed[k] == 1 && v.m_KeisanCount[k] == 0)
            KivPassNote(KeisanWarning(kind));
    }
    v.m_KeisanNeed.fill(0);
    v.m_KeisanCount.fill(0);
    v.m_NeedSleeve = 0;
}

void KivRecalc::CheckKeisanMode() {
    CKivView& v = m_View;
    CKivDoc& d = m_Doc;
    // One pass from the first recalculation to the summary warning: whatever the passes over
    // the items and the conversion have to say comes in one box at the end; only the question
    // stands on its own.
    KivMessagePass pass;
    v.SavePosition1();
    v.m_KeisanMissing = 0;
    RecalcAllKoumoku(1);
    if (m_S.SekisanYousiki == 0 && v.m_KeisanMissing == 1 && KivAsk(kAskKeisanMode)) {
        // The rows are stored by the pass above; the conversion rebuilds the pool in one go.
        if (kiv::recalc::ConvertKeisanGyou(v, true)) {
            RecalcAllKoumoku(2);
            v.m_KeisanMissing = 0;
            v.m_KeisanNeed.fill(0);
            v.m_KeisanCount.fill(0);
        }
    }
    v.RestorePosition1();
    v.LoadKoumoku();
    v.RestorePosition1();
    if (d.m_CurGyou[0] > d.m_GyouCount + 1)
        v.ClampCursorToKoumoku();
    v.LoadGyou();
    // Every item was just recalculated: the item list that follows a load needs no second pass
    // (which would repeat the messages of this one).
    d.m_NeedRecalc = 0;
    ClearKeisanGyouFlags();
}

void KivRecalc::ClearKeisanGyouFlags() {
    CKivView& v = m_View;
    if (m_S.SekisanYousiki == 1)
        return;
    if (v.m_KeisanMissing == 1)
        KivPassNote(kMsgMissingSummary);
    v.m_KeisanMissing = 0;
    v.m_KeisanNeed.fill(0);
    v.m_KeisanCount.fill(0);
    v.m_NeedSleeve = 0;
}
