#include "estimate/SetteiDialog.h"

#include "estimate/KivDoc.h"
#include "estimate/SetteiFile.h"

using namespace kiv::ui;

const DialogTemplate& CSetteiDialog::dialogLayout() {
    static const DialogTemplate t{kDialogId, "設定ﾌｧｲﾙ切り替え", {},
                                  {ctl::label("設定ﾌｧｲﾙを選択", dlu(7, 9, 70, 8)),
                                   ctl::button(kBrowse, "参照", dlu(80, 7, 40, 14)),
                                   ctl::edit(kPathBox, dlu(7, 26, 230, 12)),
                                   ctl::defButton(IDOK, "OK", dlu(132, 46, 50, 14)),
                                   ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(187, 46, 50, 14))}};
    return t;
}

CSetteiDialog::CSetteiDialog(Window* parent) : ReferenceFileDialog(dialogLayout(), kPathBox, parent) {}

std::filesystem::path CSetteiDialog::currentPath(const CKivDoc& doc) const { return doc.m_SetteiPath; }

std::string CSetteiDialog::extension() const {
    const std::string& mode = CKivDoc::RunMode();
    return mode == "1" ? "ETT" : mode == "2" ? "MTT" : "";
}

std::vector<std::string> CSetteiDialog::switchTo(CKivDoc& doc, const std::filesystem::path& chosen,
                                                 const ConfirmCreate& confirmCreate) {
    SetteiSwitch s = switchSetteiFile(CKivDoc::RunMode(), chosen, confirmCreate);
    if (s.switched) {
        doc.m_Settei = s.record;
        doc.ParseSettei();
        doc.m_SetteiPath = chosen;
        doc.m_SetteiRead = true;
    }
    return s.messages;
}
