#pragma once
// The totals exports: the summary page as a TAB-separated text file (command 32808) and every
// category page as a workbook (command 32884). Both first store the grid's page and, when the
// totals changed since their last full recalculation, recalculate every category; both read the
// rows of the view's own document; neither moves the view's position.
#include <string>
#include <vector>

#include "export/ExportRun.h"

class CTotalDoc;
class CTotalView;

namespace kiv::excel {
class ExcelSession;
}

namespace kiv::exporting {

// The editing position of a totals view, kept over an export.
struct TotalExportPosition {
    int koumoku = 1, gyou = 1, top = 0, screen = 1;
};
TotalExportPosition SaveTotalPosition(const CTotalDoc& doc);
// The page in the grid stored into the document, then every category recalculated when the
// totals need it (its messages each shown once).
void StoreAndRecalcTotalsForExport(CTotalDoc& doc);
// The position put back, the view redrawn and its caret shown.
void RestoreTotalViewAfterExport(CTotalView& view, const TotalExportPosition& pos);
// A run of the totals view with its options `dialog` and that dialog's output `path`: its
// position kept over the walk and put back after, the view redrawn; the caller sets the walk
// and, when the walk does not, the storing and recalculation.
ExportRun TotalExportRun(CTotalView& view, kiv::ui::Dialog& dialog, const std::string& path);
// The stored rows of the categories CTotalDoc::WalkKoumoku names, one element each in that
// order (category 1 first), each in pool order, as the grid loads them.
std::vector<std::vector<const std::string*>> TotalPages(const CTotalDoc& doc);

// One line of the totals text file: 分類 (field 33, five bytes), 品名, 規格, 積算金額, 実行金額,
// 備考1 and 備考2 at their full widths, TAB between, CR LF: 157 bytes for every row.
std::string TotalTextLine(const std::string& row);
// The lines of the summary page (category 1), in row order.
std::string TotalTextFileData(const CTotalDoc& doc);

// Sheet rows of one printed page of the totals sheet, under its two caption rows.
constexpr int kTotalPageRows = 74;
// The workbook of every category page, saved under `pathCp932`: the sheet "内訳書" with its
// page settings and captions, then the document stored and recalculated when due, then two sheet
// rows per totals row and framed rows to each category's page end. Throws
// kiv::excel::ExcelCallError when a call fails; nothing is saved then.
void WriteTotalWorkbook(CTotalDoc& doc, const std::string& pathCp932, kiv::excel::ExcelSession& session);

} // namespace kiv::exporting
