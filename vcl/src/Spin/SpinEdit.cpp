// TSpinEdit: a numeric edit with its own spin button; stepping, clamping and the characters it accepts.
#include <algorithm>
#include <limits>

#include "Spin/EditRightMargin.h"
#include "StdCtrls/Publish.h"
#include "vcl/Spin.h"
#include "vcl/SysUtils.h"
#include "vcl/Windows.h"

namespace {

constexpr Integer ButtonWidth = 15;

void PublishTSpinEdit(TPublisher& p) {
    TPublishOf<TSpinEdit> P(p);
    P.Int("Value", &TSpinEdit::Value, &TSpinEdit::SetValue);
    P.Int("MinValue", &TSpinEdit::MinValue, &TSpinEdit::SetMinValue);
    P.Int("MaxValue", &TSpinEdit::MaxValue, &TSpinEdit::SetMaxValue);
    P.Int("Increment", &TSpinEdit::Increment, &TSpinEdit::SetIncrement);
    P.Bool("EditorEnabled", &TSpinEdit::EditorEnabled, &TSpinEdit::SetEditorEnabled);
    TPublishOf<TCustomEdit> E(p);
    StdPublish::EditCommon(E);
    E.Bool("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect);
    E.Bool("AutoSize", &TCustomEdit::AutoSize, &TCustomEdit::SetAutoSize);
}

}  // namespace

VCL_IMPLEMENT_CLASS(TSpinEdit, VCL_CREATOR(TSpinEdit), &PublishTSpinEdit)

TSpinEdit::TSpinEdit(TComponent* AOwner) : TCustomEdit(AOwner), button_(new TSpinButton(this)) {
    button_->SetParent(this);
    button_->SetFocusControl(this);
    button_->OnUpClick = [this](TObject* Sender) { UpClick(Sender); };
    button_->OnDownClick = [this](TObject* Sender) { DownClick(Sender); };
    SetControlStyle(ControlStyle() - TControlStyle{csSetCaption});
    SetText("0");
    SetWidth(47);
    PlaceButton();
}

TSpinEdit::~TSpinEdit() = default;

Integer TSpinEdit::Value() const {
    Integer value = 0;
    return TryStrToInt(Text(), value) ? value : minValue_;
}

void TSpinEdit::SetValue(Integer NewValue) { SetText(IntToStr(CheckValue(NewValue))); }

Integer TSpinEdit::CheckValue(Int64 NewValue) const {
    if (maxValue_ != minValue_) NewValue = std::clamp<Int64>(NewValue, minValue_, maxValue_);
    return static_cast<Integer>(
        std::clamp<Int64>(NewValue, std::numeric_limits<Integer>::min(), std::numeric_limits<Integer>::max()));
}

void TSpinEdit::Step(Int64 Delta) {
    if (ReadOnly()) {
        MessageBeep(0);
        return;
    }
    SetText(IntToStr(CheckValue(static_cast<Int64>(Value()) + Delta)));
}

void TSpinEdit::UpClick(TObject*) { Step(increment_); }

void TSpinEdit::DownClick(TObject*) { Step(-static_cast<Int64>(increment_)); }

// Without the editor every character is refused: Backspace, Ctrl+V and Ctrl+X arrive as characters too.
bool TSpinEdit::IsValidChar(char Key) const {
    if (!editorEnabled_) return false;
    const bool number = (Key >= '0' && Key <= '9') || Key == '+' || Key == '-' || Key == DecimalSeparator;
    return number || (static_cast<unsigned char>(Key) < 32 && Key != '\r');
}

void TSpinEdit::KeyDown(Word& Key, TShiftState Shift) {
    if (Key == VK_UP) UpClick(this);
    else if (Key == VK_DOWN) DownClick(this);
    else if (Key == VK_DELETE && !editorEnabled_) Key = 0;
    TCustomEdit::KeyDown(Key, Shift);
}

void TSpinEdit::KeyPress(char& Key) {
    if (!IsValidChar(Key)) {
        Key = 0;
        MessageBeep(0);
    }
    if (Key != 0) TCustomEdit::KeyPress(Key);
}

void TSpinEdit::PlaceButton() {
    const Integer frame = BorderStyle() == bsSingle ? 2 : 0;
    button_->SetBounds(Width() - ButtonWidth - frame, frame, ButtonWidth, std::max(Height() - 2 * frame, 0));
}

void TSpinEdit::InitializePeer() {
    TCustomEdit::InitializePeer();
    ReserveEditRightMargin(this, ButtonWidth);
}

void TSpinEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_SIZE:
            TCustomEdit::Dispatch(Message);
            PlaceButton();
            break;
        case CM_EXIT:
            // Leaving with a typed value beyond the limits writes the clamped value back.
            if (CheckValue(Value()) != Value()) SetValue(Value());
            TCustomEdit::Dispatch(Message);
            break;
        default: TCustomEdit::Dispatch(Message); break;
    }
}
