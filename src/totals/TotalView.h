#pragma once
// CTotalView: the grid pane of a totals window. It shows the current category page of its own
// document through the shared grid base, driven by the totals grid description
// (g_TotalFieldTable, its caption, first field 5, rows of 36 fields, light-blue cells): every
// row on two lines, the 積算 track above and the 実行 track below. The user moves the caret,
// types into cells, scrolls and uses the calculator as in the master grid; leaving a cell
// recalculates the row's amounts (CTotalDoc::CalcGyou), and every stored change marks the
// document for a full recalculation. A click on a number cell and a calculator result
// recalculate the whole category, so its total row is current.
#include <memory>
#include <string>
#include <vector>

#include "grid/GridViewBase.h"
#include "resources/CommandIds.h"
#include "totals/TotalCommands.h"

class CTotalDoc;
class CTotalPrint;
class CTotalView;

// The totals view that was made last and still exists, or null.
extern CTotalView* g_pTotalView;

class CTotalView : public GridViewBase {
public:
    static constexpr int m_FirstField = 5;
    static constexpr int m_LastField = 36;
    static constexpr int m_GyouLen = 1400;
    static constexpr int kPaneFileName = 59146;   // the status pane that shows the document's file
    static constexpr kiv::ui::Color kDividerColor = kiv::ui::rgb(180, 180, 180);
    static constexpr int kShownFields = 36;
    static constexpr int kDividerFirstField = 2;    // a row's divider runs from this field's box
    static constexpr int kDividerLastField = 36;    // to this one's

    CTotalView();
    ~CTotalView() override;
    CTotalView(const CTotalView&) = delete;
    CTotalView& operator=(const CTotalView&) = delete;

    // The document set with SetDocument (tests, benchmarks), else the framework's document.
    CTotalDoc* GetDocument() const;
    void SetDocument(CTotalDoc* doc) { m_pDoc = doc; }
    GyouStore* Store() const override;

    // The row in the buffer: quantities in the totals' form, amounts from them; stored. A
    // number too wide for its column blanks it, with a message.
    void RecalcGyou() override;
    // The current category: every row but the last recalculated, then the last (the category's
    // total row) summed from them; each row's message collected and shown once. The cursor stays.
    void RecalcKoumoku();
    // The cursor row stored when it is a row of the page (a typed value is kept).
    void StoreCursorGyou();

    // The document changed under the grid (a conversion, a tree choice): the buffer takes the
    // cursor row again, so a later store never writes a row of the old page.
    void onUpdate(kiv::ui::View* sender, long hint) override;
    void onLButtonDblClk(unsigned flags, kiv::ui::Point p) override;
    void onRButtonDown(unsigned flags, kiv::ui::Point p) override;

    // --- Printing (TotalPrint.cpp)
    CTotalPrint& Print();
    void OnFilePrint();          // 57607
    void OnFilePrintPreview();   // 57609

    // --- Exports
    void OnTextOut();    // TotalTextOut.cpp
    void OnExcelOut();   // TotalExcelOut.cpp
    // --- Editing commands (TotalViewCommands.cpp), each on this window's own document.
    void ConnectEditCommands();
    void OnGyouInsert();
    void OnGyouDelete();
    void OnEditPaste();
    void OnEditUndo();
    void OnKoumokuMove();
    void OnKoumokuDelete();
    void OnKoumokuInsert();
    void OnTankaCopy();
    void OnTankaHenkan();
    void OnSyousai();
    void OnFontSize();
    // The right button by the current field: the unit list, the category list or the detail.
    void OnRightButton();

protected:
    // A click on a number cell and a calculator result keep the category's total row fresh.
    void RecalcNumberCell() override { RecalcKoumoku(); }
    void OnFunctionKey(int vk) override;
    void UpdateStatusPane() override;

private:
    // Around a command: the typed row stored first; the cursor row reloaded, the page redrawn and
    // the tree refilled when the pages changed afterwards.
    void BeforeCommand();
    void AfterCommand();
    // Category selection (項目移動 and the right button): the list dialog preset to `preset`.
    void ChooseKoumoku(int preset);

    CTotalDoc* m_pDoc = nullptr;
    std::unique_ptr<CTotalPrint> m_Print;
};
