#pragma once
// A dialog with every kind of control and every data-exchange path, for the dialog tests of
// both backends.
#include "platform/text/Cp932.h"
#include "platform/ui/Dialog.h"

#include <string>
#include <vector>

namespace kiv::test {

class EveryControlDialog : public ui::Dialog {
public:
    enum : int {
        kName = 1000, kCount = 1001, kRate = 1002, kMemo = 1003, kShown = 1004, kSecret = 1005,
        kCheck = 1020, kRadio1 = 1030, kRadio2 = 1031, kRadio3 = 1032, kUnit = 1015, kList = 1040,
        kReport = 1050, kTree = 1060, kBrowse = 1222,
    };
    std::string m_Name, m_Memo, m_Unit, m_ListText;
    int m_Count = 1;
    double m_Rate = 1.0;
    int m_Check = 0, m_Radio = 0;
    int shows = 0, showWindows = 0;
    std::vector<std::string> log;

    static const ui::DialogTemplate& layout() {
        using namespace ui;
        static const DialogTemplate t{
            300, "全部のコントロール", {330, 230},
            {ctl::label("名称(&N)", dlu(7, 9, 40, 8)),
             ctl::edit(kName, dlu(50, 7, 90, 12)),
             ctl::label("数量", dlu(7, 25, 40, 8)),
             ctl::edit(kCount, dlu(50, 23, 40, 12), EditNumber),
             ctl::label("掛け率", dlu(7, 41, 40, 8)),
             ctl::edit(kRate, dlu(50, 39, 40, 12)),
             ctl::edit(kMemo, dlu(7, 56, 133, 30), EditMultiline | EditWantReturn),
             ctl::edit(kShown, dlu(7, 90, 60, 12), EditReadOnly),
             ctl::edit(kSecret, dlu(70, 90, 60, 12), Hidden),
             ctl::check(kCheck, "詳細への１行目へも書込み", dlu(7, 106, 130, 10), TextLeft),
             ctl::group("様式", dlu(7, 118, 133, 40)),
             ctl::radio(kRadio1, "複合単価", dlu(12, 128, 60, 10), true),
             ctl::radio(kRadio2, "労務費計上", dlu(12, 140, 60, 10)),
             ctl::radio(kRadio3, "その他", dlu(75, 128, 60, 10)),
             ctl::combo(kUnit, dlu(150, 7, 60, 80)),
             ctl::list(kList, dlu(150, 25, 80, 60)),
             ctl::report(kReport, {{"NO", 40, Align::Left}, {"品名", 120, Align::Left}, {"金額", 80, Align::Right}},
                         dlu(150, 90, 170, 60)),
             ctl::tree(kTree, dlu(240, 7, 80, 78)),
             ctl::defButton(IDOK, "OK", dlu(150, 160, 50, 14)),
             ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(205, 160, 50, 14)),
             ctl::button(kBrowse, "参照", dlu(260, 160, 50, 14))}};
        return t;
    }

    EveryControlDialog() : Dialog(layout()) {
        onNotify(kName, ui::Notify::KillFocus, [this] { log.push_back("kill name"); });
        onNotify(kCount, ui::Notify::Change, [this] { log.push_back("change count " + itemText(kCount)); });
        onNotify(kList, ui::Notify::SelChange, [this] { log.push_back("list sel " + std::to_string(getCurSel(kList))); });
        onNotify(kList, ui::Notify::DblClk, [this] { log.push_back("list dbl"); });
        onNotify(kUnit, ui::Notify::SelChange, [this] { log.push_back("unit sel"); });
        onNotify(kReport, ui::Notify::Return, [this] { log.push_back("report return"); });
        onNotify(kReport, ui::Notify::DblClk, [this] { endDialog(1243); });
        onNotify(kTree, ui::Notify::Return, [this] { log.push_back("tree return"); });
        onClicked(kBrowse, [this] {
            updateData(true);
            endDialog(1032);
        });
    }

    void onShowWindow(bool show) override {
        ++showWindows;
        Dialog::onShowWindow(show);
    }

    void onShowDialog() override {
        ++shows;
        for (const char* u : {"ケ", "個", "本", "式", "ｍ2"})
            addString(kUnit, text::sj(u));
        for (const char* l : {"0001 配管", "0002 電気", "0010 空調"})
            addString(kList, text::sj(l));
        insertListItem(kReport, -1, "1");
        setListItemText(kReport, 0, 1, text::sj("配管工事"));
        setListItemText(kReport, 0, 2, "1,200");
        if (ui::TreeView* t = tree(kTree)) {
            ui::TreeItem root = t->insertItem(text::sj("マスター"));
            t->insertItem(text::sj("0001 配管"), root);
            t->expand(root);
        }
        setItemText(kShown, text::sj("表示のみ"));
        updateData(false);
    }

    void doDataExchange(ui::DataExchange& dx) override {
        dx.text(kName, m_Name, 10);
        dx.text(kCount, m_Count, 1, 999);
        dx.text(kRate, m_Rate, 0.0, 10.0);
        dx.text(kMemo, m_Memo);
        dx.check(kCheck, m_Check);
        dx.radio(kRadio1, m_Radio);
        dx.cbString(kUnit, m_Unit, 4);
        dx.lbString(kList, m_ListText);
    }
};

} // namespace kiv::test
