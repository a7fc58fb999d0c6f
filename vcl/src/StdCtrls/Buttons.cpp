// TButtonControl, TButton, TCheckBox and TRadioButton: native buttons whose click and check state the
// control decides; the peer never toggles on its own and only reports BN_CLICKED.

#include "StdCtrls/Peers.h"
#include "StdCtrls/Publish.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"
#include "vcl/Windows.h"

static bool IsClickNotification(const TMessage& Message) {
    return Message.Msg == CN_COMMAND && HIWORD(Message.WParam) == BN_CLICKED;
}

// ---------------------------------------------------------------------------

VCL_IMPLEMENT_CLASS(TButtonControl, nullptr, nullptr)

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }

void TButtonControl::CheckStateChanged() { MirrorStd(this, smCheck); }

void TButtonControl::InitializePeer() {
    TWinControl::InitializePeer();
    MirrorStd(this, smOptions);
    MirrorStd(this, smCheck);
}

// ---------------------------------------------------------------------------

static void PublishTButton(TPublisher& p) {
    TPublishOf<TButton> P(p);
    P.Bool("Default", &TButton::Default, &TButton::SetDefault);
    P.Bool("Cancel", &TButton::Cancel, &TButton::SetCancel);
    P.Int("ModalResult", &TButton::ModalResult, &TButton::SetModalResult);
}

VCL_IMPLEMENT_CLASS(TButton, VCL_CREATOR(TButton), PublishTButton)

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
    SetBounds(0, 0, 75, 25);
    SetColor(clBtnFace);
    SetControlStyle({csSetCaption, csDoubleClicks});
}

void TButton::SetDefault(bool Value) {
    if (default_ == Value) return;
    default_ = Value;
    MirrorStd(this, smOptions);
}

void TButton::Click() {
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
    TButtonControl::Click();
}

// The focused button takes Enter; otherwise the default one does, unless another button has the focus.
bool TButton::IsActiveForEnter() const {
    if (Focused()) return true;
    if (!default_) return false;
    TCustomForm* form = GetParentForm(const_cast<TButton*>(this));
    TWinControl* focused = form ? form->ActiveControl() : nullptr;
    return !dynamic_cast<TButton*>(focused);
}

void TButton::Dispatch(TMessage& Message) {
    if (IsClickNotification(Message)) return Click();
    switch (Message.Msg) {
        case CM_DIALOGKEY: {
            Word key = TWMKey(Message).CharCode();
            bool wanted = (key == VK_RETURN && IsActiveForEnter()) || (key == VK_ESCAPE && cancel_);
            if (wanted && KeyDataToShiftState(Message.LParam).Empty() && CanFocus()) {
                Click();
                Message.Result = 1;
                return;
            }
            TButtonControl::Dispatch(Message);
            break;
        }
        case BM_CLICK: Click(); break;
        default: TButtonControl::Dispatch(Message); break;
    }
}

// ---------------------------------------------------------------------------

static const TEnumNames<TCheckBoxState>& CheckBoxStateNames() {
    static const TEnumNames<TCheckBoxState> names{
        {"cbUnchecked", cbUnchecked}, {"cbChecked", cbChecked}, {"cbGrayed", cbGrayed}};
    return names;
}

static const TEnumNames<TLeftRight>& LeftRightNames() {
    static const TEnumNames<TLeftRight> names{{"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify}};
    return names;
}

static void PublishTCheckBox(TPublisher& p) {
    TPublishOf<TCheckBox> P(p);
    P.Enum("Alignment", &TCheckBox::Alignment, &TCheckBox::SetAlignment, LeftRightNames());
    P.Bool("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed);
    P.Bool("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked);
    P.Enum("State", &TCheckBox::State, &TCheckBox::SetState, CheckBoxStateNames());
}

VCL_IMPLEMENT_CLASS(TCustomCheckBox, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TCheckBox, VCL_CREATOR(TCheckBox), PublishTCheckBox)

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
    SetBounds(0, 0, 97, 17);
    SetControlStyle({csSetCaption, csDoubleClicks});
    SetParentColor(true);
}

void TCustomCheckBox::SetAlignment(TLeftRight Value) {
    if (Value == taCenter) Value = taRightJustify;
    if (alignment_ == Value) return;
    alignment_ = Value;
    MirrorStd(this, smOptions);
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
    if (state_ == Value) return;
    state_ = Value;
    CheckStateChanged();
    if (!ClicksDisabled()) Click();
}

void TCustomCheckBox::Toggle() {
    switch (state_) {
        case cbUnchecked: SetState(allowGrayed_ ? cbGrayed : cbChecked); break;
        case cbChecked: SetState(cbUnchecked); break;
        case cbGrayed: SetState(cbChecked); break;
    }
}

void TCustomCheckBox::Dispatch(TMessage& Message) {
    if (IsClickNotification(Message)) return Toggle();
    switch (Message.Msg) {
        case BM_GETCHECK: Message.Result = static_cast<LRESULT>(state_); break;
        case BM_SETCHECK: SetState(static_cast<TCheckBoxState>(Message.WParam <= 2 ? Message.WParam : 0)); break;
        case BM_CLICK: Toggle(); break;
        default: TButtonControl::Dispatch(Message); break;
    }
}

// ---------------------------------------------------------------------------

static void PublishTRadioButton(TPublisher& p) {
    TPublishOf<TRadioButton> P(p);
    P.Enum("Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment, LeftRightNames());
    P.Bool("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked);
}

VCL_IMPLEMENT_CLASS(TRadioButton, VCL_CREATOR(TRadioButton), PublishTRadioButton)

// Only the checked radio button of a group is a tab stop (SetChecked keeps it so).
TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
    SetTabStop(false);
    SetBounds(0, 0, 113, 17);
    SetControlStyle({csSetCaption, csDoubleClicks});
    SetParentColor(true);
}

void TRadioButton::SetAlignment(TLeftRight Value) {
    if (Value == taCenter) Value = taRightJustify;
    if (alignment_ == Value) return;
    alignment_ = Value;
    MirrorStd(this, smOptions);
}

void TRadioButton::SetChecked(bool Value) {
    if (checked_ == Value) return;
    checked_ = Value;
    SetTabStop(Value);
    CheckStateChanged();
    if (!Value) return;
    TurnSiblingsOff();
    if (!ClicksDisabled()) Click();
}

// Only the radio buttons of the same parent form one group.
void TRadioButton::TurnSiblingsOff() {
    TWinControl* parent = Parent();
    if (!parent) return;
    for (Integer i = 0; i < parent->ControlCount(); ++i)
        if (auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i)); sibling && sibling != this)
            sibling->SetChecked(false);
}

void TRadioButton::Dispatch(TMessage& Message) {
    if (IsClickNotification(Message)) return SetChecked(true);
    switch (Message.Msg) {
        case BM_GETCHECK: Message.Result = checked_ ? 1 : 0; break;
        case BM_SETCHECK: SetChecked(Message.WParam != 0); break;
        case BM_CLICK: SetChecked(true); break;
        default: TButtonControl::Dispatch(Message); break;
    }
}
