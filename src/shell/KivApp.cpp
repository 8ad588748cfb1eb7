#include "shell/KivApp.h"

#include "estimate/KivDoc.h"
#include "estimate/KivMessage.h"
#include "estimate/KivMessagePass.h"
#include "estimate/MasterPath.h"
#include "master/MstDoc.h"
#include "master/MstTree.h"
#include "master/MstView.h"
#include "platform/files/Files.h"
#include "platform/print/PrintView.h"
#include "platform/profile/Profile.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Frame.h"
#include "platform/ui/MessageBox.h"
#include "print/FormDialogHooks.h"
#include "recalc/KivRecalc.h"
#include "resources/CommandIds.h"
#include "resources/DocTemplateResources.h"
#include "resources/MainFrameResources.h"
#include "shell/AboutDlg.h"
#include "shell/ChildFrame.h"
#include "shell/EstimatePanes.h"
#include "shell/MSplitFrame.h"
#include "shell/MainFrame.h"
#include "shell/SelectDialog.h"
#include "shell/SplitFrame.h"
#include "shell/TSplitFrame.h"
#include "totals/TotalDoc.h"
#include "totals/TotalTree.h"
#include "totals/TotalView.h"

namespace ui = kiv::ui;
namespace cmd = kiv::ui::cmd;
namespace fs = std::filesystem;

namespace {

const char* const kModeSection = "Select_Section";
const char* const kModeEntry = "Select";

// The three file kinds of each mode, by the last three letters of the name.
struct ModeExtensions {
    const char* estimate;
    const char* master;
    const char* totals;
};
const ModeExtensions* extensionsOf(const std::string& mode) {
    static const ModeExtensions denki{"KIV", "MST", "TTL"};
    static const ModeExtensions kikai{"MES", "MMS", "MTL"};
    if (mode == "1")
        return &denki;
    if (mode == "2")
        return &kikai;
    return nullptr;
}

std::string cannotOpenMessage(const fs::path& path, const std::string& mode) {
    const ModeExtensions* ext = extensionsOf(mode);
    std::string text = "「" + path.filename().string() + "」は開けません。";
    if (ext)
        text += std::string("開けるのは内訳書(*.") + ext->estimate + ")、マスター(*." + ext->master + ")、集計(*." +
                ext->totals + ")のファイルです。";
    return text;
}

// Paths are compared and listed in full, whatever folder the program was started in.
fs::path absolutePath(const fs::path& p) {
    std::error_code ec;
    fs::path abs = fs::absolute(p, ec);
    return ec ? p : abs;
}

} // namespace

KivFileKind KivFileKindOf(const fs::path& path, const std::string& mode) {
    const ModeExtensions* ext = extensionsOf(mode);
    const std::string name = path.string();
    if (!ext || name.size() < 3)
        return KivFileKind::Other;
    const std::string last = name.substr(name.size() - 3);
    if (kiv::files::equalsNoCase(last, ext->estimate))
        return KivFileKind::Estimate;
    if (kiv::files::equalsNoCase(last, ext->master))
        return KivFileKind::Master;
    if (kiv::files::equalsNoCase(last, ext->totals))
        return KivFileKind::Totals;
    return KivFileKind::Other;
}

const char* KivModeText(const std::string& mode) {
    if (mode == "1")
        return "電気設備積算";
    if (mode == "2")
        return "機械設備積算";
    return "";
}

CKivApp* KivApp() { return dynamic_cast<CKivApp*>(ui::App::instance()); }

CKivApp::CKivApp() {
    onCommandId(cmd::AppAbout, [this] { OnAppAbout(); });
    onCommandId(ID_MASTER_OPEN, [this] { OnMasterOpen(); });
    onCommandId(cmd::FileNew, [this] { OnFileNew(); });
    onCommandId(ID_SYUUKEI_MODE, [this] { OnSyuukeiMode(); });
    onCommandId(cmd::FileOpen, [this] { OnFileOpen(); });
    onCommandRange(cmd::FileMruFirst, cmd::FileMruLast, [this](int id) { return OnOpenRecentFile(id); });
    // With no recent file the menu keeps its 最新のﾌｧｲﾙ placeholder, greyed.
    onUpdateCommandId(cmd::FileMruFirst, [this](ui::CommandState& s) { s.enable(!recentFiles().entries().empty()); });
    onCommandId(cmd::FilePrintSetup, [this] { OnFilePrintSetup(); });
}

CKivApp::~CKivApp() {
    // The windows and documents go first, while the prompts still reach a screen; then the
    // estimate's prompts return to recording.
    if (mainFrame())
        mainFrame()->destroyWindow();
    ui::collectGarbage();
    SetKivMessageHook({});
    SetKivAskHook({});
    SetKivSaveFileHook({});
}

