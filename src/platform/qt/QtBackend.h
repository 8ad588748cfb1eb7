#pragma once
// The Qt 6 Widgets backend of the window layer: the main frame is a QMainWindow around a
// QMdiArea, document windows are QMdiSubWindows, views and splitters are plain widgets that
// keep their pixels in an image (so the layer's own device contexts can draw at any time and
// scrolling moves pixels), and prompts are Qt's dialogs.
#include "platform/print/PrintService.h"
#include "platform/ui/Backend.h"

#include <QObject>

class QWidget;

namespace kiv::qt {

class QtBackend : public QObject, public ui::Backend, public print::PrintService {
    Q_OBJECT
public:
    QtBackend();
    ~QtBackend() override;

    std::unique_ptr<ui::WindowPeer> createPeer(ui::Window& w) override;
    void post(std::function<void()> task) override;
    int run() override;
    void quit(int exitCode) override;
    void setWaitCursor(bool on) override;
    bool lockKeyOn(int vk) const override;
    ui::Rect desktopRect() const override;
    int messageBox(const ui::MessageBoxRequest& req) override;
    std::optional<std::filesystem::path> fileDialog(const ui::FileDialogRequest& req) override;
    std::optional<ui::Font> fontDialog(const ui::Font& initial, ui::Window* owner) override;
    int runModal(ui::Dialog& d) override;

    // Printing (QtPrint.cpp): Qt's print dialog, jobs on a QPrinter or a QPdfWriter, the preview.
    bool printDialog(print::PrintSettings& settings, int firstPage, int lastPage) override;
    bool printSetupDialog(print::PrintSettings& settings) override;
    std::unique_ptr<print::PrintJob> createJob(const print::PrintSettings& settings) override;
    print::PreviewResult runPreview(print::PreviewSession& session) override;

    // The window a dialog of `owner` belongs to (the main window when there is no owner).
    static QWidget* dialogOwner(ui::Window* owner);

    // The widget that shows a window (tests render it).
    static QWidget* widgetOf(const ui::Window& w);
    // Deletes destroyed windows after the current event.
    void scheduleCollect();
    void toggleLock(int vk);
    // Puts the backend's key filter before every other application-wide one again.
    void watchKeysFirst();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_WaitCursor = false;
    bool m_CollectPending = false;
    bool m_Caps = false, m_Num = false, m_Scroll = false, m_Kana = false;
};

QtBackend* qtBackend();

} // namespace kiv::qt
