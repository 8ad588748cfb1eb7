// The progress window of the workbook exports.
#include "export/excel/ProgressDlg.h"

using kiv::ui::dlu;

int CProgressDlg::s_Made = 0;

const kiv::ui::DialogTemplate& CProgressDlg::dialogTemplate() {
    static const kiv::ui::DialogTemplate t{IDD, "EXCELファイル出力", {310, 77},
                                           {kiv::ui::ctl::progress(IDC_PROGRESS, dlu(15, 26, 278, 22))}};
    return t;
}

CProgressDlg::CProgressDlg() : Dialog(dialogTemplate()) {}

CProgressDlg::~CProgressDlg() = default;

bool CProgressDlg::Open(kiv::ui::Window* parent) {
    if (!createModeless(parent))
        return false;
    ++s_Made;
    show(true);
    return true;
}

void CProgressDlg::Close() {
    show(false);
    destroyWindow();
}
