// Lines, shapes, rectangle fills and pixels, following GDI's pixel rules.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "qt/GdiPaint.h"
#include "qt/Surface.h"

namespace {

TRect Normalized(int l, int t, int r, int b) {
    return {std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)};
}

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

// The outline rectangle of a shape whose right and bottom edges are excluded.
QRect OutlineRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1); }

void UsePenAndBrush(TDcPaint& dc, const TGdiPenData& pen, const TGdiBrushData& brush, const TRasterMode& rop) {
    QPainter& p = dc.Painter();
    p.setCompositionMode(rop.Mode);
    if (pen.Style == PS_NULL) {
        p.setPen(Qt::NoPen);
    } else {
        static constexpr Qt::PenStyle styles[] = {Qt::SolidLine,      Qt::DashLine, Qt::DotLine,  Qt::DashDotLine,
                                                  Qt::DashDotDotLine, Qt::NoPen,    Qt::SolidLine};
        QPen qpen(rop.Color ? *rop.Color : ToQColorRef(pen.Color), pen.Width <= 1 ? 0 : pen.Width);
        qpen.setStyle(styles[std::clamp(pen.Style, 0, PS_INSIDEFRAME)]);
        p.setPen(qpen);
    }
    p.setBrush(rop.Color ? QBrush(*rop.Color) : dc.ToQBrush(brush));
}

std::string PenText(const TGdiPenData& pen) {
    return pen.Style == PS_NULL ? "pen=none"
                                : "pen=" + HexColor(pen.Color) + (pen.Width > 1 ? "/" + std::to_string(pen.Width) : "");
}

std::string BrushText(const TGdiBrushData& brush) {
    return brush.Style == BS_NULL ? "brush=none" : "brush=" + HexColor(brush.Color);
}

std::string PointsText(const POINT* points, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (i ? " " : "") + std::to_string(points[i].X) + "," + std::to_string(points[i].Y);
    return text;
}

TRect PointsBounds(const POINT* points, int count, int extra) {
    TRect r{points[0].X, points[0].Y, points[0].X, points[0].Y};
    for (int i = 1; i < count; ++i) {
        r.Left = std::min(r.Left, points[i].X);
        r.Top = std::min(r.Top, points[i].Y);
        r.Right = std::max(r.Right, points[i].X);
        r.Bottom = std::max(r.Bottom, points[i].Y);
    }
    return {r.Left - extra, r.Top - extra, r.Right + extra + 1, r.Bottom + extra + 1};
}

// One segment of a polyline or LineTo: thin pens plot exactly and leave the end point.
void Segment(TDcPaint& dc, TPoint a, TPoint b, const TGdiPenData& pen, const TRasterMode& rop) {
    if (pen.Width <= 1) return dc.ThinLine(a, b, pen, rop);
    if (rop.Skip || pen.Style == PS_NULL || !dc.Drawable()) return;
    UsePenAndBrush(dc, pen, {BS_NULL, 0, 0, nullptr}, rop);
    QPen qpen = dc.Painter().pen();
    qpen.setCapStyle(Qt::RoundCap);
    dc.Painter().setPen(qpen);
    dc.Painter().drawLine(a.X, a.Y, b.X, b.Y);
}

}  // namespace

BOOL MoveToEx(HDC hdc, int X, int Y, POINT* lpPoint) {
    TCanvas* canvas = DcCanvas(hdc);
    if (!canvas) return FALSE;
    if (lpPoint) *lpPoint = TCanvasAccess::State(*canvas).PenPos;
    TCanvasAccess::State(*canvas).PenPos = {X, Y};
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, POINT* lpPoint) {
    TCanvas* canvas = DcCanvas(hdc);
    if (!canvas || !lpPoint) return FALSE;
    *lpPoint = TCanvasAccess::State(*canvas).PenPos;
    return TRUE;
}

