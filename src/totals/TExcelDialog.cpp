// The totals workbook's path dialog.
#include "totals/TExcelDialog.h"

#include "export/ExportPath.h"

using kiv::ui::dlu;
namespace ctl = kiv::ui::ctl;

const kiv::ui::DialogTemplate& CTExcelDialog::dialogTemplate() {
    static const kiv::ui::DialogTemplate t{
        IDD, "集計表EXCEL出力", {268, 70},
        {
            ctl::label("出力ファイル名", dlu(10, 8, 70, 10)),
            ctl::edit(IDC_PATH, dlu(10, 20, 200, 13), 0, kPathLimit),
            ctl::button(IDC_BROWSE, "参照", dlu(214, 19, 44, 15)),
            ctl::defButton(kiv::ui::IDOK, "OK", dlu(160, 46, 44, 15)),
            ctl::button(kiv::ui::IDCANCEL, "ｷｬﾝｾﾙ", dlu(214, 46, 44, 15)),
        }};
    return t;
}

CTExcelDialog::CTExcelDialog(std::filesystem::path docPath, kiv::ui::Window* parent)
    : Dialog(dialogTemplate(), parent), m_DocPath(std::move(docPath)) {
    onClicked(IDC_BROWSE, [this] { OnBrowse(); });
}

void CTExcelDialog::onShowDialog() {
    m_Path = kiv::exporting::ProposeExportPath(m_DocPath, "XLSX", "集計表");
    updateData(false);
}

void CTExcelDialog::doDataExchange(kiv::ui::DataExchange& dx) { dx.text(IDC_PATH, m_Path, kPathLimit); }

void CTExcelDialog::OnBrowse() {
    updateData(true);
    auto cp = kiv::exporting::ChooseWorkbookFile(m_Path, this);
    if (!cp)
        return;
    m_Path = *cp;
    m_BrowsedPath = *cp;
    updateData(false);
}
