// Registration of the standard controls for form descriptions.

#include "vcl/StdCtrls.h"

void RegisterStdCtrls() {
    RegisterClasses({TEdit::ClassInfo(), TMemo::ClassInfo(), TLabel::ClassInfo(), TButton::ClassInfo(),
                     TCheckBox::ClassInfo(), TRadioButton::ClassInfo(), TComboBox::ClassInfo()});
}
