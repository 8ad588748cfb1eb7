#include "pricing/KivDetail.h"

#include "estimate/RoumuList.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"
#include "pricing/FukugouEngine.h"

using kiv::text::sj;
using G = GyouRecord;

namespace {

constexpr int kZaiStride = 8;
// Field of material line k (0..6) given line 1's field.
constexpr int zaiField(int line1Field, int k) { return line1Field + kZaiStride * k; }

constexpr std::array<int, 3> kRoumuNoField{G::Roumu1No, G::Roumu2No, G::Roumu3No};
constexpr std::array<int, 3> kRoumuBukakeField{G::Bukake1, G::Bukake2, G::Roumu3Bukake};
constexpr std::array<int, 3> kRoumuBikouField{G::Roumu1Bikou, G::Roumu2Bikou, G::Roumu3Bikou};

// A field's text into `to`, in the room it already has (the row refresh reuses one breakdown).
void setText(std::string& to, std::string_view row, int field) { to.assign(G::text(row, field)); }

bool flagSet(std::string_view row, int field) { return G::toInt(row, field) == 1; }

// The unit: the text of field 11 followed by the text of field 12.
void setUnit(std::string& to, std::string_view row) {
    setText(to, row, G::Tanni);
    to.append(G::text(row, G::TanniTail));
}

// The captions the overflow messages name the fields by.
const char* fieldCaption(int field) {
    switch (field) {
    case G::KoumokuNo: case G::BunNo: return "分類";
    case G::BunGyouNo: return "ＮＯ";
    case G::Hinmei: return "名称";
    case G::Kikaku: return "規格";
    case G::Tanni: return "単位";
    case G::Tanka1: return "単価1";
    case G::Tanka2: return "単価2";
    case G::FukugouTanka1: return "複合単価1";
    case G::FukugouTanka2: return "複合単価2";
    case G::Bukake1: case G::Bukake2: case G::Roumu3Bukake: return "歩掛";
    case G::TugiteRitu: return "継ぎ手の掛率";
    case G::SetugouRitu: return "接合材の掛率";
    case G::SijiRitu: return "支持材の掛率";
    case G::HaturiRitu: return "はつりの掛率";
    case G::UnpanRitu: return "運搬費の掛率";
    case G::FuzokuRitu: return "付属品の掛率";
    case G::Hokyuu: return "補給";
    case G::ZatuzaiRitu: return "雑材の掛率";
    case G::Sonota1Ritu: return "その他１の掛率";
    case G::Sonota2Ritu: return "その他２の掛率";
    case G::UnpanKingaku1: return "運搬費の金額1";
    case G::UnpanKingaku2: return "運搬費の金額2";
    case G::Roumu1No: case G::Roumu2No: case G::Roumu3No: return "労務のNO";
    default: break;
    }
    if (field >= G::Zai1MotoTanka && field <= G::Zai7Bikou) {
        switch ((field - G::Zai1MotoTanka) % kZaiStride) {
        case 1: return "材料の名称";
        case 2: return "材料の規格";
        case 3: return "材料の数量";
        case 4: return "材料の単位";
        case 5: return "材料の単価1";
        case 6: return "材料の単価2";
        default: break;
        }
    }
    return "詳細";
}

// Writes fields and keeps the messages of values that did not fit.
class Writer {
public:
    explicit Writer(std::string& row) : m_Row(row) { G::padLength(m_Row); }

    void put(int field, const std::string& text) {
        const bool ok = G::layout(field).IsText ? G::putText(m_Row, field, text) : G::putNumber(m_Row, field, text);
        if (!ok)
            refuse(field, text, G::layout(field).Width);
    }
    // Remarks: cut to the field on a character boundary.
    void fitted(int field, const std::string& text) { G::putTextFitted(m_Row, field, text); }
    void blank(int field) { G::blank(m_Row, field); }
    // The 4-byte unit over fields 11 and 12, from their first byte.
    void unit(const std::string& text) {
        const std::string_view t = kiv::text::trimRightBlanks(text);
        const auto width = static_cast<std::size_t>(G::layout(G::Tanni).Width + G::layout(G::TanniTail).Width);
        if (t.size() > width) {
            refuse(G::Tanni, text, static_cast<int>(width));
            return;
        }
        std::string cell(t);
        cell.resize(width, ' ');
        m_Row.replace(static_cast<std::size_t>(G::layout(G::Tanni).Offset), width, cell);
    }

