#pragma once
// What the master's bulk commands share with their tests: the rate rule of その他率を変換.
#include <string>
#include <string_view>

// A rate text of その他一括変換 is taken when it is empty (the rate is cleared) or a number.
bool IsSonotaRituText(std::string_view text);
// その他１ and その他２ (fields 31, 32) of `row` from the two rate texts: an empty text clears its
// field; a number is written right-aligned in the field's four characters, except on a row with
// no productivity rate and no 雑材 rate, whose rates are only cleared.
void ApplySonotaRitu(std::string& row, std::string_view ritu1, std::string_view ritu2);
