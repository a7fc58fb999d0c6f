// Regions and clipping: region objects hold a QRegion in device coordinates.
#include <optional>

#include "qt/GdiPaint.h"
#include "qt/Peer.h"
#include "qt/Surface.h"

namespace {

int KindOf(const QRegion& region) {
    if (region.isEmpty()) return NULLREGION;
    return region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

QRegion* RegionOf(const void* handle) {
    TGdiObject* object = FindGdiObject(handle, TGdiKind::Region);
    return object ? &object->Region : nullptr;
}

QRect ToQRect(int l, int t, int r, int b) { return QRect(l, t, std::max(r - l, 0), std::max(b - t, 0)); }

HRGN AddRegion(const QRegion& region) {
    auto object = std::make_unique<TGdiObject>();
    object->Kind = TGdiKind::Region;
    object->Region = region;
    return static_cast<HRGN>(AddGdiObject(std::move(object)));
}

// Stands for "no clip" where a clip is combined with another region; far beyond any surface.
const QRect everywhere(-(1 << 24), -(1 << 24), 1 << 25, 1 << 25);

// The application's clip as set, not limited by the surface's present size: the surface may grow meanwhile.
QRegion ClipOf(const TCanvasState& state) { return state.HasClip ? state.Clip : QRegion(everywhere); }

QRect LogicalToDevice(const TCanvasState& state, int l, int t, int r, int b) {
    TPoint d = DeviceOffsetOf(state);
    return ToQRect(l + d.X, t + d.Y, r + d.X, b + d.Y);
}

// Region calls change the application's clip only; the system's clip stays as the window gave it.
int SetClip(TCanvas& canvas, std::optional<QRegion> region) {
    TCanvasState& state = TCanvasAccess::State(canvas);
    state.HasClip = region.has_value();
    state.Clip = region.value_or(QRegion());
    state.ClipSerial = NewClipSerial();
    return KindOf(VisibleRegion(canvas));
}

}  // namespace

HRGN CreateRectRgn(int nLeftRect, int nTopRect, int nRightRect, int nBottomRect) {
    return AddRegion(QRegion(ToQRect(std::min(nLeftRect, nRightRect), std::min(nTopRect, nBottomRect),
                                     std::max(nLeftRect, nRightRect), std::max(nTopRect, nBottomRect))));
}

HRGN CreateRectRgnIndirect(const RECT* lprc) {
    return lprc ? CreateRectRgn(lprc->Left, lprc->Top, lprc->Right, lprc->Bottom) : nullptr;
}

HRGN CreateEllipticRgn(int nLeftRect, int nTopRect, int nRightRect, int nBottomRect) {
    return AddRegion(QRegion(ToQRect(nLeftRect, nTopRect, nRightRect, nBottomRect), QRegion::Ellipse));
}

HRGN CreatePolygonRgn(const POINT* lppt, int cPoints, int fnPolyFillMode) {
    if (!lppt || cPoints < 0) return nullptr;
    QPolygon polygon;
    for (int i = 0; i < cPoints; ++i) polygon << QPoint(lppt[i].X, lppt[i].Y);
    return AddRegion(QRegion(polygon, fnPolyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill));
}

BOOL SetRectRgn(HRGN hrgn, int nLeftRect, int nTopRect, int nRightRect, int nBottomRect) {
    QRegion* region = RegionOf(hrgn);
    if (!region) return FALSE;
    *region = QRegion(ToQRect(nLeftRect, nTopRect, nRightRect, nBottomRect));
    return TRUE;
}

int CombineRgn(HRGN hrgnDest, HRGN hrgnSrc1, HRGN hrgnSrc2, int fnCombineMode) {
    QRegion* dest = RegionOf(hrgnDest);
    QRegion* a = RegionOf(hrgnSrc1);
    if (!dest || !a) return ERROR;
    if (fnCombineMode == RGN_COPY) {
        *dest = *a;
        return KindOf(*dest);
    }
    QRegion* b = RegionOf(hrgnSrc2);
    if (!b) return ERROR;
    switch (fnCombineMode) {
        case RGN_AND: *dest = a->intersected(*b); break;
        case RGN_OR: *dest = a->united(*b); break;
        case RGN_XOR: *dest = a->xored(*b); break;
        case RGN_DIFF: *dest = a->subtracted(*b); break;
        default: return ERROR;
    }
    return KindOf(*dest);
}

BOOL EqualRgn(HRGN hSrcRgn1, HRGN hSrcRgn2) {
    QRegion* a = RegionOf(hSrcRgn1);
    QRegion* b = RegionOf(hSrcRgn2);
    return a && b && *a == *b;
}

int OffsetRgn(HRGN hrgn, int nXOffset, int nYOffset) {
    QRegion* region = RegionOf(hrgn);
    if (!region) return ERROR;
    region->translate(nXOffset, nYOffset);
    return KindOf(*region);
}

int GetRgnBox(HRGN hrgn, RECT* lprc) {
    QRegion* region = RegionOf(hrgn);
    if (!region || !lprc) return ERROR;
    QRect box = region->boundingRect();
    *lprc = region->isEmpty() ? TRect{} : TRect{box.left(), box.top(), box.right() + 1, box.bottom() + 1};
    return KindOf(*region);
}

BOOL PtInRegion(HRGN hrgn, int X, int Y) {
    QRegion* region = RegionOf(hrgn);
    return region && region->contains(QPoint(X, Y));
}

BOOL RectInRegion(HRGN hrgn, const RECT* lprc) {
    QRegion* region = RegionOf(hrgn);
    return region && lprc && region->intersects(ToQRect(lprc->Left, lprc->Top, lprc->Right, lprc->Bottom));
}

namespace {

// Paints a region (device coordinates) with a brush under a raster mode, ignoring the DC's origin.
BOOL PaintRegion(HDC hdc, const void* hrgn, const TGdiBrushData& brush, const TRasterMode& rop, const char* name) {
    TDcPaint dc(hdc);
    QRegion* region = RegionOf(hrgn);
    if (!dc.Ok() || !region) return FALSE;
    QRect box = region->boundingRect();
    dc.Record([&] {
        return std::string(name) + " " + RectText({box.left(), box.top(), box.right() + 1, box.bottom() + 1}) +
               (brush.Style == BS_NULL ? "" : " brush=" + HexColor(brush.Color));
    });
    if (!dc.Drawable()) return TRUE;
    TPoint offset = dc.DeviceOffset();
    for (const QRect& r : *region) dc.FillWith(r.translated(-offset.X, -offset.Y), brush, rop);
    dc.Dirty({box.left() - offset.X, box.top() - offset.Y, box.right() + 1 - offset.X, box.bottom() + 1 - offset.Y});
    return TRUE;
}

}  // namespace

BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr) {
    TGdiBrushData brush;
    if (!BrushData(hbr, brush)) return FALSE;
    return PaintRegion(hdc, hrgn, brush, RasterModeOf(R2_COPYPEN), "FillRgn");
}

