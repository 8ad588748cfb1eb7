#pragma once
// CSplitterFrame: a document window split by a static splitter of one row and two columns, the
// tree pane on the left and the grid view on the right. The estimate, master and totals split
// frames differ only in their pane classes.
#include "platform/ui/Frame.h"

class CSplitterFrame : public kiv::ui::ChildFrame {
public:
    // The pane widths for a client area `clientWidth` wide: the tree W / 3.5, the grid W / 1.4,
    // each truncated (together 2/7 and 5/7 of the width).
    static int TreePaneWidth(int clientWidth);
    static int ViewPaneWidth(int clientWidth);

    CSplitterFrame(kiv::ui::ViewFactory tree, kiv::ui::ViewFactory view);

    // Creates the splitter and both panes attached to the document being opened; false (the
    // frame is not created) when one of them cannot be created.
    bool onCreateClient(kiv::ui::CreateContext& ctx) override;

    kiv::ui::Splitter* m_wndSplitter = nullptr;

private:
    kiv::ui::ViewFactory m_TreeFactory;
    kiv::ui::ViewFactory m_ViewFactory;
};
