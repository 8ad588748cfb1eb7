// CKivView: the row's composite unit price, the detail dialog on the current row, the row
// refresh before the composite unit-price sheet, the partial transfer and command 詳細表示.
#include <algorithm>

#include "estimate/KivMessage.h"
#include "estimate/KivMessagePass.h"
#include "grid/KivView.h"
#include "platform/text/Number.h"
#include "platform/ui/App.h"
#include "pricing/KivDialog.h"

using G = GyouRecord;

namespace {

const std::string kSeveralMaterials =
    "複数の材料が登録されていますので材料を合計して表示にチェックは解除されません。";
const std::string kLabourMissing1 = "編集中の行に労務単価1が入力されていません。";
const std::string kLabourMissing2 = "行目の細詳を呼び出して確認してください。";
// Collected over a pass, where the row of each message is given apart.
const std::string kLabourMissingPass = "労務単価1が入力されていない行があります。細詳を呼び出して確認してください。";
const std::string kTooWide = "複合単価が10桁を越ています。訂正してください。";

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
    G::fitLength(m_EditGyou);
    const FukugouOptions options{d->m_SetteiValues.FukugouMarume, FukugouUse::Row};
    const RowPlace place{d->m_CurKoumoku[0], d->m_CurGyou[0], false};

    KivDetail detail;
    auto price = [&] {
        LoadKivDetail(detail, m_EditGyou, d->m_Roumu);
        m_RoumuNo = detail.RoumuNumbers();
        return CalcFukugou(detail, options);
    };
    // Several materials priced while 材料を合計して表示 is off: the flag goes on. A row that had
    // neither flag took material line 1 from its own 補給 and unit prices; with the flag set the
    // next load takes line 1 from the line's own fields, so they receive those values now.
    auto severalMaterials = [&](const FukugouResult& r) {
        if (!r.severalMaterials)
            return;
        if (!detail.m_FukuHyouji) {
            if (G::isBlank(m_EditGyou, G::Hokyuu))
                G::putNumber(m_EditGyou, G::Zai1Suu, G::DefaultHokyuu);
            else
                G::putNumber(m_EditGyou, G::Zai1Suu, std::string(G::text(m_EditGyou, G::Hokyuu)));
            G::putNumber(m_EditGyou, G::Zai1Tanka1, std::string(G::text(m_EditGyou, G::Tanka1)));
            G::putNumber(m_EditGyou, G::Zai1Tanka2, std::string(G::text(m_EditGyou, G::Tanka2)));
        }
        G::putNumber(m_EditGyou, G::ZaiGoukei, "1");
        KivRowMessage(kSeveralMaterials, place);
    };

    FukugouResult r = price();
    severalMaterials(r);
    if (r.labourPriceMissing) {
        const std::string text = kLabourMissing1 + kiv::text::cformat("%04d", place.gyou) + kLabourMissing2;
        if (KivRowMessage(text, place, kLabourMissingPass)) {
            // The dialog opens on the row as the document holds it: what this calculation
            // changed so far goes there first.
            StoreGyou();
            if (ShowSyousai()) {
                // Priced again as the dialog left the row; the user has just seen the labour
                // line, so there is no second question.
                r = price();
                severalMaterials(r);
            }
        }
    }

    // Write-back: 13/14 for 常時複合単価で表示する (as loaded), then 15/16. A composite that does not
    // fit its 10 characters leaves the track's fields blank.
    const std::array<int, 2> tanka{G::Tanka1, G::Tanka2};
    const std::array<int, 2> fukugou{G::FukugouTanka1, G::FukugouTanka2};
    auto writes = [&](std::size_t i) { return !r.compositeText[i].empty() && !r.tooWide[i]; };
    if (detail.m_FukuHyouji)
        for (std::size_t i = 0; i < 2; ++i) {
            G::blank(m_EditGyou, tanka[i]);
            if (writes(i))
                G::putNumber(m_EditGyou, tanka[i], r.compositeText[i]);
        }
    for (std::size_t i = 0; i < 2; ++i) {
        G::blank(m_EditGyou, fukugou[i]);
        if (writes(i))
            G::putNumber(m_EditGyou, fukugou[i], r.compositeText[i]);
    }
    for (std::size_t i = 0; i < 2; ++i)
        if (r.tooWide[i])
            KivRowMessage(kTooWide, place);

    m_FukugouKekka = r.kekka;
    m_FukugouDetail = std::move(detail);
    if (r.needSleeve)
        m_NeedSleeve = 1;
    StoreGyou();
    RestorePosition6();
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
    LoadGyou();
    SavePosition1();
    kivdialog dlg;
    LoadKivDetail(dlg, m_EditGyou, d->m_Roumu);
    m_RoumuNo = dlg.RoumuNumbers();
    dlg.m_Marume = d->m_SetteiValues.FukugouMarume;
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
    G::fitLength(m_EditGyou);
    const KivDetailSource source{G::BunNo, false};
    KivDetail detail;
    LoadKivDetail(detail, m_EditGyou, d->m_Roumu, source);
    m_RoumuNo = detail.RoumuNumbers();
    const std::vector<std::string> refused = WriteKivDetail(m_EditGyou, detail, KivWriteBack::Refresh, source);
    RestorePosition1();
    StoreGyou();
    RestorePosition1();
    const RowPlace place{d->m_CurKoumoku[0], d->m_CurGyou[0], false};
    for (const std::string& m : refused)
        KivRowMessage(m, place);
}

void CKivView::ApplyBubunTensou() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    SavePosition1();
    std::string master = d->m_TensouGyou;
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
    setScrollPos(kiv::ui::SB_VERT, d->m_CurGyou[0]);
    SetCaretToField();
    showCaret();
    if (kiv::ui::App* app = kiv::ui::App::instance())
        app->doWaitCursor(0);
}
