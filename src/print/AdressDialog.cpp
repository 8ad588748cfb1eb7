#include "print/AdressDialog.h"

#include "platform/files/Files.h"
#include "platform/ui/Keys.h"
#include "platform/ui/MessageBox.h"
#include "print/AdressBook.h"
#include "print/AdressFiles.h"
#include "print/AdressPrintDialog.h"
#include "print/AdressPrintRecord.h"
#include "print/FprintDialog.h"

#include <limits>

using namespace kiv::ui;

namespace {

std::string& rememberedNo() {
    static std::string no;
    return no;
}

struct EditDef {
    int id;
    int limit;
    std::string CAdressDialog::*member;
};

constexpr EditDef kEdits[] = {
    {CAdressDialog::kNo, 4, &CAdressDialog::m_AdressNo},
    {CAdressDialog::kPostcode, 8, &CAdressDialog::m_Postcode},
    {CAdressDialog::kName, 40, &CAdressDialog::m_Name},
    {CAdressDialog::kName2, 40, &CAdressDialog::m_Name2},
    {CAdressDialog::kAddress, 40, &CAdressDialog::m_Address},
    {CAdressDialog::kAddress2, 40, &CAdressDialog::m_Address2},
    {CAdressDialog::kPhone, 12, &CAdressDialog::m_Phone},
    {CAdressDialog::kFax, 12, &CAdressDialog::m_Fax},
};

} // namespace

const DialogTemplate& CAdressDialog::dialogLayout() {
    static const DialogTemplate t = [] {
        DialogTemplate d{kDialogId, "相手先登録、宛先印刷", {420, 250}, {}};
        auto& c = d.controls;
        // The fields in tab order: 番号, then the name and address lines, then the numbers.
        c.push_back(ctl::label("番号", dlu(7, 9, 40, 8)));
        c.push_back(ctl::edit(kNo, dlu(50, 7, 30, 12), 0, 4));
        c.push_back(ctl::label("相手先", dlu(7, 25, 40, 8)));
        c.push_back(ctl::edit(kName, dlu(50, 23, 160, 12), 0, 40));
        c.push_back(ctl::label("住所", dlu(7, 41, 40, 8)));
        c.push_back(ctl::edit(kAddress, dlu(50, 39, 160, 12), 0, 40));
        c.push_back(ctl::label("相手先2", dlu(7, 57, 40, 8)));
        c.push_back(ctl::edit(kName2, dlu(50, 55, 160, 12), 0, 40));
        c.push_back(ctl::label("住所2", dlu(7, 73, 40, 8)));
        c.push_back(ctl::edit(kAddress2, dlu(50, 71, 160, 12), 0, 40));
        c.push_back(ctl::label("郵便番号", dlu(220, 9, 40, 8)));
        c.push_back(ctl::edit(kPostcode, dlu(265, 7, 45, 12), 0, 8));
        c.push_back(ctl::label("電話番号", dlu(220, 25, 40, 8)));
        c.push_back(ctl::edit(kPhone, dlu(265, 23, 60, 12), 0, 12));
        c.push_back(ctl::label("FAX番号", dlu(220, 41, 40, 8)));
        c.push_back(ctl::edit(kFax, dlu(265, 39, 60, 12), 0, 12));
        c.push_back(ctl::button(IDOK, "保存", dlu(358, 7, 55, 14)));
        c.push_back(ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(358, 24, 55, 14)));
        c.push_back(ctl::button(kAdd, "新規登録", dlu(220, 57, 45, 14)));
        c.push_back(ctl::button(kModify, "訂正", dlu(268, 57, 45, 14)));
        c.push_back(ctl::button(kDelete, "削除", dlu(220, 74, 45, 14)));
        c.push_back(ctl::button(kInsert, "挿入", dlu(268, 74, 45, 14)));
        c.push_back(ctl::button(kHyousiSend, "表紙へ送る", dlu(358, 41, 55, 14)));
        c.push_back(ctl::button(kPrint, "封筒へ印刷", dlu(358, 58, 55, 14)));
        c.push_back(ctl::button(kPrintSettei, "印刷設定", dlu(358, 75, 55, 14)));
        c.push_back(ctl::label("NO", dlu(9, 96, 20, 8)));
        c.push_back(ctl::label("相手先", dlu(34, 96, 60, 8)));
        c.push_back(ctl::label("住所", dlu(150, 96, 60, 8)));
        c.push_back(ctl::list(kList, dlu(7, 106, 406, 137)));
        return d;
    }();
    return t;
}

CAdressDialog::CAdressDialog(Window* parent) : Dialog(dialogLayout(), parent) {
    onClicked(kAdd, [this] { OnAdressAdd(); });
    onClicked(kInsert, [this] { OnAdressInsert(); });
    onClicked(kModify, [this] { OnAdressModify(); });
    onClicked(kDelete, [this] { OnAdressDelete(); });
    onClicked(kHyousiSend, [this] { OnHyousiSend(); });
    onClicked(kPrint, [this] { OnAdressPrint(); });
    onClicked(kPrintSettei, [this] { OnPrintSettei(); });
    onNotify(kList, Notify::DblClk, [this] { OnDblclkAdressList(); });
    onNotify(kNo, Notify::Change, [this] { OnChangeAdressNo(); });
    // Every other field change only reads the controls, so the members are current for the
    // buttons, which do not read them again.
    for (const EditDef& e : kEdits)
        if (e.id != kNo)
            onNotify(e.id, Notify::Change, [this] { updateData(true); });
    ClearAdressBuffer();
}

