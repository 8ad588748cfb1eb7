#pragma once
// The rows the benchmarks run on, built here so that the golden test of the recalculation saves
// the very estimates and master the benchmarks time (with the computed kinds and rates the
// benchmarks leave out added in its own variants).
#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "estimate/GyouRecord.h"
#include "estimate/MstFile.h"
#include "estimate/SetteiRecord.h"
#include "platform/text/Cp932.h"

namespace benchsupport {

using G = GyouRecord;

// The operation-category code of a kind: the estimates here give slot k the code 9001 + k.
inline int code(EnzanCode k) { return 9001 + static_cast<int>(k); }

// A row with its key and a supply factor of 1.0.
inline std::string plainRow(int item, int gyou) {
    std::string r = G::blankRow();
    G::writeKey(r, item, gyou);
    G::putNumber(r, G::Hokyuu, "1.0");
    return r;
}

// A breakdown row: three material lines summed, labour No 18, joint and sundry rates.
inline std::string materialRow(int item, int gyou) {
    std::string r = plainRow(item, gyou);
    G::putNumber(r, G::HiroidasiSuu1, "12.5");
    G::putNumber(r, G::HiroidasiSuu2, "12.5");
    G::putNumber(r, G::Tanka1, "1800");
    G::putNumber(r, G::Tanka2, "1700");
    for (int line = 0; line < 3; ++line) {
        const int f = G::MaterialFirstField + 8 * line;
        G::putNumber(r, f + 3, line == 0 ? "1.0" : "2.0");                    // quantity
        G::putNumber(r, f + 5, std::to_string(600 + 150 * line));              // unit price 1
        G::putNumber(r, f + 6, std::to_string(550 + 150 * line));              // unit price 2
    }
    G::putNumber(r, G::ZaiGoukei, "1");
    G::putNumber(r, G::Roumu1No, "18");
    G::putNumber(r, G::Bukake1, "0.12");
    G::putNumber(r, G::TugiteRitu, "0.05");
    G::putNumber(r, G::ZatuzaiRitu, "0.03");
    return r;
}

// A row of a computed kind (labour rows 1 carry the trade's unit price).
inline std::string computedRow(int item, int gyou, EnzanCode kind, const char* kakeritu = nullptr) {
    std::string r = plainRow(item, gyou);
    G::putNumber(r, G::BunNo, std::to_string(code(kind)));
    if (kind == EnzanCode::Roumuhi1)
        G::putNumber(r, G::Tanka1, "19000");
    if (kakeritu)
        G::putNumber(r, G::Kakeritu, kakeritu);
    return r;
}

// Appends `materials` breakdown rows closed by 継手, 雑材, 労務費1 and 小計.
inline void section(std::vector<std::string>& rows, int item, int& gyou, int materials) {
    for (int k = 0; k < materials; ++k)
        rows.push_back(materialRow(item, ++gyou));
    for (EnzanCode kind : {EnzanCode::Tugite, EnzanCode::Zatuzai, EnzanCode::Roumuhi1, EnzanCode::Syoukei})
        rows.push_back(computedRow(item, ++gyou, kind));
}

// A breakdown row with everything a row can carry: seven material lines in both tracks, three
// labour lines (trades 18, 32 and 8, or 2 on every other row), every rate, odd quantities and
// prices (`n` varies them) so that the roundings meet halves and long fractions.
inline std::string fullMaterialRow(int item, int gyou, int n, int bunNo = 0) {
    std::string r = plainRow(item, gyou);
    G::putText(r, G::Hinmei, kiv::text::sj("配管用炭素鋼鋼管"));
    G::putText(r, G::Kikaku, "25A-" + std::to_string(n));
    G::putNumber(r, G::HiroidasiSuu1, std::to_string(1 + n % 37) + "." + std::to_string(n % 10) + "5");
    G::putNumber(r, G::HiroidasiSuu2, std::to_string(2 + n % 23) + ".125");
    G::putNumber(r, G::Tanka1, std::to_string(1234 + 7 * (n % 101)));
    G::putNumber(r, G::Tanka2, std::to_string(999 + 11 * (n % 53)) + ".5");
    G::putNumber(r, G::Hokyuu, n % 3 == 0 ? "1.05" : "1.1");
    for (int line = 0; line < 7; ++line) {
        const int f = G::MaterialFirstField + 8 * line;
        G::putText(r, f + 1, kiv::text::sj("資材") + std::to_string(line));
        G::putNumber(r, f + 3, std::to_string(1 + line) + "." + std::to_string((n + line) % 10) + "5");
        G::putNumber(r, f + 5, std::to_string(300 + 37 * line + n % 97) + ".5");
        G::putNumber(r, f + 6, std::to_string(280 + 41 * line + n % 89));
    }
    G::putNumber(r, G::ZaiGoukei, "1");
    G::putNumber(r, G::Roumu1No, "18");
    G::putNumber(r, G::Roumu2No, "32");
    G::putNumber(r, G::Roumu3No, n % 2 ? "8" : "2");
    G::putNumber(r, G::Roumu1Bukake, "0.125");
    G::putNumber(r, G::Roumu2Bukake, "0.0333");
    G::putNumber(r, G::Roumu3Bukake, "0.25");
    const std::array<const char*, 9> rates{"0.05", ".035", ".125", ".015", "0.02", ".045", ".035", ".015", ".075"};
    const std::array<int, 9> rateFields{G::TugiteRitu, G::SetugouRitu, G::SijiRitu,    G::HaturiRitu, G::UnpanRitu,
                                        G::FuzokuRitu, G::ZatuzaiRitu, G::Sonota1Ritu, G::Sonota2Ritu};
    for (std::size_t k = 0; k < rates.size(); ++k)
        if (!G::putNumber(r, rateFields[k], rates[k]))
            throw std::logic_error("a rate wider than its field");
    if (bunNo)
        G::putNumber(r, G::BunNo, std::to_string(bunNo));
    return r;
}

// A block holding every kind of row the recalculation computes: the four heading kinds, full
// breakdown rows (some of them in the two accessory base categories), every lump sum, the four
// labour trades, the four totals, the three expense kinds, the spare code and the tax, closed by
// the item total. Appended at row `gyou` + 1 of `item`.
inline void everyKindBlock(std::vector<std::string>& rows, int item, int& gyou) {
    using E = EnzanCode;
    for (E kind : {E::Daikoumoku, E::Tyuukoumoku, E::Syoukoumoku, E::Saimoku})
        rows.push_back(computedRow(item, ++gyou, kind));
    for (int n = 0; n < 8; ++n) {
        const int bun = n % 4 == 1 ? code(E::Fuzokuhin1Hi) : n % 4 == 2 ? code(E::Fuzokuhin2Hi) : 0;
        rows.push_back(fullMaterialRow(item, ++gyou, item * 31 + n, bun));
    }
    for (E kind : {E::Tugite, E::Setugouzai, E::Sijizai, E::Fuzokuhin1, E::Fuzokuhin2, E::Sleeve, E::Unpanhi,
                   E::Zatuzai})
        rows.push_back(computedRow(item, ++gyou, kind, kind == E::Unpanhi ? "1.5" : kind == E::Sleeve ? "0.02" : nullptr));
    for (E kind : {E::Roumuhi1, E::Roumuhi2, E::Roumuhi3, E::Roumuhi4}) {
        std::string r = computedRow(item, ++gyou, kind);
        G::putNumber(r, G::Tanka1, kind == E::Roumuhi4 ? "15250" : "19000");
        G::putNumber(r, G::Tanka2, "18500");
        rows.push_back(std::move(r));
    }
    rows.push_back(computedRow(item, ++gyou, E::Saikei));
    rows.push_back(fullMaterialRow(item, ++gyou, item * 31 + 9));
    rows.push_back(computedRow(item, ++gyou, E::KoumokunaiKei));
    rows.push_back(computedRow(item, ++gyou, E::Syoukei));
    rows.push_back(computedRow(item, ++gyou, E::Tyuukei));
    rows.push_back(computedRow(item, ++gyou, E::Keihi1, "0.155"));
    rows.push_back(computedRow(item, ++gyou, E::Keihi2, "0.0725"));
    std::string own = computedRow(item, ++gyou, E::Keihi3, "0.03");
    G::putNumber(own, G::HiroidasiSuu1, "2.5");
    G::putNumber(own, G::Tanka1, "123457");
    G::putNumber(own, G::Tanka2, "120001");
    rows.push_back(std::move(own));
    rows.push_back(computedRow(item, ++gyou, E::Spare));
    rows.push_back(computedRow(item, ++gyou, E::Syouhizei, "0.1"));
    rows.push_back(computedRow(item, ++gyou, E::HyousiKei));
}

// One item of 9,999 rows: ten sections of breakdown rows, an expense row, the tax and the item
// total. With `everyKind` the last section is shorter and the every-kind block stands before the
// expense row, so the item still holds 9,999 rows.
inline std::vector<std::string> koumoku9999Rows(bool everyKind = false) {
    std::vector<std::string> rows;
    int gyou = 0;
    int block = 0;
    if (everyKind) {
        std::vector<std::string> probe;
        int g = 0;
        everyKindBlock(probe, 1, g);
        block = g;
    }
    for (int s = 0; s < 10; ++s)
        section(rows, 1, gyou, (s < 6 ? 996 : 995) - (s == 9 ? block : 0));
    if (everyKind)
        everyKindBlock(rows, 1, gyou);
    rows.push_back(computedRow(1, ++gyou, EnzanCode::Keihi1, "0.15"));
    rows.push_back(computedRow(1, ++gyou, EnzanCode::Syouhizei, "0.1"));
    rows.push_back(computedRow(1, ++gyou, EnzanCode::HyousiKei));
    return rows;
}

// 100 items: item 1 holds a heading row per later item (its symbol and quantity 1), each later
// item its heading row and 94 breakdown rows closed as a section. With `everyKind` every later
// item ends with the every-kind block.
inline std::vector<std::string> allItemsRows(bool everyKind = false) {
    std::vector<std::string> rows;
    auto symbol = [](int item) {
        std::string s = "K" + std::to_string(item);
        s.resize(4, ' ');
        return s;
    };
    for (int item = 2; item <= 100; ++item) {
        std::string r = computedRow(1, item - 1, EnzanCode::Daikoumoku);
        G::putText(r, G::Kigou, symbol(item));
        G::putNumber(r, G::HiroidasiSuu1, "1");
        rows.push_back(r);
    }
    for (int item = 2; item <= 100; ++item) {
        int gyou = 0;
        std::string head = computedRow(item, ++gyou, EnzanCode::Daikoumoku);
        G::putText(head, G::Kigou, symbol(item));
        rows.push_back(head);
        section(rows, item, gyou, 94);
        if (everyKind)
            everyKindBlock(rows, item, gyou);
    }
    return rows;
}

// 9,999 rows in 100 items, 1,000 distinct composite rows (each with two materials, a joint rate
// and labour line 1 at number 1), the rest plain rows.
inline std::vector<std::string> compositeRows() {
    using kiv::text::sj;
    std::vector<std::string> rows;
    int n = 0;
    for (int item = 1; item <= 100; ++item)
        for (int g = 1; g <= (item == 100 ? 99 : 100); ++g, ++n) {
            std::string r = G::blankRow();
            G::writeKey(r, item, g);
            G::putText(r, G::Hinmei, sj("配管用炭素鋼鋼管"));
            G::putText(r, G::Kikaku, "25A-" + std::to_string(n % 1000));
            G::putNumber(r, G::HiroidasiSuu1, "12.5");
            G::putNumber(r, G::SekisanSuu1, "13.1");
            G::putText(r, G::Tanni, "m");
            G::putNumber(r, G::Tanka1, "1850");
            G::putNumber(r, G::Kingaku1, "24235");
            G::putNumber(r, G::Hokyuu, "1.05");
            if (n % 10 < 1 || n < 1000) {
                G::putNumber(r, G::FukuHyouji, "1");
                G::putText(r, G::Zai1Hinmei, sj("鋼管"));
                G::putNumber(r, G::Zai1Suu, "1.05");
                G::putNumber(r, G::Zai1Tanka1, "850");
                G::putText(r, G::Zai2Hinmei, sj("保温材"));
                G::putNumber(r, G::Zai2Suu, "1");
                G::putNumber(r, G::Zai2Tanka1, "420");
                G::putNumber(r, G::TugiteRitu, "0.3");
                G::putNumber(r, G::Roumu1No, "1");
                G::putNumber(r, G::Roumu1Bukake, "0.12");
            }
            rows.push_back(std::move(r));
        }
    return rows;
}

// The full master with every row's whole breakdown filled in: 30,000 rows in 9,999 categories,
// seven material lines, three labour lines and every rate. With `varied` every third row is a
// full breakdown row of varied quantities, prices and rates instead.
inline std::vector<std::string> pricedMasterRows(int bunMax, bool varied = false) {
    std::vector<std::string> rows;
    rows.reserve(kMstMaxRows);
    std::vector<int> lineOf(static_cast<std::size_t>(bunMax) + 1, 0);
    const std::array<int, 7> suu{G::Zai1Suu, G::Zai2Suu, G::Zai3Suu, G::Zai4Suu, G::Zai5Suu, G::Zai6Suu, G::Zai7Suu};
    const std::array<int, 7> tanka1{G::Zai1Tanka1, G::Zai2Tanka1, G::Zai3Tanka1, G::Zai4Tanka1,
                                    G::Zai5Tanka1, G::Zai6Tanka1, G::Zai7Tanka1};
    const std::array<int, 7> tanka2{G::Zai1Tanka2, G::Zai2Tanka2, G::Zai3Tanka2, G::Zai4Tanka2,
                                    G::Zai5Tanka2, G::Zai6Tanka2, G::Zai7Tanka2};
    for (int i = 0; i < kMstMaxRows; ++i) {
        const int bun = 1 + static_cast<int>(static_cast<long long>(i) * bunMax / kMstMaxRows);
        const int gyou = ++lineOf[static_cast<std::size_t>(bun)];
        if (varied && i % 3 == 0) {
            rows.push_back(fullMaterialRow(bun, gyou, i));
            continue;
        }
        std::string row = G::blankRow();
        G::writeKey(row, bun, gyou);
        G::putNumber(row, G::Hokyuu, "1.0");
        G::putNumber(row, G::ZaiGoukei, "1");
        for (std::size_t k = 0; k < 7; ++k) {
            G::putNumber(row, suu[k], "1.5");
            G::putNumber(row, tanka1[k], std::to_string(100 + i % 900));
            G::putNumber(row, tanka2[k], std::to_string(120 + i % 900));
        }
        for (int f : {G::Bukake1, G::Roumu2Bukake, G::Roumu3Bukake})
            G::putNumber(row, f, "0.25");
        G::putNumber(row, G::Roumu1No, "1");
        G::putNumber(row, G::Roumu2No, "2");
        G::putNumber(row, G::Roumu3No, "3");
        for (int f : {G::TugiteRitu, G::SetugouRitu, G::SijiRitu, G::HaturiRitu, G::UnpanRitu, G::FuzokuRitu,
                      G::ZatuzaiRitu, G::Sonota1Ritu, G::Sonota2Ritu})
            G::putNumber(row, f, "0.05");
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace benchsupport
