#include "pricing/KivDialog.h"

#include "pricing/FukugouEngine.h"
#include "resources/KivDialogResources.h"

using namespace res;

kivdialog::kivdialog(kiv::ui::Window* parent) : Dialog(kivDialogTemplate(), parent) {
    onClicked(IDC_FUKUHYOUJI, [this] { OnFukuHyouji(); });
}

void kivdialog::doDataExchange(kiv::ui::DataExchange& dx) {
    dx.text(IDC_BUNNO, m_BunNo, 4);
    dx.text(IDC_BUNGYOUNO, m_BunGyouNo, 4);
    dx.text(IDC_HINMEI, m_Hinmei, 30);
    dx.text(IDC_KIKAKU, m_Kikaku, 30);
    dx.text(IDC_TANNI, m_Tanni, 4);
    dx.text(IDC_FUKUGOUTANKA1, m_FukugouTanka1, 10);
    dx.text(IDC_FUKUGOUTANKA2, m_FukugouTanka2, 10);
    dx.text(IDC_BIKOU1, m_Bikou1, 30);
    dx.text(IDC_BIKOU2, m_Bikou2, 30);
    for (std::size_t k = 0; k < static_cast<std::size_t>(kZaiLines); ++k) {
        dx.text(IDC_ZAIHINMEI[k], m_ZaiHinmei[k], 30);
        dx.text(IDC_ZAIKIKAKU[k], m_ZaiKikaku[k], 30);
        dx.text(IDC_ZAISUU[k], m_ZaiSuu[k], 5);
        dx.text(IDC_ZAITANNI[k], m_ZaiTanni[k], 4);
        dx.text(IDC_ZAITANKA1[k], m_ZaiTanka1[k], 10);
        dx.text(IDC_ZAIKINGAKU1[k], m_ZaiKingaku1[k], 13);
        dx.text(IDC_ZAITANKA2[k], m_ZaiTanka2[k], 10);
        dx.text(IDC_ZAIKINGAKU2[k], m_ZaiKingaku2[k], 13);
        dx.text(IDC_ZAIBIKOU[k], m_ZaiBikou[k], 30);
    }
    for (std::size_t j = 0; j < static_cast<std::size_t>(kRoumuLines); ++j) {
        dx.text(IDC_ROUMUNO[j], m_RoumuNo[j], 2);
        dx.text(IDC_ROUMUSYOKUSYU[j], m_RoumuSyokusyu[j], 12);
        dx.text(IDC_ROUMUBUKAKE[j], m_RoumuBukake[j], 6);
        dx.text(IDC_ROUMUTANNI[j], m_RoumuTanni[j], 4);
        dx.text(IDC_ROUMUTANKA1[j], m_RoumuTanka1[j], ROUMUTANKA1_LIMIT[j]);
        dx.text(IDC_ROUMUKINGAKU1[j], m_RoumuKingaku1[j], 13);
        dx.text(IDC_ROUMUTANKA2[j], m_RoumuTanka2[j], 13);
        dx.text(IDC_ROUMUKINGAKU2[j], m_RoumuKingaku2[j], 13);
        dx.text(IDC_ROUMUBIKOU[j], m_RoumuBikou[j]);
    }
    // Each lump-sum line's boxes exchange that line's own texts.
    auto issiki = [&](const IssikiIds& ids, IssikiLine& l) {
        dx.text(ids.ritu, l.Ritu, ids.rituLimit);
        dx.text(ids.suu, l.Suu, 4);
        dx.text(ids.tanni, l.Tanni, 4);
        dx.text(ids.kingaku1, l.Kingaku1, 13);
        dx.text(ids.kingaku2, l.Kingaku2, 13);
    };
    issiki(IDC_TUGITE, m_Tugite);
    issiki(IDC_SETUGOU, m_Setugou);
    issiki(IDC_SIJI, m_Siji);
    issiki(IDC_FUZOKU, m_Fuzoku);
    issiki(IDC_ZATUZAI, m_Zatuzai);
    issiki(IDC_UNPAN, m_Unpan);
    issiki(IDC_HATURI, m_Haturi);
    issiki(IDC_SONOTA1, m_Sonota1);
    issiki(IDC_SONOTA2, m_Sonota2);
    dx.text(IDC_ZAIKEI1, m_ZaiKei1, 13);
    dx.text(IDC_ZAIKEI2, m_ZaiKei2, 13);
    dx.text(IDC_ROUMUKEI1, m_RoumuKei1, 13);
    dx.text(IDC_ROUMUKEI2, m_RoumuKei2, 13);
    dx.text(IDC_ZAIKOUKEI1, m_ZaikouKei1, 13);
    dx.text(IDC_ZAIKOUKEI2, m_ZaikouKei2, 13);
    dx.check(IDC_FUKUHYOUJI, m_FukuHyouji);
    dx.check(IDC_ZAIGOUKEI, m_ZaiGoukei);
}

void kivdialog::onShowDialog() {
    // A member longer than its box stops the take-in there with the framework's message; the
    // dialog still opens and recalculates on what was taken in.
    updateData(true);
    setImeOpen(true);
    Recalc();
    gotoControl(IDC_HINMEI);
}

void kivdialog::Recalc() {
    CalcFukugou(*this, {m_Marume, FukugouUse::Dialog});
    showComputed();
}

void kivdialog::showComputed() {
    for (std::size_t k = 0; k < static_cast<std::size_t>(kZaiLines); ++k) {
        setItemText(IDC_ZAIKINGAKU1[k], m_ZaiKingaku1[k]);
        setItemText(IDC_ZAIKINGAKU2[k], m_ZaiKingaku2[k]);
    }
    for (std::size_t j = 0; j < static_cast<std::size_t>(kRoumuLines); ++j) {
        setItemText(IDC_ROUMUKINGAKU1[j], m_RoumuKingaku1[j]);
        setItemText(IDC_ROUMUKINGAKU2[j], m_RoumuKingaku2[j]);
    }
    auto issiki = [&](const IssikiIds& ids, const IssikiLine& l) {
        setItemText(ids.kingaku1, l.Kingaku1);
        setItemText(ids.kingaku2, l.Kingaku2);
    };
    issiki(IDC_TUGITE, m_Tugite);
    issiki(IDC_SETUGOU, m_Setugou);
    issiki(IDC_SIJI, m_Siji);
    issiki(IDC_FUZOKU, m_Fuzoku);
    issiki(IDC_ZATUZAI, m_Zatuzai);
    issiki(IDC_UNPAN, m_Unpan);
    issiki(IDC_HATURI, m_Haturi);
    issiki(IDC_SONOTA1, m_Sonota1);
    issiki(IDC_SONOTA2, m_Sonota2);
    setItemText(IDC_ZAIKEI1, m_ZaiKei1);
    setItemText(IDC_ZAIKEI2, m_ZaiKei2);
    setItemText(IDC_ROUMUKEI1, m_RoumuKei1);
    setItemText(IDC_ROUMUKEI2, m_RoumuKei2);
    setItemText(IDC_ZAIKOUKEI1, m_ZaikouKei1);
    setItemText(IDC_ZAIKOUKEI2, m_ZaikouKei2);
    setItemText(IDC_FUKUGOUTANKA1, m_FukugouTanka1);
    setItemText(IDC_FUKUGOUTANKA2, m_FukugouTanka2);
    checkButton(IDC_ZAIGOUKEI, m_ZaiGoukei);
}
