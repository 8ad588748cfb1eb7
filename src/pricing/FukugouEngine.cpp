#include "pricing/FukugouEngine.h"

#include "platform/text/Number.h"

using kiv::text::cformat;
using kiv::text::Decimal;
using kiv::text::dropRight;
using kiv::text::parseDecimal;

namespace {

constexpr std::size_t kCompositeWidth = 10;

// "%12.1f" less its last two characters: the integer part after rounding to one decimal.
std::string tenthsCut(const Decimal& v) { return dropRight(cformat("%12.1f", v), 2); }

Decimal pow10(int n) {
    Decimal p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

// The place the ladder cuts or rounds to for a value of `digits` integer digits, 0 for none.
Decimal ladderPlace(const Decimal& w, int marume) {
    if (w < Decimal(100))
        return 0;
    int digits = 3;
    while (digits < 10 && w >= pow10(digits))
        ++digits;
    // digits: 3 for 100-999, ... 10 for 1,000,000,000 and above
    if (digits >= 10)
        return marume == 1 ? Decimal(100) : Decimal(0);
    if (digits <= 4)
        return 10;
    if (marume == 1)
        return 100;
    return pow10(digits - 3);   // three significant digits kept
}

Decimal cutTo(const Decimal& v, const Decimal& place) { return (v / place).truncated(0) * place; }

// One track's working values.
struct Track {
    Decimal zaiSum, roumuSum, tugite, setugou, siji, fuzoku, haturi, zatuzai, unpan, zaiKei, roumuKei, sonota1,
        sonota2, zaikou;
};

} // namespace

std::string FukugouAmountText(const Decimal& v, int marume) {
    return marume == 3 ? cformat("%13.2f", v) : tenthsCut(v);
}

Decimal FukugouRound(const Decimal& v, int marume) { return parseDecimal(FukugouAmountText(v, marume)); }

Decimal FukugouLadder(const Decimal& w, int marume) {
    if (marume != 1 && marume != 2 && marume != 3)
        return w;
    if (marume == 3) {
        if (w < Decimal(100))
            return parseDecimal(cformat("%10.f", w));
        const Decimal place = ladderPlace(w, 3);
        if (place.isZero())
            return w;
        Decimal v = w;
        const Decimal below = v - cutTo(v, place);
        if (below * 2 >= place)
            v += place;
        return cutTo(v, place);
    }
    // The cut modes work on the value as its one-decimal text shows it, so a fraction of .95 or
    // more has already carried into the units.
    const Decimal v = parseDecimal(tenthsCut(w));
    const Decimal place = ladderPlace(v, marume);
    return place.isZero() ? v : cutTo(v, place);
}

FukugouResult CalcFukugou(KivDetail& d, const FukugouOptions& opt) {
    const int m = opt.marume;
    const bool dialog = opt.use == FukugouUse::Dialog || opt.use == FukugouUse::MasterDialog;
    const bool master = opt.use == FukugouUse::Master || opt.use == FukugouUse::MasterDialog;
    FukugouResult res;

    // An amount rounded by R into its text. The dialog empties the text of a zero amount, judged
    // on the exact value or (`afterRounding`) on the rounded one.
    auto amount = [&](std::string& text, const Decimal& exact, bool afterRounding) {
        text = FukugouAmountText(exact, m);
        const Decimal rounded = parseDecimal(text);
        if (dialog && (afterRounding ? rounded.isZero() : exact.isZero()))
            text.clear();
        return rounded;
    };

    std::array<Track, 2> t{};
    std::array<Decimal, 2> unitSum{};
    std::array<Decimal, 2> laterZai{};   // material amounts of lines 2-7
    std::array<KivDetail::ZaiTexts*, 2> zaiTanka{&d.m_ZaiTanka1, &d.m_ZaiTanka2};
    std::array<KivDetail::ZaiTexts*, 2> zaiKingaku{&d.m_ZaiKingaku1, &d.m_ZaiKingaku2};
    std::array<KivDetail::RoumuTexts*, 2> roumuTanka{&d.m_RoumuTanka1, &d.m_RoumuTanka2};
    std::array<KivDetail::RoumuTexts*, 2> roumuKingaku{&d.m_RoumuKingaku1, &d.m_RoumuKingaku2};

    for (std::size_t i = 0; i < 2; ++i)
        for (std::size_t k = 0; k < KivDetail::kZaiLines; ++k) {
            const Decimal p = parseDecimal((*zaiTanka[i])[k]);
            unitSum[i] += p;
            const Decimal a = amount((*zaiKingaku[i])[k], parseDecimal(d.m_ZaiSuu[k]) * p, k == 0 && i == 0);
            t[i].zaiSum += a;
            if (k > 0)
                laterZai[i] += a;
        }

    if (dialog) {
        d.m_ZaiGoukei = laterZai[0].isZero() ? 0 : 1;
    } else if ((!laterZai[0].isZero() || !laterZai[1].isZero()) && !d.m_ZaiGoukei) {
        res.severalMaterials = true;
    }
    res.labourPriceMissing =
        !parseDecimal(d.m_RoumuBukake[0]).isZero() && parseDecimal(d.m_RoumuTanka1[0]).isZero();

    for (std::size_t i = 0; i < 2; ++i)
        for (std::size_t j = 0; j < KivDetail::kRoumuLines; ++j)
            t[i].roumuSum += amount((*roumuKingaku[i])[j],
                                    parseDecimal(d.m_RoumuBukake[j]) * parseDecimal((*roumuTanka[i])[j]), false);

    auto line = [&](IssikiLine& l, std::size_t i, const Decimal& base, bool afterRounding) {
        std::string& text = i == 0 ? l.Kingaku1 : l.Kingaku2;
        return amount(text, parseDecimal(l.Ritu) * parseDecimal(l.Suu) * base, afterRounding);
    };
    auto total = [&](std::string& text, const Decimal& exact, bool afterRounding) {
        return amount(text, exact, afterRounding);
    };

    for (std::size_t i = 0; i < 2; ++i) {
        Track& x = t[i];
        const bool one = i == 0;
        x.tugite = line(d.m_Tugite, i, unitSum[i], true);
        x.setugou = line(d.m_Setugou, i, unitSum[i], true);
        x.siji = line(d.m_Siji, i, unitSum[i], true);
        x.fuzoku = line(d.m_Fuzoku, i, unitSum[i], true);
        x.haturi = line(d.m_Haturi, i, x.roumuSum, true);
        x.zatuzai = line(d.m_Zatuzai, i, x.zaiSum + x.fuzoku + x.tugite + x.setugou + x.siji, one);
        x.unpan = line(d.m_Unpan, i, x.zaiSum + x.tugite + x.setugou + x.siji + x.zatuzai, false);
        const Decimal masterZai = x.zaiSum + x.tugite + x.setugou + x.siji + x.fuzoku;
        const bool zaiBoxIsMaster = opt.use == FukugouUse::Master;
        x.zaiKei = total(one ? d.m_ZaiKei1 : d.m_ZaiKei2, zaiBoxIsMaster ? masterZai : x.zaiSum, false);
        // The master's material total as its row takes it, also where the box shows the sum.
        const Decimal zaiKeiMaster = zaiBoxIsMaster ? x.zaiKei : FukugouRound(masterZai, m);
        x.roumuKei = total(one ? d.m_RoumuKei1 : d.m_RoumuKei2, x.roumuSum, false);
        x.sonota1 = line(d.m_Sonota1, i, x.roumuSum + x.haturi, false);
        Decimal base2 = x.roumuSum + (master ? zaiKeiMaster : x.zaiKei) + x.zatuzai + x.unpan;
        if (!master)
            base2 += x.haturi;
        x.sonota2 = line(d.m_Sonota2, i, base2, false);
        const Decimal sum = master ? zaiKeiMaster + x.unpan + x.zatuzai + x.roumuKei + x.sonota1 + x.sonota2 + x.haturi
                                   : x.zaiKei + x.tugite + x.setugou + x.siji + x.fuzoku + x.unpan + x.zatuzai +
                                         x.roumuKei + x.sonota1 + x.sonota2 + x.haturi;
        x.zaikou = total(one ? d.m_ZaikouKei1 : d.m_ZaikouKei2, sum, true);
    }

    res.needSleeve = !t[0].tugite.isZero() || !t[0].setugou.isZero() || !t[0].siji.isZero() || !t[0].haturi.isZero();

    res.ladder = !t[0].roumuKei.isZero() || !t[1].roumuKei.isZero() || d.m_ZaiGoukei;
    std::array<std::string*, 2> composite{&d.m_FukugouTanka1, &d.m_FukugouTanka2};
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
        res.compositeText[i] = text;
        *composite[i] = text;
        res.kekka.Tanka[i] = value;
        res.kekka.ZairyouKei[i] = t[i].zaiKei;
        res.kekka.Tugite[i] = t[i].tugite;
        res.kekka.Setugou[i] = t[i].setugou;
        res.kekka.Siji[i] = t[i].siji;
        res.kekka.Haturi[i] = t[i].haturi;
    }
    return res;
}
