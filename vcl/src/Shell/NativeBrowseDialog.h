#pragma once
// The windowing system's folder dialog (vcl/src/qt/BrowseDialogQt.cpp).

#include <functional>

#include "vcl/Windows.h"

struct TBrowseRequest {
    AnsiString Title;
    // Runs once the dialog is on the screen, with the handle it has for SendMessage and SetWindowPos.
    std::function<void(HWND Dialog)> Shown;
};

// The chosen folder; "" when cancelled.
AnsiString ShowBrowseDialog(const TBrowseRequest& Request);