BOOL LineTo(HDC hdc, int nXEnd, int nYEnd) {
    TDcPaint dc(hdc);
    if (!dc.Ok()) return FALSE;
    TPoint from = dc.State().PenPos, to{nXEnd, nYEnd};
    TGdiPenData pen = dc.Pen();
    dc.Record([&] {
        return "LineTo " + std::to_string(from.X) + "," + std::to_string(from.Y) + "-" + std::to_string(to.X) + "," +
               std::to_string(to.Y) + " " + PenText(pen);
    });
    Segment(dc, from, to, pen, RasterModeOf(dc.State().Rop2));
    POINT ends[2] = {from, to};
    dc.Dirty(PointsBounds(ends, 2, pen.Width / 2));
    dc.State().PenPos = to;
    return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* lppt, int cPoints) {
    TDcPaint dc(hdc);
    if (!dc.Ok() || !lppt || cPoints < 2) return FALSE;
    TGdiPenData pen = dc.Pen();
    dc.Record([&] { return "Polyline " + PointsText(lppt, cPoints) + " " + PenText(pen); });
    TRasterMode rop = RasterModeOf(dc.State().Rop2);
    for (int i = 1; i < cPoints; ++i) Segment(dc, lppt[i - 1], lppt[i], pen, rop);
    dc.Dirty(PointsBounds(lppt, cPoints, pen.Width / 2));
    return TRUE;
}

BOOL Polygon(HDC hdc, const POINT* lpPoints, int nCount) {
    TDcPaint dc(hdc);
    if (!dc.Ok() || !lpPoints || nCount < 2) return FALSE;
    TGdiPenData pen = dc.Pen();
    TGdiBrushData brush = dc.Brush();
    dc.Record([&] { return "Polygon " + PointsText(lpPoints, nCount) + " " + PenText(pen) + " " + BrushText(brush); });
    TRasterMode rop = RasterModeOf(dc.State().Rop2);
    if (dc.Drawable() && !rop.Skip) {
        QPolygon polygon;
        for (int i = 0; i < nCount; ++i) polygon.append(QPoint(lpPoints[i].X, lpPoints[i].Y));
        UsePenAndBrush(dc, pen, brush, rop);
        dc.Painter().drawPolygon(polygon, Qt::OddEvenFill);
    }
    dc.Dirty(PointsBounds(lpPoints, nCount, pen.Width / 2));
    return TRUE;
}

BOOL Rectangle(HDC hdc, int nLeftRect, int nTopRect, int nRightRect, int nBottomRect) {
    TDcPaint dc(hdc);
    if (!dc.Ok()) return FALSE;
    TRect r = Normalized(nLeftRect, nTopRect, nRightRect, nBottomRect);
    TGdiPenData pen = dc.Pen();
    TGdiBrushData brush = dc.Brush();
    dc.Record([&] { return "Rectangle " + RectText(r) + " " + PenText(pen) + " " + BrushText(brush); });
    TRasterMode rop = RasterModeOf(dc.State().Rop2);
    if (pen.Style == PS_NULL) {
        // Without a pen GDI fills one pixel less in each direction.
        dc.FillWith(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1), brush, rop);
        dc.Dirty(r);
        return TRUE;
    }
    if (pen.Width <= 1 && pen.Style != PS_SOLID && pen.Style != PS_INSIDEFRAME) {
        dc.FillWith(QRect(r.Left + 1, r.Top + 1, r.Width() - 2, r.Height() - 2), brush, rop);
        TPoint corners[4] = {
            {r.Left, r.Top}, {r.Right - 1, r.Top}, {r.Right - 1, r.Bottom - 1}, {r.Left, r.Bottom - 1}};
        for (int i = 0; i < 4; ++i) dc.ThinLine(corners[i], corners[(i + 1) % 4], pen, rop);
        dc.Dirty(r);
        return TRUE;
    }
    // A solid pen is a band of its width: centred on the outline, or inside it for psInsideFrame.
    int w = std::max(pen.Width, 1);
    int lo = pen.Style == PS_INSIDEFRAME ? 0 : w / 2;
    int hi = pen.Style == PS_INSIDEFRAME ? 0 : (w - 1) / 2;
    TRect outer{r.Left - lo, r.Top - lo, r.Right + hi, r.Bottom + hi};
    TRect inner{outer.Left + w, outer.Top + w, outer.Right - w, outer.Bottom - w};
    TGdiBrushData penBrush{BS_SOLID, pen.Color, 0, nullptr};
    if (inner.IsEmpty()) {
        dc.FillWith(ToQRect(outer), penBrush, rop);
    } else {
        dc.FillWith(ToQRect(inner), brush, rop);
        dc.FillWith(ToQRect({outer.Left, outer.Top, outer.Right, inner.Top}), penBrush, rop);
        dc.FillWith(ToQRect({outer.Left, inner.Bottom, outer.Right, outer.Bottom}), penBrush, rop);
        dc.FillWith(ToQRect({outer.Left, inner.Top, inner.Left, inner.Bottom}), penBrush, rop);
        dc.FillWith(ToQRect({inner.Right, inner.Top, outer.Right, inner.Bottom}), penBrush, rop);
    }
    dc.Dirty(outer);
    return TRUE;
}

