// Registration of the panel, status-bar and spin-button units' classes for form descriptions.
#include "vcl/ComCtrls.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Spin.h"

void RegisterExtCtrls() {
    RegisterClasses({TPanel::ClassInfo(), TBevel::ClassInfo(), TTimer::ClassInfo(), TImage::ClassInfo()});
}

void RegisterComCtrls() {
    RegisterClasses({TStatusBar::ClassInfo(), TTrackBar::ClassInfo(), TCoolBar::ClassInfo(), TRichEdit::ClassInfo(),
                     TDateTimePicker::ClassInfo()});
}

void RegisterSpin() { RegisterClasses({TSpinButton::ClassInfo(), TSpinEdit::ClassInfo()}); }
