#include "totals/TotalDoc.h"

#include "platform/ui/MessageBox.h"

const char* const CTotalDoc::kNotAvailableMessage =
    "集計はまだ使用できません。集計の機能はこの版には含まれていません。";

bool CTotalDoc::onNewDocument() {
    kiv::ui::messageBox(kNotAvailableMessage, kiv::ui::MB_ICONINFORMATION);
    return false;
}

bool CTotalDoc::onOpenDocument(const std::filesystem::path& path) {
    kiv::ui::messageBox(std::string(kNotAvailableMessage) + "\n" + path.string(), kiv::ui::MB_ICONINFORMATION);
    return false;
}
