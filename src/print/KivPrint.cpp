// The estimate's print job: the print state, the preparation with 印刷設定 and the
// recalculation, the begin step, the dispatch of a page to the page printers of its kind, and
// the end step.
#include "print/KivPrint.h"

#include <algorithm>

#include "estimate/KivDoc.h"
#include "estimate/KivMessagePass.h"
#include "estimate/RecalcSeams.h"
#include "grid/KivView.h"
#include "platform/profile/Profile.h"
#include "platform/ui/App.h"
#include "platform/ui/MessageBox.h"
#include "print/InsatuDialog.h"

using kiv::print::PrintInfo;
using kiv::print::PrinterDc;

int g_bInsatuBikou2 = 0;

CKivPrint::CKivPrint(CKivView& view) : m_View(view) { g_bInsatuBikou2 = 0; }

void KivPrintDelete::operator()(CKivPrint* print) const { delete print; }

KivPrintPtr MakeKivPrint(CKivView& view) { return KivPrintPtr(new CKivPrint(view)); }

void RunKivPrintCommand(CKivPrint& print, kiv::print::PrintCommand command) {
    kiv::print::runPrintCommand(print, command);
}

CKivDoc& CKivPrint::Doc() const { return *m_View.GetDocument(); }

std::string CKivPrint::printTitle() const {
    CKivDoc* d = m_View.GetDocument();
    if (d && !d->title().empty())
        return d->title();
    return "内訳書";
}

std::filesystem::path CKivPrint::printDocumentPath() const {
    const CKivDoc* d = m_View.GetDocument();
    return d ? d->pathName() : std::filesystem::path();
}

PrintLayoutChoice CKivPrint::LayoutChoice() const {
    PrintLayoutChoice c;
    c.a4 = m_InsatuA4 != 0;
    c.fukugouStyle = m_View.GetDocument() && Doc().IsFukugouStyle();
    c.bikou2 = g_bInsatuBikou2 != 0;
    c.coverShift = m_InsatuHyousiTuki != 0 && m_PrintCurPage == 1;
    return c;
}

int CKivPrint::ItemPages(int item, int rows) const {
    int lines = rows;
    if (item == 1 && m_InsatuHyousiTuki)
        lines += m_InsatuA4 ? kCoverLinesA4 : kCoverLines;
    const int perPage = m_InsatuSoukatuhyou ? m_PrintRowsPerPageSoukatu
                        : m_InsatuA4        ? m_PrintRowsPerPageA4
                                            : m_PrintRowsPerPage;
    return (lines + perPage - 1) / perPage;
}

// ---------------------------------------------------------------------------------------------
// Preparation

