#pragma once
// The application: start-up with the command line, the document templates and the document
// manager, the recent-file list, command routing by id (active view, its document, its frame,
// the main frame, the application; the first handler wins), accelerators, the wait cursor, and
// the "busy" state during which timers wait.
#include "platform/ui/CommandTarget.h"
#include "platform/ui/DocTemplate.h"

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kiv::ui {

class Backend;
class Document;
class MainFrame;
class View;
class Window;

// The recent-file list of the File menu (commands 57616 onwards), kept in the profile.
class RecentFileList {
public:
    explicit RecentFileList(int size = 5) : m_Size(size) {}
    void setSize(int size);
    int size() const { return m_Size; }
    const std::vector<std::filesystem::path>& entries() const { return m_Entries; }
    void load();
    void save() const;
    // Puts the path first (once), dropping the oldest entry beyond the size; saved at once.
    void add(const std::filesystem::path& path);
    void remove(std::size_t index);
    // "&1 name" for the menu.
    std::string menuText(std::size_t index) const;

private:
    int m_Size;
    std::vector<std::filesystem::path> m_Entries;
};

class App : public CommandTarget {
public:
    App();
    ~App() override;
    static App* instance();

    // Start-up; false ends the program. exitInstance runs when the loop ends.
    virtual bool initInstance() { return true; }
    virtual int exitInstance() { return 0; }

    // The command line: arguments()[0] is the program.
    void setArguments(std::vector<std::string> args) { m_Args = std::move(args); }
    const std::vector<std::string>& arguments() const { return m_Args; }
    // The arguments after the program, joined by blanks ("" when there are none).
    std::string commandLine() const;
    // The file named on the command line: the first argument that is not a switch.
    std::filesystem::path commandLineFile() const;

    DocTemplate* addDocTemplate(std::unique_ptr<DocTemplate> t);
    const std::vector<std::unique_ptr<DocTemplate>>& docTemplates() const { return m_Templates; }

    // The document manager: an open document of the path is activated; otherwise the first
    // template whose extension matches opens it (any other extension: the first template).
    Document* openDocumentFile(const std::filesystem::path& path);
    Document* findOpenDocument(const std::filesystem::path& path) const;
    std::vector<Document*> documents() const;
    // Asks about every modified document; false when the user cancelled.
    bool saveAllModified();
    void closeAllDocuments();

    MainFrame* mainFrame() const { return m_MainFrame.get(); }
    MainFrame* setMainFrame(std::unique_ptr<MainFrame> f);

    RecentFileList& recentFiles() { return m_Recent; }
    // Loads the recent-file list of `count` entries from the profile.
    void loadStdProfileSettings(int count = 5);
    void addToRecentFileList(const std::filesystem::path& path) { m_Recent.add(path); }

    // Command routing. routeCommand runs the first handler of the id (false: none took it; a
    // disabled command is not run). commandState asks the update handlers; a command that no
    // object handles is disabled.
    bool routeCommand(int id);
    // The innermost command that an exception left, taken once (0 when none): the event loop
    // that catches the exception names it to the user.
    int takeFailedCommand() { return std::exchange(m_FailedCommand, 0); }
    CommandState commandState(int id);
    View* activeView() const;
    // Accelerators of the main frame, translated before a key-down reaches a window of it; the
    // frame's window-switch keys first (MainFrame::translateWindowKey).
    bool translateAccelerator(Window& target, int vk, unsigned mods);
    // Whether the key-up of the key is the frame's: its key-down switched the document window,
    // so its release reaches no view either (whichever window has the focus by then). Answers
    // true once per such key-down.
    bool takeFrameKeyUp(int vk);

    // Busy while a command, a modal dialog or a message box runs; timers wait until it ends, and
    // so does the deletion of closed windows and documents (see collectGarbage).
    bool isBusy() const { return m_Busy > 0; }
    void beginBusy() { ++m_Busy; }
    void endBusy();
    void deferTimer(Window* w, int id);
    struct BusyScope {
        BusyScope() { if (App* a = instance()) a->beginBusy(); }
        ~BusyScope() { if (App* a = instance()) a->endBusy(); }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;
    };

    // The wait cursor, nested: shown while begin outnumbers end. doWaitCursor(1) begins,
    // doWaitCursor(-1) ends, doWaitCursor(0) shows it again if it is due.
    void beginWaitCursor() { doWaitCursor(1); }
    void endWaitCursor() { doWaitCursor(-1); }
    void doWaitCursor(int code);
    int waitCursorDepth() const { return m_Wait; }
    // The wait cursor for the life of a scope (nothing when no application runs).
    struct WaitCursorScope {
        WaitCursorScope() { if (App* a = instance()) a->beginWaitCursor(); }
        ~WaitCursorScope() { if (App* a = instance()) a->endWaitCursor(); }
        WaitCursorScope(const WaitCursorScope&) = delete;
        WaitCursorScope& operator=(const WaitCursorScope&) = delete;
    };

    // Ends the event loop.
    void quit(int exitCode = 0);
    bool quitRequested() const { return m_Quit; }

    bool onCommand(int id) override;
    bool handlesCommand(int id) const override;

    // Hooks from the windows.
    void focusChanged(Window* w);
    void windowDestroyed(Window* w);

private:
    std::vector<std::string> m_Args;
    std::vector<std::unique_ptr<DocTemplate>> m_Templates;
    std::unique_ptr<MainFrame> m_MainFrame;
    RecentFileList m_Recent;
    int m_Busy = 0;
    int m_Wait = 0;
    int m_FailedCommand = 0;
    std::vector<int> m_FrameKeyUps;
    bool m_Quit = false;
    bool m_CollectDue = false;   // collectGarbage was called while busy
    friend void collectGarbage();
    struct Deferred {
        Window* window;
        int id;
    };
    std::vector<Deferred> m_DeferredTimers;
};

// Deletes destroyed windows and closed documents; backends call it between events. While the
// application is busy it deletes nothing and runs again once the program is idle: the command
// that is running may still hold the window or document that went (a modal dialog's event loop
// runs posted tasks and may close a document under it).
void collectGarbage();

// Runs the application on the backend: installs both, calls initInstance and the event loop,
// then exitInstance. Returns the exit code.
int runApplication(App& app, Backend& backend, std::vector<std::string> args);

} // namespace kiv::ui
