#include "pricing/KivDialog.h"

#include "estimate/KivDoc.h"
#include "estimate/RecalcSeams.h"
#include "estimate/RoumuDialog.h"
#include "estimate/RoumuList.h"
#include "platform/text/Number.h"
#include "platform/ui/MessageBox.h"
#include "pricing/FukugouEngine.h"
#include "resources/KivDialogResources.h"

using namespace res;
using kiv::ui::Notify;

namespace {

const char* const kRoumuCancelledMessage = "労務単価の入力を中止します。";

// The NO box holds two characters: registration number 100 has no NO to be written as.
constexpr int kLargestRoumuNo = 99;

} // namespace

kivdialog::kivdialog(kiv::ui::Window* parent) : Dialog(kivDialogTemplate(), parent) {
    onClicked(IDC_FUKUHYOUJI, [this] { OnFukuHyouji(); });

    // Every box a price depends on recalculates as it is typed into.
    auto input = [this](int id) { onNotify(id, Notify::Change, [this] { OnChangeInput(); }); };
    for (std::size_t k = 0; k < static_cast<std::size_t>(kZaiLines); ++k)
        for (int id : {IDC_ZAISUU[k], IDC_ZAITANKA1[k], IDC_ZAITANKA2[k]})
            input(id);
    for (std::size_t j = 0; j < static_cast<std::size_t>(kRoumuLines); ++j)
        for (int id : {IDC_ROUMUBUKAKE[j], IDC_ROUMUTANKA1[j], IDC_ROUMUTANKA2[j]})
            input(id);
    for (const IssikiIds& l : {IDC_TUGITE, IDC_SETUGOU, IDC_SIJI, IDC_FUZOKU, IDC_ZATUZAI, IDC_UNPAN, IDC_HATURI,
                               IDC_SONOTA1, IDC_SONOTA2})
        input(l.ritu);
    // A click is taken in and at once overridden by what lines 2-7 carry.
    onClicked(IDC_ZAIGOUKEI, [this] { OnChangeInput(); });

    for (int k = 1; k <= kZaiLines; ++k)
        onNotify(IDC_ZAIHINMEI[static_cast<std::size_t>(k - 1)], Notify::SetFocus, [this, k] { OnSetfocusZaiName(k); });
    onClicked(IDC_GYOUINSERT, [this] { OnGyouInsert(); });
    onClicked(IDC_GYOUDELETE, [this] { OnGyouDelete(); });
    onClicked(IDC_GYOUCOPY, [this] { OnGyouCopy(); });
    onClicked(IDC_GYOUPASTE, [this] { OnGyouPaste(); });
    onClicked(IDC_COPYTOZAI1, [this] { OnCopyToZai1(); });

    for (int j = 1; j <= kRoumuLines; ++j) {
        onNotify(IDC_ROUMUNO[static_cast<std::size_t>(j - 1)], Notify::SetFocus, [this, j] { OnSetfocusRoumuNo(j); });
        onNotify(IDC_ROUMUNO[static_cast<std::size_t>(j - 1)], Notify::Change, [this, j] { OnChangeRoumuNo(j); });
    }
    onClicked(IDC_ROUMUHYOUJI, [this] { OnRoumuHyouji(); });
}

