#pragma once
// The composite unit-price workbook (command 32889 単価表エクセルファイル出力 of the estimate
// view): the sheet "代価表" after the new workbook's own sheets, a caption row, one block per
// distinct composite row (title row, the sheet model's lines, a blank closing row when the block
// reaches its 複合単価) and framed blank rows to the end of the last 50-row page.
#include <string>

#include "export/DaikaSheet.h"

class CKivView;
class CProgressDlg;

namespace kiv::excel {
class ExcelSession;
}

namespace kiv::exporting {

struct DaikaWorkbookOptions {
    std::string path;   // CP932
    // ２行間隔で出力: offered by the dialog; the workbook has one spacing, so nothing depends on it.
    bool doubleSpacing = false;
};

// Sheet rows of one printed page below the caption row.
constexpr int kDaikaPageRows = 50;

// Writes the workbook of the view's estimate. Between the caption row and the blocks the edited
// row and item are stored and a due recalculation runs; the walk itself prices copies, so the
// estimate stays as that left it. The caller saved the position first and restores it after,
// and runs the message pass. Throws kiv::excel::ExcelCallError when a call fails; nothing is
// saved then.
class DaikaWorkbook {
public:
    DaikaWorkbook(CKivView& view, const DaikaWorkbookOptions& options);
    ~DaikaWorkbook();
    void Write(kiv::excel::ExcelSession& session);

private:
    void WriteCaptionRow();
    // One sheet row in the column layout: A empty, B-H the line's seven cells.
    void WriteLine(const DaikaLine& line);
    void PadPage();
    void CloseProgress();

    CKivView& m_View;
    DaikaWorkbookOptions m_Options;
    kiv::excel::ExcelSession* m_S = nullptr;
    int m_R = 2;
    CProgressDlg* m_Progress = nullptr;
};

} // namespace kiv::exporting
