#pragma once
// TqebUrl: opens a web address in the user's default browser, the program the ".htm" file type is
// associated with in the registry.

#include "vcl/Classes.h"
#include "vcl/Windows.h"

namespace qebUrl {

enum TUrlShowCmd {
    ssHide,
    ssMaximize,
    ssMinimize,
    ssRestore,
    ssShow,
    ssShowDefault,
    ssShowMaximized,
    ssShowMinimized,
    ssShowMinNoActivate,
    ssShowNA,
    ssShowNoActivate,
    ssShowNormal
};

// The window show command WinExec gets for each way of showing the browser.
int ShowCommandOf(TUrlShowCmd Value);

class TqebUrl : public TComponent {
    VCL_CLASS(TqebUrl, TComponent)
    explicit TqebUrl(TComponent* AOwner) : TComponent(AOwner) {}

    AnsiString Url() const { return url_; }
    void SetUrl(const AnsiString& Value) { url_ = Value; }
    TUrlShowCmd UrlShowCommand() const { return urlShowCommand_; }
    void SetUrlShowCommand(TUrlShowCmd Value) { urlShowCommand_ = Value; }

    // Starts the browser with Url. Without a ".htm" association or its open command nothing happens;
    // a start that fails, or an open command with no program, raises "Couldn't launch default browser".
    // A started program that later ends with a failure status (the desktop opener finding no browser)
    // raises the same from the event loop, where the application's exception handling shows it.
    void Execute();

private:
    AnsiString url_;
    TUrlShowCmd urlShowCommand_ = ssShowDefault;
};

// The open command cut before its "%1" placeholder, before the quotes around it when it has them;
// Execute appends a blank and the address, as it is unless it holds blanks or quotes.
AnsiString CommandBeforePlaceholder(const AnsiString& OpenCommand);

// Reads the default value of Root\Key into Value and returns the opening's result (0 = success);
// when the key cannot be opened Value stays as it was.
Integer ReadRegDefault(HKEY Root, const AnsiString& Key, AnsiString& Value);

}  // namespace qebUrl
