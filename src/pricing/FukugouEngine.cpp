#include "pricing/FukugouEngine.h"

#include <array>

#include "platform/text/Number.h"

using kiv::text::cformat;
using kiv::text::Decimal;
using kiv::text::dropRight;
using kiv::text::parseDecimal;

namespace {

constexpr std::size_t kCompositeWidth = 10;

// "%12.1f" less its last two characters: the integer part after rounding to one decimal.
std::string tenthsCut(const Decimal& v) { return dropRight(cformat("%12.1f", v), 2); }

// 10^n for the ladder's places and bounds (n up to 10).
const Decimal& pow10(int n) {
    static const std::array<Decimal, 11> table = [] {
        std::array<Decimal, 11> t{};
        t[0] = 1;
        for (std::size_t i = 1; i < t.size(); ++i)
            t[i] = t[i - 1] * 10;
        return t;
    }();
    return table[static_cast<std::size_t>(n)];
}

// The place the ladder cuts or rounds to for a value of `digits` integer digits, as the
// exponent of ten (a place of 10^k), 0 for none.
int ladderPlace(const Decimal& w, int marume) {
    if (w < pow10(2))
        return 0;
    int digits = 3;
    while (digits < 10 && w >= pow10(digits))
        ++digits;
    // digits: 3 for 100-999, ... 10 for 1,000,000,000 and above
    if (digits >= 10)
        return marume == 1 ? 2 : 0;
    if (digits <= 4)
        return 1;
    if (marume == 1)
        return 2;
    return digits - 3;   // three significant digits kept
}

// The value cut toward zero to a multiple of 10^k: the quotient's integer part times the place.
// While the quotient is exact (no more decimals than a quotient keeps) that is the value's own
// cut, without the long division.
Decimal cutTo(const Decimal& v, int k) {
    if (v.scale() + k <= Decimal::kMaxScale)
        return v.truncated(-k);
    return (v / pow10(k)).truncated(0) * pow10(k);
}

// One track's working values.
struct Track {
    Decimal zaiSum, roumuSum, tugite, setugou, siji, fuzoku, haturi, zatuzai, unpan, zaiKei, roumuKei, sonota1,
        sonota2, zaikou;
};

// Below this size a rounding is had from the value itself: its text would read back as the same
// number. Beyond it the texts' own reading (at most 19 integer digits) decides, so that the
// roundings go by the texts whatever the size.
// Judged on the digits alone (a value of fewer than 17 digits in all is below the size
// whatever its scale), as it is asked for every amount of every row.
bool exactSize(const Decimal& v) {
    constexpr __int128 kExactDigits = 100000000000000000LL;
    return v.mantissa() < kExactDigits && v.mantissa() > -kExactDigits;
}

// The integer part of the value rounded to one decimal, as tenthsCut's text reads back.
Decimal tenthsInteger(const Decimal& v) {
    return exactSize(v) ? v.rounded(1).truncated(0) : parseDecimal(tenthsCut(v));
}

} // namespace

std::string FukugouAmountText(const Decimal& v, int marume) {
    return marume == 3 ? cformat("%13.2f", v) : tenthsCut(v);
}

Decimal FukugouRound(const Decimal& v, int marume) {
    if (!exactSize(v))
        return parseDecimal(FukugouAmountText(v, marume));
    return marume == 3 ? v.rounded(2) : v.rounded(1).truncated(0);
}

Decimal FukugouLadder(const Decimal& w, int marume) {
    if (marume != 1 && marume != 2 && marume != 3)
        return w;
    if (marume == 3) {
        if (w < Decimal(100))
            return exactSize(w) ? w.rounded(0) : parseDecimal(cformat("%10.f", w));
        const int k = ladderPlace(w, 3);
        if (k == 0)
            return w;
        Decimal v = w;
        const Decimal below = v - cutTo(v, k);
        if (below * 2 >= pow10(k))
            v += pow10(k);
        return cutTo(v, k);
    }
    // The cut modes work on the value as its one-decimal text shows it, so a fraction of .95 or
    // more has already carried into the units.
    const Decimal v = tenthsInteger(w);
    const int k = ladderPlace(v, marume);
    return k == 0 ? v : cutTo(v, k);
}

