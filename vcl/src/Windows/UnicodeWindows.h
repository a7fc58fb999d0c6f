#pragma once
// What the standard controls ask of Unicode windows (UnicodeWindows.cpp).

#include "vcl/Types.h"

// The UTF-16 text a W message brings (an item of CB_ADDSTRING, CB_INSERTSTRING or CB_FINDSTRINGEXACT, the
// text of WM_SETTEXT) while its converted form travels as the single-byte message; nullptr when none does.
const WideString* PendingWideItem(HWND Handle);
