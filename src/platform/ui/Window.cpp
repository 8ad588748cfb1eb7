#include "platform/ui/Window.h"

#include "platform/text/Cp932.h"
#include "platform/ui/App.h"
#include "platform/ui/Backend.h"
#include "platform/ui/Dialog.h"

#include <algorithm>
#include <set>

namespace kiv::ui {
namespace {

Window* g_Focus = nullptr;
std::vector<std::unique_ptr<Window>>& graveyard() {
    static std::vector<std::unique_ptr<Window>> g;
    return g;
}

} // namespace

Window::Window(WindowKind kind) : m_Kind(kind) {}

Window::~Window() {
    if (!m_Destroyed)
        destroyWindow();
    // The owned children are deleted with m_Owned; their own destructors find them destroyed.
}

bool Window::create(Window* parent, const Rect& r, bool visible) {
    // A window created again after it was destroyed (a dialog object run modally a second time)
    // starts afresh: it is live and its next showing is notified.
    if (m_Destroyed) {
        m_Destroyed = false;
        m_ShownNotified = false;
    }
    setParent(parent);
    m_Geometry = r;
    m_ClientSize = r.size();
    m_Visible = visible;
    m_Peer = backend().createPeer(*this);
    m_Created = true;
    if (onCreate() == -1) {
        destroyWindow();
        return false;
    }
    m_Peer->setGeometry(r);
    m_Peer->setVisible(visible);
    layoutChildren();
    invalidate();
    onSize(m_ClientSize.cx, m_ClientSize.cy);
    if (visible && (!m_Parent || m_Parent->isShowing()))
        notifyShowTree(true);
    return true;
}

void Window::setParent(Window* parent) {
    if (m_Parent == parent)
        return;
    if (m_Parent)
        std::erase(m_Parent->m_Children, this);
    m_Parent = parent;
    if (m_Parent)
        m_Parent->m_Children.push_back(this);
}

void Window::destroyWindow() {
    if (m_Destroyed)
        return;
    m_Destroyed = true;
    if (g_Focus && (g_Focus == this || g_Focus->isDescendantOf(this)))
        g_Focus = nullptr;
    if (m_Created)
        onDestroy();
    std::vector<Window*> kids = m_Children;
    for (Window* c : kids)
        c->destroyWindow();
    for (auto& [id, ms] : m_Timers)
        if (m_Peer)
            m_Peer->timerChanged(id, 0);
    m_Timers.clear();
    m_Peer.reset();
    m_Created = false;
    if (App* a = App::instance())
        a->windowDestroyed(this);
    Dialog::windowDestroyed(*this);
    if (Window* p = m_Parent) {
        std::erase(p->m_Children, this);
        m_Parent = nullptr;
        auto it = std::find_if(p->m_Owned.begin(), p->m_Owned.end(), [&](auto& o) { return o.get() == this; });
        if (it != p->m_Owned.end()) {
            graveyard().push_back(std::move(*it));
            p->m_Owned.erase(it);
        }
    }
}

void collectDestroyedWindows() {
    while (!graveyard().empty()) {
        auto dead = std::move(graveyard());
        graveyard().clear();
        dead.clear();   // may destroy more windows, collected by the next round
    }
}

void Window::setGeometry(const Rect& r) {
    m_Geometry = r;
    if (m_Peer)
        m_Peer->setGeometry(r);
    else
        m_ClientSize = r.size();
}

void Window::invalidateRect(const Rect& r) {
    Rect c = r.intersected(clientRect());
    if (c.isEmpty())
        return;
    m_Invalid.add(c);
    if (m_Peer)
        m_Peer->invalidated();
}

void Window::validateRect(const Rect& r) { m_Invalid.subtract(r); }

void Window::scrollWindow(int dx, int dy, const Rect& r) {
    Rect area = r.intersected(clientRect());
    if (area.isEmpty() || !m_Peer)
        return;
    m_Peer->scrollSurface(dx, dy, area);
    // What was due for painting inside the area moves with the pixels.
    Region moved = m_Invalid;
    moved.intersect(area);
    moved.offset(dx, dy);
    moved.intersect(area);
    m_Invalid.subtract(area);
    for (const Rect& x : moved.rects())
        m_Invalid.add(x);
    Region uncovered;
    uncovered.add(area);
    uncovered.subtract(area.offset(dx, dy));
    for (const Rect& x : uncovered.rects())
        m_Invalid.add(x);
    m_Peer->surfaceChanged();
    if (!m_Invalid.isEmpty())
        m_Peer->invalidated();
}

std::unique_ptr<Dc> Window::getDc() {
    if (!m_Peer)
        return nullptr;
    return m_Peer->surfaceDc(nullptr);
}

void Window::dispatchPaint() {
    if (!m_Peer || m_Invalid.isEmpty() || !isShowing())
        return;
    Region clip = m_Invalid;
    m_Invalid.clear();
    {
        std::unique_ptr<Dc> dc = m_Peer->surfaceDc(&clip);
        if (!dc)
            return;
        for (const Rect& r : clip.rects())
            dc->fillSolidRect(r, m_Background);
        onPaint(*dc);
    }
    if (m_Peer)
        m_Peer->surfaceChanged();
}

void Window::show(bool on) {
    if (!m_Created) {
        m_Visible = on;
        return;
    }
    bool wasShowing = isShowing();
    m_Visible = on;
    m_Peer->setVisible(on);
    bool nowShowing = isShowing();
    if (wasShowing != nowShowing)
        notifyShowTree(nowShowing);
}

bool Window::isShowing() const {
    for (const Window* w = this; w; w = w->m_Parent)
        if (!w->m_Visible || !w->m_Created)
            return false;
    return true;
}

void Window::notifyShowTree(bool shown) {
    if (!m_Visible && shown)
        return;
    if (m_ShownNotified != shown) {
        m_ShownNotified = shown;
        onShowWindow(shown);
        if (shown)
            invalidate();
    }
    std::vector<Window*> kids = m_Children;
    for (Window* c : kids)
        if (c->m_Created && !c->m_Destroyed)
            c->notifyShowTree(shown);
}

void Window::dispatchShow(bool shown) {
    if (shown != isShowing())
        show(shown);
}

void Window::setFocus() {
    if (m_Peer && !m_Destroyed)
        m_Peer->setFocus();
}

bool Window::hasFocus() const { return g_Focus == this; }
Window* Window::focusWindow() { return g_Focus; }

bool Window::isDescendantOf(const Window* w) const {
    for (const Window* p = m_Parent; p; p = p->m_Parent)
        if (p == w)
            return true;
    return false;
}

void Window::setTitle(const std::string& utf8) {
    m_Title = utf8;
    if (m_Peer)
        m_Peer->setTitle(utf8);
}

void Window::createSolidCaret(int width, int height) {
    m_Caret.exists = true;
    m_Caret.visible = false;   // a new caret starts hidden
    m_Caret.width = width;
    m_Caret.height = height;
    if (m_Peer)
        m_Peer->caretChanged();
}

void Window::destroyCaret() {
    m_Caret = Caret{};
    if (m_Peer)
        m_Peer->caretChanged();
}

void Window::setCaretPos(Point p) {
    m_Caret.pos = p;
    if (m_Peer)
        m_Peer->caretChanged();
}

void Window::showCaret() {
    if (!m_Caret.exists)
        return;
    m_Caret.visible = true;
    if (m_Peer)
        m_Peer->caretChanged();
}

void Window::hideCaret() {
    m_Caret.visible = false;
    if (m_Peer)
        m_Peer->caretChanged();
}

void Window::showScrollBar(int bar, bool show) {
    if (bar == SB_HORZ || bar == SB_BOTH)
        m_HScroll.shown = show;
    if (bar == SB_VERT || bar == SB_BOTH)
        m_VScroll.shown = show;
    if (m_Peer)
        m_Peer->scrollBarsChanged();
}

void Window::setScrollRange(int bar, int min, int max) {
    ScrollBar& sb = bar == SB_HORZ ? m_HScroll : m_VScroll;
    sb.min = min;
    sb.max = std::max(min, max);
    sb.pos = std::clamp(sb.pos, sb.min, sb.max);
    if (m_Peer)
        m_Peer->scrollBarsChanged();
}

int Window::setScrollPos(int bar, int pos) {
    ScrollBar& sb = bar == SB_HORZ ? m_HScroll : m_VScroll;
    int old = sb.pos;
    sb.pos = std::clamp(pos, sb.min, sb.max);
    if (m_Peer)
        m_Peer->scrollBarsChanged();
    return old;
}

void Window::setTimer(int id, int intervalMs) {
    m_Timers[id] = std::max(1, intervalMs);
    if (m_Peer)
        m_Peer->timerChanged(id, m_Timers[id]);
}

void Window::killTimer(int id) {
    if (m_Timers.erase(id) && m_Peer)
        m_Peer->timerChanged(id, 0);
}

int Window::timerInterval(int id) const {
    auto it = m_Timers.find(id);
    return it == m_Timers.end() ? 0 : it->second;
}

void Window::setImeOpen(bool open) {
    m_ImeOpen = open;
    if (m_Peer)
        m_Peer->imeChanged();
}

bool Window::sendCommand(int id) {
    App* a = App::instance();
    return a && a->routeCommand(id);
}

void Window::dispatchSize(Size client) {
    if (client == m_ClientSize && m_Created)
        return;
    m_ClientSize = client;
    m_Invalid.intersect(clientRect());
    layoutChildren();
    invalidate();
    onSize(client.cx, client.cy);
}

void Window::dispatchFocus(bool gained) {
    if (m_Destroyed)
        return;
    if (gained) {
        if (g_Focus == this)
            return;
        Window* old = g_Focus;
        g_Focus = this;
        if (old)
            old->onKillFocus();
        if (App* a = App::instance())
            a->focusChanged(this);
        if (g_Focus == this)
            onSetFocus();
    } else if (g_Focus == this) {
        g_Focus = nullptr;
        onKillFocus();
    }
}

bool Window::dispatchKeyDown(int vk, unsigned mods, int repeat) {
    if (m_Destroyed)
        return false;
    if (preTranslateKeyDown(vk, mods))
        return true;
    if (App* a = App::instance(); a && a->translateAccelerator(*this, vk, mods))
        return true;
    onKeyDown(vk, repeat, 0);
    return false;
}

void Window::dispatchKeyUp(int vk, unsigned) {
    if (App* a = App::instance(); a && a->takeFrameKeyUp(vk))
        return;
    if (!m_Destroyed)
        onKeyUp(vk, 1, 0);
}

void Window::dispatchChar(unsigned char c) {
    if (!m_Destroyed)
        onChar(c, 1, 0);
}

void Window::dispatchText(std::string_view utf8) {
    // A character CP932 cannot hold drops only itself; a window destroyed by one character
    // takes no more.
    for (char b : text::toCp932Replacing(utf8, "")) {
        if (m_Destroyed)
            break;
        dispatchChar(static_cast<unsigned char>(b));
    }
}

void Window::dispatchMouse(MouseEvent ev, Point p, unsigned flags) {
    if (m_Destroyed)
        return;
    switch (ev) {
    case MouseEvent::LButtonDown: onLButtonDown(flags | MK_LBUTTON, p); break;
    case MouseEvent::LButtonUp: onLButtonUp(flags, p); break;
    case MouseEvent::LButtonDblClk: onLButtonDblClk(flags | MK_LBUTTON, p); break;
    case MouseEvent::RButtonDown: onRButtonDown(flags | MK_RBUTTON, p); break;
    case MouseEvent::RButtonUp: break;
    case MouseEvent::Move: onMouseMove(flags, p); break;
    }
}

void Window::dispatchScroll(int bar, int code, int pos) {
    if (m_Destroyed)
        return;
    if (bar == SB_VERT)
        onVScroll(code, pos);
    else
        onHScroll(code, pos);
}

void Window::dispatchWheel(int delta, Point p, unsigned flags) {
    if (!m_Destroyed && delta != 0)
        onMouseWheel(flags, delta, p);
}

void Window::dispatchTimer(int id) {
    if (m_Destroyed || !hasTimer(id))
        return;
    if (App* a = App::instance(); a && a->isBusy()) {
        a->deferTimer(this, id);
        return;
    }
    onTimer(id);
}

void Window::dispatchClose() {
    if (!m_Destroyed)
        onClose();
}

} // namespace kiv::ui
