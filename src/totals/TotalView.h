#pragma once
// CTotalView: the grid pane of a totals window. It draws the current category of its own
// document through the totals field table (g_TotalFieldTable): the caption lines, then every
// row on two lines, the 積算 track above and the 実行 track below. Typing into cells is not
// built yet; the totals' commands live on the document, so they work from the grid and the
// tree alike. 印刷 (57607) and 印刷ﾌﾟﾚﾋﾞｭｰ (57609) print the whole document (TotalPrint.h).
#include <memory>

#include "platform/ui/View.h"

class CTotalDoc;
class CTotalPrint;

class CTotalView : public kiv::ui::View {
public:
    static constexpr kiv::ui::Color kBackColor = kiv::ui::rgb(255, 255, 255);
    static constexpr kiv::ui::Color kTitleColor = kiv::ui::rgb(24, 24, 120);
    static constexpr kiv::ui::Color kDividerColor = kiv::ui::rgb(180, 180, 180);
    static constexpr int kFontSize = 14;
    static constexpr int kShownFields = 36;
    static constexpr int kDividerFirstField = 2;    // a row's divider runs from this field's box
    static constexpr int kDividerLastField = 36;    // to this one's

    CTotalView();
    ~CTotalView() override;

    CTotalDoc* GetDocument() const;
    void onDraw(kiv::ui::Dc& dc) override;

    // --- Printing (TotalPrint.cpp)
    CTotalPrint& Print();
    void OnFilePrint();          // 57607
    void OnFilePrintPreview();   // 57609

private:
    std::unique_ptr<CTotalPrint> m_Print;
};
