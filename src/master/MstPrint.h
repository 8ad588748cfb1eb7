#pragma once
// CMstPrint: the print state of a master view and its print job. 印刷 (57607) and 印刷ﾌﾟﾚﾋﾞｭｰ
// (57609) print the whole master: index pages listing line 1 of every category, 28 a page, then
// every category's rows, 28 a page (an empty category still has its row 1), each page with its
// captions, cell boxes and "-n-" page number, the numbers running on from the index.
//
// The preparation stores the row being edited and the category's work rows, then makes the page
// map once: for every page its category (0 for the index) and first row, and for every category
// the pool slots of its rows in order. A page is drawn straight from that map, so a preview that
// shows pages in any order, or again, costs one page's work each time, and printing never loads
// a category into the work area: each printed row is priced on a copy. The whole job is one
// pass: no detail dialog opens, and the rows' messages are shown once when the job ends.
//
// The printer font's metrics and the printed geometry live here, never in the grid view: a
// repaint during a preview draws the grid as before.
#include <array>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "grid/FieldTable.h"
#include "grid/GridViewBase.h"
#include "platform/print/PrintView.h"

class CMstView;
class MstDoc;
class KivMessagePass;

class CMstPrint : public kiv::print::PrintableView {
public:
    static constexpr int m_PrintRowsPerPage = 28;
    static constexpr int kBodyFontDivisor = 76;     // body font height: page width W div 76
    static constexpr int kPageNoFontDivisor = 70;   // page number: W div 70
    static constexpr int kPageNoCell = 70;          // the page number's x, in body cells
    static constexpr int kPageNoLine = 62;          // its y, in page-number lines
    static constexpr int kLabourField = 19;         // 備考 (upper line) prints the labour summary
    static constexpr int kLabourSummaryLength = 30;
    static constexpr int kLastPrintField = 34;
    static const char* const kPrintFace;            // "ＭＳ ゴシック", whatever 印刷フォント指定 chose

    explicit CMstPrint(CMstView& view);
    ~CMstPrint() override;
    CMstPrint(const CMstPrint&) = delete;
    CMstPrint& operator=(const CMstPrint&) = delete;

    // --- The print protocol
    bool onPreparePrinting(kiv::print::PrintInfo& info) override { return OnPreparePrinting(info); }
    void onBeginPrinting(kiv::print::PrinterDc& dc, kiv::print::PrintInfo& info) override { OnBeginPrinting(dc, info); }
    void onPrint(kiv::print::PrinterDc& dc, kiv::print::PrintInfo& info) override { OnPrint(dc, info); }
    void onEndPrinting(kiv::print::PrinterDc& dc, kiv::print::PrintInfo& info) override { OnEndPrinting(dc, info); }
    std::string printTitle() const override;
    std::filesystem::path printDocumentPath() const override;

    // Stores the edited row and the category, makes the page map and asks the print dialog.
    // Cancelled, the category and position of before stay current and shown.
    bool OnPreparePrinting(kiv::print::PrintInfo& info);
    // The job's message pass begins.
    void OnBeginPrinting(kiv::print::PrinterDc& dc, kiv::print::PrintInfo& info);
    // PrintPage and PrintPageNo of info.curPage, then the view's draw (the status pane only).
    void OnPrint(kiv::print::PrinterDc& dc, kiv::print::PrintInfo& info);
    // The pass ends (its messages shown once). After the pages: category 1, row 1 on screen row
    // 1, field 5, repainted. A job that could not print keeps the earlier position.
    void OnEndPrinting(kiv::print::PrinterDc& dc, kiv::print::PrintInfo& info);

    // --- Page printers
    void PrintPage(kiv::print::PrinterDc& dc, int page);
    void PrintGyou(kiv::print::PrinterDc& dc);        // m_PrintGyou on print row m_PrintRow
    void PrintTitle(kiv::print::PrinterDc& dc);       // caption boxes, rule and texts
    void PrintGyouFrames(kiv::print::PrinterDc& dc);  // boxes and rule of print row m_PrintRow
    void PrintPageNo(kiv::print::PrinterDc& dc, int page);
    void PrintPageNoText(kiv::print::PrinterDc& dc);

    // m_PrintNumBuf (10 characters) thousands-separated into m_PrintNumBuf, 13 characters.
    void GroupDigitsPrintBuf();
    // The 備考 column's labour summary of m_PrintGyou from m_LabourNo, at most 30 bytes: per
    // labour line in use the trade (its first character when all three are used) and 労務単価1
    // grouped, then a blank.
    std::string LabourSummary();

    // 印刷フォント指定 (32775): a font dialog and a sample in the chosen font; nothing is kept.
    void OnInsatuFont();

    // The body font's metrics from a device context (W div 76; pitch 1.75 heights).
    void MeasureBodyFont(kiv::print::PrinterDc& dc);

    // --- The page map of the last preparation
    struct PageRef {
        int bun = 0;        // 0: an index page
        int firstRow = 1;   // the page's first row (index line) from 1
    };
    const std::vector<PageRef>& PageMap() const { return m_PageMap; }
    // Rows of category `bun` as the map holds them (an empty category counts its row 1).
    int BunRows(int bun) const;

    int m_IndexPages = 0;
    int m_PrintPages = 0;
    int m_CurPage = 0;
    std::string m_PageNoText;
    std::string m_PrintNumBuf;
    std::array<int, 3> m_LabourNo{};
    int m_CharWidth = 0;
    int m_CharHeight = 0;
    int m_LineHeight = 0;
    int m_HScrollPairs = 0;    // the grid's horizontal scrolling when the job was prepared
    int m_PrintRow = 0;        // print row 1-28 being drawn
    std::string m_PrintGyou;   // the row being printed: a priced copy

private:
    MstDoc* Doc() const;
    // The geometry of `field` on print row m_PrintRow (0: the caption lines).
    FieldPos PrintFieldPos(int field) const;
    // Where the grid's routines draw on paper with the printer font's metrics, and the grid's
    // description in the paper's colours.
    kiv::grid::GridGeometry PaperGeometry() const;
    kiv::grid::GridDesc PaperDesc() const;
    // The row of page entry `ref` at place `i` (0-based), or false past the page's rows.
    bool PageGyou(const PageRef& ref, int i, std::string& row) const;
    // Prices m_PrintGyou (a copy) and sets m_LabourNo; its messages only the first time the row
    // is priced in the job (a line 1 prints on the index and on its category's page; a preview
    // draws a page again).
    void PricePrintGyou();
    void BuildPageMap();
    void RestoreEditing();

    CMstView& m_View;
    std::vector<PageRef> m_PageMap;
    std::vector<int> m_IndexSlots;   // per category its title line's pool slot, -1 none
    std::vector<int> m_BunStart;     // category c's slots at m_BunSlots[m_BunStart[c - 1] ..]
    std::vector<int> m_BunSlots;
    std::unordered_set<long long> m_Reported;   // rows (category, line) priced in this job
    std::unique_ptr<KivMessagePass> m_Pass;
};
