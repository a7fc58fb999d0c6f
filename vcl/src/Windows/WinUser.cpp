// Win32 user calls over the stand-in's window table: messages, keyboard state, metrics, windows, timers.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>
#include <memory>

#include "Controls/Internal.h"
#include "Forms/Access.h"
#include "Windows/ForeignWindows.h"
#include "Controls/ControlPeer.h"
#include "vcl/Clock.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"
#include "vcl/Testing.h"
#include "vcl/Windows.h"

namespace {

struct TWindowTable {
    std::map<HWND, TWinControl*> byHandle;
    std::map<HWND, TForeignWindow*> foreign;
    std::uintptr_t next = 0x1000;

    HWND NextHandle() {
        next += 0x10;
        return reinterpret_cast<HWND>(next);
    }
};

TWindowTable& Windows() {
    static TWindowTable table;
    return table;
}

TShiftState& ShiftState() {
    static TShiftState state;
    return state;
}

std::map<int, int>& MetricOverrides() {
    static std::map<int, int> overrides;
    return overrides;
}

// The classic desktop scheme's metrics.
int ClassicMetric(int index) {
    switch (index) {
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
        case SM_CYVSCROLL:
        case SM_CXHSCROLL: return 17;
        case SM_CYVTHUMB:
        case SM_CXHTHUMB: return 16;
        case SM_CYCAPTION: return 19;
        case SM_CXBORDER:
        case SM_CYBORDER: return 1;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME: return 3;
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR: return 32;
        case SM_CYMENU: return 19;
        case SM_SWAPBUTTON: return 0;
        case SM_CXMIN:
        case SM_CXMINTRACK: return 112;
        case SM_CYMIN:
        case SM_CYMINTRACK: return 27;
        case SM_CXSIZE:
        case SM_CYSIZE: return 18;
        case SM_CXFRAME:
        case SM_CYFRAME: return 4;
        case SM_CXDOUBLECLK:
        case SM_CYDOUBLECLK:
        case SM_CXDRAG:
        case SM_CYDRAG: return 4;
        case SM_CXEDGE:
        case SM_CYEDGE: return 2;
        case SM_CXSMICON:
        case SM_CYSMICON: return 16;
        case SM_CYSMCAPTION: return 15;
        case SM_CXFOCUSBORDER:
        case SM_CYFOCUSBORDER: return 1;
        default: return 0;
    }
}

int ScreenMetric(int index, bool& known) {
    known = true;
    switch (index) {
        case SM_CXSCREEN: return Screen->Width();
        case SM_CYSCREEN: return Screen->Height();
        case SM_CXFULLSCREEN: return Screen->WorkAreaRect().Width();
        case SM_CYFULLSCREEN: return Screen->WorkAreaRect().Height() - ClassicMetric(SM_CYCAPTION);
        case SM_XVIRTUALSCREEN:
        case SM_YVIRTUALSCREEN: {
            TRect all = Screen->Monitors(0)->BoundsRect();
            for (Integer i = 1; i < Screen->MonitorCount(); ++i) {
                TRect r = Screen->Monitors(i)->BoundsRect();
                all.Left = std::min(all.Left, r.Left);
                all.Top = std::min(all.Top, r.Top);
            }
            return index == SM_XVIRTUALSCREEN ? all.Left : all.Top;
        }
        case SM_CXVIRTUALSCREEN: return Screen->DesktopWidth();
        case SM_CYVIRTUALSCREEN: return Screen->DesktopHeight();
        case SM_CMONITORS: return Screen->MonitorCount();
        default: known = false; return 0;
    }
}

struct TDcEntry {
    HWND Window;
    std::unique_ptr<TControlCanvas> Canvas;
};

std::map<HDC, TDcEntry>& WindowDCs() {
    static std::map<HDC, TDcEntry> dcs;
    return dcs;
}

struct TWindowTimer {
    TTimerService* Service;
    Cardinal Id;
};

std::map<std::pair<HWND, UINT>, TWindowTimer>& WindowTimers() {
    static std::map<std::pair<HWND, UINT>, TWindowTimer> timers;
    return timers;
}

void StopWindowTimers(HWND Window) {
    auto& timers = WindowTimers();
    for (auto it = timers.lower_bound({Window, 0}); it != timers.end() && it->first.first == Window;) {
        it->second.Service->Stop(it->second.Id);
        it = timers.erase(it);
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// The window table

HWND RegisterWindow(TWinControl* Control) {
    auto& t = Windows();
    HWND h = t.NextHandle();
    t.byHandle[h] = Control;
    return h;
}

TForeignWindowHandle::TForeignWindowHandle(TForeignWindow& Window) : handle_(Windows().NextHandle()) {
    Windows().foreign[handle_] = &Window;
}

TForeignWindowHandle::~TForeignWindowHandle() { Windows().foreign.erase(handle_); }

TForeignWindow* FindForeignWindow(HWND Handle) {
    auto& t = Windows().foreign;
    auto it = t.find(Handle);
    return it == t.end() ? nullptr : it->second;
}

void UnregisterWindow(HWND Handle) {
    Windows().byHandle.erase(Handle);
    ForgetWindowExtras(Handle);
    StopWindowTimers(Handle);
    auto& dcs = WindowDCs();
    for (auto it = dcs.begin(); it != dcs.end();) {
        if (it->second.Window == Handle) it = dcs.erase(it);
        else ++it;
    }
}

TWinControl* FindControl(HWND Handle) {
    auto& t = Windows().byHandle;
    auto it = t.find(Handle);
    return it == t.end() ? nullptr : it->second;
}

// ---------------------------------------------------------------------------
// Keyboard

void SetInputShiftState(TShiftState Shift) { ShiftState() = Shift; }
TShiftState InputShiftState() { return ShiftState(); }

BOOL GetKeyboardState(Byte* lpKeyState) {
    if (!lpKeyState) return FALSE;
    std::memset(lpKeyState, 0, 256);
    TShiftState s = ShiftState();
    auto down = [&](std::initializer_list<Word> keys) {
        for (Word k : keys) lpKeyState[k] = 0x80;
    };
    if (s.Contains(ssShift)) down({VK_SHIFT, VK_LSHIFT});
    if (s.Contains(ssCtrl)) down({VK_CONTROL, VK_LCONTROL});
    if (s.Contains(ssAlt)) down({VK_MENU, VK_LMENU});
    if (s.Contains(ssLeft)) down({VK_LBUTTON});
    if (s.Contains(ssRight)) down({VK_RBUTTON});
    if (s.Contains(ssMiddle)) down({VK_MBUTTON});
    return TRUE;
}

SmallInt GetKeyState(int nVirtKey) {
    if (nVirtKey < 0 || nVirtKey > 255) return 0;
    Byte state[256];
    GetKeyboardState(state);
    return (state[nVirtKey] & 0x80) ? static_cast<SmallInt>(-32768) : 0;
}

SmallInt GetAsyncKeyState(int vKey) { return GetKeyState(vKey); }

// ---------------------------------------------------------------------------
// Metrics

int MulDiv(int nNumber, int nNumerator, int nDenominator) {
    if (nDenominator == 0) return -1;
    const std::int64_t product = static_cast<std::int64_t>(nNumber) * nNumerator;
    std::int64_t quotient = product / nDenominator;
    const std::int64_t rest = product % nDenominator;
    if (2 * std::llabs(rest) >= std::llabs(nDenominator)) quotient += (product < 0) != (nDenominator < 0) ? -1 : 1;
    if (quotient < std::numeric_limits<int>::min() || quotient > std::numeric_limits<int>::max()) return -1;
    return static_cast<int>(quotient);
}

int GetSystemMetrics(int nIndex) {
    auto& o = MetricOverrides();
    if (auto it = o.find(nIndex); it != o.end()) return it->second;
    bool known = false;
    int value = ScreenMetric(nIndex, known);
    return known ? value : ClassicMetric(nIndex);
}

void SetSystemMetricForTest(int nIndex, int Value) { MetricOverrides()[nIndex] = Value; }
void ResetSystemMetrics() { MetricOverrides().clear(); }

// ---------------------------------------------------------------------------
// Messages

LRESULT SendMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (TWinControl* c = FindControl(hWnd)) return c->Perform(Msg, wParam, lParam);
    if (TForeignWindow* w = FindForeignWindow(hWnd)) return w->Message(Msg, wParam, lParam);
    return 0;
}

BOOL PostMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (hWnd && !FindControl(hWnd)) return FALSE;
    TApplicationAccess::PostToQueue(*Application, hWnd, Msg, wParam, lParam);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Windows

BOOL IsWindow(HWND hWnd) { return FindControl(hWnd) || FindForeignWindow(hWnd) ? TRUE : FALSE; }

BOOL IsWindowVisible(HWND hWnd) {
    TWinControl* c = FindControl(hWnd);
    return c && c->Showing() ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hWnd) {
    TWinControl* c = FindControl(hWnd);
    return c && c->Enabled() ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hWnd, BOOL bEnable) {
    TWinControl* c = FindControl(hWnd);
    if (!c) return FALSE;
    bool wasDisabled = !c->Enabled();
    c->SetEnabled(bEnable != FALSE);
    return wasDisabled ? TRUE : FALSE;
}

BOOL ShowWindow(HWND hWnd, int nCmdShow) {
    TWinControl* c = FindControl(hWnd);
    if (!c) return FALSE;
    bool wasVisible = c->Visible();
    c->SetVisible(nCmdShow != SW_HIDE);
    return wasVisible ? TRUE : FALSE;
}

HWND GetFocus() {
    TWinControl* c = FocusedControl();
    return c && c->HandleAllocated() ? c->Handle() : nullptr;
}

HWND SetFocus(HWND hWnd) {
    HWND previous = GetFocus();
    if (TWinControl* c = FindControl(hWnd)) MoveFocus(c, false);
    return previous;
}

LONG GetWindowLong(HWND hWnd, int nIndex) {
    TWinControl* c = FindControl(hWnd);
    if (!c) return 0;
    if (nIndex == GWL_STYLE) return static_cast<LONG>(TControlAccess::WindowStyle(*c));
    if (nIndex == GWL_EXSTYLE) return static_cast<LONG>(TControlAccess::WindowExStyle(*c));
    return 0;
}

DWORD GetClassLong(HWND hWnd, int nIndex) {
    TWinControl* c = FindControl(hWnd);
    if (!c || nIndex != GCL_STYLE) return 0;
    return TControlAccess::WindowClassStyle(*c);
}

HWND GetParent(HWND hWnd) {
    TWinControl* c = FindControl(hWnd);
    if (!c || !c->Parent()) return nullptr;
    return c->Parent()->Handle();
}

HWND GetActiveWindow() {
    TCustomForm* f = Screen->ActiveForm();
    return f && f->HandleAllocated() ? f->Handle() : nullptr;
}

BOOL GetClientRect(HWND hWnd, RECT* lpRect) {
    TWinControl* c = FindControl(hWnd);
    if (!c || !lpRect) return FALSE;
    *lpRect = c->ClientRect();
    return TRUE;
}

BOOL GetWindowRect(HWND hWnd, RECT* lpRect) {
    if (!lpRect) return FALSE;
    if (TForeignWindow* w = FindForeignWindow(hWnd)) {
        *lpRect = w->ScreenBounds();
        return TRUE;
    }
    TWinControl* c = FindControl(hWnd);
    if (!c) return FALSE;
    TPoint origin = c->Parent() ? c->Parent()->ClientToScreen(Point(c->Left(), c->Top())) : Point(c->Left(), c->Top());
    // A closed combo's window is its selection field, whatever its Height.
    const auto* combo = dynamic_cast<const TCustomComboBox*>(c);
    *lpRect = Bounds(origin.X, origin.Y, c->Width(), combo ? combo->ClientHeight() : c->Height());
    return TRUE;
}

BOOL ClientToScreen(HWND hWnd, POINT* lpPoint) {
    TWinControl* c = FindControl(hWnd);
    if (!c || !lpPoint) return FALSE;
    *lpPoint = c->ClientToScreen(*lpPoint);
    return TRUE;
}

BOOL ScreenToClient(HWND hWnd, POINT* lpPoint) {
    TWinControl* c = FindControl(hWnd);
    if (!c || !lpPoint) return FALSE;
    *lpPoint = c->ScreenToClient(*lpPoint);
    return TRUE;
}

BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL) {
    TWinControl* c = FindControl(hWnd);
    if (!c) return FALSE;
    c->SetBounds(X, Y, nWidth, nHeight);
    return TRUE;
}

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags) {
    if (TForeignWindow* w = FindForeignWindow(hWnd)) {
        if (!(uFlags & SWP_NOMOVE)) w->MoveTo(X, Y);
        return TRUE;
    }
    TWinControl* c = FindControl(hWnd);
    if (!c) return FALSE;
    const int left = (uFlags & SWP_NOMOVE) ? c->Left() : X;
    const int top = (uFlags & SWP_NOMOVE) ? c->Top() : Y;
    const int width = (uFlags & SWP_NOSIZE) ? c->Width() : cx;
    const int height = (uFlags & SWP_NOSIZE) ? c->Height() : cy;
    c->SetBounds(left, top, width, height);
    if (!(uFlags & SWP_NOZORDER)) c->SetZOrder(hWndInsertAfter != HWND_BOTTOM);
    if (uFlags & SWP_SHOWWINDOW) c->SetVisible(true);
    if (uFlags & SWP_HIDEWINDOW) c->SetVisible(false);
    return TRUE;
}

BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL) {
    TWinControl* c = FindControl(hWnd);
    if (!c) return FALSE;
    if (!lpRect) c->Invalidate();
    else if (c->Peer() && c->Visible() && !lpRect->IsEmpty()) c->Peer()->Invalidate(*lpRect);
    return TRUE;
}

BOOL ScrollWindow(HWND hWnd, int XAmount, int YAmount, const RECT* lpRect, const RECT* lpClipRect) {
    TWinControl* c = FindControl(hWnd);
    if (!c) return FALSE;
    TRect area = lpRect ? *lpRect : c->ClientRect();
    if (lpClipRect)
        area = {std::max(area.Left, lpClipRect->Left), std::max(area.Top, lpClipRect->Top),
                std::min(area.Right, lpClipRect->Right), std::min(area.Bottom, lpClipRect->Bottom)};
    if (c->Peer() && c->Visible() && !area.IsEmpty()) c->Peer()->Scroll(XAmount, YAmount, area);
    return TRUE;
}

BOOL UpdateWindow(HWND hWnd) {
    TWinControl* c = FindControl(hWnd);
    if (!c) return FALSE;
    c->Update();
    return TRUE;
}

int GetWindowTextLength(HWND hWnd) { return static_cast<int>(SendMessage(hWnd, WM_GETTEXTLENGTH, 0, 0)); }