    std::vector<std::string> messages;

private:
    void refuse(int field, const std::string& text, int width) {
        const std::string value = kiv::text::toUtf8(kiv::text::trimBlanks(text));
        messages.push_back(std::string(fieldCaption(field)) + "の「" + value + "」は" + std::to_string(width) +
                           "桁に入りきらないため、書き込みませんでした。");
    }
    std::string& m_Row;
};

int roumuNumber(std::string_view text) {
    const int n = kiv::text::parseInt(text);
    return n < 1 ? 0 : n;
}

std::string lookupPart(const std::string& line, std::size_t pos, std::size_t width) {
    if (pos >= line.size())
        return {};
    return std::string(kiv::text::trimRightBlanks(std::string_view(line).substr(pos, width)));
}

} // namespace

IssikiLine::IssikiLine() : Suu("1") {
    // Looked up once: every row's pricing builds nine of these.
    static const std::string& shiki = sj("式");
    Tanni = shiki;
}

KivDetail::KivDetail() {
    static const std::string& nin = sj("人");
    m_RoumuTanni.fill(nin);
}

std::array<int, KivDetail::kRoumuLines> KivDetail::RoumuNumbers() const {
    std::array<int, kRoumuLines> n{};
    for (int j = 0; j < kRoumuLines; ++j)
        n[static_cast<std::size_t>(j)] = roumuNumber(m_RoumuNo[static_cast<std::size_t>(j)]);
    return n;
}

RoumuLookup LookupRoumu(const RoumuList& roumu, int no) {
    RoumuLookup r;
    const RoumuRecord* line = no >= 1 ? roumu.byNumber(no) : nullptr;
    if (!line)
        return r;
    const std::string& t = line->text();
    r.Syokusyu = lookupPart(t, RoumuRecord::SyokusyuPos, RoumuRecord::SyokusyuWidth);
    r.Tanka1 = lookupPart(t, RoumuRecord::Tanka1Pos, RoumuRecord::TankaWidth);
    r.Tanka2 = lookupPart(t, RoumuRecord::Tanka2Pos, RoumuRecord::TankaWidth);
    return r;
}

