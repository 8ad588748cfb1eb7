#pragma once
// 分類移動: the master's categories (and their 備考 headings) as one flat list under the master's
// path; a chosen category puts its number into the edit, which also takes any number typed.
// 新分類 asks for the number after the last category.
#include <string>

#include "platform/ui/Dialog.h"

class MstDoc;

class CBunMoveDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 159;
    static constexpr int kTree = 1013;
    static constexpr int kBunNo = 1109;
    static constexpr int kNewBun = 1255;
    static constexpr int kBunNoMax = 9999;

    explicit CBunMoveDialog(MstDoc* doc, kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();

    int m_BunNo = 1;
    std::string m_ItemText;

    void onShowDialog() override;
    void doDataExchange(kiv::ui::DataExchange& dx) override;

private:
    // The selected item's number (its first four characters) into m_BunNo and the edit; a
    // heading or the root changes nothing.
    void TakeSelection();
    void CloseOnItem();
    void OnNewBun();
    MstDoc* m_pDoc;
};
