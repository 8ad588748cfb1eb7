#include "platform/qt/QtPeers.h"

#include "platform/qt/QtBackend.h"
#include "platform/qt/QtDc.h"
#include "platform/qt/QtKeys.h"
#include "platform/ui/App.h"
#include "platform/ui/Frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTimer>
#include <QToolBar>

namespace kiv::qt {

using ui::Window;
using ui::WindowKind;

namespace {

// The command id a toolbar button carries, for its prompt.
constexpr const char* kCommandProperty = "kivCommand";

QWidget* containerOf(Window* w) {
    if (!w || !w->peer())
        return nullptr;
    return static_cast<QtPeerBase*>(w->peer())->container();
}

unsigned mouseFlags(Qt::MouseButtons b, Qt::KeyboardModifiers m) {
    unsigned f = 0;
    if (b & Qt::LeftButton)
        f |= ui::MK_LBUTTON;
    if (b & Qt::RightButton)
        f |= ui::MK_RBUTTON;
    if (m & Qt::ShiftModifier)
        f |= ui::MK_SHIFT;
    if (m & Qt::ControlModifier)
        f |= ui::MK_CONTROL;
    return f;
}

ui::Point pointOf(const QPointF& p) { return {static_cast<int>(p.x()), static_cast<int>(p.y())}; }

void collectLater() {
    if (QtBackend* b = qtBackend())
        b->scheduleCollect();
}

// The widget of a view: the surface and its scroll bars.
// A status-bar pane: as wide as its sizing text when there is room; in a narrow window the panes
// share what is left and clip their texts, instead of being laid over one another.
class PaneLabel : public QLabel {
public:
    PaneLabel(QWidget* parent, const QString& sizing)
        : QLabel(parent), m_Width(fontMetrics().horizontalAdvance(sizing) + 8) {
        setMinimumWidth(8);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    }
    QSize sizeHint() const override { return {m_Width, QLabel::sizeHint().height()}; }

private:
    int m_Width;
};

class ViewFrame : public QWidget {
public:
    ViewFrame(SurfacePeer* peer, QWidget* parent) : QWidget(parent), m_Peer(peer) {}
    void detach() { m_Peer = nullptr; }

protected:
    void resizeEvent(QResizeEvent*) override {
        if (m_Peer)
            m_Peer->layoutBars();
    }

private:
    SurfacePeer* m_Peer;
};

} // namespace

// ---- Surface

Surface::Surface(SurfacePeer* peer, QWidget* parent) : QWidget(parent), m_Peer(peer) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled, true);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
}

void Surface::resizeImage(QSize s, QColor background) {
    if (s.isEmpty() || s == m_Image.size())
        return;
    QImage next(s, QImage::Format_RGB32);
    next.fill(background);
    if (!m_Image.isNull()) {
        QPainter p(&next);
        p.drawImage(0, 0, m_Image);
    }
    m_Image = std::move(next);
}

void Surface::paintEvent(QPaintEvent*) {
    if (m_Peer) {
        Window& w = m_Peer->window();
        w.dispatchPaint();
    }
    QPainter p(this);
    p.drawImage(0, 0, m_Image);
    if (!m_Peer)
        return;
    const ui::Caret& c = m_Peer->window().caret();
    if (c.exists && c.visible && hasFocus() && m_CaretOn) {
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.fillRect(QRect(c.pos.x, c.pos.y, std::max(1, c.width), std::max(1, c.height)), Qt::white);
    }
}

void Surface::resizeEvent(QResizeEvent*) {
    if (m_Peer)
        m_Peer->surfaceResized(size());
}