BOOL InvertRgn(HDC hdc, HRGN hrgn) {
    return PaintRegion(hdc, hrgn, {BS_SOLID, 0, 0, nullptr}, RasterModeOf(R2_NOT), "InvertRgn");
}

BOOL FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int nWidth, int nHeight) {
    QRegion* region = RegionOf(hrgn);
    TGdiBrushData brush;
    if (!region || !BrushData(hbr, brush) || nWidth < 1 || nHeight < 1) return FALSE;
    // The frame is the region minus the region shrunk by the frame's width and height.
    QRegion inner = region->translated(nWidth, 0)
                        .intersected(region->translated(-nWidth, 0))
                        .intersected(region->translated(0, nHeight))
                        .intersected(region->translated(0, -nHeight))
                        .intersected(*region);
    HRGN frame = AddRegion(region->subtracted(inner));
    BOOL ok = PaintRegion(hdc, frame, brush, RasterModeOf(R2_COPYPEN), "FrameRgn");
    DeleteObject(frame);
    return ok;
}

int SelectClipRgn(HDC hdc, HRGN hrgn) { return ExtSelectClipRgn(hdc, hrgn, RGN_COPY); }

int ExtSelectClipRgn(HDC hdc, HRGN hrgn, int fnMode) {
    TCanvas* canvas = DcCanvas(hdc);
    if (!canvas) return ERROR;
    TCanvasState& state = TCanvasAccess::State(*canvas);
    if (!hrgn) return fnMode == RGN_COPY ? SetClip(*canvas, std::nullopt) : ERROR;
    QRegion* region = RegionOf(hrgn);
    if (!region) return ERROR;
    QRegion current = ClipOf(state);
    switch (fnMode) {
        case RGN_COPY: return SetClip(*canvas, *region);
        case RGN_AND: return SetClip(*canvas, current.intersected(*region));
        case RGN_OR: return SetClip(*canvas, current.united(*region));
        case RGN_XOR: return SetClip(*canvas, current.xored(*region));
        case RGN_DIFF: return SetClip(*canvas, current.subtracted(*region));
        default: return ERROR;
    }
}

