#pragma once
// The Win32 user-interface calls the system makes: messages to windows, keyboard state, system metrics,
// focus, capture, window geometry, timers and message boxes. Drawing calls are in WinGdi.h.
// Every HWND is checked against the stand-in's window table; an unknown one makes the call fail as Win32 does.

#include <functional>
#include <vector>

#include "Messages.h"
#include "Types.h"
#include "WinGdi.h"

using LONG = std::int32_t;

// ---------------------------------------------------------------------------
// Virtual-key codes ('0'..'9' and 'A'..'Z' are their ASCII codes)

constexpr Word VK_LBUTTON = 0x01;
constexpr Word VK_RBUTTON = 0x02;
constexpr Word VK_CANCEL = 0x03;
constexpr Word VK_MBUTTON = 0x04;
constexpr Word VK_BACK = 0x08;
constexpr Word VK_TAB = 0x09;
constexpr Word VK_CLEAR = 0x0C;
constexpr Word VK_RETURN = 0x0D;
constexpr Word VK_SHIFT = 0x10;
constexpr Word VK_CONTROL = 0x11;
constexpr Word VK_MENU = 0x12;
constexpr Word VK_PAUSE = 0x13;
constexpr Word VK_CAPITAL = 0x14;
constexpr Word VK_ESCAPE = 0x1B;
constexpr Word VK_SPACE = 0x20;
constexpr Word VK_PRIOR = 0x21;
constexpr Word VK_NEXT = 0x22;
constexpr Word VK_END = 0x23;
constexpr Word VK_HOME = 0x24;
constexpr Word VK_LEFT = 0x25;
constexpr Word VK_UP = 0x26;
constexpr Word VK_RIGHT = 0x27;
constexpr Word VK_DOWN = 0x28;
constexpr Word VK_SELECT = 0x29;
constexpr Word VK_PRINT = 0x2A;
constexpr Word VK_EXECUTE = 0x2B;
constexpr Word VK_SNAPSHOT = 0x2C;
constexpr Word VK_INSERT = 0x2D;
constexpr Word VK_DELETE = 0x2E;
constexpr Word VK_HELP = 0x2F;
constexpr Word VK_LWIN = 0x5B;
constexpr Word VK_RWIN = 0x5C;
constexpr Word VK_APPS = 0x5D;
constexpr Word VK_NUMPAD0 = 0x60;
constexpr Word VK_NUMPAD1 = 0x61;
constexpr Word VK_NUMPAD2 = 0x62;
constexpr Word VK_NUMPAD3 = 0x63;
constexpr Word VK_NUMPAD4 = 0x64;
constexpr Word VK_NUMPAD5 = 0x65;
constexpr Word VK_NUMPAD6 = 0x66;
constexpr Word VK_NUMPAD7 = 0x67;
constexpr Word VK_NUMPAD8 = 0x68;
constexpr Word VK_NUMPAD9 = 0x69;
constexpr Word VK_MULTIPLY = 0x6A;
constexpr Word VK_ADD = 0x6B;
constexpr Word VK_SEPARATOR = 0x6C;
constexpr Word VK_SUBTRACT = 0x6D;
constexpr Word VK_DECIMAL = 0x6E;
constexpr Word VK_DIVIDE = 0x6F;
constexpr Word VK_F1 = 0x70;
constexpr Word VK_F2 = 0x71;
constexpr Word VK_F3 = 0x72;
constexpr Word VK_F4 = 0x73;
constexpr Word VK_F5 = 0x74;
constexpr Word VK_F6 = 0x75;
constexpr Word VK_F7 = 0x76;
constexpr Word VK_F8 = 0x77;
constexpr Word VK_F9 = 0x78;
constexpr Word VK_F10 = 0x79;
constexpr Word VK_F11 = 0x7A;
constexpr Word VK_F12 = 0x7B;
constexpr Word VK_F13 = 0x7C;
constexpr Word VK_F24 = 0x87;
constexpr Word VK_NUMLOCK = 0x90;
constexpr Word VK_SCROLL = 0x91;
constexpr Word VK_LSHIFT = 0xA0;
constexpr Word VK_RSHIFT = 0xA1;
constexpr Word VK_LCONTROL = 0xA2;
constexpr Word VK_RCONTROL = 0xA3;
constexpr Word VK_LMENU = 0xA4;
constexpr Word VK_RMENU = 0xA5;
constexpr Word VK_OEM_1 = 0xBA;
constexpr Word VK_OEM_PLUS = 0xBB;
constexpr Word VK_OEM_COMMA = 0xBC;
constexpr Word VK_OEM_MINUS = 0xBD;
constexpr Word VK_OEM_PERIOD = 0xBE;
constexpr Word VK_OEM_2 = 0xBF;
constexpr Word VK_OEM_3 = 0xC0;
constexpr Word VK_OEM_4 = 0xDB;
constexpr Word VK_OEM_5 = 0xDC;
constexpr Word VK_OEM_6 = 0xDD;
constexpr Word VK_OEM_7 = 0xDE;

