// 3D edges and frame controls in the classic scheme's colours.
#include <algorithm>

#include "qt/GdiPaint.h"

namespace {

void Fill(TDcPaint& dc, const TRect& r, COLORREF color) {
    dc.FillWith(QRect(r.Left, r.Top, r.Width(), r.Height()), {BS_SOLID, color, 0, nullptr}, RasterModeOf(R2_COPYPEN));
}

// One ring of an edge: top and left in one colour, bottom and right (which own the far corners) in another.
void Ring(TDcPaint& dc, TRect& r, UINT sides, COLORREF topLeft, COLORREF bottomRight) {
    if (r.IsEmpty()) return;
    if (sides & BF_TOP) Fill(dc, {r.Left, r.Top, r.Right - ((sides & BF_RIGHT) ? 1 : 0), r.Top + 1}, topLeft);
    if (sides & BF_LEFT) Fill(dc, {r.Left, r.Top, r.Left + 1, r.Bottom - ((sides & BF_BOTTOM) ? 1 : 0)}, topLeft);
    if (sides & BF_BOTTOM) Fill(dc, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, bottomRight);
    if (sides & BF_RIGHT) Fill(dc, {r.Right - 1, r.Top, r.Right, r.Bottom}, bottomRight);
    if (sides & BF_LEFT) ++r.Left;
    if (sides & BF_TOP) ++r.Top;
    if (sides & BF_RIGHT) --r.Right;
    if (sides & BF_BOTTOM) --r.Bottom;
}

struct TEdgeColors {
    COLORREF TopLeft, BottomRight;
};

TEdgeColors OuterColors(UINT edge, UINT flags) {
    if (flags & BF_MONO) return {GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME)};
    if (flags & BF_FLAT) return {GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW)};
    bool soft = flags & BF_SOFT;
    if (edge & BDR_RAISEDOUTER)
        return {GetSysColor(soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW)};
    return {GetSysColor(soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT)};
}

TEdgeColors InnerColors(UINT edge, UINT flags) {
    if (flags & (BF_MONO | BF_FLAT)) return {GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOW)};
    bool soft = flags & BF_SOFT;
    if (edge & BDR_RAISEDINNER)
        return {GetSysColor(soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW)};
    return {GetSysColor(soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT)};
}

void EdgeRings(TDcPaint& dc, TRect& r, UINT edge, UINT flags) {
    if (edge & BDR_OUTER) {
        TEdgeColors c = OuterColors(edge, flags);
        Ring(dc, r, flags, c.TopLeft, c.BottomRight);
    }
    if (edge & BDR_INNER) {
        TEdgeColors c = InnerColors(edge, flags);
        Ring(dc, r, flags, c.TopLeft, c.BottomRight);
    }
}

}  // namespace

BOOL DrawEdge(HDC hdc, RECT* qrc, UINT edge, UINT grfFlags) {
    TDcPaint dc(hdc);
    if (!dc.Ok() || !qrc) return FALSE;
    dc.Record([&] { return "DrawEdge " + RectText(*qrc) + " " + HexColor(edge) + " " + HexColor(grfFlags); });
    TRect r = *qrc;
    EdgeRings(dc, r, edge, grfFlags);
    if (grfFlags & BF_MIDDLE) Fill(dc, r, GetSysColor((grfFlags & (BF_MONO | BF_FLAT)) ? COLOR_WINDOW : COLOR_BTNFACE));
    dc.Dirty(*qrc);
    if (grfFlags & BF_ADJUST) *qrc = r;
    return TRUE;
}

