// Output paths of the exports: proposal and checks.
#include "export/ExportPath.h"

#include <unistd.h>

#include "estimate/KivDoc.h"
#include "platform/files/Files.h"
#include "platform/text/Cp932.h"
#include "platform/ui/App.h"
#include "platform/ui/CommonDialogs.h"

namespace kiv::exporting {

namespace fs = std::filesystem;

namespace {

bool noTotalsDocument(const kiv::ui::Document*) { return false; }

bool (*g_IsTotalsDocument)(const kiv::ui::Document*) = noTotalsDocument;

} // namespace

void SetTotalsDocumentTest(bool (*isTotals)(const kiv::ui::Document* doc)) {
    g_IsTotalsDocument = isTotals ? isTotals : noTotalsDocument;
}

std::string ProposeExportPath(const fs::path& docPath, std::string_view ext, std::string_view untitledNameUtf8) {
    if (docPath.empty()) {
        const fs::path p = CKivDoc::ProgramDirectory() / (std::string(untitledNameUtf8) + "." + std::string(ext));
        auto cp = files::toCp932(p);
        return cp ? *cp : std::string();
    }
    fs::path p = docPath;
    const std::string old = files::asciiLower(p.extension().string());
    if (old == ".kiv" || old == ".mes" || old == ".ttl" || old == ".mtl")
        p.replace_extension(std::string(".") + std::string(ext));
    else
        p += std::string(".") + std::string(ext);
    auto cp = files::toCp932(p);
    return cp ? *cp : std::string();
}

ExportPathProblem CheckExportPath(const std::string& pathCp932, const kiv::ui::Document* ownDoc) {
    if (pathCp932.empty())
        return ExportPathProblem::CannotCreate;
    const fs::path target = fs::absolute(files::fromCp932(pathCp932));
    std::error_code ec;
    if (!target.has_filename() || fs::is_directory(target, ec))
        return ExportPathProblem::CannotCreate;
    const fs::path dir = target.parent_path();
    if (!fs::is_directory(dir, ec) || ::access(dir.c_str(), W_OK | X_OK) != 0)
        return ExportPathProblem::CannotCreate;
    if (fs::exists(target, ec) && (fs::is_directory(target, ec) || !fs::is_regular_file(target, ec)))
        return ExportPathProblem::CannotCreate;
    auto same = [&](const kiv::ui::Document* d) {
        if (!d || d->pathName().empty())
            return false;
        std::error_code e;
        if (fs::equivalent(d->pathName(), target, e))
            return true;
        return fs::absolute(d->pathName(), e).lexically_normal() == target.lexically_normal();
    };
    // The message names the kind of document whose file it is.
    auto openProblem = [](const kiv::ui::Document* d) {
        return g_IsTotalsDocument(d) ? ExportPathProblem::OpenTotals : ExportPathProblem::OpenEstimate;
    };
    if (same(ownDoc))
        return openProblem(ownDoc);
    for (const CKivDoc* d : g_OpenKivDocs.Slot)
        if (same(d))
            return ExportPathProblem::OpenEstimate;
    if (const kiv::ui::App* app = kiv::ui::App::instance())
        for (const kiv::ui::Document* d : app->documents())
            if (g_IsTotalsDocument(d) && same(d))
                return ExportPathProblem::OpenTotals;
    return ExportPathProblem::None;
}

std::string_view ExportPathMessage(ExportPathProblem p) {
    switch (p) {
    case ExportPathProblem::CannotCreate: return kCannotCreate;
    case ExportPathProblem::OpenEstimate: return "開いている内訳書のファイルには出力できません。";
    case ExportPathProblem::OpenTotals: return "開いている集計のファイルには出力できません。";
    case ExportPathProblem::None: break;
    }
    return {};
}

bool ExportTargetExists(const std::string& pathCp932) {
    std::error_code ec;
    return !pathCp932.empty() && fs::exists(files::fromCp932(pathCp932), ec);
}

std::optional<std::string> ChooseWorkbookFile(const std::string& initialCp932, kiv::ui::Window* owner) {
    kiv::ui::FileDialogRequest req;
    req.open = false;
    req.defaultExt = "XLSX";
    req.initialName = files::fromCp932(initialCp932).string();
    req.filter = "EXCEL2007(*.XLSX)|*.XLSX||";
    req.flags = kiv::ui::OFN_HIDEREADONLY | kiv::ui::OFN_OVERWRITEPROMPT;
    req.owner = owner;
    auto chosen = kiv::ui::fileDialog(req);
    if (!chosen)
        return std::nullopt;
    return files::toCp932(*chosen);
}

} // namespace kiv::exporting
