// The master grid's own keys and mouse: Enter on a unit price that the detail writes, the
// function keys, the double click (転送 or the calculator) and the right button (the detail or
// the unit list). Typing, the arrows, a click and the calculator are the grid base's.
#include <algorithm>

#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "grid/CalcDialog.h"
#include "grid/TanniDialog.h"
#include "master/MstDoc.h"
#include "master/MstView.h"
#include "platform/text/Number.h"
#include "platform/ui/Keys.h"

using namespace kiv::ui;

namespace {

constexpr int kTanniBytes = 4;

const char* const kMsgFukuHyouji = "常時複合単価表示になっています。詳細で入力してください。";
const char* const kMsgZaiGoukei = "複数の材料が登録されています。詳細で入力してください。";

} // namespace

void CMstView::OnEnterNumber() {
    if ((m_CurField[0] != GyouRecord::Tanka1 && m_CurField[0] != GyouRecord::Tanka2) || !IsMasterGyou())
        return;
    // A unit price the composite or the material total writes is edited in the detail.
    SavePosition(1);
    bool detail = false;
    if (kiv::text::trimBlanks(GyouRecord::text(m_EditGyou, GyouRecord::FukuHyouji)) == "1") {
        KivMessage(kMsgFukuHyouji);
        detail = true;
    }
    if (kiv::text::trimBlanks(GyouRecord::text(m_EditGyou, GyouRecord::ZaiGoukei)) == "1") {
        KivMessage(kMsgZaiGoukei);
        detail = true;
    }
    if (detail) {
        ShowSyousai();
        LoadGyou();
    }
    RestorePosition(1);
}

void CMstView::OnFunctionKey(int vk) {
    switch (vk) {
    case VK_F1: onCommand(ID_BUN_IDOU); break;
    case VK_F2: onCommand(ID_GYOU_COPY); break;
    case VK_F3: onCommand(ID_GYOU_INSERT); break;
    case VK_F4: onCommand(ID_GYOU_DELETE); break;
    case VK_F5: onCommand(ID_BUN_INSERT); break;
    case VK_F6: onCommand(ID_BUN_DELETE); break;
    default: break;
    }
}

void CMstView::onLButtonDblClk(unsigned flags, Point p) {
    MstDoc* d = GetDocument();
    if (d && IsBlockSelecting()) {
        // A range being picked takes the clicks; nothing is sent or calculated.
    } else if (d && m_FieldPos.IsText == 1) {
        OnTensou();   // a text cell sends the row to the current estimate
    } else {
        CalcOnDoubleClick();
    }
    GridViewBase::onLButtonDblClk(flags, p);
}

void CMstView::onRButtonDown(unsigned flags, Point p) {
    const bool unit = m_CurField[0] == GyouRecord::Tanni;
    if ((m_FieldPos.IsText == 0 || (IsBlockSelecting() && !unit)) && IsMasterGyou()) {
        // A number: the row's breakdown, with what was typed into the cell.
        hideCaret();
        StoreGyou();
        ShowSyousai();
        LoadGyou();
        RecalcGyou();
        RedrawGyou();
        RestorePosition(1);
        NextField();
        ResetVScroll(m_VisibleGyou);
        CalcFieldPos();
        SetCaretToField();
        showCaret();
    } else if (unit) {
        CTanniDialog tanni(this);
        if (tanni.doModal() == IDOK && EnsureCursorGyou()) {
            // The unit's four bytes are blanked first: "本" over "ヶ所" leaves no half of it.
            const int offset = GyouRecord::layout(GyouRecord::Tanni).Offset;
            const std::string unit = tanni.m_Tanni.substr(0, kTanniBytes);
            m_EditGyou.replace(static_cast<std::size_t>(offset), kTanniBytes, kTanniBytes, ' ');
            m_EditGyou.replace(static_cast<std::size_t>(offset), unit.size(), unit);
            StoreGyou();
            hideCaret();
            DrawCurGyou();
            NextField();
            SetImeForField();
            SetCaretToField();
            showCaret();
        }
    } else if (m_FieldPos.IsText == 1) {
        OpenFindDialog();
    }
    GridViewBase::onRButtonDown(flags, p);
}
