// What the estimate adds to the grid's typing and keys: the count of digits typed into a cell
// (the converted-price check reads it), the detail on Enter on a price the detail makes, the
// whole-item recalculation, the two-click range, Home and the function keys that start row and
// item commands.
#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "grid/BlockSelect.h"
#include "grid/CalcDialog.h"
#include "grid/GridCell.h"
#include "grid/KivView.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"
#include "platform/ui/Keys.h"

using namespace kiv::ui;

namespace {

const char* const kMsgFukuHyouji = "常時複合単価表示になっています。詳細で入力してください。";
const char* const kMsgZaiGoukei = "複数の材料が登録されています。詳細で入力してください。";

} // namespace

// ---------------------------------------------------------------------------------------------
// The cell under the caret

CKivView::TypedCell CKivView::CursorCell() const {
    const CKivDoc* d = GetDocument();
    if (!d)
        return {};
    return {d->CurKoumoku(), d->CurGyou(), m_CurField[0]};
}

int CKivView::TypedNumCountHere() {
    if (!(m_TypedNumCell == CursorCell()))
        m_TypedNumCount = 0;
    return m_TypedNumCount;
}

void CKivView::NoteTypedNum() {
    TypedNumCountHere();
    m_TypedNumCell = CursorCell();
    ++m_TypedNumCount;
}

void CKivView::OnNumberTyped() { NoteTypedNum(); }

void CKivView::MarkChanged() {
    if (CKivDoc* d = GetDocument())
        d->MarkNeedsRecalc();
}

// ---------------------------------------------------------------------------------------------
// Numeric cells

// ---------------------------------------------------------------------------------------------
// What the estimate adds to the grid's keys, typing and clicks

void CKivView::OnEnterNumber() {
    if (m_CurField[0] != GyouRecord::Tanka1 && m_CurField[0] != GyouRecord::Tanka2)
        return;
    // A price made by the detail lines is entered there.
    if (GyouRecord::text(m_EditGyou, GyouRecord::FukuHyouji) == "1") {
        KivMessage(kMsgFukuHyouji);
        ShowSyousai();
    }
    if (GyouRecord::text(m_EditGyou, GyouRecord::ZaiGoukei) == "1") {
        KivMessage(kMsgZaiGoukei);
        ShowSyousai();
    }
}

void CKivView::OnNumberCellClicked() {
    // The whole item is recalculated; a click commits no row, so a row's amount that does not
    // fit is not named again.
    LoadGyou();
    m_RecalcAfterClick = true;
    RecalcKoumoku();
    m_RecalcAfterClick = false;
    RedrawGyou();
}

bool CKivView::TakeRangeStep() {
    if (!BlockSelectIn(*this))
        return false;
    BlockSelectStep();
    return true;
}

bool CKivView::PickingRangeEnd() const { return BlockSelectIn(*this) && g_BlockSelectState == 2; }

void CKivView::OnFunctionKey(int vk) {
    switch (vk) {
    case VK_F1: sendCommand(ID_KOUMOKU_IDOU); break;
    case VK_F2: sendCommand(ID_GYOU_COPY); break;
    case VK_F3: sendCommand(ID_GYOU_INSERT); break;
    case VK_F4: sendCommand(ID_GYOU_DELETE); break;
    case VK_F5: sendCommand(ID_KOUMOKU_INSERT); break;
    // In a window the frame's pane keys take F6 first; its key-up below starts the command.
    case VK_F6: sendCommand(ID_KOUMOKU_DELETE); break;
    default: break;
    }
}

void CKivView::onKeyUp(int vk, int repeat, unsigned flags) {
    // F6 released on the grid starts 項目削除 too, which asks before it deletes: the frame turns
    // the key-down into the pane switch, so the key-up is how F6 reaches the item command.
    if (vk == kiv::ui::VK_F6)
        sendCommand(ID_KOUMOKU_DELETE);
    View::onKeyUp(vk, repeat, flags);
}
