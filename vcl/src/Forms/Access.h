#pragma once
// The application's message queue as the stand-in reaches it, kept out of the public header.

#include <vcl/Forms.h>

struct TApplicationAccess {
    static void PostToQueue(TApplication& A, HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
        A.PostToQueue(Window, Msg, WParam, LParam);
    }
    static bool DeliverPosted(TApplication& A) { return A.DeliverPosted(); }
};
