// The totals window's 編集 and メニュー commands, their function keys and the right button. The
// work itself is done on this window's document by TotalCommands; here only the dialogs, the
// questions and the redrawing.
#include <algorithm>

#include "estimate/KivMessage.h"
#include "grid/GridEditRules.h"
#include "grid/GyouRecord.h"
#include "grid/TankaDialogs.h"
#include "grid/TanniDialog.h"
#include "platform/profile/Profile.h"
#include "platform/ui/Keys.h"
#include "totals/SyuMoveDialog.h"
#include "totals/TotalDoc.h"
#include "totals/TotalTree.h"
#include "totals/TotalView.h"

using namespace kiv::ui;

namespace {

constexpr int ID_GYOU_INSERT = 32786;
constexpr int ID_GYOU_DELETE = 32787;
constexpr int ID_GYOU_COPY = 32794;
constexpr int ID_KOUMOKU_MOVE = 32793;
constexpr int ID_KOUMOKU_DELETE = 32789;
constexpr int ID_KOUMOKU_INSERT = 32788;
constexpr int ID_TANKA_COPY = 32811;
constexpr int ID_TANKA_HENKAN = 32812;
constexpr int ID_INSATU_FONT = 32775;
constexpr int ID_SYOUSAI = 32813;
constexpr int ID_FONT_SIZE = 32868;

} // namespace

CTotalView::CTotalView() {
    m_FontSize = kiv::profile::Profile::user().getInt("Font_Size_Section", "Font_Size", kFontSize);
    if (m_FontSize < 1)
        m_FontSize = kFontSize;
    onCommandId(ID_GYOU_INSERT, [this] { OnGyouInsert(); });
    onCommandId(ID_GYOU_DELETE, [this] { OnGyouDelete(); });
    onCommandId(ID_GYOU_COPY, [] {});     // 行複写 does nothing in the totals
    onCommandId(cmd::EditCopy, [this] { OnEditCopy(); });
    onCommandId(cmd::EditCut, [this] { OnEditCut(); });
    onCommandId(cmd::EditPaste, [this] { OnEditPaste(); });
    onCommandId(cmd::EditUndo, [this] { OnEditUndo(); });
    onCommandId(ID_KOUMOKU_MOVE, [this] { OnKoumokuMove(); });
    onCommandId(ID_KOUMOKU_DELETE, [this] { OnKoumokuDelete(); });
    onCommandId(ID_KOUMOKU_INSERT, [this] { OnKoumokuInsert(); });
    onCommandId(ID_TANKA_COPY, [this] { OnTankaCopy(); });
    onCommandId(ID_TANKA_HENKAN, [this] { OnTankaHenkan(); });
    onCommandId(ID_INSATU_FONT, [] {});   // 印刷フォント指定 does nothing in the totals
    onCommandId(ID_SYOUSAI, [this] { OnSyousai(); });
    onCommandId(ID_FONT_SIZE, [this] { OnFontSize(); });
}

void CTotalView::AfterCommand() {
    CTotalDoc* d = GetDocument();
    if (d && d->m_TreeDirty)
        d->updateAllViews(nullptr);
    invalidate();
}

// ---------------------------------------------------------------------------------------------
// Rows and cells

void CTotalView::OnGyouInsert() {
    if (CTotalDoc* d = GetDocument()) {
        totalcmd::InsertGyou(*d);
        AfterCommand();
    }
}

void CTotalView::OnGyouDelete() {
    if (CTotalDoc* d = GetDocument()) {
        totalcmd::DeleteGyou(*d);
        AfterCommand();
    }
}

void CTotalView::OnEditCopy() {
    if (CTotalDoc* d = GetDocument())
        totalcmd::CellCopy(*d, m_CurField, m_CellBuf);
}

void CTotalView::OnEditCut() {
    if (CTotalDoc* d = GetDocument()) {
        totalcmd::CellCut(*d, m_CurField, m_CellBuf);
        AfterCommand();
    }
}

void CTotalView::OnEditPaste() {
    if (CTotalDoc* d = GetDocument()) {
        totalcmd::Paste(*d, m_CurField, m_CellBuf);
        AfterCommand();
    }
}

void CTotalView::OnEditUndo() {
    if (CTotalDoc* d = GetDocument()) {
        totalcmd::CellUndo(*d, m_CurField, m_CellBuf);
        AfterCommand();
    }
}

// ---------------------------------------------------------------------------------------------
// Category pages

void CTotalView::ChooseKoumoku(int preset) {
    CTotalDoc* d = GetDocument();
    if (!d)
        return;
    const int curGyou = d->m_CurGyou[0];
    // The titles are brought up to date so that the list shows the pages as they stand.
    d->RebuildKoumokuList();
    d->m_CurGyou[0] = std::clamp(curGyou, 1, std::max(1, d->m_GyouCount));
    CSyuMoveDialog dlg(d, this);
    dlg.m_Bun = preset;
    if (dlg.doModal() == IDOK)
        totalcmd::GoToKoumoku(*d, dlg.m_Bun);
    AfterCommand();
}

