#include "estimate/MarumeDialog.h"

using namespace kiv::ui;

const DialogTemplate& CmarumeDialog::dialogLayout() {
    static const DialogTemplate t{kDialogId, "桁の丸め", {},
                                  {ctl::combo(kMarume, dlu(10, 10, 40, 60)),
                                   ctl::defButton(IDOK, "OK", dlu(65, 7, 50, 14)),
                                   ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(65, 25, 50, 14))}};
    return t;
}

CmarumeDialog::CmarumeDialog(Window* parent) : SetteiEditDialog(dialogLayout(), parent) {}

void CmarumeDialog::doDataExchange(DataExchange& dx) { dx.number(kMarume, m_Marume, 1); }

void CmarumeDialog::showSettei(const SetteiRecord& record) {
    char stored = record.byte(SetteiRecord::KetaMarumePos);
    // A NUL cannot stand in the box; it shows as an empty field, which keeps the byte on OK.
    m_Marume = stored == '\0' ? std::string() : std::string(1, stored);
    updateData(false);
    for (const char* digit : {"0", "1", "2", "3"})
        addString(kMarume, digit);
}

void CmarumeDialog::storeSettei(SetteiRecord& record) { record.setKetaMarume(m_Marume); }
