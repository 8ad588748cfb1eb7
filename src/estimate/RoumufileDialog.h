#pragma once
// 労務ﾌｧｲﾙ切り替え: switches the current estimate to another labour-price file ("*.RAB"); the
// estimate takes the file's list at once (an empty list for a file created here).
#include "estimate/ReferenceFileDialog.h"

class CRoumufileDialog : public ReferenceFileDialog {
public:
    static constexpr int kDialogId = 171;
    static constexpr int kPathBox = 1225;

    explicit CRoumufileDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();

protected:
    std::filesystem::path currentPath(const CKivDoc& doc) const override;
    std::string extension() const override { return "RAB"; }
    std::vector<std::string> switchTo(CKivDoc& doc, const std::filesystem::path& chosen,
                                      const ConfirmCreate& confirmCreate) override;
};
