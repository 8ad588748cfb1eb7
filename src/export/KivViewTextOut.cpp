// Command 32808 テキストファイル出力 of the estimate view: the breakdown as a TAB-separated text
// file, one line per row of every item.
#include "estimate/KivDoc.h"
#include "export/ExportPath.h"
#include "export/ExportRun.h"
#include "export/TextDialog.h"
#include "export/TextExport.h"
#include "export/UtiwakeRow.h"
#include "grid/KivView.h"
#include "platform/ui/App.h"
#include "platform/ui/MessageBox.h"

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
    CTextDialog dlg(d->pathName());
    if (dlg.doModal() != kiv::ui::IDOK)
        return;

    // The path is checked before anything is stored or recalculated; a text file is replaced
    // without a question.
    using namespace kiv::exporting;
    const ExportPathProblem problem = CheckExportPath(dlg.m_Path, d);
    if (problem != ExportPathProblem::None) {
        kiv::ui::messageBox(ExportPathMessage(problem), kiv::ui::MB_OK | kiv::ui::MB_ICONEXCLAMATION, {}, this);
        return;
    }

    hideCaret();
    SavePosition1();
    UtiwakeOptions rows;
    rows.bikou1 = dlg.m_Bikou1 != 0;
    rows.roumuNinzuu = dlg.m_RoumuNinzuu != 0;
    const bool doubleSpacing = dlg.m_DoubleSpacing != 0;
    std::optional<std::string> failure;
    {
        kiv::ui::App::WaitCursorScope wait;
        StoreAndRecalcForExport(*this);
        // The file is built whole and then written in one go, so a failure leaves no partial file.
        std::string data;
        for (int k = 1; k <= d->m_KoumokuCount; ++k) {
            d->m_CurKoumoku[0] = k;
            LoadKoumoku();
            for (int g = 1; g <= d->m_GyouCount; ++g) {
                d->m_CurGyou[0] = g;
                LoadGyou();
                data += UtiwakeTextLine(UtiwakeRowTexts(m_EditGyou, d->m_SetteiValues, rows), doubleSpacing);
            }
        }
        failure = WriteExportTextFile(dlg.m_Path, data);
    }
    RestoreViewAfterExport(*this, 1);
    if (failure)
        kiv::ui::messageBox(*failure, kiv::ui::MB_OK | kiv::ui::MB_ICONEXCLAMATION, {}, this);
}
