#include "grid/RowClipboard.h"

#include <algorithm>

RowClipboard g_RowClipboard;
RowClipboard g_MstRowClipboard;

void RowClipboard::Fill(RowClipKind kind, const std::vector<std::string>& rows, const kiv::ui::View* csvView,
                        bool tankaBikou2) {
    for (auto& r : Rows)
        r.clear();
    Count = std::min(static_cast<int>(rows.size()), kRows);
    std::copy_n(rows.begin(), Count, Rows.begin());
    Kind = kind;
    Armed = false;
    CsvView = kind == RowClipKind::Csv ? csvView : nullptr;
    TankaBikou2 = kind == RowClipKind::TankaCopy && tankaBikou2;
    UndoSerial = 0;
}

bool RowClipboard::PastesIn(const kiv::ui::View& view) const {
    if (!Armed || Kind == RowClipKind::None)
        return false;
    return Kind != RowClipKind::Csv || CsvView == &view;
}

void RowClipboard::ForgetView(const kiv::ui::View& view) {
    if (Kind == RowClipKind::Csv && CsvView == &view) {
        Armed = false;
        CsvView = nullptr;
    }
}
