#pragma once
// 項目移動: the target item of the estimate view's 項目移動, typed or picked from the list of the
// estimate's items (item number, 記号, 品名, 規格 and the two amounts of each item's title).
#include "platform/ui/Dialog.h"

class CKivDoc;

class CMoveDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 144;
    static constexpr int kKoumokuNo = 1109;
    static constexpr int kNewKoumoku = 1255;
    static constexpr int kList = 1010;
    static constexpr int kKoumokuNoMax = 9999;

    explicit CMoveDialog(CKivDoc* doc, kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();

    int m_KoumokuNo = 1;   // the target item

    void onShowDialog() override;
    void doDataExchange(kiv::ui::DataExchange& dx) override;

private:
    void OnDblclkList();
    void OnReturnList();
    void OnNewKoumoku();
    CKivDoc* m_pDoc;
};
