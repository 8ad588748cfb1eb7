// The breakdown row texts shared by the breakdown exports.
#include "export/UtiwakeRow.h"

#include "estimate/GyouRecord.h"
#include "estimate/SetteiRecord.h"
#include "grid/PrintedRow.h"
#include "platform/text/Number.h"

namespace kiv::exporting {

UtiwakeTexts UtiwakeRowTexts(std::string_view source, const SetteiValues& settei, const UtiwakeOptions& options) {
    std::string row(source);
    GyouRecord::padLength(row);
    if (!options.roumuNinzuu)
        RewriteRoumuIsshiki(row, settei);
    BlankTankaIfSuuOne(row);

    UtiwakeTexts t;
    auto raw = [&](int f) { return std::string(GyouRecord::raw(row, f)); };
    auto trimmed = [&](int f) { return std::string(GyouRecord::text(row, f)); };
    t.col[UtiwakeTexts::A] = raw(GyouRecord::Kigou);
    t.col[UtiwakeTexts::B] = trimmed(GyouRecord::Hinmei);
    t.col[UtiwakeTexts::C] = trimmed(GyouRecord::Kikaku);
    t.col[UtiwakeTexts::D] = raw(GyouRecord::SekisanSuu1);
    t.col[UtiwakeTexts::E] = raw(GyouRecord::Tanni) + raw(GyouRecord::TanniTail);
    const int priceField = settei.SekisanYousiki == 1 ? GyouRecord::FukugouTanka1 : GyouRecord::Tanka1;
    t.col[UtiwakeTexts::G] = raw(GyouRecord::Kingaku1);
    t.col[UtiwakeTexts::F] = text::trimRightBlanks(GyouRecord::raw(row, priceField)).empty() ? t.col[UtiwakeTexts::G] : raw(priceField);
    t.col[UtiwakeTexts::H] = trimmed(options.bikou1 ? GyouRecord::Bikou1 : GyouRecord::Bikou2);
    return t;
}

} // namespace kiv::exporting
