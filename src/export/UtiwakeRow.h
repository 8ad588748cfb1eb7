#pragma once
// The eight texts of a breakdown row as the exports write it (columns A to H of the workbook,
// the eight fields of the text file): 記号, 品名, 規格, 積算数量, 単位, unit price, 金額, 備考.
// Labour rows become a lump sum unless the user asked for them by head count, and the
// quantity-one rule blanks the unit price; the changes are made on a copy of the row.
#include <array>
#include <string>
#include <string_view>

struct SetteiValues;

namespace kiv::exporting {

struct UtiwakeOptions {
    bool bikou1 = true;        // 備考１を出力: remarks from 備考1, else 備考2
    bool roumuNinzuu = false;  // 労務費を人数で出力: labour rows as they stand
};

struct UtiwakeTexts {
    enum Column { A, B, C, D, E, F, G, H };
    std::array<std::string, 8> col;   // CP932
};

// The texts of one estimate row: A untrimmed, B, C and H without trailing blanks, D, F and G as
// stored (numbers with their leading blanks), E the four-byte unit. F is 複合単価1 in the
// composite style, else 単価1; a blank price gives the amount instead.
UtiwakeTexts UtiwakeRowTexts(std::string_view row, const SetteiValues& settei, const UtiwakeOptions& options);

} // namespace kiv::exporting
