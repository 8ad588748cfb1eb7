// Command 32884 エクセルファイル出力 of the estimate view: the options dialog, the path checks,
// the recalculation, the breakdown workbook and the view put back as it was.
#include "estimate/KivDoc.h"
#include "export/ExcelDialog.h"
#include "export/ExportRun.h"
#include "export/UtiwakeWorkbook.h"
#include "export/excel/ExcelSession.h"
#include "grid/KivView.h"

void CKivView::OnExcelOut() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    using namespace kiv::exporting;
    ExcelDialog dlg(d->pathName());
    ExportRun run = EstimateExportRun(*this, dlg, dlg.m_Path, 8);
    run.browsedPath = &dlg.m_BrowsedPath;
    run.walk = [&] {
        UtiwakeWorkbookOptions options;
        options.path = dlg.m_Path;
        options.doubleSpacing = dlg.m_DoubleSpacing != 0;
        options.tate = dlg.m_Orientation == 1;
        options.hyousi = dlg.m_Hyousi != 0;
        options.rows.bikou1 = dlg.m_Bikou1 != 0;
        options.rows.roumuNinzuu = dlg.m_RoumuNinzuu != 0;
        return WriteWorkbook(
            [&](kiv::excel::ExcelSession& session) { UtiwakeWorkbook(*this, options).Write(session); });
    };
    RunExport(run);
}
