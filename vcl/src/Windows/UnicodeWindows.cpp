// Unicode windows (their UTF-16 text and the W calls), global atoms, window properties and the input
// method's composition results.

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "Controls/Internal.h"
#include "StdCtrls/ComboBoxChild.h"
#include "StdCtrls/Peers.h"
#include "Windows/UnicodeWindows.h"
#include "System/Codepage.h"
#include "vcl/SysUtils.h"
#include "vcl/Windows.h"

namespace {

struct TWindowExtras {
    bool Unicode = false;
    WideString Text;                           // a Unicode window's text
    const WideString* Setting = nullptr;       // the text SetWindowTextW is setting
    const WideString* SettingItem = nullptr;   // the item a W combo message brings
    std::map<std::string, HANDLE> Properties;  // by upper-case name, atoms as "#<number>"
    std::optional<WideString> Composition;
};

std::map<HWND, TWindowExtras>& Extras() {
    static std::map<HWND, TWindowExtras> extras;
    return extras;
}

TWindowExtras* FindExtras(HWND Handle) {
    auto it = Extras().find(Handle);
    return it == Extras().end() ? nullptr : &it->second;
}

TWindowExtras* UnicodeExtras(HWND Handle) {
    TWindowExtras* extras = FindExtras(Handle);
    return extras && extras->Unicode ? extras : nullptr;
}

// Copies Text into a buffer of Size units, cut and zero-terminated; the units copied.
template <typename Char>
int CopyText(const std::basic_string<Char>& Text, Char* Buffer, std::size_t Size) {
    if (!Buffer || Size == 0) return 0;
    const std::size_t n = std::min(Size - 1, Text.size());
    std::copy_n(Text.data(), n, Buffer);
    Buffer[n] = 0;
    return static_cast<int>(n);
}

// ---------------------------------------------------------------------------
// Atoms

struct TAtom {
    std::string Name;
    int References = 0;
};

std::map<ATOM, TAtom>& Atoms() {
    static std::map<ATOM, TAtom> atoms;
    return atoms;
}

constexpr ATOM FirstAtom = 0xC000;

ATOM FindAtom(const std::string& Name) {
    for (const auto& [atom, entry] : Atoms())
        if (SameText(entry.Name, Name)) return atom;
    return 0;
}

// The key of a property name: an atom's number, or the name without case.
std::string PropertyKey(const char* Name) {
    if (IS_INTRESOURCE(Name)) return "#" + std::to_string(reinterpret_cast<std::uintptr_t>(Name));
    return UpperCase(Name);
}

}  // namespace

// ---------------------------------------------------------------------------
// The window table's side

bool IsUnicodeClassName(const AnsiString& ClassName) {
    static const AnsiString suffix = ".UnicodeClass";
    return ClassName.size() > suffix.size() &&
           ClassName.compare(ClassName.size() - suffix.size(), suffix.size(), suffix) == 0;
}

void MarkWindowUnicode(HWND Handle, const AnsiString& Text) {
    TWindowExtras& extras = Extras()[Handle];
    extras.Unicode = true;
    extras.Text = AnsiToWide(Text);
}

void ForgetWindowExtras(HWND Handle) { Extras().erase(Handle); }

void WideTextStored(HWND Handle, const AnsiString& Text) {
    TWindowExtras* extras = UnicodeExtras(Handle);
    if (!extras) return;
    if (extras->Setting && WideToAnsi(*extras->Setting) == Text) extras->Text = *extras->Setting;
    else if (WideToAnsi(extras->Text) != Text) extras->Text = AnsiToWide(Text);
}

bool WideTextChanging(HWND Handle) {
    const TWindowExtras* extras = UnicodeExtras(Handle);
    return extras && extras->Setting && *extras->Setting != extras->Text;
}

const WideString* WindowWideText(HWND Handle) {
    const TWindowExtras* extras = UnicodeExtras(Handle);
    return extras ? &extras->Text : nullptr;
}

bool WideTextFromUser(HWND Handle, const WideString& Text) {
    TWindowExtras* extras = UnicodeExtras(Handle);
    if (!extras || extras->Text == Text) return false;
    extras->Text = Text;
    return true;
}

void SetCompositionResult(HWND Handle, const WideString& Result) {
    if (FindControl(Handle)) Extras()[Handle].Composition = Result;
}

