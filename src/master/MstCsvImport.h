#pragma once
// The master's CSV import: the lines of a spreadsheet's CSV file as master rows. It reads the
// file as the estimate's import does (one reader, the same column rules), with the master's
// columns: 品名, 規格, 単位 (four bytes from field 11), 単価 and, when asked, the same texts in
// material line 1. The 数量 column is chosen but not read: master rows have no quantities. The
// rows are unpriced and their key is blank; the paste numbers them.
#include <array>
#include <string>
#include <string_view>
#include <vector>

struct MstCsvSettings {
    std::string Path;                    // CP932
    std::array<std::string, 5> Columns;  // 品名, 規格, 数量, 単位, 単価: "01".."99", "00" not read
    int WriteSyousai = 1;                // 詳細への１行目へも書込み
};

inline constexpr std::size_t kMstCsvMaxBytes = 300000;
inline constexpr int kMstCsvMaxLines = 999;

// The rows of the CSV text; false with the message that stops the import.
bool MstCsvToGyou(std::string_view text, const MstCsvSettings& s, std::vector<std::string>& rows,
                  std::string& message);
// The same from the file s.Path.
bool ReadMstCsvFile(const MstCsvSettings& s, std::vector<std::string>& rows, std::string& message);