int GetClipRgn(HDC hdc, HRGN hrgn) {
    TCanvas* canvas = DcCanvas(hdc);
    QRegion* region = RegionOf(hrgn);
    if (!canvas || !region) return -1;
    if (!TCanvasAccess::State(*canvas).HasClip) return 0;
    *region = TCanvasAccess::State(*canvas).Clip;
    return 1;
}

int GetClipBox(HDC hdc, RECT* lprc) {
    TCanvas* canvas = DcCanvas(hdc);
    if (!canvas || !lprc) return ERROR;
    QRegion visible = VisibleRegion(*canvas);
    QRect box = visible.boundingRect();
    TPoint d = DeviceOffsetOf(TCanvasAccess::State(*canvas));
    *lprc = visible.isEmpty() ? TRect{}
                              : TRect{box.left() - d.X, box.top() - d.Y, box.right() + 1 - d.X, box.bottom() + 1 - d.Y};
    return KindOf(visible);
}

int IntersectClipRect(HDC hdc, int nLeftRect, int nTopRect, int nRightRect, int nBottomRect) {
    TCanvas* canvas = DcCanvas(hdc);
    if (!canvas) return ERROR;
    QRect r = LogicalToDevice(TCanvasAccess::State(*canvas), nLeftRect, nTopRect, nRightRect, nBottomRect);
    return SetClip(*canvas, ClipOf(TCanvasAccess::State(*canvas)).intersected(r));
}

int ExcludeClipRect(HDC hdc, int nLeftRect, int nTopRect, int nRightRect, int nBottomRect) {
    TCanvas* canvas = DcCanvas(hdc);
    if (!canvas) return ERROR;
    QRect r = LogicalToDevice(TCanvasAccess::State(*canvas), nLeftRect, nTopRect, nRightRect, nBottomRect);
    return SetClip(*canvas, ClipOf(TCanvasAccess::State(*canvas)).subtracted(r));
}

BOOL PtVisible(HDC hdc, int X, int Y) {
    TCanvas* canvas = DcCanvas(hdc);
    if (!canvas) return FALSE;
    QRect r = LogicalToDevice(TCanvasAccess::State(*canvas), X, Y, X + 1, Y + 1);
    return VisibleRegion(*canvas).contains(r.topLeft());
}

BOOL RectVisible(HDC hdc, const RECT* lprc) {
    TCanvas* canvas = DcCanvas(hdc);
    if (!canvas || !lprc) return FALSE;
    return VisibleRegion(*canvas).intersects(
        LogicalToDevice(TCanvasAccess::State(*canvas), lprc->Left, lprc->Top, lprc->Right, lprc->Bottom));
}

// ---------------------------------------------------------------------------
// Window regions: Qt's mask of the window's widget.

namespace {
QWidget* WindowWidget(HWND hWnd) {
    TWinControl* control = FindControl(hWnd);
    if (!control) return nullptr;
    control->HandleNeeded();
    auto* peer = dynamic_cast<TQtPeer*>(control->Peer());
    return peer ? peer->Widget() : nullptr;
}
}  // namespace

int SetWindowRgn(HWND hWnd, HRGN hRgn, BOOL bRedraw) {
    QWidget* widget = WindowWidget(hWnd);
    if (!widget) return 0;
    const QRegion* region = RegionOf(hRgn);
    if (region) widget->setMask(*region);
    else widget->clearMask();
    if (hRgn) DeleteObject(hRgn);
    if (bRedraw) widget->update();
    return 1;
}

int GetWindowRgn(HWND hWnd, HRGN hRgn) {
    QWidget* widget = WindowWidget(hWnd);
    QRegion* target = RegionOf(hRgn);
    if (!widget || !target || widget->mask().isEmpty()) return ERROR;
    *target = widget->mask();
    return KindOf(*target);
}
