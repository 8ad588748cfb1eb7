#include "master/MstFind.h"
#include "platform/ui/CommonDialogs.h"
#include "shell/MainFrame.h"

void CMainFrame::onFindReplace(const kiv::ui::FindReplaceEvent& e) {
    if (e.kind == kiv::ui::FindReplaceEvent::DialogTerm) {
        MstFindDialogClosed();
        return;
    }
    // Match case, whole word and direction are not offered: the comparison is always exact.
    m_FindText = RemoveFindBlanks(e.findWhat);
    MstFindNext(m_FindText);
}
