#pragma once
// A window of the layer: frames, splitters and views all derive from it. It owns its child
// windows, keeps its geometry, its invalid region, caret, scroll bars, timers and input-method
// state, and turns the events a backend reports (dispatch*) into calls of its virtual handlers,
// which keep the meaning of the handlers the program's views are written against: key codes
// are virtual keys, characters are CP932 bytes, points are client pixels, and the base handler
// of each event is its default handling.
#include "platform/ui/CommandTarget.h"
#include "platform/ui/Dc.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Types.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kiv::ui {

class WindowPeer;
class App;

enum class WindowKind { MainFrame, ChildFrame, Splitter, View, Dialog };

// Button and key flags of mouse handlers.
enum MouseFlag : unsigned { MK_LBUTTON = 1, MK_RBUTTON = 2, MK_SHIFT = 4, MK_CONTROL = 8 };
enum class MouseEvent { LButtonDown, LButtonUp, LButtonDblClk, RButtonDown, RButtonUp, Move };

struct Caret {
    bool exists = false;
    bool visible = false;   // shown or hidden: a plain switch, not a counter
    int width = 0, height = 0;
    Point pos;
};

struct ScrollBar {
    bool shown = false;
    int min = 0, max = 0, pos = 0;
};

class Window : public CommandTarget {
public:
    explicit Window(WindowKind kind);
    ~Window() override;

    WindowKind kind() const { return m_Kind; }
    Window* parent() const { return m_Parent; }
    const std::vector<Window*>& children() const { return m_Children; }
    WindowPeer* peer() const { return m_Peer.get(); }

    // Creates the native window under `parent` (which takes ownership through adopt) at `r` in
    // the parent's client coordinates; runs onCreate. False (and nothing created) when onCreate
    // returns -1.
    bool create(Window* parent, const Rect& r, bool visible = true);
    bool isCreated() const { return m_Created; }
    // Destroys the window and its children at once; the object itself is deleted after the
    // current event, once no command or modal dialog runs (see collectGarbage), so a handler may
    // destroy its own window and a command finds its view still there after a dialog.
    void destroyWindow();
    bool isDestroyed() const { return m_Destroyed; }
    // Takes ownership of a child window object (before or after its create()).
    template <class T> T* adopt(std::unique_ptr<T> w) {
        T* p = w.get();
        m_Owned.push_back(std::move(w));
        return p;
    }

    // Geometry: the client rectangle is (0, 0, width, height) of the client area.
    Rect clientRect() const { return {0, 0, m_ClientSize.cx, m_ClientSize.cy}; }
    const Rect& geometry() const { return m_Geometry; }
    void setGeometry(const Rect& r);

    // Painting.
    void invalidate() { invalidateRect(clientRect()); }
    void invalidateRect(const Rect& r);
    void validateRect(const Rect& r);
    // Paints the invalid region now (the paint of the view runs before this returns).
    void updateWindow() { dispatchPaint(); }
    // Moves the pixels inside r by (dx, dy); the uncovered part of r becomes invalid.
    void scrollWindow(int dx, int dy, const Rect& r);
    // A device context that draws on the window at once, outside a paint.
    std::unique_ptr<Dc> getDc();
    const Region& invalidRegion() const { return m_Invalid; }
    void setBackgroundColor(Color c) { m_Background = c; }
    Color backgroundColor() const { return m_Background; }

    // Visibility and focus.
    void show(bool on);
    bool isVisible() const { return m_Visible; }
    bool isShowing() const;   // visible and every ancestor visible
    void setFocus();
    bool hasFocus() const;
    static Window* focusWindow();
    bool isDescendantOf(const Window* w) const;

    void setTitle(const std::string& utf8);
    const std::string& title() const { return m_Title; }

    // Caret.
    void createSolidCaret(int width, int height);
    void destroyCaret();
    void setCaretPos(Point p);
    void showCaret();
    void hideCaret();
    const Caret& caret() const { return m_Caret; }

    // Scroll bars (SB_HORZ, SB_VERT or SB_BOTH); the position is kept inside the range.
    void showScrollBar(int bar, bool show = true);
    void setScrollRange(int bar, int min, int max);
    int setScrollPos(int bar, int pos);   // returns the previous position
    int scrollPos(int bar) const { return scrollBar(bar).pos; }
    const ScrollBar& scrollBar(int bar) const { return bar == 0 ? m_HScroll : m_VScroll; }