bool CKivApp::initInstance() {
    // Settings are kept per user under the program's own name (Profile::user()). The mode is
    // read once: it holds for the whole run, whatever the profile says later.
    m_Mode = kiv::profile::Profile::user().getString(kModeSection, kModeEntry, m_Mode);
    if (!extensionsOf(m_Mode)) {
        m_Mode.clear();
        // Nothing may run without a mode: ask before any window or document exists, store the
        // answer and end; the mode holds from the next start.
        ChooseModeAtFirstStart();
        quit(0);
        return true;
    }
    CKivDoc::SetRunMode(m_Mode);
    ConnectEstimatePrompts();
    KivRecalc::Connect();
    ConnectFormDialogs();
    ConnectMasterSeams();

    loadStdProfileSettings(5);
    AddDocTemplates();

    auto* main = setMainFrame(std::make_unique<CMainFrame>());
    if (!main->loadFrame(&res::mainFrameMenu(), &res::mainFrameAccelerators(), "Kiv"))
        return false;
    main->show(true);

    // Only a file name opens anything: a command line of switches alone opens nothing.
    if (fs::path file = commandLineFile(); !file.empty()) {
        OpenFile(file);
        TileDocuments();
    }
    return true;
}

void CKivApp::AddDocTemplates() {
    auto add = [this](int id, ui::DocumentFactory doc, ui::FrameFactory frame, ui::ViewFactory view = {}) {
        auto* t = addDocTemplate(
            std::make_unique<ui::DocTemplate>(id, res::templateString(id), std::move(doc), std::move(frame), std::move(view)));
        const ui::Menu* menu = res::estimateMenu(id);
        if (!menu)
            menu = res::masterMenu(id);
        t->setMenu(menu ? menu : res::totalMenu(id));
        return t;
    };
    using ui::factoryOf;
    m_pKivTemplate = add(res::IDR_KIVTYPE, factoryOf<CKivDoc>(), factoryOf<CChildFrame>(), factoryOf<KivGridPane>());
    m_pKivTemplate = add(res::IDR_KIVTREE, factoryOf<CKivDoc>(), factoryOf<CChildFrame>(), factoryOf<KivTreePane>());
    m_pKivSplitTemplate = add(res::IDR_KIVSPLIT, factoryOf<CKivDoc>(), factoryOf<CSplitFrame>());
    m_pMstTemplate = add(res::IDR_MSTTYPE, factoryOf<MstDoc>(), factoryOf<CChildFrame>(), factoryOf<CMstView>());
    m_pMstTemplate = add(res::IDR_MSTTREE, factoryOf<MstDoc>(), factoryOf<CChildFrame>(), factoryOf<CMstTree>());
    m_pMstSplitTemplate = add(res::IDR_MSTSPLIT, factoryOf<MstDoc>(), factoryOf<CMSplitFrame>());
    m_pTotalTemplate = add(res::IDR_TOTALTYPE, factoryOf<CTotalDoc>(), factoryOf<CChildFrame>(), factoryOf<CTotalView>());
    m_pTotalTemplate = add(res::IDR_TOTALTREE, factoryOf<CTotalDoc>(), factoryOf<CChildFrame>(), factoryOf<CTotalTree>());
    m_pTotalSplitTemplate = add(res::IDR_TOTALSPLIT, factoryOf<CTotalDoc>(), factoryOf<CTSplitFrame>());
}

void CKivApp::ConnectEstimatePrompts() {
    SetKivMessageHook([](const std::string& text) { ui::messageBox(text); });
    SetKivAskHook([](const std::string& question, KivAskDefault defaultButton) {
        const unsigned style = ui::MB_OKCANCEL | (defaultButton == KivAskDefault::Cancel ? ui::MB_DEFBUTTON2 : 0u);
        return ui::messageBox(question, style) == ui::IDOK;
    });
    SetKivSaveFileHook([](const KivSaveFileRequest& r) -> std::optional<std::string> {
        ui::FileDialogRequest req;
        req.open = false;
        req.defaultExt = r.defaultExtension;
        req.initialName = r.proposedName.empty() ? "*." + r.defaultExtension : r.proposedName;
        req.filter = r.filter;
        req.flags = ui::OFN_HIDEREADONLY | ui::OFN_OVERWRITEPROMPT;
        auto chosen = ui::fileDialog(req);
        if (!chosen)
            return std::nullopt;
        return chosen->string();
    });
}

