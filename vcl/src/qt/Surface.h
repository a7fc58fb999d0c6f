#pragma once
// The pixels a canvas draws on: a persistent image per window (or bitmap) that drawing marks dirty,
// so the window machinery can copy the changed part to the screen later.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include <QImage>
#include <QPainter>
#include <QRegion>

#include "vcl/Types.h"

class TSurface {
public:
    // An opaque surface (RGB32) starts white; a surface with alpha (ARGB32) starts transparent.
    TSurface(Integer Width, Integer Height, bool HasAlpha = false);
    TSurface(const TSurface&) = delete;
    TSurface& operator=(const TSurface&) = delete;
    ~TSurface();

    Integer Width() const { return image_.width(); }
    Integer Height() const { return image_.height(); }
    bool HasAlpha() const { return format_ != QImage::Format_RGB32; }
    // The pixels for anyone but the device contexts: drawing through them is over first.
    QImage& Image() {
        EndPainting();
        return image_;
    }
    const QImage& Image() const { return image_; }

    // The painter the device contexts draw with: begun on first use and held over a run of drawing
    // calls (a paint pass), so that each call does not begin and end one. Only for a non-empty image.
    QPainter& Painter();
    void EndPainting();
    // Which clip and origin the painter is set up for: a device context's clip serial and its offset.
    struct TPainterSetup {
        std::uint64_t ClipSerial = 0;
        TPoint Offset;
    };
    TPainterSetup& Setup() { return setup_; }

    // Keeps the old content at the top left; the new area gets the starting colour.
    void Resize(Integer Width, Integer Height);
    // Replaces the pixels (converted to this surface's format) and marks everything dirty.
    void Assign(const QImage& Source);

    // Installed by whoever shows the surface (a control schedules a screen update there).
    std::function<void(const TRect&)> OnDirty;
    // Clips to the surface; nothing happens for an empty rectangle.
    void MarkDirty(const TRect& R);

    // The area its window is painting now (WM_PAINT), nullptr outside painting.
    const QRegion* PaintRegion() const { return paintRegion_ ? &*paintRegion_ : nullptr; }
    void SetPaintRegion(std::optional<QRegion> Region) { paintRegion_ = std::move(Region); }

private:
    void FillNew(QImage& image) const;
    QImage::Format format_;
    QImage image_;
    std::optional<QRegion> paintRegion_;
    std::unique_ptr<QPainter> painter_;
    TPainterSetup setup_;
};
