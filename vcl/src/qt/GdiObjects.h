#pragma once
// The handle table behind HDC, HFONT, HPEN, HBRUSH, HBITMAP, HRGN and HICON, and the records they stand for.

#include <memory>

#include <QRegion>

#include "Graphics/GdiHandles.h"
#include "vcl/Graphics.h"

struct TGdiPenData {
    int Style = PS_SOLID;
    int Width = 1;
    COLORREF Color = 0;
};

struct TGdiBrushData {
    UINT Style = BS_SOLID;
    COLORREF Color = 0xFFFFFF;
    int Hatch = 0;
    TBitmap* Pattern = nullptr;
};

struct TGdiObject {
    TGdiKind Kind = TGdiKind::Font;
    bool Stock = false;        // never deleted
    TObject* Owner = nullptr;  // a class-library object whose state the record follows
    TFontDesc Font;
    TGdiPenData Pen;
    TGdiBrushData Brush;
    QRegion Region;
    std::unique_ptr<TBitmap> OwnedBitmap;  // CreateCompatibleBitmap
    std::unique_ptr<TCanvas> OwnedCanvas;  // CreateCompatibleDC
    int SelectCount = 0;                   // bitmaps: memory DCs that hold it
    int SysColor = -1;                     // brushes of GetSysColorBrush follow the system colour table
};

// nullptr when the handle is unknown or of another kind.
TGdiObject* FindGdiObject(const void* Handle, TGdiKind Kind);
TGdiObject* FindGdiObject(const void* Handle);
void* AddGdiObject(std::unique_ptr<TGdiObject> Object);

// The records as drawing needs them, resolved from owners; false for an unknown handle.
bool FontData(const void* Handle, TFontDesc& Font);
bool PenData(const void* Handle, TGdiPenData& Pen);
bool BrushData(const void* Handle, TGdiBrushData& Brush);
TBitmap* BitmapOf(const void* Handle);
// The canvas behind a DC handle; nullptr when unknown.
TCanvas* DcCanvas(HDC DC);
// A system colour brush handle ((HBRUSH)(COLOR_x + 1)) maps to its colour.
bool SysColorBrushIndex(const void* Handle, int& Index);

// A bitmap going away: memory DCs that hold it fall back to their own 1x1 bitmap.
void ReleaseBitmapSelections(const void* Handle);
