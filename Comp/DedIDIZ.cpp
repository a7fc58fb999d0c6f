#include "DedIDIZ.h"

#include "vcl/ScopeGuard.h"

namespace DedIDIZ {

namespace {

PEBXPVS::TThemeInterface& Unit() {
    static PEBXPVS::TThemeInterface unit;
    return unit;
}

}  // namespace

void InitThemeLibrary() { PEBXPVS::LoadThemeInterface(Unit(), "DedIDIZ"); }

void FreeThemeLibrary() {
    PEBXPVS::UnloadThemeInterface(Unit(), PEBXPVS::urClearLoaded);
    // Nothing may call an entry of a freed library.
    Unit().Entries = {};
}

bool ThemeLibraryLoaded() { return Unit().Loaded; }

const PEBXPVS::TThemeEntries& ThemeEntries() { return Unit().Entries; }

bool DrawThemedPart(HWND Window, const char16_t* ClassName, int Part, int State, HDC DC, const RECT& R) {
    if (!ThemeLibraryLoaded()) return false;
    const PEBXPVS::TThemeEntries& themes = ThemeEntries();
    if (!themes.OpenThemeData || !themes.DrawThemeBackground || !themes.CloseThemeData) return false;
    HTHEME theme = themes.OpenThemeData(Window, ClassName);
    if (!theme) return false;
    const TScopeExit close([&] { themes.CloseThemeData(theme); });
    return themes.DrawThemeBackground(theme, DC, Part, State, &R, nullptr) == S_OK;
}

}  // namespace DedIDIZ
