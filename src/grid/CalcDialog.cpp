#include "grid/CalcDialog.h"

#include <stdexcept>

#include "estimate/KivMessage.h"
#include "platform/text/Number.h"

using namespace kiv::ui;
using kiv::text::Decimal;

namespace {

const char* const kDivideByZero = "0 で割ることはできません。";
const char* const kOutOfRange = "計算できる範囲を超えました。";

Decimal valueOf(const std::string& text) { return kiv::text::parseDecimal(text); }

} // namespace

const DialogTemplate& CCalcDialog::dialogLayout() {
    // Three columns of digit buttons beside a column of operators, under the display and the
    // marks of its digit groups.
    static const DialogTemplate t = [] {
        DialogTemplate d{kDialogId, "電卓", {150, 140}, {}};
        d.controls.push_back(ctl::edit(kDisplay, dlu(8, 8, 134, 14), EditRight, kDisplayWidth));
        d.controls.push_back(ctl::label("     '    '    '", dlu(8, 23, 134, 8)));
        constexpr int w = 28, h = 18, x0 = 8, y0 = 36, dx = 34, dy = 20;
        const char* const digits[9] = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
        for (int k = 0; k < 9; ++k) {
            const int col = k % 3;
            const int row = 2 - k / 3;   // 7 8 9 on top, 1 2 3 at the bottom
            d.controls.push_back(ctl::button(kButton1 + k, digits[k], dlu(x0 + col * dx, y0 + row * dy, w, h)));
        }
        d.controls.push_back(ctl::button(kButton0, "0", dlu(x0, y0 + 3 * dy, w, h)));
        d.controls.push_back(ctl::button(kButton00, "00", dlu(x0 + dx, y0 + 3 * dy, w, h)));
        d.controls.push_back(ctl::button(kButtonPoint, "・", dlu(x0 + 2 * dx, y0 + 3 * dy, w, h)));
        d.controls.push_back(ctl::button(kButtonPlus, "＋", dlu(x0 + 3 * dx, y0, w, h)));
        d.controls.push_back(ctl::button(kButtonMinus, "－", dlu(x0 + 3 * dx, y0 + dy, w, h)));
        d.controls.push_back(ctl::button(kButtonMultiply, "×", dlu(x0 + 3 * dx, y0 + 2 * dy, w, h)));
        d.controls.push_back(ctl::button(kButtonDivide, "÷", dlu(x0 + 3 * dx, y0 + 3 * dy, w, h)));
        d.controls.push_back(ctl::button(kButtonAllClear, "AC", dlu(x0, y0 + 4 * dy, w, h)));
        d.controls.push_back(ctl::button(kButtonClear, "C", dlu(x0 + dx, y0 + 4 * dy, w, h)));
        d.controls.push_back(ctl::button(kButtonEqual, "＝", dlu(x0 + 2 * dx, y0 + 4 * dy, w, h)));
        d.controls.push_back(ctl::defButton(IDOK, "OK", dlu(x0 + 3 * dx, y0 + 4 * dy, w, h)));
        return d;
    }();
    return t;
}

CCalcDialog::CCalcDialog(Window* parent) : Dialog(dialogLayout(), parent) {
    static const char* const digits[9] = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
    for (int k = 0; k < 9; ++k)
        onClicked(kButton1 + k, [this, k] { AppendDigit(digits[k]); });
    onClicked(kButton0, [this] { AppendDigit("0"); });
    onClicked(kButton00, [this] { AppendDigit("00"); });
    onClicked(kButtonPoint, [this] { AppendDigit("."); });
    onClicked(kButtonPlus, [this] { SetOperator('+'); });
    onClicked(kButtonMultiply, [this] { SetOperator('*'); });
    onClicked(kButtonDivide, [this] { SetOperator('/'); });
    onClicked(kButtonMinus, [this] { SetOperator('-'); });
    onClicked(kButtonEqual, [this] { TakeDisplay(); Calculate(); });
    onClicked(kButtonAllClear, [this] { TakeDisplay(); m_Op = 'a'; gotoControl(kDisplay); });
    onClicked(kButtonClear, [this] { TakeDisplay(); m_Op = 'c'; gotoControl(kDisplay); });
}

bool CCalcDialog::onInitDialog() {
    setLimitText(kDisplay, kDisplayWidth);
    return Dialog::onInitDialog();
}

void CCalcDialog::onShowDialog() {
    // The display gets the focus with its whole text selected: typing replaces it.
    gotoControl(kDisplay);
}

void CCalcDialog::doDataExchange(DataExchange& dx) { dx.number(kDisplay, m_Display, kDisplayWidth); }

void CCalcDialog::TakeDisplay() { m_Display = itemText(kDisplay); }

void CCalcDialog::ShowDisplay() { setItemText(kDisplay, m_Display); }

void CCalcDialog::AppendDigit(const std::string& digits) {
    TakeDisplay();
    if (m_Append == 0) {
        m_Display.clear();
        m_Append = 1;
    }
    m_Display += digits;
    ShowDisplay();
    gotoControl(kDisplay);
}

void CCalcDialog::SetOperator(char op) {
    // A pending operation is not carried out first: the display's value becomes the accumulator.
    TakeDisplay();
    m_Value = valueOf(m_Display);
    m_Op = op;
    m_Display.clear();
    ShowDisplay();
    gotoControl(kDisplay);
}

void CCalcDialog::Calculate() {
    if (m_Op != 0) {
        TakeDisplay();
        m_Operand = valueOf(m_Display);
        try {
            switch (m_Op) {
            case '+': m_Value = m_Value + m_Operand; break;
            case '-': m_Value = m_Value - m_Operand; break;
            case '*': m_Value = m_Value * m_Operand; break;
            case '/':
                if (m_Operand.isZero())
                    KivMessage(kDivideByZero);   // the accumulator stays as it was
                else
                    m_Value = m_Value / m_Operand;
                break;
            case 'a': m_Value = 0; break;
            case 'c': m_Operand = 0; break;
            default: break;
            }
        } catch (const std::exception&) {
            KivMessage(kOutOfRange);
        }
        m_Display = kiv::text::cformat("%10.0f", m_Value);
        ShowDisplay();
    }
    m_Op = 0;
    m_Value = valueOf(m_Display);
    m_Display = kiv::text::cformat("%10.0f", m_Value);
    ShowDisplay();
    m_Append = 0;
    gotoControl(kDisplay);
}

void CCalcDialog::onOK() {
    TakeDisplay();
    Calculate();
    Dialog::onOK();
}

bool CCalcDialog::onPreTranslateKey(int vk, unsigned) {
    switch (vk) {
    case VK_ADD: SetOperator('+'); return true;
    case VK_SUBTRACT: SetOperator('-'); return true;
    case VK_MULTIPLY: SetOperator('*'); return true;
    case VK_DIVIDE: SetOperator('/'); return true;
    case VK_RETURN:
        // What was typed is checked and calculated first; the dialog's own Enter then ends in OK.
        if (!updateData(true))
            return true;
        Calculate();
        return false;
    default:
        return false;
    }
}
