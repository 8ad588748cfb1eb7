#include "grid/PrintedRow.h"

#include "estimate/GyouRecord.h"
#include "estimate/SetteiRecord.h"
#include "platform/text/Cp932.h"

std::string PrintableText(std::string_view cp932) {
    std::string out(cp932);
    if (!out.empty() && kiv::text::isCharBoundary(out, out.size() - 1) &&
        kiv::text::isLeadByte(static_cast<unsigned char>(out.back())))
        out.back() = ' ';
    return out;
}

void BlankTankaIfSuuOne(std::string& row) {
    const kiv::text::Decimal one(1);
    if (GyouRecord::toDecimal(row, GyouRecord::HiroidasiSuu1) == one &&
        GyouRecord::toDecimal(row, GyouRecord::SekisanSuu1) == one) {
        GyouRecord::blank(row, GyouRecord::Tanka1);
        GyouRecord::blank(row, GyouRecord::FukugouTanka1);
    }
}

bool RewriteRoumuIsshiki(std::string& row, const SetteiValues& settei) {
    const int bunNo = GyouRecord::toInt(row, GyouRecord::BunNo);
    if (!settei.matches(EnzanCode::Roumuhi1, bunNo) && !settei.matches(EnzanCode::Roumuhi2, bunNo))
        return false;
    GyouRecord::putNumber(row, GyouRecord::SekisanSuu1, "1");
    GyouRecord::blank(row, GyouRecord::Tanka1);
    // The unit's last two bytes (its tail field) stay as they are.
    GyouRecord::putText(row, GyouRecord::Tanni, kiv::text::sj("式"));
    return true;
}