void TypeCompositionResult(HWND Handle) {
    HIMC context = ImmGetContext(Handle);
    const LONG bytes = ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
    WideString result(bytes > 0 ? static_cast<std::size_t>(bytes) / sizeof(WideChar) : 0, u'\0');
    if (bytes > 0) ImmGetCompositionStringW(context, GCS_RESULTSTR, result.data(), static_cast<DWORD>(bytes));
    ImmReleaseContext(Handle, context);
    const bool unicode = IsWindowUnicode(Handle);
    for (WideChar unit : result) {
        // The window may go while its characters are typed.
        TWinControl* control = FindControl(Handle);
        if (!control) return;
        const WPARAM typed = unicode ? unit : static_cast<Byte>(codepage::UnicodeToAnsiChar(unit));
        control->Perform(WM_CHAR, typed, 1);
    }
}

const WideString* PendingWideItem(HWND Handle) {
    const TWindowExtras* extras = UnicodeExtras(Handle);
    if (!extras) return nullptr;
    return extras->SettingItem ? extras->SettingItem : extras->Setting;
}

namespace {

// Sends the single-byte form of a W message whose lParam is a text, the UTF-16 text pending meanwhile.
LRESULT SendWithWideItem(HWND Handle, UINT Msg, WPARAM wParam, const WideChar* Text) {
    const WideString item = Text ? WideString(Text) : WideString();
    const AnsiString converted = WideToAnsi(item);
    TWindowExtras* extras = UnicodeExtras(Handle);
    if (!extras) return SendMessage(Handle, Msg, wParam, reinterpret_cast<LPARAM>(converted.c_str()));
    const WideString* outer = std::exchange(extras->SettingItem, &item);
    struct TRestore {
        HWND Handle;
        const WideString* Outer;
        ~TRestore() {
            if (TWindowExtras* e = FindExtras(Handle)) e->SettingItem = Outer;
        }
    } restore{Handle, outer};
    return SendMessage(Handle, Msg, wParam, reinterpret_cast<LPARAM>(converted.c_str()));
}

// CB_GETLBTEXT(LEN) in UTF-16: a Unicode combo's own item, else the single-byte one converted.
LRESULT WideItemText(HWND Handle, UINT Msg, WPARAM wParam, WideChar* Buffer) {
    const auto index = static_cast<Integer>(static_cast<std::intptr_t>(wParam));
    WideString item;
    auto* combo = dynamic_cast<TCustomComboBox*>(FindControl(Handle));
    if (combo && IsWindowUnicode(Handle)) {
        if (!TStdCtrlsAccess::WideItem(*combo, index, item)) return CB_ERR;
    } else {
        const LRESULT length = SendMessage(Handle, CB_GETLBTEXTLEN, wParam, 0);
        if (length < 0) return length;
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        SendMessage(Handle, CB_GETLBTEXT, wParam, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(length));
        item = AnsiToWide(text);
    }
    if (Msg == CB_GETLBTEXT && Buffer) std::copy(item.c_str(), item.c_str() + item.size() + 1, Buffer);
    return static_cast<LRESULT>(item.size());
}

}  // namespace

// ---------------------------------------------------------------------------
// The W calls

// A combo's edit part and list are Unicode windows with their combo.
BOOL IsWindowUnicode(HWND hWnd) {
    if (TCustomComboBox* combo = ComboOfPart(hWnd)) return combo->HandleAllocated() && IsWindowUnicode(combo->Handle());
    return UnicodeExtras(hWnd) ? TRUE : FALSE;
}

int GetWindowTextLengthW(HWND hWnd) {
    if (const WideString* text = WindowWideText(hWnd)) return static_cast<int>(text->size());
    return GetWindowTextLength(hWnd);
}

