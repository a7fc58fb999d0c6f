// TGPanel: the plain panel first, then one or two gradients over the area inside the bevels.
#include "GPanel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "vcl/SysUtils.h"
#include "vcl/WinGdi.h"

namespace GPanel {

namespace {

void PublishTGPanel(TPublisher& p) {
    using C = TGPanel;
    TPublishOf<C> P(p);
    P.Bool("Active", &C::Active, &C::SetActive);
    P.IntIdent("Color_1", &C::Color_1, &C::SetColor_1, &IdentToColor);
    P.IntIdent("Color_2", &C::Color_2, &C::SetColor_2, &IdentToColor);
    P.IntIdent("Color_3", &C::Color_3, &C::SetColor_3, &IdentToColor);
    P.Bool("Horizontal", &C::Horizontal, &C::SetHorizontal);
    P.Int("Percent", &C::Percent, &C::SetPercent);
}

bool IsRaisedOrLowered(TPanelBevel Bevel) { return Bevel == bvLowered || Bevel == bvRaised; }

struct TChannels {
    Integer Value[3];
};

TChannels ChannelsOf(TColor Color) {
    const COLORREF rgb = ColorToRGB(Color);
    return {{GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)}};
}

// Band Index of Steps: the start colour first, the end colour last, in equal (rounded) steps between.
TColor BandColor(const TChannels& Start, const TChannels& End, Integer Index, Integer Steps) {
    Integer value[3];
    for (int c = 0; c < 3; ++c) {
        const Integer diff = End.Value[c] - Start.Value[c];
        const double share = Steps > 1 ? static_cast<double>(Index) / (Steps - 1) : 0.0;
        const Integer moved = static_cast<Integer>(std::lround(diff * share));
        value[c] = std::clamp(Start.Value[c] + moved, 0, 255);
    }
    return static_cast<TColor>(
        RGB(static_cast<Byte>(value[0]), static_cast<Byte>(value[1]), static_cast<Byte>(value[2])));
}

// Fills Area with bands running from From to To along its width (Horizontal) or its height. The number
// of colour steps is the largest channel difference, but never more than the length: every band is at
// least one pixel and the last band ends exactly at the far edge.
void PaintGradient(TCanvas* Canvas, const TRect& Area, bool Horizontal, TColor From, TColor To) {
    const Integer length = Horizontal ? Area.Width() : Area.Height();
    if (length <= 0) return;
    const TChannels start = ChannelsOf(From);
    const TChannels end = ChannelsOf(To);
    Integer maxDiff = 0;
    for (int c = 0; c < 3; ++c) maxDiff = std::max(maxDiff, std::abs(end.Value[c] - start.Value[c]));
    const Integer steps = std::clamp(maxDiff, 1, length);
    Canvas->Brush()->SetStyle(bsSolid);
    for (Integer i = 0; i < steps; ++i) {
        const Integer bandStart = static_cast<Integer>(static_cast<Int64>(length) * i / steps);
        const Integer bandEnd = static_cast<Integer>(static_cast<Int64>(length) * (i + 1) / steps);
        Canvas->Brush()->SetColor(BandColor(start, end, i, steps));
        if (Horizontal) Canvas->FillRect(TRect{Area.Left + bandStart, Area.Top, Area.Left + bandEnd, Area.Bottom});
        else Canvas->FillRect(TRect{Area.Left, Area.Top + bandStart, Area.Right, Area.Top + bandEnd});
    }
}

// Equal colours leave the plain panel showing.
void PaintGradientIfDistinct(TCanvas* Canvas, const TRect& Area, bool Horizontal, TColor From, TColor To) {
    if (ColorToRGB(From) == ColorToRGB(To)) return;
    PaintGradient(Canvas, Area, Horizontal, From, To);
}

}  // namespace

VCL_IMPLEMENT_CLASS(TGPanel, VCL_CREATOR(TGPanel), &PublishTGPanel)

TGPanel::TGPanel(TComponent* AOwner) : TPanel(AOwner) {}

void TGPanel::Changed() { Invalidate(); }

void TGPanel::SetActive(bool Value) {
    active_ = Value;
    Changed();
}

void TGPanel::SetColor_1(TColor Value) {
    color1_ = Value;
    Changed();
}

void TGPanel::SetColor_2(TColor Value) {
    color2_ = Value;
    Changed();
}

void TGPanel::SetColor_3(TColor Value) {
    color3_ = Value;
    Changed();
}

void TGPanel::SetHorizontal(bool Value) {
    horizontal_ = Value;
    Changed();
}

void TGPanel::SetPercent(Integer Value) {
    percent_ = std::clamp(Value, 1, 100);
    Changed();
}

void TGPanel::Paint() {
    TPanel::Paint();
    if (!active_) return;
    Integer inset = 0;
    if (IsRaisedOrLowered(BevelInner())) inset += BevelWidth();
    if (IsRaisedOrLowered(BevelOuter())) inset += BevelWidth();
    const TRect area{inset, inset, ClientWidth() - inset, ClientHeight() - inset};
    if (area.Width() <= 0 || area.Height() <= 0) return;
    TCanvas* canvas = Canvas();
    if (percent_ == 100) {
        PaintGradientIfDistinct(canvas, area, horizontal_, color1_, color2_);
        return;
    }
    const Integer length = horizontal_ ? area.Width() : area.Height();
    const Integer part = std::max<Integer>(1, static_cast<Integer>(static_cast<Int64>(length) * percent_ / 100));
    TRect first = area;
    TRect second = area;
    if (horizontal_) {
        first.Right = area.Left + part;
        second.Left = area.Left + part;
    } else {
        first.Bottom = area.Top + part;
        second.Top = area.Top + part;
    }
    PaintGradientIfDistinct(canvas, first, horizontal_, color1_, color2_);
    PaintGradientIfDistinct(canvas, second, horizontal_, color2_, color3_);
}

void RegisterGPanel() { RegisterClass(TGPanel::ClassInfo()); }

}  // namespace GPanel
