#pragma once
// The cover-page layout "表紙.frm": 752 bytes of texts and their X, Y and size.
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "estimate/FixedRecord.h"
#include "estimate/LayoutField.h"

// The 89 fields in record order: groups of a text (年月日 has four, 備考 and 枠 none) and X, Y and
// size.
enum HyousiFormField : std::size_t {
    MidasiText, MidasiX, MidasiY, MidasiSize,
    MeisyouText, MeisyouX, MeisyouY, MeisyouSize,
    AiteText, AiteX, AiteY, AiteSize,
    KingakuText, KingakuX, KingakuY, KingakuSize,
    TantousyaText, TantousyaX, TantousyaY, TantousyaSize,
    Meisyou1Text, Meisyou1X, Meisyou1Y, Meisyou1Size,
    Meisyou2Text, Meisyou2X, Meisyou2Y, Meisyou2Size,
    Meisyou3Text, Meisyou3X, Meisyou3Y, Meisyou3Size,
    Meisyou4Text, Meisyou4X, Meisyou4Y, Meisyou4Size,
    Meisyou5Text, Meisyou5X, Meisyou5Y, Meisyou5Size,
    Meisyou6Text, Meisyou6X, Meisyou6Y, Meisyou6Size,
    Jouken1Text, Jouken1X, Jouken1Y, Jouken1Size,
    Jouken2Text, Jouken2X, Jouken2Y, Jouken2Size,
    Jouken3Text, Jouken3X, Jouken3Y, Jouken3Size,
    Jouken4Text, Jouken4X, Jouken4Y, Jouken4Size,
    Jouken5Text, Jouken5X, Jouken5Y, Jouken5Size,
    Bikou1Text, Bikou1X, Bikou1Y, Bikou1Size,
    Bikou2Text, Bikou2X, Bikou2Y, Bikou2Size,
    NengappiText1, NengappiText2, NengappiText3, NengappiText4, NengappiX, NengappiY, NengappiSize,
    MitumoriNoText, MitumoriNoX, MitumoriNoY, MitumoriNoSize,
    BikouX, BikouY, BikouSize,
    WakuX, WakuY, WakuSize,
    kHyousiFormFieldCount
};

class HyousiFormRecord : public FixedRecord<752> {
public:
    HyousiFormRecord() = default;
    HyousiFormRecord(const FixedRecord<752>& r) : FixedRecord<752>(r) {}
    static HyousiFormRecord fromBytes(std::string_view data) { return FixedRecord<752>::fromBytes(data); }

    // Widths of the fields in record order.
    static std::span<const std::size_t> fieldWidths();
    // Writes the fields over the whole record: they fill its 752 bytes exactly.
    void storeFields(std::span<const std::string> values);
};

struct HyousiLayout {
    LayoutItem midasi;                  // 見出し, text 0-11
    LayoutItem meisyou;                 // 名称, 25-36
    LayoutItem aite;                    // 相手, 50-55
    LayoutItem kingaku;                 // 金額, 69-80
    LayoutItem tantousya;               // 担当者, 94-99
    std::array<LayoutItem, 6> meisyouN; // 名称1-6, 40 columns each from 113, every 53
    std::array<LayoutItem, 5> jouken;   // 条件1-5, 12 columns each from 431, every 25
    std::array<LayoutItem, 2> bikouN;   // 備考1-2, 50 columns each at 556 and 619
    std::array<std::string, 4> nengappi; // 年月日 parts 682-685, 687-688, 690-691, 693-694
    LayoutPos nengappiPos;              // 696-706
    LayoutItem mitumoriNo;              // 見積番号, 708-715
    LayoutPos bikou;                    // 備考, 729-739
    LayoutPos waku;                     // 枠, 741-751
    bool operator==(const HyousiLayout&) const = default;
};

HyousiLayout ParseHyousi(const HyousiFormRecord& record);
