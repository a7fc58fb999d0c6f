// The drawing core every GDI call shares: painter set-up, raster modes, brushes and thin dashed lines.
#include "qt/GdiPaint.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "qt/QtGraphics.h"
#include "qt/Surface.h"

TRasterMode RasterModeOf(int Rop2) {
    using M = QPainter::CompositionMode;
    TRasterMode r;
    switch (Rop2) {
        case R2_BLACK:
            r.Color = QColor(0, 0, 0);
            r.Mode = M::CompositionMode_Source;
            break;
        case R2_WHITE:
            r.Color = QColor(255, 255, 255);
            r.Mode = M::CompositionMode_Source;
            break;
        case R2_NOP: r.Skip = true; break;
        case R2_NOT: r.Mode = M::RasterOp_NotDestination; break;
        case R2_NOTCOPYPEN: r.Mode = M::RasterOp_NotSource; break;
        case R2_XORPEN: r.Mode = M::RasterOp_SourceXorDestination; break;
        case R2_NOTXORPEN: r.Mode = M::RasterOp_NotSourceXorDestination; break;
        case R2_MERGEPEN: r.Mode = M::RasterOp_SourceOrDestination; break;
        case R2_MASKPEN: r.Mode = M::RasterOp_SourceAndDestination; break;
        case R2_NOTMERGEPEN: r.Mode = M::RasterOp_NotSourceAndNotDestination; break;
        case R2_NOTMASKPEN: r.Mode = M::RasterOp_NotSourceOrNotDestination; break;
        case R2_MERGEPENNOT: r.Mode = M::RasterOp_SourceOrNotDestination; break;
        case R2_MASKPENNOT: r.Mode = M::RasterOp_SourceAndNotDestination; break;
        case R2_MERGENOTPEN: r.Mode = M::RasterOp_NotSourceOrDestination; break;
        case R2_MASKNOTPEN: r.Mode = M::RasterOp_NotSourceAndDestination; break;
        default: r.Mode = M::CompositionMode_Source; break;
    }
    return r;
}

QColor ToQColorRef(COLORREF Color) { return QColor(GetRValue(Color), GetGValue(Color), GetBValue(Color)); }

std::string HexColor(COLORREF Color) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "$%.8X", static_cast<unsigned>(Color));
    return buffer;
}

std::string RectText(const TRect& R) {
    return std::to_string(R.Left) + "," + std::to_string(R.Top) + "," + std::to_string(R.Right) + "," +
           std::to_string(R.Bottom);
}

// ---------------------------------------------------------------------------

TPoint DeviceOffsetOf(const TCanvasState& State) {
    return {State.ViewportOrg.X - State.WindowOrg.X, State.ViewportOrg.Y - State.WindowOrg.Y};
}

TPoint SurfaceOffsetOf(const TCanvasState& State) {
    TPoint device = DeviceOffsetOf(State);
    return {device.X + State.DeviceOrigin.X, device.Y + State.DeviceOrigin.Y};
}

const QRegion& VisibleRegion(TCanvas& Canvas) {
    TCanvasState& state = TCanvasAccess::State(Canvas);
    const TSurface* surface = Canvas.Surface();
    const QRect rect = surface ? surface->Image().rect() : QRect();
    TCanvasState::TVisibleCache& cache = state.Visible;
    if (cache.ClipSerial == state.ClipSerial && cache.Surface == rect.size()) return cache.Region;
    QRegion visible(rect.translated(-state.DeviceOrigin.X, -state.DeviceOrigin.Y));
    if (state.HasSystemClip) visible &= state.SystemClip;
    if (state.HasClip) visible &= state.Clip;
    cache = {state.ClipSerial, rect.size(), visible};
    return cache.Region;
}

TDcPaint::TDcPaint(HDC DC) : canvas_(DcCanvas(DC)) {
    if (!canvas_) return;
    surface_ = canvas_->Surface();
    if (!surface_ || std::as_const(*surface_).Image().isNull()) return;
    painter_ = &surface_->Painter();
    const TCanvasState& state = TCanvasAccess::State(*canvas_);
    const TPoint offset = Offset();
    TSurface::TPainterSetup& setup = surface_->Setup();
    if (setup.ClipSerial == state.ClipSerial && setup.Offset == offset) return;
    painter_->resetTransform();
    if (state.HasClip || state.HasSystemClip)
        painter_->setClipRegion(VisibleRegion(*canvas_).translated(state.DeviceOrigin.X, state.DeviceOrigin.Y));
    else painter_->setClipping(false);
    painter_->translate(offset.X, offset.Y);
    setup = {state.ClipSerial, offset};
}

TDcPaint::~TDcPaint() {
    if (clipNarrowed_) surface_->Setup() = {};
}

void TDcPaint::IntersectClip(const QRect& Logical) {
    if (!painter_) return;
    painter_->setClipRect(Logical, Qt::IntersectClip);
    clipNarrowed_ = true;
}

TPoint TDcPaint::Offset() const { return SurfaceOffsetOf(TCanvasAccess::State(*canvas_)); }

TPoint TDcPaint::DeviceOffset() const { return DeviceOffsetOf(TCanvasAccess::State(*canvas_)); }

TPoint TDcPaint::ToSurface(TPoint P) const {
    TPoint offset = Offset();
    return {P.X + offset.X, P.Y + offset.Y};
}

TRect TDcPaint::ToSurface(const TRect& R) const {
    TPoint offset = Offset();
    return {R.Left + offset.X, R.Top + offset.Y, R.Right + offset.X, R.Bottom + offset.Y};
}

