#pragma once
// CTotalView: the grid pane of a totals window. It draws the current category of its own
// document through the totals field table (g_TotalFieldTable): the caption lines, then every
// row on two lines, the 積算 track above and the 実行 track below. Typing into cells is not
// built yet; the totals' commands live on the document, so they work from the grid and the
// tree alike.
#include "platform/ui/View.h"
#include "totals/TotalCommands.h"

class CTotalDoc;

class CTotalView : public kiv::ui::View {
public:
    static constexpr kiv::ui::Color kBackColor = kiv::ui::rgb(255, 255, 255);
    static constexpr kiv::ui::Color kTitleColor = kiv::ui::rgb(24, 24, 120);
    static constexpr int kFontSize = 14;

    CTotalView();
    CTotalDoc* GetDocument() const;
    void onDraw(kiv::ui::Dc& dc) override;

    // --- Editing commands (TotalViewCommands.cpp): each acts on this window's own document.
    void OnGyouInsert();
    void OnGyouDelete();
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    void OnEditUndo();
    void OnKoumokuMove();
    void OnKoumokuDelete();
    void OnKoumokuInsert();
    void OnTankaCopy();
    void OnTankaHenkan();
    void OnSyousai();
    void OnFontSize();
    // The function keys of the commands; true when the key was one.
    bool OnFunctionKey(int vk);
    void onKeyDown(int vk, int repeat, unsigned flags) override;
    void onRButtonDown(unsigned flags, kiv::ui::Point p) override;

    int m_CurField = 5;                 // the current field (品名 until typing moves it)
    int m_FontSize = kFontSize;         // "Font_Size_Section"/"Font_Size", as the other grids
    totalcmd::CellBuffers m_CellBuf;    // ｺﾋﾟｰ/切り取り buffers of this window

private:
    // Category selection (項目移動 and the right button): the list dialog preset to `preset`.
    void ChooseKoumoku(int preset);
    // After a command: the page redrawn, the tree refilled when the pages changed.
    void AfterCommand();
};
