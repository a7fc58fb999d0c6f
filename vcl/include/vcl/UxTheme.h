#pragma once
// The visual-styles library ("uxtheme.dll"): its records, the signatures of its entry points as callers
// fetch them with GetProcAddress, and the part and state numbers the system draws with.
// Real here: IsThemeActive (TRUE), OpenThemeData for the "button", "combobox", "header", "Progress" and
// "spin" classes, DrawThemeBackground of the push button, the drop-down button, the header item and the
// four spin buttons (normal, hot, pressed), of the check box and radio button (normal and disabled), of the
// progress bar and its chunk, and CloseThemeData. Every other entry answers as a system without that theme
// data does: E_NOTIMPL, FALSE, 0 or nullptr.

#include "Windows.h"

using WCHAR = WideChar;
using LPWSTR = WideChar*;
using LPCWSTR = const WideChar*;
VCL_DECLARE_HANDLE(HIMAGELIST);

// ---------------------------------------------------------------------------
// Records

struct LOGFONTW {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    Byte lfItalic;
    Byte lfUnderline;
    Byte lfStrikeOut;
    Byte lfCharSet;
    Byte lfOutPrecision;
    Byte lfClipPrecision;
    Byte lfQuality;
    Byte lfPitchAndFamily;
    WCHAR lfFaceName[LF_FACESIZE];
};

struct TEXTMETRICW {
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    WCHAR tmFirstChar;
    WCHAR tmLastChar;
    WCHAR tmDefaultChar;
    WCHAR tmBreakChar;
    Byte tmItalic;
    Byte tmUnderlined;
    Byte tmStruckOut;
    Byte tmPitchAndFamily;
    Byte tmCharSet;
};

struct MARGINS {
    int cxLeftWidth;
    int cxRightWidth;
    int cyTopHeight;
    int cyBottomHeight;
};

constexpr int MAX_INTLIST_COUNT = 10;
struct INTLIST {
    int iValueCount;
    int iValues[MAX_INTLIST_COUNT];
};

enum THEMESIZE { TS_MIN, TS_TRUE, TS_DRAW };
enum PROPERTYORIGIN { PO_STATE, PO_PART, PO_CLASS, PO_GLOBAL, PO_NOTFOUND };

// ---------------------------------------------------------------------------
// Parts and states of the "button" class

constexpr int BP_PUSHBUTTON = 1;
constexpr int PBS_NORMAL = 1;
constexpr int PBS_HOT = 2;
constexpr int PBS_PRESSED = 3;
constexpr int PBS_DISABLED = 4;
constexpr int PBS_DEFAULTED = 5;
// The radio button and the check box: drawn unchecked and checked, normal or disabled.
constexpr int BP_RADIOBUTTON = 2;
constexpr int BP_CHECKBOX = 3;
constexpr int RBS_UNCHECKEDNORMAL = 1;
constexpr int RBS_UNCHECKEDDISABLED = 4;
constexpr int RBS_CHECKEDNORMAL = 5;
constexpr int RBS_CHECKEDDISABLED = 8;
constexpr int CBS_UNCHECKEDNORMAL = 1;
constexpr int CBS_UNCHECKEDDISABLED = 4;
constexpr int CBS_CHECKEDNORMAL = 5;
constexpr int CBS_CHECKEDDISABLED = 8;

// ---------------------------------------------------------------------------
// Parts and states of the "header" class: the item, normal, hot or pressed

constexpr int HP_HEADERITEM = 1;
constexpr int HIS_NORMAL = 1;
constexpr int HIS_HOT = 2;
constexpr int HIS_PRESSED = 3;

// ---------------------------------------------------------------------------
// Parts of the "Progress" class: the bar and its filled chunk (either in any state)

constexpr int PP_BAR = 1;
constexpr int PP_CHUNK = 3;

// ---------------------------------------------------------------------------
// Parts and states of the "combobox" class

constexpr int CP_DROPDOWNBUTTON = 1;
constexpr int CBXS_NORMAL = 1;
constexpr int CBXS_HOT = 2;
constexpr int CBXS_PRESSED = 3;
constexpr int CBXS_DISABLED = 4;

// ---------------------------------------------------------------------------
// Parts of the "spin" class: the up and down buttons, and the right (up) and left (down) buttons of a
// horizontal spin; each normal, hot or pressed (the same numbers for every part)

constexpr int SPNP_UP = 1;
constexpr int SPNP_DOWN = 2;
constexpr int SPNP_UPHORZ = 3;
constexpr int SPNP_DOWNHORZ = 4;
constexpr int UPS_NORMAL = 1;
constexpr int UPS_HOT = 2;
constexpr int UPS_PRESSED = 3;

// ---------------------------------------------------------------------------
// Entry points, one signature each, named as exported

using TOpenThemeData = HTHEME (*)(HWND hwnd, LPCWSTR pszClassList);
using TCloseThemeData = HRESULT (*)(HTHEME hTheme);
using TDrawThemeBackground = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect,
                                         const RECT* pClipRect);
using TDrawThemeText = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCWSTR pszText, int iCharCount,
                                   DWORD dwTextFlags, DWORD dwTextFlags2, const RECT* pRect);
