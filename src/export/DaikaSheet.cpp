// The composite unit-price sheet's blocks and lines.
#include "export/DaikaSheet.h"

#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "estimate/RoumuRecord.h"
#include "platform/text/Cp932.h"
#include "pricing/RowPricing.h"

using G = GyouRecord;
using kiv::text::sj;

namespace kiv::exporting {

namespace {

bool isZero(std::string_view number) { return kiv::text::parseDecimal(number).isZero(); }

// A labour-list text at its full width: the lookup trims it, the sheet shows it as stored.
std::string padded(std::string s, std::size_t width) {
    if (s.size() < width)
        s.append(width - s.size(), ' ');
    return s;
}

} // namespace

std::string DaikaAmountText(const kiv::text::Decimal& value, int fukugouMarume, bool zeroShown) {
    if (value.isZero() && !zeroShown)
        return {};
    return kiv::text::cformat(fukugouMarume == 3 ? "%13.2f" : "%12.f", value);
}

std::string DaikaRateText(std::string_view prefixUtf8, std::string_view rate) {
    std::string t = sj(std::string(prefixUtf8).c_str());
    t.append(kiv::text::cformat("%2.0f", kiv::text::parseDecimal(rate) * 100));
    t.push_back('%');
    return t;
}

DaikaBlock BuildDaikaBlock(std::string_view row, const RowPricing& priced, const CKivDoc& doc, const DaikaStyle& style) {
    const KivDetail& k = *priced.detail;
    const int marume = doc.FukugouMarume();
    auto raw = [&](int field) { return std::string(G::raw(row, field)); };
    auto amount = [&](std::string_view text) { return DaikaAmountText(kiv::text::parseDecimal(text), marume); };
    DaikaBlock b;
    auto add = [&](DaikaLine::Kind kind) -> DaikaLine& {
        b.lines.push_back(DaikaLine{kind, {}});
        return b.lines.back();
    };

    DaikaLine& title = add(DaikaLine::Title);
    title.cell[DaikaLine::Meisyou] = raw(G::Hinmei);
    title.cell[DaikaLine::Kikaku] = raw(G::Kikaku);
    title.cell[DaikaLine::Bikou] = raw(G::Bikou1);

    // Material lines with a name (a name of full-width blanks counts).
    for (int line = 0; line < KivDetail::kZaiLines; ++line) {
        const int base = G::MaterialFirstField + 8 * line;
        const int name = base + 1, kikaku = base + 2, suu = base + 3, tanni = base + 4, tanka1 = base + 5,
                  bikou = base + 7;
        if (G::isBlank(row, name))
            continue;
        DaikaLine& l = add(DaikaLine::Material);
        l.cell[DaikaLine::Meisyou] = raw(name);
        l.cell[DaikaLine::Kikaku] = raw(kikaku);
        l.cell[DaikaLine::Suuryou] = raw(suu);
        l.cell[DaikaLine::Tanni] = raw(tanni);
        l.cell[DaikaLine::Tanka1] = raw(tanka1);
        l.cell[DaikaLine::Kingaku] = amount(k.m_ZaiKingaku1[static_cast<std::size_t>(line)]);
        l.cell[DaikaLine::Bikou] = raw(bikou);
    }

    // A lump-sum line: only when it has an amount.
    auto rateLine = [&](const char* label, std::string_view prefix, int rateField, const IssikiLine& l) {
        if (isZero(l.Kingaku1))
            return;
        DaikaLine& d = add(DaikaLine::Rate);
        d.cell[DaikaLine::Meisyou] = sj(label);
        d.cell[DaikaLine::Kikaku] = DaikaRateText(prefix, raw(rateField));
        d.cell[DaikaLine::Suuryou] = "       1";
        d.cell[DaikaLine::Tanni] = sj("式");
        d.cell[DaikaLine::Kingaku] = amount(l.Kingaku1);
    };
    rateLine("継　　　　　手", "管単価x", G::TugiteRitu, k.m_Tugite);
    rateLine("接　　合　　材", "管単価x", G::SetugouRitu, k.m_Setugou);
    rateLine("支　持　金　物", "管単価x", G::SijiRitu, k.m_Siji);
    rateLine("付　　属　　品", style.fuzokuPrefix, G::FuzokuRitu, k.m_Fuzoku);
    rateLine("雑　　材　　料", style.zatuzaiPrefix, G::ZatuzaiRitu, k.m_Zatuzai);
    rateLine("運　　搬　　費", "(材+雑)x", G::UnpanRitu, k.m_Unpan);

    const bool composite = doc.IsFukugouStyle();
    const bool fukuHyouji = G::toInt(row, G::FukuHyouji) != 0;
    if (style.flagGates && !composite && !fukuHyouji && G::toInt(row, G::ZaiGoukei) != 0)
        return b;

    // Labour lines with a registration number and a productivity rate. A number the list does
    // not hold (an empty entry, a number below 1 or past the list) gives blank trade and price;
    // the line stays.
    const bool labourShown = composite || !style.ratesOnlyInCompositeStyle;
    for (int j = 0; labourShown && j < KivDetail::kRoumuLines; ++j) {
        const auto i = static_cast<std::size_t>(j);
        const int rate = G::Roumu1Bukake + j;
        if (kiv::text::parseInt(k.m_RoumuNo[i]) == 0 || isZero(G::raw(row, rate)))
            continue;
        DaikaLine& d = add(DaikaLine::Labour);
        d.cell[DaikaLine::Meisyou] = sj("労　　務　　費");
        d.cell[DaikaLine::Kikaku] = padded(k.m_RoumuSyokusyu[i], RoumuRecord::SyokusyuWidth);
        d.cell[DaikaLine::Suuryou] = raw(rate);
        d.cell[DaikaLine::Tanni] = sj("人");
        d.cell[DaikaLine::Tanka1] = padded(k.m_RoumuTanka1[i], RoumuRecord::TankaWidth);
        d.cell[DaikaLine::Kingaku] = DaikaAmountText(kiv::text::parseDecimal(k.m_RoumuKingaku1[i]), marume, true);
        if (style.labourBikou2)
            d.cell[DaikaLine::Bikou] = raw(G::Bikou2);
    }

    const bool haturi = !isZero(k.m_Haturi.Kingaku1);
    rateLine("は つ り 補 修", "労務費x", G::HaturiRitu, k.m_Haturi);
    rateLine("そ　　の　　他", haturi ? "(労+はつり)x" : "(労)x", G::Sonota1Ritu, k.m_Sonota1);
    const bool zatuUnpan = !isZero(k.m_Zatuzai.Kingaku1) || !isZero(k.m_Unpan.Kingaku1);
    rateLine("そ　　の　　他", zatuUnpan ? "(材+労+雑+運)x" : "(材+労)x", G::Sonota2Ritu, k.m_Sonota2);

    if (style.flagGates && !composite && !fukuHyouji)
        return b;

    DaikaLine& kei = add(DaikaLine::Total);
    kei.cell[DaikaLine::Meisyou] = sj("　　　計　　　");
    kei.cell[DaikaLine::Kingaku] = amount(k.m_ZaikouKei1);
    DaikaLine& tanka = add(DaikaLine::Tanka);
    tanka.cell[DaikaLine::Meisyou] = sj("複　合　単　価");
    tanka.cell[DaikaLine::Kingaku] = DaikaAmountText(priced.result.kekka.Tanka[0], marume);
    return b;
}

DaikaSheet WalkDaikaSheet(const CKivDoc& doc, const DaikaStyle& style) {
    const bool countRates = !style.ratesOnlyInCompositeStyle || doc.IsFukugouStyle();
    FukugouSelection selection = SelectFukugouGyou(doc, countRates);
    DaikaSheet sheet;
    sheet.keys = std::move(selection.keys);
    sheet.blocks.reserve(selection.rows.size());
    RowPricingReport quiet;
    quiet.messages = false;   // the selection gave this row's messages
    for (std::size_t i = 0; i < selection.rows.size(); ++i) {
        const FukugouGyouRef& ref = selection.rows[i];
        std::string& row = selection.priced[i];
        quiet.place = {ref.koumoku, ref.gyou, false};
        const RowPricing priced = PriceKivGyou(row, doc.GetRoumu(), doc.FukugouMarume(), quiet);
        sheet.blocks.push_back(BuildDaikaBlock(row, priced, doc, style));
        sheet.blocks.back().koumoku = ref.koumoku;
    }
    return sheet;
}

} // namespace kiv::exporting