// ---------------------------------------------------------------------------
// System metrics (fixed classic values; the screen ones follow the Screen test seam)

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CXFIXEDFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CYFIXEDFRAME = 8;
constexpr int SM_CYVTHUMB = 9;
constexpr int SM_CXHTHUMB = 10;
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
constexpr int SM_CXCURSOR = 13;
constexpr int SM_CYCURSOR = 14;
constexpr int SM_CYMENU = 15;
constexpr int SM_CXFULLSCREEN = 16;
constexpr int SM_CYFULLSCREEN = 17;
constexpr int SM_CYVSCROLL = 20;
constexpr int SM_CXHSCROLL = 21;
constexpr int SM_SWAPBUTTON = 23;
constexpr int SM_CXMIN = 28;
constexpr int SM_CYMIN = 29;
constexpr int SM_CXSIZE = 30;
constexpr int SM_CYSIZE = 31;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CXSIZEFRAME = 32;
constexpr int SM_CYFRAME = 33;
constexpr int SM_CYSIZEFRAME = 33;
constexpr int SM_CXMINTRACK = 34;
constexpr int SM_CYMINTRACK = 35;
constexpr int SM_CXDOUBLECLK = 36;
constexpr int SM_CYDOUBLECLK = 37;
constexpr int SM_CXEDGE = 45;
constexpr int SM_CYEDGE = 46;
constexpr int SM_CXSMICON = 49;
constexpr int SM_CYSMICON = 50;
constexpr int SM_CYSMCAPTION = 51;
constexpr int SM_CXDRAG = 68;
constexpr int SM_CYDRAG = 69;
constexpr int SM_XVIRTUALSCREEN = 76;
constexpr int SM_YVIRTUALSCREEN = 77;
constexpr int SM_CXVIRTUALSCREEN = 78;
constexpr int SM_CYVIRTUALSCREEN = 79;
constexpr int SM_CMONITORS = 80;
constexpr int SM_CXFOCUSBORDER = 83;
constexpr int SM_CYFOCUSBORDER = 84;

int GetSystemMetrics(int nIndex);  // 0 for an unknown index
// Test seam: override one metric, or restore the classic table (screen metrics then follow Screen again).
void SetSystemMetricForTest(int nIndex, int Value);
void ResetSystemMetrics();

// nNumber * nNumerator / nDenominator through 64 bits, rounded half away from zero; -1 when nDenominator is 0
// or the result does not fit.
int MulDiv(int nNumber, int nNumerator, int nDenominator);

// ---------------------------------------------------------------------------
// Messages

LRESULT SendMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);  // 0 for an unknown window
// Queued for the application loop; delivered in order by Application->ProcessMessages and Run.
BOOL PostMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
#define SendMessageA SendMessage
#define PostMessageA PostMessage

// A message taken from the application's queue.
struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    TPoint pt;
};
using TMsg = MSG;

constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

// Takes the first queued message for hWnd (nullptr: any, the thread's own included) within
// [wMsgFilterMin, wMsgFilterMax] (0, 0: every message); when none is queued, lets the pending window
// events run once and looks again. FALSE when nothing is queued.
BOOL PeekMessage(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);
#define PeekMessageA PeekMessage
// Key messages already yield their characters when dispatched: TRUE for a key message, nothing else.
BOOL TranslateMessage(const MSG* lpMsg);
// Delivers the message to its window as the application loop would; 0 for a thread message.
LRESULT DispatchMessage(const MSG* lpMsg);
#define DispatchMessageA DispatchMessage
// Queues WM_QUIT with the exit code; the application loop ends when it reaches it.
void PostQuitMessage(int nExitCode);

// ---------------------------------------------------------------------------
// Keyboard: the state of the modifier keys as the last input that reached a control had them.

BOOL GetKeyboardState(Byte* lpKeyState);  // 256 bytes; high bit = down
SmallInt GetKeyState(int nVirtKey);       // negative when down
SmallInt GetAsyncKeyState(int vKey);      // negative when down
// The US keyboard's set-1 scan code of a virtual key (uMapType MAPVK_VK_TO_VSC); 0 for none.
constexpr UINT MAPVK_VK_TO_VSC = 0;
UINT MapVirtualKey(UINT uCode, UINT uMapType);
// The character the key types on a US keyboard with the modifiers of lpKeyState (Ctrl with a letter types
// its control character): 1 with *lpChar set, or 0 when it types none.
int ToAscii(UINT uVirtKey, UINT uScanCode, const Byte* lpKeyState, Word* lpChar, UINT uFlags);

// ---------------------------------------------------------------------------
// Windows

