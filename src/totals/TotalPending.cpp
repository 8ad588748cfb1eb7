#include "totals/TotalPending.h"

#include "estimate/FormDialogCommands.h"
#include "estimate/KivMessage.h"
#include "platform/ui/Keys.h"
#include "totals/TotalDoc.h"

void TotalNotAvailableYet() { KivMessage(FormDialogMissingMessage(0)); }

void CTotalDoc::ConnectPendingCommands() {
    namespace cmd = kiv::ui::cmd;
    // Row and category commands (function keys, 編集 menu).
    onCommandId(32793, TotalNotAvailableYet);   // F1 項目移動
    onCommandId(32794, TotalNotAvailableYet);   // F2 行複写
    onCommandId(32786, TotalNotAvailableYet);   // F3 行挿入
    onCommandId(32787, TotalNotAvailableYet);   // F4 行削除
    onCommandId(32788, TotalNotAvailableYet);   // F5 項目挿入
    onCommandId(32789, TotalNotAvailableYet);   // F6 項目削除
    onCommandId(32813, TotalNotAvailableYet);   // F9 詳細表示
}