void Surface::keyPressEvent(QKeyEvent* e) {
    if (!m_Peer)
        return;
    int vk = virtualKeyOf(e->key(), e->modifiers());
    unsigned mods = keyModsOf(e->modifiers());
    if (vk == ui::VK_CAPITAL || vk == ui::VK_NUMLOCK || vk == ui::VK_SCROLL || vk == ui::VK_KANA)
        if (QtBackend* b = qtBackend())
            b->toggleLock(vk);
    Window* w = &m_Peer->window();
    bool consumed = vk != 0 && w->dispatchKeyDown(vk, mods, 1);
    if (!consumed && m_Peer) {
        // The characters a key types, as a multibyte window receives them.
        int ch = 0;
        switch (e->key()) {
        case Qt::Key_Backspace: ch = 8; break;
        case Qt::Key_Tab: ch = 9; break;
        case Qt::Key_Return: case Qt::Key_Enter: ch = 13; break;
        case Qt::Key_Escape: ch = 27; break;
        default: break;
        }
        if (ch)
            w->dispatchChar(static_cast<unsigned char>(ch));
        else if (!(mods & (ui::ModCtrl | ui::ModAlt)) && !e->text().isEmpty() && e->text()[0].isPrint())
            w->dispatchText(e->text().toStdString());
    }
    collectLater();
}

void Surface::keyReleaseEvent(QKeyEvent* e) {
    if (!m_Peer || e->isAutoRepeat())
        return;
    int vk = virtualKeyOf(e->key(), e->modifiers());
    if (vk)
        m_Peer->window().dispatchKeyUp(vk, keyModsOf(e->modifiers()));
    collectLater();
}

void Surface::inputMethodEvent(QInputMethodEvent* e) {
    if (m_Peer && !e->commitString().isEmpty())
        m_Peer->window().dispatchText(e->commitString().toStdString());
    e->accept();
    collectLater();
}

QVariant Surface::inputMethodQuery(Qt::InputMethodQuery q) const {
    if (m_Peer) {
        const ui::Caret& c = m_Peer->window().caret();
        if (q == Qt::ImCursorRectangle)
            return QRect(c.pos.x, c.pos.y, std::max(1, c.width), std::max(1, c.height));
        if (q == Qt::ImEnabled)
            return m_Peer->window().imeOpen();
    }
    return QWidget::inputMethodQuery(q);
}

void Surface::mousePressEvent(QMouseEvent* e) {
    if (!m_Peer)
        return;
    if (focusPolicy() != Qt::NoFocus && !hasFocus())
        setFocus(Qt::MouseFocusReason);
    unsigned f = mouseFlags(e->buttons(), e->modifiers());
    if (e->button() == Qt::LeftButton)
        m_Peer->window().dispatchMouse(ui::MouseEvent::LButtonDown, pointOf(e->position()), f);
    else if (e->button() == Qt::RightButton)
        m_Peer->window().dispatchMouse(ui::MouseEvent::RButtonDown, pointOf(e->position()), f);
    collectLater();
}

void Surface::mouseReleaseEvent(QMouseEvent* e) {
    if (!m_Peer)
        return;
    unsigned f = mouseFlags(e->buttons(), e->modifiers());
    if (e->button() == Qt::LeftButton)
        m_Peer->window().dispatchMouse(ui::MouseEvent::LButtonUp, pointOf(e->position()), f);
    collectLater();
}

void Surface::mouseDoubleClickEvent(QMouseEvent* e) {
    if (!m_Peer)
        return;
    unsigned f = mouseFlags(e->buttons(), e->modifiers());
    if (e->button() == Qt::LeftButton)
        m_Peer->window().dispatchMouse(ui::MouseEvent::LButtonDblClk, pointOf(e->position()), f);
    else if (e->button() == Qt::RightButton)
        m_Peer->window().dispatchMouse(ui::MouseEvent::RButtonDown, pointOf(e->position()), f);
    collectLater();
}

void Surface::mouseMoveEvent(QMouseEvent* e) {
    if (m_Peer)
        m_Peer->window().dispatchMouse(ui::MouseEvent::Move, pointOf(e->position()), mouseFlags(e->buttons(), e->modifiers()));
}

void Surface::wheelEvent(QWheelEvent* e) {
    if (m_Peer && e->angleDelta().y() != 0)
        m_Peer->window().dispatchWheel(e->angleDelta().y(), pointOf(e->position()));
    e->accept();
    collectLater();
}

void Surface::focusInEvent(QFocusEvent* e) {
    if (m_Peer && e->reason() != Qt::PopupFocusReason)
        m_Peer->window().dispatchFocus(true);
    if (!m_BlinkTimer)
        m_BlinkTimer = startTimer(530);
    update();
}

void Surface::focusOutEvent(QFocusEvent* e) {
    if (m_Peer && e->reason() != Qt::PopupFocusReason)
        m_Peer->window().dispatchFocus(false);
    update();
}

