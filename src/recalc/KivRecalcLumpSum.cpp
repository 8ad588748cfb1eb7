// The lump-sum rows computed from the rows above them: 継手, 接合材, 支持材 and 付属品 (a rate on
// the take-off quantity times the unit price), 雑材 with its rounding up, 運搬費 and スリーブ.
#include <algorithm>

#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "grid/KivView.h"
#include "platform/text/Number.h"
#include "recalc/KeisanText.h"
#include "recalc/KivRecalc.h"
#include "recalc/KivRecalcState.h"

using namespace kiv::recalc;
using kiv::text::Decimal;
using G = GyouRecord;

namespace {

// A row's share in a lump sum taken as a rate: its take-off quantity times its unit price times
// its rate, rounded in each track (none without a rate).
Pair RateShare(std::string_view row, int rateField, int marume) {
    Pair share{};
    const Decimal rate = dec(row, rateField);
    if (!rate.isZero())
        for (int t = 0; t < 2; ++t)
            share[t] = ShareRounded(dec(row, G::HiroidasiSuu1 + t) * dec(row, G::Tanka1 + t) * rate, marume);
    return share;
}

} // namespace

int KivRecalc::RunStart(int r, int code) const {
    return std::max(LastGyouBefore(r, [&](int c) { return c != code && IsTotalCode(c); }), 1);
}

Pair KivRecalc::PutLumpSum(Pair sum, bool kakeritu, bool modeText) {
    BackToComputedRow();
    PutOneUnit();
    const Decimal rate = kakeritu ? dec(m_View.m_EditGyou, G::Kakeritu) : Decimal();
    for (int t = 0; t < 2; ++t) {
        if (!rate.isZero())
            sum[t] *= rate;
        PutAmount(G::Kingaku1 + t, sum[t], modeText, kMsgKeisanOverflow);
    }
    if (m_S.SekisanYousiki == 1)
        ClearLumpSumRow();
    FinishComputedRow();
    return sum;
}

void KivRecalc::CalcTugite() { CalcWariai(false); }
void KivRecalc::CalcSetugouzai() { CalcWariai(true); }
void KivRecalc::CalcSijizai() { CalcWariai(true); }

// A 継手, 接合材 or 支持材 row covers the rows above it back to the nearer of the previous total
// row and the previous row of its own kind: each share reaches one such row, and through it the
// totals, once.
void KivRecalc::CalcWariai(bool modeText) {
    const int r = CurrentGyou();
    const int code = m_View.m_KeisanCode;
    const int rateField = m_View.m_KeisanField[0];
    const int from = LastGyouBefore(r, [&](int c) { return c == code || IsTotalCode(c); }) + 1;
    const ShareKind kind = rateField == G::TugiteRitu    ? kShareTugite
                           : rateField == G::SetugouRitu ? kShareSetugou
                                                         : kShareSiji;
    Pair sum{};
    for (int k = from; k < r; ++k) {
        const Pair share = ShareOf(k, kind, [&] { return RateShare(WorkGyou(k), rateField, m_S.FukugouMarume); });
        for (int t = 0; t < 2; ++t)
            sum[t] += share[t];
    }

    PutLumpSum(sum, true, modeText);
}

// 付属品 covers the rows of its 被計算 category between the previous total row and itself.
void KivRecalc::CalcFuzokuhin() {
    const int r = CurrentGyou();
    const int code = m_View.m_KeisanCode;
    const int base = m_View.m_HiKeisanCode;
    const int rateField = m_View.m_KeisanField[0];
    Pair sum{};
    // The sums restart at every total row: the scan starts at the last one.
    const int from = RunStart(r, code);
    for (int k = from; k <= r; ++k) {
        const int c = BunNoOf(k);
        if (c == code)
            continue;
        if (IsTotalCode(c)) {
            sum = {};
        } else if (base != 0 && c == base) {
            const Pair share =
                ShareOf(k, kShareFuzoku, [&] { return RateShare(WorkGyou(k), rateField, m_S.FukugouMarume); });
            for (int t = 0; t < 2; ++t)
                sum[t] += share[t];
        }
    }

    PutLumpSum(sum, true, true);
}

