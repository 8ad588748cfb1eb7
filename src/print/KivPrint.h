#pragma once
// CKivPrint: the print state of an estimate view and its print job, kept for the life of the
// view (the kind and options stay from one job to the next; only a confirmed 印刷設定 changes
// them). It implements the print protocol of platform/print for the view: preparation asks for
// the kind in 印刷設定, recalculates every item twice from the last (through the recalculation
// hooks) and counts the pages; every page is drawn by the page printers of its kind; the end
// step puts the cursor on item 1, row 1.
//
// The printer's metrics (character width, text height, line pitch) and the printed field
// geometry live here, not in the grid view: a repaint during a job or a preview draws the grid
// as before.
//
// Sources: KivPrint.cpp (state, preparation, begin, dispatch, end), KivPrintPages.cpp (body,
// header/footer and cover printers, form-text and box printers), KivPrintRows.cpp (the printed
// table: captions, rows, boxes, outer frame), KivPrintFukugou.cpp (the composite unit-price
// sheet).
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "grid/FieldTable.h"
#include "platform/print/PrintView.h"
#include "print/FukugouSelection.h"
#include "print/PrintColumnLayout.h"

class CKivView;
class CKivDoc;
class CKivPrint;

// Remarks 2 in the remarks column (備考2を印刷); 0 when a view is created.
extern int g_bInsatuBikou2;

class CKivPrint : public kiv::print::PrintableView {
public:
    static constexpr int m_PrintRowsPerPage = 20;
    static constexpr int m_PrintRowsPerPageA4 = 36;
    static constexpr int m_PrintRowsPerPageSoukatu = 17;
    static constexpr int m_PrintFirstLine = 1;
    static constexpr int m_PrintFirstField = 3;     // GyouRecord.Kigou: the frame's left column
    static constexpr int m_PrintLastField = 19;     // GyouRecord.Bikou1: its right column
    static constexpr int m_PrintLastFieldA4 = 17;   // GyouRecord.Kingaku1 in the A4 layout
    static constexpr int kCoverLines = 12;          // lines the cover block takes (A4: 16)
    static constexpr int kCoverLinesA4 = 16;

    explicit CKivPrint(CKivView& view);

    CKivView& View() const { return m_View; }
    CKivDoc& Doc() const;

    // --- The print protocol
    bool onPreparePrinting(kiv::print::PrintInfo& info) override;
    void onBeginPrinting(kiv::print::PrinterDc& dc, kiv::print::PrintInfo& info) override;
    void onPrint(kiv::print::PrinterDc& dc, kiv::print::PrintInfo& info) override;
    void onEndPrinting(kiv::print::PrinterDc& dc, kiv::print::PrintInfo& info) override;
    std::string printTitle() const override;
    std::filesystem::path printDocumentPath() const override;

    // --- Kinds and options of the last confirmed 印刷設定
    int m_InsatuUtiwake = 1;
    int m_InsatuHyousiTuki = 0;        // cover block on the first page of item 1
    int m_InsatuHyousi = 0;            // a cover page before the breakdown
    int m_InsatuA4 = 0;                // A4 portrait layout
    int m_InsatuA4HyousiTuki = 0;
    int m_InsatuFukugouTankahyou = 0;
    int m_InsatuSoukatuhyou = 0;
    int m_InsatuNoPageNo = 0;
    int m_InsatuRoumuNin = 0;
    int m_InsatuKanenuki = 0;

    std::string m_PrintFace;   // the printer font's face (UTF-8), read at every preparation
    int m_PrintPageNo = 0;     // pages of the job after preparation; the body printers' page counter
    int m_PrintCurPage = 0;    // the page being printed

    // --- Printer metrics and geometry (never the grid's)
    int m_CharWidth = 0;
    int m_CharHeight = 0;
    int m_LineHeight = 0;
    int m_PrintLine = 0;       // the printed row line being drawn
    int m_CurField = 0;
    FieldPos m_FieldPos;
    std::string m_PrintGyou;   // the row being printed (a copy: the document keeps its rows)

