#include "platform/qt/QtKeys.h"

#include "platform/ui/Keys.h"

namespace kiv::qt {

using namespace ui;

unsigned keyModsOf(Qt::KeyboardModifiers mods) {
    unsigned m = ModNone;
    if (mods & Qt::ShiftModifier)
        m |= ModShift;
    if (mods & Qt::ControlModifier)
        m |= ModCtrl;
    if (mods & Qt::AltModifier)
        m |= ModAlt;
    return m;
}

int virtualKeyOf(int key, Qt::KeyboardModifiers mods) {
    if (mods & Qt::KeypadModifier) {
        switch (key) {
        case Qt::Key_Plus: return VK_ADD;
        case Qt::Key_Minus: return VK_SUBTRACT;
        case Qt::Key_Asterisk: return VK_MULTIPLY;
        case Qt::Key_Slash: return VK_DIVIDE;
        case Qt::Key_Period: case Qt::Key_Comma: return VK_DECIMAL;
        case Qt::Key_Enter: return VK_RETURN;
        default:
            if (key >= Qt::Key_0 && key <= Qt::Key_9)
                return VK_NUMPAD0 + (key - Qt::Key_0);
        }
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return '0' + (key - Qt::Key_0);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 'A' + (key - Qt::Key_A);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return VK_F1 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab: case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return: case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_Kana_Lock: case Qt::Key_Hiragana_Katakana: case Qt::Key_Katakana: return VK_KANA;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    // The punctuation keys of a US/JIS keyboard.
    case Qt::Key_Plus: case Qt::Key_Semicolon: return 0xBB;
    case Qt::Key_Comma: case Qt::Key_Less: return 0xBC;
    case Qt::Key_Minus: case Qt::Key_Equal: return 0xBD;
    case Qt::Key_Period: case Qt::Key_Greater: return 0xBE;
    case Qt::Key_Slash: case Qt::Key_Question: return 0xBF;
    default: return 0;
    }
}

} // namespace kiv::qt
