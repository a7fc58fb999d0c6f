// TTrackBar: range, position and ticks held by the control; the native slider shows them.
#include <algorithm>

#include "StdCtrls/Peers.h"
#include "vcl/ComCtrls.h"
#include "vcl/Windows.h"

namespace {

void PublishTTrackBar(TPublisher& p) {
    TPublishOf<TTrackBar> P(p);
    P.Int("Min", &TTrackBar::Min, &TTrackBar::SetMin);
    P.Int("Max", &TTrackBar::Max, &TTrackBar::SetMax);
    P.Int("Position", &TTrackBar::Position, &TTrackBar::SetPosition);
    P.Enum<TTrackBarOrientation>("Orientation", &TTrackBar::Orientation, &TTrackBar::SetOrientation,
                                 {{"trHorizontal", trHorizontal}, {"trVertical", trVertical}});
    P.Int("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency);
    P.Enum<TTickStyle>("TickStyle", &TTrackBar::TickStyle, &TTrackBar::SetTickStyle,
                       {{"tsNone", tsNone}, {"tsAuto", tsAuto}, {"tsManual", tsManual}});
    P.Enum<TTickMark>("TickMarks", &TTrackBar::TickMarks, &TTrackBar::SetTickMarks,
                      {{"tmBottomRight", tmBottomRight}, {"tmTopLeft", tmTopLeft}, {"tmBoth", tmBoth}});
    P.Int("PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize);
    P.Int("LineSize", &TTrackBar::LineSize, &TTrackBar::SetLineSize);
    P.Bool("SliderVisible", &TTrackBar::SliderVisible, &TTrackBar::SetSliderVisible);
    P.Event("OnChange", &TTrackBar::OnChange);
}

}  // namespace

VCL_IMPLEMENT_CLASS(TTrackBar, VCL_CREATOR(TTrackBar), &PublishTTrackBar)

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
    SetControlStyle(ControlStyle() - TControlStyle{csSetCaption});
}

void TTrackBar::OptionsChanged() { MirrorStd(this, smOptions); }

void TTrackBar::SetMin(Integer Value) {
    if (Value > max_ || Value == min_) return;
    min_ = Value;
    position_ = std::max(position_, min_);
    OptionsChanged();
}

void TTrackBar::SetMax(Integer Value) {
    if (Value < min_ || Value == max_) return;
    max_ = Value;
    position_ = std::min(position_, max_);
    OptionsChanged();
}

void TTrackBar::SetPosition(Integer Value) {
    Value = std::clamp(Value, min_, max_);
    if (position_ == Value) return;
    position_ = Value;
    OptionsChanged();
}

void TTrackBar::SetOrientation(TTrackBarOrientation Value) {
    if (orientation_ == Value) return;
    orientation_ = Value;
    if (!ComponentState().Contains(csLoading)) SetBounds(Left(), Top(), Height(), Width());
    OptionsChanged();
}

void TTrackBar::SetFrequency(Integer Value) {
    if (frequency_ == Value) return;
    frequency_ = Value;
    OptionsChanged();
}

void TTrackBar::SetTickStyle(TTickStyle Value) {
    if (tickStyle_ == Value) return;
    tickStyle_ = Value;
    OptionsChanged();
}

void TTrackBar::SetTickMarks(TTickMark Value) {
    if (tickMarks_ == Value) return;
    tickMarks_ = Value;
    OptionsChanged();
}

void TTrackBar::SetSliderVisible(bool Value) {
    if (sliderVisible_ == Value) return;
    sliderVisible_ = Value;
    OptionsChanged();
}

void TTrackBar::Changed() {
    if (OnChange) OnChange(this);
}

void TTrackBar::MoveByUser(Int64 Value) {
    const auto clamped = static_cast<Integer>(std::clamp<Int64>(Value, min_, max_));
    if (clamped == position_) return;
    position_ = clamped;
    OptionsChanged();
    Changed();
}

void TTrackBar::PositionFromPeer(Integer Value) {
    if (std::clamp(Value, min_, max_) == position_) return;
    position_ = std::clamp(Value, min_, max_);
    Changed();
}

// The windowing system's track-bar keys; the native slider would step the other way on Up and Down.
void TTrackBar::KeyDown(Word& Key, TShiftState Shift) {
    TWinControl::KeyDown(Key, Shift);
    const Int64 at = position_;
    switch (Key) {
        case VK_LEFT:
        case VK_UP: MoveByUser(at - lineSize_); break;
        case VK_RIGHT:
        case VK_DOWN: MoveByUser(at + lineSize_); break;
        case VK_PRIOR: MoveByUser(at - pageSize_); break;
        case VK_NEXT: MoveByUser(at + pageSize_); break;
        case VK_HOME: MoveByUser(min_); break;
        case VK_END: MoveByUser(max_); break;
        default: return;
    }
    Key = 0;
}

void TTrackBar::InitializePeer() {
    TWinControl::InitializePeer();
    OptionsChanged();
}
