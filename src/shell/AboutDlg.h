#pragma once
// CAboutDlg: the About box (バージョン情報). It exchanges no data.
#include "platform/ui/Dialog.h"

class CAboutDlg : public kiv::ui::Dialog {
public:
    explicit CAboutDlg(kiv::ui::Window* owner = nullptr);
};