BOOL IsWindow(HWND hWnd);
BOOL IsWindowVisible(HWND hWnd);  // the window and all its parents visible
BOOL IsWindowEnabled(HWND hWnd);
BOOL EnableWindow(HWND hWnd, BOOL bEnable);
BOOL ShowWindow(HWND hWnd, int nCmdShow);
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;
constexpr int SW_SHOWDEFAULT = 10;
HWND GetFocus();
HWND SetFocus(HWND hWnd);  // returns the window that had the focus
HWND GetParent(HWND hWnd);
HWND GetActiveWindow();
BOOL GetClientRect(HWND hWnd, RECT* lpRect);
BOOL GetWindowRect(HWND hWnd, RECT* lpRect);  // screen coordinates
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;
inline const HWND HWND_TOP = nullptr;
inline const HWND HWND_BOTTOM = reinterpret_cast<HWND>(std::uintptr_t{1});
inline const HWND HWND_TOPMOST = reinterpret_cast<HWND>(~std::uintptr_t{0});
// Moves and sizes a window (X, Y in its parent's client coordinates, on the screen for a top-level
// window), honouring SWP_NOMOVE and SWP_NOSIZE; with SWP_NOZORDER clear it goes to the top or, after
// HWND_BOTTOM, the bottom; SWP_SHOWWINDOW / SWP_HIDEWINDOW show or hide it.
BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags);
// The window shows only within hRgn (window coordinates; nullptr: all of it); the window takes the region
// over, so the caller never uses it again. Returns 0 for an unknown window.
int SetWindowRgn(HWND hWnd, HRGN hRgn, BOOL bRedraw);
// Copies the window's region into hRgn (which must exist); ERROR when it has none.
int GetWindowRgn(HWND hWnd, HRGN hRgn);
BOOL ClientToScreen(HWND hWnd, POINT* lpPoint);
BOOL ScreenToClient(HWND hWnd, POINT* lpPoint);
BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint);
BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase);  // nullptr: the whole client area
BOOL UpdateWindow(HWND hWnd);
// Moves the pixels of lpRect (nullptr: the client area) within lpClipRect (nullptr: no further limit) and
// invalidates what the move uncovers.
BOOL ScrollWindow(HWND hWnd, int XAmount, int YAmount, const RECT* lpRect, const RECT* lpClipRect);
int GetWindowTextLength(HWND hWnd);
int GetWindowText(HWND hWnd, char* lpString, int nMaxCount);
BOOL SetWindowText(HWND hWnd, const char* lpString);
#define GetWindowTextA GetWindowText
#define SetWindowTextA SetWindowText

// Window styles, as CreateParams leaves them; an edit shows its ES_ alignment and ES_PASSWORD.
constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_EX_TOPMOST = 0x00000008;
constexpr DWORD WS_EX_TRANSPARENT = 0x00000020;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;
constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;
constexpr DWORD ES_LEFT = 0x0000;
constexpr DWORD ES_CENTER = 0x0001;
constexpr DWORD ES_RIGHT = 0x0002;
constexpr DWORD ES_MULTILINE = 0x0004;
constexpr DWORD ES_UPPERCASE = 0x0008;
constexpr DWORD ES_LOWERCASE = 0x0010;
constexpr DWORD ES_PASSWORD = 0x0020;
constexpr DWORD ES_AUTOVSCROLL = 0x0040;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_NOHIDESEL = 0x0100;
constexpr DWORD ES_READONLY = 0x0800;
constexpr DWORD ES_WANTRETURN = 0x1000;
// The window class's styles a window is made with (TCreateParams::WindowClass), kept with the window and
// read by GetClassLong(GCL_STYLE). How they show is the windowing system's choice: CS_DROPSHADOW asks
// for a shadow, which the compositor gives or not.
constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr UINT CS_DBLCLKS = 0x0008;
constexpr UINT CS_SAVEBITS = 0x0800;
constexpr UINT CS_DROPSHADOW = 0x00020000;
constexpr int GCL_STYLE = -26;
// GCL_STYLE of the window; 0 for an unknown window or index.
DWORD GetClassLong(HWND hWnd, int nIndex);
#define GetClassLongA GetClassLong
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
// GWL_STYLE / GWL_EXSTYLE of the window; 0 for an unknown window or index.
LONG GetWindowLong(HWND hWnd, int nIndex);
#define GetWindowLongA GetWindowLong

// A device context onto the window's persistent surface: drawing lands in it at once and shows on the next paint.
// GetDC draws on the client area (origin at its top left, clipped to it), GetWindowDC on the whole window,
// frame included. Both give nullptr for a window that is not there, and never raise.
HDC GetDC(HWND hWnd);
HDC GetWindowDC(HWND hWnd);
int ReleaseDC(HWND hWnd, HDC hDC);

HWND SetCapture(HWND hWnd);  // returns the previous capture window
BOOL ReleaseCapture();
HWND GetCapture();
BOOL GetCursorPos(POINT* lpPoint);
BOOL SetCursorPos(int X, int Y);

// Window timers: WM_TIMER with the id arrives through the application's queue every uElapse milliseconds.
UINT SetTimer(HWND hWnd, UINT nIDEvent, UINT uElapse, void* lpTimerFunc);  // 0 for an unknown window
BOOL KillTimer(HWND hWnd, UINT uIDEvent);

// A window's own scroll bars. They move only by these calls; the user's actions on them arrive as
// WM_HSCROLL/WM_VSCROLL with a request code (low word) and, for the thumb, its position (high word).
constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_BOTH = 3;
constexpr Word SB_LINEUP = 0;
constexpr Word SB_LINELEFT = 0;
constexpr Word SB_LINEDOWN = 1;
constexpr Word SB_LINERIGHT = 1;
constexpr Word SB_PAGEUP = 2;
constexpr Word SB_PAGELEFT = 2;
constexpr Word SB_PAGEDOWN = 3;
constexpr Word SB_PAGERIGHT = 3;
constexpr Word SB_THUMBPOSITION = 4;
constexpr Word SB_THUMBTRACK = 5;
constexpr Word SB_TOP = 6;
constexpr Word SB_LEFT = 6;
constexpr Word SB_BOTTOM = 7;
constexpr Word SB_RIGHT = 7;
constexpr Word SB_ENDSCROLL = 8;
constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};
// A bar shows while its range holds more than one page (or while SIF_DISABLENOSCROLL keeps it); the
// position stays within nMin .. nMax - max(nPage - 1, 0). Returns the new position.
int SetScrollInfo(HWND hWnd, int nBar, const SCROLLINFO* lpsi, BOOL bRedraw);
BOOL GetScrollInfo(HWND hWnd, int nBar, SCROLLINFO* lpsi);
int SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw);  // returns the previous position
int GetScrollPos(HWND hWnd, int nBar);
BOOL SetScrollRange(HWND hWnd, int nBar, int nMinPos, int nMaxPos, BOOL bRedraw);
BOOL ShowScrollBar(HWND hWnd, int wBar, BOOL bShow);

