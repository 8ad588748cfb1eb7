#include "platform/qt/QtDialog.h"

#include "platform/qt/QtKeys.h"
#include "platform/text/Cp932.h"

#include <algorithm>
#include <QApplication>
#include <QFont>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTreeWidget>

namespace kiv::qt {

using ui::ControlKind;

namespace {

// A control's text with a stray byte keeps the rest of its text: only that byte is marked.
QString fromCp932(const std::string& s) { return QString::fromStdString(text::toUtf8(s)); }

// Characters that CP932 cannot hold are dropped, as they could not be typed into the control.
std::string toCp932Lossy(const QString& q) {
    std::string out;
    for (QChar c : q) {
        if (c.isSurrogate())
            continue;
        if (auto b = text::utf8ToCp932(QString(c).toStdString()))
            out += *b;
    }
    return out;
}

// Windows line breaks in the control's text, Qt's in the widget.
QString multilineOf(const std::string& cp932) { return fromCp932(cp932).replace("\r\n", "\n"); }
std::string multilineTo(const QString& q) {
    QString s = q;
    s.replace("\n", "\r\n");
    return toCp932Lossy(s);
}

QString labelText(const std::string& cp932) {
    QString s = fromCp932(cp932);
    QString out;
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] == '&') {
            if (i + 1 < s.size() && s[i + 1] == '&')
                out += '&', ++i;
            continue;
        }
        out += s[i];
    }
    return out;
}

Qt::Alignment qtAlign(ui::Align a) {
    switch (a) {
    case ui::Align::Right: return Qt::AlignRight | Qt::AlignVCenter;
    case ui::Align::Center: return Qt::AlignCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

} // namespace

void QtDialogWidget::reject() {
    if (m_Peer)
        m_Peer->dialog().dispatchClose();
}

void QtDialogWidget::closeEvent(QCloseEvent* e) {
    e->ignore();
    if (m_Peer)
        m_Peer->dialog().dispatchClose();
}

bool QtDialogWidget::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::KeyPress && m_Peer) {
        auto* ke = static_cast<QKeyEvent*>(e);
        int vk = virtualKeyOf(ke->key(), ke->modifiers());
        // Inside an open drop-down list the keys belong to the list.
        if (auto* combo = qobject_cast<QComboBox*>(o); combo && combo->view()->isVisible())
            return false;
        if (vk && m_Peer->dialog().handleKey(vk, keyModsOf(ke->modifiers())))
            return true;
    }
    return QDialog::eventFilter(o, e);
}

DialogPeer::DialogPeer(ui::Dialog& d, QWidget* owner) : m_Dialog(d) {
    m_Widget = new QtDialogWidget(this, owner);
    m_Widget->setWindowTitle(QString::fromStdString(d.title()));
    // Dialog units are laid out for a 12-pixel dialog font (a 6 x 13 pixel cell): captions sized
    // for it fit their controls only in a font of that size.
    QFont font = m_Widget->font();
    font.setPixelSize(12);
    m_Widget->setFont(font);
    m_Widget->installEventFilter(m_Widget);
    build();
    m_FocusConnection = QObject::connect(qApp, &QApplication::focusChanged, m_Widget, [this](QWidget*, QWidget* now) {
        if (int id = controlOf(now))
            m_Dialog.userFocus(id);
    });
}

DialogPeer::~DialogPeer() {
    QObject::disconnect(m_FocusConnection);
    if (m_Widget) {
        m_Widget->detach();
        for (auto& [id, w] : m_Widgets)
            if (w)
                w->disconnect();
        m_Widget->hide();
        m_Widget->deleteLater();
    }
}

int DialogPeer::controlOf(QWidget* w) const {
    for (; w && w != m_Widget; w = w->parentWidget())
        for (auto& [id, widget] : m_Widgets)
            if (widget == w)
                return id;
    return 0;
}

