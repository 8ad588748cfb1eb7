#include "platform/ui/View.h"

#include "platform/ui/Document.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Frame.h"

namespace kiv::ui {

View::View() : Window(WindowKind::View) {}

View::~View() {
    if (m_Document)
        m_Document->removeView(this);
}

ChildFrame* View::parentFrame() const {
    for (Window* w = parent(); w; w = w->parent())
        if (w->kind() == WindowKind::ChildFrame)
            return static_cast<ChildFrame*>(w);
    return nullptr;
}

bool View::createView(Window* parent, const Rect& r, CreateContext& ctx) {
    if (ctx.document)
        ctx.document->addView(this);
    return create(parent, r, true);
}

void View::onInitialUpdate() { onUpdate(nullptr, 0); }

void View::onUpdate(View*, long) { invalidate(); }

void View::onActivateView(bool, View*, View*) {}

void View::onDestroy() {
    if (ChildFrame* f = parentFrame(); f && f->activeView() == this)
        f->setActiveView(nullptr);
    if (m_Document)
        m_Document->removeView(this);
}

} // namespace kiv::ui
