// The spin edit's buttons: the repeating timer button with its classic and themed looks, and the window
// holding the pair.
#include "grdspin.h"

#include <algorithm>

#include "DedIDIZ.h"
#include "vcl/UxTheme.h"
#include "vcl/Windows.h"

namespace grdspin {

// ---------------------------------------------------------------------------
// TProTimerSpeedButton

void TProTimerSpeedButton::SetTimeBtnState(Byte Value) {
    if (timeBtnState_ == Value) return;
    timeBtnState_ = Value;
    Invalidate();
}

void TProTimerSpeedButton::SetArrowDirection(Byte Value) {
    if (arrowDirection_ == Value) return;
    arrowDirection_ = Value;
    Invalidate();
}

void TProTimerSpeedButton::SetIsWinXP(bool Value) {
    if (isWinXP_ == Value) return;
    isWinXP_ = Value;
    Invalidate();
}

void TProTimerSpeedButton::InvalidateParent() {
    if (Parent()) Parent()->Invalidate();
}

void TProTimerSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TSpeedButton::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && Enabled() && (timeBtnState_ & tbAllowTimer)) {
        if (!repeatTimer_) {
            repeatTimer_ = new TTimer(this);
            repeatTimer_->SetEnabled(false);  // a timer runs as soon as it exists
            repeatTimer_->OnTimer = [this](TObject*) { RepeatTick(); };
        }
        repeatTimer_->SetInterval(InitRepeatPause);
        repeatTimer_->SetEnabled(true);
    }
    InvalidateParent();
}

void TProTimerSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TSpeedButton::MouseUp(Button, Shift, X, Y);
    if (repeatTimer_) repeatTimer_->SetEnabled(false);
    InvalidateParent();
}

void TProTimerSpeedButton::RepeatTick() {
    repeatTimer_->SetInterval(RepeatPause);
    if (State() != bsDown || !MouseCapture()) return;
    try {
        Click();
    } catch (...) {
        // A failing click must not keep repeating.
        repeatTimer_->SetEnabled(false);
        throw;
    }
}

void TProTimerSpeedButton::Dispatch(TMessage& Message) {
    TSpeedButton::Dispatch(Message);
    if (Message.Msg != CM_MOUSEENTER && Message.Msg != CM_MOUSELEAVE) return;
    if (Message.LParam != 0 && Message.LParam != reinterpret_cast<LPARAM>(this)) return;
    hot_ = Message.Msg == CM_MOUSEENTER;
    Invalidate();
}

// The "spin" part for the arrow; false when the theme library cannot draw it.
bool TProTimerSpeedButton::PaintThemed(bool Down) {
    static constexpr int parts[] = {SPNP_DOWNHORZ, SPNP_UPHORZ, SPNP_UP, SPNP_DOWN};
    const int part = parts[std::min<Byte>(arrowDirection_, adDown)];
    const int state = Down ? UPS_PRESSED : hot_ ? UPS_HOT : UPS_NORMAL;
    return DedIDIZ::DrawThemedPart(Parent() ? Parent()->Handle() : nullptr, u"spin", part, state, Canvas()->Handle(),
                                   ClientRect());
}

void TProTimerSpeedButton::Paint() {
    const bool down = State() == bsDown || State() == bsExclusive;
    if (isWinXP_ && PaintThemed(down)) return;
    if (arrowDirection_ == adLeft || arrowDirection_ == adRight) {
        RECT r = ClientRect();
        UINT flags = arrowDirection_ == adLeft ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT;
        if (down) flags |= DFCS_PUSHED;
        if (Flat()) flags |= DFCS_FLAT;
        if (!Enabled()) flags |= DFCS_INACTIVE;
        DrawFrameControl(Canvas()->Handle(), &r, DFC_SCROLL, flags);
    } else {
        TSpeedButton::Paint();
    }
    if (!(timeBtnState_ & tbFocusRect)) return;
    TRect focus = Rect(3, 3, Width() - 3, Height() - 3);
    if (down) focus = Rect(focus.Left + 1, focus.Top + 1, focus.Right + 1, focus.Bottom + 1);
    Canvas()->DrawFocusRect(focus);
}

// ---------------------------------------------------------------------------
// TGrdSpinButton

TGrdSpinButton::TGrdSpinButton(TComponent* AOwner)
    : TWinControl(AOwner), upButton_(CreateButton()), downButton_(CreateButton()), focusedButton_(upButton_) {
    TControlStyle style = ControlStyle();
    style.Exclude(csAcceptsControls);
    style.Exclude(csSetCaption);
    style.Include(csFramed);
    style.Include(csOpaque);
    SetControlStyle(style);
    SetUpGlyph(nullptr);
    SetDownGlyph(nullptr);
    upButton_->SetArrowDirection(adUp);
    downButton_->SetArrowDirection(adDown);
    SetBounds(Left(), Top(), 15, 25);
    Layout();
}

TProTimerSpeedButton* TGrdSpinButton::CreateButton() {
    auto* button = new TProTimerSpeedButton(this);
    button->OnClick = [this](TObject* Sender) {
        if (Sender == upButton_ && OnUpClick) OnUpClick(this);
        if (Sender == downButton_ && OnDownClick) OnDownClick(this);
    };
    button->OnMouseDown = [this, button](TObject*, TMouseButton Button, TShiftState, Integer, Integer) {
        if (Button == mbLeft) ButtonPressed(button);
    };
    button->SetTimeBtnState(tbAllowTimer);
    button->SetParent(this);
    return button;
}

