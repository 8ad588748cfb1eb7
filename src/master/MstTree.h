#pragma once
// CMstTree: the left pane of a master window. A tree with one root, the master's own path, and
// one item per category labelled with its title (分類, 記号, 品名, 規格 of line 1); a category
// whose line 1 carries a 備考 gets a heading item under the root, and it and the categories after
// it hang under that heading until the next one. Enter or a double click on a category makes it
// the current category of the grid beside the pane.
//
// The pane works with the grid view of its own window, so with several masters open a selection
// in one never moves another.
#include <string>

#include "estimate/TreePane.h"

class MstDoc;
class CMstView;
class CMstTree;

// The master tree created last.
extern CMstTree* g_pMstTree;

extern template class TreePaneOf<MstDoc>;

class CMstTree : public TreePaneOf<MstDoc> {
public:
    static constexpr kiv::ui::Color kBackColor = kiv::ui::rgb(211, 211, 211);
    static constexpr kiv::ui::Color kTextColor = kiv::ui::rgb(0, 123, 67);
    static constexpr std::size_t kHeadingLength = 30;   // a heading entry is a 30-byte 備考

    CMstTree();
    ~CMstTree() override;

    CMstView* GridView() const;
    // The document's path as CP932 text.
    std::string RootLabel() const override;

    std::string m_Mode;

protected:
    // The titles rebuilt by the grid view, the master file's path read again for the mode.
    void RebuildTitles() override;
    // Categories under the root, or under the heading before them.
    void InsertTitles() override;
    // The row being edited goes back first.
    void StoreBeforeSwitch() override;
    // The grid's row buffer loaded for the new category, then the views show it.
    void ShowPicked(bool byClick) override;
};
