// The wrapper operations: one automation call each, a failure thrown as ExcelCallError.
#include "export/excel/ExcelWrappers.h"

#include "platform/automation/ExcelMembers.h"
#include "platform/files/Files.h"

namespace kiv::excel {

using automation::InvokeKind;
namespace id = automation::dispid;

Variant CExcelDispatch::Invoke(int dispid, InvokeKind kind, std::vector<Variant> args) const {
    if (!m_p)
        throw ExcelCallError("call on an object that is not attached (member " + std::to_string(dispid) + ")");
    Variant result;
    std::string error;
    if (!m_p->invoke(dispid, kind, args, &result, &error))
        throw ExcelCallError(std::string(m_p->interfaceName()) + ": " + error);
    return result;
}

std::shared_ptr<automation::Dispatch> CExcelDispatch::InvokeObject(int dispid, InvokeKind kind, std::vector<Variant> args) const {
    Variant r = Invoke(dispid, kind, std::move(args));
    if (r.vt != automation::VT_DISPATCH || !r.object)
        throw ExcelCallError("no object returned (member " + std::to_string(dispid) + ")");
    return r.object;
}

void CExcelDispatch::Put(int dispid, Variant v) const { Invoke(dispid, InvokeKind::Put, {std::move(v)}); }

std::shared_ptr<automation::Dispatch> CExcelApplication::GetWorkbooks() const { return InvokeObject(id::Workbooks, InvokeKind::Get); }
void CExcelApplication::SetUserControl(bool on) const { Put(id::UserControl, Variant::boolean(on)); }
void CExcelApplication::Quit() const { Invoke(id::Quit, InvokeKind::Method); }

std::shared_ptr<automation::Dispatch> CExcelWorkbooks::Add(const Variant& templ) const {
    return InvokeObject(id::WorkbooksAdd, InvokeKind::Method, {templ});
}
void CExcelWorkbooks::Close() const { Invoke(id::WorkbooksClose, InvokeKind::Method); }

std::shared_ptr<automation::Dispatch> CExcelWorkbook::GetWorksheets() const { return InvokeObject(id::Worksheets, InvokeKind::Get); }
void CExcelWorkbook::SaveAs(const Variant& filename, const Variant& fileFormat, const Variant& password,
                            const Variant& writeResPassword, const Variant& readOnlyRecommended, const Variant& createBackup,
                            std::int32_t accessMode, const Variant& conflictResolution, const Variant& addToMru,
                            const Variant& textCodepage, const Variant& textVisualLayout) const {
    Invoke(id::SaveAs, InvokeKind::Method,
           {filename, fileFormat, password, writeResPassword, readOnlyRecommended, createBackup, Variant::i4(accessMode),
            conflictResolution, addToMru, textCodepage, textVisualLayout});
}

std::int32_t CExcelWorksheets::GetCount() const {
    Variant r = Invoke(id::Count, InvokeKind::Get);
    if (r.vt != automation::VT_I4)
        throw ExcelCallError("Worksheets.Count returned no integer");
    return static_cast<std::int32_t>(r.integer);
}
std::shared_ptr<automation::Dispatch> CExcelWorksheets::GetItem(const Variant& index) const {
    return InvokeObject(id::Item, InvokeKind::Get, {index});
}
std::shared_ptr<automation::Dispatch> CExcelWorksheets::Add(const Variant& before, const Variant& after, const Variant& count,
                                                            const Variant& type) const {
    return InvokeObject(id::WorksheetsAdd, InvokeKind::Method, {before, after, count, type});
}

void CExcelWorksheet::SetName(const std::string& cp932) const { Put(id::Name, Variant::bstr(cp932)); }
std::shared_ptr<automation::Dispatch> CExcelWorksheet::GetPageSetup() const { return InvokeObject(id::PageSetup, InvokeKind::Get); }
std::shared_ptr<automation::Dispatch> CExcelWorksheet::GetRange(const Variant& cell1, const Variant& cell2) const {
    return InvokeObject(id::Range, InvokeKind::Get, {cell1, cell2});
}

void CExcelRange::SetValue2(const Variant& v) const { Put(id::Value2, v); }
void CExcelRange::SetNumberFormat(const Variant& v) const { Put(id::NumberFormat, v); }
void CExcelRange::SetHorizontalAlignment(const Variant& v) const { Put(id::HorizontalAlignment, v); }
void CExcelRange::SetColumnWidth(const Variant& v) const { Put(id::ColumnWidth, v); }
void CExcelRange::SetRowHeight(const Variant& v) const { Put(id::RowHeight, v); }
Variant CExcelRange::BorderAround(const Variant& lineStyle, std::int32_t weight, std::int32_t colorIndex, const Variant& color,
                                  const Variant& themeColor) const {
    return Invoke(id::BorderAround, InvokeKind::Method,
                  {lineStyle, Variant::i4(weight), Variant::i4(colorIndex), color, themeColor});
}
std::shared_ptr<automation::Dispatch> CExcelRange::GetFont() const { return InvokeObject(id::Font, InvokeKind::Get); }
std::shared_ptr<automation::Dispatch> CExcelRange::GetBorders() const { return InvokeObject(id::Borders, InvokeKind::Get); }

void CExcelPageSetup::SetOrientation(std::int32_t v) const { Put(id::Orientation, Variant::i4(v)); }
void CExcelPageSetup::SetPaperSize(std::int32_t v) const { Put(id::PaperSize, Variant::i4(v)); }
void CExcelPageSetup::SetZoom(const Variant& v) const { Put(id::Zoom, v); }
void CExcelPageSetup::SetFitToPagesWide(const Variant& v) const { Put(id::FitToPagesWide, v); }
void CExcelPageSetup::SetFitToPagesTall(const Variant& v) const { Put(id::FitToPagesTall, v); }
void CExcelPageSetup::SetPrintTitleRows(const std::string& cp932) const { Put(id::PrintTitleRows, Variant::bstr(cp932)); }
void CExcelPageSetup::SetCenterHeader(const std::string& cp932) const { Put(id::CenterHeader, Variant::bstr(cp932)); }
void CExcelPageSetup::SetCenterFooter(const std::string& cp932) const { Put(id::CenterFooter, Variant::bstr(cp932)); }
void CExcelPageSetup::SetTopMargin(double points) const { Put(id::TopMargin, Variant::r8(points)); }
void CExcelPageSetup::SetBottomMargin(double points) const { Put(id::BottomMargin, Variant::r8(points)); }
void CExcelPageSetup::SetLeftMargin(double points) const { Put(id::LeftMargin, Variant::r8(points)); }
void CExcelPageSetup::SetRightMargin(double points) const { Put(id::RightMargin, Variant::r8(points)); }

void CExcelFont::SetSize(const Variant& v) const { Put(id::Size, v); }

std::shared_ptr<automation::Dispatch> CExcelBorders::GetItem(std::int32_t index) const {
    return InvokeObject(id::Item, InvokeKind::Get, {Variant::i4(index)});
}

void CExcelBorder::SetWeight(const Variant& v) const { Put(id::Weight, v); }

std::string ExportFailureMessage(const ExcelCallError& e) {
    if (dynamic_cast<const ExcelSaveError*>(&e))
        return e.what();
    return kiv::files::cannotCreateMessage("");
}

} // namespace kiv::excel
