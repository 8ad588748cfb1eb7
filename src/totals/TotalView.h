#pragma once
// CTotalView: the grid pane of a totals window. It draws the current category of its own
// document through the totals field table (g_TotalFieldTable): the caption lines, then every
// row on two lines, the 積算 track above and the 実行 track below. Typing into cells is not
// built yet; the totals' commands live on the document, so they work from the grid and the
// tree alike. 印刷 (57607) and 印刷ﾌﾟﾚﾋﾞｭｰ (57609) print the whole document (TotalPrint.h).
#include <memory>
#include <string_view>

#include "platform/ui/View.h"

class CTotalDoc;
class CTotalPrint;

// Where the grid's cells and lines fall on a device: the screen's own metrics, or a sheet of
// paper with the printer font's metrics and the grid moved right and down. One set of drawing
// routines serves both.
struct TotalGridGeometry {
    int cellWidth = 0;         // dots of one character cell
    int pitch = 0;             // dots of one grid line
    int cellOffset = 0;        // cells added left of every field
    int lineOffset = 0;        // lines added above every line
    int boxTop = 0;            // dots added to a box's top edge
    int boxBottom = 0;         // dots added to a box's bottom edge
    double textDrop = 0;       // a text stands this part of a pitch below its line's top
    double numberShift = 0;    // grouped numbers move this part of a cell right

    static TotalGridGeometry screen(int cellWidth, int lineHeight) {
        return {cellWidth, lineHeight, 0, 0, -2, -1, 0.0, 0.0};
    }
    // Paper: 6 cells right, 3 lines down, texts 0.13 pitch below the line, numbers half a cell
    // left of their cells.
    static TotalGridGeometry paper(int cellWidth, int lineHeight) {
        return {cellWidth, lineHeight, 6, 3, 0, 0, 0.13, -0.5};
    }
};

class CTotalView : public kiv::ui::View {
public:
    static constexpr kiv::ui::Color kBackColor = kiv::ui::rgb(255, 255, 255);
    static constexpr kiv::ui::Color kTitleColor = kiv::ui::rgb(24, 24, 120);
    static constexpr kiv::ui::Color kDividerColor = kiv::ui::rgb(180, 180, 180);
    static constexpr int kFontSize = 14;
    static constexpr int kShownFields = 36;

    CTotalView();
    ~CTotalView() override;

    CTotalDoc* GetDocument() const;
    void onDraw(kiv::ui::Dc& dc) override;

    // --- Printing (TotalPrint.cpp)
    CTotalPrint& Print();
    void OnFilePrint();          // 57607
    void OnFilePrintPreview();   // 57609

    // --- Drawing on a geometry (TotalViewDraw.cpp). `line` is the grid line a field stands on
    // (captions 0 and 1, grid row s on 2s and 2s + 1); fields not shown are skipped.
    static bool IsDrawnField(int field);
    static kiv::ui::Rect FieldBox(const TotalGridGeometry& g, int field, int line);
    static void DrawFieldBox(kiv::ui::Dc& dc, const TotalGridGeometry& g, int field, int line);
    // The field's bytes of `row`; a number with separator cells in its grouped form.
    static void DrawFieldText(kiv::ui::Dc& dc, const TotalGridGeometry& g, int field, int line, std::string_view row);
    static void DrawCaption(kiv::ui::Dc& dc, const TotalGridGeometry& g, int field);
    // The divider on top of `lowerLine`, from the left of field 2's box to the right of field
    // 36's, in the selected pen.
    static void DrawDivider(kiv::ui::Dc& dc, const TotalGridGeometry& g, int lowerLine);

private:
    std::unique_ptr<CTotalPrint> m_Print;
};
