#include "print/LayoutFileDialogs.h"

#include "estimate/KivDoc.h"
#include "estimate/LayoutFile.h"
#include "platform/ui/MessageBox.h"

using namespace kiv::ui;

namespace {

DialogTemplate chooserLayout(int id, const char* title, const char* caption, int pathBox) {
    return DialogTemplate{id, title, {227, 74},
                          {ctl::button(ReferenceFileDialog::kBrowse, "参照", dlu(7, 7, 50, 14)),
                           ctl::defButton(IDOK, "OK", dlu(116, 7, 50, 14)),
                           ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(170, 7, 50, 14)),
                           ctl::label(caption, dlu(7, 32, 100, 8)),
                           ctl::edit(pathBox, dlu(7, 44, 213, 12))}};
}

} // namespace

const DialogTemplate& CHeadderfileDialog::dialogLayout() {
    static const DialogTemplate t = chooserLayout(kDialogId, "ﾍｯﾀﾞｰﾌｧｲﾙ切り替え", "ﾍｯﾀﾞｰﾌｧｲﾙを選択", kPathBox);
    return t;
}

CHeadderfileDialog::CHeadderfileDialog(Window* parent) : LayoutFileDialog(dialogLayout(), kPathBox, parent) {}

std::filesystem::path CHeadderfileDialog::currentPath(const CKivDoc& doc) const { return doc.m_HedderPath; }

std::vector<std::string> CHeadderfileDialog::switchTo(CKivDoc& doc, const std::filesystem::path& chosen,
                                                      const ConfirmCreate& confirmCreate) {
    auto s = switchLayoutFile<HedderRecord>(ReferenceFile::Hedder, chosen, confirmCreate);
    if (s.switched) {
        doc.m_Hedder = s.record;
        doc.ParseHedder();
        doc.m_HedderPath = chosen;
        doc.m_HedderRead = true;
    }
    return s.messages;
}

const DialogTemplate& CHyousifileDialog::dialogLayout() {
    static const DialogTemplate t = chooserLayout(kDialogId, "表紙ﾌｧｲﾙ切り替え", "表紙ﾌｧｲﾙを選択", kPathBox);
    return t;
}

CHyousifileDialog::CHyousifileDialog(Window* parent) : LayoutFileDialog(dialogLayout(), kPathBox, parent) {}

std::filesystem::path CHyousifileDialog::currentPath(const CKivDoc& doc) const { return doc.m_HyousiPath; }

std::vector<std::string> CHyousifileDialog::switchTo(CKivDoc& doc, const std::filesystem::path& chosen,
                                                     const ConfirmCreate& confirmCreate) {
    auto s = switchLayoutFile<HyousiFormRecord>(ReferenceFile::HyousiForm, chosen, confirmCreate);
    if (s.switched) {
        doc.m_HyousiForm = s.record;
        doc.ParseHyousi();
        doc.m_HyousiPath = chosen;
        doc.m_HyousiRead = true;
    }
    return s.messages;
}

const DialogTemplate& CHyousichangeDialog::dialogLayout() {
    static const DialogTemplate t = chooserLayout(kDialogId, "表紙ﾌｧｲﾙ一時切り替え", "表紙ﾌｧｲﾙを選択", kPathBox);
    return t;
}

CHyousichangeDialog::CHyousichangeDialog(Window* parent) : LayoutFileDialog(dialogLayout(), kPathBox, parent) {}

std::filesystem::path CHyousichangeDialog::currentPath(const CKivDoc& doc) const { return doc.m_HyousiPath; }

std::vector<std::string> CHyousichangeDialog::switchTo(CKivDoc& doc, const std::filesystem::path& chosen,
                                                       const ConfirmCreate&) {
    ConfirmSwitch ask = [this](const std::string& question) {
        return messageBox(question, MB_OKCANCEL, {}, this) == IDOK;
    };
    auto s = switchLayoutFileForRun<HyousiFormRecord>(chosen, ask);
    if (s.switched) {
        doc.m_HyousiForm = s.record;
        doc.ParseHyousi();
        doc.m_HyousiPath = chosen;
        doc.m_HyousiRead = true;
    }
    return s.messages;
}
