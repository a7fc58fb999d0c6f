#pragma once
// The Win32 drawing calls the system makes directly: device contexts, GDI objects, text, edges, regions.
// Every handle is checked on use; an unknown handle makes the call fail as Win32 does (0 / FALSE / nullptr).

#include <cstdint>

#include "Types.h"

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// ---------------------------------------------------------------------------
// Colours

constexpr COLORREF RGB(Byte r, Byte g, Byte b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
constexpr Byte GetRValue(COLORREF c) { return static_cast<Byte>(c & 0xFF); }
constexpr Byte GetGValue(COLORREF c) { return static_cast<Byte>((c >> 8) & 0xFF); }
constexpr Byte GetBValue(COLORREF c) { return static_cast<Byte>((c >> 16) & 0xFF); }
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

constexpr int COLOR_SCROLLBAR = 0;
constexpr int COLOR_BACKGROUND = 1;
constexpr int COLOR_DESKTOP = 1;
constexpr int COLOR_ACTIVECAPTION = 2;
constexpr int COLOR_INACTIVECAPTION = 3;
constexpr int COLOR_MENU = 4;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_MENUTEXT = 7;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_CAPTIONTEXT = 9;
constexpr int COLOR_ACTIVEBORDER = 10;
constexpr int COLOR_INACTIVEBORDER = 11;
constexpr int COLOR_APPWORKSPACE = 12;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_3DFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_3DSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_BTNHILIGHT = 20;
constexpr int COLOR_3DHIGHLIGHT = 20;
constexpr int COLOR_3DHILIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;
constexpr int COLOR_HOTLIGHT = 26;
constexpr int COLOR_GRADIENTACTIVECAPTION = 27;
constexpr int COLOR_GRADIENTINACTIVECAPTION = 28;
constexpr int COLOR_MENUHILIGHT = 29;
constexpr int COLOR_MENUBAR = 30;
constexpr int COLOR_ENDCOLORS = 30;

// The fixed classic desktop scheme; 0 for an index outside the table.
COLORREF GetSysColor(int nIndex);
// A stock brush of the system colour; nullptr outside the table. Never deleted.
HBRUSH GetSysColorBrush(int nIndex);

// Test seam: replace one entry of the system colour table, or restore the whole classic table.
void SetSysColorForTest(int nIndex, COLORREF Color);
void ResetSysColors();

// ---------------------------------------------------------------------------
// GDI object records

constexpr int LF_FACESIZE = 32;
constexpr int FW_DONTCARE = 0;
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
constexpr Byte ANSI_CHARSET = 0;
constexpr Byte DEFAULT_CHARSET = 1;
constexpr Byte SYMBOL_CHARSET = 2;
constexpr Byte OEM_CHARSET = 255;
constexpr Byte DEFAULT_PITCH = 0;
constexpr Byte FIXED_PITCH = 1;
constexpr Byte VARIABLE_PITCH = 2;
constexpr Byte DEFAULT_QUALITY = 0;
constexpr Byte OUT_DEFAULT_PRECIS = 0;
constexpr Byte CLIP_DEFAULT_PRECIS = 0;
constexpr Byte FF_DONTCARE = 0x00;
constexpr Byte FF_ROMAN = 0x10;
constexpr Byte FF_SWISS = 0x20;
constexpr Byte FF_MODERN = 0x30;

struct LOGFONT {
    LongInt lfHeight = 0;
    LongInt lfWidth = 0;
    LongInt lfEscapement = 0;
    LongInt lfOrientation = 0;
    LongInt lfWeight = FW_NORMAL;
    Byte lfItalic = 0;
    Byte lfUnderline = 0;
    Byte lfStrikeOut = 0;
    Byte lfCharSet = DEFAULT_CHARSET;
    Byte lfOutPrecision = OUT_DEFAULT_PRECIS;
    Byte lfClipPrecision = CLIP_DEFAULT_PRECIS;
    Byte lfQuality = DEFAULT_QUALITY;
    Byte lfPitchAndFamily = DEFAULT_PITCH;
    char lfFaceName[LF_FACESIZE] = {};
};
using LOGFONTA = LOGFONT;
using TLogFont = LOGFONT;

struct TEXTMETRIC {
    LongInt tmHeight = 0;
    LongInt tmAscent = 0;
    LongInt tmDescent = 0;
    LongInt tmInternalLeading = 0;
    LongInt tmExternalLeading = 0;
    LongInt tmAveCharWidth = 0;
    LongInt tmMaxCharWidth = 0;
    LongInt tmWeight = 0;
    LongInt tmOverhang = 0;
    LongInt tmDigitizedAspectX = 96;
    LongInt tmDigitizedAspectY = 96;
    char tmFirstChar = 0x20;
    char tmLastChar = static_cast<char>(0xFF);
    char tmDefaultChar = '?';
    char tmBreakChar = ' ';
    Byte tmItalic = 0;
    Byte tmUnderlined = 0;
    Byte tmStruckOut = 0;
    Byte tmPitchAndFamily = 0;
    Byte tmCharSet = DEFAULT_CHARSET;
};
using TEXTMETRICA = TEXTMETRIC;
using TTextMetric = TEXTMETRIC;

constexpr UINT BS_SOLID = 0;
constexpr UINT BS_NULL = 1;
constexpr UINT BS_HOLLOW = 1;
constexpr UINT BS_HATCHED = 2;
constexpr UINT BS_PATTERN = 3;
constexpr int HS_HORIZONTAL = 0;
constexpr int HS_VERTICAL = 1;
constexpr int HS_FDIAGONAL = 2;
constexpr int HS_BDIAGONAL = 3;
constexpr int HS_CROSS = 4;
constexpr int HS_DIAGCROSS = 5;

struct LOGBRUSH {
    UINT lbStyle = BS_SOLID;
    COLORREF lbColor = 0;
    std::uintptr_t lbHatch = 0;
};
using TLogBrush = LOGBRUSH;

constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6;

struct LOGPEN {
    UINT lopnStyle = PS_SOLID;
    POINT lopnWidth{1, 0};
    COLORREF lopnColor = 0;
};
using TLogPen = LOGPEN;

// ---------------------------------------------------------------------------
// Stock objects, object selection

constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = 5;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int OEM_FIXED_FONT = 10;
constexpr int ANSI_FIXED_FONT = 11;
constexpr int ANSI_VAR_FONT = 12;
constexpr int SYSTEM_FONT = 13;
constexpr int DEVICE_DEFAULT_FONT = 14;
constexpr int SYSTEM_FIXED_FONT = 16;
constexpr int DEFAULT_GUI_FONT = 17;

HGDIOBJ GetStockObject(int fnObject);
HBRUSH CreateSolidBrush(COLORREF crColor);
HBRUSH CreateHatchBrush(int fnStyle, COLORREF clrref);
HBRUSH CreateBrushIndirect(const LOGBRUSH* lplb);
HPEN CreatePen(int fnPenStyle, int nWidth, COLORREF crColor);
HPEN CreatePenIndirect(const LOGPEN* lplgpn);
HFONT CreateFontIndirect(const LOGFONT* lplf);
inline HFONT CreateFontIndirectA(const LOGFONT* lplf) { return CreateFontIndirect(lplf); }
HBITMAP CreateCompatibleBitmap(HDC hdc, int nWidth, int nHeight);
// Returns the previously selected object of the same kind; for a region, the region kind (SIMPLEREGION ...).
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ hgdiobj);
// Fails (FALSE) for an unknown handle and for a handle owned by a class-library object (a TFont's Handle).
BOOL DeleteObject(HGDIOBJ hObject);
// Copies the object's record (LOGFONT, LOGPEN, LOGBRUSH) and returns its size; 0 for an unknown handle.
int GetObject(HGDIOBJ hgdiobj, int cbBuffer, void* lpvObject);

