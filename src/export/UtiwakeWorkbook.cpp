// The breakdown workbook: sheets, caption row, rows, page padding and the cover sheet.
#include "export/UtiwakeWorkbook.h"

#include <memory>

#include "estimate/KivDoc.h"
#include "export/excel/ExcelSession.h"
#include "export/excel/ProgressDlg.h"
#include "grid/KivView.h"
#include "platform/automation/ExcelMembers.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"

namespace kiv::exporting {

using excel::CellName;
using kiv::text::sj;
using T = UtiwakeTexts;

namespace {
constexpr const char* kFraction = "#,##0.##";
constexpr const char* kWhole = "#,###";
constexpr char kColumns[] = "ABCDEFGH";

std::string trimRight(const std::string& s) { return std::string(text::trimRightBlanks(s)); }
std::string trimLeft(const std::string& s) {
    std::size_t i = s.find_first_not_of(' ');
    return i == std::string::npos ? std::string() : s.substr(i);
}
} // namespace

UtiwakeWorkbook::UtiwakeWorkbook(CKivView& view, const UtiwakeWorkbookOptions& options)
    : m_View(view), m_Doc(*view.GetDocument()), m_Options(options),
      m_PageRows(options.tate ? kPageRowsTate : kPageRowsYoko),
      m_CoverRows(options.tate ? kCoverRowsTate : kCoverRowsYoko) {}

UtiwakeWorkbook::~UtiwakeWorkbook() { CloseProgress(); }

void UtiwakeWorkbook::CloseProgress() {
    if (m_Progress) {
        std::unique_ptr<CProgressDlg> owned(m_Progress);
        m_Progress = nullptr;
        owned->Close();
    }
}

void UtiwakeWorkbook::Write(excel::ExcelSession& session) {
    m_S = &session;
    const int orientation = m_Options.tate ? automation::xl::Portrait : automation::xl::Landscape;
    session.Start();

    // The first added sheet, always: the cover sheet, or an empty sheet ahead of "内訳書".
    session.AddSheet(m_Options.hyousi ? sj("表紙") : std::string());
    session.SetupPageBase(orientation);
    int startItem = 1, startGyou = 1;
    if (m_Options.hyousi) {
        session.SetFooter(sj("&P ページ"));
        WriteCover();
        const int item1Rows = m_Doc.GyouCount();   // the cover left item 1 loaded
        if (item1Rows > m_CoverRows) {
            startGyou = m_CoverRows + 1;
        } else {
            startItem = 2;
        }
    }
    if (startItem <= m_Doc.KoumokuCount()) {
        session.AddSheet(sj("内訳書"));
        session.SetupPageBase(orientation);
        auto progress = std::make_unique<CProgressDlg>();
        if (progress->Open(&m_View))
            m_Progress = progress.release();
        m_R = 2;
        session.SetFooter(sj(m_Options.hyousi ? "&P+1 ページ" : "&P ページ"));
        session.SetPrintTitleRows("$1:$1");
        session.SetHeader(sj("&20内　訳　書"));
        session.SetMargins(80, 48, 60, 48);
        WriteCaptionRow(1);

        if (m_Progress)
            m_Progress->SetRange(m_Doc.KoumokuCount());
        for (int k = startItem; k <= m_Doc.KoumokuCount(); ++k) {
            m_Doc.SetCurKoumoku(k);
            m_View.LoadKoumoku();
            if (m_Progress)
                m_Progress->SetPos(k);
            const int first = k == startItem ? startGyou : 1;
            for (int g = first; g <= m_Doc.GyouCount(); ++g)
                WriteRow(CurrentRowTexts(g));
            PadPage();
        }
        CloseProgress();
    }
    session.End(m_Options.path, true);
}

UtiwakeTexts UtiwakeWorkbook::CurrentRowTexts(int gyou) {
    if (gyou > m_Doc.GyouCount())
        return UtiwakeTexts{};
    m_Doc.SetCurGyou(gyou);
    m_View.LoadGyou();
    return UtiwakeRowTexts(m_View.m_EditGyou, m_Doc.GetSetteiValues(), m_Options.rows);
}

void UtiwakeWorkbook::WriteCaptionRow(int row) {
    static const char* const captions[8] = {"項目", "品       名", "規          格", "数 量 ",
                                            "単位", "単  価",       "金     額",       "備          考"};
    static const std::uint32_t widths[8] = {6, 25, 25, 10, 4, 15, 15, 25};
    excel::ExcelSession& s = *m_S;
    for (int c = 0; c < 8; ++c) {
        s.SetCellText(CellName(kColumns[c], row), sj(captions[c]));
        if (c == 0)
            s.RowHeight(25);
        s.ColumnWidth(widths[c]);
        s.FrameCell();
        s.Centre();
        s.ReleaseRange();
    }
}

void UtiwakeWorkbook::WriteRow(const UtiwakeTexts& t) {
    excel::ExcelSession& s = *m_S;
    const int R = m_R;
    if (!m_Options.doubleSpacing) {
        s.SetCellText(CellName('A', R), t.col[T::A]);
        s.RowHeight(25);
        s.FrameCell();
        s.Centre();
        for (int c : {T::B, T::C}) {
            s.SetCellText(CellName(kColumns[c], R), t.col[static_cast<std::size_t>(c)]);
            s.FontSize(9);
            s.FrameCell();
        }
        s.SetCellNumber(CellName('D', R), t.col[T::D], kFraction);
        s.FrameCell();
        s.SetCellText(CellName('E', R), t.col[T::E]);
        s.FrameCell();
        s.Centre();
        s.SetCellNumber(CellName('F', R), t.col[T::F], kFraction);
        s.FrameCell();
        // The amount column of single spacing always shows "#,###".
        s.SetCellValue(CellName('G', R), t.col[T::G]);
        s.SetNumberFormat(kWhole);
        s.FrameCell();
        s.SetCellText(CellName('H', R), t.col[T::H]);
        s.FontSize(9);
        s.FrameCell();
        s.ReleaseRange();
        m_R = R + 1;
        return;
    }
    // Two sheet rows: one framed box per column, the values in the lower row.
    for (int c = 0; c < 8; ++c) {
        s.SelectRange(CellName(kColumns[c], R), CellName(kColumns[c], R + 1));
        if (c == T::A)
            s.RowHeight(13);
        if (c == T::D || c == T::F || c == T::G)
            s.NumberFormatByRule(t.col[static_cast<std::size_t>(c)], kFraction);
        s.FrameCell();
        if (c == T::A || c == T::E)
            s.Centre();
    }
    const int L = R + 1;
    for (int c = 0; c < 8; ++c) {
        const std::string& v = t.col[static_cast<std::size_t>(c)];
        if (c == T::D || c == T::F || c == T::G) {
            s.SetCellNumber(CellName(kColumns[c], L), v, kFraction);
            continue;
        }
        s.SetCellText(CellName(kColumns[c], L), v);
        if (c == T::A)
            s.RowHeight(13);
        if (c == T::A || c == T::E)
            s.Centre();
    }
    s.ReleaseRange();
    m_R = R + 2;
}

void UtiwakeWorkbook::PadPage() {
    excel::ExcelSession& s = *m_S;
    while ((m_R - 1) % m_PageRows != 1) {
        const int R = m_R;
        if (!m_Options.doubleSpacing) {
            for (int c = 0; c < 8; ++c) {
                s.SelectRange(CellName(kColumns[c], R));
                if (c == T::A)
                    s.RowHeight(25);
                if (c == T::B || c == T::C || c == T::H)
                    s.FontSize(9);
                if (c == T::D || c == T::F || c == T::G)
                    s.SetNumberFormat(kWhole);
                s.FrameCell();
                if (c == T::A || c == T::E)
                    s.Centre();
            }
            m_R = R + 1;
        } else {
            for (int c = 0; c < 8; ++c) {
                s.SelectRange(CellName(kColumns[c], R), CellName(kColumns[c], R + 1));
                if (c == T::A)
                    s.RowHeight(13);
                if (c == T::D || c == T::F || c == T::G)
                    s.SetNumberFormat(kWhole);
                s.FrameCell();
                if (c == T::A || c == T::E)
                    s.Centre();
            }
            m_R = R + 2;
        }
        s.ReleaseRange();
    }
}

void UtiwakeWorkbook::WriteCover() {
    excel::ExcelSession& s = *m_S;
    const HyousiLayout& f = m_Doc.GetHyousiLayout();
    const auto& d = m_Doc.HyousiData();
    const std::string blank = " ";

    // The cover total with its separators; the document keeps it without its leading blanks.
    m_View.GroupDigitsGoukei();
    m_Doc.SetKingakuText(trimLeft(m_Doc.KingakuText()));

    auto dateOf = [&](std::size_t i) { return d[i].empty() ? std::string(4, ' ') : d[i]; };
    struct HeaderCell {
        const char* cell;
        std::string text;
        int size;
        bool centred;
    };
    const HeaderCell cells[] = {
        {"D2", f.midasi.text, 25, true},
        {"H1", f.mitumoriNo.text + blank + d[5], 10, true},
        {"H2", f.nengappi[0] + dateOf(9) + f.nengappi[1] + dateOf(10) + f.nengappi[2] + dateOf(11) + f.nengappi[3], 10, true},
        {"B3", trimRight(d[2] + blank + f.aite.text), 16, false},
        {"B4", trimRight(f.meisyou.text) + blank + d[0] + d[1], 12, false},
        {"B5", trimRight(trimRight(f.kingaku.text) + m_Doc.KingakuText() + "-"), 18, false},
        {"G3", trimRight(f.meisyouN[0].text), 10, false},
        {"G4", trimRight(f.meisyouN[1].text), 14, false},
        {"G5", trimRight(f.meisyouN[2].text), 10, false},
        {"G6", trimRight(f.meisyouN[3].text), 10, false},
        {"G7", trimRight(f.meisyouN[4].text), 10, false},
        {"G8", trimRight(f.meisyouN[5].text), 10, false},
        {"G9", f.tantousya.text + d[4], 10, false},
        {"F10", trimRight(f.bikouN[0].text), 10, false},
        {"F11", trimRight(f.bikouN[1].text), 10, false},
        {"B6", trimRight(f.jouken[0].text + blank + d[14]), 10, false},
        {"B7", trimRight(f.jouken[1].text + blank + d[16]), 10, false},
        {"B8", trimRight(f.jouken[2].text + blank + d[13]), 10, false},
        {"B9", trimRight(f.jouken[3].text + blank + d[12]), 10, false},
        {"B10", trimRight(f.jouken[4].text + blank + d[15]), 10, false},
        {"B11", trimRight(d[3]), 10, false},
    };
    for (const HeaderCell& c : cells) {
        s.SetCellText(c.cell, c.text);
        s.RowHeight(25);
        s.FontSize(c.size);
        if (c.centred)
            s.Centre();
        s.ReleaseRange();
    }
    WriteCaptionRow(13);

    // Always C rows of item 1, framed empty rows past its end; no padding on this sheet.
    m_Doc.SetCurKoumoku(1);
    m_View.LoadKoumoku();
    m_R = 14;
    for (int g = 1; g <= m_CoverRows; ++g)
        WriteRow(CurrentRowTexts(g));
}

} // namespace kiv::exporting
