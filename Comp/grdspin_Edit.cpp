// TGrdSpinEdit: its values and limits, stepping by the field under the caret, the characters it takes, its
// keys and the place of its button.
#include <algorithm>
#include <cmath>
#include <limits>

#include "GRDEdit.h"
#include "ProEdBtn.h"
#include "grdspin.h"
#include "vcl/Windows.h"

namespace grdspin {

namespace {

// Bit 22 of the key data: part of the scan code of the numeric keypad's decimal point.
constexpr LPARAM KeypadDecimalBit = LPARAM{1} << 22;

// The days a date step stays within: 0001-01-01 .. 9999-12-31.
constexpr double FirstDay = -693593.0;
constexpr double LastDay = 2958465.0;

bool IsControlChar(char C) { return static_cast<unsigned char>(C) < 0x20; }

// 1-based position of the N-th (1 or 2) Separator in Text; 0 when there is none.
Integer SeparatorPos(const AnsiString& Text, char Separator, int N) {
    std::size_t at = AnsiString::npos;
    for (int i = 0; i < N; ++i) {
        at = Text.find(Separator, at == AnsiString::npos ? 0 : at + 1);
        if (at == AnsiString::npos) return 0;
    }
    return static_cast<Integer>(at) + 1;
}

// Value moved by Sign within First..Last.
Word StepWithin(Word Value, int Sign, Word First, Word Last) {
    if (Sign > 0) return Value < Last ? Value + 1 : Last;
    return Value > First ? Value - 1 : First;
}

}  // namespace

TGrdSpinEdit::TGrdSpinEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
    auto* button = new TGrdSpinButton(this);
    button->SetWidth(15);
    button->SetHeight(17);
    button->SetVisible(true);
    button->SetParent(this);
    button->SetFocusControl(this);
    button->OnUpClick = [this](TObject* Sender) { UpClick(Sender); };
    button->OnDownClick = [this](TObject* Sender) { DownClick(Sender); };
    button_ = button;
    SetText("0");
    TControlStyle style = ControlStyle();
    style.Exclude(csSetCaption);
    SetControlStyle(style);
}

// ---------------------------------------------------------------------------
// Values and limits

Integer TGrdSpinEdit::CheckValue(Int64 NewValue) const {
    if (maxValue_ != minValue_) {
        if (NewValue < minValue_) NewValue = minValue_;
        else if (NewValue > maxValue_) NewValue = maxValue_;
    }
    // Unlimited steps stop at the ends of the integer range.
    constexpr Int64 lowest = std::numeric_limits<Integer>::min();
    constexpr Int64 highest = std::numeric_limits<Integer>::max();
    return static_cast<Integer>(NewValue < lowest ? lowest : NewValue > highest ? highest : NewValue);
}

double TGrdSpinEdit::CheckFloatValue(double NewValue) const {
    if (maxFloatValue_ == minFloatValue_) return NewValue;
    if (NewValue < minFloatValue_) return minFloatValue_;
    if (NewValue > maxFloatValue_) return maxFloatValue_;
    return NewValue;
}

TDateTime TGrdSpinEdit::CheckDateValue(TDateTime NewValue) const {
    if (maxDateValue_ == minDateValue_) return NewValue;
    if (NewValue < minDateValue_) return minDateValue_;
    if (NewValue > maxDateValue_) return maxDateValue_;
    return NewValue;
}

Integer TGrdSpinEdit::Value() const {
    Integer value = 0;
    return TryStrToInt(Text(), value) ? value : minValue_;
}

void TGrdSpinEdit::SetValue(Integer NewValue) { WriteValue(NewValue); }

void TGrdSpinEdit::WriteValue(Int64 NewValue) {
    SetText(IntToStr(CheckValue(NewValue)));
    if (!editorEnabled_) SelectAll();
}

double TGrdSpinEdit::FloatValue() const {
    double value = 0;
    return TryStrToFloat(Text(), value) ? value : minFloatValue_;
}