void kivdialog::doDataExchange(kiv::ui::DataExchange& dx) {
    dx.number(IDC_BUNNO, m_BunNo, 4);
    dx.number(IDC_BUNGYOUNO, m_BunGyouNo, 4);
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
        dx.number(IDC_ZAISUU[k], m_ZaiSuu[k], 5);
        dx.text(IDC_ZAITANNI[k], m_ZaiTanni[k], 4);
        dx.number(IDC_ZAITANKA1[k], m_ZaiTanka1[k], 10);
        dx.text(IDC_ZAIKINGAKU1[k], m_ZaiKingaku1[k], 13);
        dx.number(IDC_ZAITANKA2[k], m_ZaiTanka2[k], 10);
        dx.text(IDC_ZAIKINGAKU2[k], m_ZaiKingaku2[k], 13);
        dx.text(IDC_ZAIBIKOU[k], m_ZaiBikou[k], 30);
    }
    for (std::size_t j = 0; j < static_cast<std::size_t>(kRoumuLines); ++j) {
        dx.number(IDC_ROUMUNO[j], m_RoumuNo[j], 2);
        dx.text(IDC_ROUMUSYOKUSYU[j], m_RoumuSyokusyu[j], 12);
        dx.number(IDC_ROUMUBUKAKE[j], m_RoumuBukake[j], 6);
        dx.text(IDC_ROUMUTANNI[j], m_RoumuTanni[j], 4);
        dx.number(IDC_ROUMUTANKA1[j], m_RoumuTanka1[j], ROUMUTANKA1_LIMIT[j]);
        dx.text(IDC_ROUMUKINGAKU1[j], m_RoumuKingaku1[j], 13);
        dx.number(IDC_ROUMUTANKA2[j], m_RoumuTanka2[j], 13);
        dx.text(IDC_ROUMUKINGAKU2[j], m_RoumuKingaku2[j], 13);
        dx.text(IDC_ROUMUBIKOU[j], m_RoumuBikou[j]);
    }
    // Each lump-sum line's boxes exchange that line's own texts.
    auto issiki = [&](const IssikiIds& ids, IssikiLine& l) {
        dx.number(ids.ritu, l.Ritu, ids.rituLimit);
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
    CalcFukugou(*this, {m_Marume, m_MasterRow ? FukugouUse::MasterDialog : FukugouUse::Dialog});
    withoutChangeNotify([this] { showComputed(); });
}

void kivdialog::onOK() {
    if (m_AcceptOK) {
        if (!updateData(true))
            return;
        if (!m_AcceptOK(*this))
            return;
    }
    Dialog::onOK();
}

void kivdialog::OnChangeInput() {
    // A box that fails the take-in has said so; the others are priced as taken in.
    updateData(true);
    Recalc();
}

void kivdialog::OnChangeRoumuNo(int line) {
    // Only a dialog given its own labour list (the totals') follows a typed number; elsewhere the
    // trade and prices come from the list dialog alone.
    if (!m_pRoumuList)
        return;
    const auto j = static_cast<std::size_t>(line - 1);
    m_RoumuNo[j] = itemText(IDC_ROUMUNO[j]);
    const int n = kiv::text::parseInt(m_RoumuNo[j]);
    const RoumuLookup r = LookupRoumu(*m_pRoumuList, n >= 1 && n <= kLargestRoumuNo + 1 ? n : 0);
    m_RoumuSyokusyu[j] = r.Syokusyu;
    m_RoumuTanka1[j] = r.Tanka1;
    m_RoumuTanka2[j] = r.Tanka2;
    withoutChangeNotify([&] {
        setItemText(IDC_ROUMUSYOKUSYU[j], m_RoumuSyokusyu[j]);
        setItemText(IDC_ROUMUTANKA1[j], m_RoumuTanka1[j]);
        setItemText(IDC_ROUMUTANKA2[j], m_RoumuTanka2[j]);
    });
    OnChangeInput();
}

void kivdialog::OnSetfocusZaiName(int gyou) { m_CurZaiGyou = gyou; }

std::array<std::string*, 7> kivdialog::zaiLine(int gyou) {
    const auto i = static_cast<std::size_t>(gyou - 1);
    return {&m_ZaiHinmei[i], &m_ZaiKikaku[i], &m_ZaiSuu[i], &m_ZaiTanni[i],
            &m_ZaiTanka1[i], &m_ZaiTanka2[i], &m_ZaiBikou[i]};
}

void kivdialog::showLines() {
    updateData(false);
    Recalc();
}

void kivdialog::OnGyouInsert() {
    updateData(true);
    const int k = m_CurZaiGyou;
    if (k >= 1 && k < kZaiLines) {
        // Line 7's texts make room and are lost.
        for (int i = kZaiLines; i > k; --i) {
            auto to = zaiLine(i), from = zaiLine(i - 1);
            for (std::size_t f = 0; f < to.size(); ++f)
                *to[f] = *from[f];
        }
        for (std::string* t : zaiLine(k))
            t->clear();
    }
    showLines();
}

void kivdialog::OnGyouDelete() {
    updateData(true);
    const int k = m_CurZaiGyou;
    if (k >= 1 && k <= kZaiLines) {
        for (int i = k; i < kZaiLines; ++i) {
            auto to = zaiLine(i), from = zaiLine(i + 1);
            for (std::size_t f = 0; f < to.size(); ++f)
                *to[f] = *from[f];
        }
        for (std::string* t : zaiLine(kZaiLines))
            t->clear();
    }
    showLines();
}