// ---------------------------------------------------------------------------
// Device contexts

HDC CreateCompatibleDC(HDC hdc);  // hdc may be nullptr; draws on a 1x1 bitmap until one is selected
BOOL DeleteDC(HDC hdc);
int SaveDC(HDC hdc);
BOOL RestoreDC(HDC hdc, int nSavedDC);  // negative: relative to the latest save

constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
int SetBkMode(HDC hdc, int iBkMode);  // returns the previous mode, 0 on failure
int GetBkMode(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF crColor);  // returns the previous colour, CLR_INVALID on failure
COLORREF GetBkColor(HDC hdc);
COLORREF SetTextColor(HDC hdc, COLORREF crColor);
COLORREF GetTextColor(HDC hdc);

constexpr int R2_BLACK = 1;
constexpr int R2_NOTMERGEPEN = 2;
constexpr int R2_MASKNOTPEN = 3;
constexpr int R2_NOTCOPYPEN = 4;
constexpr int R2_MASKPENNOT = 5;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_NOTMASKPEN = 8;
constexpr int R2_MASKPEN = 9;
constexpr int R2_NOTXORPEN = 10;
constexpr int R2_NOP = 11;
constexpr int R2_MERGENOTPEN = 12;
constexpr int R2_COPYPEN = 13;
constexpr int R2_MERGEPENNOT = 14;
constexpr int R2_MERGEPEN = 15;
constexpr int R2_WHITE = 16;
int SetROP2(HDC hdc, int fnDrawMode);
int GetROP2(HDC hdc);

constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;
constexpr UINT TA_UPDATECP = 1;
UINT SetTextAlign(HDC hdc, UINT fMode);  // returns the previous alignment, GDI_ERROR on failure
UINT GetTextAlign(HDC hdc);
constexpr UINT GDI_ERROR = 0xFFFFFFFF;

// Logical coordinates map to the surface by: device = logical - WindowOrg + ViewportOrg.
BOOL SetWindowOrgEx(HDC hdc, int X, int Y, POINT* lpPoint);
BOOL GetWindowOrgEx(HDC hdc, POINT* lpPoint);
BOOL SetViewportOrgEx(HDC hdc, int X, int Y, POINT* lpPoint);
BOOL GetViewportOrgEx(HDC hdc, POINT* lpPoint);
BOOL OffsetViewportOrgEx(HDC hdc, int nXOffset, int nYOffset, POINT* lpPoint);

constexpr int HORZSIZE = 4;
constexpr int VERTSIZE = 6;
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int NUMCOLORS = 24;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
int GetDeviceCaps(HDC hdc, int nIndex);
// Test seam for HORZRES/VERTRES until a screen says otherwise; 1024x768 by default.
void SetScreenSizeForGdi(int Width, int Height);

// ---------------------------------------------------------------------------
// Lines and shapes (GDI pixel rules: right and bottom edges excluded, LineTo leaves its end point)

BOOL MoveToEx(HDC hdc, int X, int Y, POINT* lpPoint);
BOOL LineTo(HDC hdc, int nXEnd, int nYEnd);
BOOL GetCurrentPositionEx(HDC hdc, POINT* lpPoint);
BOOL Rectangle(HDC hdc, int nLeftRect, int nTopRect, int nRightRect, int nBottomRect);
BOOL RoundRect(HDC hdc, int nLeftRect, int nTopRect, int nRightRect, int nBottomRect, int nWidth, int nHeight);
BOOL Ellipse(HDC hdc, int nLeftRect, int nTopRect, int nRightRect, int nBottomRect);
BOOL Polygon(HDC hdc, const POINT* lpPoints, int nCount);
BOOL Polyline(HDC hdc, const POINT* lppt, int cPoints);
BOOL Arc(HDC hdc, int nLeftRect, int nTopRect, int nRightRect, int nBottomRect, int nXStartArc, int nYStartArc,
         int nXEndArc, int nYEndArc);
// The sector of the ellipse counter-clockwise from the start radial to the end one, outlined with the pen
// and filled with the brush; the whole ellipse when both radials coincide.
BOOL Pie(HDC hdc, int nLeftRect, int nTopRect, int nRightRect, int nBottomRect, int nXRadial1, int nYRadial1,
         int nXRadial2, int nYRadial2);
COLORREF SetPixel(HDC hdc, int X, int Y, COLORREF crColor);  // returns the colour set; CLR_INVALID outside
COLORREF GetPixel(HDC hdc, int nXPos, int nYPos);            // CLR_INVALID outside the surface or the clip

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr);  // hbr may be (HBRUSH)(COLOR_x + 1)
int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr);
BOOL InvertRect(HDC hDC, const RECT* lprc);
BOOL DrawFocusRect(HDC hDC, const RECT* lprc);  // XOR dotted: drawing twice restores

// ---------------------------------------------------------------------------
// Text

BOOL TextOut(HDC hdc, int nXStart, int nYStart, const char* lpString, int cbString);
inline BOOL TextOutA(HDC hdc, int x, int y, const char* s, int n) { return TextOut(hdc, x, y, s, n); }
constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;
BOOL ExtTextOut(HDC hdc, int X, int Y, UINT fuOptions, const RECT* lprc, const char* lpString, UINT cbCount,
                const int* lpDx);
