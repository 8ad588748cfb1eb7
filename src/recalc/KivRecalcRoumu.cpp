// The labour rows of the labour-posting style: per trade, the labour of the rows above in the
// section (take-off quantity times productivity rate and the chipping and "other" rates) as the
// row's quantity, times the row's own unit price as its amount.
#include <algorithm>

#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "grid/KivView.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"
#include "recalc/KeisanGyou.h"
#include "recalc/KeisanText.h"
#include "recalc/KivRecalc.h"
#include "recalc/KivRecalcState.h"

using namespace kiv::recalc;
using kiv::text::cformat;
using kiv::text::Decimal;
using G = GyouRecord;

void KivRecalc::CalcRoumuhi1() {
    CalcRoumuhi(18, "配管工", "複合労務単価の登録番号18と配管工が一致していません。訂正してください。", true);
}
void KivRecalc::CalcRoumuhi2() {
    CalcRoumuhi(32, "機械工", "複合労務単価の登録番号32と機械工が一致していません。訂正してください。", true);
}
void KivRecalc::CalcRoumuhi3() {
    CalcRoumuhi(8, "電工", "複合労務単価の登録番号8と電工が一致していません。訂正してください。", true);
}
void KivRecalc::CalcRoumuhi4() {
    CalcRoumuhi(2, "普通作業員", "複合労務単価の登録番号2と普通作業員が一致していません。訂正してください。", false);
}

void KivRecalc::CalcRoumuhi(int roumuNo, const char* trade, const char* mismatch, bool restartAtKoumokunai) {
    const int r = CurrentGyou();
    const int code = m_View.m_KeisanCode;
    const auto& f = m_View.m_KeisanField;   // productivity rate, その他１, その他２, はつり
    auto& lineNo = m_View.m_RoumuNo;
    const bool tradeOk = kiv::recalc::RoumuTradeMatches(m_Doc.m_Roumu, roumuNo, trade);
    auto restarts = [&](int c) {
        return c != code && (IsCode(EnzanCode::HyousiKei, c) || IsCode(EnzanCode::Tyuukei, c) ||
                             IsCode(EnzanCode::Syoukei, c) || IsCode(EnzanCode::Saikei, c) ||
                             (restartAtKoumokunai && IsCode(EnzanCode::KoumokunaiKei, c)));
    };
    // The sums restart at every restart row, so the scan may begin at the last one; a labour list
    // whose trade does not match stops the scan at the first row carrying the number, wherever it
    // is, so then the scan begins at row 1.
    const int from = tradeOk ? std::max(LastGyouBefore(r, restarts), 1) : 1;
    // A row's labour: its take-off quantities times the rates, once for each of its labour
    // lines that names the trade.
    auto labour = [&](std::string_view row) {
        Pair p{};
        for (int j = 0; j < 3; ++j) {
            if (G::toInt(row, G::Roumu1No + j) != roumuNo)
                continue;
            const Decimal factor = G::toDecimal(row, f[0]) * (Decimal(1) + G::toDecimal(row, f[3])) *
                                   (Decimal(1) + G::toDecimal(row, f[1])) * (Decimal(1) + G::toDecimal(row, f[2]));
            for (int t = 0; t < 2; ++t)
                p[t] += G::toDecimal(row, G::HiroidasiSuu1 + t) * factor;
        }
        return p;
    };
    const ShareKind kind = roumuNo == 18 ? kShareRoumu1 : roumuNo == 32 ? kShareRoumu2 : roumuNo == 8 ? kShareRoumu3 : kShareRoumu4;
    std::array<Decimal, 2> sum{};
    int lastRead = 0;   // the last row whose labour line numbers were read
    for (int k = from; k <= r; ++k) {
        const int c = BunNoOf(k);
        if (restarts(c))
            sum = {};
        const std::string_view row = WorkGyou(k);
        if (G::toInt(row, G::FukuHyouji) == 1)
            continue;
        if (!tradeOk) {
            bool stop = false;
            for (int j = 0; j < 3 && !stop; ++j) {
                lineNo[static_cast<std::size_t>(j)] = G::toInt(row, G::Roumu1No + j);
                if (lineNo[static_cast<std::size_t>(j)] == roumuNo) {
                    RowMessage(mismatch);
                    stop = true;
                }
            }
            if (stop)
                break;
            continue;
        }
        lastRead = k;
        if (c == code)
            continue;
        const Pair share = ShareOf(k, kind, [&] { return labour(row); });
        for (int t = 0; t < 2; ++t)
            sum[t] += share[t];
    }
    // The row buffer's labour line numbers are left as the scan read them last.
    if (lastRead > 0)
        for (int j = 0; j < 3; ++j)
            lineNo[static_cast<std::size_t>(j)] = G::toInt(WorkGyou(lastRead), G::Roumu1No + j);

    BackToComputedRow();
    std::string& out = m_View.m_EditGyou;
    const bool mode3 = m_S.FukugouMarume == 3;
    static const Decimal kMaxSum = Decimal::fromScaled(9999999, 2);
    for (int t = 0; t < 2; ++t) {
        const int suuField = G::HiroidasiSuu1 + t;
        const int sekisanField = G::SekisanSuu1 + t;
        const int kingakuField = G::Kingaku1 + t;
        Decimal s = sum[t];
        if (s.isZero()) {
            // No labour in the section: no quantity, and no amount left from an earlier one.
            G::blank(out, suuField);
            G::blank(out, sekisanField);
            G::blank(out, kingakuField);
            continue;
        }
        const std::string full = cformat(mode3 ? "%8.2f" : "%9.3f", s);
        if (s > kMaxSum || full.size() > (mode3 ? 8u : 9u)) {
            RowMessage(t == 0 ? "歩掛1の合計が5桁を越ています。数量をクリアします、分割して訂正してください。"
                              : "歩掛2の合計が5桁を越ています。数量をクリアします、分割して訂正してください。");
            G::blank(out, suuField);
        } else {
            const std::string text = mode3 ? full : kiv::text::leftChars(full, 8);
            G::putNumber(out, suuField, text);
            G::putNumber(out, sekisanField, text);
            s = G::toDecimal(out, suuField);
        }
        const Decimal amount = s * G::toDecimal(out, G::Tanka1 + t);
        if (amount.isZero())
            continue;
        if (!AmountFits(amount)) {
            RowMessage(kMsgKeisanOverflow);
            G::blank(out, kingakuField);
        } else {
            G::putNumber(out, kingakuField, mode3 ? cformat("%12.f", amount) : AmountText(amount));
        }
    }
    if (m_S.SekisanYousiki == 1)
        m_View.ClearSuuAmount2();
    FinishComputedRow();
}
