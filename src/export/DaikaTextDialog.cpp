// The composite unit-price text file's dialog.
#include "export/DaikaTextDialog.h"

#include "export/ExportPath.h"

using kiv::ui::dlu;
namespace ctl = kiv::ui::ctl;

const kiv::ui::DialogTemplate& CDaikaTextDialog::dialogTemplate() {
    static const kiv::ui::DialogTemplate t{
        IDD, "単価表テキストファイル出力", {227, 74},
        {
            ctl::defButton(kiv::ui::IDOK, "OK", dlu(179, 7, 41, 14)),
            ctl::button(kiv::ui::IDCANCEL, "ｷｬﾝｾﾙ", dlu(179, 24, 41, 14)),
            ctl::check(IDC_DOUBLE_SPACING, "２行間隔で出力", dlu(19, 28, 90, 10)),
            ctl::label("出力ファイル名", dlu(19, 46, 80, 8)),
            ctl::edit(IDC_PATH, dlu(17, 55, 195, 12), 0, kPathLimit),
        }};
    return t;
}

CDaikaTextDialog::CDaikaTextDialog(std::filesystem::path docPath, kiv::ui::Window* parent)
    : Dialog(dialogTemplate(), parent), m_DocPath(std::move(docPath)) {}

void CDaikaTextDialog::onShowDialog() {
    m_Path = m_DocPath.empty() ? std::string() : kiv::exporting::ProposeExportPath(m_DocPath, "TXT", "");
    updateData(false);
}

void CDaikaTextDialog::doDataExchange(kiv::ui::DataExchange& dx) {
    dx.text(IDC_PATH, m_Path, kPathLimit);
    dx.check(IDC_DOUBLE_SPACING, m_DoubleSpacing);
}
