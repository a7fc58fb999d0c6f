#pragma once
// What the control framework's Qt-free files share with each other and with the Qt side.

#include <exception>
#include <memory>
#include <utility>
#include <vector>

#include "vcl/Controls.h"
#include "vcl/Forms.h"

// ---------------------------------------------------------------------------
// The window table (WinUser.cpp): handles are issued here and checked on every use.

HWND RegisterWindow(TWinControl* Control);
void UnregisterWindow(HWND Handle);

// Unicode windows, window properties and input-method results (UnicodeWindows.cpp).
bool IsUnicodeClassName(const AnsiString& ClassName);
// The window becomes a Unicode window holding Text.
void MarkWindowUnicode(HWND Handle, const AnsiString& Text);
// The window's properties and UTF-16 state go with it.
void ForgetWindowExtras(HWND Handle);
// The window's single-byte text became Text: a Unicode window takes the UTF-16 text SetWindowTextW is
// setting when it converts to Text, keeps its own when that converts to Text, else converts Text.
void WideTextStored(HWND Handle, const AnsiString& Text);
// SetWindowTextW is setting a UTF-16 text other than the Unicode window's.
bool WideTextChanging(HWND Handle);
// A Unicode window's UTF-16 text (nullptr for any other window).
const WideString* WindowWideText(HWND Handle);
// The user edited a Unicode window's text: the UTF-16 text it shows now. True when that differs from
// the window's text before.
bool WideTextFromUser(HWND Handle, const WideString& Text);
// The result of the input method's composition for the window, until the next one.
void SetCompositionResult(HWND Handle, const WideString& Result);
// WM_IME_COMPOSITION's default with a result: each unit goes to the window as WM_CHAR through its
// WindowProc, UTF-16 to a Unicode window, a Windows-1252 byte to any other.
void TypeCompositionResult(HWND Handle);

// The modifiers of the last input the bridge saw (WinUser.cpp); GetKeyboardState reports them.
void SetInputShiftState(TShiftState Shift);
TShiftState InputShiftState();

// The key data (lParam) of a key message for a US keyboard: repeat count 1, the set-1 scan code in bits
// 16-23, the extended-key flag (bit 24), Alt (bit 29). Keypad: the key came from the numeric keypad.
LPARAM KeyDataOf(Word VirtualKey, bool Keypad, bool AltDown);
// The character a US keyboard types for the key (Ctrl with a letter: its control character); 0 for none.
Byte TypedChar(Word VirtualKey, TShiftState Shift);

// Focus as the stand-in tracks it (WinUser.cpp): the control whose WM_SETFOCUS came last.
TWinControl* FocusedControl();
// Moves the focus to Control (nullptr: nowhere): WM_KILLFOCUS / WM_SETFOCUS and, within forms, CM_EXIT /
// CM_ENTER. FromPeer: the windowing system already moved it (a click), so the peer is not told again.
void MoveFocus(TWinControl* Control, bool FromPeer);
// Runs the steps of a move that must all happen (a focus move): a step that raises does not stop the
// rest. The first exception goes on with Rethrow once the steps are done; later ones are reported at once.
class TFocusSteps {
public:
    explicit TFocusSteps(TObject* Sender) : sender_(Sender) {}
    template <typename Step>
    void Run(Step&& S) {
        try {
            S();
        } catch (...) {
            if (first_) Application->HandleException(sender_);
            else first_ = std::current_exception();
        }
    }
    void Rethrow() {
        if (first_) std::rethrow_exception(std::exchange(first_, nullptr));
    }
    // The move is complete: the first exception goes to Application->HandleException.
    void Report() {
        try {
            Rethrow();
        } catch (...) {
            Application->HandleException(sender_);
        }
    }

private:
    TObject* sender_;
    std::exception_ptr first_;
};
// A control going away loses the focus and the capture without messages.
void ForgetControl(TControl* Control);

// A canvas on the whole window (Paint.cpp), frame included: GetWindowDC and WM_NCPAINT draw with it.
std::unique_ptr<TControlCanvas> NewWindowCanvas(TWinControl* Control);
// Gives Canvas a fresh device context that draws where DC draws: the same pixels, logical origin and
// visible area (a graphic control painting on a device context it was handed). False for an unknown DC.
bool ShareDeviceContext(TCanvas& Canvas, HDC DC);

// The control under the mouse, as CM_MOUSEENTER / CM_MOUSELEAVE last said (nullptr: none).
void TrackMouseControl(TControl* Control);

// ---------------------------------------------------------------------------
// Services of the windowing system (vcl/src/qt/AppLoop*.cpp).

namespace AppLoop {
void EnsureApplication();
bool ApplicationExists();
// Handles pending events; with Wait, first waits for at least one.
void ProcessEvents(bool Wait);
// Schedules delivery of the posted-message queue from the event loop.
void WakeForPosted();
int ShowMessageBox(const AnsiString& Text, const AnsiString& Caption, UINT Flags);
std::vector<TMonitorSpec> QueryScreens();
void SetOverrideCursor(TCursor Cursor);
TPoint CursorPos();
void SetCursorPos(TPoint Pos);
// Where the last mouse event the windows received happened (screen coordinates): a platform without a
// pointer of its own (offscreen) answers CursorPos from it.
void NoteMousePos(TPoint Pos);
AnsiString ExecutablePath();
}  // namespace AppLoop

// The one message-box function (Application.cpp): the test seam records, otherwise AppLoop shows it.
int ShowMessageBoxChecked(const AnsiString& Text, const AnsiString& Caption, UINT Flags);

// For the Qt side: reach protected parts of controls and forms without widening their public face.
struct TControlAccess {
    static void StoreText(TControl& C, const AnsiString& Text) { C.StoreText(Text); }
    static void PaintWindow(TWinControl& C) { C.PaintWindow(); }
    static DWORD WindowStyle(const TWinControl& C) { return C.style_; }
    static DWORD WindowExStyle(const TWinControl& C) { return C.exStyle_; }
    static UINT WindowClassStyle(const TWinControl& C) { return C.classStyle_; }
    static void PaintControls(TWinControl& C) { C.PaintControls(); }
    static TSurface* DrawingSurface(const TControl& C) { return C.DrawingSurface(); }
    static TPoint SurfaceOffset(const TControl& C) { return C.SurfaceOffset(); }
    static bool& MouseInside(TControl& C) { return C.mouseInside_; }
    static void BoundsFromPeer(TCustomForm& F, const TRect& Client);
    static void ActiveFromPeer(TCustomForm& F, bool Active) { F.UpdateActiveState(Active); }
};

struct TScreenAccess {
    // A control going away is no longer the screen's active control.
    static void ForgetControl(TScreen& S, TControl* Control) {
        if (static_cast<TControl*>(S.activeControl_) == Control) S.SetActiveControl(nullptr);
    }
};

// ---------------------------------------------------------------------------
// Hints (Forms/Hints.cpp). Every message a control gets passes here first: the mouse resting on a control
// shows its hint, input and leaving hide it.

void HintTrackMessage(TControl* Control, TMessage& Message);
// Runs Control's hint at once, as the pause would, at the mouse's last position.
void ShowHintNow(TControl* Control);
// The hint window on the screen; nullptr when no hint shows.
THintWindow* ShownHintWindow();
// Hides the hint and forgets the control under the mouse: the next hint waits the whole HintPause.
void CancelHintTracking();
