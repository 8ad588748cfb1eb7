#pragma once
// 単位入力: the unit list of the grid views' unit cell. It opens with "式" in the combo's edit field;
// the user picks one of the sixteen units or types one of at most 4 bytes.
#include <string>

#include "platform/ui/Dialog.h"

class CTanniDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 183;
    static constexpr int kTanni = 1015;
    static constexpr int kTanniWidth = 4;

    explicit CTanniDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();

    std::string m_Tanni;   // the combo's text (CP932), at most 4 bytes

    void onShowDialog() override;
    void doDataExchange(kiv::ui::DataExchange& dx) override;
};