namespace {

// The load's fields into a breakdown that holds its constructor defaults.
void loadFields(KivDetail& d, std::string_view row, const RoumuList& roumu, const KivDetailSource& src) {
    // The flags decide where material line 1 comes from, so they are read first.
    d.m_FukuHyouji = flagSet(row, G::FukuHyouji) ? 1 : 0;
    d.m_ZaiGoukei = flagSet(row, G::ZaiGoukei) ? 1 : 0;
    const bool ownLine1 = d.m_FukuHyouji || d.m_ZaiGoukei;

    setText(d.m_BunNo, row, src.bunNoField);
    setText(d.m_BunGyouNo, row, G::BunGyouNo);
    setText(d.m_Hinmei, row, G::Hinmei);
    setText(d.m_Kikaku, row, G::Kikaku);
    setUnit(d.m_Tanni, row);
    setText(d.m_FukugouTanka1, row, G::FukugouTanka1);
    setText(d.m_FukugouTanka2, row, G::FukugouTanka2);
    setText(d.m_Bikou1, row, G::Bikou1);
    setText(d.m_Bikou2, row, G::Bikou2);

    for (int k = 0; k < KivDetail::kZaiLines; ++k) {
        const auto i = static_cast<std::size_t>(k);
        setText(d.m_ZaiHinmei[i], row, zaiField(G::Zai1Hinmei, k));
        setText(d.m_ZaiKikaku[i], row, zaiField(G::Zai1Kikaku, k));
        setText(d.m_ZaiTanni[i], row, zaiField(G::Zai1Tanni, k));
        setText(d.m_ZaiBikou[i], row, zaiField(G::Zai1Bikou, k));
        if (k > 0 || ownLine1) {
            setText(d.m_ZaiSuu[i], row, zaiField(G::Zai1Suu, k));
            setText(d.m_ZaiTanka1[i], row, zaiField(G::Zai1Tanka1, k));
            setText(d.m_ZaiTanka2[i], row, zaiField(G::Zai1Tanka2, k));
        }
    }
    if (!ownLine1) {
        // The row itself is material line 1; a blank supply factor is a quantity of 1.
        if (G::isBlank(row, G::Hokyuu))
            d.m_ZaiSuu[0].assign(G::DefaultHokyuu);
        else
            setText(d.m_ZaiSuu[0], row, G::Hokyuu);
        setText(d.m_ZaiTanka1[0], row, G::Tanka1);
        setText(d.m_ZaiTanka2[0], row, G::Tanka2);
    }

    for (int j = 0; j < KivDetail::kRoumuLines; ++j) {
        const auto i = static_cast<std::size_t>(j);
        setText(d.m_RoumuNo[i], row, kRoumuNoField[i]);
        setText(d.m_RoumuBukake[i], row, kRoumuBukakeField[i]);
        if (src.withRoumuBikou)
            setText(d.m_RoumuBikou[i], row, kRoumuBikouField[i]);
        if (!src.withRoumuLookup)
            continue;
        const RoumuLookup r = LookupRoumu(roumu, roumuNumber(d.m_RoumuNo[i]));
        d.m_RoumuSyokusyu[i] = r.Syokusyu;
        d.m_RoumuTanka1[i] = r.Tanka1;
        d.m_RoumuTanka2[i] = r.Tanka2;
    }

    setText(d.m_Tugite.Ritu, row, G::TugiteRitu);
    setText(d.m_Setugou.Ritu, row, G::SetugouRitu);
    setText(d.m_Siji.Ritu, row, G::SijiRitu);
    setText(d.m_Haturi.Ritu, row, G::HaturiRitu);
    setText(d.m_Unpan.Ritu, row, G::UnpanRitu);
    setText(d.m_Unpan.Kingaku1, row, G::UnpanKingaku1);
    setText(d.m_Unpan.Kingaku2, row, G::UnpanKingaku2);
    if (src.withFuzoku)
        setText(d.m_Fuzoku.Ritu, row, G::FuzokuRitu);
    setText(d.m_Zatuzai.Ritu, row, G::ZatuzaiRitu);
    setText(d.m_Sonota1.Ritu, row, G::Sonota1Ritu);
    setText(d.m_Sonota2.Ritu, row, G::Sonota2Ritu);
}

} // namespace

void LoadKivDetail(KivDetail& d, std::string_view row, const RoumuList& roumu, const KivDetailSource& src) {
    d = KivDetail();
    loadFields(d, row, roumu, src);
}

void ReloadKivDetail(KivDetail& d, std::string_view row, const RoumuList& roumu, const KivDetailSource& src) {
    loadFields(d, row, roumu, src);
}

KivDetail LoadedKivDetail(std::string_view row, const RoumuList& roumu, const KivDetailSource& src) {
    KivDetail d;
    loadFields(d, row, roumu, src);
    return d;
}

