// The breakdown text file's options dialog.
#include "export/TextDialog.h"

#include "export/ExportPath.h"

using kiv::ui::dlu;
namespace ctl = kiv::ui::ctl;

const kiv::ui::DialogTemplate& CTextDialog::dialogTemplate() {
    // 1321 is shown but selects nothing: the file has one layout whichever way it is set.
    static const kiv::ui::DialogTemplate t{
        IDD, "内訳書テキストファイル出力", {268, 118},
        {
            ctl::label("出力ファイル名", dlu(10, 8, 70, 10)),
            ctl::edit(IDC_PATH, dlu(10, 20, 248, 13), 0, kPathLimit),
            ctl::check(IDC_DOUBLE_SPACING, "２行間隔で出力", dlu(10, 44, 100, 10)),
            ctl::check(IDC_BIKOU1, "備考１を出力", dlu(10, 59, 100, 10)),
            ctl::check(IDC_ROUMU_NINZUU, "労務費を人数で出力", dlu(10, 74, 110, 10)),
            ctl::check(IDC_ZENNAIYOU, "労務費付内訳の全内容を出力", dlu(10, 89, 130, 10)),
            ctl::defButton(kiv::ui::IDOK, "OK", dlu(214, 76, 44, 15)),
            ctl::button(kiv::ui::IDCANCEL, "ｷｬﾝｾﾙ", dlu(214, 95, 44, 15)),
        }};
    return t;
}

CTextDialog::CTextDialog(std::filesystem::path docPath, kiv::ui::Window* parent)
    : Dialog(dialogTemplate(), parent), m_DocPath(std::move(docPath)) {
    auto take = [this] { updateData(true); };
    onClicked(IDC_DOUBLE_SPACING, take);
    onClicked(IDC_ROUMU_NINZUU, take);
}

void CTextDialog::onShowDialog() {
    m_Path = kiv::exporting::ProposeExportPath(m_DocPath, "TXT", "内訳書");
    updateData(false);
}

void CTextDialog::doDataExchange(kiv::ui::DataExchange& dx) {
    dx.check(IDC_DOUBLE_SPACING, m_DoubleSpacing);
    dx.text(IDC_PATH, m_Path, kPathLimit);
    dx.check(IDC_BIKOU1, m_Bikou1);
    dx.check(IDC_ROUMU_NINZUU, m_RoumuNinzuu);
}
