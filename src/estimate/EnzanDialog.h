#pragma once
// 演算分類の設定: the 28 operation-category codes of the current estimate's settings record, one
// four-character box each. A box left with fewer than four characters is padded with leading
// zeros when it loses the focus, with a message; OK pads silently, writes the codes into the
// record (positions 0-111 only), re-parses it and rewrites the settings file.
#include <array>
#include <string>

#include "estimate/SetteiEditDialog.h"

class CEnzanDialog : public SetteiEditDialog {
public:
    static constexpr int kDialogId = 141;

    explicit CEnzanDialog(kiv::ui::Window* parent = nullptr);

    // The boxes' texts (CP932), code k in record order.
    std::array<std::string, kEnzanCodeCount> m_Code;

    static const kiv::ui::DialogTemplate& dialogLayout();

    void doDataExchange(kiv::ui::DataExchange& dx) override;
    void onShowDialog() override;

protected:
    void showSettei(const SetteiRecord& record) override;
    void storeSettei(SetteiRecord& record) override;
    bool parsesOnOK() const override { return true; }

private:
    // A box lost the focus: pad a short code and say so.
    void OnKillfocusCode(int k);
};
