#pragma once
// Internal: the windowing system's side of the one cursor shown over every window.
#include <cstddef>

// Shows the cursor file's image (one image with its hot spot) over every window; nullptr gives each
// window its own cursor back (vcl/src/qt/CursorsQt.cpp).
void ShowCursorImage(const unsigned char* Data, std::size_t Size);
