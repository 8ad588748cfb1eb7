#include "estimate/FukugouDialog.h"

using namespace kiv::ui;

const DialogTemplate& CfukugouDialog::dialogLayout() {
    static const DialogTemplate t{kDialogId, "複合単価か労務費を計上して計算", {},
                                  {ctl::check(kFukugou, "複合単価で計算する", dlu(10, 10, 150, 10)),
                                   ctl::check(kNokosu, "労務費計上内訳書の内容を残す", dlu(10, 26, 150, 10)),
                                   ctl::label("※労務費計上で積算モードの労務費はマスターファイル", dlu(10, 46, 235, 8)),
                                   ctl::label("の労務費分類のの2行目の単価を使用していますので", dlu(10, 57, 235, 8)),
                                   ctl::label("複合労務単価に合わせる必要があります。", dlu(10, 68, 235, 8)),
                                   ctl::defButton(IDOK, "OK", dlu(195, 7, 50, 14)),
                                   ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(195, 25, 50, 14))}};
    return t;
}

CfukugouDialog::CfukugouDialog(Window* parent) : SetteiEditDialog(dialogLayout(), parent) {}

void CfukugouDialog::doDataExchange(DataExchange& dx) {
    dx.check(kFukugou, m_Fukugou);
    dx.check(kNokosu, m_Nokosu);
}

void CfukugouDialog::showSettei(const SetteiRecord& record) {
    m_Fukugou = record.byte(SetteiRecord::SekisanYousikiPos) == '1' ? 1 : 0;
    m_Nokosu = 0;
    updateData(false);
}

void CfukugouDialog::storeSettei(SetteiRecord& record) { record.setSekisanYousiki(m_Fukugou != 0); }
