#include "print/HyousiDialog.h"

#include "print/AdressDialog.h"

#include <algorithm>
#include <array>

#include "estimate/KivDoc.h"
#include "platform/clock/LocalDate.h"
#include "platform/text/Number.h"
#include "platform/ui/MessageBox.h"

using namespace kiv::ui;

namespace {

const char* const kNoEstimate =
    "最後に開いた内訳作成ウィンドウを破棄したため表紙が作成できません。現在編集中のウィンドウを保存して再呼び出ししてください。";

// The edits: id, byte limit and the HyousiData element, in the members' order.
struct CoverEdit {
    int id;
    int limit;
    int element;
    std::string CHyousiDialog::*member;
};

const std::array<CoverEdit, 17>& coverEdits() {
    static const std::array<CoverEdit, 17> edits{{
        {1133, 40, 2, &CHyousiDialog::m_Teisyutusaki},
        {1148, 30, 14, &CHyousiDialog::m_NounyuBasyo},
        {1154, 50, 0, &CHyousiDialog::m_Meisyou1},
        {1155, 50, 1, &CHyousiDialog::m_Meisyou2},
        {1138, 2, 8, &CHyousiDialog::m_SakuseiHi},
        {1136, 2, 6, &CHyousiDialog::m_SakuseiNen},
        {1137, 2, 7, &CHyousiDialog::m_SakuseiTuki},
        {1151, 30, 12, &CHyousiDialog::m_Nouki},
        {1135, 6, 5, &CHyousiDialog::m_MitumoriNo},
        {1150, 30, 13, &CHyousiDialog::m_SiharaiJouken},
        {1134, 20, 4, &CHyousiDialog::m_Tantousya},
        {1141, 2, 11, &CHyousiDialog::m_TeisyutuHi},
        {1139, 2, 9, &CHyousiDialog::m_TeisyutuNen},
        {1140, 2, 10, &CHyousiDialog::m_TeisyutuTuki},
        {1152, 30, 15, &CHyousiDialog::m_UkewatasiBasyo},
        {1149, 30, 16, &CHyousiDialog::m_YuukouKigen},
        {1143, 50, 3, &CHyousiDialog::m_Bikou},
    }};
    return edits;
}

DialogTemplate makeLayout() {
    DialogTemplate t{CHyousiDialog::kDialogId, "表紙作成", {334, 207}, {}};
    auto& c = t.controls;
    auto row = [&](const char* caption, int id, int y, int width) {
        c.push_back(ctl::label(caption, dlu(7, y + 2, 40, 8)));
        c.push_back(ctl::edit(id, dlu(50, y, width, 12)));
    };
    auto date = [&](const char* caption, int nen, int tuki, int hi, int y) {
        c.push_back(ctl::label(caption, dlu(160, y + 2, 20, 8)));
        int x = 182;
        for (auto [id, unit] : {std::pair{nen, "年"}, std::pair{tuki, "月"}, std::pair{hi, "日"}}) {
            c.push_back(ctl::edit(id, dlu(x, y, 16, 12)));
            c.push_back(ctl::label(unit, dlu(x + 18, y + 2, 10, 8)));
            x += 30;
        }
    };
    row("名称1", 1154, 7, 208);
    row("名称2", 1155, 22, 208);
    row("提出先", 1133, 37, 168);
    row("備考", 1143, 52, 208);
    row("担当者", 1134, 67, 88);
    date("作成", 1136, 1137, 1138, 67);
    row("見積NO", 1135, 82, 32);
    date("提出", 1139, 1140, 1141, 82);
    c.push_back(ctl::label("金額￥", dlu(7, 99, 40, 8)));
    c.push_back(ctl::edit(CHyousiDialog::kKingaku, dlu(50, 97, 80, 12), EditReadOnly));
    row("納入場所", 1148, 115, 128);
    row("有効期限", 1149, 130, 128);
    row("支払条件", 1150, 145, 128);
    row("納期", 1151, 160, 128);
    row("受渡場所", 1152, 175, 128);
    c.push_back(ctl::defButton(IDOK, "OK", dlu(272, 7, 55, 14)));
    c.push_back(ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(272, 24, 55, 14)));
    c.push_back(ctl::button(CHyousiDialog::kAdress, "提出先呼出", dlu(272, 41, 55, 14)));
    return t;
}