void Surface::timerEvent(QTimerEvent* e) {
    if (e->timerId() == m_BlinkTimer) {
        if (!hasFocus()) {
            killTimer(m_BlinkTimer);
            m_BlinkTimer = 0;
            m_CaretOn = true;
            return;
        }
        m_CaretOn = !m_CaretOn;
        if (m_Peer && m_Peer->window().caret().visible) {
            const ui::Caret& c = m_Peer->window().caret();
            update(QRect(c.pos.x, c.pos.y, std::max(1, c.width), std::max(1, c.height)));
        }
        return;
    }
    if (m_Peer)
        m_Peer->timerFired(e->timerId());
    collectLater();
}

// ---- SurfacePeer

SurfacePeer::SurfacePeer(Window& w, QWidget* parent) : m_Window(w) {
    switch (w.kind()) {
    case WindowKind::ChildFrame: {
        m_Sub = new MdiChild(w);
        m_Sub->setAttribute(Qt::WA_DeleteOnClose, false);
        m_Surface = new Surface(this, nullptr);
        m_Surface->setFocusPolicy(Qt::NoFocus);
        m_Sub->setWidget(m_Surface);
        if (auto* area = qobject_cast<QMdiArea*>(parent))
            area->addSubWindow(m_Sub);
        m_Sub->hide();
        break;
    }
    case WindowKind::View: {
        auto* frame = new ViewFrame(this, parent);
        m_Frame = frame;
        m_Surface = new Surface(this, frame);
        m_HBar = new QScrollBar(Qt::Horizontal, frame);
        m_VBar = new QScrollBar(Qt::Vertical, frame);
        m_HBar->hide();
        m_VBar->hide();
        for (QScrollBar* bar : {m_HBar.data(), m_VBar.data()}) {
            int id = bar == m_HBar ? ui::SB_HORZ : ui::SB_VERT;
            QObject::connect(bar, &QScrollBar::actionTriggered, bar, [this, id](int action) { scrollAction(id, action); });
            QObject::connect(bar, &QScrollBar::sliderReleased, bar, [this, id, bar] {
                m_Window.dispatchScroll(id, ui::SB_THUMBPOSITION, bar->sliderPosition());
                scrollBarsChanged();
                collectLater();
            });
            QObject::connect(bar, &QScrollBar::valueChanged, bar, [this, bar](int) {
                // The window decides the position; the bar only shows it.
                if (!m_Syncing && !bar->isSliderDown())
                    QTimer::singleShot(0, bar, [this] { scrollBarsChanged(); });
            });
        }
        frame->show();
        break;
    }
    default:
        m_Surface = new Surface(this, parent);
        m_Surface->setFocusPolicy(Qt::NoFocus);
        break;
    }
    m_Surface->resizeImage(QSize(std::max(1, w.clientRect().width()), std::max(1, w.clientRect().height())),
                           qtColor(w.backgroundColor()));
}

SurfacePeer::~SurfacePeer() {
    // The widgets may be inside one of their own event handlers: detach and delete them later.
    if (m_Surface) {
        m_Surface->detach();
        for (auto& [qid, id] : m_TimerIds)
            m_Surface->killTimer(qid);
    }
    if (m_Sub)
        m_Sub->detach();
    if (auto* f = dynamic_cast<ViewFrame*>(m_Frame.data()))
        f->detach();
    if (m_HBar)
        m_HBar->disconnect();
    if (m_VBar)
        m_VBar->disconnect();
    QWidget* o = outer();
    if (o) {
        o->hide();
        if (m_Sub) {
            if (auto* area = m_Sub->mdiArea())
                area->removeSubWindow(m_Sub);
        }
        o->deleteLater();
    }
}

QWidget* SurfacePeer::outer() const {
    if (m_Sub)
        return m_Sub;
    if (m_Frame)
        return m_Frame;
    return m_Surface;
}

