#pragma once
// 複合単価労務費設定: edits the current estimate's labour-price list. The list box is a working
// copy: 訂正, 追加, 挿入 and 削除 change only it; 登録 writes it to the labour-price file, makes it
// the estimate's list and recalculates; ｷｬﾝｾﾙ and 詳細に送る discard it. After OK the caller
// reads the registration number the dialog hands back. With no estimate current the dialog shows
// the current master's list, and its editing buttons and 登録 only say that an estimate is needed.
#include <optional>
#include <string>

#include "estimate/RoumuList.h"
#include "platform/ui/Dialog.h"

class CKivDoc;

class CRoumuDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 143;
    static constexpr int kNo = 1000, kSyokusyu = 1001, kRoumuTanka1 = 1017, kRoumuTanka2 = 1002;
    static constexpr int kList = 1003;
    static constexpr int kCorrect = 1030, kAdd = 1029, kInsert = 1032, kDelete = 1031, kSyousaiOkuru = 1033;

    explicit CRoumuDialog(kiv::ui::Window* parent = nullptr);

    // The boxes (CP932).
    std::string m_No;
    std::string m_Syokusyu;
    std::string m_RoumuTanka1;
    std::string m_RoumuTanka2;
    // The text of the line last double-clicked.
    std::string m_ListText;
    // After OK (登録 or 詳細に送る): the registration number handed back, the selected line's
    // position (index + 1) or, with no line selected, the NO typed; 0 names none.
    int m_RegistrationNo = 0;

    // Shows and registers into `doc`'s list in place of the current estimate's (the detail
    // dialog of a row picks from its own estimate's list); null: the current master's list,
    // with nothing to register into. Before doModal.
    void useEstimate(CKivDoc* doc) {
        m_pDoc = doc;
        m_EstimateGiven = true;
    }

    // The working copy as the list box shows it.
    const RoumuList& workingList() const { return m_Work; }

    static const kiv::ui::DialogTemplate& dialogLayout();
    void doDataExchange(kiv::ui::DataExchange& dx) override;
    void onShowDialog() override;
    // 登録 (also Enter).
    void onOK() override;

private:
    void OnSelchangeList();
    void OnDblclkList();
    void OnCorrect();
    void OnAdd();
    void OnInsert();
    void OnDelete();
    void OnSyousaiOkuru();

    // The line of the four boxes; nullopt (after a message) when a value does not fit.
    std::optional<RoumuRecord> BuildRoumuRecord();
    // The editing buttons need an estimate to register into; without one they only say so.
    bool refuseWithoutEstimate();
    // Shows the working copy with `selection` selected, the boxes cleared and the focus in NO.
    void showEdited(const RoumuEdit& edit);
    void clearBoxes();
    std::optional<std::size_t> selection() const;
    // Takes the boxes in and ends the dialog with OK, handing back the registration number.
    void endWithOk();

    CKivDoc* m_pDoc = nullptr;
    bool m_EstimateGiven = false;
    RoumuList m_Work;
};
