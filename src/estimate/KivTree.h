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

#include "estimate/TreePane.h"

class CKivDoc;
class CKivView;

extern template class TreePaneOf<CKivDoc>;

class CKivTree : public TreePaneOf<CKivDoc> {
public:
    static constexpr kiv::ui::Color kBackColor = kiv::ui::rgb(211, 211, 211);
    static constexpr kiv::ui::Color kTextColor = kiv::ui::rgb(0, 0, 205);
    static constexpr std::size_t kLabelLength = 60;
    // The part of the label taken whole (item number, 記号, 品名); 規格 follows, cut to fit.
    static constexpr std::size_t kLabelHeadLength = 38;

    CKivTree();

    // The grid view of the pane's window; for a pane alone in its window, the grid view of its
    // document, if it has one.
    CKivView* GridView() const;

    // The first 60 bytes of an item title, cut on a character boundary (a half character at the
    // end becomes a blank).
    static std::string KoumokuLabel(std::string_view title);
    // The document's path as CP932 text, or "新規内訳書" while it has none.
    std::string RootLabel() const override;

    // 32871 / 32872 from the pane: the grid view's 新項目追加 / 項目名登録.
    void OnNewKoumoku();
    void OnKoumokuToroku();

protected:
    // The titles are the document's, built by the grid view.
    void RebuildTitles() override;
    void InsertTitles() override;
    // 項目名登録 of the item left, so its title is fresh.
    void StoreBeforeSwitch() override;
    void ShowPicked(bool byClick) override;
    // 項目名登録 recalculates the current item and refills the tree with fresh titles.
    void AfterFirstFill() override;

private:
    // The trees in the window of a grid view whose font changed are built again.
    static void RebuildTreesBeside(kiv::ui::View& gridView);
};
