#pragma once
// 電卓: the calculator of the grid views' numeric cells. The display edit holds what is being
// typed; an operator button keeps the display's value as the accumulator and empties the display,
// ＝ (or OK, or Enter) applies the operator to the display's value. The result is always a whole
// number, right-aligned in 10 characters ("%10.0f", ties away from zero); the caller reads it from
// m_Display after OK.
#include <string>

#include "platform/text/Decimal.h"
#include "platform/ui/Dialog.h"

class CCalcDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 142;
    static constexpr int kDisplay = 1000;
    static constexpr int kButton1 = 1029;   // 1029-1037: "1" to "9"
    static constexpr int kButton0 = 1038;
    static constexpr int kButton00 = 1039;
    static constexpr int kButtonPoint = 1040;
    static constexpr int kButtonPlus = 1041;
    static constexpr int kButtonMultiply = 1042;
    static constexpr int kButtonDivide = 1043;
    static constexpr int kButtonMinus = 1044;
    static constexpr int kButtonEqual = 1045;
    static constexpr int kButtonAllClear = 1046;
    static constexpr int kButtonClear = 1047;
    static constexpr int kDisplayWidth = 10;

    explicit CCalcDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();

    std::string m_Display;            // the display's text (ASCII)
    kiv::text::Decimal m_Value;       // accumulator
    kiv::text::Decimal m_Operand;     // operand of the last calculation
    char m_Op = 0;                    // 0 none, '+', '-', '*', '/', 'a' all clear, 'c' clear entry
    int m_Append = 1;                 // 1: a digit button appends; 0: it starts a new number

    void AppendDigit(const std::string& digits);
    void Calculate();

    bool onInitDialog() override;
    void onShowDialog() override;
    void doDataExchange(kiv::ui::DataExchange& dx) override;
    void onOK() override;

protected:
    bool onPreTranslateKey(int vk, unsigned mods) override;

private:
    // The display's text as the user left it: typing into the edit counts as much as the buttons.
    void TakeDisplay();
    void ShowDisplay();
    void SetOperator(char op);
};