namespace {

// The pixels of the ellipse that touches the inside of each edge of Box (right and bottom excluded): a
// pixel belongs to it when its centre lies inside, so no pixel falls outside the box.
bool EllipseRow(const TRect& Box, int Y, int& X0, int& X1) {
    double rx = Box.Width() / 2.0, ry = Box.Height() / 2.0;
    double cx = Box.Left + (Box.Width() - 1) / 2.0, cy = Box.Top + (Box.Height() - 1) / 2.0;
    double dy = (Y - cy) / ry;
    if (rx <= 0 || ry <= 0 || dy * dy > 1) return false;
    double half = rx * std::sqrt(1 - dy * dy);
    X0 = std::max(Box.Left, static_cast<int>(std::ceil(cx - half)));
    X1 = std::min(Box.Right - 1, static_cast<int>(std::floor(cx + half)));
    return X0 <= X1;
}

// A rectangle whose corners are quarters of a CornerW x CornerH ellipse; an ellipse when they fill it.
// Only the rows From..To-1 are computed (what can show of a huge shape).
QRegion RoundedPixels(const TRect& Box, int CornerW, int CornerH, int From, int To) {
    CornerW = std::clamp(CornerW, 0, Box.Width());
    CornerH = std::clamp(CornerH, 0, Box.Height());
    QList<QRect> rows;
    for (int y = std::max(Box.Top, From); y < std::min(Box.Bottom, To); ++y) {
        int x0 = Box.Left, x1 = Box.Right - 1;
        bool top = y < Box.Top + CornerH / 2, bottom = y >= Box.Bottom - CornerH / 2;
        if (CornerW > 0 && CornerH > 0 && (top || bottom)) {
            TRect corner{Box.Left, top ? Box.Top : Box.Bottom - CornerH, Box.Left + CornerW,
                         top ? Box.Top + CornerH : Box.Bottom};
            int e0, e1;
            if (!EllipseRow(corner, y, e0, e1)) continue;
            x0 = e0;
            x1 = Box.Right - 1 - (e0 - Box.Left);
        }
        if (x0 <= x1) rows.append(QRect(x0, y, x1 - x0 + 1, 1));
    }
    QRegion region;
    region.setRects(rows.constData(), static_cast<int>(rows.size()));
    return region;
}

// The pixels of a region that have a 4-neighbour outside it.
QRegion Boundary(const QRegion& Shape) {
    QRegion inner = Shape.intersected(Shape.translated(1, 0))
                        .intersected(Shape.translated(-1, 0))
                        .intersected(Shape.translated(0, 1))
                        .intersected(Shape.translated(0, -1));
    return Shape.subtracted(inner);
}

// Ellipses and rounded rectangles as GDI draws them: the outline pixels inside the box (a wide pen
// centred on it, or inside it for psInsideFrame), the brush inside the outline.
BOOL Rounded(HDC hdc, const char* name, int l, int t, int r, int b, int cornerW, int cornerH) {
    TDcPaint dc(hdc);
    if (!dc.Ok()) return FALSE;
    TRect box = Normalized(l, t, r, b);
    TGdiPenData pen = dc.Pen();
    TGdiBrushData brush = dc.Brush();
    dc.Record([&] { return std::string(name) + " " + RectText(box) + " " + PenText(pen) + " " + BrushText(brush); });
    int w = pen.Style == PS_NULL ? 0 : std::max(pen.Width, 1);
    int lo = pen.Style == PS_INSIDEFRAME ? 0 : w / 2;
    int hi = pen.Style == PS_INSIDEFRAME ? 0 : std::max(w - 1, 0) / 2;
    TRect outer{box.Left - lo, box.Top - lo, box.Right + hi, box.Bottom + hi};
    // The surface's rows, with one more on each side so that no outline appears at the cut.
    const int surfaceHeight = dc.Canvas().Surface() ? dc.Canvas().Surface()->Height() : 0;
    const int from = -dc.Offset().Y - 1, to = surfaceHeight - dc.Offset().Y + 1;
    QRegion shape = RoundedPixels(outer, cornerW < 0 ? outer.Width() : cornerW + lo + hi,
                                  cornerH < 0 ? outer.Height() : cornerH + lo + hi, from, to);
    QRegion fill = shape, outline;
    if (w == 1) {
        outline = Boundary(shape);
        fill = shape.subtracted(outline);
    } else if (w > 1) {
        TRect inside{outer.Left + w, outer.Top + w, outer.Right - w, outer.Bottom - w};
        fill = inside.IsEmpty() ? QRegion()
                                : RoundedPixels(inside, cornerW < 0 ? inside.Width() : std::max(cornerW - w, 0),
                                                cornerH < 0 ? inside.Height() : std::max(cornerH - w, 0), from, to);
        outline = shape.subtracted(fill);
    }
    TRasterMode rop = RasterModeOf(dc.State().Rop2);
    for (const QRect& rect : fill) dc.FillWith(rect, brush, rop);
    TGdiBrushData penBrush{BS_SOLID, pen.Color, 0, nullptr};
    for (const QRect& rect : outline) dc.FillWith(rect, penBrush, rop);
    dc.Dirty(outer);
    return TRUE;
}

template <typename Draw>
BOOL Shape(HDC hdc, const char* name, int l, int t, int r, int b, Draw draw) {
    TDcPaint dc(hdc);
    if (!dc.Ok()) return FALSE;
    TRect box = Normalized(l, t, r, b);
    TGdiPenData pen = dc.Pen();
    TGdiBrushData brush = dc.Brush();
    dc.Record([&] { return std::string(name) + " " + RectText(box) + " " + PenText(pen) + " " + BrushText(brush); });
    TRasterMode rop = RasterModeOf(dc.State().Rop2);
    if (dc.Drawable() && !rop.Skip && box.Width() > 1 && box.Height() > 1) {
        UsePenAndBrush(dc, pen, brush, rop);
        draw(dc.Painter(), OutlineRect(box));
    }
    dc.Dirty(
        {box.Left - pen.Width / 2, box.Top - pen.Width / 2, box.Right + pen.Width / 2, box.Bottom + pen.Width / 2});
    return TRUE;
}

// Qt angle (1/16 degree, counter-clockwise from 3 o'clock) of a point seen from the centre of a box.
int AngleOf(const QRect& box, int x, int y) {
    double cx = box.left() + box.width() / 2.0, cy = box.top() + box.height() / 2.0;
    double degrees = std::atan2(-(y - cy), x - cx) * 180.0 / std::numbers::pi;
    return static_cast<int>(std::lround(degrees * 16));
}

}  // namespace