void TGrdSpinButton::SetGlyph(TProTimerSpeedButton* Button, TBitmap* Value, const char* ResName) {
    if (Value) {
        Button->SetGlyph(Value);
        return;
    }
    TBitmap glyph;
    glyph.LoadFromResourceName(nullptr, ResName);
    Button->SetGlyph(&glyph);
    Button->SetNumGlyphs(1);
}

void TGrdSpinButton::SetUpGlyph(TBitmap* Value) { SetGlyph(upButton_, Value, "GrdSpinUp"); }

void TGrdSpinButton::SetDownGlyph(TBitmap* Value) { SetGlyph(downButton_, Value, "GrdSpinDown"); }

void TGrdSpinButton::SetIsWinXP(bool Value) {
    isWinXP_ = Value;
    upButton_->SetIsWinXP(Value);
    downButton_->SetIsWinXP(Value);
}

void TGrdSpinButton::SetDirection(TSpinDirection Value) {
    if (direction_ == Value) return;
    direction_ = Value;
    upButton_->SetArrowDirection(Value == spVertical ? adUp : adRight);
    downButton_->SetArrowDirection(Value == spVertical ? adDown : adLeft);
    Layout();
}

// The focus goes to FocusControl, else to this window when it takes the focus by Tab.
void TGrdSpinButton::ButtonPressed(TProTimerSpeedButton* Button) {
    SetFocusBtn(Button);
    TWinControl* focus = FocusControl();
    if (focus && focus->TabStop() && focus->CanFocus() && !focus->Focused()) focus->SetFocus();
    else if (TabStop() && !Focused() && CanFocus()) SetFocus();
}

void TGrdSpinButton::SetFocusBtn(TProTimerSpeedButton* Button) {
    if (!TabStop() || !CanFocus() || Button == focusedButton_) return;
    focusedButton_->SetTimeBtnState(focusedButton_->TimeBtnState() & ~tbFocusRect);
    focusedButton_ = Button;
    if (Focused()) focusedButton_->SetTimeBtnState(focusedButton_->TimeBtnState() | tbFocusRect);
    Invalidate();
}

// Vertical: the up button takes the top half and the down button the rest from one pixel above the
// middle; horizontal: the down (left) button the left half, the up (right) button the right half.
void TGrdSpinButton::Layout() {
    const Integer minWidth = direction_ == spVertical ? 15 : 20;
    if (Width() < minWidth) {
        SetWidth(minWidth);  // lays out again through WM_SIZE
        return;
    }
    const Integer w = Width();
    const Integer h = Height();
    if (direction_ == spVertical) {
        upButton_->SetBounds(0, 0, w, h / 2);
        downButton_->SetBounds(0, h / 2 - 1, w, h - h / 2 + 1);
    } else {
        downButton_->SetBounds(0, 0, w / 2, h);
        upButton_->SetBounds(w / 2, 0, w - w / 2, h);
    }
}

void TGrdSpinButton::KeyDown(Word& Key, TShiftState Shift) {
    switch (Key) {
        case VK_UP:
            SetFocusBtn(upButton_);
            upButton_->Click();
            break;
        case VK_DOWN:
            SetFocusBtn(downButton_);
            downButton_->Click();
            break;
        case VK_SPACE: focusedButton_->Click(); break;
        default: break;
    }
    TWinControl::KeyDown(Key, Shift);
}

void TGrdSpinButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS; break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            TWinControl::Dispatch(Message);
            const Byte state = focusedButton_->TimeBtnState();
            focusedButton_->SetTimeBtnState(Message.Msg == WM_SETFOCUS ? state | tbFocusRect : state & ~tbFocusRect);
            break;
        }
        case WM_SIZE:
            TWinControl::Dispatch(Message);
            Layout();
            break;
        default: TWinControl::Dispatch(Message); break;
    }
}

// ---------------------------------------------------------------------------
// Published properties

namespace {

void PublishTGrdSpinButton(TPublisher& p) {
    TPublishOf<TGrdSpinButton> P(p);
    P.Enum<TSpinDirection>("Direction", &TGrdSpinButton::Direction, &TGrdSpinButton::SetDirection,
                           {{"spVertical", spVertical}, {"spHorizontal", spHorizontal}});
    P.Object("UpGlyph", &TGrdSpinButton::UpGlyph);
    P.Object("DownGlyph", &TGrdSpinButton::DownGlyph);
    P.Int("UpNumGlyphs", &TGrdSpinButton::UpNumGlyphs, &TGrdSpinButton::SetUpNumGlyphs);
    P.Int("DownNumGlyphs", &TGrdSpinButton::DownNumGlyphs, &TGrdSpinButton::SetDownNumGlyphs);
    P.Component<TWinControl>("FocusControl", &TGrdSpinButton::SetFocusControl);
    P.Event<TNotifyEvent>("OnUpClick", &TGrdSpinButton::OnUpClick);
    P.Event<TNotifyEvent>("OnDownClick", &TGrdSpinButton::OnDownClick);
}

}  // namespace

VCL_IMPLEMENT_CLASS(TProTimerSpeedButton, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TGrdSpinButton, VCL_CREATOR(TGrdSpinButton), PublishTGrdSpinButton)

}  // namespace grdspin
