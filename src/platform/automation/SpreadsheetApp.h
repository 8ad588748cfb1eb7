#pragma once
// The spreadsheet application stand-in: an Application object whose workbooks, sheets, ranges,
// page setups, fonts and borders answer the calls the exports make, keep a workbook model, and
// save it as a real .xlsx file (WorkbookModel.h). The stand-in is always there and never shown.
//
// A new workbook holds one empty sheet "Sheet1"; a sheet added without a name is "Sheet<n>".
// Settings of a range reach every cell of it; BorderAround draws only the outer edges.
#include <memory>

#include "platform/automation/Dispatch.h"

namespace kiv::automation {

std::shared_ptr<Dispatch> createSpreadsheetApplication();

} // namespace kiv::automation
