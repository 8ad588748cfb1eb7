// The master row's composite unit price, the detail dialog on a master row, the recalculation of
// the whole master and the transfer of the current row into the current estimate. The pricing
// is the estimate's own engine with the master's labour list, settings and 材料費計/その他２ base.
#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "estimate/KivMessage.h"
#include "estimate/KivMessagePass.h"
#include "master/MstDoc.h"
#include "master/MstView.h"
#include "platform/text/Number.h"
#include "platform/ui/App.h"
#include "pricing/KivDialog.h"
#include "pricing/RowPricing.h"

using G = GyouRecord;

namespace {

const char* const kMsgNoEstimate =
    "内訳作成用ウィンドウがないか最終のウィンドウを破棄したため転送できません。現在編集中のウィンドウを保存して再呼び出ししてください。";
const char* const kMsgBadBun = "分類番号が正しくありません。1から分類数までの番号を入力してください。";

// The detail dialog's 分類 box as a category number, 0 when it names none.
int bunOfBox(const std::string& box, int koumokuCount) {
    const std::string_view t = kiv::text::trimBlanks(box);
    if (t.empty())
        return 0;
    int n = 0;
    for (char c : t) {
        if (c < '0' || c > '9')
            return 0;
        n = n * 10 + (c - '0');
        if (n > 9999)
            return 0;
    }
    return n >= 1 && n <= koumokuCount ? n : 0;
}

} // namespace

bool CMstView::IsMasterGyou() const {
    const MstDoc* d = GetDocument();
    return d && d->CurGyou() >= 1 && d->CurGyou() <= d->GyouCount();
}

void CMstView::CalcFukugouTanka() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    SavePosition(4);
    RowPricingReport report;
    report.place = {d->CurKoumoku(), d->CurGyou(), true};
    // The dialog opens on the row as the document holds it. Ended by OK, the row is priced once
    // more as the dialog left it, without the question again.
    report.showDetail = [this] {
        StoreGyou();
        return ShowSyousai(false);
    };
    const RowPricingRules rules{FukugouUse::Master, d->IsFukugouStyle(), false};
    RowPricing p = PriceKivGyou(m_EditGyou, d->GetRoumu(), d->FukugouMarume(), report, rules);
    m_LabourNo = p.roumuNo;
    StoreGyou();
    RestorePosition(4);
}

bool CMstView::ShowSyousai(bool price) {
    MstDoc* d = GetDocument();
    if (!d)
        return false;
    // What the user changes in the dialog is a change, even when a recalculation opened it.
    GyouStore::UserEditScope user(*d);
    LoadGyou();
    SavePosition(1);
    const KivDetailSource source{m_BunField, true};
    kivdialog dlg;
    LoadKivDetail(dlg, m_EditGyou, d->GetRoumu(), source);
    m_LabourNo = dlg.RoumuNumbers();
    dlg.m_Marume = d->FukugouMarume();
    dlg.m_GyouClip = m_SyousaiGyouClip;
    dlg.m_MasterRow = true;
    const int count = d->KoumokuCount();
    dlg.m_AcceptOK = [count](const kivdialog& box) {
        if (bunOfBox(box.m_BunNo, count) > 0)
            return true;
        KivMessage(kMsgBadBun);
        return false;
    };
    const bool ok = dlg.doModal() == kiv::ui::IDOK;
    if (ok) {
        m_SyousaiGyouClip = dlg.m_GyouClip;
        const int bun = bunOfBox(dlg.m_BunNo, count);
        // Field 1 is the row's key: it stays the category the row is stored in, and a changed
        // category moves the row there afterwards.
        KivDetail kept = dlg;
        kept.m_BunNo = kiv::text::cformat("%4d", d->CurKoumoku());
        const std::vector<std::string> refused = WriteKivDetail(m_EditGyou, kept, KivWriteBack::Dialog, source);
        G::writeKey(m_EditGyou, d->CurKoumoku(), d->CurGyou());
        for (const std::string& m : refused)
            KivMessage(m);
        if (price)
            CalcFukugouTanka();
        RestorePosition(1);
        StoreGyou();
        if (!price) {
            // Opened by the labour check: its caller still prices and stores this row at the
            // cursor, so the move waits until the row's recalculation has ended.
            m_PendingBun = bun != d->CurKoumoku() ? bun : 0;
        } else {
            const int target = bun != d->CurKoumoku() ? bun : m_PendingBun;
            m_PendingBun = 0;
            if (target > 0 && target != d->CurKoumoku())
                MoveGyouToBun(target);
        }
    }
    RestorePosition(1);
    return ok;
}

