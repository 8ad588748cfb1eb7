#pragma once
// CSyuukeiDialog (積算ﾌｧｲﾙ選択): the estimate file to roll up into totals. 参照 first reminds
// the user what a composite-price estimate needs, then offers the mode's estimate files.
#include <string>

#include "platform/ui/Dialog.h"

class CSyuukeiDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 166;
    static constexpr int kBrowse = 1222;
    static constexpr int kPath = 1221;
    static constexpr int kSplit = 1318;     // shown; what splitting would mean is not settled
    static constexpr int kMaxPath = 256;
    static const char* const kBrowseMessage;

    CSyuukeiDialog(const std::string& mode, kiv::ui::Window* parent);
    static const kiv::ui::DialogTemplate& dialogLayout();

    std::string m_Path;   // the path box (CP932)

    void doDataExchange(kiv::ui::DataExchange& dx) override;

private:
    void OnBrowse();
    std::string m_Mode;
};
