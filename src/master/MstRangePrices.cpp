// CMstView: the price commands over a range of rows of the current category, picked by two
// clicks — 単価ｺﾋﾟｰ (the rows collected for a 貼り付け that lays their prices over other rows) and
// 行を指定して単価変換 (the rows' prices multiplied by a factor). Both take the one-step undo copy.
#include <algorithm>
#include <string>
#include <vector>

#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "estimate/KivMessagePass.h"
#include "grid/BlockSelect.h"
#include "grid/GyouRowOps.h"
#include "grid/RowClipboard.h"
#include "grid/TankaDialogs.h"
#include "grid/TankaRewrite.h"
#include "master/MstBulk.h"
#include "master/MstDoc.h"
#include "master/MstRowCommands.h"
#include "master/MstView.h"
#include "platform/text/Number.h"
#include "platform/ui/App.h"

namespace {

// The caller's position: the range step saves the end click's position here too.
constexpr int kCommandSlot = 5;

const char* const kAskTankaCopy =
    "行単位でデーターをコピーします。で開始行は品名、規格を左クリックして終了行も左クリックしてください";
const char* const kAskTankaPaste =
    "コピー・移動したい場所にカーソルを移動して張り付けを押してください。実行した場合、元に戻す操作で１回のみ元に"
    "作業前に戻ります。（別ファイルで作業していない場合）";
const char* const kAskGyouTankaHenkan =
    "行単位で単価を変換します。で開始行は品名、規格を左クリックして終了行も左クリックしてください";
const char* const kAskGyouTankaHenkanRun = "実行した場合、１回のみ元に作業前に戻ります。（別ファイルで作業していない場合）";

} // namespace

std::string TooWideMessage(int count, int bun, int gyou) {
    return "10桁を越えるため変換しなかった行が" + std::to_string(count) + "行あります。最初は分類" +
           kiv::text::cformat("%04d", bun) + "の" + std::to_string(gyou) + "行目です。";
}

// ---------------------------------------------------------------------------------------------
// 単価ｺﾋﾟｰ

void CMstView::OnTankaCopy() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    if (IsMasterGyou())
        StoreGyou();
    SavePosition(kCommandSlot);
    StartBlockSelectIn(*this, ID_TANKA_COPY, [this] { TankaCopyRange(); }, kAskTankaCopy);
}

void CMstView::TankaCopyRange() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    GyouStore::UndoCommandScope command(*d);
    SavePosition(kCommandSlot);
    CTankaCopyDialog dlg(this);
    dlg.m_StartGyou = g_BlockStartGyou;
    dlg.m_EndGyou = g_BlockEndGyou;
    if (dlg.doModal() != kiv::ui::IDOK) {
        ClearBlockSelect();
        hideCaret();
        RestorePosition(kCommandSlot);
        LoadGyou();
        RedrawGyou();   // the range marks go
        CalcFieldPos();
        SetCaretToField();
        showCaret();
        return;
    }
    g_BlockStartGyou = dlg.m_StartGyou;
    g_BlockEndGyou = dlg.m_EndGyou;
    ClearBlockSelect();
    // A row past the category's last is collected empty: its paste blanks the prices.
    g_MstRowClipboard.Fill(RowClipKind::TankaCopy, rowops::CollectBlockRows(*this), nullptr, dlg.m_Bikou2 != 0);
    RestorePosition(kCommandSlot);
    LoadGyou();
    // Cancel keeps the rows collected but arms no paste.
    g_MstRowClipboard.Armed = KivAsk(kAskTankaPaste);
    hideCaret();
    RestorePosition(kCommandSlot);
    // A move left pending by 行複写 must not delete rows with this snapshot.
    g_MstBlockMove = 0;
    SaveUndo();
    g_MstBlockUndoReady = 1;
    // Its paste goes on with this command: 元に戻す after it returns to before both.
    g_MstRowClipboard.UndoSerial = d->UndoSerial();
    LoadGyou();
    RedrawGyou();
    ResetVScroll(m_VisibleGyou);
    CalcFieldPos();
    SetCaretToField();
    showCaret();
}

// ---------------------------------------------------------------------------------------------
// 行を指定して単価変換

void CMstView::OnGyouTankaHenkan() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    hideCaret();
    if (IsMasterGyou())
        StoreGyou();
    SavePosition(kCommandSlot);
    if (!StartBlockSelectIn(*this, ID_GYOU_TANKA_HENKAN, [this] { GyouTankaHenkanRange(); }, kAskGyouTankaHenkan))
        RestorePosition(kCommandSlot);
    SetCaretToField();
    showCaret();
}

void CMstView::GyouTankaHenkanRange() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    GyouStore::UndoCommandScope command(*d);
    hideCaret();
    SavePosition(kCommandSlot);
    CGyouTankaHenkanDialog dlg(this);
    dlg.m_StartGyou = g_BlockStartGyou;
    dlg.m_EndGyou = g_BlockEndGyou;
    dlg.m_Kakeritu = 1.0;
    bool run = false;
    if (dlg.doModal() == kiv::ui::IDOK) {
        // The master keeps no as-entered price and no marker: dialog 205's text is not used.
        g_BlockStartGyou = dlg.m_StartGyou;
        g_BlockEndGyou = dlg.m_EndGyou;
        run = KivAsk(kAskGyouTankaHenkanRun);
    }
    ClearBlockSelect();
    RestorePosition(kCommandSlot);
    if (run) {
        g_MstBlockMove = 0;
        SaveUndo();
        g_MstBlockUndoReady = 1;
        const kiv::text::Decimal factor = dlg.m_KakerituValue;
        int refused = 0, firstGyou = 0;
        {
            kiv::ui::App::WaitCursorScope wait;
            KivMessagePass pass;
            const int last = std::min(g_BlockEndGyou, d->GyouCount());
            for (int r = std::max(1, g_BlockStartGyou); r <= last; ++r) {
                d->SetCurGyou(r);
                LoadGyou();
                if (!RewriteTankaFields(m_EditGyou, factor)) {
                    if (refused++ == 0)
                        firstGyou = r;
                    continue;
                }
                RecalcGyou();
                StoreGyou();
            }
        }
        d->StoreKoumokuGyou();
        if (refused > 0)
            KivMessage(TooWideMessage(refused, d->CurKoumoku(), firstGyou));
    } else {
        d->StoreKoumokuGyou();
    }
    RestorePosition(kCommandSlot);
    d->LoadKoumokuGyou();
    RestorePosition(kCommandSlot);
    LoadGyou();
    m_CurField[0] = m_FirstField;
    CalcFieldPos();
    invalidate();
    updateWindow();
    SetCaretToField();
    showCaret();
}
