// Backing images for windows and bitmaps.
#include "qt/Surface.h"

#include <algorithm>

#include <QPainter>

namespace {
// Raster operations work on RGB32 and premultiplied ARGB32.
QImage::Format FormatFor(bool hasAlpha) {
    return hasAlpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
}
}  // namespace

TSurface::TSurface(Integer Width, Integer Height, bool HasAlpha)
    : format_(FormatFor(HasAlpha)), image_(std::max(Width, 0), std::max(Height, 0), format_) {
    FillNew(image_);
}

TSurface::~TSurface() { EndPainting(); }

QPainter& TSurface::Painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setRenderHint(QPainter::TextAntialiasing, false);
        setup_ = {};
    }
    return *painter_;
}

void TSurface::EndPainting() {
    painter_.reset();
    setup_ = {};
}

void TSurface::FillNew(QImage& image) const {
    image.fill(format_ != QImage::Format_RGB32 ? QColor(0, 0, 0, 0) : QColor(Qt::white));
}

void TSurface::Resize(Integer Width, Integer Height) {
    Width = std::max(Width, 0);
    Height = std::max(Height, 0);
    if (Width == image_.width() && Height == image_.height()) return;
    EndPainting();
    QImage resized(Width, Height, format_);
    FillNew(resized);
    if (!image_.isNull() && !resized.isNull()) {
        QPainter painter(&resized);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, image_);
    }
    image_ = std::move(resized);
    MarkDirty(Rect(0, 0, Width, Height));
}

void TSurface::Assign(const QImage& Source) {
    EndPainting();
    image_ = Source.convertToFormat(format_);
    MarkDirty(Rect(0, 0, image_.width(), image_.height()));
}

void TSurface::MarkDirty(const TRect& R) {
    TRect clipped{std::max(R.Left, 0), std::max(R.Top, 0), std::min(R.Right, Width()), std::min(R.Bottom, Height())};
    if (clipped.IsEmpty() || !OnDirty) return;
    OnDirty(clipped);
}
