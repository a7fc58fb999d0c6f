// The US keyboard: set-1 scan codes of virtual keys, the key data of key messages and the characters keys type.

#include <utility>

#include "Controls/Internal.h"
#include "vcl/Windows.h"

namespace {

// Keys whose scan code is not found by the ranges in ScanCode.
const std::pair<Word, Byte> kScanCodes[] = {
    {VK_ESCAPE, 0x01},   {VK_BACK, 0x0E},     {VK_TAB, 0x0F},       {VK_RETURN, 0x1C},     {VK_CONTROL, 0x1D},
    {VK_LCONTROL, 0x1D}, {VK_RCONTROL, 0x1D}, {VK_SHIFT, 0x2A},     {VK_LSHIFT, 0x2A},     {VK_RSHIFT, 0x36},
    {VK_MENU, 0x38},     {VK_LMENU, 0x38},    {VK_RMENU, 0x38},     {VK_SPACE, 0x39},      {VK_CAPITAL, 0x3A},
    {VK_NUMLOCK, 0x45},  {VK_SCROLL, 0x46},   {VK_F11, 0x57},       {VK_F12, 0x58},        {VK_OEM_MINUS, 0x0C},
    {VK_OEM_PLUS, 0x0D}, {VK_OEM_4, 0x1A},    {VK_OEM_6, 0x1B},     {VK_OEM_1, 0x27},      {VK_OEM_7, 0x28},
    {VK_OEM_3, 0x29},    {VK_OEM_5, 0x2B},    {VK_OEM_COMMA, 0x33}, {VK_OEM_PERIOD, 0x34}, {VK_OEM_2, 0x35},
    {VK_MULTIPLY, 0x37}, {VK_SUBTRACT, 0x4A}, {VK_ADD, 0x4E},       {VK_DECIMAL, 0x53},    {VK_DIVIDE, 0x35},
    {VK_NUMPAD0, 0x52},  {VK_NUMPAD1, 0x4F},  {VK_NUMPAD2, 0x50},   {VK_NUMPAD3, 0x51},    {VK_NUMPAD4, 0x4B},
    {VK_NUMPAD5, 0x4C},  {VK_NUMPAD6, 0x4D},  {VK_NUMPAD7, 0x47},   {VK_NUMPAD8, 0x48},    {VK_NUMPAD9, 0x49},
    {VK_HOME, 0x47},     {VK_UP, 0x48},       {VK_PRIOR, 0x49},     {VK_LEFT, 0x4B},       {VK_CLEAR, 0x4C},
    {VK_RIGHT, 0x4D},    {VK_END, 0x4F},      {VK_DOWN, 0x50},      {VK_NEXT, 0x51},       {VK_INSERT, 0x52},
    {VK_DELETE, 0x53},   {VK_SNAPSHOT, 0x37}, {VK_LWIN, 0x5B},      {VK_RWIN, 0x5C},       {VK_APPS, 0x5D},
};

// Rows of the letter keys, left to right.
constexpr char kLetterRows[] = "QWERTYUIOP\0ASDFGHJKL\0ZXCVBNM";
constexpr Byte kLetterRowStarts[] = {0x10, 0x1E, 0x2C};

Byte ScanCode(Word vk) {
    if (vk >= '1' && vk <= '9') return static_cast<Byte>(0x02 + (vk - '1'));
    if (vk == '0') return 0x0B;
    if (vk >= VK_F1 && vk <= VK_F10) return static_cast<Byte>(0x3B + (vk - VK_F1));
    if (vk >= 'A' && vk <= 'Z') {
        std::size_t row = 0, column = 0;
        for (char c : kLetterRows) {
            if (c == '\0') {
                ++row;
                column = 0;
                continue;
            }
            if (c == static_cast<char>(vk)) return static_cast<Byte>(kLetterRowStarts[row] + column);
            ++column;
        }
    }
    for (const auto& [key, code] : kScanCodes)
        if (key == vk) return code;
    return 0;
}

// Keys of the extended part of the keyboard: the navigation block (not the keypad's), the keypad's Enter
// and divide, the right-hand modifiers and the system keys.
bool IsExtendedKey(Word vk, bool Keypad) {
    switch (vk) {
        case VK_INSERT:
        case VK_DELETE:
        case VK_HOME:
        case VK_END:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: return !Keypad;
        case VK_RETURN: return Keypad;
        case VK_DIVIDE:
        case VK_NUMLOCK:
        case VK_SNAPSHOT:
        case VK_RCONTROL:
        case VK_RMENU:
        case VK_LWIN:
        case VK_RWIN:
        case VK_APPS: return true;
        default: return false;
    }
}

// The US layout's characters: unshifted and shifted.
const struct {
    Word Key;
    char Plain;
    char Shifted;
} kCharKeys[] = {
    {VK_SPACE, ' ', ' '},        {VK_RETURN, '\r', '\r'},   {VK_TAB, '\t', '\t'},    {VK_BACK, '\b', '\b'},
    {VK_ESCAPE, '\x1b', '\x1b'}, {VK_OEM_1, ';', ':'},      {VK_OEM_PLUS, '=', '+'}, {VK_OEM_COMMA, ',', '<'},
    {VK_OEM_MINUS, '-', '_'},    {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},    {VK_OEM_3, '`', '~'},
    {VK_OEM_4, '[', '{'},        {VK_OEM_5, '\\', '|'},     {VK_OEM_6, ']', '}'},    {VK_OEM_7, '\'', '"'},
    {VK_MULTIPLY, '*', '*'},     {VK_ADD, '+', '+'},        {VK_SUBTRACT, '-', '-'}, {VK_DECIMAL, '.', '.'},
    {VK_DIVIDE, '/', '/'},
};

}  // namespace

