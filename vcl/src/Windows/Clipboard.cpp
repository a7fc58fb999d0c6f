// The clipboard's open state, its data calls and the process-wide table of registered formats. The
// contents live in Qt's clipboard (vcl/src/qt/ClipboardQt.cpp).
#include <algorithm>
#include <cstring>
#include <vector>

#include "Clipbrd/ClipboardContents.h"
#include "ActiveX/FormatBlocks.h"
#include "vcl/OleBlocks.h"
#include "vcl/SysUtils.h"
#include "vcl/Windows.h"

namespace {

struct TClipboardState {
    bool Open = false;
    HWND Owner = nullptr;
    bool OpenFails = false;    // test seam
    int OpensBeforeFail = -1;  // test seam: this many opens succeed, then one fails
    // Blocks the clipboard owns until it closes: those given to it and the copies it read out.
    std::vector<HGLOBAL> Given;
    std::vector<HGLOBAL> ReadOut;
};

TClipboardState& State() {
    static TClipboardState state;
    return state;
}

void FreeAll(std::vector<HGLOBAL>& Blocks) {
    for (HGLOBAL block : Blocks) GlobalFree(block);
    Blocks.clear();
}

bool OpenFailsNow(TClipboardState& s) {
    if (s.OpenFails) return true;
    if (s.OpensBeforeFail < 0) return false;
    return s.OpensBeforeFail-- == 0;
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
    if (s.Open && s.Owner != hWndNewOwner) return FALSE;
    if (OpenFailsNow(s)) return FALSE;
    s.Open = true;
    s.Owner = hWndNewOwner;
    return TRUE;
}

BOOL CloseClipboard() {
    TClipboardState& s = State();
    if (!s.Open) return FALSE;
    s.Open = false;
    s.Owner = nullptr;
    ClipboardContents::Commit();
    FreeAll(s.Given);
    FreeAll(s.ReadOut);
    return TRUE;
}

BOOL EmptyClipboard() {
    TClipboardState& s = State();
    if (!s.Open) return FALSE;
    ClipboardContents::Empty();
    FreeAll(s.Given);
    FreeAll(s.ReadOut);
    return TRUE;
}

HGLOBAL SetClipboardData(UINT uFormat, HGLOBAL hMem) {
    TClipboardState& s = State();
    if (!s.Open || !hMem || !GlobalSize(hMem)) return nullptr;
    if (!ClipboardContents::Put(uFormat, GlobalBytesInPlace(hMem))) return nullptr;
    s.Given.push_back(hMem);
    return hMem;
}

HGLOBAL GetClipboardData(UINT uFormat) {
    TClipboardState& s = State();
    if (!s.Open) return nullptr;
    const std::optional<std::string> bytes = ClipboardContents::Block(uFormat);
    if (!bytes) return nullptr;
    HGLOBAL block = GlobalFromBytes(*bytes);
    if (block) s.ReadOut.push_back(block);
    return block;
}

void SetOpenClipboardFailsForTest(bool Fails) {
    State().OpenFails = Fails;
    State().OpensBeforeFail = -1;
}

void FailOpenClipboardOnceForTest(int SucceedingOpensFirst) { State().OpensBeforeFail = SucceedingOpensFirst; }

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
