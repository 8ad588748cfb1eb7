#include "totals/TotalPending.h"

#include "estimate/FormDialogCommands.h"
#include "estimate/KivMessage.h"
#include "platform/ui/Keys.h"
#include "totals/TotalDoc.h"

void TotalNotAvailableYet() { KivMessage(FormDialogMissingMessage(0)); }

void CTotalDoc::ConnectPendingCommands() {
    namespace cmd = kiv::ui::cmd;
    // Exports.
    onCommandId(32808, TotalNotAvailableYet);   // テキストファイル出力
    onCommandId(32884, TotalNotAvailableYet);   // EXCEL出力
}
