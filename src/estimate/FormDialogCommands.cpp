#include "estimate/FormDialogCommands.h"

#include "estimate/RecalcSeams.h"
#include "platform/ui/MessageBox.h"

const char* FormDialogMissingMessage(int id) {
    switch (id) {
    case formcmd::kAdress:
    case formcmd::kAdressFile:
    case formcmd::kAdressPrintFile:
        return "相手先登録・印刷はまだ使用できません。住所録と宛名印刷はこの版には含まれていません。";
    default:
        return "この機能はまだ使用できません。";
    }
}

bool OpenFormDialog(int id, kiv::ui::Window* owner) {
    if (RunFormDialog(id))
        return true;
    kiv::ui::messageBox(FormDialogMissingMessage(id), kiv::ui::MB_ICONINFORMATION, {}, owner);
    return false;
}
