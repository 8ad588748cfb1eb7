#pragma once
// Thin wrappers over the spreadsheet application's automation objects, one class per
// interface, each operation one call with the member's fixed id, kind and argument types. A
// failed call throws ExcelCallError; the export that drives the wrappers catches it once and
// ends the run soundly.
//
// A wrapper holds one reference to its object from AttachDispatch until ReleaseDispatch, the
// next AttachDispatch or its end.
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/automation/Dispatch.h"

namespace kiv::excel {

using automation::Variant;

class ExcelCallError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
// The workbook could not be saved; what() is the message to show, with the path and the reason.
class ExcelSaveError : public ExcelCallError {
public:
    using ExcelCallError::ExcelCallError;
};
// What a failed workbook export tells the user: a failed save's own message, else
// "ファイルが作成できません。".
std::string ExportFailureMessage(const ExcelCallError& e);

class CExcelDispatch {
public:
    void AttachDispatch(std::shared_ptr<automation::Dispatch> p) { m_p = std::move(p); }
    void ReleaseDispatch() { m_p.reset(); }
    bool attached() const { return m_p != nullptr; }
    const std::shared_ptr<automation::Dispatch>& dispatch() const { return m_p; }

protected:
    Variant Invoke(int dispid, automation::InvokeKind kind, std::vector<Variant> args = {}) const;
    std::shared_ptr<automation::Dispatch> InvokeObject(int dispid, automation::InvokeKind kind, std::vector<Variant> args = {}) const;
    void Put(int dispid, Variant v) const;

private:
    std::shared_ptr<automation::Dispatch> m_p;
};

class CExcelApplication : public CExcelDispatch {
public:
    std::shared_ptr<automation::Dispatch> GetWorkbooks() const;
    void SetUserControl(bool on) const;
    void Quit() const;
};

class CExcelWorkbooks : public CExcelDispatch {
public:
    std::shared_ptr<automation::Dispatch> Add(const Variant& templ) const;
    void Close() const;
};

class CExcelWorkbook : public CExcelDispatch {
public:
    std::shared_ptr<automation::Dispatch> GetWorksheets() const;
    void SaveAs(const Variant& filename, const Variant& fileFormat, const Variant& password, const Variant& writeResPassword,
                const Variant& readOnlyRecommended, const Variant& createBackup, std::int32_t accessMode,
                const Variant& conflictResolution, const Variant& addToMru, const Variant& textCodepage,
                const Variant& textVisualLayout) const;
};

class CExcelWorksheets : public CExcelDispatch {
public:
    std::int32_t GetCount() const;
    std::shared_ptr<automation::Dispatch> GetItem(const Variant& index) const;
    std::shared_ptr<automation::Dispatch> Add(const Variant& before, const Variant& after, const Variant& count,
                                              const Variant& type) const;
};

class CExcelWorksheet : public CExcelDispatch {
public:
    void SetName(const std::string& cp932) const;
    std::shared_ptr<automation::Dispatch> GetPageSetup() const;
    std::shared_ptr<automation::Dispatch> GetRange(const Variant& cell1, const Variant& cell2) const;
};

class CExcelRange : public CExcelDispatch {
public:
    void SetValue2(const Variant& v) const;
    void SetNumberFormat(const Variant& v) const;
    void SetHorizontalAlignment(const Variant& v) const;
    void SetColumnWidth(const Variant& v) const;
    void SetRowHeight(const Variant& v) const;
    Variant BorderAround(const Variant& lineStyle, std::int32_t weight, std::int32_t colorIndex, const Variant& color,
                         const Variant& themeColor) const;
    std::shared_ptr<automation::Dispatch> GetFont() const;
    std::shared_ptr<automation::Dispatch> GetBorders() const;
};

class CExcelPageSetup : public CExcelDispatch {
public:
    void SetOrientation(std::int32_t v) const;
    void SetPaperSize(std::int32_t v) const;
    void SetZoom(const Variant& v) const;
    void SetFitToPagesWide(const Variant& v) const;
    void SetFitToPagesTall(const Variant& v) const;
    void SetPrintTitleRows(const std::string& cp932) const;
    void SetCenterHeader(const std::string& cp932) const;
    void SetCenterFooter(const std::string& cp932) const;
    void SetTopMargin(double points) const;
    void SetBottomMargin(double points) const;
    void SetLeftMargin(double points) const;
    void SetRightMargin(double points) const;
};

class CExcelFont : public CExcelDispatch {
public:
    void SetSize(const Variant& v) const;
};

class CExcelBorders : public CExcelDispatch {
public:
    std::shared_ptr<automation::Dispatch> GetItem(std::int32_t index) const;
};

class CExcelBorder : public CExcelDispatch {
public:
    void SetWeight(const Variant& v) const;
};

} // namespace kiv::excel
