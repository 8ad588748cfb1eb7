#pragma once
// Frames: the multiple-document main frame with its menu, accelerators, toolbars, status bar and
// document windows; the child frame of one document window; the static splitter that divides a
// child frame into panes.
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Resources.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kiv::ui {

class MainFrame;
class FindDialog;
struct FindReplaceEvent;

class StatusBar {
public:
    explicit StatusBar(MainFrame& owner) : m_Owner(owner) {}
    void setIndicators(std::vector<StatusIndicator> indicators);
    const std::vector<StatusIndicator>& indicators() const { return m_Indicators; }
    // The index of the pane with the id, or -1.
    int commandToIndex(int id) const;
    bool setPaneText(int index, const std::string& utf8);
    const std::string& paneText(int index) const;
    // The text of the pane with the id ("" when there is none).
    std::string paneTextById(int id) const;
    // The kana, caps, num and scroll panes show their text while the key is on.
    void refreshLockIndicators();
    bool isVisible() const { return m_Visible; }
    void setVisible(bool on);

private:
    MainFrame& m_Owner;
    std::vector<StatusIndicator> m_Indicators;
    std::vector<std::string> m_Texts;
    bool m_Visible = true;
};

class ChildFrame : public Window {
public:
    ChildFrame();

    // Creates the frame hidden as a document window of the main frame, then its client.
    bool loadFrame(MainFrame& main, CreateContext& ctx, const Rect& r);
    // Creates the panes; default: the template's view filling the client area.
    virtual bool onCreateClient(CreateContext& ctx);

    Document* document() const { return m_Document; }
    DocTemplate* docTemplate() const { return m_Template; }
    View* activeView() const { return m_ActiveView; }
    void setActiveView(View* v);
    // Every view inside the frame, in creation order.
    std::vector<View*> views() const;
    MainFrame* mainFrame() const;
    void activateFrame();
    void updateTitle();

    bool onCommand(int id) override;
    bool handlesCommand(int id) const override;
    void onClose() override;
    void onDestroy() override;

protected:
    void layoutChildren() override;

private:
    void stepPane(int step);
    Document* m_Document = nullptr;
    DocTemplate* m_Template = nullptr;
    View* m_ActiveView = nullptr;
};

// A static splitter of rows x columns panes; the frame sets the column widths (the last column
// takes what is left) and may let the user drag the bars.
class Splitter : public Window {
public:
    static constexpr int kBarWidth = 6;
    Splitter();

    // Creates the splitter filling the parent's client area.
    bool createStatic(Window* parent, int rows, int cols);
    View* createView(int row, int col, const ViewFactory& make, Size size, CreateContext& ctx);
    Window* pane(int row, int col) const;
    void setColumnWidth(int col, int width);
    int columnWidth(int col) const;
    int rows() const { return m_Rows; }
    int cols() const { return m_Cols; }

    void onLButtonDown(unsigned flags, Point p) override;
    void onMouseMove(unsigned flags, Point p) override;
    void onLButtonUp(unsigned flags, Point p) override;

protected:
    void layoutChildren() override;

private:
    int m_Rows = 1, m_Cols = 1;
    std::vector<int> m_ColWidths;
    std::vector<int> m_RowHeights;
    std::vector<Window*> m_Panes;
    int m_Dragging = -1;
    int m_DragOffset = 0;
};

class MainFrame : public Window {
public:
    MainFrame();
    ~MainFrame() override;

    // Creates the main window: placement from preCreateWindow, the no-document menu and
    // accelerators, the title. onCreate runs inside (toolbars and status bar are made there).
    bool loadFrame(const Menu* menu, const AcceleratorTable* accel, const std::string& title);
    // Placement of the window before it is created (screen pixels); default 100, 100, 800 x 600.
    virtual void preCreateWindow(Rect& r) { (void)r; }
    Rect windowRect() const { return geometry(); }

    // The menu and accelerators in force: the active document window's template's, else the
    // frame's own.
    const Menu* currentMenu() const;
    const AcceleratorTable* currentAccelerators() const;
    // A popup's items as shown: the recent-file placeholder becomes the recent files, and the
    // window menu (the popup that holds the window commands) ends with the document windows.
    std::vector<MenuItem> displayItems(const MenuItem& popup) const;

    // Toolbars and status bar.
    void addToolbar(const Toolbar& tb);
    const std::vector<Toolbar>& toolbars() const { return m_Toolbars; }
    bool isToolbarVisible(int id) const;
    void showToolbar(int id, bool on);
    StatusBar& statusBar() { return m_StatusBar; }
    const StatusBar& statusBar() const { return m_StatusBar; }

    // The commands' prompts for the message pane (the status bar's first pane); the pane shows
    // the table's idle text from then on. The table outlives the frame.
    void setPrompts(const PromptTable* table);
    const PromptTable* prompts() const { return m_Prompts; }
    // What the message pane shows for the command: its prompt's pane text, or the idle text
    // when it has none (and for 0); "" while the frame has no prompts.
    std::string promptText(int id) const;
    // A toolbar button's tooltip: its prompt's tooltip part, else the button's own text.
    std::string toolTip(const ToolButton& b) const;
    // The backend reports that the menu item or the toolbar button of the command is now
    // highlighted or under the pointer; 0 when none is any more (the menu closed, the pointer
    // left the button). The message pane follows.
    void dispatchCommandHighlight(int id);
    // Which bars are shown, kept in the profile under the section.
    void loadBarState(const std::string& section);
    void saveBarState(const std::string& section) const;

    // Document windows.
    const std::vector<ChildFrame*>& mdiChildren() const { return m_Children; }
    ChildFrame* activeChild() const { return m_Active; }
    void activateChild(ChildFrame* f);
    // The shown document window `step` places after the active one (before it, for a negative
    // step) in the order the windows were opened, round the end, becomes the active one.
    void activateNextChild(int step);
    // Ctrl+F6 and Ctrl+Tab activate the next document window, Ctrl+Shift+F6 and Ctrl+Shift+Tab
    // the previous one. True when the key is one of these: it is the frame's even when there is
    // no other window to go to, so it never reaches a view.
    bool translateWindowKey(int vk, unsigned mods);
    static bool isWindowKey(int vk, unsigned mods);
    // The shown document windows, in the order they were opened.
    std::vector<ChildFrame*> shownChildren() const;
    // The document windows the window menu lists: the first nine shown ones (commands
    // WindowChildFirst onwards).
    std::vector<ChildFrame*> windowListChildren() const;
    // The window menu's item of a listed window: "&n " and its title as the title bar shows it.
    static std::string windowListText(std::size_t index, const std::string& title);
    void tileHorizontally();
    void cascade();
    void arrangeIcons() {}
    // The rectangle a new document window gets.
    Rect nextChildRect() const;

    // Files dropped on the window.
    void dragAcceptFiles(bool accept = true) { m_AcceptFiles = accept; }
    bool acceptsFiles() const { return m_AcceptFiles; }
    void dispatchDropFiles(const std::vector<std::filesystem::path>& files);
    // Default: each file opens through the application's document manager.
    virtual void onDropFiles(const std::vector<std::filesystem::path>& files);

    // The modeless find dialog, created or brought back; its events reach onFindReplace.
    FindDialog* showFindDialog(const std::string& initialCp932 = {});
    FindDialog* findDialog() const;
    virtual void onFindReplace(const FindReplaceEvent& e) { (void)e; }

    // Asks the window to close after the current event (a posted close).
    void postClose();
    // Default: asks about modified documents, closes them, destroys the window and ends the run.
    void onClose() override;

    bool onCommand(int id) override;
    bool onUpdateCommand(int id, CommandState& state) override;
    bool handlesCommand(int id) const override;

    // Used by child frames.
    void addChild(ChildFrame* f);
    void removeChild(ChildFrame* f);

private:
    const Menu* m_Menu = nullptr;
    const AcceleratorTable* m_Accel = nullptr;
    std::vector<Toolbar> m_Toolbars;
    std::vector<int> m_HiddenToolbars;
    StatusBar m_StatusBar;
    const PromptTable* m_Prompts = nullptr;
    std::vector<ChildFrame*> m_Children;
    ChildFrame* m_Active = nullptr;
    bool m_AcceptFiles = false;
    std::unique_ptr<FindDialog> m_Find;
};

} // namespace kiv::ui
