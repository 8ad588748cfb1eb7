#pragma once
// CSVﾌｧｲﾙ読込: the file to import, the column of the file that feeds each of six row fields
// ("00" = not read), the category number every imported row gets, and whether names, specifications
// and units also go into detail line 1.
#include <array>
#include <string>

#include "platform/ui/Dialog.h"

class CTextreadDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 202;
    static constexpr int kChoose = 1222;
    static constexpr int kPath = 1322;
    static constexpr int kHinmeiColumn = 1015;   // 1015-1020: 品名, 規格, 数量, 単位, 単価, 備考
    static constexpr int kBunNo = 1200;
    static constexpr int kToSyousai = 1327;
    static constexpr int kMaxPath = 120;
    static constexpr int kColumnBytes = 2;
    static constexpr int kBunNoBytes = 4;
    static constexpr int kColumns = 6;

    explicit CTextreadDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();

    std::string m_Path;                           // CP932
    std::array<std::string, kColumns> m_Columns;  // 品名, 規格, 数量, 単位, 単価, 備考
    std::string m_BunNo;                          // on OK: empty or "%04d"
    int m_ToSyousai = 1;

    void onShowDialog() override;
    void doDataExchange(kiv::ui::DataExchange& dx) override;
    // A category number other than 1 to 4 digits keeps the dialog open with a message.
    void onOK() override;

protected:
    // 1222: the file chosen in the open-file dialog.
    void OnChoose();
};