void SurfacePeer::setGeometry(const ui::Rect& r) {
    QWidget* o = outer();
    if (!o)
        return;
    o->setGeometry(r.left, r.top, r.width(), r.height());
    if (m_Frame)
        layoutBars();
    QSize client = m_Surface->size();
    if (m_Sub && !m_Sub->isVisible()) {
        // A hidden document window is laid out when shown; until then its client area is the
        // window less its frame and title bar.
        QStyleOptionTitleBar opt;
        opt.initFrom(m_Sub);
        int title = m_Sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, &opt, m_Sub);
        int border = m_Sub->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, m_Sub);
        client = QSize(std::max(0, r.width() - 2 * border), std::max(0, r.height() - title - border));
    }
    surfaceResized(client);
}

void SurfacePeer::layoutBars() {
    if (!m_Frame || !m_Surface)
        return;
    int w = m_Frame->width(), h = m_Frame->height();
    const ui::ScrollBar& hs = m_Window.scrollBar(ui::SB_HORZ);
    const ui::ScrollBar& vs = m_Window.scrollBar(ui::SB_VERT);
    int vw = vs.shown ? m_VBar->sizeHint().width() : 0;
    int hh = hs.shown ? m_HBar->sizeHint().height() : 0;
    m_Surface->setGeometry(0, 0, std::max(0, w - vw), std::max(0, h - hh));
    m_VBar->setVisible(vs.shown);
    m_HBar->setVisible(hs.shown);
    if (vs.shown)
        m_VBar->setGeometry(w - vw, 0, vw, std::max(0, h - hh));
    if (hs.shown)
        m_HBar->setGeometry(0, h - hh, std::max(0, w - vw), hh);
    surfaceResized(m_Surface->size());
}

void SurfacePeer::surfaceResized(QSize s) {
    if (!m_Surface)
        return;
    m_Surface->resizeImage(s, qtColor(m_Window.backgroundColor()));
    m_Window.dispatchSize({s.width(), s.height()});
}

void SurfacePeer::setVisible(bool on) {
    if (QWidget* o = outer())
        o->setVisible(on);
    if (m_Sub && on)
        surfaceResized(m_Surface->size());
}

void SurfacePeer::setFocus() {
    if (m_Surface && m_Surface->focusPolicy() != Qt::NoFocus) {
        m_Surface->setFocus(Qt::OtherFocusReason);
        // A window that is not active gets the focus when it is; the layer sees it at once.
        if (!m_Surface->hasFocus())
            m_Window.dispatchFocus(true);
    }
}

void SurfacePeer::setTitle(const std::string& utf8) {
    if (m_Sub)
        m_Sub->setWindowTitle(QString::fromStdString(utf8));
}

void SurfacePeer::activate() {
    if (m_Sub && m_Sub->mdiArea() && m_Sub->mdiArea()->activeSubWindow() != m_Sub)
        m_Sub->mdiArea()->setActiveSubWindow(m_Sub);
}

void SurfacePeer::invalidated() {
    if (m_Surface)
        m_Surface->update();
}

std::unique_ptr<ui::Dc> SurfacePeer::surfaceDc(const ui::Region* clip) {
    if (!m_Surface || m_Surface->image().isNull())
        return nullptr;
    QPointer<Surface> s = m_Surface;
    return std::make_unique<QtDc>(&m_Surface->image(), clip, [s] {
        if (s)
            s->update();
    });
}

void SurfacePeer::scrollSurface(int dx, int dy, const ui::Rect& r) {
    if (!m_Surface)
        return;
    QImage& img = m_Surface->image();
    QRect area(r.left, r.top, r.width(), r.height());
    QImage part = img.copy(area);
    QPainter p(&img);
    p.setClipRect(area);
    p.drawImage(area.topLeft() + QPoint(dx, dy), part);
}

void SurfacePeer::surfaceChanged() {
    if (m_Surface)
        m_Surface->update();
}

void SurfacePeer::caretChanged() {
    if (m_Surface) {
        m_Surface->m_CaretOn = true;
        m_Surface->update();
    }
}