void TGrdSpinEdit::SetFloatValue(double NewValue) {
    const double value = CheckFloatValue(NewValue);
    SetText(precision_ > 0 ? FloatToStrF(value, ffFixed, 15, precision_) : FloatToStr(value));
}

bool TGrdSpinEdit::ReadDate(TDateTime& Date) const {
    const AnsiString text = Text();
    if (!text.empty() && text != "0") return TryStrToDate(text, Date);
    Date = Now();
    return true;
}

TDateTime TGrdSpinEdit::DateValue() const {
    TDateTime date = 0;
    return ReadDate(date) ? date : StrToDate(Text());
}

void TGrdSpinEdit::SetDateValue(TDateTime NewValue) {
    dateValue_ = CheckDateValue(NewValue);
    if (!ComponentState().Contains(csLoading)) SetTextKeepingCaret(DateToStr(NewValue));
}

TDateTime TGrdSpinEdit::TimeValue() const {
    TDateTime value = 0;
    return TryStrToTime(Text(), value) ? value : 0;
}

void TGrdSpinEdit::SetTimeValue(TDateTime NewValue) {
    timeValue_ = NewValue;
    if (!ComponentState().Contains(csLoading)) SetTextKeepingCaret(TimeToStr(NewValue));
}

void TGrdSpinEdit::SetTextKeepingCaret(const AnsiString& Value) {
    const Integer caret = SelStart();
    SetText(Value);
    SetSelStart(std::min(caret, static_cast<Integer>(Value.size())));
}

// The current value read as the new type reads it, written back in its format.
void TGrdSpinEdit::SetSpinType(TGrdSpinType Value) {
    spinType_ = Value;
    if (ComponentState().Contains(csLoading)) return;  // Loaded writes it
    switch (spinType_) {
        case sptNormal: SetValue(this->Value()); break;
        case sptFloat: SetFloatValue(FloatValue()); break;
        case sptDate: SetDateValue(DateValue()); break;
        case sptTime: SetTimeValue(TimeValue()); break;
    }
}

void TGrdSpinEdit::SetPrecision(Integer Value) {
    precision_ = Value;
    if (spinType_ == sptFloat && !ComponentState().Contains(csLoading)) SetFloatValue(FloatValue());
}

void TGrdSpinEdit::Loaded() {
    TCustomMaskEdit::Loaded();
    if (spinType_ == sptDate) SetText(DateToStr(dateValue_));
    if (spinType_ == sptTime) SetText(TimeToStr(timeValue_));
    SetSpinType(spinType_);
}

// ---------------------------------------------------------------------------
// Stepping

void TGrdSpinEdit::UpClick(TObject*) { Step(1); }

void TGrdSpinEdit::DownClick(TObject*) { Step(-1); }

void TGrdSpinEdit::Step(int Sign) {
    if (ReadOnly()) {
        MessageBeep(0);
        return;
    }
    switch (spinType_) {
        case sptNormal: WriteValue(Int64{Value()} + Sign * Int64{increment_}); break;
        case sptFloat: {
            const double next = FloatValue() + Sign * incrementFloat_;
            if (std::isfinite(next)) SetFloatValue(next);
            break;
        }
        case sptDate: StepDate(Sign); break;
        case sptTime: StepTime(Sign); break;
    }
}

// Days, months and years are the first, second and third field of the text, whatever the date format.
void TGrdSpinEdit::StepDate(int Sign) {
    const AnsiString text = Text();
    TDateTime date = 0;
    if (!ReadDate(date)) {
        MessageBeep(0);  // nothing to step from; the text stays for the user to mend
        return;
    }
    const Integer caret = SelStart();
    Word year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    if (caret < SeparatorPos(text, DateSeparator, 1)) {
        const double whole = std::floor(date);
        if ((Sign > 0 && whole >= LastDay) || (Sign < 0 && whole <= FirstDay)) return;
        date += Sign;
    } else if (SeparatorPos(text, DateSeparator, 2) > caret) {
        if ((Sign > 0 && year == 9999 && month == 12) || (Sign < 0 && year == 1 && month == 1)) return;
        date = IncMonth(date, Sign);
    } else {
        year = StepWithin(year, Sign, 1, 9999);
        // 29 February steps to the 28th of a year that has none.
        while (!TryEncodeDate(year, month, day, date)) --day;
    }
    SetDateValue(date);
}

