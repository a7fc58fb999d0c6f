#pragma once
// The clipboard's contents, held by the windowing system (vcl/src/qt/ClipboardQt.cpp). What one opening
// writes collects in a generation that the windowing system receives as the clipboard closes.

#include <optional>
#include <string>
#include <string_view>

#include "vcl/Windows.h"

namespace ClipboardContents {
// The generation starts over, holding nothing.
void Empty();
// Adds a format's block (the bytes SetClipboardData was given); false for a format we cannot carry.
// Without Empty the generation starts from what the clipboard holds.
bool Put(UINT Format, std::string_view Block);
// The generation goes to the windowing system; nothing happens when nothing was written.
void Commit();
// The clipboard as it stands (the open generation when there is one).
bool Offers(UINT Format);
// A copy of a format's bytes as a block of exact size: texts zero-terminated, registered formats raw.
std::optional<std::string> Block(UINT Format);
}  // namespace ClipboardContents
