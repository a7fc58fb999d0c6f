// TSpeedButton: the glyph strip, the classic and flat frames, and the press, hold and group logic.
#include "vcl/Buttons.h"

#include <algorithm>

#include "vcl/WinGdi.h"

namespace {

void PublishTSpeedButton(TPublisher& p) {
    TPublishOf<TSpeedButton> P(p);
    P.Bool("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp);
    P.Int("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex);
    P.Bool("Down", &TSpeedButton::Down, &TSpeedButton::SetDown);
    P.Bool("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat);
    P.Object("Glyph", &TSpeedButton::Glyph);
    P.Enum<TButtonLayout>("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout,
                          {{"blGlyphLeft", blGlyphLeft},
                           {"blGlyphRight", blGlyphRight},
                           {"blGlyphTop", blGlyphTop},
                           {"blGlyphBottom", blGlyphBottom}});
    P.Int("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin);
    P.Int("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs);
    P.Int("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing);
}

bool Pressed(TButtonState State) { return State == bsDown || State == bsExclusive; }

// Where the glyph and the caption go in Client for Layout, Margin and Spacing, as the classic button
// places them: together centred, or the glyph Margin away from its edge.
void PlaceGlyphAndCaption(const TRect& Client, TSize Glyph, TSize Caption, TButtonLayout Layout, Integer Margin,
                          Integer Spacing, TPoint& GlyphPos, TPoint& CaptionPos) {
    const bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
    const Integer room = horizontal ? Client.Width() : Client.Height();
    const Integer glyphLength = horizontal ? Glyph.cx : Glyph.cy;
    const Integer captionLength = horizontal ? Caption.cx : Caption.cy;
    if (glyphLength == 0 || captionLength == 0) Spacing = 0;
    if (Margin == -1) {
        if (Spacing == -1) {
            const Integer total = glyphLength + captionLength;
            Margin = Spacing = (room - total) / 3;
        } else {
            Margin = (room - glyphLength - captionLength - Spacing) / 2;
        }
    } else if (Spacing == -1) {
        Spacing = (room - Margin - glyphLength - captionLength) / 2;
    }
    const Integer centreX = Client.Left + (Client.Width() - Glyph.cx) / 2;
    const Integer centreY = Client.Top + (Client.Height() - Glyph.cy) / 2;
    const Integer captionX = Client.Left + (Client.Width() - Caption.cx) / 2;
    const Integer captionY = Client.Top + (Client.Height() - Caption.cy) / 2;
    switch (Layout) {
        case blGlyphLeft:
            GlyphPos = {Client.Left + Margin, centreY};
            CaptionPos = {GlyphPos.X + Glyph.cx + Spacing, captionY};
            break;
        case blGlyphRight:
            GlyphPos = {Client.Right - Margin - Glyph.cx, centreY};
            CaptionPos = {GlyphPos.X - Spacing - Caption.cx, captionY};
            break;
        case blGlyphTop:
            GlyphPos = {centreX, Client.Top + Margin};
            CaptionPos = {captionX, GlyphPos.Y + Glyph.cy + Spacing};
            break;
        case blGlyphBottom:
            GlyphPos = {centreX, Client.Bottom - Margin - Glyph.cy};
            CaptionPos = {captionX, GlyphPos.Y - Spacing - Caption.cy};
            break;
    }
}

// The held-down face: every other pixel in the highlight colour.
void FillHeldDown(TCanvas* Canvas, const TRect& R) {
    for (Integer y = R.Top; y < R.Bottom; ++y)
        for (Integer x = R.Left + ((y + R.Left) & 1); x < R.Right; x += 2) Canvas->SetPixels(x, y, clBtnHighlight);
}

}  // namespace

VCL_IMPLEMENT_CLASS(TSpeedButton, VCL_CREATOR(TSpeedButton), &PublishTSpeedButton)

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), glyph_(std::make_unique<TBitmap>()) {
    // Clicks come from MouseUp, so that a press moved off the button and back still counts.
    SetControlStyle(TControlStyle{csCaptureMouse, csDoubleClicks});
    glyph_->OnChange = [this](TObject*) { Invalidate(); };
    SetBounds(Left(), Top(), 23, 22);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetAllowAllUp(bool Value) {
    if (allowAllUp_ == Value) return;
    allowAllUp_ = Value;
    UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(Integer Value) {
    if (groupIndex_ == Value) return;
    groupIndex_ = Value;
    UpdateExclusive();
}

void TSpeedButton::SetDown(bool Value) {
    if (groupIndex_ == 0) Value = false;
    if (Value == down_) return;
    // The last button of a group stays down unless all may be up.
    if (down_ && !allowAllUp_) return;
    down_ = Value;
    SetState(Value ? bsExclusive : bsUp);
    if (Value) UpdateExclusive();
}

void TSpeedButton::SetFlat(bool Value) {
    if (flat_ == Value) return;
    flat_ = Value;
    Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* Value) {
    if (Value) glyph_->Assign(Value);
    else glyph_->SetSize(0, 0);
    // A strip of images as wide as high each: as many as fit.
    if (Value && !Value->Empty() && Value->Height() > 0 && Value->Width() % Value->Height() == 0) {
        const Integer images = Value->Width() / Value->Height();
        if (images >= 1 && images <= 4) numGlyphs_ = images;
    }
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(TNumGlyphs Value) {
    Value = std::clamp<Integer>(Value, 1, 4);
    if (numGlyphs_ == Value) return;
    numGlyphs_ = Value;
    Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout Value) {
    if (layout_ == Value) return;
    layout_ = Value;
    Invalidate();
}

void TSpeedButton::SetMargin(Integer Value) {
    if (margin_ == Value || Value < -1) return;
    margin_ = Value;
    Invalidate();
}

void TSpeedButton::SetSpacing(Integer Value) {
    if (spacing_ == Value) return;
    spacing_ = Value;
    Invalidate();
}

// The other buttons of this parent in the same group go up when this one is down, and all of the group
// take its AllowAllUp.
void TSpeedButton::UpdateExclusive() {
    TWinControl* parent = Parent();
    if (groupIndex_ == 0 || !parent) return;
    for (Integer i = 0; i < parent->ControlCount(); ++i) {
        auto* other = dynamic_cast<TSpeedButton*>(parent->Controls(i));
        if (!other || other == this || other->groupIndex_ != groupIndex_) continue;
        if (down_ && other->down_) {
            other->down_ = false;
            other->state_ = bsUp;
            other->Invalidate();
        }
        other->allowAllUp_ = allowAllUp_;
    }
}

TButtonState TSpeedButton::RestingState() const {
    if (!Enabled()) return bsDisabled;
    return down_ ? bsExclusive : bsUp;
}

void TSpeedButton::SetState(TButtonState Value) {
    if (state_ == Value) return;
    state_ = Value;
    Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled()) return;
    if (!down_) SetState(bsDown);
    dragging_ = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!dragging_) return;
    const bool inside = X >= 0 && X < Width() && Y >= 0 && Y < Height();
    SetState(inside && !down_ ? bsDown : down_ ? bsExclusive : bsUp);
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!dragging_) return;
    dragging_ = false;
    const bool inside = X >= 0 && X < Width() && Y >= 0 && Y < Height();
    if (groupIndex_ == 0) {
        SetState(bsUp);
    } else if (inside) {
        SetDown(!down_);
        SetState(RestingState());
    } else {
        SetState(RestingState());
    }
    if (inside) Click();
}

void TSpeedButton::Dispatch(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    switch (Message.Msg) {
        case CM_ENABLEDCHANGED:
            dragging_ = false;
            state_ = RestingState();
            Invalidate();
            break;
        case CM_MOUSEENTER:
        case CM_MOUSELEAVE:
            if (Message.LParam != 0 && Message.LParam != reinterpret_cast<LPARAM>(this)) break;
            mouseInControl_ = Message.Msg == CM_MOUSEENTER;
            if (flat_ && Enabled()) Invalidate();
            break;
        case CM_TEXTCHANGED:
        case CM_FONTCHANGED: Invalidate(); break;
        default: break;
    }
}

void TSpeedButton::DrawGlyphImage(Integer X, Integer Y, TButtonState State) {
    const Integer imageWidth = glyph_->Width() / numGlyphs_;
    const Integer height = glyph_->Height();
    Integer index = static_cast<Integer>(State);
    const bool embossed = State == bsDisabled && index >= numGlyphs_;
    if (index >= numGlyphs_) index = 0;
    TCanvas* source = glyph_->Canvas();
    const TColor transparent = source->Pixels(0, height - 1);
    TCanvas* canvas = Canvas();
    const Integer left = index * imageWidth;
    auto paint = [&](Integer dx, Integer dy, TColor Fixed) {
        for (Integer gy = 0; gy < height; ++gy)
            for (Integer gx = 0; gx < imageWidth; ++gx) {
                const TColor c = source->Pixels(left + gx, gy);
                if (c == transparent) continue;
                canvas->SetPixels(X + gx + dx, Y + gy + dy, Fixed == clNone ? c : Fixed);
            }
    };
    if (!embossed) {
        paint(0, 0, clNone);
        return;
    }
    // No disabled image: the shape embossed, highlight below right and shadow on top.
    paint(1, 1, clBtnHighlight);
    paint(0, 0, clBtnShadow);
}

TRect TSpeedButton::DrawGlyphAndCaption(TRect Client, TButtonState State, bool Pressed) {
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    const AnsiString caption = Caption();
    const TSize glyph = glyph_->Empty() ? TSize{0, 0} : TSize{glyph_->Width() / numGlyphs_, glyph_->Height()};
    const TSize text = caption.empty() ? TSize{0, 0} : canvas->TextExtent(caption);
    TPoint glyphPos, captionPos;
    PlaceGlyphAndCaption(Client, glyph, text, layout_, margin_, spacing_, glyphPos, captionPos);
    const Integer shift = Pressed ? 1 : 0;
    if (glyph.cx > 0) DrawGlyphImage(glyphPos.X + shift, glyphPos.Y + shift, State);
    const TRect captionRect = Rect(captionPos.X + shift, captionPos.Y + shift, captionPos.X + shift + text.cx,
                                   captionPos.Y + shift + text.cy);
    if (caption.empty()) return captionRect;
    canvas->Brush()->SetStyle(bsClear);
    if (State == bsDisabled) {
        canvas->Font()->SetColor(clBtnHighlight);
        canvas->TextOut(captionRect.Left + 1, captionRect.Top + 1, caption);
        canvas->Font()->SetColor(clBtnShadow);
    }
    canvas->TextOut(captionRect.Left, captionRect.Top, caption);
    canvas->Brush()->SetStyle(bsSolid);
    return captionRect;
}

void TSpeedButton::Paint() {
    TCanvas* canvas = Canvas();
    if (!Enabled()) {
        state_ = bsDisabled;
        dragging_ = false;
    } else if (state_ == bsDisabled) {
        state_ = down_ ? bsExclusive : bsUp;
    }
    const bool pressed = Pressed(state_);
    TRect r = Rect(0, 0, Width(), Height());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(r);
    if (flat_) {
        if (pressed) DrawEdge(canvas->Handle(), &r, BDR_SUNKENOUTER, BF_RECT);
        else if (mouseInControl_ && Enabled()) DrawEdge(canvas->Handle(), &r, BDR_RAISEDINNER, BF_RECT);
        r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    } else {
        DrawFrameControl(canvas->Handle(), &r, DFC_BUTTON,
                         DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0));
    }
    if (state_ == bsExclusive && (!flat_ || !mouseInControl_)) FillHeldDown(canvas, r);
    DrawGlyphAndCaption(r, state_, pressed);
}

void RegisterButtons() { RegisterClasses({TSpeedButton::ClassInfo()}); }