    // --- Form-text parameters
    std::string m_FormText;    // CP932
    int m_FormX = 0;
    int m_FormY = 0;
    int m_FormSize = 0;

    // --- Page printers (KivPrintPages.cpp)
    void PrintUtiwake(kiv::print::PrinterDc& dc, int page);
    void PrintUtiwakeA4(kiv::print::PrinterDc& dc, int page) { PrintUtiwake(dc, page); }
    void PrintHedder(kiv::print::PrinterDc& dc, int page);
    void PrintHedderA4(kiv::print::PrinterDc& dc, int page);
    void PrintHyousi(kiv::print::PrinterDc& dc, int page);
    void PrintHyousiA4(kiv::print::PrinterDc& dc, int page);
    void PrintFormText(kiv::print::PrinterDc& dc) { FormText(dc, 328, false); }
    void PrintFormTextUnderline(kiv::print::PrinterDc& dc) { FormText(dc, 328, true); }
    void PrintFormTextA4(kiv::print::PrinterDc& dc) { FormText(dc, 280, false); }
    void PrintFormTextUnderlineA4(kiv::print::PrinterDc& dc) { FormText(dc, 280, true); }
    void PrintFormBox(kiv::print::PrinterDc& dc);

    // --- The composite unit-price sheet (KivPrintFukugou.cpp)
    // The job's selection of composite rows (one page each) into m_FukugouGyou and the walked
    // keys into the view's m_DaikaKeys; the page count. Run inside the preparation's pass.
    int CountFukugouPages();
    void PrintFukugouTankahyouHedder(kiv::print::PrinterDc& dc, int page);
    // Page `page`: captions, the block of the page's row from line 1, the boxes of the 20 row
    // lines and the outer frame.
    void PrintFukugouTankahyou(kiv::print::PrinterDc& dc, int page);
    // The breakdown of the row in m_PrintGyou (priced again, silently) from line m_PrintLine.
    void PrintFukugouTankaBlock(kiv::print::PrinterDc& dc);
    void PrintFukugouTankahyouPageNo(kiv::print::PrinterDc& dc, int page);
    void PrintPageNoText(kiv::print::PrinterDc& dc);   // m_FormText at the page-number place
    std::vector<FukugouGyouRef> m_FukugouGyou;

    // --- The printed table (KivPrintRows.cpp), on the current field m_CurField
    void CalcPrintFieldPos();
    void CalcPrintTitleFieldPos();
    void PrintTitleText(kiv::print::PrinterDc& dc);
    void PrintGyou(kiv::print::PrinterDc& dc);   // the row in m_PrintGyou on line m_PrintLine
    void PrintGyouFrames(kiv::print::PrinterDc& dc);
    void PrintTitleFrames(kiv::print::PrinterDc& dc);
    void PrintOuterFrame(kiv::print::PrinterDc& dc);

    // A printer font of the job's face.
    kiv::ui::Font PrintFont(int height, bool underline = false) const;
    // The body font's metrics into m_CharWidth, m_CharHeight and m_LineHeight (2.22 lines).
    void MeasureBodyFont(kiv::print::PrinterDc& dc, const kiv::ui::Font& f);

    // Rows of each item as the preparation counted them (item k at k - 1).
    const std::vector<int>& ItemGyouCounts() const { return m_ItemGyouCount; }
    // The layout choice of the page being printed.
    PrintLayoutChoice LayoutChoice() const;

private:
    void FormText(kiv::print::PrinterDc& dc, int divisor, bool underline);
    // Pages of item `item` (1..) of `rows` rows in the breakdown.
    int ItemPages(int item, int rows) const;
    // Back to the editing state after a job that did not run: the position of slot 8, the item
    // and the row reloaded (when the preparation walked the items), the grid redrawn, the caret.
    void RestoreAfterNoJob(bool reload);

    CKivView& m_View;
    std::vector<int> m_ItemGyouCount;
};
