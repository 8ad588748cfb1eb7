#pragma once
// 複合単価か労務費を計上して計算: the estimate style (position 121 of the settings record),
// composite-price style when 複合単価で計算する is ticked, labour-posting style otherwise. The
// second box, 労務費計上内訳書の内容を残す, is not stored: the style commands read it after OK to
// keep the computed rows of the estimate.
#include "estimate/SetteiEditDialog.h"

class CfukugouDialog : public SetteiEditDialog {
public:
    static constexpr int kDialogId = 140;
    static constexpr int kFukugou = 1020;
    static constexpr int kNokosu = 1008;

    explicit CfukugouDialog(kiv::ui::Window* parent = nullptr);

    int m_Fukugou = 0; // composite-price style
    int m_Nokosu = 0;  // keep the computed rows; unticked whenever the dialog opens

    static const kiv::ui::DialogTemplate& dialogLayout();
    void doDataExchange(kiv::ui::DataExchange& dx) override;

protected:
    void showSettei(const SetteiRecord& record) override;
    void storeSettei(SetteiRecord& record) override;
};
