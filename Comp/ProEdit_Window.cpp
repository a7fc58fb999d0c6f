// The typed edit's window styles.
#include "ProEdit.h"
#include "vcl/Windows.h"

namespace ProEdit {

void TProEdit::CreateParams(TCreateParams& Params) {
    TCustomEdit::CreateParams(Params);
    // The formatting rectangle needs a multi-line window; a password edit stays one line.
    if (editType_ != etPassword) Params.Style |= ES_MULTILINE;
    if (editAlign_ == eaRight) Params.Style = (Params.Style & ~ES_CENTER) | ES_RIGHT;
    else if (editAlign_ == eaCenter) Params.Style = (Params.Style & ~ES_RIGHT) | ES_CENTER;
    // The formatting rectangle is applied once the window is made (CreateWnd), with the painting.
}

}  // namespace ProEdit