void SurfacePeer::scrollBarsChanged() {
    if (!m_Frame)
        return;
    m_Syncing = true;
    for (int id : {ui::SB_HORZ, ui::SB_VERT}) {
        QScrollBar* bar = id == ui::SB_HORZ ? m_HBar.data() : m_VBar.data();
        const ui::ScrollBar& s = m_Window.scrollBar(id);
        bar->setRange(s.min, s.max);
        bar->setPageStep(std::max(1, (s.max - s.min) / 10));
        bar->setEnabled(s.max > s.min);
        if (!bar->isSliderDown())
            bar->setValue(s.pos);
    }
    m_Syncing = false;
    bool hShown = m_HBar->isVisibleTo(m_Frame), vShown = m_VBar->isVisibleTo(m_Frame);
    if (hShown != m_Window.scrollBar(ui::SB_HORZ).shown || vShown != m_Window.scrollBar(ui::SB_VERT).shown)
        layoutBars();
}

void SurfacePeer::scrollAction(int bar, int action) {
    if (m_Syncing)
        return;
    QScrollBar* sb = bar == ui::SB_HORZ ? m_HBar.data() : m_VBar.data();
    int code = -1;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: code = ui::SB_LINEDOWN; break;
    case QAbstractSlider::SliderSingleStepSub: code = ui::SB_LINEUP; break;
    case QAbstractSlider::SliderPageStepAdd: code = ui::SB_PAGEDOWN; break;
    case QAbstractSlider::SliderPageStepSub: code = ui::SB_PAGEUP; break;
    case QAbstractSlider::SliderToMinimum: code = ui::SB_TOP; break;
    case QAbstractSlider::SliderToMaximum: code = ui::SB_BOTTOM; break;
    case QAbstractSlider::SliderMove: code = ui::SB_THUMBTRACK; break;
    default: break;
    }
    if (code >= 0)
        m_Window.dispatchScroll(bar, code, sb->sliderPosition());
    collectLater();
}

void SurfacePeer::timerChanged(int id, int intervalMs) {
    if (!m_Surface)
        return;
    for (auto it = m_TimerIds.begin(); it != m_TimerIds.end(); ++it)
        if (it->second == id) {
            m_Surface->killTimer(it->first);
            m_TimerIds.erase(it);
            break;
        }
    if (intervalMs > 0)
        m_TimerIds[m_Surface->startTimer(intervalMs)] = id;
}

void SurfacePeer::timerFired(int qtTimerId) {
    auto it = m_TimerIds.find(qtTimerId);
    if (it != m_TimerIds.end())
        m_Window.dispatchTimer(it->second);
}

void SurfacePeer::imeChanged() {
    if (!m_Surface)
        return;
    m_Surface->setAttribute(Qt::WA_InputMethodEnabled, m_Window.imeOpen());
    if (m_Surface->hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImEnabled);
}

namespace {

// A maximised document window keeps its own title bar. Otherwise Qt puts its buttons into the
// menu bar and writes "main title - [window title]" into the main window's title from a copy it
// took when the window was maximised, which goes stale as documents open, switch and close; the
// main window's title is the layer's ("Kiv - active document").
class KeepTitleBarStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* ret) const override {
        if (hint == SH_Workspace_FillSpaceOnMaximize)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, ret);
    }
};

} // namespace

MdiChild::MdiChild(ui::Window& w) : m_Window(&w) {
    auto* style = new KeepTitleBarStyle;
    style->setParent(this);
    setStyle(style);
}

void MdiChild::closeEvent(QCloseEvent* e) {
    e->ignore();
    if (m_Window)
        m_Window->dispatchClose();
    collectLater();
}

// ---- MainWindow

