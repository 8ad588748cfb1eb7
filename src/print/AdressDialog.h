#pragma once
// 相手先登録、宛先印刷: the address book. The list is the working copy of the address file, one
// 203-byte record per line, until 保存 writes it back whole; 表紙へ送る hands the 相手先 on screen
// to the cover data; 封筒へ印刷 prints an envelope for the entry on screen and 印刷設定 edits the
// envelope layout file.
#include <filesystem>
#include <string>

#include "platform/ui/Dialog.h"

class CAdressDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 135;
    static constexpr int kList = 1003;
    static constexpr int kNo = 1109;
    static constexpr int kName = 1291;
    static constexpr int kAddress = 1292;
    static constexpr int kName2 = 1293;
    static constexpr int kAddress2 = 1294;
    static constexpr int kPostcode = 1295;
    static constexpr int kPhone = 1296;
    static constexpr int kFax = 1297;
    static constexpr int kAdd = 1029;
    static constexpr int kDelete = 1030;
    static constexpr int kModify = 1031;
    static constexpr int kHyousiSend = 1032; // also the dialog's result after 表紙へ送る
    static constexpr int kInsert = 1033;
    static constexpr int kPrint = 1257;
    static constexpr int kPrintSettei = 1258;

    explicit CAdressDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();

    std::string m_ListText;
    std::string m_AdressNo;
    std::string m_Postcode;
    std::string m_Name;
    std::string m_Name2;
    std::string m_Address;
    std::string m_Address2;
    std::string m_Phone;
    std::string m_Fax;
    std::string m_AdressRecord; // the entry on screen as one 203-byte record
    std::filesystem::path m_AdressPath;
    std::filesystem::path m_AdressPrintPath;

    void doDataExchange(kiv::ui::DataExchange& dx) override;
    void onShowDialog() override;
    void onOK() override;

    void OnAdressAdd();
    void OnAdressInsert();
    void OnAdressModify();
    void OnAdressDelete();
    void OnDblclkAdressList();
    void OnHyousiSend();
    void OnAdressPrint();
    void OnPrintSettei();
    void OnChangeAdressNo();
    void ClearAdressBuffer();

    // The 番号 text at the last change of the field: one value for the whole run, shared by every
    // opening of the dialog. For tests.
    static void ResetRememberedNo();

protected:
    // Return in the eight edits is swallowed: it neither saves nor types a line break.
    bool onPreTranslateKey(int vk, unsigned mods) override;

private:
    void formatEntry();
    void clearFields();
    void renumberFrom(int p);

    bool m_Unreadable = false; // the file could not be read: 保存 must not replace it
};
