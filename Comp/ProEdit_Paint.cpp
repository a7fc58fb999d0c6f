// The typed edit's painting after the edit's own: the flat underline or outline, the drop caret, the grey
// empty-text hint and the red wavy error marker; the flat focus frame over the border; and the transparent
// background.
#include <memory>

#include "ProEdit.h"
#include "vcl/Forms.h"
#include "vcl/Windows.h"

namespace ProEdit {

void TProEdit::PaintDecorations() {
    auto canvas = std::make_unique<TControlCanvas>();
    canvas->SetControl(this);
    const TRect client = ClientRect();
    const Integer width = client.Width(), height = client.Height();
    if (flat_ && !focusBorder_) {
        TRect r{};
        Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
        canvas->Pen()->SetStyle(psSolid);
        canvas->Pen()->SetWidth(1);
        canvas->Pen()->SetColor(flatLineColor_);
        const Integer left = r.Left - 2 + leftMargin_;
        if (softBorder_) {
            const Integer right = width - 1 - rightMargin_, top = r.Bottom - 4;
            canvas->Polyline({Point(left, height - 1), Point(right, height - 1), Point(right, top), Point(left, top),
                              Point(left, height - 1)});
        } else {
            canvas->MoveTo(left, height - 1);
            canvas->LineTo(width - rightMargin_, height - 1);
        }
    }
    // The focus frame comes with this painting only (a flat edit has no non-client area to paint it in).
    if (flat_ && focusBorder_) PaintFocusFrame();
    if (dropCaret_.X >= 0) {
        canvas->Pen()->SetColor(clWindowText);
        canvas->Pen()->SetWidth(1);
        canvas->Brush()->SetStyle(bsClear);
        canvas->Rectangle(dropCaret_.X, dropCaret_.Y, dropCaret_.X + 1, dropCaret_.Y + std::abs(Font()->Height()));
        canvas->Brush()->SetStyle(bsSolid);
    }
    const bool focused = Focused();
    if (!focused && !emptyText_.empty() && Text().empty()) {
        auto hint = std::make_unique<TControlCanvas>();
        hint->SetControl(this);
        hint->Font()->SetColor(TColor(0x808080));
        hint->Brush()->SetStyle(bsClear);
        hint->TextOut(2, 2, emptyText_);
    }
    if (!focused && errorMarkerLen_ >= 1) PaintErrorMarker(*canvas);
}

// Positions count in the window text; past its end the marker starts, or ends, after the last character.
void TProEdit::PaintErrorMarker(TCanvas& Canvas) {
    const auto length = static_cast<Integer>(StoredText().size());
    const TPoint start = CharPos(std::min(errorMarkerPos_, length));
    const Integer last = errorMarkerPos_ + errorMarkerLen_ - 1;
    const TPoint end = CharPos(std::min(last, length));
    Canvas.SetFont(Font());
    const Integer base = Canvas.TextHeight("gh") - 1;
    Canvas.Pen()->SetColor(TColor(0x0000FF));
    Canvas.Pen()->SetWidth(2);
    Integer x = start.X;
    const Integer y = start.Y + base + 3;
    bool low = false;
    Canvas.MoveTo(x, y);
    while (x <= end.X) {
        x += 3;
        low = !low;
        Canvas.LineTo(x, y + (low ? 3 : 0));
    }
    Canvas.LineTo(x + 3, y + (low ? 0 : 3));
    Canvas.Pen()->SetWidth(1);
}

// Hot (under the mouse or the active control): a sunken edge and a button-face frame over the border.
// Otherwise two frames in the parent's colour hide it.
void TProEdit::PaintFocusFrame() {
    if (!HandleAllocated()) return;
    HDC dc = GetWindowDC(Handle());
    if (!dc) return;
    const bool designing = ComponentState().Contains(csDesigning);
    const bool hot = focusBorder_ && (designing ? Enabled() : mouseInside_ || Screen->ActiveControl() == this);
    RECT r = Rect(0, 0, Width(), Height());
    if (hot) {
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
        FrameRect(dc, &r, face);
    } else {
        HBRUSH parent = CreateSolidBrush(ColorToRGB(Parent() ? Parent()->Color() : clBtnFace));
        FrameRect(dc, &r, parent);
        const RECT inner = Rect(1, 1, Width() - 1, Height() - 1);
        FrameRect(dc, &inner, parent);
        DeleteObject(parent);
    }
    ReleaseDC(Handle(), dc);
}

// Transparent: the parent's background, its erase and its graphic children, with this client area's origin
// at its place in the parent.
void TProEdit::WMEraseBkgnd(TMessage& Message) {
    if (!transparent_ || !Parent()) {
        TCustomEdit::Dispatch(Message);
        return;
    }
    const auto dc = reinterpret_cast<HDC>(Message.WParam);
    const TPoint origin = Parent()->ScreenToClient(ClientOrigin());
    const int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, -origin.X, -origin.Y, nullptr);
    Parent()->Perform(WM_ERASEBKGND, Message.WParam, 0);
    Parent()->PaintControls(dc, nullptr);
    RestoreDC(dc, saved);
    Message.Result = 1;
}

void TProEdit::CNCtlColor(TMessage& Message) {
    TCustomEdit::Dispatch(Message);
    if (transparent_) SetBkMode(reinterpret_cast<HDC>(Message.WParam), TRANSPARENT);
}

// The mouse over the edit, its own children (a button) included, makes the focus frame hot.
void TProEdit::CMMouseEnter(TMessage& Message) {
    TCustomEdit::Dispatch(Message);
    if (autoFocus_ && !Focused() && CanFocus()) SetFocus();
    if (!Enabled() || mouseInside_) return;
    mouseInside_ = true;
    if (focusBorder_) PaintFocusFrame();
}

void TProEdit::CMMouseLeave(TMessage& Message) {
    TCustomEdit::Dispatch(Message);
    if (!Enabled() || !mouseInside_) return;
    mouseInside_ = false;
    if (focusBorder_) Invalidate();
}

}  // namespace ProEdit
