#pragma once
// The base of the dialogs that edit the current estimate's settings record (operation-category
// codes, digit rounding, estimate style, composite rounding). Each shows what the record holds
// when it opens and, on OK, changes only its own positions of the estimate's record, then
// rewrites the settings file whole. Until OK nothing of the estimate changes, so Cancel leaves the
// record and the file as they were.
#include "estimate/SetteiRecord.h"
#include "platform/ui/Dialog.h"

class CKivDoc;

class SetteiEditDialog : public kiv::ui::Dialog {
public:
    explicit SetteiEditDialog(const kiv::ui::DialogTemplate& t, kiv::ui::Window* parent = nullptr)
        : Dialog(t, parent) {}

    // The estimate the dialog edits: the one current when it was shown (null when none was).
    CKivDoc* document() const { return m_pDoc; }

    void onShowDialog() override;
    // Takes the controls in, changes the dialog's own positions of the estimate's record, re-parses
    // when the dialog does so itself, and rewrites the file. A file that cannot be written is
    // reported and keeps the dialog open; the estimate's record already holds the change then.
    // With no estimate there is nothing to change: the dialog ends as cancelled.
    void onOK() override;

protected:
    // Shows the record as it stands when the dialog opens (a blank record without an estimate).
    virtual void showSettei(const SetteiRecord& record) = 0;
    // Puts the members into the dialog's own positions of the record.
    virtual void storeSettei(SetteiRecord& record) = 0;
    // Whether OK re-parses the record; otherwise the command that opened the dialog does.
    virtual bool parsesOnOK() const { return false; }

private:
    CKivDoc* m_pDoc = nullptr;
};
