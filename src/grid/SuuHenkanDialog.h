#pragma once
// 数量変換: the factor that 数量変換 multiplies the take-off quantities by and the rows of the
// current item it works on.
#include <string>

#include "platform/ui/Dialog.h"

class CSuuHenkanDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 172;
    static constexpr int kKakeritu = 1201;
    static constexpr int kStartGyou = 1204;
    static constexpr int kEndGyou = 1205;
    static constexpr int kMinGyou = 1;
    static constexpr int kMaxGyou = 9999;

    explicit CSuuHenkanDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();

    double m_Kakeritu = 1.0;   // 0 to 999
    std::string m_KakerituText;   // the factor's text as accepted, for exact arithmetic
    int m_StartGyou = 0;
    int m_EndGyou = 0;

    void doDataExchange(kiv::ui::DataExchange& dx) override;
};
