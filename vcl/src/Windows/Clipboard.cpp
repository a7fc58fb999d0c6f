// The clipboard's open state and the process-wide table of registered formats. The contents live in
// Qt's clipboard (vcl/src/qt/ClipboardQt.cpp).
#include <algorithm>
#include <cstring>
#include <vector>

#include "vcl/SysUtils.h"
#include "vcl/Windows.h"

namespace {

struct TClipboardState {
    bool Open = false;
    HWND Owner = nullptr;
    bool OpenFails = false;  // test seam
};

TClipboardState& State() {
    static TClipboardState state;
    return state;
}

constexpr UINT FirstRegisteredFormat = 0xC000;
constexpr std::size_t RegisteredFormatCapacity = 0x10000 - FirstRegisteredFormat;

std::vector<AnsiString>& RegisteredNames() {
    static std::vector<AnsiString> names;
    return names;
}

}  // namespace

BOOL OpenClipboard(HWND hWndNewOwner) {
    TClipboardState& s = State();
    if (s.OpenFails || (s.Open && s.Owner != hWndNewOwner)) return FALSE;
    s.Open = true;
    s.Owner = hWndNewOwner;
    return TRUE;
}

BOOL CloseClipboard() {
    TClipboardState& s = State();
    if (!s.Open) return FALSE;
    s.Open = false;
    s.Owner = nullptr;
    return TRUE;
}

void SetOpenClipboardFailsForTest(bool Fails) { State().OpenFails = Fails; }

UINT RegisterClipboardFormat(const char* lpszFormat) {
    if (!lpszFormat || !*lpszFormat) return 0;
    std::vector<AnsiString>& names = RegisteredNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (SameText(names[i], lpszFormat)) return FirstRegisteredFormat + static_cast<UINT>(i);
    }
    if (names.size() == RegisteredFormatCapacity) return 0;
    names.emplace_back(lpszFormat);
    return FirstRegisteredFormat + static_cast<UINT>(names.size() - 1);
}

int GetClipboardFormatName(UINT format, char* lpszFormatName, int cchMaxCount) {
    const std::vector<AnsiString>& names = RegisteredNames();
    if (format < FirstRegisteredFormat || format - FirstRegisteredFormat >= names.size()) return 0;
    if (!lpszFormatName || cchMaxCount <= 0) return 0;
    const AnsiString& name = names[format - FirstRegisteredFormat];
    const std::size_t count = std::min(name.size(), static_cast<std::size_t>(cchMaxCount - 1));
    std::memcpy(lpszFormatName, name.data(), count);
    lpszFormatName[count] = '\0';
    return static_cast<int>(count);
}
