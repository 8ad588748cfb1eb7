// The breakdown workbook's options dialog.
#include "export/ExcelDialog.h"

#include "export/ExportPath.h"

using kiv::ui::dlu;
namespace ctl = kiv::ui::ctl;

const kiv::ui::DialogTemplate& ExcelDialog::dialogTemplate() {
    static const kiv::ui::DialogTemplate t{
        IDD, "内訳書EXCEL出力", {268, 130},
        {
            ctl::label("出力ファイル名", dlu(10, 8, 70, 10)),
            ctl::edit(IDC_PATH, dlu(10, 20, 200, 13), 0, kPathLimit),
            ctl::button(IDC_BROWSE, "参照", dlu(214, 19, 44, 15)),
            ctl::check(IDC_DOUBLE_SPACING, "２行間隔で出力", dlu(10, 44, 90, 10)),
            ctl::check(IDC_BIKOU1, "備考１を出力", dlu(10, 59, 90, 10)),
            ctl::check(IDC_ROUMU_NINZUU, "労務費を人数で出力", dlu(10, 74, 100, 10)),
            ctl::check(IDC_HYOUSI, "表紙を出力", dlu(10, 89, 90, 10)),
            ctl::group("印刷の向き", dlu(120, 40, 70, 46)),
            ctl::radio(IDC_YOKO, "横", dlu(130, 54, 40, 10), true),
            ctl::radio(IDC_TATE, "縦", dlu(130, 69, 40, 10)),
            ctl::defButton(kiv::ui::IDOK, "OK", dlu(214, 88, 44, 15)),
            ctl::button(kiv::ui::IDCANCEL, "ｷｬﾝｾﾙ", dlu(214, 107, 44, 15)),
        }};
    return t;
}

ExcelDialog::ExcelDialog(std::filesystem::path docPath, kiv::ui::Window* parent)
    : Dialog(dialogTemplate(), parent), m_DocPath(std::move(docPath)) {
    auto take = [this] { updateData(true); };
    onClicked(IDC_DOUBLE_SPACING, take);
    onClicked(IDC_ROUMU_NINZUU, take);
    onClicked(IDC_YOKO, take);
    onClicked(IDC_BROWSE, [this] { OnBrowse(); });
}

void ExcelDialog::onShowDialog() {
    m_Path = kiv::exporting::ProposeExportPath(m_DocPath, "XLSX", "内訳書");
    updateData(false);
}

void ExcelDialog::doDataExchange(kiv::ui::DataExchange& dx) {
    dx.check(IDC_DOUBLE_SPACING, m_DoubleSpacing);
    dx.text(IDC_PATH, m_Path, kPathLimit);
    dx.check(IDC_BIKOU1, m_Bikou1);
    dx.check(IDC_ROUMU_NINZUU, m_RoumuNinzuu);
    dx.check(IDC_HYOUSI, m_Hyousi);
    dx.radio(IDC_YOKO, m_Orientation);
}

void ExcelDialog::OnBrowse() {
    updateData(true);
    auto chosen = kiv::exporting::ChooseWorkbookFile(m_Path, this);
    if (!chosen)
        return;
    m_Path = *chosen;
    m_BrowsedPath = *chosen;
    updateData(false);
}
