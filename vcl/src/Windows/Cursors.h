#pragma once
// Internal: the windowing system's side of the one cursor shown over every window.
#include <cstddef>

#include "vcl/Windows.h"

// The handle of a system cursor (a TCursor from crDefault down); any other number gives crDefault's.
HCURSOR StockCursor(int Cursor);
// False for a handle that is no system cursor.
bool StockCursorOf(HCURSOR Handle, int& Cursor);

// Shows the cursor file's image (one image with its hot spot) over every window; nullptr gives each
// window its own cursor back (vcl/src/qt/CursorsQt.cpp).
void ShowCursorImage(const unsigned char* Data, std::size_t Size);
// Shows a system cursor (a TCursor) over every window, as ShowCursorImage does.
void ShowStockCursor(int Cursor);
