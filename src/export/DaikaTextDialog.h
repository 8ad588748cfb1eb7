#pragma once
// CDaikaTextDialog (178 "単価表テキストファイル出力"): the path of the composite unit-price
// text file and double spacing. The path is typed; an untitled estimate proposes none.
#include <filesystem>
#include <string>

#include "platform/ui/Dialog.h"

class CDaikaTextDialog : public kiv::ui::Dialog {
public:
    static constexpr int IDD = 178;
    static constexpr int IDC_PATH = 1224, IDC_DOUBLE_SPACING = 1248;
    static constexpr int kPathLimit = 256;

    explicit CDaikaTextDialog(std::filesystem::path docPath = {}, kiv::ui::Window* parent = nullptr);

    std::string m_Path;        // CP932
    int m_DoubleSpacing = 0;   // ２行間隔で出力

    void onShowDialog() override;
    void doDataExchange(kiv::ui::DataExchange& dx) override;

    static const kiv::ui::DialogTemplate& dialogTemplate();

private:
    std::filesystem::path m_DocPath;
};
