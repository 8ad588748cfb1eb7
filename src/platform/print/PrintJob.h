#pragma once
// One print job on a backend: a document of pages on a printer or in a PDF file. The print
// driver (PrintView.h) runs it; nothing else needs to.
#include "platform/print/PrinterDc.h"
#include "platform/print/PrintSettings.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace kiv::print {

struct JobInfo {
    std::string title;   // UTF-8: the document's name in the printer queue
    int firstPage = 1;   // the pages the job will print
    int lastPage = 0;
};

class PrintJob {
public:
    virtual ~PrintJob() = default;
    // Opens the document; false when the printer or the file cannot be opened.
    virtual bool startDoc(const JobInfo& info) = 0;
    // A new page, its device context fresh (default font, pen and brush).
    virtual PrinterDc& startPage() = 0;
    virtual void endPage() = 0;
    // Finishes the document; false when it could not be written (a PDF file keeps its old
    // contents then, and failure() says why).
    virtual bool endDoc() = 0;
    // Why a job on a file failed: writeFailure()'s path and reason; empty when it did not.
    virtual std::string failure() const { return {}; }
};

// Where a job writes a file: a private temporary file that the writer fills; when the writer has
// finished and its file is whole, the bytes go over the chosen name as every save writes (through
// a link, owner and mode kept), so a failed job leaves an old file of that name whole.
class FileTarget {
public:
    explicit FileTarget(std::filesystem::path target) : m_Target(std::move(target)) {}
    ~FileTarget();
    FileTarget(const FileTarget&) = delete;
    FileTarget& operator=(const FileTarget&) = delete;

    // Creates the temporary file; false when it cannot be made.
    bool open();
    const std::filesystem::path& tempPath() const { return m_Temp; }
    const std::filesystem::path& target() const { return m_Target; }
    // Writes the temporary file's bytes over the target. `writerOk` is the writer's own state at
    // the end; `whole`, when given, checks the bytes (a PDF's end-of-file mark, written last). An
    // empty, cut or failed file is never written. False, with failure() set, on any failure; the
    // temporary file is removed in every case.
    bool commit(bool writerOk, bool (*whole)(std::string_view) = nullptr);
    // Removes the temporary file.
    void discard();
    const std::string& failure() const { return m_Failure; }

private:
    std::filesystem::path m_Target;
    std::filesystem::path m_Temp;
    std::string m_Failure;
};

// Whether the bytes end as a whole PDF file ends: its "%%EOF" mark among the last bytes.
bool pdfLooksWhole(std::string_view bytes);

} // namespace kiv::print
