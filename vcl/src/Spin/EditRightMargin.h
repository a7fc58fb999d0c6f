#pragma once
// The native edit of a spin edit keeps its text clear of the button (vcl/src/qt/SpinEditPeer.cpp).

#include "vcl/Controls.h"

// Reserves Pixels at the right of Edit's native text area; nothing when it has no peer yet.
void ReserveEditRightMargin(TWinControl* Edit, Integer Pixels);
