// Command 32808 テキストファイル出力 of the estimate view: the breakdown as a TAB-separated text
// file, one line per row of every item.
#include "estimate/KivDoc.h"
#include "export/ExportRun.h"
#include "export/TextDialog.h"
#include "export/TextExport.h"
#include "export/UtiwakeRow.h"
#include "grid/KivView.h"

namespace kiv::exporting {

std::string UtiwakeTextLine(const UtiwakeTexts& t, bool doubleSpacing) {
    std::string line;
    line.reserve(160);
    for (std::size_t i = 0; i < t.col.size(); ++i) {
        if (i > 0)
            line.push_back('\t');
        AppendTextField(line, t.col[i]);
    }
    line += doubleSpacing ? "\r\n\r\n" : "\r\n";
    return line;
}

} // namespace kiv::exporting

void CKivView::OnTextOut() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    using namespace kiv::exporting;
    CTextDialog dlg(d->pathName());
    ExportRun run = EstimateExportRun(*this, dlg, dlg.m_Path, 1);
    run.walk = [&] {
        UtiwakeOptions rows;
        rows.bikou1 = dlg.m_Bikou1 != 0;
        rows.roumuNinzuu = dlg.m_RoumuNinzuu != 0;
        const bool doubleSpacing = dlg.m_DoubleSpacing != 0;
        // The file is built whole and then written in one go, so a failure leaves no partial file.
        std::string data;
        for (int k = 1; k <= d->KoumokuCount(); ++k) {
            d->SetCurKoumoku(k);
            LoadKoumoku();
            for (int g = 1; g <= d->GyouCount(); ++g) {
                d->SetCurGyou(g);
                LoadGyou();
                data += UtiwakeTextLine(UtiwakeRowTexts(m_EditGyou, d->GetSetteiValues(), rows), doubleSpacing);
            }
        }
        return WriteExportTextFile(dlg.m_Path, data);
    };
    RunExport(run);
}
