#include "grid/TextreadDialog.h"

#include <cstdio>

#include "platform/files/Files.h"
#include "platform/text/Number.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/MessageBox.h"

using namespace kiv::ui;

namespace {

struct ColumnChoice {
    const char* def;
    std::vector<const char*> list;
};

const std::array<ColumnChoice, CTextreadDialog::kColumns>& columnChoices() {
    static const std::array<ColumnChoice, CTextreadDialog::kColumns> c = {{
        {"01", {"01", "02", "03", "04", "00"}},
        {"02", {"01", "02", "03", "04", "00"}},
        {"03", {"02", "03", "04", "05", "06", "00"}},
        {"04", {"03", "04", "05", "06", "07", "00"}},
        {"05", {"02", "03", "04", "05", "06", "07", "08", "09", "00"}},
        {"06", {"02", "03", "04", "05", "06", "07", "08", "09", "00"}},
    }};
    return c;
}

const char* const kMsgBadBunNo = "分類番号は4桁までの数字で入力してください。";

} // namespace

const DialogTemplate& CTextreadDialog::dialogLayout() {
    static const DialogTemplate t{
        kDialogId, "CSVﾌｧｲﾙ読込", {295, 138},
        {ctl::label("CVSﾌｧｲﾙを選択", dlu(10, 8, 70, 10)),
         ctl::edit(kPath, dlu(10, 20, 210, 12), StyleNone, kMaxPath),
         ctl::button(kChoose, "CSVﾌｧｲﾙ読込", dlu(226, 19, 60, 14)),
         ctl::label("読込むﾌｧｲﾙのｾﾙ番号を指定します", dlu(10, 40, 200, 10)),
         ctl::label("品名のｾﾙ番号", dlu(10, 56, 60, 10)),
         ctl::combo(kHinmeiColumn, dlu(72, 54, 30, 80)),
         ctl::label("規格のｾﾙ番号", dlu(110, 56, 60, 10)),
         ctl::combo(kHinmeiColumn + 1, dlu(172, 54, 30, 80)),
         ctl::label("数量のｾﾙ番号", dlu(10, 74, 60, 10)),
         ctl::combo(kHinmeiColumn + 2, dlu(72, 72, 30, 80)),
         ctl::label("単位のｾﾙ番号", dlu(110, 74, 60, 10)),
         ctl::combo(kHinmeiColumn + 3, dlu(172, 72, 30, 80)),
         ctl::label("単価のｾﾙ番号", dlu(10, 92, 60, 10)),
         ctl::combo(kHinmeiColumn + 4, dlu(72, 90, 30, 80)),
         ctl::label("備考のｾﾙ番号", dlu(110, 92, 60, 10)),
         ctl::combo(kHinmeiColumn + 5, dlu(172, 90, 30, 80)),
         ctl::label("分類番号", dlu(10, 112, 40, 10)),
         ctl::edit(kBunNo, dlu(54, 110, 30, 12), EditNumber, kBunNoBytes),
         ctl::check(kToSyousai, "詳細への１行目へも書込み", dlu(96, 110, 114, 12)),
         ctl::defButton(IDOK, "OK", dlu(226, 90, 60, 14)),
         ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(226, 110, 60, 14))}};
    return t;
}

CTextreadDialog::CTextreadDialog(Window* parent) : Dialog(dialogLayout(), parent) {
    onClicked(kChoose, [this] { OnChoose(); });
}

void CTextreadDialog::onShowDialog() {
    for (int i = 0; i < kColumns; ++i)
        m_Columns[static_cast<std::size_t>(i)] = columnChoices()[static_cast<std::size_t>(i)].def;
    updateData(false);
    for (int i = 0; i < kColumns; ++i)
        for (const char* c : columnChoices()[static_cast<std::size_t>(i)].list)
            addString(kHinmeiColumn + i, c);
}

void CTextreadDialog::doDataExchange(DataExchange& dx) {
    dx.number(kHinmeiColumn, m_Columns[0], kColumnBytes);
    dx.text(kPath, m_Path, kMaxPath);
    for (int i = 1; i < kColumns; ++i)
        dx.number(kHinmeiColumn + i, m_Columns[static_cast<std::size_t>(i)], kColumnBytes);
    dx.number(kBunNo, m_BunNo, kBunNoBytes);
    dx.check(kToSyousai, m_ToSyousai);
}

void CTextreadDialog::OnChoose() {
    updateData(true);
    FileDialogRequest request;
    request.open = true;
    request.defaultExt = "csv";
    request.initialName = "*.csv";
    request.filter = "CSV(*.CSV)|*.CSV|ﾃｷｽﾄ(*.TXT)|*.TXT|";
    request.flags = OFN_HIDEREADONLY;
    request.owner = this;
    const std::optional<std::filesystem::path> chosen = fileDialog(request);
    if (!chosen)
        return;
    // A name that CP932 cannot hold is kept as its bytes; the import names the file by them.
    m_Path = kiv::files::toCp932(*chosen).value_or(chosen->string());
    setItemText(kPath, m_Path);
}

void CTextreadDialog::onOK() {
    if (!updateData(true))
        return;
    // The category field of a row is a right-aligned four-digit number.
    m_BunNo = std::string(kiv::text::trimBlanks(m_BunNo));
    const bool digits = !m_BunNo.empty() && m_BunNo.find_first_not_of("0123456789") == std::string::npos;
    if (!m_BunNo.empty() && !digits) {
        messageBox(kMsgBadBunNo, MB_OK | MB_ICONEXCLAMATION, {}, this);
        gotoControl(kBunNo);
        return;
    }
    if (digits) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%04d", std::stoi(m_BunNo));
        m_BunNo = buf;
    }
    endDialog(IDOK);
}
