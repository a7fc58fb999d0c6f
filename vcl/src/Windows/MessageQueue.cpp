// The message pump's calls over the application's posted-message queue.

#include "Controls/Internal.h"
#include "Forms/Access.h"
#include "vcl/Windows.h"

namespace {

bool TakeQueued(MSG& Msg, HWND Window, UINT First, UINT Last, bool Remove) {
    TApplicationAccess::TPosted found{};
    if (!TApplicationAccess::FindPosted(*Application, Window, First, Last, Remove, found)) return false;
    Msg.hwnd = found.Window;
    Msg.message = found.Msg;
    Msg.wParam = found.WParam;
    Msg.lParam = found.LParam;
    Msg.time = GetTickCount();
    POINT cursor{};
    GetCursorPos(&cursor);
    Msg.pt = cursor;
    return true;
}

}  // namespace

BOOL PeekMessage(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
    if (!lpMsg || !Application) return FALSE;
    const bool remove = (wRemoveMsg & PM_REMOVE) != 0;
    if (TakeQueued(*lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, remove)) return TRUE;
    // Input and timers reach the program as window events: let the pending ones run, as the platform's
    // peek dispatches what was sent meanwhile. Not while other messages wait: the loop would deliver
    // them, which a filtered peek never does.
    MSG other{};
    if (TakeQueued(other, nullptr, 0, 0, false)) return FALSE;
    AppLoop::ProcessEvents(false);
    return TakeQueued(*lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, remove) ? TRUE : FALSE;
}

BOOL TranslateMessage(const MSG* lpMsg) {
    if (!lpMsg) return FALSE;
    const UINT m = lpMsg->message;
    return m == WM_KEYDOWN || m == WM_KEYUP || m == WM_SYSKEYDOWN || m == WM_SYSKEYUP ? TRUE : FALSE;
}

LRESULT DispatchMessage(const MSG* lpMsg) {
    if (!lpMsg || !lpMsg->hwnd || !Application) return 0;
    return TApplicationAccess::DeliverOne(*Application, {lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam});
}

void PostQuitMessage(int nExitCode) {
    if (!Application) return;
    TApplicationAccess::PostToQueue(*Application, nullptr, WM_QUIT, static_cast<WPARAM>(nExitCode), 0);
}
