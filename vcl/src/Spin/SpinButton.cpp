// TSpinButton: two halves painted as buttons, clicks on release, auto-repeat while a half is held.
#include "vcl/Spin.h"

#include "vcl/Resources.h"
#include "vcl/Windows.h"

namespace {

void PublishTSpinButton(TPublisher& p) {
    TPublishOf<TSpinButton> P(p);
    P.Object("UpGlyph", &TSpinButton::UpGlyph);
    P.Object("DownGlyph", &TSpinButton::DownGlyph);
    P.Component<TWinControl>("FocusControl", &TSpinButton::SetFocusControl);
    P.Event("OnUpClick", &TSpinButton::OnUpClick);
    P.Event("OnDownClick", &TSpinButton::OnDownClick);
}

// Rows of a 9 x 5 triangle, pointing up: the corners stay background so the glyph's transparent colour
// (its bottom-left pixel) is the background.
void DrawTriangle(TBitmap& Glyph, bool PointsUp) {
    Glyph.SetSize(9, 5);
    TCanvas* canvas = Glyph.Canvas();
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(Rect(0, 0, 9, 5));
    for (Integer row = 0; row < 4; ++row) {
        const Integer y = PointsUp ? row + 1 : 3 - row;
        for (Integer x = 4 - row; x <= 4 + row; ++x) canvas->SetPixels(x, y, clBlack);
    }
}

}  // namespace

VCL_IMPLEMENT_CLASS(TSpinButton, VCL_CREATOR(TSpinButton), &PublishTSpinButton)

TSpinButton::TSpinButton(TComponent* AOwner)
    : TCustomControl(AOwner), upGlyph_(std::make_unique<TBitmap>()), downGlyph_(std::make_unique<TBitmap>()) {
    SetControlStyle(ControlStyle() - TControlStyle{csAcceptsControls, csSetCaption} + TControlStyle{csOpaque});
    LoadDefaultGlyph(*upGlyph_, "SpinUp", true);
    LoadDefaultGlyph(*downGlyph_, "SpinDown", false);
    SetBounds(Left(), Top(), 20, 25);
}

void TSpinButton::LoadDefaultGlyph(TBitmap& Glyph, const char* ResName, bool PointsUp) {
    if (FindResourceEntry(ResName, "BMP") || FindResourceEntry(ResName, "PNG"))
        Glyph.LoadFromResourceName(nullptr, ResName);
    else DrawTriangle(Glyph, PointsUp);
    Glyph.SetTransparent(true);
}

void TSpinButton::SetUpGlyph(TBitmap* Value) {
    if (Value) upGlyph_->Assign(Value);
    else LoadDefaultGlyph(*upGlyph_, "SpinUp", true);
    Invalidate();
}

void TSpinButton::SetDownGlyph(TBitmap* Value) {
    if (Value) downGlyph_->Assign(Value);
    else LoadDefaultGlyph(*downGlyph_, "SpinDown", false);
    Invalidate();
}

TRect TSpinButton::HalfRect(TSpinHalf Half) const {
    const TRect client = ClientRect();
    const Integer middle = client.Height() / 2;
    if (Half == shUp) return Rect(0, 0, client.Right, middle);
    return Rect(0, middle, client.Right, client.Bottom);
}

TSpinHalf TSpinButton::HalfAt(Integer X, Integer Y) const {
    const TPoint p{X, Y};
    if (HalfRect(shUp).Contains(p)) return shUp;
    if (HalfRect(shDown).Contains(p)) return shDown;
    return shNone;
}

void TSpinButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled()) return;
    const TSpinHalf half = HalfAt(X, Y);
    if (half == shNone) return;
    pressed_ = half;
    pressedInside_ = true;
    Invalidate();
    if (focusControl_ && focusControl_->TabStop() && focusControl_->CanFocus() && !focusControl_->Focused())
        focusControl_->SetFocus();
    else if (TabStop() && !Focused() && CanFocus()) SetFocus();
    if (!repeatTimer_) {
        // Made on the first press: a timer starts running as soon as it exists.
        repeatTimer_ = MakeOwned<TTimer>(nullptr);
        repeatTimer_->SetEnabled(false);
        repeatTimer_->OnTimer = [this](TObject*) { RepeatTick(); };
    }
    repeatTimer_->SetInterval(InitRepeatPause);
    repeatTimer_->SetEnabled(true);
}

