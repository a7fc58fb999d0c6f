#pragma once
// The pop-up menu as a Qt menu (vcl/src/qt/MenuQt.cpp).

#include "vcl/Menus.h"

// Shows Menu's visible items at the screen position in Font (nullptr: the application's) and returns the
// chosen item (nullptr: dismissed). A Chooser picks the item through the shown menu, as the user's keys
// would.
TMenuItem* ShowPopupMenuWidget(TPopupMenu* Menu, TPoint ScreenPos, const TFont* Font, const TMenuChooser& Chooser);
