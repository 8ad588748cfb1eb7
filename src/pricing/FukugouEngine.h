#pragma once
// The one pricing engine of a row's breakdown: every material, labour and lump-sum amount, the
// totals and the composite unit price (複合単価) of both price tracks. The estimate row, the
// detail dialog and the master row all price through it; they differ only in the few points
// FukugouUse names.
//
// Each amount is rounded by the composite rounding mode, kept as its text in the breakdown and
// read back from that text, so every later step uses the amount as it is shown.
#include <array>
#include <string>

#include "platform/text/Decimal.h"
#include "pricing/KivDetail.h"

// Intermediate results the recalculation's calculators read; index 0 = track 1, 1 = track 2.
struct FukugouKekka {
    std::array<kiv::text::Decimal, 2> Tanka{};       // composite unit price
    std::array<kiv::text::Decimal, 2> ZairyouKei{};  // material total
    std::array<kiv::text::Decimal, 2> Tugite{};
    std::array<kiv::text::Decimal, 2> Setugou{};
    std::array<kiv::text::Decimal, 2> Siji{};
    std::array<kiv::text::Decimal, 2> Haturi{};
};

enum class FukugouUse {
    // An estimate row: amounts keep their texts also when zero; その他２ takes no 付属品.
    Row,
    // The detail dialog: the row's formulas, so it shows the composite the row gets; zero amounts
    // show empty, a composite wider than its 10-character box too; 材料を合計して表示 follows
    // whether material lines 2-7 carry an amount 1.
    Dialog,
    // A master row: 材料費計 includes 継ぎ手, 接合材, 支持材 and 付属品; その他２ takes no はつり.
    Master,
    // The detail dialog on a master row: shown like Dialog, but その他２ and the composite on the
    // master row's base, so the dialog shows the composite the row gets. Its 材料費計 box stays
    // the sum of the material amounts (材料を合計して表示 writes that box into 単価1).
    MasterDialog,
};

struct FukugouOptions {
    int marume = 0;   // composite rounding mode (FukugouMarume): 1, 2, 3, anything else none
    FukugouUse use = FukugouUse::Row;
};

struct FukugouResult {
    FukugouKekka kekka;
    // The composite unit price of each track as its field takes it, empty for 0.
    std::array<std::string, 2> compositeText;
    // The composite does not fit its 10-character field.
    std::array<bool, 2> tooWide{};
    // Material lines 2-7 carry an amount (1 or 2) while 材料を合計して表示 was not set.
    bool severalMaterials = false;
    // Labour line 1 has a productivity rate but no labour unit price 1.
    bool labourPriceMissing = false;
    // A track-1 継ぎ手, 接合材, 支持材 or はつり amount: the item needs sleeve material.
    bool needSleeve = false;
    // The rounding ladder was applied to the composite.
    bool ladder = false;
    // 材料を合計して表示 as the pricing took it.
    bool zaiGoukei = false;
};

// The lump-sum lines of a breakdown, in the engine's order.
enum class Issiki { Tugite, Setugou, Siji, Fuzoku, Haturi, Zatuzai, Unpan, Sonota1, Sonota2 };
inline constexpr std::size_t kIssikiCount = 9;

// The numbers of a breakdown as the engine reads them: its texts parsed once. Index [track][line].
struct FukugouInput {
    using Decimal = kiv::text::Decimal;
    std::array<std::array<Decimal, KivDetail::kZaiLines>, 2> zaiTanka{};
    std::array<Decimal, KivDetail::kZaiLines> zaiSuu{};
    std::array<Decimal, KivDetail::kRoumuLines> roumuBukake{};
    std::array<std::array<Decimal, KivDetail::kRoumuLines>, 2> roumuTanka{};
    std::array<Decimal, kIssikiCount> ritu{};
    std::array<Decimal, kIssikiCount> suu{};   // the lump-sum quantities ("1")
    bool zaiGoukei = false;
};

// Every amount of a pricing before its rounding, for the breakdown's texts. Index [track][line].
struct FukugouAmounts {
    using Decimal = kiv::text::Decimal;
    std::array<std::array<Decimal, KivDetail::kZaiLines>, 2> zai{};
    std::array<std::array<Decimal, KivDetail::kRoumuLines>, 2> roumu{};
    std::array<std::array<Decimal, 2>, kIssikiCount> issiki{};   // [line][track]
    std::array<Decimal, 2> zaiKei{}, roumuKei{}, zaikouKei{};
};

// Prices the breakdown: the amounts, totals and composite texts go into `d`.
FukugouResult CalcFukugou(KivDetail& d, const FukugouOptions& opt);
// The same on its numbers, for callers that need no amount texts (the recalculation prices every
// row of an item on every pass); `amounts`, when given, receives the amounts before rounding.
// `zaiGoukei` of the result is the flag the pricing went by (the dialog's own, from its lines).
FukugouResult CalcFukugou(const FukugouInput& in, const FukugouOptions& opt, FukugouAmounts* amounts = nullptr);

// R, the amount rounding: two decimals in mode 3, else the integer part of the value rounded to
// one decimal. The text is "%13.2f" or "%12.1f" less its last two characters.
std::string FukugouAmountText(const kiv::text::Decimal& v, int marume);
kiv::text::Decimal FukugouRound(const kiv::text::Decimal& v, int marume);
// The rounding ladder of the composite unit price by the value's size and the mode.
kiv::text::Decimal FukugouLadder(const kiv::text::Decimal& w, int marume);
