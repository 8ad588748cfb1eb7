#pragma once
// CTotalTree: the left pane of a totals window. One root, the document's path ("分類集計" for an
// untitled document), and one item per category labelled with the first 60 bytes of its title
// (number, 品名, 規格). Enter or a double click on a category makes it the document's current
// category. The pane works with its own window's document only.
#include <string>

#include "platform/ui/TreeView.h"

class CTotalDoc;

class CTotalTree : public kiv::ui::TreeView {
public:
    static constexpr kiv::ui::Color kBackColor = kiv::ui::rgb(211, 211, 211);
    static constexpr kiv::ui::Color kTextColor = kiv::ui::rgb(24, 24, 120);
    static constexpr int kDefaultFontSize = 14;
    static constexpr std::size_t kLabelLength = 60;

    CTotalTree();

    CTotalDoc* GetDocument() const;
    // The category list rebuilt (recalculating first when needed), then the root and categories.
    void FillKoumokuTree();
    void Rebuild() { onInitialUpdate(); }

    void onInitialUpdate() override;
    void onUpdate(kiv::ui::View* sender, long hint) override;
    void onReturn() override;
    void onLButtonDblClk(unsigned flags, kiv::ui::Point p) override;
    void onDraw(kiv::ui::Dc& dc) override;

    kiv::ui::TreeItem m_hRoot = 0;
    std::string m_ItemText;
    int m_CurKoumoku = 1;
    int m_FontSize = kDefaultFontSize;   // from "TFont_Size_Section" / "TFont_Size"

private:
    void SelectKoumoku();
    void ReadFontSize();
    kiv::ui::Font LabelFont() const { return {"ＭＳ ゴシック", m_FontSize, 400}; }
};
