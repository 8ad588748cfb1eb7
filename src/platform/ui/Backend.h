#pragma once
// What a backend (Qt for the program, headless for the tests) supplies to the window layer: a
// native peer per window, posted tasks, the event loop, and the screen services that are not
// tied to one window. The layer keeps all state (geometry, caret, scroll bars, timers, menus,
// status texts) itself and tells the peer when something changed; the peer reports what the
// user did back through the Window::dispatch* entry points.
#include "platform/ui/Dc.h"
#include "platform/ui/Types.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace kiv::ui {

class Window;
class Dialog;

// Message-box styles and the request a backend answers.
enum MessageBoxStyle : unsigned {
    MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_YESNOCANCEL = 0x3, MB_YESNO = 0x4,
    MB_ICONSTOP = 0x10, MB_ICONQUESTION = 0x20, MB_ICONEXCLAMATION = 0x30, MB_ICONINFORMATION = 0x40,
    // The second button (ｷｬﾝｾﾙ of OK/Cancel, いいえ of Yes/No) is the default: Return picks it.
    MB_DEFBUTTON2 = 0x100,
};
struct MessageBoxRequest {
    std::string text;      // UTF-8
    std::string caption;   // UTF-8
    unsigned style = MB_OK;
    Window* owner = nullptr;
};

// File-dialog flags and the request a backend answers.
enum FileDialogFlag : unsigned { OFN_OVERWRITEPROMPT = 0x2, OFN_HIDEREADONLY = 0x4, OFN_FILEMUSTEXIST = 0x1000 };
struct FileDialogRequest {
    bool open = true;              // open or save
    std::string defaultExt;        // appended when the name has none ("KIV")
    std::string initialName;       // UTF-8: "*.KIV" or a path
    std::string filter;            // "desc|pattern|desc|pattern|" (UTF-8)
    unsigned flags = 0;
    Window* owner = nullptr;
};

class WindowPeer {
public:
    virtual ~WindowPeer() = default;

    // Outer rectangle in the parent's client coordinates (screen coordinates for the main
    // frame). The peer reports the resulting client size through Window::dispatchSize, at once
    // when it can tell it.
    virtual void setGeometry(const Rect& r) = 0;
    virtual void setVisible(bool on) = 0;
    // Asks for the keyboard focus; the peer reports the change through Window::dispatchFocus.
    virtual void setFocus() = 0;
    virtual void setTitle(const std::string& utf8) { (void)utf8; }
    // For child frames: bring to the front as the active document window.
    virtual void activate() {}

    // Painting. The window keeps its pixels on a surface that persists between paints, as a
    // screen window does: own device contexts draw on it at once, scrolling moves its pixels.
    virtual void invalidated() {}                   // a paint is due; call Window::dispatchPaint
    virtual std::unique_ptr<Dc> surfaceDc(const Region* clip) = 0;
    virtual void scrollSurface(int dx, int dy, const Rect& r) = 0;
    virtual void surfaceChanged() {}                // pixels changed; show them

    // State the layer keeps and the peer mirrors (read it from the window).
    virtual void caretChanged() {}
    virtual void scrollBarsChanged() {}
    virtual void timerChanged(int id, int intervalMs) { (void)id, (void)intervalMs; }   // 0: stopped
    virtual void imeChanged() {}
    // Main frame: the menu, the toolbars or the status bar changed.
    virtual void menuChanged() {}
    virtual void barsChanged() {}
    virtual void statusChanged() {}
    // Main frame: where the toolbars stand, as an opaque text kept in the profile, and putting
    // them back from such a text ("" when the backend keeps no positions).
    virtual std::string barLayout() const { return {}; }
    virtual void restoreBarLayout(const std::string& layout) { (void)layout; }
    // Dialogs: a control's state changed (read it from the dialog); the focus goes to a
    // control; a modal run ends with the code.
    virtual void controlChanged(int id) { (void)id; }
    virtual void focusControl(int id) { (void)id; }
    virtual void endModal(int code) { (void)code; }
};

class Backend {
public:
    virtual ~Backend() = default;
    virtual std::unique_ptr<WindowPeer> createPeer(Window& w) = 0;
    // Runs the task from the event loop after the current event (a posted message).
    virtual void post(std::function<void()> task) = 0;
    virtual int run() = 0;
    virtual void quit(int exitCode) = 0;
    virtual void setWaitCursor(bool on) { (void)on; }
    // Whether a lock key (VK_CAPITAL, VK_NUMLOCK, VK_SCROLL, VK_KANA) is on.
    virtual bool lockKeyOn(int vk) const { (void)vk; return false; }
    virtual Rect desktopRect() const { return {0, 0, 1920, 1080}; }

    // Prompts; callers go through messageBox() and the common-dialog functions.
    virtual int messageBox(const MessageBoxRequest& req) = 0;
    // The chosen path, or nullopt on Cancel. The request is already normalised (see fileDialog).
    virtual std::optional<std::filesystem::path> fileDialog(const FileDialogRequest& req) = 0;
    // The font the user chose (its height negative: the character height in pixels).
    virtual std::optional<Font> fontDialog(const Font& initial, Window* owner) = 0;
    // Shows the created dialog and runs it until endDialog; returns the code.
    virtual int runModal(Dialog& d) = 0;
};

Backend& backend();
bool hasBackend();
// Installs the backend for the run (or for a test); nullptr removes it.
void setBackend(Backend* b);

} // namespace kiv::ui
