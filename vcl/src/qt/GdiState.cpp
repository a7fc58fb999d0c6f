// Device-context state: colours, modes, origins, saved states, device capabilities.
#include "qt/CanvasState.h"
#include "qt/GdiObjects.h"

namespace {

TCanvasState* StateOf(HDC hdc) {
    TCanvas* canvas = DcCanvas(hdc);
    return canvas ? &TCanvasAccess::State(*canvas) : nullptr;
}

template <typename T, typename V>
T Exchange(T& slot, V value) {
    T previous = slot;
    slot = static_cast<T>(value);
    return previous;
}

int screenWidth = 1024;
int screenHeight = 768;

BOOL SetOrigin(HDC hdc, TPoint TDcValues::*member, int x, int y, POINT* previous) {
    TCanvasState* state = StateOf(hdc);
    if (!state) return FALSE;
    if (previous) *previous = state->*member;
    state->*member = {x, y};
    return TRUE;
}

BOOL GetOrigin(HDC hdc, TPoint TDcValues::*member, POINT* point) {
    TCanvasState* state = StateOf(hdc);
    if (!state || !point) return FALSE;
    *point = state->*member;
    return TRUE;
}

}  // namespace

int SetBkMode(HDC hdc, int iBkMode) {
    TCanvasState* state = StateOf(hdc);
    if (!state || (iBkMode != TRANSPARENT && iBkMode != OPAQUE)) return 0;
    return Exchange(state->BkMode, iBkMode);
}

int GetBkMode(HDC hdc) {
    TCanvasState* state = StateOf(hdc);
    return state ? state->BkMode : 0;
}

COLORREF SetBkColor(HDC hdc, COLORREF crColor) {
    TCanvasState* state = StateOf(hdc);
    return state ? Exchange(state->BkColor, crColor & 0xFFFFFF) : CLR_INVALID;
}

COLORREF GetBkColor(HDC hdc) {
    TCanvasState* state = StateOf(hdc);
    return state ? state->BkColor : CLR_INVALID;
}

COLORREF SetTextColor(HDC hdc, COLORREF crColor) {
    TCanvasState* state = StateOf(hdc);
    return state ? Exchange(state->TextColor, crColor & 0xFFFFFF) : CLR_INVALID;
}

COLORREF GetTextColor(HDC hdc) {
    TCanvasState* state = StateOf(hdc);
    return state ? state->TextColor : CLR_INVALID;
}

int SetROP2(HDC hdc, int fnDrawMode) {
    TCanvasState* state = StateOf(hdc);
    if (!state || fnDrawMode < R2_BLACK || fnDrawMode > R2_WHITE) return 0;
    return Exchange(state->Rop2, fnDrawMode);
}

int GetROP2(HDC hdc) {
    TCanvasState* state = StateOf(hdc);
    return state ? state->Rop2 : 0;
}

UINT SetTextAlign(HDC hdc, UINT fMode) {
    TCanvasState* state = StateOf(hdc);
    return state ? Exchange(state->TextAlign, fMode) : GDI_ERROR;
}

UINT GetTextAlign(HDC hdc) {
    TCanvasState* state = StateOf(hdc);
    return state ? state->TextAlign : GDI_ERROR;
}

BOOL SetWindowOrgEx(HDC hdc, int X, int Y, POINT* lpPoint) {
    return SetOrigin(hdc, &TDcValues::WindowOrg, X, Y, lpPoint);
}
BOOL GetWindowOrgEx(HDC hdc, POINT* lpPoint) { return GetOrigin(hdc, &TDcValues::WindowOrg, lpPoint); }
BOOL SetViewportOrgEx(HDC hdc, int X, int Y, POINT* lpPoint) {
    return SetOrigin(hdc, &TDcValues::ViewportOrg, X, Y, lpPoint);
}
BOOL GetViewportOrgEx(HDC hdc, POINT* lpPoint) { return GetOrigin(hdc, &TDcValues::ViewportOrg, lpPoint); }
BOOL OffsetViewportOrgEx(HDC hdc, int nXOffset, int nYOffset, POINT* lpPoint) {
    TCanvasState* state = StateOf(hdc);
    if (!state) return FALSE;
    return SetOrigin(hdc, &TDcValues::ViewportOrg, state->ViewportOrg.X + nXOffset, state->ViewportOrg.Y + nYOffset,
                     lpPoint);
}

int SaveDC(HDC hdc) {
    TCanvasState* state = StateOf(hdc);
    if (!state) return 0;
    state->Saved.push_back(static_cast<const TDcValues&>(*state));
    return static_cast<int>(state->Saved.size());
}

BOOL RestoreDC(HDC hdc, int nSavedDC) {
    TCanvasState* state = StateOf(hdc);
    if (!state) return FALSE;
    int count = static_cast<int>(state->Saved.size());
    int level = nSavedDC < 0 ? count + 1 + nSavedDC : nSavedDC;
    if (level < 1 || level > count) return FALSE;
    HBITMAP bitmap = state->Bitmap;  // the selected bitmap is not part of a saved state here
    static_cast<TDcValues&>(*state) = state->Saved[level - 1];
    state->Bitmap = bitmap;
    state->Saved.resize(level - 1);
    state->ClipSerial = NewClipSerial();
    // The class library's canvas re-selects its own objects after a restore.
    state->FontValid = state->PenValid = state->BrushValid = false;
    return TRUE;
}

void SetScreenSizeForGdi(int Width, int Height) {
    screenWidth = Width;
    screenHeight = Height;
}

int GetDeviceCaps(HDC hdc, int nIndex) {
    if (hdc && !DcCanvas(hdc)) return 0;
    switch (nIndex) {
        case LOGPIXELSX:
        case LOGPIXELSY: return 96;
        case HORZRES: return screenWidth;
        case VERTRES: return screenHeight;
        case HORZSIZE: return screenWidth * 254 / 960;  // millimetres at 96 dpi
        case VERTSIZE: return screenHeight * 254 / 960;
        case BITSPIXEL: return 32;
        case PLANES: return 1;
        case NUMCOLORS: return -1;
        default: return 0;
    }
}
