// Command 32889 単価表エクセルファイル出力 of the estimate view: the dialog, the path checks,
// the composite unit-price workbook and the view put back as it was.
#include "estimate/KivDoc.h"
#include "export/DaikaExcelDialog.h"
#include "export/DaikaWorkbook.h"
#include "export/ExportRun.h"
#include "export/excel/ExcelSession.h"
#include "grid/KivView.h"

void CKivView::OnDaikaExcel() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    using namespace kiv::exporting;
    CDaikaExcelDialog dlg(d->pathName());
    // Slot 8: the row pricing's own saves use slot 1. An untitled estimate's empty name stops at
    // the path check, not at the save.
    ExportRun run = EstimateExportRun(*this, dlg, dlg.m_OutPath, 8);
    run.browsedPath = &dlg.m_BrowsedPath;
    // The workbook stores, recalculates and shows the wait cursor once its progress window is up.
    run.prepare = nullptr;
    run.waitCursor = false;
    // The pricing's messages are gathered over the walk and shown once, after the save.
    run.messages = ExportMessages::BeforeFailure;
    run.walk = [&] {
        DaikaWorkbookOptions options;
        options.path = dlg.m_OutPath;
        options.doubleSpacing = dlg.m_DoubleSpacing != 0;
        return WriteWorkbook([&](kiv::excel::ExcelSession& session) { DaikaWorkbook(*this, options).Write(session); });
    };
    RunExport(run);
}
