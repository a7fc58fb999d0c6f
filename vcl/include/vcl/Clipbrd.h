#pragma once
// The clipboard object over the windowing system's clipboard (never the X11 selection). Text is
// Windows-1252; what we write carries an origin marker.

#include "Classes.h"
#include "Windows.h"

VCL_EXCEPTION(EClipboardException, Exception);

class TClipboard : public TPersistent {
    VCL_CLASS(TClipboard, TPersistent)
    TClipboard() = default;

    // Counted: the first Open opens the clipboard, the matching Close closes it. Open raises
    // EClipboardException "Cannot open clipboard" when the clipboard cannot be opened.
    void Open();
    void Close();

    // Whether the clipboard offers the format (CF_TEXT, CF_UNICODETEXT, CF_HDROP, a registered one).
    bool HasFormat(Word Format) const;
    // The clipboard's text ("" when it holds none); opens the clipboard for the read.
    AnsiString AsText();
    void SetAsText(const AnsiString& Value);

private:
    int openCount_ = 0;
};

// The one clipboard object of the program.
TClipboard* Clipboard();
