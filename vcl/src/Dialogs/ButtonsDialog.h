#pragma once
// A message dialog with any set of buttons (vcl/src/qt/DialogsQt.cpp).

#include "vcl/Dialogs.h"

TModalResult ShowButtonDialog(const AnsiString& Msg, const AnsiString& Caption, TMsgDlgType DlgType,
                              TMsgDlgButtons Buttons);
