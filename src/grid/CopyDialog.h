#pragma once
// 行複写・移動: the rows 行複写 collects (start and end row of the current item, as picked by the two
// clicks and changeable here) and whether they are moved rather than copied.
#include "platform/ui/Dialog.h"

class CCopyDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 210;
    static constexpr int kStartGyou = 1000;
    static constexpr int kEndGyou = 1001;
    static constexpr int kMove = 1020;
    // An item holds at most 9999 rows: any of them may start or end the range.
    static constexpr int kMinGyou = 1;
    static constexpr int kMaxGyou = 9999;

    explicit CCopyDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();

    int m_StartGyou = 0;
    int m_EndGyou = 0;
    int m_Move = 0;   // 行を移動する

    void doDataExchange(kiv::ui::DataExchange& dx) override;
};
