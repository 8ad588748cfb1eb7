#include "estimate/SetteiRecord.h"

#include "platform/text/Cp932.h"
#include "platform/text/Number.h"

namespace {

const EnzanCodeInfo kCodes[kEnzanCodeCount] = {
    {"大項目", 1000, true},
    {"中項目", 1001, true},
    {"小項目", 1002, true},
    {"細目", 1032, false},
    {"経費1", 1003, true},
    {"経費2", 1004, true},
    {"経費3(手入力)", 1005, true},
    {"運搬費", 1006, true},
    {"表紙計", 1007, true},
    {"中計", 1008, true},
    {"小計", 1009, true},
    {"細計", 1036, false},
    {"項目内計", 1092, true},
    {"", 1094, true},
    {"消費税", 1093, true},
    {"継手材計算", 1080, true},
    {"接合材計算", 1081, true},
    {"支持材計算", 1082, true},
    {"付属品１被計算", 1083, true},
    {"付属品１計算", 1084, true},
    {"付属品２被計算", 1085, true},
    {"付属品２計算", 1086, true},
    {"スリーブ計算", 1087, true},
    {"雑材", 1088, true},
    {"労務費1(配管工)", 1089, true},
    {"労務費2(機械工)", 1096, true},
    {"労務費3(電工)", 1034, true},
    {"労務費4(普通工)", 1017, true},
};

std::size_t codePos(EnzanCode k) { return static_cast<std::size_t>(k) * kEnzanCodeWidth; }

std::string zeroPadded(std::string_view code) {
    std::string r(code);
    if (r.size() < kEnzanCodeWidth)
        r.insert(0, kEnzanCodeWidth - r.size(), '0');
    return r;
}

} // namespace

const EnzanCodeInfo& enzanCodeInfo(EnzanCode k) { return kCodes[static_cast<std::size_t>(k)]; }

PaddedCode padEnzanCode(std::string_view code) {
    PaddedCode r{zeroPadded(code), {}};
    if (code.size() < kEnzanCodeWidth)
        r.message = "４桁未満のため" + kiv::text::toUtf8(r.code) + "に変更しました。";
    return r;
}

std::string SetteiRecord::code(EnzanCode k) const { return std::string(bytes().substr(codePos(k), kEnzanCodeWidth)); }

bool SetteiRecord::setCode(EnzanCode k, std::string_view code) {
    if (code.size() > kEnzanCodeWidth)
        return false;
    put(codePos(k), zeroPadded(code));
    return true;
}

bool SetteiRecord::setCodes(const std::array<std::string, kEnzanCodeCount>& codes) {
    for (const std::string& c : codes)
        if (c.size() > kEnzanCodeWidth)
            return false;
    for (int k = 0; k < kEnzanCodeCount; ++k)
        setCode(static_cast<EnzanCode>(k), codes[static_cast<std::size_t>(k)]);
    return true;
}

bool SetteiRecord::setKetaMarume(std::string_view choice) {
    if (choice.empty() || choice[0] == '\0' || kiv::text::isLeadByte(static_cast<unsigned char>(choice[0])))
        return false;
    putByte(KetaMarumePos, choice[0]);
    return true;
}

void SetteiRecord::setSekisanYousiki(bool fukugou) { putByte(SekisanYousikiPos, fukugou ? '1' : '0'); }

bool SetteiRecord::setFukugouMarume(int mode) {
    if (mode < 1 || mode > 3)
        return false;
    putByte(FukugouMarumePos, static_cast<char>('0' + mode));
    return true;
}

bool SetteiRecord::setTekkyoRitu(std::string_view text) {
    if (text.size() > TekkyoRituWidth)
        return false;
    std::string field(text);
    field.resize(TekkyoRituWidth, ' ');
    put(TekkyoRituPos, field);
    return true;
}

std::string SetteiRecord::tekkyoRitu() const { return std::string(bytes().substr(TekkyoRituPos, TekkyoRituWidth)); }

SetteiValues ParseSettei(const SetteiRecord& record) {
    using kiv::text::parseInt;
    SetteiValues v;
    std::string_view b = record.bytes();
    for (int k = 0; k < kEnzanCodeCount; ++k)
        v.codes[static_cast<std::size_t>(k)] = parseInt(b.substr(static_cast<std::size_t>(k) * kEnzanCodeWidth, kEnzanCodeWidth));
    v.KetaMarume = parseInt(b.substr(SetteiRecord::KetaMarumePos, 1));
    // Only "1" is the composite-price style: the recalculation, the style commands and the style
    // check all read any other byte as the labour-posting style.
    v.SekisanYousiki = parseInt(b.substr(SetteiRecord::SekisanYousikiPos, 1)) == 1 ? 1 : 0;
    v.FukugouMarume = parseInt(b.substr(SetteiRecord::FukugouMarumePos, 1));
    return v;
}