// Cursors: the program's own drawings, "CUR" resources named by number, and the one cursor shown.
VCL_DECLARE_HANDLE(HCURSOR);
// The module's cursor resource (MAKEINTRESOURCE(n) names the resource "n"), the same handle every time;
// nullptr when the module has no such cursor.
HCURSOR LoadCursor(HINSTANCE hInstance, const char* lpCursorName);
#define LoadCursorA LoadCursor
// Shows hCursor over every window until another is set; nullptr gives each window its own cursor back.
// Returns the cursor set before (nullptr: the windows' own). A handle that is no cursor changes nothing.
HCURSOR SetCursor(HCURSOR hCursor);
HCURSOR GetCursor();

BOOL MessageBeep(UINT uType);  // silent; Testing::MessageBeepCount counts the calls

// Pop-up menus made item by item. TrackPopupMenu shows the menu as a TPopupMenu would (its chooser seam
// answers in tests) and posts the chosen item's id to hWnd as WM_COMMAND (id in the low word, lParam 0).
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
HMENU CreatePopupMenu();
// MF_BYPOSITION: before the item at uPosition, at the end when there is none (0xFFFFFFFF); otherwise before
// the item whose id is uPosition. FALSE for an unknown menu or item.
BOOL InsertMenu(HMENU hMenu, UINT uPosition, UINT uFlags, std::uintptr_t uIDNewItem, const char* lpNewItem);
BOOL AppendMenu(HMENU hMenu, UINT uFlags, std::uintptr_t uIDNewItem, const char* lpNewItem);
BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int nReserved, HWND hWnd, const RECT* prcRect);
BOOL DestroyMenu(HMENU hMenu);
int GetMenuItemCount(HMENU hMenu);  // -1 for an unknown menu
#define InsertMenuA InsertMenu
#define AppendMenuA AppendMenu

// ---------------------------------------------------------------------------
// Message boxes (recorded instead of shown under the test seam of Testing.h)

constexpr UINT MB_OK = 0x00;
constexpr UINT MB_OKCANCEL = 0x01;
constexpr UINT MB_ABORTRETRYIGNORE = 0x02;
constexpr UINT MB_YESNOCANCEL = 0x03;
constexpr UINT MB_YESNO = 0x04;
constexpr UINT MB_RETRYCANCEL = 0x05;
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONSTOP = 0x10;
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONWARNING = 0x30;
constexpr UINT MB_ICONASTERISK = 0x40;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr UINT MB_DEFBUTTON1 = 0x000;
constexpr UINT MB_DEFBUTTON2 = 0x100;
constexpr UINT MB_DEFBUTTON3 = 0x200;
constexpr UINT MB_APPLMODAL = 0x0000;
constexpr UINT MB_TASKMODAL = 0x2000;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

int MessageBox(HWND hWnd, const char* lpText, const char* lpCaption, UINT uType);
#define MessageBoxA MessageBox

// ---------------------------------------------------------------------------
// Time

DWORD GetTickCount();  // milliseconds from the injectable clock
DWORD GetCurrentProcessId();
UINT GetDoubleClickTime();  // the most milliseconds between the two presses of a double click

// File times: 100-nanosecond intervals since 1601-01-01, in UTC or, after FileTimeToLocalFileTime,
// in the local time zone (the C library's, with the offset in force at that moment).
struct _FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};
using FILETIME = _FILETIME;

struct _SYSTEMTIME {
    Word wYear;
    Word wMonth;
    Word wDayOfWeek;  // 0 Sunday .. 6 Saturday
    Word wDay;
    Word wHour;
    Word wMinute;
    Word wSecond;
    Word wMilliseconds;
};
using SYSTEMTIME = _SYSTEMTIME;

BOOL FileTimeToLocalFileTime(const FILETIME* lpFileTime, FILETIME* lpLocalFileTime);
BOOL LocalFileTimeToFileTime(const FILETIME* lpLocalFileTime, FILETIME* lpFileTime);
// Fails for times at or past 2^63 intervals, as Win32 does.
BOOL FileTimeToSystemTime(const FILETIME* lpFileTime, SYSTEMTIME* lpSystemTime);
// Fails for fields outside their ranges or years outside 1601..30827.
BOOL SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, FILETIME* lpFileTime);

// ---------------------------------------------------------------------------
// Registry: a store of keys and their values in a file of the user's configuration folder
// ($XDG_CONFIG_HOME or ~/.config, then halcyra/registry). Built-in defaults answer until the file
// gives the key another value: ".htm" under HKEY_CLASSES_ROOT leads to the desktop's URL opener.
// Key and value names compare without case.

using REGSAM = DWORD;
using BYTE = std::uint8_t;
struct _SECURITY_ATTRIBUTES;  // ignored: the store has no access control
using LPSECURITY_ATTRIBUTES = _SECURITY_ATTRIBUTES*;

inline const HKEY HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(std::uintptr_t{0x80000000});
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(std::uintptr_t{0x80000001});
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(std::uintptr_t{0x80000002});
inline const HKEY HKEY_USERS = reinterpret_cast<HKEY>(std::uintptr_t{0x80000003});

constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_PATH_NOT_FOUND = 3;
constexpr LONG ERROR_ACCESS_DENIED = 5;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr LONG ERROR_BAD_FORMAT = 11;
constexpr LONG ERROR_INVALID_DATA = 13;
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_MORE_DATA = 234;

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;
constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;
// The value types the store keeps.
constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;

// Opens an existing key (one that was created, holds a value or has keys below it).
LONG RegOpenKeyExA(HKEY hKey, const char* lpSubKey, DWORD ulOptions, REGSAM samDesired, HKEY* phkResult);
// Opens hKey\lpSubKey, creating it and the keys above it; *lpdwDisposition (when given) says which.
// Names holding a tab or a line break are refused (ERROR_INVALID_PARAMETER).
LONG RegCreateKeyExA(HKEY hKey, const char* lpSubKey, DWORD Reserved, char* lpClass, DWORD dwOptions, REGSAM samDesired,
                     LPSECURITY_ATTRIBUTES lpSecurityAttributes, HKEY* phkResult, DWORD* lpdwDisposition);
// The default value of hKey\lpSubKey (lpSubKey may be null or empty): *lpcbData is the buffer's size in,
// the value's size with its terminating zero out; a key without a value reads as "".
LONG RegQueryValueA(HKEY hKey, const char* lpSubKey, char* lpData, LONG* lpcbData);
// The value lpValueName of hKey (null or "" for the default value): its type and its data, with
// *lpcbData the buffer's size in and the data's size out (a string's with its terminating zero);
// ERROR_MORE_DATA leaves a buffer too small alone. ERROR_FILE_NOT_FOUND when the value is absent.
LONG RegQueryValueExA(HKEY hKey, const char* lpValueName, DWORD* lpReserved, DWORD* lpType, BYTE* lpData,
                      DWORD* lpcbData);
// Sets the default value of hKey\lpSubKey, creating the key; dwType must be REG_SZ.
LONG RegSetValueA(HKEY hKey, const char* lpSubKey, DWORD dwType, const char* lpData, DWORD cbData);
// Sets the value lpValueName of hKey (null or "" for the default value) to cbData bytes of lpData; a
// string ends at its first zero. dwType must be one of the REG_ types above.
LONG RegSetValueExA(HKEY hKey, const char* lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData, DWORD cbData);
LONG RegCloseKey(HKEY hKey);
// Test seam: keep the store, and the INI files named without a folder, in Folder instead of the user's
// configuration folder; "" returns to it.
void SetRegistryFolderForTest(const AnsiString& Folder);
AnsiString RegistryFilePath();

// The longest path the platform's fixed buffers take, terminating zero included.
constexpr int MAX_PATH = 260;

// ---------------------------------------------------------------------------
// Collation: one word sort for every locale (AnsiCompareStr's), UTF-16 characters outside Windows-1252
// after all others, by their case folding, then by code point.

using LCID = DWORD;
constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;
constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr DWORD NORM_IGNORECASE = 0x00000001;
constexpr int CSTR_LESS_THAN = 1;
constexpr int CSTR_EQUAL = 2;
constexpr int CSTR_GREATER_THAN = 3;
// A count of -1 reads up to the terminating zero. 0 for a negative count other than -1, a null string
// with a count, or a flag other than NORM_IGNORECASE.
int CompareStringA(LCID Locale, DWORD dwCmpFlags, const char* lpString1, int cchCount1, const char* lpString2,
                   int cchCount2);
int CompareStringW(LCID Locale, DWORD dwCmpFlags, const WideChar* lpString1, int cchCount1, const WideChar* lpString2,
                   int cchCount2);

// ---------------------------------------------------------------------------
// Starting programs. No shell is involved: the command line is cut into arguments by the Windows
// rules and the program runs with exactly those. The show command has no meaning here.

// Results below 32 are failures (ERROR_FILE_NOT_FOUND, ERROR_BAD_FORMAT, ...); 33 means started.
UINT WinExec(const char* lpCmdLine, UINT uCmdShow);
// The program name runs to the next blank, or between double quotes as written; the arguments after it
// follow the C run time's rules: quotes group, "" inside quotes is a quote, 2n backslashes before a quote
// are n backslashes, 2n+1 are n and a literal quote, other backslashes stand as they are.
std::vector<AnsiString> SplitCommandLine(const AnsiString& CommandLine);
// Arg written so that SplitCommandLine gives it back whole and unchanged as an argument after the program
// name: as it is when it holds no blank, tab or quote and is not empty, otherwise quoted with the
// backslashes before quotes doubled.
AnsiString QuoteCommandLineArgument(const AnsiString& Arg);
// How a program ended: its exit status (0: success); a program ended by a signal reports 128 plus the
// signal's number.
using TProgramExitEvent = std::function<void(int ExitStatus)>;
// WinExec that also reports the program's end: OnExit runs on the GUI thread from the event loop, which
// never waits for the program, and an exception from it goes to Application->HandleException. Nothing is
// reported for a start that failed (a result below 32).
UINT WinExecWatched(const char* lpCmdLine, UINT uCmdShow, TProgramExitEvent OnExit);
// Test seam: while set, WinExec hands the argument vector to Launcher and returns its result instead
// of starting anything; the launcher may report the pretended program's end through Exited, from any
// thread and at any time (the first report counts). An empty function starts programs again.
using TWinExecLauncher =
    std::function<UINT(const std::vector<AnsiString>& Argv, UINT uCmdShow, TProgramExitEvent Exited)>;
