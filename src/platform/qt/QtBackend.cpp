#include "platform/qt/QtBackend.h"

#include "platform/qt/QtDc.h"
#include "platform/qt/QtDialog.h"
#include "platform/qt/QtKeys.h"
#include "platform/qt/QtPeers.h"
#include "platform/ui/App.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Frame.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <cmath>

namespace kiv::qt {

std::unique_ptr<ui::WindowPeer> makePeer(ui::Window& w);

namespace {
QtBackend* g_Qt = nullptr;

QWidget* ownerWidget(ui::Window* owner) {
    if (owner && owner->peer())
        if (QWidget* o = static_cast<QtPeerBase*>(owner->peer())->outer())
            return o->window();
    if (ui::App* a = ui::App::instance(); a && a->mainFrame() && a->mainFrame()->peer())
        return static_cast<QtPeerBase*>(a->mainFrame()->peer())->outer();
    return nullptr;
}

} // namespace

QtBackend* qtBackend() { return g_Qt; }

QWidget* QtBackend::dialogOwner(ui::Window* owner) { return ownerWidget(owner); }

QtBackend::QtBackend() {
    g_Qt = this;
    if (qApp)
        qApp->installEventFilter(this);
}

QtBackend::~QtBackend() {
    if (qApp)
        qApp->removeEventFilter(this);
    if (g_Qt == this)
        g_Qt = nullptr;
    if (ui::hasBackend() && &ui::backend() == this)
        ui::setBackend(nullptr);
}

std::unique_ptr<ui::WindowPeer> QtBackend::createPeer(ui::Window& w) {
    if (w.kind() == ui::WindowKind::Dialog) {
        auto& d = static_cast<ui::Dialog&>(w);
        return std::make_unique<DialogPeer>(d, ownerWidget(d.owner()));
    }
    std::unique_ptr<ui::WindowPeer> peer = makePeer(w);
    if (w.kind() == ui::WindowKind::MainFrame || w.kind() == ui::WindowKind::ChildFrame)
        watchKeysFirst();   // after the document area and its windows have set theirs
    return peer;
}

int QtBackend::runModal(ui::Dialog& d) {
    auto* peer = static_cast<DialogPeer*>(d.peer());
    if (!peer || !peer->widget())
        return ui::IDCANCEL;
    // Qt applies a window's modality when it shows the window, and the dialog is shown (so that
    // its first-showing handler runs) before exec(): made modal only by exec(), it would leave
    // every other window of the program taking clicks while it runs.
    peer->widget()->setWindowModality(Qt::ApplicationModal);
    d.show(true);
    if (!d.isEnded())
        peer->widget()->exec();
    scheduleCollect();
    return d.result();
}

std::optional<ui::Font> QtBackend::fontDialog(const ui::Font& initial, ui::Window* owner) {
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, qtFontOf(initial), ownerWidget(owner), QString::fromUtf8("フォント"));
    if (!ok)
        return std::nullopt;
    ui::Font f;
    f.face = chosen.family().toStdString();
    double points = chosen.pointSizeF();
    // A logical font's height: minus the character height in pixels at 96 pixels per inch.
    f.height = points > 0 ? -static_cast<int>(std::lround(points * 96.0 / 72.0)) : -chosen.pixelSize();
    f.weight = chosen.bold() ? 700 : 400;
    f.italic = chosen.italic();
    f.underline = chosen.underline();
    return f;
}

void QtBackend::post(std::function<void()> task) {
    QMetaObject::invokeMethod(
        this,
        [this, task = std::move(task)] {
            task();
            scheduleCollect();
        },
        Qt::QueuedConnection);
}

void QtBackend::scheduleCollect() {
    if (m_CollectPending)
        return;
    m_CollectPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_CollectPending = false;
            ui::collectGarbage();
        },
        Qt::QueuedConnection);
}

int QtBackend::run() { return QApplication::exec(); }

void QtBackend::quit(int exitCode) { QCoreApplication::exit(exitCode); }

void QtBackend::setWaitCursor(bool on) {
    if (on == m_WaitCursor)
        return;
    m_WaitCursor = on;
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void QtBackend::toggleLock(int vk) {
    switch (vk) {
    case ui::VK_CAPITAL: m_Caps = !m_Caps; break;
    case ui::VK_NUMLOCK: m_Num = !m_Num; break;
    case ui::VK_SCROLL: m_Scroll = !m_Scroll; break;
    case ui::VK_KANA: m_Kana = !m_Kana; break;
    default: break;
    }
}

bool QtBackend::lockKeyOn(int vk) const {
    // Qt does not report the lock keys' state; it is followed from their presses.
    switch (vk) {
    case ui::VK_CAPITAL: return m_Caps;
    case ui::VK_NUMLOCK: return m_Num;
    case ui::VK_SCROLL: return m_Scroll;
    case ui::VK_KANA: return m_Kana;
    default: return false;
    }
}

ui::Rect QtBackend::desktopRect() const {
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        QRect r = s->availableGeometry();
        return ui::Rect::fromSize(r.x(), r.y(), r.width(), r.height());
    }
    return Backend::desktopRect();
}

