// TCustomPanel: bevels, border and caption, and the client area its children align in.
#include "vcl/ExtCtrls.h"
#include "vcl/SysUtils.h"
#include "vcl/WinGdi.h"

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, Integer Width) {
    Canvas->Pen()->SetWidth(1);
    --Rect.Bottom;
    --Rect.Right;
    for (; Width > 0; --Width) {
        Canvas->Pen()->SetColor(TopColor);
        Canvas->Polyline({{Rect.Left, Rect.Bottom}, {Rect.Left, Rect.Top}, {Rect.Right, Rect.Top}});
        Canvas->Pen()->SetColor(BottomColor);
        // The bottom line runs one pixel further left so it meets the left edge's last pixel.
        Canvas->Polyline({{Rect.Right, Rect.Top}, {Rect.Right, Rect.Bottom}, {Rect.Left - 1, Rect.Bottom}});
        ++Rect.Left;
        ++Rect.Top;
        --Rect.Right;
        --Rect.Bottom;
    }
    ++Rect.Bottom;
    ++Rect.Right;
}

namespace {

const TEnumNames<TPanelBevel>& BevelNames() {
    static const TEnumNames<TPanelBevel> names{
        {"bvNone", bvNone}, {"bvLowered", bvLowered}, {"bvRaised", bvRaised}, {"bvSpace", bvSpace}};
    return names;
}

void PublishTCustomPanel(TPublisher& p) {
    using C = TCustomPanel;
    TPublishOf<C> P(p);
    P.Enum<TAlignment>("Alignment", &C::Alignment, &C::SetAlignment, AlignmentNames());
    P.Enum<TPanelBevel>("BevelInner", &C::BevelInner, &C::SetBevelInner, BevelNames());
    P.Enum<TPanelBevel>("BevelOuter", &C::BevelOuter, &C::SetBevelOuter, BevelNames());
    P.Int("BevelWidth", &C::BevelWidth, &C::SetBevelWidth);
    P.Enum<TBorderStyle>("BorderStyle", &C::BorderStyle, &C::SetBorderStyle,
                         {{"bsNone", bsNone}, {"bsSingle", bsSingle}});
    P.Bool("FullRepaint", &C::FullRepaint, &C::SetFullRepaint);
    P.Bool("Locked", &C::Locked, &C::SetLocked);
}

// Top-left and bottom-right colours of a bevel: lowered is shadow over highlight, the others the reverse.
void BevelColors(TPanelBevel Bevel, TColor& TopColor, TColor& BottomColor) {
    TopColor = Bevel == bvLowered ? clBtnShadow : clBtnHighlight;
    BottomColor = Bevel == bvLowered ? clBtnHighlight : clBtnShadow;
}

}  // namespace

VCL_IMPLEMENT_CLASS(TCustomPanel, nullptr, &PublishTCustomPanel)
VCL_IMPLEMENT_CLASS(TPanel, VCL_CREATOR(TPanel), nullptr)

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(
        {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks, csReplicatable});
    SetBounds(Left(), Top(), 185, 41);
    SetColor(clBtnFace);
}

void TCustomPanel::SetAlignment(TAlignment Value) {
    if (alignment_ == Value) return;
    alignment_ = Value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel Value) {
    if (bevelInner_ == Value) return;
    bevelInner_ = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TPanelBevel Value) {
    if (bevelOuter_ == Value) return;
    bevelOuter_ = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(TBevelWidth Value) {
    if (Value < 1) throw ERangeError("Range check error");
    if (bevelWidth_ == Value) return;
    bevelWidth_ = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
    if (Value != bsNone && Value != bsSingle) throw EInvalidOperation("Invalid border style for a panel");
    if (borderStyle_ == Value) return;
    borderStyle_ = Value;
    Perform(CM_BORDERCHANGED, 0, 0);
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    AddFrameStyles(Params, borderStyle_);
}

void TCustomPanel::AdjustClientRect(TRect& Rect) {
    TCustomControl::AdjustClientRect(Rect);
    // BorderWidth counts twice: once outside the client area and once again inside it.
    Integer inset = BorderWidth();
    if (bevelOuter_ != bvNone) inset += bevelWidth_;
    if (bevelInner_ != bvNone) inset += bevelWidth_;
    Rect.Left += inset;
    Rect.Top += inset;
    Rect.Right -= inset;
    Rect.Bottom -= inset;
}

void TCustomPanel::Dispatch(TMessage& Message) {
    TCustomControl::Dispatch(Message);
    switch (Message.Msg) {
        case CM_TEXTCHANGED: Invalidate(); break;
        default: break;
    }
}

void TCustomPanel::Paint() {
    TCanvas* canvas = Canvas();
    TRect rect = ClientRect();
    TColor top{}, bottom{};
    if (bevelOuter_ != bvNone) {
        BevelColors(bevelOuter_, top, bottom);
        Frame3D(canvas, rect, top, bottom, bevelWidth_);
    }
    Frame3D(canvas, rect, Color(), Color(), BorderWidth());
    if (bevelInner_ != bvNone) {
        BevelColors(bevelInner_, top, bottom);
        Frame3D(canvas, rect, top, bottom, bevelWidth_);
    }
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(rect);
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetFont(Font());
    const Integer fontHeight = canvas->TextHeight("W");
    rect.Top = (rect.Bottom + rect.Top - fontHeight) / 2;
    rect.Bottom = rect.Top + fontHeight;
    static constexpr UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    const AnsiString caption = Caption();
    DrawText(canvas->Handle(), caption.c_str(), -1, &rect, DT_EXPANDTABS | DT_VCENTER | alignments[alignment_]);
}
