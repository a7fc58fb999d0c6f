// Bit-block transfers between device contexts and pattern fills.
#include <optional>

#include "qt/GdiPaint.h"
#include "qt/Surface.h"

namespace {

std::optional<QPainter::CompositionMode> SourceMode(DWORD rop) {
    using M = QPainter::CompositionMode;
    switch (rop) {
        case SRCCOPY: return M::CompositionMode_Source;
        case SRCPAINT: return M::RasterOp_SourceOrDestination;
        case SRCAND: return M::RasterOp_SourceAndDestination;
        case SRCINVERT: return M::RasterOp_SourceXorDestination;
        case SRCERASE: return M::RasterOp_SourceAndNotDestination;
        case NOTSRCCOPY: return M::RasterOp_NotSource;
        case NOTSRCERASE: return M::RasterOp_NotSourceAndNotDestination;
        case MERGEPAINT: return M::RasterOp_NotSourceOrDestination;
        default: return std::nullopt;
    }
}

bool IsPatternRop(DWORD rop) {
    return rop == PATCOPY || rop == PATINVERT || rop == DSTINVERT || rop == BLACKNESS || rop == WHITENESS;
}

// The source pixels of a logical rectangle of a DC, copied (so a DC may blit onto itself).
std::optional<QImage> SourcePixels(HDC hdcSrc, int x, int y, int w, int h) {
    TCanvas* source = DcCanvas(hdcSrc);
    if (!source || !source->Surface()) return std::nullopt;
    TPoint offset = SurfaceOffsetOf(TCanvasAccess::State(*source));
    return std::as_const(*source->Surface()).Image().copy(x + offset.X, y + offset.Y, w, h);
}

BOOL PaintImage(HDC hdcDest, const TRect& t, const QImage& image, DWORD rop, bool blend, const char* name) {
    TDcPaint dc(hdcDest);
    std::optional<QPainter::CompositionMode> mode =
        blend ? std::optional(QPainter::CompositionMode_SourceOver) : SourceMode(rop);
    if (!dc.Ok() || !mode || t.Width() < 0 || t.Height() < 0) return FALSE;
    dc.Record(
        [&] { return std::string(name) + " " + RectText(t) + " " + (blend ? std::string("blend") : HexColor(rop)); });
    if (dc.Drawable()) {
        dc.Painter().setCompositionMode(*mode);
        dc.Painter().drawImage(QRect(t.Left, t.Top, t.Width(), t.Height()), image);
    }
    dc.Dirty(t);
    return TRUE;
}

BOOL Transfer(HDC hdcDest, const QRect& target, HDC hdcSrc, const QRect& source, DWORD rop, const char* name) {
    if (IsPatternRop(rop) && source.size() == target.size())
        return PatBlt(hdcDest, target.x(), target.y(), target.width(), target.height(), rop);
    if (!DcCanvas(hdcDest) || source.width() < 0 || source.height() < 0) return FALSE;
    std::optional<QImage> pixels = SourcePixels(hdcSrc, source.x(), source.y(), source.width(), source.height());
    if (!pixels) return FALSE;
    TRect t{target.x(), target.y(), target.x() + target.width(), target.y() + target.height()};
    return PaintImage(hdcDest, t, *pixels, rop, false, name);
}

}  // namespace

BOOL PatBlt(HDC hdc, int nXLeft, int nYLeft, int nWidth, int nHeight, DWORD dwRop) {
    TDcPaint dc(hdc);
    if (!dc.Ok()) return FALSE;
    TGdiBrushData brush = dc.Brush();
    TRasterMode mode;
    switch (dwRop) {
        case PATCOPY: mode = RasterModeOf(R2_COPYPEN); break;
        case PATINVERT: mode = RasterModeOf(R2_XORPEN); break;
        case DSTINVERT:
            mode = RasterModeOf(R2_NOT);
            brush = {BS_SOLID, 0, 0, nullptr};
            break;
        case BLACKNESS:
            mode = RasterModeOf(R2_BLACK);
            brush = {BS_SOLID, 0, 0, nullptr};
            break;
        case WHITENESS:
            mode = RasterModeOf(R2_WHITE);
            brush = {BS_SOLID, 0, 0, nullptr};
            break;
        default: return FALSE;
    }
    TRect r = Bounds(std::min(nXLeft, nXLeft + nWidth), std::min(nYLeft, nYLeft + nHeight), std::abs(nWidth),
                     std::abs(nHeight));
    dc.Record([&] { return "PatBlt " + RectText(r) + " " + HexColor(dwRop); });
    dc.FillWith(QRect(r.Left, r.Top, r.Width(), r.Height()), brush, mode);
    dc.Dirty(r);
    return TRUE;
}

BOOL BitBlt(HDC hdcDest, int nXDest, int nYDest, int nWidth, int nHeight, HDC hdcSrc, int nXSrc, int nYSrc,
            DWORD dwRop) {
    return Transfer(hdcDest, QRect(nXDest, nYDest, nWidth, nHeight), hdcSrc, QRect(nXSrc, nYSrc, nWidth, nHeight),
                    dwRop, "BitBlt");
}

BOOL StretchBlt(HDC hdcDest, int nXOriginDest, int nYOriginDest, int nWidthDest, int nHeightDest, HDC hdcSrc,
                int nXOriginSrc, int nYOriginSrc, int nWidthSrc, int nHeightSrc, DWORD dwRop) {
    return Transfer(hdcDest, QRect(nXOriginDest, nYOriginDest, nWidthDest, nHeightDest), hdcSrc,
                    QRect(nXOriginSrc, nYOriginSrc, nWidthSrc, nHeightSrc), dwRop, "StretchBlt");
}

BOOL DrawImageOn(HDC DC, const TRect& Target, const QImage& Image, DWORD Rop, bool Blend) {
    return PaintImage(DC, Target, Image, Rop, Blend, "DrawImage");
}
