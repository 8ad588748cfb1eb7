#pragma once
// CTtextDialog (173 "集計表テキストファイル出力"): the path of the totals text file, and nothing
// else. There is no browse button; the path proposal comes from the totals being exported.
#include <filesystem>
#include <string>

#include "platform/ui/Dialog.h"

class CTtextDialog : public kiv::ui::Dialog {
public:
    static constexpr int IDD = 173;
    static constexpr int IDC_PATH = 1224;
    static constexpr int kPathLimit = 256;

    // `docPath`: the file of the totals being exported (empty: untitled).
    explicit CTtextDialog(std::filesystem::path docPath = {}, kiv::ui::Window* parent = nullptr);

    std::string m_Path;   // CP932

    void onShowDialog() override;
    void doDataExchange(kiv::ui::DataExchange& dx) override;

    static const kiv::ui::DialogTemplate& dialogTemplate();

private:
    std::filesystem::path m_DocPath;
};