void CTotalView::OnKoumokuMove() { ChooseKoumoku(1); }

void CTotalView::OnKoumokuDelete() {
    CTotalDoc* d = GetDocument();
    if (!d)
        return;
    if (KivAsk(totalcmd::kAskKoumokuDelete))
        totalcmd::DeleteKoumokuHere(*d);
    d->updateAllViews(nullptr);
    invalidate();
}

void CTotalView::OnKoumokuInsert() {
    CTotalDoc* d = GetDocument();
    if (!d)
        return;
    if (KivAsk(totalcmd::kAskKoumokuInsert))
        totalcmd::InsertKoumokuHere(*d);
    d->updateAllViews(nullptr);
    invalidate();
}

// ---------------------------------------------------------------------------------------------
// Unit prices

void CTotalView::OnTankaCopy() {
    CTotalDoc* d = GetDocument();
    if (!d)
        return;
    g_TotalTankaPastePending = 0;
    CTankaCopyDialog dlg(this);
    dlg.m_StartGyou = d->m_CurGyou[0];
    dlg.m_EndGyou = d->m_CurGyou[0];
    dlg.m_Bikou2 = 1;
    if (dlg.doModal() == IDOK)
        totalcmd::CollectTanka(*d, dlg.m_StartGyou, dlg.m_EndGyou, dlg.m_Bikou2);
    invalidate();
}

void CTotalView::OnTankaHenkan() {
    CTotalDoc* d = GetDocument();
    if (!d)
        return;
    CTankaHenkanDialog dlg(this);
    dlg.m_StartBun = d->m_CurKoumoku[0];
    dlg.m_Koumoku = d->m_CurKoumoku[0];
    dlg.m_AllKoumoku = 0;
    dlg.m_Kakeritu = 1.0;
    dlg.m_OfferEstimateItem = false;
    if (dlg.doModal() != IDOK)
        return;
    g_TotalHenkanBun = dlg.m_StartBun;
    g_TotalHenkanKoumoku = dlg.m_Koumoku;
    g_TotalHenkanAll = dlg.m_AllKoumoku;
    g_TotalHenkanFactor = dlg.m_Kakeritu;
    if (g_TotalHenkanBun < 1) {
        KivMessage(totalcmd::kMsgTooSmall);
        return;
    }
    if (!KivAsk(totalcmd::kAskHenkan))
        return;
    totalcmd::TankaHenkan(*d, g_TotalHenkanBun, g_TotalHenkanKoumoku, g_TotalHenkanAll != 0, g_TotalHenkanFactor);
    invalidate();
}

// ---------------------------------------------------------------------------------------------
// Detail, font, keys and the right button

void CTotalView::OnSyousai() {
    if (CTotalDoc* d = GetDocument()) {
        totalcmd::ShowSyousai(*d, this);
        invalidate();
    }
}

void CTotalView::OnFontSize() {
    if (const std::optional<int> size = gridedit::AskFontSize(this, kFontSize))
        m_FontSize = *size;
    invalidate();
    if (CTotalDoc* d = GetDocument())
        for (View* v : d->views())
            if (auto* tree = dynamic_cast<CTotalTree*>(v))
                tree->Rebuild();
}

bool CTotalView::OnFunctionKey(int vk) {
    switch (vk) {
    case VK_F1: sendCommand(ID_KOUMOKU_MOVE); return true;
    case VK_F2: return true;   // 行複写: nothing
    case VK_F3: sendCommand(ID_GYOU_INSERT); return true;
    case VK_F4: sendCommand(ID_GYOU_DELETE); return true;
    case VK_F5: sendCommand(ID_KOUMOKU_INSERT); return true;
    case VK_F6: sendCommand(ID_KOUMOKU_DELETE); return true;
    case VK_F9: sendCommand(ID_SYOUSAI); return true;
    default: return false;
    }
}

void CTotalView::onKeyDown(int vk, int repeat, unsigned flags) {
    if (!OnFunctionKey(vk))
        View::onKeyDown(vk, repeat, flags);
}

void CTotalView::onRButtonDown(unsigned flags, Point p) {
    CTotalDoc* d = GetDocument();
    if (d) {
        if (m_CurField == GyouRecord::Tanni) {
            CTanniDialog tanni(this);
            if (tanni.doModal() == IDOK) {
                totalcmd::WriteTanni(*d, tanni.m_Tanni);
                invalidate();
            }
        } else if (GyouRecord::layout(m_CurField).IsText) {
            ChooseKoumoku(d->m_CurKoumoku[0]);
        } else {
            OnSyousai();
        }
    }
    View::onRButtonDown(flags, p);
}