using TGetThemeBackgroundContentRect = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                                                   const RECT* pBoundingRect, RECT* pContentRect);
using TGetThemeBackgroundExtent = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                                              const RECT* pContentRect, RECT* pExtentRect);
using TGetThemePartSize = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, RECT* prc, THEMESIZE eSize,
                                      SIZE* psz);
using TGetThemeTextExtent = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCWSTR pszText,
                                        int iCharCount, DWORD dwTextFlags, const RECT* pBoundingRect,
                                        RECT* pExtentRect);
using TGetThemeTextMetrics = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, TEXTMETRICW* ptm);
using TGetThemeBackgroundRegion = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect,
                                              HRGN* pRegion);
using THitTestThemeBackground = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, DWORD dwOptions,
                                            const RECT* pRect, HRGN hrgn, POINT ptTest, Word* pwHitTestCode);
using TDrawThemeEdge = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pDestRect, UINT uEdge,
                                   UINT uFlags, RECT* pContentRect);
using TDrawThemeIcon = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect,
                                   HIMAGELIST himl, int iImageIndex);
using TIsThemePartDefined = BOOL (*)(HTHEME hTheme, int iPartId, int iStateId);
using TIsThemeBackgroundPartiallyTransparent = BOOL (*)(HTHEME hTheme, int iPartId, int iStateId);
using TGetThemeColor = HRESULT (*)(HTHEME hTheme, int iPartId, int iStateId, int iPropId, COLORREF* pColor);
using TGetThemeMetric = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, int iPropId, int* piVal);
using TGetThemeString = HRESULT (*)(HTHEME hTheme, int iPartId, int iStateId, int iPropId, LPWSTR pszBuff,
                                    int cchMaxBuffChars);
using TGetThemeBool = HRESULT (*)(HTHEME hTheme, int iPartId, int iStateId, int iPropId, BOOL* pfVal);
using TGetThemeInt = HRESULT (*)(HTHEME hTheme, int iPartId, int iStateId, int iPropId, int* piVal);
using TGetThemeEnumValue = HRESULT (*)(HTHEME hTheme, int iPartId, int iStateId, int iPropId, int* piVal);
using TGetThemePosition = HRESULT (*)(HTHEME hTheme, int iPartId, int iStateId, int iPropId, POINT* pPoint);
using TGetThemeFont = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, int iPropId, LOGFONTW* pFont);
using TGetThemeRect = HRESULT (*)(HTHEME hTheme, int iPartId, int iStateId, int iPropId, RECT* pRect);
using TGetThemeMargins = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, int iPropId, RECT* prc,
                                     MARGINS* pMargins);
using TGetThemeIntList = HRESULT (*)(HTHEME hTheme, int iPartId, int iStateId, int iPropId, INTLIST* pIntList);
using TGetThemePropertyOrigin = HRESULT (*)(HTHEME hTheme, int iPartId, int iStateId, int iPropId,
                                            PROPERTYORIGIN* pOrigin);
using TSetWindowTheme = HRESULT (*)(HWND hwnd, LPCWSTR pszSubAppName, LPCWSTR pszSubIdList);
using TGetThemeFilename = HRESULT (*)(HTHEME hTheme, int iPartId, int iStateId, int iPropId, LPWSTR pszThemeFileName,
                                      int cchMaxBuffChars);
using TGetThemeSysColor = COLORREF (*)(HTHEME hTheme, int iColorId);
using TGetThemeSysColorBrush = HBRUSH (*)(HTHEME hTheme, int iColorId);
using TGetThemeSysBool = BOOL (*)(HTHEME hTheme, int iBoolId);
using TGetThemeSysSize = int (*)(HTHEME hTheme, int iSizeId);
using TGetThemeSysFont = HRESULT (*)(HTHEME hTheme, int iFontId, LOGFONTW* plf);
using TGetThemeSysString = HRESULT (*)(HTHEME hTheme, int iStringId, LPWSTR pszStringBuff, int cchMaxStringChars);
using TGetThemeSysInt = HRESULT (*)(HTHEME hTheme, int iIntId, int* piValue);
using TIsThemeActive = BOOL (*)();
using TIsAppThemed = BOOL (*)();
using TGetWindowTheme = HTHEME (*)(HWND hwnd);
using TEnableThemeDialogTexture = HRESULT (*)(HWND hwnd, DWORD dwFlags);
using TIsThemeDialogTextureEnabled = BOOL (*)(HWND hwnd);
using TGetThemeAppProperties = DWORD (*)();
using TSetThemeAppProperties = void (*)(DWORD dwFlags);
using TGetCurrentThemeName = HRESULT (*)(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff,
                                         int cchMaxColorChars, LPWSTR pszSizeBuff, int cchMaxSizeChars);
using TGetThemeDocumentationProperty = HRESULT (*)(LPCWSTR pszThemeName, LPCWSTR pszPropertyName, LPWSTR pszValueBuff,
                                                   int cchMaxValChars);
using TDrawThemeParentBackground = HRESULT (*)(HWND hwnd, HDC hdc, RECT* prc);
using TEnableTheming = HRESULT (*)(BOOL fEnable);

// Test seam: visual styles switched off (IsThemeActive FALSE, OpenThemeData nullptr), or on again.
void SetThemesActiveForTest(bool Active);