FukugouResult CalcFukugou(const FukugouInput& in, const FukugouOptions& opt, FukugouAmounts* amounts) {
    const int m = opt.marume;
    const bool dialog = opt.use == FukugouUse::Dialog || opt.use == FukugouUse::MasterDialog;
    const bool master = opt.use == FukugouUse::Master || opt.use == FukugouUse::MasterDialog;
    FukugouResult res;
    // Without a caller's amounts they go to a scratch set kept per thread (not one cleared on
    // every row's pricing).
    thread_local FukugouAmounts scratch;
    FukugouAmounts& ex = amounts ? *amounts : scratch;

    // Each amount is rounded by R; later steps take it as rounded.
    auto amount = [&](Decimal& exact, const Decimal& value) {
        exact = value;
        return FukugouRound(value, m);
    };

    std::array<Track, 2> t{};
    std::array<Decimal, 2> unitSum{};
    std::array<Decimal, 2> laterZai{};   // material amounts of lines 2-7
    for (std::size_t i = 0; i < 2; ++i)
        for (std::size_t k = 0; k < KivDetail::kZaiLines; ++k) {
            const Decimal& p = in.zaiTanka[i][k];
            unitSum[i] += p;
            const Decimal a = amount(ex.zai[i][k], in.zaiSuu[k] * p);
            t[i].zaiSum += a;
            if (k > 0)
                laterZai[i] += a;
        }

    bool zaiGoukei = in.zaiGoukei;
    if (dialog) {
        zaiGoukei = !laterZai[0].isZero();
    } else if ((!laterZai[0].isZero() || !laterZai[1].isZero()) && !zaiGoukei) {
        res.severalMaterials = true;
    }
    res.zaiGoukei = zaiGoukei;
    res.labourPriceMissing = !in.roumuBukake[0].isZero() && in.roumuTanka[0][0].isZero();

    for (std::size_t i = 0; i < 2; ++i)
        for (std::size_t j = 0; j < KivDetail::kRoumuLines; ++j)
            t[i].roumuSum += amount(ex.roumu[i][j], in.roumuBukake[j] * in.roumuTanka[i][j]);

    auto line = [&](Issiki l, std::size_t i, const Decimal& base) {
        const auto k = static_cast<std::size_t>(l);
        return amount(ex.issiki[k][i], in.ritu[k] * in.suu[k] * base);
    };

    for (std::size_t i = 0; i < 2; ++i) {
        Track& x = t[i];
        x.tugite = line(Issiki::Tugite, i, unitSum[i]);
        x.setugou = line(Issiki::Setugou, i, unitSum[i]);
        x.siji = line(Issiki::Siji, i, unitSum[i]);
        x.fuzoku = line(Issiki::Fuzoku, i, unitSum[i]);
        x.haturi = line(Issiki::Haturi, i, x.roumuSum);
        x.zatuzai = line(Issiki::Zatuzai, i, x.zaiSum + x.fuzoku + x.tugite + x.setugou + x.siji);
        x.unpan = line(Issiki::Unpan, i, x.zaiSum + x.tugite + x.setugou + x.siji + x.zatuzai);
        const Decimal masterZai = x.zaiSum + x.tugite + x.setugou + x.siji + x.fuzoku;
        const bool zaiBoxIsMaster = opt.use == FukugouUse::Master;
        x.zaiKei = amount(ex.zaiKei[i], zaiBoxIsMaster ? masterZai : x.zaiSum);
        // The master's material total as its row takes it, also where the box shows the sum.
        const Decimal zaiKeiMaster = zaiBoxIsMaster ? x.zaiKei : FukugouRound(masterZai, m);
        x.roumuKei = amount(ex.roumuKei[i], x.roumuSum);
        x.sonota1 = line(Issiki::Sonota1, i, x.roumuSum + x.haturi);
        Decimal base2 = x.roumuSum + (master ? zaiKeiMaster : x.zaiKei) + x.zatuzai + x.unpan;
        if (!master)
            base2 += x.haturi;
        x.sonota2 = line(Issiki::Sonota2, i, base2);
        const Decimal sum = master ? zaiKeiMaster + x.unpan + x.zatuzai + x.roumuKei + x.sonota1 + x.sonota2 + x.haturi
                                   : x.zaiKei + x.tugite + x.setugou + x.siji + x.fuzoku + x.unpan + x.zatuzai +
                                         x.roumuKei + x.sonota1 + x.sonota2 + x.haturi;
        x.zaikou = amount(ex.zaikouKei[i], sum);
    }

    res.needSleeve = !t[0].tugite.isZero() || !t[0].setugou.isZero() || !t[0].siji.isZero() || !t[0].haturi.isZero();

    res.ladder = !t[0].roumuKei.isZero() || !t[1].roumuKei.isZero() || zaiGoukei;
    for (std::size_t i = 0; i < 2; ++i) {
        std::string text = res.ladder ? tenthsCut(FukugouLadder(t[i].zaikou, m)) : cformat("%10.f", t[i].zaikou);
        const Decimal value = parseDecimal(text);
        if (value.isZero())
            text.clear();
        res.tooWide[i] = kiv::text::trimBlanks(text).size() > kCompositeWidth;
        // The dialog's box is 10 characters wide: a composite it cannot hold is not shown cut;
        // the row's own calculation reports it after OK.
        if (dialog && res.tooWide[i])
            text.clear();
        res.compositeText[i] = std::move(text);
        res.kekka.Tanka[i] = value;
        res.kekka.ZairyouKei[i] = t[i].zaiKei;
        res.kekka.Tugite[i] = t[i].tugite;
        res.kekka.Setugou[i] = t[i].setugou;
        res.kekka.Siji[i] = t[i].siji;
        res.kekka.Haturi[i] = t[i].haturi;
    }
    return res;
}