void SetWinExecLauncherForTest(TWinExecLauncher Launcher);

// ===========================================================================
// System services: result codes, the version answer, run-time libraries, global memory and the
// clipboard's Win32 calls. One answer for every caller; each has a test seam.

// ---------------------------------------------------------------------------
// Result codes

using HRESULT = std::int32_t;
using ULONG = std::uint32_t;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005);
constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFF);
constexpr HRESULT E_HANDLE = static_cast<HRESULT>(0x80070006);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000E);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057);
constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }

// ---------------------------------------------------------------------------
// Version: Windows NT 5.1 build 2600 unless the test seam says otherwise.

constexpr DWORD VER_PLATFORM_WIN32s = 0;
constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr DWORD VER_PLATFORM_WIN32_NT = 2;
constexpr Byte VER_NT_WORKSTATION = 1;

struct OSVERSIONINFO {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    char szCSDVersion[128];
};
using OSVERSIONINFOA = OSVERSIONINFO;
using TOSVersionInfo = OSVERSIONINFO;

struct OSVERSIONINFOEX : OSVERSIONINFO {
    Word wServicePackMajor;
    Word wServicePackMinor;
    Word wSuiteMask;
    Byte wProductType;
    Byte wReserved;
};
using OSVERSIONINFOEXA = OSVERSIONINFOEX;
static_assert(sizeof(OSVERSIONINFO) == 148 && sizeof(OSVERSIONINFOEX) == 156);

// dwOSVersionInfoSize must be 148 (OSVERSIONINFO) or 156 (OSVERSIONINFOEX); otherwise FALSE.
BOOL GetVersionEx(OSVERSIONINFO* lpVersionInformation);
#define GetVersionExA GetVersionEx
// The run-time library's copy of the version answer.
Integer Win32Platform();
Integer Win32MajorVersion();
Integer Win32MinorVersion();
// The version answer is of the NT family at 5.1 or later (visual styles, drop shadows).
bool IsNTFiveOneOrLater();
// Test seam: another version answer for every caller, or back to NT 5.1 build 2600.
void SetWindowsVersionForTest(DWORD Platform, DWORD Major, DWORD Minor, DWORD Build);
void ResetWindowsVersion();

// ---------------------------------------------------------------------------
// Run-time libraries: one built-in module map ("uxtheme.dll", "msimg32.dll", "comctl32.dll").
// Module names match without case (".dll" may be left out), export names exactly. Each module has
// a fixed pseudo handle at or above 0x10000 whose loads are counted; its code never goes away, so a
// fetched entry point stays callable. "uxtheme.dll" is there only while the version answer is
// NT 5.1 or later; "comctl32.dll" is loaded from the start, as a library the program links.

using FARPROC = void (*)();

HMODULE LoadLibrary(const char* lpLibFileName);  // nullptr when the module is absent
BOOL FreeLibrary(HMODULE hLibModule);            // FALSE when the handle holds no load
FARPROC GetProcAddress(HMODULE hModule, const char* lpProcName);
HMODULE GetModuleHandle(const char* lpModuleName);  // nullptr unless loaded
#define LoadLibraryA LoadLibrary
#define GetModuleHandleA GetModuleHandle

// "comctl32.dll" exports DllGetVersion: 6.0.2600.
struct DLLVERSIONINFO {
    DWORD cbSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformID;
};
constexpr DWORD DLLVER_PLATFORM_WINDOWS = 1;
constexpr DWORD DLLVER_PLATFORM_NT = 2;
using DLLGETVERSIONPROC = HRESULT (*)(DLLVERSIONINFO* pdvi);

// "msimg32.dll" exports GradientFill, which answers FALSE.
using COLOR16 = Word;
struct TRIVERTEX {
    LONG x;
    LONG y;
    COLOR16 Red;
    COLOR16 Green;
    COLOR16 Blue;
    COLOR16 Alpha;
};
struct GRADIENT_RECT {
    ULONG UpperLeft;
    ULONG LowerRight;
};
constexpr ULONG GRADIENT_FILL_RECT_H = 0;
constexpr ULONG GRADIENT_FILL_RECT_V = 1;
constexpr ULONG GRADIENT_FILL_TRIANGLE = 2;
using GRADIENTFILLPROC = BOOL (*)(HDC hdc, TRIVERTEX* pVertex, ULONG nVertex, void* pMesh, ULONG nMesh, ULONG ulMode);

// Flat scroll bars: "comctl32.dll" exports none of these, so callers that look them up keep the window's
// own bars. The signatures and property indices are those a caller fetches them with.
using INITIALIZEFLATSBPROC = BOOL (*)(HWND hWnd);
using UNINITIALIZEFLATSBPROC = HRESULT (*)(HWND hWnd);
using FLATSBSETSCROLLINFOPROC = int (*)(HWND hWnd, int nBar, SCROLLINFO* lpsi, BOOL bRedraw);
using FLATSBSETSCROLLPROPPROC = BOOL (*)(HWND hWnd, UINT Index, std::intptr_t NewValue, BOOL bRedraw);
using FLATSBSHOWSCROLLBARPROC = BOOL (*)(HWND hWnd, int nBar, BOOL bShow);
constexpr UINT WSB_PROP_CYHSCROLL = 0x0004;
constexpr UINT WSB_PROP_CXVSCROLL = 0x0008;
constexpr UINT WSB_PROP_VBKGCOLOR = 0x0040;
constexpr UINT WSB_PROP_HBKGCOLOR = 0x0080;
constexpr UINT WSB_PROP_VSTYLE = 0x0100;
constexpr UINT WSB_PROP_HSTYLE = 0x0200;
constexpr int FSB_REGULAR_MODE = 0;
constexpr int FSB_ENCARTA_MODE = 1;
constexpr int FSB_FLAT_MODE = 2;

