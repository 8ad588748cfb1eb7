#include "platform/headless/HeadlessBackend.h"

#include "platform/ui/App.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Frame.h"

#include <algorithm>
#include <stdexcept>

namespace kiv::ui::headless {

HeadlessBackend::HeadlessBackend() = default;

HeadlessBackend::~HeadlessBackend() {
    if (hasBackend() && &backend() == this)
        setBackend(nullptr);
}

std::unique_ptr<WindowPeer> HeadlessBackend::createPeer(Window& w) { return std::make_unique<HeadlessPeer>(*this, w); }

void HeadlessBackend::peerDestroyed(HeadlessPeer* p) { std::erase(m_Peers, p); }

void HeadlessPeer::statusChanged() {
    if (m_Window.kind() != WindowKind::MainFrame)
        return;
    const StatusBar& bar = static_cast<MainFrame&>(m_Window).statusBar();
    m_Backend.messagePaneShown(bar.paneText(bar.commandToIndex(cmd::Separator)));
}

void HeadlessBackend::messagePaneShown(const std::string& text) {
    if (m_MessagePane.empty() || m_MessagePane.back() != text)
        m_MessagePane.push_back(text);
}

int HeadlessBackend::run() {
    processPending();
    return m_ExitCode;
}

void HeadlessBackend::quit(int exitCode) {
    m_Quit = true;
    m_ExitCode = exitCode;
}

void HeadlessBackend::processPending() {
    for (int round = 0; round < 1000; ++round) {
        bool worked = false;
        while (!m_Tasks.empty()) {
            auto task = std::move(m_Tasks.front());
            m_Tasks.pop_front();
            task();
            worked = true;
        }
        collectGarbage();
        std::vector<HeadlessPeer*> peers = m_Peers;
        for (HeadlessPeer* p : peers) {
            if (std::find(m_Peers.begin(), m_Peers.end(), p) == m_Peers.end())
                continue;
            Window& w = p->window();
            if (!w.invalidRegion().isEmpty() && w.isShowing()) {
                w.dispatchPaint();
                worked = true;
            }
        }
        collectGarbage();
        if (!worked && m_Tasks.empty())
            return;
    }
    throw std::logic_error("headless event processing does not settle");
}

void HeadlessBackend::setLockKey(int vk, bool on) {
    if (on)
        m_LockKeys.insert(vk);
    else
        m_LockKeys.erase(vk);
}

Recorder& HeadlessBackend::screen(const Window& w) {
    for (HeadlessPeer* p : m_Peers)
        if (&p->window() == &w)
            return p->screen();
    throw std::logic_error("the window has no headless screen");
}

bool HeadlessBackend::sendKeyDown(Window& w, int vk, unsigned mods) {
    bool consumed = w.dispatchKeyDown(vk, mods);
    processPending();
    return consumed;
}

void HeadlessBackend::sendKeyUp(Window& w, int vk, unsigned mods) {
    w.dispatchKeyUp(vk, mods);
    processPending();
}

void HeadlessBackend::sendKey(Window& w, int vk, unsigned char ch, unsigned mods) {
    if (!w.dispatchKeyDown(vk, mods) && !w.isDestroyed())
        w.dispatchChar(ch);
    processPending();
    if (hasWindow(w))
        w.dispatchKeyUp(vk, mods);
    processPending();
}

void HeadlessBackend::sendChar(Window& w, unsigned char ch) {
    w.dispatchChar(ch);
    processPending();
}

void HeadlessBackend::sendText(Window& w, std::string_view utf8) {
    w.dispatchText(utf8);
    processPending();
}

void HeadlessBackend::sendMouse(Window& w, MouseEvent ev, Point p, unsigned flags) {
    if (ev == MouseEvent::LButtonDown || ev == MouseEvent::RButtonDown)
        w.setFocus();
    w.dispatchMouse(ev, p, flags);
    processPending();
}

void HeadlessBackend::sendDoubleClick(Window& w, Point p) {
    // As the system reports it: down, up, double click, up; the rest of it is lost when the
    // window went meanwhile.
    for (MouseEvent ev : {MouseEvent::LButtonDown, MouseEvent::LButtonUp, MouseEvent::LButtonDblClk, MouseEvent::LButtonUp})
        if (hasWindow(w))
            sendMouse(w, ev, p);
}

bool HeadlessBackend::hasWindow(const Window& w) const {
    return std::any_of(m_Peers.begin(), m_Peers.end(), [&](HeadlessPeer* p) { return &p->window() == &w; });
}

void HeadlessBackend::sendScroll(Window& w, int bar, int code, int pos) {
    w.dispatchScroll(bar, code, pos);
    processPending();
}

void HeadlessBackend::sendWheel(Window& w, int delta) {
    w.dispatchWheel(delta, {0, 0});
    processPending();
}

bool HeadlessBackend::fireTimer(Window& w, int id) {
    if (!w.hasTimer(id))
        return false;
    w.dispatchTimer(id);
    processPending();
    return true;
}

void HeadlessBackend::sendCommand(int id) {
    if (App* a = App::instance())
        a->routeCommand(id);
    processPending();
}

namespace {

bool menuHas(const MainFrame& f, const MenuItem& popup, int id) {
    for (const MenuItem& item : f.displayItems(popup))
        if (item.isPopup() ? menuHas(f, item, id) : (!item.isSeparator() && item.id == id))
            return true;
    return false;
}

} // namespace

bool HeadlessBackend::highlightMenuItem(MainFrame& f, int id) {
    const Menu* menu = f.currentMenu();
    if (id == cmd::Separator || !menu || !menuHas(f, MenuItem::popup("", menu->bar), id))
        return false;
    f.dispatchCommandHighlight(id);
    processPending();
    return true;
}

void HeadlessBackend::closeMenu(MainFrame& f) {
    f.dispatchCommandHighlight(cmd::Separator);
    processPending();
}

bool HeadlessBackend::hoverToolButton(MainFrame& f, int id) {
    for (const Toolbar& tb : f.toolbars())
        if (f.isToolbarVisible(tb.id))
            for (const ToolButton& b : tb.buttons)
                if (b.id != cmd::Separator && b.id == id) {
                    f.dispatchCommandHighlight(id);
                    processPending();
                    return true;
                }
    return false;
}

void HeadlessBackend::leaveToolButton(MainFrame& f) { closeMenu(f); }

void HeadlessBackend::resize(Window& w, Size client) {
    w.dispatchSize(client);
    processPending();
}

void HeadlessBackend::focus(Window& w) {
    w.setFocus();
    processPending();
}

void HeadlessBackend::expectMessageBox(int answer, std::string textContains) {
    m_MessageAnswers.push_back({answer, std::move(textContains)});
}

void HeadlessBackend::expectFile(std::optional<std::filesystem::path> answer) { m_FileAnswers.push_back(std::move(answer)); }

void HeadlessBackend::unexpected(const std::string& what) {
    if (onUnexpectedPrompt)
        onUnexpectedPrompt(what);
}

int HeadlessBackend::messageBox(const MessageBoxRequest& req) {
    m_Prompts.push_back({"message", req.text, req.caption, req.style});
    if (m_MessageAnswers.empty()) {
        unexpected("unexpected message box: " + req.text);
        return IDCANCEL;
    }
    MessageAnswer a = m_MessageAnswers.front();
    m_MessageAnswers.pop_front();
    if (!a.contains.empty() && req.text.find(a.contains) == std::string::npos)
        unexpected("message box \"" + req.text + "\" does not say \"" + a.contains + "\"");
    return a.answer;
}

std::optional<std::filesystem::path> HeadlessBackend::fileDialog(const FileDialogRequest& req) {
    m_Prompts.push_back({"file", req.initialName, req.filter, req.flags});
    if (m_FileAnswers.empty()) {
        unexpected("unexpected file dialog: " + req.initialName);
        return std::nullopt;
    }
    auto a = m_FileAnswers.front();
    m_FileAnswers.pop_front();
    return a;
}

void HeadlessBackend::expectFont(std::optional<Font> answer) { m_FontAnswers.push_back(std::move(answer)); }

void HeadlessBackend::expectDialog(std::function<void(DialogDriver&)> script, int templateId) {
    m_DialogScripts.push_back({std::move(script), templateId});
}

std::vector<std::string> HeadlessBackend::messageTexts() const {
    std::vector<std::string> out;
    for (const Prompt& p : m_Prompts)
        if (p.kind == "message")
            out.push_back(p.text);
    return out;
}

std::optional<Font> HeadlessBackend::fontDialog(const Font& initial, Window*) {
    m_Prompts.push_back({"font", initial.face, {}, 0});
    if (m_FontAnswers.empty()) {
        unexpected("unexpected font dialog");
        return std::nullopt;
    }
    auto a = m_FontAnswers.front();
    m_FontAnswers.pop_front();
    return a;
}

int HeadlessBackend::runModal(Dialog& d) {
    m_Prompts.push_back({"dialog", d.title(), {}, static_cast<unsigned>(d.dialogTemplate().id)});
    d.show(true);
    processPending();
    if (m_DialogScripts.empty()) {
        unexpected("unexpected dialog: " + d.title());
        d.endDialog(IDCANCEL);
        return d.result();
    }
    DialogScript s = std::move(m_DialogScripts.front());
    m_DialogScripts.pop_front();
    if (s.templateId != 0 && s.templateId != d.dialogTemplate().id)
        unexpected("dialog " + std::to_string(d.dialogTemplate().id) + " shown where " + std::to_string(s.templateId) +
                   " was expected");
    if (!d.isEnded()) {
        DialogDriver driver(d, *this);
        s.script(driver);
    }
    processPending();
    if (!d.isEnded()) {
        unexpected("the script left dialog " + d.title() + " open");
        d.endDialog(IDCANCEL);
    }
    return d.result();
}

} // namespace kiv::ui::headless

