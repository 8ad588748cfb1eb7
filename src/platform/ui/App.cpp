#include "platform/ui/App.h"

#include "platform/files/Files.h"
#include "platform/profile/Profile.h"
#include "platform/ui/Backend.h"
#include "platform/ui/Document.h"
#include "platform/ui/Frame.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/View.h"

#include <exception>
#include <algorithm>

namespace kiv::ui {
namespace {

App* g_App = nullptr;
constexpr const char* kRecentSection = "Recent File List";

bool samePath(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec1, ec2;
    auto ca = std::filesystem::weakly_canonical(a, ec1);
    auto cb = std::filesystem::weakly_canonical(b, ec2);
    if (ec1 || ec2)
        return a == b;
    return ca == cb;
}

} // namespace

// ---- RecentFileList

void RecentFileList::setSize(int size) {
    m_Size = std::max(0, size);
    if (static_cast<int>(m_Entries.size()) > m_Size)
        m_Entries.resize(static_cast<std::size_t>(m_Size));
}

void RecentFileList::load() {
    m_Entries.clear();
    auto& p = profile::Profile::user();
    for (int i = 1; i <= m_Size; ++i) {
        std::string s = p.getString(kRecentSection, "File" + std::to_string(i));
        if (!s.empty())
            m_Entries.emplace_back(s);
    }
}

void RecentFileList::save() const {
    auto& p = profile::Profile::user();
    for (int i = 1; i <= m_Size; ++i) {
        std::size_t k = static_cast<std::size_t>(i - 1);
        if (k < m_Entries.size())
            p.writeString(kRecentSection, "File" + std::to_string(i), m_Entries[k].string());
        else if (p.has(kRecentSection, "File" + std::to_string(i)))
            p.removeEntry(kRecentSection, "File" + std::to_string(i));
    }
}

void RecentFileList::add(const std::filesystem::path& path) {
    if (m_Size <= 0 || path.empty())
        return;
    std::filesystem::path abs = path.is_absolute() ? path : std::filesystem::absolute(path);
    std::erase_if(m_Entries, [&](const auto& e) { return samePath(e, abs); });
    m_Entries.insert(m_Entries.begin(), abs);
    if (static_cast<int>(m_Entries.size()) > m_Size)
        m_Entries.resize(static_cast<std::size_t>(m_Size));
    save();
}

void RecentFileList::remove(std::size_t index) {
    if (index < m_Entries.size()) {
        m_Entries.erase(m_Entries.begin() + static_cast<std::ptrdiff_t>(index));
        save();
    }
}

std::string RecentFileList::menuText(std::size_t index) const {
    if (index >= m_Entries.size())
        return {};
    return "&" + std::to_string(index + 1) + " " + m_Entries[index].string();
}

// ---- App

App::App() { g_App = this; }

App::~App() {
    m_Busy = 0;   // everything goes now
    if (m_MainFrame)
        m_MainFrame->destroyWindow();
    collectGarbage();
    m_MainFrame.reset();
    m_Templates.clear();
    collectGarbage();
    if (g_App == this)
        g_App = nullptr;
}

App* App::instance() { return g_App; }

std::string App::commandLine() const {
    std::string s;
    for (std::size_t i = 1; i < m_Args.size(); ++i) {
        if (i > 1)
            s += ' ';
        s += m_Args[i];
    }
    return s;
}

std::filesystem::path App::commandLineFile() const {
    for (std::size_t i = 1; i < m_Args.size(); ++i) {
        const std::string& a = m_Args[i];
        if (a.empty() || a[0] == '-' || (a[0] == '/' && a.size() <= 2 && !std::filesystem::exists(a)))
            continue;
        return a;
    }
    return {};
}

DocTemplate* App::addDocTemplate(std::unique_ptr<DocTemplate> t) {
    m_Templates.push_back(std::move(t));
    return m_Templates.back().get();
}

std::vector<Document*> App::documents() const {
    std::vector<Document*> out;
    for (const auto& t : m_Templates)
        for (Document* d : t->documents())
            out.push_back(d);
    return out;
}

Document* App::findOpenDocument(const std::filesystem::path& path) const {
    for (Document* d : documents())
        if (!d->pathName().empty() && samePath(d->pathName(), path))
            return d;
    return nullptr;
}

Document* App::openDocumentFile(const std::filesystem::path& path) {
    if (m_Templates.empty() || path.empty())
        return nullptr;
    if (Document* open = findOpenDocument(path)) {
        std::vector<ChildFrame*> frames = open->frames();
        if (!frames.empty())
            frames.front()->activateFrame();
        return open;
    }
    DocTemplate* chosen = m_Templates.front().get();
    for (const auto& t : m_Templates)
        if (t->matchesExtension(path)) {
            chosen = t.get();
            break;
        }
    return chosen->openDocumentFile(path, true);
}

bool App::saveAllModified() {
    for (Document* d : documents())
        if (!d->saveModified())
            return false;
    return true;
}

void App::closeAllDocuments() {
    for (Document* d : documents())
        d->onCloseDocument();
}

MainFrame* App::setMainFrame(std::unique_ptr<MainFrame> f) {
    m_MainFrame = std::move(f);
    return m_MainFrame.get();
}

void App::loadStdProfileSettings(int count) {
    m_Recent.setSize(count);
    m_Recent.load();
}

View* App::activeView() const {
    if (!m_MainFrame || !m_MainFrame->activeChild())
        return nullptr;
    return m_MainFrame->activeChild()->activeView();
}

namespace {

// The targets of a command in routing order.
std::vector<CommandTarget*> routeOf(App& app) {
    std::vector<CommandTarget*> out;
    MainFrame* main = app.mainFrame();
    ChildFrame* child = main ? main->activeChild() : nullptr;
    View* view = child ? child->activeView() : nullptr;
    if (view) {
        out.push_back(view);
        if (view->document())
            out.push_back(view->document());
    } else if (child && child->document()) {
        out.push_back(child->document());
    }
    if (child)
        out.push_back(child);
    if (main)
        out.push_back(main);
    out.push_back(&app);
    return out;
}

} // namespace

CommandState App::commandState(int id) {
    CommandState state;
    std::vector<CommandTarget*> route = routeOf(*this);
    for (CommandTarget* t : route)
        if (t->onUpdateCommand(id, state))
            return state;
    state.enabled = std::any_of(route.begin(), route.end(), [&](CommandTarget* t) { return t->handlesCommand(id); });
    return state;
}

bool App::routeCommand(int id) {
    if (!commandState(id).enabled)
        return false;
    // Notes the command when an exception leaves it; an inner command that failed first keeps
    // its name.
    struct FailedCommandNote {
        App& app;
        int id;
        int uncaught = std::uncaught_exceptions();
        ~FailedCommandNote() {
            if (std::uncaught_exceptions() > uncaught && app.m_FailedCommand == 0)
                app.m_FailedCommand = id;
        }
    } note{*this, id};
    BusyScope busy;
    for (CommandTarget* t : routeOf(*this))
        if (t->onCommand(id))
            return true;
    return false;
}

bool App::translateAccelerator(Window& target, int vk, unsigned mods) {
    // A release still owed from an earlier switch (its key-up went elsewhere) is not this key's.
    std::erase(m_FrameKeyUps, vk);
    if (!m_MainFrame || m_Busy > 0)
        return false;   // a modal dialog or message box has the keyboard
    if (&target != m_MainFrame.get() && !target.isDescendantOf(m_MainFrame.get()))
        return false;
    if (m_MainFrame->translateWindowKey(vk, mods)) {
        m_FrameKeyUps.push_back(vk);
        return true;
    }
    const AcceleratorTable* table = m_MainFrame->currentAccelerators();
    int id = table ? table->find(vk, mods) : 0;
    if (id == 0)
        return false;
    routeCommand(id);
    return true;
}

bool App::takeFrameKeyUp(int vk) {
    auto it = std::find(m_FrameKeyUps.begin(), m_FrameKeyUps.end(), vk);
    if (it == m_FrameKeyUps.end())
        return false;
    m_FrameKeyUps.erase(it);
    return true;
}

void App::endBusy() {
    if (m_Busy == 0 || --m_Busy > 0 || !hasBackend())
        return;
    if (std::exchange(m_CollectDue, false))
        backend().post([] { collectGarbage(); });
    if (!m_DeferredTimers.empty()) {
        backend().post([this] {
            if (m_Busy > 0)
                return;
            auto due = std::move(m_DeferredTimers);
            m_DeferredTimers.clear();
            for (const Deferred& d : due)
                d.window->dispatchTimer(d.id);
        });
    }
}

void App::deferTimer(Window* w, int id) {
    for (const Deferred& d : m_DeferredTimers)
        if (d.window == w && d.id == id)
            return;   // one pending tick per timer, as a message queue keeps it
    m_DeferredTimers.push_back({w, id});
}

void App::doWaitCursor(int code) {
    if (code > 0)
        ++m_Wait;
    else if (code < 0 && m_Wait > 0)
        --m_Wait;
    if (hasBackend())
        backend().setWaitCursor(m_Wait > 0);
}

void App::quit(int exitCode) {
    m_Quit = true;
    if (hasBackend())
        backend().quit(exitCode);
}

bool App::onCommand(int id) {
    if (CommandTarget::onCommand(id))
        return true;
    if (id >= cmd::FileMruFirst && id <= cmd::FileMruLast) {
        std::size_t i = static_cast<std::size_t>(id - cmd::FileMruFirst);
        if (i < m_Recent.entries().size()) {
            std::filesystem::path p = m_Recent.entries()[i];
            if (!openDocumentFile(p))
                m_Recent.remove(i);
        }
        return true;
    }
    if (id == cmd::AppExit) {
        if (m_MainFrame)
            m_MainFrame->postClose();
        return true;
    }
    return false;
}

bool App::handlesCommand(int id) const {
    if (CommandTarget::handlesCommand(id) || id == cmd::AppExit)
        return true;
    return id >= cmd::FileMruFirst && id <= cmd::FileMruLast &&
           static_cast<std::size_t>(id - cmd::FileMruFirst) < m_Recent.entries().size();
}

void App::focusChanged(Window* w) {
    if (!w || w->kind() != WindowKind::View || !m_MainFrame)
        return;
    View* v = static_cast<View*>(w);
    ChildFrame* f = v->parentFrame();
    if (!f || f->mainFrame() != m_MainFrame.get())
        return;
    if (m_MainFrame->activeChild() != f)
        m_MainFrame->activateChild(f);
    f->setActiveView(v);
}

void App::windowDestroyed(Window* w) {
    std::erase_if(m_DeferredTimers, [&](const Deferred& d) { return d.window == w; });
}

void collectGarbage() {
    if (App* a = App::instance(); a && a->isBusy()) {
        a->m_CollectDue = true;
        return;
    }
    collectDestroyedWindows();
    collectRemovedDocuments();
    collectDestroyedWindows();
}

int runApplication(App& app, Backend& b, std::vector<std::string> args) {
    setBackend(&b);
    app.setArguments(std::move(args));
    // A profile that could not be read is said once, before anything asks or shows a setting:
    // the run goes on with defaults and leaves the file as it is.
    if (const profile::Profile& p = profile::Profile::user(); p.unreadable())
        messageBox(p.unreadableMessage(), MB_ICONEXCLAMATION);
    int code = 1;
    if (app.initInstance())
        code = app.quitRequested() ? 0 : b.run();
    int exitCode = app.exitInstance();
    if (code == 0)
        code = exitCode;
    return code;
}

} // namespace kiv::ui