    // Timers by id; the interval in milliseconds. A timer is not delivered while a command or a
    // modal dialog runs: it waits and arrives once the program is idle again.
    void setTimer(int id, int intervalMs);
    void killTimer(int id);
    bool hasTimer(int id) const { return m_Timers.count(id) != 0; }
    int timerInterval(int id) const;

    // The input method of this window on (conversion) or off (direct input).
    void setImeOpen(bool open);
    bool imeOpen() const { return m_ImeOpen; }

    // Routes a command as a menu command would (active view first); true when handled.
    bool sendCommand(int id);

    // Event entry points for backends and for tests.
    void dispatchSize(Size client);
    // The user moved or resized the window: its restored (not minimised or maximised) outer
    // rectangle, kept as the window's geometry without being applied again.
    void dispatchPlacement(const Rect& outer) { m_Geometry = outer; }
    void dispatchPaint();
    void dispatchFocus(bool gained);
    // Accelerators are translated first; true when the key was consumed as a command.
    bool dispatchKeyDown(int vk, unsigned mods = 0, int repeat = 1);
    void dispatchKeyUp(int vk, unsigned mods = 0);
    void dispatchChar(unsigned char c);
    // Committed input-method text (UTF-8): delivered as CP932 bytes, lead byte first. Characters
    // that CP932 cannot hold are dropped.
    void dispatchText(std::string_view utf8);
    void dispatchMouse(MouseEvent ev, Point p, unsigned flags = 0);
    void dispatchScroll(int bar, int code, int pos = 0);
    void dispatchWheel(int delta, Point p, unsigned flags = 0);
    void dispatchTimer(int id);
    void dispatchShow(bool shown);
    void dispatchClose();

    // Handlers. Each base handler is the default handling of its event.
    virtual int onCreate() { return 0; }
    virtual void onDestroy() {}
    virtual void onSize(int cx, int cy) { (void)cx, (void)cy; }
    virtual void onShowWindow(bool show) { (void)show; }
    virtual void onPaint(Dc& dc) { (void)dc; }
    virtual void onSetFocus() {}
    virtual void onKillFocus() {}
    virtual void onKeyDown(int vk, int repeat, unsigned flags) { (void)vk, (void)repeat, (void)flags; }
    virtual void onKeyUp(int vk, int repeat, unsigned flags) { (void)vk, (void)repeat, (void)flags; }
    virtual void onChar(unsigned ch, int repeat, unsigned flags) { (void)ch, (void)repeat, (void)flags; }
    virtual void onLButtonDown(unsigned flags, Point p) { (void)flags, (void)p; }
    virtual void onLButtonUp(unsigned flags, Point p) { (void)flags, (void)p; }
    virtual void onLButtonDblClk(unsigned flags, Point p) { (void)flags, (void)p; }
    virtual void onRButtonDown(unsigned flags, Point p) { (void)flags, (void)p; }
    virtual void onMouseMove(unsigned flags, Point p) { (void)flags, (void)p; }
    virtual void onVScroll(int code, int pos) { (void)code, (void)pos; }
    virtual void onHScroll(int code, int pos) { (void)code, (void)pos; }
    virtual bool onMouseWheel(unsigned flags, int delta, Point p) { (void)flags, (void)delta, (void)p; return false; }
    virtual void onTimer(int id) { (void)id; }
    // The user asked to close the window (the main frame's close box); default destroys it.
    virtual void onClose() { destroyWindow(); }

protected:
    // Places the client windows after a size change (frames and splitters).
    virtual void layoutChildren() {}
    // A chance to take a key before the key-down handler (dialogs); true consumes it.
    virtual bool preTranslateKeyDown(int vk, unsigned mods) { (void)vk, (void)mods; return false; }

private:
    void setParent(Window* parent);
    void notifyShowTree(bool shown);
    friend void collectDestroyedWindows();

    WindowKind m_Kind;
    Window* m_Parent = nullptr;
    std::vector<Window*> m_Children;
    std::vector<std::unique_ptr<Window>> m_Owned;
    std::unique_ptr<WindowPeer> m_Peer;
    bool m_Created = false;
    bool m_Destroyed = false;
    bool m_Visible = false;
    bool m_ShownNotified = false;
    Rect m_Geometry;
    Size m_ClientSize;
    Region m_Invalid;
    Color m_Background = kWhite;
    std::string m_Title;
    Caret m_Caret;
    ScrollBar m_HScroll, m_VScroll;
    std::map<int, int> m_Timers;
    bool m_ImeOpen = true;
};

// Deletes the window objects destroyed since the last call; backends call it between events.
void collectDestroyedWindows();

} // namespace kiv::ui
