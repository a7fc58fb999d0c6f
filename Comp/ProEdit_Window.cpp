// The typed edit's window: its styles, the formatting rectangle and the flat look.
#include "ProEdit.h"
#include "vcl/Windows.h"

namespace ProEdit {

void TProEdit::CreateParams(TCreateParams& Params) {
    TCustomEdit::CreateParams(Params);
    // The formatting rectangle needs a multi-line window; a password edit stays one line.
    if (editType_ != etPassword) Params.Style |= ES_MULTILINE;
    if (editAlign_ == eaRight) Params.Style = (Params.Style & ~ES_CENTER) | ES_RIGHT;
    else if (editAlign_ == eaCenter) Params.Style = (Params.Style & ~ES_RIGHT) | ES_CENTER;
}

void TProEdit::CreateWnd() {
    TCustomEdit::CreateWnd();
    ApplyFormatRect();
    if (oleDropTarget_ && !ComponentState().Contains(csDesigning)) RegisterDropTarget();
}

void TProEdit::ApplyFormatRect() {
    if (!HandleAllocated()) return;
    const TRect client = ClientRect();
    const TRect r = flat_ ? Rect(leftMargin_ + 2, 4, client.Right - 2 - rightMargin_, client.Bottom - 4)
                          : Rect(leftMargin_, 0, client.Right - rightMargin_, client.Bottom);
    Perform(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
}

void TProEdit::SetFlat(bool Value) {
    if (ComponentState().Contains(csLoading)) {
        flat_ = Value;
        return;
    }
    if (Value == flat_) return;
    flat_ = Value;
    if (Value) {
        colorBeforeFlat_ = Color();
        if (flatParentColor_ && Parent()) {
            SetColor(Parent()->Color());
            focusColor_ = Parent()->Color();
        }
        savedBorderStyle_ = BorderStyle();
        SetBorderStyle(bsNone);
    } else {
        SetColor(colorBeforeFlat_);
        SetBorderStyle(savedBorderStyle_);
    }
    ApplyFormatRect();
    Invalidate();
}

}  // namespace ProEdit