KivRowNumbers LoadFukugouInput(FukugouInput& in, std::string_view row, const RoumuList& roumu) {
    // The same fields as LoadKivDetail's, read as numbers: a number read from a field's text or
    // from its bytes is the same (the reading stops at the first character past the number).
    in = FukugouInput();
    KivRowNumbers n;
    n.fukuHyouji = flagSet(row, G::FukuHyouji);
    in.zaiGoukei = flagSet(row, G::ZaiGoukei);
    const bool ownLine1 = n.fukuHyouji || in.zaiGoukei;
    for (int k = ownLine1 ? 0 : 1; k < KivDetail::kZaiLines; ++k) {
        // An unused material line is all blanks: its numbers read as the zeros they hold.
        const auto lineStart = static_cast<std::size_t>(G::MaterialOffset + G::MaterialLength * k);
        const auto lineLength = static_cast<std::size_t>(G::MaterialLength);
        if (row.size() >= lineStart + lineLength && kiv::text::trimRightBlanks(row.substr(lineStart, lineLength)).empty())
            continue;
        const auto i = static_cast<std::size_t>(k);
        in.zaiSuu[i] = G::toDecimal(row, zaiField(G::Zai1Suu, k));
        in.zaiTanka[0][i] = G::toDecimal(row, zaiField(G::Zai1Tanka1, k));
        in.zaiTanka[1][i] = G::toDecimal(row, zaiField(G::Zai1Tanka2, k));
    }
    if (!ownLine1) {
        in.zaiSuu[0] = G::isBlank(row, G::Hokyuu) ? kiv::text::parseDecimal(G::DefaultHokyuu) : G::toDecimal(row, G::Hokyuu);
        in.zaiTanka[0][0] = G::toDecimal(row, G::Tanka1);
        in.zaiTanka[1][0] = G::toDecimal(row, G::Tanka2);
    }
    for (std::size_t j = 0; j < KivDetail::kRoumuLines; ++j) {
        n.roumuNo[j] = roumuNumber(G::text(row, kRoumuNoField[j]));
        in.roumuBukake[j] = G::toDecimal(row, kRoumuBukakeField[j]);
        const RoumuRecord* line = n.roumuNo[j] >= 1 ? roumu.byNumber(n.roumuNo[j]) : nullptr;
        if (!line)
            continue;
        const std::string& t = line->text();
        for (std::size_t i = 0; i < 2; ++i) {
            const std::size_t pos = i == 0 ? RoumuRecord::Tanka1Pos : RoumuRecord::Tanka2Pos;
            if (pos < t.size())
                in.roumuTanka[i][j] = kiv::text::parseDecimal(std::string_view(t).substr(pos, RoumuRecord::TankaWidth));
        }
    }
    const std::array<int, kIssikiCount> rate{G::TugiteRitu, G::SetugouRitu, G::SijiRitu,  G::FuzokuRitu, G::HaturiRitu,
                                             G::ZatuzaiRitu, G::UnpanRitu,  G::Sonota1Ritu, G::Sonota2Ritu};
    for (std::size_t k = 0; k < kIssikiCount; ++k) {
        in.ritu[k] = G::toDecimal(row, rate[k]);
        in.suu[k] = 1;   // IssikiLine's quantity
    }
    return n;
}

