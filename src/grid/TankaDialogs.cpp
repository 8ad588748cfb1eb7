#include "grid/TankaDialogs.h"

#include "estimate/KivDoc.h"
#include "platform/text/Number.h"

using namespace kiv::ui;

namespace {

constexpr int kMinNo = 1;
constexpr int kMaxNo = 9999;

} // namespace

// ---------------------------------------------------------------------------------------------
// 単価変換、削除

const DialogTemplate& CTankaHenkanDialog::dialogLayout() {
    static const DialogTemplate t{kDialogId, "単価変換、削除", {139, 90},
                                  {ctl::label("分類ごとに単価を一括変換します。", dlu(7, 6, 129, 10)),
                                   ctl::label("変換分類", dlu(7, 22, 34, 10)),
                                   ctl::edit(kStartBun, dlu(42, 20, 30, 12), EditNumber),
                                   ctl::label("～", dlu(75, 22, 10, 10)),
                                   ctl::edit(kEndBun, dlu(87, 20, 30, 12), EditNumber),
                                   ctl::label("掛け率", dlu(7, 38, 34, 10)),
                                   ctl::edit(kKakeritu, dlu(42, 36, 30, 12)),
                                   ctl::label("削除は 0を入力", dlu(75, 38, 60, 10)),
                                   ctl::label("指定項目", dlu(7, 54, 34, 10)),
                                   ctl::edit(kKoumoku, dlu(42, 52, 30, 12), EditNumber),
                                   ctl::check(kAllKoumoku, "全項目指定", dlu(75, 52, 60, 12)),
                                   ctl::defButton(IDOK, "OK", dlu(14, 70, 50, 14)),
                                   ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(75, 70, 50, 14))}};
    return t;
}

CTankaHenkanDialog::CTankaHenkanDialog(Window* parent) : Dialog(dialogLayout(), parent) {
    onClicked(kAllKoumoku, [this] { OnAllKoumoku(); });
}

void CTankaHenkanDialog::doDataExchange(DataExchange& dx) {
    dx.text(kStartBun, m_StartBun, kMinNo, kMaxNo);
    dx.text(kKoumoku, m_Koumoku, kMinNo, kMaxNo);
    dx.check(kAllKoumoku, m_AllKoumoku);
    dx.text(kKakeritu, m_Kakeritu, 0.0, 10.0);
    dx.text(kEndBun, m_EndBun, kMinNo, kMaxNo);
}

void CTankaHenkanDialog::onShowDialog() {
    if (g_pKivDoc && m_OfferEstimateItem)
        m_Koumoku = g_pKivDoc->CurKoumoku();
    m_AllKoumoku = 0;
    updateData(false);
}

void CTankaHenkanDialog::OnAllKoumoku() {
    updateData(true);
    updateData(false);
}

// ---------------------------------------------------------------------------------------------
// 単価コピー

const DialogTemplate& CTankaCopyDialog::dialogLayout() {
    static const DialogTemplate t{kDialogId, "単価コピー", {143, 87},
                                  {ctl::label("複数行の単価､備考をコピーします。", dlu(7, 6, 133, 10)),
                                   ctl::label("開始行", dlu(7, 24, 30, 10)),
                                   ctl::edit(kStartGyou, dlu(40, 22, 40, 12), EditNumber),
                                   ctl::label("終了行", dlu(7, 42, 30, 10)),
                                   ctl::edit(kEndGyou, dlu(40, 40, 40, 12), EditNumber),
                                   ctl::check(kBikou2, "備考2もコピー", dlu(7, 58, 80, 12)),
                                   ctl::defButton(IDOK, "OK", dlu(85, 22, 48, 14)),
                                   ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(85, 40, 48, 14))}};
    return t;
}

CTankaCopyDialog::CTankaCopyDialog(Window* parent) : Dialog(dialogLayout(), parent) {}