FukugouResult CalcFukugou(KivDetail& d, const FukugouOptions& opt) {
    const int m = opt.marume;
    const bool dialog = opt.use == FukugouUse::Dialog || opt.use == FukugouUse::MasterDialog;
    const std::array<IssikiLine*, kIssikiCount> issiki{&d.m_Tugite, &d.m_Setugou, &d.m_Siji,    &d.m_Fuzoku, &d.m_Haturi,
                                                       &d.m_Zatuzai, &d.m_Unpan,   &d.m_Sonota1, &d.m_Sonota2};
    FukugouInput in;
    for (std::size_t k = 0; k < KivDetail::kZaiLines; ++k) {
        in.zaiTanka[0][k] = parseDecimal(d.m_ZaiTanka1[k]);
        in.zaiTanka[1][k] = parseDecimal(d.m_ZaiTanka2[k]);
        in.zaiSuu[k] = parseDecimal(d.m_ZaiSuu[k]);
    }
    for (std::size_t j = 0; j < KivDetail::kRoumuLines; ++j) {
        in.roumuBukake[j] = parseDecimal(d.m_RoumuBukake[j]);
        in.roumuTanka[0][j] = parseDecimal(d.m_RoumuTanka1[j]);
        in.roumuTanka[1][j] = parseDecimal(d.m_RoumuTanka2[j]);
    }
    for (std::size_t k = 0; k < kIssikiCount; ++k) {
        in.ritu[k] = parseDecimal(issiki[k]->Ritu);
        in.suu[k] = parseDecimal(issiki[k]->Suu);
    }
    in.zaiGoukei = d.m_ZaiGoukei != 0;

    FukugouAmounts ex;
    FukugouResult res = CalcFukugou(in, opt, &ex);
    if (dialog)
        d.m_ZaiGoukei = res.zaiGoukei ? 1 : 0;

    // Each amount's text. The dialog empties the text of a zero amount, judged on the exact value
    // or (`afterRounding`) on the rounded one.
    auto text = [&](std::string& out, const Decimal& exact, bool afterRounding) {
        out = FukugouAmountText(exact, m);
        if (dialog && (afterRounding ? FukugouRound(exact, m).isZero() : exact.isZero()))
            out.clear();
    };
    std::array<KivDetail::ZaiTexts*, 2> zaiKingaku{&d.m_ZaiKingaku1, &d.m_ZaiKingaku2};
    std::array<KivDetail::RoumuTexts*, 2> roumuKingaku{&d.m_RoumuKingaku1, &d.m_RoumuKingaku2};
    for (std::size_t i = 0; i < 2; ++i) {
        for (std::size_t k = 0; k < KivDetail::kZaiLines; ++k)
            text((*zaiKingaku[i])[k], ex.zai[i][k], k == 0 && i == 0);
        for (std::size_t j = 0; j < KivDetail::kRoumuLines; ++j)
            text((*roumuKingaku[i])[j], ex.roumu[i][j], false);
        for (std::size_t k = 0; k < kIssikiCount; ++k) {
            const auto l = static_cast<Issiki>(k);
            // 継ぎ手, 接合材, 支持材, 付属品 and はつり on their rounded value, 雑材 in track 1.
            const bool afterRounding = l == Issiki::Tugite || l == Issiki::Setugou || l == Issiki::Siji ||
                                       l == Issiki::Fuzoku || l == Issiki::Haturi || (l == Issiki::Zatuzai && i == 0);
            text(i == 0 ? issiki[k]->Kingaku1 : issiki[k]->Kingaku2, ex.issiki[k][i], afterRounding);
        }
    }
    text(d.m_ZaiKei1, ex.zaiKei[0], false);
    text(d.m_ZaiKei2, ex.zaiKei[1], false);
    text(d.m_RoumuKei1, ex.roumuKei[0], false);
    text(d.m_RoumuKei2, ex.roumuKei[1], false);
    text(d.m_ZaikouKei1, ex.zaikouKei[0], true);
    text(d.m_ZaikouKei2, ex.zaikouKei[1], true);
    d.m_FukugouTanka1 = res.compositeText[0];
    d.m_FukugouTanka2 = res.compositeText[1];
    return res;
}
