#pragma once
// The output path of every export: the proposal shown in the export's dialog, and the checks
// made before anything is stored or written.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kiv::ui {
class Document;
class Window;
}

namespace kiv::ui {
class Window;
}

namespace kiv::exporting {

// The proposal for an export of the estimate or totals saved at `docPath`: the name's last
// extension, when it is KIV, MES, TTL or MTL in any case, becomes `ext`; any other name gets
// "." + `ext` appended; the folders stay as they are. An untitled document (empty path) proposes
// the program's folder with `untitledNameUtf8` + "." + `ext`. CP932, as the dialog's edit holds
// it.
std::string ProposeExportPath(const std::filesystem::path& docPath, std::string_view ext, std::string_view untitledNameUtf8);

enum class ExportPathProblem {
    None,
    CannotCreate,   // empty, a folder, a missing or unwritable folder
    OpenEstimate,   // the file of an open estimate
    OpenTotals,     // the file of an open totals document
};

// Whether a document is a totals document, for the check below. The totals subsystem sits above
// the exports and sets the test when it makes a totals document; until then no document is one.
void SetTotalsDocumentTest(bool (*isTotals)(const kiv::ui::Document* doc));

// Checks a CP932 path before the export starts. `ownDoc` is the estimate or totals document
// being exported (it counts as open even when no list of open documents holds it).
ExportPathProblem CheckExportPath(const std::string& pathCp932, const kiv::ui::Document* ownDoc);
// The message for a problem (UTF-8); empty for None.
std::string_view ExportPathMessage(ExportPathProblem p);
// Whether a file of that name exists already.
bool ExportTargetExists(const std::string& pathCp932);
// The question before an existing file is replaced (UTF-8).
inline constexpr std::string_view kOverwriteQuestion = "既に同じ名前のファイルがあります。上書きしますか？";
// 参照 of the workbook exports: the save-as chooser of .XLSX files, starting at `initialCp932`,
// asking itself before an existing file is chosen. The chosen path (CP932), or nullopt.
std::optional<std::string> ChooseWorkbookFile(const std::string& initialCp932, kiv::ui::Window* owner);
inline constexpr std::string_view kCannotCreate = "ファイルが作成できません。";

} // namespace kiv::exporting