namespace {

TRect SquareIn(const TRect& r) {
    int size = std::min(r.Width(), r.Height());
    int left = r.Left + (r.Width() - size) / 2, top = r.Top + (r.Height() - size) / 2;
    return Bounds(left, top, size, size);
}

void CheckBox(TDcPaint& dc, const TRect& area, UINT state) {
    TRect box = SquareIn(area);
    bool flat = state & (DFCS_FLAT | DFCS_MONO);
    EdgeRings(dc, box, EDGE_SUNKEN, BF_RECT | (flat ? BF_FLAT : 0));
    bool face = state & (DFCS_INACTIVE | DFCS_PUSHED);
    Fill(dc, box, GetSysColor(face ? COLOR_BTNFACE : COLOR_WINDOW));
    if (!(state & DFCS_CHECKED) || box.Width() < 7) return;
    // The tick: a 3-pixel-thick stroke down then up, scaled into the box.
    COLORREF ink = GetSysColor((state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
    int unit = box.Width();
    int x0 = box.Left + unit / 5, yMid = box.Top + unit / 2 - 1;
    int down = unit / 4, up = unit / 2;
    int x = x0, y = yMid;
    for (int i = 0; i < down; ++i, ++x, ++y) Fill(dc, {x, y, x + 1, y + 3}, ink);
    for (int i = 0; i <= up && x < box.Right - 1; ++i, ++x, --y) Fill(dc, {x, y, x + 1, y + 3}, ink);
}

void RadioButton(TDcPaint& dc, const TRect& area, UINT state) {
    TRect box = SquareIn(area);
    if (!dc.Drawable() || box.Width() < 4) return;
    QPainter& p = dc.Painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    auto arc = [&](int inset, int colorTopLeft, int colorBottomRight) {
        QRect r(box.Left + inset, box.Top + inset, box.Width() - 1 - 2 * inset, box.Height() - 1 - 2 * inset);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(ToQColorRef(GetSysColor(colorTopLeft)), 0));
        p.drawArc(r, 45 * 16, 180 * 16);
        p.setPen(QPen(ToQColorRef(GetSysColor(colorBottomRight)), 0));
        p.drawArc(r, 225 * 16, 180 * 16);
    };
    bool face = state & (DFCS_INACTIVE | DFCS_PUSHED);
    p.setPen(Qt::NoPen);
    p.setBrush(ToQColorRef(GetSysColor(face ? COLOR_BTNFACE : COLOR_WINDOW)));
    p.drawEllipse(QRect(box.Left + 1, box.Top + 1, box.Width() - 2, box.Height() - 2));
    arc(0, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    arc(1, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
    if (state & DFCS_CHECKED) {
        int dot = std::max(2, box.Width() / 3);
        int left = box.Left + (box.Width() - dot) / 2, top = box.Top + (box.Height() - dot) / 2;
        p.setPen(Qt::NoPen);
        p.setBrush(ToQColorRef(GetSysColor((state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT)));
        p.drawEllipse(QRect(left, top, dot, dot));
    }
}

void ButtonFace(TDcPaint& dc, TRect& r, UINT state) {
    if (state & (DFCS_FLAT | DFCS_MONO)) {
        EdgeRings(dc, r, (state & DFCS_PUSHED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_FLAT);
    } else if (state & DFCS_PUSHED) {
        EdgeRings(dc, r, BDR_SUNKENOUTER, BF_RECT | BF_FLAT);  // a pushed button: one shadow line
    } else {
        EdgeRings(dc, r, EDGE_RAISED, BF_RECT | BF_SOFT);
    }
    Fill(dc, r, GetSysColor(COLOR_BTNFACE));
}

// A solid triangle pointing in a scroll direction, centred in the rectangle.
void Arrow(TDcPaint& dc, const TRect& r, UINT direction, COLORREF color, int shift) {
    int size = std::max(1, std::min(r.Width(), r.Height()) / 4);
    int cx = r.Left + r.Width() / 2 + shift, cy = r.Top + r.Height() / 2 + shift;
    for (int i = 0; i < size; ++i) {
        switch (direction) {
            case DFCS_SCROLLUP: Fill(dc, {cx - i, cy - size / 2 + i, cx + i + 1, cy - size / 2 + i + 1}, color); break;
            case DFCS_SCROLLLEFT:
                Fill(dc, {cx - size / 2 + i, cy - i, cx - size / 2 + i + 1, cy + i + 1}, color);
                break;
            case DFCS_SCROLLRIGHT:
                Fill(dc, {cx + size / 2 - i, cy - i, cx + size / 2 - i + 1, cy + i + 1}, color);
                break;
            default: Fill(dc, {cx - i, cy + size / 2 - i, cx + i + 1, cy + size / 2 - i + 1}, color); break;
        }
    }
}

}  // namespace

BOOL DrawFrameControl(HDC hdc, RECT* lprc, UINT uType, UINT uState) {
    TDcPaint dc(hdc);
    if (!dc.Ok() || !lprc) return FALSE;
    if (uType != DFC_BUTTON && uType != DFC_SCROLL) return FALSE;
    dc.Record(
        [&] { return "DrawFrameControl " + RectText(*lprc) + " " + std::to_string(uType) + " " + HexColor(uState); });
    const TRect whole = *lprc;
    TRect r = whole;
    UINT kind = uState & 0xFF;
    if (uType == DFC_BUTTON) {
        if (kind & DFCS_BUTTONPUSH) {
            ButtonFace(dc, r, uState);
            // The caller draws the face inside the edge.
            if (uState & DFCS_ADJUSTRECT) *lprc = r;
        } else if (kind & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE)) RadioButton(dc, r, uState);
        else CheckBox(dc, r, uState);
    } else {
        ButtonFace(dc, r, uState);
        UINT direction = kind == DFCS_SCROLLCOMBOBOX ? DFCS_SCROLLDOWN : kind;
        if (direction > DFCS_SCROLLRIGHT) return FALSE;
        int shift = (uState & DFCS_PUSHED) ? 1 : 0;
        if (uState & DFCS_INACTIVE) {
            Arrow(dc, r, direction, GetSysColor(COLOR_BTNHIGHLIGHT), shift + 1);
            Arrow(dc, r, direction, GetSysColor(COLOR_BTNSHADOW), shift);
        } else {
            Arrow(dc, r, direction, GetSysColor(COLOR_BTNTEXT), shift);
        }
    }
    dc.Dirty(whole);
    return TRUE;
}
