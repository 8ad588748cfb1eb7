#pragma once
// What the master's price commands share: the rate rule of その他率を変換 and the message on rows
// whose converted prices did not fit.
#include <string>
#include <string_view>

// A rate text of その他一括変換 is taken when it is empty (the rate is cleared) or a number.
bool IsSonotaRituText(std::string_view text);
// その他１ and その他２ (fields 31, 32) of `row` from the two rate texts: an empty text clears its
// field; a number is written right-aligned in the field's four characters, except on a row with
// no productivity rate and no 雑材 rate, whose rates are only cleared.
void ApplySonotaRitu(std::string& row, std::string_view ritu1, std::string_view ritu2);

// "10桁を越えるため変換しなかった行がN行あります。最初は分類NNNNのN行目です。"
std::string TooWideMessage(int count, int bun, int gyou);
