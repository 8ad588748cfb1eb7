#include "shell/MainFrame.h"

#include "estimate/MasterPath.h"
#include "estimate/RecalcSeams.h"
#include "platform/profile/Profile.h"
#include "platform/ui/App.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/MessageBox.h"
#include "resources/CommandIds.h"
#include "resources/CommandPrompts.h"
#include "resources/MainFrameResources.h"
#include "shell/KivApp.h"
#include "shell/SelectDialog.h"

#include <algorithm>

namespace ui = kiv::ui;
namespace cmd = kiv::ui::cmd;

CMainFrame* g_pMainFrame = nullptr;
ui::StatusBar* g_pStatusBar = nullptr;

const char* const CMainFrame::kBarStateSection = "MainFrameBarState";

namespace {

const char* const kPlacementSection = "General";
const ui::Rect kDefaultPlacement{100, 100, 900, 700};   // 800 x 600 at (100, 100)
constexpr int kMinWidth = 200, kMinHeight = 150;

const char* const kMsgRestart = "選択を有効にする為、アプリケーションを終了します。再起動してください。";

} // namespace

ui::Rect PlaceOnScreen(ui::Rect r, const ui::Rect& screen) {
    int w = r.width(), h = r.height();
    if (w <= 0 || h <= 0) {
        w = kDefaultPlacement.width();
        h = kDefaultPlacement.height();
    }
    w = std::clamp(w, std::min(kMinWidth, screen.width()), std::max(1, screen.width()));
    h = std::clamp(h, std::min(kMinHeight, screen.height()), std::max(1, screen.height()));
    const int x = std::clamp(r.left, screen.left, std::max(screen.left, screen.right - w));
    const int y = std::clamp(r.top, screen.top, std::max(screen.top, screen.bottom - h));
    return ui::Rect::fromSize(x, y, w, h);
}

CMainFrame::CMainFrame() {
    g_pMainFrame = this;
    g_pStatusBar = &statusBar();
    onUpdateCommandId(cmd::EditCut, [this](ui::CommandState& s) { OnUpdateEditCut(s); });
    onUpdateCommandId(cmd::EditCopy, [this](ui::CommandState& s) { OnUpdateEditCopy(s); });
    onUpdateCommandId(cmd::EditPaste, [this](ui::CommandState& s) { OnUpdateEditPaste(s); });
    onCommandId(ID_SHINKI, [this] { OnShinki(); });
    onCommandId(ID_MASTER_CHANGE, [this] { OnMasterChange(); });
    onCommandId(ID_ADRESS, [this] { OnAdress(); });
    onCommandId(ID_SEKISAN_CHANGE, [this] { OnSekisanChange(); });
}

CMainFrame::~CMainFrame() {
    if (g_pMainFrame == this) {
        g_pMainFrame = nullptr;
        g_pStatusBar = nullptr;
    }
}

void CMainFrame::preCreateWindow(ui::Rect& r) {
    auto& p = kiv::profile::Profile::user();
    const int x = p.getInt(kPlacementSection, "WindowX", kDefaultPlacement.left);
    const int y = p.getInt(kPlacementSection, "WindowY", kDefaultPlacement.top);
    const int w = p.getInt(kPlacementSection, "WindowW", kDefaultPlacement.width());
    const int h = p.getInt(kPlacementSection, "WindowH", kDefaultPlacement.height());
    // A placement saved on a larger or another screen must not leave the window out of reach.
    const ui::Rect screen = ui::hasBackend() ? ui::backend().desktopRect() : ui::Rect::fromSize(0, 0, 1920, 1080);
    r = PlaceOnScreen(ui::Rect::fromSize(x, y, w, h), screen);
}

int CMainFrame::onCreate() {
    setPrompts(&res::commandPrompts());
    addToolbar(res::standardToolbar());
    statusBar().setIndicators(res::statusIndicators());
    addToolbar(res::editToolbar());
    dragAcceptFiles();
    loadBarState(kBarStateSection);
    if (CKivApp* app = KivApp())
        ShowMode(app->m_Mode);
    return 0;
}