void KivRecalc::CalcZatuzai() {
    const int r = CurrentGyou();
    const int code = m_View.m_KeisanCode;
    const int zField = m_View.m_KeisanField[0];
    const int fField = m_View.m_KeisanField[1];
    Pair sum{};
    {
        // Pricing the rows above may have messages of its own: they are gathered, not shown
        // one dialog per row.
        KivMessagePass scan;
        const int from = RunStart(r, code);
        for (int k = from; k <= r; ++k) {
            const int c = BunNoOf(k);
            if (c == code)
                continue;
            if (IsTotalCode(c))
                sum = {};
            const Pair share = ShareOf(k, kShareZatuzai, [&] {
                Pair p{};
                const Decimal z = dec(WorkGyou(k), zField);
                if (z.isZero())
                    return p;
                Pair material{};
                const bool zaiGoukei = G::toInt(WorkGyou(k), G::ZaiGoukei) == 1;
                if (zaiGoukei) {
                    const FukugouKekka& kekka = KekkaOf(k);
                    material = kekka.ZairyouKei;
                }
                const std::string_view row = WorkGyou(k);
                const Decimal f = dec(row, fField);
                for (int t = 0; t < 2; ++t) {
                    const Decimal hiro = dec(row, G::HiroidasiSuu1 + t);
                    const Decimal tanka = dec(row, G::Tanka1 + t);
                    if (!zaiGoukei)
                        material[t] = tanka * dec(row, G::Hokyuu);
                    p[t] = ShareRounded((material[t] * hiro + tanka * hiro * f) * z, m_S.FukugouMarume);
                }
                return p;
            });
            for (int t = 0; t < 2; ++t)
                sum[t] += share[t];
        }
    }

    m_View.m_ZatuzaiSum = PutLumpSum(sum, true, true);
}

// Raises the 雑材 amount so that the item's total of all rows but the total rows ends on a
// multiple of 10, 100 or 1000. The amount raised is the one written, so the total lands exactly
// on the multiple whatever the text form rounded.
void KivRecalc::RoundUpZatuzai() {
    const int keta = m_S.KetaMarume;
    if (keta < 1 || keta > 3)
        return;
    Pair total{};
    const int r = CurrentGyou();
    ItemPass* ip = s_ItemPass;
    if (ip && ip->view == &m_View && ip->koumoku == m_Doc.m_CurKoumoku[0] && r >= 1 &&
        r < static_cast<int>(ip->kekka.size())) {
        // The item pass keeps the total; this row's own amounts are the ones just written.
        for (int t = 0; t < 2; ++t)
            total[t] = ip->total[t] - ip->before[t] + dec(WorkGyou(r), G::Kingaku1 + t);
    } else {
        for (int k = 1; k <= m_Doc.m_GyouCount; ++k) {
            const std::string_view row = WorkGyou(k);
            if (IsTotalCode(G::toInt(row, G::BunNo)))
                continue;
            for (int t = 0; t < 2; ++t)
                total[t] += dec(row, G::Kingaku1 + t);
        }
    }

    BackToComputedRow();
    std::string& row = m_View.m_EditGyou;
    const long long unit = PowerOfTen(keta);
    for (int t = 0; t < 2; ++t) {
        const int field = G::Kingaku1 + t;
        if (m_View.m_ZatuzaiSum[t].isZero() || G::isBlank(row, field))
            continue;
        const long long whole = TenthsRoundedInteger(total[t]).toLong();
        const long long d = ((whole % unit) + unit) % unit;
        if (d == 0)
            continue;
        PutAmount(field, dec(row, field) + Decimal(unit - d), true, kMsgKeisanOverflow);
    }
    if (m_S.SekisanYousiki == 1)
        ClearLumpSumRow();
    FinishComputedRow();
}