int GetWindowText(HWND hWnd, char* lpString, int nMaxCount) {
    if (!lpString || nMaxCount <= 0) return 0;
    lpString[0] = '\0';
    return static_cast<int>(
        SendMessage(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount), reinterpret_cast<LPARAM>(lpString)));
}

BOOL SetWindowText(HWND hWnd, const char* lpString) {
    if (!FindControl(hWnd)) return FALSE;
    SendMessage(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString ? lpString : ""));
    return TRUE;
}

namespace {

HDC RegisterDC(HWND Window, std::unique_ptr<TControlCanvas> Canvas) {
    TWinControl* c = FindControl(Window);
    if (!c || !TControlAccess::DrawingSurface(*c)) return nullptr;
    HDC dc = Canvas->Handle();
    WindowDCs()[dc] = TDcEntry{Window, std::move(Canvas)};
    return dc;
}

}  // namespace

HDC GetDC(HWND hWnd) {
    TWinControl* c = FindControl(hWnd);
    if (!c) return nullptr;
    auto canvas = std::make_unique<TControlCanvas>();
    canvas->SetControl(c);
    return RegisterDC(hWnd, std::move(canvas));
}

HDC GetWindowDC(HWND hWnd) {
    TWinControl* c = FindControl(hWnd);
    return c ? RegisterDC(hWnd, NewWindowCanvas(c)) : nullptr;
}