namespace kiv::ui::headless {

PreviewDriver::PreviewDriver(print::PreviewState& state, print::PreviewSession& session)
    : m_State(state), m_Session(session) {
    draw();
}

void PreviewDriver::draw() {
    m_Shown.clear();
    const print::DeviceGeometry g = m_Session.geometry();
    for (int p : m_State.shownPages()) {
        m_Shown.emplace_back();
        RecordingPrinterDc dc(g, m_Shown.back());
        m_Session.renderPage(p, dc);
        ++m_Renders[p];
    }
}

bool PreviewDriver::press(print::PreviewState::Button b) {
    if (m_Closed || !m_State.press(b))
        return false;
    if (b == print::PreviewState::Print || b == print::PreviewState::Close) {
        m_Closed = true;
        m_Result = b == print::PreviewState::Print ? print::PreviewResult::Print : print::PreviewResult::Closed;
        return true;
    }
    draw();
    return true;
}

int PreviewDriver::renders(int page) const {
    auto it = m_Renders.find(page);
    return it == m_Renders.end() ? 0 : it->second;
}

bool HeadlessBackend::printDialog(print::PrintSettings& settings, int, int) {
    m_Prompts.push_back({"print", settings.toFile() ? settings.file.string() : settings.printerName, {}, 0});
    if (m_PrintAnswers.empty()) {
        unexpected("unexpected print dialog");
        return false;
    }
    auto answer = std::move(m_PrintAnswers.front());
    m_PrintAnswers.pop_front();
    App::BusyScope busy;
    return answer(settings);
}

bool HeadlessBackend::printSetupDialog(print::PrintSettings& settings) {
    m_Prompts.push_back({"printsetup", settings.printerName, {}, 0});
    if (m_SetupAnswers.empty()) {
        unexpected("unexpected printer set-up dialog");
        return false;
    }
    auto answer = std::move(m_SetupAnswers.front());
    m_SetupAnswers.pop_front();
    App::BusyScope busy;
    return answer(settings);
}

std::unique_ptr<print::PrintJob> HeadlessBackend::createJob(const print::PrintSettings& settings) {
    PrintedJob& job = m_Jobs.emplace_back();
    job.settings = settings;
    job.device = print::deviceGeometry(settings);
    return std::make_unique<RecordingJob>(job);
}

print::PreviewResult HeadlessBackend::runPreview(print::PreviewSession& session) {
    m_Prompts.push_back({"preview", std::to_string(session.pageCount()), {}, 0});
    if (m_PreviewScripts.empty()) {
        unexpected("unexpected print preview");
        return print::PreviewResult::Closed;
    }
    auto script = std::move(m_PreviewScripts.front());
    m_PreviewScripts.pop_front();
    App::BusyScope busy;
    print::PreviewState state(session.pageCount());
    PreviewDriver driver(state, session);
    script(driver);
    // A window the script left open is closed, as its close box would.
    return driver.result();
}

void HeadlessBackend::expectPrintDialog(std::function<bool(print::PrintSettings&)> answer) {
    m_PrintAnswers.push_back(std::move(answer));
}

void HeadlessBackend::expectPrintSetup(std::function<bool(print::PrintSettings&)> answer) {
    m_SetupAnswers.push_back(std::move(answer));
}

void HeadlessBackend::expectPreview(std::function<void(PreviewDriver&)> script) {
    m_PreviewScripts.push_back(std::move(script));
}

} // namespace kiv::ui::headless
