#pragma once
// kivdialog: the detail dialog "詳細" (template 130) of one row's composite unit-price breakdown.
// Its boxes are the members of KivDetail; the dialog never reads or writes a row itself: its
// opener fills the members, sets the rounding mode and the line clipboard, runs it and reads the
// members back after OK. The title-bar close keeps the edits like OK.
#include <array>
#include <string>

#include "platform/ui/Dialog.h"
#include "pricing/KivDetail.h"

class kivdialog : public kiv::ui::Dialog, public KivDetail {
public:
    explicit kivdialog(kiv::ui::Window* parent = nullptr);

    // Composite rounding mode the amounts are shown in (FukugouMarume); the opener sets it.
    int m_Marume = 0;
    // Current material line 1..7 of the line commands; 0 while none is.
    int m_CurZaiGyou = 0;
    // Registration number last taken from the labour-price list; 0 while none was.
    int m_RoumuSelNo = 0;
    // Line clipboard: 名称, 規格, 数量, 単位, 単価1, 単価2, 備考 of one material line.
    std::array<std::string, 7> m_GyouClip;

    // Prices the members with the one pricing engine and shows every amount, total, composite
    // unit price and the 材料を合計して表示 check. Takes nothing in.
    void Recalc();

    void doDataExchange(kiv::ui::DataExchange& dx) override;
    // When shown: takes every box in, opens the input method, recalculates, focus on 名称.
    void onShowDialog() override;
    // The close box keeps the edits, like OK.
    void onClose() override { onOK(); }

private:
    void OnFukuHyouji() {}
    // The computed boxes from their members.
    void showComputed();
};
