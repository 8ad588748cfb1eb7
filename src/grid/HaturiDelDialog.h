#pragma once
// ハツリ削除: the rows of the current item whose chipping percentage ﾊﾂﾘ歩掛け削除 blanks.
#include "grid/GyouRangeDialog.h"

class CHaturi_delDialog : public GyouRangeDialog {
public:
    static constexpr int kDialogId = 200;
    explicit CHaturi_delDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();
};
