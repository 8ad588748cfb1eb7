#pragma once
// One print job on a backend: a document of pages on a printer or in a PDF file. The print
// driver (PrintView.h) runs it; nothing else needs to.
#include "platform/print/PrinterDc.h"
#include "platform/print/PrintSettings.h"

#include <filesystem>
#include <string>

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
    // contents then).
    virtual bool endDoc() = 0;
};

// Where a job writes a PDF: a temporary file beside the chosen name, renamed over it when the
// document is complete, so a failed job leaves an old file of that name whole.
class FileTarget {
public:
    explicit FileTarget(std::filesystem::path target) : m_Target(std::move(target)) {}
    ~FileTarget();
    FileTarget(const FileTarget&) = delete;
    FileTarget& operator=(const FileTarget&) = delete;

    // Creates the temporary file; false when the folder cannot take it.
    bool open();
    const std::filesystem::path& tempPath() const { return m_Temp; }
    const std::filesystem::path& target() const { return m_Target; }
    // Renames the written temporary file over the target; false (and the temporary file
    // removed) when that fails.
    bool commit();
    // Removes the temporary file.
    void discard();

private:
    std::filesystem::path m_Target;
    std::filesystem::path m_Temp;
};

} // namespace kiv::print
