// Qt key codes and Windows virtual-key codes.

#include <utility>

#include "qt/Peer.h"
#include "vcl/Windows.h"

namespace {

// One row per key; the first row of a virtual key is its way back to Qt.
const std::pair<int, Word> kKeys[] = {
    {Qt::Key_Backspace, VK_BACK},
    {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Clear, VK_CLEAR},
    {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},
    {Qt::Key_Alt, VK_MENU},
    {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Select, VK_SELECT},
    {Qt::Key_Printer, VK_PRINT},
    {Qt::Key_Execute, VK_EXECUTE},
    {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Help, VK_HELP},
    {Qt::Key_Meta, VK_LWIN},
    {Qt::Key_Menu, VK_APPS},
    {Qt::Key_NumLock, VK_NUMLOCK},
    {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Semicolon, VK_OEM_1},
    {Qt::Key_Colon, VK_OEM_1},
    {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Comma, VK_OEM_COMMA},
    {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS},
    {Qt::Key_Underscore, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD},
    {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Slash, VK_OEM_2},
    {Qt::Key_Question, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3},
    {Qt::Key_AsciiTilde, VK_OEM_3},
    {Qt::Key_BracketLeft, VK_OEM_4},
    {Qt::Key_BraceLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5},
    {Qt::Key_Bar, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6},
    {Qt::Key_BraceRight, VK_OEM_6},
    {Qt::Key_Apostrophe, VK_OEM_7},
    {Qt::Key_QuoteDbl, VK_OEM_7},
    // Shifted digits on a US keyboard stay their digit keys.
    {Qt::Key_Exclam, '1'},
    {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},
    {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},
    {Qt::Key_ParenRight, '0'},
};

Word KeypadKey(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<Word>(VK_NUMPAD0 + (key - Qt::Key_0));
    switch (key) {
        case Qt::Key_Asterisk: return VK_MULTIPLY;
        case Qt::Key_Plus: return VK_ADD;
        case Qt::Key_Minus: return VK_SUBTRACT;
        case Qt::Key_Period:
        case Qt::Key_Comma: return VK_DECIMAL;
        case Qt::Key_Slash: return VK_DIVIDE;
        default: return 0;
    }
}

}  // namespace

Word VirtualKeyFromQt(int QtKey, Qt::KeyboardModifiers Modifiers) {
    if (Modifiers & Qt::KeypadModifier)
        if (Word k = KeypadKey(QtKey)) return k;
    if (QtKey >= Qt::Key_A && QtKey <= Qt::Key_Z) return static_cast<Word>('A' + (QtKey - Qt::Key_A));
    if (QtKey >= Qt::Key_0 && QtKey <= Qt::Key_9) return static_cast<Word>('0' + (QtKey - Qt::Key_0));
    if (QtKey >= Qt::Key_F1 && QtKey <= Qt::Key_F24) return static_cast<Word>(VK_F1 + (QtKey - Qt::Key_F1));
    for (const auto& [qt, vk] : kKeys)
        if (qt == QtKey) return vk;
    return 0;
}

int QtKeyFromVirtualKey(Word VirtualKey) {
    if (VirtualKey >= 'A' && VirtualKey <= 'Z') return Qt::Key_A + (VirtualKey - 'A');
    if (VirtualKey >= '0' && VirtualKey <= '9') return Qt::Key_0 + (VirtualKey - '0');
    if (VirtualKey >= VK_F1 && VirtualKey <= VK_F24) return Qt::Key_F1 + (VirtualKey - VK_F1);
    if (VirtualKey >= VK_NUMPAD0 && VirtualKey <= VK_NUMPAD9) return Qt::Key_0 + (VirtualKey - VK_NUMPAD0);
    switch (VirtualKey) {
        case VK_MULTIPLY: return Qt::Key_Asterisk;
        case VK_ADD: return Qt::Key_Plus;
        case VK_SUBTRACT: return Qt::Key_Minus;
        case VK_DECIMAL: return Qt::Key_Period;
        case VK_DIVIDE: return Qt::Key_Slash;
        default: break;
    }
    for (const auto& [qt, vk] : kKeys)
        if (vk == VirtualKey) return qt;
    return Qt::Key_unknown;
}

bool IsKeypadVirtualKey(Word VirtualKey) { return VirtualKey >= VK_NUMPAD0 && VirtualKey <= VK_DIVIDE; }
