#pragma once
// Message dialogs. They go through the stand-in's one message-box function, so the test seam
// (Testing::RecordMessageBoxes) records them and answers without showing anything.

#include "Controls.h"
#include "System.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbYesAllNoAllCancel{mbYes, mbYesToAll, mbNo, mbNoToAll, mbCancel};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// Shows Msg with an OK button, captioned with the application's title.
void ShowMessage(const AnsiString& Msg);
// Returns the modal result of the button pressed (mrOk, mrYes, ...); mrCancel when closed otherwise.
// Button sets a standard message box cannot show (with All, NoToAll, YesToAll, Help) get a dialog of their own.
TModalResult MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, LongInt HelpCtx);
