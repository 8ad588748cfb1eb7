#pragma once
// The Qt peers of the layer's windows.
#include "platform/ui/Backend.h"
#include "platform/ui/Window.h"

#include <QImage>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScrollBar>
#include <QWidget>

#include <map>

class QMdiArea;
class QLabel;
class QToolBar;
class QTimer;

namespace kiv::ui {
class MainFrame;
}

namespace kiv::qt {

class QtPeerBase : public ui::WindowPeer {
public:
    // The widget children of the window are placed in.
    virtual QWidget* container() const = 0;
    // The widget that shows the whole window.
    virtual QWidget* outer() const = 0;
};

class SurfacePeer;

// The client area of a view, splitter or child frame: paints from a kept image.
class Surface : public QWidget {
public:
    explicit Surface(SurfacePeer* peer, QWidget* parent);
    void detach() { m_Peer = nullptr; }
    QImage& image() { return m_Image; }
    void resizeImage(QSize s, QColor background);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void keyReleaseEvent(QKeyEvent*) override;
    void inputMethodEvent(QInputMethodEvent*) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery q) const override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void wheelEvent(QWheelEvent*) override;
    void focusInEvent(QFocusEvent*) override;
    void focusOutEvent(QFocusEvent*) override;
    void timerEvent(QTimerEvent*) override;
    bool focusNextPrevChild(bool) override { return false; }   // Tab is a key like any other

private:
    friend class SurfacePeer;
    SurfacePeer* m_Peer;
    QImage m_Image;
    bool m_CaretOn = true;
    int m_BlinkTimer = 0;
};

class MdiChild;

class SurfacePeer : public QtPeerBase {
public:
    SurfacePeer(ui::Window& w, QWidget* parent);
    ~SurfacePeer() override;
    ui::Window& window() { return m_Window; }

    void setGeometry(const ui::Rect& r) override;
    void setVisible(bool on) override;
    void setFocus() override;
    void setTitle(const std::string& utf8) override;
    void activate() override;
    void invalidated() override;
    std::unique_ptr<ui::Dc> surfaceDc(const ui::Region* clip) override;
    void scrollSurface(int dx, int dy, const ui::Rect& r) override;
    void surfaceChanged() override;
    void caretChanged() override;
    void scrollBarsChanged() override;
    void timerChanged(int id, int intervalMs) override;
    void imeChanged() override;
    QWidget* container() const override { return m_Surface; }
    QWidget* outer() const override;

    // From the surface.
    void surfaceResized(QSize s);
    void timerFired(int qtTimerId);
    void layoutBars();

private:
    void scrollAction(int bar, int action);

    ui::Window& m_Window;
    QPointer<QWidget> m_Frame;        // views: the widget holding the surface and its scroll bars
    QPointer<MdiChild> m_Sub;         // child frames: the document window
    QPointer<Surface> m_Surface;
    QPointer<QScrollBar> m_HBar, m_VBar;
    std::map<int, int> m_TimerIds;   // qt timer id -> window timer id
    bool m_Syncing = false;
};

class MdiChild : public QMdiSubWindow {
public:
    explicit MdiChild(ui::Window& w);
    void detach() { m_Window = nullptr; }
    ui::Window* window() const { return m_Window; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    ui::Window* m_Window;
};

class MainWindow;

class MainFramePeer : public QtPeerBase {
public:
    explicit MainFramePeer(ui::MainFrame& f);
    ~MainFramePeer() override;
    void setGeometry(const ui::Rect& r) override;
    void setVisible(bool on) override;
    void setFocus() override;
    void setTitle(const std::string& utf8) override;
    void invalidated() override {}
    std::unique_ptr<ui::Dc> surfaceDc(const ui::Region*) override { return nullptr; }
    void scrollSurface(int, int, const ui::Rect&) override {}
    void menuChanged() override;
    void barsChanged() override;
    void statusChanged() override;
    std::string barLayout() const override;
    void restoreBarLayout(const std::string& layout) override;
    QWidget* container() const override;
    QWidget* outer() const override;
    QMdiArea* mdiArea() const;
    ui::MainFrame& frame() { return m_Frame; }

private:
    ui::MainFrame& m_Frame;
    QPointer<MainWindow> m_Window;
    std::string m_Title;
};

} // namespace kiv::qt
