#include "master/MstDialogs.h"

#include <array>
#include <vector>

#include "master/MstDoc.h"
#include "platform/text/Number.h"
#include "platform/ui/MessageBox.h"

using namespace kiv::ui;

namespace {

// The range edits of the conversion dialogs only show the range: any category number is taken.
constexpr int kMinBun = 1;
constexpr int kMaxBun = 9999;

const char* const kMsgBunOrder = "最初の数値をあとの数値より小さく再入力してください。";

} // namespace

// ---------------------------------------------------------------------------------------------
// 分類選択

const DialogTemplate& CMbunSerectDialog::dialogLayout() {
    static const DialogTemplate t{kDialogId, "分類選択", {300, 216},
                                  {ctl::tree(kTree, dlu(7, 7, 286, 148)),
                                   ctl::label("開始行は左ダブルクリック", dlu(7, 162, 200, 10)),
                                   ctl::label("終了行も左ダブルクリックしてください", dlu(7, 176, 200, 10)),
                                   ctl::label("開始分類", dlu(7, 196, 36, 10)),
                                   ctl::edit(kBunFrom, dlu(45, 194, 30, 12), EditNumber),
                                   ctl::label("終了分類", dlu(90, 196, 36, 10)),
                                   ctl::edit(kBunTo, dlu(128, 194, 30, 12), EditNumber),
                                   ctl::defButton(IDOK, "OK", dlu(236, 162, 50, 14)),
                                   ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(236, 180, 50, 14))}};
    return t;
}

CMbunSerectDialog::CMbunSerectDialog(MstDoc& doc, Window* parent) : Dialog(dialogLayout(), parent), m_Doc(doc) {
    onNotify(kTree, Notify::DblClk, [this] { OnDblclkTree(); });
}

bool CMbunSerectDialog::onInitDialog() {
    const bool r = Dialog::onInitDialog();
    if (TreeView* t = tree(kTree)) {
        const TreeItem root = t->insertItem(m_Doc.BunSelectRoot());
        const auto count = std::min<std::size_t>(static_cast<std::size_t>(std::max(0, m_Doc.KoumokuCount())),
                                                 m_Doc.BunSelectList().size());
        for (std::size_t i = 0; i < count; ++i)
            t->insertItem(m_Doc.BunSelectList()[i], root);
        t->expand(root);
    }
    m_ClickCount = 0;
    return r;
}

void CMbunSerectDialog::doDataExchange(DataExchange& dx) {
    // No conversion may reach a category past the master's last.
    const int last = std::max(kMinBun, m_Doc.KoumokuCount());
    dx.text(kBunTo, m_BunTo, kMinBun, last);
    dx.text(kBunFrom, m_BunFrom, kMinBun, last);
}

void CMbunSerectDialog::OnDblclkTree() {
    const TreeView* t = tree(kTree);
    if (!t || !t->selectedItem())
        return;
    m_ItemText = t->itemText(t->selectedItem());
    // The root and a blank label name no category.
    const int bun = kiv::text::parseInt(m_ItemText.substr(0, 4));
    if (bun == 0)
        return;
    if (m_ClickCount == 0) {
        m_BunFrom = bun;
        m_ClickCount = 1;
    } else {
        m_BunTo = bun;
    }
    updateData(false);
}

void CMbunSerectDialog::onOK() {
    if (!updateData(true))
        return;
    if (m_BunFrom > m_BunTo) {
        messageBox(kMsgBunOrder, MB_OK | MB_ICONEXCLAMATION, {}, this);
        gotoControl(kBunFrom);
        return;
    }
    m_Doc.SetBunRange(m_BunFrom, m_BunTo);
    endDialog(IDOK);
}

// ---------------------------------------------------------------------------------------------
// その他一括変換

const DialogTemplate& CMsonotahenkanDialog::dialogLayout() {
    static const DialogTemplate t{kDialogId, "その他一括変換", {160, 92},
                                  {ctl::label("分類ごとにその他率を一括変換します。", dlu(7, 6, 146, 10)),
                                   ctl::label("変換分類", dlu(7, 22, 40, 10)),
                                   ctl::edit(kBunFrom, dlu(50, 20, 30, 12), EditNumber),
                                   ctl::label("～", dlu(83, 22, 10, 10)),
                                   ctl::edit(kBunTo, dlu(95, 20, 30, 12), EditNumber),
                                   ctl::label("その他１率", dlu(7, 40, 40, 10)),
                                   ctl::edit(kSonota1Ritu, dlu(50, 38, 30, 12), StyleNone, kRituBytes),
                                   ctl::label("その他２率", dlu(7, 56, 40, 10)),
                                   ctl::edit(kSonota2Ritu, dlu(50, 54, 30, 12), StyleNone, kRituBytes),
                                   ctl::defButton(IDOK, "OK", dlu(20, 72, 50, 14)),
                                   ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(90, 72, 50, 14))}};
    return t;
}

