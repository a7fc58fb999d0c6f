#pragma once
// Drawing on a device context: with the surface's held painter, set up again for the DC's clipping and
// origin only when they differ from what the painter has.

#include <optional>
#include <string>

#include <QPainter>

#include "qt/CanvasState.h"
#include "qt/GdiObjects.h"

class TSurface;

// How a binary raster operation (R2_) draws with Qt: a composition mode, maybe a fixed colour, or nothing.
struct TRasterMode {
    bool Skip = false;
    std::optional<QColor> Color;
    QPainter::CompositionMode Mode = QPainter::CompositionMode_SourceOver;
};
TRasterMode RasterModeOf(int Rop2);

// Logical to device coordinates of a DC: its viewport origin minus its window origin.
TPoint DeviceOffsetOf(const TCanvasState& State);
// Logical to surface coordinates: the device offset plus where the DC's device origin lies.
TPoint SurfaceOffsetOf(const TCanvasState& State);
// Where a DC can draw at all, in its device coordinates: the system clip, the application clip, the surface.
const QRegion& VisibleRegion(TCanvas& Canvas);

class TDcPaint {
public:
    // Ok() is false for an unknown DC handle; Drawable() also needs a non-empty surface.
    explicit TDcPaint(HDC DC);
    ~TDcPaint();
    TDcPaint(const TDcPaint&) = delete;
    TDcPaint& operator=(const TDcPaint&) = delete;

    bool Ok() const { return canvas_ != nullptr; }
    bool Drawable() const { return painter_ != nullptr; }
    TCanvas& Canvas() { return *canvas_; }
    TCanvasState& State() { return TCanvasAccess::State(*canvas_); }
    QPainter& Painter() { return *painter_; }
    // Narrows the painter's clip to a logical rectangle for this call only.
    void IntersectClip(const QRect& Logical);

    TPoint ToSurface(TPoint P) const;
    TRect ToSurface(const TRect& R) const;
    TPoint Offset() const;        // surface minus logical
    TPoint DeviceOffset() const;  // device minus logical
    // Whether a logical point is on the surface and inside both clips.
    bool Visible(TPoint Logical);
    // Marks the logical rectangle dirty on the surface (clipped to the DC's clips).
    void Dirty(const TRect& Logical);
    // Appends the line Make gives to the canvas's recorder; made only when a recorder is installed.
    template <typename F>
    void Record(F&& Make) {
        if (auto* lines = canvas_->Recorder()) lines->push_back(Make());
    }

    // The selected objects, falling back to the DC defaults when the handle is gone.
    TGdiPenData Pen() const;
    TGdiBrushData Brush() const;
    TFontDesc Font() const;

    // A Qt brush for a GDI brush; hatches get the DC's background when it is opaque.
    QBrush ToQBrush(const TGdiBrushData& Brush);
    // Fills a logical rectangle with a brush under a raster mode; nothing for a null brush.
    void FillWith(const QRect& Logical, const TGdiBrushData& Brush, const TRasterMode& Rop);
    // Plots the pixels of a 1-pixel line from A towards B, leaving B, in the pen's dash pattern.
    void ThinLine(TPoint A, TPoint B, const TGdiPenData& Pen, const TRasterMode& Rop);

private:
    TCanvas* canvas_ = nullptr;
    TSurface* surface_ = nullptr;
    QPainter* painter_ = nullptr;
    bool clipNarrowed_ = false;
};

QColor ToQColorRef(COLORREF Color);
std::string HexColor(COLORREF Color);
std::string RectText(const TRect& R);

// Draws an image scaled into a logical rectangle: blended over the pixels (alpha, transparency) or by a
// source raster operation (SRCCOPY, SRCAND ...). FALSE for an unknown DC or an unsupported operation.
BOOL DrawImageOn(HDC DC, const TRect& Target, const QImage& Image, DWORD Rop, bool Blend);
