#pragma once
// Message dialogs and the file-open dialog. Message dialogs go through the stand-in's one message-box
// function, so the test seam (Testing::RecordMessageBoxes) records them and answers without showing anything.

#include <memory>
#include <vector>

#include "Classes.h"
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

// ---------------------------------------------------------------------------
// The file-open dialog. Filter is "Name|masks|Name|masks" (masks separated by ';'); FilterIndex counts from 1.
// A chosen name without an extension gets DefaultExt. While Testing::RecordOpenDialogs is on, Execute shows
// nothing: it records the dialog and takes the next prepared answer.

enum TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofShareAware,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate,
    ofNoNetworkButton,
    ofNoLongNames,
    ofOldStyleDialog,
    ofNoDereferenceLinks,
    ofEnableIncludeNotify,
    ofEnableSizing,
    ofDontAddToRecent,
    ofForceShowHidden
};
using TOpenOptions = TSet<TOpenOption>;

// One entry of a dialog filter: its shown name and its masks ("*.txt;*.log").
struct TFileFilter {
    AnsiString Name;
    AnsiString Masks;
};
// The pairs of a "Name|masks|..." filter; a name without masks is dropped.
std::vector<TFileFilter> ParseFileFilter(const AnsiString& Filter);

class TCommonDialog : public TComponent {
    VCL_CLASS(TCommonDialog, TComponent)
    explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
    virtual bool Execute() = 0;
};

class TOpenDialog : public TCommonDialog {
    VCL_CLASS(TOpenDialog, TCommonDialog)
    explicit TOpenDialog(TComponent* AOwner);
    ~TOpenDialog() override;

    const AnsiString& FileName() const { return fileName_; }
    void SetFileName(const AnsiString& Value) { fileName_ = Value; }
    const AnsiString& InitialDir() const { return initialDir_; }
    void SetInitialDir(const AnsiString& Value) { initialDir_ = Value; }
    const AnsiString& Filter() const { return filter_; }
    void SetFilter(const AnsiString& Value) { filter_ = Value; }
    Integer FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(Integer Value) { filterIndex_ = Value; }
    const AnsiString& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const AnsiString& Value) { defaultExt_ = Value; }
    const AnsiString& Title() const { return title_; }
    void SetTitle(const AnsiString& Value) { title_ = Value; }
    TOpenOptions Options() const { return options_; }
    void SetOptions(TOpenOptions Value) { options_ = Value; }
    // Every chosen file; FileName is the first.
    TStrings* Files() const;

    // True when the user chose a file; cancelling leaves FileName and Files as they were.
    bool Execute() override;

private:
    AnsiString WithDefaultExt(const AnsiString& Name) const;

    AnsiString fileName_;
    AnsiString initialDir_;
    AnsiString filter_;
    Integer filterIndex_ = 1;
    AnsiString defaultExt_;
    AnsiString title_;
    TOpenOptions options_{ofHideReadOnly, ofEnableSizing};
    std::unique_ptr<TStringList> files_;
};

// Registers the classes of this unit for form descriptions.
void RegisterDialogs();

namespace Testing {

struct TRecordedOpenDialog {
    AnsiString Title;
    AnsiString InitialDir;
    AnsiString FileName;
    std::vector<TFileFilter> Filters;
    Integer FilterIndex = 1;
    TOpenOptions Options;
};
void RecordOpenDialogs(bool On);
bool RecordingOpenDialogs();
// The next recorded dialog is confirmed with these names (and this filter index, 0: unchanged); an empty list,
// or no prepared answer at all, cancels it.
void PrepareOpenDialogAnswer(const std::vector<AnsiString>& FileNames, Integer FilterIndex = 0);
std::vector<TRecordedOpenDialog>& RecordedOpenDialogs();

}  // namespace Testing