class MainWindow : public QMainWindow {
public:
    explicit MainWindow(ui::MainFrame& frame) : m_Frame(&frame) {
        m_Mdi = new QMdiArea(this);
        m_Mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_Mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_Mdi->setBackground(qtColor(frame.backgroundColor()));
        setCentralWidget(m_Mdi);
        m_Mdi->viewport()->installEventFilter(this);
        setAcceptDrops(true);
        QObject::connect(m_Mdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* s) {
            auto* child = dynamic_cast<MdiChild*>(s);
            if (!m_Frame || !child || !child->window())
                return;
            auto* cf = static_cast<ui::ChildFrame*>(child->window());
            m_Frame->activateChild(cf);
            if (cf->activeView() && !cf->activeView()->hasFocus())
                cf->activeView()->setFocus();
        });
        // The menu bar's command items (and its popups, which show the idle text) say what the
        // message pane shows while they are highlighted.
        QObject::connect(menuBar(), &QMenuBar::hovered, this, [this](QAction* a) {
            if (m_Frame)
                m_Frame->dispatchCommandHighlight(a ? a->data().toInt() : 0);
        });
        menuBar()->installEventFilter(this);
        m_Idle = new QTimer(this);
        QObject::connect(m_Idle, &QTimer::timeout, this, [this] { idleUpdate(); });
        m_Idle->start(250);
    }
    void detach() { m_Frame = nullptr; }
    QMdiArea* mdi() const { return m_Mdi; }

    void rebuildMenu() {
        if (!m_Frame)
            return;
        menuBar()->clear();
        const ui::Menu* menu = m_Frame->currentMenu();
        if (!menu)
            return;
        for (const ui::MenuItem& top : menu->bar) {
            if (top.isPopup()) {
                QMenu* m = menuBar()->addMenu(QString::fromStdString(top.text));
                ui::MenuItem copy = top;
                QObject::connect(m, &QMenu::aboutToShow, m, [this, m, copy] { fill(m, copy); });
                watchPrompts(m);
                fill(m, top);
            } else if (top.id != 0) {
                QAction* a = menuBar()->addAction(QString::fromStdString(top.text));
                int id = top.id;
                a->setData(id);
                QObject::connect(a, &QAction::triggered, this, [id] { runCommand(id); });
            }
        }
    }

    void rebuildBars() {
        if (!m_Frame)
            return;
        // The bars are made anew from the frame's tables; where they stood is kept across, as
        // long as the set of bars is the same.
        std::vector<int> ids;
        for (const ui::Toolbar& t : m_Frame->toolbars())
            ids.push_back(t.id);
        QByteArray layout = !m_Bars.empty() && ids == m_BarIds ? saveState() : QByteArray();
        m_BarIds = ids;
        for (QToolBar* tb : m_Bars)
            delete tb;
        m_Bars.clear();
        m_BarActions.clear();
        for (const ui::Toolbar& t : m_Frame->toolbars()) {
            // Each bar on a row of its own, so that a wide bar never hides the next in its overflow.
            if (!m_Bars.empty())
                addToolBarBreak();
            QToolBar* tb = addToolBar(QString::number(t.id));
            tb->setObjectName(QString("toolbar%1").arg(t.id));
            tb->setToolButtonStyle(Qt::ToolButtonTextOnly);
            for (const ui::ToolButton& b : t.buttons) {
                if (b.id == 0) {
                    tb->addSeparator();
                    continue;
                }
                QAction* a = tb->addAction(QString::fromStdString(b.tip));
                a->setToolTip(QString::fromStdString(m_Frame->toolTip(b)));
                int id = b.id;
                QObject::connect(a, &QAction::triggered, this, [id] { runCommand(id); });
                m_BarActions.push_back({a, id});
                // The button's prompt shows while the pointer rests on it.
                if (QWidget* button = tb->widgetForAction(a)) {
                    button->setProperty(kCommandProperty, id);
                    button->installEventFilter(this);
                }
            }
            m_Bars.push_back(tb);
        }
        if (!layout.isEmpty())
            restoreState(layout);
        for (std::size_t i = 0; i < m_Bars.size(); ++i)
            m_Bars[i]->setVisible(m_Frame->isToolbarVisible(m_Frame->toolbars()[i].id));
        statusBar()->setVisible(m_Frame->statusBar().isVisible());
    }

    void updateStatus() {
        if (!m_Frame)
            return;
        const auto& inds = m_Frame->statusBar().indicators();
        if (m_Labels.size() != inds.size()) {
            for (QLabel* l : m_Labels)
                delete l;
            m_Labels.clear();
            for (std::size_t i = 0; i < inds.size(); ++i) {
                QLabel* l = nullptr;
                if (i == 0 || inds[i].id == 0) {
                    // The message pane keeps room for the start of a prompt however narrow the
                    // window.
                    l = new QLabel(statusBar());
                    l->setMinimumWidth(160);
                    statusBar()->addWidget(l, 1);
                } else {
                    l = new PaneLabel(statusBar(), QString::fromStdString(inds[i].sizing));
                    statusBar()->addPermanentWidget(l);
                }
                m_Labels.push_back(l);
            }
        }
        for (std::size_t i = 0; i < inds.size(); ++i)
            m_Labels[i]->setText(QString::fromStdString(m_Frame->statusBar().paneText(static_cast<int>(i))));
    }

    void updateTitle(const std::string& title) {
        QString t = QString::fromStdString(title);
        if (m_Frame && m_Frame->activeChild() && !m_Frame->activeChild()->title().empty())
            t += " - " + QString::fromStdString(m_Frame->activeChild()->title());
        setWindowTitle(t);
    }

