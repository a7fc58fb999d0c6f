#include "DedIDIZ.h"

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

}  // namespace DedIDIZ