void CMstView::RecalcAllGyou() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    StoreGyou();
    SavePosition(1);
    kiv::ui::App* app = kiv::ui::App::instance();
    if (app)
        app->beginWaitCursor();
    {
        // One pass: no dialog per row; each message once at the end.
        KivMessagePass pass;
        for (int bun = 1; bun <= d->KoumokuCount(); ++bun) {
            d->SetCurKoumoku(bun);
            d->LoadKoumokuGyou();
            for (int gyou = 1; gyou <= d->GyouCount(); ++gyou) {
                d->SetCurGyou(gyou);
                LoadGyou();
                RecalcGyou();
                StoreGyou();
            }
            d->StoreKoumokuGyou();
        }
    }
    RestorePosition(1);
    d->LoadKoumokuGyou();
    LoadGyou();
    invalidate();
    updateWindow();
    if (app)
        app->endWaitCursor();
}

void CMstView::OnSyousai() {
    MstDoc* d = GetDocument();
    if (!d || !IsMasterGyou())
        return;
    hideCaret();
    StoreGyou();
    ShowSyousai();
    DrawCurGyou();
    CalcFieldPos();
    LoadGyou();
    RecalcGyou();
    RedrawGyou();
    setScrollRange(kiv::ui::SB_VERT, 0, m_VisibleGyou);
    setScrollPos(kiv::ui::SB_VERT, d->CurGyou());
    SetCaretToField();
    showCaret();
}

bool CMstView::CanTransfer() {
    if (g_pKivDoc)
        return true;
    KivMessage(kMsgNoEstimate);
    return false;
}

void CMstView::OnTensou() {
    MstDoc* d = GetDocument();
    if (!d || !CanTransfer() || !IsMasterGyou())
        return;
    // The row goes as the document holds it.
    d->TensouGyou();
    FocusCurrentEstimate();
}

void CMstView::OnBubunTensou() {
    MstDoc* d = GetDocument();
    if (!d || !CanTransfer() || !IsMasterGyou())
        return;
    d->BubunTensouGyou();
    FocusCurrentEstimate();
}


bool CMstView::MoveGyouToBun(int bun) {
    MstDoc* d = GetDocument();
    if (!d || bun < 1 || bun > d->KoumokuCount() || bun == d->CurKoumoku() || !IsMasterGyou())
        return false;
    const int from = d->CurKoumoku();
    const int gyou = d->CurGyou();
    int targetCount = 0;
    d->ForEachKoumokuSlot(bun, [&](int) { ++targetCount; });
    if (targetCount >= d->Limits().koumokuGyouMax) {
        KivMessage(d->Limits().koumokuFullMessage);
        return false;
    }
    std::string row;
    d->GetCurrentGyou(row);

    // The old category closes up: the later rows move up a place and are renumbered; its last
    // work row goes without a key, which frees its pool slot when the category is stored.
    for (int i = gyou; i < d->GyouCount(); ++i) {
        d->EditWorkGyou(i) = d->WorkGyouAt(i + 1);
        G::writeKey(d->EditWorkGyou(i), from, i);
    }
    d->EditWorkGyou(d->GyouCount()) = G::blankRow();
    d->StoreKoumokuGyou();

    // The target gets a slot; its rows keep their order and the moved row comes last, whatever
    // place in the pool the free slot had.
    d->SetCurKoumoku(bun);
    if (!d->AddGyou()) {
        // Cannot happen after a slot was freed; the row is put back so nothing is lost.
        d->SetCurKoumoku(from);
        d->LoadKoumokuGyou();
        return false;
    }
    std::vector<int> slots;
    std::vector<std::string> rows;
    d->ForEachKoumokuSlot(bun, [&](int j) {
        slots.push_back(j);
        if (G::koumokuOf(d->PoolGyou(j)) == bun)
            rows.push_back(d->PoolGyou(j));
    });
    G::writeKey(row, bun, targetCount + 1);
    rows.push_back(row);
    for (std::size_t k = 0; k < slots.size() && k < rows.size(); ++k)
        d->SetPoolGyou(slots[k], rows[k]);
    d->SetCurKoumoku(from);
    d->LoadKoumokuGyou();
    d->SetModifiedFlag();
    return true;
}
