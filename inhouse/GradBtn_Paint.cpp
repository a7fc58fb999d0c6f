// TGradBtn painting: gradient, frame, caption and focus go into the off-screen bitmap, which is then copied
// onto the control in one step.
#include "GradBtn.h"

#include "valstr.h"
#include "vcl/ExtCtrls.h"
#include "vcl/WinGdi.h"

namespace GradBtn {

using namespace valstr;

namespace {

// The colours from Begin to End in equal steps: step i of n is Begin + i * (End - Begin) div n.
class TColorRamp {
public:
    TColorRamp(TColor Begin, TColor End) {
        Byte r2 = 0, g2 = 0, b2 = 0;
        ColorToRGBBytes(Begin, r1_, g1_, b1_);
        ColorToRGBBytes(End, r2, g2, b2);
        dr_ = r2 - r1_;
        dg_ = g2 - g1_;
        db_ = b2 - b1_;
    }

    // A ramp of no steps (a button too small to have a middle) stays at Begin.
    TColor At(Integer Step, Integer Steps) const {
        if (Steps <= 0) return RGBToColor(r1_, g1_, b1_);
        return RGBToColor(static_cast<Byte>(r1_ + Step * dr_ / Steps), static_cast<Byte>(g1_ + Step * dg_ / Steps),
                          static_cast<Byte>(b1_ + Step * db_ / Steps));
    }

private:
    Byte r1_ = 0, g1_ = 0, b1_ = 0;
    Integer dr_ = 0, dg_ = 0, db_ = 0;
};

void FillBand(TCanvas* Target, const TRect& Band, TColor Color) {
    Target->Brush()->SetColor(Color);
    Target->FillRect(Band);
}

void PaintBands(TCanvas* Target, const TColorRamp& Ramp, Integer Width, Integer Height, bool Across) {
    for (Integer i = 0; i < 256; ++i) {
        const TColor color = Ramp.At(i, 255);
        if (Across) FillBand(Target, Rect(i * Width / 256, 0, (i + 1) * Width / 256, Height), color);
        else FillBand(Target, Rect(0, i * Height / 256, Width, (i + 1) * Height / 256), color);
    }
}

// Lines from both edges towards the middle line, which takes the end colour.
void PaintCentred(TCanvas* Target, const TColorRamp& Ramp, Integer Width, Integer Height, bool Across) {
    const Integer extent = Across ? Width : Height;
    const Integer half = extent / 2;
    for (Integer i = 0; i <= half; ++i) {
        const TColor color = Ramp.At(i, half);
        if (Across) {
            FillBand(Target, Rect(i, 0, i + 1, Height), color);
            FillBand(Target, Rect(extent - 1 - i, 0, extent - i, Height), color);
        } else {
            FillBand(Target, Rect(0, i, Width, i + 1), color);
            FillBand(Target, Rect(0, extent - 1 - i, Width, extent - i), color);
        }
    }
}

// 51 ellipses, the outermost a third of the size beyond every edge, each inset one percent more of it.
void PaintElliptic(TCanvas* Target, const TColorRamp& Ramp, Integer Width, Integer Height) {
    const TRect outer = Rect(-Width / 3, -Height / 3, Width + Width / 3, Height + Height / 3);
    const Integer outerWidth = outer.Width(), outerHeight = outer.Height();
    Target->Pen()->SetStyle(psClear);
    for (Integer i = 0; i <= 50; ++i) {
        const Integer dx = i * outerWidth / 100, dy = i * outerHeight / 100;
        Target->Brush()->SetColor(Ramp.At(i, 50));
        Target->Ellipse(outer.Left + dx, outer.Top + dy, outer.Right - dx, outer.Bottom - dy);
    }
    Target->Pen()->SetStyle(psSolid);
}

// 256 nested rectangles whose insets grow with the width and the height. Insets round up, so only the first
// touches the edges, and the last still covers the middle.
void PaintRectangles(TCanvas* Target, const TColorRamp& Ramp, Integer Width, Integer Height) {
    const Integer halfWidth = (Width - 1) / 2, halfHeight = (Height - 1) / 2;
    for (Integer i = 0; i < 256; ++i) {
        const Integer dx = (i * halfWidth + 254) / 255, dy = (i * halfHeight + 254) / 255;
        FillBand(Target, Rect(dx, dy, Width - dx, Height - dy), Ramp.At(i, 255));
    }
}

// The caption without its accelerator marks: "&&" shows one ampersand, "&S" shows S.
AnsiString WithoutAccelMarks(const AnsiString& Caption) {
    AnsiString shown;
    for (std::size_t i = 0; i < Caption.size(); ++i) {
        if (Caption[i] == '&') ++i;
        if (i < Caption.size()) shown += Caption[i];
    }
    return shown;
}

}  // namespace

void TGradBtn::PaintGradient(TCanvas* Target) {
    const TColorRamp ramp(beginColor_, endColor_);
    const Integer width = ClientWidth(), height = ClientHeight();
    switch (gradientStyle_) {
        case gsHorizontal: PaintBands(Target, ramp, width, height, true); break;
        case gsVertical: PaintBands(Target, ramp, width, height, false); break;
        case gsElliptic: PaintElliptic(Target, ramp, width, height); break;
        case gsRectangle: PaintRectangles(Target, ramp, width, height); break;
        case gsVertCenter: PaintCentred(Target, ramp, width, height, false); break;
        case gsHorizCenter: PaintCentred(Target, ramp, width, height, true); break;
    }
}

// The caption in layers: shades one pixel off to either side, then the face; the accelerator underlined.
void TGradBtn::PaintCaption(TCanvas* Target) {
    const AnsiString caption = Caption();
    const TSize size = Target->TextExtent(WithoutAccelMarks(caption));
    const Integer margin = 2;
    Integer x = (ClientWidth() - size.cx) / 2;
    if (justification_ == jLeft) x = margin;
    if (justification_ == jRight) x = ClientWidth() - margin - size.cx;
    Integer y = (ClientHeight() - size.cy) / 2;
    if (!up_) {
        ++x;
        ++y;
    }
    auto layer = [&](Integer Offset, TColor Color) {
        Target->Font()->SetColor(Color);
        RECT r{x + Offset, y + Offset, x + Offset + size.cx, y + Offset + size.cy};
        DrawText(Target->Handle(), caption.c_str(), static_cast<int>(caption.size()), &r,
                 DT_LEFT | DT_SINGLELINE | DT_NOCLIP);
    };
    Target->Brush()->SetStyle(bsClear);
    const bool heavy = textShadeType_ == stHeavy;
    const TTextStyle style = Enabled() ? textStyle_ : tsInset;
    if (style == tsRaised) {
        layer(-1, txtHiliteClr_);
        if (heavy) layer(1, txtShadowClr_);
    } else if (style == tsInset) {
        if (heavy) layer(-1, txtShadowClr_);
        layer(1, txtHiliteClr_);
    }
    layer(0, Enabled() ? Font()->Color() : disabledColor_);
}

void TGradBtn::Paint() {
    const TRect client = ClientRect();
    offscreen_->SetSize(client.Width(), client.Height());
    TCanvas* target = offscreen_->Canvas();
    target->SetFont(Font());
    target->Brush()->SetStyle(bsSolid);
    PaintGradient(target);

    TRect frame = client;
    if (up_) Frame3D(target, frame, btnHiliteClr_, btnShadowClr_, btnFrameSize_);
    else Frame3D(target, frame, btnShadowClr_, btnHiliteClr_, btnFrameSize_);

    PaintCaption(target);

    if (!ComponentState().Contains(csDesigning) && showFocus_ && Focused()) {
        target->DrawFocusRect(Rect(client.Left + 2, client.Top + 2, client.Right - 2, client.Bottom - 2));
    }

    Canvas()->SetCopyMode(cmSrcCopy);
    Canvas()->CopyRect(client, target, client);
}

}  // namespace GradBtn
