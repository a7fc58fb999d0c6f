// Message dialogs over the one message-box function; unusual button sets get their own dialog.
#include "vcl/Dialogs.h"

#include "Controls/Internal.h"
#include "Dialogs/ButtonsDialog.h"
#include "vcl/Forms.h"
#include "vcl/Testing.h"
#include "vcl/Windows.h"

namespace {

AnsiString ApplicationTitle() {
    if (Application && !Application->Title().empty()) return Application->Title();
    return ChangeFileExt(ExtractFileName(Application ? Application->ExeName() : AnsiString()), "");
}

AnsiString DialogCaption(TMsgDlgType DlgType) {
    switch (DlgType) {
        case mtWarning: return "Warning";
        case mtError: return "Error";
        case mtInformation: return "Information";
        case mtConfirmation: return "Confirm";
        case mtCustom: break;
    }
    return ApplicationTitle();
}

UINT DialogIcon(TMsgDlgType DlgType) {
    switch (DlgType) {
        case mtWarning: return MB_ICONWARNING;
        case mtError: return MB_ICONERROR;
        case mtInformation: return MB_ICONINFORMATION;
        case mtConfirmation: return MB_ICONQUESTION;
        case mtCustom: break;
    }
    return 0;
}

// The message-box button set for Buttons (Help is left out); false when no standard set matches.
bool StandardButtons(TMsgDlgButtons Buttons, UINT& Flags) {
    Buttons.Exclude(mbHelp);
    const std::pair<TMsgDlgButtons, UINT> sets[] = {
        {{mbOK}, MB_OK},
        {{mbOK, mbCancel}, MB_OKCANCEL},
        {{mbYes, mbNo}, MB_YESNO},
        {{mbYes, mbNo, mbCancel}, MB_YESNOCANCEL},
        {{mbAbort, mbRetry, mbIgnore}, MB_ABORTRETRYIGNORE},
        {{mbRetry, mbCancel}, MB_RETRYCANCEL},
    };
    for (const auto& [set, flags] : sets)
        if (set == Buttons) return Flags = flags, true;
    return false;
}

}  // namespace

void ShowMessage(const AnsiString& Msg) { ShowMessageBoxChecked(Msg, ApplicationTitle(), MB_OK); }

TModalResult MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, LongInt) {
    if (Buttons.Empty()) Buttons = {mbOK};
    UINT flags = MB_OK;
    // The recording seam answers every dialog, whatever its buttons.
    if (StandardButtons(Buttons, flags) || Testing::RecordingMessageBoxes())
        return ShowMessageBoxChecked(Msg, DialogCaption(DlgType), flags | DialogIcon(DlgType));
    return ShowButtonDialog(Msg, DialogCaption(DlgType), DlgType, Buttons);
}