int GetWindowTextW(HWND hWnd, WideChar* lpString, int nMaxCount) {
    if (nMaxCount <= 0) return 0;
    if (const WideString* text = WindowWideText(hWnd))
        return CopyText(*text, lpString, static_cast<std::size_t>(nMaxCount));
    const int length = GetWindowTextLength(hWnd);
    std::string buffer(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
    buffer.resize(static_cast<std::size_t>(std::max(GetWindowText(hWnd, buffer.data(), length + 1), 0)));
    return CopyText(AnsiToWide(buffer), lpString, static_cast<std::size_t>(nMaxCount));
}

BOOL SetWindowTextW(HWND hWnd, const WideChar* lpString) {
    if (!FindControl(hWnd)) return FALSE;
    const WideString text = lpString ? WideString(lpString) : WideString();
    const AnsiString converted = WideToAnsi(text);
    TWindowExtras* extras = UnicodeExtras(hWnd);
    if (!extras) return SetWindowText(hWnd, converted.c_str());
    const WideString* outer = std::exchange(extras->Setting, &text);
    struct TRestore {
        HWND Handle;
        const WideString* Outer;
        ~TRestore() {
            if (TWindowExtras* e = FindExtras(Handle)) e->Setting = Outer;
        }
    } restore{hWnd, outer};
    SendMessage(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(converted.c_str()));
    return TRUE;
}

LRESULT SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    switch (Msg) {
        case WM_SETTEXT: return SetWindowTextW(hWnd, reinterpret_cast<const WideChar*>(lParam));
        case WM_GETTEXT: return GetWindowTextW(hWnd, reinterpret_cast<WideChar*>(lParam), static_cast<int>(wParam));
        case WM_GETTEXTLENGTH: return GetWindowTextLengthW(hWnd);
        case CB_ADDSTRING:
        case CB_INSERTSTRING:
        case CB_FINDSTRINGEXACT: return SendWithWideItem(hWnd, Msg, wParam, reinterpret_cast<const WideChar*>(lParam));
        case CB_GETLBTEXT:
        case CB_GETLBTEXTLEN: return WideItemText(hWnd, Msg, wParam, reinterpret_cast<WideChar*>(lParam));
        case WM_CHAR:
            // A single-byte window takes the character's byte.
            if (!IsWindowUnicode(hWnd) && (wParam & 0xFFFF) > 0x7F)
                wParam = static_cast<Byte>(codepage::UnicodeToAnsiChar(static_cast<char32_t>(wParam & 0xFFFF)));
            return SendMessage(hWnd, Msg, wParam, lParam);
        default: return SendMessage(hWnd, Msg, wParam, lParam);
    }
}

// ---------------------------------------------------------------------------
// Atoms and window properties

ATOM GlobalAddAtomA(const char* lpString) {
    if (IS_INTRESOURCE(lpString)) return static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(lpString));
    const std::string name = lpString;
    if (name.empty()) return 0;
    if (ATOM found = FindAtom(name)) {
        ++Atoms()[found].References;
        return found;
    }
    ATOM atom = FirstAtom;
    while (Atoms().count(atom)) {
        if (atom == 0xFFFF) return 0;
        ++atom;
    }
    Atoms()[atom] = TAtom{name, 1};
    return atom;
}

ATOM GlobalFindAtomA(const char* lpString) {
    if (IS_INTRESOURCE(lpString)) return static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(lpString));
    return FindAtom(lpString);
}

ATOM GlobalDeleteAtom(ATOM nAtom) {
    if (nAtom < FirstAtom) return 0;
    auto it = Atoms().find(nAtom);
    if (it == Atoms().end()) return nAtom;
    if (--it->second.References == 0) Atoms().erase(it);
    return 0;
}

BOOL SetPropA(HWND hWnd, const char* lpString, HANDLE hData) {
    if (!FindControl(hWnd) || !lpString) return FALSE;
    Extras()[hWnd].Properties[PropertyKey(lpString)] = hData;
    return TRUE;
}

HANDLE GetPropA(HWND hWnd, const char* lpString) {
    const TWindowExtras* extras = FindExtras(hWnd);
    if (!extras || !lpString) return nullptr;
    auto it = extras->Properties.find(PropertyKey(lpString));
    return it == extras->Properties.end() ? nullptr : it->second;
}

HANDLE RemovePropA(HWND hWnd, const char* lpString) {
    TWindowExtras* extras = FindExtras(hWnd);
    if (!extras || !lpString) return nullptr;
    auto it = extras->Properties.find(PropertyKey(lpString));
    if (it == extras->Properties.end()) return nullptr;
    HANDLE data = it->second;
    extras->Properties.erase(it);
    return data;
}

// ---------------------------------------------------------------------------
// The input method: a window's context is the window itself.

HIMC ImmGetContext(HWND hWnd) { return FindControl(hWnd) ? reinterpret_cast<HIMC>(hWnd) : nullptr; }

BOOL ImmReleaseContext(HWND hWnd, HIMC hIMC) {
    return FindControl(hWnd) && reinterpret_cast<HWND>(hIMC) == hWnd ? TRUE : FALSE;
}

LONG ImmGetCompositionStringW(HIMC hIMC, DWORD dwIndex, void* lpBuf, DWORD dwBufLen) {
    const TWindowExtras* extras = FindExtras(reinterpret_cast<HWND>(hIMC));
    if (dwIndex != GCS_RESULTSTR || !extras || !extras->Composition) return IMM_ERROR_GENERAL;
    const WideString& result = *extras->Composition;
    const auto bytes = static_cast<DWORD>(result.size() * sizeof(WideChar));
    if (lpBuf && dwBufLen >= bytes) std::memcpy(lpBuf, result.data(), bytes);
    return static_cast<LONG>(bytes);
}
