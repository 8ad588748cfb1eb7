#pragma once
// 文字入力: a one-line text entry that every grid view keeps as a hidden modeless window. When it is
// shown, the input method of its window opens.
#include <string>

#include "platform/ui/Dialog.h"

class CMojiDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 184;
    static constexpr int kMoji = 1000;
    static constexpr int kMojiWidth = 30;

    explicit CMojiDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();

    // Creates the hidden modeless window; its owner is the application's main window.
    bool Create() { return createModeless(nullptr); }

    std::string m_Moji;   // CP932, at most 30 bytes

    void onShowDialog() override;
    void doDataExchange(kiv::ui::DataExchange& dx) override;
};
