#pragma once
// The clipboard's contents, held by the windowing system (vcl/src/qt/ClipboardQt.cpp).

#include "vcl/System.h"

namespace ClipboardContents {
AnsiString Text();  // "" when the clipboard holds no text
void SetText(const AnsiString& Text);
}  // namespace ClipboardContents
