#pragma once
// Internal: the state of windows' own scroll bars, kept by handle. The peer that shows a window's bars
// listens for changes; the user's actions on them come back as WM_HSCROLL/WM_VSCROLL.

#include <functional>

#include "vcl/Controls.h"
#include "vcl/Windows.h"

struct TWindowScrollBar {
    bool Visible = false;
    int Min = 0;
    int Max = 0;
    UINT Page = 0;
    int Pos = 0;
    // While the user drags the thumb: where it is (GetScrollInfo's SIF_TRACKPOS).
    bool Tracking = false;
    int TrackPos = 0;
};

struct TWindowScrollBars {
    TWindowScrollBar Bars[2];  // SB_HORZ, SB_VERT
    std::function<void()> Changed;
};

// The bars of a window; nullptr for a window that never had any unless Create.
TWindowScrollBars* WindowScrollBars(HWND Window, bool Create);
// The window's bars go away with its peer.
void ForgetWindowScrollBars(HWND Window);
bool ScrollBarVisible(HWND Window, int Bar);

// A self-painting window's peer with its two scroll bars (vcl/src/qt/ScrollBarPeer.cpp).
TControlPeer* CreateScrollingSurfacePeer(TWinControl* Control);
// Once the window has its handle: the peer's bars follow the window's bar state from then on.
void ConnectWindowScrollBars(TWinControl* Control);
