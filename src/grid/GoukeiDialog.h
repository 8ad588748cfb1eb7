#pragma once
// 合計・経費・消費税を入力: the labels of the five total rows, and the names and rates of the expense
// and tax lines; a button per kind of row says which one 合計入力 inserts.
#include <string>

#include "platform/ui/Dialog.h"

class CGoukeiDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 199;
    static constexpr int kNaikeiLabel = 1018;   // 項目内計
    static constexpr int kSaikeiLabel = 1340;   // 細目計
    static constexpr int kSoukeiLabel = 1017;   // 総合計 (表紙に表示)
    static constexpr int kSyoukeiLabel = 1317;  // 小計
    static constexpr int kTyuukeiLabel = 1016;  // 中計
    static constexpr int kKeihi1Name = 1329;
    static constexpr int kKeihi1Ritu = 1330;
    static constexpr int kKeihi2Name = 1333;
    static constexpr int kKeihi2Ritu = 1334;
    static constexpr int kTyuukei = 3;
    static constexpr int kSoukei = 4;
    static constexpr int kNaikei = 5;
    static constexpr int kKeihi1 = 1331;
    static constexpr int kKeihi2 = 1332;
    static constexpr int kSaikei = 1339;
    static constexpr int kLabelWidth = 30;
    static constexpr int kRituWidth = 6;

    // What the buttons decide.
    enum Result { Syoukei = 1, Tyuukei = 2, Soukei = 3, Naikei = 4, Keihi1 = 5, Keihi2 = 6, Saikei = 7 };

    explicit CGoukeiDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();

    // Texts are CP932.
    std::string m_NaikeiLabel, m_SaikeiLabel, m_SoukeiLabel, m_SyoukeiLabel, m_TyuukeiLabel;
    int m_Result = 0;
    std::string m_Keihi1Name, m_Keihi1Ritu, m_Keihi2Name, m_Keihi2Ritu;

    void onShowDialog() override;
    void doDataExchange(kiv::ui::DataExchange& dx) override;
    void onOK() override;

private:
    void Decide(int result);
};
