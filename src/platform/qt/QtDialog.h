#pragma once
// Dialogs of the layer as QDialogs with real widgets, positioned from the control table.
#include "platform/qt/QtPeers.h"
#include "platform/ui/Dialog.h"

#include <QDialog>
#include <QPointer>

#include <map>

namespace kiv::qt {

class DialogPeer;

class QtDialogWidget : public QDialog {
public:
    QtDialogWidget(DialogPeer* peer, QWidget* owner) : QDialog(owner), m_Peer(peer) {}
    void detach() { m_Peer = nullptr; }
    void reject() override;

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    DialogPeer* m_Peer;
};

class DialogPeer : public QtPeerBase {
public:
    DialogPeer(ui::Dialog& d, QWidget* owner);
    ~DialogPeer() override;
    ui::Dialog& dialog() { return m_Dialog; }
    QtDialogWidget* widget() const { return m_Widget; }
    // The control of a widget (or of the widget's ancestor), or 0.
    int controlOf(QWidget* w) const;

    void setGeometry(const ui::Rect& r) override;
    void setVisible(bool on) override;
    void setFocus() override;
    void setTitle(const std::string& utf8) override;
    std::unique_ptr<ui::Dc> surfaceDc(const ui::Region*) override { return nullptr; }
    void scrollSurface(int, int, const ui::Rect&) override {}
    void controlChanged(int id) override;
    void focusControl(int id) override;
    void endModal(int code) override;
    QWidget* container() const override { return m_Widget; }
    QWidget* outer() const override { return m_Widget; }

private:
    void build();
    void connectControl(const ui::Control& c, QWidget* w);

    ui::Dialog& m_Dialog;
    QPointer<QtDialogWidget> m_Widget;
    std::map<int, QPointer<QWidget>> m_Widgets;
    QMetaObject::Connection m_FocusConnection;
};

} // namespace kiv::qt
