#pragma once
// The changes a row gets before it is printed or exported, made on a copy (the document keeps
// its rows): the quantity-one rule and the labour rows printed as one lump sum.
#include <string>
#include <string_view>

struct SetteiValues;

// The bytes as printed: a double-byte character whose second byte is missing at the end (a
// field or layout text cut in half) becomes a blank.
std::string PrintableText(std::string_view cp932);

// When 拾出数量1 and 積算数量1 both read 1 as numbers, blanks 単価1 and 複合単価1; nothing else.
void BlankTankaIfSuuOne(std::string& row);

// A labour row of the 労務費1(配管工) or 労務費2(機械工) category prints as one lump sum: 積算数量1
// "1", no 単価1, and "式" in the first two bytes of the unit. False (row unchanged) for any
// other row.
bool RewriteRoumuIsshiki(std::string& row, const SetteiValues& settei);
