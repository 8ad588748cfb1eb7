#include "print/LayoutFileDialogs.h"

#include "estimate/KivDoc.h"
#include "estimate/LayoutFile.h"
#include "platform/ui/MessageBox.h"

using namespace kiv::ui;

DialogTemplate LayoutFileDialog::chooserLayout(int id, const char* title, const char* caption, int pathBox) {
    return DialogTemplate{id, title, {227, 74},
                          {ctl::button(kBrowse, "参照", dlu(7, 7, 50, 14)),
                           ctl::defButton(IDOK, "OK", dlu(116, 7, 50, 14)),
                           ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(170, 7, 50, 14)),
                           ctl::label(caption, dlu(7, 32, 100, 8)),
                           ctl::edit(pathBox, dlu(7, 44, 213, 12))}};
}

LayoutFileDialog::LayoutFileDialog(Kind kind, const DialogTemplate& t, int pathBox, Window* parent)
    : ReferenceFileDialog(t, pathBox, parent), m_Kind(kind) {}

std::filesystem::path LayoutFileDialog::currentPath(const CKivDoc& doc) const {
    return m_Kind == Kind::Hedder ? doc.HedderPath() : doc.HyousiPath();
}

std::vector<std::string> LayoutFileDialog::switchTo(CKivDoc& doc, const std::filesystem::path& chosen,
                                                    const ConfirmCreate& confirmCreate) {
    if (m_Kind == Kind::Hedder) {
        auto s = switchLayoutFile<HedderRecord>(ReferenceFile::Hedder, chosen, confirmCreate);
        if (s.switched) {
            doc.TakeHedder(s.record, chosen);
        }
        return s.messages;
    }
    ConfirmSwitch ask = [this](const std::string& question) {
        return messageBox(question, MB_OKCANCEL, {}, this) == IDOK;
    };
    auto s = m_Kind == Kind::HyousiForRun
                 ? switchLayoutFileForRun<HyousiFormRecord>(chosen, ask)
                 : switchLayoutFile<HyousiFormRecord>(ReferenceFile::HyousiForm, chosen, confirmCreate);
    if (s.switched) {
        doc.TakeHyousiForm(s.record, chosen);
    }
    return s.messages;
}

const DialogTemplate& CHeadderfileDialog::dialogLayout() {
    static const DialogTemplate t = chooserLayout(kDialogId, "ﾍｯﾀﾞｰﾌｧｲﾙ切り替え", "ﾍｯﾀﾞｰﾌｧｲﾙを選択", kPathBox);
    return t;
}
CHeadderfileDialog::CHeadderfileDialog(Window* parent) : LayoutFileDialog(Kind::Hedder, dialogLayout(), kPathBox, parent) {}

const DialogTemplate& CHyousifileDialog::dialogLayout() {
    static const DialogTemplate t = chooserLayout(kDialogId, "表紙ﾌｧｲﾙ切り替え", "表紙ﾌｧｲﾙを選択", kPathBox);
    return t;
}
CHyousifileDialog::CHyousifileDialog(Window* parent) : LayoutFileDialog(Kind::Hyousi, dialogLayout(), kPathBox, parent) {}

const DialogTemplate& CHyousichangeDialog::dialogLayout() {
    static const DialogTemplate t = chooserLayout(kDialogId, "表紙ﾌｧｲﾙ一時切り替え", "表紙ﾌｧｲﾙを選択", kPathBox);
    return t;
}
CHyousichangeDialog::CHyousichangeDialog(Window* parent)
    : LayoutFileDialog(Kind::HyousiForRun, dialogLayout(), kPathBox, parent) {}
