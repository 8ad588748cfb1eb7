#pragma once
// 項目作成: the level whose headings 項目集計作成 gathers; exactly one of the four boxes is ticked.
#include "platform/ui/Dialog.h"

class CKoumokuDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 208;
    static constexpr int kSaimoku = 1336;
    static constexpr int kSyoukoumoku = 1328;
    static constexpr int kTyuukoumoku = 1021;
    static constexpr int kDaikoumoku = 1022;

    explicit CKoumokuDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();

    int m_Saimoku = 1;
    int m_Syoukoumoku = 0;
    int m_Tyuukoumoku = 0;
    int m_Daikoumoku = 0;

    void doDataExchange(kiv::ui::DataExchange& dx) override;

private:
    // A click ticks its box and clears the other three; a click on the ticked box keeps it.
    void Choose(int& level);
};
