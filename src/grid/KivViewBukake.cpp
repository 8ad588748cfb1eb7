// The two commands that connect the productivity-rate tables to the estimate: 歩掛けﾌｧｲﾙ選択
// chooses each table kind's file, 歩掛け選択 puts a rate worked out in the rate calculator into
// 歩掛１ of the current row.
#include "estimate/GyouRecord.h"
#include "grid/KivView.h"
#include "platform/text/Number.h"
#include "pricing/BukakeFileDialog.h"
#include "pricing/BukakeSelectDialog.h"

void CKivView::OnBukakeFile() {
    CBukakeFileDialog dlg;
    dlg.doModal();
}

void CKivView::OnBukakeSelect() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    SavePosition1();
    CBukakeSelectDialog dlg;
    // The row takes the rate only after 内訳に送る with a computed rate; 保存, ｷｬﾝｾﾙ and the
    // zero-rate message leave it as it was.
    if (dlg.doModal() == CBukakeSelectDialog::kSend && dlg.RateSent()) {
        // On the row after the item's last that row joins the item first, as the first edit
        // typed there makes it do (at the item's limit: the message, nothing written).
        if (EnsureCursorGyou()) {
            m_CurField[0] = GyouRecord::Bukake1;
            CalcFieldPos();
            const auto width = static_cast<std::size_t>(m_FieldPos.Width);
            m_EditGyou.replace(static_cast<std::size_t>(m_FieldPos.Offset), width,
                               kiv::text::leftChars(dlg.SentRateText(), width));
            StoreGyou();
            // The amounts follow at the next recalculation of the row or the item.
            d->MarkNeedsRecalc();
            RedrawGyou();
        }
    }
    RestorePosition1();
    CalcFieldPos();
}
