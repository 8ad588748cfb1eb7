#pragma once
// CMainFrame: the main window. It keeps its place on screen in the profile, carries the standard
// and editing toolbars and the status bar (whose first pane after the messages shows the
// estimating mode), tiles the document windows whenever it is resized, sends dropped files
// through the application's open dispatch, and owns the main-menu commands that need no
// document: new (32807), master file change (32852), address book (32779) and mode change
// (32874, which ends the program).
#include "platform/ui/Frame.h"

#include <string>

class CMainFrame : public kiv::ui::MainFrame {
public:
    // The profile section of the bars' state.
    static const char* const kBarStateSection;

    CMainFrame();
    ~CMainFrame() override;

    // The stored placement (default 100, 100, 800 x 600), put back onto the screen.
    void preCreateWindow(kiv::ui::Rect& r) override;
    int onCreate() override;
    void onClose() override;
    void onSize(int cx, int cy) override;
    void onDropFiles(const std::vector<std::filesystem::path>& files) override;

    void OnShinki();         // 32807
    void OnMasterChange();   // 32852
    void OnAdress();         // 32779
    void OnSekisanChange();  // 32874
    void OnUpdateEditCut(kiv::ui::CommandState& state);
    void OnUpdateEditCopy(kiv::ui::CommandState& state);
    void OnUpdateEditPaste(kiv::ui::CommandState& state);
    // The find dialog's requests: 次を検索 searches the master view that opened it with the text
    // less its blanks (kept in m_FindText); closing it ends that service (MainFrameFind.cpp).
    void onFindReplace(const kiv::ui::FindReplaceEvent& e) override;

    // The mode pane shows the mode's text.
    void ShowMode(const std::string& mode);

    std::string m_Mode;   // the mode being chosen in the mode change
    std::string m_FindText;   // the last search text, blanks removed (CP932)
};

// The placement `stored` moved and shrunk as little as needed to lie on `screen`; a size that
// is not positive becomes the default 800 x 600.
kiv::ui::Rect PlaceOnScreen(kiv::ui::Rect stored, const kiv::ui::Rect& screen);

extern CMainFrame* g_pMainFrame;
extern kiv::ui::StatusBar* g_pStatusBar;