void DialogPeer::build() {
    for (const ui::Control& c : m_Dialog.controls()) {
        if (c.def.kind == ControlKind::Tree)
            continue;   // a window of the layer, created by the dialog
        QWidget* w = nullptr;
        switch (c.def.kind) {
        case ControlKind::Static: w = new QLabel(m_Widget); break;
        case ControlKind::Edit:
            if (c.def.style & ui::EditMultiline) {
                auto* pe = new QPlainTextEdit(m_Widget);
                // A box one line high has no room for scroll bars (a multi-line edit without
                // them, as a one-line entry of a line that may break).
                if (c.pixels.height() < 2 * 13 + 8) {
                    pe->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
                    pe->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
                }
                w = pe;
            } else
                w = new QLineEdit(m_Widget);
            break;
        case ControlKind::Button: {
            auto* b = new QPushButton(m_Widget);
            b->setAutoDefault(false);
            w = b;
            break;
        }
        case ControlKind::CheckBox: w = new QCheckBox(m_Widget); break;
        case ControlKind::Radio: {
            auto* r = new QRadioButton(m_Widget);
            r->setAutoExclusive(false);   // the dialog keeps the groups
            w = r;
            break;
        }
        case ControlKind::Combo: {
            auto* cb = new QComboBox(m_Widget);
            cb->setEditable(!(c.def.style & ui::ComboDropList));
            cb->setInsertPolicy(QComboBox::NoInsert);
            w = cb;
            break;
        }
        case ControlKind::ListBox: w = new QListWidget(m_Widget); break;
        case ControlKind::ListView: {
            auto* t = new QTreeWidget(m_Widget);
            t->setRootIsDecorated(false);
            t->setSelectionBehavior(QAbstractItemView::SelectRows);
            t->setAllColumnsShowFocus(c.def.style & ui::ListFullRowSelect);
            if (c.def.style & ui::ListGridLines)
                t->setStyleSheet("QTreeWidget::item { border-right: 1px solid #c0c0c0; border-bottom: 1px solid #c0c0c0; }");
            w = t;
            break;
        }
        case ControlKind::GroupBox: w = new QGroupBox(m_Widget); break;
        case ControlKind::Progress: w = new QProgressBar(m_Widget); break;
        case ControlKind::Tree: break;
        }
        if (!w)
            continue;
        // A combo box's height in the table includes its drop-down list.
        int h = c.def.kind == ControlKind::Combo ? w->sizeHint().height() : c.pixels.height();
        w->setGeometry(c.pixels.left, c.pixels.top, c.pixels.width(), h);
        if (c.def.kind == ControlKind::GroupBox)
            w->lower();
        if (c.def.id > 0 || c.def.kind != ControlKind::Static)
            w->installEventFilter(m_Widget);
        int key = c.def.id > 0 ? c.def.id : -static_cast<int>(&c - m_Dialog.controls().data()) - 1000;
        m_Widgets[key] = w;
        if (c.def.id > 0) {
            connectControl(c, w);
            controlChanged(c.def.id);
        } else {
            if (auto* l = qobject_cast<QLabel*>(w))
                l->setText(labelText(c.text));
            if (auto* g = qobject_cast<QGroupBox*>(w))
                g->setTitle(labelText(c.text));
        }
        if (auto* cb = qobject_cast<QComboBox*>(w); cb && cb->lineEdit())
            cb->lineEdit()->installEventFilter(m_Widget);
    }
}

void DialogPeer::connectControl(const ui::Control& c, QWidget* w) {
    int id = c.def.id;
    ui::Dialog* d = &m_Dialog;
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        QObject::connect(e, &QLineEdit::textEdited, e, [d, id, e](const QString& t) {
            std::string typed = toCp932Lossy(t);
            std::string kept = d->acceptTyped(id, typed);
            if (kept != typed) {
                QSignalBlocker block(e);
                int pos = e->cursorPosition();
                e->setText(fromCp932(kept));
                e->setCursorPosition(std::min(pos, static_cast<int>(e->text().size())));
            }
            d->userSetText(id, kept);
        });
    } else if (auto* pe = qobject_cast<QPlainTextEdit*>(w)) {
        QObject::connect(pe, &QPlainTextEdit::textChanged, pe, [d, id, pe] { d->userSetText(id, multilineTo(pe->toPlainText())); });
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        QObject::connect(b, &QAbstractButton::clicked, b, [this, d, id] {
            d->pressButton(id);
            if (m_Widget)
                controlChanged(id);   // the dialog's state, not the widget's own toggle
        });
    } else if (auto* cb = qobject_cast<QComboBox*>(w)) {
        if (cb->lineEdit())
            QObject::connect(cb->lineEdit(), &QLineEdit::textEdited, cb,
                             [d, id](const QString& t) { d->userSetText(id, toCp932Lossy(t)); });
        QObject::connect(cb, &QComboBox::activated, cb, [d, id](int index) { d->userSelect(id, index); });
    } else if (auto* lw = qobject_cast<QListWidget*>(w)) {
        QObject::connect(lw, &QListWidget::itemSelectionChanged, lw, [d, id, lw] {
            auto sel = lw->selectedItems();
            d->userSelect(id, sel.isEmpty() ? -1 : lw->row(sel.front()));
        });
        QObject::connect(lw, &QListWidget::itemDoubleClicked, lw, [d, id](QListWidgetItem*) { d->userDoubleClick(id); });
    } else if (auto* tw = qobject_cast<QTreeWidget*>(w)) {
        QObject::connect(tw, &QTreeWidget::itemSelectionChanged, tw, [d, id, tw] {
            auto sel = tw->selectedItems();
            d->userSelect(id, sel.isEmpty() ? -1 : tw->indexOfTopLevelItem(sel.front()));
        });
        QObject::connect(tw, &QTreeWidget::itemDoubleClicked, tw, [d, id](QTreeWidgetItem*, int) { d->userDoubleClick(id); });
    }
}