void CMainFrame::onClose() {
    const ui::Rect r = windowRect();
    auto& p = kiv::profile::Profile::user();
    p.writeInt(kPlacementSection, "WindowX", r.left);
    p.writeInt(kPlacementSection, "WindowY", r.top);
    p.writeInt(kPlacementSection, "WindowW", r.width());
    p.writeInt(kPlacementSection, "WindowH", r.height());
    saveBarState(kBarStateSection);
    ui::MainFrame::onClose();
}

void CMainFrame::onSize(int cx, int cy) {
    ui::MainFrame::onSize(cx, cy);
    sendCommand(cmd::WindowTileHorz);
    // The mode of the run, not the profile's: a mode stored by 積算方式を変更 waits for the restart.
    if (CKivApp* app = KivApp())
        ShowMode(app->m_Mode);
}

void CMainFrame::onDropFiles(const std::vector<std::filesystem::path>& files) {
    CKivApp* app = KivApp();
    if (!app)
        return;
    for (const auto& f : files)
        app->OpenFile(f);
    app->TileDocuments();
}

void CMainFrame::ShowMode(const std::string& mode) {
    const char* text = KivModeText(mode);
    if (*text)
        statusBar().setPaneText(statusBar().commandToIndex(res::ID_INDICATOR_MODE), text);
}

void CMainFrame::OnShinki() { sendCommand(cmd::FileNew); }

void CMainFrame::OnMasterChange() {
    const CKivApp* app = KivApp();
    const std::string mode = app ? app->m_Mode : std::string();
    if (mode != "1" && mode != "2")
        return;
    const bool denki = mode == "1";
    ui::FileDialogRequest req;
    req.open = true;
    req.defaultExt = denki ? "MST" : "MMS";
    req.initialName = denki ? "*.MST" : "*.MMS";
    req.filter = denki ? "MST(*.MST)|*.MST|全て(*.*)|*.*|" : "MMS(*.MMS)|*.MMS|全て(*.*)|*.*|";
    req.flags = ui::OFN_HIDEREADONLY | ui::OFN_OVERWRITEPROMPT;
    req.owner = this;
    auto chosen = ui::fileDialog(req);
    if (!chosen)
        return;
    // The profile names the chosen master only once it stands there: a new name is offered for
    // creation first, and declined it leaves the profile with the master it had.
    CKivApp* owner = KivApp();
    if (!owner || !owner->OfferMasterFile(*chosen))
        return;
    RememberMasterFile(mode, *chosen);
    sendCommand(ID_MASTER_OPEN);
}

void CMainFrame::OnAdress() { RunFormDialog(ID_ADRESS); }

void CMainFrame::OnSekisanChange() {
    const CKivApp* app = KivApp();
    m_Mode = app ? app->m_Mode : std::string();
    CSelectDialog dlg;
    dlg.m_Value = m_Mode;
    const int answer = dlg.doModal();
    m_Mode = dlg.m_Value;
    if (answer == ui::IDOK && (m_Mode == "1" || m_Mode == "2")) {
        // Stored for the next start; the status bar keeps showing the mode in force until then.
        kiv::profile::Profile::user().writeString("Select_Section", "Select", m_Mode);
        ui::messageBox(kMsgRestart, ui::MB_OK, {}, this);
        postClose();
    } else if (answer == ui::IDOK) {
        ui::messageBox("選択が正しくありませんので中止します。", ui::MB_OK, {}, this);
    } else {
        ui::messageBox("選択がキャンセルされましたので中止します。アプリケーションを再起動して電気設備か機械設備積算を選択してください。",
                       ui::MB_OK, {}, this);
    }
    m_Mode.clear();
}

// The edit commands stay enabled while no view takes them; updating a menu item never runs a
// command.
void CMainFrame::OnUpdateEditCut(ui::CommandState& state) { state.enable(); }

void CMainFrame::OnUpdateEditCopy(ui::CommandState& state) { state.enable(); }

void CMainFrame::OnUpdateEditPaste(ui::CommandState& state) { state.enable(); }
