#include "estimate/RoumufileDialog.h"

#include "estimate/KivDoc.h"
#include "estimate/RoumuFile.h"

using namespace kiv::ui;

const DialogTemplate& CRoumufileDialog::dialogLayout() {
    static const DialogTemplate t{kDialogId, "労務ﾌｧｲﾙ切り替え", {},
                                  {ctl::label("労務ﾌｧｲﾙを選択", dlu(7, 9, 70, 8)),
                                   ctl::button(kBrowse, "参照", dlu(80, 7, 40, 14)),
                                   ctl::edit(kPathBox, dlu(7, 26, 230, 12)),
                                   ctl::defButton(IDOK, "OK", dlu(132, 46, 50, 14)),
                                   ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(187, 46, 50, 14))}};
    return t;
}

CRoumufileDialog::CRoumufileDialog(Window* parent) : ReferenceFileDialog(dialogLayout(), kPathBox, parent) {}

std::filesystem::path CRoumufileDialog::currentPath(const CKivDoc& doc) const { return doc.m_RoumuPath; }

std::vector<std::string> CRoumufileDialog::switchTo(CKivDoc& doc, const std::filesystem::path& chosen,
                                                    const ConfirmCreate& confirmCreate) {
    RoumuSwitch s = switchRoumuFile(chosen, confirmCreate);
    if (s.switched) {
        doc.m_Roumu = std::move(s.list);
        doc.m_RoumuPath = chosen;
        doc.m_RoumuRead = true;
    }
    return s.messages;
}
