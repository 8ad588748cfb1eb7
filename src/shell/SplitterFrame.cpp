#include "shell/SplitterFrame.h"

int CSplitterFrame::TreePaneWidth(int clientWidth) { return static_cast<int>(clientWidth / 3.5); }

int CSplitterFrame::ViewPaneWidth(int clientWidth) { return static_cast<int>(clientWidth / 1.4); }

CSplitterFrame::CSplitterFrame(kiv::ui::ViewFactory tree, kiv::ui::ViewFactory view)
    : m_TreeFactory(std::move(tree)), m_ViewFactory(std::move(view)) {}

bool CSplitterFrame::onCreateClient(kiv::ui::CreateContext& ctx) {
    const kiv::ui::Rect client = clientRect();
    const kiv::ui::Size treeSize{TreePaneWidth(client.width()), client.height()};
    const kiv::ui::Size viewSize{ViewPaneWidth(client.width()), client.height()};
    m_wndSplitter = adopt(std::make_unique<kiv::ui::Splitter>());
    if (!m_wndSplitter->createStatic(this, 1, 2))
        return false;
    if (!m_wndSplitter->createView(0, 0, m_TreeFactory, treeSize, ctx))
        return false;
    kiv::ui::View* view = m_wndSplitter->createView(0, 1, m_ViewFactory, viewSize, ctx);
    if (!view)
        return false;
    // The grid is where the user works: it takes the commands and the keyboard first.
    setActiveView(view);
    return true;
}
