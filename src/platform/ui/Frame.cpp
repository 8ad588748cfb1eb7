#include "platform/ui/Frame.h"

#include "platform/profile/Profile.h"
#include "platform/ui/App.h"
#include "platform/ui/Backend.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Document.h"

#include <algorithm>

namespace kiv::ui {

// ---- StatusBar

void StatusBar::setIndicators(std::vector<StatusIndicator> indicators) {
    m_Indicators = std::move(indicators);
    m_Texts.assign(m_Indicators.size(), std::string());
    if (int message = commandToIndex(cmd::Separator); message >= 0)
        m_Texts[message] = m_Owner.promptText(cmd::Separator);
    refreshLockIndicators();
    if (m_Owner.peer())
        m_Owner.peer()->statusChanged();
}

int StatusBar::commandToIndex(int id) const {
    for (std::size_t i = 0; i < m_Indicators.size(); ++i)
        if (m_Indicators[i].id == id)
            return static_cast<int>(i);
    return -1;
}

bool StatusBar::setPaneText(int index, const std::string& utf8) {
    if (index < 0 || index >= static_cast<int>(m_Texts.size()))
        return false;
    if (m_Texts[index] != utf8) {
        m_Texts[index] = utf8;
        if (m_Owner.peer())
            m_Owner.peer()->statusChanged();
    }
    return true;
}

const std::string& StatusBar::paneText(int index) const {
    static const std::string empty;
    if (index < 0 || index >= static_cast<int>(m_Texts.size()))
        return empty;
    return m_Texts[index];
}

std::string StatusBar::paneTextById(int id) const { return paneText(commandToIndex(id)); }

void StatusBar::refreshLockIndicators() {
    static const int lockKeys[][2] = {{cmd::IndicatorCaps, VK_CAPITAL},
                                      {cmd::IndicatorNum, VK_NUMLOCK},
                                      {cmd::IndicatorScroll, VK_SCROLL},
                                      {cmd::IndicatorKana, VK_KANA}};
    for (auto& [id, vk] : lockKeys) {
        int i = commandToIndex(id);
        if (i >= 0)
            setPaneText(i, hasBackend() && backend().lockKeyOn(vk) ? m_Indicators[i].sizing : std::string());
    }
}

void StatusBar::setVisible(bool on) {
    m_Visible = on;
    if (m_Owner.peer())
        m_Owner.peer()->barsChanged();
}

// ---- ChildFrame

ChildFrame::ChildFrame() : Window(WindowKind::ChildFrame) {}

bool ChildFrame::loadFrame(MainFrame& main, CreateContext& ctx, const Rect& r) {
    m_Document = ctx.document;
    m_Template = ctx.docTemplate;
    main.addChild(this);
    if (!create(&main, r, false)) {
        main.removeChild(this);
        return false;
    }
    if (!onCreateClient(ctx))
        return false;
    layoutChildren();
    return true;
}

bool ChildFrame::onCreateClient(CreateContext& ctx) {
    if (!ctx.docTemplate || !ctx.docTemplate->viewFactory())
        return true;
    View* v = adopt(ctx.docTemplate->viewFactory()());
    if (!v->createView(this, clientRect(), ctx))
        return false;
    m_ActiveView = v;
    return true;
}

void ChildFrame::layoutChildren() {
    // The first child window (a view or a splitter) fills the client area.
    if (!children().empty())
        children().front()->setGeometry(clientRect());
}

void ChildFrame::setActiveView(View* v) {
    if (m_ActiveView == v)
        return;
    View* old = m_ActiveView;
    m_ActiveView = v;
    MainFrame* main = mainFrame();
    if (main && main->activeChild() == this) {
        if (old)
            old->onActivateView(false, v, old);
        if (v)
            v->onActivateView(true, v, old);
    }
}

std::vector<View*> ChildFrame::views() const {
    std::vector<View*> out;
    // Depth-first in creation order.
    std::function<void(const Window*)> walk = [&](const Window* w) {
        for (Window* c : w->children()) {
            if (c->kind() == WindowKind::View)
                out.push_back(static_cast<View*>(c));
            walk(c);
        }
    };
    walk(this);
    return out;
}

MainFrame* ChildFrame::mainFrame() const {
    Window* p = parent();
    return p && p->kind() == WindowKind::MainFrame ? static_cast<MainFrame*>(p) : nullptr;
}

void ChildFrame::activateFrame() {
    if (!isVisible())
        show(true);
    if (MainFrame* main = mainFrame())
        main->activateChild(this);
    if (m_ActiveView)
        m_ActiveView->setFocus();
}

void ChildFrame::updateTitle() {
    if (!m_Document)
        return;
    std::string t = m_Document->title();
    std::vector<ChildFrame*> same = m_Document->frames();
    if (same.size() > 1) {
        auto it = std::find(same.begin(), same.end(), this);
        t += ":" + std::to_string(it - same.begin() + 1);
    }
    setTitle(t);
    if (MainFrame* main = mainFrame(); main && main->peer())
        main->peer()->menuChanged();   // the main title follows the active document
}

void ChildFrame::stepPane(int step) {
    std::vector<View*> v = views();
    if (v.empty())
        return;
    auto it = std::find(v.begin(), v.end(), m_ActiveView);
    int i = it == v.end() ? 0 : static_cast<int>(it - v.begin());
    int n = static_cast<int>(v.size());
    View* next = v[((i + step) % n + n) % n];
    setActiveView(next);
    next->setFocus();
}

bool ChildFrame::onCommand(int id) {
    if (Window::onCommand(id))
        return true;
    if (id == cmd::NextPane || id == cmd::PrevPane) {
        stepPane(id == cmd::NextPane ? 1 : -1);
        return true;
    }
    return false;
}

bool ChildFrame::handlesCommand(int id) const {
    return Window::handlesCommand(id) || id == cmd::NextPane || id == cmd::PrevPane;
}

void ChildFrame::onClose() {
    if (m_Document && m_Document->frames().size() <= 1) {
        if (!m_Document->saveModified())
            return;
        m_Document->onCloseDocument();
        return;
    }
    destroyWindow();
}

void ChildFrame::onDestroy() {
    if (MainFrame* main = mainFrame())
        main->removeChild(this);
    if (m_Document && !m_Document->isClosing())
        for (ChildFrame* f : m_Document->frames())
            if (f != this)
                f->updateTitle();
}

// ---- Splitter

Splitter::Splitter() : Window(WindowKind::Splitter) { setBackgroundColor(rgb(240, 240, 240)); }

bool Splitter::createStatic(Window* parent, int rows, int cols) {
    m_Rows = std::max(1, rows);
    m_Cols = std::max(1, cols);
    m_ColWidths.assign(m_Cols, 0);
    m_RowHeights.assign(m_Rows, 0);
    m_Panes.assign(static_cast<std::size_t>(m_Rows * m_Cols), nullptr);
    return create(parent, parent->clientRect(), true);
}

View* Splitter::createView(int row, int col, const ViewFactory& make, Size size, CreateContext& ctx) {
    if (row < 0 || row >= m_Rows || col < 0 || col >= m_Cols || !make)
        return nullptr;
    if (m_ColWidths[col] == 0)
        m_ColWidths[col] = size.cx;
    if (m_RowHeights[row] == 0)
        m_RowHeights[row] = size.cy;
    View* v = adopt(make());
    m_Panes[static_cast<std::size_t>(row * m_Cols + col)] = v;
    if (!v->createView(this, Rect::fromSize(0, 0, size.cx, size.cy), ctx))
        return nullptr;
    layoutChildren();
    return v;
}

Window* Splitter::pane(int row, int col) const {
    if (row < 0 || row >= m_Rows || col < 0 || col >= m_Cols)
        return nullptr;
    return m_Panes[static_cast<std::size_t>(row * m_Cols + col)];
}

void Splitter::setColumnWidth(int col, int width) {
    if (col >= 0 && col < m_Cols) {
        m_ColWidths[col] = std::max(0, width);
        layoutChildren();
    }
}

int Splitter::columnWidth(int col) const {
    if (col < 0 || col >= m_Cols)
        return 0;
    Window* w = pane(0, col);
    return w ? w->geometry().width() : m_ColWidths[col];
}

void Splitter::layoutChildren() {
    Rect c = clientRect();
    int x = 0;
    for (int col = 0; col < m_Cols; ++col) {
        bool last = col == m_Cols - 1;
        int w = last ? std::max(0, c.right - x) : std::min(m_ColWidths[col], std::max(0, c.right - x));
        int y = 0;
        for (int row = 0; row < m_Rows; ++row) {
            bool lastRow = row == m_Rows - 1;
            int h = lastRow ? std::max(0, c.bottom - y) : m_RowHeights[row];
            if (Window* p = pane(row, col); p && !p->isDestroyed())
                p->setGeometry(Rect::fromSize(x, y, w, h));
            y += h + kBarWidth;
        }
        x += w + kBarWidth;
    }
}

void Splitter::onLButtonDown(unsigned, Point p) {
    int x = 0;
    for (int col = 0; col + 1 < m_Cols; ++col) {
        x += m_ColWidths[col];
        if (p.x >= x && p.x < x + kBarWidth) {
            m_Dragging = col;
            m_DragOffset = p.x - x;
            return;
        }
        x += kBarWidth;
    }
}

void Splitter::onMouseMove(unsigned flags, Point p) {
    if (m_Dragging < 0 || !(flags & MK_LBUTTON))
        return;
    int left = 0;
    for (int col = 0; col < m_Dragging; ++col)
        left += m_ColWidths[col] + kBarWidth;
    setColumnWidth(m_Dragging, std::clamp(p.x - m_DragOffset - left, 0, std::max(0, clientRect().right - left - kBarWidth)));
}

void Splitter::onLButtonUp(unsigned, Point) { m_Dragging = -1; }

// ---- MainFrame

MainFrame::MainFrame() : Window(WindowKind::MainFrame), m_StatusBar(*this) {
    setBackgroundColor(rgb(171, 171, 171));   // the document area's background
}

MainFrame::~MainFrame() {
    if (m_Find)
        m_Find->destroyWindow();
}

bool MainFrame::loadFrame(const Menu* menu, const AcceleratorTable* accel, const std::string& title) {
    m_Menu = menu;
    m_Accel = accel;
    Rect r = Rect::fromSize(100, 100, 800, 600);
    preCreateWindow(r);
    setTitle(title);
    if (!create(nullptr, r, false))
        return false;
    setTitle(title);
    return true;
}

const Menu* MainFrame::currentMenu() const {
    if (m_Active && m_Active->docTemplate() && m_Active->docTemplate()->menu())
        return m_Active->docTemplate()->menu();
    return m_Menu;
}

const AcceleratorTable* MainFrame::currentAccelerators() const {
    if (m_Active && m_Active->docTemplate() && m_Active->docTemplate()->accelerators())
        return m_Active->docTemplate()->accelerators();
    return m_Accel;
}

std::vector<MenuItem> MainFrame::displayItems(const MenuItem& popup) const {
    std::vector<MenuItem> out;
    App* app = App::instance();
    bool windowMenu = false;
    for (const MenuItem& item : popup.items) {
        if (item.id == cmd::FileMruFirst && app && !app->recentFiles().entries().empty()) {
            for (std::size_t i = 0; i < app->recentFiles().entries().size(); ++i)
                out.push_back(MenuItem::command(app->recentFiles().menuText(i), cmd::FileMruFirst + static_cast<int>(i)));
            continue;
        }
        windowMenu = windowMenu || (item.id >= cmd::WindowNew && item.id <= cmd::WindowTileHorz);
        out.push_back(item);
    }
    const std::vector<ChildFrame*> listed = windowMenu ? windowListChildren() : std::vector<ChildFrame*>();
    if (!listed.empty())
        out.push_back(MenuItem::separator());
    for (std::size_t i = 0; i < listed.size(); ++i)
        out.push_back(MenuItem::command(windowListText(i, listed[i]->title()), cmd::WindowChildFirst + static_cast<int>(i)));
    return out;
}

void MainFrame::addToolbar(const Toolbar& tb) {
    m_Toolbars.push_back(tb);
    if (peer())
        peer()->barsChanged();
}

bool MainFrame::isToolbarVisible(int id) const {
    return std::find(m_HiddenToolbars.begin(), m_HiddenToolbars.end(), id) == m_HiddenToolbars.end();
}

void MainFrame::showToolbar(int id, bool on) {
    std::erase(m_HiddenToolbars, id);
    if (!on)
        m_HiddenToolbars.push_back(id);
    if (peer())
        peer()->barsChanged();
}

void MainFrame::setPrompts(const PromptTable* table) {
    m_Prompts = table;
    dispatchCommandHighlight(cmd::Separator);
    if (peer())
        peer()->barsChanged();   // the tooltips
}

std::string MainFrame::promptText(int id) const {
    if (!m_Prompts)
        return {};
    if (const std::string* p = id != cmd::Separator ? m_Prompts->find(id) : nullptr)
        return promptPaneText(*p);
    return m_Prompts->idle;
}

std::string MainFrame::toolTip(const ToolButton& b) const {
    const std::string* p = m_Prompts ? m_Prompts->find(b.id) : nullptr;
    std::string tip = p ? promptTipText(*p) : std::string();
    return tip.empty() ? b.tip : tip;
}

void MainFrame::dispatchCommandHighlight(int id) {
    m_StatusBar.setPaneText(m_StatusBar.commandToIndex(cmd::Separator), promptText(id));
}

void MainFrame::loadBarState(const std::string& section) {
    auto& p = profile::Profile::user();
    for (const Toolbar& tb : m_Toolbars)
        showToolbar(tb.id, p.getInt(section, "Bar" + std::to_string(tb.id) + "Visible", 1) != 0);
    m_StatusBar.setVisible(p.getInt(section, "StatusBarVisible", 1) != 0);
    if (peer())
        peer()->restoreBarLayout(p.getString(section, "Layout"));
}

void MainFrame::saveBarState(const std::string& section) const {
    auto& p = profile::Profile::user();
    for (const Toolbar& tb : m_Toolbars)
        p.writeInt(section, "Bar" + std::to_string(tb.id) + "Visible", isToolbarVisible(tb.id) ? 1 : 0);
    p.writeInt(section, "StatusBarVisible", m_StatusBar.isVisible() ? 1 : 0);
    if (peer()) {
        std::string layout = peer()->barLayout();
        if (!layout.empty())
            p.writeString(section, "Layout", layout);
    }
}

void MainFrame::addChild(ChildFrame* f) {
    if (std::find(m_Children.begin(), m_Children.end(), f) == m_Children.end())
        m_Children.push_back(f);
}

void MainFrame::removeChild(ChildFrame* f) {
    std::erase(m_Children, f);
    if (m_Active == f) {
        m_Active = nullptr;
        if (!m_Children.empty())
            m_Children.back()->activateFrame();
        else if (peer())
            peer()->menuChanged();
    }
}

void MainFrame::activateChild(ChildFrame* f) {
    if (f == m_Active || (f && f->isDestroyed()))
        return;
    ChildFrame* old = m_Active;
    m_Active = f;
    View* oldView = old ? old->activeView() : nullptr;
    View* newView = f ? f->activeView() : nullptr;
    if (f && f->peer())
        f->peer()->activate();
    if (oldView)
        oldView->onActivateView(false, newView, oldView);
    if (newView)
        newView->onActivateView(true, newView, oldView);
    if (peer())
        peer()->menuChanged();
}

void MainFrame::activateNextChild(int step) {
    const std::vector<ChildFrame*> shown = shownChildren();
    if (shown.empty())
        return;
    const int n = static_cast<int>(shown.size());
    auto it = std::find(shown.begin(), shown.end(), m_Active);
    // Without an active window, the first step lands on the first window (or the last, back).
    const int from = it == shown.end() ? (step > 0 ? -1 : 0) : static_cast<int>(it - shown.begin());
    ChildFrame* next = shown[static_cast<std::size_t>(((from + step) % n + n) % n)];
    if (next != m_Active)
        next->activateFrame();
}

bool MainFrame::isWindowKey(int vk, unsigned mods) {
    return (vk == VK_F6 || vk == VK_TAB) && (mods == ModCtrl || mods == (ModCtrl | ModShift));
}

bool MainFrame::translateWindowKey(int vk, unsigned mods) {
    if (!isWindowKey(vk, mods))
        return false;
    activateNextChild(mods & ModShift ? -1 : 1);
    return true;
}

std::vector<ChildFrame*> MainFrame::shownChildren() const {
    std::vector<ChildFrame*> out;
    for (ChildFrame* f : m_Children)
        if (f->isVisible() && !f->isDestroyed())
            out.push_back(f);
    return out;
}

std::vector<ChildFrame*> MainFrame::windowListChildren() const {
    constexpr std::size_t kListed = cmd::WindowChildLast - cmd::WindowChildFirst + 1;
    std::vector<ChildFrame*> out = shownChildren();
    if (out.size() > kListed)
        out.resize(kListed);
    return out;
}

std::string MainFrame::windowListText(std::size_t index, const std::string& title) {
    // An "&" of the title is doubled, so the menu shows it instead of taking it as a mnemonic.
    std::string shown;
    for (char c : title) {
        shown += c;
        if (c == '&')
            shown += '&';
    }
    return "&" + std::to_string(index + 1) + " " + shown;
}

Rect MainFrame::nextChildRect() const {
    Rect c = clientRect();
    int n = static_cast<int>(m_Children.size());
    int step = 24;
    int w = std::max(200, c.width() * 3 / 4), h = std::max(150, c.height() * 3 / 4);
    int k = c.height() > h ? (n % std::max(1, (c.height() - h) / step + 1)) : 0;
    return Rect::fromSize(k * step, k * step, w, h);
}

void MainFrame::tileHorizontally() {
    std::vector<ChildFrame*> shown;
    for (ChildFrame* f : m_Children)
        if (f->isVisible())
            shown.push_back(f);
    if (shown.empty())
        return;
    Rect c = clientRect();
    int n = static_cast<int>(shown.size());
    // The active window first, as the window manager stacks them.
    if (m_Active) {
        auto it = std::find(shown.begin(), shown.end(), m_Active);
        if (it != shown.end())
            std::rotate(shown.begin(), it, it + 1);
    }
    for (int i = 0; i < n; ++i)
        shown[i]->setGeometry({c.left, c.top + c.height() * i / n, c.right, c.top + c.height() * (i + 1) / n});
}

void MainFrame::cascade() {
    Rect c = clientRect();
    int step = 24, i = 0;
    int w = std::max(200, c.width() * 3 / 4), h = std::max(150, c.height() * 3 / 4);
    for (ChildFrame* f : m_Children)
        if (f->isVisible()) {
            f->setGeometry(Rect::fromSize(i * step, i * step, w, h));
            ++i;
        }
    if (m_Active && m_Active->peer())
        m_Active->peer()->activate();
}

void MainFrame::dispatchDropFiles(const std::vector<std::filesystem::path>& files) {
    if (m_AcceptFiles && !files.empty())
        onDropFiles(files);
}

void MainFrame::onDropFiles(const std::vector<std::filesystem::path>& files) {
    if (App* a = App::instance())
        for (const auto& f : files)
            a->openDocumentFile(f);
}

FindDialog* MainFrame::showFindDialog(const std::string& initialCp932) {
    if (!m_Find || m_Find->isDestroyed()) {
        m_Find = std::make_unique<FindDialog>();
        m_Find->m_FindWhat = initialCp932;
        if (!m_Find->createModeless(this))
            return nullptr;
    }
    m_Find->show(true);
    m_Find->gotoControl(FindDialog::kFindWhat);
    return m_Find.get();
}

FindDialog* MainFrame::findDialog() const { return m_Find && !m_Find->isDestroyed() ? m_Find.get() : nullptr; }

void MainFrame::postClose() {
    backend().post([this] { dispatchClose(); });
}

void MainFrame::onClose() {
    App* a = App::instance();
    if (a && !a->saveAllModified())
        return;
    if (a)
        a->closeAllDocuments();
    if (m_Find)
        m_Find->destroyWindow();
    destroyWindow();
    if (a)
        a->quit(0);
}

bool MainFrame::onCommand(int id) {
    if (Window::onCommand(id))
        return true;
    switch (id) {
    case cmd::WindowTileHorz: tileHorizontally(); return true;
    case cmd::WindowCascade: cascade(); return true;
    case cmd::WindowArrange: arrangeIcons(); return true;
    case cmd::WindowNew:
        if (m_Active && m_Active->document() && m_Active->docTemplate()) {
            Document* doc = m_Active->document();
            if (ChildFrame* f = m_Active->docTemplate()->createNewFrame(doc)) {
                m_Active->docTemplate()->initialUpdateFrame(f, doc, true);
                for (ChildFrame* other : doc->frames())
                    other->updateTitle();
            }
        }
        return true;
    case cmd::ViewToolbar:
        for (const Toolbar& tb : m_Toolbars)
            showToolbar(tb.id, !isToolbarVisible(tb.id));
        return true;
    case cmd::ViewStatusBar: m_StatusBar.setVisible(!m_StatusBar.isVisible()); return true;
    default: break;
    }
    if (id >= cmd::WindowChildFirst && id <= cmd::WindowChildLast) {
        const std::vector<ChildFrame*> listed = windowListChildren();
        const auto i = static_cast<std::size_t>(id - cmd::WindowChildFirst);
        if (i < listed.size())
            listed[i]->activateFrame();
        return true;
    }
    return false;
}

bool MainFrame::onUpdateCommand(int id, CommandState& state) {
    if (Window::onUpdateCommand(id, state))
        return true;
    if (id == cmd::ViewToolbar && !m_Toolbars.empty()) {
        state.setCheck(isToolbarVisible(m_Toolbars.front().id));
        return true;
    }
    if (id == cmd::ViewStatusBar) {
        state.setCheck(m_StatusBar.isVisible());
        return true;
    }
    if (id == cmd::WindowNew) {
        state.enable(m_Active != nullptr);
        return true;
    }
    if (id >= cmd::WindowChildFirst && id <= cmd::WindowChildLast) {
        const std::vector<ChildFrame*> listed = windowListChildren();
        const auto i = static_cast<std::size_t>(id - cmd::WindowChildFirst);
        state.enable(i < listed.size());
        state.setCheck(i < listed.size() && listed[i] == m_Active);
        return true;
    }
    return false;
}

bool MainFrame::handlesCommand(int id) const {
    switch (id) {
    case cmd::WindowTileHorz: case cmd::WindowCascade: case cmd::WindowArrange: case cmd::WindowNew:
    case cmd::ViewToolbar: case cmd::ViewStatusBar: return true;
    default:
        if (id >= cmd::WindowChildFirst && id <= cmd::WindowChildLast)
            return static_cast<std::size_t>(id - cmd::WindowChildFirst) < windowListChildren().size();
        return Window::handlesCommand(id);
    }
}

} // namespace kiv::ui
