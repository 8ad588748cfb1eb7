// Command 32808 テキストファイル出力 of the totals view: the summary page (category 1) as a
// TAB-separated text file, one line per row, the fields exactly as stored.
#include <string_view>

#include "estimate/GyouRecord.h"
#include "export/TextExport.h"
#include "grid/FieldTable.h"
#include "totals/TotalDoc.h"
#include "totals/TotalExport.h"
#include "totals/TotalView.h"
#include "totals/TtextDialog.h"

namespace kiv::exporting {

std::string TotalTextLine(const std::string& stored) {
    using G = GyouRecord;
    // The row ends at its first NUL; what is missing reads as blanks, so every line keeps its
    // columns and its length.
    std::string row = stored.substr(0, stored.find('\0'));
    G::padLength(row);
    static constexpr int kFields[] = {G::Kakeritu, G::Hinmei, G::Kikaku, G::Kingaku1,
                                      G::Kingaku2, G::Bikou1, G::Bikou2};
    const FieldTable& t = g_TotalFieldTable;
    std::string line;
    line.reserve(160);
    for (int f : kFields) {
        if (f != kFields[0])
            line.push_back('\t');
        AppendTextField(line, std::string_view(row).substr(static_cast<std::size_t>(t.Offset[f - 1]),
                                                           static_cast<std::size_t>(t.Width[f - 1])));
    }
    line += "\r\n";
    return line;
}

std::string TotalTextFileData(const CTotalDoc& doc) {
    std::string data;
    const auto pages = TotalPages(doc);
    if (pages.empty())
        return data;
    data.reserve(pages[0].size() * 157);
    for (const std::string* row : pages[0])
        data += TotalTextLine(*row);
    return data;
}

} // namespace kiv::exporting

void CTotalView::OnTextOut() {
    CTotalDoc* d = GetDocument();
    if (!d)
        return;
    using namespace kiv::exporting;
    CTtextDialog dlg(d->pathName());
    ExportRun run = TotalExportRun(*this, dlg, dlg.m_Path);
    run.prepare = [d] { StoreAndRecalcTotalsForExport(*d); };
    // Built whole and written in one go, so a failure leaves no partial file.
    run.walk = [&] { return WriteExportTextFile(dlg.m_Path, TotalTextFileData(*d)); };
    RunExport(run);
}
