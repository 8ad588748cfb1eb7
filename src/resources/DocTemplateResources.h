#pragma once
// The document templates' resource ids and their template strings (window title, document
// name, file-new name, filter name, filter extension, file type id, file type name), and the
// menus shown while an estimate window is active.
#include "platform/ui/Resources.h"

#include <string>

namespace res {

// Estimate: grid view, tree, split frame.
constexpr int IDR_KIVTYPE = 129;
constexpr int IDR_KIVTREE = 130;
constexpr int IDR_KIVSPLIT = 141;
// Master: tree, grid view, split frame.
constexpr int IDR_MSTTREE = 137;
constexpr int IDR_MSTTYPE = 138;
constexpr int IDR_MSTSPLIT = 140;
// Totals: grid view, tree, split frame.
constexpr int IDR_TOTALTYPE = 139;
constexpr int IDR_TOTALTREE = 142;
constexpr int IDR_TOTALSPLIT = 143;

// The template string of a template id ("" for an id that is not a template).
const std::string& templateString(int id);

// Menus 129, 130 and 141 (the estimate windows); nullptr for any other id.
const kiv::ui::Menu* estimateMenu(int id);
// Menus 137, 138 and 140 (the master windows); nullptr for any other id.
const kiv::ui::Menu* masterMenu(int id);
// Menus 139, 142 and 143 (the totals windows); nullptr for any other id.
const kiv::ui::Menu* totalMenu(int id);

} // namespace res
