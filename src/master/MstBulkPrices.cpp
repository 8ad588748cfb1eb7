// CMstView: the bulk changes of prices and rates — 単価変換、削除 and その他率を変換 over a range of
// categories picked in 分類選択, 旧電気ﾏｽﾀｰを変換 of every line, and 歩掛け選択 into the cursor row.
// The range conversions take no undo copy and say so before they run.
#include <string>

#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "estimate/KivMessagePass.h"
#include "grid/TankaRewrite.h"
#include "master/MstBulk.h"
#include "master/MstDialogs.h"
#include "master/MstDoc.h"
#include "master/MstRowCommands.h"
#include "master/MstView.h"
#include "platform/text/Number.h"
#include "platform/ui/App.h"
#include "platform/ui/Dialog.h"
#include "pricing/BukakeSelectDialog.h"

using G = GyouRecord;

namespace {

const char* const kAskTankaHenkan = "分類毎に単価を変換、削除します。";
const char* const kAskSonotaHenkan = "分類毎にその他を変換します。";
const char* const kAskIrreversible = "実行すると元には戻りません。よろしいですか？";
const char* const kMsgTooSmall = "入力された数値が小さすぎます。再入力してください。";
const char* const kMsgBunOrder = "最初の数値をあとの数値より小さく再入力してください。";
const char* const kMsgSonotaNotNumber = "その他率は数値で入力してください。";
const char* const kAskOldDenki = "電気KivのマスターファイルをKiv用に変換します。";
const char* const kAskOldDenkiRun = "実行すると元には戻りません。";

bool blankText(std::string_view s) { return kiv::text::trimBlanks(s).empty(); }

// The range check both category conversions make before they run; false after its message.
bool BunRangeOk(int from, int to) {
    if (from < 1 || to < 1) {
        KivMessage(kMsgTooSmall);
        return false;
    }
    if (from > to) {
        KivMessage(kMsgBunOrder);
        return false;
    }
    return true;
}

} // namespace

bool IsSonotaRituText(std::string_view text) {
    return blankText(text) || kiv::ui::isNumberText(text, true);
}

void ApplySonotaRitu(std::string& row, std::string_view ritu1, std::string_view ritu2) {
    G::padLength(row);
    // A row without labour and without 雑材 has no use for the rates: only clearing reaches it.
    const bool unused = G::toDecimal(row, G::Bukake1).isZero() && G::toDecimal(row, G::Bukake2).isZero() &&
                        G::toDecimal(row, G::ZatuzaiRitu).isZero();
    const auto put = [&](int field, std::string_view ritu) {
        if (blankText(ritu)) {
            G::blank(row, field);
        } else if (!unused) {
            G::blank(row, field);
            G::putNumber(row, field, kiv::text::trimBlanks(ritu));
        }
    };
    put(G::Sonota1Ritu, ritu1);
    put(G::Sonota2Ritu, ritu2);
}

int CMstView::ForBunRange(int from, int to, const std::function<bool(std::string&)>& change, int& firstBun,
                          int& firstGyou) {
    MstDoc* d = GetDocument();
    int refused = 0;
    firstBun = firstGyou = 0;
    if (!d)
        return 0;
    kiv::ui::App::WaitCursorScope wait;
    KivMessagePass pass;
    for (int bun = from; bun <= to && bun <= d->KoumokuCount(); ++bun) {
        d->SetCurKoumoku(bun);
        d->LoadKoumokuGyou();
        for (int gyou = 1; gyou <= d->GyouCount(); ++gyou) {
            d->SetCurGyou(gyou);
            LoadGyou();
            ReadBunNo();
            if (m_BunNo == 0 || m_BunNo < from || m_BunNo > to)
                continue;
            if (!change(m_EditGyou)) {
                if (refused++ == 0) {
                    firstBun = bun;
                    firstGyou = gyou;
                }
                continue;
            }
            RecalcGyou();
            StoreGyou();
        }
        d->StoreKoumokuGyou();
    }
    return refused;
}

// Shared start of both category conversions: the cursor row and the category's rows written
// back, the question, the labels and 分類選択. A declined question or a cancelled 分類選択 leaves
// the range at category 1 alone; false when the range was not picked.
static bool PickBunRange(CMstView& v, MstDoc& d, const char* question) {
    v.hideCaret();
    v.SavePosition(5);
    if (v.IsMasterGyou())
        v.StoreGyou();
    d.StoreKoumokuGyou();
    bool picked = false;
    if (KivAsk(question)) {
        // The tree's root shows the master being converted.
        d.SetBunSelectRoot(d.GetPathName());
        v.RebuildKoumokuListNoCalc();
        CMbunSerectDialog dlg(d, &v);
        picked = dlg.doModal() == kiv::ui::IDOK;
    }
    if (!picked)
        d.SetBunRange(1, 1);
    v.RestorePosition(5);
    v.CalcFieldPos();
    return picked;
}

