// The total rows (項目内計, 細計, 小計, 中計, 表紙計), the expense rows (経費1, 経費2 with their
// rounding, 経費3 priced by hand) and the consumption-tax rows.
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

void addAmounts(Pair& sum, const Pair& amounts) {
    sum[0] += amounts[0];
    sum[1] += amounts[1];
}

} // namespace

void KivRecalc::CalcKoumokunaiKei() { CalcTotal(); }
void KivRecalc::CalcSaikei() { CalcTotal(); }
void KivRecalc::CalcSyoukei() { CalcTotal(); }
void KivRecalc::CalcTyuukei() { CalcTotal(); }

// The rows above back to the previous row of the same kind; total rows never count.
void KivRecalc::CalcTotal() {
    const int r = CurrentGyou();
    const int code = m_View.m_KeisanCode;
    Pair sum{};
    // The sums restart at every row of the own kind: the scan starts after the last one.
    for (int k = LastGyouBefore(r, [&](int c) { return c == code; }) + 1; k < r; ++k) {
        const int c = BunNoOf(k);
        if (c == code)
            sum = {};
        else if (!IsTotalCode(c))
            addAmounts(sum, AmountsOf(k));
    }
    BackToComputedRow();
    for (int t = 0; t < 2; ++t)
        PutAmount(G::Kingaku1 + t, sum[t], false, kMsgKeisanOverflow);
    FinishComputedRow();
}

// The whole item, rows below included; item 1's amount 1 is the estimate's cover total.
void KivRecalc::CalcHyousiKei() {
    Pair sum{};
    for (int k = 1; k <= m_Doc.m_GyouCount; ++k) {
        if (!IsTotalCode(BunNoOf(k)))
            addAmounts(sum, AmountsOf(k));
    }
    BackToComputedRow();
    for (int t = 0; t < 2; ++t)
        PutAmount(G::Kingaku1 + t, sum[t], false, kMsgKeisanOverflow);
    if (m_Doc.m_CurKoumoku[0] == 1 && !sum[0].isZero() && AmountFits(sum[0]))
        m_Doc.m_HyousiData[17] = AmountText(sum[0]);
    FinishComputedRow();
}

// 経費1, 経費2: a rate on every row above but the total and tax rows.
void KivRecalc::CalcKeihi() {
    const int r = CurrentGyou();
    Pair sum{};
    for (int k = 1; k < r; ++k) {
        const int c = BunNoOf(k);
        if (!IsTotalCode(c) && !IsCode(EnzanCode::Syouhizei, c))
            addAmounts(sum, AmountsOf(k));
    }
    BackToComputedRow();
    PutOneUnit();
    const Decimal kakeritu = dec(m_View.m_EditGyou, G::Kakeritu);
    for (int t = 0; t < 2; ++t) {
        m_View.m_KeihiValue[t] = 0;
        if (sum[t].isZero()) {
            G::blank(m_View.m_EditGyou, G::Kingaku1 + t);
            continue;
        }
        if (t == 0 && kakeritu.isZero())
            RowMessage(kMsgKeihiRitu);
        m_View.m_KeihiValue[t] = kakeritu * sum[t];
        PutAmount(G::Kingaku1 + t, m_View.m_KeihiValue[t], false, kMsgKeisanOverflow);
    }
    FinishComputedRow();
}

// A half-up rounding of the expense amount to tens, hundreds or thousands, decided on the value
// rounded to tenths; a negative amount is rounded as its size, keeping its sign.
void KivRecalc::RoundKeihi() {
    const int keta = m_S.KetaMarume;
    if (keta < 1 || keta > 3)
        return;
    m_View.LoadGyou();
    const long long unit = PowerOfTen(keta);
    for (int t = 0; t < 2; ++t) {
        const Decimal value = m_View.m_KeihiValue[t];
        if (value.isZero())
            continue;
        const Decimal size = value.isNegative() ? -value : value;
        const int d = LastDigits(size, keta);
        if (d == 0)
            continue;
        const Decimal rounded = d < unit / 2 ? size - Decimal(d) : size + Decimal(unit - d);
        PutAmount(G::Kingaku1 + t, value.isNegative() ? -rounded : rounded, false, kMsgKeisanOverflow);
    }
    FinishComputedRow();
}

// 経費3: the amount is the row's own take-off quantity times its unit price, or the unit price
// alone without a quantity.
void KivRecalc::CalcKeihiTenyuuryoku() {
    std::string& row = m_View.m_EditGyou;
    Pair value{};
    for (int t = 0; t < 2; ++t) {
        const Decimal hiro = dec(row, G::HiroidasiSuu1 + t);
        const Decimal tanka = dec(row, G::Tanka1 + t);
        value[t] = hiro.isZero() ? tanka : hiro * tanka;
    }
    G::blank(row, G::FukugouTanka1);
    G::blank(row, G::FukugouTanka2);
    for (int t = 0; t < 2; ++t)
        PutAmount(G::Kingaku1 + t, value[t], false, kMsgKeisanOverflow);
    m_View.StoreGyou();
    m_View.m_CurField[0] = G::Kingaku2;
}

// 消費税: a rate on the rows above back to the previous tax row; total rows never count.
void KivRecalc::CalcSyouhizei() {
    const int r = CurrentGyou();
    Pair sum{};
    const int from = LastGyouBefore(r, [&](int c) { return IsCode(EnzanCode::Syouhizei, c); }) + 1;
    for (int k = from; k < r; ++k) {
        const int c = BunNoOf(k);
        if (IsCode(EnzanCode::Syouhizei, c))
            sum = {};
        else if (!IsTotalCode(c))
            addAmounts(sum, AmountsOf(k));
    }
    BackToComputedRow();
    const Decimal kakeritu = dec(m_View.m_EditGyou, G::Kakeritu);
    for (int t = 0; t < 2; ++t) {
        if (sum[t].isZero()) {
            G::blank(m_View.m_EditGyou, G::Kingaku1 + t);
            continue;
        }
        if (t == 0 && kakeritu.isZero())
            RowMessage(kMsgSyouhizeiRitu);
        PutAmount(G::Kingaku1 + t, kakeritu * sum[t], false, kMsgKeisanOverflow);
    }
    FinishComputedRow();
}
