#pragma once
// 住所ﾌｧｲﾙ切り替え and 宛先印刷設定ﾌｧｲﾙ切り替え: which file is the address book, and which the
// envelope layout. 参照 picks a file and records it in the profile at once; the file need not
// exist (the address book offers to create it when it next needs it). OK and ｷｬﾝｾﾙ only close,
// never reading the path box.
#include <string>

#include "estimate/ReferenceFile.h"
#include "platform/ui/Dialog.h"

class AdressFileChooser : public kiv::ui::Dialog {
public:
    static constexpr int kBrowse = 1222;
    static constexpr int kMaxPath = 120;

    std::string m_FilePath; // CP932

    void doDataExchange(kiv::ui::DataExchange& dx) override;
    void onShowDialog() override;
    void onOK() override { endDialog(kiv::ui::IDOK); }
    void OnBrowse();

protected:
    AdressFileChooser(const kiv::ui::DialogTemplate& t, int pathBox, ReferenceFile which, const char* ext,
                      kiv::ui::Window* parent);

private:
    void showPath(const std::filesystem::path& path);

    int m_PathBox;
    ReferenceFile m_Which;
    std::string m_Ext;
};

class CAdressFileDialog : public AdressFileChooser {
public:
    static constexpr int kDialogId = 174;
    static constexpr int kPathBox = 1244;
    explicit CAdressFileDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();
};

class CAdressPrinfFileDialog : public AdressFileChooser {
public:
    static constexpr int kDialogId = 187;
    static constexpr int kPathBox = 1260;
    explicit CAdressPrinfFileDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();
};