bool TDcPaint::Visible(TPoint Logical) {
    TPoint offset = DeviceOffset();
    return VisibleRegion(*canvas_).contains(QPoint(Logical.X + offset.X, Logical.Y + offset.Y));
}

void TDcPaint::Dirty(const TRect& Logical) {
    if (!surface_) return;
    TRect r = ToSurface(Logical);
    const TCanvasState& state = TCanvasAccess::State(*canvas_);
    if (state.HasClip || state.HasSystemClip) {
        QRect box = VisibleRegion(*canvas_).boundingRect().translated(state.DeviceOrigin.X, state.DeviceOrigin.Y);
        r = {std::max(r.Left, box.left()), std::max(r.Top, box.top()), std::min(r.Right, box.right() + 1),
             std::min(r.Bottom, box.bottom() + 1)};
    }
    surface_->MarkDirty(r);
}

TGdiPenData TDcPaint::Pen() const {
    TGdiPenData pen;
    PenData(TCanvasAccess::State(*canvas_).Pen, pen);
    return pen;
}

TGdiBrushData TDcPaint::Brush() const {
    TGdiBrushData brush;
    BrushData(TCanvasAccess::State(*canvas_).Brush, brush);
    return brush;
}

TFontDesc TDcPaint::Font() const {
    TFontDesc font;
    FontData(TCanvasAccess::State(*canvas_).Font, font);
    return font;
}

QBrush TDcPaint::ToQBrush(const TGdiBrushData& Brush) {
    static constexpr Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                                 Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
    switch (Brush.Style) {
        case BS_NULL: return Qt::NoBrush;
        case BS_HATCHED: return QBrush(ToQColorRef(Brush.Color), hatches[std::clamp(Brush.Hatch, 0, HS_DIAGCROSS)]);
        case BS_PATTERN:
            if (Brush.Pattern) return QBrush(BitmapImage(*Brush.Pattern));
            return Qt::NoBrush;
        default: return QBrush(ToQColorRef(Brush.Color));
    }
}

void TDcPaint::FillWith(const QRect& Logical, const TGdiBrushData& Brush, const TRasterMode& Rop) {
    if (!Drawable() || Rop.Skip || Brush.Style == BS_NULL || Logical.isEmpty()) return;
    painter_->setCompositionMode(Rop.Mode);
    if (Rop.Color) {
        painter_->fillRect(Logical, *Rop.Color);
        return;
    }
    if (Brush.Style == BS_SOLID) {
        painter_->fillRect(Logical, ToQColorRef(Brush.Color));
        return;
    }
    if (Brush.Style == BS_HATCHED) {
        if (State().BkMode == OPAQUE) painter_->fillRect(Logical, ToQColorRef(State().BkColor));
        if (Rop.Mode == QPainter::CompositionMode_Source)
            painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    painter_->fillRect(Logical, ToQBrush(Brush));
}

namespace {

// Cosmetic dash patterns: alternating on/off run lengths.
const std::vector<int>& DashPattern(int style) {
    static const std::vector<int> solid{};
    static const std::vector<int> dash{18, 6};
    static const std::vector<int> dot{3, 3};
    static const std::vector<int> dashDot{9, 6, 3, 6};
    static const std::vector<int> dashDotDot{9, 3, 3, 3, 3, 3};
    switch (style) {
        case PS_DASH: return dash;
        case PS_DOT: return dot;
        case PS_DASHDOT: return dashDot;
        case PS_DASHDOTDOT: return dashDotDot;
        default: return solid;
    }
}

}  // namespace

void TDcPaint::ThinLine(TPoint A, TPoint B, const TGdiPenData& Pen, const TRasterMode& Rop) {
    if (!Drawable() || Rop.Skip || Pen.Style == PS_NULL) return;
    const std::vector<int>& pattern = DashPattern(Pen.Style);
    // A solid line along an axis is one strip of the same pixels, the end point left out.
    if (pattern.empty() && (A.X == B.X || A.Y == B.Y)) {
        if (A.X == B.X && A.Y == B.Y) return;
        const int left = A.X < B.X ? A.X : A.X > B.X ? B.X + 1 : A.X;
        const int top = A.Y < B.Y ? A.Y : A.Y > B.Y ? B.Y + 1 : A.Y;
        const QRect strip(left, top, std::max(std::abs(B.X - A.X), 1), std::max(std::abs(B.Y - A.Y), 1));
        painter_->setCompositionMode(Rop.Mode);
        painter_->fillRect(strip, Rop.Color ? *Rop.Color : ToQColorRef(Pen.Color));
        return;
    }
    QPolygon on, off;
    int dx = std::abs(B.X - A.X), sx = A.X < B.X ? 1 : -1;
    int dy = -std::abs(B.Y - A.Y), sy = A.Y < B.Y ? 1 : -1;
    int err = dx + dy;
    int x = A.X, y = A.Y;
    std::size_t run = 0;
    int left = pattern.empty() ? 0 : pattern[0];
    while (x != B.X || y != B.Y) {
        (run % 2 == 0 ? on : off).append(QPoint(x, y));
        if (!pattern.empty() && --left == 0) {
            run = (run + 1) % pattern.size();
            left = pattern[run];
        }
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    painter_->setCompositionMode(Rop.Mode);
    painter_->setBrush(Qt::NoBrush);
    painter_->setPen(QPen(Rop.Color ? *Rop.Color : ToQColorRef(Pen.Color), 0));
    painter_->drawPoints(on);
    if (!off.isEmpty() && State().BkMode == OPAQUE) {
        painter_->setPen(QPen(Rop.Color ? *Rop.Color : ToQColorRef(State().BkColor), 0));
        painter_->drawPoints(off);
    }
}
