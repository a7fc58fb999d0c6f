#pragma once
// The application's message queue as the stand-in reaches it, kept out of the public header.

#include <vcl/Forms.h>

struct TApplicationAccess {
    static void PostToQueue(TApplication& A, HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
        A.PostToQueue(Window, Msg, WParam, LParam);
    }
    static bool DeliverPosted(TApplication& A) { return A.DeliverPosted(); }
    using TPosted = TApplication::TPosted;
    static bool FindPosted(TApplication& A, HWND Window, UINT First, UINT Last, bool Remove, TPosted& Found) {
        return A.FindPosted(Window, First, Last, Remove, Found);
    }
    static LRESULT DeliverOne(TApplication& A, const TPosted& Message) { return A.DeliverOne(Message); }
};