void TGrdSpinEdit::StepTime(int Sign) {
    const AnsiString text = Text();
    TDateTime time = 0;
    if (!TryStrToTime(text, time)) time = 0;
    const Integer caret = SelStart();
    Word hour = 0, minute = 0, second = 0, msec = 0;
    DecodeTime(time, hour, minute, second, msec);
    if (caret < SeparatorPos(text, TimeSeparator, 1)) hour = StepWithin(hour, Sign, 0, 23);
    else if (caret < SeparatorPos(text, TimeSeparator, 2)) minute = StepWithin(minute, Sign, 0, 59);
    else second = StepWithin(second, Sign, 0, 59);
    SetTimeValue(EncodeTime(hour, minute, second, msec));
}

void TGrdSpinEdit::LimitOnExit() {
    switch (spinType_) {
        case sptNormal: {
            const Integer value = Value();
            if (CheckValue(value) != value) SetValue(value);
            break;
        }
        case sptFloat: {
            const double value = FloatValue();
            if (CheckFloatValue(value) != value) SetFloatValue(value);
            break;
        }
        case sptDate: {
            // A text that is no date stays as typed: leaving must not fail.
            TDateTime date = 0;
            if (ReadDate(date) && CheckDateValue(date) != date) SetDateValue(CheckDateValue(date));
            break;
        }
        case sptTime: {
            const TDateTime time = TimeValue();
            if (CheckDateValue(time) != time) SetTimeValue(CheckDateValue(time));
            break;
        }
    }
}

// ---------------------------------------------------------------------------
// Typing

bool TGrdSpinEdit::IsValidChar(char Key) const {
    const bool digit = Key >= '0' && Key <= '9';
    bool result = Key == '+' || Key == '-' || digit || Key == DecimalSeparator || Key == ThousandSeparator ||
                  Key == TimeSeparator || Key == DateSeparator || (IsControlChar(Key) && Key != '\r');
    const bool number = spinType_ == sptNormal || spinType_ == sptFloat;
    const bool numberSign = Key == '+' || Key == '-' || Key == DecimalSeparator || Key == ThousandSeparator;
    if ((Key == TimeSeparator && spinType_ != sptTime) || (Key == DateSeparator && spinType_ != sptDate))
        if (!(numberSign && number)) result = false;

    const AnsiString text = Text();
    const Integer selStart = SelStart();
    const Integer selEnd = selStart + SelLength();
    // Whether Text has C outside the selection.
    const auto outsideSelection = [&](char C) {
        for (Integer i = 0; i < static_cast<Integer>(text.size()); ++i)
            if (text[i] == C && (i < selStart || i >= selEnd)) return true;
        return false;
    };
    // A minus that separates the type's own fields is no sign.
    const bool fieldSeparator =
        (spinType_ == sptDate && Key == DateSeparator) || (spinType_ == sptTime && Key == TimeSeparator);
    if (Key == '-' && !fieldSeparator) {
        if (outsideSelection('-')) result = false;
        else if (selStart != 0) result = false;
    }
    if (spinType_ == sptFloat && Key != '\b' && Key != '\r' && Key != '\x1b') {
        if (Key == ThousandSeparator) result = false;
        if (Key == DecimalSeparator && outsideSelection(DecimalSeparator)) result = false;
        const Integer decimal = SeparatorPos(text, DecimalSeparator, 1);
        if (precision_ >= 1 && decimal >= 1 && selStart >= decimal && SelLength() == 0 &&
            static_cast<Integer>(text.size()) >= decimal + precision_)
            result = false;
    }
    if (spinType_ == sptTime && Key == TimeSeparator) {
        int separators = 0;
        for (Integer i = 0; i < static_cast<Integer>(text.size()); ++i)
            if (text[i] == TimeSeparator && (i < selStart || i >= selEnd)) ++separators;
        if (separators >= 2) result = false;
    }
    if (!editorEnabled_) result = IsControlChar(Key) && Key != '\b' && Key != '\r';
    return result;
}

