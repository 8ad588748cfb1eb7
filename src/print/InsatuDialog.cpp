#include "print/InsatuDialog.h"

namespace ctl = kiv::ui::ctl;
using kiv::ui::dlu;

const kiv::ui::DialogTemplate& CInsatuDialog::dialogTemplate() {
    static const kiv::ui::DialogTemplate t{
        IDD, "印刷設定", {251, 131},
        {
            ctl::check(IDC_SOUKATUHYOU, "総括表印刷", dlu(14, 107, 58, 10)),
            ctl::check(IDC_NO_PAGE_NO, "ページＮＯを付けない", dlu(103, 15, 98, 10)),
            ctl::check(IDC_ROUMU_NIN, "労務費を人で表示", dlu(103, 30, 84, 10)),
            ctl::check(IDC_UTIWAKE, "内訳書印刷", dlu(15, 15, 58, 10)),
            ctl::check(IDC_KANENUKI, "金抜き印刷する", dlu(103, 45, 73, 10)),
            ctl::check(IDC_HYOUSI_UTIWAKE, "表紙付内訳書印刷", dlu(15, 30, 82, 10)),
            ctl::check(IDC_FUKUGOU_TANKAHYOU, "複合単価表印刷", dlu(14, 91, 74, 10)),
            ctl::check(IDC_BIKOU2, "備考2を印刷", dlu(103, 60, 62, 10)),
            ctl::check(IDC_UTIWAKE_A4, "A4縦内訳書", dlu(15, 60, 58, 10)),
            ctl::check(IDC_HYOUSI, "表紙印刷", dlu(15, 45, 50, 10)),
            ctl::check(IDC_HYOUSI_UTIWAKE_A4, "A4縦表紙付内訳書印刷", dlu(15, 75, 98, 10)),
            ctl::defButton(kiv::ui::IDOK, "OK", dlu(204, 7, 40, 16)),
            ctl::button(kiv::ui::IDCANCEL, "ｷｬﾝｾﾙ", dlu(204, 26, 40, 16)),
        }};
    return t;
}

CInsatuDialog::CInsatuDialog(kiv::ui::Window* parent) : Dialog(dialogTemplate(), parent) {
    onClicked(IDC_UTIWAKE, [this] { OnUtiwake(); });
    onClicked(IDC_HYOUSI_UTIWAKE, [this] { OnHyousiUtiwake(); });
    onClicked(IDC_HYOUSI, [this] { OnHyousi(); });
    onClicked(IDC_UTIWAKE_A4, [this] { OnUtiwakeA4(); });
    onClicked(IDC_HYOUSI_UTIWAKE_A4, [this] { OnHyousiUtiwakeA4(); });
    onClicked(IDC_FUKUGOU_TANKAHYOU, [this] { OnFukugouTankahyou(); });
    onClicked(IDC_SOUKATUHYOU, [this] { OnSoukatuhyou(); });
}

void CInsatuDialog::doDataExchange(kiv::ui::DataExchange& dx) {
    dx.check(IDC_SOUKATUHYOU, m_Soukatuhyou);
    dx.check(IDC_NO_PAGE_NO, m_NoPageNo);
    dx.check(IDC_ROUMU_NIN, m_RoumuNin);
    dx.check(IDC_UTIWAKE, m_Utiwake);
    dx.check(IDC_KANENUKI, m_Kanenuki);
    dx.check(IDC_HYOUSI_UTIWAKE, m_HyousiUtiwake);
    dx.check(IDC_FUKUGOU_TANKAHYOU, m_FukugouTankahyou);
    dx.check(IDC_BIKOU2, m_Bikou2);
    dx.check(IDC_UTIWAKE_A4, m_UtiwakeA4);
    dx.check(IDC_HYOUSI, m_Hyousi);
    dx.check(IDC_HYOUSI_UTIWAKE_A4, m_HyousiUtiwakeA4);
}

void CInsatuDialog::onOK() {
    if (updateData(true))
        endDialog(kiv::ui::IDOK);
}

void CInsatuDialog::SelectKind(int& kind) {
    updateData(true);
    for (int* k : {&m_Utiwake, &m_HyousiUtiwake, &m_Hyousi, &m_UtiwakeA4, &m_HyousiUtiwakeA4, &m_FukugouTankahyou,
                   &m_Soukatuhyou})
        *k = 0;
    kind = 1;
    updateData(false);
}
