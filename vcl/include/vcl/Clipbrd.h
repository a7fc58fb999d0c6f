#pragma once
// The clipboard object over the windowing system's clipboard (never the X11 selection). Text is
// Windows-1252; what we write carries an origin marker.

#include <utility>
#include <vector>

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
    // Replaces the clipboard's contents with the text.
    void SetAsText(const AnsiString& Value);
    // Empties the clipboard.
    void Clear();

private:
    int openCount_ = 0;
};

// The one clipboard object of the program.
TClipboard* Clipboard();

// Test seam: the clipboard as another program leaves it: MIME types with their bytes, no origin marker.
void SetForeignClipboardForTest(const std::vector<std::pair<AnsiString, std::string>>& Formats);
