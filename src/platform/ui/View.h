#pragma once
// A view: a window that shows a document. It is created by a document template or a splitter
// with the creation context, so its document is known when onCreate runs.
#include "platform/ui/Window.h"

namespace kiv::ui {

class Document;
class ChildFrame;
struct CreateContext;

class View : public Window {
public:
    View();
    ~View() override;

    Document* document() const { return m_Document; }
    // The child frame the view sits in (through a splitter when there is one).
    ChildFrame* parentFrame() const;

    // Attaches to the context's document and creates the window.
    bool createView(Window* parent, const Rect& r, CreateContext& ctx);

    // The first update after the document was created or opened; default: onUpdate.
    virtual void onInitialUpdate();
    // The document changed (updateAllViews); default: repaint.
    virtual void onUpdate(View* sender, long hint);
    // The view became, or stopped being, the active view of the program.
    virtual void onActivateView(bool activate, View* activated, View* deactivated);
    // The document's path changed (saved under another name, or a new document's first save).
    virtual void onPathNameChanged() {}
    virtual void onDraw(Dc& dc) { (void)dc; }
    void onPaint(Dc& dc) override { onDraw(dc); }
    void onDestroy() override;

private:
    friend class Document;
    Document* m_Document = nullptr;
};

} // namespace kiv::ui
