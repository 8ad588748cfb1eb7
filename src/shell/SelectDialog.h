#pragma once
// CSelectDialog: the choice of electrical ("1") or mechanical ("2") estimating. The two check
// boxes act as a choice of one: ticking one clears the other, and ticking a ticked one leaves it
// ticked.
#include "platform/ui/Dialog.h"

#include <string>

class CSelectDialog : public kiv::ui::Dialog {
public:
    explicit CSelectDialog(kiv::ui::Window* owner = nullptr);

    // The preset ticks its box when the dialog is shown.
    void onShowDialog() override;
    void doDataExchange(kiv::ui::DataExchange& dx) override;
    void OnDenki();
    void OnKikai();

    std::string m_Value;   // "1", "2" or "": preset by the caller, read after OK
    int m_Denki = 0;
    int m_Kikai = 0;
};