void TGrdSpinEdit::KeyDown(Word& Key, TShiftState Shift) {
    if (Key == VK_RETURN && returnIsTab_) {
        Key = VK_TAB;
        Shift = {};
        PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
    }
    if (Key == VK_DELETE && !editorEnabled_) Key = 0;
    TCustomMaskEdit::KeyDown(Key, Shift);
}

void TGrdSpinEdit::KeyPress(char& Key) {
    if (!IsValidChar(Key)) {
        Key = 0;
        MessageBeep(0);
    }
    if (Key != 0) TCustomMaskEdit::KeyPress(Key);
}

// ---------------------------------------------------------------------------
// Looks and layout

TSpinDirection TGrdSpinEdit::Direction() const { return button_ ? button_->Direction() : spVertical; }

void TGrdSpinEdit::SetDirection(TSpinDirection Value) {
    if (button_) button_->SetDirection(Value);
    // A width change lays the button out again.
    SetWidth(Width() + 1);
    SetWidth(Width() - 1);
}

void TGrdSpinEdit::SetSpinFlat(bool Value) {
    spinFlat_ = Value;
    if (!button_) return;
    button_->UpButton()->SetFlat(Value);
    button_->DownButton()->SetFlat(Value);
}

void TGrdSpinEdit::SetSpinTransparent(bool Value) {
    spinTransparent_ = Value;
    if (!button_) return;
    button_->UpButton()->SetTransparent(Value);
    button_->DownButton()->SetTransparent(Value);
}

void TGrdSpinEdit::SetEditAlign(TEditAlign Value) {
    if (editAlign_ == Value) return;
    editAlign_ = Value;
    RecreateWnd();
}

void TGrdSpinEdit::SetIsWinXP(bool Value) {
    isWinXP_ = Value;
    if (button_) button_->SetIsWinXP(Value);
}

void TGrdSpinEdit::CreateParams(TCreateParams& Params) {
    TCustomMaskEdit::CreateParams(Params);
    Params.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
    if (editAlign_ == eaRight) Params.Style = (Params.Style & ~ES_CENTER) | ES_RIGHT;
    if (editAlign_ == eaCenter) Params.Style = (Params.Style & ~ES_RIGHT) | ES_CENTER;
}

void TGrdSpinEdit::CreateWnd() {
    TCustomMaskEdit::CreateWnd();
    ApplyFormatRect();
}

Integer TGrdSpinEdit::MinHeight() const {
    const Integer frame = BorderStyle() == bsSingle ? 4 * GetSystemMetrics(SM_CYBORDER) : 0;
    return ProEdBtn::MinButtonEditHeight(Font()) + 2 + frame;
}

void TGrdSpinEdit::ApplyFormatRect() {
    if (!HandleAllocated() || !button_) return;
    const Integer inset = BorderStyle() == bsSingle ? 0 : 1;
    const RECT r = Rect(inset, inset, ClientWidth() - button_->Width() - 2 - inset, ClientHeight() + 1);
    Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

void TGrdSpinEdit::Layout() {
    const Integer minHeight = MinHeight();
    if (Height() < minHeight) {
        SetHeight(minHeight);  // lays out again through WM_SIZE
        return;
    }
    if (!button_) return;
    button_->SetBoundsRect(GRDEdit::EmbeddedButtonBounds(this, button_->Width()));
    ApplyFormatRect();
}

// ---------------------------------------------------------------------------
// Messages

void TGrdSpinEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_KEYDOWN:
            // The arrows step and go no further.
            if (Message.WParam == VK_UP) UpClick(this);
            else if (Message.WParam == VK_DOWN) DownClick(this);
            else TCustomMaskEdit::Dispatch(Message);
            break;
        case WM_CHAR:
            if (excelStyleDecimalSeparator_ && Message.WParam == '.' && (Message.LParam & KeypadDecimalBit))
                Message.WParam = static_cast<unsigned char>(DecimalSeparator);
            TCustomMaskEdit::Dispatch(Message);
            break;
        case WM_PASTE:
        case WM_CUT:
            if (editorEnabled_ && !ReadOnly()) TCustomMaskEdit::Dispatch(Message);
            break;
        case CM_ENTER:
            TCustomMaskEdit::Dispatch(Message);
            // A click that brings the focus places the caret itself.
            if (AutoSelect() && !(editorEnabled_ && GetKeyState(VK_LBUTTON) < 0)) SelectAll();
            break;
        case CM_EXIT:
            TCustomMaskEdit::Dispatch(Message);
            LimitOnExit();
            break;
        case WM_SIZE:
            TCustomMaskEdit::Dispatch(Message);
            Layout();
            break;
        default: TCustomMaskEdit::Dispatch(Message); break;
    }
}