void KivRecalc::CalcUnpanhi() {
    const int r = CurrentGyou();
    const int code = m_View.m_KeisanCode;
    const auto& f = m_View.m_KeisanField;
    Pair sum{};
    const int from = RunStart(r, code);
    for (int k = from; k <= r; ++k) {
        const int c = BunNoOf(k);
        if (c == code)
            continue;
        if (IsTotalCode(c))
            sum = {};
        const Pair share = ShareOf(k, kShareUnpan, [&] {
            Pair p{};
            const std::string_view row = WorkGyou(k);
            const Decimal u = dec(row, f[0]);
            if (u.isZero())
                return p;
            const Decimal j = dec(row, f[1]) + dec(row, f[2]) + dec(row, f[3]);
            const Decimal z = dec(row, f[4]);
            for (int t = 0; t < 2; ++t) {
                const Decimal tanka = dec(row, G::Tanka1 + t);
                const Decimal e = tanka * dec(row, G::SekisanSuu1 + t) + tanka * dec(row, G::HiroidasiSuu1 + t) * j;
                p[t] = ShareRounded((e + e * z) * u, m_S.FukugouMarume);
            }
            return p;
        });
        for (int t = 0; t < 2; ++t)
            sum[t] += share[t];
    }

    PutLumpSum(sum, false, true);
}

// スリーブ: a rate on the cost of the rows above it that carry joints, jointing material, supports
// or chipping; in the labour-posting style their labour is priced at the 労務費1(配管工) row's
// unit price. Its amounts stay in both styles.
void KivRecalc::CalcSleeve() {
    const int r = CurrentGyou();
    const int code = m_View.m_KeisanCode;
    const int roumuCode = m_View.m_SleeveRoumuCode;
    const int marume = m_S.FukugouMarume;
    Pair price{};
    if (roumuCode != 0)
        for (int k = 1; k <= m_Doc.m_GyouCount; ++k) {
            if (BunNoOf(k) == roumuCode)
                price = {dec(WorkGyou(k), G::Tanka1), dec(WorkGyou(k), G::Tanka2)};
        }

    Pair sum{};
    {
        KivMessagePass scan;
        for (int k = 1; k < r; ++k) {
            const int c = BunNoOf(k);
            if (c == code || IsTotalCode(c) || IsCode(EnzanCode::Syouhizei, c))
                continue;
            const FukugouKekka& kekka = KekkaOf(k);
            if (kekka.Tugite[0].isZero() && kekka.Setugou[0].isZero() && kekka.Siji[0].isZero() &&
                kekka.Haturi[0].isZero())
                continue;
            const std::string_view row = WorkGyou(k);
            for (int t = 0; t < 2; ++t) {
                const Decimal hiro = dec(row, G::HiroidasiSuu1 + t);
                if (m_S.SekisanYousiki == 1) {
                    sum[t] += kekka.Tanka[t] * hiro;
                    continue;
                }
                const Decimal labour = dec(row, G::Bukake1) * price[t];
                const Decimal haturi = FukugouRound(dec(row, G::HaturiRitu) * labour, marume);
                const Decimal sonota = FukugouRound(dec(row, G::Sonota1Ritu) * (labour + haturi), marume);
                const Decimal unit = FukugouRound(kekka.ZairyouKei[t] + kekka.Tugite[t] + kekka.Setugou[t] +
                                                            kekka.Siji[t] + labour + sonota + haturi,
                                                        marume);
                sum[t] += unit * hiro;
            }
        }
    }

    BackToComputedRow();
    PutOneUnit();
    const Decimal kakeritu = dec(m_View.m_EditGyou, G::Kakeritu);
    for (int t = 0; t < 2; ++t) {
        if (!sum[t].isZero() && kakeritu.isZero() && t == 0)
            RowMessage(kMsgKeihiRitu);
        PutAmount(G::Kingaku1 + t, kakeritu * sum[t], true, kMsgKeisanOverflow);
    }
    FinishComputedRow();
}
