#pragma once
// CInsatuDialog (134 "印刷設定"): the print kind, exactly one of seven, and four independent
// options of an estimate print job. Built afresh for every job, so it always opens with
// 内訳書印刷 ticked and nothing else.
#include "platform/ui/Dialog.h"

class CInsatuDialog : public kiv::ui::Dialog {
public:
    static constexpr int IDD = 134;
    // Kinds.
    static constexpr int IDC_UTIWAKE = 1129, IDC_HYOUSI_UTIWAKE = 1021, IDC_HYOUSI = 1228, IDC_UTIWAKE_A4 = 1027,
                         IDC_HYOUSI_UTIWAKE_A4 = 1254, IDC_FUKUGOU_TANKAHYOU = 1023, IDC_SOUKATUHYOU = 1022;
    // Options.
    static constexpr int IDC_NO_PAGE_NO = 1029, IDC_ROUMU_NIN = 1030, IDC_KANENUKI = 1024, IDC_BIKOU2 = 1025;

    explicit CInsatuDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogTemplate();

    int m_Soukatuhyou = 0;
    int m_NoPageNo = 0;
    int m_RoumuNin = 0;
    int m_Utiwake = 1;
    int m_Kanenuki = 0;
    int m_HyousiUtiwake = 0;
    int m_FukugouTankahyou = 0;
    int m_Bikou2 = 0;
    int m_UtiwakeA4 = 0;
    int m_Hyousi = 0;
    int m_HyousiUtiwakeA4 = 0;

    void doDataExchange(kiv::ui::DataExchange& dx) override;
    void onOK() override;

    void OnUtiwake() { SelectKind(m_Utiwake); }
    void OnHyousiUtiwake() { SelectKind(m_HyousiUtiwake); }
    void OnHyousi() { SelectKind(m_Hyousi); }
    void OnUtiwakeA4() { SelectKind(m_UtiwakeA4); }
    void OnHyousiUtiwakeA4() { SelectKind(m_HyousiUtiwakeA4); }
    void OnFukugouTankahyou() { SelectKind(m_FukugouTankahyou); }
    void OnSoukatuhyou() { SelectKind(m_Soukatuhyou); }

private:
    // The clicked kind becomes the only one ticked. The options are read from their boxes first,
    // so what the user ticked before the click stays ticked.
    void SelectKind(int& kind);
};