void DialogPeer::controlChanged(int id) {
    auto it = m_Widgets.find(id);
    const ui::Control* c = m_Dialog.control(id);
    if (it == m_Widgets.end() || !it->second || !c)
        return;
    QWidget* w = it->second;
    QSignalBlocker block(w);
    w->setEnabled(c->enabled);
    w->setVisible(c->visible);
    if (auto* pb = qobject_cast<QProgressBar*>(w)) {
        pb->setRange(c->rangeLow, std::max(c->rangeLow, c->rangeHigh));
        pb->setValue(std::clamp(c->pos, pb->minimum(), pb->maximum()));
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(labelText(c->text));
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        QString t = fromCp932(c->text);
        if (e->text() != t)
            e->setText(t);
        e->setReadOnly(c->def.style & ui::EditReadOnly);
        if (c->def.style & ui::EditRight)
            e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (c->def.style & ui::EditNumber)
            if (!e->validator())
                e->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9０-９]*"), e));
    } else if (auto* pe = qobject_cast<QPlainTextEdit*>(w)) {
        QString t = multilineOf(c->text);
        if (pe->toPlainText() != t)
            pe->setPlainText(t);
        pe->setReadOnly(c->def.style & ui::EditReadOnly);
    } else if (auto* cb = qobject_cast<QComboBox*>(w)) {
        if (cb->count() != static_cast<int>(c->items.size()) ||
            [&] {
                for (int i = 0; i < cb->count(); ++i)
                    if (cb->itemText(i) != fromCp932(c->items[static_cast<std::size_t>(i)]))
                        return true;
                return false;
            }()) {
            cb->clear();
            for (const std::string& s : c->items)
                cb->addItem(fromCp932(s));
        }
        cb->setCurrentIndex(c->curSel);
        if (cb->lineEdit())
            cb->lineEdit()->setText(fromCp932(c->text));
    } else if (auto* lw = qobject_cast<QListWidget*>(w)) {
        if (lw->count() != static_cast<int>(c->items.size()) ||
            [&] {
                for (int i = 0; i < lw->count(); ++i)
                    if (lw->item(i)->text() != fromCp932(c->items[static_cast<std::size_t>(i)]))
                        return true;
                return false;
            }()) {
            lw->clear();
            for (const std::string& s : c->items)
                lw->addItem(fromCp932(s));
        }
        lw->setCurrentRow(c->curSel, QItemSelectionModel::ClearAndSelect);
        if (c->curSel < 0)
            lw->clearSelection();
    } else if (auto* tw = qobject_cast<QTreeWidget*>(w)) {
        if (tw->columnCount() != static_cast<int>(c->columns.size())) {
            QStringList heads;
            for (const ui::ListColumn& col : c->columns)
                heads << QString::fromStdString(col.heading);
            tw->setColumnCount(static_cast<int>(c->columns.size()));
            tw->setHeaderLabels(heads);
            for (int i = 0; i < static_cast<int>(c->columns.size()); ++i) {
                tw->setColumnWidth(i, c->columns[static_cast<std::size_t>(i)].width);
                tw->headerItem()->setTextAlignment(i, qtAlign(c->columns[static_cast<std::size_t>(i)].align));
            }
        }
        tw->clear();
        for (const auto& row : c->rows) {
            auto* item = new QTreeWidgetItem(tw);
            for (int i = 0; i < static_cast<int>(row.size()); ++i) {
                item->setText(i, fromCp932(row[static_cast<std::size_t>(i)]));
                if (i < static_cast<int>(c->columns.size()))
                    item->setTextAlignment(i, qtAlign(c->columns[static_cast<std::size_t>(i)].align));
            }
        }
        if (c->curSel >= 0 && c->curSel < tw->topLevelItemCount())
            tw->setCurrentItem(tw->topLevelItem(c->curSel));
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setText(fromCp932(c->text));
        if (b->isCheckable() || qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w))
            b->setChecked(c->checked != 0);
        if (auto* pb = qobject_cast<QPushButton*>(w))
            pb->setDefault(c->def.style & ui::DefaultButton);
        if (auto* cb = qobject_cast<QCheckBox*>(w); cb && (c->def.style & ui::TextLeft))
            cb->setLayoutDirection(Qt::RightToLeft);
    }
}

void DialogPeer::focusControl(int id) {
    auto it = m_Widgets.find(id);
    if (it == m_Widgets.end() || !it->second)
        return;
    QWidget* w = it->second;
    w->setFocus(Qt::OtherFocusReason);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        e->selectAll();
    else if (auto* cb = qobject_cast<QComboBox*>(w); cb && cb->lineEdit())
        cb->lineEdit()->selectAll();
    else if (auto* pe = qobject_cast<QPlainTextEdit*>(w))
        pe->selectAll();
}

void DialogPeer::setGeometry(const ui::Rect& r) {
    if (!m_Widget)
        return;
    m_Widget->setFixedSize(r.width(), r.height());
    m_Dialog.dispatchSize({r.width(), r.height()});
}

void DialogPeer::setVisible(bool on) {
    if (m_Widget)
        m_Widget->setVisible(on);
}

void DialogPeer::setFocus() {
    if (m_Widget)
        m_Widget->activateWindow();
}

void DialogPeer::setTitle(const std::string& utf8) {
    if (m_Widget)
        m_Widget->setWindowTitle(QString::fromStdString(utf8));
}

void DialogPeer::endModal(int code) {
    if (m_Widget)
        m_Widget->done(code);
}

} // namespace kiv::qt
