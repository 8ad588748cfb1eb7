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

#include "platform/ui/TreeView.h"

class MstDoc;
class CMstView;
class CMstTree;

// The master tree created last.
extern CMstTree* g_pMstTree;

class CMstTree : public kiv::ui::TreeView {
public:
    static constexpr kiv::ui::Color kBackColor = kiv::ui::rgb(211, 211, 211);
    static constexpr kiv::ui::Color kTextColor = kiv::ui::rgb(0, 123, 67);
    static constexpr int kDefaultFontSize = 14;
    static constexpr std::size_t kHeadingLength = 30;   // a heading entry is a 30-byte 備考

    CMstTree();
    ~CMstTree() override;

    MstDoc* GetDocument() const;
    CMstView* GridView() const;
    // The document's path as CP932 text.
    std::string RootLabel() const;

    // The titles rebuilt by the grid view, then the root, headings and categories, expanded.
    void FillKoumokuTree();
    void Rebuild() { onInitialUpdate(); }

    void onInitialUpdate() override;
    void onUpdate(kiv::ui::View* sender, long hint) override;
    void onReturn() override;
    void onLButtonDblClk(unsigned flags, kiv::ui::Point p) override;
    void onDraw(kiv::ui::Dc& dc) override;

    kiv::ui::TreeItem m_hRoot = 0;
    std::string m_ItemText;
    std::string m_Mode;
    int m_SelBun = 0;
    int m_FontSize = kDefaultFontSize;   // from "MFont_Size_Section" / "MFont_Size"

private:
    // The selected category becomes the grid's current category, cursor on its row 1.
    void SelectBun();
    void ReadFontSize();
    kiv::ui::Font LabelFont() const;
};