void CAdressDialog::ResetRememberedNo() { rememberedNo().clear(); }

void CAdressDialog::doDataExchange(DataExchange& dx) {
    dx.lbString(kList, m_ListText);
    for (const EditDef& e : kEdits)
        dx.text(e.id, this->*e.member, e.limit);
}

bool CAdressDialog::onPreTranslateKey(int vk, unsigned) {
    if (vk != VK_RETURN)
        return false;
    for (const EditDef& e : kEdits)
        if (focusedControl() == e.id)
            return true;
    return false;
}

void CAdressDialog::ClearAdressBuffer() { m_AdressRecord.assign(adress::kRecordSize, ' '); }

void CAdressDialog::onShowDialog() {
    updateData(true);
    setHorizontalExtent(kList, 990);
    AdressFileOpen file = openAdressFile(ReferenceFile::Adress, 0, this);
    m_AdressPath = file.path;
    m_Unreadable = file.unreadable;
    ClearAdressBuffer();
    if (file.read)
        for (const std::string& line : adress::splitAdressFile(file.data))
            addString(kList, line);
    ClearAdressBuffer();
}

void CAdressDialog::formatEntry() {
    m_AdressRecord = adress::formatAdressRecord(
        {m_AdressNo, m_Name, m_Address, m_Name2, m_Address2, m_Postcode, m_Phone, m_Fax});
}

void CAdressDialog::clearFields() {
    for (const EditDef& e : kEdits)
        (this->*e.member).clear();
    m_ListText.clear();
    updateData(false);
    setCurSel(kList, -1);
}

void CAdressDialog::renumberFrom(int p) {
    const int count = getCount(kList);
    for (int i = p; i < count; ++i) {
        const std::string line = adress::renumberAdressLine(getLbText(kList, i), i + 1);
        deleteString(kList, i);
        insertString(kList, i, line);
    }
}

void CAdressDialog::OnAdressAdd() {
    formatEntry();
    addString(kList, m_AdressRecord);
    clearFields();
    gotoControl(kNo);
}

void CAdressDialog::OnAdressInsert() {
    formatEntry();
    const int p = getCurSel(kList);
    if (p >= 0) {
        insertString(kList, p, m_AdressRecord);
        renumberFrom(p);
    }
    clearFields();
}

void CAdressDialog::OnAdressModify() {
    formatEntry();
    const int p = getCurSel(kList);
    if (p >= 0) {
        deleteString(kList, p);
        insertString(kList, p, m_AdressRecord);
    }
    clearFields();
}

void CAdressDialog::OnAdressDelete() {
    const int p = getCurSel(kList);
    if (p >= 0) {
        deleteString(kList, p);
        renumberFrom(p);
        setCurSel(kList, -1);
    }
    gotoControl(kNo);
}

void CAdressDialog::OnDblclkAdressList() {
    const int p = getCurSel(kList);
    if (p < 0) {
        messageBox("その位置には変更するものがありません。", MB_OK, {}, this);
    } else {
        m_ListText = getLbText(kList, p);
        const adress::AdressEntry e = adress::parseAdressRecord(m_ListText);
        m_AdressNo = e.no;
        m_Name = e.name;
        m_Address = e.address;
        m_Name2 = e.name2;
        m_Address2 = e.address2;
        m_Postcode = e.postcode;
        m_Phone = e.phone;
        m_Fax = e.fax;
        updateData(false);
    }
    gotoControl(kNo);
}

void CAdressDialog::OnChangeAdressNo() {
    updateData(true);
    if (m_AdressNo == rememberedNo())
        nextControl();
    rememberedNo() = m_AdressNo;
}

void CAdressDialog::onOK() {
    if (m_Unreadable) {
        // Entries that were never read would be lost with the file.
        messageBox(m_AdressPath.string() + "ファイルを読み込めなかったため、保存できません。", MB_OK | MB_ICONEXCLAMATION, {},
                   this);
        return;
    }
    std::vector<std::string> lines;
    const int count = getCount(kList);
    for (int i = 0; i < count; ++i)
        lines.push_back(getLbText(kList, i));
    std::string error;
    if (!kiv::files::writeFileAtomically(m_AdressPath, adress::joinAdressLines(lines), &error)) {
        messageBox(kiv::files::cannotCreateMessage(error), MB_OK, {}, this);
        return;
    }
    endDialog(IDOK);
}

void CAdressDialog::OnHyousiSend() { endDialog(kHyousiSend); }

void CAdressDialog::OnAdressPrint() {
    CAdressPrintDialog dlg(this);
    dlg.m_Name = m_Name;
    dlg.m_Address = m_Address;
    dlg.m_Name2 = m_Name2;
    dlg.m_Address2 = m_Address2;
    dlg.m_Postcode = m_Postcode;
    dlg.doModal();
}

void CAdressDialog::OnPrintSettei() {
    AdressFileOpen file = openAdressFile(ReferenceFile::AdressPrint, adressprint::kRecordSize, this);
    m_AdressPrintPath = file.path;
    if (file.unreadable)
        return; // never offered for creation, never written over
    CFprintDialog editor(this);
    editor.m_PrintSettei = adressprint::blankRecord();
    if (file.read)
        editor.m_PrintSettei.replace(0, file.data.size(), file.data);
    if (editor.doModal() != IDOK)
        return;
    std::string error;
    if (!kiv::files::writeFileAtomically(m_AdressPrintPath,
                                         std::string_view(editor.m_PrintSettei).substr(0, editor.m_SetteiLength), &error))
        messageBox(kiv::files::cannotCreateMessage(error), MB_OK, {}, this);
}
