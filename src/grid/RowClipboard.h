#pragma once
// A row clipboard: rows that 行複写, 単価ｺﾋﾟｰ and the CSV import collect and the next 貼り付け
// empties into the current item, in any open estimate (CSV rows only in the view that read them).
// The estimates share one (g_RowClipboard), the masters another (g_MstRowClipboard). It carries
// what it holds: the kind of rows, how many, and for CSV the view; so a paste never depends on
// the range globals, which later range picks overwrite.
#include <cstdint>
#include <string>
#include <vector>

namespace kiv::ui {
class View;
}

enum class RowClipKind {
    None,
    GyouCopy,    // 行複写: whole rows, inserted and recalculated
    TankaCopy,   // 単価ｺﾋﾟｰ: prices (and remarks) laid over consecutive rows
    Csv,         // CSV import: whole rows, inserted without recalculation
};

struct RowClipboard {
    static constexpr int kRows = 30000;
    std::vector<std::string> Rows = std::vector<std::string>(kRows);
    RowClipKind Kind = RowClipKind::None;
    int Count = 0;                    // rows 0..Count-1 are the collected ones
    bool Armed = false;               // the next 貼り付け pastes them
    const kiv::ui::View* CsvView = nullptr;
    bool TankaBikou2 = false;         // 単価ｺﾋﾟｰ with "備考2もコピー": remarks go with the prices
    // The undo snapshot the collecting command took (0 none): the paste continues that command
    // while the snapshot is still usable in the document it pastes into.
    std::uint64_t UndoSerial = 0;

    // Empties every entry and takes `rows` (at most kRows) as the new contents, not yet armed;
    // `csvView` is the view that read CSV rows, `tankaBikou2` the remark choice of 単価ｺﾋﾟｰ.
    void Fill(RowClipKind kind, const std::vector<std::string>& rows, const kiv::ui::View* csvView = nullptr,
              bool tankaBikou2 = false);
    // Whether 貼り付け in `view` pastes rows.
    bool PastesIn(const kiv::ui::View& view) const;
    // A view goes away: CSV rows it read can no longer be pasted.
    void ForgetView(const kiv::ui::View& view);
};

extern RowClipboard g_RowClipboard;      // the estimates'
extern RowClipboard g_MstRowClipboard;   // the masters'
