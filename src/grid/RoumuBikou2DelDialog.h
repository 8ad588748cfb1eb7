#pragma once
// 歩掛け～備考2削除: the rows of the current item whose rates, percentages and remarks
// 歩掛け～備考2削除 blanks.
#include "grid/GyouRangeDialog.h"

class CRoumu_bikou2delDialog : public GyouRangeDialog {
public:
    static constexpr int kDialogId = 204;
    explicit CRoumu_bikou2delDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();
};
