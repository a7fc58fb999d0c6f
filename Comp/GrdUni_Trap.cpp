// Unicode windows: the wide text of a control, the caption holder across re-creation, and the trap that
// keeps the class library's message handling single-byte while the window is wide.
#include "GrdUni.h"

#include "vcl/SysUtils.h"

namespace GrdUni {

namespace {

bool HasUnicodeWindow(TWinControl* Control) { return Control->HandleAllocated() && IsWindowUnicode(Control->Handle()); }

WideString WindowWideText(HWND Handle) {
    const int length = GetWindowTextLengthW(Handle);
    WideString text(static_cast<std::size_t>(std::max(length, 0)) + 1, u'\0');
    text.resize(static_cast<std::size_t>(std::max(GetWindowTextW(Handle, text.data(), length + 1), 0)));
    return text;
}

}  // namespace

bool UnicodeWindowsAvailable() { return Win32Platform() == VER_PLATFORM_WIN32_NT; }

AnsiString UnicodeClassName(const AnsiString& LibraryClassName) {
    return LibraryClassName.substr(0, 64) + ".UnicodeClass";
}

// ---------------------------------------------------------------------------
// Wide text

TWideCaptionHolder* TWideCaptionHolder::Of(TWinControl* Control, bool Create) {
    for (Integer i = 0; i < Control->ComponentCount(); ++i)
        if (auto* holder = dynamic_cast<TWideCaptionHolder*>(Control->Components(i))) return holder;
    if (!Create) return nullptr;
    auto* holder = new TWideCaptionHolder(Control);
    holder->Caption = AnsiToWide(Control->Text());
    return holder;
}

// A holder whose text no longer converts to the library's text is stale: the library's text was set
// since (by the form reader, say) and stands.
WideString GetWideText(TWinControl* Control) {
    if (HasUnicodeWindow(Control)) return WindowWideText(Control->Handle());
    const AnsiString text = Control->Text();
    if (!UnicodeWindowsAvailable()) return AnsiToWide(text);
    TWideCaptionHolder* holder = TWideCaptionHolder::Of(Control, true);
    if (WideToAnsi(holder->Caption) != text) holder->Caption = AnsiToWide(text);
    return holder->Caption;
}

void SetWideText(TWinControl* Control, const WideString& Value) {
    if (HasUnicodeWindow(Control)) {
        if (WindowWideText(Control->Handle()) == Value) return;
        SetWindowTextW(Control->Handle(), Value.c_str());
        Control->Perform(CM_TEXTCHANGED, 0, 0);
        return;
    }
    Control->SetText(WideToAnsi(Value));
    if (UnicodeWindowsAvailable()) TWideCaptionHolder::Of(Control, true)->Caption = Value;
}

TPropertyInfo WideTextProperty() {
    return {"Text",
            [](TObject& o, const TFormValue& v, TReadContext&) {
                SetWideText(&static_cast<TWinControl&>(o), v.AsWideString());
            },
            [](TObject& o) { return FormWideString(GetWideText(&static_cast<TWinControl&>(o))); },
            {}};
}

void UnicodeWindowCreated(TWinControl* Control) {
    if (!HasUnicodeWindow(Control)) return;
    TWinControlTrap::Install(Control);
    const WideString caption = TWideCaptionHolder::Of(Control, true)->Caption;
    // The window has the library's text already: the caption is written only where the code page lost it.
    if (WideToAnsi(caption) == Control->Text() && WindowWideText(Control->Handle()) != caption)
        SetWindowTextW(Control->Handle(), caption.c_str());
}

// ---------------------------------------------------------------------------
// Character folding

void FoldChar(TMessage& Message) {
    Assert(Message.Msg == WM_CHAR && HIWORD(Message.WParam) == 0, "Folding expects a plain WM_CHAR");
    const WPARAM unit = Message.WParam & 0xFFFF;
    if (unit > 255) Message.WParam = (unit << 16) | 255;
}

void UnfoldChar(TMessage& Message) {
    Assert(Message.Msg == WM_CHAR, "Unfolding expects WM_CHAR");
    if ((Message.WParam & 0xFFFF) == 255 && HIWORD(Message.WParam) != 0) Message.WParam = HIWORD(Message.WParam);
}

// ---------------------------------------------------------------------------
// The trap

TWinControlTrap::TWinControlTrap(TWinControl* Control)
    : control_(Control),
      handle_(Control->Handle()),
      oldWindowProc_(Control->WindowProc),
      oldDefWndProc_(Control->DefWndProc) {}

TWinControlTrap* TWinControlTrap::Of(HWND Handle) {
    const ATOM atom = TrapAtom();
    return atom ? static_cast<TWinControlTrap*>(GetPropA(Handle, MAKEINTATOM(atom))) : nullptr;
}

void TWinControlTrap::Install(TWinControl* Control) {
    if (!HasUnicodeWindow(Control) || !TrapAtom() || Of(Control->Handle())) return;
    auto* trap = new TWinControlTrap(Control);
    SetPropA(trap->handle_, MAKEINTATOM(TrapAtom()), trap);
    Control->WindowProc = [trap](TMessage& Message) { trap->WindowProc(Message); };
    Control->DefWndProc = [trap](TMessage& Message) { trap->DefWndProc(Message); };
}

void TWinControlTrap::Remove(TWinControl* Control) {
    if (!Control->HandleAllocated()) return;
    if (TWinControlTrap* trap = Of(Control->Handle())) trap->Uninstall();
}

// Saves the wide text, puts back what the trap replaced and frees it.
void TWinControlTrap::Uninstall() {
    if (!control_->ComponentState().Contains(csDestroying))
        TWideCaptionHolder::Of(control_, true)->Caption = WindowWideText(handle_);
    RemovePropA(handle_, MAKEINTATOM(TrapAtom()));
    control_->WindowProc = oldWindowProc_;
    control_->DefWndProc = oldDefWndProc_;
    delete this;
}

// Each character of the result goes to the window as a wide WM_CHAR.
void TWinControlTrap::TypeComposition() {
    HIMC context = ImmGetContext(handle_);
    const LONG bytes = ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
    WideString result(bytes > 0 ? static_cast<std::size_t>(bytes) / sizeof(WideChar) : 0, u'\0');
    if (bytes > 0) ImmGetCompositionStringW(context, GCS_RESULTSTR, result.data(), static_cast<DWORD>(bytes));
    ImmReleaseContext(handle_, context);
    const HWND handle = handle_;
    for (WideChar unit : result) {
        if (!IsWindow(handle)) return;  // a handler may have destroyed the window
        SendMessageW(handle, WM_CHAR, unit, 1);
    }
}

void TWinControlTrap::WindowProc(TMessage& Message) {
    switch (Message.Msg) {
        case WM_DESTROY: {
            const TWndMethod previous = oldWindowProc_;
            Uninstall();
            previous(Message);
            return;
        }
        case WM_IME_COMPOSITION:
            if (Message.LParam & GCS_RESULTSTR) {
                TypeComposition();
                Message.Result = 0;
                return;
            }
            break;
        case WM_CHAR: FoldChar(Message); break;
        default: break;
    }
    oldWindowProc_(Message);
}

void TWinControlTrap::DefWndProc(TMessage& Message) {
    if (Message.Msg == WM_CHAR) UnfoldChar(Message);
    oldDefWndProc_(Message);
}

VCL_IMPLEMENT_CLASS(TWideCaptionHolder, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TWinControlTrap, nullptr, nullptr)

}  // namespace GrdUni
