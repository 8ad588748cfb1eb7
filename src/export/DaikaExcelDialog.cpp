// The composite unit-price workbook's dialog.
#include "export/DaikaExcelDialog.h"

#include "export/ExportPath.h"

using kiv::ui::dlu;
namespace ctl = kiv::ui::ctl;

const kiv::ui::DialogTemplate& CDaikaExcelDialog::dialogTemplate() {
    static const kiv::ui::DialogTemplate t{
        IDD, "単価表EXCEL出力", {227, 74},
        {
            ctl::defButton(kiv::ui::IDOK, "OK", dlu(179, 7, 41, 14)),
            ctl::button(kiv::ui::IDCANCEL, "ｷｬﾝｾﾙ", dlu(179, 24, 41, 14)),
            ctl::edit(IDC_PATH, dlu(17, 55, 195, 12), 0, kPathLimit),
            ctl::label("出力ファイル名", dlu(19, 46, 73, 8)),
            ctl::check(IDC_DOUBLE_SPACING, "２行間隔で出力", dlu(19, 28, 74, 10)),
            ctl::button(IDC_BROWSE, "参照", dlu(181, 41, 39, 13)),
        }};
    return t;
}

CDaikaExcelDialog::CDaikaExcelDialog(std::filesystem::path docPath, kiv::ui::Window* parent)
    : Dialog(dialogTemplate(), parent), m_DocPath(std::move(docPath)) {
    // The box is kept as clicked: 参照 puts the members back into the controls.
    onClicked(IDC_DOUBLE_SPACING, [this] { m_DoubleSpacing = isChecked(IDC_DOUBLE_SPACING); });
    onClicked(IDC_BROWSE, [this] { OnBrowse(); });
}

void CDaikaExcelDialog::onShowDialog() {
    m_OutPath = m_DocPath.empty() ? std::string() : kiv::exporting::ProposeExportPath(m_DocPath, "XLSX", "");
    updateData(false);
}

void CDaikaExcelDialog::doDataExchange(kiv::ui::DataExchange& dx) {
    dx.text(IDC_PATH, m_OutPath, kPathLimit);
    dx.check(IDC_DOUBLE_SPACING, m_DoubleSpacing);
}

void CDaikaExcelDialog::OnBrowse() {
    auto chosen = kiv::exporting::ChooseWorkbookFile(m_OutPath, this);
    if (!chosen)
        return;
    m_OutPath = *chosen;
    m_BrowsedPath = *chosen;
    updateData(false);
}
