#pragma once
// ExcelDialog (213 "内訳書EXCEL出力"): the options of the breakdown workbook and its path, with
// 参照 to pick the file. The path proposal comes from the estimate being exported.
#include <filesystem>
#include <string>

#include "platform/ui/Dialog.h"

class ExcelDialog : public kiv::ui::Dialog {
public:
    static constexpr int IDD = 213;
    static constexpr int IDC_DOUBLE_SPACING = 1220, IDC_PATH = 1224, IDC_BROWSE = 1222, IDC_BIKOU1 = 1165,
                         IDC_ROUMU_NINZUU = 1030, IDC_YOKO = 1269, IDC_TATE = 1270, IDC_HYOUSI = 1321;
    static constexpr int kPathLimit = 256;

    // `docPath`: the file of the estimate being exported (empty: untitled).
    explicit ExcelDialog(std::filesystem::path docPath = {}, kiv::ui::Window* parent = nullptr);

    int m_DoubleSpacing = 0;   // ２行間隔で出力
    std::string m_Path;        // CP932
    int m_Bikou1 = 1;          // 備考１を出力
    int m_RoumuNinzuu = 0;     // 労務費を人数で出力
    int m_Orientation = 0;     // 0 横, 1 縦
    int m_Hyousi = 0;          // 表紙を出力
    // The file 参照 chose last (its own question about replacing it was answered); CP932.
    std::string m_BrowsedPath;

    void onShowDialog() override;
    void doDataExchange(kiv::ui::DataExchange& dx) override;
    void OnBrowse();

    static const kiv::ui::DialogTemplate& dialogTemplate();

private:
    std::filesystem::path m_DocPath;
};
