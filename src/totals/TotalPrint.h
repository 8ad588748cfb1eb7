#pragma once
// CTotalPrint: the print state of a totals view and its print job, on the print protocol of
// platform/print. A job prints the whole document: category 1 (the summary page) first, then
// every category page in number order, 25 rows a sheet in the grid's two-line layout under its
// heading, with "-n-" at the foot of every sheet.
//
// The preparation stores the grid's page, recalculates every category from the last to the
// first (whatever the document's recalculation flag says; the amount messages are collected
// and shown once) and builds the table of sheets, (category, first row), once: a sheet is drawn
// from it without walking the categories again. The printer font's metrics live here, never in
// the grid view: a repaint during a job or a preview draws the screen as before.
//
// After a job (or a preview) the grid stands on row 1 of category 1; after a cancelled print
// dialog or a job that failed it shows the category and row it showed before.
#include <string>
#include <vector>

#include "grid/GridViewBase.h"
#include "platform/print/PrintView.h"

class CTotalView;
class CTotalDoc;

class CTotalPrint : public kiv::print::PrintableView {
public:
    static constexpr int m_PrintGyouCount = 25;   // rows a sheet

    // One sheet: the category and the first of its rows on it (from 1).
    struct Sheet {
        int koumoku = 0;
        int firstGyou = 0;
    };

    explicit CTotalPrint(CTotalView& view);

    bool onPreparePrinting(kiv::print::PrintInfo& info) override;
    void onPrint(kiv::print::PrinterDc& dc, kiv::print::PrintInfo& info) override;
    void onEndPrinting(kiv::print::PrinterDc& dc, kiv::print::PrintInfo& info) override;
    std::string printTitle() const override;
    std::filesystem::path printDocumentPath() const override;

    // Sheet n (from 1) of the prepared job; its page number.
    void PrintPage(kiv::print::PrinterDc& dc, int n);
    void PrintPageNo(kiv::print::PrinterDc& dc, int n);

    // The grid on paper, drawn by the grid's own routines: boxes and dividers on the lines, 6
    // cells right and 3 lines down of the screen's places; texts 0.13 pitch below a line's top;
    // grouped numbers half a cell left of their cells.
    struct PaperGeometry {
        kiv::grid::GridGeometry boxes, texts, numbers;
    };
    static PaperGeometry Paper(int cellWidth, int lineHeight);

    // The printer font: "ＭＳ ゴシック", weight 400, height P / 64, P the printable width in dots.
    static kiv::ui::Font PrinterFont(const kiv::print::PrinterDc& dc);
    // Its metrics into m_CharWidth, m_CharHeight and m_LineHeight (1.6 lines).
    void MeasurePrinterFont(kiv::print::PrinterDc& dc);

    const std::vector<Sheet>& Sheets() const { return m_Sheets; }

    // --- Printer metrics (never the grid's)
    int m_CharWidth = 0;
    int m_CharHeight = 0;
    int m_LineHeight = 0;
    int m_PrintPage = 0;          // the sheet being printed
    std::string m_PageNoText;     // "-n-"

private:
    CTotalDoc* Doc() const;
    // Every category recalculated from the last to the first, each stored; the sheet table.
    void RecalcAndCountSheets(CTotalDoc& d);
    // Category k's rows in pool order.
    void CollectSlots(const CTotalDoc& d);
    // The category and row of before shown again.
    void RestoreBefore();
    // Category `k` loaded with row `gyou` current on screen row `screen`, the grid redrawn.
    void ShowAt(int koumoku, int gyou, int top, int screen, int field);

    CTotalView& m_View;
    std::vector<Sheet> m_Sheets;
    std::vector<std::vector<int>> m_Slots;   // pool slots of category k at k
    int m_SavedKoumoku = 1;
    int m_SavedGyou = 1;
    int m_SavedTop = 0;
    int m_SavedScreen = 1;
    int m_SavedField = 5;
};
