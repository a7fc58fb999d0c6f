// The typed edit's states: focus entry and loss, the colours of focus, modification, error and the URL look.
#include <exception>

#include "ProEdit.h"
#include "vcl/Windows.h"

namespace ProEdit {

void TProEdit::ShowColor(TColor Value) {
    showingColor_ = true;
    try {
        TCustomEdit::SetColor(Value);
    } catch (...) {
        showingColor_ = false;
        throw;
    }
    showingColor_ = false;
}

void TProEdit::ShowFontColor(TColor Value) {
    shownFontColor_ = Value;
    Font()->SetColor(Value);
}

void TProEdit::SetModifiedState(bool Value) {
    if (ComponentState().Contains(csLoading)) return;
    modified_ = Value;
    if (showModified_) ShowFontColor(Value ? modifiedColor_ : normalFontColor_);
    Perform(EM_SETMODIFY, Value ? TRUE : FALSE, 0);
}

void TProEdit::SetIsError(bool Value) {
    const TComponentState state = ComponentState();
    if (state.Contains(csDesigning) || state.Contains(csLoading) || Value == isError_) return;
    isError_ = Value;
    if (!showError_) return;
    if (Value) {
        ShowColor(errorColor_);
        ShowFontColor(errorFontColor_);
    } else if (Focused()) {
        ShowColor(focusColor_);
        ShowFontColor(focusFontColor_);
    } else {
        ShowColor(normalColor_);
        ShowFontColor(normalFontColor_);
    }
}

void TProEdit::SetURLLook(bool On) {
    if (urlLook_ == On) return;
    urlLook_ = On;
    TFontStyles style = Font()->Style();
    if (On) style.Include(fsUnderline);
    else style.Exclude(fsUnderline);
    Font()->SetStyle(style);
    ShowFontColor(On ? urlColor_ : normalFontColor_);
    SetCursor(On ? crHandPoint : crDefault);
    Invalidate();
}

// A password field never looks like an address: its text would be shown to the opener.
void TProEdit::FollowURLLook() {
    if (showURL_) SetURLLook(LooksLikeURL(Text()) && !PasswordField());
}

// ---------------------------------------------------------------------------
// Focus: the entry work follows OnEnter; the loss formatting and validation come before OnExit.

void TProEdit::WMSetFocus(TMessage& Message) {
    TCustomEdit::Dispatch(Message);
    if (!Focused()) return;  // a handler of the entry sent the focus on
    const AnsiString value = Text();
    undoText_ = value;
    if (!ErrorShown()) {
        ShowColor(focusColor_);
        if (Font()->Color() != shownFontColor_) normalFontColor_ = Font()->Color();
        if (!urlLook_) ShowFontColor(focusFontColor_);
    }
    const auto length = static_cast<Integer>(value.size());
    if (AutoSelect()) {
        Integer from = 0;
        if (showURL_) {
            if (const std::size_t scheme = value.find("://"); scheme != AnsiString::npos)
                from = static_cast<Integer>(scheme) + 3;
            else if (const std::size_t mail = value.find("mailto:"); mail != AnsiString::npos)
                from = static_cast<Integer>(mail) + 7;
        }
        Select(ValueStart() + from, length - from);
    } else if (editType_ == etFloat || editType_ == etMoney) {
        const std::size_t decimal = value.find(DecimalSeparator);
        Select(ValueStart() + (decimal == AnsiString::npos ? 0 : static_cast<Integer>(decimal)), 0);
    }
    if (focusLabel_) ShowLabelBold(true);
    if (focusWidthInc_ >= 1 && !recreating_) SetWidth(Width() + focusWidthInc_);
    // A re-creation brings the focus back with the alignment it was made for.
    if (!recreating_ && focusAlign_ != eaDefault && focusAlign_ != editAlign_) {
        savedAlign_ = editAlign_;
        alignSaved_ = true;
        SetEditAlign(focusAlign_);
    }
    if (focusBorder_ || (!emptyText_.empty() && value.empty())) Invalidate();
}

// A formatting step that fails (a value that is no number) still lets the focus leave whole: the rest of
// the loss runs, then the failure goes on to the caller.
void TProEdit::WMKillFocus(TMessage& Message) {
    if (ComponentState().Contains(csLoading)) return TCustomEdit::Dispatch(Message);
    std::exception_ptr failure;
    try {
        if (!ErrorShown()) {
            ShowColor(normalColor_);
            if (!urlLook_) ShowFontColor(normalFontColor_);
        }
        if (focusLabel_) ShowLabelBold(false);
        const bool floating = editType_ == etFloat || editType_ == etMoney;
        Batched([&] {
            if (floating && Text().empty()) SetFloatValue(0);
            if (floating && precision_ > 0) SetFloatValue(FloatValue());
            if (editType_ == etNumeric && Text().empty()) SetText("0");
        });
        if (OnValueValidate) {
            bool isValid = true;
            OnValueValidate(this, Text(), isValid);
        }
    } catch (...) {
        failure = std::current_exception();
    }
    TCustomEdit::Dispatch(Message);
    if (focusBorder_) Invalidate();
    if (!recreating_) {
        if (focusWidthInc_ > 0) SetWidth(Width() - focusWidthInc_);
        // Only what the entry saved is restored: an equal FocusAlign saved nothing.
        if (alignSaved_) {
            alignSaved_ = false;
            if (savedAlign_ != editAlign_) SetEditAlign(savedAlign_);
        }
        if ((!emptyText_.empty() && Text().empty()) || errorMarkerLen_ > 0) Invalidate();
    }
    if (failure) std::rethrow_exception(failure);
}

}  // namespace ProEdit
