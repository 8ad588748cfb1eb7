#pragma once
// CTotalTree: the left pane of a totals window. One root, the document's path ("分類集計" for an
// untitled document), and one item per category labelled with the first 60 bytes of its title
// (number, 品名, 規格). Enter or a double click on a category makes it the document's current
// category. The pane works with its own window's document only.
#include <string>

#include "estimate/TreePane.h"

class CTotalDoc;

extern template class TreePaneOf<CTotalDoc>;

class CTotalTree : public TreePaneOf<CTotalDoc> {
public:
    static constexpr kiv::ui::Color kBackColor = kiv::ui::rgb(211, 211, 211);
    static constexpr kiv::ui::Color kTextColor = kiv::ui::rgb(24, 24, 120);
    static constexpr std::size_t kLabelLength = 60;

    CTotalTree();

    // The document's path as CP932 text, or "分類集計" while it has none.
    std::string RootLabel() const override;

protected:
    // The category list rebuilt, recalculating first when needed.
    void RebuildTitles() override;
    void InsertTitles() override;
    // The grid's row and page go back first.
    void StoreBeforeSwitch() override;
    // The other views of the document show the new category; the pane keeps its scrolling.
    void ShowPicked(bool byClick) override;
};
