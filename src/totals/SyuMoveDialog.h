#pragma once
// CSyuMoveDialog (集計分類移動): the category page to go to, typed or picked from the list of the
// totals document's categories (number, 品名, 規格 and 分類 of each category title). A double
// click or Enter on a line takes that line's category at once.
#include "platform/ui/Dialog.h"

class CTotalDoc;

class CSyuMoveDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 168;
    static constexpr int kList = 1319;
    static constexpr int kBun = 1109;
    static constexpr int kBunMax = 999;

    // `doc` is the window's own document: its titles fill the list.
    explicit CSyuMoveDialog(const CTotalDoc* doc, kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();

    int m_Bun = 1;   // the category chosen

    void onShowDialog() override;
    void doDataExchange(kiv::ui::DataExchange& dx) override;

private:
    void OnDblclkList();
    const CTotalDoc* m_pDoc;
};
