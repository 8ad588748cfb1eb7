#pragma once
// kivdialog: the detail dialog "詳細" (template 130) of one row's composite unit-price breakdown.
// Its boxes are the members of KivDetail; the dialog never reads or writes a row itself: its
// opener fills the members, sets the rounding mode and the line clipboard, runs it and reads the
// members back after OK. The title-bar close keeps the edits like OK.
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "platform/ui/Dialog.h"
#include "pricing/KivDetail.h"

class CKivDoc;
class RoumuList;

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
    // The estimate whose row the dialog edits: labour lines are picked from its labour-price
    // list (and the list dialog registers into it). Null: the current master's list.
    CKivDoc* m_pRoumuDoc = nullptr;
    // A labour list of its own (the totals document's): numbers are looked up there first.
    const RoumuList* m_pRoumuList = nullptr;
    // The row is a master row: その他２ and the composite on the master's base.
    bool m_MasterRow = false;
    // Asked on OK with the boxes taken in; false keeps the dialog open (it has said why).
    std::function<bool(const kivdialog&)> m_AcceptOK;

    // Prices the members with the one pricing engine and shows every amount, total, composite
    // unit price and the 材料を合計して表示 check. Takes nothing in.
    void Recalc();

    void doDataExchange(kiv::ui::DataExchange& dx) override;
    // When shown: takes every box in, opens the input method, recalculates, focus on 名称.
    void onShowDialog() override;
    // The close box keeps the edits, like OK.
    void onClose() override { onOK(); }
    void onOK() override;

private:
    void OnFukuHyouji() {}
    // The computed boxes from their members.
    void showComputed();

    // Every number box's change (and a click on 材料を合計して表示): take every box in, recalculate.
    void OnChangeInput();

    // Material-line commands on the current line; each takes the boxes in first.
    void OnSetfocusZaiName(int gyou);
    void OnGyouInsert();
    void OnGyouDelete();
    void OnGyouCopy();
    void OnGyouPaste();
    void OnCopyToZai1();
    // The seven texts of material line `gyou` (1..7).
    std::array<std::string*, 7> zaiLine(int gyou);
    // Writes every box from its member and recalculates.
    void showLines();

    // Labour selection from the labour-price list.
    void OnSetfocusRoumuNo(int line);
    // A number typed into labour line `line`'s NO (a dialog with its own labour list only).
    void OnChangeRoumuNo(int line);
    void OnRoumuHyouji();
    // Runs the labour-price dialog; the registration number chosen after OK, nullopt otherwise.
    std::optional<int> chooseRoumu();
    // Fills labour line `line` (1..3) with registration number n of the list; false (after a
    // message) when n cannot be written into the two-character NO.
    bool fillRoumu(int line, int n);
    const RoumuList* roumuList() const;
};
