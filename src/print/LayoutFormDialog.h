#pragma once
// The base of the layout editors (表紙フォーム作成, ﾍｯﾀｰ､ﾌｯﾀｰ設定): one edit per field of the
// current estimate's layout record, shown trimmed of trailing blanks when the dialog opens. OK
// formats the edits into the estimate's record, has the estimate parse it (so the next print uses
// it), and rewrites the layout file whole. A file that cannot be written is reported and keeps
// the dialog open; the estimate already holds the edited layout then. The edits take anything
// within their byte limits: positions and sizes are not checked, and one without digits prints
// as 0.
#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "platform/ui/Dialog.h"

class CKivDoc;

class LayoutFormDialog : public kiv::ui::Dialog {
public:
    // `ids` are the edits of the record's fields in record order; `firstFocus` gets the focus.
    LayoutFormDialog(const kiv::ui::DialogTemplate& t, std::span<const int> ids, std::span<const std::size_t> widths,
                     int firstFocus, kiv::ui::Window* parent);

    // The fields in record order (CP932), as the edits hold them.
    std::vector<std::string> m_Fields;
    // The record as it stood when the dialog opened, up to its first NUL.
    std::string m_Form;

    // The estimate the dialog edits: the one current when it was shown (null when none was).
    CKivDoc* document() const { return m_pDoc; }

    void doDataExchange(kiv::ui::DataExchange& dx) override;
    void onShowDialog() override;
    void onOK() override;

    // Splits the working copy into the fields and shows them.
    void LoadForm();
    // Reads the edits and formats them into the estimate's record.
    void SaveForm();

protected:
    virtual std::string recordBytes(const CKivDoc& doc) const = 0;
    virtual void storeFields(CKivDoc& doc) = 0;
    virtual void parse(CKivDoc& doc) = 0;
    virtual bool writeFile(const CKivDoc& doc, std::string& error) = 0;

private:
    std::span<const int> m_Ids;
    std::span<const std::size_t> m_Widths;
    int m_FirstFocus;
    CKivDoc* m_pDoc = nullptr;
};
