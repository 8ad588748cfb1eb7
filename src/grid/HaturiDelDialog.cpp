#include "grid/HaturiDelDialog.h"

const kiv::ui::DialogTemplate& CHaturi_delDialog::dialogLayout() {
    static const kiv::ui::DialogTemplate t = layout(kDialogId, "ハツリ削除", "改修工事用にハツリ歩掛けを削除します。", "");
    return t;
}

CHaturi_delDialog::CHaturi_delDialog(kiv::ui::Window* parent) : GyouRangeDialog(dialogLayout(), parent) {}
