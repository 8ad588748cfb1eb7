#pragma once
// The master's rows for the commands that only read a few of them (the template rows of the
// computed kinds), through the master file's reader (MstFile.h): the file is never opened for
// writing and no document is involved, so the estimate is not disturbed.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "estimate/MstFile.h"
#include "estimate/SetteiRecord.h"

inline constexpr int kKeisanTemplateCount = 13;

// The rows with a category, in file order, each as stored (not padded). A damaged or cut-off
// archive yields nullopt; `error` then holds a UTF-8 reason. With `wholeOnly`, a file that counts
// more than 30,000 rows with a category is refused the same way instead of being cut.
std::optional<std::vector<std::string>> ParseMstRows(std::string_view bytes, std::string* error = nullptr,
                                                     bool wholeOnly = false);

// The file's rows, or nullopt with a UTF-8 message naming the file when it is missing,
// unreadable or damaged (or, with `wholeOnly`, too long to be read whole).
std::optional<std::vector<std::string>> ReadMstRows(const std::filesystem::path& path, std::string& message,
                                                    bool wholeOnly = false);

// The kind whose master category supplies template slot `slot` (0-12): 継手材計算, 接合材計算,
// 支持材計算, 運搬費, 付属品１計算, 付属品２計算, 雑材, 労務費1-4, 経費1, 消費税.
EnzanCode KeisanTemplateKind(int slot);

struct KeisanTemplates {
    std::array<std::string, kKeisanTemplateCount> rows;   // 1400 bytes each, empty when none
    bool oldLayout = false;   // the first row is not of the current length: no templates taken
};

// The template of each kind: row 2 of the category numbered by the kind's code (a later match
// wins). Rows of the current length have their category and row number (characters 0-7) copied
// to 分類 and ＮＯ (302-309) first, which is what the templates carry into the estimate.
KeisanTemplates FindKeisanTemplates(const std::vector<std::string>& rows, const SetteiValues& codes);

// FindKeisanTemplates over the file's rows, read as ReadMstRows reads them (the same messages,
// `wholeOnly` alike), without keeping any row but the templates.
std::optional<KeisanTemplates> ReadKeisanTemplates(const std::filesystem::path& path, const SetteiValues& codes,
                                                   std::string& message, bool wholeOnly = false);

// The old-layout message of the template readers.
extern const char* const kMstOldLayoutMessage;
