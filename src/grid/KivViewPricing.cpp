// CKivView: the row's composite unit price, the detail dialog on the current row, the row
// refresh before the composite unit-price sheet, the partial transfer and command 詳細表示.
#include <algorithm>

#include "estimate/KivMessage.h"
#include "estimate/KivMessagePass.h"
#include "grid/KivView.h"
#include "platform/text/Number.h"
#include "platform/ui/App.h"
#include "pricing/KivDialog.h"
#include "pricing/RowPricing.h"

using G = GyouRecord;

namespace {

// Master-key bytes of a row (its 分類 and ＮＯ) that the partial transfer copies.
constexpr std::size_t kMasterKeyPos = 302;
constexpr std::size_t kMasterKeyLength = 8;

void copyField(std::string& to, const std::string& from, int field) {
    const G::Layout& l = G::layout(field);
    to.replace(static_cast<std::size_t>(l.Offset), static_cast<std::size_t>(l.Width), from,
               static_cast<std::size_t>(l.Offset), static_cast<std::size_t>(l.Width));
}

} // namespace

void CKivView::CalcFukugouTanka() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    SavePosition6();
    RowPricingReport report;
    report.place = {d->CurKoumoku(), d->CurGyou(), false};
    // The dialog opens on the row as the document holds it: what this calculation changed so
    // far goes there first.
    report.showDetail = [this] {
        StoreGyou();
        return ShowSyousai();
    };
    RowPricingRules rules;
    rules.texts = false;   // priced on its numbers: its texts are had again when asked for
    rules.loadedRow = &m_PricedGyou;
    RowPricing p = PriceKivGyou(m_EditGyou, d->GetRoumu(), d->FukugouMarume(), report, rules);
    m_RoumuNo = p.roumuNo;
    m_FukugouKekka = p.result.kekka;
    if (p.result.needSleeve)
        m_NeedSleeve = 1;
    StoreGyou();
    RestorePosition6();
}

KivDetail CKivView::FukugouDetail() const {
    const CKivDoc* d = GetDocument();
    if (!d || m_PricedGyou.empty())
        return KivDetail();
    return PricedKivDetail(m_PricedGyou, d->m_Roumu, d->m_SetteiValues.FukugouMarume);
}

void CKivView::ClearSuuAmount() {
    G::fitLength(m_EditGyou);
    for (int field : {G::HiroidasiSuu1, G::SekisanSuu1, G::Kingaku1, G::Kingaku2})
        G::blank(m_EditGyou, field);
    m_CurField[0] = G::Kingaku2;
    CalcFieldPos();
}

void CKivView::ClearSuuAmount2() {
    G::fitLength(m_EditGyou);
    for (int field : {G::HiroidasiSuu1, G::HiroidasiSuu2, G::Kingaku1, G::Kingaku2})
        G::blank(m_EditGyou, field);
    m_CurField[0] = G::Kingaku2;
    CalcFieldPos();
}

bool CKivView::ShowSyousai() {
    CKivDoc* d = GetDocument();
    if (!d)
        return false;
    // What the user changes in the dialog is a change, even when a recalculation opened it.
    GyouStore::UserEditScope user(*d);
    LoadGyou();
    SavePosition1();
    kivdialog dlg;
    LoadKivDetail(dlg, m_EditGyou, d->GetRoumu());
    m_RoumuNo = dlg.RoumuNumbers();
    dlg.m_Marume = d->FukugouMarume();
    dlg.m_GyouClip = m_SyousaiGyouClip;
    dlg.m_pRoumuDoc = d;
    const bool ok = dlg.doModal() == kiv::ui::IDOK;
    if (ok) {
        m_SyousaiGyouClip = dlg.m_GyouClip;
        const std::vector<std::string> refused = WriteKivDetail(m_EditGyou, dlg, KivWriteBack::Dialog);
        RestorePosition1();
        StoreGyou();
        for (const std::string& m : refused)
            KivMessage(m);
    }
    RestorePosition1();
    return ok;
}

void CKivView::RefreshSyousai() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    SavePosition1();
    RowPricingReport report;
    report.place = {d->CurKoumoku(), d->CurGyou(), false};
    m_RoumuNo = RefreshKivGyou(m_EditGyou, d->GetRoumu(), report);
    RestorePosition1();
    StoreGyou();
    RestorePosition1();
}

void CKivView::ApplyBubunTensou() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    SavePosition1();
    std::string master = d->TensouGyou();
    G::fitLength(master);
    G::fitLength(m_EditGyou);
    // The master row's key, its rates and supply factor and its labour numbers, byte for byte.
    m_EditGyou.replace(kMasterKeyPos, kMasterKeyLength, master, kMasterKeyPos, kMasterKeyLength);
    for (int field = G::Bukake1; field <= G::Sonota2Ritu; ++field)
        copyField(m_EditGyou, master, field);
    for (int field : {G::Roumu1No, G::Roumu2No, G::Roumu3No})
        copyField(m_EditGyou, master, field);
    RestorePosition1();
    StoreGyou();
    ShowSyousai();
}

void CKivView::OnSyousai() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    hideCaret();
    StoreGyou();
    ShowSyousai();
    DrawCurGyou();
    CalcFieldPos();
    LoadGyou();
    {
        KivMessagePass pass;
        RecalcKoumoku();
    }
    RedrawGyou();
    setScrollRange(kiv::ui::SB_VERT, 0, m_VisibleGyou);
    setScrollPos(kiv::ui::SB_VERT, d->CurGyou());
    SetCaretToField();
    showCaret();
    if (kiv::ui::App* app = kiv::ui::App::instance())
        app->doWaitCursor(0);
}