inline BOOL ExtTextOutA(HDC hdc, int X, int Y, UINT o, const RECT* r, const char* s, UINT n, const int* dx) {
    return ExtTextOut(hdc, X, Y, o, r, s, n, dx);
}
BOOL GetTextExtentPoint32(HDC hdc, const char* lpString, int c, SIZE* lpSize);
inline BOOL GetTextExtentPoint32A(HDC hdc, const char* s, int c, SIZE* size) {
    return GetTextExtentPoint32(hdc, s, c, size);
}
// The wide form: UTF-16 text, a surrogate pair measured as the one character it is.
BOOL GetTextExtentPoint32W(HDC hdc, const WideChar* lpString, int c, SIZE* lpSize);
BOOL GetTextMetrics(HDC hdc, TEXTMETRIC* lptm);

// Mapping modes: logical units are device pixels (MM_TEXT), the only mode there is. SetMapMode answers the
// mode before, and refuses (0) any other.
constexpr int MM_TEXT = 1;
int GetMapMode(HDC hdc);
int SetMapMode(HDC hdc, int iMode);
inline BOOL GetTextMetricsA(HDC hdc, TEXTMETRIC* lptm) { return GetTextMetrics(hdc, lptm); }

constexpr UINT DT_TOP = 0x00000000;
constexpr UINT DT_LEFT = 0x00000000;
constexpr UINT DT_CENTER = 0x00000001;
constexpr UINT DT_RIGHT = 0x00000002;
constexpr UINT DT_VCENTER = 0x00000004;
constexpr UINT DT_BOTTOM = 0x00000008;
constexpr UINT DT_WORDBREAK = 0x00000010;
constexpr UINT DT_SINGLELINE = 0x00000020;
constexpr UINT DT_EXPANDTABS = 0x00000040;
constexpr UINT DT_TABSTOP = 0x00000080;
constexpr UINT DT_NOCLIP = 0x00000100;
constexpr UINT DT_EXTERNALLEADING = 0x00000200;
constexpr UINT DT_CALCRECT = 0x00000400;
constexpr UINT DT_NOPREFIX = 0x00000800;
constexpr UINT DT_INTERNAL = 0x00001000;
constexpr UINT DT_EDITCONTROL = 0x00002000;
constexpr UINT DT_PATH_ELLIPSIS = 0x00004000;
constexpr UINT DT_END_ELLIPSIS = 0x00008000;
constexpr UINT DT_MODIFYSTRING = 0x00010000;
constexpr UINT DT_RTLREADING = 0x00020000;
constexpr UINT DT_WORD_ELLIPSIS = 0x00040000;
constexpr UINT DT_NOFULLWIDTHCHARBREAK = 0x00080000;
constexpr UINT DT_HIDEPREFIX = 0x00100000;
constexpr UINT DT_PREFIXONLY = 0x00200000;

// nCount -1: the text ends at its NUL. Returns the height of the text (0 on failure); with DT_CALCRECT it only
// measures and widens/heightens lpRect. With DT_MODIFYSTRING an ellipsised text is written back into a
// writable buffer (the char* overload).
int DrawText(HDC hDC, const char* lpString, int nCount, RECT* lpRect, UINT uFormat);
int DrawText(HDC hDC, char* lpString, int nCount, RECT* lpRect, UINT uFormat);
inline int DrawTextA(HDC hDC, const char* s, int n, RECT* r, UINT f) { return DrawText(hDC, s, n, r, f); }
inline int DrawTextA(HDC hDC, char* s, int n, RECT* r, UINT f) { return DrawText(hDC, s, n, r, f); }
// The wide forms lay UTF-16 text out as DrawText does; an ellipsis never splits a surrogate pair.
int DrawTextW(HDC hDC, const WideChar* lpString, int nCount, RECT* lpRect, UINT uFormat);
int DrawTextW(HDC hDC, WideChar* lpString, int nCount, RECT* lpRect, UINT uFormat);