int ReleaseDC(HWND, HDC hDC) { return WindowDCs().erase(hDC) ? 1 : 0; }

HWND SetCapture(HWND hWnd) {
    HWND previous = GetCapture();
    if (TWinControl* c = FindControl(hWnd)) SetCaptureControl(c);
    return previous;
}

BOOL ReleaseCapture() {
    SetCaptureControl(nullptr);
    return TRUE;
}

HWND GetCapture() {
    TControl* c = GetCaptureControl();
    auto* w = dynamic_cast<TWinControl*>(c);
    if (!w && c) w = c->Parent();
    return w && w->HandleAllocated() ? w->Handle() : nullptr;
}

BOOL GetCursorPos(POINT* lpPoint) {
    if (!lpPoint) return FALSE;
    *lpPoint = AppLoop::CursorPos();
    return TRUE;
}

BOOL SetCursorPos(int X, int Y) {
    AppLoop::SetCursorPos(Point(X, Y));
    return TRUE;
}

// A window's timer ticks on the service it was started on (a test's clock drives it as it drives TTimer).
UINT SetTimer(HWND hWnd, UINT nIDEvent, UINT uElapse, void*) {
    if (!FindControl(hWnd)) return 0;
    KillTimer(hWnd, nIDEvent);
    TTimerService& service = TimerService();
    const Cardinal id = service.Start(std::max<UINT>(uElapse, 1), [hWnd, nIDEvent] {
        TWinControl* control = FindControl(hWnd);
        if (!control) return;
        try {
            control->Perform(WM_TIMER, nIDEvent, 0);
        } catch (...) {
            Application->HandleException(control);
        }
    });
    WindowTimers()[{hWnd, nIDEvent}] = TWindowTimer{&service, id};
    return nIDEvent ? nIDEvent : 1;
}

BOOL KillTimer(HWND hWnd, UINT uIDEvent) {
    auto& timers = WindowTimers();
    const auto it = timers.find({hWnd, uIDEvent});
    if (it == timers.end()) return FALSE;
    it->second.Service->Stop(it->second.Id);
    timers.erase(it);
    return TRUE;
}

namespace {
unsigned& BeepCount() {
    static unsigned count = 0;
    return count;
}
}  // namespace

BOOL MessageBeep(UINT) {
    ++BeepCount();
    return TRUE;
}

unsigned Testing::MessageBeepCount() { return BeepCount(); }
void Testing::ResetMessageBeepCount() { BeepCount() = 0; }

int MessageBox(HWND, const char* lpText, const char* lpCaption, UINT uType) {
    return ShowMessageBoxChecked(lpText ? lpText : "", lpCaption ? lpCaption : "Error", uType);
}

DWORD GetTickCount() { return static_cast<DWORD>(ClockTickCount()); }

UINT GetDoubleClickTime() { return 500; }
