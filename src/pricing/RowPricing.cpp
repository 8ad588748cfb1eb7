#include "pricing/RowPricing.h"

#include "estimate/GyouRecord.h"
#include "estimate/KivMessagePass.h"
#include "platform/text/Number.h"

using G = GyouRecord;

namespace {

const std::string kSeveralMaterials =
    "複数の材料が登録されていますので材料を合計して表示にチェックは解除されません。";
const std::string kLabourMissing1 = "編集中の行に労務単価1が入力されていません。";
const std::string kLabourMissing2 = "行目の細詳を呼び出して確認してください。";
// Collected over a pass, where the row of each message is given apart.
const std::string kLabourMissingPass = "労務単価1が入力されていない行があります。細詳を呼び出して確認してください。";
const std::string kTooWide = "複合単価が10桁を越ています。訂正してください。";

} // namespace

RowPricing PriceKivGyou(std::string& row, const RoumuList& roumu, int fukugouMarume, const RowPricingReport& report,
                        const RowPricingRules& rules) {
    G::fitLength(row);
    const FukugouOptions options{fukugouMarume, rules.use};
    RowPricing p;
    bool fukuHyouji = false;
    auto price = [&] {
        if (rules.loadedRow)
            *rules.loadedRow = row;
        if (!rules.texts) {
            FukugouInput in;
            const KivRowNumbers n = LoadFukugouInput(in, row, roumu);
            fukuHyouji = n.fukuHyouji;
            p.roumuNo = n.roumuNo;
            return CalcFukugou(in, options);
        }
        KivDetail& detail = p.detail.emplace(LoadedKivDetail(row, roumu));
        fukuHyouji = detail.m_FukuHyouji != 0;
        p.roumuNo = detail.RoumuNumbers();
        return CalcFukugou(detail, options);
    };
    // Several materials priced while 材料を合計して表示 is off: the flag goes on. A row that had
    // neither flag took material line 1 from its own 補給 and unit prices; with the flag set the
    // next load takes line 1 from the line's own fields, so they receive those values now.
    auto severalMaterials = [&](const FukugouResult& r) {
        if (!r.severalMaterials)
            return;
        if (!fukuHyouji) {
            if (G::isBlank(row, G::Hokyuu))
                G::putNumber(row, G::Zai1Suu, G::DefaultHokyuu);
            else
                G::putNumber(row, G::Zai1Suu, std::string(G::text(row, G::Hokyuu)));
            G::putNumber(row, G::Zai1Tanka1, std::string(G::text(row, G::Tanka1)));
            G::putNumber(row, G::Zai1Tanka2, std::string(G::text(row, G::Tanka2)));
        }
        G::putNumber(row, G::ZaiGoukei, "1");
        if (report.messages)
            KivRowMessage(kSeveralMaterials, report.place);
    };

    FukugouResult r = price();
    severalMaterials(r);
    if (r.labourPriceMissing && rules.labourCheck && report.messages) {
        const std::string text = kLabourMissing1 + kiv::text::cformat("%04d", report.place.gyou) + kLabourMissing2;
        // The user has just seen the labour line when the dialog changed the row: the row is
        // priced again as the dialog left it, without a second question.
        if (KivRowMessage(text, report.place, kLabourMissingPass) && report.showDetail && report.showDetail()) {
            r = price();
            severalMaterials(r);
        }
    }

    // Write-back: 13/14 for 常時複合単価で表示する (as loaded), then 15/16. A composite that does not
    // fit its 10 characters leaves the track's fields blank.
    const std::array<int, 2> tanka{G::Tanka1, G::Tanka2};
    const std::array<int, 2> fukugou{G::FukugouTanka1, G::FukugouTanka2};
    auto writes = [&](std::size_t i) { return !r.compositeText[i].empty() && !r.tooWide[i]; };
    if (fukuHyouji)
        for (std::size_t i = 0; i < 2; ++i) {
            G::blank(row, tanka[i]);
            if (writes(i))
                G::putNumber(row, tanka[i], r.compositeText[i]);
        }
    for (std::size_t i = 0; i < 2; ++i) {
        G::blank(row, fukugou[i]);
        if (writes(i))
            G::putNumber(row, fukugou[i], r.compositeText[i]);
    }
    if (report.messages)
        for (std::size_t i = 0; i < 2; ++i)
            if (r.tooWide[i])
                KivRowMessage(kTooWide, report.place);
    p.result = std::move(r);
    return p;
}

KivDetail PricedKivDetail(std::string_view row, const RoumuList& roumu, int fukugouMarume, FukugouUse use) {
    std::string copy(row);
    G::fitLength(copy);
    KivDetail d = LoadedKivDetail(copy, roumu);
    CalcFukugou(d, {fukugouMarume, use});
    return d;
}

std::array<int, 3> RefreshKivGyou(std::string& row, const RoumuList& roumu, const RowPricingReport& report,
                                  bool* refused) {
    G::fitLength(row);
    const KivDetailSource source{G::BunNo, false, true, false, false};
    // Every row of an estimate is refreshed for the composite sheet: one breakdown per thread
    // keeps its texts' room from row to row.
    thread_local KivDetail detail;
    ReloadKivDetail(detail, row, roumu, source);
    const std::vector<std::string> messages = WriteKivDetail(row, detail, KivWriteBack::Refresh, source);
    if (refused)
        *refused = !messages.empty();
    if (report.messages)
        for (const std::string& m : messages)
            KivRowMessage(m, report.place);
    return detail.RoumuNumbers();
}