// DrawText with tab stops every iTabLength average characters (8 when 0) and margins inside the rectangle,
// which a measured rectangle includes; uiLengthDrawn receives the characters handled. nullptr params is
// plain DrawText; a cbSize other than the record's fails (0).
struct DRAWTEXTPARAMS {
    UINT cbSize = sizeof(DRAWTEXTPARAMS);
    int iTabLength = 0;
    int iLeftMargin = 0;
    int iRightMargin = 0;
    UINT uiLengthDrawn = 0;
};
using TDrawTextParams = DRAWTEXTPARAMS;
int DrawTextEx(HDC hdc, const char* lpchText, int cchText, RECT* lprc, UINT format, DRAWTEXTPARAMS* lpdtp);
int DrawTextEx(HDC hdc, char* lpchText, int cchText, RECT* lprc, UINT format, DRAWTEXTPARAMS* lpdtp);
inline int DrawTextExA(HDC hdc, const char* s, int n, RECT* r, UINT f, DRAWTEXTPARAMS* p) {
    return DrawTextEx(hdc, s, n, r, f, p);
}
inline int DrawTextExA(HDC hdc, char* s, int n, RECT* r, UINT f, DRAWTEXTPARAMS* p) {
    return DrawTextEx(hdc, s, n, r, f, p);
}

// ---------------------------------------------------------------------------
// Edges and frame controls, in the classic 3D colours

constexpr UINT BDR_RAISEDOUTER = 0x0001;
constexpr UINT BDR_SUNKENOUTER = 0x0002;
constexpr UINT BDR_RAISEDINNER = 0x0004;
constexpr UINT BDR_SUNKENINNER = 0x0008;
constexpr UINT BDR_OUTER = 0x0003;
constexpr UINT BDR_INNER = 0x000C;
constexpr UINT BDR_RAISED = 0x0005;
constexpr UINT BDR_SUNKEN = 0x000A;
constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr UINT EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;

constexpr UINT BF_LEFT = 0x0001;
constexpr UINT BF_TOP = 0x0002;
constexpr UINT BF_RIGHT = 0x0004;
constexpr UINT BF_BOTTOM = 0x0008;
constexpr UINT BF_TOPLEFT = BF_TOP | BF_LEFT;
constexpr UINT BF_TOPRIGHT = BF_TOP | BF_RIGHT;
constexpr UINT BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT;
constexpr UINT BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
constexpr UINT BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr UINT BF_MIDDLE = 0x0800;
constexpr UINT BF_SOFT = 0x1000;
constexpr UINT BF_ADJUST = 0x2000;
constexpr UINT BF_FLAT = 0x4000;
constexpr UINT BF_MONO = 0x8000;
BOOL DrawEdge(HDC hdc, RECT* qrc, UINT edge, UINT grfFlags);

constexpr UINT DFC_CAPTION = 1;
constexpr UINT DFC_MENU = 2;
constexpr UINT DFC_SCROLL = 3;
constexpr UINT DFC_BUTTON = 4;
constexpr UINT DFCS_BUTTONCHECK = 0x0000;
constexpr UINT DFCS_BUTTONRADIOIMAGE = 0x0001;
constexpr UINT DFCS_BUTTONRADIOMASK = 0x0002;
constexpr UINT DFCS_BUTTONRADIO = 0x0004;
constexpr UINT DFCS_BUTTON3STATE = 0x0008;
constexpr UINT DFCS_BUTTONPUSH = 0x0010;
constexpr UINT DFCS_SCROLLUP = 0x0000;
constexpr UINT DFCS_SCROLLDOWN = 0x0001;
constexpr UINT DFCS_SCROLLLEFT = 0x0002;
constexpr UINT DFCS_SCROLLRIGHT = 0x0003;
constexpr UINT DFCS_SCROLLCOMBOBOX = 0x0005;
constexpr UINT DFCS_INACTIVE = 0x0100;
constexpr UINT DFCS_PUSHED = 0x0200;
constexpr UINT DFCS_CHECKED = 0x0400;
constexpr UINT DFCS_TRANSPARENT = 0x0800;
constexpr UINT DFCS_HOT = 0x1000;
constexpr UINT DFCS_ADJUSTRECT = 0x2000;
constexpr UINT DFCS_FLAT = 0x4000;
constexpr UINT DFCS_MONO = 0x8000;
BOOL DrawFrameControl(HDC hdc, RECT* lprc, UINT uType, UINT uState);

// ---------------------------------------------------------------------------
// Bit-block transfers

constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD SRCERASE = 0x00440328;
constexpr DWORD NOTSRCCOPY = 0x00330008;
constexpr DWORD NOTSRCERASE = 0x001100A6;
constexpr DWORD MERGECOPY = 0x00C000CA;
constexpr DWORD MERGEPAINT = 0x00BB0226;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATPAINT = 0x00FB0A09;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;
BOOL BitBlt(HDC hdcDest, int nXDest, int nYDest, int nWidth, int nHeight, HDC hdcSrc, int nXSrc, int nYSrc,
            DWORD dwRop);
BOOL StretchBlt(HDC hdcDest, int nXOriginDest, int nYOriginDest, int nWidthDest, int nHeightDest, HDC hdcSrc,
                int nXOriginSrc, int nYOriginSrc, int nWidthSrc, int nHeightSrc, DWORD dwRop);
BOOL PatBlt(HDC hdc, int nXLeft, int nYLeft, int nWidth, int nHeight, DWORD dwRop);

// Device-independent bitmaps: BI_RGB rows of 24 or 32 bits (B, G, R[, unused]), each padded to 4 bytes,
// bottom-up unless biHeight is negative.
struct BITMAPINFOHEADER {
    DWORD biSize = 40;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    Word biPlanes = 1;
    Word biBitCount = 0;
    DWORD biCompression = 0;
    DWORD biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    DWORD biClrUsed = 0;
    DWORD biClrImportant = 0;
};
struct RGBQUAD {
    Byte rgbBlue, rgbGreen, rgbRed, rgbReserved;
};
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};
constexpr DWORD BI_RGB = 0;
constexpr UINT DIB_RGB_COLORS = 0;
// Draws the source rectangle of the bits (its origin at the bottom-left of a bottom-up bitmap) scaled
// into the destination by a source raster operation; negative widths or heights mirror. The number of
// scan lines drawn, 0 on failure: an unknown DC, another format or compression, or nothing to draw.
int StretchDIBits(HDC hdc, int XDest, int YDest, int nDestWidth, int nDestHeight, int XSrc, int YSrc, int nSrcWidth,
                  int nSrcHeight, const void* lpBits, const BITMAPINFO* lpBitsInfo, UINT iUsage, DWORD dwRop);

// ---------------------------------------------------------------------------
// Regions (device coordinates)

constexpr int ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;

HRGN CreateRectRgn(int nLeftRect, int nTopRect, int nRightRect, int nBottomRect);
HRGN CreateRectRgnIndirect(const RECT* lprc);
HRGN CreateEllipticRgn(int nLeftRect, int nTopRect, int nRightRect, int nBottomRect);
// Polygon fill modes: ALTERNATE fills between odd and even crossings, WINDING where the winding is not 0.
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;
HRGN CreatePolygonRgn(const POINT* lppt, int cPoints, int fnPolyFillMode);
BOOL SetRectRgn(HRGN hrgn, int nLeftRect, int nTopRect, int nRightRect, int nBottomRect);
// hrgnDest must exist already (as in Win32); returns the region kind or ERROR.
int CombineRgn(HRGN hrgnDest, HRGN hrgnSrc1, HRGN hrgnSrc2, int fnCombineMode);
BOOL EqualRgn(HRGN hSrcRgn1, HRGN hSrcRgn2);
int OffsetRgn(HRGN hrgn, int nXOffset, int nYOffset);
int GetRgnBox(HRGN hrgn, RECT* lprc);
BOOL PtInRegion(HRGN hrgn, int X, int Y);
BOOL RectInRegion(HRGN hrgn, const RECT* lprc);
BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr);
BOOL FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int nWidth, int nHeight);
BOOL InvertRgn(HDC hdc, HRGN hrgn);
// The DC keeps a copy; nullptr removes the clipping. Returns the region kind or ERROR.
int SelectClipRgn(HDC hdc, HRGN hrgn);
int ExtSelectClipRgn(HDC hdc, HRGN hrgn, int fnMode);
// Copies the DC's clip region into an existing region: 1 when there is one, 0 when none, -1 on failure.
int GetClipRgn(HDC hdc, HRGN hrgn);
// The bounding box of the visible part, in logical coordinates.
int GetClipBox(HDC hdc, RECT* lprc);
int IntersectClipRect(HDC hdc, int nLeftRect, int nTopRect, int nRightRect, int nBottomRect);
int ExcludeClipRect(HDC hdc, int nLeftRect, int nTopRect, int nRightRect, int nBottomRect);
BOOL PtVisible(HDC hdc, int X, int Y);
BOOL RectVisible(HDC hdc, const RECT* lprc);