bool CKivPrint::onPreparePrinting(PrintInfo& info) {
    CKivDoc* d = m_View.GetDocument();
    if (!d)
        return false;
    m_View.hideCaret();
    m_View.SavePosition8();
    m_PrintFace = kiv::profile::Profile::user().getString("Font_Section", "Font_File", "ＭＳ ゴシック");

    CInsatuDialog dlg(&m_View);
    if (dlg.doModal() != kiv::ui::IDOK) {
        // Cancel ends the command: nothing is recalculated, counted or printed.
        RestoreAfterNoJob(false);
        return false;
    }
    m_InsatuSoukatuhyou = dlg.m_Soukatuhyou;
    m_InsatuNoPageNo = dlg.m_NoPageNo;
    m_InsatuRoumuNin = dlg.m_RoumuNin;
    m_InsatuUtiwake = dlg.m_Utiwake;
    m_InsatuKanenuki = dlg.m_Kanenuki;
    m_InsatuHyousiTuki = dlg.m_HyousiUtiwake;
    m_InsatuFukugouTankahyou = dlg.m_FukugouTankahyou;
    g_bInsatuBikou2 = dlg.m_Bikou2;
    m_InsatuA4 = dlg.m_UtiwakeA4;
    m_InsatuA4HyousiTuki = dlg.m_HyousiUtiwakeA4;
    m_InsatuHyousi = dlg.m_Hyousi;
    if (m_InsatuA4HyousiTuki) {
        m_InsatuA4 = 1;
        m_InsatuHyousiTuki = 1;
    }

    {
        kiv::ui::App::WaitCursorScope wait;
        // One pass: the rows' messages are collected and each shown once when it ends.
        KivMessagePass pass;
        m_PrintPageNo = 0;
        m_ItemGyouCount.assign(static_cast<std::size_t>(std::max(0, d->KoumokuCount())), 0);
        m_View.RecalcWholeEstimate([&](int k) {
            m_ItemGyouCount[static_cast<std::size_t>(k - 1)] = d->GyouCount();
            m_PrintPageNo += ItemPages(k, d->GyouCount());
        });
        if (m_InsatuHyousi)
            ++m_PrintPageNo;
        if (m_InsatuFukugouTankahyou)
            m_PrintPageNo = CountFukugouPages();
    }
    RunClearKeisanGyouFlags(m_View);

    // 総括表印刷 counts pages but has nothing to draw on them: no blank pages come out.
    if (m_InsatuSoukatuhyou) {
        kiv::ui::messageBox("総括表印刷には印刷する内容がありません。", kiv::ui::MB_OK | kiv::ui::MB_ICONINFORMATION);
        RestoreAfterNoJob(true);
        return false;
    }
    if (m_PrintPageNo <= 0) {
        kiv::ui::messageBox("印刷する内容がありません。", kiv::ui::MB_OK | kiv::ui::MB_ICONINFORMATION);
        RestoreAfterNoJob(true);
        return false;
    }
    info.minPage = 1;
    info.maxPage = m_PrintPageNo;
    info.settings.orientation = m_InsatuA4 ? kiv::print::Orientation::Portrait : kiv::print::Orientation::Landscape;
    if (!kiv::print::doPreparePrinting(info)) {
        RestoreAfterNoJob(true);
        return false;
    }
    return true;
}

void CKivPrint::RestoreAfterNoJob(bool reload) {
    CKivDoc* d = m_View.GetDocument();
    if (!d)
        return;
    m_View.RestorePosition8();
    if (reload) {
        // Loading the item puts the cursor on its row 1: the saved position is set again.
        m_View.LoadKoumoku();
        m_View.RestorePosition8();
        m_View.LoadGyou();
    }
    m_View.CalcFieldPos();
    if (reload) {
        m_View.invalidate();
        m_View.updateWindow();
    }
    m_View.SetCaretToField();
    m_View.showCaret();
}

// ---------------------------------------------------------------------------------------------
// Begin, pages, end

void CKivPrint::onBeginPrinting(PrinterDc&, PrintInfo&) {
    CKivDoc& d = Doc();
    d.SetCurKoumoku(1);
    m_View.LoadKoumoku();
    d.SetCurGyou(1);
}

void CKivPrint::onPrint(PrinterDc& dc, PrintInfo& info) {
    const int page = info.curPage;
    if (m_InsatuSoukatuhyou)
        return;
    if (m_InsatuFukugouTankahyou) {
        PrintFukugouTankahyouHedder(dc, page);
        PrintFukugouTankahyou(dc, page);
        if (!m_InsatuNoPageNo)
            PrintFukugouTankahyouPageNo(dc, page);
        return;
    }
    if (m_InsatuA4) {
        PrintHedderA4(dc, page);
        PrintUtiwakeA4(dc, page);
        PrintHyousiA4(dc, page);
        return;
    }
    PrintHedder(dc, page);
    PrintUtiwake(dc, page);
    PrintHyousi(dc, page);
}

void CKivPrint::onEndPrinting(PrinterDc&, PrintInfo& info) {
    if (!info.completed) {
        RestoreAfterNoJob(true);
        return;
    }
    // The grid's own metrics were never touched; item 1, row 1 and the first field become
    // current and the grid is drawn from its top.
    CKivDoc& d = Doc();
    d.SetCurKoumoku(1);
    m_View.LoadKoumoku();
    d.SetCurGyou(1);
    d.SetTopGyou(0);
    d.SetScreenGyou(CKivView::m_FirstScreenGyou);
    m_View.m_CurField[0] = CKivView::m_FirstField;
    m_View.LoadGyou();
    m_View.invalidate();
    m_View.updateWindow();
    m_View.CalcFieldPos();
    m_View.SetCaretToField();
    m_View.showCaret();
}
