// TBevel: boxes, frames and separator lines in the button shadow and highlight colours.
#include "vcl/ExtCtrls.h"

namespace {

void PublishTBevel(TPublisher& p) {
    TPublishOf<TBevel> P(p);
    P.Enum<TBevelShape>("Shape", &TBevel::Shape, &TBevel::SetShape,
                        {{"bsBox", bsBox},
                         {"bsFrame", bsFrame},
                         {"bsTopLine", bsTopLine},
                         {"bsBottomLine", bsBottomLine},
                         {"bsLeftLine", bsLeftLine},
                         {"bsRightLine", bsRightLine},
                         {"bsSpacer", bsSpacer}});
    P.Enum<TBevelStyle>("Style", &TBevel::Style, &TBevel::SetStyle, {{"bsLowered", bsLowered}, {"bsRaised", bsRaised}});
}

void BevelRect(TCanvas* Canvas, const TRect& R, TColor TopLeft, TColor BottomRight) {
    Canvas->Pen()->SetColor(TopLeft);
    Canvas->Polyline({{R.Left, R.Bottom}, {R.Left, R.Top}, {R.Right, R.Top}});
    Canvas->Pen()->SetColor(BottomRight);
    Canvas->Polyline({{R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left, R.Bottom}});
}

void BevelLine(TCanvas* Canvas, TColor Color, Integer X1, Integer Y1, Integer X2, Integer Y2) {
    Canvas->Pen()->SetColor(Color);
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
}

}  // namespace

VCL_IMPLEMENT_CLASS(TBevel, VCL_CREATOR(TBevel), &PublishTBevel)

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
    SetBounds(Left(), Top(), 50, 50);
}

void TBevel::SetShape(TBevelShape Value) {
    if (shape_ == Value) return;
    shape_ = Value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value) {
    if (style_ == Value) return;
    style_ = Value;
    Invalidate();
}

void TBevel::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Pen()->SetWidth(1);
    const TColor first = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor second = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
    const Integer w = Width(), h = Height();
    switch (shape_) {
        case bsBox: BevelRect(canvas, Rect(0, 0, w - 1, h - 1), first, second); break;
        case bsFrame:
            // Two offset boxes: the second colour below, the first on top, for an etched groove.
            BevelRect(canvas, Rect(1, 1, w - 1, h - 1), second, second);
            BevelRect(canvas, Rect(0, 0, w - 2, h - 2), first, first);
            break;
        case bsTopLine:
            BevelLine(canvas, first, 0, 0, w, 0);
            BevelLine(canvas, second, 0, 1, w, 1);
            break;
        case bsBottomLine:
            BevelLine(canvas, first, 0, h - 2, w, h - 2);
            BevelLine(canvas, second, 0, h - 1, w, h - 1);
            break;
        case bsLeftLine:
            BevelLine(canvas, first, 0, 0, 0, h);
            BevelLine(canvas, second, 1, 0, 1, h);
            break;
        case bsRightLine:
            BevelLine(canvas, first, w - 2, 0, w - 2, h);
            BevelLine(canvas, second, w - 1, 0, w - 1, h);
            break;
        case bsSpacer: break;
    }
}