LPARAM KeyDataOf(Word VirtualKey, bool Keypad, bool AltDown) {
    LPARAM data = 1 | static_cast<LPARAM>(ScanCode(VirtualKey)) << 16;
    if (IsExtendedKey(VirtualKey, Keypad)) data |= KF_EXTENDED_BIT;
    if (AltDown) data |= KF_ALTDOWN_BIT;
    return data;
}

Byte TypedChar(Word VirtualKey, TShiftState Shift) {
    const Word vk = VirtualKey;
    // Ctrl with a letter types its control character, Ctrl+Enter a line feed.
    if (Shift.Contains(ssCtrl)) {
        if (vk == VK_RETURN) return '\n';
        return vk >= 'A' && vk <= 'Z' ? static_cast<Byte>(vk - 'A' + 1) : 0;
    }
    const bool up = Shift.Contains(ssShift);
    if (vk >= 'A' && vk <= 'Z') return static_cast<Byte>(up ? vk : vk + 32);
    if (vk >= '0' && vk <= '9') return static_cast<Byte>(up ? ")!@#$%^&*("[vk - '0'] : vk);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<Byte>('0' + (vk - VK_NUMPAD0));
    for (const auto& k : kCharKeys)
        if (k.Key == vk) return static_cast<Byte>(up ? k.Shifted : k.Plain);
    return 0;
}

UINT MapVirtualKey(UINT uCode, UINT uMapType) {
    if (uMapType != MAPVK_VK_TO_VSC || uCode > 0xFF) return 0;
    return ScanCode(static_cast<Word>(uCode));
}

int ToAscii(UINT uVirtKey, UINT, const Byte* lpKeyState, Word* lpChar, UINT) {
    if (!lpChar || uVirtKey > 0xFF) return 0;
    TShiftState shift;
    if (lpKeyState && (lpKeyState[VK_SHIFT] & 0x80)) shift.Include(ssShift);
    if (lpKeyState && (lpKeyState[VK_CONTROL] & 0x80)) shift.Include(ssCtrl);
    if (lpKeyState && (lpKeyState[VK_MENU] & 0x80) && !shift.Contains(ssCtrl)) return 0;
    Byte c = TypedChar(static_cast<Word>(uVirtKey), shift);
    if (c == 0) return 0;
    *lpChar = c;
    return 1;
}