void fillEmptyDate(std::string& nen, std::string& tuki, std::string& hi) {
    if (!nen.empty() || !tuki.empty() || !hi.empty())
        return;
    const kiv::clock::LocalDate d = kiv::clock::today();
    CHyousiDialog::FormatDate(d.year, d.month, d.day, nen, tuki, hi);
}

} // namespace

const DialogTemplate& CHyousiDialog::dialogLayout() {
    static const DialogTemplate t = makeLayout();
    return t;
}

CHyousiDialog::CHyousiDialog(Window* parent) : Dialog(dialogLayout(), parent) {
    onClicked(kAdress, [this] { OnAdress(); });
}

void CHyousiDialog::doDataExchange(DataExchange& dx) {
    for (const CoverEdit& e : coverEdits())
        dx.text(e.id, this->*e.member, e.limit);
    // The amount is only shown: however long it is, it never keeps OK or 提出先呼出 from working.
    if (!dx.saving())
        dx.text(kKingaku, m_Kingaku, 0);
}

void CHyousiDialog::FormatDate(int year, int month, int day, std::string& nen, std::string& tuki, std::string& hi) {
    const int era = year - 18;
    nen = kiv::text::rightChars(kiv::text::cformat("%4d", era), era < 2010 ? 1 : 2);
    tuki = kiv::text::cformat("%2d", month);
    hi = kiv::text::cformat("%2d", day);
}

void CHyousiDialog::LoadHyousi() {
    if (!m_pDoc)
        return;
    for (const CoverEdit& e : coverEdits())
        this->*e.member = m_pDoc->HyousiData()[static_cast<std::size_t>(e.element)];
    // The estimate's own amount text gets the hyphen; the command prepares it afresh before every
    // opening, so it never gets two.
    std::string amount = m_pDoc->KingakuText();
    amount.erase(0, std::min(amount.size(), amount.find_first_not_of(' ')));
    amount += '-';
    m_pDoc->SetKingakuText(amount);
    m_Kingaku = amount;
    fillEmptyDate(m_SakuseiNen, m_SakuseiTuki, m_SakuseiHi);
    fillEmptyDate(m_TeisyutuNen, m_TeisyutuTuki, m_TeisyutuHi);
}

void CHyousiDialog::onShowDialog() {
    m_pDoc = g_pKivDoc;
    if (!m_pDoc) {
        messageBox(kNoEstimate, MB_OK, {}, this);
        return;
    }
    LoadHyousi();
    updateData(false);
    gotoControl(1154);
}

bool CHyousiDialog::SaveHyousi() {
    if (!updateData(true))
        return false;
    if (m_pDoc)
        for (const CoverEdit& e : coverEdits())
            m_pDoc->SetHyousiData(e.element, this->*e.member);
    return true;
}

void CHyousiDialog::onOK() {
    // Without the estimate the dialog opened on (none, or closed since) OK only closes it.
    if (m_pDoc && g_pKivDoc == m_pDoc) {
        if (!SaveHyousi())
            return;
        m_pDoc->SetModifiedFlag();
    } else if (!updateData(true)) {
        return;
    }
    endDialog(IDOK);
}

void CHyousiDialog::OnAdress() {
    // What was typed so far is taken in first, so that it survives the address book's refresh.
    updateData(true);
    CAdressDialog book;
    if (book.doModal() != CAdressDialog::kHyousiSend)
        return;
    m_Teisyutusaki = book.m_Name;
    updateData(false);
}
