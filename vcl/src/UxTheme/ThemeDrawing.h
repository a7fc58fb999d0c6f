#pragma once
// The themed drawing that needs the windowing system's style (vcl/src/qt/ThemeDrawingQt.cpp).

#include "vcl/UxTheme.h"

// Draws the push button in state PBS_NORMAL, PBS_HOT or PBS_PRESSED over Rect on the device context,
// clipped to Clip when given. False for an unknown device context.
bool DrawPushButtonBackground(HDC DC, int State, const RECT& Rect, const RECT* Clip);
// Draws the combo box's drop-down button in state CBXS_NORMAL, CBXS_HOT or CBXS_PRESSED, as
// DrawPushButtonBackground does.
bool DrawDropDownButtonBackground(HDC DC, int State, const RECT& Rect, const RECT* Clip);
