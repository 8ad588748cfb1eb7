#pragma once
// 設定ﾌｧｲﾙ切り替え: switches the current estimate to another settings file ("*.ETT" in
// electrical mode, "*.MTT" in mechanical mode). The estimate takes the file's record at once; it
// is not recalculated here, the new values apply from the next recalculation.
#include "estimate/ReferenceFileDialog.h"

class CSetteiDialog : public ReferenceFileDialog {
public:
    static constexpr int kDialogId = 170;
    static constexpr int kPathBox = 1226;

    explicit CSetteiDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();

protected:
    std::filesystem::path currentPath(const CKivDoc& doc) const override;
    std::string extension() const override;
    std::vector<std::string> switchTo(CKivDoc& doc, const std::filesystem::path& chosen,
                                      const ConfirmCreate& confirmCreate) override;
};
