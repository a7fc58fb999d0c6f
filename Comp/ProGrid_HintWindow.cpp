// The grid's mark-up hint window.
#include "ProGrid_HintWindow.h"

#include <initializer_list>

#include "GrdHTMLE.h"
#include "vcl/Forms.h"
#include "vcl/Windows.h"

namespace ProGrid {

namespace {

// The box a hint is measured in, whatever width the caller offers.
constexpr Integer HintMeasureWidth = 1008;
// Outline and margins around the mark-up.
constexpr Integer HintExtraWidth = 16;
constexpr Integer HintExtraHeight = 4;
constexpr Integer HintTextInset = 4;
// Kept between a moved hint and the monitor's edge.
constexpr Integer HintEdgeGap = 2;

constexpr TColor HintLinkColor = static_cast<TColor>(0xFF0000);
constexpr TColor HintShadowColor = static_cast<TColor>(0x808080);

// A one-pixel solid pen of Color for the polyline through Points; the pen goes again after it.
void DrawOutlineLine(HDC DC, TColor Color, std::initializer_list<POINT> Points) {
    HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(Color));
    HGDIOBJ old = SelectObject(DC, pen);
    Polyline(DC, Points.begin(), static_cast<int>(Points.size()));
    SelectObject(DC, old);
    DeleteObject(pen);
}

}  // namespace

VCL_IMPLEMENT_CLASS(THTMLHintWindow, VCL_CREATOR(THTMLHintWindow), nullptr)

THTMLHintWindow::THTMLHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

THTMLHintWindow::~THTMLHintWindow() = default;

void THTMLHintWindow::CreateParams(TCreateParams& Params) {
    THintWindow::CreateParams(Params);
    // The outline Paint draws replaces the frame.
    Params.Style &= ~WS_BORDER;
    if (IsNTFiveOneOrLater()) Params.WindowClass.style |= CS_DROPSHADOW;
}

void THTMLHintWindow::Render(const AnsiString& AHint, const TRect& Box, bool Measure, Integer& AWidth,
                             Integer& AHeight) {
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    AnsiString anchor, plain, focusAnchor, controlID, controlValue, controlType;
    Integer anchors = 0, mouseLink = 0;
    TRect mouseRect, controlRect;
    // The blink phase stays off: blinking mark-up shows nothing in a hint.
    GrdHTMLE::RenderHTML(canvas, AHint, Box, nullptr, 0, 0, -1, 0, 1, false, Measure, false, false, false, false,
                         Measure, false, 1.0, HintLinkColor, clNone, clNone, HintShadowColor, anchor, plain,
                         focusAnchor, AWidth, AHeight, anchors, mouseLink, mouseRect, controlRect, controlID,
                         controlValue, controlType, nullptr, nullptr, HandleAllocated() ? Handle() : nullptr);
}

TRect THTMLHintWindow::CalcHintRect(Integer MaxWidth, const AnsiString& AHint, void*) {
    Integer width = 0, height = 0;
    Render(AHint, Rect(0, 0, MaxWidth, 0), true, width, height);
    return Rect(0, 0, width, height);
}

void THTMLHintWindow::ActivateHint(TRect ARect, const AnsiString& AHint) {
    SetCaption(AHint);
    Render(AHint, Rect(ARect.Left, ARect.Top, ARect.Left + HintMeasureWidth, ARect.Top), true, markupWidth_,
           markupHeight_);
    TRect r = Rect(ARect.Left, ARect.Top, ARect.Left + markupWidth_ + HintExtraWidth,
                   ARect.Top + markupHeight_ + HintExtraHeight);
    // The monitor the hint starts on, not only the primary one, keeps it whole.
    const TRect monitor = Screen->MonitorFromPoint(Point(ARect.Left, ARect.Top))->BoundsRect();
    if (r.Right > monitor.Right) {
        const Integer shift = r.Right - monitor.Right + HintEdgeGap;
        r.Left -= shift;
        r.Right -= shift;
    }
    if (r.Bottom > monitor.Bottom) {
        r.Bottom = monitor.Bottom - HintEdgeGap;
        r.Top = r.Bottom - markupHeight_ - HintExtraHeight;
    }
    SetBounds(r.Left, r.Top, r.Width(), r.Height());
    HandleNeeded();
    SetWindowPos(Handle(), HWND_TOPMOST, r.Left, r.Top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    Invalidate();
}

void THTMLHintWindow::Paint() {
    TCanvas* canvas = Canvas();
    const HDC dc = canvas->Handle();
    const TRect client = ClientRect();
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    // Polylines leave out their last point: the light line stops short of the top right corner.
    DrawOutlineLine(dc, cl3DLight,
                    {{client.Left, client.Bottom - 2}, {client.Left, client.Top}, {client.Right - 1, client.Top}});
    DrawOutlineLine(
        dc, cl3DDkShadow,
        {{client.Left, client.Bottom - 1}, {client.Right - 1, client.Bottom - 1}, {client.Right - 1, client.Top - 1}});
    TRect text;
    text.Left = client.Left + HintTextInset;
    text.Right = client.Right - HintTextInset;
    text.Top = client.Top + (client.Height() - markupHeight_) / 2;
    text.Bottom = text.Top + markupHeight_ + 8;
    canvas->Brush()->SetColor(Color());
    Integer width = 0, height = 0;
    Render(Caption(), text, false, width, height);
}

void THTMLHintWindow::Dispatch(TMessage& Message) {
    THintWindow::Dispatch(Message);
    if (Message.Msg == CM_TEXTCHANGED) Invalidate();
}

}  // namespace ProGrid
