#pragma once
// 表紙フォーム作成: edits the current estimate's cover-page layout (HyousiFormRecord) and writes
// it to the estimate's cover layout file.
#include <array>

#include "estimate/HyousiFormRecord.h"
#include "print/LayoutFormDialog.h"

class CFormDialog : public LayoutFormDialog {
public:
    static constexpr int kDialogId = 163;
    static constexpr int kMidasiText = 1153; // the first edit, focused when the dialog opens

    explicit CFormDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();
    // The edit of each field, in record order (HyousiFormField).
    static const std::array<int, kHyousiFormFieldCount>& fieldIds();

protected:
    std::string recordBytes(const CKivDoc& doc) const override;
    void storeFields(CKivDoc& doc) override;
    void parse(CKivDoc& doc) override;
    bool writeFile(const CKivDoc& doc, std::string& error) override;
};
