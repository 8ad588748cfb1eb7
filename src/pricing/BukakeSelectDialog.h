#pragma once
// 歩掛け呼出: picks a productivity-rate table. A kind box runs the rate calculator on that kind;
// the selection then ends with kSend, carrying the calculator's corrected rate in m_Bukake and how
// the calculator ended in m_CalcResult. OK and キャンセル close without a rate.
#include <array>
#include <string>

#include "platform/ui/Dialog.h"

class CBukakeSelectDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 218;
    static constexpr int kSend = 1243;
    // The kind boxes in their order, and the calculator kind each opens.
    static constexpr std::array<int, 5> kKindBoxes = {1259, 1260, 1262, 1263, 1264};
    static constexpr std::array<int, 5> kKindOfBox = {5, 1, 2, 4, 3};

    explicit CBukakeSelectDialog(kiv::ui::Window* parent = nullptr);

    double m_Bukake = 0;             // the corrected rate brought back from the calculator
    std::array<int, 5> m_Flags{};    // one per box of kKindBoxes
    // How the calculator ended: IDOK after 保存, IDCANCEL, or kSend after 内訳に送る (0: not run).
    int m_CalcResult = 0;

    // The send reached the row's side: the calculator was closed with 内訳に送る and had a rate.
    bool RateSent() const { return m_CalcResult == kSend && m_Bukake != 0; }
    // The sent rate as 歩掛１ (six characters) takes it: "%6.3f" cut to six, so 123.456 is 123.45.
    std::string SentRateText() const;

    static const kiv::ui::DialogTemplate& dialogLayout();
    void doDataExchange(kiv::ui::DataExchange& dx) override;

    void OnSelectBukake(std::size_t box);
};