protected:
    void closeEvent(QCloseEvent* e) override {
        e->ignore();
        if (m_Frame)
            m_Frame->dispatchClose();
        collectLater();
    }
    void dragEnterEvent(QDragEnterEvent* e) override {
        if (m_Frame && m_Frame->acceptsFiles() && e->mimeData()->hasUrls())
            e->acceptProposedAction();
    }
    void dropEvent(QDropEvent* e) override {
        std::vector<std::filesystem::path> files;
        for (const QUrl& u : e->mimeData()->urls())
            if (u.isLocalFile())
                files.emplace_back(u.toLocalFile().toStdString());
        e->acceptProposedAction();
        if (m_Frame)
            m_Frame->dispatchDropFiles(files);
        collectLater();
    }
    void moveEvent(QMoveEvent* e) override {
        QMainWindow::moveEvent(e);
        reportPlacement();
    }
    void resizeEvent(QResizeEvent* e) override {
        QMainWindow::resizeEvent(e);
        reportPlacement();
    }
    // The placement kept in the profile is the restored rectangle: a minimised, maximised or
    // full-screen window keeps the last normal one.
    void reportPlacement() {
        if (!m_Frame || !isVisible() || (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
            return;
        QPoint p = pos();   // frame position, as move() takes it
        m_Frame->dispatchPlacement({p.x(), p.y(), p.x() + width(), p.y() + height()});
    }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (m_Frame && o == m_Mdi->viewport() && e->type() == QEvent::Resize)
            m_Frame->dispatchSize({m_Mdi->viewport()->width(), m_Mdi->viewport()->height()});
        // The item under the pointer in an open menu, greyed or not (a greyed item never becomes
        // the menu's active one, yet the user may want to know what it does).
        if (auto* menu = qobject_cast<QMenu*>(o); m_Frame && menu && e->type() == QEvent::MouseMove) {
            QAction* a = menu->actionAt(static_cast<QMouseEvent*>(e)->position().toPoint());
            m_Frame->dispatchCommandHighlight(a ? a->data().toInt() : 0);
        }
        if (m_Frame && (e->type() == QEvent::Enter || e->type() == QEvent::Leave)) {
            QVariant id = o->property(kCommandProperty);
            // A toolbar button under the pointer, or the pointer leaving the menu bar, whose own
            // command items keep their prompt only while highlighted and no menu has opened.
            if (id.isValid())
                m_Frame->dispatchCommandHighlight(e->type() == QEvent::Enter ? id.toInt() : 0);
            else if (o == menuBar() && e->type() == QEvent::Leave && !QApplication::activePopupWidget())
                m_Frame->dispatchCommandHighlight(0);   // a command item of the bar itself
        }
        return QMainWindow::eventFilter(o, e);
    }

private:
    static void runCommand(int id) {
        // After the menu has closed, as a command message arrives.
        QTimer::singleShot(0, [id] {
            if (ui::App* a = ui::App::instance())
                a->routeCommand(id);
            collectLater();
        });
    }

    // The highlighted item's prompt (by keyboard or pointer) shows in the message pane while the
    // menu is open; a popup or separator shows the idle text, and so does the closed menu.
    void watchPrompts(QMenu* m) {
        m->installEventFilter(this);
        QObject::connect(m, &QMenu::hovered, this, [this](QAction* a) {
            if (m_Frame)
                m_Frame->dispatchCommandHighlight(a ? a->data().toInt() : 0);
        });
        QObject::connect(m, &QMenu::aboutToHide, this, [this] {
            if (m_Frame)
                m_Frame->dispatchCommandHighlight(0);
        });
    }

    void fill(QMenu* m, const ui::MenuItem& popup) {
        m->clear();
        ui::App* app = ui::App::instance();
        if (!m_Frame)
            return;
        for (const ui::MenuItem& item : m_Frame->displayItems(popup)) {
            if (item.isSeparator()) {
                m->addSeparator();
            } else if (item.isPopup()) {
                QMenu* sub = m->addMenu(QString::fromStdString(item.text));
                watchPrompts(sub);
                fill(sub, item);
            } else {
                QAction* a = m->addAction(QString::fromStdString(item.text));
                if (app) {
                    ui::CommandState st = app->commandState(item.id);
                    a->setEnabled(st.enabled);
                    if (st.checked) {
                        a->setCheckable(true);
                        a->setChecked(true);
                    }
                }
                int id = item.id;
                a->setData(id);
                QObject::connect(a, &QAction::triggered, this, [id] { runCommand(id); });
            }
        }
    }

    void idleUpdate() {
        ui::App* app = ui::App::instance();
        if (!m_Frame || !app || QApplication::activeModalWidget())
            return;
        for (auto& [a, id] : m_BarActions)
            a->setEnabled(app->commandState(id).enabled);
        m_Frame->statusBar().refreshLockIndicators();
    }

    ui::MainFrame* m_Frame;
    QMdiArea* m_Mdi;
    QTimer* m_Idle;
    std::vector<QToolBar*> m_Bars;
    std::vector<int> m_BarIds;
    std::vector<std::pair<QAction*, int>> m_BarActions;
    std::vector<QLabel*> m_Labels;
};