void CKivApp::ChooseModeAtFirstStart() {
    ui::messageBox("使用には電気設備か機械設備積算の選択が必要です。どちらか選択してください。");
    CSelectDialog dlg;
    const int answer = dlg.doModal();
    if (answer == ui::IDOK && extensionsOf(dlg.m_Value)) {
        kiv::profile::Profile::user().writeString(kModeSection, kModeEntry, dlg.m_Value);
        ui::messageBox("選択を有効にする為、アプリケーションを終了します。再起動してください。");
    } else if (answer == ui::IDOK) {
        ui::messageBox("選択が正しくありませんので終了します。アプリケーションを再起動して電気設備か機械設備積算を選択してください。");
    } else {
        ui::messageBox("選択がキャンセルされましたので終了します。アプリケーションを再起動して電気設備か機械設備積算を選択してください。");
    }
}

ui::DocTemplate* CKivApp::TemplateOf(KivFileKind kind) const {
    switch (kind) {
    case KivFileKind::Estimate: return m_pKivSplitTemplate;
    case KivFileKind::Master: return m_pMstSplitTemplate;
    case KivFileKind::Totals: return m_pTotalSplitTemplate;
    default: return nullptr;
    }
}

ui::Document* CKivApp::OpenFile(const fs::path& given) {
    if (given.empty())
        return nullptr;
    const fs::path path = absolutePath(given);
    ui::DocTemplate* t = TemplateOf(KivFileKindOf(path, m_Mode));
    if (!t) {
        ui::messageBox(cannotOpenMessage(path, m_Mode), ui::MB_ICONEXCLAMATION);
        return nullptr;
    }
    return OpenWith(*t, path);
}

ui::Document* CKivApp::OpenWith(ui::DocTemplate& t, const fs::path& path) {
    if (ui::Document* open = findOpenDocument(path)) {
        std::vector<ui::ChildFrame*> frames = open->frames();
        if (!frames.empty())
            frames.front()->activateFrame();
        return open;
    }
    // Opening is one pass: what the check of the loaded estimate and the window's first item
    // find comes in one box once the window is up; a question keeps its place.
    KivMessagePass pass;
    return t.openDocumentFile(path, true);
}

void CKivApp::TileDocuments() {
    if (mainFrame())
        mainFrame()->sendCommand(cmd::WindowTileHorz);
}

void CKivApp::OnFileNew() {
    m_pKivSplitTemplate->openDocumentFile({}, true);
    TileDocuments();
}

void CKivApp::OnSyuukeiMode() {
    m_pTotalSplitTemplate->openDocumentFile({}, true);
    TileDocuments();
}

bool CKivApp::OfferMasterFile(const fs::path& path) {
    const ConfirmCreate ask = [this](const std::string& question) {
        return ui::messageBox(question, ui::MB_YESNO | ui::MB_ICONQUESTION, {}, mainFrame()) == ui::IDYES;
    };
    std::string message;
    if (OfferNewMaster(path, ask, message))
        return true;
    if (!message.empty())
        ui::messageBox(message, ui::MB_OK, {}, mainFrame());
    return false;
}

void CKivApp::OnMasterOpen() {
    const fs::path path = MasterFilePath(m_Mode, m_MasterPath);
    // A master that is not there is offered for creation; declined, nothing changes.
    if (!OfferMasterFile(path)) {
        TileDocuments();
        return;
    }
    m_MasterPath = path.string();
    // The master named in the profile is a master whatever its name ends in.
    OpenWith(*m_pMstSplitTemplate, path);
    TileDocuments();
}

void CKivApp::OnFileOpen() {
    ui::FileDialogRequest req;
    req.open = true;
    req.flags = ui::OFN_HIDEREADONLY | ui::OFN_OVERWRITEPROMPT;
    if (m_Mode == "2") {
        req.defaultExt = "MES";
        req.initialName = "*.MES";
        req.filter = "内訳書(*.MES)|*.MES|マスター(*.MMS)|*.MMS|集計(*.MTL)|*.MTL|";
    } else {
        req.defaultExt = "KIV";
        req.initialName = "*.KIV";
        req.filter = "内訳書(*.KIV)|*.KIV|マスター(*.MST)|*.MST|集計(*.TTL)|*.TTL|";
    }
    if (auto chosen = ui::fileDialog(req))
        OpenFile(*chosen);
    TileDocuments();
}

bool CKivApp::OnOpenRecentFile(int id) {
    const std::size_t index = static_cast<std::size_t>(id - cmd::FileMruFirst);
    const auto& entries = recentFiles().entries();
    if (index < entries.size()) {
        const fs::path path = entries[index];   // opening reorders the list
        OpenFile(path);
    }
    TileDocuments();
    return true;
}

void CKivApp::OnFilePrintSetup() { kiv::print::runPrinterSetup(); }

void CKivApp::OnAppAbout() {
    CAboutDlg dlg;
    dlg.doModal();
}
