// The non-client area of windowed controls: the frame the window's styles ask for (WS_BORDER, a line;
// WS_EX_CLIENTEDGE, a sunken edge), then the BorderWidth gap. WM_NCPAINT's default draws it through the
// window's device context, so a control can paint its own frame instead. The corner between a window's
// two scroll bars is the button face, as the system's own non-client painting has it.

#include "Controls/ControlPeer.h"
#include "Controls/Internal.h"
#include "Windows/ScrollBars.h"
#include "vcl/Windows.h"

namespace {

constexpr DWORD FrameStyleBits = WS_BORDER;
constexpr DWORD FrameExStyleBits = WS_EX_CLIENTEDGE;

Integer FrameWidth(DWORD Style, DWORD ExStyle) {
    return ((Style & WS_BORDER) ? 1 : 0) + ((ExStyle & WS_EX_CLIENTEDGE) ? 2 : 0);
}

}  // namespace

void TWinControl::AddFrameStyles(TCreateParams& Params, TBorderStyle Style) const {
    if (Style != bsSingle) return;
    if (Ctl3D()) Params.ExStyle |= WS_EX_CLIENTEDGE;
    else Params.Style |= WS_BORDER;
}

// Before the window exists the styles come from CreateParams each time: a constructor still running may
// not have its final class yet.
void TWinControl::FrameStyles(DWORD& Style, DWORD& ExStyle) const {
    if (handle_) {
        Style = style_;
        ExStyle = exStyle_;
        return;
    }
    TCreateParams params;
    const_cast<TWinControl*>(this)->CreateParams(params);
    Style = params.Style;
    ExStyle = params.ExStyle;
}

TRect TWinControl::ClientInsets() const {
    DWORD style = 0, exStyle = 0;
    FrameStyles(style, exStyle);
    const Integer edge = FrameWidth(style, exStyle) + borderWidth_;
    return {edge, edge, edge, edge};
}

// As a window whose frame styles change and that is told so (SWP_FRAMECHANGED): the client area moves
// inside the same window, its children follow, and everything is painted again.
void TWinControl::CMBorderChanged(TMessage&) {
    const TRect before = ClientRect();
    if (handle_) {
        TCreateParams params;
        CreateParams(params);
        style_ = (style_ & ~FrameStyleBits) | (params.Style & FrameStyleBits);
        exStyle_ = (exStyle_ & ~FrameExStyleBits) | (params.ExStyle & FrameExStyleBits);
    }
    if (peer_) peer_->SetClientInsets(ClientInsets());
    BoundsChanged();
    const TRect after = ClientRect();
    if (!(after == before)) Perform(WM_SIZE, SIZE_RESTORED, MakeLParam(after.Right, after.Bottom));
    Realign();
    Invalidate();
}

void TWinControl::PaintNonClient() {
    const TRect insets = ClientInsets();
    if (insets.Left == 0 && insets.Top == 0 && insets.Right == 0 && insets.Bottom == 0) return;
    std::unique_ptr<TControlCanvas> canvas = NewWindowCanvas(this);
    HDC dc = canvas->Handle();
    DWORD style = 0, exStyle = 0;
    FrameStyles(style, exStyle);
    const TRect window = PeerBounds();
    RECT r = Rect(0, 0, window.Width(), window.Height());
    if (style & WS_BORDER) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    }
    if (exStyle & WS_EX_CLIENTEDGE) DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    // Between the frame and the client area: the BorderWidth gap (and whatever else the control keeps
    // outside its client area) in the control's colour.
    const TRect client{insets.Left, insets.Top, window.Width() - insets.Right, window.Height() - insets.Bottom};
    TCanvas& c = *canvas;
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(Color());
    const TRect parts[] = {{r.Left, r.Top, r.Right, client.Top},
                           {r.Left, client.Bottom, r.Right, r.Bottom},
                           {r.Left, client.Top, client.Left, client.Bottom},
                           {client.Right, client.Top, r.Right, client.Bottom}};
    for (const TRect& part : parts)
        if (!part.IsEmpty()) c.FillRect(part);
    if (handle_ && ScrollBarVisible(handle_, SB_HORZ) && ScrollBarVisible(handle_, SB_VERT)) {
        c.Brush()->SetColor(clBtnFace);
        c.FillRect(Rect(client.Right, client.Bottom, client.Right + GetSystemMetrics(SM_CXVSCROLL),
                        client.Bottom + GetSystemMetrics(SM_CYHSCROLL)));
    }
}
