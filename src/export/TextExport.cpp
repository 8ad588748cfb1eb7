// Shared pieces of the text exports.
#include "export/TextExport.h"

#include "platform/files/Files.h"

namespace kiv::exporting {

namespace {
ExportTextWriter& writerSlot() {
    static ExportTextWriter w;
    return w;
}
} // namespace

void AppendTextField(std::string& line, std::string_view field) {
    for (char c : field)
        line.push_back(c == '\t' || c == '\r' || c == '\n' ? ' ' : c);
}

bool WriteExportTextFile(const std::string& pathCp932, std::string_view data) {
    if (const auto& w = writerSlot())
        return w(pathCp932, data);
    return kiv::files::writeFileAtomically(kiv::files::fromCp932(pathCp932), data);
}

void SetExportTextWriter(ExportTextWriter writer) { writerSlot() = std::move(writer); }

} // namespace kiv::exporting