void CTankaCopyDialog::doDataExchange(DataExchange& dx) {
    dx.text(kStartGyou, m_StartGyou, kMinNo, kMaxNo);
    dx.text(kEndGyou, m_EndGyou, kMinNo, kMaxNo);
    dx.check(kBikou2, m_Bikou2);
}

// ---------------------------------------------------------------------------------------------
// 行を選択して単価変換

const DialogTemplate& CGyouTankaHenkanDialog::dialogLayout() {
    static const DialogTemplate t{kDialogId, "行を選択して単価変換", {195, 159},
                                  {ctl::label("行を選択して単価１を一括変換します。", dlu(7, 6, 180, 10)),
                                   ctl::label("開始行", dlu(7, 24, 52, 10)),
                                   ctl::edit(kStartGyou, dlu(62, 22, 40, 12)),
                                   ctl::label("終了行", dlu(7, 40, 52, 10)),
                                   ctl::edit(kEndGyou, dlu(62, 38, 40, 12)),
                                   ctl::label("掛け率", dlu(7, 56, 52, 10)),
                                   ctl::edit(kKakeritu, dlu(62, 54, 40, 12)),
                                   ctl::label("備考２に表示", dlu(7, 72, 52, 10)),
                                   ctl::edit(kText, dlu(62, 70, 126, 12), StyleNone, kTextBytes),
                                   ctl::label("以下の機能は内訳作成の機能限定です。", dlu(7, 92, 180, 10)),
                                   ctl::label("この機能で変換した行は掛け率を変えると", dlu(7, 106, 180, 10)),
                                   ctl::label("入力時の単価をその掛け率に再変換します。", dlu(7, 118, 180, 10)),
                                   ctl::label("掛け率が１は入力時の単価に戻ります。", dlu(7, 132, 180, 10)),
                                   ctl::defButton(IDOK, "OK", dlu(138, 22, 50, 14)),
                                   ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(138, 40, 50, 14))}};
    return t;
}

CGyouTankaHenkanDialog::CGyouTankaHenkanDialog(Window* parent) : Dialog(dialogLayout(), parent) {}

void CGyouTankaHenkanDialog::doDataExchange(DataExchange& dx) {
    dx.text(kStartGyou, m_StartGyou, kMinNo, kMaxNo);
    dx.text(kEndGyou, m_EndGyou, kMinNo, kMaxNo);
    dx.text(kKakeritu, m_Kakeritu, 0.0, 100.0);
    if (dx.saving() && !dx.failed())
        m_KakerituValue = kiv::text::parseDecimal(itemText(kKakeritu));
    dx.text(kText, m_Text, kTextBytes);
}

// ---------------------------------------------------------------------------------------------
// 単価表NO自動書き込み

const DialogTemplate& CTankaNoDialog::dialogLayout() {
    static const DialogTemplate t{kDialogId, "単価表NO自動書き込み", {174, 103},
                                  {ctl::label("入力例:：単価表-", dlu(7, 6, 100, 10)),
                                   ctl::edit(kPrefix, dlu(7, 18, 100, 12), StyleNone, kPrefixBytes),
                                   ctl::check(kMoveBikou2, "備考２を詳細の１に移動", dlu(7, 38, 120, 12)),
                                   ctl::label("（詳細が１行で備考のない場合）", dlu(17, 51, 120, 10)),
                                   ctl::check(kRenumber, "単価ＮＯを１から整理します。", dlu(7, 68, 130, 12)),
                                   ctl::defButton(IDOK, "OK", dlu(117, 6, 50, 14)),
                                   ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(117, 24, 50, 14))}};
    return t;
}

CTankaNoDialog::CTankaNoDialog(Window* parent) : Dialog(dialogLayout(), parent) {}

void CTankaNoDialog::doDataExchange(DataExchange& dx) {
    dx.check(kMoveBikou2, m_MoveBikou2);
    dx.text(kPrefix, m_Prefix, kPrefixBytes);
    dx.check(kRenumber, m_Renumber);
}