// ---- MainFramePeer

MainFramePeer::MainFramePeer(ui::MainFrame& f) : m_Frame(f) {
    m_Window = new MainWindow(f);
    m_Title = f.title();
    m_Window->rebuildMenu();
    m_Window->updateTitle(m_Title);
}

MainFramePeer::~MainFramePeer() {
    if (m_Window) {
        m_Window->detach();
        m_Window->hide();
        m_Window->deleteLater();
    }
}

void MainFramePeer::setGeometry(const ui::Rect& r) {
    if (!m_Window)
        return;
    m_Window->resize(r.width(), r.height());
    m_Window->move(r.left, r.top);
    QWidget* vp = m_Window->mdi()->viewport();
    if (m_Window->isVisible())
        m_Frame.dispatchSize({vp->width(), vp->height()});
}

void MainFramePeer::setVisible(bool on) {
    if (!m_Window)
        return;
    m_Window->setVisible(on);
    if (on) {
        QWidget* vp = m_Window->mdi()->viewport();
        m_Frame.dispatchSize({vp->width(), vp->height()});
    }
}

void MainFramePeer::setFocus() {
    if (m_Window)
        m_Window->setFocus();
}

void MainFramePeer::setTitle(const std::string& utf8) {
    m_Title = utf8;
    if (m_Window)
        m_Window->updateTitle(m_Title);
}

void MainFramePeer::menuChanged() {
    if (m_Window) {
        m_Window->rebuildMenu();
        m_Window->updateTitle(m_Title);
    }
}

void MainFramePeer::barsChanged() {
    if (m_Window)
        m_Window->rebuildBars();
}

std::string MainFramePeer::barLayout() const {
    return m_Window ? m_Window->saveState().toBase64().toStdString() : std::string();
}

void MainFramePeer::restoreBarLayout(const std::string& layout) {
    if (!m_Window || layout.empty())
        return;
    m_Window->restoreState(QByteArray::fromBase64(QByteArray::fromStdString(layout)));
    m_Window->rebuildBars();   // the frame's own visibility of each bar wins
}

void MainFramePeer::statusChanged() {
    if (m_Window)
        m_Window->updateStatus();
}

QWidget* MainFramePeer::container() const { return m_Window ? m_Window->mdi() : nullptr; }
QWidget* MainFramePeer::outer() const { return m_Window; }
QMdiArea* MainFramePeer::mdiArea() const { return m_Window ? m_Window->mdi() : nullptr; }

std::unique_ptr<ui::WindowPeer> makePeer(Window& w) {
    if (w.kind() == WindowKind::MainFrame) {
        auto p = std::make_unique<MainFramePeer>(static_cast<ui::MainFrame&>(w));
        return p;
    }
    return std::make_unique<SurfacePeer>(w, containerOf(w.parent()));
}

} // namespace kiv::qt
