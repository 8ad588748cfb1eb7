#pragma once
// CTExcelDialog (211 "集計表EXCEL出力"): the path of the totals workbook, with 参照 to pick the
// file. The path proposal comes from the totals being exported.
#include <filesystem>
#include <string>

#include "platform/ui/Dialog.h"

class CTExcelDialog : public kiv::ui::Dialog {
public:
    static constexpr int IDD = 211;
    static constexpr int IDC_PATH = 1224, IDC_BROWSE = 1222;
    static constexpr int kPathLimit = 256;

    // `docPath`: the file of the totals being exported (empty: untitled).
    explicit CTExcelDialog(std::filesystem::path docPath = {}, kiv::ui::Window* parent = nullptr);

    std::string m_Path;          // CP932
    // The file 参照 chose last (its own question about replacing it was answered); CP932.
    std::string m_BrowsedPath;

    void onShowDialog() override;
    void doDataExchange(kiv::ui::DataExchange& dx) override;
    void OnBrowse();

    static const kiv::ui::DialogTemplate& dialogTemplate();

private:
    std::filesystem::path m_DocPath;
};
