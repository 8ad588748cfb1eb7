#pragma once
// CProgressDlg (212 "EXCELファイル出力"): the modeless window with one progress bar that a
// workbook export shows while it writes its items. It has no buttons; the export that made it
// closes it, and Esc or the close box do nothing, so the window never goes away under the run.
#include "platform/ui/Dialog.h"

class CProgressDlg : public kiv::ui::Dialog {
public:
    static constexpr int IDD = 212;
    static constexpr int IDC_PROGRESS = 1341;

    CProgressDlg();
    ~CProgressDlg() override;
    // Made and shown over `parent`.
    bool Open(kiv::ui::Window* parent);
    // The range 0 .. n - 1 and the position k.
    void SetRange(int n) { setProgressRange(IDC_PROGRESS, 0, n - 1); }
    void SetPos(int k) { setProgressPos(IDC_PROGRESS, k); }
    // The export's own close.
    void Close();

    void onCancel() override {}
    void onClose() override {}

    // Windows made since the program started (the tests count them).
    static int s_Made;

    static const kiv::ui::DialogTemplate& dialogTemplate();
};
