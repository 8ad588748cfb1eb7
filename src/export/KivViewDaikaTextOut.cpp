// Command 32848 代価表/単価表テキストファイル出力 of the estimate view: the composite unit-price
// sheet as a TAB-separated text file.
#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "export/DaikaSheet.h"
#include "export/DaikaTextDialog.h"
#include "export/ExportRun.h"
#include "export/TextExport.h"
#include "grid/FieldTable.h"
#include "grid/KivView.h"
#include "platform/text/Number.h"

namespace kiv::exporting {

std::string DaikaCaptionLine(bool doubleSpacing) {
    // The printed estimate's captions of the sheet's columns; the text columns lose their
    // trailing blanks, the others keep their width (the unit takes its tail too).
    auto caption = [](int field, int width = 0) {
        const auto& f = GyouRecord::layout(field);
        return std::string_view(g_KivPrintTitleText)
            .substr(static_cast<std::size_t>(f.Offset), static_cast<std::size_t>(width ? width : f.Width));
    };
    std::string line;
    for (int field : {GyouRecord::Hinmei, GyouRecord::Kikaku, GyouRecord::HiroidasiSuu1, GyouRecord::Tanni,
                      GyouRecord::Tanka1, GyouRecord::Kingaku1, GyouRecord::Bikou1}) {
        line.push_back('\t');
        std::string_view c = field == GyouRecord::Tanni ? caption(field, 4) : caption(field);
        if (field == GyouRecord::Hinmei || field == GyouRecord::Kikaku || field == GyouRecord::Bikou1)
            c = kiv::text::trimRightBlanks(c);
        AppendTextField(line, c);
    }
    line += doubleSpacing ? "\r\n\r\n" : "\r\n";
    return line;
}

std::string DaikaTextLine(const DaikaLine& l, bool doubleSpacing) {
    std::string line;
    line.reserve(200);
    for (const std::string& c : l.cell) {
        line.push_back('\t');
        AppendTextField(line, c);
    }
    // The computed lines and the closing two end with an empty remarks column and one TAB more.
    if (l.kind == DaikaLine::Rate || l.kind == DaikaLine::Total || l.kind == DaikaLine::Tanka)
        line.push_back('\t');
    // Blocks are parted by one empty line, also with double spacing.
    line += doubleSpacing || l.kind == DaikaLine::Tanka ? "\r\n\r\n" : "\r\n";
    return line;
}

} // namespace kiv::exporting

void CKivView::OnDaikaTextOut() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    using namespace kiv::exporting;
    CDaikaTextDialog dlg(d->pathName());
    // Slot 8: the row pricing's own saves use slot 1.
    ExportRun run = EstimateExportRun(*this, dlg, dlg.m_Path, 8);
    // The pricing's messages are gathered over the walk and shown once, after the file.
    run.messages = ExportMessages::AfterFailure;
    run.walk = [&] {
        const bool doubleSpacing = dlg.m_DoubleSpacing != 0;
        // The walk prices copies of the stored rows: the estimate and its modified flag stay.
        DaikaSheet sheet = WalkDaikaSheet(*d);
        KeepDaikaKeys(*this, std::move(sheet.keys));
        std::string data = DaikaCaptionLine(doubleSpacing);
        for (const DaikaBlock& b : sheet.blocks)
            for (const DaikaLine& l : b.lines)
                data += DaikaTextLine(l, doubleSpacing);
        return WriteExportTextFile(dlg.m_Path, data);
    };
    RunExport(run);
}
