// The totals text file's path dialog.
#include "totals/TtextDialog.h"

#include "export/ExportPath.h"

using kiv::ui::dlu;
namespace ctl = kiv::ui::ctl;

const kiv::ui::DialogTemplate& CTtextDialog::dialogTemplate() {
    static const kiv::ui::DialogTemplate t{
        IDD, "集計表テキストファイル出力", {268, 70},
        {
            ctl::label("出力ファイル名", dlu(10, 8, 70, 10)),
            ctl::edit(IDC_PATH, dlu(10, 20, 248, 13), 0, kPathLimit),
            ctl::defButton(kiv::ui::IDOK, "OK", dlu(160, 46, 44, 15)),
            ctl::button(kiv::ui::IDCANCEL, "ｷｬﾝｾﾙ", dlu(214, 46, 44, 15)),
        }};
    return t;
}

CTtextDialog::CTtextDialog(std::filesystem::path docPath, kiv::ui::Window* parent)
    : Dialog(dialogTemplate(), parent), m_DocPath(std::move(docPath)) {}

void CTtextDialog::onShowDialog() {
    m_Path = kiv::exporting::ProposeExportPath(m_DocPath, "TXT", "集計表");
    updateData(false);
}

void CTtextDialog::doDataExchange(kiv::ui::DataExchange& dx) { dx.text(IDC_PATH, m_Path, kPathLimit); }
