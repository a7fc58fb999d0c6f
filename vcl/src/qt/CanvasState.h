#pragma once
// The device-context state behind a canvas's Handle: selected objects, colours, modes, origins, clipping.

#include <cstdint>
#include <vector>

#include <QRegion>

#include "vcl/Graphics.h"
#include "vcl/WinGdi.h"

// A fresh device context's values: the stock objects, black text on an opaque white background, no
// application clip. SaveDC keeps copies of these.
struct TDcValues {
    HGDIOBJ Font = GetStockObject(SYSTEM_FONT);
    HGDIOBJ Pen = GetStockObject(BLACK_PEN);
    HGDIOBJ Brush = GetStockObject(WHITE_BRUSH);
    HBITMAP Bitmap = nullptr;  // memory DCs only
    COLORREF TextColor = 0;
    COLORREF BkColor = 0xFFFFFF;
    int BkMode = OPAQUE;
    int Rop2 = R2_COPYPEN;
    UINT TextAlign = TA_LEFT | TA_TOP;
    TPoint PenPos;
    TPoint WindowOrg;
    TPoint ViewportOrg;
    // The application's clip (SelectClipRgn & co.), in the DC's device coordinates, as set.
    bool HasClip = false;
    QRegion Clip;
};

// A number no clip had before: painters on a surface compare it to know when to set their clip again.
std::uint64_t NewClipSerial();

struct TCanvasState : TDcValues {
    std::vector<TDcValues> Saved;
    // Where the DC's device point 0,0 lies on the surface (a client DC's origin is the client's top left).
    TPoint DeviceOrigin;
    // The system's clip, in device coordinates: what the window lets this DC draw on (the area being
    // painted, the client area). Region calls never change it; drawing stays within both clips.
    bool HasSystemClip = false;
    QRegion SystemClip;
    std::uint64_t ClipSerial = NewClipSerial();  // renewed whenever either clip or the device origin changes
    // Both clips and the surface combined, as last asked for (paint loops ask per cell).
    struct TVisibleCache {
        std::uint64_t ClipSerial = 0;
        QSize Surface;
        QRegion Region;
    } Visible;
    // Whether the canvas's own Font, Pen and Brush are what the DC has selected (as the class library tracks).
    bool FontValid = false;
    bool PenValid = false;
    bool BrushValid = false;
};

// The stand-in's own access to a canvas's protected attachment.
struct TCanvasAccess {
    static TCanvasState& State(TCanvas& Canvas) { return Canvas.State(); }
    static void SetSurface(TCanvas& Canvas, TSurface* Surface) { Canvas.SetSurface(Surface); }
    // A memory DC selecting another bitmap: the DC keeps its state.
    static void SelectSurface(TCanvas& Canvas, TSurface* Surface) { Canvas.SelectSurface(Surface); }
    static void SetDeviceArea(TCanvas& Canvas, TPoint Origin, const TRect& Area) { Canvas.SetDeviceArea(Origin, Area); }
    static void RequiredFont(TCanvas& Canvas) { Canvas.RequiredFont(); }
    static void RequiredPen(TCanvas& Canvas) { Canvas.RequiredPen(); }
    static void RequiredBrush(TCanvas& Canvas) { Canvas.RequiredBrush(); }
};