void TSpinButton::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    if (pressed_ == shNone) return;
    const bool inside = HalfAt(X, Y) == pressed_;
    if (inside == pressedInside_) return;
    pressedInside_ = inside;
    Invalidate();
}

void TSpinButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || pressed_ == shNone) return;
    const TSpinHalf half = pressed_;
    const bool inside = HalfAt(X, Y) == half;
    StopRepeat();
    if (inside && Enabled()) ClickHalf(half);
}

void TSpinButton::StopRepeat() {
    if (repeatTimer_) repeatTimer_->SetEnabled(false);
    pressed_ = shNone;
    pressedInside_ = false;
    Invalidate();
}

void TSpinButton::RepeatTick() {
    repeatTimer_->SetInterval(RepeatPause);
    if (!pressedInside_ || !Enabled()) return;
    try {
        ClickHalf(pressed_);
    } catch (...) {
        // A failing handler must not keep repeating.
        repeatTimer_->SetEnabled(false);
        throw;
    }
}

void TSpinButton::ClickHalf(TSpinHalf Half) {
    if (Half == shUp) UpClick();
    if (Half == shDown) DownClick();
}

void TSpinButton::UpClick() {
    if (OnUpClick) OnUpClick(this);
}

void TSpinButton::DownClick() {
    if (OnDownClick) OnDownClick(this);
}

void TSpinButton::KeyDown(Word& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key == VK_UP) UpClick();
    if (Key == VK_DOWN) DownClick();
}

void TSpinButton::Dispatch(TMessage& Message) {
    TCustomControl::Dispatch(Message);
    // Disabled while held: the press ends without a click.
    if (Message.Msg == CM_ENABLEDCHANGED && !Enabled() && pressed_ != shNone) StopRepeat();
    if (Message.Msg == CM_ENABLEDCHANGED) Invalidate();
}

void TSpinButton::PaintHalf(TSpinHalf Half, TBitmap* Glyph) {
    TCanvas* canvas = Canvas();
    TRect rect = HalfRect(Half);
    const bool down = PressedHalf() == Half;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(rect);
    if (down) {
        Frame3D(canvas, rect, clBtnShadow, clBtnHighlight, 1);
    } else {
        Frame3D(canvas, rect, clBtnHighlight, cl3DDkShadow, 1);
        Frame3D(canvas, rect, clBtnFace, clBtnShadow, 1);
    }
    if (Glyph->Empty()) return;
    const Integer shift = down ? 1 : 0;
    const Integer x = (HalfRect(Half).Left + HalfRect(Half).Right - Glyph->Width()) / 2 + shift;
    const Integer y = (HalfRect(Half).Top + HalfRect(Half).Bottom - Glyph->Height()) / 2 + shift;
    if (Enabled()) {
        canvas->Draw(x, y, Glyph);
        return;
    }
    // Disabled: the glyph's shape embossed, highlight below right and shadow on top.
    const TColor transparent = Glyph->TransparentColor();
    TCanvas* source = Glyph->Canvas();
    for (Integer gy = 0; gy < Glyph->Height(); ++gy)
        for (Integer gx = 0; gx < Glyph->Width(); ++gx)
            if (source->Pixels(gx, gy) != transparent) canvas->SetPixels(x + gx + 1, y + gy + 1, clBtnHighlight);
    for (Integer gy = 0; gy < Glyph->Height(); ++gy)
        for (Integer gx = 0; gx < Glyph->Width(); ++gx)
            if (source->Pixels(gx, gy) != transparent) canvas->SetPixels(x + gx, y + gy, clBtnShadow);
}

void TSpinButton::Paint() {
    PaintHalf(shUp, upGlyph_.get());
    PaintHalf(shDown, downGlyph_.get());
}
