// TDateTimePicker: the value, the kind, the format and the check box are the control's; the native
// date-time field shows them and reports the user's edits.
#include <algorithm>
#include <cmath>

#include "ComCtrls/Access.h"
#include "Controls/ControlPeer.h"
#include "vcl/Clock.h"
#include "vcl/ComCtrls.h"
#include "vcl/SysUtils.h"
#include "vcl/Windows.h"

namespace {

void PublishTDateTimePicker(TPublisher& p) {
    TPublishOf<TDateTimePicker> P(p);
    P.Enum<TDateTimeKind>("Kind", &TDateTimePicker::Kind, &TDateTimePicker::SetKind,
                          {{"dtkDate", dtkDate}, {"dtkTime", dtkTime}});
    P.Enum<TDTDateMode>("DateMode", &TDateTimePicker::DateMode, &TDateTimePicker::SetDateMode,
                        {{"dmComboBox", dmComboBox}, {"dmUpDown", dmUpDown}});
    P.Float("Date", &TDateTimePicker::Date, &TDateTimePicker::SetDate);
    P.Float("Time", &TDateTimePicker::Time, &TDateTimePicker::SetTime);
    P.Bool("ShowCheckbox", &TDateTimePicker::ShowCheckbox, &TDateTimePicker::SetShowCheckbox);
    P.Bool("Checked", &TDateTimePicker::Checked, &TDateTimePicker::SetChecked);
    P.Str("Format", &TDateTimePicker::Format, &TDateTimePicker::SetFormat);
    P.Event("OnChange", &TDateTimePicker::OnChange);
}

// The locale's short date and long time in picker codes (the stand-in's US settings).
constexpr const char* ShortDatePicture = "M/d/yyyy";
constexpr const char* LongTimePicture = "h:mm:ss tt";
constexpr Integer CheckBoxSize = 13;

// A value apart as whole days and the time of day, and back: the time of day of a day before 1899-12-30
// counts away from zero, as the date functions read it.
TDateTime DayOf(TDateTime Value) { return std::trunc(Value); }
TDateTime TimeOfDay(TDateTime Value) { return std::fabs(Value - std::trunc(Value)); }
TDateTime Compose(TDateTime Day, TDateTime TimeOfDayValue) {
    return Day < 0 ? Day - TimeOfDayValue : Day + TimeOfDayValue;
}

// The years the picker shows.
TDateTime Shown(TDateTime Value) {
    if (!std::isfinite(Value)) throw EConvertError("Invalid argument to date encode");
    static const TDateTime first = EncodeDate(100, 1, 1);
    static const TDateTime last = Compose(EncodeDate(9999, 12, 31), EncodeTime(23, 59, 59, 999));
    return std::clamp(Value, first, last);
}

TPickerPeer* PickerPeer(TWinControl* Picker) { return dynamic_cast<TPickerPeer*>(Picker->Peer()); }

}  // namespace

VCL_IMPLEMENT_CLASS(TDateTimePicker, VCL_CREATOR(TDateTimePicker), &PublishTDateTimePicker)

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner), dateTime_(Shown(ClockNow())) {
    SetBounds(0, 0, 186, 21);
    SetTabStop(true);
    SetColor(clWindow);
    SetControlStyle(ControlStyle() - TControlStyle{csSetCaption});
}

void TDateTimePicker::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    AddFrameStyles(Params, bsSingle);
}

void TDateTimePicker::InitializePeer() {
    TWinControl::InitializePeer();
    Mirror();
}

void TDateTimePicker::Mirror() {
    if (TPickerPeer* peer = PickerPeer(this)) peer->Mirror();
}

void TDateTimePicker::SetKind(TDateTimeKind Value) {
    if (kind_ == Value) return;
    kind_ = Value;
    Mirror();
}

void TDateTimePicker::SetDateMode(TDTDateMode Value) {
    if (dateMode_ == Value) return;
    dateMode_ = Value;
    Mirror();
}

TDateTime TDateTimePicker::Date() const { return DayOf(dateTime_); }
TDateTime TDateTimePicker::Time() const { return TimeOfDay(dateTime_); }

void TDateTimePicker::SetDate(TDateTime Value) { SetDateTime(Compose(DayOf(Shown(Value)), TimeOfDay(dateTime_))); }
void TDateTimePicker::SetTime(TDateTime Value) {
    if (!std::isfinite(Value)) throw EConvertError("Invalid argument to time encode");
    SetDateTime(Compose(DayOf(dateTime_), TimeOfDay(Value)));
}

void TDateTimePicker::SetDateTime(TDateTime Value) {
    Value = Shown(Value);
    if (dateTime_ == Value) return;
    dateTime_ = Value;
    Mirror();
}

void TDateTimePicker::SetShowCheckbox(bool Value) {
    if (showCheckbox_ == Value) return;
    showCheckbox_ = Value;
    Mirror();
}

void TDateTimePicker::SetChecked(bool Value) {
    if (checked_ == Value) return;
    checked_ = Value;
    Mirror();
}

void TDateTimePicker::SetFormat(const AnsiString& Value) {
    if (format_ == Value) return;
    format_ = Value;
    Mirror();
}

AnsiString TDateTimePicker::ShownFormat() const {
    if (!format_.empty()) return format_;
    return kind_ == dtkDate ? ShortDatePicture : LongTimePicture;
}

void TDateTimePicker::Change() {
    if (OnChange) OnChange(this);
}

// The user edits the part the Kind names; the other part stays.
void TDateTimePicker::DateTimeFromPeer(TDateTime Day, TDateTime TimeOfDayValue) {
    const TDateTime merged =
        kind_ == dtkDate ? Compose(Day, TimeOfDay(dateTime_)) : Compose(DayOf(dateTime_), TimeOfDayValue);
    if (Shown(merged) == dateTime_) return;
    dateTime_ = Shown(merged);
    Change();
}

TRect TDateTimePicker::CheckBoxRect() const {
    const TRect client = ClientRect();
    const Integer top = std::max<Integer>((client.Height() - CheckBoxSize) / 2, 0);
    return Bounds(2, top, CheckBoxSize, CheckBoxSize);
}

void TDateTimePicker::CheckByUser(bool Value) {
    if (checked_ == Value) return;
    checked_ = Value;
    Mirror();
    Change();
}

// The native picker's own keys and clicks: its check box, and the calendar by F4 or Alt+Down.
void TDateTimePicker::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
        case WM_KEYDOWN:
            if (Message.WParam == VK_F4) {
                if (TPickerPeer* peer = PickerPeer(this)) peer->DropDown();
                return;
            }
            if (Message.WParam == VK_SPACE && showCheckbox_) {
                CheckByUser(!checked_);
                return;
            }
            break;
        case WM_SYSKEYDOWN:
            if (Message.WParam == VK_DOWN) {
                if (TPickerPeer* peer = PickerPeer(this)) peer->DropDown();
                return;
            }
            break;
        case WM_CHAR:
            if (Message.WParam == ' ' && showCheckbox_) return;
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (showCheckbox_ && CheckBoxRect().Contains(TWMMouse(Message).Pos())) {
                CheckByUser(!checked_);
                return;
            }
            break;
        default: break;
    }
    TWinControl::DefaultHandler(Message);
}