void CMstView::OnTankaHenkan() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    // Whatever happens at the question or in 分類選択, the price dialog still asks for the factor.
    PickBunRange(*this, *d, kAskTankaHenkan);
    g_MstTankaHenkanBusy = 1;
    CMtankaHenkanDialog dlg(this);
    dlg.m_BunFrom = d->BunFrom();
    dlg.m_BunTo = d->BunTo();
    dlg.m_Kakeritu = 1.0;
    if (dlg.doModal() == kiv::ui::IDOK && BunRangeOk(d->BunFrom(), d->BunTo()) && KivAsk(kAskIrreversible)) {
        const kiv::text::Decimal factor = dlg.m_KakerituValue;
        int firstBun = 0, firstGyou = 0;
        const int refused = ForBunRange(
            d->BunFrom(), d->BunTo(), [&](std::string& row) { return RewriteTankaFields(row, factor); }, firstBun,
            firstGyou);
        if (refused > 0)
            KivMessage(TooWideMessage(refused, firstBun, firstGyou));
    }
    g_MstTankaHenkanBusy = 0;
    RestorePosition(5);
    d->LoadKoumokuGyou();
    RestorePosition(5);
    LoadGyou();
    CalcFieldPos();
    SetCaretToField();
    showCaret();
    invalidate();
    updateWindow();
}

void CMstView::OnSonotaHenkan() {
    MstDoc* d = GetDocument();
    if (!d)
        return;
    bool run = false;
    std::string ritu1, ritu2;
    if (PickBunRange(*this, *d, kAskSonotaHenkan)) {
        CMsonotahenkanDialog dlg(this);
        dlg.m_BunFrom = d->BunFrom();
        dlg.m_BunTo = d->BunTo();
        if (dlg.doModal() == kiv::ui::IDOK) {
            ritu1 = dlg.m_Sonota1Ritu;
            ritu2 = dlg.m_Sonota2Ritu;
            // A rate that is no number would be read as 0 by every later pricing of the row.
            if (!IsSonotaRituText(ritu1) || !IsSonotaRituText(ritu2))
                KivMessage(kMsgSonotaNotNumber);
            else
                run = BunRangeOk(d->BunFrom(), d->BunTo()) & KivAsk(kAskIrreversible);
        }
    }
    if (run) {
        int firstBun = 0, firstGyou = 0;
        ForBunRange(
            d->BunFrom(), d->BunTo(),
            [&](std::string& row) {
                ApplySonotaRitu(row, ritu1, ritu2);
                return true;
            },
            firstBun, firstGyou);
    }
    RestorePosition(5);
    d->LoadKoumokuGyou();
    RestorePosition(5);
    LoadGyou();
    CalcFieldPos();
    RedrawGyou();
    SetCaretToField();
    showCaret();
    ResetVScroll(m_VisibleGyou);
}

void CMstView::OnOldDenkiMaster() {
    MstDoc* d = GetDocument();
    if (!d || !KivAsk(kAskOldDenki) || !KivAsk(kAskOldDenkiRun))
        return;
    hideCaret();
    // The category's rows being edited are converted with the rest.
    if (IsMasterGyou())
        StoreGyou();
    d->StoreKoumokuGyou();
    SavePosition(5);
    d->ConvertDenkiGyou();
    d->SetModifiedFlag();
    RestorePosition(5);
    d->LoadKoumokuGyou();
    LoadGyou();
    m_CurField[0] = m_FirstField;
    CalcFieldPos();
    invalidate();
    updateWindow();
    SetCaretToField();
    showCaret();
}

void CMstView::OnBukakeSelect() {
    if (!GetDocument())
        return;
    SavePosition(1);
    CBukakeSelectDialog dlg(this);
    // Only 内訳に送る with a computed rate writes it; the row is priced at its next recalculation.
    if (dlg.doModal() == CBukakeSelectDialog::kSend && dlg.RateSent() && EnsureCursorGyou()) {
        G::blank(m_EditGyou, G::Bukake1);
        G::putText(m_EditGyou, G::Bukake1, dlg.SentRateText());
        StoreGyou();
        RedrawGyou();
    }
    RestorePosition(1);
    CalcFieldPos();
}
