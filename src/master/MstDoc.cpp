#include "master/MstDoc.h"

#include "platform/ui/MessageBox.h"

const char* const MstDoc::kNotAvailableMessage =
    "マスターファイルはまだ開けません。マスターの編集機能はこの版には含まれていません。";

bool MstDoc::onNewDocument() {
    kiv::ui::messageBox(kNotAvailableMessage, kiv::ui::MB_ICONINFORMATION);
    return false;
}

bool MstDoc::onOpenDocument(const std::filesystem::path& path) {
    kiv::ui::messageBox(std::string(kNotAvailableMessage) + "\n" + path.string(), kiv::ui::MB_ICONINFORMATION);
    return false;
}
