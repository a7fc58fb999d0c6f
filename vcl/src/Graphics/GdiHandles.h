#pragma once
// Handles of GDI objects owned by class-library objects (a TFont's HFONT, a TBitmap's HBITMAP).
// The record behind such a handle follows its owner's current state; DeleteObject refuses it.

#include "vcl/Classes.h"

enum class TGdiKind { Font, Pen, Brush, Bitmap, Region, DC, Icon };

void* RegisterOwnedGdiObject(TGdiKind Kind, TObject* Owner);
void UnregisterGdiObject(void* Handle);