CMsonotahenkanDialog::CMsonotahenkanDialog(Window* parent) : Dialog(dialogLayout(), parent) {}

void CMsonotahenkanDialog::doDataExchange(DataExchange& dx) {
    dx.text(kBunFrom, m_BunFrom, kMinBun, kMaxBun);
    dx.text(kBunTo, m_BunTo, kMinBun, kMaxBun);
    dx.number(kSonota1Ritu, m_Sonota1Ritu, kRituBytes);
    dx.number(kSonota2Ritu, m_Sonota2Ritu, kRituBytes);
}

// ---------------------------------------------------------------------------------------------
// 単価変換、削除

const DialogTemplate& CMtankaHenkanDialog::dialogLayout() {
    static const DialogTemplate t{kDialogId, "単価変換、削除", {139, 76},
                                  {ctl::label("分類ごとに単価を一括変換します。", dlu(7, 6, 129, 10)),
                                   ctl::label("変換分類", dlu(7, 22, 34, 10)),
                                   ctl::edit(kBunFrom, dlu(42, 20, 30, 12), EditNumber),
                                   ctl::label("～", dlu(75, 22, 10, 10)),
                                   ctl::edit(kBunTo, dlu(87, 20, 30, 12), EditNumber),
                                   ctl::label("掛け率", dlu(7, 38, 34, 10)),
                                   ctl::edit(kKakeritu, dlu(42, 36, 30, 12)),
                                   ctl::label("削除は 0を入力", dlu(75, 38, 60, 10)),
                                   ctl::defButton(IDOK, "OK", dlu(14, 56, 50, 14)),
                                   ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(75, 56, 50, 14))}};
    return t;
}

CMtankaHenkanDialog::CMtankaHenkanDialog(Window* parent) : Dialog(dialogLayout(), parent) {}

void CMtankaHenkanDialog::doDataExchange(DataExchange& dx) {
    dx.text(kBunFrom, m_BunFrom, kMinBun, kMaxBun);
    dx.text(kBunTo, m_BunTo, kMinBun, kMaxBun);
    dx.text(kKakeritu, m_Kakeritu, 0.0, 10.0);
    if (dx.saving() && !dx.failed())
        m_KakerituValue = kiv::text::parseDecimal(itemText(kKakeritu));
}

// ---------------------------------------------------------------------------------------------
// CSVﾌｧｲﾙ読込

namespace {

struct MstColumnChoice {
    const char* def;
    std::vector<const char*> list;
};

const std::array<MstColumnChoice, CMtextreadDialog::kMstColumns>& mstColumnChoices() {
    static const std::array<MstColumnChoice, CMtextreadDialog::kMstColumns> c = {{
        {"01", {"01", "02", "03", "04", "12", "23", "34", "00"}},
        {"02", {"01", "02", "03", "04", "12", "23", "34", "00"}},
        {"03", {"03", "04", "05", "06", "07", "00"}},
        {"04", {"02", "03", "04", "05", "06", "07", "08", "09", "00"}},
        {"05", {"02", "03", "04", "05", "06", "07", "08", "09", "00"}},
    }};
    return c;
}

} // namespace

void CMtextreadDialog::onShowDialog() {
    for (std::size_t i = 0; i < kMstColumns; ++i)
        m_Columns[i] = mstColumnChoices()[i].def;
    m_Columns[kMstColumns] = "00";   // no 備考 column
    updateData(false);
    for (std::size_t i = 0; i < kMstColumns; ++i)
        for (const char* c : mstColumnChoices()[i].list)
            addString(kHinmeiColumn + static_cast<int>(i), c);
}

void CMtextreadDialog::doDataExchange(DataExchange& dx) {
    dx.number(kHinmeiColumn, m_Columns[0], kColumnBytes);
    dx.text(kPath, m_Path, kMaxPath);
    for (int i = 1; i < kMstColumns; ++i)
        dx.number(kHinmeiColumn + i, m_Columns[static_cast<std::size_t>(i)], kColumnBytes);
    dx.check(kToSyousai, m_ToSyousai);
}

void CMtextreadDialog::onOK() {
    if (updateData(true))
        endDialog(IDOK);
}
