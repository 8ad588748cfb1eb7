#pragma once
// CTotalView: the grid pane of a totals window. It draws the current category of its own
// document through the totals field table (g_TotalFieldTable): the caption lines, then every
// row on two lines, the 積算 track above and the 実行 track below. Typing into cells is not
// built yet; the totals' commands live on the document, so they work from the grid and the
// tree alike.
#include "platform/ui/View.h"

class CTotalDoc;

class CTotalView : public kiv::ui::View {
public:
    static constexpr kiv::ui::Color kBackColor = kiv::ui::rgb(255, 255, 255);
    static constexpr kiv::ui::Color kTitleColor = kiv::ui::rgb(24, 24, 120);
    static constexpr int kFontSize = 14;

    static constexpr int ID_TEXT_OUT = 32808;    // テキストファイル出力
    static constexpr int ID_EXCEL_OUT = 32884;   // EXCEL出力

    CTotalView();
    CTotalDoc* GetDocument() const;
    void OnTextOut();    // TotalTextOut.cpp
    void OnExcelOut();   // TotalExcelOut.cpp
    void onDraw(kiv::ui::Dc& dc) override;
};
