#include "platform/print/PrintView.h"

#include "platform/files/Files.h"
#include "platform/print/PrintJob.h"
#include "platform/print/PrintService.h"
#include "platform/ui/App.h"
#include "platform/ui/MessageBox.h"

#include <algorithm>

namespace kiv::print {
namespace {

struct RunState {
    PrintSettings settings;
    bool chosen = false;
};

RunState& state() {
    static RunState s;
    return s;
}

// The job's settings begin as the run's, every page, the orientation the view will set.
PrintInfo startInfo() {
    PrintInfo info;
    info.settings = state().settings;
    info.settings.allPages = true;
    return info;
}

void remember(const PrintSettings& chosen) {
    PrintSettings& s = state().settings;
    const Orientation keep = s.orientation;
    s = chosen;
    s.orientation = keep;   // the orientation belongs to each job's kind of pages
    s.allPages = true;
    state().chosen = true;
}

class ViewPreview : public PreviewSession {
public:
    ViewPreview(PrintableView& view, PrintInfo& info) : m_View(view), m_Info(info) {}
    int pageCount() const override { return std::max(0, m_Info.maxPage - m_Info.minPage + 1); }
    DeviceGeometry geometry() const override { return m_Info.geometry(); }
    void renderPage(int page, PrinterDc& dc) override {
        m_Info.curPage = m_Info.minPage + page - 1;
        m_View.onPrint(dc, m_Info);
    }

private:
    PrintableView& m_View;
    PrintInfo& m_Info;
};

void runJob(PrintableView& view, PrintInfo& info, PrintService& service) {
    MeasureDc measure(info.geometry());
    view.onBeginPrinting(measure, info);
    int first = info.minPage, last = info.maxPage;
    if (!info.settings.allPages) {
        first = std::max(first, info.settings.fromPage);
        last = std::min(last, info.settings.toPage);
    }
    std::unique_ptr<PrintJob> job = service.createJob(info.settings);
    bool ok = job && job->startDoc({view.printTitle(), first, last});
    if (ok) {
        ui::App::WaitCursorScope wait;
        for (int p = first; p <= last; ++p) {
            info.curPage = p;
            PrinterDc& dc = job->startPage();
            view.onPrint(dc, info);
            job->endPage();
        }
        ok = job->endDoc();
    }
    if (!ok) {
        ui::messageBox(info.settings.toFile() ? fileNotWrittenMessage(job.get(), info.settings.file)
                                              : std::string("印刷を開始できません。プリンタの設定を確かめてください。"),
                       ui::MB_OK | ui::MB_ICONEXCLAMATION);
    }
    info.completed = ok;
    view.onEndPrinting(measure, info);
}

} // namespace

PrintSettings& runSettings() { return state().settings; }
bool runTargetChosen() { return state().chosen; }
void resetRunSettings() { state() = RunState{}; }

void setRunSettings(const PrintSettings& settings) {
    state().settings = settings;
    state().settings.allPages = true;
    state().chosen = true;
}

std::string fileNotWrittenMessage(const PrintJob* job, const std::filesystem::path& file) {
    if (job && !job->failure().empty())
        return files::cannotCreateMessage(job->failure());
    return files::cannotCreateMessage(file.string());
}

bool doPreparePrinting(PrintInfo& info) {
    if (info.preview)
        return true;
    if (info.direct) {
        const Orientation o = info.settings.orientation;
        info.settings = state().settings;
        info.settings.orientation = o;
        info.settings.allPages = true;
        return true;
    }
    PrintService* service = printService();
    if (!service)
        return false;
    if (!service->printDialog(info.settings, info.minPage, info.maxPage))
        return false;
    remember(info.settings);
    return true;
}

std::filesystem::path proposedPdfPath(const PrintableView& view) {
    const std::filesystem::path document = view.printDocumentPath();
    if (!document.empty())
        return std::filesystem::path(document).replace_extension(".pdf");
    std::error_code ec;
    return std::filesystem::current_path(ec) / (view.printTitle() + ".pdf");
}

void runPrintCommand(PrintableView& view, PrintCommand command) {
    PrintService* service = printService();
    if (!service)
        return;
    PrintInfo info = startInfo();
    info.settings.file = proposedPdfPath(view);
    info.preview = command == PrintCommand::Preview;
    info.direct = command == PrintCommand::Direct && state().chosen;
    if (!view.onPreparePrinting(info))
        return;
    if (!info.preview) {
        runJob(view, info, *service);
        return;
    }
    MeasureDc measure(info.geometry());
    view.onBeginPrinting(measure, info);
    ViewPreview session(view, info);
    const PreviewResult result = service->runPreview(session);
    info.completed = true;
    view.onEndPrinting(measure, info);
    if (result == PreviewResult::Print)
        runPrintCommand(view, PrintCommand::Print);
}

void runPrinterSetup() {
    PrintService* service = printService();
    if (!service)
        return;
    PrintSettings s = state().settings;
    if (service->printSetupDialog(s)) {
        state().settings = s;
        state().settings.allPages = true;
        state().chosen = true;
    }
}

} // namespace kiv::print