std::vector<std::string> WriteKivDetail(std::string& row, const KivDetail& d, KivWriteBack how,
                                        const KivDetailSource& src) {
    Writer w(row);
    const bool fuku = d.m_FukuHyouji != 0;
    const bool goukei = d.m_ZaiGoukei != 0;

    w.put(G::Hinmei, d.m_Hinmei);
    w.put(G::Kikaku, d.m_Kikaku);
    w.unit(d.m_Tanni);

    // Unit prices of both tracks.
    if (how == KivWriteBack::Dialog) {
        struct Track {
            int tanka, zaiTanka;
            const std::string& fukugou;
            const std::string& zaiKei;
            const std::string& line1;
        };
        const std::array<Track, 2> tracks{{
            {G::Tanka1, G::Zai1Tanka1, d.m_FukugouTanka1, d.m_ZaiKei1, d.m_ZaiTanka1[0]},
            {G::Tanka2, G::Zai1Tanka2, d.m_FukugouTanka2, d.m_ZaiKei2, d.m_ZaiTanka2[0]},
        }};
        for (const Track& t : tracks) {
            if (fuku) {
                w.put(t.tanka, t.fukugou);
                w.put(t.zaiTanka, t.line1);
            }
            if (fuku && src.fukuBeforeGoukei)
                continue;
            if (goukei) {
                const kiv::text::Decimal kei = kiv::text::parseDecimal(t.zaiKei);
                if (!kei.isZero()) {
                    w.put(t.tanka, kiv::text::cformat("%10.f", kei));
                    w.put(t.zaiTanka, t.line1);
                }
            } else {
                w.put(t.tanka, t.line1);
            }
        }
    } else {
        // The row's own fields rearranged: the texts are those the load took from the row.
        if (!fuku && !goukei) {
            w.put(G::Zai1Tanka1, d.m_ZaiTanka1[0]);
        } else if (fuku && !goukei) {
            w.put(G::Tanka1, d.m_ZaiTanka1[0]);
            w.put(G::Tanka2, d.m_FukugouTanka2);
        } else if (fuku && goukei) {
            w.put(G::Tanka1, d.m_FukugouTanka1);
            w.put(G::Tanka2, d.m_FukugouTanka2);
        }
        if (fuku || goukei) {
            w.put(G::Zai1Tanka1, d.m_ZaiTanka1[0]);
            w.put(G::Zai1Tanka2, d.m_ZaiTanka2[0]);
        }
    }

    w.put(G::FukugouTanka1, d.m_FukugouTanka1);
    w.put(G::FukugouTanka2, d.m_FukugouTanka2);
    w.fitted(G::Bikou1, d.m_Bikou1);
    w.fitted(G::Bikou2, d.m_Bikou2);
    w.put(G::Bukake1, d.m_RoumuBukake[0]);
    w.put(G::Bukake2, d.m_RoumuBukake[1]);
    w.put(G::TugiteRitu, d.m_Tugite.Ritu);
    w.put(G::SetugouRitu, d.m_Setugou.Ritu);
    w.put(G::SijiRitu, d.m_Siji.Ritu);
    w.put(G::HaturiRitu, d.m_Haturi.Ritu);
    w.put(G::UnpanRitu, d.m_Unpan.Ritu);
    if (src.withFuzoku)
        w.put(G::FuzokuRitu, d.m_Fuzoku.Ritu);

    // Quantity of material line 1: the supply factor of a row without flags, else its own field.
    if (how == KivWriteBack::Dialog) {
        if (!fuku && !goukei) {
            w.put(G::Hokyuu, d.m_ZaiSuu[0]);
        } else {
            w.put(G::Zai1Suu, d.m_ZaiSuu[0]);
            w.blank(G::Hokyuu);
        }
    } else {
        w.put(G::Zai1Suu, d.m_ZaiSuu[0]);
        if (fuku || goukei)
            w.blank(G::Hokyuu);
    }

    w.put(G::ZatuzaiRitu, d.m_Zatuzai.Ritu);
    w.put(G::Sonota1Ritu, d.m_Sonota1.Ritu);
    w.put(G::Sonota2Ritu, d.m_Sonota2.Ritu);
    w.put(src.bunNoField, d.m_BunNo);
    w.put(G::BunGyouNo, d.m_BunGyouNo);

    w.put(G::Zai1Hinmei, d.m_ZaiHinmei[0]);
    w.put(G::Zai1Kikaku, d.m_ZaiKikaku[0]);
    w.put(G::Zai1Tanni, d.m_ZaiTanni[0]);
    w.fitted(G::Zai1Bikou, d.m_ZaiBikou[0]);
    for (int k = 1; k < KivDetail::kZaiLines; ++k) {
        const auto i = static_cast<std::size_t>(k);
        w.put(zaiField(G::Zai1Hinmei, k), d.m_ZaiHinmei[i]);
        w.put(zaiField(G::Zai1Kikaku, k), d.m_ZaiKikaku[i]);
        w.put(zaiField(G::Zai1Suu, k), d.m_ZaiSuu[i]);
        w.put(zaiField(G::Zai1Tanni, k), d.m_ZaiTanni[i]);
        w.put(zaiField(G::Zai1Tanka1, k), d.m_ZaiTanka1[i]);
        w.put(zaiField(G::Zai1Tanka2, k), d.m_ZaiTanka2[i]);
        w.fitted(zaiField(G::Zai1Bikou, k), d.m_ZaiBikou[i]);
    }

    w.put(G::UnpanKingaku1, d.m_Unpan.Kingaku1);
    w.put(G::UnpanKingaku2, d.m_Unpan.Kingaku2);
    for (int j = 0; j < KivDetail::kRoumuLines; ++j)
        w.put(kRoumuNoField[static_cast<std::size_t>(j)], d.m_RoumuNo[static_cast<std::size_t>(j)]);
    w.put(G::Roumu3Bukake, d.m_RoumuBukake[2]);
    w.put(G::FukuHyouji, fuku ? "1" : "0");
    w.put(G::ZaiGoukei, goukei ? "1" : "0");
    for (int j = 0; j < KivDetail::kRoumuLines && src.withRoumuBikou; ++j)
        w.fitted(kRoumuBikouField[static_cast<std::size_t>(j)], d.m_RoumuBikou[static_cast<std::size_t>(j)]);
    return std::move(w.messages);
}