// ---------------------------------------------------------------------------
// Published properties

namespace {

void PublishTGrdSpinEdit(TPublisher& p) {
    TPublishOf<TGrdSpinEdit> P(p);
    using E = TGrdSpinEdit;
    P.Enum<TGrdSpinType>(
        "SpinType", &E::SpinType, &E::SetSpinType,
        {{"sptNormal", sptNormal}, {"sptFloat", sptFloat}, {"sptDate", sptDate}, {"sptTime", sptTime}});
    P.Int("MinValue", &E::MinValue, &E::SetMinValue);
    P.Int("MaxValue", &E::MaxValue, &E::SetMaxValue);
    P.Float("MinFloatValue", &E::MinFloatValue, &E::SetMinFloatValue);
    P.Float("MaxFloatValue", &E::MaxFloatValue, &E::SetMaxFloatValue);
    P.Float("MinDateValue", &E::MinDateValue, &E::SetMinDateValue);
    P.Float("MaxDateValue", &E::MaxDateValue, &E::SetMaxDateValue);
    P.Int("Increment", &E::Increment, &E::SetIncrement);
    P.Float("IncrementFloat", &E::IncrementFloat, &E::SetIncrementFloat);
    P.Int("Precision", &E::Precision, &E::SetPrecision);
    P.Int("Value", &E::Value, &E::SetValue);
    P.Float("FloatValue", &E::FloatValue, &E::SetFloatValue);
    P.Float(
        "DateValue",
        [](E& e) {
            TDateTime date = 0;
            return e.SpinType() == sptDate && TryStrToDate(e.Text(), date) ? date : 0.0;
        },
        &E::SetDateValue);
    P.Float("TimeValue", &E::TimeValue, &E::SetTimeValue);
    P.Bool("EditorEnabled", &E::EditorEnabled, &E::SetEditorEnabled);
    P.Bool("ReturnIsTab", &E::ReturnIsTab, &E::SetReturnIsTab);
    P.Enum<TSpinDirection>("Direction", &E::Direction, &E::SetDirection,
                           {{"spVertical", spVertical}, {"spHorizontal", spHorizontal}});
    P.Bool("SpinFlat", &E::SpinFlat, &E::SetSpinFlat);
    P.Bool("SpinTransparent", &E::SpinTransparent, &E::SetSpinTransparent);
    P.Enum<TEditAlign>("EditAlign", &E::EditAlign, &E::SetEditAlign,
                       {{"eaLeft", eaLeft}, {"eaRight", eaRight}, {"eaCenter", eaCenter}});
    P.Bool("ExcelStyleDecimalSeparator", &E::ExcelStyleDecimalSeparator, &E::SetExcelStyleDecimalSeparator);
    P.Bool("ReadOnly", &E::ReadOnly, &E::SetReadOnly);
    P.Int("MaxLength", &E::MaxLength, &E::SetMaxLength);
}

}  // namespace

VCL_IMPLEMENT_CLASS(TGrdSpinEdit, VCL_CREATOR(TGrdSpinEdit), PublishTGrdSpinEdit)

}  // namespace grdspin
