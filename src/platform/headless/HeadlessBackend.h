#pragma once
// The backend of the tests: windows without a screen. Every window draws into a Recorder that
// the test reads back; posted tasks, paints and deletions run when the test calls
// processPending() (the send* helpers do it after each event, as a message loop would).
// Prompts are answered from queues the test fills; a prompt nobody expected is recorded and
// reported through onUnexpectedPrompt, and answered with Cancel.
#include "platform/headless/DialogDriver.h"
#include "platform/headless/PrintRecorder.h"
#include "platform/headless/Recorder.h"
#include "platform/print/PrintService.h"
#include "platform/ui/Backend.h"
#include "platform/ui/Window.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kiv::ui {
class MainFrame;
}

namespace kiv::ui::headless {

class HeadlessPeer;
class HeadlessBackend;

// Runs a preview window as a user would: presses its buttons and reads the pages it shows.
class PreviewDriver {
public:
    PreviewDriver(print::PreviewState& state, print::PreviewSession& session);
    print::PreviewState& state() { return m_State; }
    // Presses a button; false when it is disabled. 印刷... and 閉じる close the window.
    bool press(print::PreviewState::Button b);
    bool closed() const { return m_Closed; }
    print::PreviewResult result() const { return m_Result; }
    // The pages shown now (in order), as the window drew them.
    const std::vector<PrintedPage>& shown() const { return m_Shown; }
    // How often page p was drawn while the window was open.
    int renders(int page) const;

private:
    void draw();
    print::PreviewState& m_State;
    print::PreviewSession& m_Session;
    std::vector<PrintedPage> m_Shown;
    std::map<int, int> m_Renders;
    bool m_Closed = false;
    print::PreviewResult m_Result = print::PreviewResult::Closed;
};

class HeadlessBackend : public Backend, public print::PrintService {
public:
    HeadlessBackend();
    ~HeadlessBackend() override;

    // Backend.
    std::unique_ptr<WindowPeer> createPeer(Window& w) override;
    void post(std::function<void()> task) override { m_Tasks.push_back(std::move(task)); }
    int run() override;
    void quit(int exitCode) override;
    void setWaitCursor(bool on) override { m_WaitCursor = on; }
    bool lockKeyOn(int vk) const override { return m_LockKeys.count(vk) != 0; }
    int messageBox(const MessageBoxRequest& req) override;
    std::optional<std::filesystem::path> fileDialog(const FileDialogRequest& req) override;
    std::optional<Font> fontDialog(const Font& initial, Window* owner) override;
    int runModal(Dialog& d) override;

    // PrintService: the dialogs answered from the queue, jobs recorded, the preview scripted.
    bool printDialog(print::PrintSettings& settings, int firstPage, int lastPage) override;
    bool printSetupDialog(print::PrintSettings& settings) override;
    std::unique_ptr<print::PrintJob> createJob(const print::PrintSettings& settings) override;
    print::PreviewResult runPreview(print::PreviewSession& session) override;
    // The answer edits the settings the dialog shows and returns OK (true) or Cancel.
    void expectPrintDialog(std::function<bool(print::PrintSettings&)> answer);
    void expectPrintSetup(std::function<bool(print::PrintSettings&)> answer);
    // The script presses the preview's buttons; a window it leaves open is closed.
    void expectPreview(std::function<void(PreviewDriver&)> script);
    // Every job created so far, in order (references stay valid).
    const std::deque<PrintedJob>& printJobs() const { return m_Jobs; }

    // Runs posted tasks, paints every window with an invalid region and deletes what was
    // destroyed, until nothing is left to do.
    void processPending();
    bool quitRequested() const { return m_Quit; }
    int exitCode() const { return m_ExitCode; }
    bool waitCursorShown() const { return m_WaitCursor; }
    void setLockKey(int vk, bool on);

    // What a window has drawn.
    Recorder& screen(const Window& w);

