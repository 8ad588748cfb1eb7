#pragma once
// CDaikaExcelDialog (214 "単価表EXCEL出力"): the path of the composite unit-price workbook, with
// 参照 to pick the file, and double spacing. The proposal is the estimate's name with .XLSX; an
// untitled estimate proposes none.
#include <filesystem>
#include <string>

#include "platform/ui/Dialog.h"

class CDaikaExcelDialog : public kiv::ui::Dialog {
public:
    static constexpr int IDD = 214;
    static constexpr int IDC_PATH = 1224, IDC_DOUBLE_SPACING = 1248, IDC_BROWSE = 1222;
    static constexpr int kPathLimit = 256;

    // `docPath`: the file of the estimate being exported (empty: untitled).
    explicit CDaikaExcelDialog(std::filesystem::path docPath = {}, kiv::ui::Window* parent = nullptr);

    std::string m_OutPath;          // CP932
    int m_DoubleSpacing = 0;        // ２行間隔で出力 (the workbook has one spacing; kept as chosen)
    std::filesystem::path m_DocPath;   // the estimate's own path
    // The file 参照 chose last (its own question about replacing it was answered); CP932.
    std::string m_BrowsedPath;

    void onShowDialog() override;
    void doDataExchange(kiv::ui::DataExchange& dx) override;
    // Starts from the proposal or the last chosen file, not from what is typed in the edit.
    void OnBrowse();

    static const kiv::ui::DialogTemplate& dialogTemplate();
};
