#pragma once
// Windows that are no controls of the program (the shell's folder dialog): they get a handle from the
// same window table, so SendMessage, GetWindowRect, SetWindowPos and IsWindow reach them.

#include "vcl/Windows.h"

class TForeignWindow {
public:
    virtual ~TForeignWindow() = default;
    virtual LRESULT Message(UINT Msg, WPARAM WParam, LPARAM LParam) = 0;
    virtual TRect ScreenBounds() const = 0;
    virtual void MoveTo(int X, int Y) = 0;
};

// Gives Window a handle for as long as the registration lives.
class TForeignWindowHandle {
public:
    explicit TForeignWindowHandle(TForeignWindow& Window);
    ~TForeignWindowHandle();
    TForeignWindowHandle(const TForeignWindowHandle&) = delete;
    TForeignWindowHandle& operator=(const TForeignWindowHandle&) = delete;
    HWND Handle() const { return handle_; }

private:
    HWND handle_;
};

TForeignWindow* FindForeignWindow(HWND Handle);
