#pragma once
// 複合単価丸め設定: the composite rounding mode (position 122 of the settings record), three
// check boxes used as one choice. With none ticked (the record held no valid mode and the user
// chose none) OK keeps the stored byte.
#include "estimate/SetteiEditDialog.h"

class CfukukirisuteDialog : public SetteiEditDialog {
public:
    static constexpr int kDialogId = 158;
    static constexpr int kHosyouKirisute = 1020;     // mode 1
    static constexpr int kKoukyouKirisute = 1008;    // mode 2
    static constexpr int kKoukyouSisyagonyuu = 1101; // mode 3

    explicit CfukukirisuteDialog(kiv::ui::Window* parent = nullptr);

    int m_HosyouKirisute = 0;
    int m_KoukyouKirisute = 0;
    int m_KoukyouSisyagonyuu = 0;

    static const kiv::ui::DialogTemplate& dialogLayout();
    void doDataExchange(kiv::ui::DataExchange& dx) override;

protected:
    void showSettei(const SetteiRecord& record) override;
    void storeSettei(SetteiRecord& record) override;

private:
    // Ticks the chosen mode (1-3) alone; 0 ticks none.
    void choose(int mode);
};
