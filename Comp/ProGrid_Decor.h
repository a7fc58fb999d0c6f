#pragma once
// What the grid's cell decorations share: the canvas state a decoration changes and gives back, and glyphs
// drawn without their key colour.

#include "ProGrid.h"
#include "vcl/ScopeGuard.h"

namespace ProGrid::Decor {

// Saves the canvas's pen, brush and font and gives them back when the scope ends, an exception included.
class TSavedCanvas {
public:
    explicit TSavedCanvas(TCanvas* Canvas);
    ~TSavedCanvas();
    TSavedCanvas(const TSavedCanvas&) = delete;
    TSavedCanvas& operator=(const TSavedCanvas&) = delete;

private:
    TCanvas* canvas_;
    TPen pen_;
    TBrush brush_;
    TFont font_;
};

// Bitmap at (X, Y) with the colour of its top-left pixel left out; nothing for nil or an empty bitmap.
void DrawKeyed(TCanvas* Canvas, TBitmap* Bitmap, Integer X, Integer Y);
// The grid's bitmap resource ResName at (X, Y), keyed likewise; nothing when the resource is missing.
void DrawGlyph(TCanvas* Canvas, const char* ResName, Integer X, Integer Y);
}  // namespace ProGrid::Decor
