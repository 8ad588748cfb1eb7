#include "resources/ShellDialogs.h"

namespace res {

using kiv::ui::dlu;
namespace ctl = kiv::ui::ctl;

const kiv::ui::DialogTemplate& selectDialogTemplate() {
    static const kiv::ui::DialogTemplate t{
        IDD_SELECT,
        "積算の選択",
        {191, 59},
        {ctl::defButton(kiv::ui::IDOK, "OK", dlu(143, 18, 41, 14)),
         ctl::button(kiv::ui::IDCANCEL, "キャンセル", dlu(143, 38, 41, 14)),
         ctl::check(IDC_DENKI, "電気設備で積算", dlu(22, 15, 74, 10), kiv::ui::TextLeft),
         ctl::check(IDC_KIKAI, "機械設備で積算", dlu(22, 33, 74, 12), kiv::ui::TextLeft)}};
    return t;
}

const kiv::ui::DialogTemplate& aboutDialogTemplate() {
    static const kiv::ui::DialogTemplate t{
        IDD_ABOUTBOX,
        "バージョン情報(kiv)",
        {217, 62},
        {ctl::label("kiv バージョン 1.0", dlu(40, 10, 119, 8)),
         ctl::label("電気設備・機械設備の積算", dlu(40, 25, 119, 8)),
         ctl::defButton(kiv::ui::IDOK, "OK", dlu(178, 7, 32, 14))}};
    return t;
}

} // namespace res
