#pragma once
// Geometry records and the Win32 scalar and handle types shared by every unit.

#include <cstdint>

#include "System.h"

using UINT = std::uint32_t;
using DWORD = std::uint32_t;
using BOOL = std::int32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = std::uint32_t;
using ATOM = std::uint16_t;

// Handles: opaque values issued from the stand-in's tables and checked on every use; never dereferenced.
#define VCL_DECLARE_HANDLE(Name) \
    struct Name##__;             \
    using Name = Name##__*
VCL_DECLARE_HANDLE(HWND);
VCL_DECLARE_HANDLE(HDC);
VCL_DECLARE_HANDLE(HFONT);
VCL_DECLARE_HANDLE(HPEN);
VCL_DECLARE_HANDLE(HBRUSH);
VCL_DECLARE_HANDLE(HBITMAP);
VCL_DECLARE_HANDLE(HRGN);
VCL_DECLARE_HANDLE(HICON);
VCL_DECLARE_HANDLE(HCURSOR);
VCL_DECLARE_HANDLE(HMENU);
VCL_DECLARE_HANDLE(HINSTANCE);
VCL_DECLARE_HANDLE(HKEY);
VCL_DECLARE_HANDLE(HGLOBAL);
VCL_DECLARE_HANDLE(HTHEME);
VCL_DECLARE_HANDLE(HPALETTE);
using HGDIOBJ = void*;
using HMODULE = HINSTANCE;
using THandle = std::uintptr_t;  // a handle of any kind as an integer

struct TPoint {
    Integer X = 0;
    Integer Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    Integer cx = 0;
    Integer cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

// Right and Bottom are exclusive, as in GDI.
struct TRect {
    Integer Left = 0;
    Integer Top = 0;
    Integer Right = 0;
    Integer Bottom = 0;

    Integer Width() const { return Right - Left; }
    Integer Height() const { return Bottom - Top; }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

using RECT = TRect;
using POINT = TPoint;
using SIZE = TSize;

// The window class a window is made with: only its styles (CS_ in Windows.h) mean anything here.
struct WNDCLASS {
    UINT style = 0;
};
using TWndClass = WNDCLASS;

inline TPoint Point(Integer X, Integer Y) { return {X, Y}; }
inline TRect Rect(Integer Left, Integer Top, Integer Right, Integer Bottom) { return {Left, Top, Right, Bottom}; }
inline TRect Bounds(Integer Left, Integer Top, Integer Width, Integer Height) {
    return {Left, Top, Left + Width, Top + Height};
}