// Test seams: a module absent, an export missing, an export added (nullptr takes it away again); Reset
// restores the map and its load counts.
void SetModuleAbsentForTest(const AnsiString& Module, bool Absent);
void SetExportMissingForTest(const AnsiString& Module, const AnsiString& Export, bool Missing);
void SetExportForTest(const AnsiString& Module, const AnsiString& Export, FARPROC Address);
void ResetModulesForTest();

// ---------------------------------------------------------------------------
// Global memory: blocks behind checked handles. Every block starts zeroed; a lock gives its bytes,
// GlobalSize their number. Unknown handles fail (nullptr / 0 / FALSE).

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GMEM_SHARE = 0x2000;
constexpr UINT GMEM_DDESHARE = 0x2000;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;

HGLOBAL GlobalAlloc(UINT uFlags, std::size_t dwBytes);  // nullptr when there is no memory for it
void* GlobalLock(HGLOBAL hMem);                         // nullptr for an empty block
BOOL GlobalUnlock(HGLOBAL hMem);                        // TRUE while still locked
std::size_t GlobalSize(HGLOBAL hMem);
HGLOBAL GlobalFree(HGLOBAL hMem);  // nullptr on success, else hMem
// Test seams: blocks allocated and not yet freed; GlobalAlloc failing.
std::size_t GlobalBlockCountForTest();
void SetGlobalAllocFailsForTest(bool Fails);

// ---------------------------------------------------------------------------
// Resources of the program's module: the tables given to RegisterResources (Resources.h), names without
// case. RT_RCDATA resources are the files under resources/rcdata/, named without their extension.

VCL_DECLARE_HANDLE(HRSRC);
extern const HINSTANCE HInstance;  // the program's module

inline const char* MAKEINTRESOURCE(Word Id) { return reinterpret_cast<const char*>(static_cast<std::uintptr_t>(Id)); }
inline bool IS_INTRESOURCE(const char* Name) { return reinterpret_cast<std::uintptr_t>(Name) <= 0xFFFF; }
inline const char* const RT_RCDATA = MAKEINTRESOURCE(10);

// nullptr unless hModule is HInstance or nullptr and the resource exists; a type is RT_RCDATA or a name.
HRSRC FindResource(HMODULE hModule, const char* lpName, const char* lpType);
HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo);  // nullptr for an unknown hResInfo
const void* LockResource(HGLOBAL hResData);             // the bytes; nullptr for an unknown handle
DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo);  // 0 for an unknown hResInfo
#define FindResourceA FindResource

// ---------------------------------------------------------------------------
// Clipboard: the open state and the process-wide table of registered formats (0xC000 upwards, names
// without case). The contents are Qt's clipboard (Clipbrd.h), never the X11 selection.

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_BITMAP = 2;
constexpr UINT CF_OEMTEXT = 7;
constexpr UINT CF_UNICODETEXT = 13;
constexpr UINT CF_HDROP = 15;
constexpr UINT CF_LOCALE = 16;

// Fails while another window holds the clipboard open. What one opening writes reaches the clipboard
// as it closes.
BOOL OpenClipboard(HWND hWndNewOwner);
BOOL CloseClipboard();
// The open clipboard: emptied; given a block of one format (the clipboard then owns it and frees it as
// it closes; nullptr for a closed clipboard, an empty block or a format it cannot carry); read as a copy
// of exact size that the clipboard frees as it closes (texts zero-terminated; nullptr when absent).
BOOL EmptyClipboard();
HGLOBAL SetClipboardData(UINT uFormat, HGLOBAL hMem);
HGLOBAL GetClipboardData(UINT uFormat);
// The same id for the same name in any letter case; 0 for an empty name or a full table.
UINT RegisterClipboardFormat(const char* lpszFormat);
// The registered name of a format, cut to cchMaxCount - 1 characters; 0 for a predefined or unknown id.
int GetClipboardFormatName(UINT format, char* lpszFormatName, int cchMaxCount);
BOOL IsClipboardFormatAvailable(UINT format);
#define RegisterClipboardFormatA RegisterClipboardFormat
#define GetClipboardFormatNameA GetClipboardFormatName
// Test seams: OpenClipboard fails while set; after SucceedingOpensFirst more opens one fails.
void SetOpenClipboardFailsForTest(bool Fails);
void FailOpenClipboardOnceForTest(int SucceedingOpensFirst = 0);

// ---------------------------------------------------------------------------
// Code pages: the OEM code page is 437; characters Windows-1252 lacks become '?'.

// Converts the NUL-terminated lpszSrc into lpszDst (which may be the same buffer).
BOOL OemToCharA(const char* lpszSrc, char* lpszDst);

// ---------------------------------------------------------------------------
// File version resources, answered from the built-in module map: "comctl32.dll" carries 6.0.2600.0,
// every other file none.

