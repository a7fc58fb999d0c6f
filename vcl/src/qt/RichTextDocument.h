#pragma once
// The rich edit's content as a Qt text document and back.

#include <QTextDocument>

#include "vcl/RichText.h"

// Fills Document with Content; a face the content names is found as Font's would be. Each block is a
// paragraph, '\v' the line separator; the document's margin and default font stay the caller's.
void FillDocument(QTextDocument& Document, const TRichText& Content, const TFontDesc& Font);
// The content Document holds (the formats FillDocument gave and those the user's typing carried on).
TRichText ReadDocument(const QTextDocument& Document);
