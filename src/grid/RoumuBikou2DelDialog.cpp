#include "grid/RoumuBikou2DelDialog.h"

const kiv::ui::DialogTemplate& CRoumu_bikou2delDialog::dialogLayout() {
    static const kiv::ui::DialogTemplate t = layout(kDialogId, "歩掛け～備考2削除", "歩掛けから付属、雑材、その他、備考2まで",
                                                    "を全て削除します。（取付費別途計上の場合）");
    return t;
}

CRoumu_bikou2delDialog::CRoumu_bikou2delDialog(kiv::ui::Window* parent) : GyouRangeDialog(dialogLayout(), parent) {}
