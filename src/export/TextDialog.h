#pragma once
// CTextDialog (160 "内訳書テキストファイル出力"): the options of the breakdown text file and its
// path. There is no browse button; the path proposal comes from the estimate being exported.
#include <filesystem>
#include <string>

#include "platform/ui/Dialog.h"

class CTextDialog : public kiv::ui::Dialog {
public:
    static constexpr int IDD = 160;
    static constexpr int IDC_DOUBLE_SPACING = 1220, IDC_PATH = 1224, IDC_BIKOU1 = 1165, IDC_ROUMU_NINZUU = 1030,
                         IDC_ZENNAIYOU = 1321;
    static constexpr int kPathLimit = 256;

    // `docPath`: the file of the estimate being exported (empty: untitled).
    explicit CTextDialog(std::filesystem::path docPath = {}, kiv::ui::Window* parent = nullptr);

    int m_DoubleSpacing = 0;   // ２行間隔で出力
    std::string m_Path;        // CP932
    int m_Bikou1 = 1;          // 備考１を出力
    int m_RoumuNinzuu = 0;     // 労務費を人数で出力

    void onShowDialog() override;
    void doDataExchange(kiv::ui::DataExchange& dx) override;

    static const kiv::ui::DialogTemplate& dialogTemplate();

private:
    std::filesystem::path m_DocPath;
};
