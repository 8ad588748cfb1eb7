#pragma once
// 桁の丸め: the digit rounding (position 120 of the settings record), chosen from "0" to "3" or
// typed into the combo box's edit field. An empty field keeps the stored digit.
#include <string>

#include "estimate/SetteiEditDialog.h"

class CmarumeDialog : public SetteiEditDialog {
public:
    static constexpr int kDialogId = 157;
    static constexpr int kMarume = 1015;

    explicit CmarumeDialog(kiv::ui::Window* parent = nullptr);

    std::string m_Marume; // the combo box's text, at most one character

    static const kiv::ui::DialogTemplate& dialogLayout();
    void doDataExchange(kiv::ui::DataExchange& dx) override;

protected:
    void showSettei(const SetteiRecord& record) override;
    void storeSettei(SetteiRecord& record) override;
};
