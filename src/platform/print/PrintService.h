#pragma once
// What a window backend supplies for printing: the print dialog, the printer set-up dialog, jobs
// on a printer or a PDF file, and the modal preview window. The Qt backend implements it with
// Qt Print Support; the headless backend answers the dialogs from the test's queue, records
// every job and runs the preview from a test script. A backend that prints derives from both
// ui::Backend and PrintService.
#include "platform/print/PrintJob.h"
#include "platform/print/PrintSettings.h"

#include <memory>
#include <string>
#include <vector>

namespace kiv::print {

// The pages a preview window shows, drawn on demand: the window asks only for the pages it
// shows, whenever it shows them.
class PreviewSession {
public:
    virtual ~PreviewSession() = default;
    virtual int pageCount() const = 0;
    virtual DeviceGeometry geometry() const = 0;
    // Draws page `page` (1..pageCount) on the device context.
    virtual void renderPage(int page, PrinterDc& dc) = 0;
};

enum class PreviewResult { Closed, Print };

// The preview window's state and buttons, the same on every backend: one or two pages side by
// side, three magnifications (whole page, then two steps; a magnified view shows one page).
class PreviewState {
public:
    enum Button { Print = 1, Next, Prev, OneTwo, ZoomIn, ZoomOut, Close };
    static constexpr int kZoomSteps = 2;

    explicit PreviewState(int pageCount) : m_Count(pageCount) {}
    int pageCount() const { return m_Count; }
    int page() const { return m_Page; }   // the first page shown
    bool twoPages() const { return m_TwoPages && m_Zoom == 0; }
    int zoom() const { return m_Zoom; }
    std::vector<int> shownPages() const;

    bool enabled(Button b) const;
    // The button's caption (UTF-8); 1ページ/2ページ names the layout it switches to.
    std::string caption(Button b) const;
    // "ページ 3 / 12" or "ページ 3-4 / 12".
    std::string pageLabel() const;
    // Presses a button: false when it is disabled. Print and Close change nothing here; the
    // window closes on them.
    bool press(Button b);

private:
    int m_Count;
    int m_Page = 1;
    bool m_TwoPages = false;
    int m_Zoom = 0;
};

class PrintService {
public:
    virtual ~PrintService() = default;
    // The print dialog: target (printer or PDF file), paper, orientation, all pages or a range of
    // firstPage..lastPage (lastPage 0: unknown), copies. Edits the settings; false on Cancel.
    virtual bool printDialog(PrintSettings& settings, int firstPage, int lastPage) = 0;
    // ﾌﾟﾘﾝﾀの設定: the printer and the paper. Edits the settings; false on Cancel.
    virtual bool printSetupDialog(PrintSettings& settings) = 0;
    virtual std::unique_ptr<PrintJob> createJob(const PrintSettings& settings) = 0;
    // Shows the preview modally until 印刷... or 閉じる.
    virtual PreviewResult runPreview(PreviewSession& session) = 0;
};

// The installed window backend's print service, or null when it has none.
PrintService* printService();

} // namespace kiv::print
