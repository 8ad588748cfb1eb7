#pragma once
// The output path of every export: the proposal shown in the export's dialog, and the checks
// made before anything is stored or written.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

class CKivDoc;

namespace kiv::ui {
class Window;
}

namespace kiv::exporting {

// The proposal for an export of the estimate saved at `docPath`: the name's last extension,
// when it is KIV or MES in any case, becomes `ext`; any other name gets "." + `ext` appended;
// the folders stay as they are. An untitled estimate (empty path) proposes the program's
// folder with `untitledNameUtf8` + "." + `ext`. CP932, as the dialog's edit holds it.
std::string ProposeExportPath(const std::filesystem::path& docPath, std::string_view ext, std::string_view untitledNameUtf8);

enum class ExportPathProblem {
    None,
    CannotCreate,   // empty, a folder, a missing or unwritable folder
    OpenEstimate,   // the file of an open estimate
};

// Checks a CP932 path before the export starts. `ownDoc` is the estimate being exported (it
// counts as open even when the table of open estimates does not list it).
ExportPathProblem CheckExportPath(const std::string& pathCp932, const CKivDoc* ownDoc);
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
