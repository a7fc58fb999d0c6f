#pragma once
// Bridges between the class library's graphics objects and Qt, for the stand-in's Qt side.
//
// Attaching a canvas to a window's pixels: derive from TCanvas (a control canvas), override the
// protected CreateHandle() to call SetSurface(&theWindowsSurface), and install TSurface::OnDirty on the
// window's surface to schedule the screen update. A canvas without a surface calls CreateHandle()
// the first time it draws. GetDC can hand out such a canvas's Handle(); CanvasFromDC finds it again.

#include <QColor>
#include <QFont>
#include <QImage>

#include "qt/Surface.h"
#include "vcl/Graphics.h"

// The colour as drawn (system colours resolved); clNone gives a transparent colour.
QColor ToQColor(TColor Color);
// The installed family standing in for the font's name, at the font's pixel height and style.
// Made once per font description and kept.
const QFont& ToQFont(const TFontDesc& Font);
inline const QFont& ToQFont(const TFont& Font) { return ToQFont(Font.Desc()); }
inline QImage& BitmapImage(TBitmap& Bitmap) { return Bitmap.Surface().Image(); }

// The canvas behind a device context handle; nullptr for an unknown or deleted handle.
TCanvas* CanvasFromDC(HDC DC);

// Fonts and text need a Qt GUI application; this creates the (widgets) application when there is none yet.
void EnsureQtApplication();