void kivdialog::OnGyouCopy() {
    updateData(true);
    const int k = m_CurZaiGyou;
    if (k < 1 || k > kZaiLines)
        return;
    auto from = zaiLine(k);
    for (std::size_t f = 0; f < from.size(); ++f)
        m_GyouClip[f] = *from[f];
}

void kivdialog::OnGyouPaste() {
    updateData(true);
    const int k = m_CurZaiGyou;
    if (k >= 1 && k <= kZaiLines) {
        auto to = zaiLine(k);
        for (std::size_t f = 0; f < to.size(); ++f)
            *to[f] = m_GyouClip[f];
    }
    showLines();
}

void kivdialog::OnCopyToZai1() {
    updateData(true);
    m_ZaiHinmei[0] = m_Hinmei;
    m_ZaiKikaku[0] = m_Kikaku;
    m_ZaiTanni[0] = m_Tanni;
    showLines();
}

const RoumuList* kivdialog::roumuList() const {
    if (m_pRoumuList)
        return m_pRoumuList;
    return m_pRoumuDoc ? &m_pRoumuDoc->m_Roumu : CurrentMasterRoumu();
}

std::optional<int> kivdialog::chooseRoumu() {
    CRoumuDialog dlg;
    dlg.useEstimate(m_pRoumuDoc);
    m_RoumuSelNo = kiv::text::parseInt(dlg.m_No);
    if (dlg.doModal() != kiv::ui::IDOK)
        return std::nullopt;
    return dlg.m_RegistrationNo;
}

bool kivdialog::fillRoumu(int line, int n) {
    if (n > kLargestRoumuNo) {
        kiv::ui::messageBox("登録番号" + std::to_string(n) + "はNO欄（2桁）に入りきらないため、労務単価を入力できません。",
                            kiv::ui::MB_OK, {}, this);
        return false;
    }
    const RoumuList* list = roumuList();
    if (!list)
        return true;   // no list to take an entry from
    const auto j = static_cast<std::size_t>(line - 1);
    // The row finds its labour price by the line's position in the list, so the NO is that
    // position; a number the list does not reach names no entry.
    const RoumuLookup r = LookupRoumu(*list, n);
    m_RoumuNo[j] = list->byNumber(n) ? (n < 10 ? " " : "") + std::to_string(n) : std::string();
    m_RoumuSyokusyu[j] = r.Syokusyu;
    m_RoumuTanka1[j] = r.Tanka1;
    m_RoumuTanka2[j] = r.Tanka2;
    withoutChangeNotify([&] {
        setItemText(IDC_ROUMUNO[j], m_RoumuNo[j]);
        setItemText(IDC_ROUMUSYOKUSYU[j], m_RoumuSyokusyu[j]);
        setItemText(IDC_ROUMUTANKA1[j], m_RoumuTanka1[j]);
        setItemText(IDC_ROUMUTANKA2[j], m_RoumuTanka2[j]);
    });
    return true;
}

void kivdialog::OnSetfocusRoumuNo(int line) {
    const auto j = static_cast<std::size_t>(line - 1);
    // The focus leaves the NO box first, so that closing the list does not bring it back here.
    withoutChangeNotify([&] { setItemText(IDC_ROUMUBUKAKE[j], m_RoumuBukake[j]); });
    gotoControl(IDC_ROUMUBUKAKE[j]);
    const std::optional<int> n = chooseRoumu();
    if (!n) {
        kiv::ui::messageBox(kRoumuCancelledMessage, kiv::ui::MB_OK, {}, this);
        return;
    }
    updateData(true);
    m_RoumuSelNo = *n;
    if (m_RoumuSelNo == 0)
        return;
    if (fillRoumu(line, m_RoumuSelNo))
        Recalc();
}

void kivdialog::OnRoumuHyouji() {
    const std::optional<int> n = chooseRoumu();
    if (!n)
        return;
    updateData(true);
    m_RoumuSelNo = *n;
    if (m_RoumuSelNo != 0)
        fillRoumu(1, m_RoumuSelNo);
    Recalc();
    withoutChangeNotify([this] { setItemText(IDC_ROUMUBUKAKE[0], m_RoumuBukake[0]); });
    nextControl();
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
