// The typed edit's property setters with side effects, and its loading.
#include "ProEdit.h"

namespace ProEdit {

void TProEdit::SetEditType(TProEditType Value) {
    editType_ = Value;
    if (Value == etPassword) {
        SetPasswordChar('*');
        canUndo_ = false;
        RecreateWindow();
    } else {
        SetPasswordChar('\0');
    }
    const TTextClass kind = ClassifyText(Text());
    switch (Value) {
        case etNumeric:
            if (kind != tcInteger) SetIntValue(0);
            break;
        case etFloat:
        case etMoney:
            if (kind != tcInteger && kind != tcFloat) SetFloatValue(0);
            break;
        case etHex:
            if (kind == tcFloat || kind == tcOther) SetIntValue(0);
            break;
        default: break;
    }
}

void TProEdit::SetPrecision(SmallInt Value) {
    if (editType_ != etFloat && editType_ != etMoney) return;
    precision_ = Value;
    const TTextClass kind = ClassifyText(Text());
    SetFloatValue(kind == tcInteger || kind == tcFloat ? FloatValue() : 0);
}

void TProEdit::RecreateWindow() {
    const bool wasRecreating = recreating_;
    recreating_ = true;
    try {
        RecreateWnd();
    } catch (...) {
        recreating_ = wasRecreating;
        throw;
    }
    recreating_ = wasRecreating;
}

void TProEdit::SetEditAlign(TEditAlign Value) {
    editAlign_ = Value;
    RecreateWindow();
    SetWidth(Width() + 1);
    SetWidth(Width() - 1);
}

void TProEdit::SetCanUndo(bool Value) {
    canUndo_ = Value && editType_ != etPassword;
    RecreateWindow();
    SetWidth(Width() + 1);
    SetWidth(Width() - 1);
}

void TProEdit::SetAutoThousandSeparator(bool Value) {
    autoThousandSeparator_ = Value;
    if (editType_ == etFloat || editType_ == etMoney) RegroupMoney();
}

void TProEdit::SetPrefix(const AnsiString& Value) {
    const AnsiString value = Text();
    prefix_ = Value.substr(0, Value.find('\0'));
    SetText(value);
}

void TProEdit::SetSuffix(const AnsiString& Value) {
    const AnsiString value = Text();
    suffix_ = Value.substr(0, Value.find('\0'));
    SetText(value);
}

void TProEdit::SetEnabled(bool Value) {
    const bool changed = Value != Enabled();
    // A focused edit loses the focus first, which shows its normal colour; then the disabled one shows.
    TCustomEdit::SetEnabled(Value);
    const TComponentState state = ComponentState();
    if (!changed || state.Contains(csLoading) || state.Contains(csDesigning)) return;
    ShowColor(Value ? normalColor_ : disabledColor_);
    if (label_ && !labelAlwaysEnabled_) label_->SetEnabled(Value);
}

void TProEdit::SetVisible(bool Value) {
    TCustomEdit::SetVisible(Value);
    if (label_) label_->SetVisible(Value);
}

void TProEdit::SetDisabledColor(TColor Value) {
    disabledColor_ = Value;
    if (!Enabled()) ShowColor(Value);
    Invalidate();
}

void TProEdit::SetEmptyText(const AnsiString& Value) {
    emptyText_ = Value;
    Invalidate();
}

void TProEdit::SetErrorMarkerPos(Integer Value) {
    errorMarkerPos_ = Value;
    Invalidate();
}

void TProEdit::SetErrorMarkerLen(Integer Value) {
    errorMarkerLen_ = Value;
    Invalidate();
}

void TProEdit::SetFlatLineColor(TColor Value) {
    flatLineColor_ = Value;
    Invalidate();
}

void TProEdit::SetFlatParentColor(bool Value) {
    flatParentColor_ = Value;
    Invalidate();
}

void TProEdit::SetSoftBorder(bool Value) {
    softBorder_ = Value;
    Invalidate();
}

void TProEdit::SetTransparent(bool Value) {
    transparent_ = Value;
    Invalidate();
}

void TProEdit::Loaded() {
    TCustomEdit::Loaded();
    normalColor_ = Color();
    normalFontColor_ = Font()->Color();
    shownFontColor_ = normalFontColor_;
    // The flat look afresh: a description sets Flat while loading, which only stores it.
    if (flat_) {
        flat_ = false;
        SetFlat(true);
    }
    PlaceLabel();
    if (!Enabled()) ShowColor(disabledColor_);
    if (!ComponentState().Contains(csDesigning)) LoadPersistence();
}

}  // namespace ProEdit