QWidget* QtBackend::widgetOf(const ui::Window& w) {
    if (!w.peer())
        return nullptr;
    auto* p = static_cast<QtPeerBase*>(w.peer());
    return w.kind() == ui::WindowKind::View || w.kind() == ui::WindowKind::Splitter ? p->container() : p->outer();
}

void QtBackend::watchKeysFirst() {
    // Filters installed later run earlier: the document area installs its own, which would take
    // Ctrl+Tab for itself.
    if (qApp)
        qApp->installEventFilter(this);
}

bool QtBackend::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::KeyPress, release = event->type() == QEvent::KeyRelease;
    if ((press || release) && watched->isWidgetType() && !QApplication::activeModalWidget() &&
        !QApplication::activePopupWidget()) {
        ui::App* app = ui::App::instance();
        auto* widget = static_cast<QWidget*>(watched);
        if (app && app->mainFrame() && app->mainFrame()->peer() &&
            widget->window() == static_cast<QtPeerBase*>(app->mainFrame()->peer())->outer()) {
            auto* ke = static_cast<QKeyEvent*>(event);
            const int vk = virtualKeyOf(ke->key(), ke->modifiers());
            const unsigned mods = keyModsOf(ke->modifiers());
            // The frame's window-switch keys, wherever the focus is: neither their press nor their
            // release goes further. Other keys that reach the main window outside a view still
            // go through its accelerators.
            if (vk && press && (app->mainFrame()->isWindowKey(vk, mods) || !dynamic_cast<Surface*>(watched)) &&
                app->translateAccelerator(*app->mainFrame(), vk, mods)) {
                scheduleCollect();
                return true;
            }
            if (vk && release && !ke->isAutoRepeat() && app->takeFrameKeyUp(vk))
                return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

int QtBackend::messageBox(const ui::MessageBoxRequest& req) {
    QMessageBox box(ownerWidget(req.owner));
    box.setWindowTitle(QString::fromStdString(req.caption));
    box.setText(QString::fromStdString(req.text));
    switch (req.style & 0xF0) {
    case ui::MB_ICONSTOP: box.setIcon(QMessageBox::Critical); break;
    case ui::MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case ui::MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case ui::MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    std::vector<std::pair<QAbstractButton*, int>> buttons;
    auto add = [&](const char* text, QMessageBox::ButtonRole role, int id) {
        QPushButton* b = box.addButton(QString::fromUtf8(text), role);
        buttons.push_back({b, id});
        return b;
    };
    QAbstractButton* cancel = nullptr;
    switch (req.style & 0x0F) {
    case ui::MB_OKCANCEL:
        box.setDefaultButton(static_cast<QPushButton*>(add("OK", QMessageBox::AcceptRole, ui::IDOK)));
        cancel = add("キャンセル", QMessageBox::RejectRole, ui::IDCANCEL);
        break;
    case ui::MB_YESNO:
        box.setDefaultButton(static_cast<QPushButton*>(add("はい(&Y)", QMessageBox::YesRole, ui::IDYES)));
        add("いいえ(&N)", QMessageBox::NoRole, ui::IDNO);
        break;
    case ui::MB_YESNOCANCEL:
        box.setDefaultButton(static_cast<QPushButton*>(add("はい(&Y)", QMessageBox::YesRole, ui::IDYES)));
        add("いいえ(&N)", QMessageBox::NoRole, ui::IDNO);
        cancel = add("キャンセル", QMessageBox::RejectRole, ui::IDCANCEL);
        break;
    default:
        cancel = add("OK", QMessageBox::AcceptRole, ui::IDOK);
        box.setDefaultButton(static_cast<QPushButton*>(cancel));
        break;
    }
    if (cancel)
        box.setEscapeButton(cancel);
    if ((req.style & ui::MB_DEFBUTTON2) && buttons.size() >= 2)
        box.setDefaultButton(static_cast<QPushButton*>(buttons[1].first));
    box.exec();
    for (auto& [b, id] : buttons)
        if (box.clickedButton() == b)
            return id;
    return (req.style & 0x0F) == ui::MB_YESNO ? ui::IDNO : ui::IDCANCEL;
}

std::optional<std::filesystem::path> QtBackend::fileDialog(const ui::FileDialogRequest& req) {
    QFileDialog dlg(ownerWidget(req.owner));
    dlg.setAcceptMode(req.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dlg.setFileMode(req.open && (req.flags & ui::OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // The layer appends the default extension and asks before overwriting.
    dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    dlg.setOption(QFileDialog::HideNameFilterDetails, true);
    // Patterns match without regard to case; the dialog shows the descriptions only.
    QStringList filters;
    for (const ui::FileFilter& f : ui::parseFileFilter(req.filter)) {
        QStringList pats;
        for (const std::string& p : f.patterns)
            pats << QString::fromStdString(ui::caseInsensitivePattern(p));
        filters << QString::fromStdString(f.description) + " (" + pats.join(' ') + ")";
    }
    if (!filters.isEmpty())
        dlg.setNameFilters(filters);
    QString initial = QString::fromStdString(req.initialName);
    if (!initial.isEmpty() && !initial.contains('*'))
        dlg.selectFile(initial);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return std::nullopt;
    return std::filesystem::path(dlg.selectedFiles().front().toStdString());
}

} // namespace kiv::qt
