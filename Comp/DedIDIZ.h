#pragma once
// The grid's run-time loading of the visual-styles library: its own flag, handle and 45 entry points,
// fetched as the edit controls' loader fetches them. The grid calls an entry only while Loaded.

#include "PEBXPVS.h"

namespace DedIDIZ {

// Start-up: loads the library once; a missing entry point stops with an assertion naming this unit.
void InitThemeLibrary();
// Exit: when loaded, frees the library and clears the loaded flag.
void FreeThemeLibrary();
bool ThemeLibraryLoaded();
const PEBXPVS::TThemeEntries& ThemeEntries();
// Draws Part in State of the theme class ClassName (opened for Window) into R of DC; false, with nothing
// drawn, while the library is not loaded or has no such class, part or state.
bool DrawThemedPart(HWND Window, const char16_t* ClassName, int Part, int State, HDC DC, const RECT& R);

}  // namespace DedIDIZ
