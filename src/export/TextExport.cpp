// Shared pieces of the text exports.
#include "export/TextExport.h"

#include "platform/files/Files.h"

namespace kiv::exporting {

void AppendTextField(std::string& line, std::string_view field) {
    for (char c : field)
        line.push_back(c == '\t' || c == '\r' || c == '\n' ? ' ' : c);
}

std::optional<std::string> WriteExportTextFile(const std::string& pathCp932, std::string_view data) {
    std::string error;
    if (kiv::files::writeFileAtomically(kiv::files::fromCp932(pathCp932), data, &error))
        return std::nullopt;
    return kiv::files::cannotCreateMessage(error);
}

} // namespace kiv::exporting
