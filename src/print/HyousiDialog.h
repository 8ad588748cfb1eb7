#pragma once
// 表紙作成: the cover data of the current estimate (names, recipient, remark, person in charge,
// estimate number, two dates and five terms). Empty dates are filled with today's date in the
// era's years; the amount is shown for reference only, never read back. OK stores the fields into
// the estimate and marks it modified.
#include <string>

#include "platform/ui/Dialog.h"

class CKivDoc;

class CHyousiDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 131;
    static constexpr int kAdress = 1029; // 提出先呼出
    static constexpr int kKingaku = 1219;

    explicit CHyousiDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();

    std::string m_Teisyutusaki;
    std::string m_NounyuBasyo;
    std::string m_Meisyou1;
    std::string m_Meisyou2;
    std::string m_SakuseiHi;
    std::string m_SakuseiNen;
    std::string m_SakuseiTuki;
    std::string m_Nouki;
    std::string m_MitumoriNo;
    std::string m_SiharaiJouken;
    std::string m_Tantousya;
    std::string m_TeisyutuHi;
    std::string m_TeisyutuNen;
    std::string m_TeisyutuTuki;
    std::string m_UkewatasiBasyo;
    std::string m_YuukouKigen;
    std::string m_Bikou;
    std::string m_Kingaku; // the amount text, shown only

    void doDataExchange(kiv::ui::DataExchange& dx) override;
    void onShowDialog() override;
    void onOK() override;

    // The members from the current estimate, with today's date in an empty date.
    void LoadHyousi();
    // The controls into the members and the 17 cover fields into the estimate; false when a control
    // failed validation.
    bool SaveHyousi();
    // 提出先呼出: the address book.
    void OnAdress();

    // A date's year, month and day as the dialog fills them from a calendar date: the era year
    // (years from 2019 count from 1) in one character up to 2027 and two from 2028, the month and
    // day right-aligned in two.
    static void FormatDate(int year, int month, int day, std::string& nen, std::string& tuki, std::string& hi);

private:
    CKivDoc* m_pDoc = nullptr; // the estimate current when the dialog was shown
};
