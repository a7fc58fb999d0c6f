#pragma once
// The edit controls' run-time loading of the visual-styles library: 45 entry points published as
// function pointers, so the program also runs where the library is missing. The grid's loader keeps
// its own copy of the same entries through LoadThemeInterface.

#include "vcl/UxTheme.h"

namespace PEBXPVS {

// The entry points, in the order they are fetched.
struct TThemeEntries {
    TOpenThemeData OpenThemeData = nullptr;
    TCloseThemeData CloseThemeData = nullptr;
    TDrawThemeBackground DrawThemeBackground = nullptr;
    TDrawThemeText DrawThemeText = nullptr;
    TGetThemeBackgroundContentRect GetThemeBackgroundContentRect = nullptr;
    TGetThemeBackgroundExtent GetThemeBackgroundExtent = nullptr;
    TGetThemeTextExtent GetThemeTextExtent = nullptr;
    TGetThemeTextMetrics GetThemeTextMetrics = nullptr;
    TGetThemeBackgroundRegion GetThemeBackgroundRegion = nullptr;
    THitTestThemeBackground HitTestThemeBackground = nullptr;
    TDrawThemeEdge DrawThemeEdge = nullptr;
    TDrawThemeIcon DrawThemeIcon = nullptr;
    TIsThemePartDefined IsThemePartDefined = nullptr;
    TIsThemeBackgroundPartiallyTransparent IsThemeBackgroundPartiallyTransparent = nullptr;
    TGetThemeColor GetThemeColor = nullptr;
    TGetThemeMetric GetThemeMetric = nullptr;
    TGetThemeString GetThemeString = nullptr;
    TGetThemeBool GetThemeBool = nullptr;
    TGetThemeInt GetThemeInt = nullptr;
    TGetThemeEnumValue GetThemeEnumValue = nullptr;
    TGetThemePosition GetThemePosition = nullptr;
    TGetThemeFont GetThemeFont = nullptr;
    TGetThemeRect GetThemeRect = nullptr;
    TGetThemeMargins GetThemeMargins = nullptr;
    TGetThemeIntList GetThemeIntList = nullptr;
    TSetWindowTheme SetWindowTheme = nullptr;
    TGetThemeFilename GetThemeFilename = nullptr;
    TGetThemeSysColor GetThemeSysColor = nullptr;
    TGetThemeSysColorBrush GetThemeSysColorBrush = nullptr;
    TGetThemeSysBool GetThemeSysBool = nullptr;
    TGetThemeSysSize GetThemeSysSize = nullptr;
    TGetThemeSysFont GetThemeSysFont = nullptr;
    TGetThemeSysString GetThemeSysString = nullptr;
    TGetThemeSysInt GetThemeSysInt = nullptr;
    TIsThemeActive IsThemeActive = nullptr;
    TIsAppThemed IsAppThemed = nullptr;
    TGetWindowTheme GetWindowTheme = nullptr;
    TEnableThemeDialogTexture EnableThemeDialogTexture = nullptr;
    TIsThemeDialogTextureEnabled IsThemeDialogTextureEnabled = nullptr;
    TGetThemeAppProperties GetThemeAppProperties = nullptr;
    TSetThemeAppProperties SetThemeAppProperties = nullptr;
    TGetCurrentThemeName GetCurrentThemeName = nullptr;
    TGetThemeDocumentationProperty GetThemeDocumentationProperty = nullptr;
    TDrawThemeParentBackground DrawThemeParentBackground = nullptr;
    TEnableTheming EnableTheming = nullptr;
};

// One loader's state.
struct TThemeInterface {
    bool Loaded = false;
    HMODULE Library = nullptr;
    TThemeEntries Entries;
};

// Whether unloading leaves the loaded flag set (this unit) or clears it (the grid's loader).
enum TThemeUnloadRule { urKeepLoaded, urClearLoaded };

// When not loaded yet: loads "UXTHEME.DLL" (a handle below 32 is a failure and leaves everything as it
// is), sets Loaded, then fetches the entries in order; a missing one raises EAssertionFailed "Assertion
// failure" naming UnitName and the source line of that entry, before the next one is fetched.
void LoadThemeInterface(TThemeInterface& Interface, const char* UnitName);
// When loaded: frees the library once; the entries stay as they are.
void UnloadThemeInterface(TThemeInterface& Interface, TThemeUnloadRule Rule);

// This unit's loader: start-up and exit, the loaded flag and the entries.
void InitThemeLibrary();
void FreeThemeLibrary();
bool ThemeLibraryLoaded();
const TThemeEntries& ThemeEntries();

}  // namespace PEBXPVS