struct VS_FIXEDFILEINFO {
    DWORD dwSignature;  // 0xFEEF04BD
    DWORD dwStrucVersion;
    DWORD dwFileVersionMS;  // major in the high word, minor in the low word
    DWORD dwFileVersionLS;  // release in the high word, build in the low word
    DWORD dwProductVersionMS;
    DWORD dwProductVersionLS;
    DWORD dwFileFlagsMask;
    DWORD dwFileFlags;
    DWORD dwFileOS;
    DWORD dwFileType;
    DWORD dwFileSubtype;
    DWORD dwFileDateMS;
    DWORD dwFileDateLS;
};
constexpr DWORD VS_FFI_SIGNATURE = 0xFEEF04BD;

// The bytes a version block needs (0 without version information); *lpdwHandle becomes 0.
DWORD GetFileVersionInfoSizeA(const char* lptstrFilename, DWORD* lpdwHandle);
// Copies at most dwLen bytes of the block into lpData; FALSE without version information.
BOOL GetFileVersionInfoA(const char* lptstrFilename, DWORD dwHandle, DWORD dwLen, void* lpData);
// The root block "\" gives the fixed file information inside pBlock; other blocks FALSE.
BOOL VerQueryValueA(const void* pBlock, const char* lpSubBlock, void** lplpBuffer, UINT* puLen);
// Test seam: a file's version (Major.Minor.Release.Build), or none (Present false); Reset restores the map.
void SetFileVersionForTest(const AnsiString& FileName, bool Present, Word Major = 0, Word Minor = 0, Word Release = 0,
                           Word Build = 0);
void ResetFileVersionsForTest();

// ---------------------------------------------------------------------------
// System parameters and other programs' windows

constexpr UINT SPI_GETWHEELSCROLLLINES = 0x0068;
// SPI_GETWHEELSCROLLLINES writes 3 into the UINT at pvParam; every other action answers FALSE.
BOOL SystemParametersInfo(UINT uiAction, UINT uiParam, void* pvParam, UINT fWinIni);
#define SystemParametersInfoA SystemParametersInfo
// A form of this program with a window, by class name and caption (nullptr matches any); no other
// program's windows are seen.
HWND FindWindowA(const char* lpClassName, const char* lpWindowName);
// Ids 0xC000 upwards from the table registered clipboard formats share, as the system's atoms do; 0 for
// an empty name.
UINT RegisterWindowMessageA(const char* lpString);

// ---------------------------------------------------------------------------
// File attributes

constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;
constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x00000001;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x00000002;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x00000010;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080;

// A folder, or a file (hidden when its name starts with "."; read-only when its owner may not write
// it; else normal); INVALID_FILE_ATTRIBUTES for a name that names nothing. A name found only without
// letter case counts (CaselessPath).
DWORD GetFileAttributesA(const char* lpFileName);
#define GetFileAttributes GetFileAttributesA

// ---------------------------------------------------------------------------
// Unicode windows. A window made from a window class whose name ends in ".UnicodeClass" is a Unicode
// window: its text (and a combo's items) are UTF-16 in the window, ANSI calls and messages convert them
// (Windows-1252, '?' for what it lacks), and WM_CHAR reaches it with the UTF-16 unit. Other windows hold
// single-byte text; a W call on them converts.

BOOL IsWindowUnicode(HWND hWnd);
int GetWindowTextLengthW(HWND hWnd);
int GetWindowTextW(HWND hWnd, WideChar* lpString, int nMaxCount);
// Goes through the window's messages as WM_SETTEXT does; the window keeps the UTF-16 text.
BOOL SetWindowTextW(HWND hWnd, const WideChar* lpString);
// The text messages (WM_SETTEXT, WM_GETTEXT, WM_GETTEXTLENGTH) and the combo's item messages
// (CB_ADDSTRING, CB_INSERTSTRING, CB_GETLBTEXT, CB_GETLBTEXTLEN, CB_FINDSTRINGEXACT) with UTF-16 text;
// every other message as SendMessage.
LRESULT SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);

// Global atoms: names without case, counted references; 0xC000 upwards.
ATOM GlobalAddAtomA(const char* lpString);
ATOM GlobalFindAtomA(const char* lpString);
ATOM GlobalDeleteAtom(ATOM nAtom);  // 0 on success, else nAtom
inline const char* MAKEINTATOM(ATOM Atom) { return MAKEINTRESOURCE(Atom); }

// Window properties, by name or by atom (MAKEINTATOM); they go with the window.
using HANDLE = void*;
BOOL SetPropA(HWND hWnd, const char* lpString, HANDLE hData);
HANDLE GetPropA(HWND hWnd, const char* lpString);
HANDLE RemovePropA(HWND hWnd, const char* lpString);

// The input method: the result of a composition the window received (WM_IME_COMPOSITION with
// GCS_RESULTSTR) reads from the window's input context.
VCL_DECLARE_HANDLE(HIMC);
constexpr DWORD GCS_RESULTSTR = 0x0800;
HIMC ImmGetContext(HWND hWnd);  // nullptr for an unknown window
BOOL ImmReleaseContext(HWND hWnd, HIMC hIMC);
// GCS_RESULTSTR: the result's bytes (copied into lpBuf when dwBufLen holds them); negative otherwise.
LONG ImmGetCompositionStringW(HIMC hIMC, DWORD dwIndex, void* lpBuf, DWORD dwBufLen);
constexpr LONG IMM_ERROR_GENERAL = -2;