BOOL Ellipse(HDC hdc, int nLeftRect, int nTopRect, int nRightRect, int nBottomRect) {
    return Rounded(hdc, "Ellipse", nLeftRect, nTopRect, nRightRect, nBottomRect, -1, -1);
}

BOOL RoundRect(HDC hdc, int nLeftRect, int nTopRect, int nRightRect, int nBottomRect, int nWidth, int nHeight) {
    return Rounded(hdc, "RoundRect", nLeftRect, nTopRect, nRightRect, nBottomRect, nWidth, nHeight);
}

BOOL Arc(HDC hdc, int nLeftRect, int nTopRect, int nRightRect, int nBottomRect, int nXStartArc, int nYStartArc,
         int nXEndArc, int nYEndArc) {
    return Shape(hdc, "Arc", nLeftRect, nTopRect, nRightRect, nBottomRect, [&](QPainter& p, const QRect& outline) {
        int start = AngleOf(outline, nXStartArc, nYStartArc);
        int span = AngleOf(outline, nXEndArc, nYEndArc) - start;
        while (span <= 0) span += 360 * 16;  // GDI draws counter-clockwise from start to end
        p.setBrush(Qt::NoBrush);
        p.drawArc(outline, start, span);
    });
}

BOOL Pie(HDC hdc, int nLeftRect, int nTopRect, int nRightRect, int nBottomRect, int nXRadial1, int nYRadial1,
         int nXRadial2, int nYRadial2) {
    return Shape(hdc, "Pie", nLeftRect, nTopRect, nRightRect, nBottomRect, [&](QPainter& p, const QRect& outline) {
        int start = AngleOf(outline, nXRadial1, nYRadial1);
        int span = AngleOf(outline, nXRadial2, nYRadial2) - start;
        while (span <= 0) span += 360 * 16;
        p.drawPie(outline, start, span);
    });
}

