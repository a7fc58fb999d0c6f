// Backing images for windows and bitmaps.
#include "qt/Surface.h"

#include <algorithm>

#include <QPainter>

namespace {
QImage::Format FormatFor(bool hasAlpha) { return hasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32; }
}  // namespace

TSurface::TSurface(Integer Width, Integer Height, bool HasAlpha)
    : image_(std::max(Width, 0), std::max(Height, 0), FormatFor(HasAlpha)) {
    FillNew(image_);
}

void TSurface::FillNew(QImage& image) const {
    image.fill(image.hasAlphaChannel() ? QColor(0, 0, 0, 0) : QColor(Qt::white));
}

void TSurface::Resize(Integer Width, Integer Height) {
    Width = std::max(Width, 0);
    Height = std::max(Height, 0);
    if (Width == image_.width() && Height == image_.height()) return;
    QImage resized(Width, Height, image_.format());
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
    image_ = Source.convertToFormat(image_.format());
    MarkDirty(Rect(0, 0, image_.width(), image_.height()));
}

void TSurface::MarkDirty(const TRect& R) {
    TRect clipped{std::max(R.Left, 0), std::max(R.Top, 0), std::min(R.Right, Width()), std::min(R.Bottom, Height())};
    if (clipped.IsEmpty() || !OnDirty) return;
    OnDirty(clipped);
}
