#pragma once
// The themed drawing that needs the windowing system's style (vcl/src/qt/ThemeDrawingQt.cpp).

#include <string>

#include "vcl/UxTheme.h"

// What a canvas recorder lists for a theme drawing: "DrawThemeBackground <class> <part> <state> <rect>".
std::string ThemeRecord(const char* Class, int Part, int State, const RECT& Rect);

// Draws the push button in state PBS_NORMAL, PBS_HOT or PBS_PRESSED over Rect on the device context,
// clipped to Clip when given. False for an unknown device context.
bool DrawPushButtonBackground(HDC DC, int State, const RECT& Rect, const RECT* Clip);
// Draws the radio button (BP_RADIOBUTTON) or check box (BP_CHECKBOX) unchecked (state 1), unchecked
// disabled (4), checked (5) or checked disabled (8), as DrawPushButtonBackground does.
bool DrawCheckBackground(HDC DC, int Part, int State, const RECT& Rect, const RECT* Clip);
// Draws the header item in state HIS_NORMAL, HIS_HOT or HIS_PRESSED, as DrawPushButtonBackground does.
bool DrawHeaderItemBackground(HDC DC, int State, const RECT& Rect, const RECT* Clip);
// Draws the empty progress bar (PP_BAR) or a chunk filling Rect (PP_CHUNK), as DrawPushButtonBackground does.
bool DrawProgressBackground(HDC DC, int Part, int State, const RECT& Rect, const RECT* Clip);
// Draws the combo box's drop-down button in state CBXS_NORMAL, CBXS_HOT or CBXS_PRESSED, as
// DrawPushButtonBackground does.
bool DrawDropDownButtonBackground(HDC DC, int State, const RECT& Rect, const RECT* Clip);
// Draws a button of the "spin" class (SPNP_UP, SPNP_DOWN, SPNP_UPHORZ, SPNP_DOWNHORZ) in state UPS_NORMAL,
// UPS_HOT or UPS_PRESSED, as DrawPushButtonBackground does.
bool DrawSpinButtonBackground(HDC DC, int Part, int State, const RECT& Rect, const RECT* Clip);
