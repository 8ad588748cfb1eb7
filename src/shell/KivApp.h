#pragma once
// CKivApp: the application. At start it reads the estimating mode fixed for the run (asking for
// it, and ending, when none is stored), connects the estimate's prompts to the message box and
// file dialog, registers the nine document templates, creates the main window and opens a file
// named on the command line. It carries the program's own file commands: new estimate, open
// (dispatching by file kind), the recent files, the master file, a new totals document, printer
// set-up and the About box.
#include "platform/ui/App.h"

#include <filesystem>
#include <string>

namespace kiv::ui {
class Document;
}

// What a file is to the open commands, from the last three letters of its name in the mode.
enum class KivFileKind { Estimate, Master, Totals, Other };
KivFileKind KivFileKindOf(const std::filesystem::path& path, const std::string& mode);

class CKivApp : public kiv::ui::App {
public:
    CKivApp();
    ~CKivApp() override;

    bool initInstance() override;

    // Opens a file through the template its kind names (an estimate in the estimate split
    // frame); a file already open has its window activated instead. A file of no known kind, or
    // of the other mode, gets a message and opens nothing. Does not tile.
    kiv::ui::Document* OpenFile(const std::filesystem::path& path);
    // Opens the file through the template; a file already open has its window activated.
    kiv::ui::Document* OpenWith(kiv::ui::DocTemplate& t, const std::filesystem::path& path);
    // Tiles the document windows horizontally, as every open command does at its end.
    void TileDocuments();
    // A master named by the profile or chosen that does not exist: asks whether to create it
    // (はい writes an empty master) and says why when that fails. True when the file is there.
    bool OfferMasterFile(const std::filesystem::path& path);

    // Commands.
    void OnAppAbout();             // 57664
    void OnMasterOpen();           // 32796
    void OnFileNew();              // 57600
    void OnSyuukeiMode();          // 32814
    void OnFileOpen();             // 57601
    bool OnOpenRecentFile(int id); // 57616-57631
    void OnFilePrintSetup();       // 57606

    std::string m_MasterPath;   // the master file last opened
    std::string m_Mode;         // "1" electrical or "2" mechanical, fixed for the run ("" before start)
    kiv::ui::DocTemplate* m_pKivTemplate = nullptr;
    kiv::ui::DocTemplate* m_pMstTemplate = nullptr;
    kiv::ui::DocTemplate* m_pTotalTemplate = nullptr;
    kiv::ui::DocTemplate* m_pKivSplitTemplate = nullptr;
    kiv::ui::DocTemplate* m_pMstSplitTemplate = nullptr;
    kiv::ui::DocTemplate* m_pTotalSplitTemplate = nullptr;

private:
    // The first-start question: the mode is asked, stored, and the run ends.
    void ChooseModeAtFirstStart();
    void AddDocTemplates();
    // The estimate's messages, OK/Cancel questions and save dialog go to the real ones.
    void ConnectEstimatePrompts();
    kiv::ui::DocTemplate* TemplateOf(KivFileKind kind) const;
};

// The running application, or nullptr.
CKivApp* KivApp();

// The estimating mode's texts, as the status bar shows them ("電気設備積算" / "機械設備積算"); ""
// for any other mode.
const char* KivModeText(const std::string& mode);
