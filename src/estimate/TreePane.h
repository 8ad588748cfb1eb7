#pragma once
// TreePane: what the left panes of the estimate, master and totals windows share. A tree with one
// root, the document's file, and the groups (items of an estimate, categories of a master or of
// the totals) under it, labelled with their titles. The pane fills itself when its window is
// built and again whenever its document says the titles changed; Enter or a double click on a
// group stores what is being edited and makes that group the document's current one, cursor on
// its row 1. Its labels are drawn at the grid's font size, which the window's profile keys give.
//
// Each pane gives its document, how its titles are rebuilt and labelled, what it stores before
// the switch and how the views beside it show the new group.
#include <string>
#include <string_view>

#include "platform/ui/TreeView.h"

class GyouStore;

// Every visible label of a tree pane drawn again in `font` over `back`, as the panes do when
// their font size is not the one the control draws at.
void RedrawTreeLabels(kiv::ui::TreeView& tree, kiv::ui::Dc& dc, const kiv::ui::Font& font, kiv::ui::Color back);

class TreePane : public kiv::ui::TreeView {
public:
    static constexpr int kDefaultFontSize = 14;   // the control draws its own labels at this size

    // How a pane looks and where its font size is kept.
    struct Style {
        kiv::ui::Color back;
        kiv::ui::Color text;
        const char* fontSection;   // profile section and key of the grid's font size
        const char* fontKey;
        bool scrollBars = false;   // both scroll bars shown from the start
        bool scrollHomeOnPick = true;   // a picked group scrolls the pane back to its top left
    };

    // The titles rebuilt, then the root and the groups, expanded.
    void FillKoumokuTree();
    // Everything again from the start, as after the window was created (after a font change).
    void Rebuild() { onInitialUpdate(); }

    void onInitialUpdate() override;
    // Refills the tree when the document says the titles changed.
    void onUpdate(kiv::ui::View* sender, long hint) override;
    void onReturn() override;
    void onLButtonDblClk(unsigned flags, kiv::ui::Point p) override;
    // With a grid font size other than 14, every visible label is drawn again in that size.
    void onDraw(kiv::ui::Dc& dc) override;
    // A save under a new name shows in the root at once, without waiting for the next refill.
    void onPathNameChanged() override;

    kiv::ui::TreeItem m_hRoot = 0;           // the root item (the document's file)
    std::string m_Text;                      // label being inserted or read
    int m_SelKoumoku = 0;                    // group of the last selection; 0 before the first
    int m_FontSize = kDefaultFontSize;       // grid font height from the profile

protected:
    explicit TreePane(const Style& style);

    // The rows of the pane's document and its flag that the titles changed; null without one.
    virtual GyouStore* Rows() const = 0;
    virtual int* TreeDirty() const = 0;
    // The document's titles made again before the tree is filled.
    virtual void RebuildTitles() = 0;
    virtual std::string RootLabel() const = 0;
    // The groups' items under m_hRoot.
    virtual void InsertTitles() = 0;
    // What is being edited stored before another group becomes current.
    virtual void StoreBeforeSwitch() = 0;
    // After the switch: the views show the new group (`byClick`: a double click, else Enter).
    virtual void ShowPicked(bool byClick) = 0;
    // After the first fill, before the document's flag is cleared.
    virtual void AfterFirstFill() {}

    kiv::ui::Font LabelFont() const;
    // A document's path (UTF-8) as the root shows it: CP932, a character CP932 cannot hold
    // shown as "?".
    static std::string PathLabel(std::string_view utf8);

private:
    // The group of the selected item becomes the document's current group, cursor on row 1.
    void SelectKoumoku();
    void ReadFontSize();
    void ScrollHome();

    Style m_Style;
};

// A pane of a document type whose rows and tree flag the pane reads from its own document. Each
// pane's file instantiates it for its document type (the headers declare that instantiation
// extern, so their users need not see the document's class).
template <class Doc>
class TreePaneOf : public TreePane {
public:
    Doc* GetDocument() const;

protected:
    using TreePane::TreePane;
    GyouStore* Rows() const override;
    int* TreeDirty() const override;
};

template <class Doc>
Doc* TreePaneOf<Doc>::GetDocument() const {
    return dynamic_cast<Doc*>(document());
}

template <class Doc>
GyouStore* TreePaneOf<Doc>::Rows() const {
    return GetDocument();
}

template <class Doc>
int* TreePaneOf<Doc>::TreeDirty() const {
    Doc* d = GetDocument();
    return d ? &d->m_TreeDirty : nullptr;
}
