#pragma once
// CKivTree: the left pane of an estimate window. A tree with one root, the estimate's file, and
// one child per item labelled with the start of the item's title; Enter or a double click on a
// child makes that item the current item of the grid view beside the pane. The titles are the
// document's (CKivDoc::m_KoumokuName), built by that grid view; the pane keeps no rows of its own.
//
// The pane works with the grid view of its own window (of its own document when it stands alone),
// so with several estimates open, a selection in one never moves another.
#include <string>
#include <string_view>

#include "platform/ui/TreeView.h"

class CKivDoc;
class CKivView;

// Every visible label of a tree pane drawn again in `font` over `back`, as the panes do when
// their font size is not the one the control draws at (the estimate's and the master's tree).
void RedrawTreeLabels(kiv::ui::TreeView& tree, kiv::ui::Dc& dc, const kiv::ui::Font& font, kiv::ui::Color back);

class CKivTree : public kiv::ui::TreeView {
public:
    static constexpr kiv::ui::Color kBackColor = kiv::ui::rgb(211, 211, 211);
    static constexpr kiv::ui::Color kTextColor = kiv::ui::rgb(0, 0, 205);
    static constexpr int kDefaultFontSize = 14;   // the control draws its own labels at this size
    static constexpr std::size_t kLabelLength = 60;
    // The part of the label taken whole (item number, 記号, 品名); 規格 follows, cut to fit.
    static constexpr std::size_t kLabelHeadLength = 38;

    CKivTree();

    CKivDoc* GetDocument() const;
    // The grid view of the pane's window; for a pane alone in its window, the grid view of its
    // document, if it has one.
    CKivView* GridView() const;

    // The first 60 bytes of an item title, cut on a character boundary (a half character at the
    // end becomes a blank).
    static std::string KoumokuLabel(std::string_view title);
    // The document's path as CP932 text, or "新規内訳書" while it has none.
    std::string RootLabel() const;

    // The titles rebuilt by the grid view, then the root and one child per item, expanded.
    void FillKoumokuTree();
    // Everything again from the start, as after the window was created (after a font change).
    void Rebuild() { onInitialUpdate(); }

    // 32871 / 32872 from the pane: the grid view's 新項目追加 / 項目名登録.
    void OnNewKoumoku();
    void OnKoumokuToroku();

    void onInitialUpdate() override;
    // Refills the tree when the document says the titles changed.
    void onUpdate(kiv::ui::View* sender, long hint) override;
    void onReturn() override;
    void onLButtonDblClk(unsigned flags, kiv::ui::Point p) override;
    // With a grid font size other than 14, every visible label is drawn again in that size.
    void onDraw(kiv::ui::Dc& dc) override;

    kiv::ui::TreeItem m_hRoot = 0;           // the root item (the estimate's file)
    std::string m_Text;                      // label being inserted or read
    int m_SelKoumoku = 0;                    // item of the last selection; 0 before the first
    int m_FontSize = kDefaultFontSize;       // grid font height from the profile

private:
    // The item of the selected child becomes the grid view's current item, cursor on row 1.
    void SelectKoumoku();
    void ReadFontSize();
    kiv::ui::Font LabelFont() const;
    // The trees in the window of a grid view whose font changed are built again.
    static void RebuildTreesBeside(kiv::ui::View& gridView);
};
