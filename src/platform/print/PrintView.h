#pragma once
// The printing protocol of a view and the handlers of the print commands, as a document/view
// framework has them:
//
//   印刷 (57607)        runPrintCommand(view, PrintCommand::Print)
//   direct print (57608) runPrintCommand(view, PrintCommand::Direct): no dialog when a printer
//                        or PDF file was chosen earlier in the run, else as 57607
//   印刷ﾌﾟﾚﾋﾞｭｰ (57609)   runPrintCommand(view, PrintCommand::Preview)
//   ﾌﾟﾘﾝﾀの設定 (57606)   runPrinterSetup()
//
// A job calls the view's onPreparePrinting (which sets the last page and ends with
// doPreparePrinting: the print dialog, or nothing for a preview or direct print; false ends
// the job there), onBeginPrinting, onPrint once per page with PrintInfo::curPage, and
// onEndPrinting. A preview shows the same pages: onPrint runs for each page the preview window
// shows, each time it shows it. The end step runs after every job that got past preparation;
// PrintInfo::completed says whether the pages were printed or previewed (false: the printer or
// the file could not be opened or written; the driver has said so).
//
// Settings live for the run: every dialog starts from the printer and paper last chosen
// (runSettings()) and proposes the PDF file of the document printed (proposedPdfPath), never
// the last PDF written; the view may set the orientation in its preparation, before the dialog.
// Direct printing writes to the printer or file last chosen.
#include "platform/print/PrintJob.h"
#include "platform/print/PrinterDc.h"
#include "platform/print/PrintSettings.h"

#include <filesystem>
#include <string>

namespace kiv::print {

struct PrintInfo {
    PrintSettings settings;
    bool preview = false;
    bool direct = false;      // print without a dialog
    int minPage = 1;
    int maxPage = 0;          // the last page; 0 while the view has not set it
    int curPage = 0;          // the page onPrint draws
    bool completed = false;   // for the end step
    DeviceGeometry geometry() const { return deviceGeometry(settings); }
};

class PrintableView {
public:
    virtual ~PrintableView() = default;
    virtual bool onPreparePrinting(PrintInfo& info) = 0;
    virtual void onBeginPrinting(PrinterDc& dc, PrintInfo& info) { (void)dc, (void)info; }
    virtual void onPrint(PrinterDc& dc, PrintInfo& info) = 0;
    virtual void onEndPrinting(PrinterDc& dc, PrintInfo& info) { (void)dc, (void)info; }
    // The job's name in the printer queue (UTF-8).
    virtual std::string printTitle() const { return "kiv"; }
    // The file of the document printed ("" while it has none, or for a view without one).
    virtual std::filesystem::path printDocumentPath() const { return {}; }
};

// The PDF file the print dialog proposes for the view: its document's file with ".pdf" in the
// document's folder; without a file, the print title with ".pdf" in the current folder.
std::filesystem::path proposedPdfPath(const PrintableView& view);

// The end of a preparation: the print dialog (not for a preview, not for direct printing with a
// target chosen earlier in the run). True to go on; the chosen printer, file and paper become
// the run's.
bool doPreparePrinting(PrintInfo& info);

enum class PrintCommand { Print, Direct, Preview };
void runPrintCommand(PrintableView& view, PrintCommand command);

// ﾌﾟﾘﾝﾀの設定: the printer and paper the next dialogs start from.
void runPrinterSetup();

// The run's settings and whether a printer or file was chosen in the run.
PrintSettings& runSettings();
bool runTargetChosen();
// Makes the settings the run's, as if chosen in a dialog (direct printing then uses them).
void setRunSettings(const PrintSettings& settings);
// Back to the defaults (system printer, A4 portrait, nothing chosen); for tests.
void resetRunSettings();

// The message of a PDF file that could not be written (UTF-8): "ファイルが作成できません。", the
// path and the job's reason (the path alone when there is no job).
std::string fileNotWrittenMessage(const PrintJob* job, const std::filesystem::path& file);

} // namespace kiv::print