COLORREF SetPixel(HDC hdc, int X, int Y, COLORREF crColor) {
    TDcPaint dc(hdc);
    if (!dc.Drawable()) return CLR_INVALID;
    if (!dc.Visible({X, Y})) return CLR_INVALID;
    dc.Record(
        [&] { return "SetPixel " + std::to_string(X) + "," + std::to_string(Y) + " " + HexColor(crColor & 0xFFFFFF); });
    dc.Painter().setCompositionMode(QPainter::CompositionMode_Source);
    dc.Painter().fillRect(QRect(X, Y, 1, 1), ToQColorRef(crColor));
    dc.Dirty({X, Y, X + 1, Y + 1});
    return crColor & 0xFFFFFF;
}

COLORREF GetPixel(HDC hdc, int nXPos, int nYPos) {
    TCanvas* canvas = DcCanvas(hdc);
    if (!canvas || !canvas->Surface()) return CLR_INVALID;
    const TCanvasState& state = TCanvasAccess::State(*canvas);
    TPoint device = DeviceOffsetOf(state);
    device = {nXPos + device.X, nYPos + device.Y};
    if (!VisibleRegion(*canvas).contains(QPoint(device.X, device.Y))) return CLR_INVALID;
    QRgb rgb = std::as_const(*canvas->Surface())
                   .Image()
                   .pixel(device.X + state.DeviceOrigin.X, device.Y + state.DeviceOrigin.Y);
    return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

// ---------------------------------------------------------------------------
// Rectangle fills (not affected by the raster mode, as in GDI)

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    TDcPaint dc(hDC);
    TGdiBrushData brush;
    if (!dc.Ok() || !lprc || !BrushData(hbr, brush)) return 0;
    dc.Record([&] { return "FillRect " + RectText(*lprc) + " " + BrushText(brush); });
    dc.FillWith(ToQRect(*lprc), brush, RasterModeOf(R2_COPYPEN));
    dc.Dirty(*lprc);
    return 1;
}

int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    TDcPaint dc(hDC);
    TGdiBrushData brush;
    if (!dc.Ok() || !lprc || !BrushData(hbr, brush)) return 0;
    const TRect& r = *lprc;
    dc.Record([&] { return "FrameRect " + RectText(r) + " " + BrushText(brush); });
    if (r.IsEmpty()) return 1;
    TRasterMode rop = RasterModeOf(R2_COPYPEN);
    dc.FillWith(QRect(r.Left, r.Top, r.Width(), 1), brush, rop);
    if (r.Height() > 1) dc.FillWith(QRect(r.Left, r.Bottom - 1, r.Width(), 1), brush, rop);
    if (r.Height() > 2) {
        dc.FillWith(QRect(r.Left, r.Top + 1, 1, r.Height() - 2), brush, rop);
        if (r.Width() > 1) dc.FillWith(QRect(r.Right - 1, r.Top + 1, 1, r.Height() - 2), brush, rop);
    }
    dc.Dirty(r);
    return 1;
}

BOOL InvertRect(HDC hDC, const RECT* lprc) {
    TDcPaint dc(hDC);
    if (!dc.Ok() || !lprc) return FALSE;
    dc.Record([&] { return "InvertRect " + RectText(*lprc); });
    TRasterMode invert = RasterModeOf(R2_NOT);
    dc.FillWith(ToQRect(*lprc), {BS_SOLID, 0, 0, nullptr}, invert);
    dc.Dirty(*lprc);
    return TRUE;
}

BOOL DrawFocusRect(HDC hDC, const RECT* lprc) {
    TDcPaint dc(hDC);
    if (!dc.Ok() || !lprc) return FALSE;
    const TRect& r = *lprc;
    dc.Record([&] { return "DrawFocusRect " + RectText(r); });
    if (r.IsEmpty() || !dc.Drawable()) return TRUE;
    // Every other pixel of the frame, on a checkerboard fixed to the device, inverted by XOR.
    QPolygon dots;
    TPoint offset = dc.Offset();
    auto dot = [&](int x, int y) {
        if (((x + offset.X + y + offset.Y) & 1) == 0) dots.append(QPoint(x, y));
    };
    for (int x = r.Left; x < r.Right; ++x) {
        dot(x, r.Top);
        if (r.Height() > 1) dot(x, r.Bottom - 1);
    }
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        dot(r.Left, y);
        if (r.Width() > 1) dot(r.Right - 1, y);
    }
    dc.Painter().setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    dc.Painter().setPen(QPen(QColor(255, 255, 255), 0));
    dc.Painter().drawPoints(dots);
    dc.Dirty(r);
    return TRUE;
}
