#pragma once
// ﾍｯﾀｰ､ﾌｯﾀｰ設定: edits the current estimate's header/footer layout (HedderRecord) and writes it to
// the estimate's header layout file. The ページ位置 text is kept in a hidden edit, so it passes
// through unchanged while its position and size are edited.
#include <array>

#include "estimate/HedderRecord.h"
#include "print/LayoutFormDialog.h"

class CHedderDialog : public LayoutFormDialog {
public:
    static constexpr int kDialogId = 145;
    static constexpr int kHedderLeftText = 1142; // focused when the dialog opens
    static constexpr int kPageNoText = 1146;     // hidden

    explicit CHedderDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();
    // The edit of each field, in record order (HedderField).
    static const std::array<int, kHedderFieldCount>& fieldIds();

protected:
    std::string recordBytes(const CKivDoc& doc) const override;
    void storeFields(CKivDoc& doc) override;
    void parse(CKivDoc& doc) override;
    bool writeFile(const CKivDoc& doc, std::string& error) override;
};
