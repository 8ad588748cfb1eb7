// Command 32884 EXCEL出力 of the totals view: every category page into the sheet "内訳書" of a
// new workbook, two sheet rows per totals row (積算 above, 実行 below), each category filled to
// the end of its printed page.
#include <cstdint>
#include <string_view>

#include "estimate/GyouRecord.h"
#include "export/excel/ExcelSession.h"
#include "grid/FieldTable.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"
#include "totals/TExcelDialog.h"
#include "totals/TotalDoc.h"
#include "totals/TotalExport.h"
#include "totals/TotalView.h"

namespace kiv::exporting {

namespace {

using excel::CellName;
using G = GyouRecord;

constexpr const char* kFraction = "#,##0.##";
constexpr const char* kWhole = "#,###";
constexpr int kColumns = 7;
constexpr char kColumn[kColumns] = {'A', 'B', 'C', 'D', 'E', 'F', 'G'};
constexpr std::uint32_t kWidths[kColumns] = {6, 28, 15, 4, 15, 15, 28};
constexpr std::uint32_t kRowHeight = 13;

// A field of the row at its offset and width in the totals field table.
std::string fieldOf(const std::string& row, int f) {
    const FieldTable& t = g_TotalFieldTable;
    return row.substr(static_cast<std::size_t>(t.Offset[f - 1]), static_cast<std::size_t>(t.Width[f - 1]));
}

std::string trimmed(const std::string& s) { return std::string(text::trimRightBlanks(s)); }

class TotalWorkbook {
public:
    TotalWorkbook(CTotalDoc& doc, excel::ExcelSession& s) : m_Doc(doc), m_S(s) {}

    void Write(const std::string& path) {
        m_S.Start();
        m_S.AddSheet(text::sj("内訳書"));
        m_S.SetupPage(excel::totalsSheetPage());
        WriteCaptions();
        StoreAndRecalcTotalsForExport(m_Doc);
        for (const auto& page : TotalPages(m_Doc)) {
            for (const std::string* row : page)
                WriteRecord(*row);
            FillPage();
        }
        m_S.End(path, false);
    }

private:
    void WriteCaptions() {
        static const char* const captions[2][kColumns] = {
            {"分類", "品　　　　　名", "積 算 数 量", "単", "積 算 単 価", "積 算 金 額", "備　　　　考1"},
            {"NO", "規　　　　　格", "実 行 数 量", "位", "実 行 単 価", "実 行 金 額", "備　　　　考2"}};
        for (int r = 1; r <= 2; ++r)
            for (int c = 0; c < kColumns; ++c) {
                m_S.SetCellText(CellName(kColumn[c], r), text::sj(captions[r - 1][c]));
                m_S.ColumnWidth(kWidths[c]);
                if (c == 0)
                    m_S.RowHeight(kRowHeight);
                m_S.FrameCell();
                if (r == 2)
                    m_S.TopEdgeHairline();
                m_S.Centre();
                m_S.ReleaseRange();
            }
    }

    // The settings every cell of a record takes after its value: frame, the hairline between
    // the two lines of a record on the lower one, centring in columns A and D.
    void Finish(int c, bool lower) {
        m_S.FrameCell();
        if (lower)
            m_S.TopEdgeHairline();
        if (c == 0 || c == 3)
            m_S.Centre();
    }

    void WriteRecord(const std::string& stored) {
        std::string row = stored.substr(0, stored.find('\0'));
        G::padLength(row);
        for (int line = 0; line < 2; ++line) {
            const bool lower = line == 1;
            const int R = m_R + line;
            m_S.SetCellText(CellName('A', R), lower ? std::string() : fieldOf(row, G::BunNo));
            m_S.RowHeight(kRowHeight);
            Finish(0, lower);
            m_S.SetCellText(CellName('B', R), fieldOf(row, lower ? G::Kikaku : G::Hinmei));
            Finish(1, lower);
            m_S.SetCellNumber(CellName('C', R), trimmed(fieldOf(row, lower ? G::SekisanSuu2 : G::SekisanSuu1)), kFraction);
            Finish(2, lower);
            m_S.SetCellText(CellName('D', R), lower ? std::string() : fieldOf(row, G::Tanni) + fieldOf(row, G::TanniTail));
            Finish(3, lower);
            m_S.SetCellNumber(CellName('E', R), trimmed(fieldOf(row, lower ? G::Tanka2 : G::Tanka1)), kFraction);
            Finish(4, lower);
            // Amounts show "#,###" whatever their value.
            m_S.SetCellValue(CellName('F', R), trimmed(fieldOf(row, lower ? G::Kingaku2 : G::Kingaku1)));
            m_S.SetNumberFormat(kWhole);
            Finish(5, lower);
            m_S.SetCellText(CellName('G', R), lower ? trimmed(fieldOf(row, G::Bikou2)) : fieldOf(row, G::Bikou1));
            Finish(6, lower);
        }
        m_S.ReleaseRange();
        m_R += 2;
    }

    // Framed empty rows to the page end, continuing the upper/lower pattern: the even rows get
    // the hairline top edge. A category ending on a page boundary gets none.
    void FillPage() {
        while ((m_R - 2) % kTotalPageRows != 1) {
            const bool lower = m_R % 2 == 0;
            for (int c = 0; c < kColumns; ++c) {
                m_S.SelectRange(CellName(kColumn[c], m_R));
                if (c == 0)
                    m_S.RowHeight(kRowHeight);
                if (c == 2 || c == 4 || c == 5)
                    m_S.SetNumberFormat(kWhole);
                m_S.FrameCell();
                if (lower)
                    m_S.TopEdgeHairline();
                if (c == 0 || c == 4)
                    m_S.Centre();
            }
            m_S.ReleaseRange();
            ++m_R;
        }
    }

    CTotalDoc& m_Doc;
    excel::ExcelSession& m_S;
    int m_R = 3;
};

} // namespace

void WriteTotalWorkbook(CTotalDoc& doc, const std::string& pathCp932, excel::ExcelSession& session) {
    TotalWorkbook(doc, session).Write(pathCp932);
}

} // namespace kiv::exporting

void CTotalView::OnExcelOut() {
    CTotalDoc* d = GetDocument();
    if (!d)
        return;
    using namespace kiv::exporting;
    CTExcelDialog dlg(d->pathName());
    ExportRun run = TotalExportRun(*this, dlg, dlg.m_Path);
    run.browsedPath = &dlg.m_BrowsedPath;
    // The workbook stores and recalculates once its sheet and captions stand.
    run.walk = [&] {
        return WriteWorkbook([&](kiv::excel::ExcelSession& session) { WriteTotalWorkbook(*d, dlg.m_Path, session); });
    };
    RunExport(run);
}
