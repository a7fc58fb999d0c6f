#pragma once
// The support units' own loader of the visual-styles library: 47 entry points, loaded only on an
// NT-family system of version 5.1 or later. Nothing in the program calls them.

#include "vcl/UxTheme.h"

namespace UtUxTheme {

// The entry points, in the order they are fetched. GetThemeFileName is asked for with a capital N,
// which the library does not export, so it stays empty.
struct TUxThemeEntries {
    TIsThemeActive IsThemeActive = nullptr;
    TEnableTheming EnableTheming = nullptr;
    TOpenThemeData OpenThemeData = nullptr;
    TCloseThemeData CloseThemeData = nullptr;
    TDrawThemeParentBackground DrawThemeParentBackground = nullptr;
    TDrawThemeBackground DrawThemeBackground = nullptr;
    TDrawThemeText DrawThemeText = nullptr;
    TGetThemeBackgroundContentRect GetThemeBackgroundContentRect = nullptr;
    TGetThemeBackgroundExtent GetThemeBackgroundExtent = nullptr;
    TGetThemePartSize GetThemePartSize = nullptr;
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
    TGetThemeFilename GetThemeFileName = nullptr;
    TGetThemePosition GetThemePosition = nullptr;
    TGetThemeFont GetThemeFont = nullptr;
    TGetThemeRect GetThemeRect = nullptr;
    TGetThemeMargins GetThemeMargins = nullptr;
    TGetThemeIntList GetThemeIntList = nullptr;
    TGetThemePropertyOrigin GetThemePropertyOrigin = nullptr;
    TSetWindowTheme SetWindowTheme = nullptr;
    TGetThemeSysColor GetThemeSysColor = nullptr;
    TGetThemeSysColorBrush GetThemeSysColorBrush = nullptr;
    TGetThemeSysSize GetThemeSysSize = nullptr;
    TGetThemeSysBool GetThemeSysBool = nullptr;
    TGetThemeSysFont GetThemeSysFont = nullptr;
    TGetThemeSysString GetThemeSysString = nullptr;
    TGetThemeSysInt GetThemeSysInt = nullptr;
    TIsAppThemed IsAppThemed = nullptr;
    TGetWindowTheme GetWindowTheme = nullptr;
    TEnableThemeDialogTexture EnableThemeDialogTexture = nullptr;
    TIsThemeDialogTextureEnabled IsThemeDialogTextureEnabled = nullptr;
    TGetThemeAppProperties GetThemeAppProperties = nullptr;
    TSetThemeAppProperties SetThemeAppProperties = nullptr;
    TGetThemeDocumentationProperty GetThemeDocumentationProperty = nullptr;
    TGetCurrentThemeName GetCurrentThemeName = nullptr;
};

// Start-up: on NT 5.1 or later loads "uxtheme.dll" and fetches every entry without testing it.
void InitThemeLibrary();
// Exit: clears the entries and frees the library when loaded; both flags go False.
void FreeThemeLibrary();
bool ThemeLibraryLoaded();
bool ThemesAvailable();
const TUxThemeEntries& ThemeEntries();

}  // namespace UtUxTheme
