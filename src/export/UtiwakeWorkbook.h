#pragma once
// The breakdown workbook (command 32884 エクセルファイル出力 of the estimate view): the sheet
// "内訳書" with a caption row, every row of every item and framed blank rows to each item's page
// end; with 表紙を出力 a cover sheet "表紙" first, holding the cover data and the first rows of
// item 1, and "内訳書" continuing after them.
#include <string>

#include "export/UtiwakeRow.h"

class CKivView;
class CKivDoc;
class CProgressDlg;

namespace kiv::excel {
class ExcelSession;
}

namespace kiv::exporting {

struct UtiwakeWorkbookOptions {
    std::string path;          // CP932
    bool doubleSpacing = false;
    bool tate = false;         // 縦: portrait; else 横 (landscape)
    bool hyousi = false;       // 表紙を出力
    UtiwakeOptions rows;
};

// Sheet rows of one printed page of "内訳書" and rows of item 1 on the cover sheet.
constexpr int kPageRowsYoko = 36, kPageRowsTate = 84;
constexpr int kCoverRowsYoko = 7, kCoverRowsTate = 32;

// Writes the workbook of the view's estimate, walking its items through the document's current
// item and row (the caller saved the position and stored the row first, and restores them after).
// Throws kiv::excel::ExcelCallError when a call fails; nothing is saved then.
class UtiwakeWorkbook {
public:
    UtiwakeWorkbook(CKivView& view, const UtiwakeWorkbookOptions& options);
    ~UtiwakeWorkbook();
    void Write(kiv::excel::ExcelSession& session);

private:
    void WriteCover();
    void WriteCaptionRow(int row);
    // The current row's texts (empty texts past the item's end).
    UtiwakeTexts CurrentRowTexts(int gyou);
    void WriteRow(const UtiwakeTexts& t);
    void PadPage();
    void CloseProgress();

    CKivView& m_View;
    CKivDoc& m_Doc;
    UtiwakeWorkbookOptions m_Options;
    kiv::excel::ExcelSession* m_S = nullptr;
    int m_R = 2;
    int m_PageRows;
    int m_CoverRows;
    CProgressDlg* m_Progress = nullptr;
};

} // namespace kiv::exporting