    // Events, each followed by processPending().
    bool sendKeyDown(Window& w, int vk, unsigned mods = 0);
    void sendKeyUp(Window& w, int vk, unsigned mods = 0);
    // A key that types a character: key-down, then the character (unless an accelerator took it).
    void sendKey(Window& w, int vk, unsigned char ch, unsigned mods = 0);
    void sendChar(Window& w, unsigned char ch);
    void sendText(Window& w, std::string_view utf8);
    void sendMouse(Window& w, MouseEvent ev, Point p, unsigned flags = 0);
    void sendClick(Window& w, Point p) { sendMouse(w, MouseEvent::LButtonDown, p); sendMouse(w, MouseEvent::LButtonUp, p); }
    void sendDoubleClick(Window& w, Point p);
    // Whether the window is there to take events: created and not yet destroyed. Only its address
    // is compared, so it may have been deleted.
    bool hasWindow(const Window& w) const;
    void sendScroll(Window& w, int bar, int code, int pos = 0);
    void sendWheel(Window& w, int delta);
    // Fires the window's timer; false when the window has no such timer.
    bool fireTimer(Window& w, int id);
    void sendCommand(int id);
    // The user moves through the main frame's current menu and over its toolbars: the menu item
    // of the command is highlighted (false when the menu has none), the menu closes; the pointer
    // rests on the command's button of a shown toolbar (false when there is none), leaves it.
    bool highlightMenuItem(MainFrame& f, int id);
    void closeMenu(MainFrame& f);
    bool hoverToolButton(MainFrame& f, int id);
    void leaveToolButton(MainFrame& f);
    // The texts the main frame's message pane has shown, in order, each change once.
    const std::vector<std::string>& messagePaneTexts() const { return m_MessagePane; }
    void resize(Window& w, Size client);
    void focus(Window& w);

    // Prompt answers, taken in order.
    void expectMessageBox(int answer, std::string textContains = {});
    void expectFile(std::optional<std::filesystem::path> answer);
    void expectFont(std::optional<Font> answer);
    // The next modal dialog (of the template id, when not 0) is run by the script, which must
    // end it (press OK or Cancel, or a button whose handler ends it).
    void expectDialog(std::function<void(DialogDriver&)> script, int templateId = 0);
    struct Prompt {
        std::string kind;      // "message", "file", "font", "dialog", "print", "printsetup" or "preview"
        std::string text;      // message text, or the dialog's initial name
        std::string caption;
        unsigned style = 0;
    };
    const std::vector<Prompt>& prompts() const { return m_Prompts; }
    std::size_t pendingAnswers() const {
        return m_MessageAnswers.size() + m_FileAnswers.size() + m_FontAnswers.size() + m_DialogScripts.size() +
               m_PrintAnswers.size() + m_SetupAnswers.size() + m_PreviewScripts.size();
    }
    // The texts of the message boxes shown so far, in order.
    std::vector<std::string> messageTexts() const;
    std::function<void(const std::string&)> onUnexpectedPrompt;

    // Used by the peers.
    void peerCreated(HeadlessPeer* p) { m_Peers.push_back(p); }
    void peerDestroyed(HeadlessPeer* p);
    void messagePaneShown(const std::string& text);

private:
    void unexpected(const std::string& what);

    std::deque<std::function<void()>> m_Tasks;
    std::vector<HeadlessPeer*> m_Peers;
    std::set<int> m_LockKeys;
    bool m_WaitCursor = false;
    bool m_Quit = false;
    int m_ExitCode = 0;
    struct MessageAnswer {
        int answer;
        std::string contains;
    };
    std::deque<MessageAnswer> m_MessageAnswers;
    std::deque<std::optional<std::filesystem::path>> m_FileAnswers;
    std::deque<std::optional<Font>> m_FontAnswers;
    struct DialogScript {
        std::function<void(DialogDriver&)> script;
        int templateId;
    };
    std::deque<DialogScript> m_DialogScripts;
    std::vector<Prompt> m_Prompts;
    std::deque<std::function<bool(print::PrintSettings&)>> m_PrintAnswers;
    std::deque<std::function<bool(print::PrintSettings&)>> m_SetupAnswers;
    std::deque<std::function<void(PreviewDriver&)>> m_PreviewScripts;
    std::deque<PrintedJob> m_Jobs;
    std::vector<std::string> m_MessagePane;
};

class HeadlessPeer : public WindowPeer {
public:
    HeadlessPeer(HeadlessBackend& b, Window& w) : m_Backend(b), m_Window(w) { b.peerCreated(this); }
    ~HeadlessPeer() override { m_Backend.peerDestroyed(this); }
    void setGeometry(const Rect& r) override { m_Window.dispatchSize(r.size()); }
    void setVisible(bool) override {}
    void setFocus() override { m_Window.dispatchFocus(true); }
    std::unique_ptr<Dc> surfaceDc(const Region* clip) override { return std::make_unique<RecorderDc>(m_Screen, clip); }
    void scrollSurface(int dx, int dy, const Rect& r) override { m_Screen.scroll(dx, dy, r); }
    void statusChanged() override;
    Window& window() { return m_Window; }
    Recorder& screen() { return m_Screen; }

private:
    HeadlessBackend& m_Backend;
    Window& m_Window;
    Recorder m_Screen;
};

} // namespace kiv::ui::headless
